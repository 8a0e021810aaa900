// The level-complete screen inside the whole program, headless: the player
// "Ada" wins a level of the real data set (its goals met at once, with the
// gold the test logs first), and input goes through the system's queue.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/Pixmap.h"
#include "play/LevelComplete.h"
#include "ui/DialogFixture.h"

class LevelCompleteTest : public DialogScreenTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Plays `level` with `unlocked` the newest open level: `during` runs
    // while the level is played (the gold it logs counts as the board's
    // would), then the level is won and its outro runs until the
    // level-complete screen shows.
    void Win(int level, int unlocked, const std::function<void()>& during = {});
    // Steps until the tally is in place (the profile is saved then).
    void WaitForRest();
    // Steps until the values have counted up.
    void WaitForCount();
    // From the resting tally: a click rolls it away and the buttons show.
    void RollUp();
    // Continue, and the steps until the next screen is current.
    void Continue();
    static TLevelCompleteScreen& Screen() { return *LevelCompleteScreen; }
    static std::vector<uint8_t> ProfileBytes();
    // What the player's file on disk holds.
    static int GoldOnDisk();
    static int CurrentLevelOnDisk();
    // The frame as the game draws it now.
    PixmapPtr Frame();
};
