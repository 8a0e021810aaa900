// The player manager inside the whole program, clicked and typed through
// the real input path: the players of the profile folder with the current
// one chosen, choosing by OK and by double click, deleting with the
// confirmation, the refusals for a full list and for the last player, a
// new player typed over the manager, and its drawn layout.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/Files.h"
#include "engine/Input.h"
#include "frame/Game.h"
#include "frame/Profile.h"
#include "media/GameText.h"
#include "ui/DialogBuilders.h"
#include "ui/DialogFixture.h"

namespace fs = std::filesystem;

class PlayerManagerTest : public DialogScreenTest {
  protected:
    void SetUp() override {
        DialogScreenTest::SetUp();
        profiles_ = home_ / "players";
        fs::create_directories(profiles_);
        Game->SetProfilePath(profiles_.string());
        Game->CurrentProfile = std::make_shared<TProfile>();
        Game->CurrentProfile->Init("Bob");
        Game->ProfileName = "Bob";
    }
    void AddPlayers(const std::vector<std::string>& names) {
        for (const std::string& name : names)
            std::ofstream(profiles_ / (name + ".dat")) << "player";
    }
    TPlayerManager& OpenManager() {
        OpenByKey(DialogKind::PlayerManager);
        manager_ = std::dynamic_pointer_cast<TPlayerManager>(Shown());
        EXPECT_TRUE(manager_);
        Step();
        return *manager_;
    }
    std::vector<std::string> Listed() const {
        return {manager_->ListBox->Strings.begin(), manager_->ListBox->Strings.end()};
    }
    // A click on line `row` of the list as it is shown.
    void ClickLine(int row) {
        const TListBox& list = *manager_->ListBox;
        ClickAt(list.Box->X + 30, list.Box->Y + (row + 0.5f) * list.LineHeight);
    }
    void ClickNamed(const char* button) { ClickButton(*manager_->FindButton(button)); }
    std::string SettingsText() const {
        std::string text;
        LoadText(Game->SettingsPath(), text);
        return text;
    }
    fs::path profiles_;
    std::shared_ptr<TPlayerManager> manager_;
};

TEST_F(PlayerManagerTest, ListsThePlayersOfTheFolderAndChoosesByOKOrDoubleClick) {
    AddPlayers({"Cat", "Ann", "Bob"});
    std::ofstream(profiles_ / "notes.txt") << "not a player";
    fs::create_directories(profiles_ / "Old.dat");
    TPlayerManager& manager = OpenManager();
    EXPECT_EQ(Listed(), (std::vector<std::string>{"Ann", "Bob", "Cat"}))
        << "the .dat files, no other files or folders";
    EXPECT_EQ(manager.ListBox->Value, "Bob") << "the current player is chosen";

    ClickLine(0);
    EXPECT_EQ(manager.ListBox->Value, "Ann");
    EXPECT_TRUE(screen_->Answers.empty()) << "choosing a line is no answer yet";
    ClickNamed("OK");
    ASSERT_EQ(screen_->Answers, std::vector<int>{1});
    EXPECT_EQ(Game->ProfileName, "Ann");
    EXPECT_EQ(Game->CurrentProfile->Name, "Ann");
    EXPECT_NE(SettingsText().find("Ann"), std::string::npos) << "the settings remember it";
    Step(20);
    EXPECT_EQ(screen_->Answers.size(), 1u) << "reported once";

    // Two clicks on one line within the double-click time choose it.
    OpenManager();
    const TListBox& list = *manager_->ListBox;
    InjectMouseMove(PhysicalX(list.Box->X + 30), PhysicalY(list.Box->Y + 2.5f * list.LineHeight));
    Step();
    for (int click = 0; click < 2; ++click) {
        InjectMouseButton(1, true, 0, 0);
        Step();
        InjectMouseButton(1, false, 0, 0);
        Step(3);
    }
    ASSERT_EQ(screen_->Answers.size(), 2u);
    EXPECT_EQ(screen_->Answers.back(), 1);
    EXPECT_EQ(Game->ProfileName, "Cat");

    // OK with nothing chosen does nothing.
    Game->CurrentProfile->Name = "Nobody";
    TPlayerManager& third = OpenManager();
    EXPECT_EQ(third.ListBox->Index, -1);
    ClickNamed("OK");
    Press("Return");
    EXPECT_TRUE(third.Active);
    EXPECT_EQ(screen_->Answers.size(), 2u);
}

TEST_F(PlayerManagerTest, DeletingAsksFirstAndCancellingAfterwardsSwitchesToTheFirstPlayer) {
    AddPlayers({"Ann", "Bob", "Cat", "Dan"});
    TPlayerManager& manager = OpenManager();
    ASSERT_EQ(manager.ListBox->Value, "Bob");
    ClickNamed("Delete");
    ASSERT_TRUE(manager.DialogYesNo) << "a confirmation over the manager";
    EXPECT_EQ(manager.DialogYesNo->Caption->Text, GameText->FindString("Confirm Delete"));
    ASSERT_TRUE(WaitUntilOpen(manager.DialogYesNo));
    Press("N");
    ASSERT_TRUE(StepUntil([&] { return !manager.DialogYesNo; }));
    EXPECT_TRUE(fs::exists(profiles_ / "Bob.dat")) << "No keeps the player";

    Press("Delete");  // the key works as the button
    ASSERT_TRUE(manager.DialogYesNo);
    ASSERT_TRUE(WaitUntilOpen(manager.DialogYesNo));
    Press("Y");
    ASSERT_TRUE(StepUntil([&] { return !manager.DialogYesNo; }));
    EXPECT_FALSE(fs::exists(profiles_ / "Bob.dat"));
    EXPECT_EQ(Listed(), (std::vector<std::string>{"Ann", "Cat", "Dan"}));
    EXPECT_EQ(manager.ListBox->Value, "Cat") << "the same place in the list";
    EXPECT_EQ(Game->IgnoreEscapeKey, 1) << "Escape stays with the manager";

    // Deleting the last line chooses the new last one.
    ClickLine(2);
    ClickNamed("Delete");
    ASSERT_TRUE(WaitUntilOpen(manager.DialogYesNo));
    ClickButton(*manager.DialogYesNo->FindButton("Yes"));
    ASSERT_TRUE(StepUntil([&] { return !manager.DialogYesNo; }));
    EXPECT_EQ(Listed(), (std::vector<std::string>{"Ann", "Cat"}));
    EXPECT_EQ(manager.ListBox->Value, "Cat");

    // The current player (Bob) is gone: Escape leaves with the first one.
    Press("Escape");
    ASSERT_EQ(screen_->Answers, std::vector<int>{-1});
    EXPECT_EQ(Game->ProfileName, "Ann");
    EXPECT_EQ(Game->CurrentProfile->Name, "Ann");
    EXPECT_NE(SettingsText().find("Ann"), std::string::npos);
}

