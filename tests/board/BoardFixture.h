// A board set up from level text, with helpers to lay gems out by letters,
// press and release the mouse over cells, and run logic steps.
#pragma once

#include <string>
#include <vector>

#include "board/Grid.h"
#include "support/FrameFixture.h"

// A new level screen, player, save data, empty gem list and particle layers:
// what a test of the board or of play starts from, whatever earlier tests
// left behind.
void FreshPlayObjects();

// The score picture made last (in particle layer 6): the points it shows and
// where it starts rising; 0 points when there is none. Without loaded images
// the score pictures are stand-ins told apart by their place in ScoreImages.
struct TShownScore {
    int points = 0;
    float x = 0, y = 0;
};
TShownScore LastScorePicture();

class BoardTest : public FrameTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A level of the given layout rows ("1" cell, "0" hole, "2"/"3" armour)
    // with the default goals and colours 1..6.
    void LoadLayout(const std::vector<std::string>& rows, const std::string& extraBlocks = "");
    // Puts gems on the board: one character per column, '1'..'9' and
    // 'a'..'d' for types 1..13, 'S' skull, 'B' pumpkin bomb, 'C' coin,
    // 'L' a locked type 1, '.' no gem.
    void PlaceGems(const std::vector<std::string>& rows);
    // Mouse over the centre of a cell, pressed or released.
    void MouseAt(int column, int row);
    void Press();
    void Release();
    void Click(int column, int row);
    void Steps(int count);
    void StepsUntilStill(int limit = 2000);
    int TypeAt(int column, int row) const;
    std::string Row(int row) const;
};
