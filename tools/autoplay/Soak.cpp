#include "autoplay/Soak.h"

#include <chrono>
#include <sstream>

SoakSummary RunSoak(const SoakOptions& options,
                    const std::function<void(const AutoplayLevelResult&)>& eachPlay) {
    SoakSummary summary;
    summary.levels = options.lastLevel - options.firstLevel + 1;
    summary.seeds = static_cast<int>(options.seeds.size());
    summary.modes = static_cast<int>(options.modes.size());
    AutoplayOptions playerOptions = options.player;
    playerOptions.ownEveryItem = true;
    playerOptions.bankWonGold = true;
    playerOptions.rotatePowerups = true;
    playerOptions.startCharged = true;
    AutoPlayer player(playerOptions);
    const auto started = std::chrono::steady_clock::now();
    for (int level = options.firstLevel; level <= options.lastLevel && !summary.violations;
         ++level) {
        for (uint32_t seed : options.seeds) {
            for (bool timed : options.modes) {
                const AutoplayLevelResult result = player.PlayLevel(level, seed, timed);
                ++summary.plays;
                summary.wins += result.result == "won";
                summary.steps += result.steps;
                for (size_t kind = 0; kind < result.powerupsByKind.size(); ++kind)
                    summary.powerupsByKind[kind] += result.powerupsByKind[kind];
                if (eachPlay) eachPlay(result);
                if (result.result != "invariant") continue;
                summary.violations = 1;
                summary.violation = "level " + std::to_string(level) + ", seed " +
                                    std::to_string(seed) + ", " + result.mode + ", step " +
                                    std::to_string(result.steps) + ": " + result.problem;
                break;
            }
            if (summary.violations) break;
        }
    }
    summary.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return summary;
}

std::string SoakSummary::Json() const {
    std::ostringstream out;
    out << "{\"soak\":\"" << (violations ? "stopped" : "done") << "\",\"levels\":" << levels
        << ",\"seeds\":" << seeds << ",\"modes\":" << modes << ",\"plays\":" << plays
        << ",\"wins\":" << wins << ",\"steps\":" << steps << ",\"wall_seconds\":" << wallSeconds
        << ",\"violations\":" << violations << ",\"powerups_by_kind\":[";
    for (size_t kind = 0; kind < powerupsByKind.size(); ++kind)
        out << (kind ? "," : "") << powerupsByKind[kind];
    out << "]";
    if (!violation.empty()) out << ",\"violation\":\"" << violation << "\"";
    out << "}";
    return out.str();
}
