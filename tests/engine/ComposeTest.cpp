// Pictures drawn by hand into ARGB pixels: texels land where the placement
// puts them, turned and scaled; light adds up and saturates, alpha blends;
// tint and alpha scale the texels; nothing is written outside the target's
// rectangle or for a flat picture.
#include <gtest/gtest.h>

#include <vector>

#include "engine/Compose.h"

namespace {

constexpr uint32_t kGround = 0xFF204060;  // what the target holds before

// A picture of w x h texels, each given as 0xAARRGGBB, stored as the engine
// stores them (bytes R, G, B, A).
struct Texels {
    int width, height;
    std::vector<uint8_t> bytes;
    Texels(int w, int h, const std::vector<uint32_t>& argb) : width(w), height(h) {
        for (uint32_t p : argb)
            bytes.insert(bytes.end(), {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                                       static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 24)});
    }
    ComposePicture At(float x, float y) const {
        ComposePicture picture;
        picture.texels = bytes.data();
        picture.pitch = width * 4;
        picture.width = width;
        picture.height = height;
        picture.tx = x;
        picture.ty = y;
        return picture;
    }
};

// An 8 x 8 target of which the rectangle [1, 7) x [1, 7) may be drawn.
struct Target {
    std::vector<uint32_t> pixels = std::vector<uint32_t>(64, kGround);
    ComposeTarget Inner() { return {pixels.data() + 8 + 1, 8, 1, 1, 7, 7}; }
    uint32_t At(int x, int y) const { return pixels[y * 8 + x]; }
};

TEST(ComposeTest, TexelsLandWherePlacedTurnedAndScaled) {
    const Texels picture(2, 1, {0xFF0000FF, 0xFF00FF00});  // blue, green
    struct Case {
        const char* name;
        float m00, m01, m10, m11, x, y;
        std::vector<std::pair<int, int>> blue, green;
    } cases[] = {
        {"as it is", 1, 0, 0, 1, 2, 3, {{2, 3}}, {{3, 3}}},
        // A quarter turn clockwise: u runs down the screen.
        {"turned", 0, -1, 1, 0, 4, 2, {{3, 2}}, {{3, 3}}},
        {"twice as large",
         2,
         0,
         0,
         2,
         1,
         1,
         {{1, 1}, {2, 1}, {1, 2}, {2, 2}},
         {{3, 1}, {4, 1}, {3, 2}, {4, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Target target;
        ComposePicture placed = picture.At(c.x, c.y);
        placed.m00 = c.m00;
        placed.m01 = c.m01;
        placed.m10 = c.m10;
        placed.m11 = c.m11;
        Compose(target.Inner(), placed);
        int written = 0;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                written += target.At(x, y) != kGround;
        EXPECT_EQ(written, static_cast<int>(c.blue.size() + c.green.size()));
        for (auto [x, y] : c.blue)
            EXPECT_EQ(target.At(x, y), 0xFF0000FFu) << x << "," << y;
        for (auto [x, y] : c.green)
            EXPECT_EQ(target.At(x, y), 0xFF00FF00u) << x << "," << y;
    }
}

TEST(ComposeTest, LightAddsUpAlphaBlendsAndTintAndAlphaScaleTheTexels) {
    const Texels grey(1, 1, {0xFF808080});
    struct Case {
        const char* name;
        bool additive;
        uint8_t red, alpha;
        uint32_t texel, expected;
    } cases[] = {
        {"opaque over", false, 255, 255, 0xFF808080, 0xFF808080},
        {"half over", false, 255, 128, 0xFF808080, 0xFF506070},
        {"transparent texel", false, 255, 255, 0x00FFFFFF, kGround},
        {"tinted", false, 0, 255, 0xFF808080, 0xFF008080},
        {"light", true, 255, 255, 0xFF808080, 0xFFA0C0E0},
        {"light saturates", true, 255, 255, 0xFFFFFFFF, 0xFFFFFFFF},
        {"half light", true, 255, 128, 0xFF808080, 0xFF6080A0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Texels texel(1, 1, {c.texel});
        Target target;
        ComposePicture picture = texel.At(3, 3);
        picture.additive = c.additive;
        picture.red = c.red;
        picture.alpha = c.alpha;
        Compose(target.Inner(), picture);
        const uint32_t got = target.At(3, 3);
        for (int shift : {0, 8, 16})
            EXPECT_NEAR(static_cast<int>(got >> shift & 0xFF),
                        static_cast<int>(c.expected >> shift & 0xFF), 1)
                << std::hex << got;
    }
}

TEST(ComposeTest, NothingIsWrittenOutsideTheTargetOrForAFlatPicture) {
    const Texels block(4, 4, std::vector<uint32_t>(16, 0xFFFFFFFF));
    Target target;
    Compose(target.Inner(), block.At(-2, 5));  // over the left and bottom edges
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 1 && x < 7 && y >= 1 && y < 7;
            const bool covered = x < 2 && y >= 5;
            EXPECT_EQ(target.At(x, y), inside && covered ? 0xFFFFFFFFu : kGround) << x << "," << y;
        }
    ComposePicture flat = block.At(3, 3);
    flat.m00 = 0;
    EXPECT_TRUE(ComposeBounds(flat).Empty());
    Target untouched;
    Compose(untouched.Inner(), flat);
    EXPECT_EQ(untouched.pixels, std::vector<uint32_t>(64, kGround));
}

}  // namespace
