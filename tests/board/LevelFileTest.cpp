// Level files: the header lines, the board blocks, entry rows, the border
// frame worked out from the cells, the time limit and damaged files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "board/Grid.h"
#include "engine/Random.h"
#include "frame/Game.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"
#include "support/FrameFixture.h"

namespace {

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// Lines 2 to 7 with the given board size and colour line.
std::string Header(const std::string& size, const std::string& colours = "C=1,2,3,4,5") {
    return Join({"Time=60", "Goals=0,0,0,0,0", colours, "Bombs=1,2", "Size=" + size, "R=0,0"});
}

using Piece = std::tuple<int, float, float>;  // index, x, y

std::multiset<Piece> BorderPieces() {
    std::multiset<Piece> pieces;
    for (int i = 0; i < BorderCount; ++i) {
        pieces.insert({Borders[i]->index, Borders[i]->x, Borders[i]->y});
    }
    return pieces;
}

int CountKinds(const std::multiset<Piece>& pieces, int first, int last) {
    return static_cast<int>(std::count_if(pieces.begin(), pieces.end(), [&](const Piece& piece) {
        return std::get<0>(piece) >= first && std::get<0>(piece) <= last;
    }));
}

std::vector<int> Colours() {
    return std::vector<int>(GemColours.begin(), GemColours.begin() + GemColourCount);
}

bool FiveDifferentColours() {
    const std::vector<int> colours = Colours();
    const std::set<int> distinct(colours.begin(), colours.end());
    return colours.size() == 5 && distinct.size() == 5 && *distinct.begin() >= 1 &&
           *distinct.rbegin() <= 13;
}

class LevelFileTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        SaveData->shopPurchases.fill(0);
        Grid = TGameGrid::Create();
    }
    void TearDown() override {
        Grid->Clear();
        Grid.reset();
        SaveData->shopPurchases.fill(0);
        FrameTest::TearDown();
    }
    void Load(const std::string& text) { Grid->LoadLevelFromText(text); }
    float L(int column) const { return static_cast<float>(Grid->sx + 66 * column); }
    float T(int row) const { return static_cast<float>(Grid->sy + 66 * row); }
};

TEST_F(LevelFileTest, HeaderLinesAndBoardGeometry) {
    Load("name=Moor Path=2\n" + Header("7,8"));
    EXPECT_EQ(Grid->LevelName, "Moor Path=2");
    EXPECT_FLOAT_EQ(Grid->TimeLimit, 12000);
    EXPECT_EQ(BonusTypeCount, 7);
    EXPECT_EQ(Grid->levelwidth, 7);
    EXPECT_EQ(Grid->levelheight, 8);
    EXPECT_EQ(Grid->sx, 356);  // (1024 - 462) div 2 + 75
    EXPECT_EQ(Grid->sy, 75);   // (768 - 528) div 2 - 45
    ASSERT_TRUE(Cells[6][7]);
    EXPECT_FALSE(Cells[7][0] || Cells[0][8]);
    EXPECT_EQ(Cells[6][7]->sx, L(6));
    EXPECT_EQ(Cells[6][7]->sy, T(7));

    // Screen positions back to cells: columns truncate toward zero, rows
    // above the board are -1.
    EXPECT_EQ(CellLeft(3), Grid->sx + 198);
    EXPECT_EQ(CellTop(2), Grid->sy + 132);
    EXPECT_EQ(ColumnAt(L(1) - 0.5f), 0);
    EXPECT_EQ(ColumnAt(L(0) - 30), 0);
    EXPECT_EQ(ColumnAt(L(0) - 70), -1);
    EXPECT_EQ(RowAt(T(0) - 0.5f), -1);
    EXPECT_EQ(RowAt(T(2)), 2);

    // Without a NAME key the first line is already the time line; goals are
    // taken in file order, missing ones 0.
    Load("Seconds=45\nGoals=5,3,10,2\nC=\nB=\nSize=13,10\n");
    EXPECT_EQ(Grid->LevelName, "");
    EXPECT_FLOAT_EQ(Grid->TimeLimit, 9000);
    EXPECT_EQ(std::vector<int>({Grid->GoalMatches, Grid->GoalMatchesType, Grid->GoalArmour,
                                Grid->GoalCollect, Grid->GoalRock}),
              std::vector<int>({5, 3, 10, 2, 0}));
    EXPECT_EQ(Grid->sx, 158);
    EXPECT_EQ(Grid->sy, 9);
    Load("NAMES=30\n");
    EXPECT_EQ(Grid->LevelName, "");
    EXPECT_FLOAT_EQ(Grid->TimeLimit, 6000);
}

