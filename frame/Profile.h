// A player's profile: name, progress and totals, kept in a file of its own.
// For now the record the level play reads and writes; the file itself (and
// choosing, creating and deleting players) comes with the progress store.
#pragma once

#include <array>
#include <memory>
#include <string>

class TProfile {
  public:
    static constexpr int MAX_HINTS = 100;

    std::string Name;
    int CurrentLevel = 0;
    int LockedLevel = 0;
    int Score = 0;
    int Lives = 0;
    int Kills = 0;
    double TimeTaken = 0;
    int Difficulty = 0;
    int TipsFlag = 0;
    int InstructionsFlag = 0;
    std::array<int, MAX_HINTS> HintsShown{};

    virtual ~TProfile() = default;
    // The values of a new player.
    void Init(const std::string& name);
    // Seam: the progress store writes the profile file here.
    virtual int Save() { return 1; }
    // Seam: the progress store reads the profile file here.
    virtual int Load() { return 1; }
};

using TProfilePtr = std::shared_ptr<TProfile>;
