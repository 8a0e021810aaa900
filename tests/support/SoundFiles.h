// Sound files written by tests: WAV byte by byte, Ogg Vorbis with
// libvorbisenc.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace sound_files {

using Bytes = std::vector<uint8_t>;

void PutU16(Bytes& out, uint32_t value);
void PutU32(Bytes& out, uint32_t value);
void PutChunk(Bytes& out, const char* id, const Bytes& body);
// A RIFF/WAVE file with chunks the decoder has to skip around the ones it
// needs, one of them of odd length.
Bytes MakeWav(int bits, int channels, int rate, const Bytes& pcm);
Bytes Pcm16(const std::vector<int16_t>& samples);

struct OggFile {
    Bytes bytes;
    size_t headerBytes = 0;  // the three Vorbis header packets
};

// signal(channel, frame) gives the sample of a channel.
using Signal = std::function<float(int, int)>;
OggFile EncodeOgg(int channels, int rate, int frames, const Signal& signal);

}  // namespace sound_files
