#include "frame/Game.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/Clock.h"
#include "engine/Graphics.h"
#include "engine/Input.h"
#include "engine/Keys.h"
#include "engine/Random.h"
#include "engine/Strings.h"
#include "engine/platform/Platform.h"
#include "frame/ErrorReport.h"
#include "frame/LoadingScreen.h"
#include "frame/MousePointer.h"
#include "frame/Navigation.h"
#include "frame/Profile.h"
#include "frame/Screen.h"
#include "media/Sprite.h"

std::unique_ptr<TGame> Game;
std::string DataPrefixOverride;

namespace {

// How long a minimised window's loop sleeps at most between looks at the
// events (a close request or a restore wakes it at once).
constexpr int kHiddenWindowWaitMs = 50;

bool AnyDown(std::initializer_list<int> keys) {
    for (int key : keys) {
        if (KeyDown(key)) return true;
    }
    return false;
}

// The frame's own reading of a framework key: 0 means switched off.
bool FrameworkKeyHit(int code) {
    return code != 0 && KeyHit(code);
}

}  // namespace

TGame::TGame()
    : Ini(std::make_shared<TIniFile>()),
      FixedRateLogic(std::make_shared<TFixedRateLogic>()),
      LogicTime(std::make_shared<TDebugVar>()),
      DrawTime(std::make_shared<TDebugVar>()),
      CodeTime(std::make_shared<TDebugVar>()),
      FPS(std::make_shared<TFPSCounter>()),
      LoadingScreen(MakeScreen<TLoadingScreen>()),
      ExitScreen(MakeScreen<TExitScreen>()),
      GameFade(std::make_shared<TGameFade>()),
      Mouse(std::make_shared<TMousePointer>()) {
    ExitScreen->name = "exit";
    DataPrefix = DataPrefixOverride;
    // A new game starts for the mouse; a key brings the marks.
    Nav::HideMarks();
    Nav::SetPadContext(nullptr);
}

TGame::~TGame() = default;

// ---------------------------------------------------------------- start-up

void TGame::Init(int kind, int /*spare*/) {
    ErrorCheckpoint = 1;
    SeedRnd(static_cast<uint32_t>(MilliSecs()));
    FixedRateLogic->Label = "Ticks   ";
    LogicTime->Label = "Logic   ";
    DrawTime->Label = "Draw    ";
    CodeTime->Label = "Code    ";
    FPS->Label = "FPS     ";
    ErrorCheckpoint = 2;
    if (UseCorrectPath) InitSharedFolder();
    ErrorCheckpoint = 3;
    InitSettings();
    InitProfileFolder();
    ErrorCheckpoint = 4;
    SetFlipSync();
    ErrorCheckpoint = 5;
    static const char* kDriverByKind[] = {"FreeAudio", "DirectSound", "OpenAL Generic Software"};
    std::string driver = kind <= 0 ? SoundDriver : kDriverByKind[std::min(kind, 3) - 1];
    if (kind <= 0 && driver == "None") driver = "FreeAudio";
    OSVersion = OperatingSystemName();
    // Every system but the oldest one uses the one software mixer.
    if (OSVersion != "Windows XP") driver = "OpenAL Generic Software";
    ChangeSoundDriver(driver, 0);
    ErrorCheckpoint = 6;
    FixedRateLogic->Create();
    ErrorCheckpoint = 7;
    MusicChannel = AllocChannel();
    SpeechChannel = AllocChannel();
    EscapeChannel = AllocChannel();
    ErrorCheckpoint = 9;
}

void TGame::SetFlipSync() {
    FlipSync = VSync != 0 ? 1 : 0;
}

void TGame::SetPriority() {
    if (FullScreen) {
        SetProcessPriority(FullScreenProcess);
        SetThreadPriority(FullScreenThread);
    } else {
        SetProcessPriority(WindowedProcess);
        SetThreadPriority(WindowedThread);
    }
}

// ---------------------------------------------------------------- small operations

int TGame::Fading() {
    return GameFade->Active;
}
void TGame::FadeOff() {
    NoFade = 1;
}

