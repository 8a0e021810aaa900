// The shop's eye mode and its wallpaper without a mouse, through the
// system's queue: the keys (and a controller's d-pad, A and B) reach the eye
// and roller buttons, the eye mode's OK wears the focus ring and Enter or B
// leaves it for the shop, the wallpaper question is answered either way by
// the focus, the picture is written after Yes and the message closed, all
// without leaving the shop.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/Files.h"
#include "engine/Input.h"
#include "engine/Keys.h"
#include "frame/Game.h"
#include "frame/Timing.h"
#include "progress/MapScreen.h"
#include "progress/ShopFixture.h"
#include "support/FakeDesktop.h"
#include "ui/Menu.h"

namespace {

class ShopKeysTest : public ShopTest {
  protected:
    void SetUp() override {
        ShopTest::SetUp();
        if (HasFatalFailure()) return;
        Progress(30, 0, {1, 5, 18, 24, 33, 36});
        Enter();
    }
    static std::string FocusOf(const TMenuPtr& menu) {
        const TButtonPtr focus = menu ? menu->ShownFocus() : nullptr;
        return focus ? focus->name : "";
    }
    std::string ShopFocus() const { return FocusOf(Shop().Menu); }
    bool Leaving() const { return Game->Fading() && Game->DestinationTScreen == MapScreen; }
    // Whole frames until the wallpaper's frames are counted and taken.
    void RunWallpaperFrames() {
        for (int frame = 0; frame < 40 && Shop().wallpaperStage != 0; ++frame) {
            clock_.Advance(17);
            ASSERT_TRUE(RunFrame());
        }
        ASSERT_EQ(Shop().wallpaperStage, 0);
    }
    // Moves the main row's focus, a press at a time, until it is on the button.
    void FocusWith(const std::function<void()>& press, const std::string& name) {
        for (int presses = 0; presses < 5 && ShopFocus() != name; ++presses)
            press();
        ASSERT_EQ(ShopFocus(), name);
    }
    void FocusButton(const char* key, const std::string& name) {
        FocusWith([&] { Press(key); }, name);
    }
};

TEST_F(ShopKeysTest, KeysAloneLookAtTheSceneAndSetTheWallpaper) {
    FakeDesktop desktop("GNOME");
    desktop.Tool("gsettings");
    FocusButton("Left", "EYE");
    Press("Return");
    ASSERT_EQ(Shop().EyeMode, 1) << "Enter on the eye";
    Step();
    EXPECT_EQ(FocusOf(Shop().EyeMenu), "OK") << "the only choice wears the focus";
    Press("Right");
    Press("Tab");
    EXPECT_EQ(Shop().EyeMode, 1) << "moving keys do not leave eye mode";
    EXPECT_EQ(FocusOf(Shop().EyeMenu), "OK");

    // The ring round OK, gone once the mouse moves.
    const TButtonPtr ok = Shop().EyeMenu->FindButton("ok");
    ASSERT_TRUE(ok);
    const PixmapPtr focused = ShopFrame();
    headless::SaveFrame("shop-eye-key-focus");
    InjectMouseMove(PhysicalX(500), PhysicalY(300));
    Step();
    EXPECT_EQ(FocusOf(Shop().EyeMenu), "");
    const PixmapPtr plain = ShopFrame();
    EXPECT_GT(Differences(*focused, *plain, PhysicalX(ok->x - 10), PhysicalY(ok->y - 10),
                          PhysicalX(ok->x + ok->w + 10) - PhysicalX(ok->x - 10),
                          PhysicalY(ok->y + ok->h + 10) - PhysicalY(ok->y - 10)),
              200)
        << "the ring showed round OK";
    EXPECT_EQ(Differences(*focused, *plain, 0, 0, plain->Width(), PhysicalY(ok->y - 10)), 0)
        << "and nothing over the scene";

    Press("Space");
    EXPECT_EQ(Shop().EyeMode, 0) << "Space on OK";
    EXPECT_FALSE(Leaving());

    // The wallpaper question: No with the focus, then Yes.
    FocusButton("Right", "ROLLER");
    Press("Return");
    ASSERT_TRUE(Shop().WallpaperYesNo);
    ASSERT_TRUE(WaitUntilOpen(Shop().WallpaperYesNo));
    EXPECT_EQ(FocusOf(Shop().WallpaperYesNo->Menu), "YES");
    Press("Right");
    ASSERT_EQ(FocusOf(Shop().WallpaperYesNo->Menu), "NO");
    ShopFrame();
    headless::SaveFrame("shop-wallpaper-key-focus");
    Press("Return");
    ASSERT_TRUE(StepUntil([&] { return !Shop().WallpaperYesNo; }));
    RunWallpaperFrames();
    EXPECT_EQ(FileType(TShopScreen::WallpaperPath()), FILETYPE_NONE) << "No wrote nothing";
    EXPECT_FALSE(Shop().MessageDialog);
    EXPECT_EQ(ShopFocus(), "ROLLER") << "the focus is back where it was";

    Press("Return");
    ASSERT_TRUE(WaitUntilOpen(Shop().WallpaperYesNo));
    Press("Left");
    ASSERT_EQ(FocusOf(Shop().WallpaperYesNo->Menu), "YES");
    Press("Return");
    ASSERT_TRUE(StepUntil([&] { return !Shop().WallpaperYesNo; }));
    RunWallpaperFrames();
    EXPECT_EQ(FileSize(TShopScreen::WallpaperPath()), 2359350) << "Yes wrote the picture";
    ASSERT_TRUE(WaitUntilOpen(Shop().MessageDialog));
    EXPECT_EQ(FocusOf(Shop().MessageDialog->Menu), "OK");
    Press("Return");
    ASSERT_TRUE(StepUntil([&] { return !Shop().MessageDialog; }));
    EXPECT_EQ(Game->CurrentTScreen, ShopScreen);
    EXPECT_FALSE(Leaving()) << "the keys that closed the message did not leave the shop";
}

class ShopPadTest : public WithVirtualPad<ShopKeysTest> {
  protected:
    void PadFocus(int padKey, const std::string& name) {
        FocusWith([&] { PadPress(padKey); }, name);
    }
};

TEST_F(ShopPadTest, TheControllerLooksAtTheSceneAndSetsTheWallpaper) {
    FakeDesktop desktop("GNOME");
    desktop.Tool("gsettings");
    PadFocus(Key::PadLeft, "EYE");
    PadPress(Key::PadA);
    ASSERT_EQ(Shop().EyeMode, 1);
    PadPress(Key::PadA);
    EXPECT_EQ(Shop().EyeMode, 0) << "A on OK";
    PadPress(Key::PadA);
    ASSERT_EQ(Shop().EyeMode, 1);
    PadPress(Key::PadB);
    EXPECT_EQ(Shop().EyeMode, 0) << "B backs out of eye mode";
    EXPECT_FALSE(Leaving()) << "and not out of the shop";

    PadFocus(Key::PadRight, "ROLLER");
    PadPress(Key::PadA);
    ASSERT_TRUE(WaitUntilOpen(Shop().WallpaperYesNo));
    PadPress(Key::PadB);
    ASSERT_TRUE(StepUntil([&] { return !Shop().WallpaperYesNo; })) << "B answers No";
    RunWallpaperFrames();
    EXPECT_EQ(FileType(TShopScreen::WallpaperPath()), FILETYPE_NONE);

    PadPress(Key::PadA);
    ASSERT_TRUE(WaitUntilOpen(Shop().WallpaperYesNo));
    PadPress(Key::PadRight);
    PadPress(Key::PadLeft);
    ASSERT_EQ(FocusOf(Shop().WallpaperYesNo->Menu), "YES");
    PadPress(Key::PadA);
    ASSERT_TRUE(StepUntil([&] { return !Shop().WallpaperYesNo; }));
    RunWallpaperFrames();
    EXPECT_EQ(FileSize(TShopScreen::WallpaperPath()), 2359350);
    ASSERT_TRUE(WaitUntilOpen(Shop().MessageDialog));
    PadPress(Key::PadA);
    ASSERT_TRUE(StepUntil([&] { return !Shop().MessageDialog; }));
    EXPECT_FALSE(Leaving());
    PadPress(Key::PadB);
    EXPECT_TRUE(Leaving()) << "B leaves the shop for the map";
}

}  // namespace
