// Labels laid out on the headless renderer: where each alignment puts the
// text, vertical centring of one line and of a wrapped block, wrapping at a
// width, fitting by scale, and labels in the engine's built-in font.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "engine/Files.h"
#include "engine/Graphics.h"
#include "media/BitmapFont.h"
#include "media/Label.h"
#include "media/TextShadow.h"
#include "support/Headless.h"

namespace {

using Lines = std::vector<std::string>;

using Box = headless::InkBox;

// Edges of the lit pixels in a region; right -1 when none are lit.
Box LitBox(int x0, int y0, int x1, int y1) {
    PixmapPtr frame = headless::ReadFrame();
    if (!frame) return {};
    return headless::FindInk(
        *frame, [](uint32_t p) { return headless::Red(p) >= 128; }, x0, y0, x1, y1);
}

class LabelTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        std::string pattern = ::testing::TempDir() + "hollowmere_label_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        font_ = TBitmapFont::Create(WriteBlockFont());
        ASSERT_TRUE(font_);
        ClearScreen();
    }
    void TearDown() override {
        DeleteDir(root_, true);
        HeadlessTest::TearDown();
    }

    // A font whose "A" is a solid 8 x 12 block advancing 10, and a space
    // advancing 4: "AA" measures 20 and the line height is 12.
    std::string WriteBlockFont() {
        PixmapPtr page = TPixmap::Create(16, 16);
        page->ClearPixels(0);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 8; ++x)
                page->WritePixel(x, y, 0xFFFFFFFFu);
        const std::string path = root_ + "/block";
        EXPECT_TRUE(SavePixmapPNG(*page, path + ".png", 1));
        const std::string text =
            "info face=\"Block\" size=12\r\n"
            "common lineHeight=12 base=12 scaleW=16 scaleH=16 pages=1 packed=0\r\n"
            "page id=0 file=\"block.png\"\r\nchars count=2\r\n"
            "char id=65   x=0     y=0     width=8     height=12    xoffset=0     yoffset=0     "
            "xadvance=10    page=0  chnl=15\r\n"
            "char id=32   x=0     y=0     width=0     height=0     xoffset=0     yoffset=0     "
            "xadvance=4     page=0  chnl=15\r\n";
        EXPECT_TRUE(SaveTextSafely(path + ".fnt", text));
        return path;
    }
    static void ClearScreen() {
        SetClsColor(0, 0, 0);
        Cls();
        SetBlend(ALPHABLEND);
        SetColor(255, 255, 255);
    }
    TLabelPtr Label(const std::string& text, float x, float y, int alignment, int wordWrap = 0,
                    int centreVertically = 0) {
        return TLabel::CreateSpecial(text, x, y, alignment, wordWrap, centreVertically, font_);
    }

    std::string root_;
    TBitmapFontPtr font_;
};

TEST_F(LabelTest, EachAlignmentPlacesTheTextAroundItsPosition) {
    // "AA": blocks at 0..7 and 10..17 of a 20 pixel advance, 12 rows tall.
    Label("AA", 100, 50, 0)->Draw();
    Label("AA", 300, 50, 1)->Draw();
    Label("AA", 500, 50, 2)->Draw();
    Label("AA", 700, 50, 3)->Draw();  // centred on the line height as well
    Label("AA", 900, 50, 9)->Draw();  // no such alignment
    EXPECT_EQ(LitBox(0, 0, 199, 120).Edges(), (std::vector<int>{100, 50, 117, 61}));
    EXPECT_EQ(LitBox(200, 0, 399, 120).Edges(), (std::vector<int>{290, 50, 307, 61}));
    EXPECT_EQ(LitBox(400, 0, 599, 120).Edges(), (std::vector<int>{480, 50, 497, 61}));
    EXPECT_EQ(LitBox(600, 0, 799, 120).Edges(), (std::vector<int>{690, 44, 707, 55}));
    EXPECT_EQ(LitBox(800, 0, 1023, 120).right, -1);

    // The offset moves the label without changing it.
    TLabelPtr moved = Label("AA", 100, 150, 2);
    moved->Draw(40, 30);
    EXPECT_EQ(LitBox(0, 121, 399, 300).Edges(), (std::vector<int>{120, 180, 137, 191}));
    EXPECT_FLOAT_EQ(moved->X, 100);

    // Doubled, a right-aligned label still ends at its position.
    TLabelPtr doubled = Label("AA", 700, 200, 2);
    doubled->Scale = 2;
    doubled->Draw();
    EXPECT_EQ(LitBox(500, 121, 1023, 300).Edges(), (std::vector<int>{660, 200, 695, 223}));
    float sx = 0, sy = 0;
    GetScale(sx, sy);
    EXPECT_FLOAT_EQ(sx, 1) << "the label's scale is undone after drawing";

    // Hidden and empty labels draw nothing.
    TLabelPtr hidden = Label("AA", 100, 400, 0);
    hidden->Visible = 0;
    hidden->Draw();
    TLabelPtr empty = Label("", 300, 400, 1);
    EXPECT_FLOAT_EQ(empty->CalcWidth(), 0);
    empty->Draw();
    EXPECT_EQ(LitBox(0, 350, 1023, 500).right, -1);
}

