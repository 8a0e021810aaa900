// A game controller through the system's own virtual device: plugged in it
// is opened and unplugged closed; on the board the d-pad and the stick move
// the cursor (the stick repeating while held), A picks and swaps, B lets go
// of the pick and of a chosen powerup slot, the shoulder buttons choose the
// slot, Start opens the in-game menu and B closes it.
#include <gtest/gtest.h>

#include "board/Cell.h"
#include "board/Grid.h"
#include "board/Powerups.h"
#include "engine/Input.h"
#include "engine/Keys.h"
#include "frame/Game.h"
#include "frame/Navigation.h"
#include "play/GameScreen.h"
#include "play/InGameMenu.h"
#include "play/LevelFixture.h"

namespace {

class PadPlayTest : public WithVirtualPad<LevelTest> {
  protected:
    static bool AwaitsMove() {
        return InPlay() && !Grid->BlockInput && Grid->SwapCounter == 0 && Grid->Mode == 0;
    }
};

TEST_F(PadPlayTest, UnpluggedControllerIsClosed) {
    DetachVirtualPad();
    EXPECT_TRUE(StepUntil([] { return OpenControllerCount() == 0; }, 20));
    ASSERT_TRUE(AttachVirtualPad());
    EXPECT_TRUE(StepUntil([] { return OpenControllerCount() == 1; }, 20)) << "plugged in again";
}

TEST_F(PadPlayTest, DpadAndStickMoveTheCursorAPicksAndSwapsBCancels) {
    Play(1, false, false);
    ASSERT_TRUE(StepUntil(AwaitsMove, 2000));

    PadPress(Key::PadRight);
    ASSERT_TRUE(Grid->KeyCursorShown()) << "the first press shows the cursor";
    EXPECT_EQ(Grid->KeyX, 0);
    PadPress(Key::PadRight);
    PadPress(Key::PadDown);
    EXPECT_EQ(Grid->KeyX, 1);
    EXPECT_EQ(Grid->KeyY, 1);

    // The stick held to the right moves on and on; let go, it stops.
    ASSERT_TRUE(TiltVirtualPadStick(1, 0));
    Step(150);
    ASSERT_TRUE(TiltVirtualPadStick(0, 0));
    Step();
    const int afterStick = Grid->KeyX;
    EXPECT_GE(afterStick, 3) << "the stick repeats while held";
    Step(100);
    EXPECT_EQ(Grid->KeyX, afterStick) << "and stops when it comes back";
    // A small lean does nothing.
    ASSERT_TRUE(TiltVirtualPadStick(0, 0.2f));
    Step(5);
    EXPECT_EQ(Grid->KeyY, 1);
    ASSERT_TRUE(TiltVirtualPadStick(0, 0));

    while (Grid->KeyX > 1)
        PadPress(Key::PadLeft);
    // A picks, B lets go.
    PadPress(Key::PadA);
    EXPECT_EQ(Grid->Mode, 1);
    EXPECT_EQ(Grid->cx, 1);
    PadPress(Key::PadB);
    EXPECT_EQ(Grid->Mode, 0) << "B cancelled the pick";
    EXPECT_FALSE(InGameMenu->Active) << "and did not open the menu";

    // A, then the d-pad: the swap starts that way.
    PadPress(Key::PadA);
    ASSERT_EQ(Grid->Mode, 1);
    const TGemPtr source = CellAt(1, 1)->Gem;
    ASSERT_TRUE(PressVirtualPad(Key::PadDown, true));
    Step();
    EXPECT_EQ(Grid->SwapSource, source) << "the d-pad swapped the picked gem down";
    EXPECT_EQ(Grid->SwapDest, CellAt(1, 2)->Gem);
    ASSERT_TRUE(PressVirtualPad(Key::PadDown, false));
    ASSERT_TRUE(StepUntil(AwaitsMove, 2000));
}

TEST_F(PadPlayTest, ShouldersChooseASlotBLetsGoStartOpensTheMenu) {
    Play(1, false, false);
    ASSERT_TRUE(StepUntil(AwaitsMove, 2000));
    PadPress(Key::PadDown);  // the cursor shows
    PadPress(Key::PadRightShoulder);
    EXPECT_EQ(Grid->SlotFocus, 0);
    PadPress(Key::PadRightShoulder);
    EXPECT_EQ(Grid->SlotFocus, 1);
    PadPress(Key::PadLeftShoulder);
    PadPress(Key::PadLeftShoulder);
    EXPECT_EQ(Grid->SlotFocus, POWERUP_COUNT - 1) << "round the row";
    SaveShot("pad-slot-focus");
    PadPress(Key::PadB);
    EXPECT_EQ(Grid->SlotFocus, -1);

    PadPress(Key::PadStart);
    EXPECT_TRUE(InGameMenu->Active) << "Start opened the in-game menu";
    ASSERT_TRUE(StepUntil([] { return !InGameMenu->FadeIn->Active; }, 200));
    // In the menu the d-pad moves the focus and B closes it, as Escape does.
    PadPress(Key::PadDown);
    PadPress(Key::PadDown);
    ASSERT_TRUE(InGameMenu->Menu->ShownFocus());
    SaveShot("pad-menu-focus");
    PadPress(Key::PadB);
    EXPECT_TRUE(StepUntil([] { return !InGameMenu->Active; }, 200)) << "B closed the menu";
}

}  // namespace
