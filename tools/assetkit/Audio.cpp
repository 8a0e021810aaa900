#include "assetkit/Audio.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace asset {

void Pcm::Mix(const Pcm& other, size_t atFrame, float gain, float pan) {
    const size_t needed = atFrame + other.Frames();
    if (Frames() < needed) samples.resize(needed * channels, 0.0f);
    const float left = gain * std::min(1.0f, 1.0f - pan), right = gain * std::min(1.0f, 1.0f + pan);
    for (size_t i = 0; i < other.Frames(); ++i) {
        for (int c = 0; c < channels; ++c) {
            const float source =
                other.channels == 1 ? other.At(i, 0) : other.At(i, std::min(c, other.channels - 1));
            const float g = channels == 2 ? (c == 0 ? left : right) : gain;
            At(atFrame + i, c) += source * g;
        }
    }
}

namespace {

void PutLE(Bytes& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void AppendPage(Bytes& out, const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

}  // namespace

Bytes EncodeWav16(const Pcm& pcm) {
    Bytes out;
    const uint32_t dataBytes = static_cast<uint32_t>(pcm.samples.size() * 2);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    PutLE(out, 36 + dataBytes, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLE(out, 16, 4);
    PutLE(out, 1, 2);
    PutLE(out, pcm.channels, 2);
    PutLE(out, pcm.rate, 4);
    PutLE(out, pcm.rate * pcm.channels * 2, 4);
    PutLE(out, pcm.channels * 2, 2);
    PutLE(out, 16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    PutLE(out, dataBytes, 4);
    for (float s : pcm.samples) {
        const int value = static_cast<int>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
        PutLE(out, static_cast<uint16_t>(static_cast<int16_t>(value)), 2);
    }
    return out;
}

Bytes EncodeOgg(const Pcm& pcm, float quality, int serial) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, pcm.channels, pcm.rate, quality) != 0) {
        vorbis_info_clear(&info);
        throw std::runtime_error("vorbis encoder refused the format");
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "ENCODER", "hollowmere-assetgen");
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);
    Bytes out;
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0)
        AppendPage(out, page);
    const size_t frames = pcm.Frames();
    const size_t chunk = 4096;
    // Runs one pass past the last partial chunk so the end of stream is always written.
    for (size_t start = 0;; start = std::min(frames, start + chunk)) {
        const size_t count = std::min(chunk, frames - start);
        if (count == 0) {
            vorbis_analysis_wrote(&dsp, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (size_t i = 0; i < count; ++i) {
                for (int c = 0; c < pcm.channels; ++c)
                    buffer[c][i] = pcm.At(start + i, c);
            }
            vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0)
                    AppendPage(out, page);
            }
        }
        if (count == 0) break;
    }
    while (ogg_stream_flush(&stream, &page) != 0)
        AppendPage(out, page);
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

double PeakOf(const Pcm& pcm) {
    double peak = 0;
    for (float s : pcm.samples)
        peak = std::max(peak, static_cast<double>(std::fabs(s)));
    return peak;
}

double RmsOf(const Pcm& pcm) {
    if (pcm.samples.empty()) return 0;
    double sum = 0;
    for (float s : pcm.samples)
        sum += static_cast<double>(s) * s;
    return std::sqrt(sum / pcm.samples.size());
}

void ScaleTo(Pcm& pcm, double peak) {
    const double current = PeakOf(pcm);
    if (current <= 0) return;
    const float factor = static_cast<float>(peak / current);
    for (float& s : pcm.samples)
        s *= factor;
}

void NormaliseLoudness(Pcm& pcm, double targetRms, double peakLimit) {
    const double rms = RmsOf(pcm), peak = PeakOf(pcm);
    if (rms <= 0 || peak <= 0) return;
    const double factor = std::min(targetRms / rms, peakLimit / peak);
    for (float& s : pcm.samples)
        s = static_cast<float>(s * factor);
}

void FadeEdges(Pcm& pcm, double inMs, double outMs) {
    const size_t frames = pcm.Frames();
    const size_t fadeIn = std::min(frames, static_cast<size_t>(inMs * pcm.rate / 1000.0));
    const size_t fadeOut = std::min(frames, static_cast<size_t>(outMs * pcm.rate / 1000.0));
    for (size_t i = 0; i < fadeIn; ++i) {
        for (int c = 0; c < pcm.channels; ++c)
            pcm.At(i, c) *= static_cast<float>(i) / fadeIn;
    }
    for (size_t i = 0; i < fadeOut; ++i) {
        for (int c = 0; c < pcm.channels; ++c)
            pcm.At(frames - 1 - i, c) *= static_cast<float>(i) / fadeOut;
    }
}

