// Drawing the board with the real pictures: tiles and border pieces at their
// top-left, extra pieces placed by their picture size, the border shadow, the
// tile flash and the mouse-over mark; one whole frame is saved to look at.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "board/BoardFixture.h"
#include "board/Gem.h"
#include "board/Grid.h"
#include "engine/Files.h"
#include "engine/Graphics.h"
#include "frame/Game.h"
#include "media/GameImage.h"
#include "play/GameScreen.h"
#include "support/FrameFixture.h"

namespace {

using headless::Blue;
using headless::Green;
using headless::Red;

constexpr uint32_t kBackground = 0xFF1E1E3Cu;

const char* const kPictures[] = {
    "Grid/EmptyTile",         "Grid/IceTile",    "Grid/SnowTile",   "Grid/BonusHighlight",
    "Grid/MagicHighlight",    "Grid/Rock1Var1",  "Grid/Rock1Var2",  "Grid/Rock2",
    "Cursor/Cursor",          "Gems/Gold Skull", "Gems/Lock1",      "Gems/Lock2",
    "Particles/ParticleRing", "Bonuses/pump1",   "Bonuses/pump2",   "Bonuses/lantern1",
    "Bonuses/lantern2",       "Bonuses/candle1", "Bonuses/candle2", "Bonuses/grave1",
    "Bonuses/grave2",         "Bonuses/torch1",  "Bonuses/torch2",  "Bonuses/well1",
    "Bonuses/well2",          "Bonuses/garlic",  "Bonuses/moneybag"};

const char* const kBorderPictures[] = {
    "BorderBottom",    "BorderLeft",      "BorderRight",      "BorderTop",     "CornerBL",
    "CornerBR",        "CornerTL",        "CornerTR",         "InnerCornerBL", "InnerCornerBR",
    "InnerCornerTL",   "InnerCornerTR",   "ExtraLongBottom",  "ExtraLongLeft", "ExtraLongRight",
    "ExtraLongTop",    "ExtraBottomLeft", "ExtraBottomRight", "ExtraTopLeft",  "ExtraTopRight",
    "ExtraLeftBottom", "ExtraLeftTop",    "ExtraRightBottom", "ExtraRightTop"};

std::string Level(const std::string& size, const std::string& blocks) {
    return "NAME=Drawn\nTime=60\nGoals=0\nC=1,2,3,4,5,6\nB=\nSize=" + size + "\nR=\n" + blocks;
}

int Brightness(uint32_t argb) {
    return Red(argb) + Green(argb) + Blue(argb);
}

class BoardDrawTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        FreshPlayObjects();
        Game->SetDefaultPaths();
        ImageBank.Clear();
        ImageBank.SetPath(Game->ImagePath);
        for (const char* file : kPictures)
            ImageBank.Load(file);
        for (const char* piece : kBorderPictures)
            ImageBank.Load(std::string("Border/") + piece);
        ImageBank.LoadAnim("Bonuses/coin", 80, 80, 0, COIN_SPIN_FRAMES);
        ImageBank.LoadAnim("Gems/Gems", 66, 66, 0, 14);
        TCell::Load();
        Grid = TGameGrid::Create();
        Grid->Init();
    }
    void TearDown() override {
        GemList.reset();
        Grid->Clear();
        Grid.reset();
        Game->CurrentTScreen = nullptr;
        ImageBank.Clear();
        FrameTest::TearDown();
    }
    PixmapPtr DrawBoard() {
        SetClsColor(Red(kBackground), Green(kBackground), Blue(kBackground));
        Cls();
        Grid->Draw();
        return headless::ReadFrame();
    }
    int L(int column) const { return Grid->sx + 66 * column; }
    int T(int row) const { return Grid->sy + 66 * row; }
    // Summed brightness along the cell's diagonal.
    int CellBrightness(const PixmapPtr& frame, int column, int row) const {
        int sum = 0;
        for (int d = 8; d < 60; d += 4)
            sum += Brightness(frame->ReadPixel(L(column) + d, T(row) + d));
        return sum;
    }
};

