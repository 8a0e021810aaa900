// The mouse on the board, swapping, and finding, marking, scoring and
// removing lines.
#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include "board/Grid.h"
#include "board/Powerups.h"
#include "engine/Random.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"
#include "media/Effects.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "play/Tutorial.h"
#include "progress/SaveData.h"
#include "progress/ShopItems.h"

namespace {

bool IsNeighbour(int ax, int ay, int bx, int by) {
    return std::abs(ax - bx) + std::abs(ay - by) == 1;
}

// Collected when it stands in the bottom row or above an inactive cell.
bool SkullAtBottom(const TGem& gem) {
    return gem.GemType == GEM_SKULL && Grid &&
           (gem.gy == Grid->levelheight - 1 || !CellActive(gem.gx, gem.gy + 1));
}

}  // namespace

// ---------------------------------------------------------------- selection

void TGameGrid::SetCursor(int x, int y) {
    cx = x;
    cy = y;
    cursorTimer = 0;
    Mode = 1;
}

void TGameGrid::ClearCursor() {
    cx = cy = -1;
    Mode = 0;
}

void TGameGrid::ClearBonus(int withSound) {
    if (withSound) PlaySound(ClickReverseSound);
    ClearCursor();
    RestorePointer();
    Mode = 0;
}

void TGameGrid::ClearHUDCursor(int withSound) {
    if (!PointerGemType) return;
    HUDPowerDragging = 0;
    if (withSound) PlaySound(ClickReverseSound);
    ClearCursor();
    RestorePointer();
    Mode = 0;
}

void TGameGrid::DeleteGem(int x, int y) {
    TCell* cell = CellAt(x, y);
    if (!cell || !cell->Gem) return;
    TGemPtr gem = cell->Gem;
    cell->Gem = nullptr;
    if (GemList) GemList->RemoveGem(gem);
}

// ---------------------------------------------------------------- the mouse

int TGameGrid::CheckMouse() {
    TMousePointer& mouse = *Game->Mouse;
    const bool held = mouse.GetMb() != 0;
    const bool fresh = held && MouseUpFlag;
    if (HUDPowerupBlockInput) {
        RefuseSlotPress(fresh);
        return 0;
    }
    if (SwapCounter > 0 || OutroRunning() || GameOverCountdown()) return 0;
    mx = static_cast<int>(std::floor((mouse.x - sx) / static_cast<float>(CELL_SIZE)));
    my = static_cast<int>(std::floor((mouse.y - sy) / static_cast<float>(CELL_SIZE)));
    if (mx < 0 || my < 0 || mx >= levelwidth || my >= levelheight) mx = my = -1;

    if (PickUpOrDragPowerup(held, fresh)) return 0;
    if (mx < 0) {
        MouseOffBoard(held, fresh);
        return 0;
    }
    TCell& cell = *Cells[mx][my];
    if (!cell.active) {
        MouseOverHole(held);
        return 0;
    }
    if (!held) {
        ReleaseOverCell();
        return 0;
    }
    if (Mode == 1 && (mx != cx || my != cy) && !IsNeighbour(mx, my, cx, cy)) {
        // Not a swap target: the new cell may become the selection instead.
        ClearCursor();
        Mode = 0;
    }
    if (Mode == 0) return FirstPick(cell, fresh);
    if (mx == cx && my == cy) return ClickSelectionAgain(cell, fresh);
    return SecondPick(cell);
}

// While a powerup's animation owns the board, a press on a slot is refused.
void TGameGrid::RefuseSlotPress(bool fresh) {
    if (!fresh) return;
    const TMousePointer& mouse = *Game->Mouse;
    for (const THUDPowerupPtr& powerup : HUDPowerups) {
        if (powerup->PointWithin(mouse.x, mouse.y)) {
            PlaySound(InvalidSound);
            break;
        }
    }
}

