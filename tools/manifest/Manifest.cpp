#include "manifest/Manifest.h"

#include <algorithm>
#include <cmath>

namespace asset {

double LoudnessDb(Loudness tier) {
    switch (tier) {
        case Loudness::Interface:
            return -25.0;
        case Loudness::Board:
            return -20.0;
        case Loudness::Big:
            return -13.0;
        case Loudness::Music:
            return -26.0;  // 6 dB under the board's events
        case Loudness::None:
            break;
    }
    return 0.0;
}

double LevelDb(Loudness tier, const float* samples, size_t frames, int channels, int rate) {
    if (frames == 0 || channels <= 0) return -200.0;
    const size_t window =
        tier == Loudness::Music ? frames : std::min(frames, static_cast<size_t>(0.4 * rate));
    // Running sum of the power over the window, kept in double.
    auto powerAt = [&](size_t frame) {
        double sum = 0;
        for (int c = 0; c < channels; ++c) {
            const double x = samples[frame * channels + c];
            sum += x * x;
        }
        return sum / channels;
    };
    double sum = 0;
    for (size_t i = 0; i < window; ++i)
        sum += powerAt(i);
    double loudest = sum;
    for (size_t i = window; i < frames; ++i) {
        sum += powerAt(i) - powerAt(i - window);
        loudest = std::max(loudest, sum);
    }
    const double meanSquare = std::max(loudest / double(window), 1e-20);
    return 10.0 * std::log10(meanSquare);
}

const std::vector<Entry>& Manifest() {
    static const std::vector<Entry> entries = [] {
        std::vector<Entry> all;
        AddFontEntries(all);
        AddUiEntries(all);
        AddBoardEntries(all);
        AddSceneEntries(all);
        AddShopEntries(all);
        AddSoundEntries(all);
        AddMusicEntries(all);
        return all;
    }();
    return entries;
}

const Entry* FindEntry(const std::string& path) {
    for (const Entry& entry : Manifest()) {
        if (entry.path == path) return &entry;
    }
    return nullptr;
}

Entry Picture(const std::string& path, const std::string& group, int width, int height) {
    Entry entry;
    entry.path = path;
    entry.kind = Kind::Png;
    entry.group = group;
    entry.width = width;
    entry.height = height;
    return entry;
}

Entry StripOf(const std::string& path, const std::string& group, int cellWidth, int cellHeight,
              int frames) {
    Entry entry = Picture(path, group);
    entry.cellWidth = cellWidth;
    entry.cellHeight = cellHeight;
    entry.frames = frames;
    return entry;
}

Entry Jpeg(const std::string& path, const std::string& group, int width, int height) {
    Entry entry = Picture(path, group, width, height);
    entry.kind = Kind::Jpeg;
    return entry;
}

Entry Sound(const std::string& path, const std::string& group, double minSeconds,
            double maxSeconds) {
    Entry entry;
    entry.path = path;
    entry.kind = path.size() > 4 && path.substr(path.size() - 4) == ".ogg" ? Kind::Ogg : Kind::Wav;
    entry.group = group;
    entry.sampleRate = 44100;
    entry.minSeconds = minSeconds;
    entry.maxSeconds = maxSeconds;
    return entry;
}

Entry Music(const std::string& path, double minSeconds, double maxSeconds, bool looped) {
    Entry entry = Sound(path, "music", minSeconds, maxSeconds);
    entry.kind = Kind::Ogg;
    entry.channels = 2;
    entry.looped = looped;
    entry.loudness = Loudness::Music;
    return entry;
}

}  // namespace asset
