// Rendered pixels of the drawing layer on the headless software renderer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "engine/Graphics.h"
#include "engine/Image.h"
#include "support/Headless.h"

using headless::Blue;
using headless::Green;
using headless::Red;

namespace {

constexpr int kTolerance = 3;

// An image of one row of pixels, ARGB each.
ImagePtr RowImage(std::initializer_list<uint32_t> argb, int flags = 0) {
    PixmapPtr pixels = TPixmap::Create(static_cast<int>(argb.size()), 1, PixelFormat::RGBA8888);
    int x = 0;
    for (uint32_t p : argb)
        pixels->WritePixel(x++, 0, p);
    return TImage::FromPixmap(pixels, flags);
}

ImagePtr SolidImage(int w, int h, uint32_t argb, int flags = 0) {
    PixmapPtr pixels = TPixmap::Create(w, h, PixelFormat::RGBA8888);
    pixels->ClearPixels(argb);
    return TImage::FromPixmap(pixels, flags);
}

void ExpectColour(const TPixmap& frame, int x, int y, int r, int g, int b, const char* what) {
    const uint32_t p = frame.ReadPixel(x, y);
    EXPECT_NEAR(Red(p), r, kTolerance) << what << " at " << x << "," << y;
    EXPECT_NEAR(Green(p), g, kTolerance) << what << " at " << x << "," << y;
    EXPECT_NEAR(Blue(p), b, kTolerance) << what << " at " << x << "," << y;
}

bool IsBackground(const TPixmap& frame, int x, int y) {
    return (frame.ReadPixel(x, y) & 0xFFFFFF) == 0;
}

class GraphicsTest : public HeadlessTest {
  protected:
    void ClearTo(int r, int g, int b) {
        SetClsColor(r, g, b);
        Cls();
    }
};

TEST_F(GraphicsTest, BlendModesCombineSourceAndDestinationAsNumbered) {
    // Destination grey 100; source pixels red 200 with alpha 0, 64, 128, 255.
    ImagePtr image = RowImage({0x00C80000u, 0x40C80000u, 0x80C80000u, 0xFFC80000u});
    ASSERT_TRUE(image);
    struct Case {
        int mode;
        int y;
    };
    ClearTo(100, 100, 100);
    for (Case c : {Case{MASKBLEND, 0}, Case{SOLIDBLEND, 2}, Case{ALPHABLEND, 4},
                   Case{LIGHTBLEND, 6}, Case{SHADEBLEND, 8}}) {
        SetBlend(c.mode);
        DrawImage(image, 0, static_cast<float>(c.y));
    }
    PixmapPtr frame = headless::ReadFrame();
    ASSERT_TRUE(frame);
    // Mask: below one half not drawn, from one half on drawn opaque.
    ExpectColour(*frame, 0, 0, 100, 100, 100, "mask a=0");
    ExpectColour(*frame, 1, 0, 100, 100, 100, "mask a=64");
    ExpectColour(*frame, 2, 0, 200, 0, 0, "mask a=128");
    ExpectColour(*frame, 3, 0, 200, 0, 0, "mask a=255");
    // Solid ignores alpha altogether.
    for (int x = 0; x < 4; ++x)
        ExpectColour(*frame, x, 2, 200, 0, 0, "solid");
    // Alpha: s*a + d*(1-a).
    ExpectColour(*frame, 0, 4, 100, 100, 100, "alpha a=0");
    ExpectColour(*frame, 1, 4, 100 + (200 - 100) * 64 / 255, 100 - 100 * 64 / 255,
                 100 - 100 * 64 / 255, "alpha a=64");
    ExpectColour(*frame, 3, 4, 200, 0, 0, "alpha a=255");
    // Light: d + s*a.
    ExpectColour(*frame, 0, 6, 100, 100, 100, "light a=0");
    ExpectColour(*frame, 2, 6, 100 + 200 * 128 / 255, 100, 100, "light a=128");
    ExpectColour(*frame, 3, 6, 255, 100, 100, "light a=255 saturates");
    // Shade: s*d.
    ExpectColour(*frame, 3, 8, 200 * 100 / 255, 0, 0, "shade");
}

TEST_F(GraphicsTest, ColourAndAlphaModulateImagesAndPrimitives) {
    ImagePtr white = SolidImage(4, 4, 0xFFFFFFFFu);
    ClearTo(0, 0, 200);
    SetBlend(SOLIDBLEND);
    SetColor(255, 128, 0);
    DrawImage(white, 0, 0);
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetAlpha(0.5f);
    DrawImage(white, 10, 0);
    SetColor(0, 255, 0);
    SetAlpha(0.25f);
    DrawRect(20, 0, 4, 4);
    PixmapPtr frame = headless::ReadFrame();
    ExpectColour(*frame, 1, 1, 255, 128, 0, "tinted image");
    ExpectColour(*frame, 11, 1, 128, 128, 228, "half-transparent white over blue");
    ExpectColour(*frame, 21, 1, 0, 64, 150, "quarter-transparent green rectangle");
    // The state reads back as set.
    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ(g, 255);
    EXPECT_FLOAT_EQ(GetAlpha(), 0.25f);
    EXPECT_EQ(GetBlend(), ALPHABLEND);
    SetAlpha(3.0f);
    EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
}

TEST_F(GraphicsTest, RotationAndScaleTurnAboutTheHandle) {
    // Left half red, right half blue, 20 x 10, handle at its centre.
    PixmapPtr pixels = TPixmap::Create(20, 10, PixelFormat::RGBA8888);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x)
            pixels->WritePixel(x, y, x < 10 ? 0xFFFF0000u : 0xFF0000FFu);
    }
    ImagePtr image = TImage::FromPixmap(pixels, 0);
    image->MidHandle();
    ClearTo(0, 0, 0);
    SetTransform(90, 1, 1);  // clockwise: the left (red) half ends up on top
    DrawImage(image, 100, 100);
    SetTransform(0, 2, 3);  // 40 x 30 around (300, 100)
    DrawImage(image, 300, 100);
    SetTransform(0, -1, 1);  // mirrored: blue on the left
    DrawImage(image, 500, 100);
    SetTransform(0, 1, 1);
    headless::SaveFrame("graphics-transforms");
    PixmapPtr frame = headless::ReadFrame();
    ExpectColour(*frame, 100, 94, 255, 0, 0, "rotated top");
    ExpectColour(*frame, 100, 106, 0, 0, 255, "rotated bottom");
    EXPECT_TRUE(IsBackground(*frame, 89, 100)) << "rotated image is 10 wide";
    EXPECT_FALSE(IsBackground(*frame, 282, 87));
    EXPECT_TRUE(IsBackground(*frame, 278, 100)) << "scaled image is 40 wide";
    EXPECT_TRUE(IsBackground(*frame, 300, 83)) << "scaled image is 30 high";
    ExpectColour(*frame, 318, 113, 0, 0, 255, "scaled right half");
    ExpectColour(*frame, 495, 100, 0, 0, 255, "mirrored left");
    ExpectColour(*frame, 505, 100, 255, 0, 0, "mirrored right");
}