// Picking up and dragging a powerup; true when the press went to a slot.
bool TGameGrid::PickUpOrDragPowerup(bool held, bool fresh) {
    const TMousePointer& mouse = *Game->Mouse;
    if (!held && PointerGemType && HUDPowerDragging == -1) HUDPowerDragging = 0;
    if (held && !fresh && PointerGemType && HUDPowerDragging == -1 &&
        !PointerGemType->PointWithin(mouse.x, mouse.y)) {
        HUDPowerDragging = 1;
    }
    if (!fresh) return false;
    for (const THUDPowerupPtr& powerup : HUDPowerups) {
        if (powerup == PointerGemType && powerup->PointWithin(mouse.x, mouse.y)) {
            ClearHUDCursor(1);
            return true;
        }
        if (powerup->CheckIsClicked(mouse.x, mouse.y)) {
            mx = my = -1;
            MouseUpFlag = 0;
            Mode = 0;
            // Only a powerup now on the pointer can be dragged; the ones that
            // act at once leave nothing behind.
            HUDPowerDragging = PointerGemType ? -1 : 0;
            return true;
        }
    }
    return false;
}

// Letting a dragged or held powerup go off the board drops it; a press there
// drops the selection or the held powerup.
void TGameGrid::MouseOffBoard(bool held, bool fresh) {
    if (!held && HUDPowerDragging != 0) {
        ClearHUDCursor(1);
    } else if (fresh && (Mode == 1 || PointerGemType)) {
        ClearBonus(1);
    }
}

void TGameGrid::MouseOverHole(bool held) {
    if (!held && HUDPowerDragging == 1) {
        ClearHUDCursor(1);
    } else if (held && Mode == 1) {
        ClearBonus(1);
    } else if (held && PointerGemType && HUDPowerDragging == 0) {
        ClearCursor();
        ClearBonus(1);
    }
}

// A dragged powerup released over a cell is used there.
void TGameGrid::ReleaseOverCell() {
    if (HUDPowerDragging != 1 || !PointerGemType) return;
    HUDPowerDragging = 0;
    if (PointerGemType->Validate(mx, my)) {
        PointerGemType->Activate(mx, my);
        ClearCursor();
        ClearBonus(1);
    } else {
        PlaySound(FailedSound);
    }
}

// A press with nothing selected: uses a held powerup, collects a coin or a
// bag, or selects the gem.
int TGameGrid::FirstPick(TCell& cell, bool fresh) {
    if (!fresh) return 0;
    MouseUpFlag = 0;
    if (PointerGemType) {
        UseHeldPowerup();
        return 0;
    }
    const TGemPtr gem = cell.Gem;
    if (!gem || gem->GemType == GEM_USED) {
        CollectFallingCoinAt(Game->Mouse->x, Game->Mouse->y);
        return 0;
    }
    if ((gem->GemType == GEM_COIN || gem->GemType == GEM_BAG) && !gem->locked) {
        CollectCoin(gem);
        return 0;
    }
    if (gem->locked) {
        PlaySound(LockedSound);
        return 0;
    }
    if (gem->rocked) {
        PlaySound(RockedSound);
        return 0;
    }
    SetCursor(mx, my);
    PlaySound(ClickSound);
    return 1;
}

void TGameGrid::UseHeldPowerup() {
    if (PointerGemType->Validate(mx, my)) {
        PointerGemType->Activate(mx, my);
        ClearHUDCursor(0);
    } else {
        PlaySound(FailedSound);
    }
}

// A coin or bag resting in the cell under the mouse.
void TGameGrid::CollectCoin(const TGemPtr& gem) {
    UseCoin(gem);
    DeleteGem(mx, my);
    gem->Kill();
    ClearCursor();
}

// A second press on the selected gem: quick enough, it fires a bomb;
// otherwise the selection is dropped.
int TGameGrid::ClickSelectionAgain(TCell& cell, bool fresh) {
    if (!fresh) return 0;
    MouseUpFlag = 0;
    const TGemPtr gem = cell.Gem;
    if (cursorTimer < 200 && gem && gem->IsBonus()) {
        ChainedBonuses = 1;
        ClearBonus(ActivateBonus(gem, -1, -1) ? 0 : 1);
    } else {
        ClearBonus(1);
    }
    return 1;
}

