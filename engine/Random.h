// Random numbers.
//
// Rnd and Rand come from the engine's own generator. RandInt uses a
// C-library-style 15-bit generator (0 ... 32767) whose range is part of the
// game's balance: RandInt(0, 100000) never exceeds 32767.
#pragma once

#include <cstdint>

void SeedRnd(uint32_t seed);
// Uniform float in [min, max); the bounds may come in either order.
double Rnd(double min = 0.0, double max = 1.0);
// Uniform integer in [min, max], both bounds included, either order.
int Rand(int min, int max);

// The classic rand/srand pair: a linear congruential generator giving
// 0 ... CRAND_MAX.
constexpr int CRAND_MAX = 32767;
void CSrand(uint32_t seed);
int CRand();

// min + (CRand() mod (max - min + 1)). With max < min returns min (a span of
// no values would otherwise divide by zero).
int RandInt(int min, int max);
