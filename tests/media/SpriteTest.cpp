// Sprites (frame animation, tweens, movement, drawing) and the image bank.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "engine/Collision.h"
#include "engine/Graphics.h"
#include "media/GameImage.h"
#include "media/Sprite.h"
#include "support/FrameFixture.h"

namespace {

class SpriteTest : public FrameTest {
  protected:
    // A sprite over an image of `frames` 8 x 8 frames, animation set up.
    TSpritePtr Animated(int frames, float ms, int dir, int reverse, int pingPong, int loop) {
        auto image = TGameImage::CreateFromImage(TImage::Create(8, 8, frames, 0), "TEST", 1);
        TSpritePtr sprite = TSprite::Create(image, 0, 0);
        sprite->SetupAnim(frames, ms, dir, reverse, 0, pingPong, loop);
        return sprite;
    }
    // The frames shown over `steps` steps.
    std::vector<int> FramesOver(TSprite& sprite, int steps) {
        std::vector<int> shown;
        for (int i = 0; i < steps; ++i) {
            sprite.ManageAnim();
            shown.push_back(sprite.frame);
        }
        return shown;
    }
};

TEST_F(SpriteTest, FrameAnimationEndsLoopsAndBounces) {
    // 4 frames over 40 steps, counting up.
    TSpritePtr once = Animated(4, 200, 1, 0, 0, 0);
    int callbacks = 0;
    once->AnimStoppedFunction = [&callbacks](TSprite&) { return ++callbacks; };
    std::vector<int> shown = FramesOver(*once, 45);
    EXPECT_EQ(shown[5], 0);
    EXPECT_EQ(shown[15], 1);
    EXPECT_EQ(shown[44], 3) << "a one-shot holds its last frame";
    EXPECT_EQ(once->ManageAnim(), 1) << "and reports the end on every later step";
    EXPECT_EQ(callbacks, 7);

    TSpritePtr thrice = Animated(4, 200, 1, 0, 0, 1);
    thrice->LoopCount = 3;
    int ends = 0;
    for (int i = 0; i < 200; ++i)
        ends += thrice->ManageAnim();
    EXPECT_EQ(thrice->Loop, 0) << "stops looping when the count runs out";
    EXPECT_EQ(thrice->frame, 3);
    EXPECT_GT(ends, 3);

    // Ping-pong over 4 frames of 5 steps each: 0 1 2 3 2 1 0 1 ...
    TSpritePtr bouncing = Animated(4, 100, 1, 0, 1, 1);
    shown = FramesOver(*bouncing, 60);
    std::vector<int> sequence;
    for (int f : shown) {
        if (sequence.empty() || sequence.back() != f) sequence.push_back(f);
    }
    const std::vector<int> expected = {0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 2, 1};
    ASSERT_GE(sequence.size(), expected.size());
    EXPECT_EQ(std::vector<int>(sequence.begin(), sequence.begin() + expected.size()), expected);

    // One frame, or a stopped animation, shows ImageFrame.
    TSpritePtr still = Animated(4, 100, 1, 0, 0, 1);
    still->ImageFrame = 2;
    FramesOver(*still, 7);
    still->StopAnim();
    EXPECT_EQ(still->ManageAnim(), 0);
    EXPECT_EQ(still->AnimCounter, 0);
}

TEST_F(SpriteTest, TweensMovementAndBounds) {
    TSpritePtr sprite = Animated(1, 100, 0, 0, 0, 1);
    sprite->SetupRotation(2, 0, 1, 0);
    sprite->Rotation = 359;
    sprite->ManageRotation();
    EXPECT_FLOAT_EQ(sprite->Rotation, 1.0f);
    sprite->SetScaleXY(2, 0);
    EXPECT_FLOAT_EQ(sprite->ScaleX, 2.0f);
    EXPECT_FLOAT_EQ(sprite->ScaleY, 2.0f);
    sprite->SetScaleXY(2, 3);
    EXPECT_FLOAT_EQ(sprite->ScaleY, 3.0f);
    EXPECT_FLOAT_EQ(sprite->Height(), 24.0f);
    sprite->SetupScale(0.1f, 0, 50);  // 10 steps
    for (int i = 0; i < 20; ++i)
        sprite->ManageScale();
    EXPECT_NEAR(sprite->ScaleX, 3.0f, 1e-4) << "the tween stops after its length";

    sprite->dx = 2;
    sprite->ygravity = 0.5f;
    sprite->Move();
    sprite->Move();
    EXPECT_FLOAT_EQ(sprite->x, 4.0f);
    EXPECT_FLOAT_EQ(sprite->y, 0.5f) << "position first, velocity after";

    sprite->SetPosition(-100, 2000);
    sprite->BoundsCheck();
    EXPECT_FLOAT_EQ(sprite->x, 4.0f);
    EXPECT_FLOAT_EQ(sprite->y, 764.0f);
    sprite->SetPosition(-3, 100);
    EXPECT_EQ(sprite->OutOfBounds(), 0);
    sprite->SetPosition(-5, 100);
    EXPECT_EQ(sprite->OutOfBounds(), 1) << "only once wholly off screen";

    sprite->SetGlow(2, 1.0f, 0.25f, 0, 1);
    for (int i = 0; i < 5; ++i)
        sprite->ManageGlow();
    EXPECT_FLOAT_EQ(sprite->Glow, 0.0f);
}

TEST_F(SpriteTest, DrawingAppliesScaleAlphaTintShadowAndLight) {
    PixmapPtr pixels = TPixmap::Create(10, 10, PixelFormat::RGBA8888);
    pixels->ClearPixels(0xFFFFFFFFu);
    auto image = TGameImage::CreateFromImage(TImage::FromPixmap(pixels, 0), "WHITE", 1);
    TSpritePtr sprite = TSprite::Create(image, 100, 100);
    sprite->SetScaleXY(2, 0);
    sprite->Color = TColor::Create(255, 0, 0);
    sprite->SetShadow(1, 30, 0, 0.5f);
    SetClsColor(0, 0, 200);
    Cls();
    SetBlend(ALPHABLEND);
    sprite->Draw();
    PixmapPtr frame = headless::ReadFrame();
    EXPECT_EQ(frame->ReadPixel(100, 100), 0xFFFF0000u) << "tinted";
    EXPECT_EQ(headless::Red(frame->ReadPixel(91, 91)), 255) << "scaled to 20 x 20 about the centre";
    EXPECT_NEAR(headless::Blue(frame->ReadPixel(125, 100)), 100, 3)
        << "half-transparent black shadow";
    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ(g, 255) << "colour restored after drawing";

    sprite->Color.reset();
    sprite->SetShadow(0, 0, 0, 0);
    Cls();
    sprite->DrawLight(0.5f, 1, 0, 0, nullptr);
    frame = headless::ReadFrame();
    EXPECT_NEAR(headless::Red(frame->ReadPixel(100, 100)), 127, 3)
        << "additive light at half intensity";
    EXPECT_EQ(headless::Blue(frame->ReadPixel(100, 100)), 200);
    EXPECT_EQ(GetBlend(), ALPHABLEND);

    // A light pass draws the image it is given, or else the sprite's own,
    // and leaves no alternative image behind.
    PixmapPtr greenPixels = TPixmap::Create(10, 10, PixelFormat::RGBA8888);
    greenPixels->ClearPixels(0xFF00FF00u);
    auto green = TGameImage::CreateFromImage(TImage::FromPixmap(greenPixels, 0), "GREEN", 1);
    sprite->AlternativeImage = green;
    for (const TGameImagePtr& light : {TGameImagePtr(), green}) {
        SCOPED_TRACE(light ? "green light image" : "no light image");
        Cls();
        SetColor(10, 20, 30);
        sprite->DrawLight(1, 1, 1, 1, light);
        frame = headless::ReadFrame();
        EXPECT_EQ(headless::Red(frame->ReadPixel(100, 100)), light ? 0 : 255);
        EXPECT_EQ(headless::Green(frame->ReadPixel(100, 100)), 255);
        EXPECT_FALSE(sprite->AlternativeImage);
        EXPECT_EQ(GetBlend(), ALPHABLEND);
        GetColor(r, g, b);
        EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{255, 255, 255}));
        sprite->AlternativeImage = green;
    }
}