// The selected gem's neighbour under a held button: the swap starts, unless
// that gem cannot move.
int TGameGrid::SecondPick(TCell& cell) {
    const TGemPtr target = cell.Gem;
    if (target && target->locked) {
        PlaySound(LockedSound);
        ClearCursor();
    } else if (target && target->rocked) {
        PlaySound(RockedSound);
        ClearCursor();
    } else if (target && target->GemType == GEM_USED) {
        return 0;
    } else {
        StartSwap();
    }
    return 1;
}

void TGameGrid::CollectFallingCoinAt(int px, int py) {
    if (GemList) {
        for (const TGemPtr& gem : GemList->ToVector()) {
            if ((gem->GemType != GEM_COIN && gem->GemType != GEM_BAG) || gem->dy <= 0) continue;
            if (gem->x - HALF_CELL <= px && px < gem->x + HALF_CELL && gem->y - HALF_CELL <= py &&
                py < gem->y + HALF_CELL) {
                UseCoin(gem);
                GemList->RemoveGem(gem);
                gem->Kill();
                return;
            }
        }
    }
    PlaySound(InvalidSound);
}

// ---------------------------------------------------------------- swapping

void TGameGrid::StartSwap() {
    dx = mx;
    dy = my;
    StopHint();
    SwapDest = Cells[dx][dy]->Gem;
    SwapSource = Cells[cx][cy]->Gem;
    const float speed = CELL_SIZE / SwapTime;
    if (SwapDest) {
        SwapDest->dx = (cx - dx) * speed;
        SwapDest->dy = (cy - dy) * speed;
        SwapDest->Swapping = 1;
    }
    if (SwapSource) {
        SwapSource->dx = (dx - cx) * speed;
        SwapSource->dy = (dy - cy) * speed;
        SwapSource->Swapping = 1;
    }
    PlaySound(SwapSound, 0.5f);
    SwapCounter = SwapTime;
}

void TGameGrid::ManageSwap() {
    if (SwapCounter <= 0) return;
    SwapCounter -= Delta;
    if (SwapCounter > 0) {
        if (SwapSource) SwapSource->Move();
        if (SwapDest) SwapDest->Move();
        return;
    }
    SwapCounter = 0;
    StopSwap();
}

bool TGameGrid::IsBonusSwap() const {
    return (SwapSource && SwapSource->IsBonus()) || (SwapDest && SwapDest->IsBonus());
}

void TGameGrid::ReverseSwap() {
    if (!GameOverCountdown()) PlaySound(FailedSound);
    for (const TGemPtr& gem : {SwapSource, SwapDest}) {
        if (!gem) continue;
        gem->dx = -gem->dx;
        gem->dy = -gem->dy;
    }
    SwapCounter = SwapTime;
    FailedMove = 1;
}

void TGameGrid::PutSwappedGemsBack() {
    for (const auto& [gem, column, row] :
         {std::tuple{SwapSource, cx, cy}, std::tuple{SwapDest, dx, dy}}) {
        if (!gem) continue;
        gem->CalcCoords(column, row);
        gem->Stop();
        gem->Swapping = 0;
    }
    SwapSource = SwapDest = nullptr;
}

int TGameGrid::StopSwap() {
    if (GameOverCountdown() && !Player->Alive && JiggleDirection == 0) return 0;
    if (FailedMove) {
        FailedMove = 0;
        PutSwappedGemsBack();
        ClearCursor();
        Player->KillsAdd(CheckMatches(0, 0));
        return 0;
    }
    TCell& source = *Cells[cx][cy];
    TCell& target = *Cells[dx][dy];
    // A gem fell into the empty target while the swap moved.
    const bool targetFilled = !SwapDest && target.Gem;
    if (IsBonusSwap()) {
        if (targetFilled) {
            ReverseSwap();
            return 0;
        }
    } else if (MoveNeedsMatchFlag) {
        if (targetFilled) {
            ReverseSwap();
            return 0;
        }
        target.Gem = SwapSource;
        source.Gem = SwapDest;
        const int found = CheckMatches(1, 1);
        const bool joined = source.match || target.match;
        ClearMatches();
        source.Gem = SwapSource;
        target.Gem = SwapDest;
        if (found == 0 || !joined) {
            ReverseSwap();
            return 0;
        }
    }
    FinishSwapSuccess();
    return 1;
}

