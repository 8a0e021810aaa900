// The mouse pointer's state and drawing, and the debug overlay.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "engine/Files.h"
#include "engine/Graphics.h"
#include "engine/Input.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"
#include "support/Fatal.h"
#include "support/Headless.h"
#include "support/ScopedGame.h"

namespace {

TEST(MousePointerState, AClickIsConsumedByItsFirstReader) {
    TMousePointer mouse;
    mouse.b1 = 1;
    mouse.h1 = 1;
    mouse.b3 = 1;
    mouse.CalcButtonTotals();
    EXPECT_EQ(mouse.GetMb(), 2);
    EXPECT_EQ(mouse.GetMh(0), 1) << "a look without clearing";
    EXPECT_EQ(mouse.GetMh(1), 1) << "the first reader sees the click";
    EXPECT_EQ(mouse.GetMh(1), 0) << "the second does not";
    EXPECT_EQ(mouse.h1, 0);
    EXPECT_EQ(mouse.GetMb(), 2) << "held buttons stay held";

    mouse.h2 = 2;
    mouse.h3 = 1;
    mouse.CalcButtonTotals();
    EXPECT_EQ(mouse.mh, 3);
    mouse.ClearButtons();
    EXPECT_EQ(mouse.b1 + mouse.b2 + mouse.b3 + mouse.mb, 0);
    EXPECT_EQ(mouse.h1 + mouse.h2 + mouse.h3 + mouse.mh, 0);
}

// Restores a global when the test ends.
template <typename T>
struct Preserve {
    explicit Preserve(T& value) : ref(value), saved(value) {}
    ~Preserve() { ref = saved; }
    T& ref;
    T saved;
};

// A game object with a pointer image on disk and fatal errors that throw.
class PointerTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        std::string pattern = ::testing::TempDir() + "hollowmere_pointer_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        game_.ImagePath = root_ + "/";
        FatalErrorHook = [](const std::string& message) { throw FatalError(message); };
        FatalErrorShowsBox = false;
        ErrorLogEnabled = 0;
        PixmapPtr red = TPixmap::Create(8, 6);
        red->ClearPixels(0xFFFF0000u);
        ASSERT_TRUE(SavePixmapPNG(*red, root_ + "/pointer.png", 1));
        SetClsColor(0, 0, 0);
        Cls();
    }

    void TearDown() override {
        DeleteDir(root_, true);
        HeadlessTest::TearDown();
    }

    static uint32_t Pixel(int x, int y) {
        return headless::ReadFrame()->ReadPixel(x, y) & 0xFFFFFFu;
    }
    // Half-dimmed light grey, within the rounding of 8-bit blending.
    static bool UnderPanel(int x, int y) {
        const uint32_t pixel = Pixel(x, y);
        return std::abs(headless::Red(pixel) - 100) <= 2 &&
               headless::Red(pixel) == headless::Blue(pixel);
    }

    Preserve<std::function<void(const std::string&)>> hook{FatalErrorHook};
    Preserve<bool> showsBox{FatalErrorShowsBox};
    Preserve<int> logEnabled{ErrorLogEnabled};
    std::string root_;
    ScopedGame scopedGame_;
    TGame& game_ = *Game;
};

