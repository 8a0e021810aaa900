#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace asset::sfx {

namespace {

constexpr double kTwoPi = 2.0 * M_PI;

size_t FramesOf(double seconds, int rate = kSampleRate) {
    return static_cast<size_t>(std::max(0.0, std::round(seconds * rate)));
}

double RaisedCosine(double x) {
    return 0.5 - 0.5 * std::cos(M_PI * std::clamp(x, 0.0, 1.0));
}

using Points = std::vector<std::pair<double, double>>;

// Interpolates breakpoints; `geometric` blends in the log domain.
double Interpolate(const Points& points, double t, bool geometric) {
    if (points.empty()) return 0;
    if (t <= points.front().first) return points.front().second;
    if (t >= points.back().first) return points.back().second;
    auto after =
        std::upper_bound(points.begin(), points.end(), t,
                         [](double time, const auto& point) { return time < point.first; });
    auto before = after - 1;
    const double span = after->first - before->first;
    const double x = span > 0 ? (t - before->first) / span : 1.0;
    if (geometric) return before->second * std::pow(after->second / before->second, x);
    return before->second + (after->second - before->second) * x;
}

// The jump correction that band-limits a saw or square edge (polyBLEP).
double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

// Every wave starts at zero at phase 0, so a voice never begins with a step.
double WaveAt(Wave wave, double phase, double step) {
    switch (wave) {
        case Wave::Sine:
            return std::sin(kTwoPi * phase);
        case Wave::Triangle: {
            const double p = phase + 0.25 - std::floor(phase + 0.25);
            return 1.0 - 4.0 * std::fabs(p - 0.5);
        }
        case Wave::Saw: {
            const double p = phase + 0.5 - std::floor(phase + 0.5);
            return 2.0 * p - 1.0 - PolyBlep(p, step);
        }
        case Wave::Square: {
            const double p = phase - std::floor(phase);
            const double half = p + 0.5 - std::floor(p + 0.5);
            return (p < 0.5 ? 1.0 : -1.0) + PolyBlep(p, step) - PolyBlep(half, step);
        }
    }
    return 0.0;
}

// Topology-preserving state-variable filter (trapezoidal integration): its
// cutoff can move every few samples without zipper noise or blowing up.
class Svf {
  public:
    void Tune(double rate, double hertz, double q) {
        const double g = std::tan(M_PI * std::clamp(hertz, 10.0, 0.45 * rate) / rate);
        k_ = 1.0 / std::max(q, 0.05);
        a1_ = 1.0 / (1.0 + g * (g + k_));
        a2_ = g * a1_;
        a3_ = g * a2_;
    }
    double Process(double x, Pass pass) {
        const double v3 = x - ic2_;
        const double v1 = a1_ * ic1_ + a2_ * v3;
        const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
        ic1_ = 2.0 * v1 - ic1_;
        ic2_ = 2.0 * v2 - ic2_;
        switch (pass) {
            case Pass::Low:
                return v2;
            case Pass::Band:
                return k_ * v1;
            case Pass::High:
                return x - k_ * v1 - v2;
        }
        return x;
    }

  private:
    double k_ = 1, a1_ = 0, a2_ = 0, a3_ = 0, ic1_ = 0, ic2_ = 0;
};

// Retuning every few samples is inaudible and saves most of the tan() calls.
constexpr size_t kRetuneEvery = 8;

Pcm Upmixed(const Pcm& mono) {
    Pcm stereo(2, mono.Frames(), mono.rate);
    for (size_t i = 0; i < mono.Frames(); ++i) {
        stereo.At(i, 0) = stereo.At(i, 1) = mono.At(i, 0);
    }
    return stereo;
}

}  // namespace

Signal Const(double value) {
    return [value](double) { return value; };
}

Signal Line(std::initializer_list<std::pair<double, double>> points) {
    return [p = Points(points)](double t) { return Interpolate(p, t, false); };
}

Signal Glide(std::initializer_list<std::pair<double, double>> points) {
    return [p = Points(points)](double t) { return Interpolate(p, t, true); };
}

