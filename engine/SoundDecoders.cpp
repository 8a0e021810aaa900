#include "engine/SoundDecoders.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "engine/Files.h"

namespace {

constexpr int kMaxSampleRate = 768000;
// Larger files are refused rather than risking an allocation failure.
constexpr int64_t kMaxWavBytes = int64_t(1) << 30;

uint16_t ReadU16(const uint8_t* p) {
    return uint16_t(p[0] | (p[1] << 8));
}
uint32_t ReadU32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

// ---------------------------------------------------------------- WAV

struct WavFormat {
    int channels = 0;
    int sampleRate = 0;
    int bits = 0;
};

bool ParseWavFormat(const uint8_t* body, uint32_t length, WavFormat& format) {
    if (length < 16) return false;
    uint16_t tag = ReadU16(body);
    // WAVE_FORMAT_EXTENSIBLE carries the real format in its sub-format GUID.
    if (tag == 0xFFFE && length >= 26) tag = ReadU16(body + 24);
    if (tag != 1) return false;
    format.channels = ReadU16(body + 2);
    uint32_t rate = ReadU32(body + 4);
    format.bits = ReadU16(body + 14);
    if (format.channels < 1 || format.channels > 2) return false;
    if (rate < 1 || rate > uint32_t(kMaxSampleRate)) return false;
    if (format.bits != 8 && format.bits != 16) return false;
    format.sampleRate = int(rate);
    return true;
}

std::shared_ptr<SoundData> WavSamples(const WavFormat& format, const uint8_t* pcm, size_t bytes) {
    auto data = std::make_shared<SoundData>();
    data->channels = format.channels;
    data->sampleRate = format.sampleRate;
    size_t sampleBytes = size_t(format.bits / 8);
    data->frames = int64_t(bytes / (sampleBytes * size_t(format.channels)));
    size_t count = size_t(data->frames) * size_t(format.channels);
    data->pcm.resize(count);
    if (format.bits == 8) {
        for (size_t i = 0; i < count; ++i)
            data->pcm[i] = int16_t((int(pcm[i]) - 128) * 256);
    } else {
        for (size_t i = 0; i < count; ++i)
            data->pcm[i] = int16_t(ReadU16(pcm + 2 * i));
    }
    return data;
}

// ---------------------------------------------------------------- Ogg

// vorbisfile reads through the engine's streams so paths resolve the same
// way as for every other file.
size_t StreamRead(void* buffer, size_t size, size_t count, void* source) {
    if (size == 0 || count == 0) return 0;
    return static_cast<TStream*>(source)->ReadBytes(buffer, size * count) / size;
}

int StreamSeek(void* source, ogg_int64_t offset, int whence) {
    auto* stream = static_cast<TStream*>(source);
    int64_t base = 0;
    if (whence == SEEK_CUR) base = stream->Pos();
    if (whence == SEEK_END) base = stream->Size();
    int64_t target = base + offset;
    if (target < 0 || target > stream->Size()) return -1;
    stream->Seek(target);
    return 0;
}

long StreamTell(void* source) {
    return long(static_cast<TStream*>(source)->Pos());
}

const ov_callbacks kStreamCallbacks = {StreamRead, StreamSeek, nullptr, StreamTell};

// An open Vorbis file; owns both the decoder and the stream it reads.
class VorbisFile {
  public:
    ~VorbisFile() {
        if (open_) ov_clear(&file_);
    }

    bool Open(const std::string& path) {
        stream_ = ReadFile(path);
        if (!stream_) return false;
        if (ov_open_callbacks(stream_.get(), &file_, nullptr, 0, kStreamCallbacks) != 0) {
            return false;
        }
        open_ = true;
        vorbis_info* info = ov_info(&file_, -1);
        if (!info || info->channels < 1 || info->rate < 1 || info->rate > kMaxSampleRate) {
            return false;
        }
        channels_ = std::min(info->channels, 2);
        sampleRate_ = int(info->rate);
        return true;
    }

