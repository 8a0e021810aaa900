// Falling, refill, the first fill, the move search, hints, flashes over
// armour and the game-over shake.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "board/Grid.h"
#include "board/Powerups.h"
#include "engine/Random.h"
#include "frame/Game.h"
#include "media/Sound.h"
#include "play/GameScreen.h"
#include "play/Player.h"

namespace {

constexpr float kStartSpeed = 0.04f;
constexpr float kAcceleration = 0.04f;
constexpr float kTopSpeed = 2.0f;
constexpr float kScanDelay = 6;
// Bounds that keep the first fill finite on levels that cannot be filled
// cleanly (too few colours, fixed gems in a line, no possible move).
constexpr int kDrawsPerCell = 100;
constexpr int kBoardFills = 200;

// Two 66-pixel squares centred on the gems' whole-pixel positions overlap.
bool Overlap(const TGem& a, const TGem& b) {
    return std::abs(static_cast<int>(a.y) - static_cast<int>(b.y)) < CELL_SIZE &&
           std::abs(static_cast<int>(a.x) - static_cast<int>(b.x)) < CELL_SIZE;
}

}  // namespace

// ---------------------------------------------------------------- refill

void TGem::ReleasePending() {
    if (PendingColumn < 0) return;
    int& pending = TopRowPending[PendingColumn][PendingEntry];
    if (pending > 0) --pending;
    PendingColumn = PendingEntry = -1;
}

void TGameGrid::ClearTopRow() {
    for (auto& column : TopRow)
        column.fill(0);
    for (auto& column : TopRowPending)
        column.fill(0);
}

int TGameGrid::CheckTopRow() {
    if (!MakeNewGems || GameOverCountdown()) return 0;
    for (int x = 0; x < levelwidth; ++x) {
        for (int k = 0; k < TopRowCount[x]; ++k) {
            const int row = TopRow[x][k];
            TCell* cell = CellAt(x, row);
            if (!cell || cell->Gem || TopRowPending[x][k] != 0) continue;
            TGemPtr gem;
            if (RandInt(0, 100000) < getSpawnGoldChance()) {
                gem = TGem::MakeCoin(x, row, 1);
            } else if (RandInt(0, 100000) < getSpawnBagChance()) {
                gem = TGem::MakeBag(x, row, 1);
            } else {
                gem = TGem::Make(x, row, TGem::Random(1), 1);
            }
            gem->SetDropInY();
            if (RandInt(1, 10000) < 400 * Delta && gem->GemType != GEM_SKULL) gem->CreateMagic();
            GemList->InsertGem(gem);
            TopRowPending[x][k] += 1;
            gem->PendingColumn = x;
            gem->PendingEntry = k;
        }
    }
    return 1;
}

// ---------------------------------------------------------------- falling

void TGameGrid::StartFalling(int x, int y) {
    TCell& cell = *Cells[x][y];
    if (x == cx && y == cy) {
        ClearCursor();
        RestorePointer();
    }
    cell.Gem->dy = kStartSpeed;
    cell.Gem = nullptr;
    FallCounter = kScanDelay;
}

void TGameGrid::LandGem(const TGemPtr& gem, int column, int row) {
    const bool aboveGap = row == levelheight - 1 || !CellActive(column, row + 1);
    if (gem->GemType == GEM_SKULL && aboveGap) {
        CollectEgg(gem);
        return;
    }
    gem->y = static_cast<float>(CellTop(row) + HALF_CELL);
    gem->dy = 0;
    Cells[column][row]->Gem = gem;
}

