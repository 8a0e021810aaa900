// Deterministic randomness for generated art and sound: the same seed gives
// the same numbers on every machine (no std:: distributions, whose results
// differ between library versions).
#pragma once

#include <cstdint>

namespace asset {

class Rng {
  public:
    explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double Uniform() { return (Next() >> 11) * (1.0 / 9007199254740992.0); }
    double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
    int Int(int lo, int hi) {
        return lo + static_cast<int>(Uniform() * (hi - lo + 1));
    }  // both included
    bool Chance(double p) { return Uniform() < p; }

  private:
    uint64_t state_;
};

// Seed from a name, so each asset's randomness is its own.
uint64_t SeedOf(const char* name);

// Smooth value noise in [0, 1] and its fractal sum; periodic in x when
// periodX > 0 (for seamless horizontal tiling).
double ValueNoise(double x, double y, uint64_t seed, int periodX = 0);
double FractalNoise(double x, double y, uint64_t seed, int octaves, double persistence = 0.5,
                    int periodX = 0);

}  // namespace asset
