// The display settings as the player sees them: full screen with and without
// WideScreen on a wide desktop, the pointer following the picture, and the
// toggles that must not act.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/Graphics.h"
#include "engine/Input.h"
#include "frame/IniFile.h"
#include "frame/MousePointer.h"
#include "frame/Screen.h"
#include "support/FrameFixture.h"

namespace fs = std::filesystem;

namespace {

bool White(uint32_t argb) {
    return headless::Red(argb) == 255 && headless::Green(argb) == 255;
}
bool Black(uint32_t argb) {
    return (argb & 0xFFFFFF) == 0;
}

class DisplayTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        Game->SubPath = home_.string() + "/";
    }
    // Full screen on a desktop of the given size, in the desktop's own mode.
    void FullScreenOn(int width, int height) {
        ASSERT_TRUE(headless::OpenGraphics(width, height));
        Game->FullScreen = 1;
        Game->DesktopWidth = Game->WindowWidth = width;
        Game->DesktopHeight = Game->WindowHeight = height;
        Game->DoSetVirtualResolution();
    }
    // The game's whole 1024 x 768 area in white on black, as presented.
    PixmapPtr DrawGameArea() {
        SetClsColor(0, 0, 0);
        Cls();
        SetColor(255, 255, 255);
        DrawRect(0, 0, 1024, 768);
        SetColor(255, 0, 0);
        DrawRect(1014, 758, 10, 10);  // the bottom-right corner in red
        SetColor(255, 255, 255);
        return headless::ReadFrame();
    }
    void MoveMouse(int x, int y) {
        InjectMouseMove(x, y);
        Game->DoPeekEvent();
    }
    void AltEnter() {
        InjectKeyEvent("Left Alt", true);
        InjectKeyEvent("Return", true);
        InjectKeyEvent("Return", false);
        Steps(1);
        InjectKeyEvent("Left Alt", false);
    }
};

TEST_F(DisplayTest, WithoutWideScreenThePictureFillsAWideDesktopAsA4By3ModeWould) {
    Game->WideScreen = 0;
    FullScreenOn(1920, 1080);
    EXPECT_EQ(Game->UsingVirtualResolution, 1);
    EXPECT_FLOAT_EQ(Game->vxOff, 0);
    EXPECT_FLOAT_EQ(Game->vyOff, 0);
    PixmapPtr frame = DrawGameArea();
    for (auto [x, y] : {std::pair{0, 0}, {1919, 0}, {0, 1079}, {960, 540}, {1890, 5}})
        EXPECT_TRUE(White(frame->ReadPixel(x, y))) << x << "," << y << ": no margins";
    // The corner square is stretched with the rest: 10 virtual pixels are
    // 18.75 wide and 14.06 high.
    headless::InkBox red = headless::FindInk(*frame, [](uint32_t argb) {
        return headless::Red(argb) == 255 && headless::Green(argb) == 0;
    });
    ASSERT_TRUE(red.Any());
    EXPECT_NEAR(red.right, 1919, 1) << "in the desktop's corner";
    EXPECT_NEAR(red.bottom, 1079, 1);
    EXPECT_NEAR(red.Width(), 19, 1);
    EXPECT_NEAR(red.bottom - red.top + 1, 14, 1);

    // The pointer follows the stretched picture to its edges.
    MoveMouse(0, 0);
    EXPECT_EQ(Game->Mouse->x, 0);
    EXPECT_EQ(Game->Mouse->y, 0);
    MoveMouse(960, 540);
    EXPECT_EQ(Game->Mouse->x, 512);
    EXPECT_EQ(Game->Mouse->y, 384);
    MoveMouse(1919, 1079);
    EXPECT_EQ(Game->Mouse->x, 1023);
    EXPECT_EQ(Game->Mouse->y, 767);
    MoveMouse(1910, 1075);  // inside the red corner square
    EXPECT_GE(Game->Mouse->x, 1014);
    EXPECT_GE(Game->Mouse->y, 758);
}

