// The shipped game text against the game that shows it: the file reads the
// way the loader reads it, holds every key the screens look up and none that
// would open a stray tip, keeps the layout rules the reader depends on, and
// every text fits where it is drawn, measured in the real fonts at the widths
// of the real dialog pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/Files.h"
#include "engine/Pixmap.h"
#include "engine/Strings.h"
#include "frame/Game.h"
#include "media/BitmapFont.h"
#include "media/GameText.h"
#include "media/TextShadow.h"
#include "support/FrameFixture.h"

namespace {

const std::string kData = HOLLOWMERE_DATA_DIR;

// A fitted caption may shrink to this fraction of its size and still read well.
constexpr double kSmallestShrink = 0.7;

// The shop's decorations, in the order of their purchase numbers.
const std::vector<std::string> kShopItems = Split(
    "Pumpkin1 Pumpkin2 Lantern1 Lantern2 Candelabra1 Candelabra2 Torch1 Torch2 Cat1 Cat2 Mist1 "
    "Mist2 PumpkinLights1 PumpkinLights2 Gravebed Brackenfold Cauldron CrossGravestone1 "
    "CrossGravestone2 Well1 Well2 Web1 Web2 Coffin1 Coffin2 Coffin3 Broomstick1 Broomstick2 "
    "Broomstick3 CurvedGravestone1 CurvedGravestone2 CurvedGravestone3 Tree1 Tree2 Tree3 Cage1 "
    "Cage2 Cage3",
    ' ');

constexpr int kStoryCount = 11, kFoundCount = 13, kShopMessageCount = 19;

// Levels whose tips the tutorial shows in place; a tip key of any other
// level or suffix opens a panel at the screen's corner with no arrow.
const std::vector<int> kStartTipLevels = {1, 2, 3, 4, 5, 6, 7, 9, 10, 13, 17};
const std::vector<int> kFollowUpTipLevels = {1, 2, 3, 6};
const std::vector<int> kNearlyDoneTipLevels = {1, 2, 3, 5, 6, 7};

std::vector<std::string> TipKeys(const std::vector<int>& levels, const std::string& suffix) {
    std::vector<std::string> keys;
    for (int level : levels) {
        const std::string stem = "Hint " + FromInt(level) + suffix;
        keys.push_back(stem + " Header");
        keys.push_back(stem + " Body");
    }
    return keys;
}

std::vector<std::string> TutorialKeys() {
    std::vector<std::string> keys = TipKeys(kStartTipLevels, "");
    for (const auto& more : {TipKeys(kFollowUpTipLevels, "b"), TipKeys(kNearlyDoneTipLevels, "c")})
        keys.insert(keys.end(), more.begin(), more.end());
    return keys;
}

std::vector<std::string> Numbered(const std::string& stem, int first, int last) {
    std::vector<std::string> keys;
    for (int n = first; n <= last; ++n)
        keys.push_back(stem + FromInt(n));
    return keys;
}

std::vector<std::string> StoryHeaders() {
    return Numbered("StoryMessageHeader", 1, kStoryCount);
}
std::vector<std::string> StoryBodies() {
    return Numbered("StoryMessageText", 1, kStoryCount);
}
std::vector<std::string> FoundHeaders() {
    return Numbered("FoundItemMessageHeader", 1, kFoundCount);
}
std::vector<std::string> FoundBodies() {
    return Numbered("FoundItemMessageText", 1, kFoundCount);
}
std::vector<std::string> ShopMessages() {
    return Numbered("ShopMessage", 0, kShopMessageCount - 1);
}
std::vector<std::string> Instructions() {
    return Numbered("Instructions ", 1, 4);
}
std::vector<std::string> ItemKeys(const std::string& stem) {
    std::vector<std::string> keys;
    for (const std::string& item : kShopItems)
        keys.push_back(stem + item);
    return keys;
}

// The keys the screens look up by name (the game refuses a text without
// them), and the numbered families.
std::vector<std::string> EveryKey() {
    std::vector<std::string> keys = GameTextKeys();
    for (const auto& group :
         {TutorialKeys(), Instructions(), ItemKeys("ShopItemName "), ItemKeys("ShopItemDesc "),
          StoryHeaders(), StoryBodies(), FoundHeaders(), FoundBodies(), ShopMessages()})
        keys.insert(keys.end(), group.begin(), group.end());
    return keys;
}

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}
bool EndsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Texts the screens split into lines themselves; every other text is drawn
// as one caption, where a line break shows as nothing and glues the words.
bool MayHoldLineBreaks(const std::string& upperKey) {
    static const std::set<std::string> kMultiLine = {
        "CREDITS",        "END GAME TEXT",  "INSTRUCTIONS 1",      "INSTRUCTIONS 2",
        "INSTRUCTIONS 3", "INSTRUCTIONS 4", "BUTTON CHANGE PLAYER"};
    return kMultiLine.count(upperKey) ||
           (StartsWith(upperKey, "HINT ") && EndsWith(upperKey, " BODY"));
}

