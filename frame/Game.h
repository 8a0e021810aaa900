// The one game object: settings, screens, the main loop, graphics mode,
// audio state, pointer and debug overlay. Reached everywhere through the
// global `Game`.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "engine/Audio.h"
#include "frame/Globals.h"
#include "frame/IniFile.h"
#include "frame/Timing.h"
#include "frame/ViewFit.h"
#include "media/Color.h"

class TScreen;
class TGameFade;
class TMousePointer;
class TSprite;
class TLoadingScreen;
class TProfile;
class TGameSound;
class TChannelArray;
class TImage;
class TGameImage;
using TScreenPtr = std::shared_ptr<TScreen>;

class TGame {
  public:
    TGame();
    virtual ~TGame();

    // ---- fields, in declaration order ----
    TIniFilePtr Ini;
    std::string VersionNumber = "1.01";
    int FullScreen = 1;
    int WideScreen = 0;
    int ForceWindowedMode = 0;
    int Hertz = 60;
    int Depth = 0;
    int DesktopRefreshRate = 0;
    int GameRefreshRate = 0;
    int Fast = 0;
    int LastFlipSync = 0;
    int SlowMotion = 0;
    float SlowMotionSpeed = 0.25f;
    float CurrentSpeed = 1.0f;
    int WindowHandle = 0;
    int WindowX = 0, WindowY = 0, ClientX = 0, ClientY = 0;
    float ScrollX = 0, ScrollY = 0;
    TScreenPtr CurrentTScreen, DestinationTScreen, LastTScreen;
    int LagFix = 0;
    int VSync = 1;
    int FadeOnExit = 1;
    int NoTiming = 0;
    int NoTimingTicks = 1;
    int Driver = 0;
    int DriverDX7 = 0, DriverDX9 = 0;
    int AlwaysForceDX7 = 0;
    std::string DirectXVersion;
    int FadeMouse = 0;
    int DesktopWidth = 0, DesktopHeight = 0;
    int WindowWidth = 0, WindowHeight = 0;
    float VirtualRatioX = 1.0f, VirtualRatioY = 1.0f;
    int UsingVirtualResolution = 0;
    float vxOff = 0, vyOff = 0;
    TColorPtr ClsColor;
    int CustomMousePointer = 1;
    int FullScreenProcess = 0, FullScreenThread = 0, WindowedProcess = 0, WindowedThread = 0;
    int DataInAppBundle = 0;
    int UseCorrectPath = 1;
    int CorrectPathID = 35;
    std::string SubPath = "BrackenfoldGames/My Game/";
    std::string DataPrefix, ImagePath, SoundPath, MusicPath, SpeechPath, MenuPath, ProfilePath,
        TextPath, LevelsPath, FontPath;
    // Audio state.
    int Sound = 1, Music = 1, Speech = 1;
    int SoundVolume = 100, MusicVolume = 100, SpeechVolume = 100;
    int CustomMusicVolume = 0;
    SoundPtr MusicSample;
    ChannelPtr MusicChannel;
    std::string MusicFileName = "none";
    std::string MusicName = "none";
    int MusicLooped = 1;
    int MusicRestart = 1;
    int MusicStopped = 0;
    float MusicFadeIn = 50;
    float MusicFadeInCounter = 0;
    float MusicFadeInDelay = 0;
    float MusicFadeOut = 1000;
    float MusicFadeOutCounter = 0;
    float PauseFadeLength = 100;
    float PauseFadeCounter = 0;
    int PauseFadeDirection = 0;
    ChannelPtr SpecialChannel;
    int FadeMusic = 1;
    std::shared_ptr<TGameSound> EscapeSound;
    ChannelPtr EscapeChannel;
    std::string SoundDriver = "FreeAudio";
    std::shared_ptr<TChannelArray> Channels;
    ChannelPtr SpeechChannel;
    int SpeechStopped = 0;
    // Screens and state.
    std::shared_ptr<TSprite> SpritePaused;
    int FirstTime = 1;
    int InstantExit = 0;
    int Fade = 1;
    int NoFade = 0;
    int NoDraw = 0;
    // The screenshot key was pressed: the picture is taken from the next frame
    // drawn, before it is shown.
    int ScreenshotWanted = 0;
    int Particles = 80;
    int PortalSplash = 0, PortalSplash2 = 0, IntroShow = 0;
    int Paused = 0;
    int DimWhenPaused = 1;
    int PauseOnLossOfFocus = 0;
    int PauseOnLossOfFullScreenFocus = 0;
    int PausedMusicState = 1, PausedSpeechState = 1;
    int Suspended = 0;
    int BlockKeys = 0;
    int MaxLevels = 10;
    int TerminatedEvent = 0;
    std::function<int()> TerminatedUserFunction;
    int SuspendedEvent = 0;
    int IgnoreEscapeKey = 0;
    int IgnoreFrameworkKeys = 0;
    int IgnorePauseKey = 0;
    int IgnoreDebugKey = 0;
    std::string OSVersion = "Mac OSX";
    std::function<void()> PausedUserFunction, UserSuspendFunction, UserResumeFunction;
    std::shared_ptr<TFixedRateLogic> FixedRateLogic;
    // Debug overlay.
    int Debug = 0;
    std::shared_ptr<TImage> DebugImageFont;  // none: the engine's built-in font
    int DebugImageFontGap = 12;
    int DebugShadow = 1;
    int DebugShowFPSOnly = 0;
    float DebugPanel = 0.4f;
    int Debug1 = 0, Debug2 = 0;
    float Debug3 = 0, Debug4 = 0;
    int DebugDisplayX = 0, DebugDisplayY = 0;
    std::shared_ptr<TDebugVar> LogicTime, DrawTime, CodeTime;
    std::shared_ptr<TFPSCounter> FPS;
    int GraphicPlacement = 0, gpX = 0, gpY = 0, storedX = -1, storedY = -1;
    std::shared_ptr<TLoadingScreen> LoadingScreen;
    TScreenPtr ExitScreen;
    std::shared_ptr<TGameFade> GameFade;
    std::shared_ptr<TMousePointer> Mouse;
    std::shared_ptr<TProfile> CurrentProfile;
    std::string ProfileName;
    int Region = 0, SubRegion = 0;
    // The window's size and place as the player left it (settings "Window
    // X" ...; a size of 0 means none), used when the game opens a window.
    int WindowPlaceX = 0, WindowPlaceY = 0, WindowPlaceWidth = 0, WindowPlaceHeight = 0;
    // How the game area sits in the window or screen now.
    ViewFit View;

