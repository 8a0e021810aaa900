// The powerups on a board laid out cell by cell: the charge each needs, the
// areas of the held ones and what they do there, the lightning's strikes and
// thunder, the crystal's bombs and the tarot's shuffle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "board/BoardFixture.h"
#include "board/Powerups.h"
#include "engine/Random.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"

namespace {

class PowerupsTest : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        CSrand(77);
        SeedRnd(77);
    }
    // Owns the powerup's shop items up to this level (0: none).
    static void Buy(const THUDPowerup& powerup, int level) {
        for (int i = 0; i < powerup.ItemLevelCount; ++i)
            SaveData->shopPurchases[powerup.ShopID + i] =
                i < level ? ShopItem::PURCHASED : ShopItem::UNAVAILABLE;
    }
    // A board of plain gems that holds no line.
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
    // The area drawn as rows: '+' valid, '-' not, '.' outside it.
    std::vector<std::string> Area(const THUDPowerInfoList& area) const {
        std::vector<std::string> rows(static_cast<size_t>(Grid->levelheight),
                                      std::string(static_cast<size_t>(Grid->levelwidth), '.'));
        for (const THUDPowerInfo& cell : area)
            rows[static_cast<size_t>(cell.pos.Y)][static_cast<size_t>(cell.pos.X)] =
                cell.valid ? '+' : '-';
        return rows;
    }
    std::vector<std::string> Rocks() const {
        std::vector<std::string> rows;
        for (int y = 0; y < Grid->levelheight; ++y) {
            std::string row;
            for (int x = 0; x < Grid->levelwidth; ++x) {
                const TCell* cell = CellAt(x, y);
                row += cell->Gem ? static_cast<char>('0' + cell->Gem->rocked) : '.';
            }
            rows.push_back(row);
        }
        return rows;
    }
    const std::vector<std::string> kOpen5 = {"11111", "11111", "11111", "11111", "11111"};
};

TEST_F(PowerupsTest, TheChargeNeededFallsWithTheTwoChargeItemsAndIsTruncated) {
    // The discounts are the single-precision 0.9 and 0.8: 10 x 0.899999976
    // is 8.99999976, so the stake needs 8 with either item.
    const std::map<int, std::array<int, 3>> needs = {
        {POWERUP_STAKE, {10, 8, 8}},   {POWERUP_HAMMER, {15, 13, 12}},
        {POWERUP_BROOM, {12, 10, 9}},  {POWERUP_LIGHTNING, {20, 17, 16}},
        {POWERUP_TAROT, {18, 16, 14}}, {POWERUP_CRYSTAL, {30, 26, 24}},
    };
    const std::vector<std::pair<const char*, std::vector<int>>> items = {
        {"no item", {}},
        {"item 13", {SHOP_QUICK_CHARGE}},
        {"item 14 (and 13)", {SHOP_QUICK_CHARGE, SHOP_QUICKER_CHARGE}}};
    for (size_t column = 0; column < items.size(); ++column) {
        SaveData->shopPurchases.fill(ShopItem::UNAVAILABLE);
        for (int item : items[column].second)
            SaveData->shopPurchases[item] = ShopItem::PURCHASED;
        for (const auto& [index, need] : needs) {
            SCOPED_TRACE(testing::Message() << items[column].first << ", powerup " << index);
            EXPECT_EQ(HUDPowerups[index]->GetChargeRequired(), need[column]);
            EXPECT_EQ(SaveData->ChargeLimit(index), need[column])
                << "the progress record keeps what the slot needs";
        }
    }
    SaveData->shopPurchases.fill(ShopItem::UNAVAILABLE);
    SaveData->shopPurchases[SHOP_QUICKER_CHARGE] = ShopItem::PURCHASED;
    EXPECT_EQ(HUDPowerups[POWERUP_LIGHTNING]->GetChargeRequired(), 16) << "item 14 alone";
}

