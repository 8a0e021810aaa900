// The lesson plan and the tutorial's teaching moments: the level-start tip,
// its follow-up after the first swap, the goal arrows, the nearly-done and
// goal-complete tips, the magic gem and the shop's pumpkin.
#include "play/Lessons.h"

#include <algorithm>

#include "board/Cell.h"
#include "board/Grid.h"
#include "frame/Game.h"
#include "frame/Profile.h"
#include "frame/Screen.h"
#include "media/GameText.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "play/Tutorial.h"
#include "progress/SaveData.h"
#include "progress/ShopScreen.h"

namespace {

// The panel of a goal-arrow lesson sits this far above its anchor arrow.
constexpr int kStartPanelAboveGoal = 60;
constexpr int kLevel10PanelAboveGoal = 55;
// A board arrow stands just above the line between its two cells.
constexpr int kCellArrowLift = 5;
constexpr int kFirstGoalRowY = 437, kGoalRowGap = 60;

std::vector<TLevelStartLesson> BuildLessons() {
    std::vector<TLevelStartLesson> lessons;
    auto cell = [&](int level, int tipX, int tipY, int column, int row) {
        TLevelStartLesson lesson;
        lesson.level = level;
        lesson.tipX = tipX;
        lesson.tipY = tipY;
        lesson.arrowColumn = column;
        lesson.arrowRow = row;
        lesson.glow = 1;
        lessons.push_back(lesson);
    };
    auto goals = [&](int level, int tipY, std::vector<int> rows, int anchor) {
        TLevelStartLesson lesson;
        lesson.level = level;
        lesson.tipX = 252;
        lesson.tipY = tipY;
        lesson.goalRows = std::move(rows);
        lesson.anchorRow = anchor;
        lesson.timeLimit = GOAL_TIP_MS;
        lessons.push_back(lesson);
    };
    cell(1, 338, 77, 3, 3);
    cell(2, 484, -6, 5, 2);
    cell(3, 375, 60, 3, 2);
    TLevelStartLesson magic;
    magic.level = MAGIC_LESSON_LEVEL;
    magic.tipX = MAGIC_TIP_X;
    magic.tipY = MAGIC_TIP_Y;
    magic.stakeArrow = 1;
    lessons.push_back(magic);
    goals(5, -kStartPanelAboveGoal, {1, 2}, 1);
    cell(6, 372, 290, 4, 6);
    goals(7, -kStartPanelAboveGoal, {2, 3}, 2);
    cell(9, 375, 160, 4, 5);
    goals(10, -kLevel10PanelAboveGoal, {1, 2, 4}, 2);
    cell(13, 408, 95, 5, 4);
    cell(17, 343, 125, 3, 4);
    return lessons;
}

std::string Text(const std::string& key) {
    return GameText ? GameText->FindString(key) : std::string();
}

TTipData LessonTexts(int level, const std::string& stage) {
    TTipData data;
    data.theHeaderText = Text(LessonTextKey(level, stage, true));
    data.theText = Text(LessonTextKey(level, stage, false));
    return data;
}

bool BoardIsEnding() {
    if (!GameScreen) return false;
    return GameScreen->OutroRunning() || GameScreen->NoMoreCounter > 0;
}

}  // namespace

// ---------------------------------------------------------------- the plan

const std::vector<TLevelStartLesson>& LevelStartLessons() {
    static const std::vector<TLevelStartLesson> lessons = BuildLessons();
    return lessons;
}

const TLevelStartLesson* LevelStartLessonOf(int level) {
    for (const TLevelStartLesson& lesson : LevelStartLessons())
        if (lesson.level == level) return &lesson;
    return nullptr;
}

int FollowUpGoalRow(int level) {
    switch (level) {
        case 1:
        case 2:
            return 1;
        case 3:
            return 2;
        case 6:
            return 3;
        default:
            return 0;
    }
}

bool StartTipOnlyFades(int level) {
    for (int fades : {4, 5, 7, 9, 13, 17})
        if (level == fades) return true;
    return false;
}

