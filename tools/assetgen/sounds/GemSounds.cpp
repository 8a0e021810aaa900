// The board: selecting, swapping, matching and landing gems, and the
// locks, rocks and armour that get in the way. Gems are glass, rocks stone.
#include "Instruments.h"
#include "Recipes.h"

namespace asset::sfx {

namespace {

// The game plays the match at 0.8 (± 0.1) of its rate: the chord is made
// that much higher so it is heard where it was meant.
constexpr double kMatchRate = 0.8;

// A light metal rattle: the shackle of a padlock.
const std::vector<Mode>& ShackleModes() {
    static const std::vector<Mode> modes = {
        {1.0, 1.0, 0.012}, {1.71, 0.7, 0.01}, {2.83, 0.5, 0.006}, {4.1, 0.3, 0.004}};
    return modes;
}

// Shards of glass or gilding flying off: a few tiny pings in quick succession.
Pcm Shatter(Rng& rng, int pieces, double seconds) {
    Pcm out = Silence(seconds);
    Scatter(out, rng, pieces, 0.0, seconds * 0.4, 0.0, [](Rng& r, int) {
        Pcm shard = Strike(0.06, r.Range(3000, 6500), GlassModes(), r.Range(0.3, 0.6));
        Gain(shard, r.Range(0.3, 0.8));
        return shard;
    });
    Fit(out, seconds);
    return out;
}

// A crack through stone: a cluster of sharp impulses and a bright noise snap.
Pcm StoneCrack(Rng& rng, double seconds) {
    Pcm crack = Silence(seconds);
    for (int i = 0; i < 4; ++i) {
        MixAt(crack, Tick(rng, rng.Range(1500, 4000), 0.0015), rng.Range(0, 0.015), 0.8);
    }
    MixAt(crack, FilteredNoise(seconds, rng, Pass::Band, Const(2000), 0.6, Hit(0.0005, 0.015)), 0.0,
          0.8);
    MixAt(crack, Strike(seconds, 520, StoneModes(), 1.2), 0.0, 0.6);
    return crack;
}

}  // namespace

Pcm GemClick() {
    Rng rng(SeedOf("Gems/Click"));
    // A glassy tick: a glass bead tapped.
    Pcm tick = Strike(0.07, 2600, GlassModes(), 0.6);
    MixAt(tick, Tick(rng, 6000, 0.0015), 0.0, 0.3);
    return tick;
}

Pcm GemClickReverse() {
    Rng rng(SeedOf("Gems/ClickReverse"));
    // The select tick turned round: two glass taps falling, softer.
    Pcm tick = Strike(0.09, 2200, GlassModes(), 0.5);
    MixAt(tick, Strike(0.055, 1650, GlassModes(), 0.5), 0.035, 0.7);
    MixAt(tick, Tick(rng, 5000, 0.0015), 0.0, 0.2);
    Fit(tick, 0.09);
    return tick;
}

Pcm InvalidClick() {
    // A dull "bonk" bending down: nothing happens here.
    Pcm bonk = Tone(0.13, Wave::Triangle, Glide({{0, 320}, {0.08, 230}}), Hit(0.002, 0.035));
    MixAt(bonk, Strike(0.13, 220, WoodModes(), 1.2), 0.0, 0.6);
    Filter(bonk, Pass::Low, Const(1200), 0.7);
    return bonk;
}

Pcm Swap() {
    Rng rng(SeedOf("Gems/Swap"));
    // A soft whoosh as two gems pass each other.
    return FilteredNoise(0.22, rng, Pass::Band, Glide({{0, 700}, {0.1, 2000}, {0.22, 1100}}), 1.0,
                         Swell(0.09, 0.02, 0.11), Colour::Pink);
}

Pcm FailedSwap() {
    Rng rng(SeedOf("Gems/FailedSwap"));
    // The gems whoosh back; a falling "uh-oh" under it.
    Pcm out = FilteredNoise(0.32, rng, Pass::Band, Glide({{0, 1800}, {0.3, 600}}), 1.0,
                            Swell(0.05, 0, 0.22), Colour::Pink);
    MixAt(out, Tone(0.1, Wave::Triangle, Const(523), Swell(0.008, 0.05, 0.04)), 0.02, 0.35);
    MixAt(out, Tone(0.15, Wave::Triangle, Glide({{0, 392}, {0.15, 370}}), Swell(0.008, 0.06, 0.08)),
          0.12, 0.35);
    Fit(out, 0.32);
    return out;
}

Pcm Match() {
    Rng rng(SeedOf("Gems/Match"));
    // A bright chime chord strummed quickly upwards: G major with the octave.
    Pcm dry = Silence(0.4);
    const double chord[] = {79, 83, 86, 91};
    for (int i = 0; i < 4; ++i) {
        MixAt(dry, Chime(Note(chord[i]) / kMatchRate, 0.4 - 0.018 * i, 0.45), 0.018 * i, 0.5);
    }
    Pcm out = Pan(dry, Const(0));
    MixAt(out, Sparkles(rng, 0.4, 3, 3500, 6500, 0.03), 0.0, 0.35);
    return WithReverb(out, 0.4, 0.45, 0.2, 0.12);
}

Pcm MatchOverTile() {
    Rng rng(SeedOf("Gems/MatchOverTile"));
    // A gilded plate knocked off: a metal clink and its shards.
    Pcm out = Clink(rng, 1450, 0.45, 0.5);
    Gain(out, 0.8);
    MixAt(out, FilteredNoise(0.1, rng, Pass::Band, Const(2500), 0.8, Hit(0.001, 0.03)), 0.0, 0.5);
    MixAt(out, Shatter(rng, 5, 0.2), 0.01, 0.6);
    FadeOut(out, 0.1);
    return out;
}

Pcm MatchOverArmour2() {
    Rng rng(SeedOf("Gems/MatchOverArmour2"));
    // Heavier armour: two lower clinks, more shards and a thud behind them.
    Pcm out = Clink(rng, 1100, 0.55, 0.6);
    MixAt(out, Clink(rng, 1350, 0.45, 0.5), 0.06, 0.7);
    MixAt(out, FilteredNoise(0.12, rng, Pass::Band, Const(2000), 0.7, Hit(0.001, 0.04)), 0.0, 0.6);
    MixAt(out, Shatter(rng, 8, 0.25), 0.01, 0.7);
    MixAt(out, Boom(0.2, 160, 90, 0.04), 0.0, 0.6);
    Fit(out, 0.55);
    FadeOut(out, 0.12);
    return out;
}

Pcm LockClick() {
    Rng rng(SeedOf("Gems/LockClick"));
    // Rattling a padlock that will not open: two quick shackle clacks on a dull body.
    Pcm out = Strike(0.16, 2300, ShackleModes());
    MixAt(out, Strike(0.11, 2450, ShackleModes()), 0.045, 0.8);
    MixAt(out, Strike(0.16, 260, WoodModes(), 0.6), 0.0, 0.6);
    MixAt(out, Tick(rng, 5000, 0.001), 0.0, 0.4);
    MixAt(out, Tick(rng, 5000, 0.001), 0.045, 0.3);
    Fit(out, 0.16);
    return out;
}

Pcm Unlock() {
    Rng rng(SeedOf("Gems/Unlock"));
    // The lock clacks open, then its chain slithers away link by link.
    Pcm out = Silence(0.6, 2);
    Pcm clack = Strike(0.12, 1900, ShackleModes(), 1.5);
    MixAt(clack, Strike(0.12, 320, WoodModes(), 0.8), 0.0, 0.7);
    MixAt(clack, Tick(rng, 4000, 0.0015), 0.0, 0.5);
    MixAt(clack, Strike(0.1, 2200, ShackleModes(), 1.2), 0.025, 0.6);
    MixAt(out, clack, 0.0);
    Pcm chain = Silence(0.6, 2);
    Scatter(
        chain, rng, 12, 0.06, 0.45, 0.5,
        [](Rng& r, int) {
            Pcm link = Clink(r, r.Range(1800, 3200), 0.09, 0.25);
            Gain(link, r.Range(0.25, 0.6));
            return link;
        },
        1.3);
    MixAt(out, chain, 0.0);
    Fit(out, 0.6);
    FadeOut(out, 0.1);
    return out;
}

Pcm RockClick() {
    Rng rng(SeedOf("Gems/RockClick"));
    // A dull tap on stone: the hard contact, a noise transient, and a short
    // low body of the block (noise through its low resonance), no ring.
    Pcm tap = FilteredNoise(0.02, rng, Pass::Band, Const(2800), 0.8, Hit(0.0003, 0.003));
    Pcm body = FilteredNoise(0.1, rng, Pass::Band, Glide({{0, 420}, {0.05, 300}}), 3.0,
                             Hit(0.001, 0.016), Colour::Pink);
    MixAt(body, FilteredNoise(0.1, rng, Pass::Low, Const(700), 0.7, Hit(0.0008, 0.008)), 0.0, 0.5);
    MixAt(body, tap, 0.0, 0.6);
    Filter(body, Pass::Low, Const(4000), 0.7);
    Fit(body, 0.1);
    return body;
}

Pcm GemLanding() {
    Rng rng(SeedOf("Gems/GemLanding"));
    // A soft knock on wood; short, because the next landing waits for it.
    Pcm knock = Strike(0.11, 330, WoodModes(), 0.8, 0.0015);
    MixAt(knock, FilteredNoise(0.05, rng, Pass::Low, Const(900), 0.7, Hit(0.001, 0.01)), 0.0, 0.5);
    Filter(knock, Pass::Low, Const(3000), 0.7);
    return knock;
}

Pcm Hint() {
    // A gentle twinkle: four soft chime notes, high and quiet.
    Pcm dry = Silence(0.5);
    const double notes[] = {93, 100, 97, 105};
    for (int i = 0; i < 4; ++i) {
        MixAt(dry, Chime(Note(notes[i]), 0.5 - 0.08 * i, 0.35, 0.004), 0.08 * i, 0.5);
    }
    return WithReverb(dry, 0.6, 0.4, 0.35, 0.25);
}

Pcm MagicReleased() {
    Rng rng(SeedOf("Gems/MagicReleased"));
    // Magic set free: a rising shimmering sweep, breath of air, and glitter.
    Pcm sweep = Fm(0.6, Glide({{0, 500}, {0.4, 2000}}), 1.5, Line({{0, 1.5}, {0.4, 0.3}}),
                   Swell(0.05, 0.1, 0.45));
    Shape(sweep, Wobble(9, 0.25));
    Pcm out = Pan(sweep, Line({{0, -0.3}, {0.6, 0.3}}));
    Gain(out, 0.45);
    MixAt(out,
          FilteredNoise(0.6, rng, Pass::High, Glide({{0, 2000}, {0.5, 8000}}), 0.8,
                        Swell(0.2, 0.05, 0.35)),
          0.0, 0.2);
    MixAt(out, Sparkles(rng, 0.75, 12, 2500, 7000, 0.05), 0.0, 0.7);
    return WithReverb(out, 0.6, 0.4, 0.3, 0.2);
}

Pcm EggDrop() {
    Rng rng(SeedOf("Gems/EggDrop"));
    // A golden clink that bounces twice.
    Pcm out = Clink(rng, Note(96), 0.55, 0.8);
    MixAt(out, Clink(rng, Note(96) * 1.06, 0.4, 0.5), 0.11, 0.45);
    MixAt(out, Clink(rng, Note(96) * 1.03, 0.3, 0.4), 0.18, 0.2);
    Fit(out, 0.55);
    FadeOut(out, 0.15);
    return WithReverb(out, 0.4, 0.5, 0.15, 0.1);
}

Pcm RockCracked() {
    Rng rng(SeedOf("Gems/RockCracked"));
    // Stone cracking: the snap, a short crunch and a low knock.
    Pcm out = StoneCrack(rng, 0.35);
    MixAt(out, Crackle(0.2, rng, Glide({{0, 900}, {0.15, 30}}), 1500, 0.7), 0.005, 0.6);
    MixAt(out, Boom(0.25, 140, 80, 0.05), 0.0, 0.6);
    FadeOut(out, 0.1);
    return out;
}

Pcm RockDestroyed() {
    Rng rng(SeedOf("Gems/RockDestroyed"));
    // The rock bursts: a bigger crack and thump, then rubble crumbling down.
    Pcm out = StoneCrack(rng, 0.3);
    MixAt(out, Boom(0.5, 110, 50, 0.09), 0.0, 0.9);
    MixAt(out,
          FilteredNoise(0.4, rng, Pass::Low, Glide({{0, 3000}, {0.3, 400}}), 0.7, Hit(0.001, 0.07)),
          0.0, 0.6);
    MixAt(out, Rubble(rng, 0.9, 40), 0.0, 0.8);
    Fit(out, 0.95);
    FadeOut(out, 0.2);
    return out;
}

}  // namespace asset::sfx
