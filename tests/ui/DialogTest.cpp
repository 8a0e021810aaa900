// Dialogs inside the whole program, headless, driven through the real mouse
// and keyboard: every builder slides in, ignores clicks while it slides,
// answers by click and by key as its kind says, slides out and reports its
// answer once; a random side is left the way it came; the screen behind
// takes no input while a dialog is shown; the drawn panels keep their
// header, caption and buttons where they belong.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <string>

#include "engine/Graphics.h"
#include "engine/Input.h"
#include "engine/Random.h"
#include "frame/Game.h"
#include "frame/Timing.h"
#include "media/Fonts.h"
#include "play/Player.h"
#include "ui/DialogBuilders.h"
#include "ui/DialogFixture.h"

class DialogTest : public DialogScreenTest {};

// ---------------------------------------------------------------- answering

struct AnswerCase {
    const char* what;
    DialogKind kind;
    // "click:NAME" clicks that button, else the key of that name.
    const char* action;
    int expected;
};

TEST_F(DialogTest, EveryBuilderSlidesInIgnoresClicksAnswersAndReportsOnce) {
    const AnswerCase cases[] = {
        {"OK by its button", DialogKind::OK, "click:OK", 1},
        {"OK by Enter", DialogKind::OK, "Return", 1},
        {"OK by Space", DialogKind::OK, "Space", 1},
        {"Escape in an OK dialog is OK", DialogKind::OK, "Escape", 1},
        {"message by its button", DialogKind::Message, "click:OK", 1},
        {"message with a picture by Enter", DialogKind::MessageWithPicture, "Return", 1},
        {"old lady's message by Escape", DialogKind::OldLadyOK, "Escape", 1},
        {"error by Space", DialogKind::Error, "Space", 1},
        {"old lady's question by N", DialogKind::OldLadyYesNo, "N", -1},
        {"old lady's question by Yes", DialogKind::OldLadyYesNo, "click:Yes", 1},
        {"Escape in a question is No", DialogKind::Confirm, "Escape", -1},
        {"question by Y", DialogKind::Confirm, "Y", 1},
        {"Enter answers Yes", DialogKind::Confirm, "Return", 1},
        {"Space answers Yes", DialogKind::Confirm, "Space", 1},
        {"question by No", DialogKind::Confirm, "click:No", -1},
        {"timed play", DialogKind::ChooseMode, "click:Yes", 1},
        {"relaxed play", DialogKind::ChooseMode, "click:No", -1},
    };
    for (const AnswerCase& test : cases) {
        SCOPED_TRACE(test.what);
        screen_->Answers.clear();
        const int ownKeys = screen_->OwnKeys;
        TDialogPtr dialog = OpenByKey(test.kind);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(screen_->OwnKeys, ownKeys + 1) << "the screen opened it";
        EXPECT_EQ(dialog->Transitioning, TDialog::COMING_IN);
        EXPECT_TRUE(dialog->OffsetX != 0 || dialog->OffsetY != 0) << "it starts off its place";

        // The answer given while it slides in, a few steps before it lands
        // (the button by then nearly on its place): no answer.
        const std::string action = test.action;
        const bool byClick = action.rfind("click:", 0) == 0;
        TButtonPtr target = byClick ? dialog->FindButton(action.substr(6)) : nullptr;
        ASSERT_TRUE(!byClick || target) << action;
        ASSERT_TRUE(StepUntil([&] { return dialog->TransitionIn->GetRatio() < 0.15f; }));
        if (byClick) {
            ClickButton(*target);
        } else {
            Press(test.action);
        }
        EXPECT_EQ(dialog->Transitioning, TDialog::COMING_IN) << "still sliding";
        ASSERT_TRUE(WaitUntilOpen()) << "an answer given while sliding in closed it";
        EXPECT_EQ(dialog->OffsetX, 0);
        EXPECT_EQ(dialog->OffsetY, 0);
        Step(20);
        EXPECT_TRUE(dialog->Active) << "a click while sliding in is no answer";
        EXPECT_EQ(dialog->Transitioning, TDialog::NOT_TRANSITIONING);

        TGameState::TimedMode = test.expected == 1 ? 0 : 1;
        if (byClick) {
            ClickButton(*target);
        } else {
            Press(test.action);
        }
        EXPECT_EQ(dialog->Transitioning, TDialog::GOING_OUT) << "the answer starts the slide out";
        EXPECT_TRUE(screen_->Answers.empty()) << "the answer comes when the slide ends";
        ASSERT_TRUE(StepUntil([&] { return !screen_->Answers.empty(); }));
        EXPECT_EQ(screen_->Answers, std::vector<int>{test.expected});
        EXPECT_EQ(dialog->CloseResult, test.expected);
        EXPECT_FALSE(screen_->Dialogs.Showing()) << "the screen let it go";
        if (test.kind == DialogKind::ChooseMode) {
            EXPECT_EQ(TGameState::TimedMode, test.expected == 1 ? 1 : 0)
                << "the answer chose the mode";
        }
        Step(60);
        EXPECT_EQ(screen_->Answers.size(), 1u) << "reported once";
        EXPECT_EQ(Game->IgnoreEscapeKey, 1) << "Escape handed back as the screen had it";
        EXPECT_EQ(screen_->OwnKeys, ownKeys + 1) << "the answering key was the dialog's";
    }
}

