#include "frame/Screen.h"

#include <algorithm>

#include "engine/Clock.h"
#include "engine/Graphics.h"
#include "engine/Input.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"
#include "media/Sound.h"
#include "media/Sprite.h"
#include "ui/Menu.h"

// ---------------------------------------------------------------- TScreen

TScreenPtr TScreen::Self() {
    return self_.lock();
}

void TScreen::ImageLoad(const std::string& file, int flags, int precache) {
    const std::string path = Game->ImagePath + file;
    Image = LoadImageOrFail(path, Game->UsingVirtualResolution ? FILTEREDIMAGE : flags);
    Image->SetHandle(0, 0);
    if (precache) Image->PrepareAllFrames();
}

void TScreen::HeaderLoad(const std::string& file, int x, int y, int precache) {
    TGameImagePtr picture = TGameImage::Create(Game->ImagePath + file + Ext, -1, 1);
    if (precache) picture->Precache();
    Header = TSprite::Create(picture, static_cast<float>(x), static_cast<float>(y));
}

void TScreen::PreStart() {
    if (StopInit) {
        CoreStart();
    } else {
        Load();
        Start();
    }
}

void TScreen::ResetStops() {
    StopKill = StopInit = 0;
}

void TScreen::Load() {}

void TScreen::Start() {
    Game->Mouse->On();
    Game->IgnoreEscapeKey = 0;
    CoreStart();
}

void TScreen::CoreStart() {
    Game->CurrentTScreen = Self();
    if (Menu) Menu->ManageNoSound(0, 0);
    FlushAll();
    Game->Mouse->ClearButtons();
    Game->FixedRateLogic->Init();
}

void TScreen::PostFadeIn() {}
void TScreen::PostFadeOut() {}

void TScreen::Kill() {
    Image.reset();
    Header.reset();
    if (Menu) {
        Menu->Kill();
        Menu.reset();
    }
}

void TScreen::Logic() {
    if (Menu) Menu->Manage(0, 0);
}

void TScreen::Draw() {
    if (!Image) {
        Cls();
    } else {
        SetBlend(SOLIDBLEND);
        DrawImage(*Image, 0, 0, 0);
    }
    if (Header) {
        SetBlend(ALPHABLEND);
        Header->Draw();
    }
    if (Menu) Menu->Draw(0, 0);
}

int TScreen::SetEscDestination() {
    Game->DestinationTScreen = Game->ExitScreen;
    return 0;
}

void TScreen::SpecificKeys() {}

// ---------------------------------------------------------------- TGameFade

int TGameFade::Init(int length, int out, const ChannelPtr& channel, int allowAnim,
                    float counterStart, const std::shared_ptr<TGameChannel>& channel2) {
    if (Active) return 0;
    Length = static_cast<int>(Game->CalcAnimLength(static_cast<float>(length)));
    Counter = counterStart;
    Active = 1;
    Out = out;
    FlushAll();
    Done = 0;
    Channel = channel;
    Channel2 = channel2;
    AllowAnim = allowAnim;
    FadeInAborted = 0;
    FadeCounterBeforeAbort = 0;
    SetToFullOnAbort = 1;
    AbortKey = -1;
    if (out) Game->FadeMusic = 1;
    Ratio = out ? 1.0f : 0.0f;
    if (counterStart > 0) CalcRatio();
    if (Game->Fade == 0 || Game->NoFade == 1) Finish();
    return 1;
}

void TGameFade::Finish() {
    Active = 0;
    Done = 1;
    if (Out) {
        Ratio = 0;
    } else {
        if (SetToFullOnAbort) Ratio = 1;
        if (FadeInAborted) FadeCounterBeforeAbort = Counter;
    }
    FadeChannels();
    if (Out) {
        if (Channel2) {
            if (Channel2IsGameChannelArray && Game->Channels) {
                Game->Channels->StopGameChannel(Channel2);
            } else {
                Channel2->Kill();
            }
            Channel2.reset();
        }
        Game->SpeechStop();
        if (Game->Fade && !Game->NoFade && GraphicsOpen()) {
            // Show the fade colour at once, without a frame of the old screen.
            SetClsColor(Game->ClsColor->R, Game->ClsColor->G, Game->ClsColor->B);
            Cls();
            if (!Game->FadeMouse) Game->Mouse->Draw();
            Flip(1);
        }
        if (Game->CurrentTScreen) Game->CurrentTScreen->PostFadeOut();
    } else {
        if (Game->CurrentTScreen) Game->CurrentTScreen->PostFadeIn();
    }
    Game->NoFade = 0;
    FlushAll();
}

int TGameFade::Manage() {
    if (!Active) return 0;
    const int key = GetKeyHit();
    if (key != -1 || Game->Mouse->GetMh(1)) {
        if (!Out) {
            FadeInAborted = 1;
            AbortKey = key;
        }
        Finish();
        return -1;
    }
    Counter += Delta;
    CalcRatio();
    FadeChannels();
    if (Counter >= Length) {
        Finish();
        return 1;
    }
    return 0;
}