TEST_F(BoardDrawTest, ExtraPiecesHangOutsideTheFrameByTheirPictureSize) {
    Grid->LoadLevelFromText(
        Level("5,4", "1,1,1,1,1\nlocked=\nrocks=\nshapes=\nborder=\nB13,0,1\nB18,2,0\nB21,0,2\n"));
    ASSERT_EQ(ExtraBorderCount, 3);
    auto picture = [](int kind) { return BorderImages[kind]->image; };
    EXPECT_FLOAT_EQ(ExtraBorders[0]->x, L(0) - (picture(13)->Width() + 10));
    EXPECT_FLOAT_EQ(ExtraBorders[0]->y, T(1));
    EXPECT_FLOAT_EQ(ExtraBorders[1]->x, L(2) + 57 - picture(18)->Width());
    EXPECT_FLOAT_EQ(ExtraBorders[1]->y, T(0) - (picture(18)->Height() + 9));
    EXPECT_FLOAT_EQ(ExtraBorders[2]->x, L(0) - (picture(21)->Width() + 10));
    EXPECT_FLOAT_EQ(ExtraBorders[2]->y, T(2) + 66 - picture(21)->Height());
    // The pictures differ in size, so the offsets above are not all alike.
    EXPECT_NE(picture(18)->Width(), picture(21)->Width());
    EXPECT_NE(picture(13)->Height(), picture(21)->Height());
}

TEST_F(BoardDrawTest, BorderShadowNeedsParticleDetailFifty) {
    Grid->LoadLevelFromText(Level("1,1", "1\n"));
    // A strip just right of the frame's right edge that only the shadow reaches.
    const int left = L(1) + 10, top = T(0) + 12;
    auto darkestInStrip = [&](const PixmapPtr& frame) {
        int darkest = Brightness(kBackground);
        for (int x = left; x < left + 4; ++x) {
            for (int y = top; y < top + 40; ++y) {
                darkest = std::min(darkest, Brightness(frame->ReadPixel(x, y)));
            }
        }
        return darkest;
    };
    Game->Particles = 49;
    PixmapPtr plain = DrawBoard();
    ASSERT_TRUE(plain);
    EXPECT_EQ(darkestInStrip(plain), Brightness(kBackground));
    Game->Particles = 50;
    PixmapPtr shaded = DrawBoard();
    EXPECT_LT(darkestInStrip(shaded), Brightness(kBackground) - 20);
    // The frame itself keeps its colours, and the drawing state is restored.
    EXPECT_EQ(shaded->ReadPixel(left - 5, top + 20), plain->ReadPixel(left - 5, top + 20));
    EXPECT_FLOAT_EQ(GetAlpha(), 1);
    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ(r + g + b, 3 * 255);
}

TEST_F(BoardDrawTest, TilesShowTheirArmourFlashAndMouseOverMark) {
    for (const TGameImagePtr& image : BorderImages)
        EXPECT_EQ(image->image->HandleX(), 0);
    Grid->LoadLevelFromText(Level("4,2", "1,2,3,0\n1,1,1,1\n"));
    Game->Particles = 0;
    PixmapPtr frame = DrawBoard();
    ASSERT_TRUE(frame);
    // Each tile lies exactly on its cell: the shown pixels are the picture's
    // pixels blended over the background.
    auto showsPicture = [&](const TGameImagePtr& tile, int column, int row) {
        PixmapPtr picture = tile->image->Lock(0);
        int mismatches = 0;
        for (int y = 3; y < 66; y += 9) {
            for (int x = 3; x < 66; x += 9) {
                const uint32_t source = picture->ReadPixel(x, y);
                const uint32_t shown = frame->ReadPixel(L(column) + x, T(row) + y);
                const float a = static_cast<float>(source >> 24) / 255;
                auto off = [&](int (*channel)(uint32_t)) {
                    const float expected = channel(source) * a + channel(kBackground) * (1 - a);
                    return std::abs(expected - channel(shown)) > 3;
                };
                if (off(Red) || off(Green) || off(Blue)) ++mismatches;
            }
        }
        tile->image->Unlock(0);
        return mismatches == 0;
    };
    EXPECT_TRUE(showsPicture(EmptyTileImage, 0, 0));
    EXPECT_TRUE(showsPicture(IceTileImage, 1, 0));
    EXPECT_TRUE(showsPicture(SnowTileImage, 2, 0));
    EXPECT_TRUE(showsPicture(EmptyTileImage, 3, 1));
    EXPECT_EQ(frame->ReadPixel(L(3) + HALF_CELL, T(0) + HALF_CELL), kBackground);  // the hole

    Cells[0][1]->glow = 0.5f;
    PixmapPtr flashing = DrawBoard();
    EXPECT_GT(CellBrightness(flashing, 0, 1), CellBrightness(frame, 0, 1) + 200);
    EXPECT_EQ(CellBrightness(flashing, 1, 1), CellBrightness(frame, 1, 1));
    Cells[0][1]->glow = 0;

    Grid->mx = 2;
    Grid->my = 1;
    PixmapPtr marked = DrawBoard();
    EXPECT_GT(CellBrightness(marked, 2, 1), CellBrightness(frame, 2, 1) + 200);
    EXPECT_EQ(CellBrightness(marked, 1, 1), CellBrightness(frame, 1, 1));
    Grid->mx = 3;  // over the hole: no mark
    Grid->my = 0;
    EXPECT_EQ(DrawBoard()->ReadPixel(L(3) + 10, T(0) + 10), kBackground);
}