TEST_F(LevelFileTest, ColourLines) {
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        CSrand(seed);
        Load(Header("3,3", "C=0"));
        EXPECT_TRUE(FiveDifferentColours()) << seed;
        Load(Header("3,3", "C="));
        EXPECT_TRUE(FiveDifferentColours()) << seed;
    }
    Load(Header("3,3", "C=3,3"));
    EXPECT_EQ(Colours(), std::vector<int>({3, 3}));
    // At most 15; values outside the gem strip dropped; none left: random.
    Load(Header("3,3", "C=1,2,3,4,5,6,7,8,9,10,11,12,13,1,2,3,4"));
    EXPECT_EQ(GemColourCount, 15);
    EXPECT_EQ(GemColours[14], 2);
    Load(Header("3,3", "C=0,14,-2,99,5,x"));
    EXPECT_EQ(Colours(), std::vector<int>({5}));
    Load(Header("3,3", "C=14,99,-1"));
    EXPECT_TRUE(FiveDifferentColours());
}

TEST_F(LevelFileTest, BlocksSetCellsAndCounters) {
    const std::string text =
        Header("4,3") + Join({"1,2,3,0", "1,1,1,1", "0,3,1,1", "locked=", "0,1,0,0", "0,0,0,1",
                              "rocks=", "1,0,0,5", "", "0,-1,1,0", "shapes=", "5,0,14,0",
                              "31,22,-5,30", "border=", "; a comment", "B12,1,3"});
    std::string crlf;
    for (char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const std::string& file : {text, crlf}) {
        Load(file);
        EXPECT_TRUE(Cells[0][0]->active && !Cells[3][0]->active && !Cells[0][2]->active);
        EXPECT_TRUE(Cells[1][0]->armour1 && !Cells[1][0]->armour2);
        EXPECT_TRUE(Cells[2][0]->armour2 && Cells[1][2]->armour2 && !Cells[0][1]->armour1);
        EXPECT_EQ(Grid->Armoured, 5);
        EXPECT_EQ(Grid->Gold, 3);
        EXPECT_TRUE(Cells[1][0]->gemlocked && Cells[3][1]->gemlocked && !Cells[0][0]->gemlocked);
        EXPECT_EQ(Grid->Locked, 2);
        // Rock strength 0..2; the empty line is a row of zeros.
        EXPECT_EQ(Cells[0][0]->GemRock, 1);
        EXPECT_EQ(Cells[3][0]->GemRock, 2);
        EXPECT_EQ(Cells[1][2]->GemRock, 0);
        EXPECT_EQ(Cells[2][2]->GemRock, 1);
        EXPECT_EQ(Grid->Rocks, 3);
        // Gem types 1..30; anything else is left to chance.
        EXPECT_EQ(Cells[0][0]->fixedGem, 5);
        EXPECT_EQ(Cells[2][0]->fixedGem, 14);
        EXPECT_EQ(Cells[0][1]->fixedGem, 0);
        EXPECT_EQ(Cells[1][1]->fixedGem, 22);
        EXPECT_EQ(Cells[2][1]->fixedGem, 0);
        EXPECT_EQ(Cells[3][1]->fixedGem, 30);
        ASSERT_EQ(ExtraBorderCount, 1);
        EXPECT_EQ(ExtraBorders[0]->index, TCell::EXTRA_LONG_BOTTOM);
        EXPECT_FLOAT_EQ(ExtraBorders[0]->x, L(1));
        EXPECT_FLOAT_EQ(ExtraBorders[0]->y, T(3) + 10);
    }
}

TEST_F(LevelFileTest, EntryRowsAreTheTopsOfActiveRuns) {
    std::vector<std::string> rows;
    for (int y = 0; y < 10; ++y)
        rows.push_back(y <= 2 || y >= 5 ? "1,0,1" : "0,0,1");
    Load(Header("3,10") + Join(rows));
    EXPECT_EQ(TopRowCount[0], 2);
    EXPECT_EQ(TopRow[0][0], 0);
    EXPECT_EQ(TopRow[0][1], 5);
    EXPECT_EQ(TopRowCount[1], 0);
    EXPECT_EQ(TopRow[1][0], -1);
    EXPECT_EQ(TopRowCount[2], 1);
    EXPECT_EQ(TopRow[7][0], -1);  // past the board
}