TEST_F(PowerupsTest, ChargeStopsAtTheNeedAndOnlyTheFillingChargeIsAnnounced) {
    THUDPowerup& stake = *HUDPowerups[POWERUP_STAKE];
    Buy(stake, 1);
    for (int charge = 1; charge <= 12; ++charge) {
        GameScreen->ClearSoundTriggers();
        stake.AddCharge(1);
        EXPECT_EQ(stake.CurrentCharge, std::min(charge, 10));
        EXPECT_EQ(GameScreen->TriggerHUDCharged, charge == 10 ? 1 : 0) << "charge " << charge;
    }
    EXPECT_TRUE(stake.IsCharged());
    stake.CurrentCharge = 0;
    stake.AddCharge(25);
    EXPECT_EQ(stake.CurrentCharge, 10) << "a big gift fills it only to the need";
    // A charged, bought stake counts as a move; not bought, it does not.
    EXPECT_EQ(stake.HasValidMove(), 1);
    Buy(stake, 0);
    EXPECT_EQ(stake.HasValidMove(), 0);
}

TEST_F(PowerupsTest, HeldPowerupsReachFurtherWithEachLevelAndActOnlyWhereTheyCan) {
    LoadLayout({"11111", "11111", "11011", "11111"});
    Grid->MakeNewGems = 0;
    PlaceGems({"12341", "23412", "34.23", "41234"});
    CellAt(1, 1)->Gem->locked = 1;
    CellAt(3, 1)->Gem->rocked = 2;
    CellAt(2, 1)->Gem->locked = 1;
    CellAt(2, 1)->Gem->rocked = 1;
    struct Case {
        const char* name;
        THUDPowerInfoList area;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"stake 1", Grid->GetStakePoints(0, 0, 0), {"+....", ".....", ".....", "....."}},
        {"stake 2 at a corner",
         Grid->GetStakePoints(0, 0, 1),
         {"++...", "+....", ".....", "....."}},
        {"stake 3 round a hole",
         Grid->GetStakePoints(2, 2, 2),
         {".....", ".---.", ".+.+.", ".+++."}},
        {"hammer 3, rocks only",
         Grid->GetHammerPoints(2, 1, 2),
         {".---.", ".-++.", ".-.-.", "....."}},
        {"broom 2, locks out of rock only",
         Grid->GetBroomPoints(2, 1, 1),
         {"..-..", ".+--.", ".....", "....."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Area(c.area), c.expected);
    }
    // Validate looks at the target alone.
    Buy(*HUDPowerups[POWERUP_HAMMER], 3);
    EXPECT_EQ(HUDPowerups[POWERUP_HAMMER]->Validate(3, 1), 1);
    EXPECT_EQ(HUDPowerups[POWERUP_HAMMER]->Validate(2, 2), 0) << "a hole";
    EXPECT_EQ(HUDPowerups[POWERUP_HAMMER]->Validate(0, 0), 0) << "no rock";
    Buy(*HUDPowerups[POWERUP_BROOM], 1);
    EXPECT_EQ(HUDPowerups[POWERUP_BROOM]->Validate(1, 1), 1);
    EXPECT_EQ(HUDPowerups[POWERUP_BROOM]->Validate(2, 1), 0) << "a lock in rock waits";
    Buy(*HUDPowerups[POWERUP_STAKE], 1);
    EXPECT_EQ(HUDPowerups[POWERUP_STAKE]->Validate(1, 1), 0) << "a locked gem";
    EXPECT_EQ(HUDPowerups[POWERUP_STAKE]->Validate(0, 1), 1);
}

TEST_F(PowerupsTest, ALevelOneStakeOnAnEmptyArmouredCellStripsBothLayers) {
    LoadLayout({"111", "131", "111"});
    Grid->MakeNewGems = 0;
    Grid->GoalArmour = 1;
    PlaceGems({"123", "3.1", "231"});
    ASSERT_EQ(Grid->Armoured, 2);
    ASSERT_EQ(Grid->Gold, 1);
    THUDPowerup& stake = *HUDPowerups[POWERUP_STAKE];
    Buy(stake, 1);
    stake.ChargeFully();
    ASSERT_EQ(stake.Validate(1, 1), 1) << "an empty cell with armour";
    EXPECT_EQ(stake.Activate(1, 1), 1);
    EXPECT_EQ(CellAt(1, 1)->armour2, 0);
    EXPECT_EQ(CellAt(1, 1)->armour1, 0);
    EXPECT_EQ(Grid->Armoured, 0);
    EXPECT_EQ(Grid->Gold, 0);
    EXPECT_EQ(Grid->TargetMet, 1) << "the armour goal is met";
    EXPECT_EQ(stake.CurrentCharge, 0);
    EXPECT_EQ(Row(0), "123") << "nothing around it is touched";
    EXPECT_EQ(Row(1), "3.1");
    EXPECT_EQ(stake.Validate(1, 1), 0) << "an empty cell without armour is refused";
}

