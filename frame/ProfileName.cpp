#include "frame/ProfileName.h"

#include <vector>

#include "engine/Strings.h"

namespace {

constexpr int kNoBreakSpace = 0xA0;
// Linux and the other desktops allow 255 bytes in one file name.
constexpr size_t kMaxFileNameBytes = 255;
constexpr std::string_view kProfileExtension = ".dat";

bool IsBlank(int code) {
    return code == ' ' || code == kNoBreakSpace;
}

bool IsControl(int code) {
    return code < 32 || (code >= 127 && code < 160);
}

bool IsBanned(int code) {
    const std::string character = Chr(code);
    return kFileNameUnsafeChars.find(character) != std::string_view::npos ||
           kNameEntryBannedChars.find(character) != std::string_view::npos;
}

std::vector<int> CodePoints(const std::string& name) {
    std::vector<int> codes;
    for (size_t pos = 0; pos < name.size();)
        codes.push_back(NextCodePoint(name, pos));
    return codes;
}

}  // namespace

std::string TrimProfileName(const std::string& name) {
    std::vector<size_t> starts;  // byte offset of every character, and the end
    std::vector<int> codes;
    for (size_t pos = 0; pos < name.size();) {
        starts.push_back(pos);
        codes.push_back(NextCodePoint(name, pos));
    }
    starts.push_back(name.size());
    size_t first = 0, last = codes.size();
    while (first < last && IsBlank(codes[first]))
        ++first;
    while (last > first && IsBlank(codes[last - 1]))
        --last;
    return name.substr(starts[first], starts[last] - starts[first]);
}

ProfileNameFault CheckProfileName(const std::string& name) {
    if (!IsValidUtf8(name)) return ProfileNameFault::Malformed;
    const std::string trimmed = TrimProfileName(name);
    if (trimmed.empty()) return ProfileNameFault::Empty;
    if (trimmed != name) return ProfileNameFault::OuterSpaces;
    const std::vector<int> codes = CodePoints(name);
    for (int code : codes) {
        if (IsControl(code)) return ProfileNameFault::ControlCharacter;
    }
    for (int code : codes) {
        if (IsBanned(code)) return ProfileNameFault::BannedCharacter;
    }
    if (name.find_first_not_of('.') == std::string::npos) return ProfileNameFault::OnlyDots;
    for (int code : codes) {
        if (code > 0xFF) return ProfileNameFault::BeyondLatin1;
    }
    if (name.size() + kProfileExtension.size() > kMaxFileNameBytes)
        return ProfileNameFault::TooLong;
    return ProfileNameFault::None;
}

bool IsSafeProfileName(const std::string& name) {
    return CheckProfileName(name) == ProfileNameFault::None;
}
