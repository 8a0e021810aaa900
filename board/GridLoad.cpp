// Reading a level file and laying out the board: cells, entry rows and the
// border pieces around the playing area.
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "board/Grid.h"
#include "engine/Random.h"
#include "engine/Strings.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"

namespace {

constexpr int BORDER_THICKNESS = 10;
constexpr int RANDOM_COLOUR_COUNT = 5;
constexpr int LAST_FIXED_GEM = 30;
constexpr int MAX_ROCK_STRENGTH = 2;

// The file's lines without their line ends; a final line end opens no new line.
std::vector<std::string> TextLines(const std::string& text) {
    std::vector<std::string> lines = Split(text, '\n');
    if (!text.empty() && text.back() == '\n') lines.pop_back();
    for (std::string& line : lines)
        std::erase(line, '\r');
    return lines;
}

// Everything after the first "=" (the whole line when there is none).
std::string ValueOf(const std::string& line) {
    const size_t equals = line.find('=');
    return equals == std::string::npos ? line : line.substr(equals + 1);
}

std::vector<int> Numbers(const std::string& list) {
    std::vector<int> numbers;
    for (const std::string& part : Split(list, ','))
        numbers.push_back(ToInt(part));
    return numbers;
}

// The n-th number of a list, 0 when the list is shorter.
int NumberAt(const std::vector<int>& numbers, size_t n) {
    return n < numbers.size() ? numbers[n] : 0;
}

void ChooseRandomColours() {
    GemColourCount = 0;
    while (GemColourCount < RANDOM_COLOUR_COUNT) {
        const int colour = RandInt(FIRST_COLOUR, LAST_COLOUR);
        const auto chosen = GemColours.begin() + GemColourCount;
        if (std::find(GemColours.begin(), chosen, colour) == chosen) {
            GemColours[GemColourCount++] = colour;
        }
    }
}

// Colours outside the gem strip are dropped; a list with none left (or "0",
// or nothing) means five random colours.
void ReadColours(const std::string& value) {
    GemColourCount = 0;
    if (value != "" && value != "0") {
        for (int colour : Numbers(value)) {
            if (colour < FIRST_COLOUR || colour > LAST_COLOUR) continue;
            if (GemColourCount == MAX_GEM_COLOURS) break;
            GemColours[GemColourCount++] = colour;
        }
    }
    if (GemColourCount == 0) ChooseRandomColours();
}

// The rows of the board blocks, each ended by its terminator line.
enum class Block { Layout, Locks, Rocks, Shapes };

struct BlockEnd {
    Block block;
    const char* terminator;
};

constexpr BlockEnd kBlockEnds[] = {
    {Block::Layout, "locked="},
    {Block::Locks, "rocks="},
    {Block::Rocks, "shapes="},
    {Block::Shapes, "border="},
};

void ReadLayout(TGameGrid& grid, TCell& cell, int value) {
    if (value <= 0) return;
    cell.active = 1;
    if (value == 2 || value == 3) {
        cell.armour1 = 1;
        grid.Armoured += 1;
        grid.Gold += 1;
    }
    if (value == 3) {
        cell.armour2 = 1;
        grid.Armoured += 1;
    }
}

void ReadCellValue(TGameGrid& grid, Block block, TCell& cell, int value) {
    switch (block) {
        case Block::Layout:
            ReadLayout(grid, cell, value);
            break;
        case Block::Locks:
            if (value == 1) {
                cell.gemlocked = 1;
                grid.Locked += 1;
            }
            break;
        case Block::Rocks:
            if (value > 0) {
                cell.GemRock = std::min(value, MAX_ROCK_STRENGTH);
                grid.Rocks += 1;
            }
            break;
        case Block::Shapes:
            // A gem type the game does not know leaves the gem to chance.
            if (value > 0) cell.fixedGem = value <= LAST_FIXED_GEM ? value : 0;
            break;
    }
}

// One line of a board block; numbers past the board's width are ignored.
void ReadBlockRow(TGameGrid& grid, Block block, int row, const std::string& line) {
    const std::vector<int> numbers = Numbers(line);
    const size_t columns = std::min(numbers.size(), static_cast<size_t>(grid.levelwidth));
    for (size_t column = 0; column < columns; ++column) {
        TCell* cell = CellAt(static_cast<int>(column), row);
        if (cell) ReadCellValue(grid, block, *cell, numbers[column]);
    }
}

// The level's time in logic steps; the shop's extra-time items lengthen it.
float TimeLimitFor(int seconds) {
    float steps = Game->CalcAnimLength(static_cast<float>(seconds) * 1000.0f);
    if (ShopItemOwned(SHOP_LONG_TIME)) {
        steps = static_cast<float>(TruncToInt(steps * 1.2f));
    } else if (ShopItemOwned(SHOP_MORE_TIME)) {
        steps = static_cast<float>(TruncToInt(steps * 1.1f));
    }
    return steps;
}

// The file's lines, read in order; past the end every line is "".
class LevelLines {
  public:
    explicit LevelLines(const std::string& text) : lines_(TextLines(text)) {}
    bool AtEnd() const { return next_ >= lines_.size(); }
    std::string Next() { return AtEnd() ? std::string() : lines_[next_++]; }

