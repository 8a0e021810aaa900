// Audio outputs: the driver names, silence, a real (dummy) device and a
// device that cannot be opened.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "engine/Audio.h"
#include "support/ScopedEnv.h"

namespace {

SoundPtr Tone(int frames, int flags = 0) {
    std::vector<int16_t> samples;
    for (int i = 0; i < frames; ++i)
        samples.push_back(int16_t((i % 40 - 20) * 800));
    return TSound::FromSamples(samples, 1, 44100, flags);
}

class AudioOutputTest : public ::testing::Test {
  protected:
    void TearDown() override { ShutdownAudio(); }
};

void ExpectSilentOutput() {
    EXPECT_FALSE(AudioDeviceOpen());
    SoundPtr sound = Tone(2000, SOUND_LOOP);
    ChannelPtr played = sound->Play();
    ASSERT_TRUE(played);
    EXPECT_FALSE(played->Playing());
    ChannelPtr cued = sound->Cue();
    ASSERT_TRUE(cued);
    EXPECT_FALSE(cued->Playing());
    cued->SetPaused(false);
    cued->SetVolume(0.5f);
    EXPECT_FALSE(cued->Playing());
    std::vector<float> out(200, 1.0f);
    MixAudio(out.data(), 100);
    for (float sample : out)
        ASSERT_EQ(sample, 0.0f);
}

TEST_F(AudioOutputTest, DriverNamesAndSilentOutputs) {
    EXPECT_EQ(AudioDrivers(), (std::vector<std::string>{"FreeAudio", "DirectSound",
                                                        "OpenAL Generic Software", "None"}));
    EXPECT_TRUE(SetAudioDriver("None"));
    EXPECT_EQ(AudioDriver(), "None");
    ExpectSilentOutput();

    // An unknown name fails and leaves the output silent, even after a
    // working one.
    UseManualAudioOutput();
    EXPECT_EQ(MixerSampleRate(), 44100);
    EXPECT_FALSE(SetAudioDriver("Wave Mapper"));
    EXPECT_EQ(AudioDriver(), "None");
    ExpectSilentOutput();
}

TEST_F(AudioOutputTest, DeviceDriverPlaysOnTheOutputThread) {
    ScopedEnv driver("SDL_AUDIODRIVER", "dummy");  // no sound card needed
    ASSERT_TRUE(SetAudioDriver("FreeAudio"));
    EXPECT_EQ(AudioDriver(), "FreeAudio");
    EXPECT_TRUE(AudioDeviceOpen());
    EXPECT_GT(MixerSampleRate(), 0);

    // A 50 ms sound ends by itself once the device thread has mixed it.
    ChannelPtr shortSound = Tone(2205)->Play();
    EXPECT_TRUE(shortSound->Playing());
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (shortSound->Playing() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_FALSE(shortSound->Playing());

    // Changing channels and dropping sounds while the thread mixes them.
    ChannelPtr loop = Tone(3000, SOUND_LOOP)->Play();
    for (int i = 0; i < 50; ++i) {
        loop->SetRate(0.5f + i * 0.03f);
        loop->SetPan(i % 2 ? -0.5f : 0.5f);
        Tone(500)->Play();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(loop->Playing());

    // Switching drivers stops what played; shutting down twice is harmless.
    EXPECT_TRUE(SetAudioDriver("DirectSound"));
    EXPECT_FALSE(loop->Playing());
    ShutdownAudio();
    EXPECT_FALSE(AudioDeviceOpen());
    ShutdownAudio();
    ExpectSilentOutput();
}

TEST_F(AudioOutputTest, DeviceThatFailsToOpenLeavesSilence) {
    ShutdownAudio();
    ScopedEnv driver("SDL_AUDIODRIVER", "no-such-audio-driver");
    EXPECT_FALSE(SetAudioDriver("OpenAL Generic Software"));
    ExpectSilentOutput();
}

}  // namespace
