// The powerups that act at once when their full slot is clicked: the
// lightning's five stages of strikes, the crystal's bombs and the tarot's
// spiral and shuffle, with the gem list's part in the tarot.
#include <algorithm>
#include <cmath>

#include "board/Grid.h"
#include "board/Powerups.h"
#include "engine/Random.h"
#include "frame/Game.h"
#include "frame/Timing.h"
#include "media/Effects.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/SaveData.h"

namespace {

// The board is busy: gems exploding, falling or swapping.
bool BoardBusy() {
    return !Grid || Grid->BlockInput || Grid->SwapCounter > 0;
}

// What a powerup's timer gains in one step: whole milliseconds.
int StepMs(float delta) {
    const float ms = Game ? Game->FixedRateLogic->MS : 5.0f;
    return static_cast<int>(ms * delta);
}

// The level's time has run out (timed mode only: a relaxed level's clock
// passing its limit ends nothing).
bool TimeIsUp() {
    return SaveData && SaveData->timer != 0 && Player && Player->TimeLeftMs() <= 0;
}

// A random cell of the board, from the engine's generator (Rand).
TPoint RandomCell() {
    return {Rand(0, Grid->levelwidth - 1), Rand(0, Grid->levelheight - 1)};
}

float CentreX(int column) {
    return static_cast<float>(CellLeft(column) + HALF_CELL);
}
float CentreY(int row) {
    return static_cast<float>(CellTop(row) + HALF_CELL);
}

// A gem the lightning may strike: present, not a bonus or skull, not moving.
bool Strikable(const TCell* cell) {
    if (!cell || !cell->active || !cell->Gem) return false;
    const TGem& gem = *cell->Gem;
    return gem.GemType != GEM_USED && gem.GemType < GEM_SKULL && !gem.Swapping;
}

// A gem the crystal may turn into a bomb: also free of locks and rock.
bool Enchantable(const TCell* cell) {
    return Strikable(cell) && !cell->Gem->locked && !cell->Gem->rocked;
}

TGameSoundPtr BankSound(const char* name) {
    return Game && Game->Channels ? SoundBank.Find(name) : nullptr;
}

}  // namespace

// ---------------------------------------------------------------- lightning

// A level that starts again while the lightning runs ends it too.
void TLightningHUD::Reset() {
    THUDPowerup::Reset();
    m_Active = 0;
    m_Stage = 0;
    m_StageTimer = 0;
    m_CurentChannel = nullptr;
}

int TLightningHUD::HasValidMove() {
    return IsAvailable() && IsCharged() ? 1 : 0;
}

void TLightningHUD::OnClicked() {
    if (BoardBusy()) {
        if (Grid) PlaySound(Grid->InvalidSound);
        return;
    }
    m_PowerSize = Level();
    if (m_PowerSize > 0) StartLightning();
}

void TLightningHUD::StartLightning() {
    isActive = 1;
    Grid->HUDPowerupBlockInput = 1;
    m_Stage = 0;
    m_StageTimer = 0;
    m_Active = 1;
    CurrentCharge = 0;
    m_CurentChannel = nullptr;
    StartStage();
}

// Strikes m_PowerSize gems in different columns. The random choice is
// bounded: a board with fewer free columns than strikes gives up the
// strikes it cannot place instead of drawing for ever.
void TLightningHUD::StartStage() {
    LastStrikes.clear();
    std::vector<bool> columnTaken(static_cast<size_t>(Grid->levelwidth), false);
    int draws = TRIES_PER_STRIKE * m_PowerSize;
    while (static_cast<int>(LastStrikes.size()) < m_PowerSize && draws > 0) {
        --draws;
        const TPoint cell = RandomCell();
        if (columnTaken[static_cast<size_t>(cell.X)] || !Strikable(CellAt(cell.X, cell.Y)))
            continue;
        columnTaken[static_cast<size_t>(cell.X)] = true;
        LastStrikes.push_back(cell);
    }
    std::vector<float> struckX;
    for (const TPoint& cell : LastStrikes) {
        if (Grid->DestroySquareSafe(cell.X, cell.Y, 1) == 1) GameScreen->TriggerUnlock = 1;
        EffectLightning(CellLeft(cell.X) + HALF_CELL, CellTop(cell.Y) + HALF_CELL);
        struckX.push_back(CentreX(cell.X));
    }
    if (struckX.empty()) return;
    const float pitch = 1 + static_cast<float>(Rnd(-0.1, 0.1));
    if (TGameChannelPtr channel = PlaySoundAtPitch(BankSound("lightning"), pitch, 1.0f,
                                                   ThunderPan(struckX), m_CurentChannel))
        m_CurentChannel = channel;
}

