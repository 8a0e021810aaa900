// The list box through the real input path: selection by click and double
// click, the arrow keys with key repeat, the mouse wheel within the list,
// an empty list, and what a frame of it shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Graphics.h"
#include "engine/Input.h"
#include "frame/MousePointer.h"
#include "media/Fonts.h"
#include "support/ControlFixture.h"
#include "ui/ListBox.h"

namespace {

constexpr int kBoxX = 200, kBoxY = 150, kBoxW = 300;

class ListBoxTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        UseGameData();
        list_ = TListBox::Create(10, 5, 0, 1, 500);
        list_->SetupFont(nullptr, TColor::Create(255, 255, 255), nullptr, GUIFont,
                         TColor::Create(255, 255, 0));
        list_->SetClickSound("buttonclick");
        Fill({"Ada", "Bram", "Cleo", "Dov", "Edda"});
        logic = [this] { list_->Manage(); };
        draw = [this] { list_->Draw(); };
    }
    void TearDown() override {
        list_->Kill();
        ControlTest::TearDown();
    }
    void Fill(const std::vector<std::string>& names) {
        list_->Strings.Clear();
        for (const std::string& name : names)
            list_->Strings.AddLast(name);
        list_->SetCoords(kBoxX, kBoxY, kBoxW, 5.5f * list_->LineHeight);
    }
    // The middle of a shown row.
    int RowY(int row) const { return kBoxY + row * list_->LineHeight + list_->LineHeight / 2; }
    void ClickRow(int row) { Click(kBoxX + 20, RowY(row)); }
    TListBoxPtr list_;
};

TEST_F(ListBoxTest, AClickSelectsAndASecondClickInTimeIsADoubleClick) {
    ASSERT_GT(list_->LineHeight, 10);
    EXPECT_EQ(list_->DisplayLines, 5) << "the box is rounded down to whole lines";
    EXPECT_FLOAT_EQ(list_->Box->H, 5.0f * list_->LineHeight);

    ClickRow(2);
    EXPECT_EQ(list_->Index, 2);
    EXPECT_EQ(list_->Value, "Cleo");
    EXPECT_EQ(list_->GetIndexY(), kBoxY + 2 * list_->LineHeight);
    EXPECT_EQ(SoundsPlaying(), 1);
    EXPECT_EQ(list_->GetDoubleClicked(), -1) << "one click is no double click";

    ClickRow(2);
    EXPECT_EQ(list_->GetDoubleClicked(), 2);
    EXPECT_EQ(list_->GetDoubleClicked(), -1) << "read once";
    EXPECT_EQ(SoundsPlaying(), 1) << "the double click plays no second sound";
    ClickRow(2);
    EXPECT_EQ(list_->GetDoubleClicked(), -1) << "a third click starts over";
    EXPECT_EQ(SoundsPlaying(), 2);

    // Another line in between, or too long a wait, is no double click.
    ClickRow(3);
    ClickRow(2);
    EXPECT_EQ(list_->GetDoubleClicked(), -1);
    Steps(100);  // 500 ms
    ClickRow(2);
    EXPECT_EQ(list_->GetDoubleClicked(), -1);
    EXPECT_EQ(list_->Index, 2);

    // Beside the box and below the last line nothing changes.
    Click(kBoxX + kBoxW + 1, RowY(1));
    Click(kBoxX - 1, RowY(1));
    Fill({"Ada", "Bram"});
    Click(kBoxX + 20, RowY(3));
    EXPECT_EQ(list_->Index, 2) << "the selection stays where it was";
}

TEST_F(ListBoxTest, ArrowKeysMoveTheSelectionWithRepeatAndStopAtTheEnds) {
    PressKey("Up");
    EXPECT_EQ(list_->Index, -1) << "Up without a selection does nothing";
    PressKey("Down");
    EXPECT_EQ(list_->Index, 0) << "Down without a selection selects the first line";
    PressKey("Up");
    EXPECT_EQ(list_->Index, 0) << "Up on the first line does nothing";
    EXPECT_EQ(SoundsPlaying(), 1);

    // Held: one step at once, the next after 400 ms, then every 100 ms.
    InjectKeyEvent("Down", true);
    Steps(1);
    EXPECT_EQ(list_->Index, 1);
    Steps(79);
    EXPECT_EQ(list_->Index, 1);
    Steps(1);
    EXPECT_EQ(list_->Index, 2);
    Steps(20);
    EXPECT_EQ(list_->Index, 3);
    Steps(100);
    EXPECT_EQ(list_->Index, 4) << "held at the last line it stays there";
    EXPECT_EQ(list_->Value, "Edda");
    InjectKeyEvent("Down", false);
    Steps(1);

    // With a window of three lines the window follows the selection.
    list_->Limit = 3;
    list_->SetIndex(0);
    for (int i = 0; i < 4; ++i)
        PressKey("Down");
    EXPECT_EQ(list_->Index, 4);
    EXPECT_EQ(list_->TopIndex, 2) << "the selection is the last line shown";
    EXPECT_EQ(list_->GetTempLimit(), 5);
    for (int i = 0; i < 3; ++i)
        PressKey("Up");
    EXPECT_EQ(list_->TopIndex, 1) << "and the first when moving up";

    list_->ArrowKeysMoveHighlight = 0;
    PressKey("Down");
    EXPECT_EQ(list_->Index, 1);
}