std::string Quoted(const std::string& key) {
    return "\"" + key + "\"";
}

class GameTextContentTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        Game->SetTextPath(kData + "/text");
        const std::string fatal =
            FatalMessageOf([&] { text_ = TGameText::Create("gametext.txt"); });
        ASSERT_EQ(fatal, "") << "the loader rejects the game text";
        ASSERT_TRUE(text_);
    }

    std::string Text(const std::string& key) const { return text_->FindString(key); }

    TBitmapFont& Font(const std::string& name) {
        TBitmapFontPtr& font = fonts_[name];
        if (!font) font = TBitmapFont::Create(kData + "/fonts/" + name, -1, 1, 0);
        if (!font) throw std::runtime_error("the font " + name + " does not load");
        return *font;
    }

    static int PictureWidth(const std::string& file) {
        PixmapPtr picture = LoadPixmap(kData + "/graphics/" + file);
        EXPECT_TRUE(picture) << file;
        return picture ? picture->Width() : 0;
    }

    void ExpectGlyphs(const std::string& key, const std::string& text, const std::string& font) {
        const TBitmapFont& f = Font(font);
        size_t pos = 0;
        while (pos < text.size()) {
            const int code = NextCodePoint(text, pos);
            if (code == '\r' || code == '\n') continue;
            EXPECT_NE(f.GlyphIndex(code), 0)
                << Quoted(key) << " uses character " << code << ", which " << font << " lacks";
        }
    }

    // A caption drawn at `scale` and shrunk when it is wider than `width`.
    void ExpectTextFits(const std::string& key, const std::string& text, const std::string& font,
                        double width, double scale = 1.0) {
        ExpectGlyphs(key, text, font);
        const double drawn = Font(font).StringWidth(text) * scale;
        const double shrink = drawn > width ? width / drawn : 1.0;
        EXPECT_GE(shrink, kSmallestShrink) << Quoted(key) << " shrinks to " << shrink
                                           << " of its size to fit " << width << " px in " << font;
    }
    void ExpectFits(const std::string& key, const std::string& font, double width,
                    double scale = 1.0) {
        ExpectTextFits(key, Text(key), font, width, scale);
    }

    // A text drawn unscaled and unwrapped within `width`.
    void ExpectWithin(const std::string& key, const std::string& font, double width,
                      double scale = 1.0) {
        ExpectGlyphs(key, Text(key), font);
        EXPECT_LE(Font(font).StringWidth(Text(key)) * scale, width)
            << Quoted(key) << " is wider than " << width << " px in " << font;
    }

    // The lines of a text word-wrapped the way its label wraps it.
    std::vector<std::string> Wrapped(const std::string& text, const std::string& font, double width,
                                     double scale = 1.0) {
        Font(font);
        return WordWrapLines(SplitLines(text), width, fonts_[font], scale);
    }

    void ExpectTextLines(const std::string& key, const std::string& text, const std::string& font,
                         double width, size_t maxLines, double scale = 1.0) {
        ExpectGlyphs(key, text, font);
        const size_t lines = Wrapped(text, font, width, scale).size();
        EXPECT_LE(lines, maxLines) << Quoted(key) << " wraps to " << lines << " lines at " << width
                                   << " px in " << font << "; its place holds " << maxLines;
    }
    void ExpectLines(const std::string& key, const std::string& font, double width, size_t maxLines,
                     double scale = 1.0) {
        ExpectTextLines(key, Text(key), font, width, maxLines, scale);
    }

    TGameTextPtr text_;
    std::map<std::string, TBitmapFontPtr> fonts_;
};

