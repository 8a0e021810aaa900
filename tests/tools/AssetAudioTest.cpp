// The asset tool's sound: WAV and Ogg files it writes are read back by the
// game's own decoders with the same length, rate and content, Ogg encoding
// repeats byte for byte, and the synthesis blocks behave as sound should.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "assetkit/Audio.h"
#include "assetkit/Bytes.h"
#include "engine/SoundDecoders.h"

namespace {

namespace fs = std::filesystem;
using asset::Pcm;

Pcm Tone(int channels, size_t frames, int rate, double frequency, float amplitude) {
    Pcm pcm(channels, frames, rate);
    for (size_t i = 0; i < frames; ++i) {
        pcm.At(i, 0) = amplitude * float(asset::Sine(frequency * double(i) / rate));
    }
    return pcm;
}

// Frequency from upward zero crossings of one channel.
double Frequency(const std::vector<float>& samples, int channels, int channel, int rate) {
    const size_t frames = samples.size() / channels;
    int crossings = 0;
    for (size_t i = 1; i < frames; ++i) {
        if (samples[(i - 1) * channels + channel] < 0 && samples[i * channels + channel] >= 0)
            ++crossings;
    }
    return crossings * double(rate) / double(frames);
}

double Rms(const std::vector<float>& samples, int channels, int channel, size_t first,
           size_t last) {
    double sum = 0;
    for (size_t i = first; i < last; ++i)
        sum += std::pow(samples[i * channels + channel], 2);
    return std::sqrt(sum / double(last - first));
}

double Rms(const Pcm& pcm, size_t first, size_t last) {
    return Rms(pcm.samples, pcm.channels, 0, first, last);
}

uint32_t ReadLE32(const asset::Bytes& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24;
}

std::shared_ptr<SoundData> DecodeOgg(const asset::Bytes& bytes) {
    const fs::path path =
        fs::temp_directory_path() / ("hollowmere-assetaudio-" + std::to_string(getpid()) + ".ogg");
    EXPECT_TRUE(asset::WriteIfChanged(path.string(), bytes));
    auto data = LoadSoundData(path.string());
    fs::remove(path);
    return data;
}

TEST(AssetAudio, WavComesBackThroughTheGamesDecoder) {
    Pcm pcm = Tone(2, 11025, 22050, 441, 0.6f);
    for (size_t i = 0; i < pcm.Frames(); ++i)
        pcm.At(i, 1) = -0.25f;
    pcm.At(100, 1) = 1.7f;  // beyond full scale: clipped, not wrapped round
    pcm.At(101, 1) = -3.0f;
    const asset::Bytes wav = asset::EncodeWav16(pcm);
    EXPECT_EQ(ReadLE32(wav, 4), wav.size() - 8) << "RIFF size";
    EXPECT_EQ(ReadLE32(wav, 24), 22050u) << "rate, little endian";

    const auto data = DecodeWav(wav.data(), wav.size());
    ASSERT_TRUE(data);
    EXPECT_EQ(data->channels, 2);
    EXPECT_EQ(data->sampleRate, 22050);
    ASSERT_EQ(data->frames, 11025);
    ASSERT_EQ(data->SampleCount(), pcm.samples.size());
    for (size_t i = 0; i < pcm.samples.size(); ++i) {
        const float expected = std::clamp(pcm.samples[i], -1.0f, 1.0f);
        ASSERT_NEAR(data->Sample(i), expected, 2.0 / 32768) << "sample " << i;
    }
    EXPECT_GT(data->Sample(201), 0.99f);
    EXPECT_LT(data->Sample(203), -0.99f);

    const asset::Bytes monoWav = asset::EncodeWav16(Tone(1, 4410, 44100, 1000, 0.5f));
    const auto mono = DecodeWav(monoWav.data(), monoWav.size());
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono->channels, 1);
    EXPECT_EQ(mono->frames, 4410);
    std::vector<float> monoSamples;
    for (size_t i = 0; i < mono->SampleCount(); ++i)
        monoSamples.push_back(mono->Sample(i));
    EXPECT_NEAR(Frequency(monoSamples, 1, 0, 44100), 1000, 15);
}

