// The powerups inside the whole program, headless, through the real mouse
// input: the slots as drawn, clicks on empty and full slots, holding,
// dragging and dropping, each of the six used with the mouse, charging from
// freed magic gems, and the held powerup put aside while a menu is open.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "autoplay/AutoPlayer.h"
#include "board/Grid.h"
#include "board/Powerups.h"
#include "engine/Graphics.h"
#include "engine/Input.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"
#include "frame/Timing.h"
#include "media/Effects.h"
#include "media/Sound.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"
#include "support/NoStoryMessages.h"
#include "support/ProgramFixture.h"

namespace fs = std::filesystem;

namespace {

class PowerupPlayTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        const fs::path levels = home_ / "levels" / "Data" / "levels";
        fs::create_directories(levels);
        std::string text =
            "NAME=Powers\r\ntime=300\r\ngoals=0,1,0,0,0\r\ncolours=1,2,3,4,5\r\nbombs=0\r\n"
            "size=8,7\r\nreserved=0,0\r\n";
        for (int row = 0; row < 7; ++row)
            text += row == 3 ? "1,1,1,3,3,1,1,1\r\n" : "1,1,1,1,1,1,1,1\r\n";
        text += "locked=\r\nrocks=\r\nshapes=\r\nborder=\r\n";
        std::ofstream(levels / "1.txt", std::ios::binary) << text;
        ASSERT_TRUE(StartUpBeforeGraphics());
        StartUpGraphicsAndLoad();
        DropStoryMessages();
        Game->DataPrefix = (home_ / "levels").string() + "/";
        SaveData->shopPurchases.fill(ShopItem::UNAVAILABLE);
        for (const THUDPowerupPtr& powerup : HUDPowerups)
            powerup->CurrentCharge = 0;
        AutoPlayer::EnterLevel(1, 21, false);
        ASSERT_TRUE(StepUntil([] { return InPlay() && AtRest(); }, 1500));
    }
    void TearDown() override {
        if (Grid) Grid->RestorePointer();
        ProgramTest::TearDown();
    }
    static bool InPlay() { return !GameScreen->IntroRunning() && !GameScreen->FadingIn; }
    static bool AtRest() {
        if (!Grid || Grid->BlockInput || Grid->SwapCounter > 0 || Grid->HUDPowerupBlockInput)
            return false;
        for (const TGemPtr& gem : *GemList)
            if (gem->dy != 0 || gem->Exploding()) return false;
        return true;
    }
    void Step(int count = 1) {
        for (int i = 0; i < count; ++i) {
            clock_.Advance(5);
            Game->FixedRateLogic->SetDelta(1.0f);
            Game->LogicWrapper();
        }
    }
    template <typename Done>
    bool StepUntil(Done done, int limit) {
        for (int i = 0; i < limit; ++i) {
            if (done()) return true;
            Step();
        }
        return done();
    }
    static int PhysicalX(float x) {
        return static_cast<int>(std::lround((x + Game->vxOff) / Game->VirtualRatioX));
    }
    static int PhysicalY(float y) {
        return static_cast<int>(std::lround((y + Game->vyOff) / Game->VirtualRatioY));
    }
    void MoveTo(float x, float y) {
        InjectMouseMove(PhysicalX(x), PhysicalY(y));
        Step();
    }
    void Press() {
        InjectMouseButton(1, true, 0, 0);
        Step();
    }
    void Release() {
        InjectMouseButton(1, false, 0, 0);
        Step();
    }
    void ClickAt(float x, float y) {
        MoveTo(x, y);
        Press();
        Release();
    }
    static float CellX(int column) { return static_cast<float>(CellLeft(column) + HALF_CELL); }
    static float CellY(int row) { return static_cast<float>(CellTop(row) + HALF_CELL); }
    void ClickCell(int column, int row) { ClickAt(CellX(column), CellY(row)); }
    void ClickSlot(int index) {
        const THUDPowerup& slot = *HUDPowerups[index];
        ClickAt(static_cast<float>(slot.HUDLocation.X), static_cast<float>(slot.HUDLocation.Y));
    }
    static void Buy(int index, int level) {
        const THUDPowerup& powerup = *HUDPowerups[index];
        for (int i = 0; i < powerup.ItemLevelCount; ++i)
            SaveData->shopPurchases[powerup.ShopID + i] =
                i < level ? ShopItem::PURCHASED : ShopItem::UNAVAILABLE;
    }
    static void StopSounds() {
        for (const TGameChannelPtr& channel : *Game->Channels)
            if (channel->Channel) channel->Channel->Stop();
    }
    static TGameChannelPtr Playing(const std::string& name) {
        for (const TGameChannelPtr& channel : *Game->Channels)
            if (channel->name == name && channel->Channel && channel->Channel->Playing())
                return channel;
        return nullptr;
    }
    static PixmapPtr DrawScreen() {
        SetClsColor(0, 0, 0);
        Cls();
        Game->ScreenDraw();
        return headless::ReadFrame();
    }
    static int Brightness(const TPixmap& frame, float x, float y) {
        const uint32_t argb = frame.ReadPixel(PhysicalX(x), PhysicalY(y));
        return headless::Red(argb) + headless::Green(argb) + headless::Blue(argb);
    }
    // The summed brightness of a square of the screen.
    static long Light(const TPixmap& frame, float cx, float cy, int half) {
        long sum = 0;
        for (int y = -half; y <= half; ++y)
            for (int x = -half; x <= half; ++x)
                sum += Brightness(frame, cx + static_cast<float>(x), cy + static_cast<float>(y));
        return sum;
    }
    // The brightest of the physical pixels at and just around a virtual point.
    static int BrightestNear(const TPixmap& frame, float x, float y) {
        int brightest = 0;
        for (int dy = -1; dy <= 1; ++dy) {
            const uint32_t argb = frame.ReadPixel(PhysicalX(x), PhysicalY(y) + dy);
            brightest = std::max(
                brightest, headless::Red(argb) + headless::Green(argb) + headless::Blue(argb));
        }
        return brightest;
    }
    // The mean difference per pixel and channel between the middles of two
    // slots of one frame.
    static long SlotDifference(const TPixmap& frame, float slotA, float slotB) {
        long sum = 0, count = 0;
        for (int y = -20; y <= 20; ++y)
            for (int x = -20; x <= 20; ++x) {
                const int py = PhysicalY(THUDPowerup::HUD_Y + static_cast<float>(y));
                const uint32_t p = frame.ReadPixel(PhysicalX(slotA + static_cast<float>(x)), py);
                const uint32_t q = frame.ReadPixel(PhysicalX(slotB + static_cast<float>(x)), py);
                sum += std::abs(headless::Red(p) - headless::Red(q)) +
                       std::abs(headless::Green(p) - headless::Green(q)) +
                       std::abs(headless::Blue(p) - headless::Blue(q));
                count += 3;
            }
        return sum / count;
    }
    // How much two pictures differ over a square of the screen.
    static long Difference(const TPixmap& a, const TPixmap& b, float cx, float cy, int half) {
        long sum = 0;
        for (int y = -half; y <= half; ++y)
            for (int x = -half; x <= half; ++x) {
                const int px = PhysicalX(cx + static_cast<float>(x)),
                          py = PhysicalY(cy + static_cast<float>(y));
                const uint32_t p = a.ReadPixel(px, py), q = b.ReadPixel(px, py);
                sum += std::abs(headless::Red(p) - headless::Red(q)) +
                       std::abs(headless::Green(p) - headless::Green(q)) +
                       std::abs(headless::Blue(p) - headless::Blue(q));
            }
        return sum;
    }
    static int CountGems(bool (*kind)(const TGem&)) {
        int count = 0;
        for (const TGemPtr& gem : *GemList)
            count += kind(*gem);
        return count;
    }
};

