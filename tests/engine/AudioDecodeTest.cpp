// Loading sounds: WAV variants written byte by byte, Ogg Vorbis files encoded
// here with libvorbisenc, damaged files, and long Ogg files that stream.
#include <gtest/gtest.h>
#include <unistd.h>
#include <vorbis/vorbisenc.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine/Audio.h"
#include "engine/SoundDecoders.h"
#include "support/SoundFiles.h"

namespace {
using namespace sound_files;

namespace fs = std::filesystem;
constexpr double kPi = 3.14159265358979323846;

auto Sine(double frequency, int rate, float amplitude) {
    return [=](int, int frame) {
        return amplitude * float(std::sin(2 * kPi * frequency * frame / rate));
    };
}

std::vector<float> Render(int frames) {
    std::vector<float> out(size_t(frames) * 2);
    MixAudio(out.data(), frames);
    return out;
}

// Frequency from upward zero crossings of one side of a stereo buffer.
double Frequency(const std::vector<float>& stereo, int side, int first, int last, int rate) {
    int crossings = 0;
    for (int i = first + 1; i < last; ++i) {
        if (stereo[2 * (i - 1) + side] < 0 && stereo[2 * i + side] >= 0) ++crossings;
    }
    return crossings * double(rate) / (last - first);
}

double Rms(const std::vector<float>& stereo, int side, int first, int last) {
    double sum = 0;
    for (int i = first; i < last; ++i)
        sum += double(stereo[2 * i + side]) * stereo[2 * i + side];
    return std::sqrt(sum / (last - first));
}

// Largest change between neighbouring left samples in [first, last).
float LargestStep(const std::vector<float>& stereo, int first, int last) {
    float step = 0;
    for (int i = first; i < last; ++i) {
        step = std::max(step, std::abs(stereo[2 * i + 2] - stereo[2 * i]));
    }
    return step;
}

class SoundFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("hollowmere-audio-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override {
        ShutdownAudio();
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    std::string Write(const std::string& name, const Bytes& bytes) {
        std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    fs::path dir_;
};

TEST_F(SoundFileTest, WavVariantsDecodeToTheirSamples) {
    struct Case {
        int bits, channels, rate;
        Bytes pcm;
        std::vector<float> expected;  // interleaved, -1..1
    };
    const std::vector<Case> cases = {
        {8, 1, 11025, {128, 255, 0, 192}, {0.0f, 127 / 128.0f, -1.0f, 0.5f}},
        {8, 2, 22050, {128, 64, 255, 0}, {0.0f, -0.5f, 127 / 128.0f, -1.0f}},
        {16, 1, 44100, Pcm16({0, 16384, -32768, 32767}), {0.0f, 0.5f, -1.0f, 32767 / 32768.0f}},
        {16,
         2,
         48000,
         Pcm16({1000, -1000, -16384, 8192}),
         {1000 / 32768.0f, -1000 / 32768.0f, -0.5f, 0.25f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.bits) + "-bit, " + std::to_string(c.channels) + " ch");
        SoundPtr sound =
            TSound::Load(Write("sound.wav", MakeWav(c.bits, c.channels, c.rate, c.pcm)));
        ASSERT_TRUE(sound);
        int frames = int(c.expected.size()) / c.channels;
        EXPECT_EQ(sound->SampleRate(), c.rate);
        EXPECT_EQ(sound->ChannelCount(), c.channels);
        EXPECT_DOUBLE_EQ(sound->LengthSeconds(), double(frames) / c.rate);
        EXPECT_FALSE(sound->Streamed());

        // At the sound's own rate the mixer passes samples through unchanged.
        UseManualAudioOutput(c.rate);
        sound->Play();
        std::vector<float> out = Render(frames);
        for (int i = 0; i < frames; ++i) {
            float left = c.expected[size_t(i * c.channels)];
            float right = c.expected[size_t(i * c.channels + c.channels - 1)];
            EXPECT_FLOAT_EQ(out[2 * i], left) << "frame " << i;
            EXPECT_FLOAT_EQ(out[2 * i + 1], right) << "frame " << i;
        }
    }
}

TEST_F(SoundFileTest, DamagedWavFilesGiveNull) {
    Bytes valid = MakeWav(16, 2, 22050, Pcm16({1, 2, 3, 4, 5, 6, 7, 8}));
    ASSERT_TRUE(TSound::Load(Write("valid.wav", valid)));
    for (size_t length = 0; length < valid.size(); ++length) {
        Bytes cut(valid.begin(), valid.begin() + std::ptrdiff_t(length));
        EXPECT_FALSE(TSound::Load(Write("cut.wav", cut))) << "cut at " << length;
    }

    auto withFormat = [](int bits, int channels, int rate) {
        return MakeWav(bits, channels, rate, Pcm16({1, 2, 3, 4}));
    };
    EXPECT_FALSE(TSound::Load(Write("24bit.wav", withFormat(24, 1, 44100))));
    EXPECT_FALSE(TSound::Load(Write("0ch.wav", withFormat(16, 0, 44100))));
    EXPECT_FALSE(TSound::Load(Write("6ch.wav", withFormat(16, 6, 44100))));
    EXPECT_FALSE(TSound::Load(Write("0hz.wav", withFormat(16, 1, 0))));

    Bytes hugeData = valid;
    size_t dataSize = hugeData.size() - 16 - 4;  // the "data" length field
    hugeData[dataSize] = hugeData[dataSize + 1] = hugeData[dataSize + 2] = 0xF0;
    EXPECT_FALSE(TSound::Load(Write("huge.wav", hugeData)));

    std::mt19937 random(5);
    Bytes noise = {'R', 'I', 'F', 'F', 0, 1, 0, 0, 'W', 'A', 'V', 'E'};
    for (int i = 0; i < 400; ++i)
        noise.push_back(uint8_t(random()));
    EXPECT_FALSE(TSound::Load(Write("noise.wav", noise)));
    EXPECT_FALSE(TSound::Load((dir_ / "missing.wav").string()));
}

TEST_F(SoundFileTest, ShortOggDecodesWholeWithItsSignal) {
    SoundPtr mono =
        TSound::Load(Write("tone.ogg", EncodeOgg(1, 44100, 44100, Sine(440, 44100, 0.5f)).bytes));
    ASSERT_TRUE(mono);
    EXPECT_FALSE(mono->Streamed());
    EXPECT_EQ(mono->ChannelCount(), 1);
    EXPECT_EQ(mono->SampleRate(), 44100);
    EXPECT_NEAR(mono->LengthSeconds(), 1.0, 0.001);

    UseManualAudioOutput(44100);
    ChannelPtr channel = mono->Play();
    std::vector<float> out = Render(44100);
    EXPECT_NEAR(Frequency(out, 0, 4410, 39690, 44100), 440, 3);
    EXPECT_NEAR(Rms(out, 0, 4410, 39690), 0.5 / std::sqrt(2.0), 0.02);
    EXPECT_NEAR(Rms(out, 1, 4410, 39690), 0.5 / std::sqrt(2.0), 0.02);
    Render(100);
    EXPECT_FALSE(channel->Playing());

    auto twoTones = [](int channel, int frame) {
        return Sine(channel == 0 ? 440 : 660, 22050, 0.4f)(channel, frame);
    };
    SoundPtr stereo = TSound::Load(Write("stereo.ogg", EncodeOgg(2, 22050, 11025, twoTones).bytes));
    ASSERT_TRUE(stereo);
    EXPECT_EQ(stereo->ChannelCount(), 2);
    EXPECT_NEAR(stereo->LengthSeconds(), 0.5, 0.001);
    UseManualAudioOutput(22050);
    stereo->Play();
    out = Render(11025);
    EXPECT_NEAR(Frequency(out, 0, 1000, 10000, 22050), 440, 5);
    EXPECT_NEAR(Frequency(out, 1, 1000, 10000, 22050), 660, 5);
}

TEST_F(SoundFileTest, DamagedOggFilesGiveNull) {
    OggFile valid = EncodeOgg(1, 22050, 4000, Sine(300, 22050, 0.5f));
    ASSERT_TRUE(TSound::Load(Write("valid.ogg", valid.bytes)));
    const size_t h = valid.headerBytes;
    for (size_t length : {size_t(4), size_t(27), size_t(28), size_t(58), h / 2, h - 1, h, h + 1}) {
        Bytes cut(valid.bytes.begin(), valid.bytes.begin() + std::ptrdiff_t(length));
        EXPECT_FALSE(TSound::Load(Write("cut.ogg", cut))) << "cut at " << length;
    }

    std::mt19937 random(9);
    Bytes noise = {'O', 'g', 'g', 'S'};
    for (int i = 0; i < 5000; ++i)
        noise.push_back(uint8_t(random()));
    EXPECT_FALSE(TSound::Load(Write("noise.ogg", noise)));

    EXPECT_FALSE(TSound::Load(Write("empty.ogg", {})));
}

// Where each page of an Ogg file starts.
std::vector<size_t> PageStarts(const Bytes& ogg) {
    std::vector<size_t> starts;
    for (size_t at = 0; at + 27 <= ogg.size();) {
        starts.push_back(at);
        const size_t segments = ogg[at + 26];
        size_t body = 0;
        for (size_t i = 0; i < segments; ++i)
            body += ogg[at + 27 + i];
        at += 27 + segments + body;
    }
    return starts;
}

// A file cut short decodes as far as it goes, so it is caught before that:
// it must end with the last page of its stream, every page of it whole.
TEST_F(SoundFileTest, OggFilesCutShortOrWithADamagedPageGiveNull) {
    // Noise fills pages quickly: a file of many pages.
    const auto noise = [](int, int frame) {
        return float((uint32_t(frame) * 2654435761u) >> 16 & 0xFFFF) / 65536.0f - 0.5f;
    };
    const std::pair<int, int> rateAndFrames[] = {{22050, 3 * 22050}, {8000, 12 * 8000}};
    for (const auto& [rate, frames] : rateAndFrames) {  // decoded whole, and streamed
        SCOPED_TRACE(frames);
        const Bytes whole = EncodeOgg(1, rate, frames, noise).bytes;
        SoundPtr sound = TSound::Load(Write("whole.ogg", whole));
        ASSERT_TRUE(sound);
        EXPECT_EQ(sound->Data()->frames, frames);

        const std::vector<size_t> pages = PageStarts(whole);
        ASSERT_GE(pages.size(), 5u);  // two of headers, then sound
        const auto cut = [&](size_t length) {
            return Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(length));
        };
        EXPECT_FALSE(TSound::Load(Write("half.ogg", cut(whole.size() / 2))));
        EXPECT_FALSE(TSound::Load(Write("last-page-cut.ogg", cut(whole.size() - 1))));
        EXPECT_FALSE(TSound::Load(Write("no-last-page.ogg", cut(pages.back()))))
            << "ends between pages, but not with the last one";

        // Damaged sound pages alone would be skipped over while decoding.
        Bytes damaged = whole;
        damaged[(pages[pages.size() - 2] + pages.back()) / 2] ^= 0x40;
        EXPECT_FALSE(TSound::Load(Write("damaged-page.ogg", damaged)));
        Bytes trailing = whole;
        trailing.insert(trailing.end(), {'j', 'u', 'n', 'k'});
        EXPECT_FALSE(TSound::Load(Write("trailing.ogg", trailing)));
    }
}

class StreamedOggTest : public SoundFileTest {
  protected:
    static constexpr int kRate = 8000;
    // 440 Hz fits a whole number of periods into 12 s, so the loop is smooth.
    static constexpr int kFrames = 12 * kRate;