Signal Hit(double attack, double decay) {
    decay = std::max(decay, 1e-4);
    return [attack, decay](double t) {
        if (t < 0) return 0.0;
        if (t < attack) return RaisedCosine(t / attack);
        return std::exp(-(t - attack) / decay);
    };
}

Signal Swell(double rise, double hold, double fall) {
    fall = std::max(fall, 1e-4);
    return [rise, hold, fall](double t) {
        if (t < 0) return 0.0;
        if (t < rise) return RaisedCosine(t / rise);
        if (t < rise + hold) return 1.0;
        return 1.0 - RaisedCosine((t - rise - hold) / fall);
    };
}

Signal Times(Signal a, Signal b) {
    return [a = std::move(a), b = std::move(b)](double t) { return a(t) * b(t); };
}

Signal Wobble(double rate, double depth, double phase) {
    return [rate, depth, phase](double t) {
        return 1.0 + depth * std::sin(kTwoPi * (rate * t + phase));
    };
}

Pcm Tone(double seconds, Wave wave, const Signal& hertz, const Signal& amplitude) {
    Pcm out(1, FramesOf(seconds));
    double phase = 0;
    for (size_t i = 0; i < out.Frames(); ++i) {
        const double t = static_cast<double>(i) / out.rate;
        const double step = std::min(hertz(t) / out.rate, 0.49);
        out.At(i, 0) = static_cast<float>(WaveAt(wave, phase, step) * amplitude(t));
        phase += step;
        phase -= std::floor(phase);
    }
    Release(out, kNoteRelease);
    return out;
}

Pcm Fm(double seconds, const Signal& hertz, double ratio, const Signal& index,
       const Signal& amplitude) {
    Pcm out(1, FramesOf(seconds));
    double carrier = 0, modulator = 0;
    for (size_t i = 0; i < out.Frames(); ++i) {
        const double t = static_cast<double>(i) / out.rate;
        const double step = hertz(t) / out.rate;
        const double wobble = index(t) * std::sin(kTwoPi * modulator);
        out.At(i, 0) = static_cast<float>(std::sin(kTwoPi * carrier + wobble) * amplitude(t));
        carrier += step;
        modulator += step * ratio;
        carrier -= std::floor(carrier);
        modulator -= std::floor(modulator);
    }
    Release(out, kNoteRelease);
    return out;
}

Pcm Strike(double seconds, double baseHertz, const std::vector<Mode>& modes, double ring,
           double attack) {
    Pcm out(1, FramesOf(seconds));
    for (const Mode& mode : modes) {
        const double hertz = baseHertz * mode.ratio;
        if (hertz >= 0.45 * out.rate) continue;  // would alias
        // A rotating phasor: cheaper than sin() per sample, exact enough here.
        const double w = kTwoPi * hertz / out.rate;
        const double decay = std::exp(-1.0 / (mode.decay * ring * out.rate));
        double re = 1.0, im = 0.0, level = mode.gain;
        const double c = std::cos(w), s = std::sin(w);
        for (size_t i = 0; i < out.Frames(); ++i) {
            out.samples[i] += static_cast<float>(im * level);
            const double nextRe = re * c - im * s;
            im = re * s + im * c;
            re = nextRe;
            level *= decay;
        }
    }
    if (attack > 0) {
        const size_t ramp = std::min(out.Frames(), FramesOf(attack));
        for (size_t i = 0; i < ramp; ++i) {
            out.samples[i] *= static_cast<float>(RaisedCosine(double(i) / ramp));
        }
    }
    Release(out, kNoteRelease);
    return out;
}

const std::vector<Mode>& GlassModes() {
    static const std::vector<Mode> modes = {
        {1.0, 1.0, 0.05}, {2.32, 0.55, 0.03}, {4.25, 0.3, 0.018}, {6.63, 0.15, 0.01}};
    return modes;
}