    // ---- operations, in slot order ----
    virtual void Init(int kind, int spare);
    virtual void IniFill();
    virtual void IniExtract();
    virtual void IniUpdate(int flag);
    virtual int MakeGoodExit();
    virtual void CheckGoodExit();
    virtual void GraphicsCreate(int forceDX7);
    virtual void DoSetVirtualResolution();
    virtual void SetDXDriver(int forceDX7);
    virtual void DoMoveMouse(int x, int y);
    virtual int GetActiveWindowSafe();
    virtual void SetPriority();
    virtual void ToggleCustomMousePointer();
    virtual void ToggleFullScreen();
    virtual void ToggleWideScreen();
    virtual void ToggleVSync();
    virtual int SetDriver(int driver);
    virtual void DebugReset();
    virtual void DebugPrint();
    virtual void SetGP(int x, int y);
    virtual int CheckWindow();
    virtual void SetWindowCoords();
    virtual void SetClientCoords();
    virtual int GameTerminated();
    virtual void SpritePausedCreate(const std::shared_ptr<TGameImage>& image);
    virtual void ShowPaused();
    virtual void SetDefaultPaths();
    virtual void SetSubPath(const std::string& path, int spare);
    virtual void SetSubPathWrapper(const std::string& path, int spare);
    virtual void ApplySubPath();
    virtual void SetImagePath(const std::string& p);
    virtual void SetSoundPath(const std::string& p);
    virtual void SetMusicPath(const std::string& p);
    virtual void SetSpeechPath(const std::string& p);
    virtual void SetMenuPath(const std::string& p);
    virtual void SetProfilePath(const std::string& p);
    virtual void SetTextPath(const std::string& p);
    virtual void SetLevelsPath(const std::string& p);
    virtual void SetFontPath(const std::string& p);
    virtual void ReadKeys();
    virtual void TogglePause();
    virtual void FastOn();
    virtual void FastOff();
    virtual void SlowMotionOn();
    virtual void SlowMotionOff();
    virtual void SetFlipSync();
    virtual void Pause();
    virtual void UnPause();
    // Music, sound, speech and channels.
    virtual void MusicLoad(const std::string& file, int looped);
    virtual void MusicSet(const SoundPtr& sound, const std::string& file, int looped);
    virtual void MusicStop();
    virtual void MusicPlay(int fadeIn, int customVolume, int silent);
    virtual void MusicNone();
    virtual int GetMusicVolume();
    virtual float MusicFadeInCalc();
    virtual float MusicFadeOutCalc();
    virtual void MusicFadeInApply();
    virtual void MusicFadeOutApply();
    virtual void MusicFadeInManage();
    virtual void MusicFadeOutManage();
    virtual void MusicFadeOutSet(float ms);
    virtual void MusicSetVolume(int volume, int save);
    virtual void MusicChangeVolume(int delta);
    virtual void ToggleMusic();
    virtual int MusicOff();
    virtual int MusicOn();
    virtual float PauseFadeCalc();
    virtual void PauseFadeApply();
    virtual void PauseFadeManage();
    virtual void ChannelsCreate(int count);
    virtual void ChannelsKill();
    virtual void ChangeSoundDriver(const std::string& name, int save);
    virtual void SoundPlay(const SoundPtr& sound);
    virtual void SoundPlaySameChannel(ChannelPtr& channel, const SoundPtr& sound);
    virtual void SoundPlayReturnChannel(ChannelPtr& channel, const SoundPtr& sound, float rate);
    virtual void GameSoundPlay(ChannelPtr& channel, const std::shared_ptr<TGameSound>& sound,
                               float pan);
    virtual void SoundSetVolume(int volume, int save);
    virtual void SoundChangeVolume(int delta);
    virtual void ToggleSound();
    virtual void SoundOff();
    virtual void SoundOn();
    virtual void SpeechStop();
    virtual void SpeechPlay(const std::shared_ptr<TGameSound>& sound, int interrupt);
    virtual void SpeechSetVolume(int volume, int save);
    virtual void SpeechChangeVolume(int delta);
    virtual void SpeechOff();
    virtual int SpeechOn();
    virtual void StopChannels();
    virtual void SetEscapeSound(const std::string& name);
    virtual void EscapeSoundPlay();
    // Loading, fades, the loop.
    virtual void MoveBar();
    virtual int Fading();
    virtual void FadeOff();
    virtual int MainLogicLoop();
    virtual int LogicWrapper();
    virtual void DoPeekEvent();
    virtual void ScreenDraw();
    virtual void PostDraw();
    virtual void ScreenChange();
    virtual void ParticlesSet(int value, int save);
    virtual void ParticlesChange(int delta);
    virtual float CalcAnimLength(float ms);
    virtual float CalcAnimLengthFromFloat(float ms);
    virtual int CalcMilliSecsFromFrames(float frames, int useSpeed);
    virtual void Kill();
    // Saves the frame drawn so far as a screenshot.
    virtual void TakeScreenshot();
    virtual void RestoreMouseCoords();
    virtual void DeleteAllProfiles();
    virtual int ProfileFolderInUse();

