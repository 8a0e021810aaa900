#include "engine/Random.h"

#include <cmath>
#include <utility>

namespace {

// xoshiro256**: fast, with a 256-bit state and no weak low bits. The state is
// filled from the seed with splitmix64, as its authors recommend.
class Xoshiro256 {
  public:
    explicit Xoshiro256(uint64_t seed) { Seed(seed); }

    void Seed(uint64_t seed) {
        for (uint64_t& word : state_)
            word = SplitMix(seed);
    }

    uint64_t Next() {
        uint64_t result = RotateLeft(state_[1] * 5, 7) * 9;
        uint64_t shifted = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= shifted;
        state_[3] = RotateLeft(state_[3], 45);
        return result;
    }

  private:
    static uint64_t RotateLeft(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    static uint64_t SplitMix(uint64_t& x) {
        uint64_t z = (x += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    uint64_t state_[4];
};

Xoshiro256& Engine() {
    static Xoshiro256 engine(0x486F6C6Cull);  // a fixed start until SeedRnd
    return engine;
}

// Uniform in [0, span) for 1 <= span <= 2^32, by rejecting the top partial
// block of 64-bit values so that no result is favoured.
uint64_t UniformBelow(uint64_t span) {
    uint64_t limit = UINT64_MAX - UINT64_MAX % span;
    uint64_t draw;
    do {
        draw = Engine().Next();
    } while (draw >= limit);
    return draw % span;
}

uint32_t cRandState = 1;

}  // namespace

void SeedRnd(uint32_t seed) {
    Engine().Seed(seed);
}

double Rnd(double min, double max) {
    if (min > max) std::swap(min, max);
    double unit = static_cast<double>(Engine().Next() >> 11) * 0x1.0p-53;  // [0, 1)
    double value = min + unit * (max - min);
    // Rounding can land exactly on max when the range is tiny or huge.
    if (value >= max && max > min) value = std::nextafter(max, min);
    return value;
}

int Rand(int min, int max) {
    if (min > max) std::swap(min, max);
    uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(max) - min) + 1;
    return static_cast<int>(min + static_cast<int64_t>(UniformBelow(span)));
}

void CSrand(uint32_t seed) {
    cRandState = seed;
}

int CRand() {
    cRandState = cRandState * 1103515245u + 12345u;
    return static_cast<int>((cRandState / 65536) % 32768);
}

int RandInt(int min, int max) {
    if (max < min) return min;
    int64_t span = static_cast<int64_t>(max) - min + 1;
    return static_cast<int>(min + CRand() % span);
}
