#include "manifest/Manifest.h"

namespace asset {

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
    return entry;
}

}  // namespace asset
