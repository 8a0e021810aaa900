// Player names: what may become a profile (its file name on disk and a
// one-byte-per-character entry in the settings file), and the round trip of
// a name through those two forms.
#include <gtest/gtest.h>

#include <string>

#include "engine/Strings.h"
#include "frame/ProfileName.h"

namespace {

using Fault = ProfileNameFault;

struct NameCase {
    const char* name;
    Fault fault;
    const char* why;
};

TEST(ProfileName, OnlyNamesSafeAsFileNamesAndInLatin1AreAccepted) {
    const NameCase cases[] = {
        {"Con", Fault::None, "device names of other systems are ordinary names here"},
        {"Zo\xC3\xAB", Fault::None, "e with diaeresis is Latin-1"},
        {"Ren\xC3\xA9\x65 M\xC3\xBCller", Fault::None, "accents and an inner space"},
        {"Anne-Marie", Fault::None, ""},
        {"J.R.", Fault::None, "dots among letters"},
        {"\xC3\x9F\xC3\xB8\xC3\xBE", Fault::None, "sharp s, o slash, thorn"},
        {"", Fault::Empty, ""},
        {"   ", Fault::Empty, "blanks only"},
        {"\xC2\xA0", Fault::Empty, "a no-break space is blank too"},
        {" Bob", Fault::OuterSpaces, "trim first"},
        {"Bob ", Fault::OuterSpaces, "trim first"},
        {"Bo\tb", Fault::ControlCharacter, "tab"},
        {"Bob\x7F", Fault::ControlCharacter, "delete"},
        {"Bob\xC2\x85", Fault::ControlCharacter, "a C1 control (next line)"},
        {"a/b", Fault::BannedCharacter, "slash"},
        {"a\\b", Fault::BannedCharacter, "backslash"},
        {"C:", Fault::BannedCharacter, "colon"},
        {"Who?", Fault::BannedCharacter, ""},
        {"100%", Fault::BannedCharacter, ""},
        {"Bob_1", Fault::BannedCharacter, "the name entry's own bans"},
        {"[x]", Fault::BannedCharacter, ""},
        {"\xC2\xA3\x35", Fault::BannedCharacter, "pound sign"},
        {"\xE2\x82\xAC\x35", Fault::BannedCharacter, "euro sign, banned before its range"},
        {"\xC3\xBFvonne", Fault::BannedCharacter, "y with diaeresis"},
        {"\xC3\x9D", Fault::BannedCharacter, "Y with acute"},
        {".", Fault::OnlyDots, ""},
        {"..", Fault::OnlyDots, ""},
        {"....", Fault::OnlyDots, ""},
        {"\xC5\x81ucja", Fault::BeyondLatin1, "L with stroke is U+0141"},
        {"\xE6\x97\xA5\xE6\x9C\xAC", Fault::BeyondLatin1, "CJK"},
        {"Zo\xEB", Fault::Malformed, "a raw Latin-1 byte is not UTF-8"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(std::string("name \"") + c.name + "\" " + c.why);
        EXPECT_EQ(CheckProfileName(c.name), c.fault);
        EXPECT_EQ(IsSafeProfileName(c.name), c.fault == Fault::None);
    }
    // The file name ("name.dat") fits the 255 bytes of a file name.
    EXPECT_TRUE(IsSafeProfileName(std::string(251, 'a')));
    EXPECT_EQ(CheckProfileName(std::string(252, 'a')), Fault::TooLong);
    EXPECT_EQ(CheckProfileName(std::string(126, '\xC3') + "\xA9"), Fault::Malformed);
}

TEST(ProfileName, TrimmingTakesBlanksFromBothEndsOnly) {
    EXPECT_EQ(TrimProfileName("  Bob  "), "Bob");
    EXPECT_EQ(TrimProfileName("\xC2\xA0Zo\xC3\xAB \xC2\xA0"), "Zo\xC3\xAB");
    EXPECT_EQ(TrimProfileName("Anne Marie"), "Anne Marie");
    EXPECT_EQ(TrimProfileName("   "), "");
    EXPECT_EQ(TrimProfileName(""), "");
    EXPECT_TRUE(IsSafeProfileName(TrimProfileName("  Zo\xC3\xAB ")));
}

// typed (UTF-8) -> settings file (Latin-1 bytes) -> profile file name (UTF-8)
// -> the name listed again: every accepted name comes back unchanged.
TEST(ProfileName, AnAcceptedNameSurvivesSettingsFileAndFileName) {
    for (const std::string typed :
         {"Zo\xC3\xAB", "Con", "\xC3\x89lo\xC3\xAFse", "\xC3\x80\xC3\xBE"}) {
        SCOPED_TRACE(typed);
        ASSERT_TRUE(IsSafeProfileName(typed));
        std::string settingsBytes;
        ASSERT_TRUE(Utf8ToLatin1(typed, settingsBytes));
        EXPECT_EQ(static_cast<int>(settingsBytes.size()), CharCount(typed)) << "one byte each";
        const std::string fileName = Latin1ToUtf8(settingsBytes) + ".dat";
        EXPECT_EQ(fileName.substr(0, fileName.size() - 4), typed);
    }
}

}  // namespace
