// The operating-system layer: single running copy, folders, system facts.
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "engine/platform/Platform.h"
#include "support/ScopedEnv.h"

namespace fs = std::filesystem;

namespace {

// A second copy of this test program, started with HM_ACQUIRE_AND_EXIT set,
// only tries for the lock (falling back to HM_FALLBACK) and, refused, asks
// the running copy to show itself; it reports through its exit status before
// any test runs: 1 lock taken, 2 refused and heard, 0 refused and not heard.
const bool kSecondCopy = [] {
    if (const char* name = std::getenv("HM_ACQUIRE_AND_EXIT")) {
        const std::string fallback = std::getenv("HM_FALLBACK");
        if (AcquireSingleInstance(name, fallback)) _exit(1);
        _exit(AskRunningCopyToShow(name, fallback) ? 2 : 0);
    }
    return false;
}();

// Runs the second copy in a fresh process and returns its exit status.
int SecondCopy(const std::string& name, const std::string& fallback) {
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("HM_ACQUIRE_AND_EXIT", name.c_str(), 1);
        setenv("HM_FALLBACK", fallback.c_str(), 1);
        execl("/proc/self/exe", "second-copy", static_cast<char*>(nullptr));
        _exit(3);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class SingleInstanceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("hm-instance-" + std::to_string(getpid()));
        fs::create_directories(folder_ / "run");
        runtime_ = std::make_unique<ScopedEnv>("XDG_RUNTIME_DIR", (folder_ / "run").c_str());
    }
    void TearDown() override {
        ReleaseSingleInstance();
        runtime_.reset();
        fs::remove_all(folder_);
    }
    fs::path folder_;
    std::unique_ptr<ScopedEnv> runtime_;
};

TEST_F(SingleInstanceTest, OnlyOneCopyHoldsTheLockInTheRuntimeFolder) {
    const std::string fallback = (folder_ / "shared").string();
    EXPECT_EQ(SecondCopy("Hollowmere", fallback), 1) << "free lock is taken";
    ASSERT_TRUE(AcquireSingleInstance("Hollowmere", fallback));
    EXPECT_TRUE(fs::exists(folder_ / "run" / "Hollowmere.lock"));
    EXPECT_FALSE(fs::exists(folder_ / "shared")) << "the fallback is not needed";
    EXPECT_TRUE(AcquireSingleInstance("Hollowmere", fallback))
        << "asking again in the same copy is harmless";
    EXPECT_FALSE(ShowRequested()) << "nobody asked yet";

    // A second copy is refused, and the running one hears it, once.
    EXPECT_EQ(SecondCopy("Hollowmere", fallback), 2);
    EXPECT_TRUE(ShowRequested());
    EXPECT_FALSE(ShowRequested());
    EXPECT_EQ(SecondCopy("Hollowmere", fallback), 2);
    EXPECT_EQ(SecondCopy("Hollowmere", fallback), 2);
    EXPECT_TRUE(ShowRequested()) << "two requests in one frame are one";
    EXPECT_FALSE(ShowRequested());

    ReleaseSingleInstance();
    EXPECT_FALSE(fs::exists(folder_ / "run" / "Hollowmere.sock")) << "the socket goes too";
    EXPECT_EQ(SecondCopy("Hollowmere", fallback), 1) << "released lock is free again";
}

TEST_F(SingleInstanceTest, WithoutARuntimeFolderTheLockLivesInTheGamesFolder) {
    runtime_ = std::make_unique<ScopedEnv>("XDG_RUNTIME_DIR", nullptr);
    const fs::path fallback = folder_ / "shared" / "Hollowmere";
    EXPECT_EQ(SingleInstanceFolder(fallback.string()), fallback.string());
    ASSERT_TRUE(AcquireSingleInstance("Hollowmere", fallback.string()));
    EXPECT_TRUE(fs::exists(fallback / "Hollowmere.lock")) << "the folder is made";
    EXPECT_EQ(SecondCopy("Hollowmere", fallback.string()), 2);
    EXPECT_TRUE(ShowRequested());
    {
        ScopedEnv relative("XDG_RUNTIME_DIR", "run/relative");
        EXPECT_EQ(SingleInstanceFolder("/games/x"), "/games/x") << "a relative value is ignored";
    }
}

