#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>

#include "engine/Strings.h"

namespace {

TEST(Strings, SlicesUseOneBasedPositions) {
    EXPECT_EQ(Left("hello", 2), "he");
    EXPECT_EQ(Left("hello", 9), "hello");
    EXPECT_EQ(Left("hello", -1), "");
    EXPECT_EQ(Right("hello", 3), "llo");
    EXPECT_EQ(Right("hello", 9), "hello");
    EXPECT_EQ(Right("hello", 0), "");
    EXPECT_EQ(Mid("hello", 2, 3), "ell");
    EXPECT_EQ(Mid("hello", 2), "ello");
    EXPECT_EQ(Mid("hello", 4, 10), "lo");
    EXPECT_EQ(Mid("hello", 6), "");
    EXPECT_EQ(Mid("hello", 0, 2), "h");  // the part before the start is cut off
    EXPECT_EQ(Mid("hello", INT_MAX, INT_MAX), "");

    EXPECT_EQ(Instr("abcabc", "bc"), 2);
    EXPECT_EQ(Instr("abcabc", "bc", 3), 5);
    EXPECT_EQ(Instr("abcabc", "bc", 5), 5);
    EXPECT_EQ(Instr("abcabc", "bc", 6), 0);
    EXPECT_EQ(Instr("abcabc", "x"), 0);
    EXPECT_EQ(Instr("abcabc", "a", -4), 1);
    EXPECT_EQ(Instr("abc", ""), 0);

    EXPECT_EQ(Replace("a-b-c", "-", "--"), "a--b--c");
    EXPECT_EQ(Replace("aaa", "aa", "b"), "ba");
    EXPECT_EQ(Replace("abc", "", "x"), "abc");
    EXPECT_EQ(Split("a,,b", ','), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(Split("a,", ','), (std::vector<std::string>{"a", ""}));
}

TEST(Strings, CaseAndTrimTouchOnlyAscii) {
    const std::string accented = "\xC3\xA9";  // e with an acute accent
    EXPECT_EQ(Upper("abz AZ 09 " + accented), "ABZ AZ 09 " + accented);
    EXPECT_EQ(Lower("ABZ az " + accented), "abz az " + accented);
    EXPECT_EQ(Trim(" \t\r\n x y \x01\x1f"), "x y");
    EXPECT_EQ(Trim(accented + " "), accented);  // bytes >= 0x80 are text
    EXPECT_EQ(Trim("   "), "");
}

TEST(Strings, Utf8EncodesAndDecodesWithoutEverFailing) {
    for (int code : {0x41, 0xE9, 0x7FF, 0x800, 0x20AC, 0xFFFF, 0x10000, 0x1F600, 0x10FFFF}) {
        std::string text = Chr(code);
        size_t pos = 0;
        EXPECT_EQ(NextCodePoint(text, pos), code);
        EXPECT_EQ(pos, text.size());
        EXPECT_EQ(Asc(text + "tail"), code);
    }
    EXPECT_EQ(Chr(0x20AC), "\xE2\x82\xAC");
    EXPECT_EQ(Chr(0x110000), "");
    EXPECT_EQ(Chr(-1), "");
    EXPECT_EQ(Chr(0xD800), "");
    EXPECT_EQ(Asc(""), 0);

    // Lone continuation bytes, a truncated sequence, an overlong form and a
    // Latin-1 letter each decode as one byte of their own value.
    const std::string bad = std::string("\x80") + "\xE2\x82" + "\xC0\xAF" + "\xE9";
    std::vector<int> codes;
    for (size_t pos = 0; pos < bad.size();)
        codes.push_back(NextCodePoint(bad, pos));
    EXPECT_EQ(codes, (std::vector<int>{0x80, 0xE2, 0x82, 0xC0, 0xAF, 0xE9}));
    size_t end = bad.size();
    EXPECT_EQ(NextCodePoint(bad, end), 0);
    EXPECT_EQ(end, bad.size());
}

// Names live in the settings file one byte per character and on disk as
// UTF-8 file names: every Latin-1 byte survives the trip both ways, and text
// that one byte cannot hold is refused rather than mangled.
TEST(Strings, Latin1AndUtf8ConvertBothWaysWithoutLoss) {
    std::string allBytes;
    for (int byte = 1; byte < 256; ++byte)
        allBytes += static_cast<char>(byte);
    const std::string utf8 = Latin1ToUtf8(allBytes);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(CharCount(utf8), 255);
    std::string back;
    ASSERT_TRUE(Utf8ToLatin1(utf8, back));
    EXPECT_EQ(back, allBytes);

    EXPECT_EQ(Latin1ToUtf8("Zo\xEB"), "Zo\xC3\xAB");
    std::string latin1 = "kept";
    EXPECT_FALSE(Utf8ToLatin1("\xC5\x81ucja", latin1)) << "L with stroke is U+0141";
    EXPECT_FALSE(Utf8ToLatin1("a\xE2\x82\xAC", latin1)) << "the euro sign is U+20AC";
    EXPECT_FALSE(Utf8ToLatin1("Zo\xEB", latin1)) << "a raw Latin-1 byte is not UTF-8";
    EXPECT_FALSE(Utf8ToLatin1("\xC0\xAF", latin1)) << "overlong form";
    EXPECT_EQ(latin1, "kept") << "a refused text leaves the output alone";

    // Counting and cutting go by whole characters.
    const std::string name = "\xC3\x89lo\xC3\xAFse";  // E acute, l, o, i diaeresis, s, e
    EXPECT_EQ(CharCount(name), 6);
    EXPECT_EQ(LeftChars(name, 1), "\xC3\x89");
    EXPECT_EQ(LeftChars(name, 4), "\xC3\x89lo\xC3\xAF");
    EXPECT_EQ(LeftChars(name, 0), "");
    EXPECT_EQ(LeftChars(name, 99), name);
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));
    EXPECT_TRUE(IsValidUtf8(""));