int TGameGrid::DropGems() {
    if (!DropGemsFlag || GameOverCountdown() || OutroRunning() || !GemList) return 0;
    CheckTopRow();
    bool moving = false;
    if (FallCounter <= 0) {
        for (int y = 0; y <= levelheight - 2; ++y) {
            for (int x = 0; x < levelwidth; ++x) {
                TCell* cell = CellAt(x, y);
                TCell* below = CellAt(x, y + 1);
                if (!cell || !cell->Gem || !below || !below->active || below->Gem) continue;
                const TGem& gem = *cell->Gem;
                if (gem.rocked || gem.locked || gem.dy != 0 || gem.GemType == GEM_USED ||
                    gem.Swapping)
                    continue;
                StartFalling(x, y);
                moving = true;
            }
        }
    }
    if (FallCounter > 0) FallCounter -= Delta;

    bool anyFell = false, anyLanded = false;
    for (auto it = GemList->begin(); it != GemList->end();) {
        TGemPtr gem = *it++;
        if (gem->dy <= 0 || gem->Swapping) continue;
        anyFell = moving = true;
        const int restartY = static_cast<int>(gem->y);
        gem->y += gem->dy * Delta;
        gem->dy = std::min(kTopSpeed, gem->dy + kAcceleration * Delta);
        for (const TGemPtr& other : *GemList) {
            if (other->y <= gem->y) break;
            if (!other->Swapping && other->dy > 0 && other->x == gem->x && Overlap(*other, *gem)) {
                gem->dy = kStartSpeed;
                gem->y = static_cast<float>(restartY);
                break;
            }
        }
        const int column = ColumnAt(gem->x - HALF_CELL), row = RowAt(gem->y - HALF_CELL);
        gem->gx = column;
        gem->gy = row;
        if (column < 0 || column >= levelwidth || TopRowCount[column] == 0 ||
            row < TopRow[column][0])
            continue;
        if (gem->PendingColumn == column && row >= TopRow[column][gem->PendingEntry])
            gem->ReleasePending();
        if (row < 0 || row >= levelheight) continue;
        TCell* below = CellAt(column, row + 1);
        const bool lands = row == levelheight - 1 || !below->active ||
                           (below->Gem && below->Gem->GemType != GEM_USED);
        if (!lands) continue;
        anyLanded = true;
        LandGem(gem, column, row);
    }
    if (anyFell) GemList->SortAll();
    if (anyLanded) {
        if (LandSound && DropChannel &&
            !(DropChannel->Channel && DropChannel->Channel->Playing())) {
            LandSound->PlayInChannel(DropChannel->Channel, 0);
        }
        Player->KillsAdd(CheckMatches(0, 0));
    }
    if (moving) BlockInput = 1;
    return 1;
}

// ---------------------------------------------------------------- the first fill

void TGameScreen::FillGrid() {
    GemList = std::make_shared<TGemList>();
    if (!Grid) return;
    TGameGrid& grid = *Grid;
    // Every fill is a new board: count only the skulls this fill places.
    grid.EggCount = 0;
    for (int y = 0; y < grid.levelheight; ++y) {
        int lastType = 0, run = 0;
        for (int x = 0; x < grid.levelwidth; ++x) {
            TCell& cell = *Cells[x][y];
            if (!cell.active) {
                lastType = run = 0;
                continue;
            }
            int type = 0;
            if (cell.fixedGem >= GEM_FIRST_BOMB) {
                type = cell.fixedGem;
                run = 0;
            } else if (cell.fixedGem >= 1) {
                type = cell.fixedGem;
                run = type == lastType ? run + 1 : 1;
            } else {
                auto above = [&](int dy) {
                    return Cells[x][y - dy] && Cells[x][y - dy]->Gem
                               ? Cells[x][y - dy]->Gem->GemType
                               : 0;
                };
                for (int draw = 0; draw < kDrawsPerCell; ++draw) {
                    type = TGem::Random(0);
                    const bool thirdInRow = type == lastType && run >= 2;
                    const bool thirdInColumn = y >= 2 && type == above(1) && type == above(2);
                    if (!thirdInRow && !thirdInColumn) break;
                }
                run = type == lastType ? run + 1 : 1;
            }
            lastType = type;
            TGemPtr gem = type == GEM_BAG    ? TGem::MakeBag(x, y, 0)
                          : type == GEM_COIN ? TGem::MakeCoin(x, y, 0)
                                             : TGem::Make(x, y, type, 0);
            if (cell.gemlocked) gem->locked = 1;
            gem->rocked = cell.GemRock;
            GemList->AddLast(gem);
            cell.Gem = gem;
        }
    }
    // A few magic gems: one in 25 plain gems, computed in single precision.
    int plain = 0;
    for (const TGemPtr& gem : *GemList)
        plain += gem->GemType < GEM_FIRST_BOMB;
    const int magic = static_cast<int>(plain * static_cast<double>(0.04f));
    for (int i = 0; i < magic; ++i) {
        for (int attempt = 0; attempt < 11; ++attempt) {
            TCell* cell = CellAt(RandInt(0, grid.levelwidth - 1), RandInt(0, grid.levelheight - 1));
            if (cell && cell->Gem && cell->Gem->GemType < GEM_SKULL && !cell->Gem->Magic) {
                cell->Gem->CreateMagic();
                break;
            }
        }
    }
    if (Player->Level == 4) {
        TCell* cell = CellAt(5, 1);
        if (cell && cell->active && cell->Gem && cell->Gem->GemType >= 1 &&
            cell->Gem->GemType <= 13) {
            cell->Gem->CreateMagic();
        }
    }
}