TEST_F(SingleInstanceTest, AStaleSocketFromACrashedCopyIsReplaced) {
    const std::string fallback = (folder_ / "shared").string();
    std::ofstream(folder_ / "run" / "Hollowmere.sock") << "left behind";
    ASSERT_TRUE(AcquireSingleInstance("Hollowmere", fallback));
    EXPECT_EQ(SecondCopy("Hollowmere", fallback), 2);
    EXPECT_TRUE(ShowRequested());
}

TEST_F(SingleInstanceTest, ACopyThatCannotBeReachedIsNotWaitedFor) {
    const std::string fallback = (folder_ / "shared").string();
    EXPECT_FALSE(AskRunningCopyToShow("Hollowmere", fallback)) << "nobody listening";
    EXPECT_FALSE(ShowRequested()) << "no lock held: nothing to hear";
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

TEST(PlatformTest, TheSystemNamesItselfLinux) {
    EXPECT_EQ(OperatingSystemName().rfind("Linux ", 0), 0u) << OperatingSystemName();
}

}  // namespace

// The heap policy of the loads: glibc's own allocator only (the sanitizers
// bring theirs).
#if defined(__SANITIZE_ADDRESS__)
#define HOLLOWMERE_OWN_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HOLLOWMERE_OWN_ALLOCATOR 1
#endif
#endif

#ifndef HOLLOWMERE_OWN_ALLOCATOR
namespace {

size_t MappedBlockBytes() {
    return mallinfo2().hblkhd;
}

// A block written through, so the compiler cannot leave its allocation out.
std::unique_ptr<char[]> UsedBlock(size_t bytes) {
    std::unique_ptr<char[]> block(new char[bytes]);
    static_cast<volatile char*>(block.get())[bytes - 1] = 1;
    return block;
}

size_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

}  // namespace
#endif

TEST(HeapTest, LargeBlocksAreMappedOnTheirOwnOnlyWhileALoadLastsAndItsEndReturnsFreePages) {
#ifdef HOLLOWMERE_OWN_ALLOCATOR
    GTEST_SKIP() << "the sanitizer's allocator ignores these settings";
#else
    UseFrameHeap();
    // Larger than any free room the heap may hold: the heap's own free
    // blocks serve first, whatever the mode.
    constexpr size_t kPicture = 16 * 1024 * 1024;
    const size_t mappedBefore = MappedBlockBytes();
    {
        const LoadingHeapScope loading;
        { const LoadingHeapScope nested; }
        std::unique_ptr<char[]> picture = UsedBlock(kPicture);
        EXPECT_GE(MappedBlockBytes(), mappedBefore + kPicture)
            << "while loading (a nested scope ended inside) it is mapped on its own";
        picture.reset();
        EXPECT_EQ(MappedBlockBytes(), mappedBefore) << "and goes back when freed";
    }
    {
        std::unique_ptr<char[]> frame = UsedBlock(kPicture);
        EXPECT_EQ(MappedBlockBytes(), mappedBefore) << "between loads it comes from the heap";
    }

    // Small blocks let go between loads stay in the heap until a load ends.
    std::vector<std::unique_ptr<char[]> > blocks;
    for (int i = 0; i < 4096; ++i) {
        blocks.emplace_back(new char[4000]);
        std::memset(blocks.back().get(), 1, 4000);
    }
    for (size_t i = 0; i + 1 < blocks.size(); ++i)
        blocks[i].reset();  // the last one keeps the heap from shrinking at its top
    const size_t heldAfterFree = ResidentBytes();
    { const LoadingHeapScope loading; }
    EXPECT_LT(ResidentBytes() + 8 * 1024 * 1024, heldAfterFree)
        << "the end of a load hands the free pages back";
#endif
}