    // A name's first letter in upper case: ASCII and Latin-1 letters only.
    EXPECT_EQ(UpperFirstChar("bob"), "Bob");
    EXPECT_EQ(UpperFirstChar("\xC3\xA9mile"), "\xC3\x89mile");
    EXPECT_EQ(UpperFirstChar("\xC3\x9F"), "\xC3\x9F") << "sharp s has no capital in Latin-1";
    EXPECT_EQ(UpperFirstChar("\xC3\xBF"), "\xC3\xBF") << "nor has y with diaeresis";
    EXPECT_EQ(UpperFirstChar("\xC3\xB7x"), "\xC3\xB7x") << "the division sign is no letter";
    EXPECT_EQ(UpperFirstChar("1a"), "1a");
    EXPECT_EQ(UpperFirstChar(""), "");
}

TEST(Strings, NumbersParseLikeTheSettingsFiles) {
    EXPECT_EQ(ToInt("42"), 42);
    EXPECT_EQ(ToInt("  \t-17xyz"), -17);
    EXPECT_EQ(ToInt("+8"), 8);
    EXPECT_EQ(ToInt("abc"), 0);
    EXPECT_EQ(ToInt("- 5"), 0);
    EXPECT_EQ(ToInt(""), 0);
    EXPECT_EQ(ToInt("2147483647"), INT_MAX);
    EXPECT_EQ(ToInt("-2147483648"), INT_MIN);
    EXPECT_EQ(ToInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ToInt("-99999999999999999999"), INT_MIN);

    EXPECT_DOUBLE_EQ(ToDouble("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(ToDouble(" -.5"), -0.5);
    EXPECT_DOUBLE_EQ(ToDouble("+2."), 2.0);
    EXPECT_DOUBLE_EQ(ToDouble("3e2"), 300.0);
    EXPECT_DOUBLE_EQ(ToDouble("4e"), 4.0);
    EXPECT_DOUBLE_EQ(ToDouble("7.25kg"), 7.25);
    EXPECT_EQ(ToDouble("."), 0.0);
    EXPECT_EQ(ToDouble("nan"), 0.0);
    EXPECT_EQ(ToDouble("1e999"), DBL_MAX);
    EXPECT_EQ(ToDouble("-1e999"), -DBL_MAX);
    EXPECT_EQ(ToDouble("1e-999"), 0.0);
    EXPECT_EQ(ToDouble("0.5e99999999999"), DBL_MAX);

    EXPECT_EQ(FromInt(-1234567890123LL), "-1234567890123");
    EXPECT_EQ(FromFloat(0.5), "0.500000");
    EXPECT_EQ(FromFloat(-2.25), "-2.250000");
    EXPECT_EQ(FromFloat(1.0 / 3.0), "0.333333");
}

TEST(Strings, FloatToIntConversionsSaturate) {
    EXPECT_EQ(TruncToInt(2.9), 2);
    EXPECT_EQ(TruncToInt(-2.9), -2);
    EXPECT_EQ(TruncToInt(1e20), INT_MAX);
    EXPECT_EQ(TruncToInt(-1e20), INT_MIN);
    EXPECT_EQ(TruncToInt(std::numeric_limits<double>::infinity()), INT_MAX);
    EXPECT_EQ(TruncToInt(std::nan("")), 0);
    EXPECT_EQ(Nearest(2.5), 3);
    EXPECT_EQ(Nearest(-2.5), -2);
    EXPECT_EQ(Nearest(-2.6), -3);
    EXPECT_EQ(Nearest(1e300), INT_MAX);
}

TEST(Strings, TrigonometryWorksInDegrees) {
    EXPECT_NEAR(Sin(30), 0.5, 1e-12);
    EXPECT_NEAR(Cos(60), 0.5, 1e-12);
    EXPECT_NEAR(Tan(45), 1.0, 1e-12);
    EXPECT_NEAR(ASin(0.5), 30.0, 1e-9);
    EXPECT_NEAR(ACos(0.5), 60.0, 1e-9);
    EXPECT_NEAR(ATan(1.0), 45.0, 1e-9);
    EXPECT_NEAR(ATan2(1.0, -1.0), 135.0, 1e-9);
    EXPECT_NEAR(ATan2(-1.0, 0.0), -90.0, 1e-9);
    // Rounding noise just outside -1..1 must not give NaN.
    EXPECT_DOUBLE_EQ(ACos(1.0000000001), 0.0);
    EXPECT_DOUBLE_EQ(ASin(-1.0000000001), -90.0);
}

}  // namespace