float TGame::CalcAnimLength(float ms) {
    return ms / FixedRateLogic->MS / CurrentSpeed;
}
float TGame::CalcAnimLengthFromFloat(float ms) {
    return CalcAnimLength(ms);
}

int TGame::CalcMilliSecsFromFrames(float frames, int useSpeed) {
    return TruncToInt(frames * (useSpeed ? CurrentSpeed : 1.0f) * FixedRateLogic->MS);
}

void TGame::ParticlesSet(int value, int save) {
    Particles = std::clamp(value, 0, 100);
    if (save == 1) {
        IniUpdate(1);
        FixedRateLogic->Init();
    }
}

void TGame::ParticlesChange(int delta) {
    Particles = std::clamp(Particles + delta, 0, 100);
    IniUpdate(1);
    FixedRateLogic->Init();
}

void TGame::SpritePausedCreate(const std::shared_ptr<TGameImage>& image) {
    SpritePaused = TSprite::Create(image, 0, 0);
    SpritePaused->Centre();
}

void TGame::ShowPaused() {
    if (!(Paused || Suspended) || !SpritePaused) return;
    SetBlend(ALPHABLEND);
    if (DimWhenPaused) {
        SetColor(0, 0, 0);
        SetAlpha(0.5f);
        DrawRect(0, 0, static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight));
    }
    SetColor(255, 255, 255);
    SetAlpha(1);
    SpritePaused->Draw();
}

// ---------------------------------------------------------------- the loop

int TGame::MainLogicLoop() {
    FixedRateLogic->Calc();
    if (NoTiming) FixedRateLogic->NumTicks = NoTimingTicks;
    LogicTime->Start();
    const double ticks = FixedRateLogic->NumTicks;
    const int whole = static_cast<int>(std::floor(ticks));
    for (int i = 0; i < whole; ++i) {
        FixedRateLogic->SetDelta(1.0f);
        if (LogicWrapper() == -1) return -1;
    }
    const double fraction = std::fmod(ticks, 1.0);
    if (fraction > 0) {
        FixedRateLogic->SetDelta(static_cast<float>(fraction));
        if (LogicWrapper() == -1) return -1;
    }
    LogicTime->Calc();
    return 1;
}

int TGame::LogicWrapper() {
    Mouse->ClearMouseHit();
    Mouse->Manage();
    DoPeekEvent();
    ReadKeys();
    if (InstantExit) return -1;
    if (Paused || Suspended) {
        // Paused or in the background the screen stands still, but a close
        // request still fades out and ends the game.
        if (closing_) {
            GameFade->Manage();
            ScreenChange();
            EndIfExitFadeLost();
        }
        return 0;
    }
    GameFade->Manage();
    if (GameFade->Active && GameFade->AllowAnim == 0) return 1;
    ScreenChange();
    const bool fadeBlocks = GameFade->Active && GameFade->AllowAnim == 0;
    if (BlockLogicWhileFading == 0 || !fadeBlocks) {
        if (CurrentTScreen) CurrentTScreen->Logic();
    }
    if (Fade == 0) ScreenChange();
    EndIfExitFadeLost();
    return 1;
}

// Once a close request is accepted nothing may keep the game from ending: a
// screen that finished the exit fade or started another one ends it at once.
void TGame::EndIfExitFadeLost() {
    if (closing_ && CurrentTScreen != ExitScreen && !(GameFade->Active && GameFade->Out))
        InstantExit = 1;
}

void TGame::ScreenChange() {
    if (!GameFade->GetDone()) return;
    if (!GameFade->Out) return;
    // A screen's own plans give way to a close request.
    if (closing_) DestinationTScreen = ExitScreen;
    const LoadingHeapScope loading;
    if (CurrentTScreen && CurrentTScreen->StopKill == 0) CurrentTScreen->Kill();
    if (!DestinationTScreen) {
        ReportError("Screen '" + (CurrentTScreen ? CurrentTScreen->name : std::string()) +
                        "' does not have a destination screen set!",
                    1);
        return;
    }
    LastTScreen = CurrentTScreen;
    if (DestinationTScreen == ExitScreen) {
        // A close request saved the profile when it was accepted.
        if (!closing_) SaveProfileForExit();
        InstantExit = 1;
        CurrentTScreen = ExitScreen;
    } else {
        DestinationTScreen->PreStart();
    }
    FlushAll();
}