int FillGridUntilPlayable() {
    for (int fill = 1; fill <= kBoardFills; ++fill) {
        GameScreen->FillGrid();
        if (Grid->DoNoMoreMoves(0) == 1 && fill < kBoardFills) continue;
        const int found = Grid->CheckMatches(1, 0);
        bool onlyFixed = true;
        for (int x = 0; x < Grid->levelwidth && found; ++x) {
            for (int y = 0; y < Grid->levelheight; ++y) {
                if (Cells[x][y]->match && Cells[x][y]->fixedGem == 0) onlyFixed = false;
            }
        }
        Grid->ClearMatches();
        // Lines made of fixed gems alone would come back with every fill.
        if (found == 0 || onlyFixed || fill == kBoardFills) return fill;
        if (Game->Debug) std::printf("Matches detected after FillGrid\n");
        Grid->EggCount = 0;
    }
    return kBoardFills;
}

// ---------------------------------------------------------------- move search

int TGameGrid::TypeAt(int x, int y) const {
    const TCell* cell = CellAt(x, y);
    return cell && cell->Gem ? cell->Gem->GemType : 0;
}

// Looks for three equal plain gems in a row along `lines` parallel lines of
// cells: line i, step k is the cell (x0 + k * along.x + i * across.x, ...).
int TGameGrid::FindRunOfThree(int x0, int y0, int alongX, int alongY, int steps, int lines) {
    HintGemType = 0;
    for (int line = 0; line < lines; ++line) {
        int runType = 0, run = 0;
        for (int k = 0; k < steps; ++k) {
            const int column = x0 + k * alongX + line * alongY,
                      row = y0 + k * alongY + line * alongX;
            const TCell* cell = CellAt(column, row);
            const int type = cell && cell->Gem && !cell->Gem->rocked ? cell->Gem->GemType : 0;
            if (type < 1 || type > 13) {
                runType = run = 0;
                continue;
            }
            run = type == runType ? run + 1 : 1;
            runType = type;
            if (run == 3) {
                HintGemType = type;
                return 1;
            }
        }
    }
    return 0;
}

int TGameGrid::DoQuickMatchHoriz(int x, int y) {
    const int first = std::max(0, x - 2), last = std::min(x + 3, levelwidth - 1);
    const int lines = std::min(y + 1, levelheight - 1) - y + 1;
    return FindRunOfThree(first, y, 1, 0, last - first + 1, lines);
}

int TGameGrid::DoQuickMatchVert(int x, int y) {
    const int first = std::max(0, y - 2), last = std::min(y + 3, levelheight - 1);
    const int lines = std::min(x + 1, levelwidth - 1) - x + 1;
    return FindRunOfThree(x, first, 0, 1, last - first + 1, lines);
}

int TGameGrid::CheckMove(int x, int y, int tx, int ty, int n, int& count) {
    TCell* cell = CellAt(x, y);
    TCell* target = CellAt(tx, ty);
    if (!target || !target->active) return 0;
    if (target->Gem &&
        (target->Gem->locked || target->Gem->rocked || target->Gem->GemType == GEM_USED))
        return 0;
    const TGemPtr mine = cell->Gem, theirs = target->Gem;
    cell->Gem = theirs;
    target->Gem = mine;
    bool ends = false;
    for (int direction = 0; direction < 2 && !ends; ++direction) {
        const int found = direction == 0 ? DoQuickMatchHoriz(x, y) : DoQuickMatchVert(x, y);
        if (!found) continue;
        if (n == 0 || ++count == n) ends = true;
    }
    cell->Gem = mine;
    target->Gem = theirs;
    if (!ends) return 0;
    const bool triedBonus = mine && mine->IsBonus();
    const bool triedMatches = mine && mine->GemType == HintGemType;
    DebugX = triedBonus ? tx : (triedMatches ? x : tx);
    DebugY = triedBonus ? ty : (triedMatches ? y : ty);
    return 1;
}