    int Channels() const { return channels_; }
    int SampleRate() const { return sampleRate_; }
    // Frames in the whole file, -1 when unknown.
    int64_t TotalFrames() { return std::max<int64_t>(-1, ov_pcm_total(&file_, -1)); }
    bool Rewind() { return ov_pcm_seek(&file_, 0) == 0; }

    // Interleaves up to maxFrames frames into out; 0 at the end or on an
    // unrecoverable error. Files with more than two channels keep the first
    // two.
    int Read(float* out, int maxFrames) {
        int holes = 0;
        while (true) {
            float** pcm = nullptr;
            int section = 0;
            long got = ov_read_float(&file_, &pcm, maxFrames, &section);
            if (got == OV_HOLE && ++holes < 1000) continue;  // damaged page, skipped
            if (got <= 0) return 0;
            vorbis_info* info = ov_info(&file_, section);
            int sourceChannels = info ? info->channels : channels_;
            for (int c = 0; c < channels_; ++c) {
                const float* from = pcm[std::min(c, sourceChannels - 1)];
                for (long i = 0; i < got; ++i)
                    out[i * channels_ + c] = from[i];
            }
            return int(got);
        }
    }

  private:
    StreamPtr stream_;
    OggVorbis_File file_{};
    bool open_ = false;
    int channels_ = 0;
    int sampleRate_ = 0;
};

class OggStream : public SoundStream {
  public:
    explicit OggStream(std::unique_ptr<VorbisFile> file) : file_(std::move(file)) {}
    int Read(float* out, int maxFrames) override { return file_->Read(out, maxFrames); }
    bool Rewind() override { return file_->Rewind(); }

  private:
    std::unique_ptr<VorbisFile> file_;
};

std::shared_ptr<SoundData> DecodeWholeOgg(VorbisFile& file, int64_t totalFrames) {
    auto data = std::make_shared<SoundData>();
    data->channels = file.Channels();
    data->sampleRate = file.SampleRate();
    constexpr int kChunk = 4096;
    std::vector<float> chunk(size_t(kChunk) * 2);
    data->samples.reserve(size_t(totalFrames) * size_t(data->channels));
    // The total comes from the last page; a damaged file may decode more,
    // so stop at twice the limit instead of trusting it.
    const int64_t limit = int64_t(kStreamingThresholdSeconds * data->sampleRate) * 2;
    while (data->frames < limit) {
        int got = file.Read(chunk.data(), kChunk);
        if (got == 0) break;
        data->samples.insert(data->samples.end(), chunk.begin(),
                             chunk.begin() + got * data->channels);
        data->frames += got;
    }
    if (data->frames == 0) return nullptr;
    return data;
}

// Whether an Ogg file is whole: every byte of it in a page whose checksum is
// right, and its last page marked as the end of its stream. A file cut short
// (a copy or a download that stopped) ends inside a page or after one that is
// not the last; its first part would still decode and play, so it has to be
// caught here.
bool OggFileWhole(TStream& stream) {
    constexpr long kBlock = 64 * 1024;
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    bool inPages = true, ended = false;
    stream.Seek(0);
    while (inPages) {
        char* buffer = ogg_sync_buffer(&sync, kBlock);
        const size_t got = buffer ? stream.ReadBytes(buffer, size_t(kBlock)) : 0;
        if (got > 0) ogg_sync_wrote(&sync, long(got));
        ogg_page page;
        for (long bytes; inPages && (bytes = ogg_sync_pageseek(&sync, &page)) != 0;) {
            inPages = bytes > 0;  // negative: bytes skipped outside any page
            ended = inPages && ogg_page_eos(&page) != 0;
        }
        if (got == 0) break;
    }
    const bool pageCutShort = sync.fill > sync.returned;
    ogg_sync_clear(&sync);
    return inPages && ended && !pageCutShort;
}

std::shared_ptr<SoundData> LoadOgg(const std::string& path) {
    auto file = std::make_unique<VorbisFile>();
    if (!file->Open(path)) return nullptr;
    int64_t total = file->TotalFrames();
    if (total >= 0 && total <= int64_t(kStreamingThresholdSeconds * file->SampleRate())) {
        return DecodeWholeOgg(*file, total);
    }
    // Long (or of unknown length): make sure it decodes at all, then leave
    // the decoding to the channels that play it.
    std::vector<float> probe(2 * 256);
    if (file->Read(probe.data(), 256) == 0) return nullptr;
    auto data = std::make_shared<SoundData>();
    data->channels = file->Channels();
    data->sampleRate = file->SampleRate();
    data->frames = std::max<int64_t>(total, 0);
    data->streamPath = ResolvePath(path);
    return data;
}

std::shared_ptr<SoundData> LoadWav(TStream& stream) {
    int64_t size = stream.Size();
    if (size < 12 || size > kMaxWavBytes) return nullptr;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    stream.Seek(0);
    if (stream.ReadBytes(bytes.data(), bytes.size()) != bytes.size()) return nullptr;
    return DecodeWav(bytes.data(), bytes.size());
}

}  // namespace

