// The effects inside the whole program, headless, through the real mouse
// input: a line of five bursting with its score pictures, a chain of bombs
// with their rings, fireballs and beam, a coin and a bag paying their coins
// to the gold counter, magic freed by a strong bomb flying to the powerup
// slots with its charge, and the lightning's bolts. Each saves its frame to
// look at, and checks that the particles are where the player sees them.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "autoplay/AutoPlayer.h"
#include "board/Grid.h"
#include "board/Powerups.h"
#include "engine/Graphics.h"
#include "engine/Input.h"
#include "frame/Game.h"
#include "frame/Timing.h"
#include "media/Effects.h"
#include "media/EffectsShared.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"
#include "support/NoStoryMessages.h"
#include "support/ProgramFixture.h"

namespace fs = std::filesystem;

namespace {

constexpr int kColumns = 8, kRows = 7;

class EffectsPlayTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        const fs::path levels = home_ / "levels" / "Data" / "levels";
        fs::create_directories(levels);
        std::string text =
            "NAME=Sparks\r\ntime=300\r\ngoals=99,1,0,0,0\r\ncolours=1,2,3,4,5\r\n"
            "bombs=0\r\nsize=8,7\r\nreserved=0,0\r\n";
        for (int row = 0; row < kRows; ++row)
            text += "1,1,1,1,1,1,1,1\r\n";
        text += "locked=\r\nrocks=\r\nshapes=\r\nborder=\r\n";
        std::ofstream(levels / "9.txt", std::ios::binary) << text;
        ASSERT_TRUE(StartUpBeforeGraphics());
        StartUpGraphicsAndLoad();
        DropStoryMessages();
        Game->DataPrefix = (home_ / "levels").string() + "/";
        AutoPlayer::OwnItemsOnSaleBy(9);
        AutoPlayer::EnterLevel(9, 19, false);
        ASSERT_TRUE(StepUntil([] { return InPlay() && AtRest(); }, 1500));
        ASSERT_EQ(Game->Particles, 80) << "the settings' default detail";
    }
    static bool InPlay() { return !GameScreen->IntroRunning() && !GameScreen->FadingIn; }
    static bool AtRest() {
        if (!Grid || Grid->BlockInput || Grid->SwapCounter > 0) return false;
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
    void ClickAt(float x, float y) {
        InjectMouseMove(PhysicalX(x), PhysicalY(y));
        Step();
        InjectMouseButton(1, true, 0, 0);
        Step();
        InjectMouseButton(1, false, 0, 0);
        Step();
    }
    void MoveTo(float x, float y) {
        InjectMouseMove(PhysicalX(x), PhysicalY(y));
        Step();
    }
    static float CellX(int column) { return static_cast<float>(CellLeft(column) + HALF_CELL); }
    static float CellY(int row) { return static_cast<float>(CellTop(row) + HALF_CELL); }
    void ClickCell(int column, int row) { ClickAt(CellX(column), CellY(row)); }
    // A board without a line: colours 1 to 4 never three in a row or column.
    static void Untangle() {
        for (int y = 0; y < kRows; ++y)
            for (int x = 0; x < kColumns; ++x)
                Put(x, y, TGem::Make(x, y, 1 + (x + 2 * y) % 4, 0));
    }
    static void Put(int x, int y, const TGemPtr& gem) {
        TCell* cell = CellAt(x, y);
        if (cell->Gem) GemList->RemoveGem(cell->Gem);
        GemList->InsertGem(gem);
        cell->Gem = gem;
    }
    // Only these powerups bought, at level 1, all empty.
    static void BuyOnly(std::initializer_list<int> powerups) {
        for (const THUDPowerupPtr& powerup : HUDPowerups) {
            powerup->CurrentCharge = 0;
            for (int i = 0; i < powerup->ItemLevelCount; ++i)
                SaveData->shopPurchases[powerup->ShopID + i] = ShopItem::UNAVAILABLE;
        }
        for (int index : powerups)
            SaveData->shopPurchases[HUDPowerups[index]->ShopID] = ShopItem::PURCHASED;
    }
    static PixmapPtr DrawScreen() {
        SetClsColor(0, 0, 0);
        Cls();
        Game->ScreenDraw();
        return headless::ReadFrame();
    }
    // The summed brightness of a rectangle of the virtual screen.
    static long Light(const TPixmap& frame, float x0, float y0, float x1, float y1) {
        long sum = 0;
        for (int py = PhysicalY(y0); py <= PhysicalY(y1); ++py) {
            for (int px = PhysicalX(x0); px <= PhysicalX(x1); ++px) {
                if (px < 0 || py < 0 || px >= frame.Width() || py >= frame.Height()) continue;
                const uint32_t argb = frame.ReadPixel(px, py);
                sum += headless::Red(argb) + headless::Green(argb) + headless::Blue(argb);
            }
        }
        return sum;
    }
    // How much brighter the particles make a rectangle of this frame: the
    // same screen drawn again with the six layers hidden is the reference.
    static double ParticleGain(float x0, float y0, float x1, float y1) {
        const long with = Light(*DrawScreen(), x0, y0, x1, y1);
        for (int layer = 1; layer <= 6; ++layer)
            for (int i = 0; i < ParticleLayer(layer).Count(); ++i)
                ParticleLayer(layer).ValueAtIndex(i)->Hidden += 2;
        const long without = Light(*DrawScreen(), x0, y0, x1, y1);
        for (int layer = 1; layer <= 6; ++layer)
            for (int i = 0; i < ParticleLayer(layer).Count(); ++i)
                ParticleLayer(layer).ValueAtIndex(i)->Hidden -= 2;
        DrawScreen();  // the frame as shown, for saving
        return without > 0 ? static_cast<double>(with) / without : 0;
    }
};