TEST_F(GameTextContentTest, HoldsEveryKeyTheGameLooksUpAndNoStrayOnes) {
    const std::vector<std::string> expected = EveryKey();
    std::set<std::string> expectedUpper;
    for (const std::string& key : expected) {
        expectedUpper.insert(Upper(key));
        EXPECT_NE(Trim(Text(key)), "") << Quoted(key) << " is missing or empty";
    }
    ASSERT_EQ(expectedUpper.size(), 271u) << "the key list itself has duplicates";

    for (const std::string& key : text_->Keys()) {
        // An empty key would answer the lookups that ask for "" on purpose
        // (tally spacer rows, the shop messages' header, captionless buttons).
        EXPECT_NE(key, "") << "an entry has an empty key (a blank line after a header)";
        if (StartsWith(key, "HINT ")) {
            EXPECT_TRUE(expectedUpper.count(key))
                << Quoted(key) << " would open a tip panel in the corner with no arrow";
        } else {
            EXPECT_TRUE(expectedUpper.count(key)) << Quoted(key) << " is never looked up";
        }
    }
    EXPECT_EQ(text_->Count(), 271);
}

TEST_F(GameTextContentTest, KeepsTheLayoutRulesTheReaderAndLabelsDependOn) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(LoadBytes(kData + "/text/gametext.txt", bytes));
    const std::string decoded = DecodeTextFile(std::string(bytes.begin(), bytes.end()));
    std::vector<std::string> lines = SplitLines(decoded);
    if (!decoded.empty() && decoded.back() == '\n') lines.pop_back();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "[TEXT]") << "the first line must be the header";
    EXPECT_NE(lines.back(), "") << "blank lines at the end belong to the last text";
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!StartsWith(lines[i], "[")) continue;
        EXPECT_EQ(lines[i], "[TEXT]") << "line " << i + 1 << " begins with \"[\"";
        ASSERT_LT(i + 1, lines.size()) << "a header ends the file";
        EXPECT_EQ(lines[i + 1], Trim(lines[i + 1])) << "key line " << i + 2 << " has blanks";
        if (i > 0) {
            EXPECT_NE(lines[i - 1], "") << "blank line " << i << " is part of the text above";
        }
    }

    for (const std::string& key : text_->Keys()) {
        const std::vector<std::string> entry = text_->Find(key);
        if (!MayHoldLineBreaks(key)) {
            EXPECT_EQ(entry.size(), 1u)
                << Quoted(key) << " is drawn as one caption: no line breaks";
        }
        for (const std::string& line : entry) {
            EXPECT_LT(line.size(), 255u) << Quoted(key) << " has a line too long to draw";
            // Wrapping turns a double space into a forced line end.
            EXPECT_EQ(line.find("  "), std::string::npos) << Quoted(key) << " has a double space";
            EXPECT_EQ(line, Trim(line)) << Quoted(key) << " has blanks around \"" << line << "\"";
        }
        const bool hasPlaceholder = key == "LEVEL XX COMPLETE" || key == "REQUIRED PURCHASE";
        if (!hasPlaceholder) {
            EXPECT_EQ(text_->FindString(key).find("XX"), std::string::npos)
                << Quoted(key) << " would look like a placeholder";
        }
    }
    const std::string complete = Text("Level XX Complete");
    EXPECT_NE(complete.find("XX"), std::string::npos);
    EXPECT_EQ(complete.find("XXX"), std::string::npos) << "the level number replaces XX only";
    const std::string required = Text("Required Purchase");
    EXPECT_NE(required.find("XXX"), std::string::npos);
    EXPECT_EQ(Replace(required, "XXX", "").find("XX"), std::string::npos);
}