TEST_F(PowerupPlayTest, ASlotShowsWhetherItIsBoughtHowFullItIsAndItsLevel) {
    Buy(POWERUP_STAKE, 1);
    Buy(POWERUP_HAMMER, 3);
    Buy(POWERUP_BROOM, 2);
    Buy(POWERUP_LIGHTNING, 1);
    Buy(POWERUP_CRYSTAL, 3);
    HUDPowerups[POWERUP_HAMMER]->CurrentCharge = 7;  // of 15
    HUDPowerups[POWERUP_BROOM]->CurrentCharge = 11;  // of 12
    HUDPowerups[POWERUP_LIGHTNING]->ChargeFully();
    HUDPowerups[POWERUP_CRYSTAL]->ChargeFully();
    MoveTo(600, 20);
    const PixmapPtr frame = DrawScreen();
    ASSERT_TRUE(frame);
    headless::SaveFrame("powerup-slots");

    // The hammer's liquid stands int(68 x 7/15) + 10 = 41 pixels high in its
    // 88-pixel slot: its bright surface line is at 724 - 44 + 88 - 41 = 727,
    // a chord of half-width 38 x sin(acos(2 |0.5 - 7/15|)), nearly 38.
    // (The window shows the virtual screen scaled: a line one virtual pixel
    // high lands on one of the physical rows next to its place.)
    const THUDPowerup& hammer = *HUDPowerups[POWERUP_HAMMER];
    const float hx = static_cast<float>(hammer.HUDLocation.X);
    EXPECT_GE(BrightestNear(*frame, hx, 727), 3 * 250) << "the surface is white";
    EXPECT_GE(BrightestNear(*frame, hx - 34, 727), 3 * 250) << "across the chord";
    EXPECT_LT(BrightestNear(*frame, hx, 722), 3 * 200) << "above the surface, no line";
    EXPECT_LT(BrightestNear(*frame, hx, 740), 3 * 200) << "below it, the liquid";
    EXPECT_LT(BrightestNear(*frame, hx - 44, 727), 3 * 200) << "outside the chord";
    // The broom, nearly full, has its surface near the top: int(68 x 11/12) + 10 = 72.
    EXPECT_GE(BrightestNear(*frame, static_cast<float>(HUDPowerups[POWERUP_BROOM]->HUDLocation.X),
                            724 - 44 + 88 - 72),
              3 * 250);

    // The mouse over a full slot lights it up; it fades again once the mouse leaves.
    const THUDPowerup& lightning = *HUDPowerups[POWERUP_LIGHTNING];
    const float lx = static_cast<float>(lightning.HUDLocation.X);
    const long unlit = Light(*frame, lx, 724, 30);
    MoveTo(lx, 724);
    EXPECT_EQ(lightning.HUDGlowFactor, 1);
    const PixmapPtr lit = DrawScreen();
    headless::SaveFrame("powerup-slot-glow");
    EXPECT_GT(Light(*lit, lx, 724, 30), unlit + 30 * 30) << "the glow adds light";
    MoveTo(600, 20);
    Step(100);
    EXPECT_LT(lightning.HUDGlowFactor, 0.2f);

    // The pin shows the level bought.
    const PixmapPtr levelThree = DrawScreen();
    Buy(POWERUP_HAMMER, 1);
    const PixmapPtr levelOne = DrawScreen();
    EXPECT_GT(Difference(*levelThree, *levelOne, hx + 30, 754, 8), 17 * 17 * 10);
    EXPECT_EQ(Difference(*levelThree, *levelOne, hx - 20, 724, 8), 0) << "the rest of the slot";
    // Not bought, a slot shows the lock: the tarot's and the stake's look
    // alike, unlike a bought empty slot.
    Buy(POWERUP_STAKE, 0);
    const PixmapPtr locked = DrawScreen();
    const float stakeX = static_cast<float>(HUDPowerups[POWERUP_STAKE]->HUDLocation.X);
    const float tarotX = static_cast<float>(HUDPowerups[POWERUP_TAROT]->HUDLocation.X);
    EXPECT_LT(SlotDifference(*locked, tarotX, stakeX), 12);
    EXPECT_GT(SlotDifference(*levelThree, tarotX, stakeX), 40);
}