  private:
    std::vector<std::string> lines_;
    size_t next_ = 0;
};

// Lines 1 to 7: name, time, goals, colours, bomb types, size, reserved.
void ReadHeader(TGameGrid& grid, LevelLines& lines) {
    grid.LevelName.clear();
    std::string line = lines.Next();
    const size_t equals = line.find('=');
    if (equals != std::string::npos && Upper(line.substr(0, equals)) == "NAME") {
        grid.LevelName = line.substr(equals + 1);
        line = lines.Next();
    }
    grid.TimeLimit = TimeLimitFor(ToInt(ValueOf(line)));

    const std::vector<int> goals = Numbers(ValueOf(lines.Next()));
    grid.GoalMatches = NumberAt(goals, 0);
    grid.GoalMatchesType = NumberAt(goals, 1);
    grid.GoalArmour = NumberAt(goals, 2);
    grid.GoalCollect = NumberAt(goals, 3);
    grid.GoalRock = NumberAt(goals, 4);

    ReadColours(ValueOf(lines.Next()));
    lines.Next();  // the bomb types: every level offers all of them
    BonusTypeCount = 7;

    const std::vector<int> size = Numbers(ValueOf(lines.Next()));
    grid.levelwidth = std::clamp(NumberAt(size, 0), 1, MAX_GRID_WIDTH);
    grid.levelheight = std::clamp(NumberAt(size, 1), 1, MAX_GRID_HEIGHT);
    grid.Centre();
    grid.CreateCells();
    lines.Next();  // reserved
}

// Rows past the board's height are ignored; a missing terminator leaves the
// later blocks empty.
void ReadBlocks(TGameGrid& grid, LevelLines& lines) {
    for (const BlockEnd& end : kBlockEnds) {
        for (int row = 0; !lines.AtEnd(); ++row) {
            const std::string line = lines.Next();
            if (line == end.terminator) break;
            if (row < grid.levelheight) ReadBlockRow(grid, end.block, row, line);
        }
    }
}

// "B" kind "," column "," row; any other line is a comment.
void ReadExtraBorders(TGameGrid& grid, LevelLines& lines) {
    while (!lines.AtEnd()) {
        const std::string line = lines.Next();
        if (line.empty() || line[0] != 'B') continue;
        const std::vector<int> piece = Numbers(line.substr(1));
        grid.AddBorderExtra(NumberAt(piece, 0), NumberAt(piece, 1), NumberAt(piece, 2));
    }
}

}  // namespace

// ------------------------------------------------------------ coordinates

int CellLeft(int column) {
    return (Grid ? Grid->sx : 0) + CELL_SIZE * column;
}

int CellTop(int row) {
    return (Grid ? Grid->sy : 0) + CELL_SIZE * row;
}

int ColumnAt(float px) {
    return TruncToInt((px - (Grid ? Grid->sx : 0)) / static_cast<double>(CELL_SIZE));
}

