// Special tiles and bonuses: armour, rocks, locks, golden skulls, coins,
// money bags and the seven bombs; the level's goals and its end.
#include <algorithm>
#include <cmath>

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

// The shop item that makes each plain bomb available, and the one its
// upgrade needs, by type from GEM_FIRST_BOMB.
constexpr int kBombItem[BOMB_KINDS] = {1, 3, 5, 18, 7, 20, 17};
constexpr int kUpgradeItem[BOMB_KINDS] = {2, 4, 6, 19, 8, 21, 18};

// A bomb's type at power 1 (plain) or 2 (upgraded).
int BombAtPower(int plainType, int power) {
    return power == 2 ? plainType + BOMB_UPGRADE : plainType;
}

bool OnBoard(int x, int y) {
    return Grid && x >= 0 && y >= 0 && x < Grid->levelwidth && y < Grid->levelheight;
}

// The picture of a fired bomb (its trigger type, plain or upgraded) at the
// centre of its cell; the vertical bomb's bullets leave every column it hit.
void BombEffect(int type, int x, int y, int power) {
    const float centreX = static_cast<float>(CellLeft(x) + HALF_CELL);
    const float centreY = static_cast<float>(CellTop(y) + HALF_CELL);
    switch (IsUpgradedBomb(type) ? type - BOMB_UPGRADE : type) {
        case GEM_PUMPKIN_BOMB:
            EffectBombRing(centreX, centreY);
            break;
        case GEM_HORIZONTAL_BOMB:
            EffectLightBeam(centreX, centreY, power);
            break;
        case GEM_VERTICAL_BOMB:
            for (int column : {x, x - 1, x + 1}) {
                if (column != x && power == 1) continue;
                if (!Grid || column < 0 || column >= Grid->levelwidth) continue;
                EffectBullets(static_cast<float>(CellLeft(column) + HALF_CELL), centreY);
            }
            break;
        case GEM_CROSS_BOMB:
            EffectCrossFireballs(centreX, centreY, power);
            break;
        case GEM_DIAGONAL_BOMB:
            EffectDiagonalFireballs(centreX, centreY, power);
            break;
        case GEM_CROSS_DIAG_BOMB:
            EffectCrossDiagonalFireballs(centreX, centreY, power);
            break;
        case GEM_GARLIC_BOMB:
            EffectMegaBombRing(centreX, centreY);
            break;
        default:
            break;
    }
}

bool AboveGapOrBottom(int x, int y) {
    return Grid && (y == Grid->levelheight - 1 || !CellActive(x, y + 1));
}

// Trigger flags of the level play screen, by bomb.
int* BombTrigger(int type) {
    TGameScreen& screen = *GameScreen;
    switch (type) {
        case GEM_PUMPKIN_BOMB:
            return &screen.TriggerBomb;
        case GEM_PUMPKIN_BOMB + BOMB_UPGRADE:
            return &screen.TriggerBomb2;
        case GEM_HORIZONTAL_BOMB:
            return &screen.TriggerHorizontalBomb;
        case GEM_HORIZONTAL_BOMB + BOMB_UPGRADE:
            return &screen.TriggerHorizontalBomb2;
        case GEM_VERTICAL_BOMB:
            return &screen.TriggerVerticalBomb;
        case GEM_VERTICAL_BOMB + BOMB_UPGRADE:
            return &screen.TriggerVerticalBomb2;
        case GEM_CROSS_BOMB:
            return &screen.TriggerCrossBomb;
        case GEM_CROSS_BOMB + BOMB_UPGRADE:
            return &screen.TriggerCrossBomb2;
        case GEM_DIAGONAL_BOMB:
            return &screen.TriggerDiagBomb;
        case GEM_DIAGONAL_BOMB + BOMB_UPGRADE:
            return &screen.TriggerDiagBomb2;
        case GEM_CROSS_DIAG_BOMB:
            return &screen.TriggerCrossDiagBomb;
        case GEM_CROSS_DIAG_BOMB + BOMB_UPGRADE:
            return &screen.TriggerCrossDiagBomb2;
        default:
            return &screen.TriggerMegaBomb;
    }
}

}  // namespace

