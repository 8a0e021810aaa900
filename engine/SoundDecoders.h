// Sound file decoding: WAV (PCM 8/16-bit) and Ogg Vorbis into SoundData, and
// per-channel decoders for the long Ogg files that are streamed from disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Ogg files longer than this are streamed while they play instead of being
// decoded whole at load time (music would otherwise cost tens of megabytes).
constexpr double kStreamingThresholdSeconds = 10.0;

struct SoundData {
    int channels = 1;  // 1 or 2
    int sampleRate = 44100;
    int64_t frames = 0;
    // Interleaved samples of a decoded sound, one of the two: 16-bit for WAV
    // files and sounds made from samples (half the memory), -1..1 for Ogg
    // files decoded whole. Both empty when streamed.
    std::vector<int16_t> pcm;
    std::vector<float> samples;
    // Set for streamed sounds: every channel that plays one opens its own
    // decoder on this file.
    std::string streamPath;

    bool Streamed() const { return !streamPath.empty(); }
    size_t SampleCount() const { return pcm.empty() ? samples.size() : pcm.size(); }
    // Sample i in -1..1, whichever way it is kept.
    float Sample(size_t i) const { return pcm.empty() ? samples[i] : pcm[i] * (1.0f / 32768.0f); }
};

// A decoder owned by one playing channel. Read may be called on the audio
// thread; opening and destroying happen on the main thread.
class SoundStream {
  public:
    virtual ~SoundStream() = default;
    // Decodes up to maxFrames interleaved frames with the sound's channel
    // count; 0 at the end of the stream or when the data is damaged.
    virtual int Read(float* out, int maxFrames) = 0;
    // Seeks back to the first frame; false when that fails.
    virtual bool Rewind() = 0;
};

// null when the bytes are not a WAV file we can decode.
std::shared_ptr<SoundData> DecodeWav(const uint8_t* bytes, size_t size);
// WAV or Ogg Vorbis, chosen by the file's signature; null when the file is
// missing or cannot be decoded, and for an Ogg file that is not whole (cut
// short, a page damaged). Long Ogg files come back streamed.
std::shared_ptr<SoundData> LoadSoundData(const std::string& path);
// A fresh decoder positioned at the start of a streamed sound; null when the
// file has gone or no longer decodes.
std::unique_ptr<SoundStream> OpenSoundStream(const SoundData& data);
// Interleaved 16-bit samples to SoundData; null for an unusable layout.
std::shared_ptr<SoundData> SoundDataFromSamples(const std::vector<int16_t>& samples, int channels,
                                                int sampleRate);
