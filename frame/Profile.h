// A player's profile: name, level reached, totals and the one-time hints,
// kept in a file of its own; the progress record rides along in the same
// file through two hooks. Also the profile folder's list of players.
//
// Files: the profile folder (Game->ProfilePath) + name + ".dat", names in
// UTF-8 as on disk; 696 bytes with the progress record, 440 without. Saving
// writes the whole file to a temporary file beside it, flushes it to disk
// and renames it over the old one, so a crash or a full disk leaves the old
// file or the new one, never a mix.
//
// Single-threaded. Failures: a file that cannot be written is the fatal
// error "Could not create file '<path>'" (the old file stays); a file that
// exists but cannot be read is the fatal error "Error loading file <path>"
// (nothing is written over it). A short or damaged file reads as zeros past
// its end, and every value read is brought into the range a saved file can
// hold.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The bytes of a profile file while they are written or read: 32-bit
// little-endian integers and little-endian IEEE doubles. Bytes missing at the
// end of a short file read as zeros.
class TProfileStream {
  public:
    TProfileStream() = default;
    explicit TProfileStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    void WriteInt(int32_t value);
    void WriteDouble(double value);
    int32_t ReadInt();
    double ReadDouble();
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

  private:
    uint64_t ReadBits(int count);
    std::vector<uint8_t> bytes_;
    size_t pos_ = 0;
};

class TProfile;
using TProfilePtr = std::shared_ptr<TProfile>;

class TProfile {
  public:
    static constexpr int MAX_HINTS = 100;
    // The first five integers of the file are stored scrambled: the i-th
    // (i = 0..4) as value + SCRAMBLE_BASE + i * SCRAMBLE_STEP, wrapping.
    static constexpr int32_t SCRAMBLE_BASE = 6130477;
    static constexpr int32_t SCRAMBLE_STEP = 1873219;
    // The profile's own part of the file; the progress record follows it.
    static constexpr int OWN_BYTES = 440;
    // The levels of the game: a profile never points past them.
    static constexpr int LEVEL_COUNT = 100;

    std::string Name;
    int CurrentLevel = 0;
    int LockedLevel = 0;  // the first level not yet open
    int Score = 0;
    int Lives = 0;
    int Kills = 0;
    double TimeTaken = 0;  // logic steps
    int Difficulty = 0;
    int TipsFlag = 0;
    int InstructionsFlag = 0;
    std::array<int, MAX_HINTS> HintsShown{};
    // Write and read the data behind the profile's own part (the progress
    // record); a profile without them stores only its own part.
    std::function<int(TProfileStream&)> SaveUserFunction;
    std::function<int(TProfileStream&)> LoadUserFunction;

    // Called with every profile Create makes (start-up sets one that resets
    // the progress record).
    static inline std::function<void(TProfile&)> CreationHook;

    virtual ~TProfile() = default;
    // A new profile with the values of a new player, then the creation hook.
    static TProfilePtr Create(const std::string& name);
    // The values of a new player.
    void Init(const std::string& name);
    void ClearHints();
    void HintsSet(int value);
    // 1 the first time hint `index` is asked for (it is marked, and the
    // profile saved when `save` is set), 0 every time after.
    int ShowHint(int index, int save);
    // Writes the file (fatal when it cannot be written); 1.
    virtual int Save();
    // Reads the file: 1. Without a file, saves one with the current values
    // and returns 0.
    virtual int Load();

    // ---- the file and its bytes ----
    // The file of this profile.
    std::string Path() const;
    // The file's contents for the current values, and the values of given
    // contents (brought into range; the hooks run on the same stream).
    std::vector<uint8_t> ToBytes() const;
    void FromBytes(const std::vector<uint8_t>& bytes);

  private:
    void ClampToSavedRange();
};

// The profile file of a name: the profile folder + name + ".dat".
std::string ProfileFilePath(const std::string& name);
// The players: the names of the ".dat" files in the profile folder that are
// names a player can have, in the folder's order. A stray temporary file, a
// folder or a hand-made file of an impossible name is nobody's profile.
std::vector<std::string> ProfileNames();
// Removes the file of a profile; false when there was none to remove.
bool DeleteProfileFile(const std::string& name);