// ---------------------------------------------------------------- gold chances

int TGameGrid::getMaxGoldAllowed() {
    return ShopItemOwned(SHOP_MOST_GOLD) ? 5 : ShopItemOwned(SHOP_MORE_GOLD) ? 4 : 3;
}

namespace {
bool GoldPossible() {
    return Player->Level == Player->Unlocked && Player->Level >= 8;
}
}  // namespace

int TGameGrid::getBonusGoldChance() {
    if (!GoldPossible() || Player->levelCoinsSpawned >= getMaxGoldAllowed()) return 0;
    return ShopItemOwned(SHOP_MOST_GOLD) ? 1000 : ShopItemOwned(SHOP_MORE_GOLD) ? 700 : 500;
}

int TGameGrid::getSpawnGoldChance() {
    if (!GoldPossible() || Player->levelCoinsSpawned >= getMaxGoldAllowed()) return 0;
    return ShopItemOwned(SHOP_MOST_GOLD) ? 400 : ShopItemOwned(SHOP_MORE_GOLD) ? 260 : 200;
}

int TGameGrid::getBonusBagChance() {
    if (!GoldPossible() || Player->levelBagsSpawned > 0) return 0;
    return ShopItemOwned(SHOP_MOST_GOLD) ? 500 : ShopItemOwned(SHOP_MORE_GOLD) ? 350 : 250;
}

int TGameGrid::getSpawnBagChance() {
    if (!GoldPossible() || Player->levelBagsSpawned > 0) return 0;
    return ShopItemOwned(SHOP_MOST_GOLD) ? 100 : ShopItemOwned(SHOP_MORE_GOLD) ? 65 : 50;
}

// ---------------------------------------------------------------- armour, rocks, locks, skulls

int TGameGrid::RemoveArmour(int x, int y, int /*powered*/) {
    TCell* cell = CellAt(x, y);
    if (!cell || !OnBoard(x, y)) return 0;
    if (cell->Gem && (cell->Gem->locked || cell->Gem->rocked)) return 0;
    const float centreX = cell->sx + HALF_CELL, centreY = cell->sy + HALF_CELL;
    if (cell->armour2) {
        cell->armour2 = 0;
        Armoured -= 1;
        EffectSecondLayerBreak(centreX, centreY);
        GameScreen->TriggerMatchOverArmour2 = 1;
    } else if (cell->armour1) {
        cell->armour1 = 0;
        Armoured -= 1;
        EffectFirstLayerBreak(centreX, centreY);
        GameScreen->TriggerMatchOverArmour1 = 1;
        Player->LogGoldTileCollected();
        Gold -= 1;
    } else {
        return 0;
    }
    CheckTarget();
    if (Armoured >= 1 && Armoured <= 3) Tutorial->ShowNearlyDoneTip();
    return 1;
}

void TGem::UnRock(int withScore) {
    if (rocked <= 0 || !Grid) return;
    rocked -= 1;
    if (rocked == 1) {
        GameScreen->TriggerUnrock2 = 1;
        EffectRockCrack(x, y, 20);
        if (withScore) Grid->AwardGemScore(gx, gy, 1, 0, 0);
        return;
    }
    GameScreen->TriggerUnrock1 = 1;
    EffectRockBreak(x, y);
    Grid->Rocks -= 1;
    if (withScore) Grid->AwardGemScore(gx, gy, 1, 0, 1);
    if (GemType == GEM_SKULL && !locked && AboveGapOrBottom(gx, gy)) {
        Grid->CollectEgg(shared_from_this());
    } else {
        Grid->CheckTarget();
    }
}

void TGem::Unlock() {
    if (!locked) return;
    EffectUnlock(x, y);
    locked = 0;
    if (Grid) Grid->Locked -= 1;
    if (GemType == GEM_SKULL && !rocked && AboveGapOrBottom(gx, gy) && Grid)
        Grid->CollectEgg(shared_from_this());
}

