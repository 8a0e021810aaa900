// The board's cells, border pieces and the board-wide tables.
#pragma once

#include <array>
#include <memory>

#include "media/GameImage.h"

class TGem;
using TGemPtr = std::shared_ptr<TGem>;

constexpr int CELL_SIZE = 66;
// From a cell's edge to its centre, where its gem stands.
constexpr int HALF_CELL = CELL_SIZE / 2;
// The board's drop shadow: none below this particle-detail setting.
constexpr int SHADOW_DETAIL = 50;
constexpr float SHADOW_OFFSET = 4.5f;
constexpr float SHADOW_ALPHA = 0.3f;
constexpr int MAX_GRID_WIDTH = 13;
constexpr int MAX_GRID_HEIGHT = 10;
constexpr int MAX_ENTRY_ROWS = 5;
constexpr int MAX_GEM_COLOURS = 15;
// The colours of the gem strip a level may ask for.
constexpr int FIRST_COLOUR = 1, LAST_COLOUR = 13;
constexpr int MAX_BORDERS = 1040;
constexpr int MAX_EXTRA_BORDERS = 20;

class TCell;
using TCellPtr = std::shared_ptr<TCell>;

class TCell {
  public:
    // Border image indices; 12 to 23 are the extra pieces a level file adds.
    static constexpr int BORDER_BOTTOM = 0, BORDER_LEFT = 1, BORDER_RIGHT = 2, BORDER_TOP = 3;
    static constexpr int CORNER_BL = 4, CORNER_BR = 5, CORNER_TL = 6, CORNER_TR = 7;
    static constexpr int INNER_CORNER_BL = 8, INNER_CORNER_BR = 9, INNER_CORNER_TL = 10,
                         INNER_CORNER_TR = 11;
    static constexpr int EXTRA_LONG_BOTTOM = 12, EXTRA_LONG_LEFT = 13, EXTRA_LONG_RIGHT = 14,
                         EXTRA_LONG_TOP = 15;
    static constexpr int EXTRA_BOTTOM_LEFT = 16, EXTRA_BOTTOM_RIGHT = 17, EXTRA_TOP_LEFT = 18,
                         EXTRA_TOP_RIGHT = 19;
    static constexpr int EXTRA_LEFT_BOTTOM = 20, EXTRA_LEFT_TOP = 21, EXTRA_RIGHT_BOTTOM = 22,
                         EXTRA_RIGHT_TOP = 23;
    static constexpr int BORDER_IMAGE_COUNT = 24;

    int active = 0;
    int armour1 = 0;
    int armour2 = 0;
    int GemRock = 0;
    int createBonus = 0;
    int DrawLeft = 0, DrawTop = 0, DrawRight = 0, DrawBottom = 0;
    int fixedGem = 0;
    TGemPtr Gem;
    int gemlocked = 0;
    float glow = 0;
    int match = 0;
    float sx = 0, sy = 0;
    int x = 0, y = 0;

    static TCellPtr Create(int x, int y);
    void SetCoords(int cellX, int cellY);
    // Draws the tile (and its flash and bonus highlight) at the board's
    // vertical offset.
    void Draw(float topY);
    // Looks up the border and tile pictures in the image bank (once).
    static void Load();
};

// The border pictures, by index, and the three tile pictures.
extern std::array<TGameImagePtr, TCell::BORDER_IMAGE_COUNT> BorderImages;
extern TGameImagePtr IceTileImage, SnowTileImage, EmptyTileImage;

class TBorder;
using TBorderPtr = std::shared_ptr<TBorder>;

class TBorder {
  public:
    float x = 0, y = 0;  // top-left, without the board's vertical offset
    int index = 0;       // which border picture
};

// Board-wide tables shared by everything on the board.
extern std::array<std::array<TCellPtr, MAX_GRID_HEIGHT>, MAX_GRID_WIDTH> Cells;  // [x][y]
extern std::array<int, MAX_GEM_COLOURS> GemColours;
extern int GemColourCount;
extern int BonusTypeCount;
extern std::array<std::array<int, MAX_ENTRY_ROWS>, MAX_GRID_WIDTH> TopRow;
extern std::array<int, MAX_GRID_WIDTH> TopRowCount;
extern std::array<std::array<int, MAX_ENTRY_ROWS>, MAX_GRID_WIDTH> TopRowPending;
extern std::array<TBorderPtr, MAX_BORDERS> Borders;
extern int BorderCount;
extern std::array<TBorderPtr, MAX_EXTRA_BORDERS> ExtraBorders;
extern int ExtraBorderCount;

// The cell at (x, y), or null outside the board's tables.
TCell* CellAt(int x, int y);
// Active cell at (x, y)?
bool CellActive(int x, int y);
