// Armour, rocks, locks, golden skulls, coins and bags, the seven bombs, and
// the goals that end a level.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "board/BoardFixture.h"
#include "engine/Random.h"
#include "media/Effects.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"

namespace {

class BonusesTest : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        for (int item = 1; item <= 38; ++item)
            SaveData->shopPurchases[item] = ShopItem::PURCHASED;
        SaveData->shopPurchases[SHOP_BONUS_POWER] = ShopItem::UNAVAILABLE;
        SaveData->timer = 1;
        CSrand(42);
    }
    // A board of plain gems that holds no line: colours along the diagonals.
    void PlainBoard(const std::vector<std::string>& layout) {
        LoadLayout(layout);
        Grid->MakeNewGems = 0;
        std::vector<std::string> gems;
        for (int y = 0; y < static_cast<int>(layout.size()); ++y) {
            std::string row;
            for (int x = 0; x < static_cast<int>(layout[y].size()); ++x)
                row += layout[y][x] == '0' ? '.' : static_cast<char>('1' + (x + 2 * y) % 4);
            gems.push_back(row);
        }
        PlaceGems(gems);
    }
    // Puts a bomb of the type at the cell and fires it there.
    void Fire(int type, int x, int y) {
        MakeGem(type, x, y);
        Grid->ActivateBonus(CellAt(x, y)->Gem, x, y);
    }
    void MakeGem(int type, int x, int y) {
        TCell* cell = CellAt(x, y);
        if (cell->Gem) GemList->RemoveGem(cell->Gem);
        TGemPtr gem = TGem::Make(x, y, type, 0);
        GemList->InsertGem(gem);
        cell->Gem = gem;
    }
    // '#' where a gem was hit, '.' where not, ' ' for a hole.
    std::vector<std::string> Hits() const {
        std::vector<std::string> rows;
        for (int y = 0; y < Grid->levelheight; ++y) {
            std::string row;
            for (int x = 0; x < Grid->levelwidth; ++x) {
                const TCell* cell = CellAt(x, y);
                row += !cell->active                                 ? ' '
                       : cell->Gem && cell->Gem->GemType == GEM_USED ? '#'
                                                                     : '.';
            }
            rows.push_back(row);
        }
        return rows;
    }
    const std::vector<std::string> kOpen7 = {"1111111", "1111111", "1111111", "1111111",
                                             "1111111", "1111111", "1111111"};
};