void TGameGrid::CollectEgg(const TGemPtr& gem) {
    Player->SpecialItemsCollected += 1;
    CheckTarget();
    EffectSkullCollect(gem->x, gem->y, 0);
    AwardGemScore(gem->gx, gem->gy, 0, 1, 1);
    Player->LogGoldenSkullCollected();
    if (GemList) GemList->RemoveGem(gem);
    EggCount -= 1;
    if (Player->GetSpecialItemsToGo() == 0) {
        if (GemList) GemList->ExplodeSpecialItems(GEM_SKULL);
    } else if (Player->GetSpecialItemsToGo() == 1) {
        Tutorial->ShowNearlyDoneTip();
    }
    GameScreen->TriggerEggDrop = 1;
}

// ---------------------------------------------------------------- coins and bags

std::shared_ptr<TGem> TGem::MakeCoin(int x, int y, int falling) {
    auto coin = std::make_shared<TGem>();
    coin->GemType = coin->OrigGemType = GEM_COIN;
    coin->SetImage(BonusImages[GEM_COIN]);
    coin->SetupAnim(COIN_SPIN_FRAMES, 600, 0, 0, falling, 0, 1);  // a full turn in 600 ms
    coin->LifeCounter = static_cast<int>(Game->CalcAnimLength(10000));
    Player->levelCoinsSpawned += 1;
    if (falling) coin->dy = 0.04f;
    coin->SetLockRockImage();
    coin->CalcCoords(x, y);
    coin->ExplosionLength = Game->CalcAnimLength(300);
    return coin;
}

std::shared_ptr<TGem> TGem::MakeBag(int x, int y, int falling) {
    auto bag = std::make_shared<TGem>();
    bag->GemType = bag->OrigGemType = GEM_BAG;
    bag->SetImage(BonusImages[GEM_BAG]);
    Player->levelBagsSpawned += 1;
    if (falling) bag->dy = 0.04f;
    bag->SetLockRockImage();
    bag->CalcCoords(x, y);
    return bag;
}

int TGem::SpinCoin(int loopEnded) {
    if (!SaveData || SaveData->timer == 0) return 0;  // coins never run out without a timer
    LifeCounter = static_cast<int>(LifeCounter - Delta);
    const bool frozen =
        (GameScreen->TimeUp || GameScreen->NoMoreCounter > 0 || GameScreen->OutroRunning());
    if (LifeCounter < 1 && !frozen) return 1;
    if (loopEnded) {
        // The coin spins faster and faster until it vanishes.
        AnimCounter *= 0.95f;
        AnimLength = static_cast<int>(AnimLength * static_cast<double>(0.95f));
        if (AnimLength < 5) {
            AnimLength = 5;
            AnimCounter = 5;
        }
        FrameLength = static_cast<float>(AnimLength) / FramesTotal;
    }
    return 0;
}

void TGameGrid::UseCoin(const TGemPtr& gem) {
    StopHint();
    Tutorial->ShowSwapCompleteTip();
    if (gem->GemType == GEM_BAG) {
        GameScreen->TriggerGoldBag = 1;
        EffectCoinCollect(gem->x, gem->y, Player->LogGoldBagCollected());
    } else {
        GameScreen->TriggerGoldCoin = 1;
        Player->LogCoinCollected(1);
        EffectCoinCollect(gem->x, gem->y, 1);
    }
}

// ---------------------------------------------------------------- creating and firing bombs

