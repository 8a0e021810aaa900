#include "Instruments.h"

#include <algorithm>

namespace asset::sfx {

Pcm Whoosh(double seconds, Rng& rng, double fromHertz, double toHertz, double peakAt, double q) {
    const double fall = std::max(0.01, seconds - peakAt);
    return FilteredNoise(seconds, rng, Pass::Band, Glide({{0, fromHertz}, {seconds, toHertz}}), q,
                         Swell(peakAt, 0, fall), Colour::Pink);
}

Pcm Boom(double seconds, double fromHertz, double toHertz, double decay) {
    // Most of the drop happens in the first 60 ms: the punch, then the pitch settles.
    return Tone(seconds, Wave::Sine,
                Glide({{0, fromHertz}, {0.06, toHertz * 1.15}, {0.3, toHertz}}), Hit(0.002, decay));
}

Pcm Blast(double seconds, Rng& rng, double decay) {
    Pcm flash =
        FilteredNoise(seconds, rng, Pass::Low, Glide({{0, 6000}, {0.08, 1800}, {decay * 3, 400}}),
                      0.7, Hit(0.001, decay * 0.6));
    Pcm body = FilteredNoise(seconds, rng, Pass::Low, Glide({{0, 900}, {decay * 3, 250}}), 0.8,
                             Hit(0.004, decay), Colour::Pink);
    MixAt(flash, body, 0.0, 1.0);
    return flash;
}

Pcm Chime(double hertz, double seconds, double ring, double attack) {
    return Strike(seconds, hertz, CelestaModes(), ring, attack);
}

Pcm Clink(Rng& rng, double hertz, double seconds, double ring) {
    std::vector<Mode> modes = CoinModes();
    for (size_t i = 1; i < modes.size(); ++i) {
        modes[i].ratio *= rng.Range(0.97, 1.03);
    }
    Pcm clink = Strike(seconds, hertz, modes, ring);
    MixAt(clink, Tick(rng, hertz * 2.0, 0.001), 0.0, 0.3);
    return clink;
}

Pcm Droplet(Rng& rng, double hertz) {
    const double rise = rng.Range(0.015, 0.03);
    return Tone(0.08, Wave::Sine, Glide({{0, hertz}, {rise, hertz * rng.Range(1.6, 2.2)}}),
                Hit(0.001, rise * 0.8));
}

Pcm Sparkles(Rng& rng, double seconds, int count, double lowHertz, double highHertz, double start) {
    Pcm out = Silence(seconds, 2);
    const double end = std::max(start + 0.01, seconds - 0.15);
    Scatter(out, rng, count, start, end, 0.8, [&](Rng& r, int) {
        Pcm ping =
            Strike(0.15, r.Range(lowHertz, highHertz), GlassModes(), r.Range(0.8, 1.6), 0.002);
        Gain(ping, r.Range(0.3, 1.0));
        return ping;
    });
    Fit(out, seconds);
    return out;
}

Pcm Crackle(double seconds, Rng& rng, const Signal& density, double centreHertz, double q) {
    Pcm ticks = Impulses(seconds, rng, density);
    Filter(ticks, Pass::Band, Const(centreHertz), q);
    return ticks;
}

Pcm Tick(Rng& rng, double centreHertz, double decay) {
    return FilteredNoise(decay * 8, rng, Pass::Band, Const(centreHertz), 0.9, Hit(0.0002, decay));
}

Pcm Rubble(Rng& rng, double seconds, int pebbles) {
    Pcm out = Silence(seconds, 2);
    Scatter(
        out, rng, pebbles, 0.03, seconds * 0.75, 0.7,
        [](Rng& r, int) {
            Pcm pebble = Strike(0.05, r.Range(600, 2600), StoneModes(), r.Range(0.5, 1.0));
            Gain(pebble, r.Range(0.2, 0.7));
            return pebble;
        },
        1.8);
    Pcm grit = Crackle(seconds, rng, Glide({{0, 1500}, {seconds, 20}}), 1800, 0.7);
    MixAt(out, grit, 0.0, 0.5);
    Fit(out, seconds);
    return out;
}

}  // namespace asset::sfx