TEST_F(LevelFileTest, BorderPiecesFollowTheCells) {
    Load(Header("3,3") + Join({"0,0,0", "0,1,0", "0,0,0"}));
    const std::multiset<Piece> lone = {
        {TCell::BORDER_LEFT, L(1) - 10, T(1)},    {TCell::BORDER_TOP, L(1), T(1) - 10},
        {TCell::BORDER_RIGHT, L(2), T(1)},        {TCell::BORDER_BOTTOM, L(1), T(2)},
        {TCell::CORNER_TL, L(1) - 10, T(1) - 10}, {TCell::CORNER_TR, L(2), T(1) - 10},
        {TCell::CORNER_BR, L(2), T(2)},           {TCell::CORNER_BL, L(1) - 10, T(2)},
    };
    EXPECT_EQ(BorderPieces(), lone);

    Load(Header("3,3") + Join({"1,1,1", "1,0,1", "1,1,1"}));
    const std::multiset<Piece> hole = BorderPieces();
    const float in = 66 - 10;
    for (const Piece& piece : std::multiset<Piece>{
             {TCell::BORDER_RIGHT, L(1), T(1)},
             {TCell::BORDER_BOTTOM, L(1), T(1)},
             {TCell::BORDER_LEFT, L(1) + in, T(1)},
             {TCell::BORDER_TOP, L(1), T(1) + in},
             {TCell::INNER_CORNER_TL, L(1), T(1)},
             {TCell::INNER_CORNER_TR, L(1) + in, T(1)},
             {TCell::INNER_CORNER_BR, L(1) + in, T(1) + in},
             {TCell::INNER_CORNER_BL, L(1), T(1) + in},
             {TCell::CORNER_TL, L(0) - 10, T(0) - 10},
             {TCell::CORNER_BR, L(3), T(3)},
         }) {
        EXPECT_EQ(hole.count(piece), 1u) << std::get<0>(piece);
    }
    EXPECT_EQ(CountKinds(hole, 0, 3), 12 + 4);  // outside edges, inner edges
    EXPECT_EQ(CountKinds(hole, 4, 7), 4);       // only at the board's corners
    EXPECT_EQ(CountKinds(hole, 8, 11), 4);

    // Cells touching only diagonally: an inner corner where they meet, no
    // outer one.
    Load(Header("2,2") + Join({"1,0", "0,1"}));
    const std::multiset<Piece> diagonal = BorderPieces();
    EXPECT_EQ(CountKinds(diagonal, 0, 3), 8);
    EXPECT_EQ(CountKinds(diagonal, 4, 7), 6);
    EXPECT_EQ(diagonal.count({TCell::CORNER_BR, L(1), T(1)}), 0u);
    EXPECT_EQ(diagonal.count({TCell::INNER_CORNER_BL, L(1), T(1) - 10}), 1u);
    EXPECT_EQ(diagonal.count({TCell::INNER_CORNER_TR, L(1) - 10, T(1)}), 1u);
    EXPECT_EQ(BorderCount, 16);
}

TEST_F(LevelFileTest, TimeLimitGrowsWithTheExtraTimeShopItems) {
    const std::string text = Header("3,3");
    Load(text);
    EXPECT_FLOAT_EQ(Grid->TimeLimit, 12000);
    SaveData->shopPurchases[SHOP_MORE_TIME] = ShopItem::PURCHASED;
    Load(text);
    EXPECT_FLOAT_EQ(Grid->TimeLimit, 13200);
    SaveData->shopPurchases[SHOP_LONG_TIME] = ShopItem::PURCHASED;  // the larger one wins
    Load(text);
    EXPECT_FLOAT_EQ(Grid->TimeLimit, 14400);
    SaveData->shopPurchases[SHOP_MORE_TIME] = SaveData->shopPurchases[SHOP_LONG_TIME] =
        ShopItem::AVAILABLE;  // available, not owned
    Load(text);
    EXPECT_FLOAT_EQ(Grid->TimeLimit, 12000);
    // Only the lengthened time is cut to whole steps (seen at a slower speed).
    Game->CurrentSpeed = 0.7f;
    Load(text);
    EXPECT_NEAR(Grid->TimeLimit, 17142.857f, 0.01f);
    SaveData->shopPurchases[SHOP_LONG_TIME] = ShopItem::PURCHASED;
    Load(text);
    EXPECT_FLOAT_EQ(Grid->TimeLimit, 20571);
}

