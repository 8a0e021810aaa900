// Random play with the powerups on random level files: swaps, every powerup
// at every level clicked, held, dragged, dropped on good and bad cells and
// off the board, for 20,000 steps. The board keeps its rules after every
// step, the powerups that hold the board always give it back, and no step
// costs more than 50 ms of CPU time.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "autoplay/AutoPlayer.h"
#include "board/BoardFixture.h"
#include "board/BoardInvariants.h"
#include "board/Powerups.h"
#include "engine/Random.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"
#include "frame/Timing.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"

namespace {

constexpr int kSteps = 20000;
constexpr double kSlowStepMs = 50;

// A level file of random size and shape: holes, armour of one or two
// layers, locks, rocks of both strengths and a random set of colours.
std::string RandomLevel() {
    const int width = RandInt(3, 13), height = RandInt(3, 10);
    // No goals: the level never ends, the play goes on.
    std::string text = "NAME=Random\r\nTime=120\r\nGoals=0,0,0,0,0\r\nC=";
    const int colours = RandInt(3, 7);
    for (int i = 0; i < colours; ++i)
        text += (i ? "," : "") + std::to_string(RandInt(1, 13));
    text += "\r\nBombs=1,2\r\nSize=" + std::to_string(width) + "," + std::to_string(height) +
            "\r\nR=0,0\r\n";
    auto block = [&](auto value) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                text += (x ? "," : "") + std::to_string(value());
            text += "\r\n";
        }
    };
    block([] {
        const int roll = RandInt(0, 99);
        return roll < 8 ? 0 : roll < 20 ? 2 : roll < 30 ? 3 : 1;
    });
    text += "locked=\r\n";
    block([] { return RandInt(0, 99) < 10 ? 1 : 0; });
    text += "rocks=\r\n";
    block([] {
        const int roll = RandInt(0, 99);
        return roll < 6 ? 1 : roll < 12 ? 2 : 0;
    });
    return text + "shapes=\r\nborder=\r\n";
}

class PowerupPropertyTest : public BoardTest {
  protected:
    bool AtRest() const {
        if (Grid->BlockInput || Grid->SwapCounter > 0 || Grid->HUDPowerupBlockInput) return false;
        for (const TGemPtr& gem : *GemList)
            if (gem->dy != 0 || gem->Exploding()) return false;
        return true;
    }
    // One step of the board, its CPU time measured.
    void TimedStep(int step) {
        const double started = ThreadCpuMs();
        Steps(1);
        const double ms = ThreadCpuMs() - started;
        slowest_ = std::max(slowest_, ms);
        ASSERT_LE(ms, kSlowStepMs) << "step " << step;
    }
    void MouseAtSlot(int index) {
        Game->Mouse->x = HUDPowerups[index]->HUDLocation.X;
        Game->Mouse->y = HUDPowerups[index]->HUDLocation.Y;
    }
    void RandomCell() {
        MouseAt(RandInt(0, Grid->levelwidth - 1), RandInt(0, Grid->levelheight - 1));
    }
    // Mostly a cell the powerup accepts (rocks and locks are rare), else any.
    void TargetCell(THUDPowerup& powerup) {
        std::vector<std::pair<int, int>> accepted;
        for (int x = 0; x < Grid->levelwidth; ++x)
            for (int y = 0; y < Grid->levelheight; ++y)
                if (CellActive(x, y) && powerup.Validate(x, y)) accepted.emplace_back(x, y);
        if (accepted.empty() || RandInt(0, 2) == 0) return RandomCell();
        const auto [x, y] =
            accepted[static_cast<size_t>(RandInt(0, static_cast<int>(accepted.size()) - 1))];
        MouseAt(x, y);
    }
    // The powerup and level of a turn: every level of each powerup (the
    // tarot has one).
    static constexpr int kTurns = 3 * POWERUP_COUNT;
    static std::pair<int, int> Turn(int turn) {
        const int index = turn % POWERUP_COUNT;
        return {index, std::min(turn / POWERUP_COUNT + 1, HUDPowerups[index]->ItemLevelCount)};
    }
    // Rocks and locks run out as the play breaks them: a new one on a
    // random free gem, now and then, keeps the hammer and broom in play.
    void GiveATarget(int index) {
        if (RandInt(0, 1) == 0) return;
        const int x = RandInt(0, Grid->levelwidth - 1), y = RandInt(0, Grid->levelheight - 1);
        TCell* cell = CellAt(x, y);
        if (!cell || !cell->Gem || cell->Gem->GemType > GEM_SKULL || cell->Gem->locked ||
            cell->Gem->rocked)
            return;
        if (index == POWERUP_HAMMER) {
            cell->Gem->rocked = RandInt(1, 2);
            Grid->Rocks += 1;
        } else {
            cell->Gem->locked = 1;
            Grid->Locked += 1;
        }
    }
    // A whole mouse gesture, one logic step per event.
    void Run(int& step, int count) {
        for (int i = 0; i < count && step < kSteps && !HasFatalFailure(); ++i) {
            TimedStep(step);
            CheckBoardInvariants(step, !TarotRunning());
            ++step;
        }
    }
    // A powerup at a random level, charged or (now and then) not, picked up
    // by a click or a drag and used on a random cell, dropped beside the
    // board or put back on its slot.
    void UsePowerup(int& step) {
        // Every powerup at every level in turn, the ones not yet used first.
        int turn = attempts_++ % kTurns;
        for (int tries = 0; tries < kTurns && used_.count(Turn(turn)); ++tries)
            turn = (turn + 1) % kTurns;
        const auto [index, level] = Turn(turn);
        THUDPowerup& powerup = *HUDPowerups[index];
        for (int i = 0; i < powerup.ItemLevelCount; ++i)
            SaveData->shopPurchases[powerup.ShopID + i] =
                i < level ? ShopItem::PURCHASED : ShopItem::UNAVAILABLE;
        if (RandInt(0, 9) != 0) powerup.ChargeFully();
        if (index == POWERUP_HAMMER || index == POWERUP_BROOM) GiveATarget(index);
        const bool wasCharged = powerup.IsCharged();
        const bool drag = RandInt(0, 1) == 1;
        MouseAtSlot(index);
        Press();
        Run(step, 1);
        if (Grid->PointerGemType) {
            if (drag) {
                RandomCell();
                Run(step, 2);
            } else {
                Release();
                Run(step, 1);
            }
            const int where = RandInt(0, 9);
            if (where == 0) {
                Game->Mouse->x = 1000;  // beside the board
                Game->Mouse->y = 20;
            } else if (where == 1) {
                MouseAtSlot(index);
            } else {
                TargetCell(powerup);
            }
            if (!drag) Press();
            Run(step, 1);
            Release();
            Run(step, 1);
            if (Grid->PointerGemType && RandInt(0, 1) == 0) {
                // Still held: the menu puts it aside and gives it back.
                Grid->TogglePointer(2);
                Grid->TogglePointer(3);
            }
            if (Grid->PointerGemType) Grid->ClearHUDCursor(0);
        } else {
            Release();
            Run(step, 1);
        }
        if (wasCharged && !powerup.IsCharged()) used_.insert({index, level});
    }
    void PlayOneSwap(int& step) {
        const int x = RandInt(0, Grid->levelwidth - 1), y = RandInt(0, Grid->levelheight - 1);
        const bool right = RandInt(0, 1) == 1;
        const int tx = right ? std::min(x + 1, Grid->levelwidth - 1) : x;
        const int ty = right ? y : std::min(y + 1, Grid->levelheight - 1);
        for (const auto& [cx, cy] : {std::pair{x, y}, std::pair{tx, ty}}) {
            MouseAt(cx, cy);
            Press();
            Run(step, 1);
            Release();
            Run(step, 1);
        }
    }
    // The screen gives up on a board without moves the moment it comes to
    // rest; the random player plays on with the board filled afresh.
    void PlayOnAfterNoMoreMoves() {
        if (GameScreen->NoMoreCounter <= 0) return;
        GameScreen->ClearCounters();
        Player->Alive = 1;
        Player->NoChecks = 0;
        Grid->BlockInput = 0;
        Grid->JiggleDirection = 0;
        FillGridUntilPlayable();
    }

