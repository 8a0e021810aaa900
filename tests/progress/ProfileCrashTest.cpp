// A crash while a profile is being saved: a child process saves two versions
// of a profile in turn until it is killed at a random moment; afterwards the
// file is always one of the two versions, whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "frame/Game.h"
#include "frame/Profile.h"
#include "progress/ProfileFixture.h"
#include "progress/ProfileStore.h"

namespace {

using ProfileCrashTest = ProfileTest;

// Never returns: saves the profile as version 1 and 2 in turn, telling the
// parent once the first save is done.
[[noreturn]] void SaveForever(TProfile& profile, int readyPipe) {
    for (long save = 0; save < 10'000'000; ++save) {
        profile.Score = 1 + save % 2;
        profile.Save();
        if (save == 0) {
            const char ready = 1;
            if (write(readyPipe, &ready, 1) != 1) _exit(3);
        }
    }
    _exit(0);
}

TEST_F(ProfileCrashTest, AKilledSaveLeavesTheOldFileOrTheNewOneNeverAMix) {
    SelectProfile("Ada");
    TProfile& ada = *Game->CurrentProfile;
    ada.Score = 1;
    ada.Save();
    const std::vector<uint8_t> first = Bytes(FileOf("Ada"));
    ada.Score = 2;
    ada.Save();
    const std::vector<uint8_t> second = Bytes(FileOf("Ada"));
    ASSERT_NE(first, second);

    std::mt19937 random(300);
    std::uniform_int_distribution<int> waitMicroseconds(0, 4000);
    int strayTemporaryFiles = 0;
    for (int kill = 0; kill < 300; ++kill) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(ready[0]);
            SaveForever(ada, ready[1]);
        }
        close(ready[1]);
        char signal = 0;
        ASSERT_EQ(read(ready[0], &signal, 1), 1) << "the child saved once";
        close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(waitMicroseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child was still saving when killed";

        const std::vector<uint8_t> file = Bytes(FileOf("Ada"));
        ASSERT_TRUE(file == first || file == second)
            << "kill " << kill << ": " << file.size() << " bytes, neither version";
        if (std::filesystem::exists(FileOf("Ada") + ".tmp")) ++strayTemporaryFiles;
        EXPECT_EQ(ProfileNames(), std::vector<std::string>{"Ada"}) << "kill " << kill;
    }
    // How many kills landed while a new version was being written.
    RecordProperty("StrayTemporaryFiles", strayTemporaryFiles);
}

}  // namespace