TEST_F(BonusesTest, EachBombHitsItsAreaForBothPowers) {
    struct Case {
        int type, x, y;
        std::vector<std::string> hits;
    };
    const std::vector<Case> cases = {
        {GEM_PUMPKIN_BOMB,
         3,
         3,
         {".......", ".......", "..###..", "..###..", "..###..", ".......", "......."}},
        {GEM_PUMPKIN_BOMB + BOMB_UPGRADE,
         3,
         3,
         {".......", "..###..", ".#####.", ".#####.", ".#####.", "..###..", "......."}},
        {GEM_PUMPKIN_BOMB,
         0,
         0,
         {"##.....", "##.....", ".......", ".......", ".......", ".......", "......."}},
        {GEM_HORIZONTAL_BOMB,
         2,
         5,
         {".......", ".......", ".......", ".......", ".......", "#######", "......."}},
        {GEM_HORIZONTAL_BOMB + BOMB_UPGRADE,
         2,
         6,
         {".......", ".......", ".......", ".......", ".......", "#######", "#######"}},
        {GEM_VERTICAL_BOMB,
         1,
         3,
         {".#.....", ".#.....", ".#.....", ".#.....", ".#.....", ".#.....", ".#....."}},
        {GEM_VERTICAL_BOMB + BOMB_UPGRADE,
         0,
         3,
         {"##.....", "##.....", "##.....", "##.....", "##.....", "##.....", "##....."}},
        {GEM_CROSS_BOMB,
         3,
         3,
         {".......", "...#...", "...#...", ".#####.", "...#...", "...#...", "......."}},
        {GEM_CROSS_BOMB + BOMB_UPGRADE,
         2,
         3,
         {"..#....", "..#....", "..#....", "#######", "..#....", "..#....", "..#...."}},
        {GEM_DIAGONAL_BOMB,
         3,
         3,
         {".......", ".#...#.", "..#.#..", "...#...", "..#.#..", ".#...#.", "......."}},
        {GEM_DIAGONAL_BOMB + BOMB_UPGRADE,
         1,
         1,
         {"#.#....", ".#.....", "#.#....", "...#...", "....#..", ".....#.", "......#"}},
        {GEM_CROSS_DIAG_BOMB,
         3,
         3,
         {".......", ".#.#.#.", "..###..", ".#####.", "..###..", ".#.#.#.", "......."}},
        {GEM_GARLIC_BOMB,
         3,
         3,
         {"..###..", ".#####.", "#######", "#######", "#######", ".#####.", "..###.."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "bomb " << c.type << " at " << c.x << "," << c.y);
        PlainBoard(kOpen7);
        Fire(c.type, c.x, c.y);
        EXPECT_EQ(Hits(), c.hits);
    }
    // On a shaped board the garlic bomb only hits active cells, and the
    // others simply pass over the holes.
    const std::vector<std::string> ring = {"1111111", "1100011", "1100011", "1111111"};
    PlainBoard(ring);
    Fire(GEM_GARLIC_BOMB, 1, 1);
    EXPECT_EQ(Hits(), (std::vector<std::string>{"#####..", "##   ..", "##   ..", "####..."}));
    EXPECT_EQ(Grid->GetMegaPoints(1, 1).size(), 13u) << "its point list holds the same 13 cells";
    EXPECT_EQ(Grid->GetBombPoints(0, 0, 1).size(), 4u) << "clipped at the corner";
    EXPECT_EQ(Grid->GetBombPoints(3, 3, 2).size(), 13u)
        << "5 x 5 without corners, cut by the bottom edge";
}

TEST_F(BonusesTest, AFiredBombGoesUpInItsOwnBlast) {
    for (int type = GEM_FIRST_BOMB; type <= GEM_LAST_UPGRADED_BOMB; ++type) {
        if (!IsBomb(type)) continue;
        SCOPED_TRACE(testing::Message() << "bomb " << type);
        PlainBoard(kOpen7);
        MakeGem(type, 3, 3);
        const TGemPtr bomb = CellAt(3, 3)->Gem;
        Grid->ActivateBonus(bomb, 3, 3);
        EXPECT_EQ(bomb->GemType, GEM_USED);
        EXPECT_EQ(bomb->AnimActive, 0) << "no second explosion after the blast";
        EXPECT_FLOAT_EQ(bomb->ExplosionCounter, bomb->ExplosionLength) << "it explodes now";
        // It leaves the board after one explosion's length, like the gems it hit.
        Steps(static_cast<int>(bomb->ExplosionLength) - 1);
        EXPECT_TRUE(GemList->Contains(bomb));
        Steps(1);
        EXPECT_FALSE(GemList->Contains(bomb));
        EXPECT_FALSE(CellAt(3, 3)->Gem) << "its cell is free for the fall";
    }
    // Its own cell scores like any other it hits: 8 neighbours and itself.
    PlainBoard(kOpen7);
    Player->LevelScore = 0;
    Fire(GEM_PUMPKIN_BOMB, 3, 3);
    EXPECT_EQ(Player->LevelScore, 9);
    // A bomb fired by another one's blast goes up in its own blast too.
    PlainBoard(kOpen7);
    MakeGem(GEM_VERTICAL_BOMB, 4, 3);
    const TGemPtr chained = CellAt(4, 3)->Gem;
    Fire(GEM_PUMPKIN_BOMB, 3, 3);
    EXPECT_EQ(chained->BonusActivated, 1);
    EXPECT_EQ(chained->AnimActive, 0);
    EXPECT_TRUE(chained->Exploding());
}

TEST_F(BonusesTest, ArmourNeedsAMatchPerLayerAndHidesUnderLocks) {
    LoadLayout({"1111", "1311", "1211"});
    Grid->MakeNewGems = 0;
    ASSERT_EQ(Grid->Armoured, 3);
    ASSERT_EQ(Grid->Gold, 2);
    // A locked gem in a line: the lock goes, the gem and its armour stay.
    PlaceGems({"2341", "1L14", "2342"});
    Grid->CheckMatches(0, 0);
    EXPECT_EQ(CellAt(1, 1)->Gem->locked, 0);
    EXPECT_EQ(CellAt(1, 1)->armour2, 1);
    EXPECT_EQ(CellAt(1, 1)->armour1, 1);
    // The next two matches take one layer each.
    for (int layers = 1; layers >= 0; --layers) {
        PlaceGems({"2341", "1114", "2342"});
        Grid->CheckMatches(0, 0);
        EXPECT_EQ(CellAt(1, 1)->armour2 + CellAt(1, 1)->armour1, layers);
    }
    // One cross bomb centred on a double layer clears both: it visits its
    // centre four times.
    LoadLayout({"11111", "11111", "11311", "11111", "11111"});
    Grid->MakeNewGems = 0;
    PlaceGems({"12341", "23412", "34123", "41234", "12341"});
    Fire(GEM_CROSS_BOMB, 2, 2);
    EXPECT_EQ(CellAt(2, 2)->armour2 + CellAt(2, 2)->armour1, 0);
    EXPECT_EQ(Grid->Gold, 0);
}

TEST_F(BonusesTest, RocksCrackOncePerPassAndFreeTheirSkulls) {
    // Two lines touch the rock in one pass: it takes one hit, not two.
    LoadLayout({"1111", "1111", "1111"});
    Grid->MakeNewGems = 0;
    PlaceGems({"1112", "2434", "1113"});
    TGemPtr rock = CellAt(1, 1)->Gem;
    rock->rocked = 2;
    Grid->Rocks = 1;
    Grid->CheckMatches(0, 0);
    EXPECT_EQ(rock->rocked, 1);
    EXPECT_EQ(Grid->Rocks, 1);
    EXPECT_NE(rock->GemType, GEM_USED) << "a gem in rock is never matched";

    // A skull in rock in the bottom row is collected the moment it breaks free.
    LoadLayout({"1111", "1111", "1111"});
    Grid->MakeNewGems = 0;
    Grid->GoalCollect = 2;
    PlaceGems({"2343", "1114", "3S42"});
    TGemPtr skull = CellAt(1, 2)->Gem;
    skull->rocked = 1;
    Grid->Rocks = 1;
    Grid->CheckMatches(0, 0);
    EXPECT_EQ(Grid->Rocks, 0);
    EXPECT_EQ(Player->SpecialItemsCollected, 1);
    EXPECT_FALSE(GemList->Contains(skull));
    EXPECT_EQ(CellAt(1, 2)->Gem, nullptr);
}

TEST_F(BonusesTest, RocksAndSkullsPayTheirPoints) {
    struct Case {
        int strength;
        std::vector<int> scoreAfterEachHit;
        std::vector<int> pictures;
    };
    // A crack is worth 1 point, a break 10 (as a goal gem of a one-gem pass).
    for (const Case& c : {Case{1, {10}, {10}}, Case{2, {1, 11}, {1, 10}}}) {
        SCOPED_TRACE(testing::Message() << "rock of strength " << c.strength);
        PlainBoard({"111", "111", "111"});
        CellAt(1, 1)->Gem->rocked = c.strength;
        Grid->Rocks = 1;
        Player->LevelScore = 0;
        for (size_t hit = 0; hit < c.scoreAfterEachHit.size(); ++hit) {
            Grid->DestroySquare(1, 1, 0);
            EXPECT_EQ(Player->LevelScore, c.scoreAfterEachHit[hit]) << "hit " << hit + 1;
            EXPECT_EQ(LastScorePicture().points, c.pictures[hit]);
            EXPECT_EQ(LastScorePicture().y, CellTop(1) + 18);
        }
        EXPECT_EQ(Grid->Rocks, 0);
    }
    // A skull brought to the bottom: 100 points, shown where it was collected.
    LoadLayout({"11", "11", "11"});
    Grid->MakeNewGems = 0;
    Grid->GoalCollect = 2;
    PlaceGems({"S1", ".2", ".3"});
    Player->LevelScore = 0;
    StepsUntilStill();
    ASSERT_EQ(Player->SpecialItemsCollected, 1);
    EXPECT_EQ(Player->LevelScore, 100);
    const TShownScore shown = LastScorePicture();
    EXPECT_EQ(shown.points, 100);
    EXPECT_EQ(shown.x, CellLeft(0) + HALF_CELL);
    EXPECT_EQ(shown.y, CellTop(2) + 18);
}

TEST_F(BonusesTest, BombsChainAndOnlyUnlockWhatTheyCannotDestroy) {
    PlainBoard(kOpen7);
    MakeGem(GEM_HORIZONTAL_BOMB, 4, 3);  // a lantern inside the pumpkin's blast
    Grid->ChainedBonuses = 0;
    GameScreen->ClearSoundTriggers();
    Fire(GEM_PUMPKIN_BOMB, 3, 3);
    EXPECT_EQ(GameScreen->TriggerBomb, 1);
    EXPECT_EQ(GameScreen->TriggerHorizontalBomb, 1) << "the lantern went off too";
    EXPECT_EQ(Grid->ChainedBonuses, 1);
    EXPECT_EQ(Hits()[3], "#######");

    PlainBoard(kOpen7);
    for (const auto& [type, x] :
         {std::pair{GEM_VERTICAL_BOMB, 2}, std::pair{GEM_SKULL, 3}, std::pair{GEM_COIN, 4}}) {
        if (type == GEM_COIN) {
            TGemPtr coin = TGem::MakeCoin(x, 2, 0);
            GemList->RemoveGem(CellAt(x, 2)->Gem);
            GemList->InsertGem(coin);
            CellAt(x, 2)->Gem = coin;
        } else {
            MakeGem(type, x, 2);
        }
        CellAt(x, 2)->Gem->locked = 1;
    }
    GameScreen->ClearSoundTriggers();
    Fire(GEM_PUMPKIN_BOMB, 3, 3);
    for (int x = 2; x <= 4; ++x) {
        SCOPED_TRACE(x);
        EXPECT_EQ(CellAt(x, 2)->Gem->locked, 0) << "unlocked";
        EXPECT_NE(CellAt(x, 2)->Gem->GemType, GEM_USED) << "but not destroyed";
    }
    EXPECT_EQ(GameScreen->TriggerVerticalBomb, 0) << "a locked bomb is not fired";
    EXPECT_EQ(GameScreen->TriggerUnlock, 1);
}

TEST_F(BonusesTest, ClickingARestingCoinOrBagCollectsIt) {
    // Both cats are owned: a bag holds five coins of 5 gold.
    struct Case {
        int type;
        int* trigger;
        int gold;
    };
    for (const Case& c : {Case{GEM_COIN, &GameScreen->TriggerGoldCoin, 5},
                          Case{GEM_BAG, &GameScreen->TriggerGoldBag, 25}}) {
        SCOPED_TRACE(testing::Message() << "type " << c.type);
        Player->Level = Player->Unlocked = 9;
        Player->InitNewLevelStats();
        PlainBoard({"111", "111", "111"});
        GemList->RemoveGem(CellAt(1, 1)->Gem);
        const TGemPtr piece = c.type == GEM_COIN ? TGem::MakeCoin(1, 1, 0) : TGem::MakeBag(1, 1, 0);
        GemList->InsertGem(piece);
        CellAt(1, 1)->Gem = piece;
        GameScreen->ClearSoundTriggers();
        Click(1, 1);
        EXPECT_FALSE(CellAt(1, 1)->Gem);
        EXPECT_FALSE(GemList->Contains(piece));
        EXPECT_EQ(Grid->Mode, 0) << "collected, not selected";
        EXPECT_EQ(*c.trigger, 1);
        EXPECT_EQ(Player->levelGoldCollected, c.gold);
        EXPECT_EQ(Player->levelBagsCollected, c.type == GEM_BAG ? 1 : 0);
        // A locked one only answers with the locked sound.
        PlainBoard({"111", "111", "111"});
        GemList->RemoveGem(CellAt(1, 1)->Gem);
        const TGemPtr locked =
            c.type == GEM_COIN ? TGem::MakeCoin(1, 1, 0) : TGem::MakeBag(1, 1, 0);
        locked->locked = 1;
        GemList->InsertGem(locked);
        CellAt(1, 1)->Gem = locked;
        Click(1, 1);
        EXPECT_EQ(CellAt(1, 1)->Gem, locked);
        EXPECT_EQ(Player->levelGoldCollected, c.gold);
    }
}

TEST_F(BonusesTest, BombKindsFollowTheShopAndGoldFollowsTheLevel) {
    LoadLayout({"111", "111", "111"});
    Player->Level = Player->Unlocked = 3;  // no gold below level 8
    std::set<int> fromFour, fromFive;
    for (int i = 0; i < 600; ++i) {
        Grid->CreateBonus(1, 1, 1);
        fromFour.insert(CellAt(1, 1)->Gem->GemType);
        Grid->CreateBonus(1, 1, 2);
        fromFive.insert(CellAt(1, 1)->Gem->GemType);
    }
    for (int type : fromFour)
        EXPECT_TRUE(type >= GEM_FIRST_BOMB && type < GEM_GARLIC_BOMB)
            << "line of four made " << type;
    EXPECT_TRUE(fromFive.count(GEM_GARLIC_BOMB) + fromFive.count(GEM_GARLIC_BOMB + BOMB_UPGRADE))
        << "a line of five can make garlic";
    EXPECT_TRUE(IsUpgradedBomb(*fromFive.rbegin())) << "and upgraded bombs";

    Player->Level = Player->Unlocked = 7;
    EXPECT_EQ(Grid->getBonusGoldChance() + Grid->getSpawnGoldChance() + Grid->getBonusBagChance(),
              0);
    Player->Level = 12;
    Player->Unlocked = 20;  // a replay
    EXPECT_EQ(Grid->getSpawnGoldChance() + Grid->getSpawnBagChance(), 0);
    Player->Unlocked = 12;
    EXPECT_EQ(Grid->getMaxGoldAllowed(), 5) << "both cats owned";
    Player->levelCoinsSpawned = 5;
    Player->levelBagsSpawned = 1;
    EXPECT_EQ(Grid->getBonusGoldChance() + Grid->getSpawnGoldChance(), 0) << "no sixth coin";
    EXPECT_EQ(Grid->getBonusBagChance() + Grid->getSpawnBagChance(), 0) << "one bag a level";
}

TEST_F(BonusesTest, CoinsSpinFasterAndVanishOnlyAgainstTheClock) {
    LoadLayout({"111", "111", "111"});
    Grid->MakeNewGems = 0;
    TGemPtr coin = TGem::MakeCoin(1, 1, 0);
    coin->AnimLength = 120;
    coin->SpinCoin(1);
    EXPECT_EQ(coin->AnimLength, 113) << "x 0.95 in single precision, whole part";
    coin->AnimLength = 80;
    coin->SpinCoin(1);
    EXPECT_EQ(coin->AnimLength, 75);

    PlaceGems({"123", "2C1", "312"});
    TGemPtr placed = CellAt(1, 1)->Gem;
    SaveData->timer = 0;
    Steps(2100);
    EXPECT_EQ(CellAt(1, 1)->Gem, placed) << "relaxed: the coin stays";
    SaveData->timer = 1;
    Steps(1990);
    EXPECT_EQ(CellAt(1, 1)->Gem, placed) << "just under 10 s of its life left in timed mode";
    Steps(200);
    EXPECT_NE(CellAt(1, 1)->Gem, placed) << "10 s after it was made it is gone";
}

TEST_F(BonusesTest, GoalsAreMetOnceAndTheLevelEndsWhenTheBoardRests) {
    LoadLayout({"11111", "11111", "12111", "11111"});
    Grid->GoalMatches = 3;
    Grid->GoalMatchesType = 1;
    Grid->GoalArmour = 1;
    PlaceGems({"23423", "34234", "11342", "42142"});
    CellAt(3, 3)->Gem->Magic = 1;
    Grid->MakeNewGems = 1;
    // The 1 below the gap goes up: 1 1 1 over the armour in row 2.
    Click(2, 3);
    Click(2, 2);
    StepsUntilStill(3000);
    EXPECT_EQ(GameScreen->Goal1Done, 1);
    EXPECT_EQ(GameScreen->Goal2Done, 1);
    EXPECT_EQ(Grid->TargetMet, 1);
    EXPECT_TRUE(GameScreen->OutroRunning()) << "the level ended once the board came to rest";
    EXPECT_EQ(Player->MagicFreed, 1) << "magic gems go first";
    for (const TGemPtr& gem : *GemList)
        EXPECT_TRUE(gem->Exploding() || gem->GemType == GEM_USED);
}

}  // namespace
