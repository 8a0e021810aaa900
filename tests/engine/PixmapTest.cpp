#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/Pixmap.h"

namespace {

const PixelFormat ALL_FORMATS[] = {PixelFormat::A8,       PixelFormat::I8,
                                   PixelFormat::RGB888,   PixelFormat::BGR888,
                                   PixelFormat::RGBA8888, PixelFormat::BGRA8888};

// A picture whose every pixel differs, alpha included.
PixmapPtr Pattern(int width, int height, PixelFormat format = PixelFormat::RGBA8888) {
    PixmapPtr pixmap = TPixmap::Create(width, height, format);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixmap->WritePixel(x, y, 0x40000000u * (x & 3) + 0x00110000u * x + 0x1300u * y + 0x57u);
        }
    }
    return pixmap;
}

TEST(PixmapTest, PixelsReadBackInEveryFormat) {
    const uint32_t colour = 0x80C86432;  // alpha 0x80, r 200, g 100, b 50
    for (PixelFormat format : ALL_FORMATS) {
        TPixmap pixmap(3, 2, format);
        EXPECT_EQ(pixmap.Pitch(), 3 * BytesPerPixel(format));
        pixmap.WritePixel(2, 1, colour);
        const uint32_t read = pixmap.ReadPixel(2, 1);
        switch (format) {
            case PixelFormat::A8:  // white with the alpha
                EXPECT_EQ(read, 0x80FFFFFFu);
                break;
            case PixelFormat::I8:  // luminance: (200*77 + 100*150 + 50*29 + 128) >> 8 = 124
                EXPECT_EQ(read, 0xFF7C7C7Cu);
                break;
            case PixelFormat::RGB888:
            case PixelFormat::BGR888:
                EXPECT_EQ(read, 0xFFC86432u);
                break;
            default:
                EXPECT_EQ(read, colour);
        }
        // New pixmaps start with all bytes zero.
        const uint32_t fresh = format == PixelFormat::A8 ? 0x00FFFFFFu
                               : FormatHasAlpha(format)  ? 0u
                                                         : 0xFF000000u;
        EXPECT_EQ(pixmap.ReadPixel(0, 0), fresh);
    }
    // Byte order in memory.
    TPixmap bgr(1, 1, PixelFormat::BGR888), rgba(1, 1, PixelFormat::RGBA8888),
        bgra(1, 1, PixelFormat::BGRA8888);
    bgr.WritePixel(0, 0, colour);
    rgba.WritePixel(0, 0, colour);
    bgra.WritePixel(0, 0, colour);
    EXPECT_EQ(std::vector<uint8_t>(bgr.Pixels(), bgr.Pixels() + 3),
              (std::vector<uint8_t>{50, 100, 200}));
    EXPECT_EQ(std::vector<uint8_t>(rgba.Pixels(), rgba.Pixels() + 4),
              (std::vector<uint8_t>{200, 100, 50, 0x80}));
    EXPECT_EQ(std::vector<uint8_t>(bgra.Pixels(), bgra.Pixels() + 4),
              (std::vector<uint8_t>{50, 100, 200, 0x80}));
    // Grey keeps its extremes and weighs green above blue.
    TPixmap grey(3, 1, PixelFormat::I8);
    grey.WritePixel(0, 0, 0xFFFFFFFF);
    grey.WritePixel(1, 0, 0xFF00FF00);
    grey.WritePixel(2, 0, 0xFF0000FF);
    EXPECT_EQ(grey.Pixels()[0], 255);
    EXPECT_GT(grey.Pixels()[1], grey.Pixels()[2]);
}

TEST(PixmapTest, OutsideAccessIsHarmless) {
    PixmapPtr pixmap = Pattern(4, 3);
    PixmapPtr before = pixmap->Copy();
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {4, 0}, {0, 3}, {INT_MIN, INT_MAX}}) {
        EXPECT_EQ(pixmap->ReadPixel(x, y), 0u);
        pixmap->WritePixel(x, y, 0xFFFFFFFF);
    }
    EXPECT_EQ(std::vector<uint8_t>(pixmap->Pixels(), pixmap->Pixels() + 4 * 3 * 4),
              std::vector<uint8_t>(before->Pixels(), before->Pixels() + 4 * 3 * 4));

    TPixmap empty(-5, 7);
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_EQ(empty.ReadPixel(0, 0), 0u);
    empty.ClearPixels(0xFFFFFFFF);
    EXPECT_EQ(empty.Convert(PixelFormat::I8)->Width(), 0);
}

