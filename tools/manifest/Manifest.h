// Every data file the game reads, with the constraints it must meet. The
// generators make these files; a test checks the built data against it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace asset {

enum class Kind { Png, Jpeg, Wav, Ogg, Fnt, Folder };

// The level a sound file is made at, by what it accompanies: the interface
// under the board's events, bombs and powerups above them, the music under
// all the effects. The game's own per-sound volumes come on top of this.
enum class Loudness { None, Interface, Board, Big, Music };

// The tier's level in dB RMS (0 dB is a full-scale square wave).
double LoudnessDb(Loudness tier);
// A file's level as its tier measures it, in dB RMS over interleaved
// samples (-1..1): an effect by its loudest 400 ms (what the ear judges a
// short sound by, whatever its tail), music over the whole piece.
double LevelDb(Loudness tier, const float* samples, size_t frames, int channels, int rate);
// How far a file may sit from its tier, how close to full scale its
// peaks may come, and how quiet its last 10 ms must be (dBFS RMS).
constexpr double kLoudnessToleranceDb = 2.0;
constexpr double kPeakCeiling = 0.89;  // -1 dBFS
constexpr double kEndingDb = -45.0;

struct Entry {
    std::string path;  // relative to Data/, e.g. "graphics/Gems/Gems.png"
    Kind kind = Kind::Png;
    std::string
        group;  // the generator that makes it: fonts, ui, board, scenes, shop, sounds, music
    bool required = true;
    // Pictures: exact size when > 0, else the bounds when > 0.
    int width = 0, height = 0;
    int minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;
    // Frame strips: cell size and frame count (frames cut row by row).
    int cellWidth = 0, cellHeight = 0, frames = 0;
    // Sounds and music.
    int sampleRate = 0, channels = 0;
    double minSeconds = 0, maxSeconds = 0;
    bool looped = false;
    Loudness loudness = Loudness::None;
    std::string notes;  // what it shows or sounds like
};

const std::vector<Entry>& Manifest();
const Entry* FindEntry(const std::string& path);

// Each group adds its own entries.
void AddFontEntries(std::vector<Entry>& entries);
void AddUiEntries(std::vector<Entry>& entries);
void AddBoardEntries(std::vector<Entry>& entries);
void AddSceneEntries(std::vector<Entry>& entries);
void AddShopEntries(std::vector<Entry>& entries);
void AddSoundEntries(std::vector<Entry>& entries);
void AddMusicEntries(std::vector<Entry>& entries);

// Builders for the common shapes of entry.
Entry Picture(const std::string& path, const std::string& group, int width = 0, int height = 0);
Entry StripOf(const std::string& path, const std::string& group, int cellWidth, int cellHeight,
              int frames);
Entry Jpeg(const std::string& path, const std::string& group, int width, int height);
Entry Sound(const std::string& path, const std::string& group, double minSeconds,
            double maxSeconds);
Entry Music(const std::string& path, double minSeconds, double maxSeconds, bool looped);

}  // namespace asset
