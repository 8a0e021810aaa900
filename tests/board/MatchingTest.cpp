// Swapping and matching on small boards laid out gem by gem.
#include <gtest/gtest.h>

#include "board/BoardFixture.h"
#include "engine/Random.h"
#include "media/Effects.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"

namespace {

class MatchingTest : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        OpenBoard();
    }
    // A 5 x 5 board without refill: the tests watch the gems they placed.
    void OpenBoard() {
        LoadLayout({"11111", "11111", "11111", "11111", "11111"});
        Grid->MakeNewGems = 0;
    }
    // Starts a case afresh: the last one's board may have given up for want of
    // moves once it came to rest.
    void FreshCase() {
        FreshPlayObjects();
        SaveData->shopPurchases[SHOP_PUMPKIN] = ShopItem::PURCHASED;
        OpenBoard();
    }
    // Selects (x1, y1) and clicks (x2, y2), then lets the swap run.
    void Swap(int x1, int y1, int x2, int y2) {
        Click(x1, y1);
        Click(x2, y2);
        Steps(static_cast<int>(Grid->SwapTime) + 2);
    }
};

TEST_F(MatchingTest, SwapsStandOnlyWhenOneOfTheTwoCellsJoinsALine) {
    PlaceGems({"12345",  //
               "23451",  //
               "34512",  //
               "45623",  //
               "51266"});
    // Swapping (0,0) and (1,0) makes no line at all: it slides back (and the
    // board keeps a move elsewhere, at (2,3), so play goes on).
    Swap(0, 0, 1, 0);
    EXPECT_EQ(Grid->FailedMove, 1);
    Steps(static_cast<int>(Grid->SwapTime) + 2);
    EXPECT_EQ(Row(0), "12345");
    EXPECT_EQ(Grid->Mode, 0);
    // With the rule off every swap stands.
    Grid->MoveNeedsMatchFlag = 0;
    Swap(0, 0, 1, 0);
    EXPECT_EQ(Row(0), "21345");
}

TEST_F(MatchingTest, ASwapThatCompletesALineRemovesItAndScores) {
    PlaceGems({"11212",  //
               "23434",  //
               "34545",  //
               "45656",  //
               "56161"});
    // Swapping (2,0) with (3,0) lines up three 1s: 1 1 1 2 2.
    Swap(2, 0, 3, 0);
    EXPECT_EQ(Player->LevelScore, 3) << "three plain gems, one point each";
    EXPECT_EQ(Player->LevelKills, 3);
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(TypeAt(x, 0), GEM_USED) << "exploding in place";
}

TEST_F(MatchingTest, LongLinesPutTheBombInTheirMiddle) {
    SaveData->shopPurchases[SHOP_PUMPKIN] = ShopItem::PURCHASED;
    struct Case {
        const char* row;
        int bombAt;
    };
    for (Case c : {Case{"11111", 2}, Case{"111111", 2}, Case{"1111111", 3}}) {
        SCOPED_TRACE(c.row);
        const int width = static_cast<int>(std::string(c.row).size());
        LoadLayout({std::string(width, '1'), std::string(width, '1'), std::string(width, '1')});
        Grid->MakeNewGems = 0;
        std::string second, third;
        for (int i = 0; i < width; ++i) {
            second += static_cast<char>('2' + i % 2);
            third += static_cast<char>('4' + i % 2);
        }
        PlaceGems({c.row, second, third});
        Grid->CheckMatches(0, 0);
        for (int x = 0; x < width; ++x) {
            const int type = TypeAt(x, 0);
            if (x == c.bombAt) {
                EXPECT_GE(type, GEM_FIRST_BOMB) << "column " << x;
            } else {
                EXPECT_EQ(type, GEM_USED) << "column " << x;
            }
        }
    }
    // Without the first decoration lines of four or more make no bombs.
    SaveData->shopPurchases[SHOP_PUMPKIN] = ShopItem::UNAVAILABLE;
    LoadLayout({"11111", "11111", "11111"});
    PlaceGems({"11112", "23232", "45454"});
    Grid->CheckMatches(0, 0);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(TypeAt(x, 0), GEM_USED);
}

