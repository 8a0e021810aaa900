// The retained frame: a frame drawn again only where its draws differ from
// the last frame's is the frame drawn whole, pixel for pixel, through scenes
// that move, add, drop, reorder and fade pictures, change the clip, redraw a
// frame layer, change a picture's pixels and read the frame mid-way; and a
// frame that did not change costs nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/FrameDiff.h"
#include "engine/Graphics.h"
#include "engine/Image.h"
#include "engine/Input.h"
#include "support/Headless.h"

namespace {

// ---------------------------------------------------------------- what changed

FrameEntry Entry(uint64_t hash, int left, int top, int right, int bottom) {
    return {hash, {left, top, right, bottom}};
}

bool Covers(const std::vector<ComposeBox>& boxes, const ComposeBox& box) {
    for (const ComposeBox& one : boxes)
        if (IntersectBox(one, box).Area() == box.Area()) return true;
    return false;
}

TEST(FrameDiffTest, OnlyCommandsTheOtherFrameDoesNotHoldInOrderAreChanged) {
    const FrameEntry clear = Entry(1, 0, 0, 100, 100);
    const FrameEntry a = Entry(2, 10, 10, 20, 20), aMoved = Entry(12, 40, 10, 50, 20);
    const FrameEntry b = Entry(3, 60, 60, 70, 70), c = Entry(4, 80, 0, 90, 10);
    const FrameEntry d = Entry(5, 0, 80, 10, 90);
    struct Case {
        const char* rule;
        std::vector<FrameEntry> before, after;
        std::vector<ComposeBox> changed;  // each covered by a box returned
        long mostArea;                    // of all the boxes returned
    };
    const std::vector<Case> cases = {
        {"the same frame changes nothing", {clear, a, b, c}, {clear, a, b, c}, {}, 0},
        {"a picture that moves changes where it was and where it is",
         {clear, a, b, c},
         {clear, aMoved, b, c},
         {a.box, aMoved.box},
         200},
        {"a picture added between others changes its own box only",
         {clear, a, b, c},
         {clear, a, d, b, c},
         {d.box},
         100},
        {"a picture gone changes its own box only",
         {clear, a, d, b, c},
         {clear, a, b, c},
         {d.box},
         100},
        {"two pictures that swap order change where one of them is",
         {clear, a, b, c, d},
         {clear, a, c, b, d},
         {},
         200},
        {"a cleared frame in another colour changes everything",
         {clear, a},
         {Entry(9, 0, 0, 100, 100), a},
         {clear.box},
         20000},
    };
    for (const Case& one : cases) {
        SCOPED_TRACE(one.rule);
        const std::vector<ComposeBox> boxes = ChangedBoxes(one.before, one.after, 1 << 20);
        long area = 0;
        for (const ComposeBox& box : boxes)
            area += box.Area();
        EXPECT_LE(area, one.mostArea);
        for (const ComposeBox& box : one.changed)
            EXPECT_TRUE(Covers(boxes, box)) << "a changed box is left out";
        if (one.mostArea == 0) {
            EXPECT_TRUE(boxes.empty());
        }
    }
}

TEST(FrameDiffTest, ListsTooLongToCompareChangeWhereverTheyDiffer) {
    std::vector<FrameEntry> before, after;
    for (int n = 0; n < 50; ++n) {
        before.push_back(Entry(100 + n, n, 0, n + 1, 1));
        after.push_back(Entry(100 + n, n, 0, n + 1, 1));
    }
    after[10].hash = 7;
    after[40].hash = 8;
    // Compared in full: the two changed pictures. Over the cap: all between.
    EXPECT_EQ(ChangedBoxes(before, after, 1 << 20).size(), 4u);
    EXPECT_EQ(ChangedBoxes(before, after, 100).size(), 62u);
}

TEST(FrameDiffTest, MergedBoxesCoverAllWithoutOverlapAndAreFewEnough) {
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::vector<ComposeBox> boxes;
        const int count = static_cast<int>(random() % 30);
        for (int n = 0; n < count; ++n) {
            const int x = static_cast<int>(random() % 300), y = static_cast<int>(random() % 300);
            boxes.push_back(
                {x, y, x + static_cast<int>(random() % 60), y + static_cast<int>(random() % 60)});
        }
        const std::vector<ComposeBox> merged = MergeBoxes(boxes, 4);
        EXPECT_LE(merged.size(), 4u);
        for (const ComposeBox& box : boxes)
            if (!box.Empty()) {
                EXPECT_TRUE(Covers(merged, box));
            }
        for (size_t i = 0; i < merged.size(); ++i)
            for (size_t j = i + 1; j < merged.size(); ++j)
                EXPECT_TRUE(IntersectBox(merged[i], merged[j]).Empty()) << "boxes overlap";
    }
}

