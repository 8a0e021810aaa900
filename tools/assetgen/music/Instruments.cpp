#include "Instruments.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "Synth.h"

namespace asset::music {

namespace {

constexpr double kMiddleC = 261.63;
// Partials above this are left out: they would alias or only hiss.
constexpr double kHighestPartial = 16000;
constexpr float kSilence = 1e-4f;

// Decay times shrink as notes rise, as in strings and bars.
double ScaledDecay(double seconds, double frequency, double exponent) {
    return std::clamp(seconds * std::pow(kMiddleC / frequency, exponent), 0.12, 8.0);
}

void ApplyAttack(std::vector<float>& out, double seconds) {
    const size_t frames = std::min(out.size(), FramesOf(seconds));
    for (size_t i = 0; i < frames; ++i)
        out[i] *= static_cast<float>(i) / frames;
}

// After the key is let go, an exponential fade with the given time constant.
void ApplyDamper(std::vector<float>& out, double heldSeconds, double seconds) {
    float gain = 1;
    const float factor = DecayFactor(seconds);
    for (size_t i = std::min(out.size(), FramesOf(heldSeconds)); i < out.size(); ++i) {
        out[i] *= gain;
        gain *= factor;
    }
}

// --- Struck bars and bells: a few sine partials, each with its own decay ---

struct Partial {
    double ratio, amplitude, decayShare;
};

struct BellTone {
    std::vector<Partial> partials;
    double decaySeconds;   // time constant of the fundamental at middle C
    double damperSeconds;  // time constant after the key is let go; 0 rings on
    double strikeNoise;    // level of the mallet's thump
    double strikeCutoff;   // Hz
    double attackSeconds;
};

class Bell : public Instrument {
  public:
    explicit Bell(BellTone tone) : tone_(std::move(tone)) {}

    void Render(const NoteRequest& note, std::vector<float>& out) const override {
        const double decay = ScaledDecay(tone_.decaySeconds, note.frequency, 0.35);
        double seconds = 6.9 * decay;  // -60 dB
        if (tone_.damperSeconds > 0)
            seconds = std::min(seconds, note.heldSeconds + 6.9 * tone_.damperSeconds);
        out.assign(FramesOf(seconds), 0.0f);
        for (size_t p = 0; p < tone_.partials.size(); ++p) {
            const Partial& partial = tone_.partials[p];
            if (partial.ratio * note.frequency > kHighestPartial) continue;
            // Soft strokes excite the upper partials less.
            const double level = partial.amplitude * (p == 0 ? 1.0 : note.velocity);
            AddPartial(note.frequency * partial.ratio, level, decay * partial.decayShare, out);
        }
        AddStrike(note, out);
        for (float& s : out)
            s *= static_cast<float>(note.velocity);
        ApplyAttack(out, tone_.attackSeconds);
        if (tone_.damperSeconds > 0) ApplyDamper(out, note.heldSeconds, tone_.damperSeconds);
    }

  private:
    static void AddPartial(double frequency, double level, double decay, std::vector<float>& out) {
        const Wavetable& sine = SineTable();
        const uint32_t step = PhaseStep(frequency);
        const float factor = DecayFactor(decay);
        uint32_t phase = 0;
        float amplitude = static_cast<float>(level);
        for (size_t i = 0; i < out.size() && amplitude > kSilence; ++i) {
            out[i] += amplitude * sine.At(phase);
            phase += step;
            amplitude *= factor;
        }
    }

    void AddStrike(const NoteRequest& note, std::vector<float>& out) const {
        if (tone_.strikeNoise <= 0) return;
        NoiseSource noise(note.seed);
        OnePole filter(tone_.strikeCutoff);
        const size_t frames = std::min(out.size(), FramesOf(0.03));
        float amplitude = static_cast<float>(tone_.strikeNoise);
        const float factor = DecayFactor(0.006);
        for (size_t i = 0; i < frames; ++i) {
            out[i] += amplitude * filter.Process(noise.Next());
            amplitude *= factor;
        }
    }

    BellTone tone_;
};

// --- Plucked strings (Karplus-Strong with a tuned fractional delay) ---

struct StringTone {
    double decaySeconds;      // to -60 dB at middle C
    double lossWeight;        // 0 bright .. 0.5 dark: the loop's averaging filter
    double excitationCutoff;  // Hz: a softer finger or plectrum
    double pickPosition;      // share of the string from its end
    double damperSeconds;     // time constant after key up; 0 ignores the key
    double octaveString;      // level of a second string an octave up
    double bodyCutoff;        // Hz, 0 for none
    double subSine;           // level of a sine fundamental, for a rounder bass
};

class PluckedString : public Instrument {
  public:
    explicit PluckedString(StringTone tone) : tone_(tone) {}

