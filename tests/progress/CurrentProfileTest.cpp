// The current player: players keep their own progress, the settings remember
// who played last, and the start-up falls back to a listed player when the
// remembered one is gone.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/Files.h"
#include "frame/Game.h"
#include "frame/Profile.h"
#include "media/GameText.h"
#include "play/Player.h"
#include "progress/ProfileFixture.h"
#include "progress/ProfileStore.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"

namespace {

using CurrentProfileTest = ProfileTest;

// A player wins levels up to `unlocked`, banks gold and buys the first
// pumpkin, as the level-complete screen and the shop record it.
void Play(int unlocked, int gold) {
    Player->ReadProfile(Game->CurrentProfile, 0);
    Player->Level = Player->Unlocked = unlocked;
    SaveData->CollectGold(gold);
    SaveData->PurchaseItem(SHOP_PUMPKIN);
    Player->WriteProfile(Game->CurrentProfile);
}

TEST_F(CurrentProfileTest, ThreePlayersOnOneComputerKeepTheirOwnProgress) {
    SelectProfile("Ann");
    Play(12, 300);
    SelectProfile("Ben");
    EXPECT_EQ(SaveData->GoldAvailable(), 0) << "a new player starts from nothing";
    EXPECT_EQ(Game->CurrentProfile->LockedLevel, 2);
    Play(3, 40);
    SelectProfile("Cid");
    EXPECT_EQ(SaveData->shopPurchases[SHOP_PUMPKIN], ShopItem::UNAVAILABLE);

    struct Expected {
        std::string name;
        int lockedLevel, gold, pumpkin;
    };
    for (const Expected& player : {Expected{"Ann", 13, 300, ShopItem::PURCHASED},
                                   Expected{"Ben", 4, 40, ShopItem::PURCHASED},
                                   Expected{"Cid", 2, 0, ShopItem::UNAVAILABLE}}) {
        SCOPED_TRACE(player.name);
        SelectProfile(player.name);
        EXPECT_EQ(Game->CurrentProfile->Name, player.name);
        EXPECT_EQ(Game->CurrentProfile->LockedLevel, player.lockedLevel);
        EXPECT_EQ(SaveData->GoldAvailable(), player.gold);
        EXPECT_EQ(SaveData->shopPurchases[SHOP_PUMPKIN], player.pumpkin);
    }
    EXPECT_EQ(ProfileNames(), (std::vector<std::string>{"Ann", "Ben", "Cid"}));
}

TEST_F(CurrentProfileTest, AnUnusableRememberedNameFallsBackToTheFirstListedPlayer) {
    SelectProfile("Ben");
    SelectProfile("Ann");
    struct Case {
        const char* remembered;
        const char* chosen;
    };
    const Case cases[] = {
        {"Ben", "Ben"},   // the remembered player
        {"", "Ann"},      // emptied by hand
        {" Ben", "Ann"},  // a name no player can have
        {"a/b", "Ann"},   // ... nor a file
        {"Gone", "Ann"},  // a player whose file was deleted
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.remembered);
        Game->ProfileName = c.remembered;
        Game->CurrentProfile.reset();
        ASSERT_TRUE(LoadRememberedProfile());
        EXPECT_EQ(Game->CurrentProfile->Name, c.chosen);
        EXPECT_EQ(Game->ProfileName, c.chosen);
        if (std::string(c.remembered) != c.chosen) {
            EXPECT_NE(SettingsText().find(std::string("PROFILE NAME=") + c.chosen + "\r\n"),
                      std::string::npos)
                << "the settings remember the player chosen instead";
        }
    }
    EXPECT_EQ(ProfileNames(), (std::vector<std::string>{"Ann", "Ben"})) << "no file was made";
}

TEST_F(CurrentProfileTest, WithoutAnyPlayerANameIsAskedForAndNoFileIsMade) {
    Game->ProfileName = "Ann";
    EXPECT_FALSE(LoadRememberedProfile());
    SelectProfile("");
    EXPECT_EQ(Game->CurrentProfile, nullptr);
    EXPECT_TRUE(LoadDir(Game->ProfilePath).empty()) << "not even a file named \".dat\"";
    EXPECT_FALSE(LoadRememberedProfile());
}

TEST_F(CurrentProfileTest, TheListHoldsOnlyProfilesAndATakenNameIsRefused) {
    SelectProfile("Ann");
    for (const char* stray : {"Ann.dat.tmp", "notes.txt", ".dat", "Bad_Name.dat"})
        WriteBytes(Game->ProfilePath + stray, {0});
    EXPECT_EQ(ProfileNames(), std::vector<std::string>{"Ann"});

    const TGameTextPtr shipped = GameText;
    GameText = std::make_shared<TGameText>();
    GameText->ReadLines({"[TEXT]", "Profile Exists", "That name is taken."});
    std::string message = "old";
    EXPECT_EQ(ProfileNameFree("Ben", message), 1);
    EXPECT_EQ(message, "");
    EXPECT_EQ(ProfileNameFree("Ann", message), -1);
    EXPECT_EQ(message, "That name is taken.");
    EXPECT_EQ(ProfileNameFree("ANN", message), -1) << "file names ignore letter case";
    GameText = shipped;

    EXPECT_TRUE(DeleteProfileFile("Ann"));
    EXPECT_FALSE(DeleteProfileFile("Ann"));
    EXPECT_TRUE(ProfileNames().empty());
}

}  // namespace