// ---------------------------------------------------------------- events

// Full screen with margins and the custom pointer keeps the pointer on the
// 1024 x 768 area.
bool TGame::PointerHeldOnGameArea() const {
    return FullScreen && CustomMousePointer && (vxOff > 0 || vyOff > 0);
}

bool TGame::PressOffGameArea(int eventX, int eventY) const {
    if (!UsingVirtualResolution || PointerHeldOnGameArea()) return false;
    const GamePoint at = WindowToVirtual(eventX, eventY);
    return at.x < 0 || at.y < 0 || at.x >= ScreenWidth || at.y >= ScreenHeight;
}

void TGame::HandleMouseMove(int eventX, int eventY) {
    if (!UsingVirtualResolution) {
        Mouse->x = eventX;
        Mouse->y = eventY;
        return;
    }
    const GamePoint at = WindowToVirtual(eventX, eventY);
    Mouse->x = Nearest(at.x);
    Mouse->y = Nearest(at.y);
    if (!PointerHeldOnGameArea()) return;
    const double vx = at.x, vy = at.y;
    bool corrected = false;
    if (std::ceil(vx) < 0) Mouse->x = 0, corrected = true;
    if (std::floor(vx) > ScreenWidth - 1) Mouse->x = ScreenWidth - 1, corrected = true;
    if (std::ceil(vy) < 0) Mouse->y = 0, corrected = true;
    if (std::floor(vy) > ScreenHeight - 1) Mouse->y = ScreenHeight - 1, corrected = true;
    if (corrected) DoMoveMouse(Mouse->x, Mouse->y);
}

namespace {

// A quick tap (a touchpad, or a press shorter than one step) brings a button's
// press and release in the same batch of events. The release then waits for
// the next batch, so that one logic step sees the button held as a click.
std::array<bool, 4> g_releaseWaiting{};
std::array<bool, 4> g_pressedInBatch{};
// The key each held controller button presses with it (0: none).
std::array<int, 256> g_keyStoodFor{};

int& ButtonState(TMousePointer& mouse, int button) {
    return button == 1 ? mouse.b1 : button == 2 ? mouse.b2 : mouse.b3;
}

void ApplyWaitingReleases(TMousePointer& mouse) {
    for (int button = 1; button <= 3; ++button) {
        if (g_releaseWaiting[button]) ButtonState(mouse, button) = 0;
        g_releaseWaiting[button] = g_pressedInBatch[button] = false;
    }
    mouse.CalcButtonTotals();
}

}  // namespace

void TGame::DoPeekEvent() {
    ApplyWaitingReleases(*Mouse);
    Nav::NextInputRound();
    TEvent event;
    while (PollEvent(event)) {
        switch (event.id) {
            case EVENT_APPSUSPEND:
                SuspendedEvent = 1;
                break;
            case EVENT_APPRESUME:
                SuspendedEvent = 0;
                break;
            case EVENT_APPTERMINATE:
            case EVENT_WINDOWCLOSE:
                TerminatedEvent = 1;
                break;
            case EVENT_KEYDOWN:
                if (event.data >= 0 && event.data < 256) {
                    KeyStates[event.data] = 1;
                    KeyHits[event.data] += 1;
                    // A controller button also presses the key it stands for.
                    const int alias = g_keyStoodFor[event.data] = Nav::KeyStoodFor(event.data);
                    if (alias) KeyStates[alias] = 1, KeyHits[alias] += 1;
                    if (Nav::IsNavigationKey(event.data)) Nav::ShowMarks();
                }
                break;
            case EVENT_KEYUP:
                if (event.data >= 0 && event.data < 256) {
                    KeyStates[event.data] = 0;
                    if (const int alias = g_keyStoodFor[event.data]) KeyStates[alias] = 0;
                    g_keyStoodFor[event.data] = 0;
                }
                break;
            case EVENT_KEYCHAR:
                PushChar(event.data);
                break;
            case EVENT_MOUSEDOWN:
                // A press on the bars around the game area is no click.
                if (PressOffGameArea(event.x, event.y)) break;
                Nav::HideMarks();
                Mouse->ClearMouseHit();
                if (event.data == 1) Mouse->b1 = 1, Mouse->h1 += 1;
                if (event.data == 2) Mouse->b2 = 1, Mouse->h2 += 1;
                if (event.data == 3) Mouse->b3 = 1, Mouse->h3 += 1;
                if (event.data >= 1 && event.data <= 3) {
                    g_pressedInBatch[event.data] = true;
                    g_releaseWaiting[event.data] = false;
                }
                Mouse->CalcButtonTotals();
                break;
            case EVENT_MOUSEUP:
                if (event.data >= 1 && event.data <= 3) {
                    if (g_pressedInBatch[event.data]) {
                        g_releaseWaiting[event.data] = true;
                    } else {
                        ButtonState(*Mouse, event.data) = 0;
                    }
                }
                Mouse->CalcButtonTotals();
                break;
            case EVENT_MOUSEMOVE: {
                const int oldX = Mouse->x, oldY = Mouse->y;
                HandleMouseMove(event.x, event.y);
                // The pointer moved by the player hides the keyboard marks.
                if (Mouse->x != oldX || Mouse->y != oldY) Nav::HideMarks();
                break;
            }
            case EVENT_MOUSEWHEEL:
                Mouse->z += event.data;
                break;
            default:
                break;
        }
    }
    // A resume that never arrived: the window has the focus again.
    if (!FullScreen && Suspended && SuspendedEvent && WindowHasFocus() && !WindowMinimised())
        SuspendedEvent = 0;
}