TEST(AssetAudio, OggKeepsLengthPitchAndChannels) {
    // A length that is not a whole number of encoder chunks, one that is,
    // and a stereo file at another rate.
    for (const size_t frames : {size_t(44100), size_t(8192)}) {
        const Pcm pcm = Tone(1, frames, 44100, 440, 0.5f);
        const auto data = DecodeOgg(asset::EncodeOgg(pcm));
        ASSERT_TRUE(data) << frames;
        EXPECT_FALSE(data->Streamed());
        EXPECT_EQ(data->channels, 1);
        EXPECT_EQ(data->sampleRate, 44100);
        EXPECT_EQ(data->frames, int64_t(frames)) << "the whole sound, and nothing more";
        EXPECT_NEAR(Frequency(data->samples, 1, 0, 44100), 440, 10);
        EXPECT_NEAR(Rms(data->samples, 1, 0, 1000, frames - 1000), 0.5 / std::sqrt(2.0), 0.03);
    }
    const Pcm stereo = Tone(2, 33075, 22050, 300, 0.7f);  // the right side stays silent
    const auto data = DecodeOgg(asset::EncodeOgg(stereo, 0.6f));
    ASSERT_TRUE(data);
    EXPECT_EQ(data->channels, 2);
    EXPECT_EQ(data->sampleRate, 22050);
    EXPECT_EQ(data->frames, 33075);
    EXPECT_NEAR(Frequency(data->samples, 2, 0, 22050), 300, 10);
    EXPECT_GT(Rms(data->samples, 2, 0, 0, 33075), 0.4);
    EXPECT_LT(Rms(data->samples, 2, 1, 0, 33075), 0.02);
}

TEST(AssetAudio, OggEncodingRepeatsByteForByte) {
    asset::Rng rng(asset::SeedOf("rain"));
    Pcm pcm = asset::Reverb(asset::Noise(0.3, rng), 0.5, 0.3, 0.4);
    asset::FadeEdges(pcm);
    const asset::Bytes first = asset::EncodeOgg(pcm, 0.4f, 7);
    ASSERT_GT(first.size(), 4u);
    EXPECT_EQ(std::string(first.begin(), first.begin() + 4), "OggS");
    EXPECT_EQ(asset::EncodeOgg(pcm, 0.4f, 7), first);
    const asset::Bytes other = asset::EncodeOgg(pcm, 0.4f, 8);
    EXPECT_NE(other, first) << "the serial number is written";
    EXPECT_EQ(other.size(), first.size());
    EXPECT_GT(asset::EncodeOgg(pcm, 0.9f, 7).size(), first.size()) << "quality is applied";
    EXPECT_THROW(asset::EncodeOgg(Pcm(1, 100, 1000000)), std::runtime_error);
}

TEST(AssetAudio, MixingPansGrowsAndAdds) {
    Pcm bed(2, 100);
    Pcm one(1, 50);
    for (float& s : one.samples)
        s = 1.0f;
    bed.Mix(one, 10, 0.5f, -1.0f);  // hard left
    EXPECT_FLOAT_EQ(bed.At(10, 0), 0.5f);
    EXPECT_FLOAT_EQ(bed.At(10, 1), 0.0f);
    EXPECT_FLOAT_EQ(bed.At(9, 0), 0.0f);
    bed.Mix(one, 30, 1.0f, 0.5f);  // leaning right: right full, left half
    EXPECT_FLOAT_EQ(bed.At(40, 0), 0.5f + 0.5f);
    EXPECT_FLOAT_EQ(bed.At(40, 1), 1.0f);
    EXPECT_FLOAT_EQ(bed.At(70, 1), 1.0f);
    EXPECT_FLOAT_EQ(bed.At(70, 0), 0.5f);
    bed.Mix(one, 90);  // past the end: the buffer grows, silence in between
    ASSERT_EQ(bed.Frames(), 140u);
    EXPECT_FLOAT_EQ(bed.At(139, 0), 1.0f);
    EXPECT_FLOAT_EQ(bed.At(139, 1), 1.0f);
    EXPECT_FLOAT_EQ(bed.At(85, 1), 0.0f);
    EXPECT_DOUBLE_EQ(bed.Seconds(), 140.0 / asset::kSampleRate);
}