TEST_F(DialogTest, TheOtherAnswersKeysDoNothing) {
    // Y and N belong to questions; an OK dialog stays open.
    TDialogPtr ok = OpenByKey(DialogKind::OK);
    ASSERT_TRUE(WaitUntilOpen());
    Press("Y");
    Press("N");
    Step(60);
    EXPECT_TRUE(ok->Active);
    EXPECT_EQ(ok->Transitioning, TDialog::NOT_TRANSITIONING);
    Press("Escape");
    ASSERT_TRUE(StepUntil([&] { return !screen_->Answers.empty(); }));

    // Space does not press a button that is told not to take it.
    TDialogPtr question = OpenByKey(DialogKind::Confirm);
    ASSERT_TRUE(WaitUntilOpen());
    question->FindButton("Yes")->OKButtonUseSpace = 0;
    Press("Space");
    Step(60);
    EXPECT_TRUE(question->Active);
    Press("Return");
    ASSERT_TRUE(StepUntil([&] { return screen_->Answers.size() == 2; }));
    EXPECT_EQ(screen_->Answers.back(), 1);
}

TEST_F(DialogTest, ARandomSideDialogLeavesTheWayItCame) {
    SeedRnd(20260);
    std::set<int> sides;
    for (int round = 0; round < 24; ++round) {
        SCOPED_TRACE(round);
        TDialogPtr dialog = OpenByKey(DialogKind::OK);
        ASSERT_TRUE(dialog);
        const int side = dialog->Slide;
        ASSERT_GE(side, TDialog::SLIDE_FROM_TOP);
        ASSERT_LE(side, TDialog::SLIDE_FROM_LEFT);
        sides.insert(side);
        // Off-screen on its side: the panel's far edge beyond the screen's edge.
        const float left = dialog->x + dialog->OffsetX, top = dialog->y + dialog->OffsetY;
        switch (side) {
            case TDialog::SLIDE_FROM_TOP:
                EXPECT_LE(top + dialog->h, 1);
                break;
            case TDialog::SLIDE_FROM_RIGHT:
                EXPECT_GE(left, ScreenWidth - 1);
                break;
            case TDialog::SLIDE_FROM_BOTTOM:
                EXPECT_GE(top, ScreenHeight - 1);
                break;
            case TDialog::SLIDE_FROM_LEFT:
                EXPECT_LE(left + dialog->w, 1);
                break;
        }
        ASSERT_TRUE(WaitUntilOpen());
        Press("Return");
        // Half-way out it is on the same side it came from.
        Step(18);
        ASSERT_EQ(dialog->Transitioning, TDialog::GOING_OUT);
        EXPECT_EQ(dialog->Slide, side);
        switch (side) {
            case TDialog::SLIDE_FROM_TOP:
                EXPECT_LT(dialog->OffsetY, -50);
                break;
            case TDialog::SLIDE_FROM_RIGHT:
                EXPECT_GT(dialog->OffsetX, 50);
                break;
            case TDialog::SLIDE_FROM_BOTTOM:
                EXPECT_GT(dialog->OffsetY, 50);
                break;
            case TDialog::SLIDE_FROM_LEFT:
                EXPECT_LT(dialog->OffsetX, -50);
                break;
        }
        ASSERT_TRUE(StepUntil([&] { return !screen_->Dialogs.Showing(); }));
    }
    EXPECT_EQ(sides.size(), 4u) << "every side comes up";
}

