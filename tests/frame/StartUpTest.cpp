// The whole program driven headless: start-up, the loop with the fake clock,
// Esc to the exit screen, the exit sequence, and a second copy.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <utility>
#include <vector>

#include "engine/Graphics.h"
#include "engine/Input.h"
#include "engine/Strings.h"
#include "engine/platform/Platform.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"
#include "frame/Loading.h"
#include "frame/LoadingScreen.h"
#include "frame/Screen.h"
#include "progress/ProfileStore.h"
#include "screens/TitleScreen.h"
#include "support/ProgramFixture.h"
#include "support/RealProgram.h"
#include "support/ScopedEnv.h"

namespace fs = std::filesystem;

namespace {

int CountLines(const fs::path& file) {
    std::ifstream in(file);
    int lines = 0;
    for (std::string line; std::getline(in, line);)
        ++lines;
    return lines;
}

// Every file under a folder with its contents and time of change.
std::map<std::string, std::pair<std::string, fs::file_time_type>> Snapshot(const fs::path& folder) {
    std::map<std::string, std::pair<std::string, fs::file_time_type>> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        files[entry.path().string()] = {bytes.str(), entry.last_write_time()};
    }
    return files;
}

int RunSecondCopy(const fs::path& dataHome, int timeoutMs) {
    return RunProgram({{"XDG_DATA_HOME", dataHome.c_str()}}, {}, timeoutMs);
}

