// The keyboard OK button: the single leave button of a screen, answering
// Enter and Space through the real key path.
#include <gtest/gtest.h>

#include "engine/Graphics.h"
#include "frame/MousePointer.h"
#include "media/GameText.h"
#include "support/ControlFixture.h"
#include "ui/Menu.h"

namespace {

class OKButtonTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        UseGameData();
        savedText_ = GameText;
        GameText = std::make_shared<TGameText>();
        GameText->ReadLines({"[TEXT]", "Button OK", "Fine"});
        menu_ = TMenu::Create("", "", 0, 0, 10);
        logic = [this] {
            menu_->Manage(0, 0);
            clicks_ += menu_->Clicked("ok");
        };
        draw = [this] { menu_->Draw(0, 0); };
    }
    void TearDown() override {
        menu_->Kill();
        GameText = savedText_;
        ControlTest::TearDown();
    }
    // Past the pressed picture's 350 ms, when a new press counts again.
    void WaitPressedTime() { Steps(71); }
    TMenuPtr menu_;
    TGameTextPtr savedText_;
    int clicks_ = 0;
};

TEST_F(OKButtonTest, TheLeaveButtonSitsAtTheBottomAndAnswersEnterAndSpace) {
    TButtonPtr ok = AddOKButton(*menu_);
    EXPECT_EQ(ok->name, "OK");
    EXPECT_FLOAT_EQ(ok->x, static_cast<float>((ScreenWidth - ok->w) / 2));
    EXPECT_FLOAT_EQ(ok->y + ok->h, static_cast<float>(ScreenHeight - 30));
    ASSERT_TRUE(ok->Caption);
    EXPECT_EQ(ok->Caption->Text, "Fine");
    ASSERT_TRUE(ok->ImageMouseClick) << "pressed picture ButtonDown";

    MouseTo(5, 5);  // the pointer is nowhere near
    PressKey("Return");
    EXPECT_EQ(clicks_, 1) << "Enter";
    WaitPressedTime();
    PressKey("Space");
    EXPECT_EQ(clicks_, 2) << "Space";
    WaitPressedTime();
    ok->OKButtonUseSpace = 0;
    PressKey("Space");
    EXPECT_EQ(clicks_, 2) << "Space no longer counts";
    PressKey("Return");
    EXPECT_EQ(clicks_, 3) << "Enter still does";

    // The caption is drawn on the button, not beside it.
    WaitPressedTime();
    MouseTo(5, 5);
    PixmapPtr frame = DrawFrame();
    headless::SaveFrame("ok-button");
    const headless::InkBox caption = headless::FindInk(*frame, [](uint32_t p) {
        return headless::Red(p) > 220 && headless::Green(p) > 220 && headless::Blue(p) > 220;
    });
    ASSERT_TRUE(caption.Any());
    EXPECT_GE(caption.left, ok->x);
    EXPECT_LE(caption.right, ok->x + ok->w);
    EXPECT_GE(caption.top, ok->y);
    EXPECT_LE(caption.bottom, ok->y + ok->h);
}

}  // namespace
