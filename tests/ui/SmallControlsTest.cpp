// The slider, the check box and the text cursor, driven through the real
// mouse path and drawn.
#include <gtest/gtest.h>

#include <vector>

#include "engine/Graphics.h"
#include "engine/Input.h"
#include "frame/MousePointer.h"
#include "support/ControlFixture.h"
#include "ui/CheckBox.h"
#include "ui/Slider.h"
#include "ui/TextCursor.h"

namespace {

// The options screen's volume slider: 284 wide, 15 of margin at each end.
constexpr int kX = 359, kY = 220;

class SliderTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        UseGameData();
        slider_ = TSlider::CreateSpecial("OptionsScreen/slider", "OptionsScreen/Dot", kX, kY, 15,
                                         "Music", 5);
        logic = [this] { dragging_ = slider_->Manage(); };
        draw = [this] { slider_->Draw(); };
    }
    // Moves the pointer with the button held (one step).
    void DragTo(int x, int y = kY + 10) { MouseTo(x, y); }
    TSliderPtr slider_;
    int dragging_ = 0;
};

TEST_F(SliderTest, ClickingAndDraggingSetTheValueWithExactEnds) {
    MouseTo(kX + 100, kY + 10);
    EXPECT_EQ(dragging_, 0) << "hovering without a button";
    EXPECT_EQ(slider_->MouseOver, 1);

    Click(kX + 200, kY + 10);
    EXPECT_EQ(slider_->Value, 73) << "185 of 254 pixels";
    MouseTo(kX + 142, kY + 10);
    Button(true);
    EXPECT_EQ(dragging_, 1);
    EXPECT_EQ(slider_->Value, 50) << "the middle";
    const struct {
        int at, value;
    } along[] = {{15, 0}, {14, 0}, {16, 0}, {17, 1}, {267, 99}, {268, 100}, {269, 100}, {0, 0}};
    for (const auto& point : along) {
        DragTo(kX + point.at);
        EXPECT_EQ(slider_->Value, point.value) << "at x + " << point.at;
        EXPECT_EQ(dragging_, 1);
    }
    // Pulled far past either end, even off the track's reach, the knob ends
    // exactly at 100 or 0.
    DragTo(kX + 150);
    DragTo(kX + 900, kY + 200);
    EXPECT_EQ(slider_->Value, 100);
    EXPECT_EQ(slider_->MouseOver, 0);
    EXPECT_EQ(dragging_, 1);
    DragTo(2, kY - 100);
    EXPECT_EQ(slider_->Value, 0);
    Button(false);
    EXPECT_EQ(dragging_, 0);
    DragTo(kX + 150);
    EXPECT_EQ(slider_->Value, 0) << "let go, the knob stays";

    // The pointer reaches 10 pixels beside the track and BorderY above and below.
    Click(kX - 11, kY + 10);
    Click(kX + 150, kY - 6);
    Click(kX + 150, kY + 24 + 5);
    EXPECT_EQ(slider_->Value, 0);
    Click(kX - 10, kY + 10);
    EXPECT_EQ(slider_->Value, 0);
    Click(kX + 142, kY - 5);
    EXPECT_EQ(slider_->Value, 50);
    Click(kX + 284 + 9, kY + 24 + 4);
    EXPECT_EQ(slider_->Value, 100);

    slider_->active = 0;
    Click(kX + 142, kY + 10);
    EXPECT_EQ(slider_->Value, 100) << "an inactive slider ignores the pointer";
}

TEST_F(SliderTest, AFrameShowsTheKnobOverTheTrackAtItsValue) {
    const auto isTrack = [](uint32_t p) {
        return headless::Red(p) + headless::Green(p) + headless::Blue(p) > 60;
    };
    // The knob's orange centre.
    const auto isKnob = [](uint32_t p) {
        return headless::Red(p) > 180 && headless::Green(p) > 50 && headless::Green(p) < 170 &&
               headless::Blue(p) < 90;
    };
    ASSERT_EQ(slider_->w, 284);
    EXPECT_EQ(slider_->Value, 50) << "a new slider starts in the middle";
    EXPECT_EQ(slider_->DotY, kY);
    // Values outside 0..100 are held at the ends.
    const struct { int set, value; } cases[] = {{-3, 0}, {25, 25}, {250, 100}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set);
        slider_->SetValue(c.set);
        ASSERT_EQ(slider_->Value, c.value);
        const int value = c.value;
        PixmapPtr frame = DrawFrame();
        if (value == 25) headless::SaveFrame("slider");
        const headless::InkBox all = headless::FindInk(*frame, isTrack);
        ASSERT_TRUE(all.Any());
        EXPECT_GE(all.left, kX);
        EXPECT_LE(all.right, kX + 284);
        EXPECT_GE(all.top, kY);
        const headless::InkBox knob = headless::FindInk(*frame, isKnob);
        ASSERT_TRUE(knob.Any());
        EXPECT_NEAR(knob.CentreX(), kX + 15 + value * 254 / 100.0f, 3.0f);
    }
}

class CheckBoxTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        UseGameData();
        box_ = TCheckBox::Create("CheckBox.png", "CheckBoxMO.png", "CheckMark.png", 400, 398, 1);
        box_->SetSounds("buttonclick", "buttonMO");
        logic = [this] { toggles_.push_back(box_->Logic()); };
        draw = [this] { box_->Draw(); };
    }
    int LastToggle() const { return toggles_.empty() ? 0 : toggles_.back(); }
    int TogglesSince(size_t from) const {
        int count = 0;
        for (size_t i = from; i < toggles_.size(); ++i)
            count += toggles_[i];
        return count;
    }
    TCheckBoxPtr box_;
    std::vector<int> toggles_;
};

TEST_F(CheckBoxTest, AClickTogglesItOnceAndTheBottomEdgeCounts) {
    MouseTo(410, 410);
    EXPECT_EQ(box_->_mouseOver, 1);
    EXPECT_EQ(SoundsPlaying(), 1) << "the mouse-over sound on entering";
    MouseTo(412, 412);
    EXPECT_EQ(SoundsPlaying(), 1) << "not again while over it";

    size_t mark = toggles_.size();
    Click(410, 410);
    EXPECT_EQ(box_->state, 0);
    EXPECT_EQ(TogglesSince(mark), 1) << "reported on the one step";
    EXPECT_EQ(SoundsPlaying(), 2);
    Click(410, 410);
    EXPECT_EQ(box_->state, 1);

    // The bottom edge row is inside, the row below and the right edge are not.
    Click(420, 398 + 40);
    EXPECT_EQ(box_->state, 0) << "bottom edge row";
    mark = toggles_.size();
    Click(420, 398 + 41);
    Click(400 + 40, 410);
    Click(399, 410);
    Click(420, 397);
    EXPECT_EQ(TogglesSince(mark), 0);
    EXPECT_EQ(box_->_mouseOver, 0);
    Click(400 + 39, 410);
    EXPECT_EQ(box_->state, 1) << "last column";

    // Any mouse button toggles it.
    InjectMouseMove(410, 410);
    InjectMouseButton(2, true, 410, 410);
    Steps(1);
    InjectMouseButton(2, false, 410, 410);
    Steps(1);
    EXPECT_EQ(box_->state, 0);
}

TEST_F(CheckBoxTest, AFrameShowsTheTickOnlyWhenTickedAndTheMouseOverBox) {
    const auto ink = [](const TPixmap& frame) {
        return headless::FindInk(frame, [](uint32_t p) {
            return headless::Red(p) + headless::Green(p) + headless::Blue(p) > 30;
        });
    };
    MouseTo(10, 10);
    PixmapPtr ticked = DrawFrame();
    headless::SaveFrame("check-box");
    const headless::InkBox box = ink(*ticked);
    ASSERT_TRUE(box.Any());
    EXPECT_GE(box.left, 400);
    EXPECT_LE(box.right, 439);
    EXPECT_GE(box.top, 398);
    EXPECT_LE(box.bottom, 437);
    box_->state = 0;
    PixmapPtr empty = DrawFrame();
    int differing = 0;
    for (int y = 398; y < 438; ++y) {
        for (int x = 400; x < 440; ++x)
            differing += ticked->ReadPixel(x, y) != empty->ReadPixel(x, y);
    }
    EXPECT_GT(differing, 50) << "the tick shows only when ticked";
    MouseTo(410, 410);
    PixmapPtr over = DrawFrame();
    differing = 0;
    for (int y = 398; y < 438; ++y) {
        for (int x = 400; x < 440; ++x)
            differing += over->ReadPixel(x, y) != empty->ReadPixel(x, y);
    }
    EXPECT_GT(differing, 50) << "the mouse-over picture under the pointer";

    box_->active = 0;
    EXPECT_FALSE(ink(*DrawFrame()).Any());
    box_->Kill();
    Steps(1);
    box_->active = 1;
    EXPECT_FALSE(ink(*DrawFrame()).Any()) << "killed, it draws and does nothing";
}

class TextCursorTest : public ControlTest {};

TEST_F(TextCursorTest, LinesFollowEachOtherALineGapApart) {
    TTextCursor cursor;
    cursor.Init(40, 50, 30);
    draw = [&cursor] {
        cursor.OutputNL("First");
        cursor.Output("Second");
    };
    PixmapPtr frame = DrawFrame();
    headless::SaveFrame("text-cursor");
    EXPECT_EQ(cursor.y, 80);
    const auto isInk = [](uint32_t p) { return headless::Red(p) > 200; };
    const headless::InkBox first = headless::FindInk(*frame, isInk, 0, 0, -1, 79);
    const headless::InkBox second = headless::FindInk(*frame, isInk, 0, 80);
    ASSERT_TRUE(first.Any() && second.Any());
    EXPECT_GE(first.top, 50);
    EXPECT_GE(first.left, 40);
    EXPECT_EQ(second.top - first.top, 30);
    cursor.NewLine();
    EXPECT_EQ(cursor.y, 110);
}

}  // namespace
