#include "frame/ViewFit.h"

#include <algorithm>
#include <cmath>

namespace {

// Sizes are held within a billion so that any input converts to int safely.
constexpr double kLargest = 1e9;

// The widened area of a full-width or full-height game area: the long side
// floored below its exact length and made even, so the game area sits an
// exact number of pixels in.
int EvenBelow(double size) {
    const int whole = static_cast<int>(std::floor(std::clamp(size - 1, -kLargest, kLargest)));
    return whole % 2 == 1 ? whole - 1 : whole;
}

int NearestInt(double value) {
    return static_cast<int>(std::floor(std::clamp(value + 0.5, -kLargest, kLargest)));
}

void FitWidened(ViewFit& fit, int gameWidth, int gameHeight) {
    fit.frame = {0, 0, fit.drawableWidth, fit.drawableHeight};
    const double gameAspect = static_cast<double>(gameWidth) / gameHeight;
    const double aspect = static_cast<double>(fit.drawableWidth) / fit.drawableHeight;
    double width = gameWidth, height = gameHeight;
    if (aspect >= gameAspect) {
        width = aspect / gameAspect * gameWidth;
    } else {
        height = gameAspect / aspect * gameHeight;
    }
    fit.virtualWidth = static_cast<float>(width);
    fit.virtualHeight = static_cast<float>(height);
    if (width > gameWidth) fit.offsetX = static_cast<float>((EvenBelow(width) - gameWidth) / 2);
    if (height > gameHeight) fit.offsetY = static_cast<float>((EvenBelow(height) - gameHeight) / 2);
    fit.offsetX = std::max(fit.offsetX, 0.0f);
    fit.offsetY = std::max(fit.offsetY, 0.0f);
    if (fit.offsetX > 0) {
        fit.viewport = {NearestInt(fit.offsetX) + 1, 0, gameWidth - 2, gameHeight};
    } else if (fit.offsetY > 0) {
        fit.viewport = {0, NearestInt(fit.offsetY) + 1, gameWidth, gameHeight - 2};
    }
}

void FitLetterbox(ViewFit& fit, int gameWidth, int gameHeight) {
    const double scale = std::min(static_cast<double>(fit.drawableWidth) / gameWidth,
                                  static_cast<double>(fit.drawableHeight) / gameHeight);
    const int width = std::clamp(NearestInt(gameWidth * scale), 1, fit.drawableWidth);
    const int height = std::clamp(NearestInt(gameHeight * scale), 1, fit.drawableHeight);
    fit.frame = {(fit.drawableWidth - width) / 2, (fit.drawableHeight - height) / 2, width, height};
}

}  // namespace

ViewFit FitView(int windowWidth, int windowHeight, int drawableWidth, int drawableHeight,
                int gameWidth, int gameHeight, bool fullScreen, bool wide) {
    ViewFit fit;
    if (gameWidth <= 0 || gameHeight <= 0) return fit;
    // A window the desktop did not size yet is taken at the game's size.
    if (windowWidth <= 0 || windowHeight <= 0) {
        windowWidth = gameWidth;
        windowHeight = gameHeight;
    }
    if (drawableWidth <= 0 || drawableHeight <= 0) {
        drawableWidth = windowWidth;
        drawableHeight = windowHeight;
    }
    fit.windowWidth = windowWidth;
    fit.windowHeight = windowHeight;
    fit.drawableWidth = drawableWidth;
    fit.drawableHeight = drawableHeight;
    fit.virtualWidth = static_cast<float>(gameWidth);
    fit.virtualHeight = static_cast<float>(gameHeight);
    fit.viewport = {0, 0, gameWidth, gameHeight};
    if (!fullScreen) {
        FitLetterbox(fit, gameWidth, gameHeight);
    } else if (wide) {
        FitWidened(fit, gameWidth, gameHeight);
    } else {
        fit.frame = {0, 0, drawableWidth, drawableHeight};
    }
    fit.identity = fit.frame.x == 0 && fit.frame.y == 0 && fit.frame.width == gameWidth &&
                   fit.frame.height == gameHeight && fit.offsetX == 0 && fit.offsetY == 0 &&
                   fit.virtualWidth == gameWidth && fit.virtualHeight == gameHeight &&
                   drawableWidth == windowWidth && drawableHeight == windowHeight;
    return fit;
}

