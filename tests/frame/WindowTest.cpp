// The game's window as the player handles it: resized to any shape, left
// minimised, closed and opened again where it was.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/Files.h"
#include "engine/Graphics.h"
#include "engine/Input.h"
#include "frame/IniFile.h"
#include "frame/MousePointer.h"
#include "support/FrameFixture.h"

namespace {

class WindowTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        Game->FullScreen = 0;
        Game->FirstTime = 0;
        Game->DesktopWidth = 1920;
        Game->DesktopHeight = 1080;
        Game->DesktopRefreshRate = 60;
    }
    void TearDown() override {
        // Later tests expect the usual window.
        headless::OpenGraphics(1024, 768);
        SetWindowSize(1024, 768);
        FrameTest::TearDown();
    }
    void Press(int x, int y) {
        InjectMouseMove(x, y);
        InjectMouseButton(1, true, x, y);
        Game->DoPeekEvent();
    }
    void Release(int x, int y) {
        InjectMouseButton(1, false, x, y);
        Game->DoPeekEvent();
        Game->DoPeekEvent();
        Game->Mouse->ClearMouseHit();
    }
    // The settings as a later run of the game reads them.
    std::unique_ptr<TGame> NextRun() {
        auto next = std::make_unique<TGame>();
        next->Ini->FileName = Game->Ini->FileName;
        next->IniFill();
        next->Ini->Load();
        next->IniExtract();
        return next;
    }
    // A later run opening its window (not full screen) on a 1920 x 1080 desktop.
    void OpenTheNextRunsWindow() {
        Game = NextRun();
        Game->FullScreen = 0;
        Game->FirstTime = 0;
        Game->DesktopWidth = 1920;
        Game->DesktopHeight = 1080;
        Game->GraphicsCreate(0);
    }
};

TEST_F(WindowTest, AResizedWindowKeepsTheGameShapeAndTheMouseFindsItsPixels) {
    Game->GraphicsCreate(0);
    EXPECT_EQ(Game->UsingVirtualResolution, 0) << "the game's own size needs no mapping";

    SetWindowSize(1600, 900);
    Game->ScreenDraw();
    EXPECT_EQ(GraphicsWidth(), 1200) << "drawn at the size it is shown: sharp";
    EXPECT_EQ(GraphicsHeight(), 900);
    EXPECT_EQ(Game->UsingVirtualResolution, 1);
    InjectMouseMove(800, 450);
    Game->DoPeekEvent();
    EXPECT_EQ(Game->Mouse->x, 512);
    EXPECT_EQ(Game->Mouse->y, 384);

    Press(100, 450);
    EXPECT_EQ(Game->Mouse->h1, 0) << "a press on the bar beside the game is no click";
    EXPECT_LT(Game->Mouse->x, 0) << "and the pointer is off the game area";
    Release(100, 450);
    Press(1399, 899);
    EXPECT_EQ(Game->Mouse->h1, 1) << "the game's bottom-right pixel takes clicks";
    EXPECT_EQ(Game->Mouse->x, 1023);
    EXPECT_EQ(Game->Mouse->y, 767);
    Release(1399, 899);

    // Drawing fills the frame: the game's corners are its corners.
    SetClsColor(0, 0, 0);
    Cls();
    SetBlend(SOLIDBLEND);
    SetAlpha(1);
    SetColor(255, 0, 0);
    DrawRect(1014, 758, 10, 10);
    PixmapPtr frame = ReadBackBuffer();
    ASSERT_TRUE(frame);
    const headless::InkBox red =
        headless::FindInk(*frame, [](uint32_t argb) { return headless::Red(argb) > 128; });
    EXPECT_NEAR(red.right, 1199, 1) << "in the frame's corner";
    EXPECT_NEAR(red.bottom, 899, 1);
    EXPECT_NEAR(red.Width(), 12, 1) << "10 game pixels at 1.17 frame pixels each";
    EXPECT_NEAR(red.bottom - red.top + 1, 12, 1) << "as high as wide: the shape is kept";
    SetColor(255, 255, 255);

    SetWindowSize(700, 1000);
    Game->ScreenDraw();
    EXPECT_EQ(GraphicsWidth(), 700);
    EXPECT_EQ(GraphicsHeight(), 525);
    Press(350, 100);
    EXPECT_EQ(Game->Mouse->h1, 0) << "nor is a press on the bar above it";
    Release(350, 100);

    SetWindowSize(1024, 768);
    Game->ScreenDraw();
    EXPECT_EQ(Game->UsingVirtualResolution, 0) << "back to pixel for pixel";
    EXPECT_EQ(GraphicsWidth(), 1024);
}

