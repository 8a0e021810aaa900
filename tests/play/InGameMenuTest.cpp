// The in-game menu over a shipped level, through the real input: Esc and
// the window's focus pause the level and its clock, the panel slides and
// turns back, restart waits for the slide, save and exit reaches the map with
// the profile on disk, and a visit to the instructions comes back to the
// same level with the panel open, and so does a visit to the options.
#include <gtest/gtest.h>

#include <cmath>

#include "board/Grid.h"
#include "engine/Input.h"
#include "frame/Game.h"
#include "play/GameScreen.h"
#include "play/InGameMenu.h"
#include "play/Instructions.h"
#include "play/LevelFixture.h"
#include "play/Player.h"
#include "progress/MapScreen.h"
#include "progress/SaveData.h"
#include "screens/OptionsScreen.h"
#include "support/Headless.h"
#include "ui/Menu.h"

namespace {

class InGameMenuTest : public LevelTest {
  protected:
    static TInGameMenu& M() { return *InGameMenu; }
    static bool Resting() { return M().Active && !M().FadeIn->Active && !M().FadeOut->Active; }
    void OpenByEsc() {
        Press("Escape");
        ASSERT_TRUE(M().Active);
        ASSERT_TRUE(StepUntil([] { return Resting(); }, 100));
    }
    void ClickMenu(const std::string& name) {
        ASSERT_TRUE(Resting());
        ClickButton(*M().Menu->FindButton(name));
    }
};

TEST_F(InGameMenuTest, EscPausesTheLevelAndItsClockUntilEscAgain) {
    Play(1, false);
    Step(100);
    const float taken = Player->LevelTimeTaken;
    ASSERT_GT(taken, 0);
    OpenByEsc();
    EXPECT_NEAR(M().GetTopY(), 0, 0.01) << "in place after 300 ms";
    SaveShot("in-game-menu");
    Step(2000);
    EXPECT_EQ(Player->LevelTimeTaken, taken) << "the time left does not move while paused";
    EXPECT_EQ(Game->CurrentTScreen, GameScreen);

    Press("Escape");
    EXPECT_TRUE(M().FadeOut->Active) << "Esc again slides the panel away";
    ASSERT_TRUE(StepUntil([] { return !M().Active; }, 100));
    Step(50);
    EXPECT_GT(Player->LevelTimeTaken, taken) << "and the clock runs again";
}

TEST_F(InGameMenuTest, TheMenuButtonOpensItAndResumeClosesIt) {
    Play(1, false);
    const TButton& menu = *GameScreen->Menu->First();
    ClickButton(menu);
    ASSERT_TRUE(M().Active);
    ASSERT_TRUE(StepUntil([] { return Resting(); }, 100));
    ClickMenu("resume");
    ASSERT_TRUE(StepUntil([] { return !M().Active; }, 100));
    EXPECT_TRUE(InPlay());
}

TEST_F(InGameMenuTest, ClosingWhileSlidingInTurnsBackFromWhereThePanelIs) {
    Play(1, false);
    Press("Escape");
    Step(20);
    ASSERT_TRUE(M().FadeIn->Active);
    const float before = M().GetTopY();
    ASSERT_GT(before, 0);
    Press("Escape");
    const float after = M().GetTopY();
    EXPECT_NEAR(after, before, 60) << "no jump back to the top";
    Step(5);
    EXPECT_GT(M().GetTopY(), after) << "on its way down";
    ASSERT_TRUE(StepUntil([] { return !M().Active; }, 100));
}

TEST_F(InGameMenuTest, RestartWaitsForTheSlideAndGivesFreshCounters) {
    Play(2, false);
    Step(300);
    Player->BoostScore(150);
    OpenByEsc();
    ClickMenu("restart");
    EXPECT_EQ(Player->LevelScore, 150) << "nothing restarts under the sliding panel";
    ASSERT_TRUE(StepUntil([] { return !M().Active; }, 100));
    EXPECT_TRUE(GameScreen->IntroRunning()) << "the level starts again from its intro";
    EXPECT_EQ(Player->LevelScore, 0);
    EXPECT_EQ(Player->LevelTimeTaken, 0);
    EXPECT_EQ(Player->Level, 2);
}

TEST_F(InGameMenuTest, SaveAndExitLandsOnTheMapWithTheProfileSaved) {
    Play(3, false);
    // What the player has and has set changed during the level.
    SaveData->gaugeLevel = 7;
    SaveData->CollectGold(40);
    const int gold = SaveData->GoldAvailable();
    OpenByEsc();
    ClickMenu("saveandexit");
    ASSERT_TRUE(StepUntil([] { return Game->CurrentTScreen == MapScreen; }, 400));
    EXPECT_EQ(ProfileInt(440), 7) << "the gauge on disk";
    EXPECT_EQ(ProfileInt(668), gold) << "the gold on disk";
    EXPECT_EQ(M().Active, 0);
    EXPECT_EQ(Player->Level, 3) << "the level given up stays the player's";
}

TEST_F(InGameMenuTest, LosingTheFocusPausesTheLevel) {
    Play(1, false);
    Step(10);
    InjectWindowFocus(false);
    Step(2);
    EXPECT_EQ(M().Active, 1);
    InjectWindowFocus(true);
    Step(100);
    const float taken = Player->LevelTimeTaken;
    Step(200);
    EXPECT_EQ(Player->LevelTimeTaken, taken) << "still paused when the player is back";
    EXPECT_TRUE(Resting());
}

// The instructions leave on any click, the options on Esc (their OK).
TEST_F(InGameMenuTest, TheInstructionsAndTheOptionsComeBackToTheSameLevelWithThePanelOpen) {
    const struct {
        const char* button;
        TScreenPtr screen;
        bool leaveByEsc;
    } visits[] = {{"help", InstructionsScreen, false}, {"options", OptionsScreen, true}};
    Play(1, false);
    Step(200);
    const TGameGridPtr grid = Grid;
    for (const auto& visit : visits) {
        SCOPED_TRACE(visit.button);
        OpenByEsc();
        const float taken = Player->LevelTimeTaken;
        const int score = Player->LevelScore;
        ClickMenu(visit.button);
        const TScreenPtr screen = visit.screen;
        ASSERT_TRUE(StepUntil([&] { return Game->CurrentTScreen == screen; }, 200));
        ASSERT_TRUE(StepUntil([] { return !Game->Fading(); }, 200));
        if (visit.leaveByEsc)
            Press("Escape");
        else
            ClickAt(500, 300);
        ASSERT_TRUE(
            StepUntil([] { return Game->CurrentTScreen == GameScreen && !Game->Fading(); }, 200));
        EXPECT_EQ(Grid, grid) << "the same board, not a new one";
        EXPECT_EQ(Player->LevelTimeTaken, taken);
        EXPECT_EQ(Player->LevelScore, score);
        EXPECT_TRUE(Resting()) << "the panel is still open";
        ClickMenu("resume");
        ASSERT_TRUE(StepUntil([] { return !M().Active; }, 100));
        EXPECT_TRUE(InPlay());
    }
}

}  // namespace
