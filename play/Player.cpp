#include "play/Player.h"

#include <algorithm>
#include <cmath>

#include "board/Grid.h"
#include "engine/Graphics.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/Profile.h"
#include "frame/Timing.h"
#include "media/BitmapFont.h"
#include "media/Fonts.h"
#include "media/Sound.h"
#include "play/GameScreen.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"

std::shared_ptr<TPlayer> Player = std::make_shared<TPlayer>();

int TPlayer::GetBonusGold() {
    if (ShopItemOwned(SHOP_MORE_BONUS_GOLD)) return static_cast<int>(levelGoldCollected * 0.2f);
    if (ShopItemOwned(SHOP_BONUS_GOLD)) return static_cast<int>(levelGoldCollected * 0.1f);
    return 0;
}

int TPlayer::GetLevelGold() {
    return levelGoldCollected + GetBonusGold();
}
void TPlayer::BoostScore(int n) {
    LevelScore += n;
}
void TPlayer::ClearPlayerCounters() {
    DeathCounter = 0;
}

int TPlayer::GetMatchesToGo() {
    return Grid ? std::max(0, Grid->GoalMatches - LevelGoalMatches) : 0;
}
int TPlayer::GetSpecialItemsToGo() {
    return Grid ? std::max(0, Grid->GoalCollect - SpecialItemsCollected) : 0;
}
int TPlayer::GetRocksToGo() {
    return Grid ? std::max(0, Grid->Rocks) : 0;
}

int TPlayer::GetGoalCount() {
    if (!Grid) return 0;
    return (Grid->GoalMatches > 0) + (Grid->GoalArmour > 0) + (Grid->GoalCollect > 0) +
           (Grid->GoalRock > 0);
}

void TPlayer::InitNewLevelStats() {
    ClearPlayerCounters();
    Alive = 1;
    LastTimeTaken = 9999;
    LevelGoalMatches = LevelKills = levelMatch4s = levelMatch5s = LevelScore = 0;
    LevelTimeLeft = LevelTimeTaken = 0;
    levelTilesCollected = levelGoldInTransit = levelGoldCollected = 0;
    levelCoinsCollected = levelBagsCollected = levelCoinsOnlyCollected = levelSkullsCollected = 0;
    levelCoinsSpawned = levelBagsSpawned = MagicFreed = NoChecks = SpecialItemsCollected =
        TimeBonus = 0;
}

void TPlayer::KillsAdd(int n) {
    LevelKills += n;
}

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
    const int coins = ShopItemOwned(SHOP_MOST_GOLD) ? 5 : ShopItemOwned(SHOP_MORE_GOLD) ? 4 : 3;
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

// ---------------------------------------------------------------- time

MinutesSeconds SplitMilliseconds(float ms) {
    const double s = std::fabs(ms / 1000.0);
    MinutesSeconds split;
    split.minutes = static_cast<int>(std::floor(s / 60));
    split.seconds = static_cast<int>(std::floor(s - split.minutes * 60));
    if (ms < 0) {
        split.minutes = -split.minutes;
        split.seconds = -split.seconds;
    }
    return split;
}

std::string ClockText(float ms) {
    const MinutesSeconds split = SplitMilliseconds(ms);
    std::string seconds = std::to_string(split.seconds);
    if (seconds.size() < 2) seconds.insert(0, 2 - seconds.size(), '0');
    return std::to_string(split.minutes) + ":" + seconds;
}

