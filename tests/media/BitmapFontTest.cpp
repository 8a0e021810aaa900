// Bitmap fonts read from a small font written by the test (a fixed-column
// .fnt description and a page of solid glyph rectangles), measured and drawn
// on the headless renderer; labels that use them.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/Files.h"
#include "engine/Graphics.h"
#include "engine/Strings.h"
#include "frame/Globals.h"
#include "media/BitmapFont.h"
#include "media/Label.h"
#include "media/TextShadow.h"
#include "support/Fatal.h"
#include "support/Headless.h"

using headless::Blue;
using headless::Green;
using headless::Red;

namespace {

struct Glyph {
    int id, x, y, w, h, xOffset, yOffset, xAdvance;
};

// Page 64 x 16. "A" sets the draw offset: DrawOffsetY = -2.
const std::vector<Glyph> kGlyphs = {
    {65, 0, 0, 8, 10, 1, 2, 10},  // A
    {66, 8, 0, 6, 14, 0, 0, 8},   // B: the tallest, 12 below the line top
    {32, 0, 0, 0, 0, 0, 0, 5},    // space
    {97, 14, 0, 4, 6, 0, 6, 5},   // a
    {98, 18, 0, 4, 10, 0, 2, 5},  // b
    {233, 22, 0, 4, 8, 0, 4, 5},  // e acute
    {300, 26, 0, 4, 4, 0, 0, 6}, {9786, 30, 0, 5, 5, 0, 0, 7},
};
const std::string kScaleLine = "scaleF=1.0";
const std::string kCommonLine =
    "common lineHeight=16 base=12 scaleW=64   scaleH=16   pages=1 packed=0";

std::string GlyphLine(const Glyph& g) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "char id=%-4d x=%-5d y=%-5d width=%-5d height=%-5d xoffset=%-5d yoffset=%-5d "
                  "xadvance=%-5d page=0  chnl=15",
                  g.id, g.x, g.y, g.w, g.h, g.xOffset, g.yOffset, g.xAdvance);
    return line;
}

// Bounding box of the pixels that pass the test.
struct Box {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
};
template <typename Lit>
Box FindBox(const TPixmap& frame, int x0, int y0, int x1, int y1, Lit lit) {
    Box box;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            if (!lit(frame.ReadPixel(x, y))) continue;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x);
            box.bottom = std::max(box.bottom, y);
        }
    }
    return box;
}
bool Bright(uint32_t p) {
    return Red(p) > 128;
}
Box BrightBox(int x0, int y0, int x1, int y1) {
    PixmapPtr frame = headless::ReadFrame();
    return frame ? FindBox(*frame, x0, y0, x1, y1, Bright) : Box{};
}

class BitmapFontTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        std::string pattern = ::testing::TempDir() + "hollowmere_font_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        logEnabled_ = ErrorLogEnabled;
        ErrorLogEnabled = 0;
    }
    void TearDown() override {
        DeleteDir(root_, true);
        ErrorLogEnabled = logEnabled_;
        SetTextShadow(1.0f, 1.0f, 0.5f);
        TextAlpha = 1.0f;
        HeadlessTest::TearDown();
    }

    // Writes name.png and name.fnt; returns the path without extension.
    std::string WriteFont(const std::string& name, const std::vector<std::string>& glyphLines,
                          const std::string& firstLine = kScaleLine) {
        PixmapPtr page = TPixmap::Create(64, 16);
        page->ClearPixels(0);
        for (const Glyph& g : kGlyphs) {
            for (int y = g.y; y < g.y + g.h; ++y)
                for (int x = g.x; x < g.x + g.w; ++x)
                    page->WritePixel(x, y, 0xFFFFFFFFu);
        }
        const std::string path = root_ + "/" + name;
        EXPECT_TRUE(SavePixmapPNG(*page, path + ".png", 1));
        std::string text;
        if (!firstLine.empty()) text += firstLine + "\r\n";
        text += "info face=\"Test\" size=16 bold=0 unicode=1 padding=0,0,0,0 spacing=1,1\r\n";
        text += kCommonLine + "\r\npage id=0 file=\"" + name + ".png\"\r\nchars count=8\r\n";
        for (const std::string& line : glyphLines)
            text += line + "\r\n";
        text += "kernings count=1\r\nkerning first=65  second=66  amount=-1\r\n";
        EXPECT_TRUE(SaveTextSafely(path + ".fnt", text));
        return path;
    }
    static std::vector<std::string> StandardLines() {
        std::vector<std::string> lines;
        for (const Glyph& g : kGlyphs)
            lines.push_back(GlyphLine(g));
        return lines;
    }
    TBitmapFontPtr StandardFont() {
        TBitmapFontPtr font = TBitmapFont::Create(WriteFont("standard", StandardLines()));
        EXPECT_TRUE(font);
        return font;
    }
    void StartFrame(int r, int g, int b) {
        SetClsColor(r, g, b);
        Cls();
        SetBlend(ALPHABLEND);
        SetColor(255, 255, 255);
    }

    std::string root_;
    int logEnabled_ = 1;
    ThrowingFatalErrors fatalErrors_;
};

