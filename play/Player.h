// The player's record while levels are played: the level, the statistics of
// the current level and the totals. (Time keeping, drawing and the profile
// copy come with the level play screen.)
#pragma once

#include <memory>
#include <string>

#include "media/Sprite.h"

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
    int levelCoinsCollected = 0, levelBagsCollected = 0, levelCoinsOnlyCollected = 0, levelSkullsCollected = 0;
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

    int GetBonusGold();
    int GetLevelGold();
    void BoostScore(int n);
    void ClearPlayerCounters();
    int GetGoalCount();
    int GetMatchesToGo();
    int GetSpecialItemsToGo();
    int GetRocksToGo();
    void InitNewLevelStats();
    void KillsAdd(int n);
    void LogGoldCollected(int n);
    void LogCoinCollected(int n);
    void LogGoldenSkullCollected();
    int LogGoldBagCollected();
    void LogGoldTileCollected();
    void LogMatches(int length);
    void UpdateTotals();

private:
    bool EarnsGold() const { return Level == Unlocked; }
};

extern std::shared_ptr<TPlayer> Player;
