// A crash or a full disk while the player's files are being saved. A child
// process saves two versions of the profile (or of the settings) in turn
// until it is killed at a random moment; afterwards the file is always one of
// the two versions, whole, and a new run of the game reads both files and
// its player: in this process, and the real program started on them. A save
// that hits the file size limit keeps the old file and ends with the fatal
// message naming it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "frame/Game.h"
#include "frame/IniFile.h"
#include "frame/Profile.h"
#include "progress/ProfileFixture.h"
#include "progress/ProfileStore.h"
#include "support/RealProgram.h"

namespace {

// 1,000 kills in all, split between the two files. Each kill costs a fork
// and a wait of up to 4 ms, so the whole run takes a few seconds.
constexpr int kProfileKills = 500;
constexpr int kSettingsKills = 500;

// The lines of a settings file but those the program sets itself at every
// start or end (the intro is shown again, the sound driver is the one it
// opened, the window's place is where it closed).
std::string SettingsKeptByTheProgram(const std::vector<uint8_t>& file) {
    std::istringstream lines(std::string(file.begin(), file.end()));
    std::string kept;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("INTRO=", 0) != 0 && line.rfind("SOUND DRIVER=", 0) != 0 &&
            line.rfind("WINDOW ", 0) != 0)
            kept += line + "\n";
    }
    return kept;
}

// Saves version 1 and version 2 in turn: the call that writes one version.
using SaveVersion = std::function<void(int version)>;

class ProfileCrashTest : public ProfileTest {
  protected:
    void SetUp() override {
        ProfileTest::SetUp();
        SelectProfile("Ada");
        ada_ = Game->CurrentProfile.get();
    }

    // Never returns: saves the two versions in turn, telling the parent once
    // the first save is done.
    [[noreturn]] static void SaveForever(const SaveVersion& save, int readyPipe) {
        for (long round = 0; round < 10'000'000; ++round) {
            save(1 + static_cast<int>(round % 2));
            if (round == 0) {
                const char ready = 1;
                if (write(readyPipe, &ready, 1) != 1) _exit(3);
            }
        }
        _exit(0);
    }

    // Kills a saving child `kills` times at random moments; after each kill
    // the file must be one of the two versions. Returns how many kills left
    // a temporary file behind (kills that landed inside a write).
    int KillWhileSaving(const SaveVersion& save, const std::string& path, int kills,
                        unsigned seed) {
        save(1);
        const std::vector<uint8_t> first = Bytes(path);
        save(2);
        const std::vector<uint8_t> second = Bytes(path);
        EXPECT_NE(first, second);

        std::mt19937 random(seed);
        std::uniform_int_distribution<int> waitMicroseconds(0, 4000);
        int strayTemporaryFiles = 0;
        for (int kill = 0; kill < kills; ++kill) {
            int ready[2];
            if (pipe(ready) != 0) {
                ADD_FAILURE() << "no pipe";
                return strayTemporaryFiles;
            }
            const pid_t child = fork();
            if (child == 0) {
                close(ready[0]);
                SaveForever(save, ready[1]);
            }
            close(ready[1]);
            char signal = 0;
            const bool saved = read(ready[0], &signal, 1) == 1;
            close(ready[0]);
            std::this_thread::sleep_for(std::chrono::microseconds(waitMicroseconds(random)));
            ::kill(child, SIGKILL);
            int status = 0;
            EXPECT_EQ(waitpid(child, &status, 0), child);
            if (!saved || !WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL) {
                ADD_FAILURE() << "kill " << kill << ": the child did not save until killed";
                return strayTemporaryFiles;
            }
            const std::vector<uint8_t> file = Bytes(path);
            if (file != first && file != second) {
                ADD_FAILURE() << "kill " << kill << ": " << file.size()
                              << " bytes, neither version of " << path;
                return strayTemporaryFiles;
            }
            if (std::filesystem::exists(path + ".tmp")) ++strayTemporaryFiles;
        }
        return strayTemporaryFiles;
    }