void TGameGrid::CreateBonus(int x, int y, int size) {
    int type = GEM_FIRST_BOMB;
    for (int draw = 0; draw < 50; ++draw) {
        const int candidate = GEM_FIRST_BOMB + RandInt(0, BonusTypeCount - 1);
        const int index = candidate - GEM_FIRST_BOMB;
        if (index < 0 || index >= BOMB_KINDS || !ShopItemOwned(kBombItem[index])) continue;
        if (candidate == GEM_GARLIC_BOMB && size != 2 && !ShopItemOwned(SHOP_BONUS_POWER)) continue;
        type = candidate;
        break;
    }
    TGemPtr piece;
    if (RandInt(0, 10000) < getBonusGoldChance()) {
        piece = TGem::MakeCoin(x, y, 0);
    } else if (RandInt(0, 10000) < getBonusBagChance()) {
        piece = TGem::MakeBag(x, y, 0);
    } else {
        piece = TGem::Make(x, y, type, 0);
        if ((size == 2 || ShopItemOwned(SHOP_BONUS_POWER)) &&
            ShopItemOwned(kUpgradeItem[type - GEM_FIRST_BOMB]))
            piece->GemType += BOMB_UPGRADE;
        GameScreen->TriggerBonusAppears = 1;
    }
    if (GemList) GemList->InsertGem(piece);
    Cells[x][y]->Gem = piece;
}

int TGameGrid::ActivateBonus(const TGemPtr& gem, int x, int y) {
    gem->BonusActivated = 1;
    const int type = gem->GemType;
    const int power = IsUpgradedBomb(type) ? 2 : 1;
    // Every blast covers the bomb's own cell: the flag above keeps the blast from
    // firing it again, so it is scored and explodes there like a plain gem.
    switch (type) {
        case GEM_PUMPKIN_BOMB:
        case GEM_PUMPKIN_BOMB + BOMB_UPGRADE:
            UseBomb(x, y, power);
            return 1;
        case GEM_HORIZONTAL_BOMB:
        case GEM_HORIZONTAL_BOMB + BOMB_UPGRADE:
            UseHorizontalBomb(0, x, y, power);
            return 1;
        case GEM_VERTICAL_BOMB:
        case GEM_VERTICAL_BOMB + BOMB_UPGRADE:
            UseVerticalBomb(x, y, power);
            return 1;
        case GEM_CROSS_BOMB:
        case GEM_CROSS_BOMB + BOMB_UPGRADE:
            UseCrossBomb(x, y, power, 1);
            return 1;
        case GEM_DIAGONAL_BOMB:
        case GEM_DIAGONAL_BOMB + BOMB_UPGRADE:
            UseDiagonalBomb(x, y, power, 1);
            return 1;
        case GEM_CROSS_DIAG_BOMB:
        case GEM_CROSS_DIAG_BOMB + BOMB_UPGRADE:
            UseCrossDiagBomb(x, y, power);
            return 1;
        case GEM_GARLIC_BOMB:
        case GEM_GARLIC_BOMB + BOMB_UPGRADE:
            UseMegaBomb(x, y, 1);
            return 1;
        case GEM_COIN:
        case GEM_BAG: {
            UseCoin(gem);
            const int cellX = gem->gx, cellY = gem->gy;
            if (TCell* cell = CellAt(cellX, cellY); cell && cell->Gem == gem) cell->Gem = nullptr;
            if (GemList) GemList->RemoveGem(gem);
            gem->Kill();
            ClearCursor();
            return 1;
        }
        default:
            return 0;
    }
}

void TGameGrid::BeginBomb(int& x, int& y, int power, bool showTip) {
    if (showTip) {
        StopHint();
        Tutorial->ShowSwapCompleteTip();
    }
    BonusUsedThisFrame = 1;
    if (power == 2) BonusPower = 2;
    if (x == -1 || y == -1) {
        x = mx;
        y = my;
    }
}

void TGameGrid::HitCell(int x, int y, int power, bool safe) {
    if (!OnBoard(x, y)) return;
    RemoveArmour(x, y, power == 2 ? 1 : 0);
    const int unlocked = safe ? DestroySquareSafe(x, y, 0) : DestroySquare(x, y, 0);
    if (unlocked == 1) GameScreen->TriggerUnlock = 1;
}

void TGameGrid::EndBomb(int x, int y, int trigger, int power) {
    BombEffect(trigger, x, y, power);
    *BombTrigger(trigger) = 1;
    GameScreen->SetGaugeEmpty();
}

