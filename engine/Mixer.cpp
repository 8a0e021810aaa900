#include "engine/Mixer.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// Positions are 32.32 fixed point: whole frames above, the fraction below.
constexpr int kFractionBits = 32;
constexpr uint64_t kFractionMask = 0xFFFFFFFFu;
constexpr float kFractionScale = 1.0f / 4294967296.0f;
constexpr double kMinRate = 0.01;
constexpr double kMaxRate = 8.0;
// Frames decoded per refill of a streamed voice (about 46 ms at 44.1 kHz).
constexpr int kStreamChunkFrames = 2048;

float Fraction(uint64_t pos) {
    return float(uint32_t(pos & kFractionMask)) * kFractionScale;
}

// A sample in -1..1, from either way a decoded sound keeps it.
inline float Value(float sample) {
    return sample;
}
inline float Value(int16_t sample) {
    return sample * (1.0f / 32768.0f);
}

// The inner loop: every frame of `count` has both interpolation points
// inside `src`.
template <int CH, typename T>
uint64_t MixRun(const T* src, uint64_t pos, uint64_t step, int count, float gainLeft,
                float gainRight, float* out) {
    for (int i = 0; i < count; ++i) {
        const T* a = src + (pos >> kFractionBits) * CH;
        float f = Fraction(pos);
        if constexpr (CH == 1) {
            const float a0 = Value(a[0]);
            float s = a0 + (Value(a[1]) - a0) * f;
            out[0] += s * gainLeft;
            out[1] += s * gainRight;
        } else {
            const float a0 = Value(a[0]), a1 = Value(a[1]);
            out[0] += (a0 + (Value(a[2]) - a0) * f) * gainLeft;
            out[1] += (a1 + (Value(a[3]) - a1) * f) * gainRight;
        }
        out += 2;
        pos += step;
    }
    return pos;
}

// One frame whose second interpolation point lies outside the window.
template <typename T>
void MixFrame(const T* a, const T* b, int channels, float f, float gainLeft, float gainRight,
              float* out) {
    float left = Value(a[0]) + (Value(b[0]) - Value(a[0])) * f;
    float right = channels == 2 ? Value(a[1]) + (Value(b[1]) - Value(a[1])) * f : left;
    out[0] += left * gainLeft;
    out[1] += right * gainRight;
}

float ClampOr(float value, float low, float high, float fallback) {
    if (std::isnan(value)) return fallback;
    return std::clamp(value, low, high);
}

}  // namespace

struct MixerVoice {
    int channelId = 0;
    std::shared_ptr<SoundData> data;  // keeps the samples alive while playing
    std::unique_ptr<SoundStream> stream;
    std::vector<float> streamBuffer;

    // The frames the position refers to: the whole sound, or for a streamed
    // sound the last decoded chunk preceded by one frame of the chunk before.
    const float* window = nullptr;
    const int16_t* window16 = nullptr;  // instead of window for 16-bit sounds
    int64_t windowFrames = 0;
    int channels = 1;
    bool loop = false;
    bool paused = false;
    bool finished = false;  // set by the output thread
    bool streamEnded = false;

    uint64_t pos = 0;
    uint64_t step = uint64_t(1) << kFractionBits;
    float gainLeft = 1.0f;
    float gainRight = 1.0f;
    float rate = 1.0f;

    int64_t Index() const { return int64_t(pos >> kFractionBits); }
    bool PastEnd() const {
        if (Index() < windowFrames) return false;
        return stream ? streamEnded : !loop;
    }

    void Configure(const VoiceSettings& settings, int outputRate) {
        float volume = ClampOr(settings.volume, 0.0f, 1.0f, 1.0f);
        float pan = ClampOr(settings.pan, -1.0f, 1.0f, 0.0f);
        gainLeft = volume * std::min(1.0f, 1.0f - pan);
        gainRight = volume * std::min(1.0f, 1.0f + pan);
        paused = settings.paused;
        rate = ClampOr(settings.rate, float(kMinRate), float(kMaxRate), 1.0f);
        SetOutputRate(outputRate);
    }

    void SetOutputRate(int outputRate) {
        double frames = double(data->sampleRate) / outputRate * rate;
        step = std::max<uint64_t>(1, uint64_t(std::llround(std::ldexp(frames, kFractionBits))));
    }

    // Decodes up to maxFrames, going back to the start at the end of a loop.
    int ReadStream(float* out, int maxFrames) {
        int total = 0;
        bool rewound = false;
        while (total < maxFrames) {
            int got = stream->Read(out + total * channels, maxFrames - total);
            if (got > 0) {
                total += got;
                rewound = false;
                continue;
            }
            // A second empty read straight after rewinding means the file
            // no longer decodes: end instead of spinning.
            if (!loop || rewound || !stream->Rewind()) break;
            rewound = true;
        }
        return total;
    }

    // Main thread, before the voice is handed to the mixer.
    bool PrimeStream() {
        streamBuffer.assign(size_t(kStreamChunkFrames + 1) * size_t(channels), 0.0f);
        windowFrames = ReadStream(streamBuffer.data(), kStreamChunkFrames + 1);
        window = streamBuffer.data();
        return windowFrames > 0;
    }

    // Output thread: the next chunk, keeping the window's last frame in front
    // so interpolation runs across the seam.
    bool RefillStream() {
        if (streamEnded) return false;
        float* buffer = streamBuffer.data();
        std::copy_n(buffer + (windowFrames - 1) * channels, channels, buffer);
        int got = ReadStream(buffer + channels, kStreamChunkFrames);
        if (got == 0) {
            streamEnded = true;
            // The kept frame now sits at the front: keep the index pointing at it.
            pos -= uint64_t(windowFrames - 1) << kFractionBits;
            windowFrames = 1;
            return false;
        }
        pos -= uint64_t(windowFrames - 1) << kFractionBits;
        windowFrames = 1 + got;
        return true;
    }

