// Audio: sounds, channels and our own small mixer.
//
// The mixer runs on the output's thread (SDL's audio thread for a real
// device); everything here is called from the main thread only. Sounds are
// WAV (PCM 8/16-bit, mono/stereo, any rate) or Ogg Vorbis; long Ogg files are
// streamed from disk rather than decoded whole.
//
// Outputs:
//   - a real device, chosen by the driver names the game knows ("FreeAudio",
//     "DirectSound", "OpenAL Generic Software" all mean the system's default
//     output);
//   - "None": silence; a sound started on it is finished at once;
//   - a manual output for tests: nothing plays until MixAudio is called.
// When a device cannot be opened, or is lost while playing, the output
// becomes silent and the game runs on.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TSound;
class TChannel;
using SoundPtr = std::shared_ptr<TSound>;
using ChannelPtr = std::shared_ptr<TChannel>;

constexpr int SOUND_LOOP = 1;

// Driver names that SetAudioDriver accepts, "None" last.
std::vector<std::string> AudioDrivers();
// Selects an output by name; true when it is running. Unknown names and
// devices that fail to open give false and leave the output silent.
bool SetAudioDriver(const std::string& name);
std::string AudioDriver();  // the name last selected successfully, or "None"
bool AudioDeviceOpen();     // a real device is producing sound
// Output sample rate of the mixer (44100 unless a device asked for another).
int MixerSampleRate();
// Stops every channel and closes the output (at exit).
void ShutdownAudio();

// Tests: a manual output at the given rate; MixAudio renders interleaved
// stereo float frames exactly as the device callback would.
void UseManualAudioOutput(int sampleRate = 44100);
void MixAudio(float* stereoOut, int frames);

// Decoded or streamed sample data shared by every channel that plays it.
struct SoundData;

class TSound : public std::enable_shared_from_this<TSound> {
  public:
    // null when the file is missing or not a sound we can decode.
    static SoundPtr Load(const std::string& path, int flags = 0);
    // A sound from interleaved 16-bit samples (tests, synthesised effects).
    static SoundPtr FromSamples(const std::vector<int16_t>& samples, int channels, int sampleRate,
                                int flags = 0);

    // Starts the sound on the given channel (or a fresh one) and returns it.
    ChannelPtr Play(ChannelPtr channel = nullptr);
    // Prepares the sound paused on the channel so volume, pan and rate can be
    // set first; SetPaused(false) starts it.
    ChannelPtr Cue(ChannelPtr channel = nullptr);

    bool Looped() const { return (flags_ & SOUND_LOOP) != 0; }
    int SampleRate() const;
    int ChannelCount() const;
    double LengthSeconds() const;
    bool Streamed() const;

    explicit TSound(std::shared_ptr<SoundData> data, int flags)
        : data_(std::move(data)), flags_(flags) {}
    const std::shared_ptr<SoundData>& Data() const { return data_; }

  private:
    std::shared_ptr<SoundData> data_;
    int flags_;
};

class TChannel {
  public:
    TChannel();
    ~TChannel();
    TChannel(const TChannel&) = delete;
    TChannel& operator=(const TChannel&) = delete;

    void Stop();
    void SetPaused(bool paused);
    void SetVolume(float volume);  // 0..1
    void SetPan(float pan);        // -1 left .. 1 right
    void SetDepth(float depth);    // accepted, no effect
    void SetRate(float rate);      // playback speed factor; 1 = normal
    bool Playing() const;          // has a sound that has not ended (paused counts)
    bool Paused() const;
    float Volume() const;
    float Pan() const;
    float Rate() const;

    int Id() const { return id_; }

  private:
    int id_;
};

ChannelPtr AllocChannel();
