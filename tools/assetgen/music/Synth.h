// Small building blocks shared by the instruments: a wavetable oscillator
// read with a fixed-point phase, white noise and a one-pole low-pass. All
// inline, because they run once per sample per note.
#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "Instruments.h"
#include "assetkit/Audio.h"
#include "assetkit/Random.h"

namespace asset::music {

constexpr double kRate = kSampleRate;
constexpr double kTwoPi = 6.283185307179586;

// Phase increment for a frequency: the whole 32-bit range is one cycle.
inline uint32_t PhaseStep(double frequency) {
    return static_cast<uint32_t>(frequency / kRate * 4294967296.0);
}

// One cycle of a waveform built from harmonic amplitudes (normalised to a
// peak of 1), read with linear interpolation.
class Wavetable {
  public:
    explicit Wavetable(const std::vector<double>& harmonics) : table_(kSize + 1) {
        double peak = 0;
        for (uint32_t i = 0; i < kSize; ++i) {
            double sum = 0;
            for (size_t h = 0; h < harmonics.size(); ++h)
                sum += harmonics[h] * std::sin(kTwoPi * (h + 1) * i / kSize);
            table_[i] = static_cast<float>(sum);
            peak = std::max(peak, std::fabs(sum));
        }
        for (float& value : table_)
            value = static_cast<float>(value / (peak > 0 ? peak : 1));
        table_[kSize] = table_[0];
    }
    float At(uint32_t phase) const {
        const uint32_t index = phase >> kFractionBits;
        const float fraction = static_cast<float>(phase & kFractionMask) * kFractionScale;
        return table_[index] + fraction * (table_[index + 1] - table_[index]);
    }

  private:
    static constexpr int kBits = 11;
    static constexpr uint32_t kSize = 1u << kBits;
    static constexpr int kFractionBits = 32 - kBits;
    static constexpr uint32_t kFractionMask = (1u << kFractionBits) - 1;
    static constexpr float kFractionScale = 1.0f / static_cast<float>(1u << kFractionBits);
    std::vector<float> table_;
};

const Wavetable& SineTable();

class NoiseSource {
  public:
    explicit NoiseSource(uint64_t seed) : rng_(seed) {}
    float Next() {
        return static_cast<float>(static_cast<int64_t>(rng_.Next() >> 40) - (1 << 23)) / (1 << 23);
    }

  private:
    Rng rng_;
};

// y += (x - y) * (1 - a): a gentle 6 dB/octave low-pass.
class OnePole {
  public:
    explicit OnePole(double cutoff) : a_(static_cast<float>(std::exp(-kTwoPi * cutoff / kRate))) {}
    float Process(float x) { return state_ = x + a_ * (state_ - x); }

  private:
    float a_;
    float state_ = 0;
};

// Frames for a length in seconds (at least one).
inline size_t FramesOf(double seconds) {
    return std::max<size_t>(1, static_cast<size_t>(seconds * kRate));
}

// Per-sample factor of an exponential decay with time constant `seconds`.
inline float DecayFactor(double seconds) {
    return static_cast<float>(std::exp(-1.0 / (seconds * kRate)));
}

std::unique_ptr<Instrument> MakeKit();

}  // namespace asset::music