void TGameGrid::FinishSwapSuccess() {
    const int fromX = cx, fromY = cy, toX = dx, toY = dy;
    const TGemPtr source = SwapSource, dest = SwapDest;
    Cells[toX][toY]->Gem = source;
    Cells[fromX][fromY]->Gem = dest;
    const bool countdown = GameOverCountdown();
    if (source) source->CalcCoords(toX, toY);
    if (dest) dest->CalcCoords(fromX, fromY);
    if (!countdown) {
        for (const TGemPtr& gem : {source, dest}) {
            if (!gem) continue;
            gem->Stop();
            gem->Swapping = 0;
        }
    }
    ClearCursor();
    if (GemList) GemList->SortAll();
    if (!countdown) Player->KillsAdd(CheckMatches(0, 0));
    for (const TGemPtr& gem : {source, dest}) {
        if (gem && SkullAtBottom(*gem) && !gem->locked && !gem->rocked &&
            Cells[gem->gx][gem->gy]->Gem == gem) {
            CollectEgg(gem);
        }
    }
    Tutorial->ShowSwapCompleteTip();
    if (source && source->IsBonus()) {
        ChainedBonuses = 1;
        ActivateBonus(source, toX, toY);
    }
    if (dest && dest->IsBonus()) ActivateBonus(dest, fromX, fromY);
    SwapSource = SwapDest = nullptr;
}

// ---------------------------------------------------------------- lines

bool TGameGrid::CanMatch(const TCell* cell, int includeSwapping) const {
    if (!cell || !cell->Gem) return false;
    const TGem& gem = *cell->Gem;
    return gem.GemType != GEM_USED && gem.GemType < GEM_SKULL && gem.GemType > 0 && !gem.rocked &&
           (includeSwapping || !gem.Swapping);
}

int TGameGrid::CheckMatches(int quiet, int includeSwapping) {
    TotalMatchesCount = 0;
    auto scan = [&](int lines, int length, auto cellAt, auto mark) {
        for (int line = 0; line < lines; ++line) {
            int start = 0;
            while (start <= length - 3) {
                TCell* first = cellAt(start, line);
                if (!CanMatch(first, includeSwapping)) {
                    ++start;
                    continue;
                }
                const int type = first->Gem->GemType;
                int end = start + 1;
                while (end < length && CanMatch(cellAt(end, line), includeSwapping) &&
                       cellAt(end, line)->Gem->GemType == type) {
                    ++end;
                }
                const int count = end - start;
                if (end >= length) {
                    if (count >= 3) mark(start, end, line, count);
                    break;
                }
                if (count >= 3) {
                    mark(start, end, line, count);
                    start = end;
                } else {
                    ++start;
                }
            }
        }
    };
    scan(
        levelheight, levelwidth, [](int along, int line) { return CellAt(along, line); },
        [&](int from, int to, int line, int count) {
            MarkMatchesHoriz(from, to, line, count, quiet);
        });
    scan(
        levelwidth, levelheight, [](int along, int line) { return CellAt(line, along); },
        [&](int from, int to, int line, int count) {
            MarkMatchesVert(from, to, line, count, quiet);
        });
    return ProcessMatches(quiet, 1);
}

namespace {

// Which cell of a line becomes a bomb: the 2nd or 3rd of four, the middle of
// five or more.
int BonusIndex(int count, bool rowLine) {
    if (count == 4) {
        const bool tutorialTip = rowLine && Player->Level == 2 && Tutorial->CurrentTip == 1;
        return tutorialTip ? 1 : RandInt(1, 2);
    }
    return 2 + (count - 5) / 2;
}

}  // namespace

void TGameGrid::MarkMatchesHoriz(int x1, int x2, int y, int count, int quiet) {
    int bonusAt = -1;
    if (!quiet) {
        Player->LogMatches(count);
        if (count >= 4) bonusAt = x1 + BonusIndex(count, true);
    }
    for (int x = x1; x < x2; ++x) {
        Cells[x][y]->match = 1;
        if (x == bonusAt) Cells[x][y]->createBonus = count == 4 ? 1 : 2;
    }
    TotalMatchesCount += count;
}

