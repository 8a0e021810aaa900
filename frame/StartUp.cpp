// The program's top level: start-up in its order, the main loop, the exit
// sequence and the guard that catches what escapes them.
#include <sys/resource.h>

#include <cstdio>
#include <exception>

#include "engine/Clock.h"
#include "engine/Graphics.h"
#include "engine/Input.h"
#include "engine/Random.h"
#include "engine/Strings.h"
#include "engine/platform/Platform.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"
#include "frame/Loading.h"
#include "frame/LoadingScreen.h"
#include "frame/MousePointer.h"
#include "frame/Profile.h"
#include "frame/Screen.h"
#include "media/GameImage.h"
#include "media/Sound.h"
#include "progress/ProfileStore.h"

// The shared data folder under the user's data folder, and the program's
// name for its single running copy.
const char* const kSharedFolder = "Brackenfold Games/Hollowmere";
const char* const kInstanceName = "Hollowmere";

std::string WindowTitle() {
    return "Hollowmere V" + Game->VersionNumber + " - \xC2\xA9 2026 Brackenfold Games";
}

bool StartUpBeforeGraphics() {
    ErrorCheckpoint = 900;
    // The lock lives in the session's runtime folder, else in the shared one.
    const std::string fallback = UserDataFolder() + "/" + kSharedFolder;
    if (!AcquireSingleInstance(kInstanceName, fallback)) {
        // A second copy brings the running one to the front, then ends.
        AskRunningCopyToShow(kInstanceName, fallback);
        return false;
    }
    ErrorCheckpoint = 901;
    BlockLogicWhileFading = 1;
    ScreenWidth = 1024;
    ScreenHeight = 768;
    GraphicsStarted = 0;
    ErrorCheckpoint = 902;
    Game = std::make_unique<TGame>();
    SetWindowTitle(WindowTitle());
    Game->ClsColor = TColor::Create(0, 0, 0, 1.0f);
    Game->DataInAppBundle = 1;
    Game->CorrectPathID = 26;
    Game->SetSubPathWrapper(kSharedFolder, 1);
    ErrorCheckpoint = 903;
    Game->CheckGoodExit();
    ErrorCheckpoint = 904;
    Game->Init(0, 1);
    ErrorCheckpoint = 905;
    Game->FixedRateLogic->SetDefaultFramerate(200);
    Game->Region = Game->SubRegion = 0;
    Game->PortalSplash = 0;
    Game->IntroShow = 1;
    Game->Fade = 1;
    Game->IniFill();
    Game->Ini->Save();
    ErrorCheckpoint = 906;
    SoundBank.SetPath(Game->SoundPath);
    ImageBank.SetPath(Game->ImagePath);
    Game->ChannelsCreate(16);
    Game->SetEscapeSound("buttonclick");
    ErrorCheckpoint = 907;
    const uint32_t seed = static_cast<uint32_t>(MilliSecs());
    SeedRnd(seed);
    CSrand(seed);
    ErrorCheckpoint = 908;
    Game->IgnoreFrameworkKeys = 1;
    Game->IgnoreDebugKey = 1;
    FrameworkKeys.VolumeDown = FrameworkKeys.VolumeUp = FrameworkKeys.Minimise = 0;
    FrameworkKeys.SoundToggle = FrameworkKeys.Fast = FrameworkKeys.FlipSyncCycle = 0;
    FrameworkKeys.NoTiming = FrameworkKeys.SoundDriverCycle = 0;
    ErrorCheckpoint = 909;
    DefaultFadeLength = 300;
    Game->FixedRateLogic->JitterCorrection = 0;
    Game->MusicFadeIn = 0;
    Game->DebugDisplayX = Game->DebugDisplayY = 5;
    Game->SlowMotionSpeed = 0.2f;
    Game->PauseOnLossOfFullScreenFocus = 1;
    Game->MaxLevels = 100;
    InstallProfileCreationHook();
    Game->EnsurePlayLog();
    return true;
}

bool StartUpGraphicsAndLoad() {
    ErrorCheckpoint = 920;
    Game->GraphicsCreate(0);
    GraphicsStarted = 1;
    if (Game->CustomMousePointer) HidePointer();
    ErrorCheckpoint = 930;
    try {
        LoadAllResources();
    } catch (const TCloseDuringLoading&) {
        ExitSequence();
        return false;
    }
    FlushAll();
    Game->FixedRateLogic->Init();
    Game->NoTimingTicks = 3;
    ErrorCheckpoint = 950;
    return true;
}

bool RunFrame() {
    // Another copy was started: this one comes to the front instead.
    if (ShowRequested()) RaiseWindow();
    if (Game->MainLogicLoop() == -1) {
        ExitSequence();
        return false;
    }
    Game->ScreenDraw();
    return true;
}

void ExitSequence() {
    Game->RememberWindowPlacement();
    Game->MakeGoodExit();
    ShowPointer();
    Game->Kill();
}

namespace {

// The time and memory loading took, and the player it loaded (the one the
// title will welcome).
void ReportLoadingFigures(uint32_t elapsedMs) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const std::string player = Game->CurrentProfile ? Game->CurrentProfile->Name : "none";
    std::printf("loading: %u ms, peak memory: %ld MiB, player: %s\n", elapsedMs,
                usage.ru_maxrss / 1024, player.c_str());
}

// What escapes the guard: the graphics go, the message is shown and logged.
int ReportEscapedError(const std::string& what) {
    CloseGraphics();
    ShowPointer();
    const std::string message =
        ErrorCheckpoint != 0 ? "(" + FromInt(ErrorCheckpoint) + ") " + what : what;
    ShowSystemMessageBox("Hollowmere", message, false);
    AppendErrorLog(message);
    return 1;
}

}  // namespace

int RunGame(int argc, char** argv) {
    const bool measureLoading = argc > 1 && std::string(argv[1]) == "--measure-loading";
    UseFrameHeap();
    try {
        const uint32_t started = static_cast<uint32_t>(MilliSecs());
        if (measureLoading) ShowSplashes = false;
        if (!StartUpBeforeGraphics()) return 0;
        const bool loaded = StartUpGraphicsAndLoad();
        if (loaded && measureLoading) {
            ReportLoadingFigures(static_cast<uint32_t>(MilliSecs()) - started);
            ExitSequence();
        }
        while (loaded && !measureLoading && RunFrame()) {
        }
        ShutdownAudio();
        CloseGraphics();
        return 0;
    } catch (const std::exception& error) {
        return ReportEscapedError(error.what());
    } catch (...) {
        return ReportEscapedError("Unknown error");
    }
}
