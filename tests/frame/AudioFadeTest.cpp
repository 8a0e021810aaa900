// Music and sounds over time: the music fade-out and the pause fade, step by
// step, and sounds and music following the screen fade.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "engine/Audio.h"
#include "frame/Screen.h"
#include "media/Sound.h"
#include "support/FrameFixture.h"
#include "support/SoundFiles.h"

namespace fs = std::filesystem;

namespace {

using namespace sound_files;

void WriteWav(const fs::path& path, int frames, int16_t value) {
    fs::create_directories(path.parent_path());
    const Bytes bytes = MakeWav(16, 1, 44100, Pcm16(std::vector<int16_t>(frames, value)));
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

class AudioFadeTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        UseManualAudioOutput(44100);
        const fs::path audio = home_ / "audio";
        WriteWav(audio / "music" / "tune.wav", 44100, 8192);
        WriteWav(audio / "sound" / "knock.wav", 4410, 8192);
        Game->SetMusicPath(audio.string() + "/music");
        Game->MusicChannel = AllocChannel();
        Game->SpeechChannel = AllocChannel();
        Game->MusicFadeIn = 0;
        Game->MusicVolume = 80;
        Game->MusicLoad("tune.wav", 1);
        Game->MusicPlay(0, 0, 0);
        knock_ = TGameSound::Create((audio / "sound" / "knock.wav").string());
        knock_->volume = 0.5f;
    }
    void TearDown() override {
        ShutdownAudio();
        FrameTest::TearDown();
    }
    float MusicVolume() const { return Game->MusicChannel->Volume(); }
    TGameSoundPtr knock_;
};

TEST_F(AudioFadeTest, TheMusicFadesOutStepByStepAndPlaysOnSilently) {
    ASSERT_FLOAT_EQ(MusicVolume(), 0.8f);
    Game->MusicFadeOutSet(1000);
    EXPECT_FLOAT_EQ(Game->MusicFadeOutCounter, 200.0f) << "1000 ms are 200 steps";
    Steps(50);
    EXPECT_NEAR(MusicVolume(), 0.8f * 0.75f, 1e-4);
    Steps(100);
    EXPECT_NEAR(MusicVolume(), 0.8f * 0.25f, 1e-4);

    // A pause stops the fade where it is.
    Game->Paused = 1;
    Steps(100);
    EXPECT_FLOAT_EQ(Game->MusicFadeOutCounter, 50.0f);
    Game->Paused = 0;

    Steps(60);
    EXPECT_FLOAT_EQ(Game->MusicFadeOutCounter, 0.0f);
    EXPECT_FLOAT_EQ(MusicVolume(), 0.0f);
    EXPECT_TRUE(Game->MusicChannel->Playing()) << "the track is not stopped";
    EXPECT_EQ(Game->MusicStopped, 0);

    // A fade of no length silences at once.
    Game->MusicSetVolume(80, 0);
    Game->MusicFadeOutSet(0);
    Game->MusicFadeOutApply();
    EXPECT_FLOAT_EQ(MusicVolume(), 0.0f);
}

TEST_F(AudioFadeTest, ThePauseFadeRunsDownOrUpOverItsLength) {
    ASSERT_FLOAT_EQ(Game->PauseFadeLength, 100.0f);
    Game->PauseFadeDirection = 0;
    Game->PauseFadeCounter = Game->CalcAnimLength(Game->PauseFadeLength);
    std::vector<float> down;
    for (int i = 0; i < 25; ++i) {
        Game->FixedRateLogic->SetDelta(1.0f);
        Game->PauseFadeManage();
        down.push_back(MusicVolume());
    }
    EXPECT_NEAR(down[0], 0.8f * 19 / 20, 1e-4) << "20 steps of 100 ms, down";
    EXPECT_NEAR(down[9], 0.8f * 10 / 20, 1e-4);
    EXPECT_FLOAT_EQ(down[19], 0.0f);
    EXPECT_FLOAT_EQ(down[24], 0.0f) << "and it stays there";

    Game->PauseFadeDirection = 1;
    Game->PauseFadeCounter = Game->CalcAnimLength(Game->PauseFadeLength);
    Game->FixedRateLogic->SetDelta(0.5f);  // half steps take twice as many calls
    Game->PauseFadeManage();
    EXPECT_NEAR(MusicVolume(), 0.8f * 0.5f / 20, 1e-4);
    for (int i = 0; i < 39; ++i)
        Game->PauseFadeManage();
    EXPECT_FLOAT_EQ(MusicVolume(), 0.8f) << "up to the music volume";
}

TEST_F(AudioFadeTest, SoundsMusicAndSpeechFollowTheScreenFade) {
    Game->SoundVolume = 60;
    ChannelPtr channel = AllocChannel();
    Game->GameSoundPlay(channel, knock_, 0);
    EXPECT_FLOAT_EQ(channel->Volume(), 0.6f * 0.5f) << "no fade: sound volume times its own";

    // Leaving the screen: the fade takes the music with it.
    Game->GameFade->Init(300, 1, Game->MusicChannel, 1, 0, nullptr);
    Steps(30);
    ASSERT_NEAR(Game->GameFade->Ratio, 0.5f, 1e-5);
    EXPECT_NEAR(MusicVolume(), 0.8f * 0.5f, 1e-4);
    EXPECT_NEAR(Game->SpeechChannel->Volume(), 0.5f, 1e-4) << "speech fades with the screen";
    Game->GameSoundPlay(channel, knock_, 0);
    EXPECT_NEAR(channel->Volume(), 0.6f * 0.5f * 0.5f, 1e-5) << "a sound started mid-fade";
    Steps(15);
    Game->GameSoundPlay(channel, knock_, 0);
    EXPECT_NEAR(channel->Volume(), 0.6f * 0.5f * 0.25f, 1e-5);

    Game->GameFade->Finish();
    EXPECT_FLOAT_EQ(MusicVolume(), 0.0f) << "out: silent at the end";
    Game->GameSoundPlay(channel, knock_, 0);
    EXPECT_FLOAT_EQ(channel->Volume(), 0.6f * 0.5f) << "after the fade, full again";
}

}  // namespace