void TLightningHUD::Update(float delta) {
    THUDPowerup::Update(delta);
    if (!m_Active) return;
    m_StageTimer += StepMs(delta);
    if (m_StageTimer <= STAGE_MS - 1) return;
    m_StageTimer = 0;
    if (++m_Stage < STAGES) {
        StartStage();
    } else {
        StopLightning();
    }
}

void TLightningHUD::StopLightning() {
    isActive = 0;
    m_Active = 0;
    m_CurentChannel = nullptr;
    if (!Grid) return;
    Grid->HUDPowerupBlockInput = 0;
    if (TimeIsUp()) {
        Player->ManageTime();
    } else {
        Grid->CheckLevelEnd();
        Grid->CheckNoMoreMoves();
    }
}

// ---------------------------------------------------------------- crystal

int TCrystalHUD::HasValidMove() {
    return IsAvailable() && IsCharged() ? 1 : 0;
}

void TCrystalHUD::OnClicked() {
    if (BoardBusy()) {
        if (Grid) PlaySound(Grid->InvalidSound);
        return;
    }
    m_PowerSize = Level();
    if (m_PowerSize == 0) return;
    for (int i = 0; i < m_PowerSize; ++i) {
        for (int tries = 0; tries < TRIES; ++tries) {
            const TPoint point = RandomCell();
            TCell* cell = CellAt(point.X, point.Y);
            if (!Enchantable(cell)) continue;
            cell->match = 1;
            cell->createBonus = RandInt(1, 2);
            EffectPinkRing(CentreX(point.X), CentreY(point.Y));
            break;
        }
    }
    CurrentCharge = 0;
    Grid->ProcessMatches(0, 0);
    PlayNamedSound("MagicReleased");
}

// ---------------------------------------------------------------- tarot

void TTarotHUD::Reset() {
    THUDPowerup::Reset();
    m_Active = 0;
    spinnable.clear();
}

int TTarotHUD::HasValidMove() {
    return IsAvailable() && IsCharged() ? 1 : 0;
}

void TTarotHUD::OnClicked() {
    if (BoardBusy()) {
        if (Grid) PlaySound(Grid->InvalidSound);
        return;
    }
    PlayNamedSound("Random");
    StartTarot();
}

void TTarotHUD::StartTarot() {
    spinnable = GemList ? GemList->GetSpinnable() : std::vector<TGemPtr>{};
    isActive = 1;
    CalcTarotCenter();
    Grid->HUDPowerupBlockInput = 1;
    m_Stage = 0;
    m_StageTimer = 0;
    m_Active = 1;
    m_SpinAngle = 0;
    CurrentCharge = 0;
    spiralDir = -1;
}

void TTarotHUD::CalcTarotCenter() {
    int left = 0, right = 0, top = 0, bottom = 0;
    bool any = false;
    if (GemList) {
        for (const TGemPtr& gem : *GemList) {
            if (gem->GemType > GEM_SKULL || gem->locked || gem->rocked) continue;
            const int x = static_cast<int>(gem->x), y = static_cast<int>(gem->y);
            left = any ? std::min(left, x) : x;
            right = any ? std::max(right, x) : x;
            top = any ? std::min(top, y) : y;
            bottom = any ? std::max(bottom, y) : y;
            any = true;
        }
    }
    m_CurrentCentX = static_cast<float>(left + (right - left) / 2);
    m_CurrentCentY = static_cast<float>(top + (bottom - top) / 2);
}

