// The level map without a mouse, through the system's queue: the keys' focus
// starts on the current level's dot, Left and Right walk it over the open
// dots only (held, it repeats) with the view following, Enter starts the
// focused level as a click on its dot does, Down, Up and Tab reach the
// controls along the bottom, the focus ring shows round the dot and hides
// when the mouse moves; a controller does the same with its d-pad, stick, A
// and B.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/Input.h"
#include "engine/Keys.h"
#include "frame/Game.h"
#include "frame/Navigation.h"
#include "frame/Profile.h"
#include "play/Player.h"
#include "progress/MapFixture.h"
#include "progress/MapScreen.h"
#include "progress/SaveData.h"
#include "screens/TitleScreen.h"
#include "support/Headless.h"
#include "ui/Menu.h"

namespace {

// The band between the panels where a dot is in plain sight.
constexpr float kTopPanelBottom = 67, kBottomPanelTop = 649;

class MapKeysTest : public MapTest {
  protected:
    static int Focused() { return MapScreen->ShownKeyDot(); }
    static std::string FocusedButton() {
        const TButtonPtr focus = MapScreen->Menu->ShownFocus();
        return focus ? focus->name : "";
    }
    static bool InSight(int level) {
        const TAccuratePoint at = OnScreen(level);
        const float reach = TMapScreen::SPECIAL_DOT_REACH;
        return at.Y - reach > kTopPanelBottom && at.Y + reach < kBottomPanelTop && at.X > 0 &&
               at.X < ScreenWidth;
    }
    // Pixels that differ between two frames round a level's dot.
    int ChangedAround(const TPixmap& a, const TPixmap& b, int level) const {
        const TAccuratePoint at = OnScreen(level);
        int changed = 0;
        for (int y = PhysicalY(at.Y - 30); y < PhysicalY(at.Y + 30); ++y)
            for (int x = PhysicalX(at.X - 30); x < PhysicalX(at.X + 30); ++x)
                if (x >= 0 && y >= 0 && x < a.Width() && y < a.Height() &&
                    a.ReadPixel(x, y) != b.ReadPixel(x, y))
                    ++changed;
        return changed;
    }
    // The replay notice, when it opens, answered with a key.
    void PassTheReplayNotice(const char* key) {
        if (!MapScreen->ReplayDialog) return;
        ASSERT_TRUE(WaitUntilOpen(MapScreen->ReplayDialog));
        Press(key);
        ASSERT_TRUE(StepUntil([] { return !MapScreen->ReplayDialog; }));
    }
};

TEST_F(MapKeysTest, KeysAlonePickAnEarlierOpenLevelAndStartIt) {
    Open(12, 12);
    EXPECT_EQ(Focused(), -1) << "no key yet";
    Press("Left");
    ASSERT_EQ(Focused(), 11) << "the first key shows the focus on the current level";
    for (int i = 0; i < 3; ++i)
        Press("Left");
    Press("Right");
    ASSERT_EQ(Focused(), 9);
    EXPECT_EQ(MapScreen->LastMOIndex, 9) << "its number shown";
    EXPECT_FALSE(MapScreen->FollowKeyDot) << "a dot in plain sight leaves the view alone";

    // The ring is drawn round the focused dot and goes with the mouse.
    const PixmapPtr focused = DrawFrame();
    headless::SaveFrame("map-key-focus");
    PointAt(ScreenWidth / 2.0f + 5, 300);
    EXPECT_EQ(Focused(), -1) << "the mouse moved: the focus hides";
    EXPECT_EQ(MapScreen->LastMOIndex, 11) << "the number falls back to the current level";
    const PixmapPtr plain = DrawFrame();
    EXPECT_GT(ChangedAround(*focused, *plain, 10), 300) << "the ring and the lit dot showed";
    EXPECT_EQ(ChangedAround(*focused, *plain, 8), 0) << "nothing round the dot beside it";

    // Keys again: back on the current level, then two dots down the path.
    Press("Left");
    EXPECT_EQ(Focused(), 11);
    Press("Left");
    Press("Left");
    const int clickSounds = Playing("BUTTONCLICK");
    Press("Return");
    ASSERT_TRUE(MapScreen->Zooming()) << "Enter chose the focused level";
    EXPECT_EQ(MapScreen->ClickedIndex, 9);
    EXPECT_EQ(Player->Level, 10);
    EXPECT_EQ(Game->CurrentProfile->CurrentLevel, 10) << "saved as a click saves it";
    EXPECT_EQ(Playing("BUTTONCLICK"), clickSounds + 1) << "with a click's sound";
    EXPECT_TRUE(MapScreen->ReplayDialog) << "an earlier level: the replay notice, as for a click";
    PassTheReplayNotice("Return");
    EXPECT_TRUE(ReachLevel(10));
}

TEST_F(MapKeysTest, TheFocusWalksTheOpenDotsOnlyAndTheViewFollowsIt) {
    Open(5, 5);
    Press("Right");
    ASSERT_EQ(Focused(), 4);
    Press("Right");
    EXPECT_EQ(Focused(), 4) << "the dot beyond is locked";
    EXPECT_EQ(Playing("INVALIDCLICK"), 1) << "refused as a click on it is";
    Press("Space");
    ASSERT_TRUE(MapScreen->Zooming());
    EXPECT_EQ(Player->Level, 5) << "the last open level, not a locked one";

    // Held, Left walks on and on down the path; the view follows the focus
    // to the bottom of the map and back up to the highest open level.
    Open(60, 60);
    const float startY = MapScreen->ScrollY;
    Press("Left");
    InjectKeyEvent("Left", true);
    ASSERT_TRUE(StepUntil(
        [] {
            EXPECT_TRUE(TMapScreen::LevelOpen(Focused() + 1)) << Focused();
            return Focused() == 0;
        },
        4000))
        << "held, the key repeats to the first level";
    InjectKeyEvent("Left", false);
    ASSERT_TRUE(StepUntil([] { return !MapScreen->FollowKeyDot; }, 2000));
    EXPECT_TRUE(InSight(1)) << "the first dot at " << OnScreen(1).Y;
    EXPECT_LT(MapScreen->ScrollY, startY - 200) << "the map scrolled down to it";

    InjectKeyEvent("Right", true);
    Step(60 * 40);
    InjectKeyEvent("Right", false);
    EXPECT_EQ(Focused(), 59) << "the walk ends at the highest open level";
    ASSERT_TRUE(StepUntil([] { return !MapScreen->FollowKeyDot; }, 2000));
    EXPECT_TRUE(InSight(60)) << "the view came back up with it";

    // The wheel takes the view away; the next step of the focus brings it back.
    InjectMouseWheel(-5);
    Step();
    EXPECT_FALSE(InSight(60)) << "the wheel scrolled the map";
    Press("Left");
    ASSERT_TRUE(StepUntil([] { return !MapScreen->FollowKeyDot; }, 2000));
    EXPECT_TRUE(InSight(59));
}

TEST_F(MapKeysTest, DownUpAndTabReachTheControlsAlongTheBottom) {
    SaveData->timer = 0;
    Open(6, 6);
    Press("Down");
    ASSERT_EQ(Focused(), 5) << "the first key only shows the focus";
    Press("Down");
    EXPECT_EQ(Focused(), -1);
    EXPECT_EQ(FocusedButton(), "START") << "Down leads to Play";
    Press("Left");
    EXPECT_TRUE(MapScreen->KeyFocusOn(TMapScreen::KeyStop::Timed));
    EXPECT_EQ(FocusedButton(), "");
    DrawFrame();
    headless::SaveFrame("map-key-focus-timed");
    Press("Return");
    EXPECT_EQ(SaveData->timer, 1) << "Enter switched timed play on";
    EXPECT_EQ(MapScreen->TimedCheckBox->state, 1);
    Press("Space");
    EXPECT_EQ(SaveData->timer, 0) << "and Space off";
    Press("Left");
    EXPECT_EQ(FocusedButton(), "BACK");
    Press("Up");
    EXPECT_EQ(FocusedButton(), "SHOP") << "the shop's picture lies above Back";
    Press("Up");
    EXPECT_EQ(Focused(), 5) << "back on the dots";

    // Tab goes round everything, Shift+Tab the other way.
    const char* round[] = {"SHOP", "BACK", "", "START", ""};
    for (const char* name : round) {
        Press("Tab");
        EXPECT_EQ(FocusedButton(), name);
    }
    EXPECT_EQ(Focused(), 5) << "round to the dots";
    InjectKeyEvent("Left Shift", true);
    Press("Tab");
    InjectKeyEvent("Left Shift", false);
    EXPECT_EQ(FocusedButton(), "START");

    // Enter on Play starts the current level; nothing moves the focus away
    // while the map zooms.
    Press("Return");
    ASSERT_TRUE(MapScreen->Zooming());
    EXPECT_EQ(MapScreen->ClickedIndex, 5);
    Press("Up");
    Press("Tab");
    EXPECT_EQ(Focused(), -1);
    EXPECT_TRUE(ReachLevel(6));
}

class MapPadTest : public WithVirtualPad<MapKeysTest> {};

TEST_F(MapPadTest, TheDpadAndStickWalkTheOpenDotsAStartsBLeaves) {
    Open(12, 12);
    PadPress(Key::PadRight);
    ASSERT_EQ(Focused(), 11);
    PadPress(Key::PadRight);
    EXPECT_EQ(Focused(), 11) << "no locked dot";
    // The stick held repeats.
    ASSERT_TRUE(TiltVirtualPadStick(-1, 0));
    Step(150);
    ASSERT_TRUE(TiltVirtualPadStick(0, 0));
    Step();
    EXPECT_LE(Focused(), 8) << "the stick walked on";
    for (int presses = 0; presses < 10 && Focused() < 6; ++presses)
        PadPress(Key::PadRight);
    EXPECT_EQ(Focused(), 6);
    PadPress(Key::PadA);
    ASSERT_TRUE(MapScreen->Zooming());
    EXPECT_EQ(Player->Level, 7);
    ASSERT_TRUE(MapScreen->ReplayDialog);
    ASSERT_TRUE(WaitUntilOpen(MapScreen->ReplayDialog));
    PadPress(Key::PadA);
    ASSERT_TRUE(StepUntil([] { return !MapScreen->ReplayDialog; })) << "A closed the notice";
    EXPECT_TRUE(ReachLevel(7));

    // B leaves for the title from the controls as from the dots.
    Open(12, 12);
    PadPress(Key::PadDown);
    PadPress(Key::PadDown);
    ASSERT_EQ(FocusedButton(), "START");
    PadPress(Key::PadB);
    EXPECT_TRUE(Game->Fading());
    EXPECT_EQ(Game->DestinationTScreen, TitleScreen);
    EXPECT_FALSE(MapScreen->Zooming());
    CancelLeaving();
}

}  // namespace
