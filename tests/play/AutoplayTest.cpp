// The headless player on the shipped levels: it wins the first levels in
// both modes with different seeds, and long stretches of partly random play
// keep every rule of the board; its step-time rule counts work, not waiting.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "autoplay/AutoPlayer.h"
#include "board/Grid.h"
#include "frame/Game.h"
#include "support/ProgramFixture.h"

namespace {

class AutoplayTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(StartUpBeforeGraphics());
        StartUpGraphicsAndLoad();
    }
    AutoplayOptions options_;
};

TEST_F(AutoplayTest, WinsTheFirstLevelsTimedAndRelaxed) {
    AutoPlayer player(options_);
    for (int level = 1; level <= 3; ++level) {
        for (const auto& [timed, seed] :
             {std::pair{true, 1u}, std::pair{false, 2u}, std::pair{true, 3u}}) {
            const AutoplayLevelResult result = player.PlayLevel(level, seed, timed);
            EXPECT_EQ(result.result, "won") << result.Json();
            EXPECT_EQ(result.goalsMet, result.goals) << result.Json();
        }
    }
}

TEST_F(AutoplayTest, FullPowerupsAreUsedWhenTheyServeTheGoals) {
    // Owning the shop's items on sale by level 33 (the stake, hammer, broom,
    // lightning, tarot and crystal), the player fills the slots from the
    // magic gems it frees and uses them; none is left on the pointer. Whether
    // a slot fills in time depends on the board a seed deals, so a few seeds
    // are played.
    AutoPlayer player(options_);
    int playsUsingOne = 0;
    for (unsigned seed = 1; seed <= 6; ++seed) {
        const AutoplayLevelResult result = player.PlayLevel(33, seed, true);
        EXPECT_EQ(result.result, "won") << result.Json();
        EXPECT_LE(result.powerups, result.moves) << result.Json();
        EXPECT_EQ(Grid->PointerGemType, nullptr) << result.Json();
        playsUsingOne += result.powerups > 0 ? 1 : 0;
    }
    EXPECT_GE(playsUsingOne, 1);
    // Without the items there is nothing to use.
    AutoplayOptions none = options_;
    none.ownItemsOnSale = false;
    EXPECT_EQ(AutoPlayer(none).PlayLevel(33, 3, true).powerups, 0);
}

TEST_F(AutoplayTest, TwentyThousandStepsOfRandomPlayKeepTheBoardSound) {
    options_.randomMoveEvery = 2;
    options_.maxSteps = 20000;
    AutoPlayer player(options_);
    long steps = 0;
    for (int level = 10; steps < 20000 && level <= 40; level += 6) {
        const AutoplayLevelResult result = player.PlayLevel(level, 100 + level, false);
        ASSERT_NE(result.result, "invariant") << result.Json();
        steps += result.steps;
    }
    EXPECT_GE(steps, 20000);
}

// A step is timed by the CPU it uses: time spent waiting for a core on a busy
// machine (here, asleep) must not count, the work itself must.
TEST(AutoplayStepTimeTest, CountsTheThreadsCpuTimeNotTheTimeWaited) {
    const double beforeSleep = ThreadCpuMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_LT(ThreadCpuMs() - beforeSleep, 50) << "sixty milliseconds asleep are no work";

    const double beforeWork = ThreadCpuMs();
    volatile unsigned sink = 0;
    for (long i = 0; i < 2000000000L && ThreadCpuMs() - beforeWork < 5; ++i)
        sink = sink + static_cast<unsigned>(i);
    EXPECT_GE(ThreadCpuMs() - beforeWork, 5) << "busy work counts";
}

}  // namespace