const std::vector<Mode>& CelestaModes() {
    static const std::vector<Mode> modes = {{1.0, 1.0, 0.8},
                                            {2.0, 0.12, 0.4},
                                            {2.756, 0.22, 0.22},
                                            {5.404, 0.07, 0.08},
                                            {8.933, 0.03, 0.04}};
    return modes;
}

const std::vector<Mode>& BellModes() {
    // Hum, prime, minor-third tierce, quint, nominal and the upper partials
    // of a cast bell; the minor tierce gives the slightly sad bell colour.
    static const std::vector<Mode> modes = {
        {0.5, 0.35, 1.6},  {1.0, 0.5, 1.0},   {1.19, 0.45, 0.8}, {1.5, 0.25, 0.6}, {2.0, 0.7, 0.7},
        {2.51, 0.2, 0.35}, {2.66, 0.15, 0.3}, {3.01, 0.12, 0.2}, {4.1, 0.06, 0.12}};
    return modes;
}

const std::vector<Mode>& CoinModes() {
    static const std::vector<Mode> modes = {{1.0, 1.0, 0.35},  {1.47, 0.8, 0.3},
                                            {2.09, 0.6, 0.22}, {2.56, 0.45, 0.18},
                                            {3.14, 0.3, 0.12}, {3.9, 0.2, 0.08}};
    return modes;
}

const std::vector<Mode>& WoodModes() {
    static const std::vector<Mode> modes = {
        {1.0, 1.0, 0.06}, {2.57, 0.5, 0.025}, {4.9, 0.25, 0.012}, {6.6, 0.1, 0.008}};
    return modes;
}

const std::vector<Mode>& StoneModes() {
    static const std::vector<Mode> modes = {{1.0, 1.0, 0.02},
                                            {1.8, 0.8, 0.015},
                                            {2.9, 0.6, 0.01},
                                            {4.3, 0.4, 0.008},
                                            {5.7, 0.3, 0.006}};
    return modes;
}

Pcm ColouredNoise(double seconds, Rng& rng, Colour colour) {
    Pcm out(1, FramesOf(seconds));
    double b0 = 0, b1 = 0, b2 = 0;
    for (float& sample : out.samples) {
        const double white = rng.Range(-1, 1);
        double value = white;
        if (colour == Colour::Pink) {
            // Paul Kellet's economy filter: -3 dB per octave within 0.5 dB.
            b0 = 0.99765 * b0 + white * 0.0990460;
            b1 = 0.96300 * b1 + white * 0.2965164;
            b2 = 0.57000 * b2 + white * 1.0526913;
            value = (b0 + b1 + b2 + white * 0.1848) * 0.25;
        } else if (colour == Colour::Brown) {
            b0 = (b0 + 0.02 * white) / 1.02;
            value = b0 * 3.5;
        }
        sample = static_cast<float>(value);
    }
    return out;
}

void Filter(Pcm& pcm, Pass pass, const Signal& cutoff, double q) {
    for (int c = 0; c < pcm.channels; ++c) {
        Svf svf;
        for (size_t i = 0; i < pcm.Frames(); ++i) {
            if (i % kRetuneEvery == 0) {
                svf.Tune(pcm.rate, cutoff(static_cast<double>(i) / pcm.rate), q);
            }
            pcm.At(i, c) = static_cast<float>(svf.Process(pcm.At(i, c), pass));
        }
    }
}

Pcm FilteredNoise(double seconds, Rng& rng, Pass pass, const Signal& cutoff, double q,
                  const Signal& amplitude, Colour colour) {
    Pcm noise = ColouredNoise(seconds, rng, colour);
    Filter(noise, pass, cutoff, q);
    Shape(noise, amplitude);
    Release(noise, kNoteRelease);
    return noise;
}

Pcm Formants(const Pcm& source, const std::vector<Formant>& formants) {
    Pcm sum(source.channels, source.Frames(), source.rate);
    for (const Formant& formant : formants) {
        Pcm band = source;
        Filter(band, Pass::Band, formant.hertz, formant.q);
        for (size_t i = 0; i < sum.samples.size(); ++i) {
            sum.samples[i] += band.samples[i] * float(formant.gain);
        }
    }
    return sum;
}

