// The soak: every level of a range played with several seeds in both modes,
// one fresh play after another in one process, by a player who owns every
// shop item (each powerup at its full level), starts each level with the
// powerups full and uses them in turn when they serve the goals. Every step
// is checked against the player's rules (see
// AutoPlayer::Step); a won level goes on through its tally so that its gold
// is banked and the profile saved.
//
// Threading: the game's one thread, the game started headless. Outputs: the
// result of each play through a callback, and a summary. Failure: the first
// broken rule (or the game ending itself) stops the soak; the summary names
// the level, seed, mode and step and the rule.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "autoplay/AutoPlayer.h"

struct SoakOptions {
    int firstLevel = 1, lastLevel = 100;
    std::vector<uint32_t> seeds = {1, 2, 3};
    std::vector<bool> modes = {true, false};  // timed, relaxed
    AutoplayOptions player;
};

struct SoakSummary {
    int levels = 0, seeds = 0, modes = 0;
    long plays = 0, wins = 0, steps = 0;
    double wallSeconds = 0;
    int violations = 0;
    std::array<long, kAutoplayPowerupKinds> powerupsByKind{};
    std::string violation;  // "" or where and what broke

    // One JSON line.
    std::string Json() const;
};

// Plays the soak; each play's result goes to eachPlay as it ends.
SoakSummary RunSoak(const SoakOptions& options,
                    const std::function<void(const AutoplayLevelResult&)>& eachPlay);