TEST_F(BitmapFontTest, ReadsDescriptionWithAndWithoutScaleLine) {
    TBitmapFontPtr font = StandardFont();
    ASSERT_TRUE(font);
    EXPECT_EQ(font->NumChars, 8);
    EXPECT_EQ(font->NumExtraChars, 2);
    EXPECT_DOUBLE_EQ(font->TextureW, 64);
    EXPECT_DOUBLE_EQ(font->TextureH, 16);
    EXPECT_EQ(font->DrawOffsetY, -2);
    EXPECT_DOUBLE_EQ(font->xPos['B'], 8);
    EXPECT_DOUBLE_EQ(font->height['B'], 14);
    EXPECT_DOUBLE_EQ(font->xOffset['A'], 1);
    EXPECT_DOUBLE_EQ(font->xAdvance[233], 5);
    // Codes of 256 and above follow each other from 256 in file order.
    EXPECT_EQ(font->ID[256], 300);
    EXPECT_EQ(font->ID[257], 9786);
    EXPECT_EQ(font->FindChar(9786), 257);
    EXPECT_EQ(font->FindChar(1234), 0);
    EXPECT_DOUBLE_EQ(font->StringWidth(Chr(300) + Chr(9786) + Chr(1234)), 13);

    // Without the scale line the info line is the one consumed first.
    TBitmapFontPtr plain = TBitmapFont::Create(WriteFont("plain", StandardLines(), ""));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->NumChars, 8);
    EXPECT_DOUBLE_EQ(plain->ScaleFactor, 1.0);
    EXPECT_DOUBLE_EQ(plain->TextureW, 64);
    EXPECT_DOUBLE_EQ(plain->width['A'], 8);

    TBitmapFontPtr doubled =
        TBitmapFont::Create(WriteFont("doubled", StandardLines(), "ScaleF=2.0"), -1, 0, 3);
    ASSERT_TRUE(doubled);
    EXPECT_DOUBLE_EQ(doubled->ScaleFactor, 2.0);
    EXPECT_DOUBLE_EQ(doubled->yOffset['A'], 5);  // the y adjustment is added
    EXPECT_EQ(doubled->DrawOffsetY, -5);
    EXPECT_EQ(doubled->CalcVRAM(), 64 * 4 * 16);
}

TEST_F(BitmapFontTest, ManyExtraGlyphsGrowTheArrays) {
    std::vector<std::string> lines = StandardLines();
    for (int i = 0; i < 160; ++i)
        lines.push_back(GlyphLine({1000 + i, 0, 0, 8, 10, 0, 0, 3}));
    TBitmapFontPtr font = TBitmapFont::Create(WriteFont("many", lines));
    ASSERT_TRUE(font);
    EXPECT_EQ(font->NumExtraChars, 162);
    EXPECT_EQ(font->ArraySize, 506);
    EXPECT_EQ(font->width.size(), 506u);
    EXPECT_EQ(font->FindChar(1159), 256 + 161);
    EXPECT_DOUBLE_EQ(font->xAdvance[font->FindChar(1159)], 3);
}