TEST_F(BoardDrawTest, BombsCoinsAndBagsShineOnceMoreFromParticleDetailFifty) {
    TGem::Load();
    Grid->LoadLevelFromText(Level("3,3", "1,1,1\n1,1,1\n1,1,1\n"));
    for (int type : {GEM_PUMPKIN_BOMB, GEM_PUMPKIN_BOMB + BOMB_UPGRADE, GEM_COIN, GEM_BAG}) {
        SCOPED_TRACE(testing::Message() << "type " << type);
        const TGemPtr gem = type == GEM_COIN  ? TGem::MakeCoin(1, 1, 0)
                            : type == GEM_BAG ? TGem::MakeBag(1, 1, 0)
                                              : TGem::Make(1, 1, type, 0);
        auto draw = [&](int particles, float glow) {
            Game->Particles = particles;
            gem->glow = glow;
            SetClsColor(0, 0, 0);
            Cls();
            SetBlend(ALPHABLEND);
            gem->DrawGem(0);
            return headless::ReadFrame();
        };
        const PixmapPtr plain = draw(49, 0), glowing = draw(49, 0.5f), shining = draw(50, 0);
        ASSERT_TRUE(plain && glowing && shining);
        // On black, a second pass added at full brightness doubles every
        // channel the first pass left dark enough not to saturate.
        int compared = 0, notDoubled = 0, changedByGlow = 0;
        const int cx = static_cast<int>(gem->x), cy = static_cast<int>(gem->y);
        for (int y = cy - 40; y <= cy + 40; y += 2) {
            for (int x = cx - 40; x <= cx + 40; x += 2) {
                for (int (*channel)(uint32_t) : {Red, Green, Blue}) {
                    const int once = channel(plain->ReadPixel(x, y));
                    changedByGlow += channel(glowing->ReadPixel(x, y)) != once;
                    if (once < 8 || once > 120) continue;
                    ++compared;
                    notDoubled += std::abs(channel(shining->ReadPixel(x, y)) - 2 * once) > 4;
                }
            }
        }
        EXPECT_GT(compared, 50);
        EXPECT_EQ(notDoubled, 0);
        EXPECT_EQ(changedByGlow, 0) << "below detail 50 nothing is added, glowing or not";
    }
}

TEST_F(BoardDrawTest, RendersAWholeBoard) {
    Grid->LoadLevelFromText(
        Level("9,7",
              "0,1,1,1,1,1,1,1,0\n1,1,2,2,1,2,2,1,1\n1,1,3,0,0,0,3,1,1\n"
              "1,1,2,0,0,0,2,1,1\n1,1,1,1,1,1,1,1,1\n1,2,1,1,1,1,1,2,1\n"
              "0,1,1,1,0,1,1,1,0\nlocked=\n0\n0,1,0,0,0,0,0,1,0\n"
              "rocks=\n0\n0\n0\n0\n0,0,1,0,0,0,2,0,0\nshapes=\n0\n0\n0\n0\n0,0,0,0,15\n"
              "border=\nB15,3,0\nB12,1,7\nB13,0,2\nB14,9,2\n"));
    EXPECT_EQ(Grid->Gold, 10);
    EXPECT_EQ(Grid->Armoured, 12);
    // Gems on every active cell, as the first fill would place them.
    TGem::Load();
    GemList = std::make_shared<TGemList>();
    Game->CurrentTScreen = GameScreen;
    for (int x = 0; x < Grid->levelwidth; ++x) {
        for (int y = 0; y < Grid->levelheight; ++y) {
            TCell& cell = *Cells[x][y];
            if (!cell.active) continue;
            const int colour = GemColours[(x * 2 + y) % GemColourCount];
            TGemPtr gem = TGem::Make(x, y, cell.fixedGem ? cell.fixedGem : colour, 0);
            gem->locked = cell.gemlocked;
            gem->rocked = cell.GemRock;
            cell.Gem = gem;
            GemList->InsertGem(gem);
        }
    }
    Grid->SetCursor(1, 1);
    Grid->mx = 6;
    Grid->my = 4;
    PixmapPtr frame = DrawBoard();
    EXPECT_EQ(FileType(headless::SaveFrame("board")), FILETYPE_FILE);
    EXPECT_EQ(frame->ReadPixel(L(4) + HALF_CELL, T(3) + HALF_CELL),
              kBackground);  // the middle hole
    EXPECT_NE(frame->ReadPixel(L(0) + HALF_CELL, T(4) + HALF_CELL), kBackground);
}

}  // namespace