TEST(PixmapTest, ConversionsRoundTrip) {
    PixmapPtr original = Pattern(5, 4);
    // Between the formats that keep all four channels, nothing is lost.
    PixmapPtr back = original->Convert(PixelFormat::BGRA8888)->Convert(PixelFormat::RGBA8888);
    // Through a format without alpha the colour survives and alpha becomes opaque.
    PixmapPtr opaque = original->Convert(PixelFormat::BGR888)->Convert(PixelFormat::RGBA8888);
    PixmapPtr viaRgb = original->Convert(PixelFormat::RGB888)->Convert(PixelFormat::BGRA8888);
    PixmapPtr alphaOnly = original->Convert(PixelFormat::A8);
    PixmapPtr grey = original->Convert(PixelFormat::I8);
    PixmapPtr greyBack = grey->Convert(PixelFormat::RGB888)->Convert(PixelFormat::I8);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            const uint32_t argb = original->ReadPixel(x, y);
            EXPECT_EQ(back->ReadPixel(x, y), argb);
            EXPECT_EQ(opaque->ReadPixel(x, y), argb | 0xFF000000u);
            EXPECT_EQ(viaRgb->ReadPixel(x, y), argb | 0xFF000000u);
            EXPECT_EQ(alphaOnly->ReadPixel(x, y), (argb & 0xFF000000u) | 0x00FFFFFFu);
            EXPECT_EQ(greyBack->ReadPixel(x, y), grey->ReadPixel(x, y));
        }
    }
    // Converting to the same format is a separate copy.
    PixmapPtr same = original->Convert(PixelFormat::RGBA8888);
    same->WritePixel(0, 0, 0x12345678);
    EXPECT_NE(original->ReadPixel(0, 0), 0x12345678u);
    PixmapPtr copy = original->Copy();
    copy->WritePixel(1, 1, 0x12345678);
    EXPECT_NE(original->ReadPixel(1, 1), 0x12345678u);
    EXPECT_EQ(copy->ReadPixel(2, 2), original->ReadPixel(2, 2));
}

TEST(PixmapTest, WindowIsClippedToThePixmap) {
    PixmapPtr source = Pattern(6, 5, PixelFormat::BGR888);
    PixmapPtr inside = source->Window(1, 2, 3, 2);
    ASSERT_EQ(inside->Width(), 3);
    ASSERT_EQ(inside->Height(), 2);
    EXPECT_EQ(inside->Format(), PixelFormat::BGR888);
    EXPECT_EQ(inside->ReadPixel(0, 0), source->ReadPixel(1, 2));
    EXPECT_EQ(inside->ReadPixel(2, 1), source->ReadPixel(3, 3));

    PixmapPtr corner = source->Window(-2, 3, 4, 10);
    ASSERT_EQ(corner->Width(), 2);
    ASSERT_EQ(corner->Height(), 2);
    EXPECT_EQ(corner->ReadPixel(1, 1), source->ReadPixel(1, 4));

    PixmapPtr all = source->Window(0, 0, INT_MAX, INT_MAX);
    EXPECT_EQ(all->Width(), 6);
    EXPECT_EQ(all->Height(), 5);
    for (auto [x, y, w, h] : {std::array{7, 0, 2, 2}, {0, -3, 2, 3}, {1, 1, 0, 4}, {1, 1, -3, 4}}) {
        PixmapPtr none = source->Window(x, y, w, h);
        EXPECT_EQ(none->Width() * none->Height(), 0);
    }
}

TEST(PixmapTest, PasteConvertsAndClips) {
    TPixmap target(4, 4, PixelFormat::BGRA8888);
    target.ClearPixels(0xFF102030);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(target.ReadPixel(x, y), 0xFF102030u);
    }
    PixmapPtr stamp = Pattern(3, 3, PixelFormat::RGB888);
    target.Paste(*stamp, 2, -1);  // only the bottom-left 2x2 of the stamp lands
    EXPECT_EQ(target.ReadPixel(2, 0), stamp->ReadPixel(0, 1));
    EXPECT_EQ(target.ReadPixel(3, 1), stamp->ReadPixel(1, 2));
    EXPECT_EQ(target.ReadPixel(1, 0), 0xFF102030u);
    EXPECT_EQ(target.ReadPixel(2, 2), 0xFF102030u);

    target.Paste(*stamp, 100, 100);
    target.Paste(*stamp, -3, 0);
    EXPECT_EQ(target.ReadPixel(0, 0), 0xFF102030u);

    // A pixmap pasted onto itself, overlapping, moves as a whole.
    PixmapPtr self = Pattern(4, 1);
    PixmapPtr before = self->Copy();
    self->Paste(*self, 1, 0);
    for (int x = 1; x < 4; ++x)
        EXPECT_EQ(self->ReadPixel(x, 0), before->ReadPixel(x - 1, 0));
}

}  // namespace