TEST_F(PowerupPlayTest, AnUnchargedOrUnboughtSlotSoundsInvalidAndPicksNothingUp) {
    Buy(POWERUP_STAKE, 1);
    HUDPowerups[POWERUP_STAKE]->CurrentCharge = 3;
    for (int index : {POWERUP_STAKE, POWERUP_HAMMER, POWERUP_LIGHTNING}) {
        SCOPED_TRACE(index);
        StopSounds();
        ClickSlot(index);
        EXPECT_TRUE(Playing("INVALIDCLICK"));
        EXPECT_FALSE(Playing("BUTTONCLICK"));
        EXPECT_EQ(Grid->PointerGemType, nullptr);
        EXPECT_EQ(Game->Mouse->Image2, nullptr);
        EXPECT_EQ(Grid->HUDPowerupBlockInput, 0);
    }
    EXPECT_EQ(HUDPowerups[POWERUP_STAKE]->CurrentCharge, 3);
    // The board still answers the next click.
    ClickCell(0, 0);
    EXPECT_EQ(Grid->Mode, 1);
}

TEST_F(PowerupPlayTest, AHeldPowerupShowsOnThePointerAndItsAreaOverTheBoard) {
    Buy(POWERUP_STAKE, 2);
    HUDPowerups[POWERUP_STAKE]->ChargeFully();
    Game->CustomMousePointer = 1;
    MoveTo(CellX(2), CellY(1));
    const PixmapPtr before = DrawScreen();
    StopSounds();
    ClickSlot(POWERUP_STAKE);
    EXPECT_TRUE(Playing("BUTTONCLICK"));
    ASSERT_EQ(Grid->PointerGemType, HUDPowerups[POWERUP_STAKE]);
    EXPECT_EQ(Grid->HUDPowerDragging, 0) << "released over its slot: held, not dragged";
    EXPECT_EQ(Game->Mouse->Image2, HUDPowerups[POWERUP_STAKE]->CursorImage->image);
    // Over the board its area (the cell and its four neighbours) is tinted green.
    MoveTo(CellX(2), CellY(1));
    const PixmapPtr held = DrawScreen();
    headless::SaveFrame("powerup-held");
    auto green = [&](const TPixmap& frame, int column, int row) {
        const uint32_t argb = frame.ReadPixel(PhysicalX(static_cast<float>(CellLeft(column) + 4)),
                                              PhysicalY(static_cast<float>(CellTop(row) + 4)));
        return headless::Green(argb) - (headless::Red(argb) + headless::Blue(argb)) / 2;
    };
    for (const auto& [column, row] : {std::pair{2, 1}, {1, 1}, {3, 1}, {2, 0}, {2, 2}})
        EXPECT_GT(green(*held, column, row), green(*before, column, row) + 20)
            << "cell " << column << "," << row;
    EXPECT_LE(green(*held, 4, 4), green(*before, 4, 4) + 5) << "outside the area";
    // The picture beside the pointer.
    EXPECT_GT(Difference(*held, *before, CellX(2) + 26, CellY(1) + 30, 10), 21 * 21 * 30);
}