TEST_F(EffectsPlayTest, ALineOfFiveBurstsWithItsScorePictures) {
    Untangle();
    for (int x : {1, 2, 4, 5})
        Put(x, 3, TGem::Make(x, 3, 5, 0));
    Put(3, 4, TGem::Make(3, 4, 5, 0));
    ClearParticleLayers();
    ClickCell(3, 4);
    ClickCell(3, 3);
    ASSERT_TRUE(StepUntil([] { return ParticleLayer(6).Count() >= 4; }, 400))
        << "the line's gems score";
    Step(24);
    EXPECT_GE(ParticleLayer(3).Count(), 4 * (CountedParticles(4) + CountedParticles(2)))
        << "a burst and sparks for each removed gem";
    for (int i = 0; i < ParticleLayer(6).Count(); ++i) {
        const TParticlePtr picture = ParticleLayer(6).ValueAtIndex(i);
        EXPECT_LE(picture->y, CellTop(3) + 18) << "rising from the line's row";
        EXPECT_GT(picture->y, CellTop(3) + 18 - 5);
        EXPECT_GE(picture->x, CellX(1) - 1);
        EXPECT_LE(picture->x, CellX(5) + 1);
    }
    EXPECT_GT(ParticleGain(CellX(0), CellY(2), CellX(6), CellY(4)), 1.1)
        << "the line's row lights up";
    headless::SaveFrame("effects-line-of-five");
}

TEST_F(EffectsPlayTest, ABombChainShowsRingsFireballsAndABeam) {
    Untangle();
    // Double-clicking the pumpkin sets off the cross bomb beside it, whose
    // fireballs reach the lantern two rows down.
    Put(2, 2, TGem::Make(2, 2, GEM_PUMPKIN_BOMB, 0));
    Put(3, 2, TGem::Make(3, 2, GEM_CROSS_BOMB, 0));
    Put(3, 4, TGem::Make(3, 4, GEM_HORIZONTAL_BOMB, 0));
    ClearParticleLayers();
    Grid->ChainedBonuses = 0;
    ClickCell(2, 2);
    ClickCell(2, 2);
    ASSERT_GE(Grid->ChainedBonuses, 2) << "the chain went off";
    Step(20);
    int rings = 0, fireballs = 0, beams = 0, chunks = 0;
    ParticleLayer(3).ForEach([&](TParticle& p) {
        rings += p.image == EffectImages.RingOrange;
        fireballs += p.image == ParticleImages[8];
        beams += p.image == EffectImages.BeamThin || p.image == EffectImages.BeamThick;
        chunks += p.image == ParticleImages[30] || p.image == ParticleImages[31] ||
                  p.image == ParticleImages[32];
    });
    EXPECT_EQ(rings, 1);
    EXPECT_EQ(fireballs, 4);
    EXPECT_EQ(beams, 1);
    EXPECT_GT(chunks, 0) << "pumpkin pieces thrown out";
    EXPECT_GT(ParticleGain(CellX(0), CellY(1), CellX(7), CellY(5)), 1.2)
        << "the blasts light up the board";
    headless::SaveFrame("effects-bomb-chain");
}