void TGameGrid::MarkMatchesVert(int y1, int y2, int x, int count, int quiet) {
    int bonusAt = -1;
    if (!quiet) {
        Player->LogMatches(count);
        if (count >= 4) bonusAt = y1 + BonusIndex(count, false);
    }
    for (int y = y1; y < y2; ++y) {
        Cells[x][y]->match = 1;
        if (y == bonusAt) Cells[x][y]->createBonus = count == 4 ? 1 : 2;
    }
    TotalMatchesCount += count;
}

void TGameGrid::ClearMatches() {
    for (int x = 0; x < levelwidth; ++x) {
        for (int y = 0; y < levelheight; ++y) {
            if (Cells[x][y]) Cells[x][y]->match = 0;
        }
    }
}

void TGameGrid::AddCracked(std::vector<TCell*>& list, int x, int y) {
    for (const auto& [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}) {
        TCell* neighbour = CellAt(nx, ny);
        const bool rock = neighbour && neighbour->Gem && neighbour->Gem->rocked;
        if (rock && std::find(list.begin(), list.end(), neighbour) == list.end())
            list.push_back(neighbour);
    }
}

int TGameGrid::ProcessMatches(int quiet, int crackRocks) {
    int marked = 0, processed = 0, unlocked = 0;
    std::vector<TCell*> rocksToCrack;
    for (int x = 0; x < levelwidth; ++x) {
        for (int y = 0; y < levelheight; ++y) {
            TCell& cell = *Cells[x][y];
            if (!cell.match) continue;
            ++marked;
            if (quiet) continue;
            ++processed;
            cell.match = 0;
            const TGemPtr gem = cell.Gem;
            if (!gem) continue;
            if (gem->locked) {
                gem->Unlock();
                AwardGemScore(x, y, TotalMatchesCount, 0, 1);
                unlocked = 1;
                continue;
            }
            if (x == cx && y == cy) {
                ClearCursor();
                RestorePointer();
            }
            AwardGemScore(x, y, TotalMatchesCount, gem->Magic, GetGoalScore(x, y, 1));
            gem->Explode(1, 0);
            if (cell.createBonus) {
                if (ShopItemOwned(SHOP_PUMPKIN)) CreateBonus(x, y, cell.createBonus);
                cell.createBonus = 0;
            }
            AddCracked(rocksToCrack, x, y);
            RemoveArmour(x, y, 0);
        }
    }
    if (crackRocks) {
        for (TCell* cell : rocksToCrack) {
            if (cell->Gem) cell->Gem->UnRock(1);
        }
    }
    if (unlocked) GameScreen->TriggerUnlock = 1;
    if (processed > 0 && !quiet) {
        if (MatchNoArmourSound) {
            MatchNoArmourSound->pitch = MatchPitch + static_cast<float>(Rnd(-0.1, 0.1));
            PlaySound(MatchNoArmourSound);
        }
        GameScreen->ClearHint();
    }
    return marked;
}

int TGameGrid::GetGoalScore(int x, int y, int countArmour) {
    TCell* cell = CellAt(x, y);
    if (!cell) return 0;
    if (countArmour && GoalArmour > 0 && cell->armour1) return 1;
    if (GoalMatches > 0 && cell->Gem && cell->Gem->GemType == GoalMatchesType &&
        Player->GetMatchesToGo() > 0) {
        return 1;
    }
    return 0;
}

// From a cell's top to where its score picture starts rising.
constexpr int kScorePictureTop = 18;

void TGameGrid::AwardGemScore(int x, int y, int n, int magic, int goal) {
    const int step = std::clamp(n, 3, 10) - 2;  // 1 for up to three, 8 for ten or more
    int points;
    if (!magic && !goal) {
        points = step;
    } else {
        points = n == 0 ? 0 : 10 * step;
    }
    Player->BoostScore(points);
    // The picture rises from the middle of the cell's upper half.
    const float px = static_cast<float>(CellLeft(x) + HALF_CELL),
                py = static_cast<float>(CellTop(y) + kScorePictureTop);
    EffectScorePicture(px, py, points == 0 ? 10 : points);
    if (magic) {
        const int extra = goal ? 100 : 10;
        Player->BoostScore(extra);
        EffectScorePicture(px, py, extra);
    }
}
