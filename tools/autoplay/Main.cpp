// hollowmere-autoplay: plays levels of the real game headless and prints one
// JSON line per level and seed; with --soak, every level with three seeds in
// both modes owning every item, and a summary line. Exit code 1 when the
// game reported a fatal error or a rule of the board or the player's
// progress broke, 2 for a bad command line.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "autoplay/AutoPlayer.h"
#include "autoplay/Journey.h"
#include "autoplay/Soak.h"

namespace {

struct CommandLine {
    int firstLevel = 1, lastLevel = 1;
    std::vector<uint32_t> seeds = {1};
    bool timed = true;
    std::string data = HOLLOWMERE_DATA_PREFIX;
    AutoplayOptions options;
    bool journey = false;
    std::string resume;  // the per-user folder of a journey carried on
    bool soak = false;
    bool levelsGiven = false, seedsGiven = false, modeGiven = false;
};

void Usage() {
    std::fprintf(stderr,
                 "usage: hollowmere-autoplay [--soak] [--level N | --levels A-B | --journey A-B]\n"
                 "                           [--seed S | --seeds S1,S2,...]\n"
                 "                           [--timed 0|1] [--items on-sale|none] [--think-ms MS]\n"
                 "                           [--max-steps N] [--slow-step-ms MS]\n"
                 "                           [--shots DIR] [--shot-every SECONDS]\n"
                 "                           [--data FOLDER-HOLDING-Data]\n");
}

bool ParseRange(const std::string& text, int& first, int& last) {
    const size_t dash = text.find('-');
    first = std::atoi(text.substr(0, dash).c_str());
    last = dash == std::string::npos ? first : std::atoi(text.substr(dash + 1).c_str());
    return first >= 1 && last >= first;
}

std::vector<uint32_t> ParseSeeds(const std::string& text) {
    std::vector<uint32_t> seeds;
    for (size_t start = 0; start <= text.size();) {
        const size_t comma = std::min(text.find(',', start), text.size());
        seeds.push_back(static_cast<uint32_t>(
            std::strtoul(text.substr(start, comma - start).c_str(), nullptr, 10)));
        start = comma + 1;
    }
    return seeds;
}

bool Parse(int argc, char** argv, CommandLine& line) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--soak") {
            line.soak = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const std::string value = argv[++i];
        if (option == "--level" || option == "--levels" || option == "--journey") {
            if (!ParseRange(value, line.firstLevel, line.lastLevel)) return false;
            line.journey = option == "--journey";
            line.levelsGiven = true;
        } else if (option == "--resume") {
            line.resume = value;
        } else if (option == "--seed" || option == "--seeds") {
            line.seeds = ParseSeeds(value);
            line.seedsGiven = true;
        } else if (option == "--timed") {
            line.timed = value != "0";
            line.modeGiven = true;
        } else if (option == "--think-ms") {
            line.options.thinkMs = std::max(0, std::atoi(value.c_str()));
        } else if (option == "--items") {
            line.options.ownItemsOnSale = value != "none";
        } else if (option == "--max-steps") {
            line.options.maxSteps = std::atol(value.c_str());
        } else if (option == "--slow-step-ms") {
            line.options.slowStepMs = std::max(0.0, std::atof(value.c_str()));
        } else if (option == "--shots") {
            line.options.shotsFolder = value;
        } else if (option == "--shot-every") {
            line.options.shotEverySeconds = std::max(1, std::atoi(value.c_str()));
        } else if (option == "--data") {
            line.data = value;
        } else {
            return false;
        }
    }
    return !(line.soak && line.journey);
}

// The soak: levels 1 to 100, seeds 1 to 3 and both modes unless narrowed.
int Soak(const CommandLine& line) {
    SoakOptions soak;
    if (line.levelsGiven) {
        soak.firstLevel = line.firstLevel;
        soak.lastLevel = std::min(line.lastLevel, 100);
    }
    if (line.seedsGiven) soak.seeds = line.seeds;
    if (line.modeGiven) soak.modes = {line.timed};
    soak.player = line.options;
    if (!StartHeadlessGame(line.data)) {
        std::fprintf(stderr, "hollowmere-autoplay: the game could not start\n");
        return 1;
    }
    const SoakSummary summary = RunSoak(soak, [](const AutoplayLevelResult& result) {
        std::printf("%s\n", result.Json().c_str());
        std::fflush(stdout);
    });
    StopHeadlessGame();
    std::printf("%s\n", summary.Json().c_str());
    std::fflush(stdout);
    if (summary.violations == 0) return 0;
    std::fprintf(stderr, "hollowmere-autoplay: the soak stopped at %s\n",
                 summary.violation.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    CommandLine line;
    if (!Parse(argc, argv, line)) {
        Usage();
        return 2;
    }
    if (line.soak) return Soak(line);
    if (line.journey) {
        JourneyOptions journey;
        journey.firstLevel = line.firstLevel;
        journey.lastLevel = std::min(line.lastLevel, 100);
        journey.seed = line.seeds.front();
        journey.data = line.data;
        journey.resumeHome = line.resume;
        // Halfway, the game is quit and started again (once).
        if (line.resume.empty() && journey.lastLevel > journey.firstLevel)
            journey.restartAt = (journey.firstLevel + journey.lastLevel + 1) / 2;
        journey.player = line.options;
        journey.player.shotEverySeconds = 1000000;  // one frame per screen, not per time
        return Journey(journey).Run();
    }
    if (!StartHeadlessGame(line.data)) {
        std::fprintf(stderr, "hollowmere-autoplay: the game could not start\n");
        return 1;
    }
    AutoPlayer player(line.options);
    int exitCode = 0;
    for (int level = line.firstLevel; level <= line.lastLevel && exitCode == 0; ++level) {
        for (uint32_t seed : line.seeds) {
            const AutoplayLevelResult result = player.PlayLevel(level, seed, line.timed);
            std::printf("%s\n", result.Json().c_str());
            std::fflush(stdout);
            if (result.result == "invariant") {
                exitCode = 1;
                break;
            }
        }
    }
    StopHeadlessGame();
    return exitCode;
}
