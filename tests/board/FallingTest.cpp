// Falling, refill, the first fill and the move search, on boards laid out
// cell by cell.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <utility>

#include "board/BoardFixture.h"
#include "board/BoardInvariants.h"
#include "engine/Random.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"

namespace {

class FallingTest : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        CSrand(1234);
        SeedRnd(1234);
    }
    // Fills the board the way a level starts.
    void Fill() { FillGridUntilPlayable(); }
    // A line of three anywhere on the board, counted without touching it.
    bool HasLine() {
        const int found = Grid->CheckMatches(1, 0);
        Grid->ClearMatches();
        return found > 0;
    }
};

TEST_F(FallingTest, AColumnNeverFallsAcrossAGapAndEachPartHasItsOwnEntryRow) {
    LoadLayout({"11",  //
                "11",  //
                "11",  //
                "01",  //
                "01",  //
                "11",  //
                "11"});
    ASSERT_EQ(TopRowCount[0], 2);
    EXPECT_EQ(TopRow[0][0], 0);
    EXPECT_EQ(TopRow[0][1], 5);
    Fill();
    TGemPtr lowest = CellAt(0, 2)->Gem;
    ASSERT_TRUE(lowest);
    // Empty the part below the gap: it must be fed from row 5, not from row 2.
    GemList->RemoveGem(CellAt(0, 5)->Gem);
    GemList->RemoveGem(CellAt(0, 6)->Gem);
    for (int step = 0; step < 400; ++step) {
        Steps(1);
        ASSERT_EQ(CellAt(0, 2)->Gem, lowest) << "step " << step;
        ASSERT_EQ(lowest->dy, 0) << "step " << step;
    }
    EXPECT_NE(TypeAt(0, 5), 0);
    EXPECT_NE(TypeAt(0, 6), 0);
    EXPECT_EQ(TopRowPending[0][1], 0);
}

TEST_F(FallingTest, AGemCatchingUpWithAFallingGemDropsBackToTheStartingSpeed) {
    LoadLayout({"1", "1", "1", "1", "1", "1"});
    Grid->MakeNewGems = 0;
    PlaceGems({"1", "2", ".", ".", ".", "."});
    TGemPtr upper = CellAt(0, 0)->Gem, lower = CellAt(0, 1)->Gem;
    CellAt(0, 0)->Gem = CellAt(0, 1)->Gem = nullptr;
    lower->dy = 0.5f;
    upper->dy = 1.9f;
    upper->y = lower->y - 60.5f;
    GemList->SortAll();
    Grid->FallCounter = 6;  // no scan this step: only the two falling gems move
    const float lowerBefore = lower->y, upperBefore = upper->y;
    Steps(1);
    EXPECT_FLOAT_EQ(lower->y, lowerBefore + 0.5f);
    EXPECT_FLOAT_EQ(lower->dy, 0.54f);
    EXPECT_FLOAT_EQ(upper->dy, 0.04f) << "blocked by the gem below";
    EXPECT_FLOAT_EQ(upper->y, static_cast<float>(static_cast<int>(upperBefore)));
    // Once they no longer overlap the upper gem accelerates again.
    upper->y = lower->y - 80;
    Steps(1);
    EXPECT_FLOAT_EQ(upper->dy, 0.08f);
}

TEST_F(FallingTest, AGoldenSkullReachingTheBottomIsCollectedAndNeverRests) {
    LoadLayout({"1", "1", "1", "1"});
    Grid->MakeNewGems = 0;
    Grid->GoalCollect = 3;
    PlaceGems({"S", ".", ".", "."});
    Grid->EggCount = 1;
    StepsUntilStill();
    EXPECT_EQ(Player->SpecialItemsCollected, 1);
    EXPECT_EQ(Grid->EggCount, 0);
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(TypeAt(0, y), 0) << "row " << y;
    for (const TGemPtr& gem : *GemList)
        EXPECT_NE(gem->GemType, GEM_SKULL);
}

