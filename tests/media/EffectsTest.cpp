// The effects as the level play screen sees them: how many particles each
// makes at each detail setting and on a strong bomb, the coins' and bag's
// timing with the gold counters, the magic release with the powerups' charge
// counter, the outro that stops both, the fireballs by power and the light
// beam's width.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "board/BoardFixture.h"
#include "board/Powerups.h"
#include "frame/Timing.h"
#include "media/Effects.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"

namespace {

class EffectsTest : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        savedDetail_ = Game->Particles;
        Game->FixedRateLogic->SetDelta(1.0f);
    }
    void TearDown() override {
        Game->Particles = savedDetail_;
        ClearParticleLayers();
        BoardTest::TearDown();
    }
    static int CountIn(int layer) { return ParticleLayer(layer).Count(); }
    static std::vector<TParticlePtr> ParticlesIn(int layer) {
        std::vector<TParticlePtr> particles;
        for (int i = 0; i < CountIn(layer); ++i)
            particles.push_back(ParticleLayer(layer).ValueAtIndex(i));
        return particles;
    }
    static int CountAll() {
        int count = 0;
        for (int layer = 1; layer <= 6; ++layer)
            count += CountIn(layer);
        return count;
    }
    // The powerups bought, by slot.
    static void Buy(std::initializer_list<int> slots) {
        for (int slot : slots)
            SaveData->shopPurchases[HUDPowerups[slot]->ShopID] = ShopItem::PURCHASED;
    }
    void StartOutro() {
        GameScreen->OutroAnim = TAnimation::Create(4500, 1);
        GameScreen->OutroAnim->Start();
        ASSERT_TRUE(GameScreen->OutroRunning());
    }
    // One play step of the layers, as the level play screen runs them.
    void StepLayers() {
        ParticleLayer(1).Manage();
        ParticleLayer(2).Move();
        ParticleLayer(3).Move();
        ParticleLayer(4).Manage();
        ParticleLayer(6).Move();
    }
    int savedDetail_ = 80;
};

TEST_F(EffectsTest, CountsFollowTheDetailSettingAndTheFixedPiecesAlwaysAppear) {
    struct Case {
        std::string effect;
        std::function<void()> run;
        int at100, at80, at50, at0;
    };
    const std::vector<Case> cases = {
        {"gem burst of 15", [] { EffectGemBurst(300, 300, 15); }, 15, 12, 7, 0},
        {"sparks of 4", [] { EffectSparks(300, 300, 4); }, 4, 3, 2, 0},
        {"pink ring", [] { EffectPinkRing(300, 300); }, 101, 81, 51, 1},
        {"green ring", [] { EffectGreenRing(300, 300); }, 101, 81, 51, 1},
        {"bomb ring", [] { EffectBombRing(300, 300); }, 31, 25, 16, 1},
        {"mega bomb ring", [] { EffectMegaBombRing(300, 300); }, 71, 57, 36, 1},
        {"rock crack of 20", [] { EffectRockCrack(300, 300, 20); }, 20, 16, 10, 0},
        {"rock break", [] { EffectRockBreak(300, 300); }, 16, 13, 10, 4},
        {"unlock", [] { EffectUnlock(300, 300); }, 50, 40, 25, 0},
        {"cross fireballs", [] { EffectCrossFireballs(300, 300, 1); }, 4, 4, 4, 4},
        {"cross-diagonal fireballs", [] { EffectCrossDiagonalFireballs(300, 300, 2); }, 8, 8, 8, 8},
        {"light beam", [] { EffectLightBeam(300, 300, 2); }, 1, 1, 1, 1},
        {"bullets", [] { EffectBullets(300, 300); }, 2, 2, 2, 2},
        {"lightning", [] { EffectLightning(300, 300); }, 1, 1, 1, 1},
        {"first layer: the tile and its coin", [] { EffectFirstLayerBreak(300, 300); }, 2, 2, 2, 2},
        {"second layer", [] { EffectSecondLayerBreak(300, 300); }, 1, 1, 1, 1},
        {"skull", [] { EffectSkullCollect(300, 300, 0); }, 1, 1, 1, 1},
        {"coin: highlight and coin", [] { EffectCoinCollect(300, 300, 1); }, 2, 2, 2, 2},
        {"score picture", [] { EffectScorePicture(300, 300, 30); }, 1, 1, 1, 1},
        {"gauge sparkle", [] { EffectGaugeSparkle(300, 300); }, 1, 1, 1, 1},
    };
    for (const Case& c : cases) {
        for (const auto& [detail, expected] :
             {std::pair{100, c.at100}, {80, c.at80}, {50, c.at50}, {0, c.at0}}) {
            SCOPED_TRACE(c.effect + " at detail " + std::to_string(detail));
            Game->Particles = detail;
            ClearParticleLayers();
            c.run();
            EXPECT_EQ(CountAll(), expected);
        }
    }
}