namespace {

// The pumpkin bomb's square: 3 x 3, or 5 x 5 without its corners.
bool InBombArea(int i, int j, int power) {
    return power == 1 ? std::abs(i) <= 1 && std::abs(j) <= 1
                      : !(std::abs(i) == 2 && std::abs(j) == 2);
}

// The garlic bomb's 7 x 7 square without the three cells at each corner.
bool InMegaArea(int i, int j) {
    return std::abs(i) <= 3 && std::abs(j) <= 3 && std::abs(i) + std::abs(j) < 5;
}

}  // namespace

THUDPowerInfoList TGameGrid::GetBombPoints(int x, int y, int power) {
    THUDPowerInfoList points;
    for (int j = -2; j <= 2; ++j)
        for (int i = -2; i <= 2; ++i)
            if (InBombArea(i, j, power) && OnBoard(x + i, y + j))
                points.push_back(
                    THUDPowerInfo::Create(x + i, y + j, CellActive(x + i, y + j) ? 1 : 0));
    return points;
}

THUDPowerInfoList TGameGrid::GetMegaPoints(int x, int y) {
    THUDPowerInfoList points;
    for (int j = -3; j <= 3; ++j)
        for (int i = -3; i <= 3; ++i)
            if (InMegaArea(i, j) && CellActive(x + i, y + j))
                points.push_back(THUDPowerInfo::Create(x + i, y + j, 1));
    return points;
}

void TGameGrid::UseBomb(int x, int y, int power) {
    BeginBomb(x, y, power, true);
    for (int j = -2; j <= 2; ++j)
        for (int i = -2; i <= 2; ++i)
            if (InBombArea(i, j, power)) HitCell(x + i, y + j, power, true);
    EndBomb(x, y, BombAtPower(GEM_PUMPKIN_BOMB, power), power);
}

void TGameGrid::UseHorizontalBomb(int /*ignored*/, int x, int y, int power) {
    BeginBomb(x, y, power, true);
    for (int row : {y, y - 1, y + 1}) {
        if (row != y && power == 1) continue;
        if (row < 0 || row >= levelheight) continue;
        for (int column = 0; column < levelwidth; ++column)
            HitCell(column, row, power, false);
    }
    EndBomb(x, y, BombAtPower(GEM_HORIZONTAL_BOMB, power), power);
}

void TGameGrid::UseVerticalBomb(int x, int y, int power) {
    BeginBomb(x, y, power, true);
    for (int column : {x, x - 1, x + 1}) {
        if (column != x && power == 1) continue;
        if (column < 0 || column >= levelwidth) continue;
        for (int row = 0; row < levelheight; ++row)
            HitCell(column, row, power, false);
    }
    if (power == 2) PlaySoundAtPitch(VerticalBombSound, 0.8f);
    EndBomb(x, y, BombAtPower(GEM_VERTICAL_BOMB, power), power);
}

void TGameGrid::UseCrossBomb(int x, int y, int power, int full) {
    BeginBomb(x, y, power, full != 0);
    const int reach = power == 1 ? 2 : levelwidth;
    for (int i = 0; i <= reach; ++i) {
        HitCell(x, y - i, power, true);
        HitCell(x, y + i, power, true);
        HitCell(x - i, y, power, true);
        HitCell(x + i, y, power, true);
    }
    if (full) EndBomb(x, y, BombAtPower(GEM_CROSS_BOMB, power), power);
}

void TGameGrid::UseDiagonalBomb(int x, int y, int power, int full) {
    BeginBomb(x, y, power, full != 0);
    const int reach = power == 1 ? 2 : levelwidth;
    for (int i = 0; i <= reach; ++i) {
        HitCell(x - i, y - i, power, true);
        HitCell(x - i, y + i, power, true);
        HitCell(x + i, y - i, power, true);
        HitCell(x + i, y + i, power, true);
    }
    if (full) EndBomb(x, y, BombAtPower(GEM_DIAGONAL_BOMB, power), power);
}

void TGameGrid::UseCrossDiagBomb(int x, int y, int power) {
    BeginBomb(x, y, power, true);
    UseCrossBomb(x, y, power, 0);
    UseDiagonalBomb(x, y, power, 0);
    EndBomb(x, y, BombAtPower(GEM_CROSS_DIAG_BOMB, power), power);
}