TEST_F(PowerupsTest, ALevelThreeHammerBreaksAStrongRockAndCracksTheSquareAroundIt) {
    PlainBoard(kOpen5);
    const std::vector<std::string> rocks = {"22222", "21112", "21212", "21112", "22222"};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            CellAt(x, y)->Gem->rocked = rocks[y][x] - '0';
    Grid->Rocks = 25;
    THUDPowerup& hammer = *HUDPowerups[POWERUP_HAMMER];
    Buy(hammer, 3);
    hammer.ChargeFully();
    const int scoreBefore = Player->LevelScore;
    ASSERT_EQ(hammer.Validate(2, 2), 1);
    hammer.Activate(2, 2);
    EXPECT_EQ(Rocks(), (std::vector<std::string>{"22222", "20002", "20002", "20002", "22222"}))
        << "the strength-2 target breaks, the eight around lose one";
    EXPECT_EQ(Grid->Rocks, 16);
    EXPECT_EQ(hammer.CurrentCharge, 0);
    EXPECT_GT(Player->LevelScore, scoreBefore);
    EXPECT_EQ(Grid->BonusPower, 1) << "nine rocks arm the gauge bonus, which the use spends";

    // At level 1 a strength-1 target breaks and nothing else is touched.
    PlainBoard(kOpen5);
    CellAt(2, 2)->Gem->rocked = 1;
    CellAt(2, 1)->Gem->rocked = 2;
    Grid->Rocks = 2;
    Buy(hammer, 1);
    hammer.ChargeFully();
    hammer.Activate(2, 2);
    EXPECT_EQ(CellAt(2, 2)->Gem->rocked, 0);
    EXPECT_EQ(CellAt(2, 1)->Gem->rocked, 2);
}

TEST_F(PowerupsTest, TheBroomOpensTheLocksOfItsAreaAndScoresThem) {
    PlainBoard(kOpen5);
    for (const auto& [x, y] : {std::pair{2, 2}, {2, 1}, {3, 2}, {0, 0}})
        CellAt(x, y)->Gem->locked = 1;
    Grid->Locked = 4;
    THUDPowerup& broom = *HUDPowerups[POWERUP_BROOM];
    Buy(broom, 2);
    broom.ChargeFully();
    const int scoreBefore = Player->LevelScore;
    broom.Activate(2, 2);
    EXPECT_EQ(CellAt(2, 2)->Gem->locked + CellAt(2, 1)->Gem->locked + CellAt(3, 2)->Gem->locked, 0);
    EXPECT_EQ(CellAt(0, 0)->Gem->locked, 1) << "outside the cross of level 2";
    EXPECT_EQ(Grid->Locked, 1);
    EXPECT_EQ(GameScreen->TriggerUnlock, 1);
    EXPECT_EQ(Player->LevelScore - scoreBefore, 3 * 10);
    EXPECT_EQ(broom.HasValidMove(), 0) << "charge spent";
}

// Runs the lightning to its end, recording each stage's strikes; false when
// it does not end within its five stages.
bool RunLightning(TLightningHUD& lightning, std::vector<std::vector<TPoint>>& stages) {
    stages = {lightning.LastStrikes};
    int stage = lightning.m_Stage;
    for (int step = 0; step < 2 * 5 * 100 + 10; ++step) {
        Game->FixedRateLogic->SetDelta(1.0f);
        Grid->Manage();
        if (!lightning.m_Active) return true;
        if (lightning.m_Stage != stage) {
            stage = lightning.m_Stage;
            stages.push_back(lightning.LastStrikes);
        }
    }
    return false;
}

