// Every shipped level is won by the headless player in timed mode, at a
// casual player's pace and owning the shop items on sale by then, with at
// least one of three seeds; and the
// timed difficulty stays within its bounds after the first ten levels. The
// levels are played by two copies of the headless player side by side.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "support/Headless.h"

namespace {

// A casual player's pace: a second and a half to find each move.
constexpr const char* kThinkMs = "1500";

struct Play {
    int level = 0;
    std::string result;
    double timeShare = 0;
};

// Starts the headless player on a range of levels; returns its output stream.
FILE* StartPlayer(int first, int last, pid_t& pid) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return nullptr;
    pid = fork();
    if (pid == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        const std::string data = HOLLOWMERE_DATA_DIR;
        const std::string prefix = data.substr(0, data.find_last_of('/') + 1);
        const std::string levels = std::to_string(first) + "-" + std::to_string(last);
        execl(HOLLOWMERE_AUTOPLAY, "hollowmere-autoplay", "--levels", levels.c_str(), "--seeds",
              "1,2,3", "--timed", "1", "--items", "on-sale", "--think-ms", kThinkMs, "--data",
              prefix.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    return fdopen(pipeEnds[0], "r");
}

std::vector<Play> ReadPlays(FILE* out) {
    static const std::regex fields(
        R"re("level":(\d+).*"result":"([^"]+)".*"time_share":([0-9.eE+-]+))re");
    std::vector<Play> plays;
    char line[4096];
    while (out && std::fgets(line, sizeof line, out)) {
        std::cmatch match;
        if (!std::regex_search(line, match, fields)) continue;
        plays.push_back({std::stoi(match[1]), match[2], std::stod(match[3])});
    }
    return plays;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

TEST(AllLevelsWinnableTest, EveryLevelIsWonByOneOfThreeSeedsWithinItsDifficultyBounds) {
    constexpr int kLevels = 100;
    pid_t first = 0, second = 0;
    FILE* a = StartPlayer(1, kLevels / 2, first);
    FILE* b = StartPlayer(kLevels / 2 + 1, kLevels, second);
    ASSERT_TRUE(a && b);
    std::vector<Play> plays = ReadPlays(a);
    const std::vector<Play> more = ReadPlays(b);
    plays.insert(plays.end(), more.begin(), more.end());
    std::fclose(a);
    std::fclose(b);
    int status = 0;
    waitpid(first, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the player found a broken board";
    waitpid(second, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the player found a broken board";

    std::map<int, std::vector<Play>> byLevel;
    for (const Play& play : plays)
        byLevel[play.level].push_back(play);
    ASSERT_EQ(byLevel.size(), static_cast<size_t>(kLevels));

    std::ofstream report(headless::OutputFolder() + "/levels-report.txt");
    report << "level wins median_time_used best_time_used\n";
    for (const auto& [level, results] : byLevel) {
        std::vector<double> wonShares;
        for (const Play& play : results)
            if (play.result == "won") wonShares.push_back(play.timeShare);
        const double best =
            wonShares.empty() ? 1 : *std::min_element(wonShares.begin(), wonShares.end());
        const double worst =
            wonShares.empty() ? 1 : *std::max_element(wonShares.begin(), wonShares.end());
        report << level << " " << wonShares.size() << "/" << results.size() << " "
               << Median(wonShares) << " " << best << "\n";
        EXPECT_FALSE(wonShares.empty()) << "level " << level << " was won by none of its seeds";
        if (level <= 10 || wonShares.empty()) continue;
        EXPECT_FALSE(wonShares.size() == results.size() && worst < 0.2)
            << "level " << level << " is won with more than 80 % of its time left on every seed";
        EXPECT_LE(best, 0.95) << "level " << level
                              << " needs more than 95 % of its time on its best seed";
    }
}

}  // namespace
