#include "media/GameText.h"

#include <cstdint>

#include "engine/Files.h"
#include "engine/Strings.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"
#include "media/TextShadow.h"

TGameTextPtr GameText = std::make_shared<TGameText>();

namespace {

const char* const kHeader = "[TEXT]";
constexpr int kReplacementCharacter = 0xFFFD;

bool HasPrefix(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

std::string Utf16ToUtf8(const std::string& bytes, size_t start, bool bigEndian) {
    auto unitAt = [&](size_t at) {
        const unsigned first = static_cast<unsigned char>(bytes[at]);
        const unsigned second = static_cast<unsigned char>(bytes[at + 1]);
        return bigEndian ? (first << 8 | second) : (second << 8 | first);
    };
    std::string out;
    out.reserve(bytes.size());
    size_t at = start;
    while (at + 1 < bytes.size()) {
        const unsigned unit = unitAt(at);
        at += 2;
        int code = static_cast<int>(unit);
        if (unit >= 0xD800 && unit <= 0xDBFF && at + 1 < bytes.size()) {
            const unsigned low = unitAt(at);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + (static_cast<int>(unit - 0xD800) << 10) +
                       static_cast<int>(low - 0xDC00);
                at += 2;
            }
        }
        // A surrogate without its partner cannot be encoded.
        if (code >= 0xD800 && code <= 0xDFFF) code = kReplacementCharacter;
        out += Chr(code);
    }
    return out;
}

std::string ReadWholeFile(const std::string& path, bool& found) {
    StreamPtr stream = ReadFileOrFail(path);
    found = stream != nullptr;
    if (!stream) return std::string();
    std::string bytes(static_cast<size_t>(std::max<int64_t>(stream->Size(), 0)), '\0');
    bytes.resize(stream->ReadBytes(bytes.data(), bytes.size()));
    return bytes;
}

// Lines of the text; the line feed that ends the file closes the last line
// rather than starting an empty one.
std::vector<std::string> TextLines(const std::string& text) {
    if (text.empty()) return {};
    std::vector<std::string> lines = SplitLines(text);
    if (text.back() == '\n') lines.pop_back();
    return lines;
}

}  // namespace

std::string DecodeTextFile(const std::string& bytes) {
    if (HasPrefix(bytes, "\xEF\xBB\xBF")) return bytes.substr(3);
    if (HasPrefix(bytes, "\xFF\xFE")) return Utf16ToUtf8(bytes, 2, false);
    if (HasPrefix(bytes, "\xFE\xFF")) return Utf16ToUtf8(bytes, 2, true);
    return Latin1ToUtf8(bytes);
}

TGameTextPtr TGameText::Create(const std::string& file) {
    auto text = std::make_shared<TGameText>();
    text->Read(file);
    return text;
}

void TGameText::Read(const std::string& file) {
    Clear();
    const std::string path = (Game ? Game->TextPath : std::string()) + file;
    bool found = false;
    const std::string bytes = ReadWholeFile(path, found);
    if (!found) return;
    ReadLines(TextLines(DecodeTextFile(bytes)));
}

void TGameText::ReadLines(const std::vector<std::string>& lines) {
    Clear();
    size_t at = 0;
    while (at < lines.size()) {
        if (Upper(Trim(lines[at])) != kHeader) {
            ReportError(std::string(kHeader) + " header not found", 1);
            return;
        }
        const size_t first = at + 1;
        size_t end = first;
        while (end < lines.size() && !HasPrefix(lines[end], "["))
            ++end;
        // A header followed at once by another header (or the end) has no key: skipped.
        if (end > first) {
            Insert(Upper(Trim(lines[first])),
                   std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(first) + 1,
                                            lines.begin() + static_cast<std::ptrdiff_t>(end)));
        }
        at = end;
    }
}

std::vector<std::string> TGameText::Find(const std::string& key) const {
    return ValueForKey(Upper(Trim(key)));
}

std::string TGameText::FindString(const std::string& key) const {
    std::string joined;
    const std::vector<std::string> lines = Find(key);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) joined += "\r\n";
        joined += lines[i];
    }
    return joined;
}

std::string TGameText::FirstMissingKey(const std::vector<std::string>& keys) const {
    for (const std::string& key : keys) {
        if (!Contains(Upper(Trim(key)))) return key;
    }
    return std::string();
}

const std::vector<std::string>& GameTextKeys() {
    static const std::vector<std::string> keys = {
        // loading screen, dialogs, player manager
        "Click Text", "Button OK", "Button Yes", "Button No", "Button Cancel", "Button Create",
        "Button Delete", "Error", "Confirm", "Player Manager Header", "Cannot Create",
        "Cannot Delete", "Confirm Delete", "Profile Exists", "Name Not Allowed", "Name Letters",
        "Enter Your Name", "Choose Mode", "Choose Mode Dialog", "Button Timed", "Button Relaxed",
        // title, options, credits and the ending
        "Welcome", "Button Play", "Button Change Player", "Button Options", "Button Exit",
        "Game Exit", "Options Header", "Options Music", "Options Sound", "Options Full Screen",
        "Options Show Tips", "Options Widescreen", "Options Custom Cursor", "Button Credits",
        "credits", "End Game Header", "End Game Text",
        // map and level play
        "Level", "Map Header", "Gold", "Button Back", "button shop", "Level Replay",
        "Level Replay Body", "Score", "No More Moves", "Time Up", "Button Menu",
        // level complete
        "Level Score", "Time Taken", "Time Left", "Gold tiles", "Golden Skulls", "Gold coins",
        "Gold Bonus", "Total Gold", "Level XX Complete", "Set Wallpaper Button", "Continue",
        "Wallpaper Done Header", "Wallpaper Done", "Wallpaper Failed",
        // tips, in-game menu, instructions
        "Goal Tip", "Hint Magic Header", "Hint Magic Body", "Paused", "Button resume",
        "Button restart", "Button Instructions", "Button save and exit", "Instructions Header",
        // shop
        "Button Map", "Required Purchase", "Price", "Available", "Free", "Set Wallpaper Question",
        "purchase pumpkin", "purchase pumpkin text", "purchase coffin", "purchase coffin text"};
    return keys;
}
