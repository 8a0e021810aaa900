// The whole program driven headless: start-up, the loop with the fake clock,
// Esc to the exit screen, the exit sequence, and a second copy.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "engine/Input.h"
#include "engine/Strings.h"
#include "engine/platform/Platform.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"
#include "frame/Loading.h"
#include "frame/LoadingScreen.h"
#include "frame/Screen.h"
#include "support/ProgramFixture.h"
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

// Starts the real executable and returns its exit status, or -1 when it was
// still running after the timeout (then it is killed).
int RunSecondCopy(const fs::path& dataHome, int timeoutMs) {
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        execl(HOLLOWMERE_EXECUTABLE, "hollowmere", static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
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
    EXPECT_EQ(CountLines(settings), 25);
    EXPECT_EQ(ScreenWidth, 1024);
    EXPECT_EQ(DefaultFadeLength, 300);

    // A second copy started now ends at once, silently and cleanly.
    EXPECT_EQ(RunSecondCopy(home_, 10000), 0);
    EXPECT_FALSE(fs::exists(shared / "GoodExit.dat"));

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

    // A level is not left by Esc; the close box ends the game from anywhere.
    InjectKeyEvent("Escape", true);
    InjectKeyEvent("Escape", false);
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(RunFrame());
    InjectWindowClose();
    bool running = true;
    for (int i = 0; i < 200 && running; ++i)
        running = RunFrame();
    EXPECT_FALSE(running) << "closing fades to the exit screen and ends the loop";
    EXPECT_TRUE(fs::exists(shared / "GoodExit.dat"));
}

}  // namespace
