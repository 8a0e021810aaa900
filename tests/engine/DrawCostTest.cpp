// What drawing costs and keeps, on the headless software renderer: loaded
// pictures let go of their pixels once uploaded and read their file again
// when the pixels are asked for; draws that cannot show are not made, opaque
// pictures are written without blending, large ones only where they are
// seen, and a frame layer puts back what was drawn into it pixel for pixel.
// Every case checks the pixels as well as the count.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/Collision.h"
#include "engine/Graphics.h"
#include "engine/Image.h"
#include "support/Headless.h"

using headless::Blue;
using headless::Green;
using headless::Red;

namespace {

// A picture whose every pixel tells where it is: red x, green y, blue from
// the alpha given, so a wrong cell, frame or offset shows.
PixmapPtr Gradient(int width, int height, uint8_t alpha) {
    PixmapPtr pixels = TPixmap::Create(width, height, PixelFormat::RGBA8888);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels->WritePixel(
                x, y,
                uint32_t{alpha} << 24 | uint32_t(x % 256) << 16 | uint32_t(y % 256) << 8 | 0x40u);
        }
    }
    return pixels;
}

bool SamePixels(const TPixmap& a, const TPixmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.ReadPixel(x, y) != b.ReadPixel(x, y)) return false;
        }
    }
    return true;
}

class DrawCostTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        std::string pattern = ::testing::TempDir() + "hollowmere_drawcost_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        for (const std::string& file : files_)
            std::remove(file.c_str());
        rmdir(folder_.c_str());
        HeadlessTest::TearDown();
    }
    std::string Save(const TPixmap& pixels, const std::string& name) {
        const std::string path = folder_ + "/" + name;
        EXPECT_TRUE(SavePixmapPNG(pixels, path, 1));
        files_.push_back(path);
        return path;
    }
    static void Clear() {
        SetClsColor(10, 20, 30);
        Cls();
    }

  private:
    std::string folder_;
    std::vector<std::string> files_;
};

TEST_F(DrawCostTest, LoadedPicturesLetGoOfTheirPixelsAndReadTheFileWhenAskedForThem) {
    PixmapPtr source = Gradient(40, 30, 255);
    const std::string path = Save(*source, "gradient.png");
    ImagePtr image = TImage::Load(path, 0);
    ASSERT_TRUE(image);
    EXPECT_FALSE(image->PixelsInMemory(0)) << "uploaded: the texture holds the picture";
    Clear();
    SetBlend(SOLIDBLEND);
    DrawImage(image, 5, 5);
    PixmapPtr frame = headless::ReadFrame();
    EXPECT_EQ(frame->ReadPixel(5 + 17, 5 + 9) & 0xFFFFFF, source->ReadPixel(17, 9) & 0xFFFFFF);
    // Locking reads the file again and keeps the pixels from then on.
    PixmapPtr locked = image->Lock(0);
    ASSERT_TRUE(locked);
    EXPECT_TRUE(SamePixels(*locked, *source));
    image->Unlock(0);
    DrawImage(image, 5, 5);
    EXPECT_TRUE(image->PixelsInMemory(0));
    // Pictures made from pixels in memory have no file to read again.
    ImagePtr made = TImage::FromPixmap(source, 0);
    EXPECT_TRUE(made->PixelsInMemory(0));
}

