// The powerups held on the pointer: the stake, the hammer and the broom,
// their areas by level and what they do to the board, and the pointer that
// carries them.
#include <cmath>
#include <cstdio>

#include "board/Grid.h"
#include "board/Powerups.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"
#include "play/GameScreen.h"
#include "play/Tutorial.h"

namespace {

// Where the held picture sits beside the pointer's tip, and how far it bobs.
constexpr int kHeldOffsetX = 26, kHeldOffsetY = 30;
constexpr float kHeldBobPixels = 3, kHeldBobMs = 1000;

bool OnBoard(int x, int y) {
    return Grid && x >= 0 && y >= 0 && x < Grid->levelwidth && y < Grid->levelheight;
}

// A cell's gem that is still a gem (not one already used up and exploding).
const TGem* LiveGem(const TCell& cell) {
    return cell.Gem && cell.Gem->GemType != GEM_USED ? cell.Gem.get() : nullptr;
}

// The cells of a held powerup's area: level 1 the target, level 2 with its
// four neighbours, level 3 the square around it; on the board and active.
template <typename IsValid>
THUDPowerInfoList AreaAround(int x, int y, int lvl, IsValid isValid) {
    THUDPowerInfoList area;
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            const bool inside = lvl >= 2 || (i == 0 && j == 0) || (lvl == 1 && i * j == 0);
            if (!inside || !OnBoard(x + i, y + j) || !CellActive(x + i, y + j)) continue;
            const TCell& cell = *CellAt(x + i, y + j);
            area.push_back(THUDPowerInfo::Create(x + i, y + j, isValid(cell) ? 1 : 0));
        }
    }
    return area;
}

bool StakeCanHit(const TCell& cell) {
    const TGem* gem = LiveGem(cell);
    if (!gem) return cell.armour1 || cell.armour2;
    return !gem->locked && !gem->rocked;
}

bool HammerCanHit(const TCell& cell) {
    const TGem* gem = LiveGem(cell);
    return gem && gem->rocked;
}

bool BroomCanHit(const TCell& cell) {
    const TGem* gem = LiveGem(cell);
    return gem && gem->locked && !gem->rocked;
}

// Validate: the level-1 area, the target alone.
int TargetValid(const THUDPowerInfoList& target) {
    return !target.empty() && target.front().valid ? 1 : 0;
}

int CountValid(const THUDPowerInfoList& area) {
    int count = 0;
    for (const THUDPowerInfo& cell : area)
        count += cell.valid;
    return count;
}

bool AnyGem(bool (*canHit)(const TCell&)) {
    if (!Grid) return false;
    for (int x = 0; x < Grid->levelwidth; ++x)
        for (int y = 0; y < Grid->levelheight; ++y)
            if (CellActive(x, y) && canHit(*CellAt(x, y))) return true;
    return false;
}

}  // namespace

// ---------------------------------------------------------------- the pointer

void THUDPowerup::PickUp() {
    if (Level() <= 0 || !Grid) return;
    for (const THUDPowerupPtr& powerup : HUDPowerups) {
        if (powerup.get() == this) Grid->SetBonusPointer(powerup, 1);
    }
    Tutorial->FadeTips();
}

void TGameGrid::SetBonusPointer(const THUDPowerupPtr& powerup, int restore) {
    if (!powerup) return;
    PointerGemType = powerup;
    PointerAnimated = 1;
    PointerAnimLength = static_cast<int>(Game->CalcAnimLength(kHeldBobMs));
    PointerAnimCounter = restore ? PointerAnimCounterStored : 0;
    TMousePointer& mouse = *Game->Mouse;
    mouse.Image2 = powerup->CursorImage ? powerup->CursorImage->image : nullptr;
    mouse.Image2Frame = 0;
    mouse.Image2xoff = kHeldOffsetX;
    mouse.Image2yoff = kHeldOffsetY;
}

void TGameGrid::RestorePointer() {
    if (Game && Game->Mouse) {
        TMousePointer& mouse = *Game->Mouse;
        if (ImagePtr pointer = ImageBank.FindTImage("pointer")) mouse.Image = pointer;
        if (mouse.Image) mouse.Image->SetHandle(4, static_cast<float>(mouse.offsety));
        mouse.Image2 = nullptr;
    }
    PointerGemType = nullptr;
    PointerAnimated = 0;
}

// The held picture bobs gently while it waits for a cell.
void TGameGrid::AnimatePointer() {
    if (!PointerAnimated || !PointerGemType || PointerAnimLength <= 0) return;
    PointerAnimCounter += Delta;
    if (PointerAnimCounter >= PointerAnimLength) PointerAnimCounter -= PointerAnimLength;
    const double turn = 2 * M_PI * PointerAnimCounter / PointerAnimLength;
    Game->Mouse->Image2yoff =
        kHeldOffsetY + static_cast<int>(std::lround(kHeldBobPixels * std::sin(turn)));
}

void TGameGrid::TogglePointer(int mode) {
    if (mode == 2) {
        PointerGemTypeStored = PointerGemType;
        PointerAnimCounterStored = PointerAnimCounter;
        RestorePointer();
    } else if (mode == 3 && PointerGemTypeStored) {
        SetBonusPointer(PointerGemTypeStored, 1);
        PointerGemTypeStored = nullptr;
    }
}

// ---------------------------------------------------------------- areas

