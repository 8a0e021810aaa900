// Sound for the generated data: a sample buffer, the building blocks of
// synthesis, and encoders to 16-bit WAV and Ogg Vorbis.
#pragma once

#include <cstdint>
#include <vector>

#include "assetkit/Bytes.h"
#include "assetkit/Random.h"

namespace asset {

constexpr int kSampleRate = 44100;

struct Pcm {
    int rate = kSampleRate;
    int channels = 1;
    std::vector<float> samples;  // interleaved, nominally -1..1

    Pcm() = default;
    Pcm(int channelCount, size_t frames, int sampleRate = kSampleRate)
        : rate(sampleRate), channels(channelCount), samples(frames * channelCount, 0.0f) {}
    size_t Frames() const { return channels ? samples.size() / channels : 0; }
    double Seconds() const { return static_cast<double>(Frames()) / rate; }
    float& At(size_t frame, int channel) { return samples[frame * channels + channel]; }
    float At(size_t frame, int channel) const { return samples[frame * channels + channel]; }
    // Adds another buffer (same rate) starting at `atFrame`, scaled by gain;
    // a mono source feeds every channel, with pan -1..1 on stereo.
    void Mix(const Pcm& other, size_t atFrame, float gain = 1.0f, float pan = 0.0f);
};

Bytes EncodeWav16(const Pcm& pcm);
// Quality -0.1 .. 1.0 (libvorbisenc's VBR scale). Deterministic for a given
// buffer and serial number.
Bytes EncodeOgg(const Pcm& pcm, float quality = 0.4f, int serial = 1);

// Loudness and edges.
double PeakOf(const Pcm& pcm);
double RmsOf(const Pcm& pcm);
void ScaleTo(Pcm& pcm, double peak);  // linear peak, e.g. 0.89 (-1 dBFS)
// Brings the RMS to target (linear) but never lets the peak pass peakLimit.
void NormaliseLoudness(Pcm& pcm, double targetRms, double peakLimit = 0.89);
// Short fades so a sound never starts or stops with a click.
void FadeEdges(Pcm& pcm, double inMs = 2.0, double outMs = 8.0);

// Oscillators: phase in cycles (0..1 repeating).
double Sine(double phase);
double Triangle(double phase);
double Saw(double phase);
double Square(double phase, double duty = 0.5);

// Envelope: attack, decay and release in seconds, sustain level 0..1.
struct Adsr {
    double attack = 0.005, decay = 0.1, sustain = 0.7, release = 0.1;
    // Level at time t of a note held for `held` seconds.
    double Level(double t, double held) const;
};

// Second-order filters (RBJ cookbook).
class Biquad {
  public:
    static Biquad LowPass(double rate, double frequency, double q = 0.707);
    static Biquad HighPass(double rate, double frequency, double q = 0.707);
    static Biquad BandPass(double rate, double frequency, double q = 1.0);
    static Biquad Peak(double rate, double frequency, double q, double gainDb);
    double Process(double x);
    void Apply(Pcm& pcm, int channel = -1);  // -1: every channel (state per channel)

    Biquad() = default;

  private:
    Biquad(double b0, double b1, double b2, double a0, double a1, double a2)
        : b0_(b0 / a0), b1_(b1 / a0), b2_(b2 / a0), a1_(a1 / a0), a2_(a2 / a0) {}
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// A plucked string (Karplus-Strong): frequency, length, brightness 0..1.
Pcm Pluck(double frequency, double seconds, double brightness, Rng& rng, int rate = kSampleRate);
// White noise burst.
Pcm Noise(double seconds, Rng& rng, int rate = kSampleRate);
// A small room: a Schroeder reverb mixed in at `wet`; stereo output.
Pcm Reverb(const Pcm& dry, double roomSize, double damping, double wet);

}  // namespace asset