    // Frames while both interpolation points are inside the window.
    int RunLength(int wanted) const {
        uint64_t limit = uint64_t(windowFrames - 1) << kFractionBits;
        uint64_t frames = (limit - pos + step - 1) / step;
        return int(std::min<uint64_t>(frames, uint64_t(wanted)));
    }

    template <typename T>
    void MixEdge(const T* frames, float* out) {
        const T* current = frames + Index() * channels;
        // A decoded loop continues with its first frame; anything else holds
        // its last one.
        const T* next = (loop && !stream) ? frames : current;
        MixFrame(current, next, channels, Fraction(pos), gainLeft, gainRight, out);
        pos += step;
    }

    template <typename T>
    uint64_t Run(const T* frames, int run, float* out) const {
        return channels == 1 ? MixRun<1>(frames, pos, step, run, gainLeft, gainRight, out)
                             : MixRun<2>(frames, pos, step, run, gainLeft, gainRight, out);
    }

    void Mix(float* out, int frames) {
        int done = 0;
        while (done < frames) {
            int64_t index = Index();
            if (index + 1 < windowFrames) {
                int run = RunLength(frames - done);
                pos = window16 ? Run(window16, run, out + 2 * done)
                               : Run(window, run, out + 2 * done);
                done += run;
            } else if (index < windowFrames) {
                if (stream && RefillStream()) continue;
                if (window16) {
                    MixEdge(window16, out + 2 * done);
                } else {
                    MixEdge(window, out + 2 * done);
                }
                ++done;
            } else if (stream && RefillStream()) {
                continue;  // jumped past the last frame at a high rate
            } else if (loop && !stream && windowFrames > 0) {
                pos %= uint64_t(windowFrames) << kFractionBits;
            } else {
                finished = true;
                return;
            }
        }
        // A sound that ends exactly on the last frame is over now, not at the
        // next call.
        if (PastEnd()) finished = true;
    }
};

Mixer::Mixer(int outputRate) : outputRate_(std::max(1, outputRate)) {}

Mixer::~Mixer() = default;

void Mixer::SetOutputRate(int rate) {
    std::lock_guard lock(mutex_);
    outputRate_ = std::max(1, rate);
    for (auto& voice : voices_)
        voice->SetOutputRate(outputRate_);
}

int Mixer::OutputRate() {
    std::lock_guard lock(mutex_);
    return outputRate_;
}

bool Mixer::Start(int channelId, std::shared_ptr<SoundData> data, bool loop,
                  const VoiceSettings& settings, std::unique_ptr<SoundStream> stream) {
    // Whatever the channel played stops even when the new sound cannot start.
    Stop(channelId);
    if (!data || data->Streamed() != (stream != nullptr)) return false;

    auto voice = std::make_unique<MixerVoice>();
    voice->channelId = channelId;
    voice->channels = data->channels;
    voice->loop = loop;
    voice->data = std::move(data);
    voice->stream = std::move(stream);
    if (voice->stream) {
        if (!voice->PrimeStream()) return false;
    } else {
        if (voice->data->pcm.empty()) {
            voice->window = voice->data->samples.data();
        } else {
            voice->window16 = voice->data->pcm.data();
        }
        voice->windowFrames = voice->data->frames;
    }

    VoiceList garbage;
    std::lock_guard lock(mutex_);
    voice->Configure(settings, outputRate_);
    TakeLocked(channelId, garbage);
    voices_.push_back(std::move(voice));
    return true;
}

void Mixer::Stop(int channelId) {
    VoiceList garbage;
    std::lock_guard lock(mutex_);
    TakeLocked(channelId, garbage);
}

void Mixer::StopAll() {
    VoiceList garbage;
    std::lock_guard lock(mutex_);
    garbage.swap(voices_);
}

void Mixer::Release(int channelId) {
    VoiceList garbage;
    std::lock_guard lock(mutex_);
    MixerVoice* voice = FindLocked(channelId);
    if (voice && voice->paused) TakeLocked(channelId, garbage);
}

void Mixer::Apply(int channelId, const VoiceSettings& settings) {
    std::lock_guard lock(mutex_);
    if (MixerVoice* voice = FindLocked(channelId)) voice->Configure(settings, outputRate_);
}

bool Mixer::Active(int channelId) {
    std::lock_guard lock(mutex_);
    MixerVoice* voice = FindLocked(channelId);
    return voice && !voice->finished;
}

void Mixer::Mix(float* stereoOut, int frames) {
    if (!stereoOut || frames <= 0) return;
    float* end = stereoOut + 2 * size_t(frames);
    std::fill(stereoOut, end, 0.0f);
    {
        std::lock_guard lock(mutex_);
        for (auto& voice : voices_) {
            if (!voice->finished && !voice->paused) voice->Mix(stereoOut, frames);
        }
    }
    for (float* sample = stereoOut; sample != end; ++sample) {
        *sample = std::clamp(*sample, -1.0f, 1.0f);
    }
}

void Mixer::TakeLocked(int channelId, VoiceList& garbage) {
    auto taken = std::stable_partition(voices_.begin(), voices_.end(), [&](const auto& voice) {
        return voice->channelId != channelId && !voice->finished;
    });
    std::move(taken, voices_.end(), std::back_inserter(garbage));
    voices_.erase(taken, voices_.end());
}

MixerVoice* Mixer::FindLocked(int channelId) {
    for (auto& voice : voices_) {
        if (voice->channelId == channelId) return voice.get();
    }
    return nullptr;
}