    // A new run of the game on the same folders: the settings are read (and
    // written back complete) and the remembered player is loaded.
    void StartAgain() {
        const std::string settings = Game->Ini->FileName;
        const std::string subPath = Game->SubPath;
        const std::string profiles = Game->ProfilePath;
        Game = std::make_unique<TGame>();
        Game->SubPath = subPath;
        Game->Ini->FileName = settings;
        Game->SetProfilePath(profiles);
        Game->IniFill();
        Game->Ini->Load();
        Game->IniExtract();
        ASSERT_TRUE(LoadRememberedProfile()) << "the player is remembered";
    }

    // The real program started headless, as a player starts it, on copies
    // of the settings and the profiles folder, put where it keeps them; it
    // loads everything, prints its loading figures with the player it loaded
    // and ends. Returns what it printed; its exit status goes to `status`.
    std::string StartTheRealGame(int& status) {
        namespace fs = std::filesystem;
        const fs::path root = fs::temp_directory_path() / ("hm-kills-" + std::to_string(getpid()));
        fs::remove_all(root);
        shared_ = root / "home" / "Brackenfold Games" / "Hollowmere";
        fs::create_directories(shared_);
        fs::create_directories(root / "run");
        fs::permissions(root / "run", fs::perms::owner_all);
        // The program names its settings file after itself.
        settings_ = shared_ / fs::path(HOLLOWMERE_EXECUTABLE).filename();
        settings_ += fs::path(Game->SettingsPath()).extension();
        fs::copy_file(Game->SettingsPath(), settings_);
        fs::copy(fs::path(FileOf("Ada")).parent_path(), shared_ / "profiles");
        const fs::path output = root / "output.txt";
        status = RunProgram({{"XDG_DATA_HOME", (root / "home").c_str()},
                             {"XDG_RUNTIME_DIR", (root / "run").c_str()}},
                            root / "errors.txt", 60000, ProgramBesideData(root / "program"),
                            "--measure-loading",
                            [&] { return freopen(output.c_str(), "w", stdout) != nullptr; });
        std::ifstream printed(output), errors(root / "errors.txt");
        std::stringstream text;
        text << printed.rdbuf() << errors.rdbuf();
        return text.str();
    }

