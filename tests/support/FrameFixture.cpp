#include "support/FrameFixture.h"

#include <unistd.h>

#include "engine/Input.h"
#include "frame/ErrorReport.h"

namespace {
int g_counter = 0;
}

void FrameTest::SetUp() {
    HeadlessTest::SetUp();
    home_ = std::filesystem::temp_directory_path() /
            ("hm-frame-" + std::to_string(getpid()) + "-" + std::to_string(++g_counter));
    std::filesystem::create_directories(home_);
    dataHome_ = std::make_unique<ScopedEnv>("XDG_DATA_HOME", home_.c_str());
    ScreenWidth = 1024;
    ScreenHeight = 768;
    DefaultFadeLength = 300;
    BlockLogicWhileFading = 1;
    UsePolledInput = 0;
    GraphicsStarted = 1;
    FlushEvents();
    Game = std::make_unique<TGame>();
    Game->ClsColor = TColor::Create(0, 0, 0, 1.0f);
    Game->IgnoreFrameworkKeys = 1;
    Game->IgnoreDebugKey = 1;
    Game->FixedRateLogic->Create();
    Game->FixedRateLogic->JitterCorrection = 0;
    Game->FixedRateLogic->Init();
    // Settings, markers and profiles a test makes the game save stay in the
    // test's own folder.
    Game->SubPath = home_.string() + "/";
    Game->Ini->FileName = home_.string() + "/test.ini";
    Game->SetProfilePath(home_.string() + "/profiles");
    std::filesystem::create_directories(home_ / "profiles");
    FlushAll();
}

void FrameTest::TearDown() {
    Game.reset();
    dataHome_.reset();
    std::error_code error;
    std::filesystem::remove_all(home_, error);
    HeadlessTest::TearDown();
}

void FrameTest::Steps(int count) {
    for (int i = 0; i < count; ++i) {
        Game->FixedRateLogic->SetDelta(1.0f);
        Game->LogicWrapper();
    }
}