TEST_F(GraphicsTest, DrawStateGuardHandsBackTheStateItFound) {
    struct State {
        int blend, r, g, b;
        float alpha, rotation, scaleX, scaleY, handleX, handleY, originX, originY, lineWidth;
        static State Now() {
            State s{};
            s.blend = GetBlend();
            GetColor(s.r, s.g, s.b);
            s.alpha = GetAlpha();
            s.rotation = GetRotation();
            GetScale(s.scaleX, s.scaleY);
            GetHandle(s.handleX, s.handleY);
            GetOrigin(s.originX, s.originY);
            s.lineWidth = GetLineWidth();
            return s;
        }
        std::vector<float> Values() const {
            return {float(blend), float(r), float(g), float(b), alpha,   rotation, scaleX,
                    scaleY,       handleX,  handleY,  originX,  originY, lineWidth};
        }
    };
    ClearTo(0, 0, 0);
    SetBlend(LIGHTBLEND);
    SetColor(10, 20, 30);
    SetAlpha(0.75f);
    SetTransform(0, 2, 2);
    SetHandle(1, 2);
    SetOrigin(100, 0);
    SetLineWidth(3);
    const State before = State::Now();
    {
        const DrawStateGuard outer;
        SetBlend(SHADEBLEND);
        SetColor(0, 0, 0);
        SetAlpha(0.1f);
        SetTransform(45, 0.5f, 3);
        SetHandle(7, 8);
        SetOrigin(0, 50);
        SetLineWidth(1);
        const std::vector<float> inside = State::Now().Values();
        {
            const DrawStateGuard inner;
            SetBlend(ALPHABLEND);
            SetColor(255, 0, 0);
            SetTransform(0, 1, 1);
        }
        EXPECT_EQ(State::Now().Values(), inside)
            << "a nested guard restores the outer scope's state";
        SetViewport(0, 0, 200, 200);
        SetClsColor(1, 2, 3);
    }
    EXPECT_EQ(State::Now().Values(), before.Values());
    int x, y, w, h;
    GetViewport(x, y, w, h);
    EXPECT_EQ((std::vector<int>{x, y, w, h}), (std::vector<int>{0, 0, 200, 200}))
        << "the viewport is not part of the guarded state";
    SetViewport(0, 0, 1024, 768);

    // The restored transform is the one drawing uses: a 10 x 10 rectangle at
    // scale 2 and origin (100, 0) covers (100..119, 0..19) less the handle.
    SetBlend(SOLIDBLEND);
    SetColor(255, 255, 255);
    SetHandle(0, 0);
    DrawRect(0, 0, 10, 10);
    SetTransform(0, 1, 1);
    SetOrigin(0, 0);
    PixmapPtr frame = headless::ReadFrame();
    ASSERT_TRUE(frame);
    EXPECT_FALSE(IsBackground(*frame, 119, 19));
    EXPECT_TRUE(IsBackground(*frame, 120, 10)) << "drawn at the restored scale 2, not 0.5 or 1";
    EXPECT_TRUE(IsBackground(*frame, 99, 10)) << "drawn at the restored origin";
}