TEST_F(DisplayTest, WideScreenKeepsTheShapeAndTheToggleSwitchesBetweenTheTwo) {
    Game->WideScreen = 0;
    FullScreenOn(1920, 1080);
    Game->ToggleWideScreen();
    EXPECT_EQ(Game->WideScreen, 1);
    EXPECT_EQ(ReadIniValue(Game->SettingsPath(), "WideScreen"), "1") << "the setting is saved";
    PixmapPtr frame = DrawGameArea();
    EXPECT_TRUE(Black(frame->ReadPixel(100, 540))) << "left margin";
    EXPECT_TRUE(Black(frame->ReadPixel(1819, 540))) << "right margin";
    EXPECT_TRUE(White(frame->ReadPixel(960, 540)));
    EXPECT_TRUE(White(frame->ReadPixel(960, 0))) << "full height";
    headless::InkBox white = headless::FindInk(*frame, White);
    const float aspect = static_cast<float>(white.Width() + 2) / (white.bottom - white.top + 1);
    EXPECT_NEAR(aspect, 4.0f / 3.0f, 0.01f) << "the game area keeps its 4:3 shape";
    MoveMouse(959, 540);
    EXPECT_EQ(Game->Mouse->x, 512) << "the middle of the game area";
    EXPECT_EQ(Game->Mouse->y, 384);
    MoveMouse(100, 540);
    EXPECT_EQ(Game->Mouse->x, 0) << "the pointer stays on the game area";

    Game->ToggleWideScreen();
    EXPECT_EQ(Game->WideScreen, 0);
    frame = DrawGameArea();
    EXPECT_TRUE(White(frame->ReadPixel(100, 540))) << "stretched again";
}

TEST_F(DisplayTest, ANarrowDesktopWithoutWideScreenIsFilledToo) {
    Game->WideScreen = 0;
    FullScreenOn(1280, 1024);
    PixmapPtr frame = DrawGameArea();
    EXPECT_TRUE(White(frame->ReadPixel(640, 2)));
    EXPECT_TRUE(White(frame->ReadPixel(640, 1021)));
    MoveMouse(1279, 1023);
    EXPECT_EQ(Game->Mouse->x, 1023);
    EXPECT_EQ(Game->Mouse->y, 767);
}

TEST_F(DisplayTest, AltEnterCannotEnterFullScreenWhenNoModeCouldBeOpened) {
    Game->FullScreen = 0;
    Game->ForceWindowedMode = 1;
    Game->FirstTime = 0;
    Game->DesktopWidth = 1920;
    Game->DesktopHeight = 1080;
    SetClsColor(10, 20, 30);
    Cls();
    AltEnter();
    EXPECT_EQ(Game->FullScreen, 0);
    EXPECT_EQ(GraphicsWidth(), 1024) << "the window was left alone";
    EXPECT_EQ(headless::ReadFrame()->ReadPixel(5, 5) & 0xFFFFFF, 0x0A141Eu);
    EXPECT_FALSE(fs::exists(Game->SettingsPath())) << "nothing changed, nothing saved";

    // Leaving full screen is always allowed.
    Game->FullScreen = 1;
    AltEnter();
    EXPECT_EQ(Game->FullScreen, 0);
    EXPECT_EQ(ReadIniValue(Game->SettingsPath(), "Full Screen"), "0");
}

TEST_F(DisplayTest, SetDriverWithTheRendererInUseChangesNothing) {
    SetClsColor(10, 20, 30);
    Cls();
    for (int driver : {0, 1}) {
        SCOPED_TRACE(driver);
        Game->Driver = driver;
        EXPECT_EQ(Game->SetDriver(driver), 0);
        EXPECT_EQ(Game->SetDriver(driver == 0 ? 0 : 7), 0) << "any non-zero value means 1";
        EXPECT_EQ(Game->Driver, driver);
        EXPECT_TRUE(GraphicsOpen());
        EXPECT_EQ(headless::ReadFrame()->ReadPixel(5, 5) & 0xFFFFFF, 0x0A141Eu)
            << "the graphics were not reopened";
    }
    EXPECT_FALSE(fs::exists(Game->SettingsPath()));
}

TEST_F(DisplayTest, AClosePendingWhileTheDisplayIsMadeAgainIsKept) {
    Game->FullScreen = 0;
    InjectKeyEvent("Space", true);
    InjectWindowClose();
    Game->GraphicsCreate(0);
    EXPECT_TRUE(GraphicsOpen());
    EXPECT_EQ(Game->TerminatedEvent, 1) << "the close request outlives the new display";
    EXPECT_EQ(KeyHit(32), 0) << "input from before it is dropped";
    Steps(1);
    EXPECT_TRUE(Game->GameFade->Active && Game->GameFade->Out) << "the exit fade runs";
    EXPECT_EQ(Game->DestinationTScreen, Game->ExitScreen);
    InjectKeyEvent("Space", false);
}

}  // namespace
