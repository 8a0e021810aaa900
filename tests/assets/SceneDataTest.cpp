// The painted scenes against the places where the game draws over them: the
// map path runs under every level dot, the title pieces land on their
// perches, the clouds wrap without a seam, the crypt glow lines up with its
// layer, the level backgrounds stay dark where the board sits, and glowing
// pieces fade out inside their pictures instead of being cut by the edge;
// the coin turns through edge-on, and the shop's list pictures light up in
// place under the mouse.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/Pixmap.h"
#include "manifest/Manifest.h"
#include "progress/MapDots.h"

namespace {

const std::string kGraphics = std::string(HOLLOWMERE_DATA_DIR) + "/graphics/";

PixmapPtr Load(const std::string& path) {
    PixmapPtr pixmap = LoadPixmap(kGraphics + path);
    if (pixmap) pixmap = pixmap->Convert(PixelFormat::RGBA8888);
    return pixmap;
}

struct Colour {
    double r = 0, g = 0, b = 0, a = 0;
    double Luma() const { return 0.3 * r + 0.59 * g + 0.11 * b; }
};

// The mean colour of a rectangle.
Colour Mean(const TPixmap& pixmap, int x, int y, int w, int h) {
    Colour sum;
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i) {
            const uint32_t p = pixmap.ReadPixel(i, j);
            sum.a += p >> 24;
            sum.r += (p >> 16) & 0xFF;
            sum.g += (p >> 8) & 0xFF;
            sum.b += p & 0xFF;
        }
    }
    const double n = double(w) * h;
    return {sum.r / n, sum.g / n, sum.b / n, sum.a / n};
}

TEST(SceneData, MapPathRunsUnderEveryLevelDot) {
    PixmapPtr map = Load("Backgrounds/MapBackground.jpg");
    ASSERT_TRUE(map);
    for (size_t level = 0; level < kMapDots.size(); ++level) {
        const int cx = kMapDots[level][0] + 15, cy = kMapDots[level][1] + 15;
        // Trodden earth is warm; the grass, water and buildings around are not.
        const Colour under = Mean(*map, cx - 3, cy - 3, 7, 7);
        EXPECT_GT(under.r, under.b + 12) << "level " << level + 1;
        EXPECT_GT(under.r, under.g) << "level " << level + 1;
    }
    // And the grass between the loops is not earth-coloured.
    const Colour grass = Mean(*map, 590, 1180, 30, 30);
    EXPECT_LT(grass.r, grass.g);
}

TEST(SceneData, TitlePiecesLandOnTheirPlaces) {
    PixmapPtr foreground = Load("TitleScreen/foreground.png");
    PixmapPtr crow = Load("TitleScreen/crow_right.png");
    PixmapPtr eyes = Load("TitleScreen/redeyeblink.png");
    PixmapPtr tree = Load("TitleScreen/trTree.png");
    ASSERT_TRUE(foreground && crow && eyes && tree);
    // The sky is left to the sky picture and the clouds behind.
    EXPECT_LT(Mean(*foreground, 0, 0, 500, 150).a, 10);
    // The crow (drawn at 832, 372) has a branch under its feet: the lowest
    // opaque row of the crow meets opaque foreground.
    int feet = 0;
    for (int y = 0; y < crow->Height(); ++y) {
        for (int x = 0; x < crow->Width(); ++x) {
            if ((crow->ReadPixel(x, y) >> 24) > 128) feet = y;
        }
    }
    EXPECT_GT(Mean(*foreground, 832 + 40, 372 + feet + 1, 40, 4).a, 200);
    // The red eyes (726, 420) blink in a dark, solid doorway.
    const Colour doorway = Mean(*foreground, 726, 420, eyes->Width(), eyes->Height());
    EXPECT_GT(doorway.a, 250);
    EXPECT_LT(doorway.Luma(), 40);
    // The swaying crown is rooted at its bottom-right corner.
    EXPECT_GT(Mean(*tree, tree->Width() - 20, tree->Height() - 6, 12, 6).a, 250);
}

