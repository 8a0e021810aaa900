#include "support/ProgramFixture.h"

#include <unistd.h>

#include "engine/platform/Platform.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"
#include "frame/Loading.h"
#include "screens/OptionsScreen.h"
#include "screens/TitleScreen.h"

namespace fs = std::filesystem;

void ProgramTest::SetUp() {
    HeadlessTest::SetUp();
    home_ = fs::temp_directory_path() / ("hm-program-" + std::to_string(getpid()));
    fs::create_directories(home_);
    env_ = std::make_unique<ScopedEnv>("XDG_DATA_HOME", home_.c_str());
    // The single-copy lock too, so tests running side by side do not meet.
    fs::create_directories(home_ / "run");
    runtimeEnv_ = std::make_unique<ScopedEnv>("XDG_RUNTIME_DIR", (home_ / "run").c_str());
    FatalErrorShowsBox = false;
    ShowSplashes = false;
}

void ProgramTest::TearDown() {
    // The front-end screens outlive the game object: what they hold goes
    // with it.
    if (Game) {
        TitleScreen->Kill();
        OptionsScreen->Kill();
    }
    ShowSplashes = true;
    ReleaseSingleInstance();
    Game.reset();
    FatalErrorShowsBox = true;
    runtimeEnv_.reset();
    env_.reset();
    fs::remove_all(home_);
    HeadlessTest::TearDown();
}