TEST_F(PowerupsTest, TheLightningStrikesItsLevelInDifferentColumnsFiveTimes) {
    const std::vector<std::string> wide = {"11111111", "11111111", "11111111", "11111111"};
    PlainBoard(wide);
    auto& lightning = dynamic_cast<TLightningHUD&>(*HUDPowerups[POWERUP_LIGHTNING]);
    Buy(lightning, 3);
    lightning.ChargeFully();
    lightning.OnClicked();
    ASSERT_EQ(lightning.isActive, 1);
    EXPECT_EQ(Grid->HUDPowerupBlockInput, 1);
    EXPECT_EQ(lightning.CurrentCharge, 0);
    std::vector<std::vector<TPoint>> stages;
    ASSERT_TRUE(RunLightning(lightning, stages));
    ASSERT_EQ(stages.size(), 5u);
    for (const std::vector<TPoint>& strikes : stages) {
        std::set<int> columns;
        for (const TPoint& cell : strikes)
            columns.insert(cell.X);
        EXPECT_EQ(columns.size(), 3u) << "three strikes, each in a column of its own";
    }
    EXPECT_EQ(Grid->HUDPowerupBlockInput, 0);
    EXPECT_EQ(lightning.isActive, 0);
}

TEST_F(PowerupsTest, TheLightningFinishesOnABoardWithFewerFreeColumnsThanStrikes) {
    // Only columns 1 and 3 hold gems it may strike: skulls and bombs fill the rest.
    LoadLayout({"1111", "1111", "1111"});
    Grid->MakeNewGems = 0;
    PlaceGems({"S1B2", "S2B3", "S3B1"});
    auto& lightning = dynamic_cast<TLightningHUD&>(*HUDPowerups[POWERUP_LIGHTNING]);
    Buy(lightning, 3);
    lightning.ChargeFully();
    lightning.OnClicked();
    std::vector<std::vector<TPoint>> stages;
    ASSERT_TRUE(RunLightning(lightning, stages)) << "the lightning must end";
    EXPECT_EQ(stages.size(), 5u);
    for (const std::vector<TPoint>& strikes : stages) {
        EXPECT_LE(strikes.size(), 2u);
        for (const TPoint& cell : strikes) {
            EXPECT_TRUE(cell.X == 1 || cell.X == 3) << "struck column " << cell.X;
            EXPECT_GE(cell.Y, 0) << "no strike without a cell";
        }
    }
    EXPECT_EQ(Grid->HUDPowerupBlockInput, 0) << "the board takes input again";
    EXPECT_EQ(TypeAt(0, 0), GEM_SKULL);
    EXPECT_EQ(TypeAt(2, 1), GEM_PUMPKIN_BOMB);

    // A board without any gem it may strike: five empty stages, then the end.
    LoadLayout({"1111", "1111", "1111"});
    Grid->MakeNewGems = 0;
    PlaceGems({"SSBB", "BBSS", "SBSB"});
    lightning.ChargeFully();
    lightning.OnClicked();
    ASSERT_TRUE(RunLightning(lightning, stages));
    for (const std::vector<TPoint>& strikes : stages)
        EXPECT_TRUE(strikes.empty());
}

TEST_F(PowerupsTest, TheThunderIsPannedByTheMeanOfTheStruckColumns) {
    struct Case {
        std::vector<float> xs;
        float pan;
    };
    const Case cases[] = {{{512}, 0.0f},
                          {{0}, -1.0f},
                          {{1024}, 1.0f},
                          {{256, 768}, 0.0f},
                          {{256, 256, 1024}, 0.0f},
                          {{-300}, -1.0f},
                          {{1500, 1600}, 1.0f},
                          {{768}, 0.5f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "first x " << c.xs.front() << " of " << c.xs.size());
        EXPECT_FLOAT_EQ(ThunderPan(c.xs), c.pan);
    }
}