TEST(SceneData, TitleCloudsWrapWithoutASeam) {
    PixmapPtr clouds = Load("TitleScreen/clouds.png");
    ASSERT_TRUE(clouds);
    const int last = clouds->Width() - 1;
    double seam = 0, inside = 0;
    for (int y = 0; y < clouds->Height(); ++y) {
        const uint32_t left = clouds->ReadPixel(0, y), right = clouds->ReadPixel(last, y);
        const uint32_t a = clouds->ReadPixel(511, y), b = clouds->ReadPixel(512, y);
        seam = std::max(seam, std::abs(double(left >> 24) - double(right >> 24)));
        inside = std::max(inside, std::abs(double(a >> 24) - double(b >> 24)));
    }
    // Across the wrap the clouds change no more than between neighbours.
    EXPECT_LE(seam, std::max(6.0, inside * 2));
    // And there are clouds at all.
    EXPECT_GT(Mean(*clouds, 0, 0, clouds->Width(), clouds->Height()).a, 10);
}

TEST(SceneData, IntroCryptGlowsWhereLayerFourHasItsCrypt) {
    PixmapPtr layer = Load("Intro/layer4.png");
    PixmapPtr glow = Load("Intro/Glowing Crypt.png");
    ASSERT_TRUE(layer && glow);
    ASSERT_EQ(layer->Width(), glow->Width());
    ASSERT_EQ(layer->Height(), glow->Height());
    // Where the end of the pan centres the view (651, 153 in layer 4): the
    // crypt is solid in both pictures, and the glow is brighter.
    const Colour dark = Mean(*layer, 636, 170, 30, 60), lit = Mean(*glow, 636, 170, 30, 60);
    EXPECT_GT(dark.a, 250);
    EXPECT_GT(lit.a, 250);
    EXPECT_GT(lit.Luma(), dark.Luma() + 20);
    // Away from the crypt the glow picture leaves layer 4 alone.
    EXPECT_LT(Mean(*glow, 20, 380, 100, 60).a, 5);
}

TEST(SceneData, LevelBackgroundsStayDarkBehindTheBoard) {
    for (int n = 1; n <= 10; ++n) {
        PixmapPtr background = Load("Backgrounds/bg" + std::to_string(n) + ".jpg");
        ASSERT_TRUE(background) << n;
        const Colour board = Mean(*background, 150, 54, 860, 660);
        EXPECT_LT(board.Luma(), 80) << "bg" << n;
    }
    // The ending is a dawn: brighter than the night it dissolves from.
    PixmapPtr night = Load("Backgrounds/bg10.jpg"), dawn = Load("Backgrounds/bg11.jpg");
    ASSERT_TRUE(night && dawn);
    EXPECT_GT(Mean(*dawn, 0, 0, 1024, 768).Luma(), Mean(*night, 0, 0, 1024, 768).Luma() + 30);
}

TEST(SceneData, StoryPicturesHaveRoundedFramedCorners) {
    for (int n = 1; n <= 11; ++n) {
        PixmapPtr story = Load("DialogImages/story" + std::to_string(n) + ".png");
        ASSERT_TRUE(story) << n;
        const int w = story->Width(), h = story->Height();
        EXPECT_EQ(story->ReadPixel(0, 0) >> 24, 0u) << n;
        EXPECT_EQ(story->ReadPixel(w - 1, h - 1) >> 24, 0u) << n;
        EXPECT_EQ(story->ReadPixel(w / 2, h / 2) >> 24, 255u) << n;
    }
}

TEST(SceneData, GlowsAndTailsFadeOutInsideTheirPictures) {
    // A glow reaching the edge of its picture is cut off in a straight line
    // wherever the picture is drawn.
    constexpr uint32_t kMostAtTheEdge = 16;
    std::vector<std::string> pictures = {"TitleScreen/crow_right.png", "TitleScreen/crow_left.png",
                                         "TitleScreen/crow_blink.png", "TitleScreen/crow_caw.png"};
    for (const char* bomb : {"pump", "lantern", "candle", "grave", "torch", "well"})
        pictures.push_back(std::string("Bonuses/") + bomb + "2.png");
    for (const std::string& path : pictures) {
        PixmapPtr picture = Load(path);
        ASSERT_TRUE(picture) << path;
        const int w = picture->Width(), h = picture->Height();
        uint32_t most = 0;
        for (int x = 0; x < w; ++x)
            most = std::max(
                {most, picture->ReadPixel(x, 0) >> 24, picture->ReadPixel(x, h - 1) >> 24});
        for (int y = 0; y < h; ++y)
            most = std::max(
                {most, picture->ReadPixel(0, y) >> 24, picture->ReadPixel(w - 1, y) >> 24});
        EXPECT_LE(most, kMostAtTheEdge) << path;
    }
}