TEST_F(MatchingTest, ASwapWithABombAlwaysStandsAndFiresItAtItsNewCell) {
    struct Case {
        const char* name;
        int fromX, fromY, toX, toY;
        int bombX, bombY;  // where the bomb ends up
    };
    for (Case c : {Case{"the bomb moves", 2, 2, 3, 2, 3, 2},
                   Case{"a gem moves onto the bomb", 2, 1, 2, 2, 2, 1}}) {
        SCOPED_TRACE(c.name);
        FreshCase();
        // No swap on this board makes a line.
        PlaceGems({"12345", "23451", "34B12", "45123", "51234"});
        const TGemPtr bomb = CellAt(2, 2)->Gem;
        GameScreen->ClearSoundTriggers();
        Swap(c.fromX, c.fromY, c.toX, c.toY);
        EXPECT_EQ(Grid->FailedMove, 0) << "the swap stands";
        EXPECT_EQ(bomb->BonusActivated, 1);
        EXPECT_EQ(bomb->gx, c.bombX);
        EXPECT_EQ(bomb->gy, c.bombY);
        EXPECT_EQ(GameScreen->TriggerBomb, 1);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 5; ++x) {
                const bool inBlast = std::abs(x - c.bombX) <= 1 && std::abs(y - c.bombY) <= 1;
                EXPECT_EQ(TypeAt(x, y) == GEM_USED, inBlast) << x << "," << y;
            }
        }
    }
}

TEST_F(MatchingTest, ASwapIntoAHoleIsUndoneWhenAGemFallsIntoIt) {
    for (const bool bombFirst : {false, true}) {
        SCOPED_TRACE(bombFirst ? "a bomb moves" : "a gem moves");
        FreshCase();
        // Column 1 is empty but for a gem falling at top speed, a cell above
        // the bottom row: it lands there while the swap into that cell runs.
        // Had it not, the 2 moving in would have made 2 2 2.
        PlaceGems({"1.345", "2.451", "3.512", "4.123", bombFirst ? "B.224" : "2.224"});
        const TGemPtr faller = TGem::Make(1, 3, 6, 1);
        faller->dy = 2.0f;
        GemList->InsertGem(faller);
        const TGemPtr moving = CellAt(0, 4)->Gem;
        Click(0, 4);
        Click(1, 4);
        ASSERT_GT(Grid->SwapCounter, 0);
        ASSERT_EQ(Grid->SwapDest, nullptr) << "a swap into an empty cell";
        Steps(static_cast<int>(Grid->SwapTime) + 2);
        EXPECT_EQ(Grid->FailedMove, 1) << "the target filled up: the swap goes back";
        EXPECT_EQ(CellAt(1, 4)->Gem, faller);
        Steps(static_cast<int>(Grid->SwapTime) + 2);
        EXPECT_EQ(CellAt(0, 4)->Gem, moving);
        EXPECT_EQ(moving->x, CellLeft(0) + HALF_CELL);
        EXPECT_EQ(moving->Swapping, 0);
        EXPECT_EQ(moving->BonusActivated, 0) << "nothing fired";
        EXPECT_EQ(CellAt(1, 4)->Gem, faller);
    }
}

TEST_F(MatchingTest, AGemScoresByTheGemsOfItsPassUpToTenAndMagicAddsABonus) {
    struct Case {
        int n, magic, goal;
        int points, lastPicture;
    };
    const std::vector<Case> cases = {
        // Plain gems: 1 point up to three gems in the pass, then one more a gem.
        {0, 0, 0, 1, 1},
        {3, 0, 0, 1, 1},
        {4, 0, 0, 2, 2},
        {9, 0, 0, 7, 7},
        {10, 0, 0, 8, 8},
        {14, 0, 0, 8, 8},
        // Goal gems: ten times that, and nothing outside a pass.
        {0, 0, 1, 0, 10},
        {3, 0, 1, 10, 10},
        {8, 0, 1, 60, 60},
        {11, 0, 1, 80, 80},
        // Magic gems score as goal gems, then 10 more, or 100 more as goal gems.
        {3, 1, 0, 20, 10},
        {10, 1, 0, 90, 10},
        {5, 1, 1, 130, 100},
        {0, 1, 1, 100, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "n " << c.n << " magic " << c.magic << " goal " << c.goal);
        Player->LevelScore = 0;
        ParticleLayer(6).Clear();
        Grid->AwardGemScore(3, 1, c.n, c.magic, c.goal);
        EXPECT_EQ(Player->LevelScore, c.points);
        const TShownScore shown = LastScorePicture();
        EXPECT_EQ(shown.points, c.lastPicture);
        EXPECT_EQ(shown.x, CellLeft(3) + HALF_CELL);
        EXPECT_EQ(shown.y, CellTop(1) + 18) << "the picture rises from the cell's upper half";
    }
}