    // In a child limited to `limit` bytes per file (the signal of the limit
    // ignored, so a write just fails): the fatal message of `save`, or
    // "saved" when it raised none.
    static std::string SaveWithFileSizeLimit(const std::function<void()>& save, rlim_t limit) {
        int message[2];
        if (pipe(message) != 0) return "no pipe";
        const pid_t child = fork();
        if (child == 0) {
            close(message[0]);
            signal(SIGXFSZ, SIG_IGN);
            const rlimit small{limit, limit};
            if (setrlimit(RLIMIT_FSIZE, &small) != 0) _exit(2);
            std::string text = "saved";
            try {
                save();
            } catch (const FatalError& error) {
                text = error.what();
            }
            const ssize_t written = write(message[1], text.data(), text.size());
            _exit(written == static_cast<ssize_t>(text.size()) ? 0 : 3);
        }
        close(message[1]);
        std::string text;
        char buffer[256];
        for (ssize_t got; (got = read(message[0], buffer, sizeof buffer)) > 0;)
            text.append(buffer, static_cast<size_t>(got));
        close(message[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "the child failed";
        return text;
    }

    TProfile* ada_ = nullptr;
    std::filesystem::path shared_;    // the real program's shared data folder
    std::filesystem::path settings_;  // and its settings file
};

TEST_F(ProfileCrashTest, AKilledSaveLeavesTheOldFileOrTheNewOneAndTheGameStartsOnIt) {
    TProfile* ada = ada_;
    const SaveVersion saveProfile = [ada](int version) {
        ada->Score = version;
        ada->Save();
    };
    const SaveVersion saveSettings = [](int version) {
        Game->FullScreen = version - 1;
        Game->IniUpdate(0);
    };
    const int strayProfiles = KillWhileSaving(saveProfile, FileOf("Ada"), kProfileKills, 300);
    EXPECT_EQ(ProfileNames(), std::vector<std::string>{"Ada"});
    const int straySettings =
        KillWhileSaving(saveSettings, Game->SettingsPath(), kSettingsKills, 301);
    // How many kills landed while a new version was being written.
    RecordProperty("StrayTemporaryProfiles", strayProfiles);
    RecordProperty("StrayTemporarySettings", straySettings);

    StartAgain();
    EXPECT_TRUE(Game->FullScreen == 0 || Game->FullScreen == 1) << Game->FullScreen;
    EXPECT_EQ(Game->ProfileName, "Ada");
    ASSERT_TRUE(Game->CurrentProfile);
    EXPECT_EQ(Game->CurrentProfile->Name, "Ada");
    EXPECT_TRUE(Game->CurrentProfile->Score == 1 || Game->CurrentProfile->Score == 2)
        << Game->CurrentProfile->Score;

    // Once, the real program on the same files: it loads the player, has
    // nothing to report and leaves the profile as the kills left it.
    const std::vector<uint8_t> survivor = Bytes(FileOf("Ada"));
    const std::vector<uint8_t> survivingSettings = Bytes(Game->SettingsPath());
    int status = -1;
    const std::string printed = StartTheRealGame(status);
    EXPECT_EQ(status, 0) << printed;
    EXPECT_NE(printed.find("player: Ada\n"), std::string::npos) << printed;
    EXPECT_FALSE(std::filesystem::exists(shared_ / "ErrorLog.txt"));
    EXPECT_TRUE(std::filesystem::exists(shared_ / "GoodExit.dat")) << "it ended cleanly";
    EXPECT_EQ(Bytes((shared_ / "profiles" / "Ada.dat").string()), survivor);
    // It read these settings and wrote them back.
    EXPECT_EQ(SettingsKeptByTheProgram(Bytes(settings_.string())),
              SettingsKeptByTheProgram(survivingSettings));
    std::filesystem::remove_all(shared_.parent_path().parent_path().parent_path());
}

TEST_F(ProfileCrashTest, AFullDiskKeepsTheOldFileAndEndsWithTheFileNamed) {
    ada_->Score = 1;
    ada_->Save();
    Game->FullScreen = 0;
    Game->IniUpdate(0);
    const std::string profile = FileOf("Ada");
    const std::string settings = Game->SettingsPath();
    const std::vector<uint8_t> oldProfile = Bytes(profile);
    const std::vector<uint8_t> oldSettings = Bytes(settings);
    ASSERT_GT(oldProfile.size(), 16u);
    ASSERT_GT(oldSettings.size(), 16u);

    TProfile* ada = ada_;
    EXPECT_EQ(SaveWithFileSizeLimit(
                  [ada] {
                      ada->Score = 2;
                      ada->Save();
                  },
                  oldProfile.size() / 2),
              "Could not create file '" + profile + "'");
    EXPECT_EQ(Bytes(profile), oldProfile);
    EXPECT_FALSE(std::filesystem::exists(profile + ".tmp"));

    EXPECT_EQ(SaveWithFileSizeLimit(
                  [] {
                      Game->FullScreen = 1;
                      Game->IniUpdate(0);
                  },
                  oldSettings.size() / 2),
              "Failed to save file " + settings);
    EXPECT_EQ(Bytes(settings), oldSettings);
    EXPECT_FALSE(std::filesystem::exists(settings + ".tmp"));

    // With room enough the same saves go through.
    EXPECT_EQ(SaveWithFileSizeLimit(
                  [ada] {
                      ada->Score = 2;
                      ada->Save();
                  },
                  1 << 20),
              "saved");
    EXPECT_NE(Bytes(profile), oldProfile);
}

}  // namespace
