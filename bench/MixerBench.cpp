// Cost of the software mixer: 20 looping channels, mono and stereo at mixed
// source rates, each with its own rate and pan, as a busy scene would have.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <ctime>
#include <vector>

#include "engine/Audio.h"

namespace {

constexpr int kOutputRate = 44100;
constexpr int kBlockFrames = 1024;  // what a device asks for per callback
constexpr int kChannels = 20;

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

SoundPtr LoopedTone(int index) {
    const int channels = index % 3 == 0 ? 2 : 1;
    const int rates[] = {22050, 44100, 48000};
    const int rate = rates[index % 3];
    const int frames = rate + index * 997;  // about a second, all different
    std::vector<int16_t> samples;
    samples.reserve(size_t(frames * channels));
    for (int i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            double phase = 2 * 3.14159265358979 * (110.0 + 37 * index + 50 * c) * i / rate;
            samples.push_back(int16_t(3000 * std::sin(phase)));
        }
    }
    return TSound::FromSamples(samples, channels, rate, SOUND_LOOP);
}

void BM_MixTwentyChannels(benchmark::State& state) {
    UseManualAudioOutput(kOutputRate);
    std::vector<SoundPtr> sounds;
    std::vector<ChannelPtr> channels;
    for (int i = 0; i < kChannels; ++i) {
        sounds.push_back(LoopedTone(i));
        ChannelPtr channel = sounds.back()->Cue();
        channel->SetRate(0.6f + 0.07f * i);
        channel->SetPan(-1.0f + 0.1f * i);
        channel->SetVolume(0.4f);
        channel->SetPaused(false);
        channels.push_back(channel);
    }
    std::vector<float> out(2 * kBlockFrames);
    const double cpuStart = ThreadCpuSeconds();
    for (auto _ : state) {
        MixAudio(out.data(), kBlockFrames);
        benchmark::DoNotOptimize(out.data());
    }
    const double cpuSeconds = ThreadCpuSeconds() - cpuStart;
    const double audioSeconds = double(state.iterations()) * kBlockFrames / kOutputRate;
    state.counters["cpu_percent_of_one_core"] = 100.0 * cpuSeconds / audioSeconds;
    ShutdownAudio();
}
BENCHMARK(BM_MixTwentyChannels);

}  // namespace