Pcm Impulses(double seconds, Rng& rng, const Signal& density) {
    Pcm out(1, FramesOf(seconds));
    for (size_t i = 0; i < out.Frames(); ++i) {
        const double chance = density(static_cast<double>(i) / out.rate) / out.rate;
        if (rng.Chance(chance)) {
            out.At(i, 0) = static_cast<float>(rng.Range(0.3, 1.0) * (rng.Chance(0.5) ? 1 : -1));
        }
    }
    return out;
}

Pcm PulseTrain(double seconds, Rng& rng, const Signal& hertz, double jitter) {
    Pcm out(1, FramesOf(seconds));
    double next = 0;
    while (next < out.Frames()) {
        out.At(static_cast<size_t>(next), 0) = 1.0f;
        const double period = out.rate / std::max(1.0, hertz(next / out.rate));
        next += std::max(1.0, period * (1.0 + rng.Range(-jitter, jitter)));
    }
    return out;
}

void Shape(Pcm& pcm, const Signal& amplitude) {
    for (size_t i = 0; i < pcm.Frames(); ++i) {
        const float level = static_cast<float>(amplitude(static_cast<double>(i) / pcm.rate));
        for (int c = 0; c < pcm.channels; ++c) {
            pcm.At(i, c) *= level;
        }
    }
}

void Gain(Pcm& pcm, double gain) {
    for (float& sample : pcm.samples) {
        sample = static_cast<float>(sample * gain);
    }
}

void MixAt(Pcm& target, const Pcm& source, double seconds, double gain, double pan) {
    if (target.channels == 1 && source.channels == 2) target = Upmixed(target);
    target.Mix(source, FramesOf(seconds, target.rate), static_cast<float>(gain),
               static_cast<float>(pan));
}

Pcm Pan(const Pcm& mono, const Signal& pan) {
    Pcm out(2, mono.Frames(), mono.rate);
    for (size_t i = 0; i < mono.Frames(); ++i) {
        // Equal power, scaled so the centre keeps the mono level per side.
        const double angle = (std::clamp(pan(double(i) / mono.rate), -1.0, 1.0) + 1.0) * M_PI / 4.0;
        out.At(i, 0) = static_cast<float>(mono.At(i, 0) * std::cos(angle) * M_SQRT2);
        out.At(i, 1) = static_cast<float>(mono.At(i, 0) * std::sin(angle) * M_SQRT2);
    }
    return out;
}

Pcm StereoOf(const Pcm& left, const Pcm& right) {
    Pcm out(2, std::max(left.Frames(), right.Frames()), left.rate);
    for (size_t i = 0; i < left.Frames(); ++i) {
        out.At(i, 0) = left.At(i, 0);
    }
    for (size_t i = 0; i < right.Frames(); ++i) {
        out.At(i, 1) = right.At(i, 0);
    }
    return out;
}

Pcm Silence(double seconds, int channels) {
    return Pcm(channels, FramesOf(seconds));
}

void Fit(Pcm& pcm, double seconds) {
    pcm.samples.resize(FramesOf(seconds, pcm.rate) * pcm.channels, 0.0f);
}

void FadeOut(Pcm& pcm, double seconds) {
    const size_t fade = std::min(pcm.Frames(), FramesOf(seconds, pcm.rate));
    const size_t first = pcm.Frames() - fade;
    for (size_t i = 0; i < fade; ++i) {
        const float level = static_cast<float>(1.0 - RaisedCosine(double(i) / fade));
        for (int c = 0; c < pcm.channels; ++c) {
            pcm.At(first + i, c) *= level;
        }
    }
}

void Scatter(Pcm& target, Rng& rng, int count, double start, double end, double spread,
             const GrainMaker& make, double crowding) {
    for (int i = 0; i < count; ++i) {
        const double at = start + (end - start) * std::pow(rng.Uniform(), crowding);
        const double pan = rng.Range(-spread, spread);
        MixAt(target, make(rng, i), at, 1.0, pan);
    }
}