int RowAt(float py) {
    const float top = static_cast<float>(Grid ? Grid->sy : 0);
    if (py < top) return -1;
    return TruncToInt((py - top) / static_cast<double>(CELL_SIZE));
}

// ------------------------------------------------------------ set-up

void TGameGrid::Clear() {
    ClearGrid();
    ClearBorderArray();
}

void TGameGrid::ClearGrid() {
    for (auto& column : Cells)
        column.fill(nullptr);
    EggCount = 0;
}

void TGameGrid::ClearBorderArray() {
    Borders.fill(nullptr);
    ExtraBorders.fill(nullptr);
    BorderCount = 0;
    ExtraBorderCount = 0;
}

void TGameGrid::CreateCells() {
    for (int x = 0; x < levelwidth; ++x) {
        for (int y = 0; y < levelheight; ++y) {
            TCellPtr cell = TCell::Create(x, y);
            // The grid being built need not be the global one yet.
            cell->sx = static_cast<float>(sx + CELL_SIZE * x);
            cell->sy = static_cast<float>(sy + CELL_SIZE * y);
            Cells[x][y] = cell;
        }
    }
}

void TGameGrid::Centre() {
    sx = (ScreenWidth - levelwidth * CELL_SIZE) / 2 + 75;
    sy = (ScreenHeight - levelheight * CELL_SIZE) / 2 - 45;
}

// ------------------------------------------------------------ level file

void TGameGrid::LoadLevel(int level) {
    const std::string path = Game->DataPrefix + "data/levels/" + std::to_string(level) + ".txt";
    StreamPtr file = ReadFileOrFail(path);
    if (!file) return;
    std::string text(static_cast<size_t>(std::max<int64_t>(file->Size(), 0)), '\0');
    text.resize(file->ReadBytes(text.data(), text.size()));
    file->Close();
    LoadLevelFromText(text);
}

void TGameGrid::LoadLevelFromText(const std::string& text) {
    LevelLines lines(text);
    Clear();
    Armoured = Gold = Locked = Rocks = 0;
    ReadHeader(*this, lines);
    ReadBlocks(*this, lines);
    ReadExtraBorders(*this, lines);
    CalcTopRowY();
    CalcBorder();
}

// ------------------------------------------------------------ entry rows

void TGameGrid::CalcTopRowY() {
    for (int x = 0; x < MAX_GRID_WIDTH; ++x) {
        TopRow[x].fill(0);
        TopRowCount[x] = 0;
        for (int y = 0; y < levelheight; ++y) {
            const bool entry = CellActive(x, y) && (y == 0 || !CellActive(x, y - 1));
            if (entry && TopRowCount[x] < MAX_ENTRY_ROWS) TopRow[x][TopRowCount[x]++] = y;
        }
        if (TopRowCount[x] == 0) TopRow[x][0] = -1;
    }
}

// ------------------------------------------------------------ borders

namespace {

// Where an extra piece sits from its cell's top-left: a multiple of its own
// picture size plus a fixed shift, so each hangs outside the frame edge.
struct ExtraOffset {
    int byWidth, x, byHeight, y;
};

constexpr ExtraOffset kExtraOffsets[] = {
    {0, 0, 0, 10},      // EXTRA_LONG_BOTTOM
    {-1, -10, 0, 0},    // EXTRA_LONG_LEFT
    {0, 10, 0, 0},      // EXTRA_LONG_RIGHT
    {0, 0, -1, -10},    // EXTRA_LONG_TOP
    {-1, 78, 0, -12},   // EXTRA_BOTTOM_LEFT
    {0, 0, 0, 10},      // EXTRA_BOTTOM_RIGHT
    {-1, 57, -1, -9},   // EXTRA_TOP_LEFT
    {0, 0, -1, -10},    // EXTRA_TOP_RIGHT
    {-1, -10, 0, 10},   // EXTRA_LEFT_BOTTOM
    {-1, -10, -1, 66},  // EXTRA_LEFT_TOP
    {0, 9, 0, 10},      // EXTRA_RIGHT_BOTTOM
    {0, 10, -1, 66},    // EXTRA_RIGHT_TOP
};
static_assert(std::size(kExtraOffsets) == TCell::BORDER_IMAGE_COUNT - TCell::EXTRA_LONG_BOTTOM);

}  // namespace

