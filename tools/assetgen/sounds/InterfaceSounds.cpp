// Menus, dialogs, HUD and map: short, soft and unobtrusive, heard hundreds
// of times. Bells are in D major, the key the interface chimes share.
#include "Instruments.h"
#include "Recipes.h"

namespace asset::sfx {

namespace {

// D major pitches of the interface chimes (MIDI numbers).
constexpr double kA5 = 81, kD6 = 86, kFs6 = 90, kA6 = 93, kD7 = 98, kE7 = 100;

Pcm SoftBells(std::initializer_list<std::pair<double, double>> notesAt, double ring,
              double seconds) {
    Pcm dry = Silence(seconds);
    for (const auto& [at, midi] : notesAt) {
        MixAt(dry, Chime(Note(midi), seconds - at, ring, 0.003), at, 0.6);
    }
    Filter(dry, Pass::Low, Const(6000), 0.7);  // felt mallets: no glassy edge
    return WithReverb(dry, 0.55, 0.4, 0.3, 0.3);
}

}  // namespace

Pcm ButtonClick() {
    Rng rng(SeedOf("buttonclick"));
    // A small wooden tock with the tick of the contact on top.
    Pcm click = Strike(0.08, 1250, WoodModes(), 0.5);
    MixAt(click, Tick(rng, 3500, 0.0025), 0.0, 0.5);
    return click;
}

Pcm ButtonMouseOver() {
    // A soft, airy blip that rises a little: noticeable, never a click.
    Pcm blip = Tone(0.07, Wave::Sine, Glide({{0, 1700}, {0.03, 2100}}), Hit(0.003, 0.014));
    MixAt(blip, Tone(0.07, Wave::Sine, Glide({{0, 3400}, {0.03, 4200}}), Hit(0.003, 0.008)), 0.0,
          0.15);
    return blip;
}

Pcm Typing() {
    Rng rng(SeedOf("GUI/Typing"));
    // A typewriter key: the sharp strike, the ring of the type bar, the platen's thunk.
    Pcm key = Tick(rng, 4500, 0.003);
    const std::vector<Mode> typeBar = {{1.0, 1.0, 0.012}, {1.63, 0.6, 0.008}, {2.71, 0.4, 0.005}};
    MixAt(key, Strike(0.06, 2900, typeBar), 0.0, 0.35);
    MixAt(key, Strike(0.06, 250, {{1.0, 1.0, 0.01}, {2.2, 0.4, 0.006}}), 0.0, 0.3);
    Fit(key, 0.06);
    return key;
}

Pcm DialogSlideIn() {
    Rng rng(SeedOf("GUI/SlideIn"));
    // Air rising as the panel arrives, travelling in from one side.
    Pcm air = Whoosh(0.45, rng, 500, 2400, 0.3);
    MixAt(air,
          FilteredNoise(0.45, rng, Pass::Band, Const(5000), 0.7, Swell(0.3, 0, 0.15), Colour::Pink),
          0.0, 0.2);
    return Pan(air, Line({{0, -0.6}, {0.45, 0.4}}));
}

Pcm DialogSlideOut() {
    Rng rng(SeedOf("GUI/SlideOut"));
    Pcm air = Whoosh(0.4, rng, 2400, 500, 0.12);
    MixAt(air,
          FilteredNoise(0.4, rng, Pass::Band, Const(5000), 0.7, Swell(0.1, 0, 0.3), Colour::Pink),
          0.0, 0.2);
    return Pan(air, Line({{0, 0.4}, {0.4, -0.6}}));
}

Pcm OkDialog() {
    return SoftBells({{0.0, kD6}, {0.09, kA6}}, 0.7, 0.7);
}

Pcm Confirm() {
    return SoftBells({{0.0, kA5}, {0.07, kD6}, {0.14, kFs6}}, 0.8, 0.75);
}

Pcm Error() {
    // A low thud and a short rough buzz: two detuned saws beating, kept dark.
    Pcm buzz = Tone(0.42, Wave::Saw, Const(98), Swell(0.006, 0.2, 0.12));
    MixAt(buzz, Tone(0.42, Wave::Saw, Const(103.5), Swell(0.006, 0.2, 0.12)), 0.0, 0.8);
    Filter(buzz, Pass::Low, Glide({{0, 1800}, {0.32, 700}}), 0.9);
    Gain(buzz, 0.5);
    MixAt(buzz, Boom(0.42, 130, 60, 0.07), 0.0, 0.7);
    return buzz;
}

Pcm MapZoomIn() {
    Rng rng(SeedOf("MapScreen/ZoomIn"));
    // Rushing forwards: a whoosh and a tone both rising two octaves, a glint at the end.
    Pcm zoom = Whoosh(0.65, rng, 300, 3000, 0.45);
    MixAt(zoom, Tone(0.65, Wave::Sine, Glide({{0, 260}, {0.5, 1040}}), Swell(0.3, 0.1, 0.25)), 0.0,
          0.2);
    Pcm out = Pan(zoom, Const(0));
    MixAt(out, Sparkles(rng, 0.65, 4, 3000, 6000, 0.35), 0.0, 0.5);
    return out;
}

Pcm MapSlideDown() {
    Rng rng(SeedOf("MapScreen/SlideDown"));
    // A long falling sweep of air, wide, with a soft rumble of movement under it.
    Pcm left = Whoosh(1.1, rng, 2200, 350, 0.35, 1.0);
    Pcm right = Whoosh(1.1, rng, 2000, 380, 0.38, 1.0);
    Pcm out = StereoOf(left, right);
    Pcm rumble =
        FilteredNoise(1.1, rng, Pass::Low, Const(200), 0.7, Swell(0.3, 0.2, 0.6), Colour::Brown);
    MixAt(out, rumble, 0.0, 0.6);
    return out;
}

Pcm BoardSlide() {
    Rng rng(SeedOf("HUD/SlideInReverb"));
    // The board dropping through the air and settling with a soft, roomy landing.
    Pcm fall = Whoosh(0.9, rng, 1800, 250, 0.45, 1.0);
    MixAt(fall, Tone(0.9, Wave::Sine, Glide({{0, 180}, {0.6, 70}}), Swell(0.35, 0.1, 0.4)), 0.0,
          0.35);
    MixAt(fall, Boom(0.5, 95, 45, 0.14), 0.48, 0.5);
    return WithReverb(fall, 0.7, 0.35, 0.4, 0.55);
}

Pcm GaugeFull() {
    Rng rng(SeedOf("HUD/GaugeFull"));
    // Charging up, then a bright two-bell "ready".
    Pcm charge = Fm(0.22, Glide({{0, 400}, {0.2, 1600}}), 2.0, Const(0.6), Swell(0.12, 0.04, 0.06));
    Pcm dry = Silence(0.55);
    MixAt(dry, charge, 0.0, 0.5);
    MixAt(dry, Chime(Note(kA6), 0.37, 0.6), 0.18, 0.6);
    MixAt(dry, Chime(Note(kE7), 0.37, 0.5), 0.18, 0.4);
    Pcm out = Pan(dry, Const(0));
    MixAt(out, Sparkles(rng, 0.55, 5, 4000, 7000, 0.18), 0.0, 0.35);
    return WithReverb(out, 0.5, 0.4, 0.25, 0.25);
}

Pcm GoalDone() {
    Rng rng(SeedOf("HUD/GoalDone"));
    // A harp-like run up the D major chord crowned by a bell: "done!".
    Pcm dry = Silence(0.75);
    const double run[] = {74, 78, 81, 86};
    for (int i = 0; i < 4; ++i) {
        MixAt(dry, Pluck(Note(run[i]), 0.6, 0.75, rng), 0.05 * i, 0.6);
    }
    MixAt(dry, Chime(Note(kD7), 0.55, 0.8), 0.2, 0.5);
    Filter(dry, Pass::Low, Const(7000), 0.7);
    Fit(dry, 0.75);
    FadeOut(dry, 0.15);
    Pcm out = Pan(dry, Const(0));
    MixAt(out, Sparkles(rng, 0.75, 6, 3500, 7000, 0.2), 0.0, 0.3);
    return WithReverb(out, 0.55, 0.4, 0.3, 0.3);
}

}  // namespace asset::sfx