TEST_F(FallingTest, NewSkullsGetRarerWithEachSkullOnTheBoard) {
    LoadLayout({"111", "111", "111"});
    Grid->GoalCollect = 10;
    auto skullShare = [](int onBoard) {
        Grid->EggCount = onBoard;
        int skulls = 0;
        constexpr int kDraws = 200000;
        for (int i = 0; i < kDraws; ++i)
            skulls += TGem::Random(1) == GEM_SKULL;
        return static_cast<double>(skulls) / kDraws;
    };
    // RandInt(1, 10000) < threshold on the 15-bit generator, whose values
    // fold unevenly into 1..10000: the chance of each outcome, exactly.
    auto chanceBelow = [](int threshold) {
        int hits = 0;
        for (int r = 0; r <= CRAND_MAX; ++r)
            hits += 1 + r % 10000 < threshold;
        return static_cast<double>(hits) / (CRAND_MAX + 1);
    };
    EXPECT_NEAR(skullShare(1), chanceBelow(3000), 0.006);
    EXPECT_NEAR(skullShare(2), chanceBelow(200), 0.0015);
    EXPECT_EQ(skullShare(3), 0.0);
    Grid->EggCount = 0;
    for (int i = 0; i < 1000; ++i)
        ASSERT_NE(TGem::Random(0), GEM_SKULL) << "the first fill never draws skulls";
    Player->SpecialItemsCollected = 10;
    EXPECT_EQ(skullShare(0), 0.0) << "none once the goal is met";
}

TEST_F(FallingTest, EveryFillCountsOnlyTheSkullsItPlaces) {
    // Two skulls fixed by the level file: a board filled again (for want of a
    // move, or after a ready-made line) still holds two, not four.
    LoadLayout({"1111", "1111", "1111"}, "rocks=\nshapes=\n0,14\n0,0,0,14\n");
    Grid->GoalCollect = 5;
    for (int fill = 1; fill <= 3; ++fill) {
        SCOPED_TRACE(testing::Message() << "fill " << fill);
        GameScreen->FillGrid();
        EXPECT_EQ(Grid->EggCount, 2);
    }
    FillGridUntilPlayable();
    EXPECT_EQ(Grid->EggCount, 2);
}

TEST_F(FallingTest, HintsWalkTheMovesInSearchOrderAndWrap) {
    LoadLayout({"11111", "11111", "11111", "11111"});
    Grid->MakeNewGems = 0;
    // Two moves, each marked by the gem that has to move: the 6 at (1,1)
    // going right completes 6 6 6 down column 2; the 3 at (0,3) going up
    // completes 3 3 3 down column 0.
    PlaceGems({"31645",  //
               "36432",  //
               "24654",  //
               "35245"});
    std::vector<std::pair<int, int>> seen;
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(Grid->StartHint(), 1);
        seen.emplace_back(Grid->HintX, Grid->HintY);
        Grid->StopHint();
    }
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0], std::make_pair(1, 1));
    EXPECT_EQ(seen[1], std::make_pair(0, 3));
    EXPECT_EQ(seen[2], seen[0]) << "after the last move the hint starts again";
    EXPECT_EQ(seen[3], seen[1]);
}

TEST_F(FallingTest, ABombIsAlwaysAMove) {
    LoadLayout({"111", "111", "111"});
    Grid->MakeNewGems = 0;
    PlaceGems({"123", "231", "312"});
    EXPECT_EQ(Grid->DoNoMoreMoves(0), 1) << "no swap makes a line";
    PlaceGems({"123", "2B1", "312"});
    EXPECT_EQ(Grid->DoNoMoreMoves(0), 0);
    EXPECT_EQ(Grid->DebugX, 1);
    EXPECT_EQ(Grid->DebugY, 1);
}

TEST_F(FallingTest, TheFirstFillHasNoLineAndAMoveOnEveryShapeOfBoard) {
    const std::vector<std::vector<std::string>> layouts = {
        {"111111111", "111111111", "111111111", "111111111", "111111111", "111111111", "111111111",
         "111111111", "111111111"},
        {"0011100", "0111110", "1111111", "1110111", "1111111", "0111110", "0011100"},
        {"1111111111111", "1111111111111", "1111111111111", "1111111111111", "1111111111111",
         "1111111111111", "1111111111111", "1111111111111", "1111111111111", "1111111111111"},
        {"111", "111", "111", "000", "111", "111"},
    };
    for (size_t l = 0; l < layouts.size(); ++l) {
        for (uint32_t seed = 1; seed <= 40; ++seed) {
            SCOPED_TRACE(testing::Message() << "layout " << l << " seed " << seed);
            CSrand(seed);
            LoadLayout(layouts[l]);
            Fill();
            ASSERT_FALSE(HasLine());
            ASSERT_EQ(Grid->DoNoMoreMoves(0), 0);
            for (int y = 0; y < Grid->levelheight; ++y) {
                for (int x = 0; x < Grid->levelwidth; ++x) {
                    const TCell& cell = *Cells[x][y];
                    ASSERT_EQ(cell.active, cell.Gem != nullptr) << x << "," << y;
                }
            }
        }
    }
}