// Columns of a rectangle holding a mostly opaque pixel.
int OpaqueWidth(const TPixmap& pixmap, int x0, int y0, int w, int h) {
    int columns = 0;
    for (int x = x0; x < x0 + w; ++x) {
        for (int y = y0; y < y0 + h; ++y) {
            if ((pixmap.ReadPixel(x, y) >> 24) >= 128) {
                ++columns;
                break;
            }
        }
    }
    return columns;
}

TEST(SceneData, CoinTurnsThroughEdgeOnAndEndsFacingFront) {
    const asset::Entry* entry = asset::FindEntry("graphics/Bonuses/coin.png");
    ASSERT_TRUE(entry);
    ASSERT_GE(entry->frames, 12) << "a smooth turn";
    PixmapPtr strip = Load("Bonuses/coin.png");
    ASSERT_TRUE(strip);
    std::vector<int> widths;
    for (int frame = 0; frame < entry->frames; ++frame)
        widths.push_back(
            OpaqueWidth(*strip, frame * entry->cellWidth, 0, entry->cellWidth, entry->cellHeight));
    const int front = widths.back();
    EXPECT_EQ(front, *std::max_element(widths.begin(), widths.end()))
        << "the last frame faces front";
    EXPECT_GT(front, entry->cellWidth / 2);
    // Twice a turn the coin shows only its rim.
    int edgeOn = 0;
    for (int width : widths)
        edgeOn += width < front / 3;
    EXPECT_EQ(edgeOn, 2);
    // Half a turn on, the coin is as wide again (the turn is even).
    const int half = entry->frames / 2;
    for (int frame = 0; frame < half; ++frame)
        EXPECT_NEAR(widths[frame], widths[frame + half], 3) << "frame " << frame;
}

TEST(SceneData, ShopListPicturesLightUpInPlaceUnderTheMouse) {
    const std::string prefix = "graphics/ShopScreen/saleImages/";
    int checked = 0;
    for (const asset::Entry& entry : asset::Manifest()) {
        if (entry.path.rfind(prefix, 0) != 0 || entry.path.find(" MO.png") == std::string::npos)
            continue;
        const std::string over = entry.path.substr(std::string("graphics/").size());
        const std::string rest = over.substr(0, over.size() - std::string(" MO.png").size());
        SCOPED_TRACE(rest);
        PixmapPtr plain = Load(rest + ".png"), lit = Load(over);
        ASSERT_TRUE(plain && lit);
        ASSERT_EQ(plain->Width(), lit->Width());
        ASSERT_EQ(plain->Height(), lit->Height());
        // The same plate at the same place, so the shop can fade one into the other.
        int both = 0, either = 0;
        for (int y = 0; y < plain->Height(); ++y) {
            for (int x = 0; x < plain->Width(); ++x) {
                const bool a = (plain->ReadPixel(x, y) >> 24) >= 200,
                           b = (lit->ReadPixel(x, y) >> 24) >= 200;
                both += a && b;
                either += a || b;
            }
        }
        EXPECT_GT(double(both) / either, 0.95) << "the plates line up";
        // And brighter inside the plate.
        const int cx = plain->Width() / 2, cy = plain->Height() / 2;
        EXPECT_GT(Mean(*lit, cx - 25, cy - 25, 50, 50).Luma(),
                  Mean(*plain, cx - 25, cy - 25, 50, 50).Luma() + 8);
        ++checked;
    }
    EXPECT_EQ(checked, 38) << "every list picture has its mouse-over picture";
}

}  // namespace