TEST(AssetAudio, LoudnessAndEdgesAreControlled) {
    Pcm pcm = Tone(1, 44100, 44100, 100, 0.5f);
    EXPECT_NEAR(asset::PeakOf(pcm), 0.5, 1e-3);
    EXPECT_NEAR(asset::RmsOf(pcm), 0.5 / std::sqrt(2.0), 1e-3);
    asset::ScaleTo(pcm, 0.89);
    EXPECT_NEAR(asset::PeakOf(pcm), 0.89, 1e-5);
    // The peak limit wins over a loud target, the target over a high limit.
    asset::NormaliseLoudness(pcm, 0.9);
    EXPECT_NEAR(asset::PeakOf(pcm), 0.89, 1e-5);
    asset::NormaliseLoudness(pcm, 0.1, 0.99);
    EXPECT_NEAR(asset::RmsOf(pcm), 0.1, 1e-4);

    Pcm silence(1, 100);
    asset::ScaleTo(silence, 0.9);
    asset::NormaliseLoudness(silence, 0.2);
    EXPECT_EQ(asset::PeakOf(silence), 0.0) << "no division by zero";
    Pcm empty;
    EXPECT_EQ(asset::RmsOf(empty), 0.0);
    asset::FadeEdges(empty);

    Pcm flat(2, 4410);
    for (float& s : flat.samples)
        s = 1.0f;
    asset::FadeEdges(flat, 2.0, 8.0);
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(flat.At(0, c), 0.0f) << "a sound must not start with a click";
        EXPECT_EQ(flat.At(4409, c), 0.0f) << "nor stop with one";
        EXPECT_EQ(flat.At(2000, c), 1.0f);
    }
    for (size_t i = 1; i < 4410; ++i) {
        ASSERT_LE(std::abs(flat.At(i, 0) - flat.At(i - 1, 0)), 1.0f / 88 + 1e-6) << i;
    }
    Pcm tiny(1, 3);
    for (float& s : tiny.samples)
        s = 1.0f;
    asset::FadeEdges(tiny, 50, 50);  // fades longer than the sound itself
    EXPECT_EQ(tiny.At(0, 0), 0.0f);
    EXPECT_EQ(tiny.At(2, 0), 0.0f);
}

TEST(AssetAudio, OscillatorsAndEnvelopeHaveTheirShapes) {
    EXPECT_NEAR(asset::Sine(0.25), 1.0, 1e-12);
    EXPECT_NEAR(asset::Triangle(0.0), -1.0, 1e-12);
    EXPECT_NEAR(asset::Triangle(0.25), 0.0, 1e-12);
    EXPECT_NEAR(asset::Triangle(0.5), 1.0, 1e-12);
    int high = 0;
    for (int i = -400; i < 400; ++i) {
        const double phase = i / 100.0 + 0.005;
        for (double v : {asset::Sine(phase), asset::Triangle(phase), asset::Saw(phase)}) {
            ASSERT_GE(v, -1.0);
            ASSERT_LE(v, 1.0);
        }
        // Whole cycles repeat, negative phases included.
        ASSERT_NEAR(asset::Saw(phase), asset::Saw(phase + 3), 1e-9) << phase;
        ASSERT_NEAR(asset::Triangle(phase), asset::Triangle(phase + 1), 1e-9) << phase;
        if (asset::Square(phase, 0.25) > 0) ++high;
    }
    EXPECT_EQ(high, 200) << "a quarter duty is high a quarter of the time";

    const asset::Adsr envelope{0.1, 0.2, 0.5, 0.4};
    EXPECT_EQ(envelope.Level(-0.1, 1), 0.0);
    EXPECT_NEAR(envelope.Level(0.05, 1), 0.5, 1e-9);
    EXPECT_NEAR(envelope.Level(0.1, 1), 1.0, 1e-9);
    EXPECT_NEAR(envelope.Level(0.3, 1), 0.5, 1e-9);
    EXPECT_NEAR(envelope.Level(0.9, 1), 0.5, 1e-9);
    EXPECT_NEAR(envelope.Level(1.2, 1), 0.25, 1e-9);
    EXPECT_EQ(envelope.Level(1.5, 1), 0.0);
    // Released during the attack: the release starts where the attack was.
    EXPECT_NEAR(envelope.Level(0.05, 0.05), envelope.Level(0.0499999, 0.05), 1e-5);
    EXPECT_LT(envelope.Level(0.1, 0.05), envelope.Level(0.05, 0.05));
    const asset::Adsr instant{0, 0, 1, 0};
    EXPECT_EQ(instant.Level(0, 1), 1.0);
    EXPECT_EQ(instant.Level(1.0001, 1), 0.0);
}