TEST_F(BitmapFontTest, GlyphIdsAreReadWholeUpToTheLastCharacterCode) {
    std::vector<std::string> lines = StandardLines();
    for (int id : {128512, 0x10FFFF, 0x110000, 2000000000})
        lines.push_back(GlyphLine({id, 0, 0, 8, 10, 0, 0, 4}));
    lines.push_back("char id=99999999999 x=0 y=0 width=8 height=10 xoffset=0 yoffset=0 xadvance=4");
    TBitmapFontPtr font = TBitmapFont::Create(WriteFont("wide ids", lines));
    ASSERT_TRUE(font);
    EXPECT_EQ(font->NumChars, 10) << "ids beyond U+10FFFF are skipped";
    EXPECT_EQ(font->ID[258], 128512);
    EXPECT_EQ(font->GlyphIndex(128512), 258);
    EXPECT_EQ(font->GlyphIndex(12851), 0) << "the id cut to five digits";
    EXPECT_EQ(font->GlyphIndex(0x10FFFF), 259);
    EXPECT_DOUBLE_EQ(font->StringWidth(Chr(128512) + "A"), 14);
}

TEST_F(BitmapFontTest, DamagedLinesAreSkippedAndMissingFilesAreFatal) {
    std::vector<std::string> lines = {
        GlyphLine({67, 60, 0, 8, 10, 0, 0, 9}),  // off the page
        GlyphLine({68, 0, 0, -4, 10, 0, 0, 9}),  // negative size
        GlyphLine({-5, 0, 0, 4, 4, 0, 0, 9}),    // negative id
        "char id=69   x=0     y=0     width=",   // cut short
        "garbage line without fields",
        "",
        // Longer than 255 characters, fields spread far apart.
        "char id=70   x=0" + std::string(300, ' ') + "y=0 width=8 height=10 xoffset=0 " +
            std::string(200, ' ') + "yoffset=0 xadvance=4",
    };
    for (const std::string& line : StandardLines())
        lines.push_back(line);
    TBitmapFontPtr font = TBitmapFont::Create(WriteFont("damaged", lines));
    ASSERT_TRUE(font);
    EXPECT_EQ(font->NumChars, 9);
    for (int code : {67, 68, 69})
        EXPECT_EQ(font->GlyphIndex(code), 0) << code;
    EXPECT_EQ(font->GlyphIndex('F'), 'F');
    EXPECT_DOUBLE_EQ(font->StringWidth("FCDA"), 14);  // glyph-less characters take no room

    // Every truncation of a description loads without crashing, or, with
    // no glyph left, is refused as damaged.
    std::string whole;
    ASSERT_TRUE(LoadText(root_ + "/damaged.fnt", whole));
    int refused = 0;
    for (size_t length = 0; length < whole.size(); length += 37) {
        ASSERT_TRUE(SaveTextSafely(root_ + "/damaged.fnt", whole.substr(0, length)));
        TBitmapFontPtr cut;
        const std::string fatal =
            FatalMessageOf([&] { cut = TBitmapFont::Create(root_ + "/damaged"); });
        if (fatal.empty()) {
            ASSERT_TRUE(cut) << length;
            EXPECT_GT(cut->NumChars, 0) << length;
        } else {
            EXPECT_EQ(fatal, "Error loading file " + root_ + "/damaged.fnt (no glyphs)") << length;
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);

    EXPECT_EQ(FatalMessageOf([&] { TBitmapFont::Create(root_ + "/none"); }),
              "Error loading bitmap " + root_ + "/none.png");
    ASSERT_TRUE(DeleteFile(root_ + "/damaged.fnt"));
    EXPECT_EQ(FatalMessageOf([&] { TBitmapFont::Create(root_ + "/damaged"); }),
              "Error loading file " + root_ + "/damaged.fnt");
}

TEST_F(BitmapFontTest, ADescriptionWithoutGlyphsIsFatal) {
    const std::string path = WriteFont("empty", StandardLines());
    const std::string expected = "Error loading file " + path + ".fnt (no glyphs)";
    std::string randomBytes;
    for (int i = 0; i < 2000; ++i)
        randomBytes += static_cast<char>((i * 7919 + 13) % 251);
    const std::string headersOnly = kScaleLine + "\r\n" + kCommonLine + "\r\nchars count=0\r\n";
    for (const std::string& contents : {std::string(), randomBytes, headersOnly}) {
        ASSERT_TRUE(SaveTextSafely(path + ".fnt", contents));
        EXPECT_EQ(FatalMessageOf([&] { TBitmapFont::Create(path); }), expected)
            << contents.size() << " bytes";
    }
}

TEST_F(BitmapFontTest, MeasuresWidthHeightAndTruncation) {
    TBitmapFontPtr font = StandardFont();
    ASSERT_TRUE(font);
    EXPECT_DOUBLE_EQ(font->StringWidth(""), 0);
    EXPECT_DOUBLE_EQ(font->StringWidth("AB"), 18);
    font->CharGap = 5;
    EXPECT_DOUBLE_EQ(font->StringWidth("A"), 10);  // no gap after the last character
    EXPECT_DOUBLE_EQ(font->StringWidth("AB"), 23);
    EXPECT_EQ(font->TruncateString("AAAA", 25), "AA");
    EXPECT_EQ(font->TruncateString("AAAA", 24), "A");
    font->CharGap = 0;
    // UTF-8 characters are kept whole.
    EXPECT_EQ(font->TruncateString("\xC3\xA9\xC3\xA9\xC3\xA9", 12), "\xC3\xA9\xC3\xA9");
    EXPECT_DOUBLE_EQ(font->CalcReducedScale("AAAA", 20), 0.5);
    EXPECT_DOUBLE_EQ(font->CalcReducedScale("A", 20), 1.0);

    // Accurate height: the lowest glyph bottom below the line top.
    EXPECT_DOUBLE_EQ(font->StringHeight("A"), 10);
    EXPECT_DOUBLE_EQ(font->StringHeight("AB"), 12);
    EXPECT_DOUBLE_EQ(font->StringHeightVertical("A B"), 10 + 3.75 + 14);
    AccurateHeight = 0;
    EXPECT_DOUBLE_EQ(font->StringHeight("AB "), 12);  // average of the glyphs with a height
    AccurateHeight = 1;

    font->ScaleFactor = 2;
    EXPECT_DOUBLE_EQ(font->StringWidth("AB"), 36);
    EXPECT_DOUBLE_EQ(font->StringHeight("AB"), 24);
    EXPECT_EQ(font->TruncateString("AAAA", 20), "AA");  // maxWidth x ScaleFactor

    // A text of any length measures in full.
    font->ScaleFactor = 1;
    EXPECT_DOUBLE_EQ(font->StringWidth(std::string(1000, 'A')), 10000);
}

TEST_F(BitmapFontTest, WordWrapsAtTheGivenWidth) {
    TBitmapFontPtr font = StandardFont();
    ASSERT_TRUE(font);
    using Lines = std::vector<std::string>;
    EXPECT_EQ(WordWrapLines({"a b"}, 7, font, 1), (Lines{"a", "b"}));
    EXPECT_EQ(WordWrapLines({"a b"}, 15, font, 1), (Lines{"a b"}));
    EXPECT_EQ(WordWrapLines({"a b"}, 15, font, 2), (Lines{"a", "b"}));
    EXPECT_EQ(WordWrapLines({"aaaaaaaa"}, 7, font, 1), (Lines{"aaaaaaaa"}));
    EXPECT_EQ(WordWrapLines(SplitLines("a  b\r\n\r\nab"), 100, font, 1), (Lines{"a b", "", "ab"}));
    // Without a bitmap font the built-in font measures (8 pixels a character).
    EXPECT_EQ(WordWrapLines({"a b"}, 20, nullptr, 1), (Lines{"a", "b"}));
    EXPECT_EQ(WordWrapLines({"a b"}, 24, nullptr, 1), (Lines{"a b"}));
}

TEST_F(BitmapFontTest, PlacesTextByAlignmentOnScreen) {
    TBitmapFontPtr font = StandardFont();
    ASSERT_TRUE(font);
    StartFrame(0, 0, 0);
    // "AB" is 18 wide; A sits 1 right of the pen and on the line top, B 2 above.
    font->DrawAligned("AB", 100, 50, 0, 1, 1);
    font->DrawAligned("AB", 300, 50, 1, 1, 1);
    font->DrawAligned("AB", 500, 50, 2, 1, 1);
    font->DrawAligned("AB", 700, 50, 3, 1, 1);  // the line height 12 centred too
    font->DrawAligned("AB", 900, 50, 7, 1, 1);  // unknown alignment: nothing
    struct Expected {
        int from, left, top, right;
    };
    for (Expected e : {Expected{0, 101, 48, 115}, Expected{200, 292, 48, 306},
                       Expected{400, 483, 48, 497}, Expected{600, 692, 42, 706}}) {
        const Box box = BrightBox(e.from, 0, e.from + 199, 100);
        EXPECT_EQ(box.left, e.left) << e.from;
        EXPECT_EQ(box.top, e.top) << e.from;
        EXPECT_EQ(box.right, e.right) << e.from;
        EXPECT_EQ(box.bottom, e.top + 13) << e.from;
    }
    EXPECT_EQ(BrightBox(800, 0, 1000, 100).right, -1);

    // Vertical text stacks glyphs down the page by their drawn heights.
    font->Draw("AB", 100, 200, 0, 0, 1, 1, 0, 0, 1);
    const Box vertical = BrightBox(0, 150, 199, 300);
    EXPECT_EQ(vertical.top, 200);
    EXPECT_EQ(vertical.bottom, 200 + 10 + 14 - 1);
    EXPECT_EQ(vertical.left, 100);

    // A text longer than 255 characters is drawn to its end.
    font->CharGap = -7;
    font->Draw(std::string(300, 'A'), 0, 400, 0, 0, 1, 1);
    EXPECT_EQ(BrightBox(0, 390, 1023, 420).right, 299 * 3 + 1 + 7);
}

TEST_F(BitmapFontTest, ShadowPassAndPerCharacterColours) {
    TBitmapFontPtr font = StandardFont();
    ASSERT_TRUE(font);
    StartFrame(255, 255, 255);
    SetColor(255, 0, 0);
    font->DrawAlignedWithShadow("A", 100, 50, 0, 1, 1);
    EXPECT_FLOAT_EQ(GetAlpha(), TextAlpha);
    int r = 0, g = 0, b = 0;
    GetColor(r, g, b);
    EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{255, 0, 0}));  // colour restored

    const std::vector<TColorPtr> colours = {TColor::Create(0, 255, 0), TColor::Create(0, 0, 255)};
    font->DrawAligned("AAA", 200, 50, 0, 1, 1, 0, colours);
    PixmapPtr frame = headless::ReadFrame();
    ASSERT_TRUE(frame);
    // Glyph 101..108 x 50..59; shadow one pixel right and down, black at half alpha.
    auto channels = [&](int x, int y) {
        const uint32_t p = frame->ReadPixel(x, y);
        return std::vector<int>{Red(p), Green(p), Blue(p)};
    };
    EXPECT_EQ(channels(104, 55), (std::vector<int>{255, 0, 0}));
    for (auto [x, y] : {std::pair{109, 55}, std::pair{105, 60}, std::pair{109, 60}}) {
        for (int c : channels(x, y))
            EXPECT_NEAR(c, 128, 3) << x << "," << y;
    }
    EXPECT_EQ(channels(110, 55), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(channels(101, 61), (std::vector<int>{255, 255, 255}));
    // Colours cycle over the characters.
    EXPECT_EQ(channels(205, 55), (std::vector<int>{0, 255, 0}));
    EXPECT_EQ(channels(215, 55), (std::vector<int>{0, 0, 255}));
    EXPECT_EQ(channels(225, 55), (std::vector<int>{0, 255, 0}));
    // A character without a glyph draws nothing and takes no colour.
    font->DrawAligned("A" + Chr(1234) + "AA", 200, 80, 0, 1, 1, 0, colours);
    frame = headless::ReadFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(channels(205, 85), (std::vector<int>{0, 255, 0}));
    EXPECT_EQ(channels(215, 85), (std::vector<int>{0, 0, 255}));
    EXPECT_EQ(channels(225, 85), (std::vector<int>{0, 255, 0}));
}

