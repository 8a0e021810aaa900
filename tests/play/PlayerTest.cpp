// The player's record: the level's clock, the low-time beep and the time-up,
// the time bonus, gold, and the copy to and from the profile.
#include <gtest/gtest.h>

#include "board/BoardFixture.h"
#include "board/Grid.h"
#include "engine/Audio.h"
#include "frame/Profile.h"
#include "media/Sound.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/SaveData.h"
#include "support/FrameFixture.h"

namespace {

class PlayerTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        FreshPlayObjects();
        Grid = TGameGrid::Create();
        Grid->TimeLimit = 12000;  // 60 s of 5 ms steps
        Player->InitNewLevelStats();
        UseManualAudioOutput(44100);  // channels play (silently) as on a real device
        Game->ChannelsCreate(16);
        beep_ = std::make_shared<TGameSound>();
        beep_->name = "BEEP";
        beep_->sound = TSound::FromSamples(std::vector<int16_t>(44100, 1000), 1, 44100);
        GameScreen->SoundLowTimeBeep = beep_;
    }
    void TearDown() override {
        Grid.reset();
        FrameTest::TearDown();
    }
    // Steps of the player's clock until this much time is left.
    void RunUntilMsLeft(float ms) {
        while (Player->TimeLeftMs() > ms && Player->Alive) {
            Delta = 1;
            Player->Manage();
        }
    }
    int BeepsPlaying() const {
        int beeps = 0;
        for (const TGameChannelPtr& channel : *Game->Channels)
            beeps += channel->name == "BEEP" && channel->Channel && channel->Channel->Playing();
        return beeps;
    }
    TGameSoundPtr beep_;
};

TEST_F(PlayerTest, TheClockShowsWholeSecondsCountedUpward) {
    EXPECT_EQ(ClockText(Player->WholeSecondsLeftMs()), "1:00");
    Player->LevelTimeTaken = 12000 - 40;  // 0.2 s left
    EXPECT_FLOAT_EQ(Player->TimeLeftMs(), 200);
    EXPECT_EQ(ClockText(Player->WholeSecondsLeftMs()), "0:01");
    Player->CalcLevelTimeLeft();
    Player->CalcTimeBonus();
    EXPECT_EQ(Player->TimeBonus, 10) << "10 points a second, the part second counted whole";
    EXPECT_EQ(Player->LevelScore, 10);
    Player->LevelTimeTaken = 13000;  // over the limit: never below zero
    EXPECT_FLOAT_EQ(Player->TimeLeftMs(), 0);
    EXPECT_EQ(ClockText(61500), "1:01");
    EXPECT_EQ(ClockText(-61500), "-1:-1");
}

TEST_F(PlayerTest, TheLastTenSecondsBeepOnceASecondThenTimeRunsOut) {
    SaveData->timer = 1;
    RunUntilMsLeft(10005);
    EXPECT_EQ(BeepsPlaying(), 0) << "no beep while the clock shows 0:11";
    RunUntilMsLeft(10000);
    EXPECT_EQ(BeepsPlaying(), 1) << "the beep at 0:10";
    RunUntilMsLeft(0);
    Delta = 1;
    Player->Manage();
    EXPECT_EQ(BeepsPlaying(), 11) << "0:10 down to 0:00";
    EXPECT_EQ(Player->Alive, 0);
    EXPECT_EQ(GameScreen->TimeUp, 1);
    EXPECT_GT(GameScreen->NoMoreCounter, 0);
}

TEST_F(PlayerTest, TimeNeverRunsOutInRelaxedModeOrWhileAPowerupWorks) {
    SaveData->timer = 0;
    for (int i = 0; i < 13000; ++i)
        Player->Manage();
    EXPECT_EQ(Player->Alive, 1);
    EXPECT_FLOAT_EQ(Player->LevelTimeTaken, 13000) << "the time is still counted";
    EXPECT_EQ(BeepsPlaying(), 0);

    SaveData->timer = 1;
    Player->InitNewLevelStats();
    Grid->HUDPowerupBlockInput = 1;
    for (int i = 0; i < 12100; ++i)
        Player->Manage();
    EXPECT_EQ(Player->Alive, 1) << "time up waits until the powerup is done";
    Grid->HUDPowerupBlockInput = 0;
    Player->Manage();
    EXPECT_EQ(Player->Alive, 0);
}

TEST_F(PlayerTest, GoldOnlyOnTheNewestLevelAndBagsGrowWithTheCats) {
    Player->Level = Player->Unlocked = 5;
    EXPECT_EQ(Player->LogGoldBagCollected(), 3);
    SaveData->shopPurchases[9] = 2;
    EXPECT_EQ(Player->LogGoldBagCollected(), 4);
    SaveData->shopPurchases[10] = 2;
    EXPECT_EQ(Player->LogGoldBagCollected(), 5) << "the second cat takes precedence";
    Player->LogGoldenSkullCollected();
    Player->LogGoldTileCollected();
    EXPECT_EQ(Player->levelGoldCollected, 15 + 20 + 25 + 20 + 1);
    SaveData->shopPurchases[22] = 2;
    EXPECT_EQ(Player->GetLevelGold(), 81 + 8);

    Player->InitNewLevelStats();
    Player->Level = 3;  // a replay
    Player->LogCoinCollected(2);
    Player->LogGoldenSkullCollected();
    EXPECT_EQ(Player->LogGoldBagCollected(), 0);
    Player->LogGoldTileCollected();
    EXPECT_EQ(Player->levelGoldCollected, 0);
    EXPECT_EQ(Player->levelTilesCollected, 1) << "tiles are still counted";
}

TEST_F(PlayerTest, TheProfileCarriesProgressAndALostLevelLeavesItAlone) {
    auto profile = std::make_shared<TProfile>();
    profile->Init("Ada");
    profile->Score = 500;
    profile->Kills = 40;
    ASSERT_EQ(Player->ReadProfile(profile, 0), 1);
    EXPECT_EQ(Player->Unlocked, 1) << "a new player";
    EXPECT_EQ(Player->TotalScore, 500);

    Player->LevelScore = 120;
    Player->UpdateLevelEndData();
    EXPECT_EQ(Player->Level, 2);
    EXPECT_EQ(Player->Unlocked, 2);
    ASSERT_EQ(Player->WriteProfile(profile), 1);
    EXPECT_EQ(profile->LockedLevel, 3);
    EXPECT_EQ(profile->CurrentLevel, 2);
    EXPECT_EQ(profile->Score, Player->TotalScore);

    Player->Die();
    EXPECT_EQ(Player->Alive, 0);
    EXPECT_EQ(profile->Score, Player->TotalScore) << "failing a level keeps the totals";
    EXPECT_EQ(profile->CurrentLevel, 2);
    Player->ProfileGameOver(profile, 0);
    EXPECT_EQ(profile->Score, 0);
    EXPECT_EQ(profile->CurrentLevel, 1);
    EXPECT_EQ(Player->ReadProfile(nullptr, 0), 0);
    EXPECT_EQ(Player->WriteProfile(nullptr), 0);
}

}  // namespace