void TGameGrid::AddBorder(float x, float y, int index) {
    if (BorderCount >= MAX_BORDERS) return;
    auto border = std::make_shared<TBorder>();
    border->x = x;
    border->y = y;
    border->index = index;
    Borders[BorderCount++] = border;
}

void TGameGrid::AddBorderExtra(int kind, int gridX, int gridY) {
    if (ExtraBorderCount >= MAX_EXTRA_BORDERS) return;
    if (kind < 0 || kind >= TCell::BORDER_IMAGE_COUNT) return;
    const TGameImagePtr& image = BorderImages[kind];
    const int w = image ? image->w : 0, h = image ? image->h : 0;
    // Wide enough for any number a damaged file may give.
    long long px = sx + CELL_SIZE * static_cast<long long>(gridX);
    long long py = sy + CELL_SIZE * static_cast<long long>(gridY);
    if (kind >= TCell::EXTRA_LONG_BOTTOM) {
        const ExtraOffset& offset = kExtraOffsets[kind - TCell::EXTRA_LONG_BOTTOM];
        px += offset.byWidth * w + offset.x;
        py += offset.byHeight * h + offset.y;
    }
    auto border = std::make_shared<TBorder>();
    border->x = static_cast<float>(px);
    border->y = static_cast<float>(py);
    border->index = kind;
    ExtraBorders[ExtraBorderCount++] = border;
}