TEST_F(PlayerManagerTest, AFullListRefusesANewPlayerAndTheLastPlayerStays) {
    AddPlayers({"Ann", "Bob", "Cat", "Dan", "Eve"});
    TPlayerManager& full = OpenManager();
    ClickNamed("Create");
    ASSERT_TRUE(full.DialogOK);
    EXPECT_FALSE(full.EnterName) << "no name entry";
    EXPECT_EQ(full.DialogOK->Caption->Text, GameText->FindString("Cannot Create"));
    ASSERT_TRUE(WaitUntilOpen(full.DialogOK));
    Press("Return");
    ASSERT_TRUE(StepUntil([&] { return !full.DialogOK; }));
    EXPECT_TRUE(full.Active) << "the manager stays";
    ClickNamed("Cancel");
    ASSERT_EQ(screen_->Answers, std::vector<int>{-1});
    EXPECT_EQ(Game->ProfileName, "Bob") << "cancelling keeps the current player";

    for (const char* name : {"Ann", "Cat", "Dan", "Eve"})
        fs::remove(profiles_ / (std::string(name) + ".dat"));
    TPlayerManager& single = OpenManager();
    ClickNamed("Delete");
    ASSERT_TRUE(single.DialogOK);
    EXPECT_EQ(single.DialogOK->Caption->Text, GameText->FindString("Cannot Delete"));
    EXPECT_TRUE(fs::exists(profiles_ / "Bob.dat"));
}

TEST_F(PlayerManagerTest, ANewPlayerIsTypedOverTheManagerAndChosenAtOnce) {
    AddPlayers({"Ann", "Bob"});
    TPlayerManager& manager = OpenManager();
    std::vector<std::string> created;
    // Stands in for the progress store, which writes the new player's file.
    manager.CreateProfileFunc = [&](const std::string& name) {
        created.push_back(name);
        std::ofstream(profiles_ / (name + ".dat")) << "player";
        Game->CurrentProfile->Name = name;
        return 1;
    };
    ClickNamed("Create");
    ASSERT_TRUE(manager.EnterName) << "the name entry over the manager";
    ASSERT_TRUE(WaitUntilOpen(manager.EnterName));
    Type("d");
    EXPECT_EQ(manager.EnterName->TextInput->Text, "D") << "upper case as typed";
    Type("ora/");
    Press("Return");
    ASSERT_TRUE(manager.EnterName->OKClickedDialog);
    ASSERT_TRUE(WaitUntilOpen(manager.EnterName->OKClickedDialog));
    ClickButton(*manager.EnterName->OKClickedDialog->FindButton("Yes"));
    ASSERT_TRUE(StepUntil([&] { return !screen_->Answers.empty(); }));
    EXPECT_EQ(created, std::vector<std::string>{"Dora"});
    EXPECT_EQ(screen_->Answers, std::vector<int>{1}) << "the new player is taken at once";
    EXPECT_EQ(Game->ProfileName, "Dora");
}

TEST_F(PlayerManagerTest, TheDrawnManagerHoldsItsListAndButtonsOnThePanel) {
    AddPlayers({"Ann", "Bob", "Wilhelmina"});
    TPlayerManager& manager = OpenManager();
    const PixmapPtr frame = DrawFrame();
    headless::SaveFrame("dialog-player-manager");
    const Box panel = Virtual(headless::FindInk(*frame, IsPanel));
    EXPECT_NEAR(panel.CentreX(), ScreenWidth / 2, 3);
    const Box header = InkOfPart([&](bool on) { manager.TextHeader->Visible = on; });
    EXPECT_TRUE(header.Inside(panel, 0));
    EXPECT_NEAR(header.CentreX(), ScreenWidth / 2, 3);
    const TBox& box = *manager.ListBox->Box;
    const Box list{box.X, box.Y, box.X + box.W, box.Y + box.H};
    EXPECT_TRUE(list.Inside(panel, 30)) << "the list on the panel";
    EXPECT_GT(list.top, header.bottom);
    EXPECT_NEAR(list.bottom - list.top, 5 * manager.ListBox->LineHeight, 1) << "five lines high";
    const Box buttons = InkOfPart([&](bool on) { manager.MenuShow = on; });
    EXPECT_TRUE(buttons.Inside(panel, 20)) << "the buttons on the panel";
    EXPECT_GT(buttons.top, list.bottom) << "below the list";
    EXPECT_NEAR(buttons.CentreX(), ScreenWidth / 2, 3);
}
