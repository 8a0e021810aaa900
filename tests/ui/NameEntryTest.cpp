// The name entry inside the whole program, typed through the system's text
// input: composed characters arrive as text, the name stops where the
// title's greeting would outgrow its room, banned characters never arrive,
// refused names show the error notice over the entry and typing resumes
// after it, nothing is written; OK leads through the mode choice.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/Strings.h"
#include "frame/Game.h"
#include "frame/ProfileName.h"
#include "media/Fonts.h"
#include "media/GameText.h"
#include "play/Player.h"
#include "ui/DialogBuilders.h"
#include "ui/DialogFixture.h"

namespace fs = std::filesystem;

class NameEntryTest : public DialogScreenTest {
  protected:
    void SetUp() override {
        DialogScreenTest::SetUp();
        profiles_ = home_ / "players";
        fs::create_directories(profiles_);
        Game->SetProfilePath(profiles_.string());
    }
    // The name entry of the test screen, open and ready for typing.
    TDialogTextInput& OpenEntry() {
        OpenByKey(DialogKind::EnterName);
        EXPECT_TRUE(WaitUntilOpen());
        entry_ = std::dynamic_pointer_cast<TDialogTextInput>(Shown());
        return *entry_;
    }
    std::string Typed() const { return entry_->TextInput->Text; }
    int FilesInProfileFolder() const {
        return static_cast<int>(std::distance(fs::directory_iterator(profiles_), {}));
    }
    // The greeting the title screen would show for the name, in its font.
    static double WelcomeWidth(const std::string& name) {
        return GUIFontSmall->StringWidth(GameText->FindString("Welcome") + " " + name);
    }
    fs::path profiles_;
    std::shared_ptr<TDialogTextInput> entry_;
};

TEST_F(NameEntryTest, ATypedNameGoesThroughTheModeChoice) {
    TDialogTextInput& entry = OpenEntry();
    EXPECT_EQ(Game->BlockKeys, 1) << "typing letters must not work the framework's keys";
    // "e" and a dead-key accent arrive from the system as one composed "é".
    Type("ren\xC3\xA9");
    EXPECT_EQ(Typed(), "ren\xC3\xA9");
    Press("Backspace");
    EXPECT_EQ(Typed(), "ren") << "Backspace takes the whole composed character";
    Type("\xC3\xA9 m");
    Press("Return");
    EXPECT_EQ(Typed(), "Ren\xC3\xA9 m") << "the first letter made upper case";
    ASSERT_TRUE(entry.OKClickedDialog) << "the mode choice opens over the entry";
    EXPECT_TRUE(entry.Active);
    EXPECT_EQ(entry.Disabled, 1) << "the entry waits for it";
    ASSERT_TRUE(WaitUntilOpen(entry.OKClickedDialog));
    TGameState::TimedMode = 1;
    ClickButton(*entry.OKClickedDialog->FindButton("No"));
    EXPECT_TRUE(screen_->Answers.empty()) << "the entry completes when the choice closes";
    ASSERT_TRUE(StepUntil([&] { return !screen_->Answers.empty(); }));
    EXPECT_EQ(screen_->Answers, std::vector<int>{1});
    EXPECT_EQ(TGameState::TimedMode, 0) << "relaxed play chosen";
    EXPECT_EQ(Typed(), "Ren\xC3\xA9 m");
    EXPECT_EQ(Game->BlockKeys, 0);
    EXPECT_EQ(FilesInProfileFolder(), 0) << "the entry itself writes nothing";
}

TEST_F(NameEntryTest, TheNameStopsWhereTheGreetingWouldOutgrowItsRoom) {
    OpenEntry();
    Type(std::string(40, 'W'));
    const std::string wide = Typed();
    EXPECT_LT(wide.size(), 40u) << "wide letters reach the limit first";
    EXPECT_LE(WelcomeWidth(wide), 300);
    EXPECT_GT(WelcomeWidth(wide + "W"), 300) << "one more would not fit";
    // Narrow letters still fit where a wide one did not.
    Type("iii");
    EXPECT_GT(Typed().size(), wide.size());
    EXPECT_LE(WelcomeWidth(Typed()), 300);
}

TEST_F(NameEntryTest, BannedCharactersNeverArrive) {
    OpenEntry();
    Type(
        "a/b\\c:d_e[f@g#h\xE2\x82\xAC"
        "i\xC2\xA3j\xC3\xBDk");
    EXPECT_EQ(Typed(), "abcdefghijk");
}

struct Refusal {
    const char* what;
    const char* name;
    const char* messageKey;
};