TEST_F(PowerupsTest, TheCrystalTurnsItsLevelOfFreeGemsIntoBombs) {
    SaveData->shopPurchases[SHOP_PUMPKIN] = ShopItem::PURCHASED;
    PlainBoard(kOpen5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            if (x != 4) CellAt(x, y)->Gem->locked = 1;  // only column 4 is free
    auto& crystal = dynamic_cast<TCrystalHUD&>(*HUDPowerups[POWERUP_CRYSTAL]);
    Buy(crystal, 2);
    crystal.ChargeFully();
    crystal.OnClicked();
    int bombs = 0;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            if (IsBomb(TypeAt(x, y))) {
                ++bombs;
                EXPECT_EQ(x, 4) << "only free gems";
            }
    EXPECT_GE(bombs, 1);
    EXPECT_LE(bombs, 2);
    EXPECT_EQ(crystal.CurrentCharge, 0);

    // While the board is busy it is refused and keeps its charge.
    crystal.ChargeFully();
    Grid->BlockInput = 1;
    crystal.OnClicked();
    EXPECT_TRUE(crystal.IsCharged());
}

TEST_F(PowerupsTest, TheTarotShufflesAtMostFiftyTimesLookingForAMove) {
    // No arrangement of a 2 x 2 board has a line of three: fifty shuffles,
    // then the last one stays.
    LoadLayout({"11", "11"});
    Grid->MakeNewGems = 0;
    PlaceGems({"12", "34"});
    auto& tarot = dynamic_cast<TTarotHUD&>(*HUDPowerups[POWERUP_TAROT]);
    tarot.spinnable = GemList->GetSpinnable();
    EXPECT_EQ(tarot.RandomizeTypes(0), 50);
    EXPECT_EQ(tarot.RandomizeTypes(45), 5) << "counted from the depth reached";
    std::multiset<int> types;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            ASSERT_TRUE(CellAt(x, y)->Gem);
            EXPECT_EQ(CellAt(x, y)->Gem->gx, x);
            EXPECT_EQ(CellAt(x, y)->Gem->gy, y);
            types.insert(TypeAt(x, y));
        }
    EXPECT_EQ(types, (std::multiset<int>{1, 2, 3, 4}));
    // A bomb is always a move: one shuffle is enough.
    PlaceGems({"1B", "34"});
    tarot.spinnable = GemList->GetSpinnable();
    EXPECT_EQ(tarot.RandomizeTypes(0), 1);
}

TEST_F(PowerupsTest, TheTarotSpiralsTheFreeGemsInAndOutToNewCells) {
    PlainBoard({"1111", "1111", "1111", "1111"});
    CellAt(0, 0)->Gem->locked = 1;
    const TGemPtr locked = CellAt(0, 0)->Gem;
    auto& tarot = dynamic_cast<TTarotHUD&>(*HUDPowerups[POWERUP_TAROT]);
    Buy(tarot, 1);
    tarot.ChargeFully();
    std::multiset<int> before;
    for (const TGemPtr& gem : *GemList)
        before.insert(gem->GemType);
    tarot.OnClicked();
    ASSERT_EQ(tarot.isActive, 1);
    EXPECT_TRUE(TarotRunning());
    EXPECT_EQ(tarot.spinnable.size(), 15u) << "every gem but the locked one";
    // Half-way into the first stage the free gems are nearer the centre.
    Steps(150);
    const TGem& moving = *CellAt(3, 3)->Gem;
    const float cornerDistance = std::hypot(CellLeft(3) + HALF_CELL - tarot.m_CurrentCentX,
                                            CellTop(3) + HALF_CELL - tarot.m_CurrentCentY);
    EXPECT_LT(std::hypot(moving.x - tarot.m_CurrentCentX, moving.y - tarot.m_CurrentCentY),
              cornerDistance * 0.6f);
    EXPECT_EQ(locked->x, CellLeft(0) + HALF_CELL) << "a locked gem stays put";
    Steps(450);
    ASSERT_EQ(tarot.isActive, 0) << "three seconds in all";
    EXPECT_EQ(Grid->HUDPowerupBlockInput, 0);
    std::multiset<int> after;
    for (const TGemPtr& gem : *GemList) {
        after.insert(gem->GemType == GEM_USED ? gem->OrigGemType : gem->GemType);
        if (gem->GemType == GEM_USED) continue;
        EXPECT_EQ(CellAt(gem->gx, gem->gy)->Gem, gem);
        EXPECT_EQ(gem->x, CellLeft(gem->gx) + HALF_CELL) << "back on its cell";
        EXPECT_EQ(gem->y, CellTop(gem->gy) + HALF_CELL);
    }
    EXPECT_EQ(after, before) << "the same gems, shuffled";
    EXPECT_EQ(CellAt(0, 0)->Gem, locked);
}

}  // namespace
