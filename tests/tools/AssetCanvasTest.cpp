// The asset tool's pictures: drawing lands where it should, and the PNG and
// JPEG files it writes come back through the game's own decoders as drawn,
// with the same bytes every time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "assetkit/Canvas.h"
#include "assetkit/Style.h"
#include "engine/Pixmap.h"

namespace {

using asset::Canvas;

uint32_t Alpha(uint32_t argb) {
    return argb >> 24;
}

int ChannelDistance(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    }
    return worst;
}

void Fill(Canvas& canvas, double x, double y, double w, double h, asset::style::Rgb colour,
          double alpha = 1.0) {
    cairo_set_source_rgba(canvas.Cr(), colour.r, colour.g, colour.b, alpha);
    cairo_rectangle(canvas.Cr(), x, y, w, h);
    cairo_fill(canvas.Cr());
}

// A picture with opaque, half-transparent and soft-edged parts.
Canvas Scene() {
    Canvas canvas(48, 32);
    Fill(canvas, 0, 0, 24, 16, asset::style::kPumpkin);
    Fill(canvas, 24, 0, 24, 16, asset::style::kMoss, 0.5);
    asset::RadialGlow(canvas.Cr(), 24, 22, 10, 0.9, 0.9, 1.0, 0.8);
    return canvas;
}

PixmapPtr Decode(const asset::Bytes& bytes) {
    return LoadPixmapFromMemory(bytes.data(), bytes.size());
}

constexpr uint32_t Opaque(uint32_t rgb) {
    return 0xFF000000u | rgb;
}

TEST(AssetCanvas, PngComesBackThroughTheGamesDecoderPixelForPixel) {
    const Canvas canvas = Scene();
    const asset::Bytes png = canvas.EncodePNG();
    EXPECT_EQ(png, Scene().EncodePNG()) << "the same drawing must give the same bytes";
    const PixmapPtr decoded = Decode(png);
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->Width(), 48);
    ASSERT_EQ(decoded->Height(), 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 48; ++x) {
            ASSERT_EQ(decoded->ReadPixel(x, y), canvas.StraightPixel(x, y)) << x << "," << y;
        }
    }
    // Palette colours land as their exact bytes, half transparency as half.
    EXPECT_EQ(decoded->ReadPixel(3, 3), Opaque(0xF07A1A));
    const uint32_t moss = decoded->ReadPixel(30, 5);
    EXPECT_NEAR(Alpha(moss), 128, 1);
    EXPECT_LE(ChannelDistance(moss & 0xFFFFFF, 0x4F7A3A), 2) << std::hex << moss;
    EXPECT_EQ(decoded->ReadPixel(0, 31), 0u) << "untouched pixels stay fully transparent";
}

TEST(AssetCanvas, JpegIsFlattenedOverItsBackground) {
    Canvas canvas(64, 32);
    Fill(canvas, 0, 0, 32, 32, asset::style::kCandle);
    Fill(canvas, 40, 0, 24, 16, {1, 1, 1}, 0.5);
    const asset::Bytes jpeg = canvas.EncodeJPEG(95, 0x000080);
    EXPECT_EQ(jpeg, canvas.EncodeJPEG(95, 0x000080));
    const PixmapPtr decoded = Decode(jpeg);
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->Width(), 64);
    ASSERT_EQ(decoded->Height(), 32);
    EXPECT_LE(ChannelDistance(decoded->ReadPixel(12, 16), Opaque(0xFFC94A)), 6);
    // Transparent areas show the background; half-white shows half of each.
    EXPECT_LE(ChannelDistance(decoded->ReadPixel(50, 26), Opaque(0x000080)), 6);
    EXPECT_LE(ChannelDistance(decoded->ReadPixel(52, 6), Opaque(0x8080C0)), 8);
    EXPECT_GT(jpeg.size(), canvas.EncodeJPEG(30, 0x000080).size()) << "quality is applied";
}