int TGame::GameTerminated() {
    if (TerminatedEvent) TerminatedEvent = 0;
    if (TerminatedUserFunction && TerminatedUserFunction() != 0) return 1;
    InstantExit = 1;
    SaveProfileForExit();
    return -1;
}

// Whichever screen the game is left from, the player's progress in memory
// (purchases, options, the gauge) reaches the profile file.
void TGame::SaveProfileForExit() {
    if (CurrentProfile) CurrentProfile->Save();
}

int TGame::CheckWindow() {
    int result = 1;
    if (TerminatedEvent && GameTerminated() == -1) result = -1;
    if (SuspendedEvent && !Suspended) {
        if (!Paused) {
            if (PauseOnLossOfFocus || (PauseOnLossOfFullScreenFocus && FullScreen)) Paused = 1;
            Pause();
        }
        Suspended = 1;
        if (UserSuspendFunction) UserSuspendFunction();
    } else if (!SuspendedEvent && Suspended) {
        if (!Paused) UnPause();
        FixedRateLogic->Init();
        Suspended = 0;
        if (UserResumeFunction) UserResumeFunction();
        FlushAll();
    }
    if (!Suspended && !Paused) {
        if (Music && !MusicLooped && MusicChannel && !MusicChannel->Playing()) MusicStopped = 1;
        if (Speech && SpeechChannel && !SpeechChannel->Playing()) SpeechStopped = 1;
        MusicFadeInManage();
        MusicFadeOutManage();
    }
    if (Suspended) Delay(1);
    return result;
}

// ---------------------------------------------------------------- keys