TEST_F(BitmapFontTest, CurvedBaselineFollowsTheSineOfThePosition) {
    TBitmapFontPtr font = StandardFont();
    ASSERT_TRUE(font);
    StartFrame(0, 0, 0);
    // Arc of 180 degrees over 10 pixels: the first "A" is centred 5 pixels in
    // (90 degrees, +8), the second 15 (270 degrees, -8).
    font->SetCurvature(10, 8);
    font->DrawAligned("AA", 100, 50, 0, 1, 1);
    EXPECT_EQ(BrightBox(100, 0, 109, 100).top, 58);
    EXPECT_EQ(BrightBox(110, 0, 119, 100).top, 42);
    // Centred, the text starts (10 - 20) / 2 before the arc: 0 and 180 degrees.
    font->DrawAligned("AA", 300, 50, 1, 1, 1);
    EXPECT_EQ(BrightBox(280, 0, 299, 100).top, 50);
    EXPECT_EQ(BrightBox(300, 0, 319, 100).top, 50);
    font->ClearCurvature();
    font->DrawAligned("AA", 500, 50, 0, 1, 1);
    EXPECT_EQ(BrightBox(500, 0, 519, 100).top, 50);
}

TEST_F(BitmapFontTest, FontScaleAndColourSettings) {
    TBitmapFontPtr bitmap = StandardFont();
    ASSERT_TRUE(bitmap);
    TFontPtr font = TFont::Create(nullptr, TColor::Create(10, 20, 30, 0.25f),
                                  TShadow::Create(2, 3, 0.75f), 0, bitmap);
    EXPECT_FLOAT_EQ(font->H, 12);
    font->ApplyScale(2);
    EXPECT_DOUBLE_EQ(bitmap->StringWidth("AB"), 36);
    font->RestoreScale();
    EXPECT_DOUBLE_EQ(bitmap->ScaleFactor, 1);
    font->Apply();
    EXPECT_FLOAT_EQ(TextShadowX, 2);
    EXPECT_FLOAT_EQ(TextShadowY, 3);
    EXPECT_FLOAT_EQ(TextShadowAlpha, 0.75f);
    EXPECT_FLOAT_EQ(TextAlpha, 0.25f);
    EXPECT_FLOAT_EQ(GetAlpha(), 0.25f);
}