TEST(AssetCanvas, ShapesLandWhereTheyAreAsked) {
    Canvas canvas(80, 80);
    // Rounded corners cut the corner pixel but keep the edges.
    asset::RoundedRectangle(canvas.Cr(), 10, 10, 40, 30, 8);
    cairo_fill(canvas.Cr());
    EXPECT_EQ(Alpha(canvas.StraightPixel(30, 25)), 255u);
    EXPECT_EQ(Alpha(canvas.StraightPixel(30, 10)), 255u);
    EXPECT_EQ(Alpha(canvas.StraightPixel(10, 25)), 255u);
    EXPECT_EQ(Alpha(canvas.StraightPixel(10, 10)), 0u);
    EXPECT_EQ(Alpha(canvas.StraightPixel(50, 25)), 0u);
    EXPECT_EQ(Alpha(canvas.StraightPixel(30, 40)), 0u);

    // A radius beyond half the side gives a circle, not a tangle of arcs.
    canvas.Clear();
    asset::RoundedRectangle(canvas.Cr(), 20, 20, 40, 40, 500);
    cairo_fill(canvas.Cr());
    EXPECT_EQ(Alpha(canvas.StraightPixel(40, 21)), 255u);
    EXPECT_EQ(Alpha(canvas.StraightPixel(40, 40)), 255u);
    EXPECT_EQ(Alpha(canvas.StraightPixel(21, 21)), 0u);
    EXPECT_EQ(Alpha(canvas.StraightPixel(40, 61)), 0u);

    // A five-pointed star points up unless rotated; between its points the
    // inner radius holds.
    for (const double rotation : {0.0, 180.0}) {
        canvas.Clear();
        asset::StarPath(canvas.Cr(), 40.5, 40.5, 5, 30, 12, rotation);
        cairo_fill(canvas.Cr());
        const int tip = rotation == 0 ? 14 : 66, notch = rotation == 0 ? 66 : 14;
        EXPECT_GT(Alpha(canvas.StraightPixel(40, tip)), 128u) << rotation;
        EXPECT_EQ(Alpha(canvas.StraightPixel(40, notch)), 0u) << rotation;
        EXPECT_EQ(Alpha(canvas.StraightPixel(40, 40)), 255u);
    }
    // Equal radii make a polygon: four corners turned 45 degrees is a square.
    canvas.Clear();
    asset::StarPath(canvas.Cr(), 40, 40, 4, 20 * std::sqrt(2.0), 20 * std::sqrt(2.0), 45);
    cairo_fill(canvas.Cr());
    EXPECT_EQ(Alpha(canvas.StraightPixel(21, 21)), 255u);
    EXPECT_EQ(Alpha(canvas.StraightPixel(58, 58)), 255u);
    EXPECT_EQ(Alpha(canvas.StraightPixel(40, 62)), 0u);

    // A glow is strongest at its centre and gone at its radius.
    canvas.Clear();
    asset::RadialGlow(canvas.Cr(), 40, 40, 20, 1, 1, 1, 1);
    const uint32_t centre = Alpha(canvas.StraightPixel(40, 40));
    EXPECT_GT(centre, 220u);
    EXPECT_GT(centre, Alpha(canvas.StraightPixel(48, 40)));
    EXPECT_GT(Alpha(canvas.StraightPixel(48, 40)), Alpha(canvas.StraightPixel(56, 40)));
    EXPECT_EQ(Alpha(canvas.StraightPixel(40, 61)), 0u);
}

