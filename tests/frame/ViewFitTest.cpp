// The game area in a window of any size: where the frame goes, how window
// positions map onto the 1024 x 768 area and back, and which remembered
// window placements are sound.
#include "frame/ViewFit.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int kGameWidth = 1024, kGameHeight = 768;

struct Probe {
    int windowX, windowY;
    int gameX, gameY;  // the nearest game pixel
};

struct FitCase {
    const char* name;
    int windowWidth, windowHeight, drawableWidth, drawableHeight;
    bool fullScreen, wide;
    ViewRect frame;
    std::vector<Probe> probes;
};

std::string Describe(const ViewRect& r) {
    return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
           std::to_string(r.height);
}

TEST(ViewFit, EveryWindowShowsTheGameAreaWhereThePointerFindsIt) {
    const std::vector<FitCase> cases = {
        {"native window",
         1024,
         768,
         1024,
         768,
         false,
         false,
         {0, 0, 1024, 768},
         {{0, 0, 0, 0}, {1023, 767, 1023, 767}}},
        {"wider window: bars left and right",
         1600,
         900,
         1600,
         900,
         false,
         false,
         {200, 0, 1200, 900},
         {{200, 0, 0, 0}, {800, 450, 512, 384}, {1399, 899, 1023, 767}, {100, 450, -85, 384}}},
        {"taller window: bars above and below",
         800,
         1000,
         800,
         1000,
         false,
         false,
         {0, 200, 800, 600},
         {{400, 500, 512, 384}, {0, 200, 0, 0}, {400, 100, 512, -128}, {799, 799, 1023, 767}}},
        {"odd size",
         1023,
         577,
         1023,
         577,
         false,
         false,
         {127, 0, 769, 577},
         {{127, 0, 0, 0}, {511, 288, 511, 383}, {895, 576, 1023, 767}}},
        {"smaller than the game, same shape",
         800,
         600,
         800,
         600,
         false,
         false,
         {0, 0, 800, 600},
         {{400, 300, 512, 384}, {799, 599, 1023, 767}}},
        {"scale 2: drawn at twice the points",
         800,
         600,
         1600,
         1200,
         false,
         false,
         {0, 0, 1600, 1200},
         {{400, 300, 512, 384}, {0, 0, 0, 0}, {799, 599, 1023, 767}}},
        {"scale 2, wider window",
         960,
         540,
         1920,
         1080,
         false,
         false,
         {240, 0, 1440, 1080},
         {{120, 0, 0, 0}, {480, 270, 512, 384}, {60, 270, -85, 384}}},
        {"WideScreen is a full-screen setting: a window keeps its bars",
         1600,
         900,
         1600,
         900,
         false,
         true,
         {200, 0, 1200, 900},
         {{800, 450, 512, 384}}},
        {"full screen, wide desktop, WideScreen",
         1920,
         1080,
         1920,
         1080,
         true,
         true,
         {0, 0, 1920, 1080},
         {{959, 540, 512, 384}, {0, 0, -170, 0}, {1919, 1079, 1195, 767}}},
        {"full screen, narrow desktop, WideScreen",
         1280,
         1024,
         1280,
         1024,
         true,
         true,
         {0, 0, 1280, 1024},
         {{640, 512, 512, 385}, {0, 0, 0, -25}}},
        {"full screen at scale 2, WideScreen",
         1920,
         1080,
         3840,
         2160,
         true,
         true,
         {0, 0, 3840, 2160},
         {{959, 540, 512, 384}, {0, 0, -170, 0}}},
        {"full screen without WideScreen: stretched",
         1920,
         1080,
         1920,
         1080,
         true,
         false,
         {0, 0, 1920, 1080},
         {{960, 540, 512, 384}, {1919, 1079, 1023, 767}}},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ViewFit fit =
            FitView(c.windowWidth, c.windowHeight, c.drawableWidth, c.drawableHeight, kGameWidth,
                    kGameHeight, c.fullScreen, c.wide);
        EXPECT_EQ(Describe(fit.frame), Describe(c.frame)) << "the frame in the drawable";
        EXPECT_TRUE(fit.frame.x >= 0 && fit.frame.y >= 0 &&
                    fit.frame.x + fit.frame.width <= c.drawableWidth &&
                    fit.frame.y + fit.frame.height <= c.drawableHeight)
            << "the frame lies within the drawable";
        if (!(c.fullScreen && !c.wide)) {
            // Kept shape: one game pixel is as wide as it is high on screen.
            const double across = fit.frame.width / fit.virtualWidth;
            const double down = fit.frame.height / fit.virtualHeight;
            EXPECT_NEAR(across / down, 1.0, 0.005) << "the game area keeps its shape";
        }
        for (const Probe& p : c.probes) {
            const GamePoint at = WindowToGame(fit, p.windowX, p.windowY);
            EXPECT_EQ(std::lround(at.x), p.gameX)
                << "from window " << p.windowX << "," << p.windowY;
            EXPECT_EQ(std::lround(at.y), p.gameY)
                << "from window " << p.windowX << "," << p.windowY;
        }
        EXPECT_EQ(fit.identity, std::string(c.name) == "native window");
    }
}