TEST(AssetAudio, FiltersPassAndStopTheRightBands) {
    const int rate = 44100;
    auto gain = [&](asset::Biquad filter, double frequency) {
        Pcm pcm = Tone(1, 22050, rate, frequency, 0.5f);
        const double before = Rms(pcm, 11025, 22050);
        filter.Apply(pcm);
        return Rms(pcm, 11025, 22050) / before;  // after the filter has settled
    };
    EXPECT_NEAR(gain(asset::Biquad::LowPass(rate, 2000), 100), 1.0, 0.02);
    EXPECT_LT(gain(asset::Biquad::LowPass(rate, 500), 8000), 0.01);
    EXPECT_NEAR(gain(asset::Biquad::HighPass(rate, 500), 8000), 1.0, 0.02);
    EXPECT_LT(gain(asset::Biquad::HighPass(rate, 2000), 100), 0.01);
    EXPECT_NEAR(gain(asset::Biquad::BandPass(rate, 1000, 2), 1000), 1.0, 0.02);
    EXPECT_LT(gain(asset::Biquad::BandPass(rate, 1000, 2), 8000), 0.2);
    EXPECT_NEAR(gain(asset::Biquad::Peak(rate, 1000, 1, 6), 1000), std::pow(10, 6 / 20.0), 0.03);
    EXPECT_NEAR(gain(asset::Biquad::Peak(rate, 1000, 1, 6), 10000), 1.0, 0.1);

    // Each channel runs its own state, and the filter itself stays fresh.
    asset::Biquad lowPass = asset::Biquad::LowPass(rate, 300);
    asset::Rng rng(3);
    const Pcm source = asset::Noise(0.1, rng);
    Pcm twice(2, source.Frames());
    twice.Mix(source, 0);
    Pcm mono = source;
    lowPass.Apply(twice);
    lowPass.Apply(mono);
    for (size_t i = 0; i < mono.Frames(); ++i) {
        ASSERT_EQ(twice.At(i, 0), mono.At(i, 0));
        ASSERT_EQ(twice.At(i, 1), mono.At(i, 0));
    }
    Pcm onlyRight(2, source.Frames());
    onlyRight.Mix(source, 0);
    lowPass.Apply(onlyRight, 1);
    EXPECT_EQ(onlyRight.At(500, 0), source.At(500, 0));
    EXPECT_EQ(onlyRight.At(500, 1), mono.At(500, 0));
}

TEST(AssetAudio, SynthesisRepeatsForASeedAndSoundsRight) {
    asset::Rng a(11), b(11), c(12);
    const Pcm string = asset::Pluck(220, 1.0, 0.5, a);
    EXPECT_EQ(asset::Pluck(220, 1.0, 0.5, b).samples, string.samples);
    EXPECT_NE(asset::Pluck(220, 1.0, 0.5, c).samples, string.samples);
    ASSERT_EQ(string.Frames(), 44100u);
    EXPECT_LT(Rms(string, 39690, 44100), Rms(string, 0, 4410) / 3) << "a pluck dies away";
    // Its pitch: the lag where the wave best matches itself.
    size_t bestLag = 0;
    double best = -1e9;
    for (size_t lag = 100; lag < 300; ++lag) {
        double sum = 0;
        for (size_t i = 4410; i < 8820; ++i)
            sum += string.At(i, 0) * string.At(i + lag, 0);
        if (sum > best) best = sum, bestLag = lag;
    }
    EXPECT_NEAR(double(bestLag), 44100.0 / 220, 1.5);

    asset::Rng n1(5), n2(5);
    const Pcm noise = asset::Noise(0.5, n1, 22050);
    EXPECT_EQ(noise.Frames(), 11025u);
    EXPECT_EQ(noise.rate, 22050);
    EXPECT_EQ(asset::Noise(0.5, n2, 22050).samples, noise.samples);
    EXPECT_LE(asset::PeakOf(noise), 1.0);
    EXPECT_NEAR(asset::RmsOf(noise), 1 / std::sqrt(3.0), 0.02);

    // Reverb: stereo, a tail after the sound, the dry sound exact when dry.
    Pcm click(1, 100);
    click.At(0, 0) = 1.0f;
    const Pcm dry = asset::Reverb(click, 0.5, 0.3, 0.0);
    ASSERT_EQ(dry.channels, 2);
    ASSERT_GT(dry.Frames(), click.Frames());
    EXPECT_EQ(dry.At(0, 0), 1.0f);
    EXPECT_EQ(dry.At(0, 1), 1.0f);
    EXPECT_EQ(Rms(dry, 1, dry.Frames()), 0.0);
    const Pcm wet = asset::Reverb(click, 0.5, 0.3, 0.5);
    const size_t quarter = wet.Frames() / 4;
    const double early = Rms(wet.samples, 2, 1, 100, 100 + quarter);
    EXPECT_GT(early, 0.0) << "no tail";
    EXPECT_LT(Rms(wet.samples, 2, 1, wet.Frames() - quarter, wet.Frames()), early / 2);
    EXPECT_TRUE(std::isfinite(asset::PeakOf(wet)));
    double sides = 0, left = 0;
    for (size_t i = 100; i < wet.Frames(); ++i) {
        sides += std::abs(wet.At(i, 0) - wet.At(i, 1));
        left += std::abs(wet.At(i, 0));
    }
    EXPECT_GT(sides, left / 4) << "the two sides' tails differ, for width";
}

}  // namespace
