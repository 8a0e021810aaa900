// Sound elements several recipes share: whooshes, booms, blasts, chimes,
// clinks, droplets, sparkles and crackle. Each is a small layering of the
// building blocks in Synth.h with the parameters that make it read as what
// it is; recipes place, tune and combine them.
#pragma once

#include "Synth.h"

namespace asset::sfx {

// Air pushed past the ear: pink noise through a band sweeping from `fromHertz`
// to `toHertz`, loudest at `peakAt` seconds.
Pcm Whoosh(double seconds, Rng& rng, double fromHertz, double toHertz, double peakAt,
           double q = 1.2);

// The body of a bang: a sine whose pitch drops fast from `fromHertz` to
// `toHertz` (a kick drum's trick), decaying with time constant `decay`.
Pcm Boom(double seconds, double fromHertz, double toHertz, double decay);

// The noisy part of an explosion: bright at the flash, darkening quickly,
// with a darker body of pink noise underneath.
Pcm Blast(double seconds, Rng& rng, double decay);

// A celesta-like chime; `ring` scales its decay, `attack` softens the strike.
Pcm Chime(double hertz, double seconds, double ring = 1.0, double attack = 0.001);

// A small piece of metal struck: a coin, a chain link. The modes are
// detuned a little at random so no two clinks are identical.
Pcm Clink(Rng& rng, double hertz, double seconds, double ring);

// A drop of water: the rising chirp of a bubble forming at the surface.
Pcm Droplet(Rng& rng, double hertz);

// Tiny high glass pings scattered over a window, stereo: the glitter of magic.
Pcm Sparkles(Rng& rng, double seconds, int count, double lowHertz, double highHertz,
             double start = 0.0);

// Random ticks through a band: fire crackle, grit, splinters.
Pcm Crackle(double seconds, Rng& rng, const Signal& density, double centreHertz, double q = 0.8);

// Pebbles and grit falling after stone breaks, most of them early; stereo.
Pcm Rubble(Rng& rng, double seconds, int pebbles);

// A single short noise tick: the contact of a hard thing.
Pcm Tick(Rng& rng, double centreHertz, double decay = 0.002);

}  // namespace asset::sfx
