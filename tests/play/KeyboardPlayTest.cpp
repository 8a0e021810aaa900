// The board without a mouse, through the system's queue: the arrows move a
// cursor that shows only after a key and hides when the mouse moves, Enter
// picks and an arrow swaps, Enter again lets go, the number keys take the
// powerups and Enter drops a held one on the cursor's cell; and a whole level
// is won with keys alone, the headless player choosing the moves.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "autoplay/AutoPlayer.h"
#include "board/Cell.h"
#include "board/Grid.h"
#include "board/Powerups.h"
#include "engine/Input.h"
#include "frame/Game.h"
#include "frame/Navigation.h"
#include "play/GameScreen.h"
#include "play/LevelComplete.h"
#include "play/LevelFixture.h"
#include "play/Player.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"

namespace {

class KeyboardPlayTest : public LevelTest {
  protected:
    // The board waits for the player: nothing falls, swaps or bursts.
    static bool AwaitsMove() {
        if (!InPlay() || GameScreen->NoMoreCounter > 0 || !Player->Alive) return false;
        if (Grid->BlockInput || Grid->SwapCounter > 0 || Grid->HUDPowerupBlockInput) return false;
        for (const TGemPtr& gem : *GemList)
            if (gem->dy != 0 || gem->Exploding()) return false;
        return true;
    }
    static bool Won() { return GameScreen->OutroRunning() || LevelCompleteScreen->Active; }

