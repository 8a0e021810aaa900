// Player names: which typed names may become a profile. A profile's name is
// also its file name on disk (UTF-8) and is kept one byte per character
// (Latin-1) in the settings file, so a name must be safe as a file name on
// every desktop and must fit in Latin-1.
//
// Pure functions on UTF-8 text; no state, no failure beyond the result.
#pragma once

#include <string>
#include <string_view>

// The characters no file name may hold, in the order the text input's
// MakeCharsFileNameSafe bans them: " | * \ / : ; ~ ? < > , + = %
inline constexpr std::string_view kFileNameUnsafeChars = "\"|*\\/:;~?<>,+=%";
// Further characters the name entry refuses (UTF-8): [ ] ^ { } # @ _ and the
// pound sign, euro sign, Y with diaeresis (both cases) and Y with acute (both
// cases).
inline constexpr std::string_view kNameEntryBannedChars =
    "[]^{}#@_\xC2\xA3\xE2\x82\xAC\xC5\xB8\xC3\xBF\xC3\x9D\xC3\xBD";

// Why a name cannot be a profile, checked in this order.
enum class ProfileNameFault {
    None,
    Malformed,         // not valid UTF-8
    Empty,             // empty or only blanks
    OuterSpaces,       // a blank at the start or the end (trim first)
    ControlCharacter,  // below U+0020, or U+007F to U+009F
    BannedCharacter,   // one of the two lists above
    OnlyDots,          // ".", ".." and the like
    BeyondLatin1,      // a character above U+00FF
    TooLong,           // the file name (name + ".dat") would pass 255 bytes
};

ProfileNameFault CheckProfileName(const std::string& name);
// A name that can become a profile: CheckProfileName finds no fault.
// "Con", "Zo\xC3\xAB" and "Anne-Marie" are safe; "", "  ", " Bob", "a/b",
// "..", "Bob_1" and a name with an L with stroke are not.
bool IsSafeProfileName(const std::string& name);
// The name without its leading and trailing blanks (spaces and no-break
// spaces), as it is checked and stored.
std::string TrimProfileName(const std::string& name);