    void SetUp() override {
        SoundFileTest::SetUp();
        path_ = Write("music.ogg", EncodeOgg(1, kRate, kFrames, Sine(440, kRate, 0.4f)).bytes);
        UseManualAudioOutput(kRate);
    }
    std::string path_;
};

TEST_F(StreamedOggTest, PlaysToItsEndAndChannelsDecodeIndependently) {
    SoundPtr music = TSound::Load(path_);
    ASSERT_TRUE(music);
    EXPECT_TRUE(music->Streamed());
    EXPECT_EQ(music->SampleRate(), kRate);
    EXPECT_NEAR(music->LengthSeconds(), 12.0, 0.01);

    ChannelPtr channel = music->Play();
    std::vector<float> first = Render(kFrames - 80);
    EXPECT_TRUE(channel->Playing());
    EXPECT_NEAR(Frequency(first, 0, 0, kFrames - 80, kRate), 440, 1);
    EXPECT_NEAR(Rms(first, 0, 1000, kFrames - 1000), 0.4 / std::sqrt(2.0), 0.02);
    // Chunk boundaries are invisible: no step between frames is larger than
    // the sine's own steepest one.
    EXPECT_LT(LargestStep(first, 0, kFrames - 81), 1.2f * LargestStep(first, 1000, 3000));
    Render(160);
    EXPECT_FALSE(channel->Playing());

    // Two channels, two decoders: each hears the whole sound, so the sum is
    // twice one of them.
    ChannelPtr a = music->Play();
    ChannelPtr b = music->Play();
    std::vector<float> both = Render(kRate);
    float worst = 0;
    for (int i = 0; i < 2 * kRate; ++i)
        worst = std::max(worst, std::abs(both[i] - 2 * first[i]));
    EXPECT_LT(worst, 1e-4f);
}

TEST_F(StreamedOggTest, LoopingStreamStartsOverSeamlessly) {
    SoundPtr music = TSound::Load(path_, SOUND_LOOP);
    ASSERT_TRUE(music);
    ChannelPtr channel = music->Play();
    std::vector<float> out;
    // Odd block sizes put the refills and the loop point mid-block.
    for (int rendered = 0; rendered < kFrames + 2 * kRate; rendered += 441) {
        std::vector<float> block = Render(441);
        out.insert(out.end(), block.begin(), block.end());
    }
    EXPECT_TRUE(channel->Playing());

    float worstRepeat = 0;
    for (int i = kRate / 2; i < kRate * 3 / 2; ++i) {
        worstRepeat = std::max(worstRepeat, std::abs(out[2 * (kFrames + i)] - out[2 * i]));
    }
    EXPECT_LT(worstRepeat, 0.01f);

    EXPECT_LT(LargestStep(out, kFrames - 200, kFrames + 200), 1.2f * LargestStep(out, 1000, 3000));
    channel->Stop();
    EXPECT_FALSE(channel->Playing());
}

TEST_F(StreamedOggTest, StreamsOnTheDeviceThread) {
    const char* oldDriver = std::getenv("SDL_AUDIODRIVER");
    const std::string saved = oldDriver ? oldDriver : "";
    setenv("SDL_AUDIODRIVER", "dummy", 1);  // SDL reads it once, when it opens
    const bool opened = SetAudioDriver("FreeAudio");
    if (oldDriver) {
        setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    } else {
        unsetenv("SDL_AUDIODRIVER");
    }
    ASSERT_TRUE(opened);

    SoundPtr music = TSound::Load(path_, SOUND_LOOP);
    ASSERT_TRUE(music);
    ChannelPtr channel = music->Play();
    ChannelPtr fast = music->Play();
    for (int i = 0; i < 20; ++i) {
        fast->SetRate(1.0f + i * 0.35f);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(channel->Playing());
    // Handles dropped while the device thread decodes from their streams.
    fast.reset();
    music.reset();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(channel->Playing());
    channel->Stop();
    EXPECT_FALSE(channel->Playing());
}

}  // namespace
