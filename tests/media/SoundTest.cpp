// The channel pool, the music state machine and speech, checked on what
// reaches the mixer, not only on the fields.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "engine/Audio.h"
#include "media/Sound.h"
#include "support/FrameFixture.h"
#include "support/SoundFiles.h"

namespace {

using namespace sound_files;

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A mono 44.1 kHz WAV whose samples rise from 0 by `step` per frame, so a
// position in it can be read back from what is mixed.
Bytes RampWav(int frames, int16_t step) {
    std::vector<int16_t> samples(frames);
    for (int i = 0; i < frames; ++i)
        samples[i] = static_cast<int16_t>(i * step);
    return MakeWav(16, 1, 44100, Pcm16(samples));
}

Bytes ConstantWav(int frames, int16_t value) {
    return MakeWav(16, 1, 44100, Pcm16(std::vector<int16_t>(frames, value)));
}

// Left channel of `frames` mixed frames.
std::vector<float> MixLeft(int frames) {
    std::vector<float> stereo(static_cast<size_t>(frames) * 2);
    MixAudio(stereo.data(), frames);
    std::vector<float> left(frames);
    for (int i = 0; i < frames; ++i)
        left[i] = stereo[i * 2];
    return left;
}

class SoundTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        UseManualAudioOutput(44100);
        folder_ = home_ / "audio";
        WriteFile(folder_ / "music" / "loop.wav", RampWav(20000, 1));
        WriteFile(folder_ / "music" / "short.wav", ConstantWav(441, 8000));
        WriteFile(folder_ / "sound" / "tone.wav", ConstantWav(44100, 3277));  // 0.1 full scale
        WriteFile(folder_ / "sound" / "line.wav", ConstantWav(44100, 16384));
        WriteFile(folder_ / "sound" / "other.wav", ConstantWav(44100, 8192));
        Game->SetMusicPath(folder_.string() + "/music");
        SoundBank.Clear();
        SoundBank.SetPath(folder_.string() + "/sound");
        Game->MusicChannel = AllocChannel();
        Game->SpeechChannel = AllocChannel();
    }
    void TearDown() override {
        SoundBank.Clear();
        ShutdownAudio();
        FrameTest::TearDown();
    }
    std::filesystem::path folder_;
};

TEST_F(SoundTest, PoolKeepsRequestedVolumesAndHandsOutFreeChannels) {
    Game->ChannelsCreate(16);
    ASSERT_EQ(Game->Channels->Count(), 16);
    EXPECT_FLOAT_EQ(Game->Channels->MaxVol, 16.0f);
    EXPECT_EQ(DropChannel->Reserved, 1);
    TGameSoundPtr tone = SoundBank.Load("tone");
    EXPECT_EQ(SoundBank.Find("TONE"), tone);
    for (int i = 0; i < 5; ++i) {
        TGameChannelPtr channel = Game->Channels->PlayGameSound(tone, nullptr, 0.8f, 0);
        ASSERT_TRUE(channel);
        EXPECT_NE(channel, DropChannel);
    }
    EXPECT_EQ(Game->Channels->CountPlaying(), 5);
    // Five sounds at 0.1 full scale, each at the requested 0.8: the budget of
    // 16 leaves them unscaled.
    EXPECT_NEAR(MixLeft(64)[32], 5 * 0.1f * 0.8f, 0.01f);
    Game->SoundSetVolume(50, 0);
    Game->Channels->Manage();
    EXPECT_NEAR(MixLeft(64)[32], 5 * 0.1f * 0.8f * 0.5f, 0.01f);

    EXPECT_EQ(FatalMessageOf([] { SoundBank.Find("nothing"); }),
              "Sound 'NOTHING' was not found in the SoundBank");

    // Three channels: one reserved, one busy: nothing else is free.
    TChannelArrayPtr pool = TChannelArray::Create(3);
    pool->ChannelByIndex(2)->Reserved = 1;
    tone->sound->Play(pool->ChannelByIndex(3)->Channel);
    EXPECT_EQ(pool->GetChannel(), nullptr);
    pool->ChannelByIndex(3)->PlayWhenFinished = 0;
    EXPECT_EQ(pool->GetChannel(), pool->ChannelByIndex(3))
        << "may interrupt when not waiting for the end";

    TGameChannelPtr stopped = pool->ChannelByIndex(3);
    pool->StopGameChannel(stopped);
    EXPECT_EQ(pool->Count(), 3);
    EXPECT_FALSE(pool->Contains(stopped));
    EXPECT_FALSE(stopped->Channel->Playing());
    EXPECT_EQ(pool->Current, pool->Last());
}

