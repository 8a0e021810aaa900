// Headless test fixture: the software renderer on SDL's dummy video driver,
// no audio device, and a fake clock that only moves when the test says so.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/Clock.h"
#include "engine/Pixmap.h"

namespace headless {

// Opens (once per process) a software-rendered window of the given physical
// size; later calls with another size reopen it. False when no video driver
// works at all.
bool OpenGraphics(int width = 1024, int height = 768);
// Default drawing state: solid blend, white, alpha 1, no transform, handle and
// origin at 0, the whole screen as viewport, virtual = physical size.
void ResetDrawingState();
// The picture drawn so far.
PixmapPtr ReadFrame();
// Saves the picture drawn so far as PNG under the test output folder (for
// looking at by eye); returns its path.
std::string SaveFrame(const std::string& name);
std::string OutputFolder();

// Colour channels of an ARGB pixel.
inline int Red(uint32_t argb) {
    return (argb >> 16) & 0xFF;
}
inline int Green(uint32_t argb) {
    return (argb >> 8) & 0xFF;
}
inline int Blue(uint32_t argb) {
    return argb & 0xFF;
}

}  // namespace headless

class HeadlessTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    FakeClock clock_;
};
