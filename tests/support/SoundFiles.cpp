#include "support/SoundFiles.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace sound_files {

void PutU16(Bytes& out, uint32_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void PutU32(Bytes& out, uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

void PutChunk(Bytes& out, const char* id, const Bytes& body) {
    out.insert(out.end(), id, id + 4);
    PutU32(out, uint32_t(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2) out.push_back(0);
}

Bytes MakeWav(int bits, int channels, int rate, const Bytes& pcm) {
    Bytes format;
    PutU16(format, 1);
    PutU16(format, uint32_t(channels));
    PutU32(format, uint32_t(rate));
    PutU32(format, uint32_t(rate * channels * bits / 8));
    PutU16(format, uint32_t(channels * bits / 8));
    PutU16(format, uint32_t(bits));
    Bytes body = {'W', 'A', 'V', 'E'};
    PutChunk(body, "LIST", {'a', 'b', 'c'});
    PutChunk(body, "fmt ", format);
    PutChunk(body, "fact", {1, 0, 0, 0});
    PutChunk(body, "data", pcm);
    Bytes file = {'R', 'I', 'F', 'F'};
    PutU32(file, uint32_t(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

Bytes Pcm16(const std::vector<int16_t>& samples) {
    Bytes pcm;
    for (int16_t s : samples)
        PutU16(pcm, uint16_t(s));
    return pcm;
}

namespace {
void AppendPage(OggFile& file, const ogg_page& page) {
    file.bytes.insert(file.bytes.end(), page.header, page.header + page.header_len);
    file.bytes.insert(file.bytes.end(), page.body, page.body + page.body_len);
}
}  // namespace

OggFile EncodeOgg(int channels, int rate, int frames, const Signal& signal) {
    OggFile file;
    vorbis_info info;
    vorbis_info_init(&info);
    EXPECT_EQ(vorbis_encode_init_vbr(&info, channels, rate, 0.5f), 0);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 7);
    ogg_packet header, commentHeader, codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codebooks);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page))
        AppendPage(file, page);
    file.headerBytes = file.bytes.size();

    auto drain = [&] {
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page))
                    AppendPage(file, page);
            }
        }
    };
    for (int start = 0; start < frames; start += 1024) {
        int count = std::min(1024, frames - start);
        float** buffer = vorbis_analysis_buffer(&dsp, count);
        for (int c = 0; c < channels; ++c) {
            for (int i = 0; i < count; ++i)
                buffer[c][i] = signal(c, start + i);
        }
        vorbis_analysis_wrote(&dsp, count);
        drain();
    }
    vorbis_analysis_wrote(&dsp, 0);
    drain();
    while (ogg_stream_flush(&stream, &page))
        AppendPage(file, page);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return file;
}

}  // namespace sound_files