TEST_F(GraphicsTest, ViewportOriginAndVirtualResolutionPlaceDrawing) {
    ClearTo(0, 0, 0);
    SetViewport(100, 100, 50, 50);
    SetColor(255, 255, 255);
    DrawRect(0, 0, 1024, 768);
    SetViewport(0, 0, 1024, 768);
    SetOrigin(200, 300);
    SetColor(0, 255, 0);
    DrawRect(0, 0, 10, 10);
    SetOrigin(0, 0);
    PixmapPtr frame = headless::ReadFrame();
    EXPECT_FALSE(IsBackground(*frame, 100, 100));
    EXPECT_FALSE(IsBackground(*frame, 149, 149));
    EXPECT_TRUE(IsBackground(*frame, 99, 120));
    EXPECT_TRUE(IsBackground(*frame, 150, 120));
    ExpectColour(*frame, 205, 305, 0, 255, 0, "origin offset");

    // A virtual 512 x 384 screen on the 1024 x 768 buffer doubles everything,
    // the viewport included.
    ClearTo(0, 0, 0);
    SetVirtualResolution(512, 384);
    SetViewport(0, 0, 512, 384);
    SetColor(255, 0, 0);
    DrawRect(10, 10, 10, 10);
    SetViewport(100, 0, 10, 384);
    DrawRect(0, 100, 512, 10);
    frame = headless::ReadFrame();
    EXPECT_FALSE(IsBackground(*frame, 20, 20));
    EXPECT_FALSE(IsBackground(*frame, 39, 39));
    EXPECT_TRUE(IsBackground(*frame, 41, 30));
    EXPECT_FALSE(IsBackground(*frame, 210, 210));
    EXPECT_TRUE(IsBackground(*frame, 198, 210));
    EXPECT_TRUE(IsBackground(*frame, 221, 210));
    EXPECT_FLOAT_EQ(VirtualMouseX(200), 100.0f);
    EXPECT_FLOAT_EQ(VirtualMouseY(768), 384.0f);
}