TEST_F(EffectsPlayTest, ACoinAndABagFlyToTheGoldCounter) {
    Untangle();
    Put(1, 5, TGem::MakeCoin(1, 5, 0));
    Put(5, 4, TGem::MakeBag(5, 4, 0));
    ClearParticleLayers();
    GameScreen->GoldParticleDelay->Clear();
    // The newest level open: a level played again pays no gold.
    Player->Unlocked = Player->Level;
    ClickCell(1, 5);
    ClickCell(5, 4);
    const int coins = ParticleLayer(4).Count();
    EXPECT_GE(coins, 1 + 3) << "the coin and the bag's coins";
    EXPECT_EQ(ParticleLayer(3).Count(), 1) << "the bag, paying out";
    EXPECT_EQ(GameScreen->GoldParticleDelay->Count(), coins);
    EXPECT_EQ(Player->levelGoldInTransit, 5 * coins);
    Step(50);
    // The coin flies straight from its cell to the counter; the bag's coins
    // follow one by one.
    int flying = 0;
    ParticleLayer(4).ForEach([&](TParticle& coin) {
        if (coin.dx == 0 && coin.dy == 0) return;
        ++flying;
        EXPECT_LT(coin.dx, 0);
        EXPECT_LT(coin.dy, 0) << "towards the gold counter at the top left";
    });
    EXPECT_GE(flying, 2);
    EXPECT_GT(ParticleGain(0, 0, CellX(6), CellY(6)), 1.02);
    headless::SaveFrame("effects-coins-and-bag");
    ASSERT_TRUE(StepUntil([] { return ParticleLayer(4).Count() == 0; }, 400));
    EXPECT_EQ(Player->levelGoldInTransit, 0) << "all the gold arrived";
    EXPECT_EQ(GameScreen->GoldParticleDelay->Count(), 0);
}