TEST_F(DrawCostTest, StripsMasksAndCollisionReadTheirFramesBackFromTheFile) {
    // Three 8 x 8 cells in a row, each a solid grey of its own with a soft
    // rim, and the grey of cell n is 60 (n + 1).
    PixmapPtr strip = TPixmap::Create(24, 8, PixelFormat::RGBA8888);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 24; ++x) {
            const uint32_t grey = 60u * (x / 8 + 1);
            const bool rim = x % 8 == 0 || y == 0;
            strip->WritePixel(x, y, (rim ? 0x40u : 0xFFu) << 24 | grey << 16 | grey << 8 | grey);
        }
    }
    ImagePtr anim = TImage::LoadAnim(Save(*strip, "strip.png"), 8, 8, 1, 2, 0);
    ASSERT_TRUE(anim);
    EXPECT_FALSE(anim->PixelsInMemory(0));
    EXPECT_FALSE(anim->PixelsInMemory(1));
    // The mask blend needs a thresholded copy of a soft picture, made from the file.
    Clear();
    SetBlend(MASKBLEND);
    DrawImage(anim, 0, 0, 1);
    PixmapPtr frame = headless::ReadFrame();
    EXPECT_EQ(Red(frame->ReadPixel(4, 4)), 180) << "the second frame is the third cell";
    EXPECT_EQ(Red(frame->ReadPixel(0, 4)), 10) << "the soft rim is not drawn by the mask";
    // Pixel collision reads the frames themselves.
    ResetCollisions();
    const CollisionId first = std::make_shared<int>(1);
    CollideImage(*anim, 0, 0, 0, 0, CollisionLayer(1), first);
    EXPECT_EQ(CollideImage(*anim, 5, 5, 1, CollisionLayer(1), 0, nullptr).size(), 1u);
    EXPECT_EQ(CollideImage(*anim, 7, 7, 1, CollisionLayer(1), 0, nullptr).size(), 0u)
        << "only the rim overlaps";
    ResetCollisions();
    EXPECT_EQ(Red(anim->Lock(0)->ReadPixel(3, 3)), 120);
    // A picture whose file went away draws from its texture and locks as null.
    const std::string gone = Save(*strip, "gone.png");
    ImagePtr orphan = TImage::Load(gone, 0);
    std::remove(gone.c_str());
    EXPECT_EQ(orphan->Lock(0), nullptr);
    SetBlend(SOLIDBLEND);
    DrawImage(orphan, 100, 0);
    EXPECT_EQ(Red(headless::ReadFrame()->ReadPixel(100 + 20, 4)), 180);
}

TEST_F(DrawCostTest, PicturesComeBackFromTheirFilesWhenTheGraphicsOpenAgain) {
    PixmapPtr source = Gradient(16, 16, 255);
    ImagePtr image = TImage::Load(Save(*source, "again.png"), 0);
    ASSERT_TRUE(image);
    ASSERT_TRUE(headless::OpenGraphics(640, 480));
    Clear();
    SetBlend(SOLIDBLEND);
    DrawImage(image, 0, 0);
    EXPECT_EQ(headless::ReadFrame()->ReadPixel(7, 11) & 0xFFFFFF,
              source->ReadPixel(7, 11) & 0xFFFFFF);
    EXPECT_FALSE(image->PixelsInMemory(0));
    ASSERT_TRUE(headless::OpenGraphics());
}

TEST_F(DrawCostTest, PixelsAreCountedByBlendAndDrawsThatCannotShowAreNotMade) {
    ImagePtr opaque = TImage::FromPixmap(Gradient(10, 10, 255), 0);
    ImagePtr soft = TImage::FromPixmap(Gradient(10, 10, 128), 0);
    Clear();
    PixmapPtr before = headless::ReadFrame();
    ResetDrawnPixels();
    SetBlend(ALPHABLEND);
    SetAlpha(0);
    DrawImage(opaque, 0, 0);
    DrawRect(0, 0, 50, 50);
    SetAlpha(1);
    SetBlend(LIGHTBLEND);
    SetColor(0, 0, 0);
    DrawImage(soft, 0, 0);
    SetColor(255, 255, 255);
    EXPECT_EQ(CountedPixels().draws, 0) << "transparent and black added draws are skipped";
    EXPECT_TRUE(SamePixels(*before, *headless::ReadFrame()));

    SetBlend(ALPHABLEND);
    DrawImage(opaque, 0, 0);  // opaque at full alpha: written as it is
    DrawImage(soft, 20, 0);
    SetAlpha(0.5f);
    DrawImage(opaque, 40, 0);  // faded: blended
    SetAlpha(1);
    SetBlend(LIGHTBLEND);
    DrawImage(soft, 60, 0);
    SetBlend(SHADEBLEND);
    DrawImage(soft, 80, 0);
    SetBlend(ALPHABLEND);
    SetViewport(0, 0, 105, 200);
    DrawRect(100, 0, 10, 10);  // half of it inside the viewport, unblended at full alpha
    const DrawnPixels drawn = CountedPixels();
    EXPECT_EQ(drawn.solid, 100 + 50);
    EXPECT_EQ(drawn.alpha, 200);
    EXPECT_EQ(drawn.light, 100);
    EXPECT_EQ(drawn.shade, 100);
    EXPECT_EQ(drawn.draws, 6);
    PixmapPtr frame = headless::ReadFrame();
    EXPECT_EQ(frame->ReadPixel(3, 4), 0xFF030440u) << "the opaque picture, as it is";
    EXPECT_NEAR(Red(frame->ReadPixel(43, 4)), (3 + 10) / 2, 1) << "the faded one, half way";
    EXPECT_EQ(frame->ReadPixel(102, 5), 0xFFFFFFFFu);
    EXPECT_EQ(frame->ReadPixel(107, 5), 0xFF0A141Eu) << "outside the viewport";
}

