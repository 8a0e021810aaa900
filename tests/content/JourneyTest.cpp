// The whole game as a new player meets it, by the headless player in its own
// process (`--journey`): from an empty per-user folder through the title, the
// intro, the map and each level with its messages, the tally and the shop,
// restarting itself halfway; its output lines and frames tell what it met.
// The journey through all the levels to the credits is excluded from the
// sanitizer run, as the level check is.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct JourneyRun {
    int exitCode = -1;
    std::vector<std::string> lines;
    std::string shots;

    std::string Final() const { return lines.empty() ? "" : lines.back(); }
    // The levels of the per-level lines, in order, and how many were won.
    std::vector<int> Levels(int& won) const {
        static const std::regex level(R"re(^\{"level":(\d+).*"result":"([^"]+)")re");
        std::vector<int> levels;
        won = 0;
        for (const std::string& line : lines) {
            std::smatch match;
            if (!std::regex_search(line, match, level)) continue;
            levels.push_back(std::stoi(match[1]));
            won += match[2] == "won";
        }
        return levels;
    }
    bool Shot(const std::string& name) const {
        return fs::exists(shots + "/" + name + ".png") &&
               fs::file_size(shots + "/" + name + ".png") > 1000;
    }
};

int FinalField(const std::string& line, const std::string& field) {
    const std::regex value("\"" + field + "\":(-?\\d+)");
    std::smatch match;
    return std::regex_search(line, match, value) ? std::stoi(match[1]) : -1;
}

JourneyRun RunJourney(const std::string& levels) {
    JourneyRun run;
    run.shots = (fs::temp_directory_path() /
                 ("hollowmere-journey-" + std::to_string(getpid()) + "-" + levels))
                    .string();
    fs::remove_all(run.shots);
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return run;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        const std::string data = HOLLOWMERE_DATA_DIR;
        const std::string prefix = data.substr(0, data.find_last_of('/') + 1);
        execl(HOLLOWMERE_AUTOPLAY, "hollowmere-autoplay", "--journey", levels.c_str(), "--seeds",
              "1", "--shots", run.shots.c_str(), "--data", prefix.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    FILE* out = fdopen(pipeEnds[0], "r");
    char line[4096];
    while (out && std::fgets(line, sizeof line, out))
        run.lines.emplace_back(line);
    if (out) std::fclose(out);
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace

TEST(JourneyTest, TheFirstTwelveLevelsFromAFirstStartCarryOverARestart) {
    const JourneyRun run = RunJourney("1-12");
    ASSERT_EQ(run.exitCode, 0) << run.Final();
    int won = 0;
    const std::vector<int> levels = run.Levels(won);
    ASSERT_EQ(levels.size(), 12u);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(levels[i], i + 1) << "one level after another";
    EXPECT_EQ(won, 12);
    const std::string final = run.Final();
    EXPECT_NE(final.find("\"journey\":\"done\""), std::string::npos) << final;
    EXPECT_EQ(FinalField(final, "unlocked"), 13) << "read back from the file: " << final;
    EXPECT_GE(FinalField(final, "items_bought"), 2) << "the pumpkin and the coffin at least";
    // The screens met, the restart among them.
    for (const char* shot :
         {"title-name-entry", "title-mode-choice", "title-welcome", "intro-3s", "map-first",
          "level1-story", "level1-found", "level-complete", "shop-news-level1", "shop-purchase",
          "shop", "title-welcome-back", "map"})
        EXPECT_TRUE(run.Shot(shot)) << shot;
    fs::remove_all(run.shots);
}

TEST(JourneyTest, AJourneyThatCannotStartWhereItIsAskedFails) {
    // A new player's map stands at level 1: the journey cannot begin at 3.
    const JourneyRun run = RunJourney("3-4");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.Final().find("map stands at level 1"), std::string::npos) << run.Final();
    EXPECT_TRUE(run.Shot("failure")) << "the screen it failed on";
    fs::remove_all(run.shots);
}

TEST(JourneyTest, WholeJourneyFromTheFirstStartToTheCredits) {
    const JourneyRun run = RunJourney("1-100");
    ASSERT_EQ(run.exitCode, 0) << run.Final();
    int won = 0;
    EXPECT_EQ(run.Levels(won).size(), 100u);
    EXPECT_EQ(won, 100);
    EXPECT_NE(run.Final().find("\"journey\":\"done\""), std::string::npos) << run.Final();
    for (const char* shot : {"map-last", "level-complete-last", "game-finished-dawn",
                             "game-finished-text", "credits", "title-after-credits"})
        EXPECT_TRUE(run.Shot(shot)) << shot;
    fs::remove_all(run.shots);
}