TEST_F(SpriteTest, ImageBankStoresByBareUpperCaseName) {
    const std::filesystem::path folder = home_ / "graphics";
    std::filesystem::create_directories(folder / "Sub");
    PixmapPtr pixels = TPixmap::Create(6, 4, PixelFormat::RGBA8888);
    pixels->ClearPixels(0xFF808080u);
    ASSERT_TRUE(SavePixmapPNG(*pixels, (folder / "Sub" / "Moon.png").string(), 1));
    ASSERT_TRUE(SavePixmapPNG(*pixels, (folder / "Sub" / "strip.png").string(), 1));
    TImageBank bank;
    bank.SetPath(folder.string());
    EXPECT_EQ(bank.Path.back(), '/');
    bank.Load("Sub/Moon");  // no extension: the bank's own
    EXPECT_TRUE(bank.Contains("MOON"));
    EXPECT_EQ(bank.Find("moon")->w, 6);
    EXPECT_FLOAT_EQ(bank.Find("mOoN")->w2, 3.0f);
    EXPECT_EQ(bank.Find("MOON")->midhandled, 1);
    bank.Load("sub/MOON.PNG", "Night Sky", -1,
              0);  // own extension, any case; a name replaces the key
    EXPECT_TRUE(bank.Contains("NIGHT SKY"));
    EXPECT_EQ(bank.Find("night sky")->midhandled, 0);
    bank.LoadAnim("Sub/strip", 2, 2, 0, 6);
    EXPECT_EQ(bank.Find("STRIP")->Frames(), 6);
    EXPECT_FALSE(bank.FindTImage("nothing"));
    EXPECT_EQ(FatalMessageOf([&] { bank.Find("nothing"); }),
              "Image 'NOTHING' was Not found in the ImageBank");
    EXPECT_EQ(FatalMessageOf([&] { bank.Load("Sub/missing"); }),
              "Error loading bitmap " + folder.string() + "/Sub/missing.png");
    EXPECT_EQ(bank.CalcRAM(), (6 * 4 * 4 * 2 + 2 * 2 * 4 * 6) / 1024);
}

