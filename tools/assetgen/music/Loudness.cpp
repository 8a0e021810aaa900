// Integrated loudness after ITU-R BS.1770: K-weighting (a high shelf for the
// head's effect and a high-pass for the ear's weak bass), 400 ms blocks, an
// absolute gate at -70 LUFS and a relative gate 10 LU under the mean.
#include <cmath>

#include "Mixdown.h"

namespace asset::music {

namespace {

class Filter {
  public:
    static Filter HighShelf(double rate, double frequency, double gainDb, double q) {
        const double a = std::pow(10, gainDb / 40), w = 2 * M_PI * frequency / rate;
        const double alpha = std::sin(w) / (2 * q), c = std::cos(w),
                     root = 2 * std::sqrt(a) * alpha;
        return Filter(a * ((a + 1) + (a - 1) * c + root), -2 * a * ((a - 1) + (a + 1) * c),
                      a * ((a + 1) + (a - 1) * c - root), (a + 1) - (a - 1) * c + root,
                      2 * ((a - 1) - (a + 1) * c), (a + 1) - (a - 1) * c - root);
    }
    static Filter HighPass(double rate, double frequency, double q) {
        const double w = 2 * M_PI * frequency / rate, alpha = std::sin(w) / (2 * q),
                     c = std::cos(w);
        return Filter((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
    }
    double Process(double x) {
        const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_, x1_ = x, y2_ = y1_, y1_ = y;
        return y;
    }

  private:
    Filter(double b0, double b1, double b2, double a0, double a1, double a2)
        : b0_(b0 / a0), b1_(b1 / a0), b2_(b2 / a0), a1_(a1 / a0), a2_(a2 / a0) {}
    double b0_, b1_, b2_, a1_, a2_;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

constexpr double kBlockSeconds = 0.4, kStepSeconds = 0.1;
constexpr double kAbsoluteGate = -70, kRelativeGate = -10;

double ToLufs(double power) {
    return -0.691 + 10 * std::log10(std::max(power, 1e-20));
}

// Squared K-weighted samples summed over the channels.
std::vector<double> WeightedPower(const Pcm& pcm) {
    std::vector<double> power(pcm.Frames(), 0.0);
    for (int c = 0; c < pcm.channels; ++c) {
        Filter shelf = Filter::HighShelf(pcm.rate, 1681.97, 4.0, 0.7072);
        Filter highPass = Filter::HighPass(pcm.rate, 38.14, 0.5003);
        for (size_t i = 0; i < pcm.Frames(); ++i) {
            const double z = highPass.Process(shelf.Process(pcm.At(i, c)));
            power[i] += z * z;
        }
    }
    return power;
}

}  // namespace

double LoudnessOf(const Pcm& pcm) {
    const std::vector<double> power = WeightedPower(pcm);
    const size_t block = static_cast<size_t>(kBlockSeconds * pcm.rate),
                 step = static_cast<size_t>(kStepSeconds * pcm.rate);
    std::vector<double> blocks;
    std::vector<double> prefix(power.size() + 1, 0.0);
    for (size_t i = 0; i < power.size(); ++i)
        prefix[i + 1] = prefix[i] + power[i];
    for (size_t start = 0; start + block <= power.size(); start += step) {
        blocks.push_back((prefix[start + block] - prefix[start]) / block);
    }
    if (blocks.empty() && !power.empty()) blocks.push_back(prefix.back() / power.size());
    auto gatedMean = [&](double gate) {
        double sum = 0;
        size_t count = 0;
        for (double value : blocks) {
            if (ToLufs(value) > gate) sum += value, ++count;
        }
        return count ? sum / count : 0.0;
    };
    const double relativeGate = ToLufs(gatedMean(kAbsoluteGate)) + kRelativeGate;
    return ToLufs(gatedMean(std::max(kAbsoluteGate, relativeGate)));
}

}  // namespace asset::music