    void Render(const NoteRequest& note, std::vector<float>& out) const override {
        const double ring = ScaledDecay(tone_.decaySeconds, note.frequency, 0.5);
        double seconds = ring;
        if (tone_.damperSeconds > 0)
            seconds = std::min(seconds, note.heldSeconds + 6.9 * tone_.damperSeconds);
        out.assign(FramesOf(seconds), 0.0f);
        Rng rng(note.seed);
        AddString(note.frequency, ring, 1.0f, rng, out);
        if (tone_.octaveString > 0 && note.frequency * 2 < 4000) {
            AddString(note.frequency * 2, ring * 0.8, static_cast<float>(tone_.octaveString), rng,
                      out);
        }
        if (tone_.subSine > 0) AddSubSine(note.frequency, ring, out);
        if (tone_.bodyCutoff > 0) {
            OnePole body(tone_.bodyCutoff);
            for (float& s : out)
                s = body.Process(s);
        }
        for (float& s : out)
            s *= static_cast<float>(note.velocity);
        ApplyAttack(out, 0.0015);
        if (tone_.damperSeconds > 0) ApplyDamper(out, note.heldSeconds, tone_.damperSeconds);
        ApplyDamper(out, seconds - 0.02, 0.004);  // no click where the buffer ends
    }

  private:
    // The pluck: filtered noise, without its mean (a string has no DC), with
    // the comb of the plucking point.
    std::vector<float> Excitation(size_t length, float level, Rng& rng) const {
        std::vector<float> burst(length);
        OnePole soften(tone_.excitationCutoff);
        double mean = 0;
        for (float& s : burst)
            mean += s = soften.Process(static_cast<float>(rng.Range(-1, 1)));
        mean /= length;
        const size_t pick = std::max<size_t>(1, static_cast<size_t>(tone_.pickPosition * length));
        std::vector<float> combed(length);
        float peak = 1e-6f;
        for (size_t i = 0; i < length; ++i) {
            combed[i] = static_cast<float>(burst[i] - mean) -
                        (i >= pick ? static_cast<float>(burst[i - pick] - mean) : 0);
            peak = std::max(peak, std::fabs(combed[i]));
        }
        for (float& s : combed)
            s *= level / peak;
        return combed;
    }

    void AddString(double frequency, double ring, float level, Rng& rng,
                   std::vector<float>& out) const {
        const double weight = tone_.lossWeight;
        const double loopDelay =
            kRate / frequency - weight;  // the averaging filter delays by `weight`
        const size_t length = std::max<size_t>(2, static_cast<size_t>(std::floor(loopDelay - 0.1)));
        const double fraction = loopDelay - static_cast<double>(length);
        const float allpass = static_cast<float>((1 - fraction) / (1 + fraction));
        const float loss = static_cast<float>(std::pow(10.0, -3.0 / (ring * frequency)));
        const float a = static_cast<float>(1 - weight) * loss,
                    b = static_cast<float>(weight) * loss;
        std::vector<float> line = Excitation(length, level, rng);
        float previous = 0, allpassIn = 0, allpassOut = 0;
        size_t index = 0;
        for (float& sample : out) {
            const float y = line[index];
            sample += y;
            const float filtered = a * y + b * previous;
            previous = y;
            allpassOut = allpass * filtered + allpassIn - allpass * allpassOut;
            allpassIn = filtered;
            line[index] = allpassOut;
            if (++index == length) index = 0;
        }
    }

    void AddSubSine(double frequency, double ring, std::vector<float>& out) const {
        const Wavetable& sine = SineTable();
        const uint32_t step = PhaseStep(frequency);
        const float factor = DecayFactor(ring / 6.9);
        float amplitude = static_cast<float>(tone_.subSine);
        uint32_t phase = 0;
        for (float& sample : out) {
            sample += amplitude * sine.At(phase);
            phase += step;
            amplitude *= factor;
        }
    }

    StringTone tone_;
};

// --- Sustained tones from wavetables: organ, ghostly lead, soft horn ---

// Linear attack, a slow sag to `sustain` and a linear release.
struct Envelope {
    double attack, sag, sustain, release;
    size_t Frames(double held) const { return FramesOf(held + release); }
    float At(double t, double held) const {
        double level =
            t < attack ? t / attack : sustain + (1 - sustain) * std::exp(-(t - attack) / sag);
        if (t > held) {
            const double atRelease =
                held < attack ? held / attack
                              : sustain + (1 - sustain) * std::exp(-(held - attack) / sag);
            level = atRelease * std::max(0.0, 1 - (t - held) / release);
        }
        return static_cast<float>(level);
    }
};

// The envelope is evaluated every kControlFrames samples and interpolated:
// plenty for slow shapes and far cheaper than per sample.
constexpr size_t kControlFrames = 32;

class Organ : public Instrument {
  public:
    bool HoldsRepeats() const override { return true; }