TEST_F(PointerTest, LoadsAndDrawsOnlyWhenOnAndCustom) {
    TMousePointer& mouse = *game_.Mouse;
    mouse.offsetx = 4;
    mouse.Load("pointer");
    ASSERT_TRUE(mouse.Image);
    EXPECT_EQ(mouse.w, 8);
    EXPECT_EQ(mouse.h, 6);
    mouse.x = 100;
    mouse.y = 50;
    int userDraws = 0;
    mouse.UserDraw = [&](int x, int y) {
        ++userDraws;
        EXPECT_EQ(x, 100);
        EXPECT_EQ(y, 50);
    };
    mouse.Draw();
    EXPECT_EQ(Pixel(96, 50), 0xFF0000u) << "the hot spot is 4 pixels in";
    EXPECT_EQ(Pixel(103, 55), 0xFF0000u);
    EXPECT_EQ(Pixel(104, 50), 0u);
    EXPECT_EQ(userDraws, 1);
    EXPECT_EQ(GetRotation(), 0);

    Cls();
    mouse.Off();
    mouse.Draw();
    game_.CustomMousePointer = 0;
    mouse.On();
    mouse.Draw();
    EXPECT_EQ(Pixel(100, 50), 0u) << "off, then the system pointer: nothing drawn";
    EXPECT_EQ(userDraws, 2) << "the extra drawing runs whenever the pointer is on";

    // Without an image a single pixel marks the position.
    mouse.Image.reset();
    SetColor(255, 255, 255);
    mouse.Draw();
    EXPECT_EQ(Pixel(100, 50), 0xFFFFFFu);
    EXPECT_EQ(Pixel(101, 50), 0u);

    mouse.Ext = ".jpg";
    try {
        mouse.Load("pointer");
        ADD_FAILURE() << "a missing pointer image is fatal";
    } catch (const FatalError& error) {
        EXPECT_EQ(std::string(error.what()), "Error loading bitmap " + root_ + "/pointer.jpg");
    }
}

TEST_F(PointerTest, WindowedDrawFollowsTheSystemPointerInVirtualPixels) {
    TMousePointer& mouse = *game_.Mouse;
    mouse.Active = 0;
    MovePointer(201, 100);
    game_.FullScreen = 1;
    mouse.Draw();
    EXPECT_EQ(mouse.x, 0) << "full screen: the frame's events place the pointer";
    game_.FullScreen = 0;
    mouse.Draw();
    EXPECT_EQ(mouse.x, 201);
    EXPECT_EQ(mouse.y, 100);
    // A 2048 x 512 screen filled by the game: half a game pixel a point
    // across, one and a half down.
    game_.UsingVirtualResolution = 1;
    game_.View = FitView(2048, 512, 2048, 512, 1024, 768, true, false);
    mouse.UpdateCoords();
    EXPECT_EQ(mouse.x, 101) << "100.5 rounds up";
    EXPECT_EQ(mouse.y, 150);
}

TEST_F(PointerTest, DebugOverlayPanelCoversItsLines) {
    game_.DebugDisplayX = 5;
    game_.DebugDisplayY = 5;
    game_.DebugPanel = 0.5f;
    SetClsColor(200, 200, 200);
    Cls();
    game_.DebugPrint();
    EXPECT_EQ(Pixel(300, 100), 0xC8C8C8u) << "switched off: nothing drawn";

    game_.Debug = 1;
    game_.DebugShowFPSOnly = 1;
    game_.FPS->Init();
    game_.DebugPrint();
    EXPECT_EQ(game_.FPS->counter, 1) << "each drawn frame is counted";
    EXPECT_TRUE(UnderPanel(300, 20)) << "one line: panel 22 high";
    EXPECT_EQ(Pixel(300, 30), 0xC8C8C8u);

    Cls();
    game_.DebugShowFPSOnly = 0;
    game_.DebugPrint();
    // 37 lines: the panel runs from y 0 to 453, 350 wide.
    EXPECT_TRUE(UnderPanel(300, 453));
    EXPECT_EQ(Pixel(300, 460), 0xC8C8C8u);
    EXPECT_TRUE(UnderPanel(349, 200));
    EXPECT_EQ(Pixel(350, 200), 0xC8C8C8u);
    EXPECT_EQ(GetAlpha(), 1.0f);

    Cls();
    game_.GraphicPlacement = 1;
    game_.DebugPrint();
    EXPECT_TRUE(UnderPanel(300, 470)) << "two more lines with graphic placement";
    // Text was drawn into the panel: some white pixels on the first lines.
    PixmapPtr frame = headless::ReadFrame();
    int white = 0;
    for (int y = 5; y < 40; ++y) {
        for (int x = 5; x < 200; ++x)
            white += (frame->ReadPixel(x, y) & 0xFFFFFFu) == 0xFFFFFFu;
    }
    EXPECT_GT(white, 20);
}

}  // namespace
