// The living title screen (a crow, a creaking door, the wind) and the
// ghost's wail of the ending. Voices and creaks are sources shaped by
// resonances, as a throat or a wooden door shapes them.
#include <cmath>

#include "Instruments.h"
#include "Recipes.h"

namespace asset::sfx {

namespace {

// One caw: a rough, breathy pulse (the syrinx) through the formants of an
// open "aah", pitch and vowel both falling away.
Pcm Caw(Rng& rng, double seconds, double pitch) {
    const Signal hertz = Glide({{0, 520 * pitch}, {0.06, 600 * pitch}, {seconds, 430 * pitch}});
    Pcm source = PulseTrain(seconds, rng, hertz, 0.15);
    MixAt(source, ColouredNoise(seconds, rng), 0.0, 0.12);
    Pcm caw = Formants(source, {{Glide({{0, 700}, {0.05, 1100}, {seconds, 800}}), 4.0, 1.0},
                                {Glide({{0, 1500}, {0.05, 1750}, {seconds, 1300}}), 5.0, 0.8},
                                {Const(2600), 4.0, 0.4}});
    Shape(caw, Swell(0.02, seconds * 0.45, seconds * 0.55 - 0.02));
    return caw;
}

// The wind on one side: a howling band wandering in pitch, a broad rush
// under it and a thin whistle an octave up, all gusting.
Pcm WindSide(Rng& rng, double seconds, const Signal& howl, double gustPhase) {
    Pcm side = FilteredNoise(seconds, rng, Pass::Band, howl, 2.5, Const(1.0), Colour::Pink);
    MixAt(side, FilteredNoise(seconds, rng, Pass::Low, Const(1200), 0.5, Const(0.6), Colour::Pink),
          0.0);
    const Signal whistle = [howl](double t) { return 2.0 * howl(t); };
    MixAt(side, FilteredNoise(seconds, rng, Pass::Band, whistle, 18.0, Const(1.0), Colour::Pink),
          0.0, 0.8);
    Shape(side, Times(Swell(1.2, seconds - 3.0, 1.8), Wobble(0.7, 0.25, gustPhase)));
    return side;
}

}  // namespace

Pcm Crow() {
    Rng rng(SeedOf("Title/crow"));
    // Two caws from a branch, the second a little lower, in the open air.
    Pcm dry = Caw(rng, 0.3, 1.0);
    MixAt(dry, Caw(rng, 0.3, 0.94), 0.42);
    Filter(dry, Pass::Low, Const(5000), 0.7);
    Fit(dry, 0.8);
    return WithReverb(dry, 0.45, 0.5, 0.2, 0.3);
}

Pcm Creak() {
    Rng rng(SeedOf("Title/creak"));
    // A door swinging slowly: stick-slip friction (a pulse train speeding up
    // and slowing down, never quite regular) ringing the door's wooden body.
    const double seconds = 2.2;
    Pcm slip = PulseTrain(
        seconds, rng, Glide({{0, 90}, {0.3, 160}, {0.8, 380}, {1.2, 300}, {1.6, 200}, {2.2, 120}}),
        0.25);
    Pcm body = Formants(slip, {{Const(420), 10.0, 1.0},
                               {Const(980), 12.0, 0.8},
                               {Const(1650), 10.0, 0.6},
                               {Const(2600), 8.0, 0.4},
                               {Const(3400), 6.0, 0.2}});
    MixAt(body, FilteredNoise(seconds, rng, Pass::High, Const(2000), 0.7, Const(0.01)), 0.0);
    Filter(body, Pass::Low, Const(4000), 0.7);  // wood swallows the highest part of the rasp
    // The hand pushing the door is not steady: the pressure wavers.
    Shape(body, Times(Swell(0.2, 1.4, 0.6), Wobble(2.3, 0.35)));
    return body;
}

Pcm Wind() {
    Rng rng(SeedOf("Title/wind"));
    // A gust through the hollow, each side wandering on its own so it is wide.
    const double seconds = 3.8;
    Pcm left =
        WindSide(rng, seconds, Glide({{0, 350}, {1.5, 900}, {2.8, 550}, {seconds, 400}}), 0.0);
    Pcm right =
        WindSide(rng, seconds, Glide({{0, 380}, {1.7, 820}, {3.0, 600}, {seconds, 420}}), 0.3);
    return StereoOf(left, right);
}

Pcm Scream() {
    Rng rng(SeedOf("GameFinishedScreen/Scream"));
    // A ghost's wail, "oooOOOooo": mostly breath, a hollow voice under it,
    // its vowel opening from "oo" to "ah" and closing again as the pitch
    // swoops up and sinks, a whistle of wind riding on top, in a big hall.
    const double seconds = 1.25;
    const Signal contour = Glide({{0, 250}, {0.3, 540}, {0.75, 500}, {seconds, 230}});
    const Signal vibrato = [](double t) {
        return 1.0 + (0.008 + 0.025 * t) * std::sin(2 * M_PI * (5.0 + 0.8 * t) * t);
    };
    const Signal hertz = Times(contour, vibrato);
    // The throat: uneven glottal pulses, softened, with breath through them.
    Pcm source = PulseTrain(seconds, rng, hertz, 0.04);
    Filter(source, Pass::Low, Const(1800), 0.7);
    Gain(source, 6.0);
    MixAt(source, ColouredNoise(seconds, rng, Colour::Pink), 0.0, 0.6);
    // The vowel: the first two formants sweep oo -> ah -> oo.
    const Signal first = Glide({{0, 300}, {0.35, 700}, {0.8, 650}, {seconds, 320}});
    const Signal second = Glide({{0, 750}, {0.35, 1150}, {0.8, 1050}, {seconds, 700}});
    Pcm voice = Formants(source, {{first, 7.0, 1.0}, {second, 8.0, 0.7}, {Const(2500), 9.0, 0.2}});
    // The wind in it: narrow noise a twelfth above the voice, following it.
    Pcm whistle = FilteredNoise(seconds, rng, Pass::Band, Times(hertz, Const(3.0)), 14.0,
                                Swell(0.3, 0.5, seconds - 0.8));
    MixAt(voice, whistle, 0.0, 0.8);
    Filter(voice, Pass::Low, Const(5000), 0.7);
    Shape(voice, Times(Swell(0.15, 0.55, seconds - 0.7), Wobble(3.1, 0.12)));
    return WithReverb(voice, 0.85, 0.4, 0.5, 0.35);
}

}  // namespace asset::sfx
