// The game text table read from files in every encoding it accepts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Files.h"
#include "frame/Globals.h"
#include "media/GameText.h"
#include "support/FrameFixture.h"

namespace {

using Lines = std::vector<std::string>;

// UTF-16 code units of the text with a byte-order mark first.
std::string Utf16(const std::vector<unsigned>& units, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (unsigned unit : units) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

std::vector<unsigned> Units(const std::string& ascii) {
    return std::vector<unsigned>(ascii.begin(), ascii.end());
}

class GameTextTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        logEnabled_ = ErrorLogEnabled;
        ErrorLogEnabled = 0;
        Game->SetTextPath(home_.string());
    }
    void TearDown() override {
        ErrorLogEnabled = logEnabled_;
        FrameTest::TearDown();
    }
    TGameTextPtr ReadText(const std::string& bytes) {
        EXPECT_TRUE(SaveBytesSafely(Game->TextPath + "text.txt", bytes.data(), bytes.size()));
        return TGameText::Create("text.txt");
    }
    int logEnabled_ = 1;
};

TEST_F(GameTextTest, DecodesEveryEncodingToUtf8) {
    const std::string cafe = "Caf\xC3\xA9";       // UTF-8
    const std::string grin = "\xF0\x9F\x98\x80";  // U+1F600
    EXPECT_EQ(ReadText("[TEXT]\r\nGreeting\r\nCaf\xE9\r\n")->FindString("GREETING"), cafe);
    EXPECT_EQ(
        ReadText("\xEF\xBB\xBF[TEXT]\nGreeting\n" + cafe + grin + "\n")->FindString("greeting"),
        cafe + grin);

    std::vector<unsigned> units = Units("[text]\r\nGreeting\r\nCaf");
    for (unsigned unit : {0xE9u, 0xD83Du, 0xDE00u, 0xD800u, 0x41u, 0x0Du, 0x0Au})
        units.push_back(unit);
    // A lone high surrogate cannot be kept: it becomes the replacement character.
    const std::string expected = cafe + grin + "\xEF\xBF\xBD" + "A";
    EXPECT_EQ(ReadText(Utf16(units, false))->FindString("Greeting"), expected);
    EXPECT_EQ(ReadText(Utf16(units, true))->FindString("Greeting"), expected);
    // An odd byte at the end of UTF-16 text is dropped.
    EXPECT_EQ(ReadText(Utf16(Units("[TEXT]\nK\nv"), false) + "x")->FindString("K"), "v");
}

TEST_F(GameTextTest, EntriesKeepTheirLinesUpToTheNextHeader) {
    TGameTextPtr text = ReadText(
        "[TEXT]\nTwo\nline one\n\nline three\n\n[Text]\nnext\nsolo\n"
        "[TEXT]\n[TEXT]\nAfterEmpty\nkept\n[TEXT]\nTwo\nreplaced\n[TEXT]");
    EXPECT_EQ(text->Find("two"), (Lines{"replaced"}));
    EXPECT_EQ(text->Find("NEXT"), (Lines{"solo"}));
    EXPECT_EQ(text->FindString("afterempty"), "kept");
    EXPECT_EQ(text->Count(), 3);  // the headers without a key line are skipped
    EXPECT_EQ(text->FindString("missing"), "");
    EXPECT_TRUE(text->Find("missing").empty());

    text = ReadText("[TEXT]\nTwo\nline one\n\nline three\n\n[TEXT]\nOther\n\n");
    EXPECT_EQ(text->Find("TWO"), (Lines{"line one", "", "line three", ""}));
    EXPECT_EQ(text->FindString("two"), "line one\r\n\r\nline three\r\n");
    EXPECT_EQ(text->Find("OTHER"), (Lines{""}));
    // Reading again replaces the whole table.
    text->Read("text.txt");
    EXPECT_EQ(text->Count(), 2);

    // The game's table starts empty and is filled by reading.
    ASSERT_TRUE(GameText);
    GameText->Read("text.txt");
    EXPECT_EQ(GameText->FindString("OTHER"), "");
    EXPECT_TRUE(GameText->Contains("OTHER"));
    GameText->Clear();
}

TEST_F(GameTextTest, MissingHeaderOrFileIsFatal) {
    EXPECT_EQ(FatalMessageOf([&] { ReadText("Greeting\n[TEXT]\nKEY\nvalue\n"); }),
              "[TEXT] header not found");
    EXPECT_EQ(FatalMessageOf([&] { ReadText("[TEXT]\nKEY\nvalue\n[NOTES]\nx\n"); }),
              "[TEXT] header not found");
    EXPECT_EQ(FatalMessageOf([&] { TGameText::Create("absent.txt"); }),
              "Error loading file " + Game->TextPath + "absent.txt");
    // An empty file is an empty table.
    EXPECT_EQ(ReadText("")->Count(), 0);
}

TEST_F(GameTextTest, FindsTheFirstKeyTheTableLacks) {
    TGameTextPtr text = ReadText("[TEXT]\nButton OK\nOK\n[TEXT]\nEmpty\n");
    EXPECT_EQ(text->FirstMissingKey({"button ok", "EMPTY"}), "")
        << "any case; an empty text counts";
    EXPECT_EQ(text->FirstMissingKey({"Button OK", "Score", "Gold"}), "Score");
    EXPECT_EQ(ReadText("")->FirstMissingKey(GameTextKeys()), GameTextKeys().front());
}

}  // namespace
