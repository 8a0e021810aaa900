// Colours and shadows as the renderer sees them: clamping, blending over the
// background, fades at their ends, and drop shadows under label text that
// leave the drawing state as they found it.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "engine/Graphics.h"
#include "media/Color.h"
#include "media/Label.h"
#include "media/TextShadow.h"
#include "support/Headless.h"

namespace {

using headless::Blue;
using headless::Green;
using headless::Red;
using Rgb = std::vector<int>;

Rgb PixelAt(int x, int y) {
    PixmapPtr frame = headless::ReadFrame();
    if (!frame) return {};
    const uint32_t p = frame->ReadPixel(x, y);
    return {Red(p), Green(p), Blue(p)};
}

Rgb DrawingColour() {
    int r = -1, g = -1, b = -1;
    GetColor(r, g, b);
    return {r, g, b};
}

void ExpectNear(const Rgb& actual, const Rgb& expected, const std::string& what) {
    ASSERT_EQ(actual.size(), 3u) << what;
    for (size_t i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], 2) << what << " channel " << i;
}

struct Box {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
};

Box FindBox(int x0, int y0, int x1, int y1, const std::function<bool(const Rgb&)>& match) {
    Box box;
    PixmapPtr frame = headless::ReadFrame();
    if (!frame) return box;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const uint32_t p = frame->ReadPixel(x, y);
            if (!match({Red(p), Green(p), Blue(p)})) continue;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x);
            box.bottom = std::max(box.bottom, y);
        }
    }
    return box;
}

bool IsRed(const Rgb& c) {
    return c[0] > 200 && c[1] < 60 && c[2] < 60;
}
bool IsBlack(const Rgb& c) {
    return c[0] < 30 && c[1] < 30 && c[2] < 30;
}

class ColorTest : public HeadlessTest {
  protected:
    void TearDown() override {
        SetTextShadow(1.0f, 1.0f, 0.5f);
        TextAlpha = 1.0f;
        HeadlessTest::TearDown();
    }
    static void StartFrame(int r, int g, int b) {
        SetClsColor(r, g, b);
        Cls();
        SetBlend(ALPHABLEND);
        TColor::Restore();
    }
    // A 10 x 10 square in the current colour at (x, y); returns its middle.
    static Rgb Square(int x, int y) {
        DrawRect(static_cast<float>(x), static_cast<float>(y), 10, 10);
        return PixelAt(x + 5, y + 5);
    }
    // A red engine-font label with the given shadow.
    static TLabelPtr RedLabel(float x, float y, const TShadowPtr& shadow, float alpha = 1.0f) {
        TLabelPtr label = TLabel::CreateSpecial("HM", x, y, 0);
        label->Color = TColor::Create(255, 0, 0, alpha);
        label->Shadow = shadow;
        return label;
    }
};

TEST_F(ColorTest, AppliedColoursClampAndBlendOverTheBackground) {
    StartFrame(0, 0, 200);
    TColor::Create(255, 0, 0, 0.25f)->Apply();
    ExpectNear(Square(10, 10), {64, 0, 150}, "a quarter of red over blue");

    // Out-of-range channels and alpha are held to their limits.
    TColorPtr loud = TColor::Create(300, -40, 128, 2.0f);
    loud->Apply();
    EXPECT_EQ(DrawingColour(), (Rgb{255, 0, 128}));
    EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
    ExpectNear(Square(30, 10), {255, 0, 128}, "clamped and opaque");
    TColor::Create(255, 255, 255, -0.5f)->Apply();
    EXPECT_FLOAT_EQ(GetAlpha(), 0.0f);
    ExpectNear(Square(50, 10), {0, 0, 200}, "below zero alpha draws nothing");

    // A fade from nothing to solid reaches both of its ends exactly.
    TColorPtr fading = TColor::Create(0, 255, 0, 0.0f);
    const std::vector<float> steps = {0.0f, 0.5f, 1.0f};
    std::vector<Rgb> seen;
    for (size_t i = 0; i < steps.size(); ++i) {
        fading->Alpha = steps[i];
        fading->Apply();
        seen.push_back(Square(70 + 20 * static_cast<int>(i), 10));
    }
    EXPECT_EQ(seen.front(), (Rgb{0, 0, 200}));
    ExpectNear(seen[1], {0, 128, 100}, "half way");
    EXPECT_EQ(seen.back(), (Rgb{0, 255, 0}));

    // Without its alpha a colour keeps the alpha already set.
    SetAlpha(0.5f);
    TColor::Create(255, 255, 0, 1.0f)->ApplyNoAlpha();
    ExpectNear(Square(130, 10), {128, 128, 100}, "yellow at the earlier half alpha");

    TColor::Restore();
    EXPECT_EQ(Square(150, 10), (Rgb{255, 255, 255}));
}

