// A shipped level inside the whole program, headless, played by a player
// with a profile on disk: input through the system's queue, the fake clock,
// frames read back. Used by the tutorial, in-game menu and instructions tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/DialogFixture.h"

class LevelTest : public DialogScreenTest {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Goes to the level play screen at this level, as the map would, with
    // the tips switch as given, and waits until the intro has ended.
    void Play(int level, bool tips, bool timed = true);
    // Steps until the level is in play (intro over, screen faded in).
    bool WaitForPlay();
    static bool InPlay();
    // A click in the middle of a board cell.
    void ClickCell(int column, int row);
    // The bytes of the player's profile file.
    static std::vector<uint8_t> ProfileBytes();
    // An int of the profile file at a byte offset.
    static int32_t ProfileInt(size_t offset);
    // Draws the current screen and saves it to look at.
    void SaveShot(const std::string& name);
};