TEST_F(GraphicsTest, SubRectanglesScaleIntoTheirDestination) {
    // Four 4 x 4 quadrants: red, green / blue, white.
    PixmapPtr pixels = TPixmap::Create(8, 8, PixelFormat::RGBA8888);
    const uint32_t colours[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x)
            pixels->WritePixel(x, y, colours[(y / 4) * 2 + x / 4]);
    }
    ImagePtr image = TImage::FromPixmap(pixels, 0);
    ClearTo(0, 0, 0);
    DrawSubImageRect(*image, 50, 50, 16, 16, 4, 0, 4, 4);       // green quadrant, four times larger
    DrawSubImageRect(*image, 100, 50, 8, 8, 0, 4, 4, 4, 2, 2);  // blue, handle (2, 2) source pixels
    DrawImageRect(*image, 200, 50, 32, 16);
    PixmapPtr frame = headless::ReadFrame();
    ExpectColour(*frame, 50, 50, 0, 255, 0, "sub-rect top-left");
    ExpectColour(*frame, 65, 65, 0, 255, 0, "sub-rect bottom-right");
    EXPECT_TRUE(IsBackground(*frame, 66, 58));
    ExpectColour(*frame, 96, 46, 0, 0, 255, "handle moves the rectangle up and left");
    EXPECT_TRUE(IsBackground(*frame, 104, 54));
    ExpectColour(*frame, 231, 51, 0, 255, 0, "stretched whole image, top right");
    ExpectColour(*frame, 201, 64, 0, 0, 255, "stretched whole image, bottom left");
}

TEST_F(GraphicsTest, PrimitivesFillTheirShapes) {
    ClearTo(0, 0, 0);
    SetColor(255, 255, 255);
    DrawOval(100, 100, 40, 20);
    DrawLine(300, 100, 340, 100);
    SetLineWidth(5);
    DrawLine(300, 200, 340, 240);
    SetLineWidth(1);
    Plot(400, 400);
    DrawPoly({500, 100, 540, 100, 520, 140});
    SetHandle(10, 10);
    DrawRect(600, 100, 20, 20);
    SetHandle(0, 0);
    PixmapPtr frame = headless::ReadFrame();
    EXPECT_FALSE(IsBackground(*frame, 120, 110)) << "oval centre";
    EXPECT_TRUE(IsBackground(*frame, 101, 101)) << "oval corner";
    EXPECT_FALSE(IsBackground(*frame, 320, 100)) << "thin line";
    EXPECT_FALSE(IsBackground(*frame, 321, 219)) << "thick line centre";
    EXPECT_FALSE(IsBackground(*frame, 319, 222)) << "thick line is wide";
    EXPECT_FALSE(IsBackground(*frame, 400, 400)) << "plot";
    EXPECT_TRUE(IsBackground(*frame, 401, 401));
    EXPECT_FALSE(IsBackground(*frame, 520, 110)) << "triangle";
    EXPECT_TRUE(IsBackground(*frame, 502, 138));
    EXPECT_FALSE(IsBackground(*frame, 591, 91)) << "rectangle shifted by the handle";
    EXPECT_TRUE(IsBackground(*frame, 611, 111));
}