TEST_F(PowerupPlayTest, AFailedDropKeepsThePowerupHeldAndItsSlotPutsItBack) {
    // A hammer with no rock on the board: every cell refuses it.
    Buy(POWERUP_HAMMER, 1);
    THUDPowerup& hammer = *HUDPowerups[POWERUP_HAMMER];
    hammer.ChargeFully();
    // Dragged from the slot and let go over a cell.
    MoveTo(static_cast<float>(hammer.HUDLocation.X), static_cast<float>(hammer.HUDLocation.Y));
    Press();
    ASSERT_EQ(Grid->PointerGemType, HUDPowerups[POWERUP_HAMMER]);
    EXPECT_EQ(Grid->HUDPowerDragging, -1);
    MoveTo(CellX(3), CellY(5));
    EXPECT_EQ(Grid->HUDPowerDragging, 1) << "the pointer left the slot with the button down";
    MoveTo(CellX(3), CellY(4));
    StopSounds();
    Release();
    EXPECT_TRUE(Playing("FAILEDSWAP"));
    EXPECT_EQ(Grid->PointerGemType, HUDPowerups[POWERUP_HAMMER]) << "still held after the failure";
    EXPECT_EQ(Game->Mouse->Image2, hammer.CursorImage->image);
    EXPECT_TRUE(hammer.IsCharged());
    // Held, a click on a cell that refuses it fails the same way.
    StopSounds();
    ClickCell(1, 1);
    EXPECT_TRUE(Playing("FAILEDSWAP"));
    EXPECT_EQ(Grid->PointerGemType, HUDPowerups[POWERUP_HAMMER]);
    // A press on its own slot puts it back.
    StopSounds();
    ClickSlot(POWERUP_HAMMER);
    EXPECT_TRUE(Playing("CLICKREVERSE"));
    EXPECT_EQ(Grid->PointerGemType, nullptr);
    EXPECT_EQ(Game->Mouse->Image2, nullptr);
    // A drag let go beside the board drops it too.
    MoveTo(static_cast<float>(hammer.HUDLocation.X), static_cast<float>(hammer.HUDLocation.Y));
    Press();
    MoveTo(950, 300);
    Release();
    EXPECT_EQ(Grid->PointerGemType, nullptr);
    EXPECT_TRUE(hammer.IsCharged()) << "dropping costs nothing";
}

