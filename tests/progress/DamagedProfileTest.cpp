// Damaged and hand-edited profiles: a few thousand generated files (every
// length of a real file, random bytes, all bits set, each value at its
// extremes) load without a crash, leave the file as it was, and give the
// map and the level play only values that exist.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "board/Powerups.h"
#include "frame/Game.h"
#include "frame/Profile.h"
#include "play/Player.h"
#include "progress/ProfileFixture.h"
#include "progress/ProfileStore.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"

namespace {

class DamagedProfileTest : public ProfileTest {
  protected:
    // Loads the bytes as the remembered player's file and checks every value
    // the game reads from it.
    void LoadAndCheck(const std::vector<uint8_t>& bytes, const std::string& what) {
        SCOPED_TRACE(what);
        const std::string path = FileOf("Damaged");
        WriteBytes(path, bytes);
        Game->ProfileName = "Damaged";
        ASSERT_NO_THROW(LoadCurrentProfile());
        ASSERT_EQ(Bytes(path), bytes) << "loading never writes over the file";
        const TProfile& profile = *Game->CurrentProfile;
        ASSERT_GE(profile.LockedLevel, 2);
        ASSERT_LE(profile.LockedLevel, 101);
        ASSERT_GE(profile.CurrentLevel, 1);
        ASSERT_LE(profile.CurrentLevel, std::min(profile.LockedLevel - 1, 100));
        ASSERT_TRUE(std::isfinite(profile.TimeTaken));
        ASSERT_GE(profile.TimeTaken, 0);
        ASSERT_GE(profile.Score, 0);
        ASSERT_GE(profile.Kills, 0);
        for (int hint : profile.HintsShown)
            ASSERT_TRUE(hint == 0 || hint == 1) << hint;
        const TSaveData& progress = *SaveData;
        ASSERT_GE(progress.gaugeLevel, 0);
        ASSERT_LE(progress.gaugeLevel, TSaveData::GAUGE_FULL);
        ASSERT_TRUE(progress.showTips == 0 || progress.showTips == 1);
        ASSERT_TRUE(progress.timer == 0 || progress.timer == 1);
        for (int state : progress.shopPurchases) {
            ASSERT_GE(state, ShopItem::UNAVAILABLE);
            ASSERT_LE(state, ShopItem::PURCHASED);
        }
        ASSERT_GE(progress.goldCollected, 0);
        for (size_t i = 0; i < HUDPowerups.size(); ++i) {
            ASSERT_GE(HUDPowerups[i]->CurrentCharge, 0);
            ASSERT_LE(HUDPowerups[i]->CurrentCharge, kPowerupChargeNeeded[i]);
            ASSERT_LE(HUDPowerups[i]->CurrentCharge, progress.ChargeLimit(static_cast<int>(i)));
        }
        // What the map and the level play are given.
        ASSERT_EQ(Player->ReadProfile(Game->CurrentProfile, 0), 1);
        ASSERT_GE(Player->Unlocked, 1);
        ASSERT_LE(Player->Unlocked, 100);
        ASSERT_GE(Player->Level, 1);
        ASSERT_LE(Player->Level, Player->Unlocked);
        ++checked_;
    }

    // A file of a player well into the game.
    std::vector<uint8_t> RealFile() {
        SelectProfile("Real");
        TProfile& real = *Game->CurrentProfile;
        real.CurrentLevel = 41;
        real.LockedLevel = 64;
        real.Score = 2345678;
        real.Kills = 43210;
        real.TimeTaken = 912345.5;
        real.HintsShown[3] = real.HintsShown[60] = 1;
        SaveData->gaugeLevel = 7;
        SaveData->goldCollected = 1520;
        for (int id : {1, 3, 5, 13, 24, 25})
            SaveData->shopPurchases[id] = ShopItem::PURCHASED;
        HUDPowerups[0]->CurrentCharge = 6;
        real.Save();
        return Bytes(FileOf("Real"));
    }

    int checked_ = 0;
};

void PutDouble(std::vector<uint8_t>& bytes, size_t offset, double value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);  // little-endian host
}

TEST_F(DamagedProfileTest, EveryDamagedFileLoadsIntoValuesThatExist) {
    const std::vector<uint8_t> real = RealFile();
    ASSERT_EQ(real.size(), 696u);

    // Cut short at every length, the empty file included.
    for (size_t length = 0; length <= real.size(); ++length) {
        LoadAndCheck({real.begin(), real.begin() + static_cast<long>(length)},
                     "cut to " + std::to_string(length) + " bytes");
        if (HasFatalFailure()) return;
    }
    // Longer than any file the game writes.
    std::vector<uint8_t> longer = real;
    longer.resize(2000, 0xAB);
    LoadAndCheck(longer, "2000 bytes");

    for (uint8_t fill : {0x00, 0x7F, 0x80, 0xFF})
        LoadAndCheck(std::vector<uint8_t>(696, fill), "every byte " + std::to_string(fill));

    // Each integer of the file at the extremes of 32 bits (the stored value:
    // for the first five that is after scrambling).
    for (size_t offset = 0; offset < 696; offset += 4) {
        if (offset == 20 || offset == 24) continue;  // the play time, below
        for (int32_t value : {INT_MIN, INT_MIN + 1, -1, 0, 1, 3, 11, 101, INT_MAX}) {
            std::vector<uint8_t> bytes = real;
            PutInt(bytes, offset, value);
            LoadAndCheck(bytes, "offset " + std::to_string(offset) + " = " + std::to_string(value));
            if (HasFatalFailure()) return;
        }
    }
    for (double time :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity(), -1.0, -0.0, DBL_MAX, DBL_TRUE_MIN}) {
        std::vector<uint8_t> bytes = real;
        PutDouble(bytes, 20, time);
        LoadAndCheck(bytes, "time taken " + std::to_string(time));
    }

    // Random bytes of random lengths, from a fixed seed.
    std::mt19937 random(15);
    std::uniform_int_distribution<int> length(0, 900), byte(0, 255);
    for (int file = 0; file < 2000; ++file) {
        std::vector<uint8_t> bytes(static_cast<size_t>(length(random)));
        for (uint8_t& b : bytes)
            b = static_cast<uint8_t>(byte(random));
        LoadAndCheck(bytes, "random file " + std::to_string(file));
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(checked_, 3000);
}

TEST_F(DamagedProfileTest, AFileCutAmongTheHintsKeepsTheHintsItHolds) {
    std::vector<uint8_t> bytes = RealFile();
    bytes.resize(40 + 4 * 61);  // the hints up to number 60
    WriteBytes(FileOf("Real"), bytes);
    SelectProfile("Real");
    EXPECT_EQ(Game->CurrentProfile->HintsShown[3], 1);
    EXPECT_EQ(Game->CurrentProfile->HintsShown[60], 1);
    EXPECT_EQ(Game->CurrentProfile->CurrentLevel, 41);
    EXPECT_EQ(SaveData->GoldAvailable(), 0) << "the progress record reads as zeros";
    EXPECT_EQ(SaveData->showTips, 0);
}

}  // namespace