TEST_F(GraphicsTest, LockedPixelsReachTheScreenAndFramesSurviveFlip) {
    ImagePtr image = SolidImage(4, 4, 0xFF000000u);
    PixmapPtr pixels = image->Lock(0);
    ASSERT_TRUE(pixels);
    pixels->WritePixel(1, 1, 0xFF00FF00u);
    image->Unlock(0);
    ClearTo(10, 20, 30);
    DrawImage(image, 0, 0);
    DrawText("Hi", 50, 50);
    SetTransform(0, 2, 2);
    DrawText("The quick brown fox jumps over the lazy dog 0123456789 !?()[]{}<>", 10, 200);
    SetTransform(0, 1, 1);
    headless::SaveFrame("graphics-text");
    // A kept frame is still there to be grabbed after it was presented.
    KeepFrame(true);
    Flip(0);
    PixmapPtr grabbed = GrabPixmap(0, 0, 80, 80);
    KeepFrame(false);
    ASSERT_TRUE(grabbed);
    EXPECT_EQ(grabbed->Width(), 80);
    ExpectColour(*grabbed, 1, 1, 0, 255, 0, "locked pixel");
    ExpectColour(*grabbed, 70, 70, 10, 20, 30, "cleared colour");
    int textPixels = 0;
    for (int y = 50; y < 50 + TextHeight("Hi"); ++y) {
        for (int x = 50; x < 50 + TextWidth("Hi"); ++x)
            textPixels += Red(grabbed->ReadPixel(x, y)) > 128;
    }
    EXPECT_GT(textPixels, 10) << "built-in text draws inside its measured box";
    EXPECT_LT(textPixels, TextWidth("Hi") * TextHeight("Hi") / 2) << "letters, not filled cells";
    EXPECT_EQ(TextWidth("Hi"), 2 * TextWidth("H"));
}

TEST_F(GraphicsTest, AnimationStripsAreCutRowByRow) {
    // A 3 x 2 grid of 2 x 2 cells, cell n filled with grey level 10 n.
    PixmapPtr pixels = TPixmap::Create(6, 4, PixelFormat::RGBA8888);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            const uint32_t level = 10u * ((y / 2) * 3 + x / 2);
            pixels->WritePixel(x, y, 0xFF000000u | level << 16 | level << 8 | level);
        }
    }
    ImagePtr strip = TImage::AnimFromPixmap(pixels, 2, 2, 1, 5, 0);
    ASSERT_TRUE(strip);
    EXPECT_EQ(strip->Frames(), 5);
    EXPECT_EQ(strip->Width(), 2);
    for (int frame = 0; frame < 5; ++frame) {
        EXPECT_EQ(Red(strip->Lock(frame)->ReadPixel(1, 1)), 10 * (frame + 1)) << "frame " << frame;
    }
    EXPECT_FALSE(TImage::AnimFromPixmap(pixels, 2, 2, 2, 5, 0)) << "asks for more cells than exist";
    // Mid handles for new images when switched on.
    AutoMidHandle(true);
    ImagePtr mid = SolidImage(10, 6, 0xFFFFFFFFu);
    AutoMidHandle(false);
    EXPECT_FLOAT_EQ(mid->HandleX(), 5.0f);
    EXPECT_FLOAT_EQ(mid->HandleY(), 3.0f);
}

TEST_F(GraphicsTest, MaskColourIsPunchedOutOfPicturesWithoutAlpha) {
    PixmapPtr rgb = TPixmap::Create(2, 1, PixelFormat::RGB888);
    rgb->WritePixel(0, 0, 0xFFFF00FFu);
    rgb->WritePixel(1, 0, 0xFF00FF00u);
    SetMaskColor(255, 0, 255);
    ImagePtr masked = TImage::FromPixmap(rgb, MASKEDIMAGE);
    ImagePtr unmasked = TImage::FromPixmap(rgb, 0);
    SetMaskColor(0, 0, 0);
    EXPECT_EQ(masked->Lock(0)->ReadPixel(0, 0) >> 24, 0u);
    EXPECT_EQ(masked->Lock(0)->ReadPixel(1, 0) >> 24, 255u);
    EXPECT_EQ(unmasked->Lock(0)->ReadPixel(0, 0) >> 24, 255u);
}

