// The gentle percussion of the music: wood blocks, brushes, a soft kick,
// ticks, a shaker, a triangle and a mallet cymbal.
#include <algorithm>
#include <array>
#include <string_view>

#include "Synth.h"

namespace asset::music {

namespace {

enum Drum {
    kWoodHigh,
    kWoodLow,
    kBrushTap,
    kBrushSwish,
    kSoftKick,
    kTick,
    kShaker,
    kTriangle,
    kCymbal,
    kDrumCount
};

constexpr std::array<std::string_view, kDrumCount> kDrumNames = {"wb", "wl", "br", "sw", "kk",
                                                                 "tk", "sh", "ti", "cy"};

// A damped sine: the ring of wood or metal.
void AddMode(double frequency, double level, double decay, std::vector<float>& out) {
    const Wavetable& sine = SineTable();
    const uint32_t step = PhaseStep(frequency);
    const float factor = DecayFactor(decay);
    float amplitude = static_cast<float>(level);
    uint32_t phase = 0;
    for (float& sample : out) {
        sample += amplitude * sine.At(phase);
        phase += step;
        amplitude *= factor;
    }
}

// Filtered noise shaped by an attack ramp and an exponential decay.
void AddNoise(Biquad filter, double level, double attack, double decay, uint64_t seed,
              std::vector<float>& out) {
    NoiseSource noise(seed);
    const size_t rise = FramesOf(attack);
    const float factor = DecayFactor(decay);
    float amplitude = static_cast<float>(level);
    for (size_t i = 0; i < out.size(); ++i) {
        const float ramp = i < rise ? static_cast<float>(i) / rise : 1.0f;
        out[i] += ramp * amplitude * static_cast<float>(filter.Process(noise.Next()));
        if (i >= rise) amplitude *= factor;
    }
}

void WoodBlock(double frequency, uint64_t seed, std::vector<float>& out) {
    out.assign(FramesOf(0.15), 0.0f);
    AddMode(frequency, 1.0, 0.03, out);
    AddMode(frequency * 2.45, 0.3, 0.012, out);
    AddNoise(Biquad::LowPass(kRate, 5000), 0.6, 0.0003, 0.0015, seed, out);
}

void SoftKick(uint64_t seed, std::vector<float>& out) {
    out.assign(FramesOf(0.45), 0.0f);
    // The pitch falls quickly from a thud to a low hum.
    const Wavetable& sine = SineTable();
    uint32_t phase = 0;
    float amplitude = 1.2f;
    const float factor = DecayFactor(0.14);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = i / kRate;
        out[i] += amplitude * sine.At(phase);
        phase += PhaseStep(48 + 62 * std::exp(-t / 0.025));
        amplitude *= factor;
    }
    AddNoise(Biquad::LowPass(kRate, 900), 0.25, 0.001, 0.01, seed, out);
}

void Triangle(std::vector<float>& out) {
    out.assign(FramesOf(2.5), 0.0f);
    const double base = 1750;
    AddMode(base, 0.5, 0.9, out);
    AddMode(base * 2.02, 0.25, 0.7, out);
    AddMode(base * 3.05, 0.18, 0.5, out);
    AddMode(base * 4.2, 0.1, 0.35, out);
}

}  // namespace

int DrumOf(std::string_view name) {
    const auto found = std::find(kDrumNames.begin(), kDrumNames.end(), name);
    return found == kDrumNames.end() ? -1 : static_cast<int>(found - kDrumNames.begin());
}

namespace {

class Kit : public Instrument {
  public:
    void Render(const NoteRequest& note, std::vector<float>& out) const override {
        const uint64_t seed = note.seed;
        switch (note.drum) {
            case kWoodHigh:
                WoodBlock(1180, seed, out);
                break;
            case kWoodLow:
                WoodBlock(760, seed, out);
                break;
            case kBrushTap:
                out.assign(FramesOf(0.2), 0.0f);
                AddNoise(Biquad::BandPass(kRate, 3500, 0.8), 1.0, 0.003, 0.045, seed, out);
                break;
            case kBrushSwish:
                out.assign(FramesOf(0.4), 0.0f);
                AddNoise(Biquad::BandPass(kRate, 2800, 0.6), 0.8, 0.09, 0.08, seed, out);
                break;
            case kSoftKick:
                SoftKick(seed, out);
                break;
            case kTick:
                out.assign(FramesOf(0.06), 0.0f);
                AddMode(2400, 0.7, 0.008, out);
                AddNoise(Biquad::HighPass(kRate, 3000), 0.4, 0.0002, 0.002, seed, out);
                break;
            case kShaker:
                out.assign(FramesOf(0.15), 0.0f);
                AddNoise(Biquad::HighPass(kRate, 5500), 0.7, 0.015, 0.03, seed, out);
                break;
            case kTriangle:
                Triangle(out);
                break;
            case kCymbal:
                out.assign(FramesOf(3.0), 0.0f);
                AddNoise(Biquad::HighPass(kRate, 3000), 0.35, 0.02, 0.7, seed, out);
                break;
            default:
                out.assign(1, 0.0f);
                break;
        }
        for (float& s : out)
            s *= static_cast<float>(note.velocity);
        // Every hit ends in silence: no click where its buffer stops.
        const size_t fade = std::min(out.size(), FramesOf(0.01));
        for (size_t i = 0; i < fade; ++i)
            out[out.size() - 1 - i] *= static_cast<float>(i) / fade;
    }
};

}  // namespace

std::unique_ptr<Instrument> MakeKit() {
    return std::make_unique<Kit>();
}

}  // namespace asset::music