void TGame::ReadKeys() {
    if (CheckWindow() == -1) {
        closing_ = 1;
        if (FadeOnExit) {
            InstantExit = 0;
            // A fade-in never switches screens; end it so the close is not lost.
            if (GameFade->Active && !GameFade->Out) GameFade->Finish();
            DestinationTScreen = ExitScreen;
            GameFade->Init(DefaultFadeLength, 1, MusicChannel, 1, 0, nullptr);
        }
    }
    if (Paused && Mouse->GetMh(1)) TogglePause();
    if (BlockKeys) return;
    if (!IgnorePauseKey && FrameworkKeyHit(FrameworkKeys.Pause)) TogglePause();
    if (KeyHit(Key::Escape)) {
        if (GameFade->Active) {
            if (!GameFade->Out) {
                GameFade->FadeInAborted = 1;
                GameFade->AbortKey = 0;
            }
            GameFade->Finish();
        } else if (Paused) {
            Paused = 0;
            UnPause();
            FlushAll();
        } else if (IgnoreEscapeKey) {
            KeyHits[Key::Escape] = 1;
        } else {
            EscapeSoundPlay();
            int length = CurrentTScreen ? CurrentTScreen->SetEscDestination() : 0;
            if (length == 0) length = DefaultFadeLength;
            GameFade->Init(length, 1, FadeMusic ? MusicChannel : nullptr, 1, 0, nullptr);
            FadeMusic = 1;
        }
    }
    const bool alt = AnyDown({Key::LeftAlt, Key::RightAlt});
    const bool systemKey = AnyDown({Key::LeftSystem, Key::RightSystem});
    if ((alt && KeyHit(Key::Enter)) ||
        (systemKey && AnyDown({Key::LeftShift, Key::RightShift}) && KeyHit('F'))) {
        ToggleFullScreen();
        FlushKeys();
    }
    if (systemKey && KeyHit('Q')) ExitKeys();
    if (!IgnoreFrameworkKeys) ReadFrameworkKeys();
    if (!IgnoreDebugKey) ReadDebugKeys();
    if (!Paused && !Suspended && CurrentTScreen) CurrentTScreen->SpecificKeys();
}

void TGame::ExitKeys() {
    InstantExit = 1;
    SaveProfileForExit();
}

void TGame::ReadFrameworkKeys() {
    const TFrameworkKeys& keys = FrameworkKeys;
    auto act = [](auto&& action) {
        action();
        FlushKeys();
    };
    if (FrameworkKeyHit(keys.VolumeDown)) {
        act([this] {
            MusicChangeVolume(-10);
            SoundChangeVolume(-10);
            SpeechChangeVolume(-10);
        });
    }
    if (FrameworkKeyHit(keys.VolumeUp)) {
        act([this] {
            MusicChangeVolume(10);
            SoundChangeVolume(10);
            SpeechChangeVolume(10);
        });
    }
    if (AnyDown({Key::LeftCtrl, Key::RightCtrl}) && FrameworkKeyHit(keys.Quit))
        act([this] { ExitKeys(); });
    if (FrameworkKeyHit(keys.FullScreen)) act([this] { ToggleFullScreen(); });
    if (FrameworkKeyHit(keys.Minimise)) act([] { MinimiseWindow(); });
    if (FrameworkKeyHit(keys.MusicToggle)) act([this] { ToggleMusic(); });
    if (FrameworkKeyHit(keys.SoundToggle)) act([this] { ToggleSound(); });
    if (Debug && FrameworkKeyHit(keys.Fast)) act([this] { Fast ? FastOff() : FastOn(); });
    if (Debug && FrameworkKeyHit(keys.SlowMotion))
        act([this] { SlowMotion ? SlowMotionOff() : SlowMotionOn(); });
    if (FrameworkKeyHit(keys.Screenshot)) act([this] { ScreenshotWanted = 1; });
    if (Debug && FrameworkKeyHit(keys.FlipSyncCycle)) {
        act([] { FlipSync = FlipSync == 1 ? -1 : FlipSync == -1 ? 0 : 1; });
    }
    if (Debug && FrameworkKeyHit(keys.NoTiming)) act([this] { NoTiming = !NoTiming; });
    if (FrameworkKeyHit(keys.VSyncToggle)) act([this] { ToggleVSync(); });
    if (FrameworkKeyHit(keys.DriverToggle)) act([this] { SetDriver(!Driver); });
    if (FrameworkKeyHit(keys.SoundDriverCycle)) {
        act([this] {
            const std::string next = SoundDriver == "FreeAudio"     ? "DirectSound"
                                     : SoundDriver == "DirectSound" ? "OpenAL Generic Software"
                                                                    : "FreeAudio";
            ChangeSoundDriver(next, 1);
        });
    }
}

