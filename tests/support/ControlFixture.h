// Controls driven through the real input path: events go into the system's
// queue, the frame reads them in its logic step and a test screen manages
// the controls in its Logic and draws them in its Draw.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "engine/Pixmap.h"
#include "support/FrameFixture.h"

class TScreen;

class ControlTest : public FrameTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The screen's Logic and Draw: the test's controls.
    std::function<void()> logic;
    std::function<void()> draw;

    // Moves the pointer and runs one step.
    void MouseTo(int x, int y);
    // Presses the left button at (x, y) for one step, then lets go for one.
    void Click(int x, int y);
    // The left button down (at the pointer) or up, then one step.
    void Button(bool down);
    // Turns the wheel (positive away from the player), then one step.
    void Wheel(int steps);
    // A key (by its system name, "Return", "Up") down for one step, up for one.
    void PressKey(const std::string& name);
    // Text as the system's text input hands it over, then one step per
    // character (the input takes one a step).
    void Type(const std::string& utf8);
    int SoundsPlaying();
    // Clears to grey and draws the screen; the picture drawn.
    PixmapPtr DrawFrame(int grey = 0);
    // The menu and sound folders and the fonts of the game's data folder.
    void UseGameData();

  private:
    std::shared_ptr<TScreen> screen_;
};