THUDPowerInfoList TGameGrid::GetStakePoints(int x, int y, int lvl) {
    return AreaAround(x, y, lvl, StakeCanHit);
}
THUDPowerInfoList TGameGrid::GetHammerPoints(int x, int y, int lvl) {
    return AreaAround(x, y, lvl, HammerCanHit);
}
THUDPowerInfoList TGameGrid::GetBroomPoints(int x, int y, int lvl) {
    return AreaAround(x, y, lvl, BroomCanHit);
}

THUDPowerInfoList TStakeHUD::GetAreaOfEffect(int x, int y) {
    return Grid ? Grid->GetStakePoints(x, y, Level() - 1) : THUDPowerInfoList{};
}
THUDPowerInfoList THammerHUD::GetAreaOfEffect(int x, int y) {
    return Grid ? Grid->GetHammerPoints(x, y, Level() - 1) : THUDPowerInfoList{};
}
THUDPowerInfoList TBroomHUD::GetAreaOfEffect(int x, int y) {
    return Grid ? Grid->GetBroomPoints(x, y, Level() - 1) : THUDPowerInfoList{};
}

int TStakeHUD::Validate(int x, int y) {
    const int valid = Grid ? TargetValid(Grid->GetStakePoints(x, y, 0)) : 0;
    if (!valid && Game && Game->Debug) std::printf("No moves man\n");
    return valid;
}
int THammerHUD::Validate(int x, int y) {
    return Grid ? TargetValid(Grid->GetHammerPoints(x, y, 0)) : 0;
}
int TBroomHUD::Validate(int x, int y) {
    return Grid ? TargetValid(Grid->GetBroomPoints(x, y, 0)) : 0;
}

int TStakeHUD::HasValidMove() {
    return IsAvailable() && IsCharged() ? 1 : 0;
}
int THammerHUD::HasValidMove() {
    return IsAvailable() && IsCharged() && AnyGem(HammerCanHit) ? 1 : 0;
}
int TBroomHUD::HasValidMove() {
    return IsAvailable() && IsCharged() && AnyGem(BroomCanHit) ? 1 : 0;
}

void TStakeHUD::OnClicked() {
    PickUp();
}
void THammerHUD::OnClicked() {
    PickUp();
}
void TBroomHUD::OnClicked() {
    PickUp();
}

// ---------------------------------------------------------------- using them

int TStakeHUD::Activate(int x, int y) {
    Grid->UseStake(x, y, Level() - 1);
    PlayNamedSound("Stake");
    CurrentCharge = 0;
    return 1;
}

int THammerHUD::Activate(int x, int y) {
    Grid->UseHammer(x, y, Level() - 1);
    Grid->CheckLevelEnd();
    Grid->CheckNoMoreMoves();
    CurrentCharge = 0;
    Grid->CheckMatches(0, 0);
    return 1;
}

int TBroomHUD::Activate(int x, int y) {
    Grid->UseBroom(x, y, Level() - 1);
    PlayNamedSound("Broom");
    Grid->CheckNoMoreMoves();
    CurrentCharge = 0;
    Grid->CheckMatches(0, 0);
    return 1;
}

void TGameGrid::BeginPowerup() {
    StopHint();
    Tutorial->ShowSwapCompleteTip();
    BonusUsedThisFrame = 1;
}

// Strips the armour of its cells (the target's twice: both layers) and
// destroys their gems.
void TGameGrid::UseStake(int x, int y, int lvl) {
    BeginPowerup();
    for (const THUDPowerInfo& cell : GetStakePoints(x, y, lvl)) {
        if (!cell.valid) continue;
        RemoveArmour(cell.pos.X, cell.pos.Y, 0);
        RemoveArmour(x, y, 0);
        if (DestroySquareSafe(cell.pos.X, cell.pos.Y, 0) == 1)
            AwardGemScore(cell.pos.X, cell.pos.Y, 1, 0, 1);
    }
    GameScreen->SetGaugeEmpty();
}

// The target's rock breaks whatever its strength; the others crack once.
void TGameGrid::UseHammer(int x, int y, int lvl) {
    BeginPowerup();
    const THUDPowerInfoList area = GetHammerPoints(x, y, lvl);
    if (CountValid(area) > 5) BonusPower = 2;
    for (const THUDPowerInfo& cell : area) {
        if (!cell.valid) continue;
        TGem& gem = *Cells[cell.pos.X][cell.pos.Y]->Gem;
        const bool target = cell.pos.X == x && cell.pos.Y == y;
        gem.UnRock(target && gem.rocked == 2 ? 0 : 1);
    }
    if (TCell* target = CellAt(x, y); target && target->Gem && target->Gem->rocked == 1)
        target->Gem->UnRock(1);
    GameScreen->SetGaugeEmpty();
}

void TGameGrid::UseBroom(int x, int y, int lvl) {
    BeginPowerup();
    const THUDPowerInfoList area = GetBroomPoints(x, y, lvl);
    if (CountValid(area) > 5) BonusPower = 2;
    for (const THUDPowerInfo& cell : area) {
        if (!cell.valid) continue;
        Cells[cell.pos.X][cell.pos.Y]->Gem->Unlock();
        AwardGemScore(cell.pos.X, cell.pos.Y, 1, 0, 1);
    }
    GameScreen->TriggerUnlock = 1;
    GameScreen->SetGaugeEmpty();
}