TEST_F(MatchingTest, LongLinesScoreAtMostEightAGemAndMagicGemsTheirBonus) {
    struct Case {
        int length, score;
    };
    for (Case c : {Case{9, 9 * 7}, Case{10, 10 * 8}, Case{11, 11 * 8}}) {
        SCOPED_TRACE(testing::Message() << "a line of " << c.length);
        LoadLayout({std::string(c.length, '1'), std::string(c.length, '1')});
        Grid->MakeNewGems = 0;
        std::string below;
        for (int i = 0; i < c.length; ++i)
            below += static_cast<char>('2' + i % 2);
        PlaceGems({std::string(c.length, '1'), below});
        Player->LevelScore = 0;
        Grid->CheckMatches(0, 0);
        EXPECT_EQ(Player->LevelScore, c.score);
    }
    // A magic gem in a line of three: 1 + 1 for the plain ones, 10 + 10 for it.
    PlaceGems({"11123", "23451", "34512", "45123", "51234"});
    CellAt(1, 0)->Gem->Magic = 1;
    Player->LevelScore = 0;
    Grid->CheckMatches(0, 0);
    EXPECT_EQ(Player->LevelScore, 22);
    EXPECT_EQ(Player->MagicFreed, 1);
}

TEST_F(MatchingTest, AnLShapeCountsBothLinesAndLockedGemsStayUnlocked) {
    PlaceGems({"11123",  //
               "14532",  //
               "16354",  //
               "23415",  //
               "34521"});
    Grid->CheckMatches(0, 0);
    EXPECT_EQ(Player->LevelScore, 5 * 4) << "3 + 3 sharing a corner: 6 counted, 5 gems of 4 points";

    PlaceGems({"L1123",  //
               "24532",  //
               "36354",  //
               "23415",  //
               "34521"});
    Grid->Locked = 1;
    Player->LevelScore = 0;
    Grid->CheckMatches(0, 0);
    EXPECT_EQ(TypeAt(0, 0), 1) << "the locked gem stays";
    EXPECT_EQ(CellAt(0, 0)->Gem->locked, 0) << "but is unlocked";
    EXPECT_EQ(Grid->Locked, 0);
    EXPECT_EQ(Player->LevelScore, 10 + 1 + 1) << "it scores as a goal gem";
}

TEST_F(MatchingTest, SelectionFollowsTheClicks) {
    PlaceGems({"12345", "23451", "34512", "45123", "51234"});
    Click(1, 1);
    EXPECT_EQ(Grid->Mode, 1);
    EXPECT_EQ(Grid->cx, 1);
    Click(2, 2);  // a diagonal neighbour is never a swap target
    EXPECT_EQ(Grid->Mode, 1);
    EXPECT_EQ(Grid->cx, 2);
    EXPECT_EQ(Grid->cy, 2);
    EXPECT_EQ(Grid->SwapCounter, 0);
    Click(2, 2);  // the selected gem again: deselects
    EXPECT_EQ(Grid->Mode, 0);
    // Dragging from a gem onto its neighbour swaps them.
    Grid->MoveNeedsMatchFlag = 0;
    MouseAt(0, 0);
    Press();
    Steps(1);
    MouseAt(1, 0);
    Steps(1);
    EXPECT_GT(Grid->SwapCounter, 0);
    Release();
}

TEST_F(MatchingTest, ADoubleClickFiresABombOnlyWithin200Steps) {
    SaveData->shopPurchases[SHOP_PUMPKIN] = ShopItem::PURCHASED;
    PlaceGems({"12345", "23B51", "34512", "45123", "51234"});
    Click(2, 1);
    Steps(250);
    Click(2, 1);
    EXPECT_EQ(Grid->Mode, 0) << "a slow second click deselects";
    EXPECT_EQ(TypeAt(2, 1), GEM_PUMPKIN_BOMB);
    Click(2, 1);
    Click(2, 1);
    EXPECT_EQ(CellAt(2, 1)->Gem->BonusActivated, 1);
    EXPECT_EQ(TypeAt(1, 1), GEM_USED) << "the 3 x 3 around it goes";
    EXPECT_EQ(TypeAt(3, 2), GEM_USED);
    EXPECT_NE(TypeAt(4, 1), GEM_USED);
    // The fired bomb burns out with its blast and leaves its cell empty.
    StepsUntilStill();
    EXPECT_EQ(CellAt(2, 1)->Gem, nullptr);
    EXPECT_GT(Player->LevelScore, 0);
}

}  // namespace