TEST_F(LevelFileTest, OversizedAndOutOfRangeValuesStayInsideTheTables) {
    const std::string wide = "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1";
    std::vector<std::string> rows(12, wide);
    rows.push_back("locked=");
    rows.insert(rows.end(), 12, wide);
    Load(Header("20,15") + Join(rows));
    EXPECT_EQ(Grid->levelwidth, 13);
    EXPECT_EQ(Grid->levelheight, 10);
    EXPECT_EQ(Grid->Locked, 130);
    EXPECT_EQ(BorderCount, 2 * 13 + 2 * 10 + 4);

    // Long rows do not spill into the next cells.
    Load(Header("2,2") + Join({"1,1,1,1", "1,1,1", "1,1,1", "locked=", "1,1,1,1,1,1,1"}));
    EXPECT_EQ(Grid->Locked, 2);
    EXPECT_FALSE(Cells[2][0] || Cells[0][2]);

    for (const char* size : {"0,0", "-3,-7", "abc", "99999999999,99999999999"}) {
        Load(Header(size) + "1\n");
        const int expected = size[0] == '9' ? 13 : 1;
        EXPECT_EQ(Grid->levelwidth, expected) << size;
        EXPECT_EQ(Grid->levelheight, expected == 13 ? 10 : 1) << size;
        EXPECT_TRUE(Cells[0][0]->active) << size;
    }

    // Extra pieces: kinds outside the 24 pictures dropped, at most 20 kept;
    // a plain kind stays on its cell.
    std::vector<std::string> lines = {"1",       "locked=", "rocks=",
                                      "shapes=", "border=", "B24,0,0",
                                      "B-1,0,0", "B5,0,0",  "B13,99999999999,-99999999999"};
    lines.insert(lines.end(), 25, "B12,0,0");
    Load(Header("1,1") + Join(lines));
    EXPECT_EQ(ExtraBorderCount, 20);
    EXPECT_EQ(ExtraBorders[0]->index, 5);
    EXPECT_FLOAT_EQ(ExtraBorders[0]->x, L(0));
    EXPECT_FLOAT_EQ(ExtraBorders[0]->y, T(0));
    EXPECT_EQ(ExtraBorders[1]->index, 13);  // far off the board, but harmless
    EXPECT_EQ(ExtraBorders[19]->index, 12);
}

TEST_F(LevelFileTest, ShortAndGarbledFilesLoadWithoutHarm) {
    for (const std::string& text : std::vector<std::string>{
             "", "\n\n\n", "NAME=", "Time=60\nGoals=1", Header("3,3") + "1,1,1\n1,0",
             "\x01\xff,,,===\n==\n,\n-\n" + std::string(300, ','),
             Header("3,3") + "locked=\nlocked=\nrocks=\n1,1,1\n",
             Header("13,10") + std::string(100000, '1')}) {
        Load(text);
        EXPECT_TRUE(Grid->levelwidth >= 1 && Grid->levelwidth <= 13);
        EXPECT_TRUE(Grid->levelheight >= 1 && Grid->levelheight <= 10);
        EXPECT_GE(GemColourCount, 1);
    }
    Load("");
    EXPECT_FLOAT_EQ(Grid->TimeLimit, 0);
    EXPECT_FALSE(Cells[0][0]->active);
    EXPECT_EQ(TopRow[0][0], -1);
    EXPECT_EQ(BorderCount, 0);

    // A wrong terminator is just a row: the locks block never starts.
    Load(Header("3,3") + "1,1,1\nrocks=\n1,1,1\nlocked=\n1,1,1\n");
    EXPECT_FALSE(Cells[0][1]->active);
    EXPECT_TRUE(Cells[0][2]->active);
    EXPECT_EQ(Grid->Locked, 3);
    EXPECT_EQ(Grid->Rocks, 0);
}

TEST_F(LevelFileTest, LevelsAreReadFromTheDataFolderInAnyLetterCase) {
    const std::filesystem::path folder = home_ / "Data" / "Levels";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "7.TXT", std::ios::binary)
        << "Name=Seven\r\nTime=30\r\nGoals=1\r\nC=2,3\r\nB=\r\nSize=2,1\r\nR=\r\n1,2\r\n";
    Game->DataPrefix = home_.string() + "/";
    Grid->LoadLevel(7);
    EXPECT_EQ(Grid->LevelName, "Seven");
    EXPECT_FLOAT_EQ(Grid->TimeLimit, 6000);
    EXPECT_TRUE(Cells[1][0]->armour1);

    EXPECT_EQ(FatalMessageOf([] { Grid->LoadLevel(8); }),
              "Error loading file " + home_.string() + "/data/levels/8.txt");
}

}  // namespace
