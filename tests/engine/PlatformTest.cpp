// The operating-system layer: single running copy, folders, system facts.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "engine/platform/Platform.h"
#include "support/ScopedEnv.h"

namespace {

// A second copy of this test program, started with HM_ACQUIRE_AND_EXIT set,
// only tries for the lock and reports through its exit status, before any
// test runs.
const bool kSecondCopy = [] {
    if (const char* name = std::getenv("HM_ACQUIRE_AND_EXIT"))
        _exit(AcquireSingleInstance(name) ? 1 : 0);
    return false;
}();

// Runs AcquireSingleInstance in a fresh process and returns its answer.
bool AcquireInAnotherProcess(const std::string& name) {
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("HM_ACQUIRE_AND_EXIT", name.c_str(), 1);
        execl("/proc/self/exe", "second-copy", static_cast<char*>(nullptr));
        _exit(2);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

TEST(PlatformTest, OnlyOneCopyHoldsTheInstanceLock) {
    const std::string folder =
        std::filesystem::temp_directory_path() / ("hm-instance-" + std::to_string(getpid()));
    ScopedEnv data("XDG_DATA_HOME", folder.c_str());
    EXPECT_TRUE(AcquireInAnotherProcess("Hollowmere")) << "free lock is taken";
    ASSERT_TRUE(AcquireSingleInstance("Hollowmere"));
    EXPECT_TRUE(AcquireSingleInstance("Hollowmere")) << "asking again in the same copy is harmless";
    EXPECT_FALSE(AcquireInAnotherProcess("Hollowmere")) << "a second copy is refused";
    ReleaseSingleInstance();
    EXPECT_TRUE(AcquireInAnotherProcess("Hollowmere")) << "released lock is free again";
    std::filesystem::remove_all(folder);
}

TEST(PlatformTest, UserDataFolderFollowsTheBaseDirectoryRules) {
    {
        ScopedEnv data("XDG_DATA_HOME", "/srv/somewhere/");
        EXPECT_EQ(UserDataFolder(), "/srv/somewhere");
    }
    {
        ScopedEnv data("XDG_DATA_HOME", "relative/ignored");
        ScopedEnv home("HOME", "/home/player");
        EXPECT_EQ(UserDataFolder(), "/home/player/.local/share");
    }
    {
        ScopedEnv data("XDG_DATA_HOME", nullptr);
        ScopedEnv home("HOME", "/home/other");
        EXPECT_EQ(UserDataFolder(), "/home/other/.local/share");
    }
}

TEST(PlatformTest, SystemFactsAndWallpaperFailHonestly) {
    EXPECT_EQ(OperatingSystemName().rfind("Linux ", 0), 0u) << OperatingSystemName();
    {
        ScopedEnv desktop("XDG_CURRENT_DESKTOP", "NoSuchDesktop");
        EXPECT_FALSE(SetDesktopWallpaper("/etc/hostname")) << "unknown desktop: no tool to ask";
    }
    EXPECT_FALSE(SetDesktopWallpaper("/no/such/picture.bmp"));
}

}  // namespace