double GameUnitsPerPointX(const ViewFit& fit) {
    if (fit.frame.width <= 0 || fit.windowWidth <= 0) return 1;
    return static_cast<double>(fit.virtualWidth) * fit.drawableWidth /
           (static_cast<double>(fit.frame.width) * fit.windowWidth);
}

double GameUnitsPerPointY(const ViewFit& fit) {
    if (fit.frame.height <= 0 || fit.windowHeight <= 0) return 1;
    return static_cast<double>(fit.virtualHeight) * fit.drawableHeight /
           (static_cast<double>(fit.frame.height) * fit.windowHeight);
}

GamePoint WindowToGame(const ViewFit& fit, double windowX, double windowY) {
    if (fit.identity || fit.windowWidth <= 0 || fit.windowHeight <= 0) return {windowX, windowY};
    const double frameX = static_cast<double>(fit.frame.x) * fit.windowWidth / fit.drawableWidth;
    const double frameY = static_cast<double>(fit.frame.y) * fit.windowHeight / fit.drawableHeight;
    return {(windowX - frameX) * GameUnitsPerPointX(fit) - fit.offsetX,
            (windowY - frameY) * GameUnitsPerPointY(fit) - fit.offsetY};
}

void GameToWindow(const ViewFit& fit, double gameX, double gameY, int& windowX, int& windowY) {
    if (fit.identity || fit.windowWidth <= 0 || fit.windowHeight <= 0) {
        windowX = NearestInt(gameX);
        windowY = NearestInt(gameY);
        return;
    }
    const double frameX = static_cast<double>(fit.frame.x) * fit.windowWidth / fit.drawableWidth;
    const double frameY = static_cast<double>(fit.frame.y) * fit.windowHeight / fit.drawableHeight;
    windowX = NearestInt((gameX + fit.offsetX) / GameUnitsPerPointX(fit) + frameX);
    windowY = NearestInt((gameY + fit.offsetY) / GameUnitsPerPointY(fit) + frameY);
}

namespace {

// The strip along the window's top that the desktop's title bar grabs.
constexpr int kTitleStrip = 32;
// How much of that strip must lie on a display for a player to reach it.
constexpr int kGrabbableWidth = 96;

bool SizeFits(const WindowPlacement& placement, const ViewRect& display, int minWidth,
              int minHeight) {
    return placement.width >= minWidth && placement.height >= minHeight &&
           placement.width <= display.width && placement.height <= display.height;
}

bool TitleStripOn(const WindowPlacement& placement, const ViewRect& display) {
    // 64-bit: remembered positions may be anything a file held.
    const long long left = std::max<long long>(placement.x, display.x);
    const long long right =
        std::min<long long>(static_cast<long long>(placement.x) + placement.width,
                            static_cast<long long>(display.x) + display.width);
    const long long top = placement.y,
                    bottomLimit = static_cast<long long>(display.y) + display.height;
    return right - left >= std::min(kGrabbableWidth, placement.width) && top >= display.y &&
           top + kTitleStrip <= bottomLimit;
}

}  // namespace

WindowPlacement SafeWindowPlacement(const WindowPlacement& remembered,
                                    const std::vector<ViewRect>& displays, int fallbackWidth,
                                    int fallbackHeight, int minWidth, int minHeight) {
    WindowPlacement placement{kCentredPlacement, kCentredPlacement, fallbackWidth, fallbackHeight};
    if (displays.empty()) return placement;
    const ViewRect& first = displays.front();
    for (const ViewRect& display : displays) {
        if (SizeFits(remembered, display, minWidth, minHeight) && TitleStripOn(remembered, display))
            return remembered;
    }
    // Keep a sound size for the centred window when a display can hold it.
    if (SizeFits(remembered, first, minWidth, minHeight)) {
        placement.width = remembered.width;
        placement.height = remembered.height;
    }
    // The fallback itself must fit the display too.
    placement.width = std::clamp(placement.width, std::min(minWidth, first.width), first.width);
    placement.height =
        std::clamp(placement.height, std::min(minHeight, first.height), first.height);
    return placement;
}