namespace {

// Edges on the sides of inactive cells that face active ones.
void AddInnerEdges(TGameGrid& grid, int x, int y) {
    const float left = static_cast<float>(grid.sx + CELL_SIZE * x);
    const float top = static_cast<float>(grid.sy + CELL_SIZE * y);
    const float inset = CELL_SIZE - BORDER_THICKNESS;
    TCell* cell;
    if ((cell = CellAt(x - 1, y)) && cell->active && !cell->DrawRight) {
        grid.AddBorder(left, top, TCell::BORDER_RIGHT);
        cell->DrawRight = 1;
    }
    if ((cell = CellAt(x, y - 1)) && cell->active && !cell->DrawBottom) {
        grid.AddBorder(left, top, TCell::BORDER_BOTTOM);
        cell->DrawBottom = 1;
    }
    if ((cell = CellAt(x + 1, y)) && cell->active && !cell->DrawLeft) {
        grid.AddBorder(left + inset, top, TCell::BORDER_LEFT);
        cell->DrawLeft = 1;
    }
    if ((cell = CellAt(x, y + 1)) && cell->active && !cell->DrawTop) {
        grid.AddBorder(left, top + inset, TCell::BORDER_TOP);
        cell->DrawTop = 1;
    }
}

// Edges along the outside of the board.
void AddOuterEdges(TGameGrid& grid) {
    const int last = grid.levelwidth - 1, bottom = grid.levelheight - 1;
    auto left = [&](int x) { return static_cast<float>(grid.sx + CELL_SIZE * x); };
    auto top = [&](int y) { return static_cast<float>(grid.sy + CELL_SIZE * y); };
    for (int y = 0; y <= bottom; ++y) {
        if (TCell* cell = CellAt(0, y); cell && cell->active) {
            grid.AddBorder(left(0) - BORDER_THICKNESS, top(y), TCell::BORDER_LEFT);
            cell->DrawLeft = 1;
        }
        if (TCell* cell = CellAt(last, y); cell && cell->active) {
            grid.AddBorder(left(last + 1), top(y), TCell::BORDER_RIGHT);
            cell->DrawRight = 1;
        }
    }
    for (int x = 0; x <= last; ++x) {
        if (TCell* cell = CellAt(x, 0); cell && cell->active) {
            grid.AddBorder(left(x), top(0) - BORDER_THICKNESS, TCell::BORDER_TOP);
            cell->DrawTop = 1;
        }
        if (TCell* cell = CellAt(x, bottom); cell && cell->active) {
            grid.AddBorder(left(x), top(bottom + 1), TCell::BORDER_BOTTOM);
            cell->DrawBottom = 1;
        }
    }
}

// Corners where two edges of one active cell meet.
void AddOuterCorners(TGameGrid& grid, const TCell& cell) {
    const int x = cell.x, y = cell.y;
    const bool firstColumn = x == 0, lastColumn = x == grid.levelwidth - 1;
    const bool firstRow = y == 0, lastRow = y == grid.levelheight - 1;
    const float left = static_cast<float>(grid.sx + CELL_SIZE * x);
    const float top = static_cast<float>(grid.sy + CELL_SIZE * y);
    const float right = left + CELL_SIZE, below = top + CELL_SIZE;
    const float t = BORDER_THICKNESS;
    if (cell.DrawTop && cell.DrawLeft && (firstColumn || firstRow || !CellActive(x - 1, y - 1))) {
        grid.AddBorder(left - t, top - t, TCell::CORNER_TL);
    }
    if (cell.DrawTop && cell.DrawRight && (lastColumn || firstRow || !CellActive(x + 1, y - 1))) {
        grid.AddBorder(right, top - t, TCell::CORNER_TR);
    }
    if (cell.DrawBottom && cell.DrawRight && (lastColumn || lastRow || !CellActive(x + 1, y + 1))) {
        grid.AddBorder(right, below, TCell::CORNER_BR);
    }
    if (cell.DrawBottom && cell.DrawLeft && (firstColumn || lastRow || !CellActive(x - 1, y + 1))) {
        grid.AddBorder(left - t, below, TCell::CORNER_BL);
    }
}

// Corners inside an inactive cell where two active neighbours meet.
void AddInnerCorners(TGameGrid& grid, int x, int y) {
    const bool notFirstColumn = x > 0, notLastColumn = x < grid.levelwidth - 1;
    const bool notFirstRow = y > 0, notLastRow = y < grid.levelheight - 1;
    const float left = static_cast<float>(grid.sx + CELL_SIZE * x);
    const float top = static_cast<float>(grid.sy + CELL_SIZE * y);
    const float inset = CELL_SIZE - BORDER_THICKNESS;
    const bool leftActive = CellActive(x - 1, y), rightActive = CellActive(x + 1, y);
    const bool aboveActive = CellActive(x, y - 1), belowActive = CellActive(x, y + 1);
    if (notFirstColumn && notFirstRow && leftActive && aboveActive) {
        grid.AddBorder(left, top, TCell::INNER_CORNER_TL);
    }
    if (notLastColumn && notFirstRow && aboveActive && rightActive) {
        grid.AddBorder(left + inset, top, TCell::INNER_CORNER_TR);
    }
    if (notLastColumn && notLastRow && rightActive && belowActive) {
        grid.AddBorder(left + inset, top + inset, TCell::INNER_CORNER_BR);
    }
    if (notFirstColumn && notLastRow && belowActive && leftActive) {
        grid.AddBorder(left, top + inset, TCell::INNER_CORNER_BL);
    }
}

}  // namespace

void TGameGrid::CalcBorder() {
    // Worked out afresh from the cells each time (the file's extra pieces stay).
    Borders.fill(nullptr);
    BorderCount = 0;
    auto forEachCell = [&](auto&& visit) {
        for (int y = 0; y < levelheight; ++y) {
            for (int x = 0; x < levelwidth; ++x) {
                if (TCell* cell = CellAt(x, y)) visit(*cell);
            }
        }
    };
    forEachCell(
        [](TCell& cell) { cell.DrawLeft = cell.DrawTop = cell.DrawRight = cell.DrawBottom = 0; });
    forEachCell([&](TCell& cell) {
        if (!cell.active) AddInnerEdges(*this, cell.x, cell.y);
    });
    AddOuterEdges(*this);
    forEachCell([&](TCell& cell) {
        if (cell.active) AddOuterCorners(*this, cell);
    });
    forEachCell([&](TCell& cell) {
        if (!cell.active) AddInnerCorners(*this, cell.x, cell.y);
    });
}