Pcm WithReverb(const Pcm& dry, double room, double damping, double wet, double tail) {
    // The kit's reverb feeds its combs at a small fixed gain, so its wet
    // path alone is some 25 dB below the dry sound: take that path by
    // itself, bring it up, and add it to the untouched dry sound.
    constexpr double kWetMakeUp = 8.0;
    Pcm out(2, dry.Frames(), dry.rate);
    MixAt(out, dry, 0.0);
    MixAt(out, Reverb(dry, room, damping, 1.0), 0.0, wet * kWetMakeUp);
    Fit(out, dry.Seconds() + tail);
    FadeOut(out, tail * 0.6);  // the reverb's own tail is longer: end it softly
    return out;
}

Pcm Echo(const Pcm& dry, double delay, double feedback, int repeats, double darkening,
         bool pingPong) {
    const int channels = pingPong ? 2 : dry.channels;
    Pcm out(channels, dry.Frames(), dry.rate);
    MixAt(out, dry, 0.0);
    Pcm repeat = dry;
    double gain = 1.0;
    for (int k = 1; k <= repeats; ++k) {
        gain *= feedback;
        // One-pole low pass per repeat: each echo duller than the last, as off a far wall.
        for (int c = 0; c < repeat.channels; ++c) {
            double state = 0;
            for (size_t i = 0; i < repeat.Frames(); ++i) {
                state += (1.0 - darkening) * (repeat.At(i, c) - state);
                repeat.At(i, c) = static_cast<float>(state);
            }
        }
        const double pan = pingPong ? (k % 2 ? -0.7 : 0.7) : 0.0;
        MixAt(out, repeat, delay * k, gain, pan);
    }
    return out;
}

void SoftClip(Pcm& pcm, double drive) {
    ScaleTo(pcm, 1.0);
    const double norm = std::tanh(drive);
    for (float& sample : pcm.samples) {
        sample = static_cast<float>(std::tanh(drive * sample) / norm);
    }
}

void BlockDc(Pcm& pcm) {
    const double pole = 1.0 - kTwoPi * 15.0 / pcm.rate;
    for (int c = 0; c < pcm.channels; ++c) {
        double lastIn = 0, lastOut = 0;
        for (size_t i = 0; i < pcm.Frames(); ++i) {
            const double in = pcm.At(i, c);
            lastOut = in - lastIn + pole * lastOut;
            lastIn = in;
            pcm.At(i, c) = static_cast<float>(lastOut);
        }
    }
}

void Release(Pcm& pcm, double seconds) {
    const size_t frames = pcm.Frames();
    const size_t span = std::min(frames, FramesOf(seconds, pcm.rate));
    const size_t fade = std::min(span, FramesOf(kEndFade, pcm.rate));
    const size_t decay = span - fade;
    const size_t first = frames - span;
    // An exponential fall to kReleaseDepthDb, as a damped string or a muted
    // bell dies, then the short fade that takes the rest to silence.
    const double perFrame = decay ? -kReleaseDepthDb / 20.0 / double(decay) : 0.0;
    const double floor = std::pow(10.0, -kReleaseDepthDb / 20.0);
    for (size_t i = 0; i < span; ++i) {
        double level = i < decay ? std::pow(10.0, perFrame * double(i)) : floor;
        if (i >= decay) level *= 1.0 - RaisedCosine(double(i - decay + 1) / double(fade));
        for (int c = 0; c < pcm.channels; ++c) {
            pcm.At(first + i, c) *= static_cast<float>(level);
        }
    }
}

namespace {

// The loudest mean square of any channel over `frames` frames from `first`.
double PowerOf(const Pcm& pcm, size_t first, size_t frames) {
    double sum = 0;
    for (size_t i = first; i < first + frames; ++i) {
        for (int c = 0; c < pcm.channels; ++c)
            sum += double(pcm.At(i, c)) * pcm.At(i, c);
    }
    return frames ? sum / double(frames * pcm.channels) : 0.0;
}

}  // namespace

