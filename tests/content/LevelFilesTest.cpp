// The hundred level files the game ships: their exact text, the rules play
// relies on, how every board fills, the swaps the tutorial points at and the
// shape of the difficulty curve.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "board/BoardFixture.h"
#include "engine/Random.h"
#include "frame/Game.h"
#include "play/GameScreen.h"
#include "play/Lessons.h"
#include "play/Player.h"
#include "progress/SaveData.h"

namespace {

constexpr int kLevelCount = 100;
constexpr int kFillSeeds = 20;
constexpr int kMostFills = 20;
// Levels that open a chapter of the story (and the finale).
constexpr int kChapterStarts[] = {1, 4, 9, 17, 27, 37, 47, 59, 72, 86, 100};

enum Block { LAYOUT, LOCKS, ROCKS, SHAPES, BLOCK_COUNT };
constexpr const char* kTerminators[BLOCK_COUNT] = {"locked=", "rocks=", "shapes=", "border="};
constexpr int kBlockMaximum[BLOCK_COUNT] = {3, 1, 2, 30};
constexpr const char* kHeaderKeys[] = {
    "time=", "goals=", "colours=", "bombs=", "size=", "reserved="};

enum Goal { MATCHES, MATCHES_TYPE, ARMOUR, SKULLS, ROCK };

// A level file read strictly, as the files are written, not as leniently as
// the game reads them.
struct LevelFile {
    std::string name;
    int seconds = 0;
    std::vector<int> goals, colours;
    int width = 0, height = 0;
    std::array<std::vector<std::vector<int>>, BLOCK_COUNT> blocks;
    std::vector<std::array<int, 3>> borders;  // kind, column, row

