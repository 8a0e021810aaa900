// The music: each piece is a text score under data/, played by the
// synthesised instruments and encoded as Ogg Vorbis.
#include <cmath>
#include <stdexcept>
#include <string>

#include "Mixdown.h"
#include "Score.h"
#include "assetkit/Registry.h"
#include "manifest/Manifest.h"

namespace asset {

namespace {

// Vorbis quality: music of soft synthesised timbres stays clean at about
// 100 kbit/s.
constexpr float kOggQuality = 0.3f;

struct Piece {
    const char* path;
    const char* score;
};

constexpr Piece kPieces[] = {
    {"music/title.ogg", "title.song"},       {"music/level1.ogg", "level1.song"},
    {"music/level2.ogg", "level2.song"},     {"music/level3.ogg", "level3.song"},
    {"music/level4.ogg", "level4.song"},     {"music/level5.ogg", "level5.song"},
    {"music/levelend.ogg", "levelend.song"}, {"music/intro.ogg", "intro.song"},
    {"music/gameend.ogg", "gameend.song"}};

music::Song LoadSong(const std::string& score) {
    Bytes text;
    if (!ReadWholeFile(std::string(ASSET_SOURCE_DIR) + "/data/" + score, text)) {
        throw std::runtime_error("cannot read the score " + score);
    }
    return music::ReadSong(std::string(text.begin(), text.end()), score);
}

// The score must agree with what the manifest promises about the file.
void CheckAgainstManifest(const Piece& piece, const music::Song& song, const Pcm& pcm) {
    const Entry* entry = FindEntry(piece.path);
    if (!entry) throw std::runtime_error(std::string(piece.path) + " is not in the manifest");
    if (entry->looped != song.looped)
        throw std::runtime_error(std::string(piece.score) +
                                 ": loop setting differs from the manifest");
    if (pcm.Seconds() < entry->minSeconds || pcm.Seconds() > entry->maxSeconds) {
        throw std::runtime_error(std::string(piece.score) + " lasts " +
                                 std::to_string(pcm.Seconds()) +
                                 " s, outside the manifest's bounds");
    }
}

Bytes MakePiece(const Piece& piece) {
    music::Song song = LoadSong(piece.score);
    Pcm pcm = music::RenderSong(song, SeedOf(piece.score));
    CheckAgainstManifest(piece, song, pcm);
    return EncodeOgg(pcm, kOggQuality, static_cast<int>(SeedOf(piece.path) & 0x7FFFFFFF));
}

}  // namespace

void RegisterMusic(Registry& registry) {
    for (const Piece& piece : kPieces) {
        registry.Add(piece.path, [piece] { return MakePiece(piece); });
    }
}

}  // namespace asset
