// Game images: frames picked from counters, pictures and strips loaded from
// files, drawn by handle and frame with a drop shadow, and the failures that
// stop the game.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Files.h"
#include "engine/Graphics.h"
#include "media/GameImage.h"
#include "support/FrameFixture.h"

namespace {

using headless::Blue;
using headless::Green;
using headless::Red;
using Rgb = std::vector<int>;

const uint32_t kStripColours[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};

Rgb PixelAt(int x, int y) {
    PixmapPtr frame = headless::ReadFrame();
    if (!frame) return {};
    const uint32_t p = frame->ReadPixel(x, y);
    return {Red(p), Green(p), Blue(p)};
}

class GameImageTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        SetClsColor(0, 0, 0);
        Cls();
        SetBlend(ALPHABLEND);
    }
    // Three 4 x 4 cells side by side: red, green, blue.
    std::string WriteStrip() {
        PixmapPtr pixels = TPixmap::Create(12, 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 12; ++x)
                pixels->WritePixel(x, y, kStripColours[x / 4]);
        const std::string path = (home_ / "Strip.png").string();
        EXPECT_TRUE(SavePixmapPNG(*pixels, path, 1));
        return path;
    }
    static TGameImagePtr WhiteSquare(int size, int midHandle) {
        PixmapPtr pixels = TPixmap::Create(size, size);
        pixels->ClearPixels(0xFFFFFFFFu);
        return TGameImage::CreateFromImage(TImage::FromPixmap(pixels, 0), "WHITE", midHandle);
    }
};

TEST_F(GameImageTest, CountersPickEveryFrameInOrderAndClamp) {
    // Counting 0..9 of a length of 10 over 4 frames, up and down.
    std::vector<int> up, down;
    for (int c = 0; c < 10; ++c) {
        up.push_back(FrameFromCounter(static_cast<float>(c), 10, 4, 1));
        down.push_back(FrameFromCounter(static_cast<float>(c), 10, 4, 0));
    }
    EXPECT_EQ(up, (std::vector<int>{0, 0, 0, 1, 1, 2, 2, 2, 3, 3}));
    EXPECT_EQ(down, (std::vector<int>{3, 3, 3, 2, 2, 2, 1, 1, 0, 0}));

    // The ends hold the first and last frames, beyond them too.
    EXPECT_EQ(FrameFromCounter(10, 10, 4, 1), 3);
    EXPECT_EQ(FrameFromCounter(25, 10, 4, 1), 3);
    EXPECT_EQ(FrameFromCounter(-5, 10, 4, 1), 0);
    EXPECT_EQ(FrameFromCounter(10, 10, 4, 0), 0);
    EXPECT_EQ(FrameFromCounter(25, 10, 4, 0), 0);
    EXPECT_EQ(FrameFromCounter(-5, 10, 4, 0), 3);
    // Any direction other than 0 counts up.
    EXPECT_EQ(FrameFromCounter(9, 10, 4, -1), 3);

    // Degenerate lengths and frame counts give the first frame.
    EXPECT_EQ(FrameFromCounter(5, 0, 4, 1), 0);
    EXPECT_EQ(FrameFromCounter(5, 10, 0, 1), 0);
    EXPECT_EQ(FrameFromCounter(5, 10, -3, 0), 0);
    EXPECT_EQ(FrameFromCounter(9, 10, 1, 0), 0);
}

