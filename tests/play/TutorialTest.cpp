// The tutorial in the shipped levels: the lesson plan against the game text
// and the level files, the first level's lesson played through the real
// input, the goal arrows, the tips switch, the lessons shown once per player
// across runs, and the limit of five live tips.
#include <gtest/gtest.h>

#include "board/Cell.h"
#include "board/Grid.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"
#include "frame/Profile.h"
#include "media/GameText.h"
#include "play/GameScreen.h"
#include "play/Lessons.h"
#include "play/LevelFixture.h"
#include "play/Player.h"
#include "play/Tutorial.h"
#include "progress/ProfileStore.h"
#include "progress/SaveData.h"

namespace {

class TutorialTest : public LevelTest {
  protected:
    static TTutorial& T() { return *Tutorial; }
    // Steps until no tip or arrow is left.
    bool WaitUntilClear(int limit = 2000) {
        return StepUntil([] { return T().TipsCount == 0 && T().TipArrowsCount == 0; }, limit);
    }
};

TEST_F(TutorialTest, EveryTextTheLessonPlanUsesIsInTheGameText) {
    for (const std::string& key : LessonTextKeys()) {
        SCOPED_TRACE(key);
        EXPECT_FALSE(GameText->FindString(key).empty()) << "a lesson without its words";
    }
}

TEST_F(TutorialTest, EachBoardArrowStandsOnTwoActiveCellsOfItsLevel) {
    for (const TLevelStartLesson& lesson : LevelStartLessons()) {
        if (lesson.arrowColumn < 0) continue;
        SCOPED_TRACE("level " + std::to_string(lesson.level));
        Play(lesson.level, true);
        EXPECT_TRUE(CellActive(lesson.arrowColumn, lesson.arrowRow));
        EXPECT_TRUE(CellActive(lesson.arrowColumn, lesson.arrowRow + 1));
        ASSERT_EQ(T().TipArrowsCount, 1);
        const TTipArrow& arrow = *T().TipArrows[0];
        // The arrow's tip (its picture's lower edge, bounced down) lies in the
        // lower cell; its middle is the column's middle.
        const TCell& lower = *CellAt(lesson.arrowColumn, lesson.arrowRow + 1);
        EXPECT_EQ(arrow.x, lower.sx + HALF_CELL);
        const float tip = arrow.y + arrow._image->h2;
        EXPECT_GT(tip, lower.sy);
        EXPECT_LT(tip + arrow._bounceRange, lower.sy + CELL_SIZE);
        ASSERT_TRUE(T().TipGlowSprite) << "the glow marks the swap";
        EXPECT_EQ(T().TipGlowSprite->x, arrow.x);
        ASSERT_EQ(T().TipsCount, 1);
        const TDynamicTip& tip0 = *T().Tips[0];
        EXPECT_FALSE(tip0.Contains(arrow.x, arrow.y)) << "the panel leaves the arrow in sight";
        EXPECT_FALSE(tip0.Contains(lower.sx + HALF_CELL, lower.sy + HALF_CELL))
            << "and the cells to click";
    }
}

TEST_F(TutorialTest, GoalLessonsPointAtGoalsTheirLevelsHave) {
    for (const TLevelStartLesson& lesson : LevelStartLessons()) {
        if (lesson.goalRows.empty()) continue;
        SCOPED_TRACE("level " + std::to_string(lesson.level));
        Play(lesson.level, true);
        ASSERT_EQ(T().TipArrowsCount, static_cast<int>(lesson.goalRows.size()))
            << "every goal row named has its goal on this level";
        for (int i = 0; i < T().TipArrowsCount; ++i)
            EXPECT_EQ(T().TipArrows[i]->y, GoalArrowY(lesson.goalRows[i]));
        ASSERT_EQ(T().TipsCount, 1);
        EXPECT_EQ(T().Tips[0]->y, GoalArrowY(lesson.anchorRow) + lesson.tipY);
        EXPECT_EQ(T().CurrentTip, 1);
        if (lesson.level == 10) {
            Step(30);  // faded in
            SaveShot("tutorial-level10-goals");
        }
    }
}

TEST_F(TutorialTest, TheFirstLessonWaitsForTheSwapThenPointsAtTheGoal) {
    Play(1, true);
    const TLevelStartLesson& lesson = *LevelStartLessonOf(1);
    ASSERT_EQ(T().TipsCount, 1);
    EXPECT_EQ(T().CurrentTip, 1);
    EXPECT_EQ(T().Tips[0]->_headerText, GameText->FindString("Hint 1 Header"));
    Step(3000);
    EXPECT_EQ(T().TipsCount, 1) << "no time limit: the tip waits for the player";
    EXPECT_EQ(GameScreen->AutoHintCounter, 0) << "no automatic hint while a tip shows";
    SaveShot("tutorial-level1-start");

    ClickCell(lesson.arrowColumn, lesson.arrowRow);
    ClickCell(lesson.arrowColumn, lesson.arrowRow + 1);
    ASSERT_TRUE(StepUntil([] { return T().CurrentTip == 0; }, 200)) << "the swap brings the goal";
    EXPECT_FALSE(T().TipGlowSprite);
    Step(60);
    ASSERT_EQ(T().TipsCount, 1) << "the first tip has faded out";
    EXPECT_EQ(T().Tips[0]->_headerText, GameText->FindString("Hint 1b Header"));
    ASSERT_EQ(T().TipArrowsCount, 1);
    EXPECT_EQ(T().TipArrows[0]->y, GoalArrowY(1));
    EXPECT_EQ(T().Tips[0]->y, GoalArrowY(1) - PANEL_ABOVE_GOAL_ARROW);
    SaveShot("tutorial-level1-goal");
    EXPECT_TRUE(WaitUntilClear(1200)) << "gone after five seconds";
}

TEST_F(TutorialTest, AClickOnATipClosesItAndNeverReachesTheBoard) {
    Play(3, true);
    ASSERT_EQ(T().TipsCount, 1);
    const TDynamicTip& tip = *T().Tips[0];
    // A cell under the panel: the click closes the tip and selects nothing.
    const float x = tip.x + 40, y = tip.y + tip._image->h - 30;
    ASSERT_TRUE(CellActive((static_cast<int>(x) - Grid->sx) / CELL_SIZE,
                           (static_cast<int>(y) - Grid->sy) / CELL_SIZE));
    ClickAt(x, y);
    EXPECT_EQ(Grid->Mode, 0) << "no gem picked up";
    ASSERT_TRUE(StepUntil([] { return T().CurrentTip == 0; }, 100))
        << "the follow-up comes as the tip ends";
    EXPECT_EQ(T().TipArrows[T().TipArrowsCount - 1]->y, GoalArrowY(2)) << "the ice goal";
}

TEST_F(TutorialTest, GoalRowsPointOnlyAtTheGoalsALevelHas) {
    Play(1, true);
    ClickAt(60, GoalArrowY(2));
    EXPECT_EQ(T().TipArrowsCount, 0) << "level 1 has no ice";
    EXPECT_EQ(T().TipsCount, 0) << "the click clears the tips at once";
    ClickAt(60, GoalArrowY(1));
    ASSERT_EQ(T().TipArrowsCount, 1);
    const TTipArrow& arrow = *T().TipArrows[0];
    EXPECT_EQ(arrow._text, GameText->FindString("Goal Tip"));
    EXPECT_EQ(arrow._bounceDirectionX, -1);
    Step(60);  // faded in
    SaveShot("tutorial-goal-arrow");
    EXPECT_TRUE(WaitUntilClear(1200));
}

TEST_F(TutorialTest, WithTheTipsOffOnlyTheMagicLessonShowsAndOncePerPlayer) {
    Play(1, false);
    ClickAt(60, GoalArrowY(1));
    T().ShowSwapCompleteTip();
    T().ShowNearlyDoneTip();
    EXPECT_EQ(T().TipsCount + T().TipArrowsCount, 0);

    Play(4, false);
    EXPECT_EQ(T().TipsCount, 0) << "no start tip";
    T().ShowMagicTip();
    ASSERT_EQ(T().TipsCount, 1) << "the magic lesson ignores the switch";
    EXPECT_EQ(T().Tips[0]->_headerText, GameText->FindString("Hint Magic Header"));
    Step(30);
    SaveShot("tutorial-magic");
    EXPECT_EQ(ProfileInt(40 + 4 * TTutorial::MAGIC_TIP_HINT), 1) << "saved at once";

    // The game starts again: the player is read back from disk.
    Game->CurrentTScreen->Kill();
    SelectProfile("Ada");
    Play(4, true);
    T().ShowMagicTip();
    EXPECT_EQ(T().TipsCount, 1) << "only the level's start tip";
    EXPECT_NE(T().Tips[0]->_headerText, GameText->FindString("Hint Magic Header"));

    Game->CurrentTScreen->Kill();
    SelectProfile("Bea");
    Play(4, false);
    T().ShowMagicTip();
    EXPECT_EQ(T().TipsCount, 1) << "another player learns it too";
}

TEST_F(TutorialTest, AFullListDropsItsOldestTipAndArrow) {
    Play(20, true);
    TTutorial& t = T();
    std::vector<TDynamicTipPtr> made;
    std::vector<TTipArrowPtr> arrows;
    for (int i = 1; i <= TTutorial::MAX_TIPS + 1; ++i) {
        made.push_back(t.CreateDynamicTip("tip " + std::to_string(i), "body", 0, 0, 0, 1));
        arrows.push_back(t.CreateDynamicTipArrow(t.ArrowSmallImage, i, 0, 0, "", 0, 1, 0));
    }
    EXPECT_EQ(t.TipsCount, TTutorial::MAX_TIPS);
    EXPECT_EQ(t.TipArrowsCount, TTutorial::MAX_TIPS);
    EXPECT_EQ(made[0]->visible, 0) << "the oldest is gone";
    EXPECT_EQ(arrows[0]->visible, 0);
    for (int i = 0; i < TTutorial::MAX_TIPS; ++i) {
        EXPECT_EQ(t.Tips[i], made[i + 1]) << "the rest in order, the newest last";
        EXPECT_EQ(t.TipArrows[i], arrows[i + 1]);
    }
    t.FadeTips();
    EXPECT_TRUE(WaitUntilClear(100)) << "25 steps of fading";
}

}  // namespace
