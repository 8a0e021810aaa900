#include "assetkit/Random.h"

#include <cmath>

namespace asset {

uint64_t SeedOf(const char* name) {
    uint64_t hash = 1469598103934665603ull;
    for (const char* p = name; *p; ++p) {
        hash ^= static_cast<unsigned char>(*p);
        hash *= 1099511628211ull;
    }
    return hash;
}

namespace {

double Lattice(int64_t x, int64_t y, uint64_t seed) {
    uint64_t h = seed ^ (static_cast<uint64_t>(x) * 0x9E3779B97F4A7C15ull) ^
                 (static_cast<uint64_t>(y) * 0xC2B2AE3D27D4EB4Full);
    h = (h ^ (h >> 31)) * 0xBF58476D1CE4E5B9ull;
    h = (h ^ (h >> 29)) * 0x94D049BB133111EBull;
    h ^= h >> 32;
    return (h & 0xFFFFFF) / double(0xFFFFFF);
}

double Smooth(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

int64_t Wrap(int64_t v, int period) {
    if (period <= 0) return v;
    int64_t m = v % period;
    return m < 0 ? m + period : m;
}

}  // namespace

double ValueNoise(double x, double y, uint64_t seed, int periodX) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int64_t x0 = static_cast<int64_t>(fx), y0 = static_cast<int64_t>(fy);
    const double tx = Smooth(x - fx), ty = Smooth(y - fy);
    const double a = Lattice(Wrap(x0, periodX), y0, seed),
                 b = Lattice(Wrap(x0 + 1, periodX), y0, seed);
    const double c = Lattice(Wrap(x0, periodX), y0 + 1, seed),
                 d = Lattice(Wrap(x0 + 1, periodX), y0 + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double FractalNoise(double x, double y, uint64_t seed, int octaves, double persistence,
                    int periodX) {
    double sum = 0, amplitude = 1, total = 0, frequency = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * ValueNoise(x * frequency, y * frequency, seed + i * 7919,
                                      periodX > 0 ? periodX * static_cast<int>(frequency) : 0);
        total += amplitude;
        amplitude *= persistence;
        frequency *= 2;
    }
    return sum / total;
}

}  // namespace asset