TEST_F(GameImageTest, LoadsPicturesAndStripsByName) {
    const std::string path = WriteStrip();
    TGameImagePtr strip = TGameImage::CreateAuto(path, 4, 4, 0, 3, -1, 0);
    EXPECT_EQ(strip->name, "STRIP") << "no folder, no extension, upper case";
    EXPECT_EQ(strip->Frames(), 3);
    EXPECT_EQ(strip->w, 4);
    EXPECT_EQ(strip->CalcRAM(), 4 * 4 * 4 * 3);
    // A single frame loads the whole picture.
    TGameImagePtr whole = TGameImage::CreateAuto(path, 4, 4, 0, 1, -1, 1);
    EXPECT_EQ(whole->Frames(), 1);
    EXPECT_EQ(whole->w, 12);
    EXPECT_FLOAT_EQ(whole->h2, 2);
    EXPECT_EQ(whole->CalcVRAM(), 16 * 4 * 4) << "the texture rounds up to powers of two";

    // Each frame draws its own cell; top-left or centred on the position.
    for (int f = 0; f < 3; ++f)
        strip->Draw(100.0f + 10 * f, 100, f, nullptr);
    EXPECT_EQ(PixelAt(100, 100), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelAt(113, 103), (Rgb{0, 255, 0}));
    EXPECT_EQ(PixelAt(120, 100), (Rgb{0, 0, 255}));
    EXPECT_EQ(PixelAt(104, 100), (Rgb{0, 0, 0}));
    whole->Draw(200, 100, 0, nullptr);
    EXPECT_EQ(PixelAt(194, 98), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelAt(205, 101), (Rgb{0, 0, 255}));
    EXPECT_EQ(PixelAt(206, 100), (Rgb{0, 0, 0}));
    whole->MidHandle(0);
    whole->Draw(300, 100, 0, nullptr);
    EXPECT_EQ(PixelAt(300, 100), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelAt(299, 99), (Rgb{0, 0, 0}));

    // An image without a picture draws nothing.
    TGameImage blank;
    blank.Draw(400, 100, 0, TShadow::Create());
    EXPECT_EQ(blank.Frames(), 0);
    EXPECT_EQ(PixelAt(400, 100), (Rgb{0, 0, 0}));
}

TEST_F(GameImageTest, MissingAndDamagedPicturesAreFatal) {
    const std::string missing = (home_ / "none.png").string();
    EXPECT_EQ(FatalMessageOf([&] { TGameImage::Create(missing, -1, 1); }),
              "Error loading bitmap " + missing);
    EXPECT_EQ(FatalMessageOf([&] { TGameImage::CreateAuto(missing, 4, 4, 0, 3, -1, 1); }),
              "Error loading anim bitmap " + missing);
    const std::string damaged = (home_ / "damaged.png").string();
    ASSERT_TRUE(SaveTextSafely(damaged, "\x89PNG\r\n\x1a\nnot really a picture"));
    EXPECT_EQ(FatalMessageOf([&] { TGameImage::Create(damaged, -1, 1); }),
              "Error loading bitmap " + damaged);
    // A strip needs whole cells: more frames than the picture holds fail.
    const std::string strip = WriteStrip();
    EXPECT_EQ(FatalMessageOf([&] { TGameImage::CreateAuto(strip, 4, 4, 0, 5, -1, 1); }),
              "Error loading anim bitmap " + strip);
}

TEST_F(GameImageTest, AShadowFallsAtItsOffsetAndThePictureDrawsPlainAfterIt) {
    TGameImagePtr square = WhiteSquare(10, 0);
    SetClsColor(255, 255, 255);
    Cls();
    // A shadowed picture is drawn in plain white at full alpha, whatever was
    // set before, and leaves that state behind for what follows.
    SetColor(255, 0, 0);
    SetAlpha(0.5f);
    square->Draw(100, 100, 0, TShadow::Create(3, 4, 0.5f));
    EXPECT_EQ(PixelAt(105, 105), (Rgb{255, 255, 255}));
    const Rgb shadow = PixelAt(111, 112);
    for (int channel : shadow)
        EXPECT_NEAR(channel, 128, 2) << "half-black shadow beyond the picture";
    EXPECT_EQ(PixelAt(114, 105), (Rgb{255, 255, 255}));
    EXPECT_EQ(PixelAt(102, 112), (Rgb{255, 255, 255})) << "nothing left of the shadow's offset";
    int r = 0, g = 0, b = 0;
    GetColor(r, g, b);
    EXPECT_EQ((Rgb{r, g, b}), (Rgb{255, 255, 255}));
    EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);

    // Without a shadow the caller's tint is kept.
    SetColor(0, 0, 255);
    square->Draw(200, 100, 0, nullptr);
    EXPECT_EQ(PixelAt(205, 105), (Rgb{0, 0, 255}));
}

}  // namespace
