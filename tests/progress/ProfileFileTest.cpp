// The profile file: its byte layout, a save and load that change nothing, and
// what a failed write or an unreadable file leaves behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>

#include "board/Powerups.h"
#include "engine/Files.h"
#include "frame/Game.h"
#include "frame/Profile.h"
#include "progress/ProfileFixture.h"
#include "progress/ProfileStore.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"

namespace {

using ProfileFileTest = ProfileTest;

TEST_F(ProfileFileTest, ANewPlayersFileIs696BytesWithTheFirstFiveIntegersScrambled) {
    SelectProfile("Ada");
    const std::vector<uint8_t> file = Bytes(FileOf("Ada"));
    ASSERT_EQ(file.size(), 696u);
    // Current level 1, locked level 2, score 0, lives 3, kills 0, each stored
    // as value + 6130477 + i x 1873219.
    const int32_t stored[] = {6130478, 8003698, 9876915, 11750137, 13623353};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(IntAt(file, 4 * i), stored[i]) << "integer " << i;
    for (size_t offset = 20; offset < 28; ++offset)
        EXPECT_EQ(file[offset], 0) << "no time played yet";
    EXPECT_EQ(IntAt(file, 28), 0) << "difficulty";
    EXPECT_EQ(IntAt(file, 32), 1) << "tips flag";
    EXPECT_EQ(IntAt(file, 36), 1) << "instructions flag";
    for (size_t offset = 40; offset < 440; offset += 4)
        EXPECT_EQ(IntAt(file, offset), 0) << "no hint shown yet, offset " << offset;
    EXPECT_EQ(IntAt(file, 440), 0) << "gauge";
    EXPECT_EQ(IntAt(file, 444), 1) << "tips on";
    EXPECT_EQ(IntAt(file, 448), 1) << "the mode chosen: timed";
    for (size_t offset = 452; offset < 696; offset += 4)
        EXPECT_EQ(IntAt(file, offset), 0) << "nothing bought, banked or charged, offset " << offset;

    // A profile without the progress record stops after the hints.
    TProfilePtr bare = TProfile::Create("Bare");
    bare->Save();
    EXPECT_EQ(FileSize(FileOf("Bare")), 440);
}

TEST_F(ProfileFileTest, EveryFieldSurvivesASaveAndALoadAndTheBytesRoundTrip) {
    SelectProfile("Ada");
    TProfile& ada = *Game->CurrentProfile;
    ada.CurrentLevel = 37;
    ada.LockedLevel = 58;
    ada.Score = 1234567;
    ada.Lives = 2;
    ada.Kills = 98765;
    ada.TimeTaken = 4321.75;
    ada.Difficulty = 7;
    ada.HintsShown[0] = ada.HintsShown[42] = ada.HintsShown[99] = 1;
    SaveData->gaugeLevel = 6;
    SaveData->showTips = 0;
    SaveData->timer = 0;
    SaveData->bombBonusLevels.fill(1);
    SaveData->hudBonusLevels.fill(1);
    SaveData->shopPurchases[1] = ShopItem::PURCHASED;
    SaveData->shopPurchases[7] = ShopItem::AVAILABLE;
    SaveData->shopPurchases[40] = ShopItem::AVAILABLE;
    SaveData->goldCollected = 4321;
    for (size_t i = 0; i < HUDPowerups.size(); ++i)
        HUDPowerups[i]->CurrentCharge = static_cast<int>(i) + 3;
    ada.Save();
    const std::vector<uint8_t> saved = Bytes(FileOf("Ada"));

    // Another player in between, then Ada again from her file.
    SelectProfile("Ben");
    EXPECT_EQ(SaveData->goldCollected, 0) << "Ben starts with nothing";
    EXPECT_EQ(HUDPowerups[5]->CurrentCharge, 0) << "nor Ada's charges";
    SelectProfile("Ada");
    const TProfile& loaded = *Game->CurrentProfile;
    EXPECT_EQ(loaded.CurrentLevel, 37);
    EXPECT_EQ(loaded.LockedLevel, 58);
    EXPECT_EQ(loaded.Score, 1234567);
    EXPECT_EQ(loaded.Lives, 2);
    EXPECT_EQ(loaded.Kills, 98765);
    EXPECT_EQ(loaded.TimeTaken, 4321.75);
    EXPECT_EQ(loaded.Difficulty, 7);
    EXPECT_EQ(loaded.HintsShown[42], 1);
    EXPECT_EQ(loaded.HintsShown[41], 0);
    EXPECT_EQ(SaveData->gaugeLevel, 6);
    EXPECT_EQ(SaveData->showTips, 0);
    EXPECT_EQ(SaveData->timer, 0);
    EXPECT_EQ(SaveData->shopPurchases[1], ShopItem::PURCHASED);
    EXPECT_EQ(SaveData->shopPurchases[7], ShopItem::AVAILABLE);
    EXPECT_EQ(SaveData->GoldAvailable(), 4321);
    EXPECT_EQ(HUDPowerups[5]->CurrentCharge, 8);
    Game->CurrentProfile->Save();
    EXPECT_EQ(Bytes(FileOf("Ada")), saved) << "saving what was loaded changes no byte";
}

TEST_F(ProfileFileTest, StoredBonusLevelsAllReadBackAsOne) {
    SelectProfile("Ada");
    std::vector<uint8_t> file = Bytes(FileOf("Ada"));
    const int32_t stored[13] = {3, 2, 0, 1, 3, 0, 2, 0, 3, 1, 2, 0, 3};
    for (size_t i = 0; i < 13; ++i)
        PutInt(file, 452 + 4 * i, stored[i]);
    WriteBytes(FileOf("Ada"), file);
    SelectProfile("Ada");
    for (int level : SaveData->bombBonusLevels)
        EXPECT_EQ(level, 1);
    for (int level : SaveData->hudBonusLevels)
        EXPECT_EQ(level, 1);
    Game->CurrentProfile->Save();
    file = Bytes(FileOf("Ada"));
    for (size_t offset = 452; offset < 504; offset += 4)
        EXPECT_EQ(IntAt(file, offset), 1) << "offset " << offset;
}

// The largest values a file the game wrote can hold must not be mistaken
// for damage.
TEST_F(ProfileFileTest, TheEndsOfEveryValidRangeLoadUnchanged) {
    SelectProfile("Ada");
    TProfile& ada = *Game->CurrentProfile;
    ada.LockedLevel = 101;  // the last level won
    ada.CurrentLevel = 100;
    ada.Score = INT_MAX;
    ada.Kills = INT_MAX;
    ada.TimeTaken = 1e12;
    ada.HintsSet(1);
    SaveData->gaugeLevel = TSaveData::GAUGE_FULL;
    SaveData->shopPurchases.fill(ShopItem::PURCHASED);
    SaveData->goldCollected = INT_MAX;
    SaveData->bombBonusLevels.fill(1);
    SaveData->hudBonusLevels.fill(1);
    // Both charge items are bought: the stake holds 8, the crystal 24.
    const int limits[6] = {8, 12, 9, 16, 14, 24};
    for (size_t i = 0; i < HUDPowerups.size(); ++i)
        HUDPowerups[i]->CurrentCharge = limits[i];
    ada.Save();
    const std::vector<uint8_t> saved = Bytes(FileOf("Ada"));
    SelectProfile("Ada");
    EXPECT_EQ(Game->CurrentProfile->LockedLevel, 101);
    EXPECT_EQ(Game->CurrentProfile->CurrentLevel, 100);
    for (size_t i = 0; i < HUDPowerups.size(); ++i)
        EXPECT_EQ(HUDPowerups[i]->CurrentCharge, limits[i]) << "powerup " << i;
    Game->CurrentProfile->Save();
    EXPECT_EQ(Bytes(FileOf("Ada")), saved);
}

TEST_F(ProfileFileTest, SavingReplacesTheFileWholeAndAFailedSaveKeepsTheOldOne) {
    SelectProfile("Ada");
    const std::string path = FileOf("Ada");
    const std::vector<uint8_t> before = Bytes(path);

    // A temporary file left by a crash is nobody's profile and goes at the
    // next save.
    WriteBytes(path + ".tmp", {1, 2, 3});
    EXPECT_EQ(ProfileNames(), std::vector<std::string>{"Ada"});
    Game->CurrentProfile->Save();
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

    // The temporary file cannot be made: the fatal message names the profile
    // file, which keeps its old bytes.
    ASSERT_TRUE(CreateDir(path + ".tmp"));
    Game->CurrentProfile->Score = 999;
    EXPECT_EQ(FatalMessageOf([] { Game->CurrentProfile->Save(); }),
              "Could not create file '" + path + "'");
    EXPECT_EQ(Bytes(path), before);
}

TEST_F(ProfileFileTest, AProfileThatCannotBeReadEndsTheGameAndIsNotOverwritten) {
    // A folder where the file should be.
    ASSERT_TRUE(CreateDir(FileOf("Ada")));
    EXPECT_EQ(FatalMessageOf([] { SelectProfile("Ada"); }), "Error loading file " + FileOf("Ada"));
    EXPECT_TRUE(std::filesystem::is_directory(FileOf("Ada")));

    // A file without read permission (the superuser reads it anyway).
    SelectProfile("Ben");
    const std::vector<uint8_t> before = Bytes(FileOf("Ben"));
    ASSERT_EQ(chmod(FileOf("Ben").c_str(), 0200), 0);
    if (geteuid() != 0) {
        EXPECT_EQ(FatalMessageOf([] { SelectProfile("Ben"); }),
                  "Error loading file " + FileOf("Ben"));
    }
    chmod(FileOf("Ben").c_str(), 0600);
    EXPECT_EQ(Bytes(FileOf("Ben")), before);
}

}  // namespace
