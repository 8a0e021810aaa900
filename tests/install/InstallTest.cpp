// The installed game: `cmake --install` into a temporary prefix lays out the
// executable, its engine library, the data and the desktop files the
// standard way; the installed executable finds its data from its own folder
// and starts headless to the loading screen; the launcher and the
// software-centre description pass their validators.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kAppId = "com.brackenfoldgames.Hollowmere";

struct Outcome {
    int status = -1;  // exit status; -1 when it did not end in time, -2 when killed
    std::string output;
};

// Runs a program with its output (both streams) captured, in `folder`, with
// extra environment variables; gives up after two minutes.
Outcome RunProgram(const std::vector<std::string>& args,
                   const fs::path& folder = fs::current_path(),
                   const std::map<std::string, std::string>& env = {}) {
    const fs::path log =
        fs::temp_directory_path() / ("hm-install-run-" + std::to_string(getpid()) + ".log");
    const pid_t pid = fork();
    if (pid == 0) {
        const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || chdir(folder.c_str()) != 0) _exit(126);
        dup2(fd, STDOUT_FILENO);
        dup2(fd, STDERR_FILENO);
        for (const auto& [name, value] : env)
            setenv(name.c_str(), value.c_str(), 1);
        std::vector<char*> argv;
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    Outcome outcome;
    for (int waited = 0; waited < 120000; waited += 20) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -2;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (outcome.status == -1) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    outcome.output = text.str();
    fs::remove(log);
    return outcome;
}

bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (!folder.empty() && access((fs::path(folder) / program).c_str(), X_OK) == 0) return true;
    }
    return false;
}

std::string ReadText(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Width and height from a PNG's header; 0 x 0 when it is not a PNG.
std::pair<int, int> PngSize(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (!in || !std::equal(signature, signature + 8, header)) return {0, 0};
    auto big = [&](int at) {
        return (header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3];
    };
    return {big(16), big(20)};
}

// The value of `key` in the launcher's [Desktop Entry] group.
std::string DesktopValue(const std::string& entry, const std::string& key) {
    std::stringstream lines(entry);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
    }
    return "";
}

class InstallTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        root_ = fs::temp_directory_path() / ("hm-install-" + std::to_string(getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
        prefix_ = root_ / "prefix";
        install_ = RunProgram(
            {HOLLOWMERE_CMAKE, "--install", HOLLOWMERE_BUILD_DIR, "--prefix", prefix_.string()});
    }
    static void TearDownTestSuite() { fs::remove_all(root_); }

    void SetUp() override { ASSERT_EQ(install_.status, 0) << install_.output; }

    static fs::path root_, prefix_;
    static Outcome install_;
};

fs::path InstallTest::root_;
fs::path InstallTest::prefix_;
Outcome InstallTest::install_;

TEST_F(InstallTest, LaysOutThePlayersFilesTheStandardWay) {
    const fs::path share = prefix_ / "share";
    EXPECT_EQ(access((prefix_ / "bin" / "hollowmere").c_str(), X_OK), 0);
    EXPECT_TRUE(fs::is_directory(share / "hollowmere" / "Data" / "levels"));
    EXPECT_TRUE(fs::is_regular_file(share / "hollowmere" / "Data" / "Default.ini"));
    EXPECT_TRUE(fs::is_regular_file(share / "applications" / (kAppId + ".desktop")));
    EXPECT_TRUE(fs::is_regular_file(share / "metainfo" / (kAppId + ".metainfo.xml")));
    EXPECT_TRUE(fs::is_regular_file(share / "man" / "man6" / "hollowmere.6.gz"));

    const fs::path icons = share / "icons" / "hicolor";
    for (int size : {48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        EXPECT_EQ(PngSize(icons / folder / "apps" / "hollowmere.png"), std::make_pair(size, size));
    }
    const std::string svg = ReadText(icons / "scalable" / "apps" / "hollowmere.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);

    // Only what a player runs: no tests, tools, benchmarks or static libraries.
    for (const auto& entry : fs::recursive_directory_iterator(prefix_)) {
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(name.find("test"), std::string::npos) << entry.path();
        EXPECT_EQ(name.find("assetgen"), std::string::npos) << entry.path();
        EXPECT_EQ(name.find("autoplay"), std::string::npos) << entry.path();
        EXPECT_EQ(name.find("bench"), std::string::npos) << entry.path();
        EXPECT_NE(entry.path().extension(), ".a") << entry.path();
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(prefix_ / "bin"), fs::directory_iterator()), 1);
}

TEST_F(InstallTest, TheInstalledGameFindsItsDataAndStartsToTheLoadingScreen) {
    ASSERT_FALSE(fs::exists(prefix_ / "bin" / "Data")) << "the data is not beside it";
    const fs::path home = root_ / "home";
    fs::create_directories(home);
    fs::permissions(home, fs::perms::owner_all, fs::perm_options::replace);
    // Started from an unrelated folder, as a desktop launcher does.
    const Outcome started =
        RunProgram({(prefix_ / "bin" / "hollowmere").string(), "--measure-loading"}, "/",
                   {{"XDG_DATA_HOME", home.string()},
                    {"XDG_RUNTIME_DIR", home.string()},
                    {"SDL_VIDEODRIVER", "dummy"},
                    {"SDL_AUDIODRIVER", "dummy"}});
    EXPECT_EQ(started.status, 0) << started.output;
    EXPECT_NE(started.output.find("loading: "), std::string::npos) << started.output;
    // The settings it wrote went to the player's folder, not into the prefix.
    EXPECT_TRUE(fs::exists(home / "Brackenfold Games" / "Hollowmere"));
}

TEST_F(InstallTest, TheLauncherValidatesAndStartsTheInstalledGameWithItsIcon) {
    const fs::path file = prefix_ / "share" / "applications" / (kAppId + ".desktop");
    const std::string entry = ReadText(file);
    EXPECT_EQ(DesktopValue(entry, "Categories"), "Game;LogicGame;");
    EXPECT_TRUE(fs::exists(prefix_ / "bin" / DesktopValue(entry, "Exec")));
    const std::string icon = DesktopValue(entry, "Icon");
    EXPECT_TRUE(fs::exists(prefix_ / "share/icons/hicolor/scalable/apps" / (icon + ".svg")));
    EXPECT_TRUE(fs::exists(prefix_ / "share/icons/hicolor/48x48/apps" / (icon + ".png")));

    if (!OnPath("desktop-file-validate")) GTEST_SKIP() << "desktop-file-validate is missing";
    const Outcome validated = RunProgram({"desktop-file-validate", file.string()});
    EXPECT_EQ(validated.status, 0) << validated.output;
    EXPECT_EQ(validated.output, "") << "no errors, warnings or hints";
}

TEST_F(InstallTest, TheMetainfoValidatesAndNamesTheLauncher) {
    const fs::path file = prefix_ / "share" / "metainfo" / (kAppId + ".metainfo.xml");
    const std::string metainfo = ReadText(file);
    const std::string launchable = "<launchable type=\"desktop-id\">" + kAppId + ".desktop<";
    EXPECT_NE(metainfo.find(launchable), std::string::npos);
    EXPECT_EQ(metainfo.find('@'), std::string::npos) << "every placeholder filled in";

    if (!OnPath("appstreamcli")) GTEST_SKIP() << "appstreamcli is missing";
    const Outcome validated = RunProgram({"appstreamcli", "validate", "--no-net", file.string()});
    EXPECT_EQ(validated.status, 0) << validated.output;
}

}  // namespace