TEST_F(DialogTest, TheScreenTakesNoInputWhileADialogIsShownAndDrawsItUntilItHasLeft) {
    TDialogPtr dialog = OpenByKey(DialogKind::Confirm);
    ASSERT_TRUE(WaitUntilOpen());
    const int ownKeys = screen_->OwnKeys, ownClicks = screen_->OwnClicks;
    Press("1");  // would open another dialog
    ClickAt(20, 20);
    Step(10);
    EXPECT_EQ(screen_->Dialogs.Dialog(), dialog) << "no second dialog";
    EXPECT_EQ(screen_->OwnKeys, ownKeys);
    EXPECT_EQ(screen_->OwnClicks, ownClicks);
    EXPECT_TRUE(dialog->Active) << "a click beside the panel answers nothing";

    // The screen behind is darkened to half while the dialog is open.
    PixmapPtr frame = DrawFrame();
    const uint32_t corner = frame->ReadPixel(PhysicalX(5), PhysicalY(5));
    EXPECT_NEAR(headless::Green(corner), TDialogTestScreen::BACK_G / 2, 6);

    Press("N");
    ASSERT_EQ(dialog->Transitioning, TDialog::GOING_OUT);
    Step(15);
    ASSERT_TRUE(screen_->Dialogs.Showing()) << "held while it slides out";
    frame = DrawFrame();
    const headless::InkBox panel = headless::FindInk(*frame, IsPanel);
    ASSERT_TRUE(panel.Any()) << "drawn while it slides out";
    EXPECT_NEAR(VirtualX(panel.left), dialog->x + dialog->OffsetX, 4);
    EXPECT_NEAR(VirtualY(panel.top), dialog->y + dialog->OffsetY, 4);
    ASSERT_TRUE(StepUntil([&] { return !screen_->Dialogs.Showing(); }));
    frame = DrawFrame();
    EXPECT_FALSE(headless::FindInk(*frame, IsPanel).Any()) << "gone once it has left";

    // Input is the screen's own again.
    ClickAt(20, 20);
    EXPECT_EQ(screen_->OwnClicks, ownClicks + 1);
}

TEST_F(DialogTest, WithoutAnOutTimelineTheAnswerComesInTheSameStep) {
    TDialogOKPtr dialog = TDialogOK::Create("A plain box", nullptr, 0, 0, 0, "button");
    dialog->SetupCaption(nullptr, TextColor(), nullptr, DialogTextFont);
    Game->IgnoreEscapeKey = 0;
    dialog->Start();
    EXPECT_EQ(Game->IgnoreEscapeKey, 1) << "the dialog takes Escape";
    // The plain box is sized by its caption, border, gap and menu.
    EXPECT_EQ(dialog->w, static_cast<int>(dialog->Caption->CalcWidth()) + 2 * dialog->Border);
    EXPECT_EQ(dialog->h, dialog->Menu->h + static_cast<int>(dialog->Caption->CalcHeight()) +
                             dialog->Gap + 2 * dialog->Border);
    EXPECT_EQ(dialog->x, (ScreenWidth - dialog->w) / 2);

    // No timelines: open at once, and closed in the step of the answer.
    screen_->Dialogs.Show(dialog);
    InjectKeyEvent("Escape", true);
    Step();
    ASSERT_EQ(screen_->Answers, std::vector<int>{1});
    EXPECT_EQ(Game->IgnoreEscapeKey, 0) << "and hands it back";
    InjectKeyEvent("Escape", false);
    Step();
}

TEST_F(DialogTest, AFadingBoxComesUpOverItsVeilAndGoesAgain) {
    TDialogOKPtr dialog = TDialogOK::Create("A plain box", nullptr, 0, 0, 0, "button");
    dialog->SetupCaption(nullptr, TextColor(), nullptr, DialogTextFont);
    dialog->SetTransitions(200, 200, 0.5f, 1, TDialog::SLIDE_NONE, 0);
    dialog->Start();
    screen_->Dialogs.Show(dialog);
    auto backdrop = [&] {
        return headless::Green(DrawFrame()->ReadPixel(PhysicalX(5), PhysicalY(5)));
    };
    // The box's own grey, just inside its corner, and its lit top edge.
    auto boxGrey = [&] {
        return headless::Red(
            DrawFrame()->ReadPixel(PhysicalX(dialog->x + 6), PhysicalY(dialog->y + 6)));
    };
    EXPECT_NEAR(dialog->Alpha, 0, 0.05f) << "it fades in from nothing";
    EXPECT_NEAR(backdrop(), TDialogTestScreen::BACK_G, 6) << "the veil too";
    Step(20);
    EXPECT_NEAR(dialog->Alpha, 0.5f, 0.05f);
    EXPECT_NEAR(backdrop(), TDialogTestScreen::BACK_G * 0.75f, 8) << "half-way dark";
    EXPECT_EQ(dialog->OffsetX + dialog->OffsetY, 0) << "fading, not sliding";
    ASSERT_TRUE(WaitUntilOpen());
    EXPECT_EQ(dialog->Alpha, 1);
    EXPECT_NEAR(backdrop(), TDialogTestScreen::BACK_G / 2, 6);
    EXPECT_NEAR(boxGrey(), 150, 6) << "the box in its colour";
    const uint32_t edge =
        DrawFrame()->ReadPixel(PhysicalX(dialog->x + dialog->w / 2.0f), PhysicalY(dialog->y));
    EXPECT_GT(headless::Red(edge), 175) << "its top edge lit";

    Press("Return");
    ASSERT_EQ(dialog->Transitioning, TDialog::GOING_OUT);
    Step(20);
    EXPECT_NEAR(dialog->Alpha, 0.5f, 0.08f) << "and fades out";
    EXPECT_NEAR(backdrop(), TDialogTestScreen::BACK_G * 0.75f, 8);
    ASSERT_TRUE(StepUntil([&] { return !screen_->Answers.empty(); }));
    EXPECT_EQ(screen_->Answers, std::vector<int>{1});
}