void TGame::ReadDebugKeys() {
    if (FrameworkKeyHit(FrameworkKeys.Debug)) {
        Debug = !Debug;
        if (Debug) {
            DebugReset();
            DebugShowFPSOnly = AnyDown({Key::LeftShift, Key::RightShift}) ? 1 : 0;
        }
    }
    if (GraphicPlacement) {
        if (KeyHit(Key::Left)) --gpX;
        if (KeyHit(Key::Right)) ++gpX;
        if (KeyHit(Key::Up)) --gpY;
        if (KeyHit(Key::Down)) ++gpY;
    }
    if (FrameworkKeyHit(FrameworkKeys.StoreMouse)) {
        storedX = Mouse->x;
        storedY = Mouse->y;
    }
    if (FrameworkKeyHit(FrameworkKeys.PrintMouse)) {
        std::printf("%d,%d\n", Mouse->x, Mouse->y);
        EscapeSoundPlay();
    }
}

// ---------------------------------------------------------------- pause and speed

void TGame::TogglePause() {
    Paused = !Paused;
    if (Paused) {
        Pause();
    } else {
        UnPause();
    }
    FlushAll();
}

// A pause silences music and speech without switching them off: `Music` and
// `Speech` are the player's settings, and a settings save while paused (a
// display toggle) must write them as they are.
void TGame::Pause() {
    PausedMusicState = Music;
    PausedSpeechState = Speech;
    SilenceForPause();
    if (PausedUserFunction) PausedUserFunction();
    SetProcessPriority(0);
}

void TGame::UnPause() {
    EndPauseSilence();
    SetPriority();
    FixedRateLogic->Init();
}

void TGame::FastOn() {
    Fast = 1;
    LastFlipSync = FlipSync;
    FlipSync = 0;
    FixedRateLogic->Init();
    FixedRateLogic->HistoryClear();
}

void TGame::FastOff() {
    if (Fast != 1) return;
    Fast = 0;
    FlipSync = LastFlipSync;
    FixedRateLogic->Init();
    FixedRateLogic->HistoryClear();
}

void TGame::SlowMotionOn() {
    SlowMotion = 1;
    CurrentSpeed = SlowMotionSpeed;
    FixedRateLogic->Framerate = SlowMotionSpeed * FixedRateLogic->FramerateDefault;
    FixedRateLogic->CalcMS();
    FixedRateLogic->Init();
}

void TGame::SlowMotionOff() {
    SlowMotion = 0;
    CurrentSpeed = 1.0f;
    FixedRateLogic->Framerate = static_cast<float>(FixedRateLogic->FramerateDefault);
    FixedRateLogic->CalcMS();
    FixedRateLogic->Init();
}

// ---------------------------------------------------------------- drawing

void TGame::ScreenDraw() {
    // A minimised or hidden window shows nothing: no frame is drawn, and the
    // loop waits for the desktop's next word instead of spinning.
    if (GraphicsOpen() && !WindowShown()) {
        WaitForWindowEvent(kHiddenWindowWaitMs);
        return;
    }
    FollowWindowSize();
    DrawTime->Start();
    if (NoDraw) {
        NoDraw = 0;
        return;
    }
    if (CurrentTScreen) CurrentTScreen->Draw();
    if (!GameFade->Active) ShowPaused();
    if (FadeMouse) Mouse->Draw();
    GameFade->Draw();
    if (GameFade->Active) ShowPaused();
    if (!FadeMouse) Mouse->Draw();
    DrawTime->Calc();
    DebugPrint();
    PostDraw();
}

void TGame::PaceFrame() {
    const double now = static_cast<uint32_t>(MilliSecs());
    // A frame that was not presented was not waited for either.
    if ((VSyncActive() && FlipSync == 1 && FlipPresented()) || Fast || NoTiming) {
        nextFrameTime_ = now;
        return;
    }
    const double period = 1000.0 / (DesktopRefreshRate > 0 ? DesktopRefreshRate : 60);
    nextFrameTime_ += period;
    // Far behind (a stall, a wrapped clock): start the schedule afresh.
    if (nextFrameTime_ < now - period || nextFrameTime_ > now + 2 * period)
        nextFrameTime_ = now + period;
    const int wait = static_cast<int>(nextFrameTime_ - now);
    if (wait > 0) Delay(wait);
}

void TGame::Kill() {
    if (MusicChannel) MusicChannel->Stop();
    if (SpeechChannel) SpeechChannel->Stop();
    if (EscapeChannel) EscapeChannel->Stop();
    MusicChannel.reset();
    SpeechChannel.reset();
    EscapeChannel.reset();
    ChannelsKill();
}