TEST_F(SpriteTest, GameObjectsLeaveTheirListWhenOffScreen) {
    auto image = TGameImage::CreateFromImage(TImage::Create(10, 10, 1, 0), "OBJ", 1);
    TGameObjectList list;
    TGameObjectPtr leaving = list.AddNew(1000, 100, image);
    leaving->dx = 20;
    list.AddNew(500, 100, image)->dx = 1;
    list.Move();
    EXPECT_EQ(list.Count(), 2);
    list.Move();
    EXPECT_EQ(list.Count(), 1) << "killed itself once out of bounds, mid-walk";
    EXPECT_EQ(leaving->GameObjects, nullptr);
    list.Kill();
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(SpriteTest, GameObjectsWriteTheFramesTheyShowIntoCollisionLayerOne) {
    // Two 4 x 4 frames: the first solid, the second solid only at its top-left pixel.
    PixmapPtr strip = TPixmap::Create(8, 4, PixelFormat::RGBA8888);
    strip->ClearPixels(0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            strip->WritePixel(x, y, 0xFFFFFFFFu);
    strip->WritePixel(4, 0, 0xFFFFFFFFu);
    auto image =
        TGameImage::CreateFromImage(TImage::AnimFromPixmap(strip, 4, 4, 0, 2, 0), "TWO", 0);
    TGameObjectList list;
    TGameObjectPtr solid = list.AddNew(10.9f, 20.9f, image);
    TGameObjectPtr dot = list.AddNew(-3.5f, 50, image);
    dot->ImageFrame = 1;
    list.AddNew(0, 0, nullptr);  // nothing to write
    ResetCollisions();
    list.Collide();

    // Who a one-pixel probe at (x, y) touches in the layers of mask.
    auto touched = [](int x, int y, uint32_t mask) {
        PixmapPtr pixel = TPixmap::Create(1, 1, PixelFormat::RGBA8888);
        pixel->ClearPixels(0xFFFFFFFFu);
        ImagePtr probe = TImage::FromPixmap(pixel, 0);
        std::vector<TSprite*> sprites;
        for (const CollisionId& id : CollideImage(*probe, x, y, 0, mask, 0, nullptr))
            sprites.push_back(std::static_pointer_cast<TSprite>(id).get());
        return sprites;
    };
    using Sprites = std::vector<TSprite*>;
    const uint32_t layer = CollisionLayer(1);
    EXPECT_EQ(touched(10, 20, layer), Sprites{solid.get()}) << "position truncated";
    EXPECT_EQ(touched(13, 23, layer), Sprites{solid.get()});
    EXPECT_EQ(touched(14, 23, layer), Sprites{});
    EXPECT_EQ(touched(9, 20, layer), Sprites{});
    EXPECT_EQ(touched(-3, 50, layer), Sprites{dot.get()}) << "truncated toward zero";
    EXPECT_EQ(touched(-4, 50, layer), Sprites{});
    EXPECT_EQ(touched(-2, 50, layer), Sprites{}) << "the frame the object shows";
    EXPECT_EQ(touched(10, 20, ALL_COLLISION_LAYERS & ~layer), Sprites{}) << "layer 1 only";
    ResetCollisions();
}

}  // namespace