    void Render(const NoteRequest& note, std::vector<float>& out) const override {
        static const Wavetable kPipes({1.0, 0.5, 0.2, 0.26, 0.0, 0.07, 0.0, 0.1});
        static constexpr Envelope kShape{0.08, 1.5, 0.85, 0.35};
        static constexpr float kCelesteLevel = 0.35f;
        out.assign(kShape.Frames(note.heldSeconds), 0.0f);
        const Wavetable& sine = SineTable();
        // A quieter second rank a few cents sharp beats slowly against the
        // first, like a celeste stop: a shimmer, never a full tremolo.
        const double upper = note.frequency * 1.0025, lower = note.frequency;
        uint32_t phaseA = 0, phaseB = static_cast<uint32_t>(note.seed), lfo = 0;
        const uint32_t lfoStep = PhaseStep(5.1);
        const float level = static_cast<float>(0.7 * note.velocity);
        for (size_t block = 0; block < out.size(); block += kControlFrames) {
            const float from = kShape.At(block / kRate, note.heldSeconds) * level;
            const float to = kShape.At((block + kControlFrames) / kRate, note.heldSeconds) * level;
            const double wobble = 1 + 0.0012 * sine.At(lfo);
            lfo += lfoStep * kControlFrames;
            const uint32_t stepA = PhaseStep(upper * wobble), stepB = PhaseStep(lower * wobble);
            const size_t end = std::min(out.size(), block + kControlFrames);
            for (size_t i = block; i < end; ++i) {
                const float gain =
                    from + (to - from) * static_cast<float>(i - block) / kControlFrames;
                out[i] = gain * (kPipes.At(phaseB) + kCelesteLevel * kPipes.At(phaseA));
                phaseA += stepA;
                phaseB += stepB;
            }
        }
    }
};

// A wavering, theremin-like voice that slides between legato notes.
class Ghost : public Instrument {
  public:
    bool Glides() const override { return true; }

    void Render(const NoteRequest& note, std::vector<float>& out) const override {
        static const Wavetable kVoice({1.0, 0.14, 0.05, 0.02});
        static constexpr Envelope kShape{0.12, 2.0, 0.8, 0.4};
        static constexpr double kGlideSeconds = 0.09, kVibratoDepth = 0.008, kVibratoOnset = 0.45;
        out.assign(kShape.Frames(note.heldSeconds), 0.0f);
        const Wavetable& sine = SineTable();
        const uint32_t lfoStep = PhaseStep(5.3);
        const double start = note.glideFrom > 0 ? note.glideFrom : note.frequency;
        uint32_t phase = 0, lfo = 0;
        for (size_t block = 0; block < out.size(); block += kControlFrames) {
            const double t = block / kRate;
            const double glide = std::min(1.0, t / kGlideSeconds);
            const double pitch = start * std::pow(note.frequency / start, glide);
            const double depth = kVibratoDepth * std::min(1.0, t / kVibratoOnset);
            const uint32_t step = PhaseStep(pitch * (1 + depth * sine.At(lfo)));
            lfo += lfoStep * kControlFrames;
            const float from = kShape.At(t, note.heldSeconds);
            const float to = kShape.At(t + kControlFrames / kRate, note.heldSeconds);
            const size_t end = std::min(out.size(), block + kControlFrames);
            for (size_t i = block; i < end; ++i) {
                const float gain =
                    from + (to - from) * static_cast<float>(i - block) / kControlFrames;
                out[i] = gain * static_cast<float>(note.velocity) * kVoice.At(phase);
                phase += step;
            }
        }
    }
};

// Band-limited tables for a bright tone, one per octave, so high notes keep
// every harmonic below the Nyquist frequency.
class OctaveTables {
  public:
    explicit OctaveTables(double exponent) {
        for (size_t band = 0; band < kBands; ++band) {
            const double top = kLowest * std::pow(2.0, band + 1);
            const int count = std::clamp(static_cast<int>(kHighestPartial / top), 1, 40);
            std::vector<double> harmonics(count);
            for (int h = 0; h < count; ++h)
                harmonics[h] = 1.0 / std::pow(h + 1, exponent);
            tables_.emplace_back(harmonics);
        }
    }
    const Wavetable& For(double frequency) const {
        const double octaves = std::log2(std::max(frequency, kLowest) / kLowest);
        return tables_[std::min(kBands - 1, static_cast<size_t>(octaves))];
    }

