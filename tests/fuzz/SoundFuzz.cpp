// The sound loader the game uses on any bytes: WAV or Ogg Vorbis, chosen by
// the file's signature, read from a file as the game reads it. It never
// crashes; a sound it accepts has one or two channels and as many samples as
// its frames say; a streamed one decodes to its end.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/SoundDecoders.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const MemoryFile file(data, size);
    if (!file.Ready()) return 0;
    const std::shared_ptr<SoundData> sound = LoadSoundData(file.Path());
    if (!sound) return 0;
    if (sound->channels != 1 && sound->channels != 2) std::abort();
    if (!sound->Streamed()) {
        const size_t samples =
            static_cast<size_t>(sound->frames) * static_cast<size_t>(sound->channels);
        if (sound->SampleCount() != samples) std::abort();
        return 0;
    }
    if (std::unique_ptr<SoundStream> stream = OpenSoundStream(*sound)) {
        constexpr int kBlock = 4096;
        std::vector<float> frames(kBlock * 2);
        for (int blocks = 0; blocks < 10'000 && stream->Read(frames.data(), kBlock) > 0;)
            ++blocks;
    }
    return 0;
}