    int At(Block block, int x, int y) const { return blocks[block][y][x]; }
    bool Active(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height && At(LAYOUT, x, y) > 0;
    }
    int ActiveCells() const {
        int count = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                count += Active(x, y);
        return count;
    }
    int Count(Block block, int value) const {
        int count = 0;
        for (const auto& row : blocks[block])
            count += static_cast<int>(std::count(row.begin(), row.end(), value));
        return count;
    }
    // A fixed plain gem (type 1 to 13) or 0.
    int FixedPlain(int x, int y) const {
        if (!Active(x, y)) return 0;
        const int type = At(SHAPES, x, y);
        return type >= 1 && type <= 13 ? type : 0;
    }
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string PathOf(int level) {
    return std::string(HOLLOWMERE_DATA_DIR) + "/levels/" + std::to_string(level) + ".txt";
}

// Comma-separated decimal numbers, nothing else.
bool Numbers(const std::string& text, std::vector<int>& out) {
    out.clear();
    std::stringstream parts(text);
    std::string part;
    while (std::getline(parts, part, ',')) {
        if (part.empty() || part.size() > 4) return false;
        if (!std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return false;
        out.push_back(std::stoi(part));
    }
    return !out.empty() && text.back() != ',';
}

// Splits CR LF lines; "" when the line ends are anything else.
bool CrLfLines(const std::string& text, std::vector<std::string>& lines) {
    if (text.size() < 2 || text.substr(text.size() - 2) != "\r\n") return false;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        const std::string line = text.substr(start, end - start);
        if (line.find_first_of("\r\n") != std::string::npos) return false;
        lines.push_back(line);
        start = end + 2;
    }
    return true;
}

bool Value(const std::string& line, const char* key, std::string& value) {
    const std::string prefix = key;
    if (line.compare(0, prefix.size(), prefix) != 0) return false;
    value = line.substr(prefix.size());
    return true;
}

// Reads the file; returns "" or what is wrong with it.
std::string Parse(const std::string& text, LevelFile& level) {
    std::vector<std::string> lines;
    if (!CrLfLines(text, lines)) return "lines must end in CR LF";
    if (lines.size() < 7 || !Value(lines[0], "NAME=", level.name) || level.name.empty())
        return "no NAME line";
    std::vector<std::vector<int>> header;
    for (int i = 0; i < 6; ++i) {
        std::string value;
        std::vector<int> numbers;
        if (!Value(lines[i + 1], kHeaderKeys[i], value) || !Numbers(value, numbers))
            return std::string("bad header line ") + kHeaderKeys[i];
        header.push_back(numbers);
    }
    if (header[0].size() != 1) return "time is one number";
    level.seconds = header[0][0];
    level.goals = header[1];
    level.colours = header[2];
    if (level.goals.size() != 5) return "five goals";
    if (header[4].size() != 2 || header[5].size() != 2) return "size and reserved hold two numbers";
    level.width = header[4][0];
    level.height = header[4][1];
    if (level.width < 1 || level.width > 13 || level.height < 1 || level.height > 10)
        return "size outside 13 x 10";
    if (level.colours.empty() || level.colours.size() > 15) return "1 to 15 colours";
    for (int colour : level.colours)
        if (colour < 1 || colour > 13) return "colour outside 1..13";
    size_t next = 7;
    for (int block = 0; block < BLOCK_COUNT; ++block) {
        for (int row = 0; row < level.height; ++row, ++next) {
            std::vector<int> numbers;
            if (next >= lines.size() || !Numbers(lines[next], numbers) ||
                static_cast<int>(numbers.size()) != level.width)
                return std::string("row ") + std::to_string(row) + " before " + kTerminators[block];
            for (int value : numbers)
                if (value > kBlockMaximum[block])
                    return std::string("value out of range before ") + kTerminators[block];
            level.blocks[block].push_back(numbers);
        }
        if (next >= lines.size() || lines[next] != kTerminators[block])
            return std::string("missing ") + kTerminators[block];
        ++next;
    }
    for (; next < lines.size(); ++next) {
        std::vector<int> piece;
        if (lines[next].empty() || lines[next][0] != 'B' ||
            !Numbers(lines[next].substr(1), piece) || piece.size() != 3 || piece[0] < 12 ||
            piece[0] > 23)
            return "bad border line " + lines[next];
        level.borders.push_back({piece[0], piece[1], piece[2]});
    }
    if (level.borders.size() > 20) return "more than 20 border pieces";
    return "";
}

// The cells (one or two) an extra border piece dresses: it must hang on the
// outer edge of the board beside them.
bool BorderOnOuterEdge(const LevelFile& level, const std::array<int, 3>& piece) {
    const auto [kind, x, y] = piece;
    const int w = level.width, h = level.height;
    switch (kind) {
        case 12:
            return y == h && level.Active(x, h - 1) && level.Active(x + 1, h - 1);
        case 13:
            return x == 0 && level.Active(0, y) && level.Active(0, y + 1);
        case 14:
            return x == w && level.Active(w - 1, y) && level.Active(w - 1, y + 1);
        case 15:
            return y == 0 && level.Active(x, 0) && level.Active(x + 1, 0);
        case 16:
            return x == 0 && y == h && level.Active(0, h - 1);
        case 17:
            return x == w - 1 && y == h && level.Active(w - 1, h - 1);
        case 18:
        case 21:
            return x == 0 && y == 0 && level.Active(0, 0);
        case 19:
            return x == w - 1 && y == 0 && level.Active(w - 1, 0);
        case 20:
            return x == 0 && y == h - 1 && level.Active(0, h - 1);
        case 22:
            return x == w && y == h - 1 && level.Active(w - 1, h - 1);
        case 23:
            return x == w && y == 0 && level.Active(w - 1, 0);
    }
    return false;
}

int ChapterOf(int level) {
    int chapter = 0;
    for (int start : kChapterStarts)
        chapter += level >= start;
    return chapter;
}

using Cell = std::pair<int, int>;  // column, row

// The tutorial tips with an arrow: the edge between (x, y) and (x, y + 1)
// and the line the swap across it must make.
struct Lesson {
    int level, x, y;
    std::set<Cell> line;
};

const Lesson kLessons[] = {
    {1, 3, 3, {{1, 3}, {2, 3}, {3, 3}}},
    {2, 5, 2, {{4, 3}, {5, 3}, {6, 3}, {7, 3}}},
    {3, 3, 2, {{1, 2}, {2, 2}, {3, 2}}},
    {6, 4, 6, {{2, 6}, {3, 6}, {4, 6}}},
    {9, 4, 5, {{2, 6}, {3, 6}, {4, 6}}},
    {13, 5, 4, {{3, 4}, {4, 4}, {5, 4}, {6, 4}, {7, 4}}},
    {17, 3, 4, {}},
};

class LevelFilesTest : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        SaveData->shopPurchases.fill(0);
        for (int level = 1; level <= kLevelCount; ++level) {
            const std::string text = ReadFile(PathOf(level));
            LevelFile file;
            const std::string error = Parse(text, file);
            ASSERT_EQ(error, "") << PathOf(level);
            texts_.push_back(text);
            files_.push_back(file);
        }
    }
    const LevelFile& File(int level) const { return files_[level - 1]; }
    // Loads a level the way a level starts and fills its board.
    int LoadAndFill(int level, uint32_t seed) {
        CSrand(seed);
        SeedRnd(seed);
        Player->Level = Player->Unlocked = level;
        GemList = std::make_shared<TGemList>();
        Grid = TGameGrid::Create();
        Grid->Init();
        Grid->LoadLevelFromText(texts_[level - 1]);
        return FillGridUntilPlayable();
    }
    // The cells a line would take with the board as it stands, untouched.
    std::set<Cell> LinesNow() {
        std::set<Cell> cells;
        Grid->CheckMatches(1, 0);
        for (int x = 0; x < Grid->levelwidth; ++x)
            for (int y = 0; y < Grid->levelheight; ++y)
                if (Cells[x][y]->match) cells.insert({x, y});
        Grid->ClearMatches();
        return cells;
    }

