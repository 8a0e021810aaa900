// The profile: its new values, the one-time hints, the file layout and its
// safe saving, and the profile folder's list of players.
#include "frame/Profile.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "engine/Files.h"
#include "engine/Strings.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"
#include "frame/ProfileName.h"

// ------------------------------------------------------------------ stream

void TProfileStream::WriteInt(int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes_.push_back(static_cast<uint8_t>(bits >> (8 * i)));
}

void TProfileStream::WriteDouble(double value) {
    const auto bits = std::bit_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        bytes_.push_back(static_cast<uint8_t>(bits >> (8 * i)));
}

uint64_t TProfileStream::ReadBits(int count) {
    uint64_t bits = 0;
    for (int i = 0; i < count; ++i, ++pos_) {
        if (pos_ < bytes_.size()) bits |= static_cast<uint64_t>(bytes_[pos_]) << (8 * i);
    }
    return bits;
}

int32_t TProfileStream::ReadInt() {
    return static_cast<int32_t>(static_cast<uint32_t>(ReadBits(4)));
}

double TProfileStream::ReadDouble() {
    return std::bit_cast<double>(ReadBits(8));
}

// ------------------------------------------------------------------ values

namespace {

// The i-th scrambled integer of the file, with 32-bit wrapping both ways.
int32_t Scrambled(int value, int i) {
    return static_cast<int32_t>(
        static_cast<uint32_t>(value) + static_cast<uint32_t>(TProfile::SCRAMBLE_BASE) +
        static_cast<uint32_t>(i) * static_cast<uint32_t>(TProfile::SCRAMBLE_STEP));
}

int Unscrambled(int32_t stored, int i) {
    return static_cast<int32_t>(
        static_cast<uint32_t>(stored) - static_cast<uint32_t>(TProfile::SCRAMBLE_BASE) -
        static_cast<uint32_t>(i) * static_cast<uint32_t>(TProfile::SCRAMBLE_STEP));
}

int Flag(int value) {
    return std::clamp(value, 0, 1);
}

}  // namespace

TProfilePtr TProfile::Create(const std::string& name) {
    auto profile = std::make_shared<TProfile>();
    profile->Init(name);
    if (CreationHook) CreationHook(*profile);
    return profile;
}

void TProfile::Init(const std::string& name) {
    Name = name;
    CurrentLevel = 1;
    LockedLevel = 2;
    Score = 0;
    Lives = 3;
    Kills = 0;
    TimeTaken = 0;
    Difficulty = 0;
    TipsFlag = 1;
    InstructionsFlag = 1;
    ClearHints();
}

void TProfile::ClearHints() {
    HintsSet(0);
}

void TProfile::HintsSet(int value) {
    HintsShown.fill(value);
}

int TProfile::ShowHint(int index, int save) {
    if (index < 0 || index >= MAX_HINTS || HintsShown[index] != 0) return 0;
    HintsShown[index] = 1;
    if (save) Save();
    return 1;
}

// -------------------------------------------------------------------- file

std::vector<uint8_t> TProfile::ToBytes() const {
    TProfileStream stream;
    const int scrambled[] = {CurrentLevel, LockedLevel, Score, Lives, Kills};
    for (int i = 0; i < 5; ++i)
        stream.WriteInt(Scrambled(scrambled[i], i));
    stream.WriteDouble(TimeTaken);
    stream.WriteInt(Difficulty);
    stream.WriteInt(TipsFlag);
    stream.WriteInt(InstructionsFlag);
    for (int hint : HintsShown)
        stream.WriteInt(hint);
    if (SaveUserFunction) SaveUserFunction(stream);
    return stream.Bytes();
}

void TProfile::FromBytes(const std::vector<uint8_t>& bytes) {
    TProfileStream stream(bytes);
    int* scrambled[] = {&CurrentLevel, &LockedLevel, &Score, &Lives, &Kills};
    for (int i = 0; i < 5; ++i)
        *scrambled[i] = Unscrambled(stream.ReadInt(), i);
    TimeTaken = stream.ReadDouble();
    Difficulty = stream.ReadInt();
    TipsFlag = stream.ReadInt();
    InstructionsFlag = stream.ReadInt();
    // A file that ends among the hints leaves the rest cleared: past the end
    // every value reads as 0.
    ClearHints();
    for (int& hint : HintsShown)
        hint = stream.ReadInt();
    ClampToSavedRange();
    if (LoadUserFunction) LoadUserFunction(stream);
}

// What a file the game wrote can hold; a damaged or hand-edited file is
// brought back into it, so no screen ever sees a level that does not exist.
void TProfile::ClampToSavedRange() {
    LockedLevel = std::clamp(LockedLevel, 2, LEVEL_COUNT + 1);
    CurrentLevel = std::clamp(CurrentLevel, 1, std::min(LockedLevel - 1, LEVEL_COUNT));
    Score = std::max(Score, 0);
    Kills = std::max(Kills, 0);
    if (!std::isfinite(TimeTaken) || TimeTaken < 0) TimeTaken = 0;
    TipsFlag = Flag(TipsFlag);
    InstructionsFlag = Flag(InstructionsFlag);
    for (int& hint : HintsShown)
        hint = Flag(hint);
}

std::string TProfile::Path() const {
    return ProfileFilePath(Name);
}

int TProfile::Save() {
    const std::string path = Path();
    const std::vector<uint8_t> bytes = ToBytes();
    if (!SaveBytesSafely(path, bytes.data(), bytes.size()))
        ReportError("Could not create file '" + path + "'", 1);
    return 1;
}

int TProfile::Load() {
    const std::string path = Path();
    const FileKind kind = FileType(path);
    if (kind == FILETYPE_NONE) {
        Save();
        return 0;
    }
    std::vector<uint8_t> bytes;
    if (kind != FILETYPE_FILE || !LoadBytes(path, bytes)) {
        ReportError("Error loading file " + path, 1);
        return 0;
    }
    FromBytes(bytes);
    return 1;
}

// ------------------------------------------------------------------ folder

std::string ProfileFilePath(const std::string& name) {
    // The profile files were named on a file system that ignores letter
    // case: "bob" finds "Bob.dat" (and the name entry refuses "bob" then).
    return ResolvePath((Game ? Game->ProfilePath : std::string()) + name + ".dat");
}

std::vector<std::string> ProfileNames() {
    std::vector<std::string> names;
    if (!Game) return names;
    const std::string folder = ResolvePath(Game->ProfilePath);
    for (const std::string& entry : LoadDir(folder)) {
        if (Lower(ExtractExt(entry)) != "dat") continue;
        if (FileType(JoinPath(folder, entry)) != FILETYPE_FILE) continue;
        const std::string name = StripExt(entry);
        if (IsSafeProfileName(name)) names.push_back(name);
    }
    return names;
}

bool DeleteProfileFile(const std::string& name) {
    const std::string path = ProfileFilePath(name);
    return FileType(path) == FILETYPE_FILE && DeleteFile(path);
}
