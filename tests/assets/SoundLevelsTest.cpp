// The sound files' levels against their loudness tiers: each effect and
// piece of music within the tolerance of its tier's level, no sample at full
// scale, and every sound that does not loop faded out to near silence, so
// none ends in a click.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "engine/SoundDecoders.h"
#include "manifest/Manifest.h"

namespace {

const std::string kData = HOLLOWMERE_DATA_DIR;

struct Samples {
    int channels = 0, rate = 0;
    std::vector<float> interleaved;
    size_t Frames() const { return channels ? interleaved.size() / channels : 0; }
};

// The whole file decoded, streamed music included.
bool Decode(const std::string& path, Samples& out) {
    const std::shared_ptr<SoundData> data = LoadSoundData(path);
    if (!data) return false;
    out.channels = data->channels;
    out.rate = data->sampleRate;
    if (!data->Streamed()) {
        for (size_t i = 0; i < data->SampleCount(); ++i)
            out.interleaved.push_back(data->Sample(i));
        return true;
    }
    std::unique_ptr<SoundStream> stream = OpenSoundStream(*data);
    if (!stream) return false;
    std::vector<float> block(4096 * data->channels);
    while (const int frames = stream->Read(block.data(), 4096)) {
        out.interleaved.insert(out.interleaved.end(), block.begin(),
                               block.begin() + frames * data->channels);
    }
    return !out.interleaved.empty();
}

double PowerDb(const std::vector<float>& samples, size_t first, size_t count) {
    double sum = 0;
    for (size_t i = first; i < first + count; ++i)
        sum += double(samples[i]) * samples[i];
    return 10 * std::log10(std::max(sum / double(count), 1e-20));
}

TEST(SoundLevels, AnEffectIsMeasuredByItsLoudestStretch) {
    // Half a second of a half-scale sine, then two seconds of silence: the
    // effect reads at the sine's level, music over all of it.
    constexpr int kRate = 44100;
    std::vector<float> samples(kRate * 5 / 2, 0.0f);
    for (int i = 0; i < kRate / 2; ++i)
        samples[i] = 0.5f * float(std::sin(2 * M_PI * 441.0 * i / kRate));
    const double sineDb = 10 * std::log10(0.125);
    EXPECT_NEAR(asset::LevelDb(asset::Loudness::Board, samples.data(), samples.size(), 1, kRate),
                sineDb, 0.05);
    EXPECT_NEAR(asset::LevelDb(asset::Loudness::Music, samples.data(), samples.size(), 1, kRate),
                sineDb - 10 * std::log10(5.0), 0.05);
    // A click shorter than the window is measured over its own length.
    EXPECT_NEAR(asset::LevelDb(asset::Loudness::Interface, samples.data(), kRate / 20, 1, kRate),
                sineDb, 0.1);
}

TEST(SoundLevels, EverySoundSitsAtItsTierPeaksBelowFullScaleAndEndsQuietly) {
    int checked = 0;
    for (const asset::Entry& entry : asset::Manifest()) {
        if (entry.kind != asset::Kind::Wav && entry.kind != asset::Kind::Ogg) continue;
        SCOPED_TRACE(entry.path);
        ASSERT_NE(entry.loudness, asset::Loudness::None) << "a sound without a loudness tier";
        Samples sound;
        ASSERT_TRUE(Decode(kData + "/" + entry.path, sound));
        const size_t frames = sound.Frames();
        ASSERT_GT(frames, size_t(sound.rate / 100));
        ++checked;

        const double level = asset::LevelDb(entry.loudness, sound.interleaved.data(), frames,
                                            sound.channels, sound.rate);
        EXPECT_NEAR(level, asset::LoudnessDb(entry.loudness), asset::kLoudnessToleranceDb);

        float peak = 0;
        for (float s : sound.interleaved)
            peak = std::max(peak, std::fabs(s));
        EXPECT_LT(peak, 32767.0f / 32768.0f) << "a sample at full scale";

        // A loop's end joins its start; everything else must have died away.
        if (entry.looped) continue;
        const size_t tail = size_t(sound.rate / 100) * sound.channels;
        EXPECT_LT(PowerDb(sound.interleaved, sound.interleaved.size() - tail, tail),
                  asset::kEndingDb)
            << "still sounding in its last 10 ms";
    }
    EXPECT_GT(checked, 60);
}

}  // namespace