TEST_F(ColorTest, ShadowsDrawBlackAtTheirAlpha) {
    StartFrame(255, 255, 255);
    TShadowPtr shadow = TShadow::Create(2, 2, 0.5f);
    shadow->Apply();
    ExpectNear(Square(10, 10), {128, 128, 128}, "half black over white");
    TShadow::Create(0, 0, 1.5f)->Apply();
    EXPECT_EQ(Square(30, 10), (Rgb{0, 0, 0}));
    TShadow::Restore();
    EXPECT_EQ(DrawingColour(), (Rgb{255, 255, 255}));
    EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
}

TEST_F(ColorTest, LabelShadowsFallAtTheirOffsetAndAlpha) {
    StartFrame(255, 255, 255);
    RedLabel(100, 100, TShadow::Create(3, 2, 1.0f))->Draw();
    const Box text = FindBox(50, 50, 250, 200, IsRed);
    const Box shadow = FindBox(50, 50, 250, 200, IsBlack);
    ASSERT_NE(text.right, -1);
    ASSERT_NE(shadow.right, -1);
    EXPECT_EQ(shadow.right - text.right, 3);
    EXPECT_EQ(shadow.bottom - text.bottom, 2);

    // An invisible shadow leaves nothing dark behind.
    RedLabel(300, 100, TShadow::Create(3, 2, 0.0f))->Draw();
    EXPECT_NE(FindBox(250, 50, 450, 200, IsRed).right, -1);
    EXPECT_EQ(FindBox(250, 50, 450, 200, [](const Rgb& c) { return c[1] < 250; }).right,
              FindBox(250, 50, 450, 200, IsRed).right);

    // A half-transparent label casts a half-transparent shadow: where only the
    // shadow falls, black at the shadow's alpha times the label's.
    RedLabel(500, 100, TShadow::Create(3, 2, 1.0f), 0.5f)->Draw();
    const Box faded = FindBox(450, 50, 650, 200, [](const Rgb& c) { return c[1] < 250; });
    ASSERT_NE(faded.right, -1);
    const Rgb edge = PixelAt(faded.right, faded.bottom);
    ExpectNear(edge, {128, 128, 128}, "the shadow's far corner");
    const Box halfRed = FindBox(450, 50, 650, 200, [](const Rgb& c) {
        return c[0] > 240 && c[1] > 100 && c[1] < 160 && c[2] > 100 && c[2] < 160;
    });
    EXPECT_NE(halfRed.right, -1) << "the text itself at half alpha over white";
}

TEST_F(ColorTest, ShadowedLabelsLeaveTheDrawingStateAsTheyFoundIt) {
    StartFrame(255, 255, 255);
    SetColor(10, 200, 30);
    RedLabel(100, 100, TShadow::Create(2, 2, 0.5f), 0.5f)->Draw();
    EXPECT_EQ(DrawingColour(), (Rgb{10, 200, 30}));
    EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
    EXPECT_FLOAT_EQ(TextAlpha, 1.0f) << "a faded label must not fade later text";

    // So the next shadowed text is drawn solid.
    SetColor(0, 0, 255);
    DrawImageFontText("HM", 300, 100, 1, 0, 1);
    const Box solid = FindBox(250, 50, 450, 200,
                              [](const Rgb& c) { return c[0] < 10 && c[1] < 10 && c[2] > 245; });
    EXPECT_NE(solid.right, -1);

    // Without its own colour the label draws in the caller's.
    TLabelPtr plain = RedLabel(500, 100, TShadow::Create(2, 2, 0.5f));
    SetColor(0, 255, 0);
    plain->Draw(0, 0, 0);
    EXPECT_NE(FindBox(450, 50, 650, 200,
                      [](const Rgb& c) { return c[0] < 10 && c[1] > 245 && c[2] < 10; })
                  .right,
              -1);
    EXPECT_EQ(FindBox(450, 50, 650, 200, IsRed).right, -1);
    EXPECT_EQ(DrawingColour(), (Rgb{0, 255, 0}));
}

}  // namespace