TEST(AssetCanvas, CompositingPlacesAndScalesOtherCanvases) {
    Canvas tile(4, 4);
    tile.Clear(1, 0, 0, 1);
    Canvas canvas(20, 20);
    canvas.Draw(tile, 10, 5);
    EXPECT_EQ(canvas.StraightPixel(10, 5), Opaque(0xFF0000));
    EXPECT_EQ(canvas.StraightPixel(13, 8), Opaque(0xFF0000));
    EXPECT_EQ(canvas.StraightPixel(9, 5), 0u);
    EXPECT_EQ(canvas.StraightPixel(14, 8), 0u);
    EXPECT_EQ(canvas.StraightPixel(10, 9), 0u);
    canvas.Draw(tile, 0, 0, 0.5);
    EXPECT_NEAR(Alpha(canvas.StraightPixel(1, 1)), 128, 1);

    // Four coloured pixels scaled up keep their quarters.
    Canvas quarters(2, 2);
    quarters.Flush();
    quarters.Row(0)[0] = 0xFFFF0000;
    quarters.Row(0)[1] = 0xFF00FF00;
    quarters.Row(1)[0] = 0xFF0000FF;
    quarters.Row(1)[1] = 0xFFFFFFFF;
    quarters.MarkDirty();
    Canvas big(20, 20);
    big.DrawScaled(quarters, 0, 0, 20, 20);
    EXPECT_LE(ChannelDistance(big.StraightPixel(5, 5), Opaque(0xFF0000)), 40);
    EXPECT_LE(ChannelDistance(big.StraightPixel(14, 5), Opaque(0x00FF00)), 40);
    EXPECT_LE(ChannelDistance(big.StraightPixel(5, 14), Opaque(0x0000FF)), 40);
    EXPECT_LE(ChannelDistance(big.StraightPixel(14, 14), Opaque(0xFFFFFF)), 40);
    const asset::Bytes before = big.EncodePNG();
    big.DrawScaled(Canvas(0, 0), 0, 0, 10, 10);
    EXPECT_EQ(big.EncodePNG(), before) << "an empty source draws nothing";

    // Frames laid out row by row; the unused cell stays empty.
    std::vector<Canvas> frames;
    for (int i = 0; i < 5; ++i) {
        frames.emplace_back(8, 6);
        frames.back().Clear(i / 4.0, 1, 0, 1);
    }
    const Canvas strip = asset::Strip(frames, 8, 6, 2);
    ASSERT_EQ(strip.Width(), 16);
    ASSERT_EQ(strip.Height(), 18);
    for (int i = 0; i < 5; ++i) {
        const int x = (i % 2) * 8 + 4, y = (i / 2) * 6 + 3;
        EXPECT_EQ(strip.StraightPixel(x, y), frames[i].StraightPixel(0, 0)) << "frame " << i;
    }
    EXPECT_EQ(strip.StraightPixel(12, 15), 0u);
}

TEST(AssetCanvas, PixelEffectsKeepShapeAndPremultipliedColour) {
    Canvas canvas(21, 21);
    canvas.Clear(0.2, 0.4, 0.6, 1);
    EXPECT_TRUE(canvas.Opaque());
    const uint32_t flat = canvas.StraightPixel(10, 10);
    canvas.Blur(4);
    EXPECT_TRUE(canvas.Opaque()) << "edges must not fade in from outside";
    for (int y = 0; y < 21; y += 5) {
        for (int x = 0; x < 21; x += 5)
            EXPECT_EQ(canvas.StraightPixel(x, y), flat);
    }

    // One white dot spreads evenly around itself and keeps about its weight.
    canvas.Clear();
    EXPECT_FALSE(canvas.Opaque());
    canvas.Flush();
    canvas.Row(10)[10] = 0xFFFFFFFF;
    canvas.MarkDirty();
    canvas.Blur(0.5);
    EXPECT_EQ(canvas.StraightPixel(10, 10), 0xFFFFFFFFu) << "a tiny radius does nothing";
    canvas.Blur(5);
    canvas.Flush();
    int total = 0;
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 21; ++x) {
            const uint32_t p = canvas.Row(y)[x];
            total += int(Alpha(p));
            for (int shift = 0; shift < 24; shift += 8)
                ASSERT_LE((p >> shift) & 0xFF, Alpha(p));
        }
    }
    EXPECT_GT(Alpha(canvas.Row(10)[10]), 0u);
    EXPECT_LT(Alpha(canvas.Row(10)[10]), 255u);
    EXPECT_EQ(canvas.Row(10)[7], canvas.Row(10)[13]) << "the blur leans to one side";
    EXPECT_EQ(canvas.Row(7)[10], canvas.Row(13)[10]);
    EXPECT_EQ(canvas.Row(10)[7], canvas.Row(7)[10]);
    EXPECT_EQ(canvas.Row(0)[0], 0u);
    EXPECT_NEAR(total, 255, 40) << "a blur must not lose what it spreads";

    // Fading halves alpha and keeps the colour; a silhouette keeps the shape.
    Canvas shape(10, 10);
    Fill(shape, 0, 0, 5, 10, asset::style::kGold);
    shape.Fade(0.5);
    EXPECT_NEAR(Alpha(shape.StraightPixel(2, 2)), 128, 1);
    EXPECT_LE(ChannelDistance(shape.StraightPixel(2, 2) & 0xFFFFFF, 0xE8B530), 2);
    const Canvas shadow = shape.Silhouette(0, 0, 1);
    EXPECT_NEAR(Alpha(shadow.StraightPixel(2, 2)), 128, 1);
    EXPECT_EQ(shadow.StraightPixel(2, 2) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(shadow.StraightPixel(7, 2), 0u);
}