void TGameGrid::UseMegaBomb(int x, int y, int /*power*/) {
    BeginBomb(x, y, 2, true);
    for (int j = -3; j <= 3; ++j)
        for (int i = -3; i <= 3; ++i)
            if (InMegaArea(i, j) && CellActive(x + i, y + j)) HitCell(x + i, y + j, 2, true);
    EndBomb(x, y, GEM_GARLIC_BOMB, 2);
}

int TGameGrid::DestroySquareSafe(int x, int y, int removeArmour) {
    if (!OnBoard(x, y)) return 0;
    return DestroySquare(x, y, removeArmour);
}

int TGameGrid::DestroySquare(int x, int y, int removeArmour) {
    TCell* cell = CellAt(x, y);
    if (!cell || !cell->Gem) return 0;
    const TGemPtr gem = cell->Gem;
    if (gem->rocked) {
        gem->UnRock(1);
        return 0;
    }
    if (removeArmour == 1 && !gem->locked) RemoveArmour(x, y, 1);
    return gem->Destroy();
}

int TGem::Destroy() {
    if (!Grid) return 0;
    const bool special = GemType >= GEM_SKULL;
    if (locked) {
        if (special) {
            Unlock();
            Grid->AwardGemScore(gx, gy, 1, 0, 1);
            return 1;
        }
        ExplosionCounter = ExplosionLength;
        EffectSparks(x, y, 4);
        Grid->AwardGemScore(gx, gy, 1, Magic, 1);
        if (Magic) EffectMagicRelease(x, y);
        Unlock();
        CheckMatchGoal();
        GemType = GEM_USED;
        return 1;
    }
    if (IsBomb(GemType) && !BonusActivated) {
        Grid->ActivateBonus(shared_from_this(), gx, gy);
        Grid->BonusPower = 2;
        Grid->ChainedBonuses += 1;
        return 0;
    }
    if (GemType == GEM_SKULL || GemType == GEM_COIN || GemType == GEM_BAG) return 0;
    // Any other gem, a fired bomb too: scored and exploded.
    Grid->AwardGemScore(gx, gy, 1, Magic, Grid->GetGoalScore(gx, gy, 0));
    Explode(1, 0);
    return 0;
}

// ---------------------------------------------------------------- goals and the level's end

void TGameGrid::CheckTarget() {
    struct Goal {
        int set;
        bool met;
        int* done;
    };
    TGameScreen& screen = *GameScreen;
    const Goal goals[4] = {{GoalMatches, Player->GetMatchesToGo() == 0, &screen.Goal1Done},
                           {GoalArmour, Gold == 0, &screen.Goal2Done},
                           {GoalCollect, Player->GetSpecialItemsToGo() == 0, &screen.Goal3Done},
                           {GoalRock, Rocks == 0, &screen.Goal4Done}};
    int set = 0, met = 0;
    for (int i = 0; i < 4; ++i) {
        if (goals[i].set <= 0) continue;
        ++set;
        if (!goals[i].met) continue;
        ++met;
        if (!*goals[i].done) {
            *goals[i].done = 1;
            screen.GoalDoneEffect(i + 1);
        }
    }
    if (set > 0 && met == set) {
        TargetMet = 1;
        Tutorial->FadeTips();
    } else if ((set == 2 && met == 1) || (set == 3 && met == 2)) {
        Tutorial->ShowGoalCompleteTip();
    }
}

void TGameGrid::CheckLevelEnd() {
    if (TargetMet == 1 && !Player->NoChecks) StartLevelEnd();
}

int TGameGrid::StartLevelEnd() {
    if (!GameScreen->StartOutroAnim()) return 0;
    if (SwapCounter > 0) {
        PutSwappedGemsBack();
        SwapCounter = 0;
    }
    RestorePointer();
    ClearCursor();
    StopHint();
    BlockInput = 1;
    if (GemList) {
        GemList->ExplodeMagicGems();
        GemList->ExplodeAll(1);
    }
    return 1;
}
