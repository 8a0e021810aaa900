// The board played with the keyboard or a controller: a cursor over the
// cells that picks and swaps as the mouse does, and the powerups by number
// or by the shoulder buttons.
#include <cstdlib>

#include "board/Grid.h"
#include "board/Powerups.h"
#include "frame/Game.h"
#include "frame/Navigation.h"

namespace {

constexpr int kRepeatDelayMs = 300;
constexpr int kRepeatEveryMs = 110;

struct Direction {
    int key, dx, dy;
};
constexpr Direction kDirections[4] = {
    {Key::Left, -1, 0}, {Key::Right, 1, 0}, {Key::Up, 0, -1}, {Key::Down, 0, 1}};

}  // namespace

bool TGameGrid::KeyCursorShown() const {
    return Nav::MarksShown() && CellAt(KeyX, KeyY) != nullptr;
}

// The cursor goes to the next cell that way that is part of the board; at
// the edge it stays.
void TGameGrid::MoveKeyCursor(int dx, int dy) {
    for (int x = KeyX + dx, y = KeyY + dy; x >= 0 && y >= 0 && x < levelwidth && y < levelheight;
         x += dx, y += dy) {
        const TCell* cell = CellAt(x, y);
        if (cell && cell->active) {
            KeyX = x;
            KeyY = y;
            return;
        }
    }
}

// Enter, Space or A on the cursor's cell: what a click there does.
void TGameGrid::KeyPick() {
    TCell* cell = CellAt(KeyX, KeyY);
    if (!cell || !cell->active) return;
    mx = KeyX;
    my = KeyY;
    if (Mode == 1 && (mx != cx || my != cy) && std::abs(mx - cx) + std::abs(my - cy) != 1) {
        ClearCursor();
    }
    if (Mode == 1 && mx == cx && my == cy) {
        ClickSelectionAgain(*cell, true);
    } else if (Mode == 1) {
        SecondPick(*cell);
    } else if (PointerGemType) {
        UseHeldPowerup();
    } else if (!cell->Gem || cell->Gem->GemType == GEM_USED) {
        CollectFallingCoinAt(CellLeft(mx) + HALF_CELL, CellTop(my) + HALF_CELL);
    } else {
        FirstPick(*cell, true);
    }
}

// A powerup taken by its slot, as a press in the middle of the slot.
void TGameGrid::UseSlot(int slot) {
    if (slot < 0 || slot >= POWERUP_COUNT || !HUDPowerups[slot]) return;
    THUDPowerup& powerup = *HUDPowerups[slot];
    if (PointerGemType.get() == &powerup) {
        ClearHUDCursor(1);
        return;
    }
    if (Mode == 1) ClearCursor();
    if (powerup.CheckIsClicked(powerup.HUDLocation.X, powerup.HUDLocation.Y)) {
        HUDPowerDragging = 0;
        Mode = 0;
    }
}

void TGameGrid::CheckKeys() {
    for (TKeyRepeatPtr& repeat : KeyRepeats)
        if (!repeat) repeat = TKeyRepeat::Create(kRepeatDelayMs, kRepeatEveryMs);
    // Every key is read each step, so that none waits for a later one.
    int moves[4] = {};
    for (int i = 0; i < 4; ++i)
        moves[i] = KeyHit(kDirections[i].key) + KeyRepeats[i]->GetKeyRepeat(kDirections[i].key);
    const int pick = KeyHit(Key::Enter) + KeyHit(Key::Space);
    const int cancel = KeyHit(Key::PadB);
    const int nextSlot = KeyHit(Key::PadRightShoulder), lastSlot = KeyHit(Key::PadLeftShoulder);
    int digit = -1;
    for (int slot = 0; slot < POWERUP_COUNT; ++slot)
        if (KeyHit('1' + slot)) digit = slot;
    if (!Nav::MarksShown()) return;
    if (!CellAt(KeyX, KeyY) || !CellAt(KeyX, KeyY)->active) {
        // Shown for the first time: on the pick, else the first cell.
        KeyX = cx;
        KeyY = cy;
        if (!CellAt(KeyX, KeyY)) KeyX = KeyY = 0;
        if (!CellAt(KeyX, KeyY) || !CellAt(KeyX, KeyY)->active) {
            KeyX = -1;
            MoveKeyCursor(1, 0);
            for (int row = 0; KeyX < 0 && row < levelheight; ++row) {
                KeyY = row;
                MoveKeyCursor(1, 0);
            }
        }
        return;
    }
    if (HUDPowerupBlockInput || OutroRunning() || GameOverCountdown()) return;
    const bool swapping = SwapCounter > 0;
    if (nextSlot || lastSlot) {
        const int from = SlotFocus < 0 ? (nextSlot ? -1 : POWERUP_COUNT) : SlotFocus;
        SlotFocus = (from + (nextSlot ? 1 : -1) + POWERUP_COUNT) % POWERUP_COUNT;
    }
    if (cancel) {
        if (SlotFocus >= 0) {
            SlotFocus = -1;
        } else if (PointerGemType) {
            ClearHUDCursor(1);
        } else if (Mode == 1 && !swapping) {
            ClearBonus(1);
        }
    }
    for (int i = 0; i < 4; ++i) {
        if (!moves[i]) continue;
        SlotFocus = -1;
        const Direction& d = kDirections[i];
        const int tx = KeyX + d.dx, ty = KeyY + d.dy;
        if (Mode == 1 && KeyX == cx && KeyY == cy && !swapping) {
            // Picked: the arrow swaps that way, as a drag onto the neighbour.
            TCell* target = CellAt(tx, ty);
            if (!target || !target->active) {
                PlaySound(InvalidSound);
                continue;
            }
            mx = tx;
            my = ty;
            SecondPick(*target);
            KeyX = tx;
            KeyY = ty;
        } else {
            MoveKeyCursor(d.dx, d.dy);
        }
    }
    if (swapping) return;
    if (digit >= 0) UseSlot(digit);
    if (pick) {
        if (SlotFocus >= 0) {
            UseSlot(SlotFocus);
            SlotFocus = -1;
        } else {
            KeyPick();
        }
    }
    mx = KeyX;
    my = KeyY;
}
