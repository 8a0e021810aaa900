// Bombs, powerups and treasure. The game layers several of these for one
// bomb (a body such as "explode" or "bomb" under the bomb's own character
// sound), so each character sound keeps to its own part of the spectrum.
#include <cmath>

#include "Instruments.h"
#include "Recipes.h"

namespace asset::sfx {

namespace {

// A stereo bang: one boom in the middle, the noise of the blast made twice
// so its sides differ, then saturated so it stays dense when levelled.
Pcm StereoBang(Rng& rng, double seconds, double fromHertz, double toHertz, double boomDecay,
               double blastDecay) {
    Pcm out = StereoOf(Blast(seconds, rng, blastDecay), Blast(seconds, rng, blastDecay));
    MixAt(out, Boom(seconds, fromHertz, toHertz, boomDecay), 0.0, 0.7);
    return out;
}

// A flame flaring: a band of noise opening up and closing again, with crackle.
Pcm Flare(Rng& rng, double seconds, double peakAt) {
    Pcm roar =
        FilteredNoise(seconds, rng, Pass::Low, Glide({{0, 300}, {peakAt, 2500}, {seconds, 500}}),
                      1.0, Swell(peakAt, 0.05, seconds - peakAt - 0.05), Colour::Pink);
    MixAt(roar, Crackle(seconds, rng, Glide({{0, 400}, {seconds, 40}}), 2500, 0.8), 0.0, 0.6);
    return roar;
}

// A stroke through the air: a band of noise sweeping down, moving across.
Pcm Swish(Rng& rng, double seconds, double fromPan, double toPan) {
    Pcm air = FilteredNoise(seconds, rng, Pass::Band, Glide({{0, 3500}, {seconds * 0.7, 900}}), 1.6,
                            Swell(0.03, 0, seconds - 0.03), Colour::Pink);
    return Pan(air, Line({{0, fromPan}, {seconds * 0.7, toPan}}));
}

// A swelling chord of soft voices: a pure, "holy" shimmer.
Pcm HolyChord(double seconds) {
    Pcm chord = Silence(seconds);
    const double notes[] = {81, 85, 88, 93};  // A major, bright and open
    for (double midi : notes) {
        for (double cents : {-6.0, 6.0}) {  // pairs a few cents apart: a choir, not an organ
            const double hertz = Note(midi + cents / 100.0);
            MixAt(chord, Tone(seconds, Wave::Triangle, Const(hertz), Const(0.25)), 0.0);
        }
    }
    Shape(chord, Times(Swell(0.15, 0.3, seconds - 0.45), Wobble(7, 0.2)));
    Filter(chord, Pass::Low, Const(3000), 0.7);
    return chord;
}

// The crack of a bolt: a bright burst with body, torn by a few sharp
// secondary snaps and an electric sizzle.
Pcm ThunderCrack(Rng& rng) {
    Pcm crack = FilteredNoise(0.5, rng, Pass::Low, Glide({{0, 9000}, {0.1, 1800}, {0.4, 600}}), 0.7,
                              Hit(0.0005, 0.07), Colour::Pink);
    for (int i = 0; i < 5; ++i) {
        const double at = 0.02 + 0.28 * std::pow(rng.Uniform(), 1.5);
        Pcm snap = FilteredNoise(0.1, rng, Pass::Band, Const(rng.Range(900, 2500)), 0.8,
                                 Hit(0.0005, 0.015), Colour::Pink);
        MixAt(crack, snap, at, rng.Range(0.4, 0.9));
    }
    MixAt(crack, Crackle(0.4, rng, Glide({{0, 3000}, {0.12, 1500}, {0.4, 30}}), 3000, 0.5), 0.0,
          0.4);
    return crack;
}

}  // namespace

Pcm BonusAppears() {
    Rng rng(SeedOf("Bonuses/BonusAppears"));
    // A magical pop-in: a quick rising bloop and a bright bell glint.
    Pcm pop = Tone(0.5, Wave::Sine, Glide({{0, 300}, {0.06, 900}}), Hit(0.002, 0.06));
    MixAt(pop, Fm(0.4, Const(1500), 3.5, Line({{0, 2}, {0.3, 0}}), Hit(0.003, 0.12)), 0.04, 0.5);
    Pcm out = Pan(pop, Const(0));
    MixAt(out, Sparkles(rng, 0.45, 6, 3000, 7000, 0.05), 0.0, 0.5);
    return WithReverb(out, 0.4, 0.5, 0.2, 0.1);
}

Pcm Explode() {
    Rng rng(SeedOf("Bonuses/explode"));
    Pcm out = StereoBang(rng, 1.1, 160, 50, 0.18, 0.3);
    SoftClip(out, 3.0);
    FadeOut(out, 0.3);
    return out;
}

Pcm PumpkinThump() {
    Rng rng(SeedOf("Bonuses/bomb"));
    // The pumpkin bomb's body: a heavy thump, a short burst and lumps of pulp landing.
    Pcm out = Pan(Boom(0.9, 180, 60, 0.12), Const(0));
    Pcm burst =
        FilteredNoise(0.3, rng, Pass::Low, Glide({{0, 2500}, {0.2, 400}}), 0.8, Hit(0.001, 0.06));
    MixAt(out, burst, 0.0, 1.0);
    Scatter(
        out, rng, 10, 0.15, 0.6, 0.7,
        [](Rng& r, int) {
            return FilteredNoise(0.06, r, Pass::Low, Const(r.Range(300, 800)), 1.5,
                                 Hit(0.001, 0.02));
        },
        1.4);
    SoftClip(out, 3.0);
    Fit(out, 0.9);
    FadeOut(out, 0.2);
    return out;
}

Pcm PumpkinSplatter() {
    Rng rng(SeedOf("Bonuses/Pumpkin"));
    // A hollow gourd bursting: its bonk, a wet squelch of pulp and the
    // splatter of pieces landing all around.
    const std::vector<Mode> gourd = {{1.0, 1.0, 0.07}, {2.3, 0.4, 0.03}, {3.1, 0.3, 0.02}};
    Pcm out = Pan(Strike(0.4, 190, gourd), Const(0));
    // The squelch: noise through a narrow, wobbling low band, gurgling as
    // the pulp gives way, with a lower slosh under it.
    const Signal gurgle = Times(Glide({{0, 1400}, {0.2, 450}}), Wobble(28, 0.35));
    Pcm squelch = FilteredNoise(0.3, rng, Pass::Band, gurgle, 5.0, Hit(0.004, 0.07), Colour::Pink);
    MixAt(squelch,
          FilteredNoise(0.3, rng, Pass::Low, Glide({{0, 700}, {0.2, 200}}), 1.5, Hit(0.003, 0.09),
                        Colour::Brown),
          0.0, 0.8);
    MixAt(out, squelch, 0.01, 1.4);
    // The splatter: short wet bursts of noise, dull and bright, spread
    // wide and thinning out as the last pieces land.
    Pcm splats = Silence(0.9, 2);
    Scatter(
        splats, rng, 30, 0.04, 0.7, 0.85,
        [](Rng& r, int) {
            Pcm splat = FilteredNoise(0.06, r, Pass::Band, Const(r.Range(500, 2200)), 0.9,
                                      Hit(0.0008, r.Range(0.006, 0.018)), Colour::Pink);
            Gain(splat, r.Range(0.25, 0.8));
            return splat;
        },
        1.7);
    MixAt(out, splats, 0.0);
    Fit(out, 0.9);
    FadeOut(out, 0.2);
    return out;
}

Pcm CrossBomb() {
    Rng rng(SeedOf("Bonuses/CrossBomb"));
    // The gravestone: a double boom, then stone grinding as it settles.
    Pcm out = StereoBang(rng, 1.2, 170, 55, 0.14, 0.1);
    Pcm second = StereoBang(rng, 1.0, 150, 48, 0.18, 0.12);
    MixAt(out, second, 0.17, 1.0);
    Pcm grind = Crackle(1.2, rng, Line({{0, 0}, {0.2, 600}, {0.9, 30}}), 800, 0.8);
    Shape(grind, Swell(0.2, 0.1, 0.6));
    MixAt(out, grind, 0.0, 0.5);
    SoftClip(out, 3.0);
    Fit(out, 1.2);
    FadeOut(out, 0.3);
    return out;
}

Pcm DiagonalBomb() {
    Rng rng(SeedOf("Bonuses/DiagonalBomb"));
    // The torch: a fiery swish slashing across.
    Pcm out = Swish(rng, 0.5, -0.7, 0.7);
    MixAt(out, Crackle(0.5, rng, Glide({{0, 300}, {0.5, 20}}), 3000, 0.8), 0.0, 0.4);
    return out;
}

Pcm DiagonalBomb2() {
    Rng rng(SeedOf("Bonuses/DiagonalBomb2"));
    // The stronger torch: two swishes crossing in an X and a flame roaring up.
    Pcm out = Swish(rng, 0.55, -0.8, 0.8);
    MixAt(out, Swish(rng, 0.55, 0.8, -0.8), 0.12, 1.0);
    MixAt(out, Flare(rng, 0.8, 0.12), 0.0, 0.6);
    Fit(out, 0.8);
    FadeOut(out, 0.15);
    return out;
}

Pcm HolyWater() {
    Rng rng(SeedOf("Bonuses/HolyWater"));
    // The well: a splash of water with bubbles and drops, and a shimmer above it.
    Pcm splash =
        StereoOf(FilteredNoise(1.3, rng, Pass::Band, Glide({{0, 1200}, {0.05, 3500}, {0.5, 2000}}),
                               0.6, Hit(0.004, 0.12)),
                 FilteredNoise(1.3, rng, Pass::Band, Glide({{0, 1100}, {0.06, 3300}, {0.5, 1900}}),
                               0.6, Hit(0.004, 0.13)));
    MixAt(splash, Tone(0.3, Wave::Sine, Glide({{0, 180}, {0.2, 90}}), Hit(0.002, 0.05)), 0.0, 0.8);
    Scatter(
        splash, rng, 30, 0.02, 0.7, 0.8,
        [](Rng& r, int) {
            Pcm drop = Droplet(r, r.Range(500, 2000));
            Gain(drop, r.Range(0.15, 0.5));
            return drop;
        },
        1.8);
    MixAt(splash, Sparkles(rng, 1.0, 8, 2500, 5000, 0.1), 0.0, 0.5);
    Fit(splash, 1.0);
    return WithReverb(splash, 0.6, 0.4, 0.3, 0.35);
}

Pcm HolyWater2() {
    Rng rng(SeedOf("Bonuses/HolyWater2"));
    // Its blessing: a pure chord swelling with a rush of spray and rising glitter.
    Pcm out = Pan(HolyChord(1.0), Const(0));
    Gain(out, 0.6);
    Pcm spray =
        StereoOf(FilteredNoise(1.0, rng, Pass::High, Const(3000), 0.7, Swell(0.05, 0.15, 0.5)),
                 FilteredNoise(1.0, rng, Pass::High, Const(3000), 0.7, Swell(0.05, 0.15, 0.5)));
    MixAt(out, spray, 0.0, 0.25);
    MixAt(out, Sparkles(rng, 1.0, 10, 3000, 8000, 0.1), 0.0, 0.5);
    return WithReverb(out, 0.8, 0.3, 0.4, 0.35);
}

Pcm Garlic() {
    Rng rng(SeedOf("Bonuses/Garlic"));
    // The mega bomb: a big, deep boom with a long rolling rumble and debris.
    Pcm out = StereoBang(rng, 1.5, 140, 42, 0.4, 0.35);
    MixAt(out, Boom(1.5, 70, 32, 0.6), 0.0, 0.4);
    Pcm rumble = StereoOf(
        FilteredNoise(1.5, rng, Pass::Low, Const(250), 0.7, Swell(0.02, 0.2, 1.2), Colour::Brown),
        FilteredNoise(1.5, rng, Pass::Low, Const(250), 0.7, Swell(0.02, 0.2, 1.2), Colour::Brown));
    MixAt(out, rumble, 0.0, 0.8);
    MixAt(out, Rubble(rng, 1.2, 30), 0.08, 0.35);
    SoftClip(out, 3.5);
    Fit(out, 1.5);
    return WithReverb(out, 0.8, 0.5, 0.25, 0.4);
}

Pcm RowBomb() {
    Rng rng(SeedOf("Bonuses/horizontalbomb"));
    // The lantern: a beam zapping sideways along the row with a whoosh.
    Pcm zap =
        Fm(0.7, Glide({{0, 1800}, {0.4, 250}}), 0.5, Line({{0, 4}, {0.4, 1}}), Hit(0.002, 0.12));
    Filter(zap, Pass::Low, Const(5000), 0.7);
    Pcm beam = Whoosh(0.7, rng, 600, 3000, 0.1);
    MixAt(beam, zap, 0.0, 0.5);
    Fit(beam, 0.7);
    FadeOut(beam, 0.2);
    return Pan(beam, Line({{0, -0.9}, {0.5, 0.9}}));
}

Pcm TorchExtra() {
    Rng rng(SeedOf("Bonuses/TorchExtra"));
    // The upgraded lantern's flame: a roaring flare with a low body, wide.
    Pcm out = StereoOf(Flare(rng, 0.8, 0.1), Flare(rng, 0.8, 0.12));
    MixAt(out, Boom(0.6, 70, 50, 0.2), 0.0, 0.4);
    FadeOut(out, 0.15);
    return out;
}

Pcm ColumnBomb() {
    Rng rng(SeedOf("Bonuses/verticalbomb"));
    // The candle: a rising hiss of flame shooting up the column.
    Pcm hiss = FilteredNoise(0.8, rng, Pass::Band, Glide({{0, 800}, {0.5, 5000}}), 0.8,
                             Swell(0.35, 0.1, 0.35), Colour::Pink);
    MixAt(hiss, Whoosh(0.8, rng, 400, 1600, 0.3), 0.0, 0.7);
    MixAt(hiss, Tone(0.8, Wave::Sine, Glide({{0, 300}, {0.5, 1200}}), Swell(0.3, 0.1, 0.4)), 0.0,
          0.15);
    MixAt(hiss, Crackle(0.8, rng, Line({{0, 50}, {0.4, 200}, {0.8, 0}}), 3500, 0.8), 0.0, 0.3);
    return hiss;
}

Pcm Lightning() {
    Rng rng(SeedOf("Bonuses/lightning"));
    // A thunderbolt: the electric crack and sizzle, then a rolling rumble.
    const double seconds = 2.6;
    Pcm crack = ThunderCrack(rng);
    auto rolling = [&](double lag) {
        Pcm rumble = FilteredNoise(seconds, rng, Pass::Low, Glide({{0, 700}, {1.5, 220}}), 0.8,
                                   Swell(0.15, 0.4, seconds - 0.6), Colour::Brown);
        // Slow, uneven surges: thunder rolls rather than fades.
        Shape(rumble, Times(Wobble(3.1, 0.3, lag), Wobble(5.3, 0.2, lag * 2)));
        return rumble;
    };
    Pcm out = StereoOf(rolling(0.0), rolling(0.37));
    MixAt(out, Boom(seconds, 90, 40, 0.6), 0.0, 0.3);
    MixAt(out, crack, 0.0, 1.5);
    SoftClip(out, 2.0);
    FadeOut(out, 0.4);
    return out;
}

Pcm Coin() {
    Rng rng(SeedOf("Bonuses/coin"));
    // A bright coin ring, struck twice a fourth apart: "got it".
    Pcm out = Clink(rng, Note(98), 0.5, 0.7);
    MixAt(out, Clink(rng, Note(103), 0.43, 1.0), 0.07, 0.9);
    FadeOut(out, 0.12);
    return out;
}

Pcm Bag() {
    Rng rng(SeedOf("Bonuses/bag"));
    // A purse opened: a soft leather thump and a jingle of many coins.
    Pcm out = Pan(FilteredNoise(0.2, rng, Pass::Low, Const(500), 0.8, Hit(0.002, 0.04)), Const(0));
    Scatter(
        out, rng, 14, 0.02, 0.5, 0.6,
        [](Rng& r, int) {
            Pcm coin = Clink(r, r.Range(2000, 4200), 0.35, r.Range(0.4, 0.8));
            Gain(coin, r.Range(0.3, 1.0));
            return coin;
        },
        1.5);
    Fit(out, 0.95);
    FadeOut(out, 0.2);
    return out;
}

Pcm CoinDisappears() {
    Rng rng(SeedOf("Bonuses/CoinDisappears"));
    // The coin fades away: a wobbling metallic tone sinking and a puff of air.
    Pcm fade = Fm(0.6, Glide({{0, 2400}, {0.5, 700}}), 2.41, Line({{0, 1.5}, {0.5, 0.2}}),
                  Hit(0.004, 0.18));
    Shape(fade, Wobble(18, 0.35));
    MixAt(fade, FilteredNoise(0.3, rng, Pass::Band, Const(1200), 0.8, Swell(0.01, 0.03, 0.2)), 0.0,
          0.4);
    FadeOut(fade, 0.1);
    return fade;
}

Pcm Stake() {
    Rng rng(SeedOf("Bonuses/Stake"));
    // A wooden stake driven home: a hard thwack, a thump and splinters.
    Pcm out = Strike(0.55, 420, WoodModes(), 1.1);
    MixAt(out, FilteredNoise(0.1, rng, Pass::Band, Const(2200), 0.7, Hit(0.0005, 0.025)), 0.0, 1.2);
    MixAt(out, Boom(0.4, 160, 80, 0.07), 0.0, 0.6);
    MixAt(out, Crackle(0.2, rng, Glide({{0, 1500}, {0.15, 30}}), 3500, 0.8), 0.01, 0.4);
    FadeOut(out, 0.1);
    return out;
}

Pcm Broom() {
    Rng rng(SeedOf("Bonuses/Broom"));
    // Two sweeps of a broom: bristles scratching through a swish, left then right.
    auto sweep = [&](double fromPan, double toPan) {
        Pcm swish = FilteredNoise(0.3, rng, Pass::Band, Glide({{0, 1800}, {0.25, 4000}}), 0.8,
                                  Swell(0.08, 0.02, 0.2), Colour::Pink);
        Pcm bristles = Crackle(0.3, rng, Const(2500), 4000, 0.7);
        Shape(bristles, Swell(0.08, 0.02, 0.2));
        MixAt(swish, bristles, 0.0, 0.5);
        return Pan(swish, Line({{0, fromPan}, {0.3, toPan}}));
    };
    Pcm out = sweep(-0.6, 0.1);
    MixAt(out, sweep(0.6, -0.1), 0.32, 0.9);
    Fit(out, 0.7);
    return out;
}

Pcm Tarot() {
    Rng rng(SeedOf("Bonuses/Random"));
    // Fate's cards: a riffle of flicking cards over a rising mystic shimmer.
    Pcm out = Silence(1.1, 2);
    constexpr int kCards = 16;
    for (int i = 0; i < kCards; ++i) {
        const double at = 0.55 * std::pow(double(i) / kCards, 0.8);
        Pcm flick = FilteredNoise(0.03, rng, Pass::Band, Const(rng.Range(2200, 3000)), 1.2,
                                  Hit(0.0005, 0.006));
        MixAt(flick, Strike(0.03, rng.Range(1600, 2000), WoodModes(), 0.1), 0.0, 0.3);
        MixAt(out, flick, at, 0.7, rng.Range(-0.4, 0.4));
    }
    Pcm shimmer = Fm(1.1, Glide({{0, 600}, {0.9, 900}}), 2.0, Const(0.8), Swell(0.25, 0.3, 0.55));
    Shape(shimmer, Wobble(6, 0.3));
    MixAt(out, shimmer, 0.0, 0.3);
    MixAt(out, Sparkles(rng, 1.1, 6, 3000, 6000, 0.55), 0.0, 0.4);
    Fit(out, 1.1);
    return WithReverb(out, 0.65, 0.4, 0.3, 0.3);
}

}  // namespace asset::sfx