void TTarotHUD::Update(float delta) {
    THUDPowerup::Update(delta);
    if (!m_Active) return;
    m_StageTimer += StepMs(delta);
    const float f = static_cast<float>(m_StageTimer) / STAGE_MS;
    const float s = spiralDir < 0 ? 1 - f : f;
    m_SpinAngle = 180 * f + 180 * static_cast<float>(m_Stage);
    if (GemList) GemList->SetTarotAngle(m_SpinAngle, m_CurrentCentX, m_CurrentCentY, spinnable, s);
    if (m_StageTimer <= STAGE_MS - 1) return;
    m_StageTimer = 0;
    ++m_Stage;
    if (m_Stage == 1) {
        StartStage();
    } else {
        StopTarot();
    }
}

void TTarotHUD::StartStage() {
    spiralDir = 1;
    RandomizeTypes(0);
}

int TTarotHUD::RandomizeTypes(int depth) {
    // A gem that left the board since the tarot began (a coin running out)
    // takes no part.
    std::erase_if(spinnable, [](const TGemPtr& gem) {
        const TCell* cell = CellAt(gem->gx, gem->gy);
        return !cell || cell->Gem != gem;
    });
    int shuffles = 0;
    for (; depth < MAX_SHUFFLES && !spinnable.empty(); ++depth) {
        ++shuffles;
        const int last = static_cast<int>(spinnable.size()) - 1;
        for (const TGemPtr& gem : spinnable)
            gem->SwapTypes(*spinnable[static_cast<size_t>(RandInt(0, last))]);
        if (Grid->DoNoMoreMoves(0) == 0) break;
    }
    return shuffles;
}

void TTarotHUD::StopTarot() {
    if (GemList) GemList->RecalcCoords(spinnable);
    for (const TGemPtr& gem : spinnable) {
        const TCell* cell = CellAt(gem->gx, gem->gy);
        const bool onBoard = cell && cell->Gem == gem;
        const bool atBottom = gem->gy == Grid->levelheight - 1 || !CellActive(gem->gx, gem->gy + 1);
        if (onBoard && gem->GemType == GEM_SKULL && atBottom) Grid->CollectEgg(gem);
    }
    spinnable.clear();
    isActive = 0;
    Grid->HUDPowerupBlockInput = 0;
    m_Active = 0;
    if (TimeIsUp()) {
        Player->ManageTime();
    } else {
        Grid->CheckMatches(0, 0);
    }
}

std::vector<TGemPtr> TGemList::GetSpinnable() {
    std::vector<TGemPtr> gems;
    for (const TGemPtr& gem : *this)
        if (!gem->locked && !gem->rocked) gems.push_back(gem);
    return gems;
}

// Each gem starts from its cell, then its offset from the centre is scaled
// and turned: clockwise in even columns, the other way in odd ones.
void TGemList::SetTarotAngle(float angle, float cx, float cy, const std::vector<TGemPtr>& list,
                             float s) {
    const double radians = angle * M_PI / 180.0;
    for (const TGemPtr& gem : list) {
        gem->CalcCoords(gem->gx, gem->gy);
        const double turn = gem->gx % 2 == 0 ? radians : -radians;
        const double ox = (gem->x - cx) * s, oy = (gem->y - cy) * s;
        gem->x = static_cast<float>(cx + ox * std::cos(turn) - oy * std::sin(turn));
        gem->y = static_cast<float>(cy + ox * std::sin(turn) + oy * std::cos(turn));
    }
}

void TGemList::RecalcCoords(const std::vector<TGemPtr>& list) {
    for (const TGemPtr& gem : list)
        gem->CalcCoords(gem->gx, gem->gy);
}
