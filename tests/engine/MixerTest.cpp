// The mixer as the game drives it: channels on the manual output, checked on
// the rendered buffers.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/Audio.h"

namespace {

constexpr int kRate = 1000;

std::vector<float> Render(int frames) {
    std::vector<float> out(size_t(frames) * 2);
    MixAudio(out.data(), frames);
    return out;
}

// Mono sound holding one value (as a fraction of full scale).
SoundPtr Constant(float value, int frames = 1000, int flags = SOUND_LOOP) {
    return TSound::FromSamples(std::vector<int16_t>(size_t(frames), int16_t(value * 32768)), 1,
                               kRate, flags);
}

// Mono ramp: frame i holds Ramp(i).
constexpr int kRampStep = 30;
float Ramp(double frame) {
    return float(frame * kRampStep / 32768.0);
}
SoundPtr RampSound(int frames, int flags = 0, int rate = kRate) {
    std::vector<int16_t> samples;
    for (int i = 0; i < frames; ++i)
        samples.push_back(int16_t(i * kRampStep));
    return TSound::FromSamples(samples, 1, rate, flags);
}

// Frames rendered one at a time until the channel stops playing.
int FramesUntilEnd(const ChannelPtr& channel, int limit = 100000) {
    int frames = 0;
    while (channel->Playing() && frames < limit) {
        Render(1);
        ++frames;
    }
    return frames;
}

class MixerTest : public ::testing::Test {
  protected:
    void SetUp() override { UseManualAudioOutput(kRate); }
    void TearDown() override { ShutdownAudio(); }
};

TEST_F(MixerTest, VolumeAndPanFollowTheBalanceLaw) {
    struct Case {
        float volume, pan, left, right;
    };
    ChannelPtr mono = Constant(0.5f)->Play();
    for (const Case& c : std::vector<Case>{{1, 0, 0.5f, 0.5f},
                                           {0.5f, 0, 0.25f, 0.25f},
                                           {1, -1, 0.5f, 0},
                                           {1, 1, 0, 0.5f},
                                           {0.5f, -0.5f, 0.25f, 0.125f},
                                           {0.8f, 0.25f, 0.3f, 0.4f},
                                           {0, 0, 0, 0}}) {
        mono->SetVolume(c.volume);
        mono->SetPan(c.pan);
        std::vector<float> out = Render(8);
        for (int i = 0; i < 8; ++i) {
            EXPECT_NEAR(out[2 * i], c.left, 1e-6) << "volume " << c.volume << " pan " << c.pan;
            EXPECT_NEAR(out[2 * i + 1], c.right, 1e-6) << "volume " << c.volume << " pan " << c.pan;
        }
    }
    mono->Stop();

    // Stereo sources keep their sides; pan only attenuates one of them.
    std::vector<int16_t> frames;
    for (int i = 0; i < 100; ++i)
        frames.insert(frames.end(), {16384, -8192});
    ChannelPtr stereo = TSound::FromSamples(frames, 2, kRate, SOUND_LOOP)->Play();
    std::vector<float> out = Render(4);
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(out[1], -0.25f);
    stereo->SetPan(-1);
    out = Render(4);
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(out[1], 0.0f);
    stereo->SetPan(0.5f);
    out = Render(4);
    EXPECT_FLOAT_EQ(out[0], 0.25f);
    EXPECT_FLOAT_EQ(out[1], -0.25f);
}

TEST_F(MixerTest, RateScalesSpeedWithInterpolation) {
    constexpr int kFrames = 1000;
    ChannelPtr normal = RampSound(kFrames)->Play();
    EXPECT_EQ(FramesUntilEnd(normal), kFrames);

    ChannelPtr fast = RampSound(kFrames)->Cue();
    fast->SetRate(2);
    fast->SetPaused(false);
    std::vector<float> out = Render(kFrames / 2);
    for (int i = 0; i < kFrames / 2; ++i)
        ASSERT_FLOAT_EQ(out[2 * i], Ramp(2 * i)) << i;
    EXPECT_FALSE(fast->Playing());

    ChannelPtr slow = RampSound(kFrames)->Cue();
    slow->SetRate(0.5f);
    slow->SetPaused(false);
    out = Render(2 * kFrames - 1);
    EXPECT_TRUE(slow->Playing());
    for (int i = 0; i + 1 < kFrames; ++i) {
        ASSERT_FLOAT_EQ(out[4 * i], Ramp(i)) << i;
        ASSERT_NEAR(out[4 * i + 2], Ramp(i + 0.5), 1e-6) << i;
    }
    Render(1);
    EXPECT_FALSE(slow->Playing());

    // The source's own rate counts too: 500 Hz data on a 1000 Hz output
    // takes twice as long, and rate 2 brings it back to real time.
    ChannelPtr halfRate = RampSound(kFrames, 0, kRate / 2)->Play();
    EXPECT_EQ(FramesUntilEnd(halfRate), 2 * kFrames);
    ChannelPtr compensated = RampSound(kFrames, 0, kRate / 2)->Cue();
    compensated->SetRate(2);
    compensated->SetPaused(false);
    EXPECT_EQ(FramesUntilEnd(compensated), kFrames);
}

TEST_F(MixerTest, LoopWrapsWithoutAGap) {
    constexpr int kFrames = 100;
    SoundPtr ramp = RampSound(kFrames, SOUND_LOOP);
    ChannelPtr channel = ramp->Play();
    std::vector<float> out = Render(350);
    for (int i = 0; i < 350; ++i)
        ASSERT_FLOAT_EQ(out[2 * i], Ramp(i % kFrames)) << i;
    EXPECT_TRUE(channel->Playing());

    // Between the last frame and the first the interpolation blends the two.
    ramp->Cue(channel);  // the same channel: a dropped handle would keep looping
    channel->SetRate(0.5f);
    channel->SetPaused(false);
    out = Render(2 * kFrames + 2);
    EXPECT_NEAR(out[2 * (2 * kFrames - 1)], (Ramp(kFrames - 1) + Ramp(0)) / 2, 1e-6);
    EXPECT_FLOAT_EQ(out[2 * (2 * kFrames)], Ramp(0));
    EXPECT_NEAR(out[2 * (2 * kFrames + 1)], Ramp(0.5), 1e-6);
}

TEST_F(MixerTest, CuedAndPausedChannelsWaitInPlace) {
    ChannelPtr channel = RampSound(100)->Cue();
    EXPECT_TRUE(channel->Playing());
    EXPECT_TRUE(channel->Paused());
    channel->SetVolume(0.5f);
    for (float sample : Render(50))
        ASSERT_EQ(sample, 0.0f);

    channel->SetPaused(false);
    std::vector<float> out = Render(10);
    for (int i = 0; i < 10; ++i)
        EXPECT_FLOAT_EQ(out[2 * i], 0.5f * Ramp(i));

    channel->SetPaused(true);
    for (float sample : Render(20))
        ASSERT_EQ(sample, 0.0f);
    EXPECT_TRUE(channel->Playing());
    channel->SetPaused(false);
    EXPECT_FLOAT_EQ(Render(1)[0], 0.5f * Ramp(10));
}

TEST_F(MixerTest, StopSilencesAndEndsTheChannel) {
    ChannelPtr channel = Constant(0.5f)->Play();
    EXPECT_FLOAT_EQ(Render(1)[0], 0.5f);
    channel->Stop();
    EXPECT_FALSE(channel->Playing());
    for (float sample : Render(20))
        ASSERT_EQ(sample, 0.0f);

    ChannelPtr once = Constant(0.5f, 30, 0)->Play();
    Render(29);
    EXPECT_TRUE(once->Playing());
    Render(1);
    EXPECT_FALSE(once->Playing());
}

TEST_F(MixerTest, ChannelsSumAndClamp) {
    SoundPtr half = Constant(0.5f);
    SoundPtr quarter = Constant(0.25f);
    SoundPtr negative = Constant(-0.75f);

    std::vector<ChannelPtr> channels = {half->Play(), quarter->Play()};
    EXPECT_FLOAT_EQ(Render(1)[0], 0.75f);
    channels.push_back(half->Play());
    EXPECT_FLOAT_EQ(Render(1)[0], 1.0f);  // 1.25 clamped
    for (auto& channel : channels)
        channel->Stop();

    channels = {negative->Play(), negative->Play()};
    std::vector<float> out = Render(2);
    EXPECT_FLOAT_EQ(out[0], -1.0f);
    EXPECT_FLOAT_EQ(out[3], -1.0f);
}

TEST_F(MixerTest, PlayingOnABusyChannelReplacesItsSound) {
    ChannelPtr channel = Constant(0.5f)->Play();
    channel->SetVolume(0.5f);
    ChannelPtr same = Constant(-0.5f)->Play(channel);
    EXPECT_EQ(same, channel);
    EXPECT_FLOAT_EQ(Render(1)[0], -0.25f);  // only the new sound, at the channel's volume
    EXPECT_FLOAT_EQ(channel->Volume(), 0.5f);

    ChannelPtr fresh = AllocChannel();
    EXPECT_FALSE(fresh->Playing());
    EXPECT_GT(fresh->Id(), channel->Id());
    EXPECT_FLOAT_EQ(fresh->Volume(), 1.0f);
}

TEST_F(MixerTest, ReleasedHandlesDoNotCutSoundsOff) {
    SoundPtr sound = RampSound(100);
    std::weak_ptr<SoundData> data = sound->Data();
    ChannelPtr channel = sound->Play();
    Render(10);
    sound.reset();
    channel.reset();
    EXPECT_FALSE(data.expired());  // the mixer keeps the samples while they play
    std::vector<float> out = Render(90);
    for (int i = 0; i < 90; ++i)
        ASSERT_FLOAT_EQ(out[2 * i], Ramp(10 + i));
    RampSound(1)->Play();  // finished voices are collected when the next one starts
    EXPECT_TRUE(data.expired());

    // A cued sound whose channel is dropped could never start, so it goes.
    SoundPtr cued = RampSound(100);
    std::weak_ptr<SoundData> cuedData = cued->Data();
    cued->Cue();
    cued.reset();
    EXPECT_TRUE(cuedData.expired());
}

}  // namespace