void TGameFade::CalcRatio() {
    float ratio = Length > 0 ? Counter / Length : 1.0f;
    ratio = std::clamp(ratio, 0.0f, 1.0f);
    Ratio = Out ? 1.0f - ratio : ratio;
}

void TGameFade::FadeChannels() {
    if (Channel) Channel->SetVolume(Ratio * Game->GetMusicVolume() / 100.0f);
    if (Channel2 && Channel2->Channel)
        Channel2->Channel->SetVolume(Ratio * Game->SoundVolume / 100.0f);
    if (Game->SpeechChannel) Game->SpeechChannel->SetVolume(Ratio * Game->SpeechVolume / 100.0f);
}

void TGameFade::Draw() {
    if (!Active) return;
    SetBlend(ALPHABLEND);
    const DrawStateGuard restore;
    SetAlpha(1.0f - Ratio);
    SetColor(Game->ClsColor->R, Game->ClsColor->G, Game->ClsColor->B);
    DrawRect(0, 0, static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight));
}

int TGameFade::GetDone() {
    if (!Done) return 0;
    Done = 0;
    return 1;
}

// ---------------------------------------------------------------- TFade

void TFade::Init(float length, const ImagePtr& image, const ChannelPtr& channel) {
    Length = length;
    Image = image;
    Channel = channel;
    Reset();
}

void TFade::Reset() {
    StartTime = LastTime = static_cast<float>(MilliSecs());
    Elapsed = 0;
}

void TFade::CentreImage() {
    if (!Image) return;
    X = (ScreenWidth - Image->Width()) / 2;
    Y = (ScreenHeight - Image->Height()) / 2;
}

bool TFade::ClickedOrKeyHit() {
    for (int button = 1; button <= 3; ++button) {
        if (PolledMouseHit(button)) return true;
    }
    // The frame's own tables are fed by the event queue; read it here, since
    // this loop runs outside the logic steps. A close request ends it too.
    Game->DoPeekEvent();
    return GetKeyHit() != -1 || Game->Mouse->GetMh(1) || Game->TerminatedEvent;
}

void TFade::RestoreDrawing() {
    SetBlend(SOLIDBLEND);
    SetAlpha(1);
    SetColor(255, 255, 255);
}

// Draws frames until the elapsed time passes `until`; -1 when a click or
// key cut it short. `out` is the fade direction, or -1 to hold the image.
int TFade::RunLoop(float until, int out) {
    while (Elapsed <= until) {
        if (ClickedOrKeyHit()) {
            RestoreDrawing();
            FlushAll();
            return -1;
        }
        const float now = static_cast<float>(MilliSecs());
        Elapsed = now - StartTime;
        if (out != -1) {
            const float ratio = Length > 0 ? std::clamp(Elapsed / Length, 0.0f, 1.0f) : 1.0f;
            Ratio = out ? 1.0f - ratio : ratio;
        }
        if (Background) MoveBackground(now, Elapsed);
        Draw();
    }
    return 0;
}

int TFade::FadeDo(int out) {
    Out = out;
    FlushAll();
    if (RunLoop(Length, out) < 0) return -1;
    RestoreDrawing();
    return 1;
}

void TFade::MoveBackground(float now, float elapsed) {
    const float seconds = (now - LastTime) / 1000.0f;
    BackgroundX += seconds * BackgroundXSpeed;
    BackgroundY += seconds * BackgroundYSpeed;
    BackgroundZoom += seconds * BackgroundZoomSpeed;
    if (Out == -1) {
        BackgroundAlpha = 1;
    } else if (Out == 0) {
        BackgroundAlpha =
            BackgroundFadeTime > 0 ? std::min(1.0f, elapsed / BackgroundFadeTime) : 1.0f;
    } else {
        BackgroundAlpha = BackgroundFadeTime > 0
                              ? std::max(0.0f, 1.0f - (elapsed - (Length - BackgroundFadeTime)) /
                                                          BackgroundFadeTime)
                              : 0.0f;
    }
    LastTime = now;
}

int TFade::WaitForTime(float ms) {
    Out = -1;
    Reset();
    Ratio = 1;
    return RunLoop(ms, -1);
}

void TFade::Draw() {
    Cls();
    if (Background) {
        const DrawStateGuard restore;
        SetBlend(ALPHABLEND);
        SetScale(BackgroundZoom, BackgroundZoom);
        SetAlpha(BackgroundAlpha);
        DrawImage(*Background, -BackgroundX * BackgroundZoom, -BackgroundY * BackgroundZoom);
    }
    SetBlend(ALPHABLEND);
    SetAlpha(Ratio);
    if (Image) DrawImage(*Image, static_cast<float>(X), static_cast<float>(Y));
    if (Channel) Channel->SetVolume(Ratio * Game->SoundVolume / 100.0f);
    Flip(FlipSync);
    // A blocking fade still must not spin: pace it like the main loop.
    Game->PaceFrame();
}

void TFade::Full() {
    Ratio = 1;
    Draw();
}

void TFade::Zero() {
    Ratio = 0;
    Draw();
}