double Sine(double phase) {
    return std::sin(2 * M_PI * phase);
}
double Triangle(double phase) {
    const double p = phase - std::floor(phase);
    return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
}
double Saw(double phase) {
    return 2 * (phase - std::floor(phase)) - 1;
}
double Square(double phase, double duty) {
    return (phase - std::floor(phase)) < duty ? 1.0 : -1.0;
}

double Adsr::Level(double t, double held) const {
    if (t < 0) return 0;
    auto heldLevel = [this](double time) {
        if (time < attack) return attack > 0 ? time / attack : 1.0;
        if (time < attack + decay) return 1.0 - (1.0 - sustain) * (time - attack) / decay;
        return sustain;
    };
    if (t < held) return heldLevel(t);
    const double level = heldLevel(held);
    if (release <= 0) return 0;
    return std::max(0.0, level * (1.0 - (t - held) / release));
}

Biquad Biquad::LowPass(double rate, double frequency, double q) {
    const double w = 2 * M_PI * frequency / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    return Biquad((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::HighPass(double rate, double frequency, double q) {
    const double w = 2 * M_PI * frequency / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    return Biquad((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::BandPass(double rate, double frequency, double q) {
    const double w = 2 * M_PI * frequency / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    return Biquad(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::Peak(double rate, double frequency, double q, double gainDb) {
    const double a = std::pow(10, gainDb / 40), w = 2 * M_PI * frequency / rate;
    const double alpha = std::sin(w) / (2 * q), c = std::cos(w);
    return Biquad(1 + alpha * a, -2 * c, 1 - alpha * a, 1 + alpha / a, -2 * c, 1 - alpha / a);
}

double Biquad::Process(double x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

void Biquad::Apply(Pcm& pcm, int channel) {
    for (int c = 0; c < pcm.channels; ++c) {
        if (channel >= 0 && c != channel) continue;
        Biquad state = *this;
        for (size_t i = 0; i < pcm.Frames(); ++i)
            pcm.At(i, c) = static_cast<float>(state.Process(pcm.At(i, c)));
    }
}

Pcm Pluck(double frequency, double seconds, double brightness, Rng& rng, int rate) {
    Pcm out(1, static_cast<size_t>(seconds * rate), rate);
    const size_t period = std::max<size_t>(2, static_cast<size_t>(rate / frequency));
    std::vector<double> line(period);
    for (double& v : line)
        v = rng.Range(-1, 1);
    const double blend = 0.5 + 0.5 * std::clamp(brightness, 0.0, 1.0) * 0.98;
    size_t index = 0;
    for (size_t i = 0; i < out.Frames(); ++i) {
        const size_t next = (index + 1) % period;
        const double value = line[index];
        out.At(i, 0) = static_cast<float>(value);
        line[index] = 0.996 * (blend * value + (1 - blend) * line[next]);
        index = next;
    }
    return out;
}

Pcm Noise(double seconds, Rng& rng, int rate) {
    Pcm out(1, static_cast<size_t>(seconds * rate), rate);
    for (float& s : out.samples)
        s = static_cast<float>(rng.Range(-1, 1));
    return out;
}

Pcm Reverb(const Pcm& dry, double roomSize, double damping, double wet) {
    const int rate = dry.rate;
    const size_t tail = static_cast<size_t>(rate * (0.3 + roomSize * 2.0));
    Pcm out(2, dry.Frames() + tail, rate);
    static const int kCombs[4] = {1116, 1188, 1277, 1356};
    static const int kAllpass[2] = {556, 441};
    const double feedback = 0.7 + roomSize * 0.28;
    for (int side = 0; side < 2; ++side) {
        const int spread = side * 23;
        std::vector<double> mixed(out.Frames(), 0.0);
        for (int comb : kCombs) {
            std::vector<double> buffer(comb + spread, 0.0);
            double filterState = 0;
            size_t index = 0;
            for (size_t i = 0; i < out.Frames(); ++i) {
                const double input =
                    i < dry.Frames() ? dry.At(i, dry.channels == 1 ? 0 : side) : 0.0;
                const double output = buffer[index];
                filterState = output * (1 - damping) + filterState * damping;
                buffer[index] = input * 0.015 + filterState * feedback;
                index = (index + 1) % buffer.size();
                mixed[i] += output;
            }
        }
        for (int delay : kAllpass) {
            std::vector<double> buffer(delay + spread, 0.0);
            size_t index = 0;
            for (double& value : mixed) {
                const double delayed = buffer[index];
                buffer[index] = value + delayed * 0.5;
                value = delayed - value;
                index = (index + 1) % buffer.size();
            }
        }
        for (size_t i = 0; i < out.Frames(); ++i) {
            const double input = i < dry.Frames() ? dry.At(i, dry.channels == 1 ? 0 : side) : 0.0;
            out.At(i, side) = static_cast<float>(input * (1 - wet) + mixed[i] * wet);
        }
    }
    return out;
}

}  // namespace asset
