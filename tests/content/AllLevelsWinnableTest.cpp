// The level curve, as the headless player meets it in timed mode at a casual
// player's pace and owning the shop items on sale by then, with ten seeds:
// - every shipped level is won by at least half of the seeds;
// - after the ten tutorial levels, the median share of the time limit used by
//   the winning seeds rises smoothly from level to level, and each level stays
//   within its difficulty bounds (not won with most of its time left on every
//   seed, and not needing almost all of it on its best seed).
// Two copies of the headless player share the seeds and play side by side; the
// results per level are written to levels-report.txt in the test output folder.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "support/Headless.h"

namespace {

constexpr int kLevels = 100;
constexpr int kTutorialLevels = 10;
// A casual player's pace: a second and a half to find each move.
constexpr const char* kThinkMs = "1500";
// Seeds 1 to 10, half for each copy of the player.
const char* const kSeedHalves[2] = {"1,2,3,4,5", "6,7,8,9,10"};
constexpr size_t kSeeds = 10;

// The smooth curve through the medians: at each level, the median of the
// levels within this distance (and past the tutorial).
constexpr int kCurveReach = 5;
// The curve may dip this far below its highest point so far...
constexpr double kCurveDipAllowed = 0.05;
// ...no level's median lies further than this from the curve through its
// neighbours...
constexpr double kOffCurveAllowed = 0.15;
// ...and the last ten levels use this much more of their time than the first
// ten after the tutorial (medians averaged over each ten).
constexpr double kRiseWanted = 0.1;

struct Play {
    int level = 0;
    std::string result;
    double timeShare = 0;
};

struct LevelResult {
    size_t plays = 0;
    size_t wins = 0;
    double median = 1;  // share of the time limit the winning seeds used
    double best = 1;
    double worst = 1;
};

// Starts the headless player on every level with some of the seeds; returns
// its output stream.
FILE* StartPlayer(const char* seeds, pid_t& pid) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return nullptr;
    pid = fork();
    if (pid == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        const std::string data = HOLLOWMERE_DATA_DIR;
        const std::string prefix = data.substr(0, data.find_last_of('/') + 1);
        const std::string levels = "1-" + std::to_string(kLevels);
        execl(HOLLOWMERE_AUTOPLAY, "hollowmere-autoplay", "--levels", levels.c_str(), "--seeds",
              seeds, "--timed", "1", "--items", "on-sale", "--think-ms", kThinkMs, "--data",
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

std::string Percent(double share) {
    return std::to_string(static_cast<int>(std::lround(share * 100))) + " %";
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::map<int, LevelResult> ByLevel(const std::vector<Play>& plays) {
    std::map<int, std::vector<Play>> grouped;
    for (const Play& play : plays)
        grouped[play.level].push_back(play);
    std::map<int, LevelResult> levels;
    for (const auto& [level, results] : grouped) {
        std::vector<double> wonShares;
        for (const Play& play : results)
            if (play.result == "won") wonShares.push_back(play.timeShare);
        LevelResult& summary = levels[level];
        summary.plays = results.size();
        summary.wins = wonShares.size();
        if (wonShares.empty()) continue;
        summary.median = Median(wonShares);
        summary.best = *std::min_element(wonShares.begin(), wonShares.end());
        summary.worst = *std::max_element(wonShares.begin(), wonShares.end());
    }
    return levels;
}

// The median of the medians of the levels within kCurveReach of this one
// (past the tutorial), with or without the level itself.
double CurveAt(const std::map<int, LevelResult>& levels, int level, bool withItself) {
    std::vector<double> medians;
    for (int other = std::max(kTutorialLevels + 1, level - kCurveReach);
         other <= std::min(kLevels, level + kCurveReach); ++other)
        if (other != level || withItself) medians.push_back(levels.at(other).median);
    return Median(medians);
}

double MeanMedian(const std::map<int, LevelResult>& levels, int first, int last) {
    double sum = 0;
    for (int level = first; level <= last; ++level)
        sum += levels.at(level).median;
    return sum / (last - first + 1);
}

TEST(AllLevelsWinnableTest, EveryLevelIsWonByHalfTheSeedsAndTheTimeUsedRisesSmoothly) {
    pid_t first = 0, second = 0;
    FILE* a = StartPlayer(kSeedHalves[0], first);
    FILE* b = StartPlayer(kSeedHalves[1], second);
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

    const std::map<int, LevelResult> levels = ByLevel(plays);
    ASSERT_EQ(levels.size(), static_cast<size_t>(kLevels));

    std::ofstream report(headless::OutputFolder() + "/levels-report.txt");
    report << "level wins median_time_used best_time_used\n";
    for (const auto& [level, result] : levels)
        report << level << " " << result.wins << "/" << result.plays << " " << result.median << " "
               << result.best << "\n";
    for (const auto& [level, result] : levels) {
        ASSERT_EQ(result.plays, kSeeds) << "level " << level << " was not played by every seed";
        EXPECT_GE(2 * result.wins, result.plays)
            << "level " << level << " was won by " << result.wins << " of " << result.plays
            << " seeds, fewer than half";
        if (level <= kTutorialLevels || result.wins == 0) continue;
        EXPECT_FALSE(result.wins == result.plays && result.worst < 0.2)
            << "level " << level << " is won with more than 80 % of its time left on every seed";
        EXPECT_LE(result.best, 0.95)
            << "level " << level << " needs more than 95 % of its time on its best seed";
    }

    double highest = 0;
    for (int level = kTutorialLevels + 1; level <= kLevels; ++level) {
        const double curve = CurveAt(levels, level, true);
        EXPECT_GE(curve, highest - kCurveDipAllowed)
            << "the share of time used dips at level " << level << ": the curve falls to "
            << Percent(curve) << " after reaching " << Percent(highest);
        highest = std::max(highest, curve);
        const double median = levels.at(level).median;
        const double neighbours = CurveAt(levels, level, false);
        EXPECT_LE(std::abs(median - neighbours), kOffCurveAllowed)
            << "level " << level << " uses a median " << Percent(median) << " of its time, off the "
            << Percent(neighbours) << " of the levels around it";
    }
    const double early = MeanMedian(levels, kTutorialLevels + 1, kTutorialLevels + 10);
    const double late = MeanMedian(levels, kLevels - 9, kLevels);
    EXPECT_GE(late - early, kRiseWanted)
        << "the last ten levels use " << Percent(late) << " of their time, the first ten after "
        << "the tutorial " << Percent(early);
}

}  // namespace