TEST(AssetCanvas, CopiesAreIndependentAndResetForgetsTheTransform) {
    Canvas original = Scene();
    const asset::Bytes png = original.EncodePNG();
    Canvas copy(original);
    EXPECT_EQ(copy.EncodePNG(), png);
    copy.Clear(1, 1, 1, 1);
    EXPECT_EQ(original.EncodePNG(), png) << "drawing on a copy changed the original";
    Canvas assigned(3, 3);
    assigned = original;
    EXPECT_EQ(assigned.Width(), 48);
    EXPECT_EQ(assigned.EncodePNG(), png);
    Canvas moved(std::move(assigned));
    EXPECT_EQ(moved.EncodePNG(), png);
    copy = std::move(moved);
    EXPECT_EQ(copy.EncodePNG(), png);

    Canvas canvas(10, 10);
    cairo_translate(canvas.Cr(), 5, 5);
    cairo_set_source_rgb(canvas.Cr(), 1, 1, 1);
    canvas.Reset();
    cairo_rectangle(canvas.Cr(), 0, 0, 1, 1);
    cairo_fill(canvas.Cr());
    EXPECT_EQ(canvas.StraightPixel(0, 0), Opaque(0x000000)) << "source colour resets to black";
    EXPECT_EQ(canvas.StraightPixel(5, 5), 0u);
}

TEST(AssetCanvas, SvgAndFontsDrawOrFailCleanly) {
    Canvas canvas(40, 40);
    const std::string svg =
        "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'>"
        "<rect x='0' y='0' width='10' height='10' fill='#ff0000'/></svg>";
    ASSERT_TRUE(asset::DrawSvg(canvas, svg, 10, 10, 20, 20));
    EXPECT_EQ(canvas.StraightPixel(15, 15), Opaque(0xFF0000));
    EXPECT_EQ(canvas.StraightPixel(29, 29), Opaque(0xFF0000));
    EXPECT_EQ(canvas.StraightPixel(5, 5), 0u);
    EXPECT_EQ(canvas.StraightPixel(31, 20), 0u);
    EXPECT_FALSE(asset::DrawSvg(canvas, "<svg><rect", 0, 0, 40, 40));

    EXPECT_THROW(asset::FindFontFile("NoSuchFont-Regular.ttf"), std::runtime_error);
    EXPECT_EQ(asset::FindFontFile("/somewhere/Own.ttf"), "/somewhere/Own.ttf");
    cairo_font_face_t* face = asset::FontFace("DejaVuSans.ttf");
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(asset::FontFace("DejaVuSans.ttf"), face) << "faces are loaded once";
    Canvas text(60, 30);
    cairo_set_font_face(text.Cr(), face);
    cairo_set_font_size(text.Cr(), 20);
    cairo_move_to(text.Cr(), 2, 22);
    cairo_show_text(text.Cr(), "HM");
    int inked = 0, below = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 60; ++x) {
            if (Alpha(text.StraightPixel(x, y)) > 128) (y <= 23 ? inked : below)++;
        }
    }
    EXPECT_GT(inked, 40);
    EXPECT_EQ(below, 0) << "capitals sit on the baseline";
}

}  // namespace
