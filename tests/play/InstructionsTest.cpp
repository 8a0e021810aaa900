// The instructions screen, opened from the map as from the title: its four
// lessons play over and over without input, each match starting its effect,
// and any click, OK or Esc returns to the screen that sent the player.
#include <gtest/gtest.h>

#include <set>

#include "frame/Game.h"
#include "media/Particles.h"
#include "play/Instructions.h"
#include "play/LevelFixture.h"
#include "progress/MapScreen.h"
#include "support/Headless.h"
#include "ui/Menu.h"

namespace {

class InstructionsTest : public LevelTest {
  protected:
    void OpenFromMap() {
        Game->CurrentTScreen->Kill();
        MapScreen->PreStart();
        ASSERT_TRUE(StepUntil([] { return !Game->Fading(); }, 400));
        OpenInstructions(MapScreen);
        ASSERT_TRUE(StepUntil(
            [] { return Game->CurrentTScreen == InstructionsScreen && !Game->Fading(); }, 400));
    }
    static bool BackOnTheMap() { return Game->CurrentTScreen == MapScreen && !Game->Fading(); }
};

TEST_F(InstructionsTest, TheLessonsPlayOverAndOverWithoutInput) {
    OpenFromMap();
    TInstructionsScreen& screen = *InstructionsScreen;
    std::set<int> phases;
    int effects = 0;
    // Two whole cycles of four seconds.
    for (int step = 0; step < 1600; ++step) {
        Step();
        phases.insert(screen.Anim1->CurrentPhase);
        effects = std::max(effects, ParticleLayer(2).Count() + ParticleLayer(3).Count());
        if (step == 230) SaveShot("instructions-swap");
        if (step == 420) SaveShot("instructions-match");
    }
    EXPECT_EQ(phases, (std::set<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(screen.MatchesShown, 2) << "one match a cycle";
    EXPECT_GT(effects, 0) << "the ice, rocks and locks break with their effects";
    EXPECT_EQ(Game->CurrentTScreen, InstructionsScreen) << "it waits for the player";
    ClickAt(900, 700);
    EXPECT_TRUE(StepUntil([] { return BackOnTheMap(); }, 400)) << "a click anywhere returns";
}

TEST_F(InstructionsTest, OkAndEscReturnToo) {
    OpenFromMap();
    ClickButton(*InstructionsScreen->Menu->FindButton("OK"));
    ASSERT_TRUE(StepUntil([] { return BackOnTheMap(); }, 400));
    OpenInstructions(MapScreen);
    ASSERT_TRUE(StepUntil(
        [] { return Game->CurrentTScreen == InstructionsScreen && !Game->Fading(); }, 400));
    Press("Escape");
    EXPECT_TRUE(StepUntil([] { return BackOnTheMap(); }, 400));
}

}  // namespace
