// The cells, the board-wide tables and the tile and border pictures.
#include "board/Cell.h"

#include <algorithm>

#include "board/Gem.h"
#include "board/Grid.h"
#include "board/Powerups.h"
#include "engine/Graphics.h"
#include "frame/Game.h"
#include "play/GameScreen.h"

std::array<std::array<TCellPtr, MAX_GRID_HEIGHT>, MAX_GRID_WIDTH> Cells;
std::array<int, MAX_GEM_COLOURS> GemColours{};
int GemColourCount = 0;
int BonusTypeCount = 7;
std::array<std::array<int, MAX_ENTRY_ROWS>, MAX_GRID_WIDTH> TopRow{};
std::array<int, MAX_GRID_WIDTH> TopRowCount{};
std::array<std::array<int, MAX_ENTRY_ROWS>, MAX_GRID_WIDTH> TopRowPending{};
std::array<TBorderPtr, MAX_BORDERS> Borders;
int BorderCount = 0;
std::array<TBorderPtr, MAX_EXTRA_BORDERS> ExtraBorders;
int ExtraBorderCount = 0;

std::array<TGameImagePtr, TCell::BORDER_IMAGE_COUNT> BorderImages;
TGameImagePtr IceTileImage, SnowTileImage, EmptyTileImage;

namespace {

// By border index (see TCell's constants).
constexpr const char* kBorderImageNames[TCell::BORDER_IMAGE_COUNT] = {
    "BorderBottom",    "BorderLeft",      "BorderRight",      "BorderTop",     "CornerBL",
    "CornerBR",        "CornerTL",        "CornerTR",         "InnerCornerBL", "InnerCornerBR",
    "InnerCornerTL",   "InnerCornerTR",   "ExtraLongBottom",  "ExtraLongLeft", "ExtraLongRight",
    "ExtraLongTop",    "ExtraBottomLeft", "ExtraBottomRight", "ExtraTopLeft",  "ExtraTopRight",
    "ExtraLeftBottom", "ExtraLeftTop",    "ExtraRightBottom", "ExtraRightTop",
};

// The bank centres its pictures; tiles and border pieces are placed by their
// top-left corner.
TGameImagePtr FindTopLeftHandled(const std::string& name) {
    TGameImagePtr image = ImageBank.Find(name);
    if (image) image->MidHandle(0);
    return image;
}

int Channel(float brightness) {
    return static_cast<int>(std::clamp(brightness, 0.0f, 1.0f) * 255);
}

// Draws the picture again on top, added to what is there, at a grey level.
void DrawAdditive(const TGameImagePtr& image, float x, float y, float brightness) {
    const DrawStateGuard restore;
    SetBlend(LIGHTBLEND);
    const int level = Channel(brightness);
    SetColor(level, level, level);
    DrawImage(image->image, x, y);
}

bool PlayScreenIsCurrent() {
    return GameScreen && Game && Game->CurrentTScreen == GameScreen;
}

}  // namespace

TCell* CellAt(int x, int y) {
    if (x < 0 || y < 0 || x >= MAX_GRID_WIDTH || y >= MAX_GRID_HEIGHT) return nullptr;
    return Cells[x][y].get();
}

bool CellActive(int x, int y) {
    const TCell* cell = CellAt(x, y);
    return cell && cell->active;
}

TCellPtr TCell::Create(int x, int y) {
    auto cell = std::make_shared<TCell>();
    cell->SetCoords(x, y);
    return cell;
}

void TCell::SetCoords(int cellX, int cellY) {
    x = cellX;
    y = cellY;
    sx = static_cast<float>(CellLeft(cellX));
    sy = static_cast<float>(CellTop(cellY));
}

void TCell::Load() {
    for (int index = 0; index < BORDER_IMAGE_COUNT; ++index) {
        BorderImages[index] = FindTopLeftHandled(kBorderImageNames[index]);
    }
    IceTileImage = FindTopLeftHandled("IceTile");
    SnowTileImage = FindTopLeftHandled("SnowTile");
    EmptyTileImage = FindTopLeftHandled("EmptyTile");
}

void TCell::Draw(float topY) {
    if (!active) return;
    const TGameImagePtr& tile = armour2 ? SnowTileImage : (armour1 ? IceTileImage : EmptyTileImage);
    if (tile && tile->image) {
        DrawImage(tile->image, sx, sy + topY);
        if (glow > 0) DrawAdditive(tile, sx, sy + topY, glow);
    }

    // Bombs, coins and bags stand on a warm glow while the board is in play.
    const bool highlighted = Gem && Gem->GemType >= GEM_FIRST_BOMB && !Gem->Swapping &&
                             PlayScreenIsCurrent() && !TarotRunning();
    if (!highlighted || !Grid) return;
    const TGameImagePtr& highlight = Grid->BonusHighlightMidImage;
    if (!highlight || !highlight->image) return;
    const float centreX = sx + HALF_CELL, centreY = sy + HALF_CELL + topY;
    DrawImage(highlight->image, centreX, centreY);
    const float pulse = Grid->glow4 ? Grid->glow4->ratio : 0;
    DrawAdditive(highlight, centreX, centreY, 0.3f + (1 - pulse) * 0.7f);
}