TEST_F(ListBoxTest, TheWheelScrollsTheWindowAndNeverPastTheEnds) {
    std::vector<std::string> names;
    for (int i = 0; i < 10; ++i)
        names.push_back("Player " + std::to_string(i));
    Fill(names);
    list_->Limit = 4;
    MouseTo(kBoxX + 20, RowY(1));
    Wheel(-1);
    EXPECT_EQ(list_->TopIndex, 1) << "turned toward the player: later lines";
    Wheel(-20);
    EXPECT_EQ(list_->TopIndex, 6) << "the last window shows the last four lines";
    EXPECT_EQ(list_->GetTempLimit(), 10);
    Click(kBoxX + 20, RowY(0));
    EXPECT_EQ(list_->Value, "Player 6") << "clicks follow the scrolled lines";
    Wheel(2);
    EXPECT_EQ(list_->TopIndex, 4);
    Wheel(50);
    EXPECT_EQ(list_->TopIndex, 0);

    // Away from the box, or with every line shown, the wheel scrolls nothing.
    MouseTo(kBoxX + kBoxW + 5, RowY(1));
    Wheel(-3);
    EXPECT_EQ(list_->TopIndex, 0);
    MouseTo(kBoxX + 20, RowY(1));
    list_->Limit = 0;
    Wheel(-3);
    EXPECT_EQ(list_->TopIndex, 0);
    list_->Limit = 4;
    Wheel(-1);
    EXPECT_EQ(list_->TopIndex, 1) << "only turns made while managed count";
}

TEST_F(ListBoxTest, AnEmptyListTakesNoSelection) {
    Fill({});
    list_->Limit = 3;
    ClickRow(0);
    PressKey("Down");
    Wheel(-2);
    EXPECT_EQ(list_->Index, -1);
    EXPECT_EQ(list_->TopIndex, 0);
    EXPECT_EQ(list_->Value, "");
    EXPECT_EQ(SoundsPlaying(), 0);
    EXPECT_EQ(list_->GetIndexY(), 0);
    list_->SetTopIndex(3);
    EXPECT_EQ(list_->TopIndex, 0);
    list_->SetIndex(4);
    EXPECT_EQ(list_->Value, "") << "a missing line has no text";
    list_->SetIndex(-7);
    EXPECT_EQ(list_->Index, -1);
    list_->ClearIndex();
    PixmapPtr frame = DrawFrame(90);
    EXPECT_EQ(frame->ReadPixel(kBoxX + 5, kBoxY + 5), 0xFF000000u) << "just the black box";

    // A killed list is left alone by the step and the drawing.
    list_->Kill();
    Steps(1);
    EXPECT_EQ(DrawFrame(90)->ReadPixel(kBoxX + 5, kBoxY + 5), 0xFF5A5A5Au);
}

TEST_F(ListBoxTest, AFrameShowsTheWindowsLinesAndTheBarUnderTheSelection) {
    list_->Limit = 3;
    list_->SetupBox(TColor::Create(0, 0, 150, 0.25f));
    list_->HighlightCol = TColor::Create(32, 118, 219);
    list_->SetTopIndex(1);
    list_->SetIndex(2);
    PixmapPtr frame = DrawFrame(40);
    headless::SaveFrame("list-box");
    const int lh = list_->LineHeight;
    auto isText = [](uint32_t p) { return headless::Red(p) > 200 && headless::Green(p) > 200; };
    auto isBar = [](uint32_t p) {
        return headless::Red(p) == 32 && headless::Green(p) == 118 && headless::Blue(p) == 219;
    };
    const headless::InkBox bar = headless::FindInk(*frame, isBar);
    ASSERT_TRUE(bar.Any());
    EXPECT_EQ(bar.left, kBoxX);
    EXPECT_EQ(bar.right, kBoxX + kBoxW - 1);
    EXPECT_EQ(bar.top, kBoxY + lh) << "the second row shown holds line 2";
    EXPECT_EQ(bar.bottom, kBoxY + 2 * lh - 1);
    // Text on each of the three rows shown, none below the window.
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        const headless::InkBox text = headless::FindInk(*frame, isText, kBoxX, kBoxY + row * lh,
                                                        kBoxX + kBoxW, kBoxY + (row + 1) * lh - 1);
        ASSERT_TRUE(text.Any());
        EXPECT_GE(text.left, kBoxX + 10) << "inset by the text border";
    }
    EXPECT_FALSE(headless::FindInk(*frame, isText, 0, kBoxY + 3 * lh).Any());
    // The selected line is drawn in the inverse colour (yellow).
    const headless::InkBox yellow = headless::FindInk(*frame, [](uint32_t p) {
        return headless::Red(p) > 200 && headless::Green(p) > 200 && headless::Blue(p) < 60;
    });
    ASSERT_TRUE(yellow.Any());
    EXPECT_GE(yellow.top, bar.top);
    EXPECT_LE(yellow.bottom, bar.bottom);
}

}  // namespace