    std::vector<std::string> texts_;
    std::vector<LevelFile> files_;
};

TEST_F(LevelFilesTest, EveryFileLoadsExactlyAsWritten) {
    for (int level = 1; level <= kLevelCount; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        const LevelFile& file = File(level);
        EXPECT_GE(file.seconds, 60);
        EXPECT_LE(file.seconds, 900);
        Grid->LoadLevelFromText(texts_[level - 1]);
        EXPECT_EQ(Grid->LevelName, file.name);
        ASSERT_EQ(Grid->levelwidth, file.width);
        ASSERT_EQ(Grid->levelheight, file.height);
        EXPECT_FLOAT_EQ(Grid->TimeLimit, Game->CalcAnimLength(file.seconds * 1000.0f));
        EXPECT_EQ(std::vector<int>({Grid->GoalMatches, Grid->GoalMatchesType, Grid->GoalArmour,
                                    Grid->GoalCollect, Grid->GoalRock}),
                  file.goals);
        EXPECT_EQ(std::vector<int>(GemColours.begin(), GemColours.begin() + GemColourCount),
                  file.colours);
        EXPECT_EQ(ExtraBorderCount, static_cast<int>(file.borders.size()));
        // Nothing the reader had to clamp or drop: every cell as written.
        for (int y = 0; y < file.height; ++y) {
            for (int x = 0; x < file.width; ++x) {
                const TCell& cell = *Cells[x][y];
                const int layout = file.At(LAYOUT, x, y);
                EXPECT_EQ(cell.active, layout > 0) << x << "," << y;
                EXPECT_EQ(cell.armour1, layout >= 2) << x << "," << y;
                EXPECT_EQ(cell.armour2, layout == 3) << x << "," << y;
                EXPECT_EQ(cell.gemlocked, file.At(LOCKS, x, y)) << x << "," << y;
                EXPECT_EQ(cell.GemRock, file.At(ROCKS, x, y)) << x << "," << y;
                EXPECT_EQ(cell.fixedGem, file.At(SHAPES, x, y)) << x << "," << y;
            }
        }
    }
}

