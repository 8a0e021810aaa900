// Cues that frame a level (start, win, loss, the last seconds) and the
// maker's logo jingle.
#include <cmath>

#include "Instruments.h"
#include "Recipes.h"

namespace asset::sfx {

namespace {

// A muted horn: a buzzing reed-like pulse from the lips, its pitch
// scooping up into the note, breath at the onset, the bell's resonance
// and a mute that closes over the note; everything above the mute's
// band rolls off steeply, so no raw edge of the oscillator is left.
Pcm MutedHorn(double seconds, const Signal& hertz, const Signal& amplitude, Rng& rng) {
    const Signal scoop = Times(hertz, Glide({{0, 0.94}, {0.05, 1.0}}));
    Pcm horn = Tone(seconds, Wave::Saw, scoop, amplitude);
    MixAt(horn, Tone(seconds, Wave::Square, scoop, amplitude), 0.0, 0.25);
    Pcm body = Formants(horn, {{Glide({{0, 1000}, {seconds, 520}}), 2.5, 1.0},
                               {Const(480), 3.0, 0.6},
                               {Const(2200), 6.0, 0.15}});
    Filter(body, Pass::Low, Glide({{0, 2000}, {seconds, 1100}}), 0.6);
    Filter(body, Pass::Low, Const(2600), 0.6);
    MixAt(body,
          FilteredNoise(0.08, rng, Pass::Band, Const(1400), 1.0, Hit(0.005, 0.025), Colour::Pink),
          0.0, 0.15);
    return body;
}

// Loop length of the logo jingle and its beat of frequencies: every
// continuous voice is a whole multiple of 1 / kSplashCycle Hz, so it is
// periodic in the loop and the end joins the start.
constexpr double kSplashCycle = 2.0;
constexpr double kSplashGrid = 1.0 / kSplashCycle;

double OnGrid(double hertz) {
    return std::round(hertz / kSplashGrid) * kSplashGrid;
}

// A soft chord pad: each note doubled one grid step higher, so the pair
// beats exactly once per loop, the notes' beats spread over the loop.
Pcm SplashPad(double seconds) {
    Pcm pad = Silence(seconds);
    const double notes[] = {62, 69, 74, 78, 81};  // D major, open voicing
    for (int i = 0; i < 5; ++i) {
        const double hertz = OnGrid(Note(notes[i]));
        const double lag = i / 5.0;
        Pcm voice(1, pad.Frames());
        for (size_t f = 0; f < voice.Frames(); ++f) {
            const double t = double(f) / voice.rate;
            const double main = std::sin(2 * M_PI * hertz * t);
            const double partner = 0.5 * std::sin(2 * M_PI * ((hertz + kSplashGrid) * t + lag));
            const double octave = 0.12 * std::sin(2 * M_PI * 2 * hertz * t);
            voice.At(f, 0) = static_cast<float>(main + partner + octave);
        }
        MixAt(pad, voice, 0.0, 0.08);
    }
    // A 4-Hz shimmer of the whole pad, eight times per loop.
    Shape(pad, Wobble(4.0, 0.15));
    return pad;
}

// Twinkling celesta notes: up the chord and down again, one every quarter second.
Pcm SplashChimes(int cycles) {
    Pcm chimes = Silence(kSplashCycle * cycles);
    const double notes[] = {86, 90, 93, 98, 97, 93, 90, 88};
    for (int cycle = 0; cycle < cycles; ++cycle) {
        for (int i = 0; i < 8; ++i) {
            const double at = cycle * kSplashCycle + 0.25 * i;
            // Long enough to die away completely: a ring cut short would click every loop.
            MixAt(chimes, Chime(Note(notes[i]), 4.0, 0.7, 0.004), at, i == 0 ? 0.35 : 0.25);
        }
    }
    Fit(chimes, kSplashCycle * cycles);
    return chimes;
}

// Glittering air: one loop's worth of high noise, repeated, so it too is periodic.
Pcm SplashAir(Rng& rng, int cycles) {
    const Pcm one = ColouredNoise(kSplashCycle, rng);
    Pcm air = Silence(kSplashCycle * cycles);
    for (int cycle = 0; cycle < cycles; ++cycle) {
        MixAt(air, one, cycle * kSplashCycle);
    }
    Filter(air, Pass::High, Const(6000), 0.7);
    Shape(air, Wobble(4.0, 0.6, 0.25));
    Gain(air, 0.01);
    return air;
}

}  // namespace

Pcm LevelStart() {
    Rng rng(SeedOf("Level/LevelStart"));
    // "Go!": two pickup notes, then a bright chord stab with a timpani under it.
    Pcm dry = Silence(0.8);
    MixAt(dry, Chime(Note(81), 0.3, 0.3), 0.0, 0.35);
    MixAt(dry, Chime(Note(86), 0.3, 0.3), 0.1, 0.35);
    Pcm stab = Silence(0.6);
    for (double midi : {62.0, 69.0, 74.0, 78.0, 81.0}) {
        MixAt(stab, Tone(0.6, Wave::Saw, Const(Note(midi)), Hit(0.005, 0.25)), 0.0, 0.12);
    }
    Filter(stab, Pass::Low, Glide({{0, 600}, {0.03, 5000}, {0.5, 1500}}), 0.9);
    MixAt(dry, stab, 0.2);
    MixAt(dry, Boom(0.6, 110, 73, 0.25), 0.2, 0.7);
    MixAt(dry, Chime(Note(86), 0.6, 0.8), 0.2, 0.4);
    MixAt(dry, Chime(Note(93), 0.6, 0.8), 0.2, 0.3);
    Pcm out = Pan(dry, Const(0));
    MixAt(out, Whoosh(0.25, rng, 600, 4000, 0.2), 0.0, 0.3);
    Fit(out, 0.8);
    return WithReverb(out, 0.6, 0.4, 0.3, 0.4);
}

Pcm LevelEnd() {
    Rng rng(SeedOf("Level/LevelEnd"));
    // All goals met: a quick celesta run up two octaves of D major into a
    // shimmering held chord.
    Pcm dry = Silence(1.6);
    const double run[] = {74, 78, 81, 86, 90, 93, 98};
    for (int i = 0; i < 7; ++i) {
        MixAt(dry, Chime(Note(run[i]), 1.2, 0.7), 0.055 * i, 0.3);
    }
    Pcm chord = Silence(1.25);
    for (double midi : {62.0, 69.0, 74.0, 78.0}) {
        MixAt(chord, Tone(1.25, Wave::Saw, Const(Note(midi)), Const(0.1)), 0.0);
        MixAt(chord, Tone(1.25, Wave::Saw, Const(Note(midi + 0.08)), Const(0.1)), 0.0);
    }
    Filter(chord, Pass::Low, Const(1800), 0.7);
    Shape(chord, Times(Swell(0.1, 0.45, 0.7), Wobble(6, 0.12)));
    MixAt(dry, chord, 0.35, 0.8);
    Pcm out = Pan(dry, Const(0));
    MixAt(out, Sparkles(rng, 1.6, 14, 3000, 8000, 0.35), 0.0, 0.5);
    return WithReverb(out, 0.7, 0.4, 0.35, 0.45);
}

Pcm NoMoreMoves() {
    Rng rng(SeedOf("Level/NoMoreMoves"));
    // Stuck: two falling muted-horn notes, the last one bending down with a
    // widening vibrato (the game plays it at 0.7 of its rate, lower and slower).
    Pcm out =
        MutedHorn(0.36, Glide({{0, 392}, {0.28, 392}, {0.36, 380}}), Swell(0.03, 0.23, 0.1), rng);
    const Signal falling = Glide({{0, 330}, {0.3, 330}, {0.6, 300}});
    const Signal vibrato = [](double t) {
        return 1.0 + 0.006 * t / 0.6 * std::sin(2 * M_PI * 5.5 * t);
    };
    MixAt(out, MutedHorn(0.62, Times(falling, vibrato), Swell(0.03, 0.34, 0.25), rng), 0.38);
    Fit(out, 1.0);
    return out;
}

Pcm TimeUp() {
    // The clock has run out: a bell tolls twice, the second lower.
    Pcm dry = Strike(1.0, 440, BellModes(), 0.7, 0.002);
    MixAt(dry, Strike(0.65, 370, BellModes(), 0.7, 0.002), 0.35);
    Fit(dry, 1.0);
    FadeOut(dry, 0.3);
    return WithReverb(dry, 0.6, 0.4, 0.3, 0.3);
}

Pcm EchoPop() {
    Rng rng(SeedOf("Level/EchoPop"));
    // The gems scatter: a pop bouncing away between the sides.
    Pcm pop = Tone(0.08, Wave::Sine, Glide({{0, 900}, {0.025, 250}}), Hit(0.001, 0.03));
    MixAt(pop, FilteredNoise(0.03, rng, Pass::Band, Const(1500), 1.0, Hit(0.0005, 0.006)), 0.0,
          0.6);
    Pcm out = Echo(pop, 0.13, 0.55, 5, 0.5, true);
    Fit(out, 0.85);
    return out;
}

Pcm LowTimeBeep() {
    // A clock beep: a clean tone with a touch of its third harmonic.
    const Signal envelope = Swell(0.004, 0.07, 0.03);
    Pcm beep = Tone(0.11, Wave::Sine, Const(Note(91)), envelope);
    MixAt(beep, Tone(0.11, Wave::Sine, Const(Note(91) * 3), envelope), 0.0, 0.15);
    return beep;
}

Pcm SplashJingle() {
    Rng rng(SeedOf("SplashSound"));
    // A soft magical shimmer: a chord pad, twinkling chimes and glittering
    // air, in a large room. Four cycles are rendered so the reverb and every
    // ringing chime are in their steady state in the last one, which is kept.
    Pcm loop = SteadyLoop(kSplashCycle, 4, [&rng](int cycles) {
        const double seconds = kSplashCycle * cycles;
        Pcm dry = SplashPad(seconds);
        MixAt(dry, SplashChimes(cycles), 0.0);
        Pcm wet = WithReverb(dry, 0.75, 0.45, 0.4, 0.0);
        MixAt(wet, SplashAir(rng, cycles), 0.0);
        BlockDc(wet);
        return wet;
    });
    return loop;
}

}  // namespace asset::sfx