    double slowest_ = 0;
    int attempts_ = 0;
    std::set<std::pair<int, int>> used_;  // powerup, level
};

TEST_F(PowerupPropertyTest, RandomPlayWithEveryPowerupKeepsTheBoardSound) {
    CSrand(2024);
    SeedRnd(2024);
    SaveData->shopPurchases[SHOP_PUMPKIN] = ShopItem::PURCHASED;
    SaveData->timer = 0;
    int step = 0, levels = 0;
    while (step < kSteps && !HasFatalFailure()) {
        SCOPED_TRACE(testing::Message() << "level file " << levels);
        LoadLayout({"1"});  // a fresh board, then the random file
        Grid->LoadLevelFromText(RandomLevel());
        Player->Level = Player->Unlocked = RandInt(4, 100);  // magic gems, coins and bags
        FillGridUntilPlayable();
        // As the level play screen does at every level start.
        for (const THUDPowerupPtr& powerup : HUDPowerups)
            powerup->Reset();
        ++levels;
        const int end = std::min(kSteps, step + 2500);
        while (step < end && !HasFatalFailure()) {
            if (AtRest() && Grid->PointerGemType == nullptr) {
                if (RandInt(0, 2) != 0) {
                    UsePowerup(step);
                } else {
                    PlayOneSwap(step);
                }
            }
            Run(step, 1);
            PlayOnAfterNoMoreMoves();
            if (!TarotRunning() && HUDPowerups[POWERUP_LIGHTNING]->isActive == 0) {
                ASSERT_EQ(Grid->HUDPowerupBlockInput, 0)
                    << "the board is given back, step " << step;
            }
        }
    }
    EXPECT_GE(levels, 8);
    for (int index = 0; index < POWERUP_COUNT; ++index)
        for (int level = 1; level <= HUDPowerups[index]->ItemLevelCount; ++level)
            EXPECT_TRUE(used_.count({index, level}))
                << "powerup " << index << " was never used at level " << level;
    RecordProperty("slowest_step_ms", std::to_string(slowest_));
}

}  // namespace