  private:
    static constexpr double kLowest = 27.5;
    static constexpr size_t kBands = 9;
    std::vector<Wavetable> tables_;
};

// A soft brass-like tone: its brightness swells with the attack and settles.
class Horn : public Instrument {
  public:
    void Render(const NoteRequest& note, std::vector<float>& out) const override {
        static const OctaveTables kBright(1.2);
        static const Wavetable kDull({1.0, 0.4, 0.15, 0.06});
        static constexpr Envelope kShape{0.045, 0.35, 0.75, 0.22};
        out.assign(kShape.Frames(note.heldSeconds), 0.0f);
        const Wavetable& bright = kBright.For(note.frequency);
        uint32_t phase = 0;
        for (size_t block = 0; block < out.size(); block += kControlFrames) {
            const double t = block / kRate;
            const double scoop = 1 - 0.02 * std::exp(-t / 0.03);  // the lip settles on the pitch
            const uint32_t step = PhaseStep(note.frequency * scoop);
            const float shine =
                static_cast<float>(note.velocity * (0.3 + 0.7 * std::exp(-t / 0.3)));
            const float from = kShape.At(t, note.heldSeconds);
            const float to = kShape.At(t + kControlFrames / kRate, note.heldSeconds);
            const size_t end = std::min(out.size(), block + kControlFrames);
            for (size_t i = block; i < end; ++i) {
                const float gain =
                    from + (to - from) * static_cast<float>(i - block) / kControlFrames;
                out[i] = gain * static_cast<float>(note.velocity) *
                         (shine * bright.At(phase) + (1 - shine) * kDull.At(phase));
                phase += step;
            }
        }
    }
};

BellTone CelestaTone() {
    return {{{1, 1, 1}, {2, 0.1, 0.5}, {4, 0.22, 0.28}, {2.76, 0.05, 0.12}},
            0.9,
            0.3,
            0.05,
            2500,
            0.0015};
}
BellTone MusicBoxTone() {
    return {{{1, 1, 1}, {2, 0.07, 0.45}, {6.27, 0.16, 0.12}, {3, 0.04, 0.3}},
            0.8,
            0,
            0.04,
            5000,
            0.001};
}
BellTone GlockTone() {
    return {{{1, 1, 1}, {2.71, 0.3, 0.35}, {5.15, 0.15, 0.16}}, 1.2, 0, 0.06, 4000, 0.001};
}
BellTone TimpaniTone() {
    return {{{1, 1, 1}, {1.5, 0.45, 0.7}, {1.99, 0.3, 0.5}, {2.44, 0.15, 0.35}},
            0.35,
            0,
            0.5,
            500,
            0.003};
}

StringTone HarpsichordTone() {
    return {2.4, 0.22, 5000, 0.13, 0.05, 0.3, 0, 0};
}
StringTone PizzTone() {
    return {0.7, 0.5, 2500, 0.2, 0, 0, 3500, 0};
}
StringTone BassTone() {
    return {1.5, 0.5, 900, 0.25, 0.1, 0, 1800, 0.35};
}

}  // namespace

const Wavetable& SineTable() {
    static const Wavetable kSine({1.0});
    return kSine;
}

std::unique_ptr<Instrument> MakeInstrument(std::string_view name) {
    if (name == "celesta") return std::make_unique<Bell>(CelestaTone());
    if (name == "musicbox") return std::make_unique<Bell>(MusicBoxTone());
    if (name == "glock") return std::make_unique<Bell>(GlockTone());
    if (name == "timpani") return std::make_unique<Bell>(TimpaniTone());
    if (name == "harpsichord") return std::make_unique<PluckedString>(HarpsichordTone());
    if (name == "pizz") return std::make_unique<PluckedString>(PizzTone());
    if (name == "bass") return std::make_unique<PluckedString>(BassTone());
    if (name == "organ") return std::make_unique<Organ>();
    if (name == "ghost") return std::make_unique<Ghost>();
    if (name == "horn") return std::make_unique<Horn>();
    if (name == "kit") return MakeKit();
    return nullptr;
}

bool IsKnownInstrument(std::string_view name) {
    return MakeInstrument(name) != nullptr;
}

bool IsKit(std::string_view instrument) {
    return instrument == "kit";
}

}  // namespace asset::music