TEST_F(DrawCostTest, LargePicturesAreDrawnOnlyWhereTheyAreSeen) {
    PixmapPtr source = Gradient(2000, 40, 255);
    ImagePtr wide = TImage::FromPixmap(source, FILTEREDIMAGE);
    Clear();
    ResetDrawnPixels();
    SetBlend(SOLIDBLEND);
    DrawImage(wide, -700, 100);
    EXPECT_EQ(CountedPixels().solid, 1024 * 40);
    PixmapPtr frame = headless::ReadFrame();
    for (int x : {0, 1, 300, 1023}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(frame->ReadPixel(x, 120), source->ReadPixel(x + 700, 20));
    }
    EXPECT_EQ(frame->ReadPixel(5, 99), 0xFF0A141Eu);
    // Scaled, it is left whole and still lands where it should.
    ResetDrawnPixels();
    SetScale(0.5f, 0.5f);
    DrawImage(wide, -100, 300);
    SetScale(1, 1);
    EXPECT_EQ(CountedPixels().solid, 900 * 20);
    EXPECT_NEAR(Red(headless::ReadFrame()->ReadPixel(0, 305)), 200, 2);
}

TEST_F(DrawCostTest, AFrameLayerPutsBackWhatWasDrawnIntoItPixelForPixel) {
    ImagePtr background = TImage::FromPixmap(Gradient(1024, 768, 255), 0);
    ImagePtr soft = TImage::FromPixmap(Gradient(64, 64, 100), FILTEREDIMAGE);
    const auto scene = [&] {
        SetBlend(SOLIDBLEND);
        DrawImage(background, 0, 0);
        SetBlend(ALPHABLEND);
        SetRotation(30);
        SetScale(1.5f, 1.25f);
        DrawImage(soft, 300.5f, 200.25f);
        SetTransform(0, 1, 1);
        SetBlend(LIGHTBLEND);
        SetAlpha(0.7f);
        DrawImage(soft, 500, 400);
        SetAlpha(1);
    };
    Clear();
    scene();
    PixmapPtr direct = headless::ReadFrame();

    TFrameLayer layer;
    EXPECT_FALSE(layer.Ready());
    ASSERT_TRUE(layer.Begin());
    scene();
    layer.End();
    ASSERT_TRUE(layer.Ready());
    SetClsColor(255, 0, 255);
    Cls();
    ResetDrawnPixels();
    layer.Draw();
    EXPECT_EQ(CountedPixels().solid, 1024 * 768);
    EXPECT_EQ(CountedPixels().alpha + CountedPixels().light, 0);
    EXPECT_TRUE(SamePixels(*direct, *headless::ReadFrame()));
    // Drawing after End goes to the frame again.
    SetBlend(SOLIDBLEND);
    DrawRect(0, 0, 4, 4);
    EXPECT_EQ(headless::ReadFrame()->ReadPixel(1, 1), 0xFFFFFFFFu);
    // A frame of another size loses the layer.
    ASSERT_TRUE(headless::OpenGraphics(640, 480));
    EXPECT_FALSE(layer.Ready());
    ASSERT_TRUE(headless::OpenGraphics());
}

}  // namespace
