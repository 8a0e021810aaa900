// Pixel collision layers: what counts as a solid pixel, where an image lands,
// and how layers keep and forget what was written.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/Collision.h"
#include "engine/Graphics.h"
#include "engine/Image.h"
#include "support/Headless.h"

namespace {

// An image drawn as rows of characters: '#' opaque, '+' alpha 128 (solid),
// '-' alpha 127 (not), '.' transparent.
ImagePtr Picture(const std::vector<std::string>& rows) {
    PixmapPtr pixels =
        TPixmap::Create(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < pixels->Height(); ++y) {
        for (int x = 0; x < pixels->Width(); ++x) {
            const char c = rows[y][x];
            const uint32_t alpha = c == '#' ? 0xFF : c == '+' ? 0x80 : c == '-' ? 0x7F : 0;
            pixels->WritePixel(x, y, alpha << 24 | 0xFFFFFF);
        }
    }
    return TImage::FromPixmap(pixels, 0);
}

CollisionId Id(const std::string& name) {
    return std::make_shared<std::string>(name);
}

std::string Name(const CollisionId& id) {
    return *std::static_pointer_cast<std::string>(id);
}

// The identities a one-pixel probe at (x, y) touches in the layers of mask.
std::vector<std::string> ProbeAt(int x, int y, uint32_t mask = ALL_COLLISION_LAYERS) {
    const ImagePtr dot = Picture({"#"});
    std::vector<std::string> names;
    for (const CollisionId& id : CollideImage(*dot, x, y, 0, mask, 0, nullptr))
        names.push_back(Name(id));
    return names;
}

using Names = std::vector<std::string>;

class CollisionTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        ResetCollisions();
    }
    void TearDown() override {
        ResetCollisions();
        HeadlessTest::TearDown();
    }
};

TEST_F(CollisionTest, OnlyPixelsSolidInBothImagesCollide) {
    // A ring with a hole, and a rim that is solid only where alpha reaches one half.
    const ImagePtr ring = Picture({"#####", "#...#", "#...#", "#...#", "##+-#"});
    CollideImage(*ring, 10, 20, 0, 0, CollisionLayer(1), Id("ring"));
    EXPECT_EQ(ProbeAt(10, 20), Names{"ring"}) << "the top-left corner";
    EXPECT_EQ(ProbeAt(14, 24), Names{"ring"}) << "the bottom-right corner";
    EXPECT_EQ(ProbeAt(12, 22), Names{}) << "inside the hole";
    EXPECT_EQ(ProbeAt(12, 24), Names{"ring"}) << "alpha 128";
    EXPECT_EQ(ProbeAt(13, 24), Names{}) << "alpha 127";
    EXPECT_EQ(ProbeAt(9, 20), Names{}) << "left of the ring";
    EXPECT_EQ(ProbeAt(10, 25), Names{}) << "below the ring";

    // Overlapping boxes with no solid pixel in common do not collide.
    const ImagePtr diagonal = Picture({"#..", ".#.", "..#"});
    const ImagePtr antiDiagonal = Picture({"..#", ".#.", "#.."});
    const ImagePtr cornerless = Picture({"#.#", "...", "#.#"});
    CollideImage(*diagonal, 100, 100, 0, 0, CollisionLayer(2), Id("diagonal"));
    EXPECT_EQ(CollideImage(*cornerless, 100, 101, 0, CollisionLayer(2), 0, nullptr).size(), 0u);
    EXPECT_EQ(CollideImage(*antiDiagonal, 100, 100, 0, CollisionLayer(2), 0, nullptr).size(), 1u)
        << "the centres meet";

    // Masked pictures without alpha collide only outside their mask colour.
    PixmapPtr rgb = TPixmap::Create(2, 1, PixelFormat::RGB888);
    rgb->WritePixel(0, 0, 0xFF000000);
    rgb->WritePixel(1, 0, 0xFF102030);
    const ImagePtr masked = TImage::FromPixmap(rgb, MASKEDIMAGE);
    CollideImage(*masked, 200, 10, 0, 0, CollisionLayer(3), Id("masked"));
    EXPECT_EQ(ProbeAt(200, 10), Names{});
    EXPECT_EQ(ProbeAt(201, 10), Names{"masked"});
}

TEST_F(CollisionTest, LayersAnswerOnlyForTheirMaskAndForgetOnReset) {
    const ImagePtr block = Picture({"##", "##"});
    CollideImage(*block, 0, 0, 0, 0, CollisionLayer(1), Id("first"));
    CollideImage(*block, 1, 1, 0, 0, CollisionLayer(1) | CollisionLayer(32), Id("second"));
    CollideImage(*block, 0, 0, 0, 0, CollisionLayer(2), Id("other layer"));

    EXPECT_EQ(ProbeAt(1, 1, CollisionLayer(1)), (Names{"first", "second"}));
    EXPECT_EQ(ProbeAt(1, 1, CollisionLayer(2)), Names{"other layer"});
    EXPECT_EQ(ProbeAt(1, 1, CollisionLayer(1) | CollisionLayer(32)), (Names{"first", "second"}))
        << "an identity in two layers is found once";
    EXPECT_EQ(ProbeAt(1, 1, 0), Names{});

    // The test comes before the write: an image does not find itself.
    const CollisionId third = Id("third");
    EXPECT_EQ(CollideImage(*block, 5, 5, 0, CollisionLayer(4), CollisionLayer(4), third).size(),
              0u);
    EXPECT_EQ(ProbeAt(5, 5, CollisionLayer(4)), Names{"third"});

    ResetCollisions(CollisionLayer(1));
    EXPECT_EQ(ProbeAt(1, 1, CollisionLayer(1)), Names{});
    EXPECT_EQ(ProbeAt(2, 2, CollisionLayer(32)), Names{"second"});
    ResetCollisions();
    EXPECT_EQ(ProbeAt(1, 1), Names{});

    // Frames that do not exist and layers past 32 write and find nothing.
    CollideImage(*block, 0, 0, 1, 0, CollisionLayer(1), Id("frame 1"));
    CollideImage(*block, 0, 0, 0, 0, CollisionLayer(33), Id("layer 33"));
    EXPECT_EQ(ProbeAt(0, 0), Names{});
}

TEST_F(CollisionTest, AnImageCoversThePixelsItsDrawingCovers) {
    // Odd and even sizes, mid-handled (half-pixel handles) and top-left.
    for (const auto& [size, mid] : {std::pair{9, true}, std::pair{8, true}, std::pair{7, false}}) {
        SCOPED_TRACE(std::to_string(size) + (mid ? " mid-handled" : " top-left"));
        PixmapPtr pixels = TPixmap::Create(size, size);
        pixels->ClearPixels(0xFFFFFFFFu);
        const ImagePtr image = TImage::FromPixmap(pixels, 0);
        if (mid) image->MidHandle();
        SetClsColor(0, 0, 0);
        Cls();
        SetBlend(SOLIDBLEND);
        DrawImage(*image, 100, 100);
        PixmapPtr frame = headless::ReadFrame();
        ASSERT_TRUE(frame);
        ResetCollisions();
        CollideImage(*image, 100, 100, 0, 0, CollisionLayer(1), Id("image"));
        for (int y = 85; y < 115; ++y) {
            for (int x = 85; x < 115; ++x) {
                const bool drawn = headless::Red(frame->ReadPixel(x, y)) > 128;
                ASSERT_EQ(ProbeAt(x, y).size(), drawn ? 1u : 0u) << x << "," << y;
            }
        }
    }
}

}  // namespace