TEST(ViewFit, WideFullScreenCentresTheGameAreaAsTheDesktopModeDid) {
    const ViewFit wide = FitView(1920, 1080, 1920, 1080, kGameWidth, kGameHeight, true, true);
    EXPECT_NEAR(wide.virtualWidth, 1365.333f, 1e-3);
    EXPECT_EQ(wide.offsetX, 170);
    EXPECT_EQ(Describe(wide.viewport), "171,0 1022x768") << "a pixel in on the long sides";
    const ViewFit tall = FitView(1280, 1024, 1280, 1024, kGameWidth, kGameHeight, true, true);
    EXPECT_EQ(tall.offsetY, 25);
    EXPECT_EQ(Describe(tall.viewport), "0,26 1024x766");
    const ViewFit exact = FitView(1024, 768, 1024, 768, kGameWidth, kGameHeight, true, true);
    EXPECT_EQ(exact.offsetX, 0) << "a 4:3 desktop has no margins";
    EXPECT_EQ(Describe(exact.viewport), "0,0 1024x768");
}

TEST(ViewFit, WindowPositionsAndGamePositionsMapBothWays) {
    const std::vector<ViewFit> fits = {
        FitView(1600, 900, 1600, 900, kGameWidth, kGameHeight, false, false),
        FitView(777, 1234, 777, 1234, kGameWidth, kGameHeight, false, false),
        FitView(960, 540, 1920, 1080, kGameWidth, kGameHeight, false, false),
        FitView(1920, 1080, 3840, 2160, kGameWidth, kGameHeight, true, true),
        FitView(1280, 1024, 1280, 1024, kGameWidth, kGameHeight, true, false),
    };
    for (size_t i = 0; i < fits.size(); ++i) {
        SCOPED_TRACE(i);
        const ViewFit& fit = fits[i];
        for (int gx : {0, 1, 333, 512, 1023}) {
            for (int gy : {0, 384, 767}) {
                int wx = 0, wy = 0;
                GameToWindow(fit, gx, gy, wx, wy);
                const GamePoint back = WindowToGame(fit, wx, wy);
                // Within the half window point the rounding may cost.
                EXPECT_NEAR(back.x, gx, GameUnitsPerPointX(fit) / 2 + 1e-9) << gx << "," << gy;
                EXPECT_NEAR(back.y, gy, GameUnitsPerPointY(fit) / 2 + 1e-9) << gx << "," << gy;
            }
        }
    }
}

TEST(ViewFit, NonsenseSizesGiveAUsableFit) {
    for (auto [w, h, dw, dh] :
         {std::array{0, 0, 0, 0}, std::array{-5, 10, 0, 0}, std::array{1, 1, 1, 1},
          std::array{100, 100, -1, -1}, std::array{INT_MAX / 2, 3, INT_MAX / 2, 3}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        for (bool fullScreen : {false, true}) {
            const ViewFit fit = FitView(w, h, dw, dh, kGameWidth, kGameHeight, fullScreen, true);
            EXPECT_GT(fit.frame.width, 0);
            EXPECT_GT(fit.frame.height, 0);
            const GamePoint at = WindowToGame(fit, 0, 0);
            EXPECT_TRUE(std::isfinite(at.x) && std::isfinite(at.y));
        }
    }
}

// ------------------------------------------------------------ placement

struct PlacementCase {
    const char* name;
    WindowPlacement remembered;
    WindowPlacement expected;
};

TEST(WindowPlacement, ASoundPlacementIsKeptAndAnythingElseFallsBackSafely) {
    const std::vector<ViewRect> displays = {{0, 0, 1920, 1050}, {1920, 0, 1280, 1024}};
    constexpr int C = kCentredPlacement;
    const std::vector<PlacementCase> cases = {
        {"kept", {100, 50, 1200, 900}, {100, 50, 1200, 900}},
        {"kept on the second display", {2000, 10, 1000, 750}, {2000, 10, 1000, 750}},
        {"partly off the side, still grabbable", {1800, 100, 800, 600}, {1800, 100, 800, 600}},
        {"nothing remembered", {0, 0, 0, 0}, {C, C, 1024, 768}},
        {"negative size", {10, 10, -800, -600}, {C, C, 1024, 768}},
        {"huge size", {0, 0, 100000, 90000}, {C, C, 1024, 768}},
        {"below the smallest size", {10, 10, 100, 80}, {C, C, 1024, 768}},
        {"off every display keeps its size", {-5000, 20000, 800, 600}, {C, C, 800, 600}},
        {"title bar above the display", {100, -200, 800, 600}, {C, C, 800, 600}},
        {"extreme numbers", {INT_MAX, INT_MIN, INT_MAX, INT_MAX}, {C, C, 1024, 768}},
        {"across two displays", {1900, 100, 800, 600}, {1900, 100, 800, 600}},
        {"only its corner on a display", {-790, 100, 800, 600}, {C, C, 800, 600}},
    };
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.name);
        const WindowPlacement got =
            SafeWindowPlacement(c.remembered, displays, 1024, 768, 320, 240);
        EXPECT_EQ(got.x, c.expected.x);
        EXPECT_EQ(got.y, c.expected.y);
        EXPECT_EQ(got.width, c.expected.width);
        EXPECT_EQ(got.height, c.expected.height);
    }
}

TEST(WindowPlacement, TheFallbackFitsASmallDisplayAndNoDisplayAtAll) {
    const WindowPlacement small = SafeWindowPlacement({}, {{0, 0, 800, 560}}, 1024, 768, 320, 240);
    EXPECT_EQ(small.width, 800);
    EXPECT_EQ(small.height, 560);
    const WindowPlacement none = SafeWindowPlacement({5, 5, 640, 480}, {}, 1024, 768, 320, 240);
    EXPECT_EQ(none.x, kCentredPlacement);
    EXPECT_EQ(none.width, 1024);
}

}  // namespace