bool HasGoalCompleteLesson(int level) {
    return level == 5 || level == 7;
}

std::string LessonTextKey(int level, const std::string& stage, bool header) {
    return "Hint " + std::to_string(level) + stage + (header ? " Header" : " Body");
}

std::vector<std::string> LessonTextKeys() {
    std::vector<std::string> keys;
    auto both = [&](int level, const std::string& stage) {
        keys.push_back(LessonTextKey(level, stage, true));
        keys.push_back(LessonTextKey(level, stage, false));
    };
    for (const TLevelStartLesson& lesson : LevelStartLessons()) {
        both(lesson.level, "");
        if (FollowUpGoalRow(lesson.level)) both(lesson.level, "b");
        if (FollowUpGoalRow(lesson.level) || HasGoalCompleteLesson(lesson.level))
            both(lesson.level, "c");
    }
    keys.push_back("Hint Magic Header");
    keys.push_back("Hint Magic Body");
    keys.push_back("Goal Tip");
    return keys;
}

int CellArrowX(int sx, int column) {
    return sx + CELL_SIZE * (column + 1) - HALF_CELL;
}
int CellArrowY(int sy, int row) {
    return sy + CELL_SIZE * (row + 1) - kCellArrowLift;
}
int GoalArrowY(int row) {
    return kFirstGoalRowY + kGoalRowGap * (row - 1);
}

// ---------------------------------------------------------------- teaching moments

int TTutorial::CanShowGoalTip(int row) {
    if (!Grid || !GameScreen) return 0;
    switch (row) {
        case 1:
            return !(GameScreen->Goal1Done || Grid->GoalMatches == 0);
        case 2:
            return !(GameScreen->Goal2Done || Grid->GoalArmour != 1);
        case 3:
            return !(GameScreen->Goal3Done || Grid->GoalCollect == 0);
        case 4:
            return !(GameScreen->Goal4Done || Grid->GoalRock != 1);
        default:
            return 0;
    }
}

int TTutorial::ShowGoalArrowTip(int row, int ms) {
    if (!TipsOn() || !CanShowGoalTip(row)) return 0;
    KillTipGlowSprite();
    TTipData data;
    data.arrowType = ArrowThinImage;
    data.arrowX = GOAL_ARROW_X;
    data.arrowY = GoalArrowY(row);
    data.arrowDirectionX = -1;
    data.arrowText = Text("Goal Tip");
    data.timeLimit = ms;
    CreateDynamicTipWrapper(data);
    return data.arrowY;
}

void TTutorial::ShowLevelStartTip() {
    if (!TipsOn()) return;
    const int level = Player->Level;
    TTipData data = LessonTexts(level, "");
    const TLevelStartLesson* lesson = LevelStartLessonOf(level);
    if (lesson) {
        data.tipX = lesson->tipX;
        data.tipY = lesson->tipY;
        data.timeLimit = lesson->timeLimit;
        data.tipGlow = lesson->glow;
        const int sx = Grid ? Grid->sx : 0, sy = Grid ? Grid->sy : 0;
        if (lesson->arrowColumn >= 0) {
            data.arrowType = ArrowSmallImage;
            data.arrowX = CellArrowX(sx, lesson->arrowColumn);
            data.arrowY = CellArrowY(sy, lesson->arrowRow);
            data.arrowDirectionY = 1;
        } else if (lesson->stakeArrow) {
            data.arrowType = ArrowSmallImage;
            data.arrowX = sx + STAKE_ARROW_DX;
            data.arrowY = sy + STAKE_ARROW_DY;
            data.arrowDirectionY = 1;
        }
        int anchorY = 0;
        for (int row : lesson->goalRows) {
            const int y = ShowGoalArrowTip(row, GOAL_TIP_MS);
            if (row == lesson->anchorRow) anchorY = y;
        }
        if (lesson->anchorRow) data.tipY += anchorY;
    }
    if (!data.theText.empty()) CurrentTip += 1;
    CreateDynamicTipWrapper(data);
}

