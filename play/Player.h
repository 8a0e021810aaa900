// The player's record while levels are played: the level, the statistics of
// the current level and the totals; the level's time keeping, its time
// bonus and gold, and the copy to and from the player's profile.
#pragma once

#include <memory>
#include <string>

#include "media/Sprite.h"

class TProfile;

class TPlayer : public TSprite {
  public:
    int Alive = 1;
    int DeathAnimLength = 1000;
    float DeathCounter = 0;
    int LastTimeTaken = 0;
    int Level = 1;
    int LevelGoalMatches = 0;
    int LevelKills = 0;
    int levelMatch4s = 0, levelMatch5s = 0;
    int levelTilesCollected = 0;
    int levelGoldCollected = 0;
    int levelCoinsCollected = 0, levelBagsCollected = 0, levelCoinsOnlyCollected = 0,
        levelSkullsCollected = 0;
    int levelCoinsSpawned = 0, levelBagsSpawned = 0;
    int levelGoldInTransit = 0;
    int LevelScore = 0;
    float LevelTimeLeft = 0;
    float LevelTimeTaken = 0;
    int Lives = 3;
    int MagicFreed = 0;
    std::string Name;
    int NoChecks = 0;
    int SpecialItemsCollected = 0;
    int TimeBonus = 0;
    int TotalKills = 0;
    double TotalTimeTaken = 0;
    int TotalScore = 0;
    int Unlocked = 1;

    virtual ~TPlayer() = default;
    virtual int GetBonusGold();
    virtual int GetLevelGold();
    virtual void BoostScore(int n);
    virtual void CalcLevelTimeLeft();
    virtual void CalcTimeBonus();
    virtual void ClearPlayerCounters();
    virtual int DeathEnd();  // -1 out of lives, 1 the level starts again, 0 still waiting
    virtual void DrawLevel(float x, float y);
    virtual void DrawScore(float x, float y);
    virtual void DrawCoins(float x, float y);
    virtual void DrawBankedCoins(float x, float y);
    virtual void DrawTime(float x, float y);
    virtual void Die();
    virtual int GetGoalCount();
    virtual int GetMatchesToGo();
    virtual int GetSpecialItemsToGo();
    virtual int GetRocksToGo();
    virtual void InitNewLevelStats();
    virtual void KillsAdd(int n);
    virtual void Load() {}
    virtual void LogGoldCollected(int n);
    virtual void LogCoinCollected(int n);
    virtual void LogGoldenSkullCollected();
    virtual int LogGoldBagCollected();
    virtual void LogGoldTileCollected();
    virtual void LogMatches(int length);
    virtual int Manage();  // -1 when the death wait ran out of lives
    virtual void ManageTime();
    virtual void ProfileGameOver(const std::shared_ptr<TProfile>& profile, int save);
    virtual int ReadProfile(const std::shared_ptr<TProfile>& profile, int load);
    virtual void UpdateTotals();
    virtual void UpdateLevelEndData();
    virtual int WriteProfile(const std::shared_ptr<TProfile>& profile);

    // Milliseconds of the level's time limit still left (never below 0).
    float TimeLeftMs() const;
    // TimeLeftMs raised to whole seconds, as the clock shows and scores it.
    float WholeSecondsLeftMs() const;

  private:
    bool EarnsGold() const { return Level == Unlocked; }
};

extern std::shared_ptr<TPlayer> Player;

// Minutes and seconds of a duration in milliseconds (both negative for a
// negative duration).
struct MinutesSeconds {
    int minutes = 0;
    int seconds = 0;
};
MinutesSeconds SplitMilliseconds(float ms);
// "m:ss".
std::string ClockText(float ms);

// The choice between the timed and the relaxed game, made when a new player
// starts; the progress record copies it.
class TGameState {
  public:
    static inline int TimedMode = 1;
    static void SetTimedMode() { TimedMode = 1; }
    static void SetRelaxedMode() { TimedMode = 0; }
};