TEST_F(FallingTest, LevelsThatCannotBeFilledCleanlyStillFinishFilling) {
    // Two colours cannot avoid a line on every cell; fixed gems already in a
    // line come back with every fill; a single cell has no move at all.
    LoadLayout({"11111", "11111", "11111", "11111"}, "");
    GemColourCount = 2;
    EXPECT_LE(FillGridUntilPlayable(), 200);

    LoadLayout({"1", "1"});
    EXPECT_LE(FillGridUntilPlayable(), 200);
    EXPECT_EQ(Grid->DoNoMoreMoves(0), 1) << "the normal no-more-moves path takes it from here";

    LoadLayout({"111", "111", "111"});
    for (int x = 0; x < 3; ++x)
        Cells[x][0]->fixedGem = 2;
    Fill();
    EXPECT_EQ(Row(0), "222") << "fixed gems stay as the level file set them";
    EXPECT_NE(Row(1), "222");
}

TEST_F(FallingTest, LevelFoursMagicGemOnlyWhereACellHoldsAPlainGem) {
    SaveData->shopPurchases[SHOP_PUMPKIN] = ShopItem::UNAVAILABLE;
    Player->Level = 4;
    LoadLayout({"111111", "111111", "111111", "111111"});
    Fill();
    EXPECT_EQ(CellAt(5, 1)->Gem->Magic, 1);
    // Narrower than six columns: no cell (5, 1) to touch.
    LoadLayout({"1111", "1111", "1111"});
    Fill();
    // A hole there.
    LoadLayout({"111111", "111110", "111111"});
    Fill();
    EXPECT_EQ(CellAt(5, 1)->Gem, nullptr);
}

TEST_F(FallingTest, ACoinCaughtAboveItsEntryRowLetsTheColumnRefill) {
    Player->Level = Player->Unlocked = 10;
    LoadLayout({"1", "1", "1"});
    Fill();
    GemList->RemoveGem(CellAt(0, 0)->Gem);
    Steps(1);
    ASSERT_EQ(TopRowPending[0][0], 1);
    auto newcomers = GemList->ToVector();
    TGemPtr coin =
        newcomers.front()->y < newcomers.back()->y ? newcomers.front() : newcomers.back();
    coin->GemType = coin->OrigGemType = GEM_COIN;
    // Wait until its centre is within reach of a click on the top cell.
    const float target = static_cast<float>(CellTop(0) + HALF_CELL);
    for (int step = 0; step < 200 && coin->y < target - 30; ++step)
        Steps(1);
    ASSERT_LT(coin->y, target) << "still above its entry row";
    ASSERT_EQ(TopRowPending[0][0], 1);
    Click(0, 0);
    EXPECT_FALSE(GemList->Contains(coin));
    EXPECT_EQ(Player->levelCoinsCollected, 1);
    StepsUntilStill();
    EXPECT_EQ(TopRowPending[0][0], 0);
    EXPECT_NE(TypeAt(0, 0), 0) << "the column filled again";
}

// A long random game: whatever the player does, the board stays consistent.
class BoardInvariantTest : public FallingTest {
  protected:
    void CheckInvariants(int step) { CheckBoardInvariants(step); }
    bool AtRest() const {
        if (Grid->BlockInput || Grid->SwapCounter > 0) return false;
        for (const TGemPtr& gem : *GemList)
            if (gem->dy != 0 || gem->Exploding()) return false;
        return true;
    }
    // Mostly swaps that make a line, sometimes one that slides back.
    void PlayOneSwap() {
        const bool wantLine = RandInt(0, 3) != 0;
        int x = 0, y = 0, tx = 0, ty = 0;
        for (int attempt = 0; attempt < 50; ++attempt) {
            x = RandInt(0, Grid->levelwidth - 1);
            y = RandInt(0, Grid->levelheight - 1);
            const bool right = RandInt(0, 1) == 1;
            tx = right ? std::min(x + 1, Grid->levelwidth - 1) : x;
            ty = right ? y : std::min(y + 1, Grid->levelheight - 1);
            if (!wantLine || MakesLine(x, y, tx, ty)) break;
        }
        Click(x, y);
        Click(tx, ty);
    }
    bool MakesLine(int x, int y, int tx, int ty) {
        TCell* a = CellAt(x, y);
        TCell* b = CellAt(tx, ty);
        if (!a || !b || (x == tx && y == ty)) return false;
        std::swap(a->Gem, b->Gem);
        const bool line = HasLine();
        std::swap(a->Gem, b->Gem);
        return line;
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
        Fill();
    }
    void CheckNothingPending() {
        for (int x = 0; x < Grid->levelwidth; ++x)
            for (int k = 0; k < TopRowCount[x]; ++k)
                ASSERT_EQ(TopRowPending[x][k], 0) << "stuck entry row in column " << x;
    }
};