// A scene of every kind of draw, a still layer and a batch the engine draws
// by itself among them, in the game's units on a scaled frame.
void DrawMixedScene(TFrameLayer& layer) {
    SetVirtualResolution(1024, 768);
    SetViewport(0, 0, 1024, 768);
    SetOrigin(0, 0);
    SetClsColor(30, 60, 90);
    Cls();
    layer.Drop();
    ASSERT_TRUE(layer.Begin());
    SetColor(200, 180, 40);
    DrawRect(40, 40, 300, 200);
    layer.End();
    layer.Draw();
    SetViewport(16, 8, 992, 752);
    ImagePtr picture = SolidImage(64, 64, 0x80FF4020u);
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetAlpha(0.7f);
    SetTransform(30, 1.5f, 1.5f);
    DrawImage(picture, 500, 300);
    SetTransform(0, 1, 1);
    SetAlpha(1);
    std::vector<ImageInstance> batch;
    for (int n = 0; n < 24; ++n) {
        ImageInstance one;
        one.image = picture.get();
        one.x = 700 + n;
        one.y = 500 + n;
        one.rotation = 15.0f * n;
        one.blend = n % 2 ? LIGHTBLEND : ALPHABLEND;
        batch.push_back(one);
    }
    DrawImageInstances(batch.data(), batch.size());
    SetColor(40, 220, 90);
    DrawOval(100, 500, 180, 120);
    DrawLine(0, 0, 1023, 767);
    DrawText("Hollowmere", 20, 740);
    SetColor(255, 255, 255);
    SetBlend(SOLIDBLEND);
}

TEST_F(GraphicsTest, AFrameDrawnIntoTheWindowIsTheFrameCopiedThereAndBarsSurroundIt) {
    // Drawn straight into the window, as a frame not retained is.
    RetainFrame(false);
    SetWindowSize(1000, 700);
    SetBarColor(24, 24, 24);
    ASSERT_TRUE(SetFrameRect(100, 50, 800, 600));
    TFrameLayer layer;
    const int composed = ComposedBatches();
    KeepFrame(true);
    EXPECT_FALSE(FrameDrawnDirect());
    DrawMixedScene(layer);
    Flip(0);
    PixmapPtr copied = ReadBackBuffer();
    KeepFrame(false);
    EXPECT_TRUE(FrameDrawnDirect()) << "the software renderer draws into a part of the window";
    DrawMixedScene(layer);
    EXPECT_EQ(ComposedBatches(), composed + 2) << "the batch was drawn by the engine both times";
    PixmapPtr direct = ReadBackBuffer();
    ASSERT_TRUE(copied && direct);
    ASSERT_EQ(direct->Width(), 800);
    ASSERT_EQ(direct->Height(), 600);
    int differing = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            differing += direct->ReadPixel(x, y) != copied->ReadPixel(x, y);
    EXPECT_EQ(differing, 0) << "pixels differ between the frame drawn in place and copied";
    headless::SaveFrame("graphics-direct-frame");

    // The window as presented (the software renderer keeps it): the frame at
    // its place, the bars around it, the margins outside the viewport cleared.
    Flip(0);
    ASSERT_TRUE(SetFrameRect(0, 0, 1000, 700));
    PixmapPtr window = ReadBackBuffer();
    ASSERT_TRUE(window);
    for (const auto& [x, y] : {std::pair{50, 350}, {950, 350}, {500, 20}, {500, 680}})
        ExpectColour(*window, x, y, 24, 24, 24, "bar");
    ExpectColour(*window, 104, 300, 30, 60, 90, "margin left of the viewport");
    differing = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            differing += window->ReadPixel(100 + x, 50 + y) != direct->ReadPixel(x, y);
    EXPECT_EQ(differing, 0) << "the frame presented is the frame drawn";
    SetWindowSize(1024, 768);
    ASSERT_TRUE(SetFrameRect(0, 0, 1024, 768));
    SetBarColor(0, 0, 0);
    RetainFrame(true);
}

}  // namespace