TEST_F(LevelFilesTest, EveryLevelKeepsTheRulesOfPlay) {
    for (int level = 1; level <= kLevelCount; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        const LevelFile& file = File(level);
        const std::vector<int>& goals = file.goals;
        const int armour = file.Count(LAYOUT, 2) + file.Count(LAYOUT, 3);
        const int rocks = file.Count(ROCKS, 1) + file.Count(ROCKS, 2);
        EXPECT_TRUE(goals[MATCHES] > 0 || goals[ARMOUR] > 0 || goals[SKULLS] > 0 ||
                    goals[ROCK] > 0);
        if (goals[MATCHES] > 0) {
            const auto& colours = file.colours;
            EXPECT_EQ(std::count(colours.begin(), colours.end(), goals[MATCHES_TYPE]), 1)
                << "goal colour " << goals[MATCHES_TYPE] << " must be one that drops";
        } else {
            EXPECT_EQ(goals[MATCHES_TYPE], 0);
        }
        // The tips' goal arrows test for exactly 1.
        EXPECT_TRUE(goals[ARMOUR] == 0 || (goals[ARMOUR] == 1 && armour > 0));
        EXPECT_TRUE(goals[ROCK] == 0 || (goals[ROCK] == 1 && rocks > 0));
        EXPECT_EQ(std::set<int>(file.colours.begin(), file.colours.end()).size(),
                  file.colours.size())
            << "repeated colours would weight the draw";

        bool collectingPlace = false;
        for (int y = 0; y < file.height; ++y) {
            for (int x = 0; x < file.width; ++x) {
                const bool active = file.Active(x, y);
                if (active && (y == file.height - 1 || !file.Active(x, y + 1)))
                    collectingPlace = true;
                const bool obstacle = file.At(LOCKS, x, y) || file.At(ROCKS, x, y);
                if (obstacle) {
                    EXPECT_TRUE(active) << x << "," << y;
                    // A locked or rocked gem in an entry row would starve its column.
                    EXPECT_TRUE(file.Active(x, y - 1)) << "entry row " << x << "," << y;
                }
                const int fixed = file.At(SHAPES, x, y);
                if (fixed) {
                    EXPECT_TRUE(active) << "fixed gem off the board " << x << "," << y;
                }
                if (fixed == GEM_SKULL) {
                    EXPECT_GT(goals[SKULLS], 0);
                }
                const int type = file.FixedPlain(x, y);
                if (!type) continue;
                // Fixed gems never change: a line of them would refill forever.
                EXPECT_FALSE(file.FixedPlain(x + 1, y) == type && file.FixedPlain(x + 2, y) == type)
                    << "fixed line from " << x << "," << y;
                EXPECT_FALSE(file.FixedPlain(x, y + 1) == type && file.FixedPlain(x, y + 2) == type)
                    << "fixed line from " << x << "," << y;
            }
        }
        if (goals[SKULLS] > 0) {
            EXPECT_TRUE(collectingPlace);
        }
        for (const auto& piece : file.borders)
            EXPECT_TRUE(BorderOnOuterEdge(file, piece))
                << "B" << piece[0] << "," << piece[1] << "," << piece[2];
    }
    // Level 4 always turns the gem at column 5, row 1 magic.
    EXPECT_TRUE(File(4).Active(5, 1));
    EXPECT_LT(File(4).At(SHAPES, 5, 1), GEM_SKULL);
}

TEST_F(LevelFilesTest, EveryBoardFillsQuicklyWithAMoveAndNoLine) {
    for (int level = 1; level <= kLevelCount; ++level) {
        for (uint32_t seed = 1; seed <= kFillSeeds; ++seed) {
            SCOPED_TRACE("level " + std::to_string(level) + " seed " + std::to_string(seed));
            EXPECT_LE(LoadAndFill(level, seed), kMostFills);
            EXPECT_EQ(Grid->DoNoMoreMoves(0), 0);
            EXPECT_TRUE(LinesNow().empty());
            for (int y = 0; y < Grid->levelheight; ++y)
                for (int x = 0; x < Grid->levelwidth; ++x)
                    EXPECT_EQ(Cells[x][y]->Gem != nullptr, Cells[x][y]->active != 0);
            if (level == 4) {
                EXPECT_EQ(Cells[5][1]->Gem->Magic, 1);
            }
        }
    }
}

TEST_F(LevelFilesTest, TutorialArrowsPointAtTheSwapTheirLessonTeaches) {
    for (const Lesson& lesson : kLessons) {
        // The swap under the game's own arrow.
        const TLevelStartLesson* plan = LevelStartLessonOf(lesson.level);
        ASSERT_TRUE(plan);
        EXPECT_EQ(plan->arrowColumn, lesson.x) << "level " << lesson.level;
        EXPECT_EQ(plan->arrowRow, lesson.y) << "level " << lesson.level;
        for (uint32_t seed = 1; seed <= kFillSeeds; ++seed) {
            SCOPED_TRACE("level " + std::to_string(lesson.level) + " seed " + std::to_string(seed));
            LoadAndFill(lesson.level, seed);
            TCell* upper = CellAt(lesson.x, lesson.y);
            TCell* lower = CellAt(lesson.x, lesson.y + 1);
            ASSERT_TRUE(upper && lower && upper->active && lower->active);
            if (lesson.level == 17) {
                // Firing a bomb: one waits under the arrow, ready for a double click.
                EXPECT_TRUE(lower->Gem->IsBonus() && lower->Gem->GemType < GEM_COIN);
                continue;
            }
            std::swap(upper->Gem, lower->Gem);
            const std::set<Cell> line = LinesNow();
            const Cell first = *lesson.line.begin();
            const TGem& lineGem = *Cells[first.first][first.second]->Gem;
            const int lineType = lineGem.GemType;
            const bool lineLocked = lineGem.locked != 0;
            const bool skullDown = lower->Gem->GemType == GEM_SKULL;
            std::swap(upper->Gem, lower->Gem);
            EXPECT_EQ(line, lesson.line);
            if (lesson.level <= 2) {
                EXPECT_EQ(lineType, Grid->GoalMatchesType);
            }
            if (lesson.level == 3) {
                for (const auto& [x, y] : lesson.line)
                    EXPECT_EQ(Cells[x][y]->armour1, 1);
            }
            if (lesson.level == 6) {
                EXPECT_TRUE(skullDown);
                EXPECT_EQ(lesson.y + 1, Grid->levelheight - 1)
                    << "the skull lands in the bottom row";
            }
            if (lesson.level == 9) {
                EXPECT_TRUE(lineLocked) << "the line frees a locked gem";
            }
        }
    }
}