std::string TextOf(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

using StartUpTest = ProgramTest;

TEST_F(StartUpTest, RunsFromStartToACleanExit) {
    ASSERT_TRUE(StartUpBeforeGraphics());
    const fs::path shared = home_ / "Brackenfold Games" / "Hollowmere";
    EXPECT_TRUE(fs::is_directory(shared));
    EXPECT_TRUE(fs::is_directory(shared / "profiles"));
    EXPECT_TRUE(fs::exists(shared / "logfile.xml"));
    const fs::path settings = Game->SettingsPath();
    EXPECT_EQ(fs::path(settings).parent_path(), shared);
    EXPECT_EQ(CountLines(settings), 29);
    EXPECT_EQ(ScreenWidth, 1024);
    EXPECT_EQ(DefaultFadeLength, 300);

    // The single-copy lock is in the session's runtime folder.
    EXPECT_TRUE(fs::exists(home_ / "run" / "Hollowmere.lock"));
    EXPECT_FALSE(fs::exists(home_ / "Hollowmere.lock"));

    // A second copy started now ends at once and cleanly, asking this one to
    // show itself, and leaves every file of the player as it was.
    const auto before = Snapshot(shared);
    EXPECT_EQ(RunSecondCopy(home_, 10000), 0);
    EXPECT_FALSE(fs::exists(shared / "GoodExit.dat"));
    EXPECT_TRUE(Snapshot(shared) == before) << "the second copy touched a file";
    EXPECT_TRUE(ShowRequested()) << "the second copy asked";

    // A player of an earlier run, so the loading screen asks for no name.
    SelectProfile("Ada");
    StartUpGraphicsAndLoad();
    ASSERT_EQ(Game->CurrentTScreen, Game->LoadingScreen);
    // A click on the loading screen fades out to the first screen.
    const TScreenPtr first = Game->LoadingScreen->Destination;
    InjectMouseButton(1, true, 500, 500);
    InjectMouseButton(1, false, 500, 500);
    for (int i = 0; i < 200 && Game->CurrentTScreen != first; ++i)
        ASSERT_TRUE(RunFrame());
    ASSERT_EQ(Game->CurrentTScreen, first);
    EXPECT_TRUE(Game->GameFade->Active) << "the first screen fades in";
    int frames = 0;
    while (Game->GameFade->Active && frames < 200) {
        ASSERT_TRUE(RunFrame());
        ++frames;
    }
    // Frames are paced to the display: about 60 a second of game time.
    EXPECT_GE(frames, 15);
    EXPECT_LE(frames, 22);

    // Esc on the title asks first; Yes leads out.
    ASSERT_EQ(first->name, "title");
    InjectKeyEvent("Escape", true);
    InjectKeyEvent("Escape", false);
    for (int i = 0; i < 200 && !TitleScreen->ExitDialog; ++i)
        ASSERT_TRUE(RunFrame());
    ASSERT_TRUE(TitleScreen->ExitDialog) << "Esc asks before leaving";
    for (int i = 0; i < 200 && TitleScreen->ExitDialog->Transitioning; ++i)
        ASSERT_TRUE(RunFrame());
    InjectKeyEvent("Y", true);
    InjectKeyEvent("Y", false);
    bool running = true;
    for (int i = 0; i < 300 && running; ++i)
        running = RunFrame();
    EXPECT_FALSE(running) << "Yes fades to the exit screen and ends the loop";
    EXPECT_TRUE(fs::exists(shared / "GoodExit.dat"));
}

TEST_F(StartUpTest, ASecondCopyBringsTheMinimisedGameBack) {
    ASSERT_TRUE(StartUpBeforeGraphics());
    ASSERT_TRUE(StartUpGraphicsAndLoad());
    InjectWindowMinimised(true);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(RunFrame());
    ASSERT_EQ(Game->Suspended, 1);
    EXPECT_EQ(RunSecondCopy(home_, 10000), 0) << "the second copy ends as before";
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(RunFrame());
    EXPECT_FALSE(WindowMinimised());
    EXPECT_EQ(Game->Suspended, 0) << "the running copy is back in front";
}

TEST_F(StartUpTest, WithoutADisplayItRefusesToRunUnseen) {
    const fs::path home = home_ / "no-display";
    fs::create_directories(home);
    const fs::path errors = home_ / "errors.txt";
    const fs::path program = ProgramBesideData(home_ / "program");
    // No desktop to reach, and nobody asking for a headless driver.
    const int status = RunProgram({{"DISPLAY", nullptr},
                                   {"WAYLAND_DISPLAY", nullptr},
                                   {"SDL_VIDEODRIVER", nullptr},
                                   {"XDG_DATA_HOME", home.c_str()},
                                   {"XDG_RUNTIME_DIR", home.c_str()}},
                                  errors, 20000, program);
    EXPECT_NE(status, -1) << "it ran on, unseen";
    EXPECT_NE(status, 0);
    const std::string printed = TextOf(errors);
    EXPECT_EQ(printed.rfind("No display found", 0), 0u) << printed;
    const std::string log = TextOf(home / "Brackenfold Games" / "Hollowmere" / "ErrorLog.txt");
    EXPECT_NE(log.find("No display found"), std::string::npos) << log;
}

TEST_F(StartUpTest, WithoutAnAudioDeviceItPlaysSilently) {
    const fs::path home = home_ / "no-audio";
    fs::create_directories(home);
    const fs::path errors = home_ / "errors.txt";
    const fs::path program = ProgramBesideData(home_ / "program");
    // A driver that does not exist opens no device at all.
    const int status = RunProgram({{"SDL_AUDIODRIVER", "no-such-device"},
                                   {"XDG_DATA_HOME", home.c_str()},
                                   {"XDG_RUNTIME_DIR", home.c_str()}},
                                  errors, 60000, program, "--measure-loading");
    EXPECT_EQ(status, 0) << TextOf(errors);
    const fs::path shared = home / "Brackenfold Games" / "Hollowmere";
    EXPECT_FALSE(fs::exists(shared / "ErrorLog.txt")) << TextOf(shared / "ErrorLog.txt");
    EXPECT_TRUE(fs::exists(shared / "GoodExit.dat")) << "it loaded everything and left cleanly";
}

TEST_F(StartUpTest, AReadOnlyDataFolderEndsWithTheFolderNamed) {
    const fs::path home = home_ / "read-only";
    const fs::path runtime = home_ / "runtime";
    fs::create_directories(home);
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::all);
    fs::permissions(home, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read |
                              fs::perms::others_exec);
    const fs::path errors = home_ / "errors.txt";
    const fs::path program = ProgramBesideData(home_ / "program");
    // The administrator may write anywhere: the program then runs as nobody.
    const auto asAnOrdinaryUser = [] {
        if (geteuid() != 0) return true;
        return setgid(65534) == 0 && setuid(65534) == 0;
    };
    const int status =
        RunProgram({{"XDG_DATA_HOME", home.c_str()}, {"XDG_RUNTIME_DIR", runtime.c_str()}}, errors,
                   20000, program, "--measure-loading", asAnOrdinaryUser);
    EXPECT_EQ(status, 1);
    const std::string printed = TextOf(errors);
    const std::string folder = (home / "Brackenfold Games" / "Hollowmere").string();
    EXPECT_NE(printed.find("Cannot create shared data folder " + folder), std::string::npos)
        << printed;
    EXPECT_TRUE(fs::is_empty(home)) << "nothing was written";
}

}  // namespace
