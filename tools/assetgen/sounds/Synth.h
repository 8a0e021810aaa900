// The building blocks every sound recipe of the game is made from: curves
// over time, band-limited oscillators, struck resonant bodies, swept
// filters, noise colours, grain scattering, effects and the final levelling.
// A recipe is a short function that layers these; see the *Sounds.cpp files.
#pragma once

#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "assetkit/Audio.h"
#include "assetkit/Bytes.h"
#include "assetkit/Random.h"
#include "manifest/Manifest.h"

namespace asset::sfx {

// A value over time (seconds): an envelope, a pitch contour, a cutoff sweep.
using Signal = std::function<double(double)>;

Signal Const(double value);
// Breakpoints (time, value), held before the first and after the last.
// Line interpolates linearly; Glide geometrically, as the ear hears pitch
// and cutoff (values must be above zero).
Signal Line(std::initializer_list<std::pair<double, double>> points);
Signal Glide(std::initializer_list<std::pair<double, double>> points);
// A struck envelope: a short raised-cosine attack, then exponential decay
// with time constant `decay`.
Signal Hit(double attack, double decay);
// A swell: raised-cosine rise over `rise`, hold, raised-cosine fall over `fall`.
Signal Swell(double rise, double hold, double fall);
// The product of two signals (an envelope times a tremolo, say).
Signal Times(Signal a, Signal b);
// 1 + depth * sin(2 pi rate t): vibrato or tremolo around 1.
Signal Wobble(double rate, double depth, double phase = 0);

enum class Wave { Sine, Triangle, Saw, Square };

// Every note below (oscillators, strikes, noise bursts) ends with a
// release (see Release), so a buffer shorter than its ring never clicks.
// An oscillator following a frequency contour (Hz) and an amplitude
// envelope. Saw and square are band-limited (polyBLEP) so high notes stay clean.
Pcm Tone(double seconds, Wave wave, const Signal& hertz, const Signal& amplitude);
// Two-operator FM: a sine carrier modulated by a sine at carrier * ratio;
// `index` is the modulation depth (radians), usually decaying for bells.
Pcm Fm(double seconds, const Signal& hertz, double ratio, const Signal& index,
       const Signal& amplitude);

// One resonant mode of a struck body: frequency ratio to the base, level
// and decay time constant (seconds).
struct Mode {
    double ratio, gain, decay;
};
// A struck object as a sum of decaying modes (modal synthesis). `ring`
// scales every decay (a bigger or freer object rings longer); `attack`
// softens the strike (a felt mallet rather than a hammer).
Pcm Strike(double seconds, double baseHertz, const std::vector<Mode>& modes, double ring = 1.0,
           double attack = 0.0005);

// Mode sets of the materials the game's sounds strike.
const std::vector<Mode>& GlassModes();    // a small glass bead: bright, slightly inharmonic
const std::vector<Mode>& CelestaModes();  // a free metal bar: soft, sweet bell
const std::vector<Mode>& BellModes();     // a cast bell: hum, tierce and nominal
const std::vector<Mode>& CoinModes();     // a thin metal disc: bright and long
const std::vector<Mode>& WoodModes();     // a wooden block: short and hollow
const std::vector<Mode>& StoneModes();    // a stone: dull, very short

enum class Colour { White, Pink, Brown };
Pcm ColouredNoise(double seconds, Rng& rng, Colour colour = Colour::White);

enum class Pass { Low, Band, High };
// A state-variable filter whose cutoff may sweep smoothly (the topology
// stays stable under fast modulation). Band pass has unity gain at the centre.
void Filter(Pcm& pcm, Pass pass, const Signal& cutoff, double q = 0.707);
// Noise through a swept filter, shaped by an envelope.
Pcm FilteredNoise(double seconds, Rng& rng, Pass pass, const Signal& cutoff, double q,
                  const Signal& amplitude, Colour colour = Colour::White);

// A resonance of a vocal tract or a wooden body: centre, sharpness, level.
struct Formant {
    Signal hertz;
    double q, gain;
};
// The sum of band passes of the source (a voice or a body from its excitation).
Pcm Formants(const Pcm& source, const std::vector<Formant>& formants);

// Single-sample impulses at random times, `density` per second on average,
// random height and sign: the raw material of crackle, grit and creaks.
Pcm Impulses(double seconds, Rng& rng, const Signal& density);
// Unit impulses at a rate following `hertz`, each period varied at random
// by up to `jitter` (a fraction): the stick-slip of a creak, a rasping throat.
Pcm PulseTrain(double seconds, Rng& rng, const Signal& hertz, double jitter);

// Shapes a buffer in place by an envelope.
void Shape(Pcm& pcm, const Signal& amplitude);
void Gain(Pcm& pcm, double gain);
// Adds `source` at `seconds` (a mono source on a stereo target is panned).
void MixAt(Pcm& target, const Pcm& source, double seconds, double gain = 1.0, double pan = 0.0);
// A mono buffer made stereo, panned along a path (-1 left .. 1 right).
Pcm Pan(const Pcm& mono, const Signal& pan);
// Two independently made mono layers as left and right: width from
// decorrelation rather than delay, so nothing combs when summed to mono.
Pcm StereoOf(const Pcm& left, const Pcm& right);
// A buffer of silence.
Pcm Silence(double seconds, int channels = 1);
// Cuts or pads to an exact length.
void Fit(Pcm& pcm, double seconds);
// A raised-cosine fade over the last `seconds`, for tails cut short.
void FadeOut(Pcm& pcm, double seconds);

// Grains scattered over a time window: `make` builds grain i; each lands at
// a random time in [start, end) with a random pan in [-spread, spread].
// A `crowding` above 1 gathers the grains towards the start, as debris
// settles or a jingle dies away.
using GrainMaker = std::function<Pcm(Rng&, int)>;
void Scatter(Pcm& target, Rng& rng, int count, double start, double end, double spread,
             const GrainMaker& make, double crowding = 1.0);

// Effects.
// Room reverb (stereo out), kept to the dry length plus `tail` seconds and
// faded at the end of that tail. `wet` is roughly the level of the room's
// sound against the dry sound (0.3 gives a tail some 15 dB down).
Pcm WithReverb(const Pcm& dry, double room, double damping, double wet, double tail);
// Repeats darkening each time; ping-pong between the sides when `pingPong`.
Pcm Echo(const Pcm& dry, double delay, double feedback, int repeats, double darkening,
         bool pingPong);
// Gentle saturation: denser, louder bangs without hard clipping.
void SoftClip(Pcm& pcm, double drive);
// Removes any offset (brown noise and asymmetric shapes drift).
void BlockDc(Pcm& pcm);

// Endings. A release: an exponential fall of kReleaseDepthDb over the
// last `seconds`, then a kEndFade fade to silence. Every note ends with
// one, so a note cut short by its buffer never stops with a click.
constexpr double kReleaseDepthDb = 50.0;
constexpr double kEndFade = 0.008;
constexpr double kNoteRelease = 0.03;
constexpr double kEndRelease = 0.04;
void Release(Pcm& pcm, double seconds);
// A sound still ringing in its last kEndRelease seconds (less than
// kReleaseDepthDb under its peak) is released over them.
void EndCleanly(Pcm& pcm);

// Loudness (tiers in manifest/Manifest.h).
// Holds peaks under `ceiling` without clipping: the gain falls just
// before each peak and recovers over `release` seconds.
void Limit(Pcm& pcm, double ceiling, double release = 0.06);
// Brings the sound to its tier's level; where that would lift peaks past
// the ceiling, the limiter holds them down.
void LevelTo(Pcm& pcm, Loudness tier);

// Click-free edges, a decayed ending, removed offset, levelled, as 16-bit WAV.
Bytes FinishWav(Pcm pcm, Loudness tier);

// A seamless loop of `cycle` seconds: `render(cycles)` draws the score
// repeated `cycles` times (every event once per cycle, continuous layers
// periodic in `cycle`) with all its effects; the last cycle, by then in its
// steady state, joins its own start without a seam.
Pcm SteadyLoop(double cycle, int cycles, const std::function<Pcm(int)>& render);

// Frequency of a note: MIDI number (69 = A4 = 440 Hz).
double Note(double midi);

}  // namespace asset::sfx