TEST_F(PowerupPlayTest, EachPowerupIsUsedWithTheMouse) {
    SaveData->shopPurchases[SHOP_PUMPKIN] = ShopItem::PURCHASED;
    for (int index = 0; index < POWERUP_COUNT; ++index) {
        Buy(index, 3);
        HUDPowerups[index]->ChargeFully();
    }
    auto used = [](bool (*kind)(const TGem&)) { return CountGems(kind); };
    auto exploding = [](const TGem& gem) { return gem.GemType == GEM_USED; };

    // Stake, clicked on and then on a cell: the square around it goes.
    StopSounds();
    ClickSlot(POWERUP_STAKE);
    ClickCell(3, 2);
    EXPECT_TRUE(Playing("STAKE"));
    EXPECT_EQ(Grid->PointerGemType, nullptr);
    EXPECT_EQ(Game->Mouse->Image2, nullptr) << "the plain pointer again";
    EXPECT_GE(used(exploding), 9);
    EXPECT_EQ(HUDPowerups[POWERUP_STAKE]->CurrentCharge, 0);
    Step(20);
    DrawScreen();
    headless::SaveFrame("powerup-stake");
    ASSERT_TRUE(StepUntil(AtRest, 2000));

    // Hammer on a strong rock.
    TGem& rock = *CellAt(5, 5)->Gem;
    rock.rocked = 2;
    Grid->Rocks += 1;
    ClickSlot(POWERUP_HAMMER);
    ClickCell(5, 5);
    EXPECT_EQ(rock.rocked, 0);
    EXPECT_EQ(Grid->PointerGemType, nullptr);
    DrawScreen();
    headless::SaveFrame("powerup-hammer");
    ASSERT_TRUE(StepUntil(AtRest, 2000));

    // Broom, dragged from its slot onto a lock.
    TGem& lockedGem = *CellAt(1, 5)->Gem;
    lockedGem.locked = 1;
    Grid->Locked += 1;
    const THUDPowerup& broom = *HUDPowerups[POWERUP_BROOM];
    MoveTo(static_cast<float>(broom.HUDLocation.X), static_cast<float>(broom.HUDLocation.Y));
    Press();
    MoveTo(CellX(1), CellY(6));
    MoveTo(CellX(1), CellY(5));
    StopSounds();
    Release();
    EXPECT_TRUE(Playing("BROOM"));
    EXPECT_EQ(lockedGem.locked, 0);
    EXPECT_EQ(Grid->PointerGemType, nullptr);
    DrawScreen();
    headless::SaveFrame("powerup-broom");
    ASSERT_TRUE(StepUntil(AtRest, 2000));

    // Lightning: five stages while the board waits; the thunder is panned by
    // the struck columns.
    StopSounds();
    ClickSlot(POWERUP_LIGHTNING);
    const auto& lightning = dynamic_cast<const TLightningHUD&>(*HUDPowerups[POWERUP_LIGHTNING]);
    ASSERT_EQ(lightning.isActive, 1);
    EXPECT_EQ(Grid->HUDPowerupBlockInput, 1);
    const TGameChannelPtr thunder = Playing("LIGHTNING");
    ASSERT_TRUE(thunder);
    std::vector<float> struck;
    for (const TPoint& cell : lightning.LastStrikes)
        struck.push_back(CellX(cell.X));
    EXPECT_EQ(struck.size(), 3u);
    EXPECT_FLOAT_EQ(thunder->Channel->Pan(), ThunderPan(struck));
    Step(5);
    DrawScreen();
    headless::SaveFrame("powerup-lightning");
    ClickCell(0, 0);
    EXPECT_EQ(Grid->Mode, 0) << "no selection while it runs";
    ASSERT_TRUE(StepUntil([&] { return lightning.isActive == 0; }, 700));
    ASSERT_TRUE(StepUntil(AtRest, 2000));

    // Crystal: bombs appear where it struck.
    const int bombsBefore = CountGems([](const TGem& gem) { return IsBomb(gem.GemType); });
    StopSounds();
    ClickSlot(POWERUP_CRYSTAL);
    EXPECT_TRUE(Playing("MAGICRELEASED"));
    EXPECT_GT(CountGems([](const TGem& gem) { return IsBomb(gem.GemType); }), bombsBefore);
    DrawScreen();
    headless::SaveFrame("powerup-crystal");
    ASSERT_TRUE(StepUntil(AtRest, 2000));

    // Tarot: the spiral, half-way in.
    StopSounds();
    ClickSlot(POWERUP_TAROT);
    EXPECT_TRUE(Playing("RANDOM"));
    ASSERT_TRUE(TarotRunning());
    Step(150);
    DrawScreen();
    headless::SaveFrame("powerup-tarot");
    ASSERT_TRUE(StepUntil([] { return !TarotRunning(); }, 700));
    for (int index = 0; index < POWERUP_COUNT; ++index)
        EXPECT_EQ(HUDPowerups[index]->CurrentCharge, 0) << "powerup " << index;
}