TEST_F(LevelFilesTest, TheLevelsFormACurve) {
    std::set<std::pair<int, int>> sizes;
    int firstArmour = 0, firstSnow = 0, firstSkulls = 0, firstLock = 0, firstRock = 0,
        firstStrongRock = 0;
    auto note = [](int& first, bool seen, int level) {
        if (seen && first == 0) first = level;
    };
    std::vector<double> colourSum(12, 0), levelsIn(12, 0);
    for (int level = 1; level <= kLevelCount; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        const LevelFile& file = File(level);
        sizes.insert({file.width, file.height});
        note(firstArmour, file.Count(LAYOUT, 2) + file.Count(LAYOUT, 3) > 0, level);
        note(firstSnow, file.Count(LAYOUT, 3) > 0, level);
        note(firstSkulls, file.goals[SKULLS] > 0, level);
        note(firstLock, file.Count(LOCKS, 1) > 0, level);
        note(firstRock, file.Count(ROCKS, 1) + file.Count(ROCKS, 2) > 0, level);
        note(firstStrongRock, file.Count(ROCKS, 2) > 0, level);
        const int colours = static_cast<int>(file.colours.size());
        colourSum[ChapterOf(level)] += colours;
        levelsIn[ChapterOf(level)] += 1;
        if (level <= 8) {
            EXPECT_TRUE(colours == 4 || colours == 5);
        }
        // Seven colours leave small boards without moves.
        EXPECT_LE(colours, 7);
        if (colours == 7) {
            EXPECT_GE(file.ActiveCells(), 100);
        }
    }
    for (int w = 5; w <= 13; ++w)
        for (int h = 5; h <= 10; ++h)
            EXPECT_TRUE(sizes.count({w, h})) << w << " x " << h;
    // Each obstacle turns up where the tutorial teaches it.
    EXPECT_EQ(firstArmour, 3);
    EXPECT_EQ(firstSkulls, 6);
    EXPECT_EQ(firstLock, 9);
    EXPECT_EQ(firstRock, 10);
    EXPECT_GT(firstSnow, firstArmour);
    EXPECT_GT(firstStrongRock, firstRock);
    // The goal rows the tutorial tips point at.
    auto goalRows = [&](int level) {
        const std::vector<int>& g = File(level).goals;
        return std::vector<bool>({g[MATCHES] > 0, g[ARMOUR] > 0, g[SKULLS] > 0, g[ROCK] > 0});
    };
    EXPECT_EQ(goalRows(1), std::vector<bool>({true, false, false, false}));
    EXPECT_EQ(goalRows(2), std::vector<bool>({true, false, false, false}));
    EXPECT_EQ(goalRows(3), std::vector<bool>({false, true, false, false}));
    EXPECT_EQ(goalRows(5), std::vector<bool>({true, true, false, false}));
    EXPECT_EQ(goalRows(6), std::vector<bool>({false, false, true, false}));
    EXPECT_EQ(goalRows(7), std::vector<bool>({false, true, true, false}));
    EXPECT_EQ(goalRows(10), std::vector<bool>({true, true, false, true}));
    // More colours chapter by chapter, from four to six or seven.
    for (int chapter = 2; chapter <= 11; ++chapter)
        EXPECT_GE(colourSum[chapter] / levelsIn[chapter],
                  colourSum[chapter - 1] / levelsIn[chapter - 1])
            << "chapter " << chapter;
    EXPECT_EQ(colourSum[1] / levelsIn[1], 4);
    EXPECT_GE(colourSum[10] / levelsIn[10], 6);
}

}  // namespace
