// Players as a person meets them, in the whole program through the real
// dialogs and input: the name asked at the first start, a name with a
// Latin-1 letter surviving a restart, creating, choosing and deleting
// players in the player manager with their own progress, the limit of five,
// and the first listed player taking over when the settings forget the
// last one.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/Files.h"
#include "engine/Input.h"
#include "engine/platform/Platform.h"
#include "frame/Game.h"
#include "frame/LoadingScreen.h"
#include "frame/Profile.h"
#include "media/GameText.h"
#include "play/Player.h"
#include "progress/MapScreen.h"
#include "progress/ProfileStore.h"
#include "progress/SaveData.h"
#include "screens/IntroScreen.h"
#include "screens/TitleScreen.h"
#include "ui/DialogBuilders.h"
#include "ui/DialogFixture.h"

namespace fs = std::filesystem;

namespace {

const std::string kZoe = "Zo\xC3\xAB";  // e with diaeresis, in UTF-8

bool OnTheTitle() {
    return Game->CurrentTScreen == TitleScreen && !Game->GameFade->Active;
}
bool OnTheMap() {
    return Game->CurrentTScreen == MapScreen;
}

class PlayersScenarioTest : public DialogScreenTest {
  protected:
    // Quits the running game cleanly and starts it again, up to its
    // finished loading screen.
    void Restart() {
        if (Game->CurrentTScreen && Game->CurrentTScreen != Game->LoadingScreen)
            Game->CurrentTScreen->Kill();
        screen_.reset();
        ExitSequence();
        ReleaseSingleInstance();
        Game.reset();
        ASSERT_TRUE(StartUpBeforeGraphics());
        ASSERT_TRUE(StartUpGraphicsAndLoad());
        ASSERT_EQ(Game->CurrentTScreen, Game->LoadingScreen);
    }
    // Back on the screen that opens the dialogs.
    void ToDialogScreen() {
        Game->CurrentTScreen->Kill();
        screen_ = MakeScreen<TDialogTestScreen>();
        screen_->PreStart();
        Step();
    }
    TPlayerManager& OpenManager() {
        OpenByKey(DialogKind::PlayerManager);
        manager_ = std::dynamic_pointer_cast<TPlayerManager>(Shown());
        EXPECT_TRUE(manager_);
        Step();
        return *manager_;
    }
    void ClickNamed(const TDialog& dialog, const char* button) {
        ClickButton(*dialog.FindButton(button));
    }
    // Types a name into an open name entry and answers the mode choice.
    void EnterName(const TDialogTextInputPtr& entry, const std::string& name, const char* mode) {
        ASSERT_TRUE(WaitUntilOpen(entry));
        Type(name);
        Press("Return");
        ASSERT_TRUE(entry->OKClickedDialog) << "the mode choice";
        ASSERT_TRUE(WaitUntilOpen(entry->OKClickedDialog));
        ClickNamed(*entry->OKClickedDialog, mode);
    }
    // Creates a player through the open manager; it is chosen at once.
    void CreateInManager(const std::string& name) {
        const size_t answers = screen_->Answers.size();
        ClickNamed(*manager_, "Create");
        ASSERT_TRUE(manager_->EnterName) << "the name entry over the manager";
        EnterName(manager_->EnterName, name, "Yes");
        ASSERT_TRUE(StepUntil([&] { return screen_->Answers.size() > answers; }));
        EXPECT_EQ(screen_->Answers.back(), 1) << "a new player is taken at once";
    }
    std::string Profiles() const { return Game->ProfilePath; }
    std::string SettingsText() const {
        std::string text;
        LoadText(Game->SettingsPath(), text);
        return text;
    }
    std::vector<std::string> Listed() const {
        return {manager_->ListBox->Strings.begin(), manager_->ListBox->Strings.end()};
    }
    std::shared_ptr<TPlayerManager> manager_;
};

TEST_F(PlayersScenarioTest, TheFirstStartAsksANameThatTheNextStartRemembers) {
    Restart();
    ASSERT_EQ(Game->CurrentProfile, nullptr) << "nobody has played here";
    InjectMouseButton(1, true, 500, 500);
    InjectMouseButton(1, false, 500, 500);
    ASSERT_TRUE(StepUntil([] { return OnTheTitle(); }));
    TDialogTextInputPtr entry = TitleScreen->EnterName;
    ASSERT_TRUE(entry) << "the title asks for a name";
    EXPECT_FALSE(entry->FindButton("Cancel")) << "a name must be given";
    EnterName(entry, "zo\xC3\xAB", "No");
    ASSERT_TRUE(StepUntil([] { return !TitleScreen->EnterName; }));
    ASSERT_TRUE(TitleScreen->Welcome);
    EXPECT_EQ(TitleScreen->Welcome->Text, GameText->FindString("Welcome") + "\r\n" + kZoe);
    Press("Return");
    ASSERT_TRUE(StepUntil([] { return Game->CurrentTScreen == IntroScreen; }))
        << "Enter plays, and a new player sees the intro";
    EXPECT_EQ(Game->MusicFileName, "intro.ogg");
    // The whole intro, to its end: about 16 seconds and a slow fade.
    ASSERT_TRUE(StepUntil([] { return OnTheMap(); }, 5000)) << "the intro ends on the map";
    EXPECT_EQ(Player->Name, kZoe) << "first letter upper case";
    EXPECT_EQ(SaveData->timer, 0) << "relaxed play chosen";
    EXPECT_EQ(FileSize(Profiles() + kZoe + ".dat"), 696) << "the file is named in UTF-8";
    EXPECT_NE(SettingsText().find("PROFILE NAME=Zo\xEB\r\n"), std::string::npos)
        << "the settings hold one byte per letter";

    SaveData->CollectGold(70);  // as a level won would bank it
    Player->Level = Player->Unlocked = 2;
    Player->WriteProfile(Game->CurrentProfile);
    Restart();
    ASSERT_NE(Game->CurrentProfile, nullptr);
    EXPECT_EQ(Game->CurrentProfile->Name, kZoe);
    EXPECT_EQ(SaveData->GoldAvailable(), 70);
    EXPECT_EQ(SaveData->timer, 0);
    EXPECT_FALSE(TitleScreen->EnterName) << "no name asked";
    InjectMouseButton(1, true, 500, 500);
    InjectMouseButton(1, false, 500, 500);
    ASSERT_TRUE(StepUntil([] { return OnTheTitle(); }));
    Press("Return");
    ASSERT_TRUE(StepUntil([] { return OnTheMap(); }, 600));
    EXPECT_EQ(Player->Level, 2);
    EXPECT_EQ(Player->Unlocked, 2);
    EXPECT_EQ(SaveData->GoldAvailable(), 70) << "the first pumpkin is free";
}

TEST_F(PlayersScenarioTest, PlayersAreCreatedChosenAndDeletedWithTheirOwnProgress) {
    SelectProfile("Ann");
    SaveData->CollectGold(300);
    Game->CurrentProfile->Save();

    OpenManager();
    EXPECT_EQ(Listed(), std::vector<std::string>{"Ann"});
    CreateInManager("ben");
    EXPECT_EQ(Game->CurrentProfile->Name, "Ben");
    EXPECT_EQ(SaveData->GoldAvailable(), 0) << "a new player starts with nothing";
    EXPECT_EQ(SaveData->timer, 1) << "timed play chosen";
    EXPECT_EQ(FileSize(Profiles() + "Ben.dat"), 696);
    EXPECT_NE(SettingsText().find("PROFILE NAME=Ben\r\n"), std::string::npos);

    // A taken name is refused over the entry.
    OpenManager();
    ClickNamed(*manager_, "Create");
    ASSERT_TRUE(manager_->EnterName);
    ASSERT_TRUE(WaitUntilOpen(manager_->EnterName));
    Type("ann");
    Press("Return");
    ASSERT_TRUE(manager_->EnterName->DialogOK) << "an error notice";
    EXPECT_EQ(manager_->EnterName->DialogOK->Caption->Text, GameText->FindString("Profile Exists"));
    ASSERT_TRUE(WaitUntilOpen(manager_->EnterName->DialogOK));
    Press("Return");
    ASSERT_TRUE(StepUntil([&] { return !manager_->EnterName->DialogOK; }));
    Press("Escape");
    ASSERT_TRUE(StepUntil([&] { return !manager_->EnterName; }));

    // Ann again, with her gold.
    ASSERT_EQ(Listed(), (std::vector<std::string>{"Ann", "Ben"}));
    ClickAt(manager_->ListBox->Box->X + 30,
            manager_->ListBox->Box->Y + 0.5f * manager_->ListBox->LineHeight);
    ClickNamed(*manager_, "OK");
    ASSERT_TRUE(StepUntil([&] { return !manager_->Active; }));
    EXPECT_EQ(Game->CurrentProfile->Name, "Ann");
    EXPECT_EQ(SaveData->GoldAvailable(), 300);

    // Ben goes, after the question.
    OpenManager();
    ClickAt(manager_->ListBox->Box->X + 30,
            manager_->ListBox->Box->Y + 1.5f * manager_->ListBox->LineHeight);
    ASSERT_EQ(manager_->ListBox->Value, "Ben");
    ClickNamed(*manager_, "Delete");
    ASSERT_TRUE(manager_->DialogYesNo);
    EXPECT_TRUE(fs::exists(Profiles() + "Ben.dat")) << "not before the answer";
    ASSERT_TRUE(WaitUntilOpen(manager_->DialogYesNo));
    ClickNamed(*manager_->DialogYesNo, "Yes");
    ASSERT_TRUE(StepUntil([&] { return !manager_->DialogYesNo; }));
    EXPECT_FALSE(fs::exists(Profiles() + "Ben.dat"));
    EXPECT_EQ(Listed(), std::vector<std::string>{"Ann"});
    EXPECT_EQ(SaveData->GoldAvailable(), 300) << "the current player keeps her progress";
}

TEST_F(PlayersScenarioTest, AFifthPlayerIsTheLastOne) {
    SelectProfile("Ann");
    OpenManager();
    for (const char* name : {"Ben", "Cid", "Dot", "Eve"}) {
        SCOPED_TRACE(name);
        CreateInManager(name);
        OpenManager();
    }
    EXPECT_EQ(ProfileNames().size(), 5u);
    ClickNamed(*manager_, "Create");
    ASSERT_TRUE(manager_->DialogOK) << "refused";
    EXPECT_FALSE(manager_->EnterName) << "no name entry";
    EXPECT_EQ(manager_->DialogOK->Caption->Text, GameText->FindString("Cannot Create"));
    EXPECT_EQ(ProfileNames().size(), 5u);
}

TEST_F(PlayersScenarioTest, ForgottenOrDeletedPlayersGiveWayToTheFirstListed) {
    for (const char* name : {"Ben", "Ann", "Cid"})
        SelectProfile(name);

    // The settings lose the name (edited by hand): the next start takes the
    // first player listed and remembers them.
    Restart();
    EXPECT_EQ(Game->CurrentProfile->Name, "Cid");
    std::string settings = SettingsText();
    const size_t line = settings.find("PROFILE NAME=Cid\r\n");
    ASSERT_NE(line, std::string::npos);
    settings.erase(line + 13, 3);
    ASSERT_TRUE(SaveTextSafely(Game->SettingsPath(), settings));
    Restart();
    EXPECT_EQ(Game->CurrentProfile->Name, "Ann");
    EXPECT_NE(SettingsText().find("PROFILE NAME=Ann\r\n"), std::string::npos);
    EXPECT_EQ(ProfileNames(), (std::vector<std::string>{"Ann", "Ben", "Cid"})) << "none made";

    // The current player deleted in the manager, which is then left with
    // Escape: the first one left takes over.
    ToDialogScreen();
    OpenManager();
    ASSERT_EQ(manager_->ListBox->Value, "Ann");
    Press("Delete");
    ASSERT_TRUE(WaitUntilOpen(manager_->DialogYesNo));
    Press("Y");
    ASSERT_TRUE(StepUntil([&] { return !manager_->DialogYesNo; }));
    Press("Escape");
    ASSERT_TRUE(StepUntil([&] { return !manager_->Active; }));
    EXPECT_EQ(Game->CurrentProfile->Name, "Ben");
    Restart();
    EXPECT_EQ(Game->CurrentProfile->Name, "Ben");
}

}  // namespace