void EndCleanly(Pcm& pcm) {
    const size_t last = std::min(pcm.Frames(), FramesOf(kEndRelease, pcm.rate));
    const double peak = PeakOf(pcm);
    if (peak <= 0 || last == 0) return;
    const double tailDb =
        10.0 * std::log10(std::max(PowerOf(pcm, pcm.Frames() - last, last), 1e-20));
    if (tailDb - 20.0 * std::log10(peak) > -kReleaseDepthDb) Release(pcm, kEndRelease);
}

void Limit(Pcm& pcm, double ceiling, double release) {
    const size_t frames = pcm.Frames();
    if (frames == 0) return;
    const size_t ahead = std::max<size_t>(1, FramesOf(0.003, pcm.rate));
    // The gain each frame needs to stay under the ceiling.
    std::vector<double> need(frames, 1.0);
    for (size_t i = 0; i < frames; ++i) {
        double magnitude = 0;
        for (int c = 0; c < pcm.channels; ++c)
            magnitude = std::max(magnitude, double(std::fabs(pcm.At(i, c))));
        if (magnitude > ceiling) need[i] = ceiling / magnitude;
    }
    // Reach each frame's need `ahead` frames early, recover slowly after it,
    // then smooth over `ahead` frames: every frame in the smoothing window
    // already meets the need of the frame it ends on.
    std::vector<double> held(frames);
    for (size_t i = 0; i < frames; ++i) {
        double lowest = 1.0;
        for (size_t j = i; j < std::min(frames, i + ahead + 1); ++j)
            lowest = std::min(lowest, need[j]);
        held[i] = lowest;
    }
    const double recovery = 1.0 - std::exp(-1.0 / (release * pcm.rate));
    double gain = 1.0;
    for (size_t i = 0; i < frames; ++i) {
        gain = std::min(held[i], gain + (1.0 - gain) * recovery);
        held[i] = gain;
    }
    double sum = 0;
    for (size_t i = 0; i < frames; ++i) {
        sum += held[i];
        if (i >= ahead) sum -= held[i - ahead];
        const double smooth = sum / double(std::min(i + 1, ahead));
        for (int c = 0; c < pcm.channels; ++c)
            pcm.At(i, c) = static_cast<float>(pcm.At(i, c) * smooth);
    }
}

void LevelTo(Pcm& pcm, Loudness tier) {
    const double target = LoudnessDb(tier);
    for (int pass = 0; pass < 8; ++pass) {
        const double level =
            LevelDb(tier, pcm.samples.data(), pcm.Frames(), pcm.channels, pcm.rate);
        if (std::fabs(level - target) < 0.1) break;
        Gain(pcm, std::pow(10.0, (target - level) / 20.0));
        if (PeakOf(pcm) > kPeakCeiling) Limit(pcm, kPeakCeiling);
    }
    if (PeakOf(pcm) > kPeakCeiling) ScaleTo(pcm, kPeakCeiling);
}

Bytes FinishWav(Pcm pcm, Loudness tier) {
    BlockDc(pcm);
    FadeEdges(pcm, 2.0, kEndFade * 1000.0);
    EndCleanly(pcm);
    LevelTo(pcm, tier);
    return EncodeWav16(pcm);
}

Pcm SteadyLoop(double cycle, int cycles, const std::function<Pcm(int)>& render) {
    Pcm all = render(cycles);
    const size_t cycleFrames = FramesOf(cycle, all.rate);
    Pcm loop(all.channels, cycleFrames, all.rate);
    const size_t first = (cycles - 1) * cycleFrames;
    for (size_t i = 0; i < cycleFrames && first + i < all.Frames(); ++i) {
        for (int c = 0; c < all.channels; ++c) {
            loop.At(i, c) = all.At(first + i, c);
        }
    }
    return loop;
}

double Note(double midi) {
    return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0);
}

}  // namespace asset::sfx