TEST_F(EffectsTest, AStrongBombHalvesSparksChunksDustAndMagicSparkles) {
    Game->Particles = 100;
    Buy({0});
    struct Case {
        std::string effect;
        std::function<void()> run;
        int layer, normal, strong;
    };
    const std::vector<Case> cases = {
        {"sparks of 4", [] { EffectSparks(300, 300, 4); }, 3, 4, 2},
        {"rock crack of 20", [] { EffectRockCrack(300, 300, 20); }, 3, 20, 10},
        {"unlock", [] { EffectUnlock(300, 300); }, 3, 50, 25},
        {"magic sparkles to one slot", [] { EffectMagicRelease(300, 300); }, 3, 10, 5},
    };
    for (const Case& c : cases) {
        for (int power : {1, 2}) {
            SCOPED_TRACE(c.effect + (power == 2 ? " on a strong bomb" : ""));
            ClearParticleLayers();
            Grid->BonusUsedThisFrame = 1;
            Grid->BonusPower = power;
            c.run();
            EXPECT_EQ(CountIn(c.layer), power == 2 ? c.strong : c.normal);
        }
    }
    Game->Particles = 80;
    ClearParticleLayers();
    EffectMagicRelease(300, 300);
    EXPECT_EQ(CountIn(3), 4) << "trunc(5 x 80 / 100) on the strong bomb still set";
}

TEST_F(EffectsTest, ReleasedMagicChargesTheBoughtPowerupsOnceWithOrWithoutSparkles) {
    for (int detail : {80, 0}) {
        SCOPED_TRACE("detail " + std::to_string(detail));
        Game->Particles = detail;
        FreshPlayObjects();
        Buy({1, 3});
        EffectMagicRelease(400, 300);
        EXPECT_EQ(GameScreen->TriggerMagic, 1);
        EXPECT_EQ(Player->MagicFreed, 1);
        EXPECT_EQ(CountIn(2), 1) << "the highlight where the gem was";
        EXPECT_EQ(CountIn(3), detail == 0 ? 0 : 16) << "eight sparkles to each bought slot";
        ASSERT_EQ(GameScreen->GaugeFillDelay->Count(), 1) << "one counter for all the slots";
        EXPECT_EQ(GameScreen->GaugeFillDelay->First()->CounterLength, 200) << "1000 ms";
    }
    FreshPlayObjects();
    Game->Particles = 100;
    EffectMagicRelease(400, 300);
    EXPECT_EQ(CountIn(3), 0) << "no powerup bought: nothing to carry";
    EXPECT_EQ(GameScreen->GaugeFillDelay->Count(), 0);
}

TEST_F(EffectsTest, ABagOfFivePaysItsCoinsOneByOne) {
    Game->Particles = 80;
    Player->Level = Player->Unlocked = 9;
    EffectCoinCollect(500, 400, 5);
    EXPECT_EQ(CountIn(3), 1) << "the bag";
    ASSERT_EQ(CountIn(4), 5) << "five coins";
    EXPECT_EQ(GameScreen->GoldParticleDelay->Count(), 5) << "all five counters at once";
    for (const TCounterPtr& counter : *GameScreen->GoldParticleDelay)
        EXPECT_EQ(counter->CounterLength, 60) << "300 ms";
    EXPECT_EQ(Player->levelGoldInTransit, 25);
    const std::vector<TParticlePtr> coins = ParticlesIn(4);
    const TParticlePtr bag = ParticleLayer(3).First();

    std::vector<int> leaving, arriving;
    std::vector<bool> arrived(5, false);
    int bagGone = -1;
    for (int step = 1; step <= 200; ++step) {
        GameScreen->TriggerGoldCoin = 0;
        StepLayers();
        if (GameScreen->TriggerGoldCoin) leaving.push_back(step);
        for (size_t i = 0; i < coins.size(); ++i) {
            if (arrived[i] || coins[i]->dx != 0 || coins[i]->Alpha == 0) continue;
            if (coins[i]->x == 500) continue;  // not yet off
            arrived[i] = true;
            arriving.push_back(step);
            EXPECT_NEAR(coins[i]->x, 90, 0.5) << "at the gold counter";
            EXPECT_NEAR(coins[i]->y, 30, 0.5);
        }
        if (bagGone < 0 && bag->Particles == nullptr) bagGone = step;
    }
    EXPECT_EQ(leaving, (std::vector<int>{1, 20, 40, 60, 80})) << "every 100 ms from the start";
    EXPECT_EQ(arriving, (std::vector<int>{61, 80, 100, 120, 140})) << "each after 300 ms";
    // A fade counts from the step its phase starts, so it ends a step before
    // the 300 ms phase does.
    EXPECT_EQ(bagGone, 139) << "the bag fades out over 300 ms from 400 ms on";
    EXPECT_EQ(CountIn(4), 0);

    // A level played again pays no gold: nothing is in transit.
    ClearParticleLayers();
    Player->levelGoldInTransit = 0;
    Player->Level = 3;
    EffectCoinCollect(500, 400, 1);
    EXPECT_EQ(Player->levelGoldInTransit, 0);
    EXPECT_EQ(GameScreen->GoldParticleDelay->Count(), 6);
}

