#include "play/Player.h"

#include <algorithm>

#include "board/Grid.h"
#include "progress/SaveData.h"

std::shared_ptr<TPlayer> Player = std::make_shared<TPlayer>();

namespace {
bool Bought(int item) { return SaveData && SaveData->GetShopItemStatus(item) == 2; }
}  // namespace

int TPlayer::GetBonusGold() {
    if (Bought(23)) return static_cast<int>(levelGoldCollected * 0.2f);
    if (Bought(22)) return static_cast<int>(levelGoldCollected * 0.1f);
    return 0;
}

int TPlayer::GetLevelGold() { return levelGoldCollected + GetBonusGold(); }
void TPlayer::BoostScore(int n) { LevelScore += n; }
void TPlayer::ClearPlayerCounters() { DeathCounter = 0; }

int TPlayer::GetMatchesToGo() { return Grid ? std::max(0, Grid->GoalMatches - LevelGoalMatches) : 0; }
int TPlayer::GetSpecialItemsToGo() { return Grid ? std::max(0, Grid->GoalCollect - SpecialItemsCollected) : 0; }
int TPlayer::GetRocksToGo() { return Grid ? std::max(0, Grid->Rocks) : 0; }

int TPlayer::GetGoalCount() {
    if (!Grid) return 0;
    return (Grid->GoalMatches > 0) + (Grid->GoalArmour > 0) + (Grid->GoalCollect > 0) + (Grid->GoalRock > 0);
}

void TPlayer::InitNewLevelStats() {
    ClearPlayerCounters();
    Alive = 1;
    LastTimeTaken = 9999;
    LevelGoalMatches = LevelKills = levelMatch4s = levelMatch5s = LevelScore = 0;
    LevelTimeLeft = LevelTimeTaken = 0;
    levelTilesCollected = levelGoldInTransit = levelGoldCollected = 0;
    levelCoinsCollected = levelBagsCollected = levelCoinsOnlyCollected = levelSkullsCollected = 0;
    levelCoinsSpawned = levelBagsSpawned = MagicFreed = NoChecks = SpecialItemsCollected = TimeBonus = 0;
}

void TPlayer::KillsAdd(int n) { LevelKills += n; }

void TPlayer::LogGoldCollected(int n) {
    if (EarnsGold()) levelGoldCollected += n;
}

void TPlayer::LogCoinCollected(int n) {
    if (!EarnsGold()) return;
    LogGoldCollected(5 * n);
    levelCoinsCollected += n;
    levelCoinsOnlyCollected += n;
}

void TPlayer::LogGoldenSkullCollected() {
    if (!EarnsGold()) return;
    LogGoldCollected(20);
    levelSkullsCollected += 1;
}

int TPlayer::LogGoldBagCollected() {
    if (!EarnsGold()) return 0;
    levelBagsCollected += 1;
    const int coins = Bought(10) ? 5 : Bought(9) ? 4 : 3;
    LogCoinCollected(coins);
    return coins;
}

void TPlayer::LogGoldTileCollected() {
    LogGoldCollected(1);
    levelTilesCollected += 1;
}

void TPlayer::LogMatches(int length) {
    if (length == 4) levelMatch4s += 1;
    if (length >= 5) levelMatch5s += 1;
}

void TPlayer::UpdateTotals() {
    TotalTimeTaken += LevelTimeTaken;
    TotalKills += LevelKills;
    TotalScore += LevelScore;
}