TEST_F(BitmapFontTest, LabelWrapsScalesAndDrawsWithShadow) {
    TBitmapFontPtr font = StandardFont();
    ASSERT_TRUE(font);
    TLabelPtr label = TLabel::CreateSpecial("a b", 100, 50, 0, 7, 0, font);
    EXPECT_EQ(label->TextArray, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(label->TotalLines, 2);
    EXPECT_EQ(label->LineGap, 12);
    EXPECT_FLOAT_EQ(label->CalcHeight(), 24);
    label->SetLineGap(20);
    EXPECT_FLOAT_EQ(label->H, 40);
    label->SetLineGap(12);

    label->Shadow = TShadow::Create();
    label->Color = TColor::Create(255, 0, 0);
    StartFrame(255, 255, 255);
    label->Draw();
    EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
    PixmapPtr frame = headless::ReadFrame();
    ASSERT_TRUE(frame);
    auto isRed = [](uint32_t p) { return Red(p) > 200 && Green(p) < 50; };
    auto isShadow = [](uint32_t p) { return Red(p) > 100 && Red(p) < 160 && Green(p) > 100; };
    // "a" 4 x 6 sits 4 below the first line; "b" 4 x 10 on the second line 12 lower.
    const Box a = FindBox(*frame, 90, 40, 120, 61, isRed);
    EXPECT_EQ(std::vector<int>({a.left, a.top, a.right, a.bottom}),
              std::vector<int>({100, 54, 103, 59}));
    const Box b = FindBox(*frame, 90, 61, 120, 90, isRed);
    EXPECT_EQ(std::vector<int>({b.left, b.top, b.right, b.bottom}),
              std::vector<int>({100, 62, 103, 71}));
    const Box shadow = FindBox(*frame, 90, 61, 120, 90, isShadow);
    EXPECT_EQ(shadow.right, 104);
    EXPECT_EQ(shadow.bottom, 72);

    // Scaling down to fit, and vertical centring of one line.
    TLabelPtr wide = TLabel::CreateSpecial("AAAA", 400, 100, 0, 0, 1, font);
    wide->AutoScale(20);
    EXPECT_FLOAT_EQ(wide->Scale, 0.5f);
    EXPECT_FLOAT_EQ(wide->CalcWidth(), 20);
    wide->Scale = 1;
    wide->CalcSize();
    StartFrame(0, 0, 0);
    wide->Draw();
    EXPECT_EQ(BrightBox(380, 50, 460, 150).top, 100 - 6);

    // Rotated by 90 degrees the centred line stands upright around its position.
    TLabelPtr turned = TLabel::CreateSpecial("AAAA", 700, 300, 1, 0, 0, font);
    turned->Rotation = 90;
    turned->Draw();
    const Box upright = BrightBox(600, 200, 800, 400);
    EXPECT_GT(upright.bottom - upright.top, 30);
    EXPECT_LT(upright.right - upright.left, 15);
    EXPECT_FLOAT_EQ(GetRotation(), 0);
    EXPECT_EQ(font->ChangeHandle, 0);
}

}  // namespace