namespace {

bool TimedGame() {
    return SaveData && SaveData->timer != 0;
}

// Left-padded with zeros to the given width.
std::string Padded(int value, size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

}  // namespace

float TPlayer::TimeLeftMs() const {
    if (!Grid) return 0;
    // The step length, not scaled by the game speed.
    const float stepMs = Game ? Game->FixedRateLogic->MS : 5.0f;
    return std::max(0.0f, (Grid->TimeLimit - LevelTimeTaken) * stepMs);
}

float TPlayer::WholeSecondsLeftMs() const {
    return std::ceil(TimeLeftMs() / 1000.0f) * 1000.0f;
}

int TPlayer::Manage() {
    if (DeathCounter > 0) {
        DeathCounter -= Delta;
        if (DeathEnd() == -1) return -1;
    }
    ManageTime();
    return 1;
}

void TPlayer::ManageTime() {
    const bool outro = GameScreen && GameScreen->OutroRunning();
    if (outro || (Game && Game->Fading()) || !Grid || Grid->TargetMet != 0 || Alive != 1) return;
    LevelTimeTaken += Delta;
    const float t = WholeSecondsLeftMs();
    if (t <= 10000 && TimedGame()) {
        const MinutesSeconds split = SplitMilliseconds(t);
        if (split.seconds != LastTimeTaken) {
            if (GameScreen) PlaySound(GameScreen->SoundLowTimeBeep);
            LastTimeTaken = split.seconds;
        }
    } else {
        LastTimeTaken = 9999;
    }
    if (t <= 0 && TimedGame() && Grid->HUDPowerupBlockInput == 0) {
        Die();
        if (GameScreen) GameScreen->StartTimeUpAnim();
    }
}

void TPlayer::Die() {
    Alive = 0;
    NoChecks = 1;
    DeathAnimLength = static_cast<int>(Game ? Game->CalcAnimLength(99999) : 99999 / 5);
    DeathCounter = static_cast<float>(DeathAnimLength);
    // A lost level leaves the player's profile alone: resetting its totals
    // here would let the next save wipe them.
}

int TPlayer::DeathEnd() {
    if (DeathCounter > 0) return 0;
    Lives -= 1;
    FlushKeys();
    FlushMouse();
    if (Lives < 0) {
        UpdateTotals();
        return -1;
    }
    ClearPlayerCounters();
    NoChecks = 0;
    Alive = 1;
    if (GameScreen) {
        GameScreen->IntroAnim->Start();
        GameScreen->LevelStartCue();
    }
    return 1;
}

void TPlayer::ProfileGameOver(const std::shared_ptr<TProfile>& profile, int save) {
    if (!profile) return;
    profile->Score = 0;
    profile->CurrentLevel = 1;
    profile->Lives = 3;
    profile->Kills = 0;
    profile->TimeTaken = 0;
    if (save) profile->Save();
}

// ---------------------------------------------------------------- the level's end

void TPlayer::CalcLevelTimeLeft() {
    LevelTimeLeft = WholeSecondsLeftMs();
}

void TPlayer::CalcTimeBonus() {
    const MinutesSeconds split = SplitMilliseconds(LevelTimeLeft);
    TimeBonus = (split.minutes * 60 + split.seconds) * 10;
    BoostScore(TimeBonus);
}

void TPlayer::UpdateLevelEndData() {
    CalcLevelTimeLeft();
    CalcTimeBonus();
    UpdateTotals();
    Level += 1;
    if (Level > Unlocked) Unlocked = Level;
}

// ---------------------------------------------------------------- the profile

int TPlayer::ReadProfile(const std::shared_ptr<TProfile>& profile, int load) {
    if (!profile) return 0;
    if (load) profile->Load();
    Name = profile->Name;
    Level = profile->CurrentLevel;
    Lives = profile->Lives;
    TotalKills = profile->Kills;
    TotalScore = profile->Score;
    TotalTimeTaken = profile->TimeTaken;
    Unlocked = profile->LockedLevel - 1;
    return 1;
}

int TPlayer::WriteProfile(const std::shared_ptr<TProfile>& profile) {
    if (!profile) return 0;
    profile->Name = Name;
    profile->CurrentLevel = Level;
    profile->Lives = Lives;
    profile->Kills = TotalKills;
    profile->Score = TotalScore;
    profile->TimeTaken = TotalTimeTaken;
    profile->LockedLevel = Unlocked + 1;
    profile->Save();
    return 1;
}

// ---------------------------------------------------------------- drawing

namespace {

TBitmapFontPtr HUDFontOrSmall() {
    return GameScreen && GameScreen->HUDFont ? GameScreen->HUDFont : GUIFontSmall;
}

}  // namespace

void TPlayer::DrawLevel(float x, float y) {
    if (TBitmapFontPtr font = HUDFontOrSmall())
        font->DrawAligned(std::to_string(Level), x, y, 0, 1, 1);
}

void TPlayer::DrawScore(float x, float y) {
    if (TBitmapFontPtr font = HUDFontOrSmall())
        font->DrawAligned(Padded(LevelScore, 6), x, y, 1, 1, 1);
}

void TPlayer::DrawCoins(float x, float y) {
    if (GUIFontSmall)
        GUIFontSmall->DrawAligned(Padded(levelGoldCollected - levelGoldInTransit, 5), x, y, 0, 1,
                                  1);
}

void TPlayer::DrawBankedCoins(float x, float y) {
    if (GUIFontSmall && SaveData)
        GUIFontSmall->DrawAligned(Padded(SaveData->GoldAvailable(), 5), x, y, 0, 1, 1);
}

void TPlayer::DrawTime(float x, float y) {
    TBitmapFontPtr font = HUDFontOrSmall();
    if (!font) return;
    const float t = WholeSecondsLeftMs();
    const MinutesSeconds split = SplitMilliseconds(t);
    if (split.minutes == 0 && split.seconds <= 10) SetColor(255, 50, 50);
    SetScale(0.75f, 0.75f);
    font->DrawAligned(ClockText(t), x, y, 3, 1, 1);
    SetScale(1, 1);
    SetColor(255, 255, 255);
}