// ---------------------------------------------------------------- scenes

constexpr int kFrameWidth = 320, kFrameHeight = 240;

struct Sprite {
    int image = 0;
    float x = 0, y = 0;
    int blend = ALPHABLEND;
    float alpha = 1;
    int red = 255, green = 255, blue = 255;
    float rotation = 0, scale = 1;
};

// What one frame shows, changed a little from frame to frame.
struct Scene {
    std::vector<Sprite> sprites;
    int clipX = 0, clipY = 0, clipW = kFrameWidth, clipH = kFrameHeight;
    int layerShade = 40;
    bool layerRedrawn = true;
    bool grabbed = false;         // the frame is read half-way
    bool batchTurned = false;     // a batch of turned pictures (drawn by the engine)
    int ticker = 0;               // a picture whose pixels change
    bool tickerMidFrame = false;  // ... after it was drawn this frame
    bool pixmapShown = false;
    float boxX = 30;
};

class RetainedFrameTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        // The window no larger than the frame: the software renderer scales a
        // picture that crosses the edge of what it draws into its own way, the
        // same in the window and in the frame's picture only when they match.
        SetWindowSize(kFrameWidth, kFrameHeight);
        ASSERT_TRUE(SetFrameRect(0, 0, kFrameWidth, kFrameHeight));
        RetainFrame(true);
        images_.push_back(Picture(24, 24, [](int x, int y) {
            return 0xFF000000u | uint32_t(x * 10) << 16 | uint32_t(y * 10) << 8 | 0x30u;
        }));
        images_.push_back(Picture(
            16, 16, [](int x, int y) { return uint32_t((x + y) * 8) << 24 | 0x00F08020u; }));
        images_.push_back(Picture(
            32, 8, [](int x, int) { return (x % 4 < 2 ? 0xFF000000u : 0u) | 0x2080F0u; },
            FILTEREDIMAGE));
        ticker_ = Picture(12, 12, [](int, int) { return 0xFF808080u; });
        pixmap_ = TPixmap::Create(10, 6, PixelFormat::RGBA8888);
        pixmap_->ClearPixels(0xC0FFFF00u);
    }
    void TearDown() override {
        RetainFrame(true);
        SetWindowSize(1024, 768);
        SetFrameRect(0, 0, 1024, 768);
        HeadlessTest::TearDown();
    }

    template <typename Texel>
    static ImagePtr Picture(int width, int height, Texel texel, int flags = 0) {
        PixmapPtr pixels = TPixmap::Create(width, height, PixelFormat::RGBA8888);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels->WritePixel(x, y, texel(x, y));
        ImagePtr image = TImage::FromPixmap(pixels, flags);
        image->MidHandle();
        return image;
    }

    void SetTicker(int value) {
        if (value == tickerValue_) return;
        tickerValue_ = value;
        PixmapPtr pixels = ticker_->Lock(0);
        pixels->ClearPixels(0xFF000000u | uint32_t(value * 37 % 256) << 16 | 0x4040u);
        ticker_->Unlock(0);
    }

    Sprite RandomSprite(std::mt19937& random) const {
        Sprite one;
        one.image = static_cast<int>(random() % images_.size());
        one.x = static_cast<float>(random() % kFrameWidth);
        one.y = static_cast<float>(random() % kFrameHeight);
        one.blend = static_cast<int>(1 + random() % 5);
        one.alpha = static_cast<float>(random() % 5) / 4.0f;
        one.red = static_cast<int>(random() % 256);
        one.rotation = random() % 3 == 0 ? static_cast<float>(random() % 360) : 0.0f;
        one.scale = random() % 3 == 0 ? 0.5f + static_cast<float>(random() % 4) * 0.5f : 1.0f;
        return one;
    }

    // A few changes, or none.
    void Change(Scene& scene, std::mt19937& random) const {
        const auto chance = [&random](int percent) {
            return static_cast<int>(random() % 100) < percent;
        };
        if (chance(35)) {
            scene.grabbed = scene.batchTurned = scene.tickerMidFrame = scene.layerRedrawn = false;
            return;
        }
        for (Sprite& one : scene.sprites) {
            if (chance(15)) {
                one.x += static_cast<float>(static_cast<int>(random() % 21) - 10);
                one.y += static_cast<float>(static_cast<int>(random() % 21) - 10);
            }
            if (chance(5)) one.alpha = static_cast<float>(random() % 5) / 4.0f;
            if (chance(5)) one.blend = static_cast<int>(1 + random() % 5);
        }
        if (chance(30)) scene.sprites.push_back(RandomSprite(random));
        if (chance(20) && !scene.sprites.empty())
            scene.sprites.erase(scene.sprites.begin() +
                                static_cast<long>(random() % scene.sprites.size()));
        if (chance(25) && scene.sprites.size() > 1) {
            const size_t n = random() % (scene.sprites.size() - 1);
            std::swap(scene.sprites[n], scene.sprites[n + 1]);
        }
        if (chance(10)) {
            scene.clipX = static_cast<int>(random() % 60);
            scene.clipY = static_cast<int>(random() % 60);
            scene.clipW = kFrameWidth - scene.clipX - static_cast<int>(random() % 60);
            scene.clipH = kFrameHeight - scene.clipY - static_cast<int>(random() % 60);
        }
        scene.layerRedrawn = chance(8);
        if (scene.layerRedrawn) scene.layerShade = static_cast<int>(random() % 200);
        scene.grabbed = chance(15);
        scene.batchTurned = chance(10);
        if (chance(20)) scene.ticker = static_cast<int>(random() % 7);
        scene.tickerMidFrame = chance(10);
        scene.pixmapShown = chance(30);
        if (chance(20)) scene.boxX = static_cast<float>(random() % 200);
    }

    // Draws the scene as the game draws a frame; what was read half-way, if
    // anything, is returned.
    PixmapPtr Draw(const Scene& scene, TFrameLayer& layer) {
        SetOrigin(0, 0);
        SetViewport(0, 0, kFrameWidth, kFrameHeight);
        SetClsColor(12, 24, 36);
        Cls();
        if (scene.layerRedrawn || !layer.Ready()) {
            EXPECT_TRUE(layer.Begin());
            SetColor(scene.layerShade, 90, 200 - scene.layerShade);
            DrawRect(20, 20, 200, 120);
            SetColor(250, 250, 250);
            DrawOval(150, 100, 120, 90);
            layer.End();
        }
        layer.Draw();
        SetViewport(scene.clipX, scene.clipY, scene.clipW, scene.clipH);
        {
            DrawStateGuard guard;
            for (const Sprite& one : scene.sprites) {
                SetBlend(one.blend);
                SetAlpha(one.alpha);
                SetColor(one.red, one.green, one.blue);
                SetTransform(one.rotation, one.scale, one.scale);
                DrawImage(images_[static_cast<size_t>(one.image)], one.x, one.y);
            }
        }
        PixmapPtr grabbed;
        if (scene.grabbed) grabbed = GrabPixmap(0, 0, kFrameWidth, kFrameHeight);
        SetTicker(scene.ticker);
        DrawImage(ticker_, 280, 200);
        if (scene.tickerMidFrame) {
            SetTicker(scene.ticker + 1);
            DrawImage(ticker_, 300, 200);
            SetTicker(scene.ticker);
        }
        SetBlend(ALPHABLEND);
        SetAlpha(0.5f);
        SetColor(200, 40, 40);
        DrawRect(scene.boxX, 180, 40, 30);
        SetAlpha(1);
        DrawLine(0, 239, scene.boxX, 150);
        DrawText("42", scene.boxX, 160);
        if (scene.pixmapShown) DrawPixmap(*pixmap_, 250, 10);
        std::vector<ImageInstance> batch;
        for (int n = 0; n < (scene.batchTurned ? 30 : 4); ++n) {
            ImageInstance one;
            one.image = images_[1].get();
            one.x = 60.0f + static_cast<float>(n * 7);
            one.y = 200;
            one.rotation = scene.batchTurned ? static_cast<float>(n * 20) : 0.0f;
            one.scaleX = one.scaleY = scene.batchTurned ? 3.0f : 1.0f;
            one.blend = scene.batchTurned ? (n % 2 ? LIGHTBLEND : ALPHABLEND) : MASKBLEND;
            batch.push_back(one);
        }
        DrawImageInstances(batch.data(), batch.size());
        SetColor(255, 255, 255);
        SetBlend(SOLIDBLEND);
        return grabbed;
    }

    struct Played {
        std::vector<PixmapPtr> frames, grabbed;
        long long pixels = 0;
        long presented = 0;
    };

    // Plays `count` frames of scenes from the seed, retained or not, keeping
    // each frame as it stands once drawn.
    Played Play(bool retained, uint32_t seed, int count, float virtualScale) {
        RetainFrame(retained);
        EXPECT_EQ(FrameRetained(), retained);
        SetVirtualResolution(kFrameWidth * virtualScale, kFrameHeight * virtualScale);
        std::mt19937 random(seed);
        tickerValue_ = -1;
        Scene scene;
        for (int n = 0; n < 12; ++n)
            scene.sprites.push_back(RandomSprite(random));
        TFrameLayer layer;
        Played played;
        ResetDrawnPixels();
        const long presented = PresentedFrames();
        for (int frame = 0; frame < count; ++frame) {
            played.grabbed.push_back(Draw(scene, layer));
            if (!retained) played.frames.push_back(ReadBackBuffer());
            Flip(0);
            if (retained) played.frames.push_back(ReadBackBuffer());
            Change(scene, random);
        }
        played.pixels = CountedPixels().Total();
        played.presented = PresentedFrames() - presented;
        return played;
    }

    void ExpectSamePlay(uint32_t seed, float virtualScale) {
        constexpr int kFrames = 40;
        const Played whole = Play(false, seed, kFrames, virtualScale);
        const Played retained = Play(true, seed, kFrames, virtualScale);
        for (int frame = 0; frame < kFrames; ++frame) {
            SCOPED_TRACE("frame " + std::to_string(frame));
            const size_t n = static_cast<size_t>(frame);
            ASSERT_TRUE(whole.frames[n] && retained.frames[n]);
            EXPECT_EQ(Differing(*whole.frames[n], *retained.frames[n]), 0)
                << "pixels of the retained frame differ from the frame drawn whole, in "
                << DifferingBox(*whole.frames[n], *retained.frames[n]);
            ASSERT_EQ(whole.grabbed[n] == nullptr, retained.grabbed[n] == nullptr);
            if (whole.grabbed[n]) {
                EXPECT_EQ(Differing(*whole.grabbed[n], *retained.grabbed[n]), 0)
                    << "the frame read half-way differs";
            }
            if (HasFailure()) {
                SavePixmapPNG(*whole.frames[n], headless::OutputFolder() + "/retained-whole.png",
                              1);
                SavePixmapPNG(*retained.frames[n], headless::OutputFolder() + "/retained-kept.png",
                              1);
                return;
            }
        }
        EXPECT_LT(retained.pixels, whole.pixels)
            << "the retained frames were drawn whole: nothing was saved";
        EXPECT_LT(retained.presented, whole.presented) << "unchanged frames were presented";
    }

    static std::string DifferingBox(const TPixmap& a, const TPixmap& b) {
        int left = a.Width(), top = a.Height(), right = -1, bottom = -1;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                if (a.ReadPixel(x, y) != b.ReadPixel(x, y)) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                    right = std::max(right, x);
                    bottom = std::max(bottom, y);
                }
        return std::to_string(left) + "," + std::to_string(top) + " - " + std::to_string(right) +
               "," + std::to_string(bottom);
    }

    static int Differing(const TPixmap& a, const TPixmap& b) {
        if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
        int differing = 0;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                differing += a.ReadPixel(x, y) != b.ReadPixel(x, y);
        return differing;
    }

    std::vector<ImagePtr> images_;
    ImagePtr ticker_;
    int tickerValue_ = -1;
    PixmapPtr pixmap_;
};