TEST_F(WindowTest, AMinimisedWindowDrawsNoFrame) {
    Game->GraphicsCreate(0);
    const long before = PresentedFrames();
    Game->ScreenDraw();
    EXPECT_EQ(PresentedFrames(), before + 1);

    InjectWindowMinimised(true);
    Steps(1);
    EXPECT_EQ(Game->Suspended, 1) << "the game stands still while minimised";
    for (int i = 0; i < 3; ++i)
        Game->ScreenDraw();
    EXPECT_EQ(PresentedFrames(), before + 1) << "nothing presented while minimised";

    InjectWindowMinimised(false);
    Steps(1);
    Game->ScreenDraw();
    EXPECT_EQ(PresentedFrames(), before + 2) << "drawing resumes with the window";
}

TEST_F(WindowTest, TheWindowOpensAgainWhereThePlayerLeftIt) {
    Game->WindowPlaceX = 40;
    Game->WindowPlaceY = 30;
    Game->WindowPlaceWidth = 800;
    Game->WindowPlaceHeight = 500;
    Game->GraphicsCreate(0);
    int x = 0, y = 0, width = 0, height = 0;
    GetWindowSize(width, height);
    GetWindowPosition(x, y);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 500);
    EXPECT_EQ(x, 40);
    EXPECT_EQ(y, 30);

    // Moved and resized, then the game ends.
    SetWindowSize(900, 640);
    SetWindowPosition(12, 34);
    Game->RememberWindowPlacement();
    EXPECT_EQ(ReadIniValue(Game->SettingsPath(), "Window Width"), "900");
    std::unique_ptr<TGame> next = NextRun();
    EXPECT_EQ(next->WindowPlaceX, 12);
    EXPECT_EQ(next->WindowPlaceY, 34);
    EXPECT_EQ(next->WindowPlaceWidth, 900);
    EXPECT_EQ(next->WindowPlaceHeight, 640);
    EXPECT_EQ(next->SoundVolume, Game->SoundVolume) << "the other settings read as before";
}

TEST_F(WindowTest, ADamagedOrAbsurdPlacementOpensTheUsualWindow) {
    const std::string cases[] = {
        "WINDOW X=10\r\nWINDOW Y=10\r\nWINDOW WIDTH=-800\r\nWINDOW HEIGHT=-600\r\n",
        "WINDOW X=0\r\nWINDOW Y=0\r\nWINDOW WIDTH=99999999999\r\nWINDOW HEIGHT=2000000\r\n",
        "WINDOW X=tall\r\nWINDOW Y=\r\nWINDOW WIDTH=wide\r\nWINDOW HEIGHT=\xff\xfe\r\n",
        "WINDOW X=100\r\nWINDOW Y=100\r\nWINDOW WIDTH=3\r\nWINDOW HEIGHT=2\r\n",
        // No such keys at all: a file from before they existed.
        "SOUND VOLUME=40\r\n",
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(SaveTextSafely(Game->SettingsPath(), text));
        OpenTheNextRunsWindow();
        int width = 0, height = 0;
        GetWindowSize(width, height);
        EXPECT_EQ(width, 1024);
        EXPECT_EQ(height, 768);
        EXPECT_TRUE(GraphicsOpen());
    }

    // Off every display: the size is kept, the window comes back centred.
    ASSERT_TRUE(SaveTextSafely(Game->SettingsPath(),
                               "WINDOW X=-30000\r\nWINDOW Y=25000\r\nWINDOW WIDTH=640\r\n"
                               "WINDOW HEIGHT=480\r\n"));
    OpenTheNextRunsWindow();
    int x = 0, y = 0, width = 0, height = 0;
    GetWindowSize(width, height);
    GetWindowPosition(x, y);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    const std::vector<DisplayArea> displays = DisplayAreas();
    ASSERT_FALSE(displays.empty());
    EXPECT_GE(x, displays[0].x);
    EXPECT_GE(y, displays[0].y);
    EXPECT_LE(x + width, displays[0].x + displays[0].width);
}

}  // namespace