TEST_F(EffectsPlayTest, MagicFreedByAStrongBombFliesToTheSlotsAndChargesThemOnLanding) {
    BuyOnly({POWERUP_STAKE, POWERUP_LIGHTNING});
    Untangle();
    Put(3, 3, TGem::Make(3, 3, GEM_PUMPKIN_BOMB + BOMB_UPGRADE, 0));
    for (int x : {2, 4})
        CellAt(x, 3)->Gem->CreateMagic();
    ClearParticleLayers();
    ClickCell(3, 3);
    MoveTo(CellX(3), CellY(3));
    InjectMouseButton(1, true, 0, 0);
    Step();
    ASSERT_EQ(Player->MagicFreed, 2) << "the second press fired the bomb";
    InjectMouseButton(1, false, 0, 0);

    // The sparkles: the only particles with phases that the magic's pictures show.
    std::vector<TParticlePtr> sparkles;
    for (int i = 0; i < ParticleLayer(3).Count(); ++i) {
        const TParticlePtr p = ParticleLayer(3).ValueAtIndex(i);
        const bool picture = p->image == EffectImages.Sparkle || p->image == ParticleImages[3];
        if (picture && !p->PhaseList.empty()) sparkles.push_back(p);
    }
    EXPECT_EQ(static_cast<int>(sparkles.size()), 2 * 2 * CountedParticles(5))
        << "half the sparkles of each freed gem to each bought slot: the bomb was strong";
    EXPECT_EQ(GameScreen->GaugeFillDelay->Count(), 2) << "a counter per freed gem";

    // Each sparkle lands at its slot when its flight ends, 1000 ms after it
    // sets off; the charge arrives with the first of them. Steps count from
    // the one that freed the gems, step 1.
    const THUDPowerup& stake = *HUDPowerups[POWERUP_STAKE];
    const THUDPowerup& lightning = *HUDPowerups[POWERUP_LIGHTNING];
    std::vector<int> landed(sparkles.size(), 0);
    int charged = 0, landedAtStake = 0, landedAtLightning = 0;
    for (int step = 2; step <= 300; ++step) {
        Step();
        if (step == 140) {
            DrawScreen();
            headless::SaveFrame("effects-magic-sparkles");
        }
        if (!charged && lightning.CurrentCharge > 0) {
            charged = step;
            EXPECT_EQ(stake.CurrentCharge, 2);
            EXPECT_EQ(lightning.CurrentCharge, 2);
        }
        for (size_t i = 0; i < sparkles.size(); ++i) {
            const TParticle& p = *sparkles[i];
            const int last = static_cast<int>(p.PhaseList.size()) - 1;
            if (landed[i] || p.CurrentPhase != last) continue;
            const float waited = last == 2 ? p.PhaseList[0].Length : 0;
            landed[i] = step;
            EXPECT_NEAR(step, waited + 200, 1) << "sparkle " << i;
            // Within the 18 pixels they set off apart, and a step's flight.
            const bool atStake = std::abs(p.x - stake.HUDLocation.X) < 22 &&
                                 std::abs(p.y - (stake.HUDLocation.Y + 30)) < 22;
            const bool atLightning = std::abs(p.x - lightning.HUDLocation.X) < 22 &&
                                     std::abs(p.y - (lightning.HUDLocation.Y + 30)) < 22;
            EXPECT_TRUE(atStake || atLightning)
                << "sparkle " << i << " landed at " << p.x << ", " << p.y;
            landedAtStake += atStake;
            landedAtLightning += atLightning;
        }
    }
    EXPECT_EQ(charged, 200) << "1000 ms after the gems were freed";
    EXPECT_EQ(landedAtStake, landedAtLightning);
    EXPECT_EQ(landedAtStake + landedAtLightning, static_cast<int>(sparkles.size()));
}

TEST_F(EffectsPlayTest, TheLightningStrikesWithABoltFromTheTopToEachCell) {
    BuyOnly({POWERUP_LIGHTNING});
    for (int i = 1; i < 3; ++i)
        SaveData->shopPurchases[HUDPowerups[POWERUP_LIGHTNING]->ShopID + i] = ShopItem::PURCHASED;
    HUDPowerups[POWERUP_LIGHTNING]->ChargeFully();
    ClearParticleLayers();
    const THUDPowerup& slot = *HUDPowerups[POWERUP_LIGHTNING];
    ClickAt(static_cast<float>(slot.HUDLocation.X), static_cast<float>(slot.HUDLocation.Y));
    const auto& lightning = dynamic_cast<const TLightningHUD&>(slot);
    ASSERT_EQ(lightning.isActive, 1);
    ASSERT_EQ(lightning.LastStrikes.size(), 3u) << "three strikes at level 3";
    Step(10);
    std::vector<TParticlePtr> bolts;
    for (int i = 0; i < ParticleLayer(4).Count(); ++i)
        if (ParticleLayer(4).ValueAtIndex(i)->image == EffectImages.Lightning)
            bolts.push_back(ParticleLayer(4).ValueAtIndex(i));
    ASSERT_EQ(bolts.size(), 3u);
    const float height = static_cast<float>(EffectImages.Lightning->h);
    for (size_t i = 0; i < bolts.size(); ++i) {
        const TPoint& cell = lightning.LastStrikes[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(bolts[i]->x, CellX(cell.X));
        // Centred half-way down, stretched over the whole height above the cell.
        EXPECT_EQ(bolts[i]->y, std::trunc(CellY(cell.Y) / 2));
        EXPECT_FLOAT_EQ(bolts[i]->ScaleY, CellY(cell.Y) / (height - 30));
        EXPECT_GT(ParticleGain(CellX(cell.X) - 10, 0, CellX(cell.X) + 10, CellY(cell.Y) / 2), 1.3)
            << "the bolt lights its column above the cell";
    }
    headless::SaveFrame("effects-lightning");
}

}  // namespace