TEST_F(GameTextContentTest, EveryCaptionFitsItsButtonLabelOrHeader) {
    // Button captions, fitted to the width their button picture gives them.
    for (const char* key : {"Click Text", "Set Wallpaper Button"})
        ExpectFits(key, "Button", 320);
    for (const char* key :
         {"Button OK", "Button Yes", "Button No", "Button Cancel", "Button Create", "Button Delete",
          "Button Credits", "Button Back", "Button Menu", "Button Play"})
        ExpectFits(key, "Button", 124);
    for (const char* key :
         {"Button Timed", "Button Relaxed", "Continue", "Button resume", "Button restart",
          "Button Options", "Button Instructions", "Button save and exit"})
        ExpectFits(key, "Button", 220);
    ExpectFits("Button Play", "Button", 104, 0.7);  // the title's tilted sign
    ExpectFits("Button Options", "Button", 135);
    ExpectFits("Button Exit", "Button", 80);
    ExpectFits("button shop", "Button", 130, 0.8);
    ExpectFits("Button Map", "Button", 150);
    ExpectLines("Button Change Player", "Button", 145, 2, 0.9);

    // Dialog headers: fitted to their width, then drawn at 0.8.
    std::vector<std::string> headers = Split(
        "Error,Confirm,Player Manager Header,Enter Your Name,Level Replay,Wallpaper Done Header,"
        "purchase pumpkin,purchase coffin",
        ',');
    for (const auto& group : {StoryHeaders(), FoundHeaders(), ItemKeys("ShopItemName ")})
        headers.insert(headers.end(), group.begin(), group.end());
    for (const std::string& key : headers)
        ExpectFits(key, "DialogHeader", 350);
    ExpectTextFits("Level XX Complete", Replace(Text("Level XX Complete"), "XX", "100"),
                   "DialogHeader", 350);
    ExpectFits("Choose Mode", "DialogHeader", 314);
    ExpectFits("Map Header", "DialogHeader", 366);

    // Tip panel headers and the goal arrow's label.
    const int tipWidth = PictureWidth("Hints/TipWithClose.png");
    for (const std::string& key : TutorialKeys()) {
        if (EndsWith(key, "Header")) ExpectFits(key, "Button", tipWidth - 120);
    }
    ExpectFits("Hint Magic Header", "Button", tipWidth - 120);
    ExpectFits("Goal Tip", "GUIFontSmall", PictureWidth("Hints/ArrowThin.png") - 20);

    // Labels with a number after them, and the big status words.
    ExpectTextFits("Level", Text("Level") + " 100", "GUIFont", 130);       // the map
    ExpectTextFits("Level", Text("Level") + " 100", "GUIFontSmall", 118);  // the play screen
    for (const char* key : {"No More Moves", "Time Up"})
        ExpectFits(key, "BigText", 840);
    ExpectFits("Button Timed", "Embossed", 90);  // the map's check box
    for (const char* key : {"Options Full Screen", "Options Show Tips", "Options Widescreen",
                            "Options Custom Cursor"})
        ExpectFits(key, "Embossed", 216);

    // Texts drawn as they are, within the room their screen leaves.
    ExpectWithin("Options Music", "Embossed", 284);  // the slider below it
    ExpectWithin("Options Sound", "Embossed", 284);
    ExpectWithin("Gold", "GUIFontSmall", 68);  // right-aligned at x 68
    ExpectWithin("Score", "GUIFontSmall", 150);
    for (const char* key : {"Level Score", "Time Taken", "Time Left", "Gold tiles", "Golden Skulls",
                            "Gold coins", "Gold Bonus", "Total Gold"})
        ExpectWithin(key, "GUIFont", 184);  // wider labels push the tally's columns aside
    ExpectWithin("Options Header", "DialogHeader", 350);
    ExpectWithin("Paused", "DialogHeader", 314, 0.75);  // the plaque of the pause panel
    ExpectWithin("Instructions Header", "DialogHeader", 350, 0.8);
    ExpectWithin("End Game Header", "DialogHeader", 909 - 115);  // the ending's black box
    // The title greets the player on one line above the name.
    ExpectLines("Welcome", "GUIFontSmall", 160, 1, 0.9);

    // The purchase rows: label, space and the widest value, centred in the dialog.
    TBitmapFont& gui = Font("GUIFont");
    for (const char* key : {"Price", "Available", "Free"})
        ExpectGlyphs(key, Text(key), "GUIFont");
    const double rows =
        std::max(gui.StringWidth(Text("Price")), gui.StringWidth(Text("Available"))) +
        gui.StringWidth(" ") + std::max(gui.StringWidth(Text("Free")), gui.StringWidth("99999"));
    EXPECT_LE(rows, PictureWidth("Dialogs/Dialog.png") - 100) << "the price rows";
}