TEST_F(NameEntryTest, ARefusedNameShowsTheErrorOverTheEntryAndTypingResumes) {
    std::ofstream(profiles_ / "Bob.dat") << "x";
    const Refusal refusals[] = {
        {"only dots", "...", "Name Not Allowed"},
        {"a letter beyond the settings file's", "\xC5\x81ucja", "Name Letters"},
        {"dots with blanks around them", " . ", "Name Not Allowed"},
        {"a player of that name exists", "bob", "Profile Exists"},
    };
    TDialogTextInput& entry = OpenEntry();
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        Type(refusal.name);
        Press("Return");
        ASSERT_TRUE(entry.DialogOK) << "the error notice opens";
        EXPECT_EQ(entry.DialogOK->Caption->Text, GameText->FindString(refusal.messageKey));
        EXPECT_TRUE(entry.Active) << "over the entry, which stays";
        EXPECT_FALSE(entry.OKClickedDialog) << "no mode choice";
        ASSERT_TRUE(WaitUntilOpen(entry.DialogOK));
        const PixmapPtr frame = DrawFrame();
        EXPECT_GT(headless::FindInk(*frame, IsPanel).Any(), 0);
        // Letters typed at the notice do not reach the name.
        Type("zz");
        Press("Return");
        ASSERT_TRUE(StepUntil([&] { return !entry.DialogOK; }));
        EXPECT_EQ(Game->IgnoreEscapeKey, 1) << "Escape stays with the entry";
        // Typing resumes at the end of the (trimmed) name.
        Type("x");
        EXPECT_EQ(Typed(), UpperFirstChar(TrimProfileName(refusal.name)) + "x");
        for (int left = CharCount(Typed()); left > 0; --left)
            Press("Backspace");
        EXPECT_EQ(Typed(), "");
    }
    EXPECT_TRUE(screen_->Answers.empty());
    EXPECT_EQ(FilesInProfileFolder(), 1) << "nothing written";
}

TEST_F(NameEntryTest, BlankNamesAreRefusedQuietlyAndOuterBlanksTrimmed) {
    TDialogTextInput& entry = OpenEntry();
    Type("   ");
    Press("Return");
    Step(10);
    EXPECT_FALSE(entry.DialogOK) << "no message for a blank name";
    EXPECT_FALSE(entry.OKClickedDialog);
    EXPECT_EQ(entry.TextInput->Active, 1) << "typing goes on";
    // A name with blanks around it is taken without them; Zoë and Con are names.
    Type("zo\xC3\xAB  ");
    Press("Return");
    ASSERT_TRUE(entry.OKClickedDialog);
    EXPECT_EQ(Typed(), "Zo\xC3\xAB");
}

TEST_F(NameEntryTest, EscapeCancelsOnlyWithACancelButton) {
    TDialogTextInput& entry = OpenEntry();
    Type("Con");
    Press("Escape");
    ASSERT_TRUE(StepUntil([&] { return !screen_->Answers.empty(); }));
    EXPECT_EQ(screen_->Answers, std::vector<int>{-1});
    EXPECT_FALSE(entry.OKClickedDialog);
    EXPECT_EQ(Game->BlockKeys, 0);

    // The first player's entry has no Cancel: Escape types nothing and stays.
    TDialogTextInputPtr first = CreateEnterNameDialog(0);
    EXPECT_FALSE(first->FindButton("Cancel"));
    screen_->Dialogs.Show(first);
    ASSERT_TRUE(WaitUntilOpen(first));
    Type("Con");
    Press("Escape");
    Step(60);
    EXPECT_TRUE(first->Active);
    EXPECT_EQ(first->TextInput->Text, "Con");
    ClickButton(*first->FindButton("OK"));
    ASSERT_TRUE(first->OKClickedDialog) << "a click on OK takes the name too";
}

TEST_F(NameEntryTest, TheDrawnEntryKeepsItsNameInTheField) {
    TDialogTextInput& entry = OpenEntry();
    Type("Wilhelmina");
    const PixmapPtr frame = DrawFrame();
    headless::SaveFrame("dialog-enter-name");
    const Box panel = Virtual(headless::FindInk(*frame, IsPanel));
    EXPECT_NEAR(panel.CentreX(), ScreenWidth / 2, 3);
    const Box header = InkOfPart([&](bool on) { entry.TextHeader->Visible = on; });
    EXPECT_TRUE(header.Inside(panel, 0));
    EXPECT_NEAR(header.CentreX(), ScreenWidth / 2, 3);
    // The name inside the picture's field (from (150, 122), 320 by 50).
    const Box name = InkOfPart([&](bool on) {
        entry.TextInput->ForceDraw = on;
        entry.TextInput->Active = on;
    });
    const Box field{entry.x + 150.0f, entry.y + 122.0f, entry.x + 470.0f, entry.y + 172.0f};
    EXPECT_TRUE(name.Inside(field, 4)) << "the name sits in the field";
    EXPECT_GT(name.top, header.bottom);
    const Box buttons = InkOfPart([&](bool on) { entry.MenuShow = on; });
    EXPECT_TRUE(buttons.Inside(panel, 20)) << "the buttons on the panel";
    EXPECT_GT(buttons.top, name.bottom);
    EXPECT_NEAR(buttons.CentreX(), ScreenWidth / 2, 3);

    // A refusal: the notice over the entry.
    for (int left = CharCount(Typed()); left > 0; --left)
        Press("Backspace");
    Type("...");
    Press("Return");
    ASSERT_TRUE(WaitUntilOpen(entry.DialogOK));
    DrawFrame();
    headless::SaveFrame("dialog-enter-name-refused");
}