    // ---- not in the slot table: this platform's helpers ----
    // Sleeps out the rest of a frame when presenting did not wait for the
    // display, so the loop never spins a core.
    void PaceFrame();
    // A window position (points) in the game area's virtual pixels, unrounded.
    GamePoint WindowToVirtual(int windowX, int windowY) const;
    // Fits the game area to the window's present size (the back buffer, the
    // virtual resolution, viewport, origin and ratios), without wiping.
    void FitToWindow();
    // Refits when the window changed size since the last fit; true then.
    bool FollowWindowSize();
    // Records the window's size and place while it is a plain window, and
    // saves the settings when they changed.
    void RememberWindowPlacement();
    // The settings file's full path (FileName + ".ini").
    std::string SettingsPath() const;
    // The special folder of CorrectPathID on this platform (ends in "/").
    std::string SpecialFolder() const;
    // Steps of Init that belong to the settings and folders: create the
    // shared data folder; name, fill, copy, load and extract the settings;
    // create the profiles folder. And the empty play-log file of start-up.
    void InitSharedFolder();
    void InitSettings();
    void InitProfileFolder();
    void EnsurePlayLog();

  private:
    double nextFrameTime_ = 0;
    // A close request was accepted: the game is on its way out.
    int closing_ = 0;
    void EndIfExitFadeLost();
    // Pausing and suspending: the music, special and speech channels are
    // held and released without touching the settings.
    void SilenceForPause();
    void EndPauseSilence();
    void HandleMouseMove(int eventX, int eventY);
    bool PointerHeldOnGameArea() const;
    bool PressOffGameArea(int eventX, int eventY) const;
    void ReadFrameworkKeys();
    void ReadDebugKeys();
    void ExitKeys();
    void SaveProfileForExit();
    bool DisplayFits(int width, int height, int usable) const;
};

extern std::unique_ptr<TGame> Game;
// The folder that holds Data/ when it is not beside the executable (tests
// and tools point the game at a built data set); "" means found from it:
// beside it in the build tree, bin/../share/hollowmere once installed.
extern std::string DataPrefixOverride;

// The whole program as the executable runs it: start-up, main loop, exit;
// returns the process exit code. With "--measure-loading" it skips the
// splashes, prints how long loading took and the peak memory, and exits once
// loading is done.
int RunGame(int argc = 0, char** argv = nullptr);
// The same in pieces, so tests can drive the frame headless:
// start-up steps 1..11 (false when another copy runs), step 12 (graphics
// and loading; false when a close request ended it, the exit sequence
// having run), one frame of the loop (false once the program has ended and
// the exit sequence has run), and the exit sequence.
bool StartUpBeforeGraphics();
bool StartUpGraphicsAndLoad();
bool RunFrame();
void ExitSequence();
// The window title: product, version and credit.
std::string WindowTitle();
