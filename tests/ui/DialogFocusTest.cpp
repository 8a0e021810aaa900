// A dialog answered with the keyboard alone, through the system's queue: the
// first Tab shows the focus on the dialog's first choice, Tab and the arrows
// move it, Shift+Tab moves it back, Enter clicks the focused button (not the
// keyboard OK button), and the focus, drawn as a frame of light round its
// button, hides when the mouse moves.
#include <gtest/gtest.h>

#include <string>

#include "engine/Input.h"
#include "frame/Game.h"
#include "support/Headless.h"
#include "ui/DialogFixture.h"

namespace {

class DialogFocusTest : public DialogScreenTest {
  protected:
    std::string FocusName() const {
        TButtonPtr focus = Shown() && Shown()->Menu ? Shown()->Menu->ShownFocus() : nullptr;
        return focus ? focus->name : "";
    }
    // Pixels that differ between two frames inside a box (physical pixels).
    int Changed(const TPixmap& a, const TPixmap& b, const Box& box) const {
        int changed = 0;
        for (int y = PhysicalY(box.top); y < PhysicalY(box.bottom); ++y)
            for (int x = PhysicalX(box.left); x < PhysicalX(box.right); ++x)
                if (x >= 0 && y >= 0 && x < a.Width() && y < a.Height() &&
                    a.ReadPixel(x, y) != b.ReadPixel(x, y))
                    ++changed;
        return changed;
    }
};

TEST_F(DialogFocusTest, TabMovesTheFocusAndEnterClicksTheFocusedButton) {
    TDialogPtr dialog = OpenByKey(DialogKind::Confirm);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(WaitUntilOpen());
    EXPECT_EQ(FocusName(), "") << "no key yet: no focus";

    Press("Tab");
    const std::string first = FocusName();
    ASSERT_FALSE(first.empty()) << "the first Tab shows the focus";
    Press("Tab");
    const std::string second = FocusName();
    ASSERT_FALSE(second.empty());
    EXPECT_NE(second, first) << "Tab moved it";
    InjectKeyEvent("Left Shift", true);
    Press("Tab");
    InjectKeyEvent("Left Shift", false);
    Step();
    EXPECT_EQ(FocusName(), first) << "Shift+Tab moved it back";
    Press("Right");
    Press("Left");
    EXPECT_EQ(FocusName(), first) << "Right then Left come back";

    // The focus ring is drawn round its button and goes with the mouse.
    const TButtonPtr button = dialog->FindButton(first);
    ASSERT_TRUE(button);
    const float x = button->x + button->offx, y = button->y + button->offy;
    const Box ring{x - 10, y - 10, x + button->w + 10, y + button->h + 10};
    const PixmapPtr focused = DrawFrame();
    headless::SaveFrame("dialog-focus");
    InjectMouseMove(PhysicalX(3), PhysicalY(3));
    Step();
    EXPECT_EQ(FocusName(), "") << "the mouse moved: the focus hides";
    const PixmapPtr plain = DrawFrame();
    EXPECT_GT(Changed(*focused, *plain, ring), 200) << "the ring showed round " << first;

    // Back with the keys, to the No button, and Enter answers No although
    // Enter alone answers Yes.
    Press("Tab");
    for (int i = 0; i < 4 && FocusName() != "NO"; ++i)
        Press("Tab");
    ASSERT_EQ(FocusName(), "NO");
    Press("Return");
    ASSERT_TRUE(StepUntil([&] { return !screen_->Answers.empty(); }));
    EXPECT_EQ(screen_->Answers, std::vector<int>{-1});
}

}  // namespace
