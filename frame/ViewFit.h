// How the game's fixed 1024 x 768 area is shown in a window of any size and
// how window positions map back onto it; and where a remembered window may
// be placed again. Plain arithmetic: no library, no state, safe for any
// input (sizes of 0 or below give an empty, identity fit).
//
// Three fits:
// - letterbox (any window): the game area is scaled to fit, its shape kept;
//   the frame covers only the game area and the bars around it are painted
//   by the presentation;
// - widened (full screen with WideScreen): the virtual area is widened (or
//   heightened) to the screen's shape and the game area sits in its middle,
//   a pixel in on its long sides, the margins being part of the frame;
// - stretched (full screen without WideScreen): the game area fills the
//   screen as a 1024 x 768 mode would fill it.
//
// Units: window points are what the desktop reports mouse positions in;
// drawable pixels are what the frame is drawn at (twice as many a side on a
// display at scale 2).
#pragma once

#include <vector>

struct ViewRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool Contains(int px, int py) const {
        return px >= x && py >= y && px < x + width && py < y + height;
    }
};

struct ViewFit {
    int windowWidth = 0, windowHeight = 0;      // points
    int drawableWidth = 0, drawableHeight = 0;  // pixels
    // Where the frame is presented in the drawable, in pixels; the frame is
    // drawn at this size.
    ViewRect frame;
    // The virtual area that covers the frame, and where the game area starts
    // in it (non-zero only when widened).
    float virtualWidth = 0, virtualHeight = 0;
    float offsetX = 0, offsetY = 0;
    // The game area drawn one pixel in on its long sides when widened.
    ViewRect viewport;
    // Nothing to map: the frame is the game area, pixel for pixel, in a
    // window whose points are pixels.
    bool identity = true;
};

// The fit of a gameWidth x gameHeight game area into a window of the given
// size in points and pixels.
ViewFit FitView(int windowWidth, int windowHeight, int drawableWidth, int drawableHeight,
                int gameWidth, int gameHeight, bool fullScreen, bool wide);

// A position in the game area's virtual pixels, unrounded.
struct GamePoint {
    double x = 0, y = 0;
};
// A window position (points) in game-area coordinates; outside the game area
// they run below 0 or past its size.
GamePoint WindowToGame(const ViewFit& fit, double windowX, double windowY);
// A game-area position back to window points (the nearest one).
void GameToWindow(const ViewFit& fit, double gameX, double gameY, int& windowX, int& windowY);
// Virtual pixels of the game area per window point, across and down.
double GameUnitsPerPointX(const ViewFit& fit);
double GameUnitsPerPointY(const ViewFit& fit);

// A remembered window: its top-left corner and size in points; a size of 0
// means none was remembered.
struct WindowPlacement {
    int x = 0, y = 0, width = 0, height = 0;
};
// The remembered placement when it is sound on these displays (each a
// usable desktop area in points), else a default: the fallback size,
// centred on the first display (x and y of kCentred). Sound means: at least
// minWidth x minHeight and no larger than the display it is on, with its
// title strip (the top 32 points) on a display far enough to grab it.
// A remembered size that is sound but a position that is not keeps the size.
constexpr int kCentredPlacement = -0x7FFF;
WindowPlacement SafeWindowPlacement(const WindowPlacement& remembered,
                                    const std::vector<ViewRect>& displays, int fallbackWidth,
                                    int fallbackHeight, int minWidth, int minHeight);