TEST_F(EffectsTest, TheOutroKeepsOnlyTheHighlightsAndTheBag) {
    Game->Particles = 100;
    Buy({0, 1, 2});
    StartOutro();
    EffectCoinCollect(500, 400, 1);
    EffectCoinCollect(500, 400, 4);
    EffectMagicRelease(300, 300);
    EXPECT_EQ(CountIn(2), 2) << "the coin's and the magic gem's highlights";
    EXPECT_EQ(CountIn(3), 1) << "the bag, and no magic sparkles";
    EXPECT_EQ(CountIn(4), 0) << "no flying coins";
    EXPECT_EQ(GameScreen->GoldParticleDelay->Count(), 0);
    EXPECT_EQ(GameScreen->GaugeFillDelay->Count(), 0) << "no charge on its way";
    EXPECT_EQ(Player->MagicFreed, 1);
}

TEST_F(EffectsTest, FireballsFlyByTheirPower) {
    // Power 2: 6 pixels a step until off the screen.
    EffectCrossFireballs(500, 400, 2);
    TParticlePtr left = ParticleLayer(3).First();
    ASSERT_EQ(left->dx, -6);
    int steps = 0;
    while (left->Particles && steps < 500) {
        StepLayers();
        ++steps;
    }
    EXPECT_EQ(steps, 84) << "from x 500 at 6 a step";
    // Power 1: 230 ms at 3 a step, then 100 ms standing and fading.
    for (auto effect : {EffectCrossFireballs, EffectDiagonalFireballs}) {
        ClearParticleLayers();
        effect(500, 400, 1);
        TParticlePtr ball = CountIn(3) ? ParticleLayer(3).First() : ParticleLayer(4).First();
        steps = 0;
        while (ball->Particles && steps < 500) {
            StepLayers();
            ++steps;
            if (steps == 45 || steps == 60) {
                EXPECT_FLOAT_EQ(ball->x, 500 - 3 * 45) << "flying until its phase ends";
            }
        }
        EXPECT_EQ(steps, 65) << "its 100 ms fade-out ends with its last phase";
    }
}

TEST_F(EffectsTest, TheLightBeamReachesTheFartherEdge) {
    EXPECT_FLOAT_EQ(LightBeamWidthFactor(100), (1024.0f - 116) / 512);
    EXPECT_FLOAT_EQ(LightBeamWidthFactor(800), 816.0f / 512);
    EXPECT_FLOAT_EQ(LightBeamWidthFactor(496), 1.0f) << "from the middle: one screen width";
    EffectLightBeam(100, 300, 1);
    TParticlePtr beam = ParticleLayer(3).First();
    EXPECT_FLOAT_EQ(beam->x, 116);
    EXPECT_FLOAT_EQ(beam->ScaleX, (1024.0f - 116) / 512);
    EXPECT_FLOAT_EQ(beam->ScaleY, 0.5f);
    int steps = 0;
    while (beam->Particles && steps < 500) {
        StepLayers();
        ++steps;
    }
    EXPECT_EQ(steps, 109) << "250 ms thickening, 300 ms fading";
    EXPECT_NEAR(beam->ScaleY, 0.5f + 0.03f * 108, 0.01f) << "thickening until it faded out";
}

}  // namespace