TEST_F(GameTextContentTest, EveryWrappedTextStaysWithinTheLinesItsPlaceHolds) {
    const int message = PictureWidth("Dialogs/MessageDialog.png") - 100;
    const int oldLady = PictureWidth("Dialogs/Old Lady Dialog.png") - 100;
    const int purchase = PictureWidth("Dialogs/Dialog.png") - 100;
    const int tip = PictureWidth("Hints/TipWithClose.png") - 80;

    // Story and found messages: three lines fit between the picture and the
    // OK button; more would switch the dialog to the small font.
    std::vector<std::string> messageBodies = {"Wallpaper Done"};
    for (const auto& group : {StoryBodies(), FoundBodies()})
        messageBodies.insert(messageBodies.end(), group.begin(), group.end());
    for (const std::string& key : messageBodies)
        ExpectLines(key, "GUIFont", message, 3);
    // Error, confirm and notice bodies sit between the header and the buttons.
    for (const char* key :
         {"Cannot Create", "Cannot Delete", "Confirm Delete", "Profile Exists", "Name Not Allowed",
          "Name Letters", "Set Wallpaper Question", "Level Replay Body", "purchase pumpkin text",
          "purchase coffin text", "Wallpaper Failed"})
        ExpectLines(key, "GUIFont", message, 4);
    // Granny's board, under her picture and above the buttons.
    for (const std::string& key : ShopMessages())
        ExpectLines(key, "GUIFont", oldLady, 5);
    ExpectLines("Game Exit", "GUIFont", oldLady, 5);
    ExpectLines("Choose Mode Dialog", "GUIFont", PictureWidth("Dialogs/InGameMenu.png") - 200, 6);

    // The purchase dialog: the picture above, the price rows below.
    for (const std::string& key : ItemKeys("ShopItemDesc "))
        ExpectLines(key, "GUIFontSmall", purchase, 3);
    std::string widestName;
    for (const std::string& key : ItemKeys("ShopItemName ")) {
        if (Font("GUIFont").StringWidth(Text(key)) > Font("GUIFont").StringWidth(widestName))
            widestName = Text(key);
    }
    ExpectTextLines("Required Purchase", Replace(Text("Required Purchase"), "XXX", widestName),
                    "GUIFont", purchase, 3);

    // Tip panels lay out one to four lines.
    std::vector<std::string> tipBodies = {"Hint Magic Body"};
    for (const std::string& key : TutorialKeys()) {
        if (EndsWith(key, "Body")) tipBodies.push_back(key);
    }
    for (const std::string& key : tipBodies)
        ExpectLines(key, "GUIFontSmall", tip, 4);

    // The instructions: the upper two texts end above the lower panels.
    const std::map<std::string, size_t> instructionLines = {
        {"Instructions 1", 3}, {"Instructions 2", 3}, {"Instructions 3", 5}, {"Instructions 4", 5}};
    for (const auto& [key, maxLines] : instructionLines)
        ExpectLines(key, "GUIFont", 340, maxLines);

    // The credits: headers keep their colour only on one line.
    for (const std::string& line : text_->Find("credits")) {
        if (StartsWith(line, "*"))
            ExpectTextLines("credits header " + line, line.substr(1), "GUIFont", 450, 1);
    }
    ExpectGlyphs("credits", Text("credits"), "GUIFont");

    // The ending runs down from y 165 inside its black box.
    TBitmapFont& small = Font("GUIFontSmall");
    const int lineGap = static_cast<int>(small.StringHeight(small.TestString));
    const size_t endLines = Wrapped(Text("End Game Text"), "GUIFontSmall", 700).size();
    EXPECT_LE(165 + static_cast<int>(endLines) * lineGap, 640)
        << "\"End Game Text\" runs out of its box: " << endLines << " lines";
    ExpectGlyphs("End Game Text", Text("End Game Text"), "GUIFontSmall");
}

}  // namespace
