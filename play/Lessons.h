// The lesson plan of the early levels: which level shows which tip, where,
// with which arrow, and at which moment. The words come from the game text
// under keys built from the level number (LessonTextKey).
#pragma once

#include <string>
#include <vector>

// The tip a level opens with, once its intro has ended.
struct TLevelStartLesson {
    int level = 0;
    int tipX = 0, tipY = 0;  // the panel's top-left; with goal arrows, tipY is
                             // measured from the arrow of anchorRow
    // A board arrow (bouncing down) sits where the cell (arrowColumn, arrowRow)
    // meets the one below it: the two gems to swap. -1: no board arrow.
    int arrowColumn = -1, arrowRow = -1;
    int glow = 0;  // the glow marks the two cells
    // An arrow at the stake's slot instead (the magic-gem lesson).
    int stakeArrow = 0;
    // Goal rows that get an arrow, and the row the panel sits above (0: none).
    std::vector<int> goalRows;
    int anchorRow = 0;
    int timeLimit = 0;  // ms; 0: until the first swap or a click
};

// Every level that opens with a tip, in level order.
const std::vector<TLevelStartLesson>& LevelStartLessons();
// The lesson of this level, or null.
const TLevelStartLesson* LevelStartLessonOf(int level);

// The goal row the follow-up tip (after the first swap) and the nearly-done
// tip point at on this level; 0 when the level has none.
int FollowUpGoalRow(int level);
// Levels whose start tip just fades at the first swap, with no follow-up.
bool StartTipOnlyFades(int level);
// Levels with a tip when one goal of two is done.
bool HasGoalCompleteLesson(int level);
// The level that teaches magic gems (its tip shows when one is first freed).
constexpr int MAGIC_LESSON_LEVEL = 4;
// The level after which the shop points at its first bomb.
constexpr int PUMPKIN_LESSON_LEVEL = 2;

// "Hint " + level + stage + " Header" / " Body"; stage is "" (start), "b"
// (after the first swap) or "c" (nearly done, goal complete).
std::string LessonTextKey(int level, const std::string& stage, bool header);
// Every game text key the plan looks up.
std::vector<std::string> LessonTextKeys();

// Where the pieces of a lesson stand on the screen: a board arrow's centre
// for a board whose top-left is (sx, sy), a goal row's arrow, the panels that
// sit above a goal arrow, and the stake's arrow.
int CellArrowX(int sx, int column);
int CellArrowY(int sy, int row);
int GoalArrowY(int row);
constexpr int GOAL_ARROW_X = 192;
constexpr int PANEL_ABOVE_GOAL_ARROW = 88;
constexpr int STAKE_ARROW_DX = 43, STAKE_ARROW_DY = 584;
constexpr int MAGIC_TIP_X = 125, MAGIC_TIP_Y = 485;
constexpr int PUMPKIN_ARROW_X = 512, PUMPKIN_ARROW_Y = 620;
// Goal tips and their arrows stay this long.
constexpr int GOAL_TIP_MS = 5000;
