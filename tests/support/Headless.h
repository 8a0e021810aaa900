// Headless test fixture: the software renderer on SDL's dummy video driver,
// no audio device, and a fake clock that only moves when the test says so.
#pragma once

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

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

// The bounding box of the pixels a predicate calls ink; right -1 when none.
struct InkBox {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    bool Any() const { return right >= 0; }
    int Width() const { return right - left + 1; }
    float CentreX() const { return (left + right + 1) / 2.0f; }
    std::vector<int> Edges() const { return {left, top, right, bottom}; }
};
// Searches the rectangle (x0, y0)-(x1, y1) inclusive, clipped to the frame;
// x1 or y1 below 0 mean the frame's last column or row.
InkBox FindInk(const TPixmap& frame, const std::function<bool(uint32_t argb)>& isInk, int x0 = 0,
               int y0 = 0, int x1 = -1, int y1 = -1);

}  // namespace headless

class HeadlessTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    FakeClock clock_;
};