void TTutorial::ShowSwapCompleteTip() {
    if (!TipsOn() || BoardIsEnding() || CurrentTip != 1) return;
    const int level = Player->Level;
    TTipData data = LessonTexts(level, "b");
    const int row = FollowUpGoalRow(level);
    if (row || StartTipOnlyFades(level)) {
        if (Tips[0]) Tips[0]->StartFadeOut();
    }
    if (row) {
        const int y = ShowGoalArrowTip(row, GOAL_TIP_MS);
        data.tipX = 252;
        data.tipY = y - PANEL_ABOVE_GOAL_ARROW;
        data.timeLimit = GOAL_TIP_MS;
    } else if (StartTipOnlyFades(level)) {
        data.theText.clear();
    }
    KillTipGlowSprite();
    CurrentTip = 0;
    CreateDynamicTipWrapper(data);
}

void TTutorial::ShowNearlyDoneTip() {
    if (!TipsOn() || NearlyDoneShown) return;
    NearlyDoneShown = 1;
    const int level = Player->Level;
    const int row = FollowUpGoalRow(level);
    if (!row) return;
    FadeTips();
    TTipData data = LessonTexts(level, "c");
    data.tipX = 252;
    data.tipY = ShowGoalArrowTip(row, GOAL_TIP_MS) - PANEL_ABOVE_GOAL_ARROW;
    data.timeLimit = GOAL_TIP_MS;
    CreateDynamicTipWrapper(data);
}

void TTutorial::ShowGoalCompleteTip() {
    if (!TipsOn() || GoalCompleteShown) return;
    GoalCompleteShown = 1;
    const int level = Player->Level;
    if (!HasGoalCompleteLesson(level)) return;
    FadeTips();
    int y = 0;
    for (int row = 1; row <= 4; ++row)
        if (CanShowGoalTip(row)) y += ShowGoalArrowTip(row, GOAL_TIP_MS);
    TTipData data = LessonTexts(level, "c");
    data.tipX = 252;
    data.tipY = y - PANEL_ABOVE_GOAL_ARROW;
    data.timeLimit = GOAL_TIP_MS;
    CreateDynamicTipWrapper(data);
}

void TTutorial::ShowMagicTip() {
    if (Player->Level != MAGIC_LESSON_LEVEL || MagicTipShown) return;
    MagicTipShown = 1;
    if (!FirstTimeForPlayer(MAGIC_TIP_HINT)) return;
    FadeTips();
    TTipData data;
    data.theHeaderText = Text("Hint Magic Header");
    data.theText = Text("Hint Magic Body");
    data.tipX = MAGIC_TIP_X;
    data.tipY = MAGIC_TIP_Y;
    data.arrowType = ArrowSmallImage;
    const int sx = Grid ? Grid->sx : 0, sy = Grid ? Grid->sy : 0;
    data.arrowX = sx + STAKE_ARROW_DX;
    data.arrowY = sy + STAKE_ARROW_DY;
    data.arrowDirectionY = 1;
    data.timeLimit = GOAL_TIP_MS;
    CreateDynamicTipWrapper(data);
}

void TTutorial::ShowPumpkinTip() {
    if (Player->Level != PUMPKIN_LESSON_LEVEL || PumpkinTipShown) return;
    if (SaveData && SaveData->GetShopItemStatus(1) == ShopItem::PURCHASED) return;
    PumpkinTipShown = 1;
    if (!FirstTimeForPlayer(PUMPKIN_TIP_HINT)) return;
    FadeTips();
    TTipData data;
    data.arrowType = ArrowSmallImage;
    data.arrowX = PUMPKIN_ARROW_X;
    data.arrowY = PUMPKIN_ARROW_Y;
    data.arrowDirectionY = 1;
    CreateDynamicTipWrapper(data);
}

bool TTutorial::TipsOn() {
    return !SaveData || SaveData->showTips != 0;
}

bool TTutorial::FirstTimeForPlayer(int hint) {
    if (!Game || !Game->CurrentProfile) return true;
    return Game->CurrentProfile->ShowHint(hint, 1) != 0;
}