TEST_F(RetainedFrameTest, ScenesDrawnRetainedAreTheScenesDrawnWholePixelForPixel) {
    for (uint32_t seed : {1u, 2u, 3u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        ExpectSamePlay(seed, 1.0f);
        if (HasFailure()) return;
    }
}

TEST_F(RetainedFrameTest, ScaledScenesDrawnRetainedAreTheScenesDrawnWholePixelForPixel) {
    // Virtual pixels a little larger than physical ones: every picture is scaled.
    ExpectSamePlay(11, 0.8f);
}

TEST_F(RetainedFrameTest, AnUnchangedFrameDrawsNothingAndIsNotPresented) {
    ImagePtr spot = images_[0];
    const auto draw = [&spot](float x) {
        SetClsColor(12, 24, 36);
        Cls();
        SetColor(90, 90, 90);
        DrawRect(10, 10, 300, 200);
        SetColor(255, 255, 255);
        SetBlend(ALPHABLEND);
        DrawImage(spot, x, 100);
        SetBlend(SOLIDBLEND);
    };
    draw(100);
    Flip(0);
    EXPECT_TRUE(FlipPresented()) << "the first frame is presented";

    ResetDrawnPixels();
    const long presented = PresentedFrames();
    draw(100);
    Flip(0);
    EXPECT_EQ(CountedPixels().Total(), 0) << "the same frame again draws nothing";
    EXPECT_EQ(PresentedFrames(), presented);
    EXPECT_FALSE(FlipPresented());

    // A 24 x 24 picture moved by 4 pixels: drawn again where it was and is
    // (three layers deep there), and the frame copied into the window.
    ResetDrawnPixels();
    draw(104);
    Flip(0);
    EXPECT_EQ(PresentedFrames(), presented + 1);
    const long long copy = kFrameWidth * kFrameHeight;
    const long long redrawn = CountedPixels().Total() - copy;
    EXPECT_GT(redrawn, 3 * 24 * 24) << "the picture's own area";
    EXPECT_LT(redrawn, 3 * 32 * 30) << "not much more than the picture's own area";
    PixmapPtr frame = ReadBackBuffer();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->ReadPixel(89, 100), 0xFF5A5A5Au) << "where the picture was";
    EXPECT_EQ(frame->ReadPixel(104, 100), spot->Lock(0)->ReadPixel(12, 12)) << "where it is";
}

