// The shared room of every piece (after Jezar's public-domain Freeverb).
#include <array>

#include "Mixdown.h"

namespace asset::music {

namespace {

// Delay lengths in samples at 44.1 kHz; the right side is a little longer,
// which decorrelates the two sides into a wide image.
constexpr std::array<int, 8> kCombs = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<int, 4> kAllPasses = {556, 441, 341, 225};
constexpr int kStereoSpread = 23;
constexpr float kInputGain = 0.015f;
constexpr float kOutputGain = 6.0f;
constexpr float kAllPassFeedback = 0.5f;
constexpr size_t kPreDelay = 660;  // 15 ms keeps attacks clear of the room
// Keeps the feedback loops out of denormal numbers in long silences.
constexpr float kAntiDenormal = 1e-18f;

class Comb {
  public:
    explicit Comb(int length) : buffer_(length, 0.0f) {}
    float Process(float input, float feedback, float damping) {
        const float output = buffer_[index_];
        store_ = output * (1 - damping) + store_ * damping;
        buffer_[index_] = input + store_ * feedback;
        if (++index_ == buffer_.size()) index_ = 0;
        return output;
    }

  private:
    std::vector<float> buffer_;
    size_t index_ = 0;
    float store_ = 0;
};

class AllPass {
  public:
    explicit AllPass(int length) : buffer_(length, 0.0f) {}
    float Process(float input) {
        const float delayed = buffer_[index_];
        buffer_[index_] = input + delayed * kAllPassFeedback;
        if (++index_ == buffer_.size()) index_ = 0;
        return delayed - input;
    }

  private:
    std::vector<float> buffer_;
    size_t index_ = 0;
};

void RenderSide(const std::vector<float>& send, int spread, float feedback, float damping,
                float gain, std::vector<float>& out) {
    std::vector<Comb> combs;
    std::vector<AllPass> allPasses;
    for (int length : kCombs)
        combs.emplace_back(length + spread);
    for (int length : kAllPasses)
        allPasses.emplace_back(length + spread);
    for (size_t i = 0; i < out.size(); ++i) {
        const float input =
            (i >= kPreDelay && i - kPreDelay < send.size() ? send[i - kPreDelay] : 0.0f) *
                kInputGain +
            kAntiDenormal;
        float sum = 0;
        for (Comb& comb : combs)
            sum += comb.Process(input, feedback, damping);
        for (AllPass& allPass : allPasses)
            sum = allPass.Process(sum);
        out[i] += sum * gain;
    }
}

}  // namespace

void AddRoom(const std::vector<float>& send, double size, double damping, double wet,
             std::vector<float>& left, std::vector<float>& right) {
    const float feedback = static_cast<float>(0.7 + 0.28 * size);
    const float damp = static_cast<float>(0.4 * damping);
    const float gain = static_cast<float>(wet) * kOutputGain;
    RenderSide(send, 0, feedback, damp, gain, left);
    RenderSide(send, kStereoSpread, feedback, damp, gain, right);
}

}  // namespace asset::music