TEST_F(LabelTest, CentringVerticallyLiftsByHalfTheScaledHeight) {
    TLabelPtr line = Label("AA", 100, 100, 0, 0, 1);
    EXPECT_FLOAT_EQ(line->CalcHeight(), 12);
    line->Draw();
    EXPECT_EQ(LitBox(0, 0, 199, 300).top, 94);

    TLabelPtr doubled = Label("AA", 300, 100, 0, 0, 1);
    doubled->Scale = 2;
    EXPECT_FLOAT_EQ(doubled->CalcHeight(), 24);
    doubled->Draw();
    const Box big = LitBox(200, 0, 399, 300);
    EXPECT_EQ(big.top, 88);
    EXPECT_EQ(big.bottom, 111) << "24 rows straddling the position evenly";

    // A wrapped block of three lines (36 rows) is centred as a whole.
    TLabelPtr block = Label("AA AA AA", 500, 100, 0, 20, 1);
    ASSERT_EQ(block->TotalLines, 3);
    block->Draw();
    const Box wrapped = LitBox(400, 0, 599, 300);
    EXPECT_EQ(wrapped.top, 100 - 18);
    EXPECT_EQ(wrapped.bottom, 100 + 17);
    EXPECT_EQ(wrapped.right, 517) << "one word a line";

    // Without centring the block hangs from its position.
    TLabelPtr hanging = Label("AA AA AA", 700, 100, 0, 20, 0);
    hanging->Draw();
    EXPECT_EQ(LitBox(600, 0, 799, 300).top, 100);
    EXPECT_EQ(LitBox(600, 0, 799, 300).bottom, 135);
}

TEST_F(LabelTest, WrapsIntoLinesAtTheGivenWidth) {
    // "AA" is 20 wide, "AA AA" 44 and "AA AA AA" 68.
    struct Case {
        int width;
        Lines lines;
    };
    for (const Case& c : {Case{68, {"AA AA AA"}}, Case{44, {"AA AA", "AA"}},
                          Case{43, {"AA", "AA", "AA"}}, Case{5, {"AA", "AA", "AA"}}}) {
        TLabelPtr label = Label("AA AA AA", 0, 0, 0, c.width);
        EXPECT_EQ(label->TextArray, c.lines) << c.width;
        EXPECT_EQ(label->TotalLines, static_cast<int>(c.lines.size())) << c.width;
        EXPECT_FLOAT_EQ(label->CalcHeight(), 12.0f * c.lines.size()) << c.width;
    }

    // A word wider than the label stands on its own line; line feeds and
    // blank lines are kept; an empty text still takes one line.
    EXPECT_EQ(Label("AA AAAAAAAA AA", 0, 0, 0, 44)->TextArray, (Lines{"AA", "AAAAAAAA", "AA"}));
    TLabelPtr paragraphs = Label("AA\r\n\r\nAA AA", 0, 0, 0, 100);
    EXPECT_EQ(paragraphs->TextArray, (Lines{"AA", "", "AA AA"}));
    EXPECT_FLOAT_EQ(paragraphs->CalcHeight(), 36);
    TLabelPtr empty = Label("", 0, 0, 0, 100);
    EXPECT_EQ(empty->TotalLines, 1);
    EXPECT_FLOAT_EQ(empty->CalcHeight(), 12);

    // The width is in screen pixels: doubled, "AA AA" needs 88.
    TLabelPtr doubled = Label("AA AA AA", 100, 300, 0);
    doubled->WordWrap = 88;
    doubled->Scale = 2;
    doubled->PreCalcWordWrap();
    EXPECT_EQ(doubled->TextArray, (Lines{"AA AA", "AA"}));
    EXPECT_FLOAT_EQ(doubled->CalcHeight(), 48);
    doubled->WordWrap = 87;
    doubled->PreCalcWordWrap();
    EXPECT_EQ(doubled->TotalLines, 3);

    // New text is wrapped again on request; a wider gap spaces the lines.
    doubled->Text = "AA AA AA AA";
    doubled->WordWrap = 88;
    doubled->PreCalcWordWrap();
    EXPECT_EQ(doubled->TotalLines, 2);
    doubled->SetLineGap(20);
    EXPECT_FLOAT_EQ(doubled->CalcHeight(), 80);
    doubled->Draw();
    EXPECT_EQ(LitBox(0, 250, 399, 450).Edges(), (std::vector<int>{100, 300, 183, 363}));
    EXPECT_EQ(LitBox(0, 324, 399, 339).right, -1) << "rows between the lines stay empty";
    EXPECT_EQ(LitBox(0, 340, 399, 363).right, 183);
}