int TGameGrid::DoNoMoreMoves(int n) {
    int count = 0;
    for (int y = 0; y < levelheight; ++y) {
        for (int x = 0; x < levelwidth; ++x) {
            TCell* cell = CellAt(x, y);
            if (!cell || !cell->active) continue;
            if (cell->Gem && (cell->Gem->locked || cell->Gem->rocked)) continue;
            const int type = TypeAt(x, y);
            if (type > GEM_SKULL) {
                // A bomb, coin or bag can always be used.
                if (n == 0 || ++count == n) {
                    DebugX = x;
                    DebugY = y;
                    return 0;
                }
            }
            if (type == GEM_USED) continue;
            if (y < levelheight - 1 && CheckMove(x, y, x, y + 1, n, count)) return 0;
            if (x < levelwidth - 1 && CheckMove(x, y, x + 1, y, n, count)) return 0;
        }
    }
    if (n > 0 && count > 0) HintCurrent = 1;
    DebugX = DebugY = -1;
    return 1;
}

void TGameGrid::CheckNoMoreMoves() {
    if (GameOverCountdown() || BlockInput || SwapCounter > 0) return;
    for (const THUDPowerupPtr& powerup : HUDPowerups) {
        if (powerup->HasValidMove()) return;
    }
    GameScreen->NoMore = DoNoMoreMoves(0);
    if (GameScreen->NoMore == 1) GameScreen->Quit();
}

// ---------------------------------------------------------------- hints

int TGameGrid::StartHint() {
    if (HintCounter > 0 || GameOverCountdown() || OutroRunning() || BlockInput || SwapCounter > 0)
        return 0;
    HintCounter = HintLength;
    if (DoNoMoreMoves(HintCurrent) == 1) DoNoMoreMoves(HintCurrent);
    HintCurrent += 1;
    HintX = DebugX;
    HintY = DebugY;
    if (TCell* cell = CellAt(HintX, HintY); cell && cell->Gem) {
        PlaySound(HintSound);
        cell->Gem->SetHintWobble(1);
        return 1;
    }
    for (const THUDPowerupPtr& powerup : HUDPowerups) {
        if (powerup->HasValidMove()) {
            PlaySound(HintSound);
            powerup->SetHintWobble(1);
            break;
        }
    }
    return 1;
}

void TGameGrid::ManageHint() {
    if (HintCounter <= 0) return;
    HintCounter -= Delta;
    if (HintCounter <= 0) StopHint();
}

void TGameGrid::StopHint() {
    if (GameScreen) GameScreen->AutoHintCounter = 0;
    HintCounter = 0;
    if (TCell* cell = CellAt(HintX, HintY); cell && cell->Gem) cell->Gem->SetHintWobble(0);
    for (const THUDPowerupPtr& powerup : HUDPowerups)
        powerup->SetHintWobble(0);
}

// ---------------------------------------------------------------- flashes and shake

void TGameGrid::FlashColumn(int d) {
    for (int x = 0; x < levelwidth; ++x) {
        TCell* cell = CellAt(x, d - x);
        if (cell && cell->armour1) cell->glow = 0.5f;
    }
}

void TGameGrid::StartIntroFlash() {
    IntroLimit = Game->CalcAnimLength(50);
    IntroCounter = 0;
    IntroColumn = 0;
    FlashColumn(0);
}

void TGameGrid::IntroFlash() {
    if (IntroColumn >= 2 * levelwidth) return;
    IntroCounter += Delta;
    if (IntroCounter < IntroLimit) return;
    ++IntroColumn;
    IntroCounter = 0;
    if (IntroColumn < 2 * levelwidth) FlashColumn(IntroColumn);
}

void TGameGrid::RandomFlash() {
    if (IntroColumn < 2 * levelwidth) return;
    if (RandInt(1, 100000) < 15 * Delta) StartIntroFlash();
}

void TGameGrid::ManageFlash() {
    for (int x = 0; x < levelwidth; ++x) {
        for (int y = 0; y < levelheight; ++y) {
            TCell* cell = CellAt(x, y);
            if (cell && cell->glow > 0) cell->glow = std::max(0.0f, cell->glow - 0.02f * Delta);
        }
    }
}

void TGameGrid::ManageJiggle(float threshold) {
    if (GameScreen->NoMoreCounter > threshold) {
        if (JiggleDirection == 0) JiggleDirection = 1;
        JiggleOffset += JiggleDirection * Delta;
        if (JiggleOffset >= JiggleMax) {
            JiggleOffset = JiggleMax;
            JiggleDirection = -1;
        } else if (JiggleOffset <= -JiggleMax) {
            JiggleOffset = -JiggleMax;
            JiggleDirection = 1;
        }
        return;
    }
    if (!Exploded) {
        JiggleOffset = 0;
        JiggleDirection = 0;
        PlaySound(GameScreen->SoundGameOver);
        GemList->SpreadAll();
        Exploded = 1;
    }
    GemList->MoveAll();
}
