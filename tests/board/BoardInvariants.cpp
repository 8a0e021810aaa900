#include "board/BoardInvariants.h"

#include <gtest/gtest.h>

#include <set>

#include "board/Grid.h"

void CheckBoardInvariants(int step, bool gemsAtTheirPlaces) {
    std::set<const TGem*> inCells;
    for (int x = 0; x < Grid->levelwidth; ++x) {
        for (int y = 0; y < Grid->levelheight; ++y) {
            const TCell& cell = *Cells[x][y];
            if (!cell.Gem) continue;
            ASSERT_TRUE(cell.active)
                << "gem on an inactive cell " << x << "," << y << " step " << step;
            ASSERT_TRUE(inCells.insert(cell.Gem.get()).second)
                << "one gem in two cells, step " << step;
        }
    }
    for (const TGemPtr& gem : *GemList) {
        const bool resting =
            gem->dy == 0 && !gem->Swapping && gem->GemType != GEM_USED && !gem->Exploding();
        if (!resting) continue;
        const TCell* cell = CellAt(gem->gx, gem->gy);
        ASSERT_TRUE(cell && cell->Gem == gem)
            << "resting gem of type " << gem->GemType << " outside its cell " << gem->gx << ","
            << gem->gy << ", step " << step;
        if (!gemsAtTheirPlaces) continue;
        ASSERT_EQ(gem->x, CellLeft(gem->gx) + HALF_CELL) << "step " << step;
        ASSERT_EQ(gem->y, CellTop(gem->gy) + HALF_CELL) << "step " << step;
    }
    for (int x = 0; x < Grid->levelwidth; ++x) {
        for (int k = 0; k < TopRowCount[x]; ++k) {
            ASSERT_GE(TopRowPending[x][k], 0);
            ASSERT_LE(TopRowPending[x][k], 1) << "an entry row feeds one gem at a time";
        }
    }
}