// ---------------------------------------------------------------- drawn panels

TEST_F(DialogTest, DrawnPanelsHoldTheirHeaderCaptionAndButtons) {
    const std::pair<const char*, DialogKind> kinds[] = {
        {"dialog-ok", DialogKind::OK},
        {"dialog-yes-no", DialogKind::Confirm},
        {"dialog-error", DialogKind::Error},
        {"dialog-message", DialogKind::Message},
        {"dialog-message-picture", DialogKind::MessageWithPicture},
        {"dialog-old-lady", DialogKind::OldLadyOK},
        {"dialog-old-lady-yes-no", DialogKind::OldLadyYesNo},
        {"dialog-choose-mode", DialogKind::ChooseMode},
    };
    for (const auto& [file, kind] : kinds) {
        SCOPED_TRACE(file);
        TDialogPtr dialog = OpenByKey(kind);
        ASSERT_TRUE(WaitUntilOpen());
        const PixmapPtr frame = DrawFrame();
        headless::SaveFrame(file);

        // The panel: the picture, centred on the screen (a picture may leave
        // a few rows at its top clear).
        const Box panel = Virtual(headless::FindInk(*frame, IsPanel));
        EXPECT_NEAR(panel.left, dialog->x, 2);
        EXPECT_NEAR(panel.right, dialog->x + dialog->w, 2);
        EXPECT_NEAR(panel.bottom, dialog->y + dialog->h, 2);
        EXPECT_NEAR(panel.top, dialog->y, 10);
        EXPECT_NEAR(panel.left + panel.right, ScreenWidth, 3) << "centred across";
        EXPECT_NEAR(dialog->y + dialog->h / 2, ScreenHeight / 2, 1) << "centred down";

        // The header: fitted, centred on its plaque, inside the panel.
        Box title{panel.left, panel.top, panel.right, panel.top};
        if (dialog->TextHeader) {
            title = InkOfPart([&](bool on) { dialog->TextHeader->Visible = on; });
            EXPECT_NEAR((title.left + title.right) / 2, ScreenWidth / 2, 3);
            // The font's test string (with the tail of its Y) sets the
            // vertical centre a few rows above the letters' own.
            EXPECT_NEAR((title.top + title.bottom) / 2, dialog->TextHeader->Y, 8);
            // Swashes reach past the letters' advances.
            EXPECT_LE(title.right - title.left, 350 * 0.8f + 15) << "fitted";
            EXPECT_TRUE(title.Inside(panel, 0)) << "on the panel's plaque";
        }

        // The buttons: on the panel, clear of its edges, centred under the caption.
        const Box buttons = InkOfPart([&](bool on) { dialog->MenuShow = on; });
        EXPECT_TRUE(buttons.Inside(panel, 20)) << "on the panel";
        EXPECT_NEAR((buttons.left + buttons.right) / 2, ScreenWidth / 2, 3);

        // The caption: wrapped inside the borders, between header and buttons.
        const Box body = InkOfPart([&](bool on) { dialog->Caption->Visible = on; });
        EXPECT_GE(body.left, dialog->x + dialog->Border - 2);
        EXPECT_LE(body.right, dialog->x + dialog->w - dialog->Border + 2);
        EXPECT_NEAR((body.left + body.right) / 2, ScreenWidth / 2, 4);
        EXPECT_GT(body.top, title.bottom) << "below the header";
        EXPECT_LT(body.bottom, buttons.top) << "above the buttons";
        if (dialog->Picture) {
            const TGameImagePtr shown = dialog->Picture;
            const Box picture = InkOfPart([&](bool on) { dialog->Picture = on ? shown : nullptr; });
            EXPECT_GT(picture.top, title.bottom);
            EXPECT_LT(picture.bottom, body.top) << "the picture above the text";
        }

        Press("Escape");
        ASSERT_TRUE(StepUntil([&] { return !screen_->Dialogs.Showing(); }));
    }
}