TEST_F(BoardInvariantTest, ARandomGameKeepsTheBoardConsistent) {
    SaveData->shopPurchases[SHOP_PUMPKIN] = ShopItem::PURCHASED;
    Player->Level = Player->Unlocked = 12;  // coins and bags may appear
    const std::vector<std::vector<std::string>> layouts = {
        {"11111111", "11111111", "11111111", "11011011", "11111111", "11111111", "11111111"},
        {"111", "111", "111", "000", "111", "111"},
    };
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        CSrand(seed);
        SeedRnd(seed);
        LoadLayout(layouts[seed % layouts.size()]);
        Fill();
        int restingSteps = 0;
        for (int step = 0; step < 10000; ++step) {
            if (AtRest()) {
                CheckNothingPending();
                if (Grid->DoNoMoreMoves(0) == 1) Fill();
                if (++restingSteps % 3 == 0) PlayOneSwap();
            }
            Steps(1);
            PlayOnAfterNoMoreMoves();
            CheckInvariants(step);
            if (HasFatalFailure()) return;
        }
    }
    EXPECT_GT(Player->LevelKills, 1000) << "the random player really played";
}

}  // namespace

namespace {

// A level as the game ships it: a file in the data folder, with armour, locks
// and rocks, loaded, filled and played through the board's own step.
TEST_F(BoardInvariantTest, ALevelFileFromDiskPlaysThroughTheBoard) {
    const std::filesystem::path folder = home_ / "Data" / "levels";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "3.txt", std::ios::binary)
        << "NAME=The Churchyard Gate\r\nTime=90\r\nGoals=0,1,0,1,0\r\nC=1,2,3,4,5\r\nBombs=1,2\r\n"
           "Size=8,8\r\nR=0,0\r\n"
           "1,1,1,1,1,1,1,1\r\n1,2,2,1,1,2,2,1\r\n1,3,3,1,1,3,3,1\r\n1,1,1,0,0,1,1,1\r\n"
           "1,1,1,0,0,1,1,1\r\n1,3,3,1,1,3,3,1\r\n1,2,2,1,1,2,2,1\r\n1,1,1,1,1,1,1,1\r\n"
           "locked=\r\n"
           "0,0,0,0,0,0,0,0\r\n0,0,0,0,0,0,0,0\r\n0,0,0,1,1,0,0,0\r\n0,0,0,0,0,0,0,0\r\n"
           "0,0,0,0,0,0,0,0\r\n0,0,0,1,1,0,0,0\r\n0,0,0,0,0,0,0,0\r\n0,0,0,0,0,0,0,0\r\n"
           "rocks=\r\n"
           "0,0,0,0,0,0,0,0\r\n0,0,0,0,0,0,0,0\r\n0,0,0,0,0,0,0,0\r\n2,0,0,0,0,0,0,1\r\n"
           "1,0,0,0,0,0,0,2\r\n0,0,0,0,0,0,0,0\r\n0,0,0,0,0,0,0,0\r\n0,0,0,0,0,0,0,0\r\n"
           "shapes=\r\nborder=\r\n";
    Game->DataPrefix = home_.string() + "/";
    CSrand(99);
    SeedRnd(99);
    LoadLayout({"1"});  // a fresh board object, then the real file
    Grid->LoadLevel(3);
    ASSERT_EQ(Grid->LevelName, "The Churchyard Gate");
    const int armour = Grid->Gold, rocks = Grid->Rocks;
    ASSERT_GT(armour, 0);
    ASSERT_EQ(rocks, 4);
    Fill();
    ASSERT_EQ(Grid->DoNoMoreMoves(0), 0);
    ASSERT_EQ(Grid->StartHint(), 1);
    EXPECT_TRUE(CellAt(Grid->HintX, Grid->HintY)) << "the hint points at a cell of the board";
    Grid->StopHint();
    for (int step = 0; step < 20000; ++step) {
        if (AtRest()) {
            if (Grid->DoNoMoreMoves(0) == 1) break;  // the level would end here
            PlayOneSwap();
        }
        Steps(1);
        CheckInvariants(step);
        if (HasFatalFailure()) return;
    }
    EXPECT_LT(Grid->Gold, armour) << "matches wore the armour down";
    EXPECT_GT(Player->LevelKills, 30);
}

}  // namespace