TEST_F(PowerupPlayTest, AFreedMagicGemChargesEveryBoughtPowerupOneSecondLater) {
    Buy(POWERUP_STAKE, 1);
    Buy(POWERUP_TAROT, 1);
    HUDPowerups[POWERUP_STAKE]->CurrentCharge = 9;
    TGem& gem = *CellAt(2, 2)->Gem;
    gem.Magic = 1;
    gem.Explode(1, 0);
    EXPECT_EQ(static_cast<int>(GameScreen->GaugeFillDelay->Count()), 1)
        << "one counter however many slots";
    Step(190);
    EXPECT_EQ(HUDPowerups[POWERUP_STAKE]->CurrentCharge, 9);
    StopSounds();
    Step(20);
    EXPECT_EQ(HUDPowerups[POWERUP_STAKE]->CurrentCharge, 10);
    EXPECT_TRUE(Playing("GAUGEFULL")) << "the stake has just filled";
    EXPECT_EQ(HUDPowerups[POWERUP_TAROT]->CurrentCharge, 1);
    EXPECT_EQ(HUDPowerups[POWERUP_HAMMER]->CurrentCharge, 0) << "not bought";

    // Without any powerup bought, no charge is on its way.
    SaveData->shopPurchases.fill(ShopItem::UNAVAILABLE);
    TGem& other = *CellAt(6, 6)->Gem;
    other.Magic = 1;
    other.Explode(1, 0);
    EXPECT_EQ(static_cast<int>(GameScreen->GaugeFillDelay->Count()), 0);
}

TEST_F(PowerupPlayTest, AMenuPutsTheHeldPowerupAsideAndGivesItBack) {
    Buy(POWERUP_BROOM, 1);
    HUDPowerups[POWERUP_BROOM]->ChargeFully();
    ClickSlot(POWERUP_BROOM);
    ASSERT_EQ(Grid->PointerGemType, HUDPowerups[POWERUP_BROOM]);
    Grid->TogglePointer(2);
    EXPECT_EQ(Grid->PointerGemType, nullptr);
    EXPECT_EQ(Game->Mouse->Image2, nullptr);
    Grid->TogglePointer(3);
    EXPECT_EQ(Grid->PointerGemType, HUDPowerups[POWERUP_BROOM]);
    EXPECT_EQ(Game->Mouse->Image2, HUDPowerups[POWERUP_BROOM]->CursorImage->image);
    Grid->TogglePointer(3);
    EXPECT_EQ(Grid->PointerGemType, HUDPowerups[POWERUP_BROOM]) << "given back once";
}

}  // namespace
