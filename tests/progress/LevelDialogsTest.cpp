// The messages tied to levels inside the whole program: the story chapter
// before its level every time, with its own picture, holding the level's
// intro until read; the found items and the shop's news once per player,
// remembered on disk; the shop's news taken on leaving a level and shown
// in the shop all the same.
#include <gtest/gtest.h>

#include <string>

#include "autoplay/AutoPlayer.h"
#include "board/Grid.h"
#include "frame/Game.h"
#include "frame/Profile.h"
#include "frame/Timing.h"
#include "media/GameImage.h"
#include "media/GameText.h"
#include "media/Label.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/LevelDialogs.h"
#include "progress/ProfileStore.h"
#include "support/Headless.h"
#include "ui/DialogFixture.h"

namespace {

class LevelDialogsTest : public DialogScreenTest {
  protected:
    void SetUp() override {
        DialogScreenTest::SetUp();
        if (HasFatalFailure()) return;
        SelectProfile("Ada");
        GameScreen->GameStart();
    }
    void TearDown() override {
        if (Game && Game->CurrentTScreen == GameScreen) GameScreen->Kill();
        DialogScreenTest::TearDown();
    }
    // The level's play screen entered afresh, as from the map.
    void StartLevel(int level) {
        if (Game->CurrentTScreen == GameScreen) {
            GameScreen->Kill();
            screen_->PreStart();
        }
        AutoPlayer::EnterLevel(level, 5, true);
        // The headless player skips the chapters; here they are the subject.
        GameScreen->ShownMessage = 0;
        ASSERT_EQ(Game->CurrentTScreen, GameScreen);
    }
    static bool IntroOver() {
        return !Game->Fading() && !GameScreen->IntroRunning() && !GameScreen->FadingIn;
    }
    static std::string Text(const std::string& key) { return GameText->FindString(key); }
    // The player's once-only flags as the file on disk holds them.
    static std::array<int, TProfile::MAX_HINTS> FlagsOnDisk() {
        TProfilePtr copy = TProfile::Create(Game->CurrentProfile->Name);
        copy->Load();
        return copy->HintsShown;
    }
    static void Drop(const TDialogOKPtr& dialog) {
        if (dialog) dialog->Kill();
    }
};

TEST_F(LevelDialogsTest, EachStoryChapterOpensInItsLevelsIntroEveryTimeWithItsPicture) {
    struct Case {
        int level;
        int chapter;  // 0: none
    };
    const Case cases[] = {{1, 1}, {1, 1}, {2, 0}, {4, 2}};
    bool saved = false;
    for (const Case& c : cases) {
        SCOPED_TRACE("level " + std::to_string(c.level));
        StartLevel(c.level);
        ASSERT_TRUE(StepUntil([] { return GameScreen->MessageDialog || IntroOver(); }, 1500));
        if (c.chapter == 0) {
            EXPECT_FALSE(GameScreen->MessageDialog) << "a level without a chapter";
            continue;
        }
        ASSERT_TRUE(GameScreen->MessageDialog) << "the chapter during the intro";
        TDialogOK& message = *GameScreen->MessageDialog;
        const std::string n = std::to_string(c.chapter);
        ASSERT_TRUE(message.TextHeader);
        EXPECT_EQ(message.TextHeader->Text, Text("StoryMessageHeader" + n));
        EXPECT_EQ(message.Caption->Text, Text("StoryMessageText" + n));
        ASSERT_TRUE(message.Picture && message.Picture->image);
        EXPECT_EQ(message.Picture->name, "STORY" + n) << "the chapter's own picture";
        EXPECT_LT(GameScreen->IntroAnim->Counter, Game->CalcAnimLength(1150));
        ASSERT_TRUE(WaitUntilOpen(GameScreen->MessageDialog));
        // The intro waits while the chapter is read.
        const float counter = GameScreen->IntroAnim->Counter;
        const float boardTop = Grid->topY;
        Step(100);
        EXPECT_EQ(GameScreen->IntroAnim->Counter, counter) << "the intro holds";
        EXPECT_EQ(Grid->topY, boardTop);
        if (!saved) {
            GameScreen->Draw();
            headless::SaveFrame("story-message-level" + std::to_string(c.level));
            saved = true;
        }
        Press("Return");
        ASSERT_TRUE(StepUntil([] { return !GameScreen->MessageDialog; }));
        ASSERT_TRUE(StepUntil([] { return IntroOver(); }, 400)) << "and then goes on";
        EXPECT_FALSE(GameScreen->MessageDialog) << "once per start of the level";
    }
    EXPECT_EQ(FlagsOnDisk(), Game->CurrentProfile->HintsShown);
    for (int flag : Game->CurrentProfile->HintsShown)
        EXPECT_EQ(flag, 0) << "story chapters set no flag";
}

TEST_F(LevelDialogsTest, FoundItemsAndShopNewsShowOncePerPlayerAndStaySeenOnDisk) {
    // The found pumpkin after level 1: its header, text and picture, once.
    TDialogOKPtr found = LevelDialogs::GetPostLevelDialog(1);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->TextHeader->Text, Text("FoundItemMessageHeader1"));
    ASSERT_TRUE(found->Picture && found->Picture->image);
    EXPECT_EQ(found->Picture->name, "FOUND PUMPKIN");
    Drop(found);
    EXPECT_FALSE(LevelDialogs::GetPostLevelDialog(1)) << "not a second time";
    EXPECT_EQ(FlagsOnDisk()[1], 1) << "the flag saved at once";
    EXPECT_FALSE(LevelDialogs::GetPostLevelDialog(3)) << "level 3 finds nothing";

    // The shop's news for level 2: taken when asked, shown all the same.
    EXPECT_EQ(LevelDialogs::HasShopLevelDialog(2), 1);
    EXPECT_EQ(LevelDialogs::HasShopLevelDialog(2), 0) << "the news is told once";
    EXPECT_EQ(FlagsOnDisk()[20], 1);
    TDialogOKPtr news = LevelDialogs::GetShopLevelDialog(2, 1);
    ASSERT_TRUE(news) << "shown although its flag is set";
    EXPECT_EQ(news->Caption->Text, Text("ShopMessage0"));
    EXPECT_FALSE(news->Picture) << "the old lady tells it, no picture";
    Drop(news);
    EXPECT_FALSE(LevelDialogs::GetShopLevelDialog(2, 0));
    EXPECT_EQ(LevelDialogs::HasShopLevelDialog(3), 0) << "no news at level 3";

    // A story level answers every time and touches no flag.
    const auto before = Game->CurrentProfile->HintsShown;
    EXPECT_EQ(LevelDialogs::HasDialog(4, LevelDialogInfo::PRE_LEVEL), 1);
    EXPECT_EQ(LevelDialogs::HasDialog(4, LevelDialogInfo::PRE_LEVEL), 1);
    EXPECT_EQ(Game->CurrentProfile->HintsShown, before);

    // Read back from her file, Ada has seen them; a new player has not.
    SelectProfile("Ada");
    EXPECT_FALSE(LevelDialogs::GetPostLevelDialog(1));
    EXPECT_EQ(LevelDialogs::HasShopLevelDialog(2), 0);
    SelectProfile("Bea");
    found = LevelDialogs::GetPostLevelDialog(1);
    EXPECT_TRUE(found) << "every player finds the pumpkin";
    Drop(found);
    EXPECT_EQ(LevelDialogs::HasShopLevelDialog(2), 1);
}

}  // namespace