std::shared_ptr<SoundData> DecodeWav(const uint8_t* bytes, size_t size) {
    if (!bytes || size < 12) return nullptr;
    if (std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) {
        return nullptr;
    }
    // The RIFF size field is often wrong, so the chunks are walked up to the
    // real end of the bytes instead.
    WavFormat format;
    bool haveFormat = false;
    const uint8_t* pcm = nullptr;
    uint32_t pcmBytes = 0;
    size_t offset = 12;
    while (offset + 8 <= size && !(haveFormat && pcm)) {
        const uint8_t* id = bytes + offset;
        uint32_t length = ReadU32(bytes + offset + 4);
        const uint8_t* body = bytes + offset + 8;
        size_t available = size - offset - 8;
        if (length > available) return nullptr;  // truncated
        if (std::memcmp(id, "fmt ", 4) == 0 && !haveFormat) {
            if (!ParseWavFormat(body, length, format)) return nullptr;
            haveFormat = true;
        } else if (std::memcmp(id, "data", 4) == 0 && !pcm) {
            pcm = body;
            pcmBytes = length;
        }
        offset += 8 + size_t(length) + (length & 1);  // chunks are padded to even sizes
    }
    if (!haveFormat || !pcm) return nullptr;
    try {
        return WavSamples(format, pcm, pcmBytes);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::shared_ptr<SoundData> LoadSoundData(const std::string& path) {
    StreamPtr stream = ReadFile(path);
    if (!stream) return nullptr;
    char magic[4] = {};
    if (stream->ReadBytes(magic, 4) != 4) return nullptr;
    try {
        if (std::memcmp(magic, "RIFF", 4) == 0) return LoadWav(*stream);
        if (std::memcmp(magic, "OggS", 4) == 0) {
            if (!OggFileWhole(*stream)) return nullptr;
            stream.reset();
            return LoadOgg(path);
        }
    } catch (const std::bad_alloc&) {
    }
    return nullptr;
}

std::unique_ptr<SoundStream> OpenSoundStream(const SoundData& data) {
    if (!data.Streamed()) return nullptr;
    auto file = std::make_unique<VorbisFile>();
    if (!file->Open(data.streamPath)) return nullptr;
    // The channel's buffers were sized from the first open.
    if (file->Channels() != data.channels) return nullptr;
    return std::make_unique<OggStream>(std::move(file));
}

std::shared_ptr<SoundData> SoundDataFromSamples(const std::vector<int16_t>& samples, int channels,
                                                int sampleRate) {
    if (channels < 1 || channels > 2 || sampleRate < 1 || sampleRate > kMaxSampleRate) {
        return nullptr;
    }
    auto data = std::make_shared<SoundData>();
    data->channels = channels;
    data->sampleRate = sampleRate;
    data->frames = int64_t(samples.size() / size_t(channels));
    data->pcm.assign(samples.begin(),
                     samples.begin() + ptrdiff_t(data->frames) * ptrdiff_t(channels));
    return data;
}