TEST_F(LabelTest, WrapsOnFirstDrawWhenNotWrappedYet) {
    TLabelPtr label = Label("AA AA", 100, 100, 0);
    label->WordWrap = 30;
    label->Draw();
    EXPECT_EQ(label->TotalLines, 2);
    EXPECT_EQ(LitBox(0, 50, 299, 200).Edges(), (std::vector<int>{100, 100, 117, 123}));
}

TEST_F(LabelTest, AutoScaleOnlyShrinksToFit) {
    TLabelPtr wide = Label("AAAAAA", 500, 100, 2);  // 60 wide
    wide->AutoScale(30);
    EXPECT_FLOAT_EQ(wide->Scale, 0.5f);
    EXPECT_FLOAT_EQ(wide->CalcWidth(), 30);
    EXPECT_FLOAT_EQ(wide->CalcHeight(), 6);
    wide->Draw();
    const Box fitted = LitBox(400, 50, 599, 200);
    EXPECT_GE(fitted.left, 470);
    EXPECT_LE(fitted.right, 499);
    EXPECT_GE(fitted.right, 497) << "right-aligned at its position";

    TLabelPtr narrow = Label("AA", 0, 0, 0);
    narrow->AutoScale(100);
    EXPECT_FLOAT_EQ(narrow->Scale, 1) << "never enlarged";
    narrow->AutoScale(20);
    EXPECT_FLOAT_EQ(narrow->Scale, 1) << "an exact fit stays as it is";

    TLabelPtr empty = Label("", 0, 0, 0);
    empty->AutoScale(0);
    EXPECT_FLOAT_EQ(empty->Scale, 1) << "an empty text has no width to scale";
}

TEST_F(LabelTest, EngineFontLabelsAlignOnTheirScaledWidth) {
    // The built-in font measures 8 x 12 a character; the same text drawn
    // left-aligned and by each other alignment must cover the same pixels.
    TLabelPtr probe = TLabel::CreateSpecial("HM", 0, 0, 0);
    ASSERT_FLOAT_EQ(probe->CalcWidth(), 16);
    ASSERT_FLOAT_EQ(probe->CalcHeight(), 12);
    struct Case {
        int alignment;
        float scale, dx, dy;
    };
    const Case cases[] = {{1, 1, 8, 0},  {2, 1, 16, 0}, {3, 1, 8, 6},
                          {1, 2, 16, 0}, {2, 2, 32, 0}, {3, 2, 16, 12}};
    for (const Case& c : cases) {
        ClearScreen();
        TLabelPtr left = TLabel::CreateSpecial("HM", 100, 100, 0);
        left->Scale = c.scale;
        left->Draw();
        TLabelPtr aligned = TLabel::CreateSpecial("HM", 400 + c.dx, 100 + c.dy, c.alignment);
        aligned->Scale = c.scale;
        aligned->Draw();
        const Box expected = LitBox(0, 0, 299, 299), actual = LitBox(300, 0, 599, 299);
        ASSERT_NE(expected.right, -1);
        EXPECT_EQ(actual.left - expected.left, 300) << c.alignment << " x" << c.scale;
        EXPECT_EQ(actual.right - expected.right, 300) << c.alignment << " x" << c.scale;
        EXPECT_EQ(actual.top, expected.top) << c.alignment << " x" << c.scale;
        EXPECT_EQ(actual.bottom, expected.bottom) << c.alignment << " x" << c.scale;
    }
    ClearScreen();
    TLabel::CreateSpecial("HM", 100, 100, 7)->Draw();
    EXPECT_EQ(LitBox(0, 0, 299, 299).right, -1) << "no such alignment";
}

}  // namespace
