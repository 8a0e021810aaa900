// The software mixer behind the audio layer: one voice per playing channel,
// resampled with linear interpolation, summed into interleaved stereo float.
//
// Threads: Mix runs on the output's thread; every other member is called
// from the main thread. A mutex guards the voices; the main thread holds it
// only for short parameter changes, and everything that allocates, frees or
// opens files (decoded data, stream decoders) is done outside it, so Mix
// never frees memory and touches files only to decode streamed sounds.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "engine/SoundDecoders.h"

struct MixerVoice;

struct VoiceSettings {
    float volume = 1.0f;  // 0..1
    float pan = 0.0f;     // -1 left .. 1 right
    float rate = 1.0f;    // playback speed factor
    bool paused = false;
};

class Mixer {
  public:
    explicit Mixer(int outputRate = 44100);
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    // Changes the output rate; playing voices keep their speed.
    void SetOutputRate(int rate);
    int OutputRate();

    // Starts data on the channel, replacing whatever it played. Streamed data
    // needs a decoder of its own; false (and nothing plays) without one.
    bool Start(int channelId, std::shared_ptr<SoundData> data, bool loop,
               const VoiceSettings& settings, std::unique_ptr<SoundStream> stream = nullptr);
    void Stop(int channelId);
    void StopAll();
    // The channel's owner has gone: a paused voice can never be resumed, so
    // it stops; a playing one finishes on its own.
    void Release(int channelId);
    void Apply(int channelId, const VoiceSettings& settings);
    // A voice that has not ended (paused counts).
    bool Active(int channelId);

    // Output thread: renders frames of interleaved stereo.
    void Mix(float* stereoOut, int frames);

  private:
    using VoiceList = std::vector<std::unique_ptr<MixerVoice>>;
    // Moves the channel's voice (if any) and every finished voice into
    // `garbage`, to be freed once the mutex is released.
    void TakeLocked(int channelId, VoiceList& garbage);
    MixerVoice* FindLocked(int channelId);

    std::mutex mutex_;
    int outputRate_;
    VoiceList voices_;
};