TEST_F(RetainedFrameTest, AMovedFrameOrAShownWindowIsDrawnAndPresentedWhole) {
    const auto draw = [] {
        SetClsColor(12, 24, 36);
        Cls();
        SetColor(200, 100, 50);
        DrawRect(10, 10, 50, 50);
        SetColor(255, 255, 255);
    };
    draw();
    Flip(0);
    ASSERT_TRUE(SetFrameRect(10, 10, kFrameWidth, kFrameHeight));
    ResetDrawnPixels();
    const long presented = PresentedFrames();
    draw();
    Flip(0);
    EXPECT_EQ(PresentedFrames(), presented + 1) << "the frame moved in the window";
    EXPECT_GE(CountedPixels().solid, 2LL * kFrameWidth * kFrameHeight)
        << "cleared whole and copied whole";

    draw();
    Flip(0);
    EXPECT_EQ(PresentedFrames(), presented + 1);
    // Restored from the task bar: the window shows nothing until presented.
    InjectWindowMinimised(true);
    InjectWindowMinimised(false);
    FlushEvents();
    draw();
    Flip(0);
    EXPECT_EQ(PresentedFrames(), presented + 2) << "the restored window shows the frame";
}

TEST_F(RetainedFrameTest, TurnedOffTheFrameIsDrawnAndPresentedEveryTime) {
    RetainFrame(false);
    EXPECT_FALSE(FrameRetained());
    const long presented = PresentedFrames();
    for (int n = 0; n < 3; ++n) {
        ResetDrawnPixels();
        SetClsColor(1, 2, 3);
        Cls();
        Flip(0);
        EXPECT_EQ(CountedPixels().solid, kFrameWidth * kFrameHeight);
    }
    EXPECT_EQ(PresentedFrames(), presented + 3);
}

}  // namespace