TEST_F(SoundTest, EffectsPlayThroughThePoolAndKeepTheSoundsOwnPitch) {
    TGameSoundPtr tone = SoundBank.Load("tone", 1.25f);
    Game->ChannelsKill();
    ASSERT_FALSE(Game->Channels);
    EXPECT_EQ(PlaySound(tone), nullptr) << "no pool yet: nothing plays";
    EXPECT_EQ(FatalMessageOf([] { PlayNamedSound("nothing"); }), "")
        << "no pool yet: the name is not even looked up";
    EXPECT_EQ(PlaySound(nullptr), nullptr);

    Game->ChannelsCreate(16);
    TGameChannelPtr plain = PlaySound(tone, 0.8f, -0.5f);
    ASSERT_TRUE(plain);
    EXPECT_FLOAT_EQ(plain->OriginalVolume, 0.8f);
    EXPECT_FLOAT_EQ(plain->Channel->Pan(), -0.5f);
    EXPECT_FLOAT_EQ(plain->Channel->Rate(), 1.25f) << "the sound's own pitch";

    TGameChannelPtr lowered = PlaySoundAtPitch(tone, 0.8f, 0.5f);
    ASSERT_TRUE(lowered);
    EXPECT_NE(lowered, plain);
    EXPECT_FLOAT_EQ(lowered->Channel->Rate(), 0.8f);
    EXPECT_FLOAT_EQ(lowered->OriginalVolume, 0.5f);
    EXPECT_FLOAT_EQ(tone->pitch, 1.25f) << "the sound keeps its own pitch for the next time";

    TGameChannelPtr named = PlayNamedSound("TONE", 1.0f, 1.0f);
    ASSERT_TRUE(named);
    EXPECT_EQ(named->name, "TONE");
    EXPECT_FLOAT_EQ(named->Channel->Pan(), 1.0f);
    EXPECT_EQ(Game->Channels->CountPlaying(), 3);
    EXPECT_EQ(FatalMessageOf([] { PlayNamedSound("nothing"); }),
              "Sound 'NOTHING' was not found in the SoundBank");
}

TEST_F(SoundTest, MusicStateMachine) {
    // Loaded but never started: switching music off changes nothing.
    Game->MusicLoad("loop.wav", 1);
    EXPECT_EQ(Game->MusicOff(), 0);
    EXPECT_EQ(Game->Music, 1);

    // Playing at half music volume reaches the mixer at half amplitude.
    Game->MusicVolume = 50;
    Game->MusicFadeIn = 0;
    Game->MusicPlay(0, 0, 0);
    std::vector<float> played = MixLeft(1000);
    EXPECT_NEAR(played[999], 999 / 32767.0f * 0.5f, 1e-4);
    // Off pauses; on resumes where it stopped.
    EXPECT_EQ(Game->MusicOff(), 1);
    EXPECT_EQ(Game->Music, 0);
    EXPECT_FLOAT_EQ(MixLeft(100)[50], 0.0f);
    EXPECT_EQ(Game->MusicOn(), 1);
    EXPECT_NEAR(MixLeft(10)[0], 1000 / 32767.0f * 0.5f, 1e-4)
        << "a looped track resumes where it paused";

    // A track loaded while music is off is only remembered...
    Game->MusicOff();
    Game->MusicNone();
    Game->MusicLoad("loop.wav", 1);
    EXPECT_EQ(Game->MusicFileName, "loop.wav");
    EXPECT_EQ(Game->MusicOn(), 1);
    EXPECT_FALSE(Game->MusicChannel->Playing()) << "not played: the last started name is none";
    // ... and played on switching music on once it was asked to play.
    Game->MusicOff();
    Game->MusicStop();
    Game->Music = 0;
    Game->MusicLoad("loop.wav", 1);
    Game->MusicPlay(0, 0, 0);
    EXPECT_EQ(Game->MusicName, "loop.wav");
    Game->MusicOn();
    EXPECT_TRUE(Game->MusicChannel->Playing());

    // A non-looped track that finished stays finished.
    Game->MusicLoad("short.wav", 0);
    Game->MusicPlay(0, 0, 0);
    MixLeft(2000);
    Game->CheckWindow();
    EXPECT_EQ(Game->MusicStopped, 1);
    Game->MusicOff();
    Game->MusicOn();
    EXPECT_FALSE(Game->MusicChannel->Playing());
    EXPECT_FLOAT_EQ(MixLeft(10)[5], 0.0f);
}

TEST_F(SoundTest, SpeechLineIsNotInterruptedUnlessAsked) {
    TGameSoundPtr line = SoundBank.Load("line");
    TGameSoundPtr other = SoundBank.Load("other");
    Game->SpeechPlay(line, 0);
    EXPECT_NEAR(MixLeft(10)[5], 0.5f, 1e-3);
    Game->SpeechPlay(other, 0);
    EXPECT_NEAR(MixLeft(10)[5], 0.5f, 1e-3) << "the running line goes on";
    Game->SpeechPlay(other, 1);
    EXPECT_NEAR(MixLeft(10)[5], 0.25f, 1e-3);
    Game->SpeechOff();
    EXPECT_FLOAT_EQ(MixLeft(10)[5], 0.0f);
    EXPECT_EQ(Game->SpeechOn(), 1);
    EXPECT_NEAR(MixLeft(10)[5], 0.25f, 1e-3);
}

TEST_F(SoundTest, SilentOutputPlaysNothingAndBreaksNothing) {
    ASSERT_TRUE(SetAudioDriver("None"));
    const OggFile ogg = EncodeOgg(
        2, 44100, 22050, [](int, int frame) { return 0.3f * float(std::sin(frame * 0.05)); });
    WriteFile(folder_ / "music" / "tune.ogg", ogg.bytes);
    Game->ChannelsCreate(16);
    TGameSoundPtr tone = SoundBank.Load("tone");
    TGameChannelPtr channel = Game->Channels->PlayGameSound(tone, nullptr, 1.0f, 0);
    ASSERT_TRUE(channel);
    EXPECT_FALSE(channel->Channel->Playing());
    Game->MusicLoad("tune.ogg", 1);
    Game->MusicPlay(0, 0, 0);
    EXPECT_FALSE(Game->MusicChannel->Playing());
    Game->CheckWindow();
    EXPECT_EQ(Game->MusicStopped, 0) << "a looped track is never taken for finished";
    Game->ChangeSoundDriver("No Such Driver", 0);
    EXPECT_EQ(Game->SoundDriver, "None");
}

}  // namespace