    // Arrow presses until the cursor stands on (x, y): along the row first
    // when the target's column is open there, else along the column.
    void MoveCursorTo(int x, int y) {
        for (int presses = 0; presses < 40 && (Grid->KeyX != x || Grid->KeyY != y); ++presses) {
            const TCell* across = CellAt(x, Grid->KeyY);
            const bool rowFirst = Grid->KeyX != x && across && across->active;
            if (rowFirst || Grid->KeyY == y) {
                Press(x < Grid->KeyX ? "Left" : "Right");
            } else {
                Press(y < Grid->KeyY ? "Up" : "Down");
            }
        }
        ASSERT_EQ(Grid->KeyX, x);
        ASSERT_EQ(Grid->KeyY, y);
    }
    static const char* ArrowToward(int dx, int dy) {
        return dx < 0 ? "Left" : dx > 0 ? "Right" : dy < 0 ? "Up" : "Down";
    }
    // A pair of neighbouring cells whose gems would swap back (no line).
    static bool FindUselessSwap(int& x, int& y) {
        for (y = 0; y < Grid->levelheight; ++y)
            for (x = 0; x + 1 < Grid->levelwidth; ++x) {
                const TCell* a = CellAt(x, y);
                const TCell* b = CellAt(x + 1, y);
                if (a && b && a->active && b->active && a->Gem && b->Gem &&
                    a->Gem->GemType == b->Gem->GemType && a->Gem->GemType < GEM_SKULL &&
                    !a->Gem->locked && !a->Gem->rocked)
                    return true;
            }
        return false;
    }
};

TEST_F(KeyboardPlayTest, CursorShowsAfterKeysPicksSwapsAndHidesForTheMouse) {
    Play(1, false, false);
    ASSERT_TRUE(StepUntil(AwaitsMove, 2000));
    ASSERT_FALSE(Grid->KeyCursorShown()) << "no key pressed yet";

    // The first arrow only brings the cursor into sight, on the first cell.
    Press("Right");
    ASSERT_TRUE(Grid->KeyCursorShown());
    EXPECT_EQ(Grid->KeyX, 0);
    EXPECT_EQ(Grid->KeyY, 0);
    Press("Right");
    Press("Down");
    EXPECT_EQ(Grid->KeyX, 1);
    EXPECT_EQ(Grid->KeyY, 1);
    EXPECT_EQ(Grid->mx, 1) << "the hover mark follows the cursor";
    // Held, an arrow repeats.
    InjectKeyEvent("Right", true);
    Step(200);
    InjectKeyEvent("Right", false);
    Step();
    EXPECT_GT(Grid->KeyX, 2) << "a held arrow moves on";

    // Enter picks the gem, Enter again lets it go as a second click does.
    MoveCursorTo(1, 1);
    Press("Return");
    EXPECT_EQ(Grid->Mode, 1);
    EXPECT_EQ(Grid->cx, 1);
    EXPECT_EQ(Grid->cy, 1);
    Step(300);  // past the double-click time of a bomb
    Press("Space");
    EXPECT_EQ(Grid->Mode, 0) << "Space on the pick lets it go";

    // Picked, an arrow swaps that way; a swap that makes no line goes back.
    int x = 0, y = 0;
    ASSERT_TRUE(FindUselessSwap(x, y));
    const TGemPtr left = CellAt(x, y)->Gem, right = CellAt(x + 1, y)->Gem;
    MoveCursorTo(x, y);
    Press("Return");
    ASSERT_EQ(Grid->Mode, 1);
    InjectKeyEvent("Right", true);
    Step();
    EXPECT_GT(Grid->SwapCounter, 0) << "the arrow started the swap";
    EXPECT_EQ(Grid->SwapSource, left);
    EXPECT_EQ(Grid->SwapDest, right);
    InjectKeyEvent("Right", false);
    ASSERT_TRUE(StepUntil(AwaitsMove, 400));
    EXPECT_EQ(CellAt(x, y)->Gem, left) << "no line: the gems went back";
    EXPECT_EQ(Grid->KeyX, x + 1) << "the cursor went with the gem";

    // The frame with the cursor, to look at.
    SaveShot("keyboard-cursor");

    // The mouse moving hides the cursor and takes the board back.
    InjectMouseMove(PhysicalX(5), PhysicalY(5));
    Step();
    EXPECT_FALSE(Grid->KeyCursorShown());
    EXPECT_EQ(Grid->mx, -1) << "the hover mark is the mouse's again";
}

TEST_F(KeyboardPlayTest, NumberKeysTakePowerupsAndEnterDropsTheHeldOne) {
    Play(1, false, false);
    ASSERT_TRUE(StepUntil(AwaitsMove, 2000));
    // The stake bought and full: held on the pointer before it is used.
    const int slot = POWERUP_STAKE;
    THUDPowerup& stake = *HUDPowerups[slot];
    SaveData->shopPurchases[static_cast<size_t>(stake.ShopID)] = ShopItem::PURCHASED;
    stake.ChargeFully();
    Press("Down");  // the cursor shows
    MoveCursorTo(2, 2);
    const std::string digit(1, static_cast<char>('1' + slot));
    Press(digit.c_str());
    ASSERT_EQ(Grid->PointerGemType, HUDPowerups[slot]) << "the number key took the stake";
    EXPECT_EQ(Grid->mx, 2) << "its area follows the cursor";
    SaveShot("keyboard-held-powerup");
    Press(digit.c_str());
    EXPECT_FALSE(Grid->PointerGemType) << "the same number puts it back";

    Press(digit.c_str());
    ASSERT_TRUE(Grid->PointerGemType);
    Press("Return");
    EXPECT_FALSE(Grid->PointerGemType) << "Enter dropped it on the cursor's cell";
    EXPECT_FALSE(stake.IsCharged()) << "and it was used";
}

// The headless player chooses each move; the keys alone make it.
TEST_F(KeyboardPlayTest, LevelIsWonWithKeysAlone) {
    Play(1, false, false);
    int moves = 0;
    while (moves < 150 && !Won()) {
        ASSERT_TRUE(StepUntil([] { return AwaitsMove() || Won(); }, 4000)) << "after " << moves;
        if (Won()) break;
        AutoplayMove move;
        ASSERT_TRUE(ChooseBoardMove(move)) << "the board has a move";
        if (moves == 0) Press("Down");  // the cursor shows
        MoveCursorTo(move.x, move.y);
        Press("Return");
        if (move.fire) {
            const TCell* cell = CellAt(move.x, move.y);
            if (Grid->Mode == 1 && cell && cell->Gem && cell->Gem->IsBonus()) Press("Return");
        } else {
            ASSERT_EQ(Grid->Mode, 1) << "Enter picked the gem at " << move.x << "," << move.y;
            Press(ArrowToward(move.tx - move.x, move.ty - move.y));
        }
        ++moves;
    }
    EXPECT_TRUE(Won()) << "level 1 after " << moves << " moves";
    EXPECT_GT(moves, 2);
    EXPECT_TRUE(Nav::MarksShown());
}

}  // namespace
