#include "board/Gem.h"

#include <algorithm>
#include <cmath>

#include "board/Grid.h"
#include "board/Powerups.h"
#include "engine/Graphics.h"
#include "engine/Random.h"
#include "engine/Strings.h"
#include "frame/Game.h"
#include "media/Effects.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "play/Tutorial.h"

TGemListPtr GemList;

TGameImagePtr TGem::Lock1Image, TGem::Lock2Image, TGem::Rock1Var1Image, TGem::Rock1Var2Image,
    TGem::Rock2Image;
std::array<TGameImagePtr, GEM_TYPE_COUNT> TGem::BonusImages;
TGameImagePtr TGem::GemsImage, TGem::SkullImage, TGem::ParticleRingImage;

namespace {

// The bomb, coin and bag picture of every type from 15 to 30.
const char* BonusImageName(int type) {
    static const char* const kNames[] = {
        "pump1", "lantern1", "candle1", "grave1", "torch1", "well1", "garlic", "coin",
        "pump2", "lantern2", "candle2", "grave2", "torch2", "well2", "garlic", "moneybag"};
    return kNames[type - GEM_FIRST_BOMB];
}

bool GameOverCountdown() {
    return GameScreen && GameScreen->NoMoreCounter > 0;
}
bool OutroRunning() {
    return GameScreen && GameScreen->OutroRunning();
}

}  // namespace

TGem::TGem() {
    w = h = CELL_SIZE;
    w2 = h2 = static_cast<float>(HALF_CELL);
}

void TGem::InitArrays() {
    BonusImages.fill(nullptr);
}

void TGem::Load() {
    InitArrays();
    Lock1Image = ImageBank.Find("Lock1");
    Lock2Image = ImageBank.Find("Lock2");
    Rock1Var1Image = ImageBank.Find("Rock1Var1");
    Rock1Var2Image = ImageBank.Find("Rock1Var2");
    Rock2Image = ImageBank.Find("Rock2");
    GemsImage = ImageBank.Find("gems");
    SkullImage = ImageBank.Find("Gold Skull");
    ParticleRingImage = ImageBank.Find("particlering");
    for (int type = GEM_FIRST_BOMB; type < GEM_TYPE_COUNT; ++type)
        BonusImages[type] = ImageBank.Find(BonusImageName(type));
}

// ---------------------------------------------------------------- making

std::shared_ptr<TGem> TGem::Make(int x, int y, int type, int falling) {
    auto gem = std::make_shared<TGem>();
    gem->SetType(type);
    gem->SetLockRockImage();
    if (falling) gem->dy = 0.04f;
    gem->CalcCoords(x, y);
    gem->ExplosionLength = Game->CalcAnimLength(300);
    if (type == GEM_SKULL && Grid) Grid->EggCount += 1;
    return gem;
}

void TGem::SetType(int type) {
    GemType = OrigGemType = type;
    if (type == GEM_SKULL) {
        SetImage(SkullImage);
    } else {
        SetImage(GemsImage);
        // Bombs draw from their own pictures; keep the frame inside the strip.
        ImageFrame = std::clamp(type - 1, 0, 13);
    }
}

void TGem::SetLockRockImage() {
    if (RandInt(0, 100) < 50) {
        MyLockImage = Lock1Image;
        MyRocked1Image = Rock1Var1Image;
    } else {
        MyLockImage = Lock2Image;
        MyRocked1Image = Rock1Var2Image;
    }
}

void TGem::CalcCoords(int cellX, int cellY) {
    gx = cellX;
    gy = cellY;
    x = static_cast<float>(CellLeft(cellX) + HALF_CELL + IntroOffsetX);
    y = static_cast<float>(CellTop(cellY) + HALF_CELL + IntroOffsetY);
}

void TGem::SwapTypes(TGem& other) {
    std::swap(gx, other.gx);
    std::swap(gy, other.gy);
    if (TCell* mine = CellAt(gx, gy)) mine->Gem = shared_from_this();
    if (TCell* theirs = CellAt(other.gx, other.gy)) theirs->Gem = other.shared_from_this();
}

int TGem::CompareY(const std::shared_ptr<TGem>& a, const std::shared_ptr<TGem>& b) {
    if (a->y > b->y) return -1;
    if (a->y < b->y) return 1;
    return 0;
}

int TGem::Random(int allowSkull) {
    if (allowSkull && Grid && Grid->GoalCollect > 0 && Player->GetSpecialItemsToGo() > 0 &&
        Grid->EggCount < 3) {
        const float threshold = Grid->EggCount <= 1 ? 3000.0f : 200.0f;
        if (RandInt(1, 10000) < threshold * Delta) return GEM_SKULL;
    }
    if (GemColourCount <= 0) return 1;
    return GemColours[RandInt(0, GemColourCount - 1)];
}

void TGem::SetDropInY() {
    y -= CELL_SIZE;
    gy = RowAt(y - static_cast<float>(HALF_CELL));
}

void TGem::SetHintWobble(int on) {
    HintWobble = on;
}

// ---------------------------------------------------------------- states

void TGem::Activate() {
    ExplosionCounter = ExplosionLength;
    GemType = GEM_USED;
    AnimActive = 1;
}

int TGem::Explode(int withBonusPower, int force) {
    if (GemType == GEM_SKULL && !force) return 0;
    if (ExplosionCounter == 0) {
        ExplosionCounter = ExplosionLength;
        if (!withBonusPower) {
            EffectGemBurst(x, y, 4);
            EffectSparks(x, y, 2);
        } else {
            const bool strongStep = Grid && Grid->BonusUsedThisFrame && Grid->BonusPower == 2;
            EffectGemBurst(x, y, strongStep ? 7 : 15);
            EffectSparks(x, y, 4);
        }
        if (Magic) EffectMagicRelease(x, y);
        CheckMatchGoal();
        GemType = GEM_USED;
    }
    return 1;
}

void TGem::CheckMatchGoal() {
    if (!Grid || GemType != Grid->GoalMatchesType || OutroRunning()) return;
    Player->LevelGoalMatches += 1;
    Grid->CheckTarget();
    const int toGo = Player->GetMatchesToGo();
    if (toGo >= 1 && toGo <= 4) Tutorial->ShowNearlyDoneTip();
}

void TGem::CreateMagic() {
    if (GemType >= GEM_FIRST_BOMB || Player->Level <= 3) return;
    Magic = 1;
    MagicCounter = static_cast<float>(RandInt(0, static_cast<int>(MagicLength - 1)));
}

void TGem::Manage() {
    MagicCounter += Delta;
    if (MagicCounter >= MagicLength) MagicCounter -= MagicLength;
}

void TGem::ScaleUp() {
    const float target = GemType <= GEM_SKULL ? MAX_SCALE : 1.0f;
    MOScale = std::min(target, MOScale + SCALE_UP_SPEED * Delta);
    ScaleX = ScaleY = MOScale;
}

void TGem::ScaleDown() {
    MOScale = std::max(1.0f, MOScale - SCALE_DOWN_SPEED * Delta);
    ScaleX = ScaleY = MOScale;
}

// ---------------------------------------------------------------- drawing

namespace {

void DrawCentred(const TGameImagePtr& image, float px, float py, int frame, float scale,
                 float rotation) {
    if (!image || !image->image) return;
    const DrawStateGuard restore;
    SetTransform(rotation, scale, scale);
    DrawImage(*image->image, px, py, frame);
}

float Ratio(const TSineCounterPtr& counter) {
    return counter ? counter->ratio : 0.0f;
}

}  // namespace

void TGem::DrawGem(float topY) {
    float offsetX = 0;
    if (HintWobble && Grid) offsetX += static_cast<float>(3 * Sin(Grid->HintCounter * 10));
    if (GameOverCountdown() && Grid) offsetX = Grid->JiggleOffset;
    const float px = x + offsetX, py = y + topY - introY;
    if (Exploding() && !AnimActive) {
        if (!ExplosionShow || !ParticleRingImage) return;
        const float elapsed = ExplosionLength - ExplosionCounter;
        const float scale = std::min(1.0f, elapsed / ExplosionLength + 0.2f);
        const float fadeSteps = Game->CalcAnimLength(100);
        const float alpha = ExplosionCounter < fadeSteps ? ExplosionCounter / fadeSteps : 1.0f;
        const DrawStateGuard restore;
        SetAlpha(GetAlpha() * alpha);
        DrawCentred(ParticleRingImage, px, py, 0, scale, 0);
        return;
    }
    if (!rocked) {
        if (OrigGemType >= GEM_FIRST_BOMB || GemType >= GEM_FIRST_BOMB) {
            const int type = GemType >= GEM_FIRST_BOMB ? GemType : OrigGemType;
            float scale =
                locked ? 0.75f
                       : (MouseOver ? ScaleX
                                    : ScaleX - 0.2f + 0.1f * Ratio(Grid ? Grid->glow3 : nullptr));
            const float rotation = GameOverCountdown() ? Rotation : 0.0f;
            const TGameImagePtr& picture = BonusImages[std::clamp(type, 0, GEM_TYPE_COUNT - 1)];
            const int shownFrame = AnimCounter > 0 && FramesTotal >= 2 ? GetAnimFrame() : 0;
            DrawCentred(picture, px, py, shownFrame, scale, rotation);
            if (Game->Particles >= 50) {
                // With enough detail the piece shines: drawn once more, added on.
                const DrawStateGuard restore;
                SetBlend(LIGHTBLEND);
                DrawCentred(picture, px, py, shownFrame, scale, rotation);
            }
        } else {
            if (Magic && Grid && Grid->MagicHighlightImage) {
                const DrawStateGuard restore;
                SetBlend(LIGHTBLEND);
                const float glow2 = Ratio(Grid->glow2);
                DrawCentred(Grid->MagicHighlightImage, px, py, 0, 1.5f + 0.3f * glow2,
                            Grid->magicRotation);
                DrawCentred(Grid->MagicHighlightImage, px, py, 0, 1.5f + 0.2f * glow2,
                            90 - Grid->magicRotation);
            }
            const float rotation = GemType == GEM_SKULL && Grid
                                       ? 12 * Ratio(Grid->SkullAnim) - 12
                                       : (GameOverCountdown() ? Rotation : 0);
            DrawCentred(image, px, py, ImageFrame, ScaleX, rotation);
        }
    }
    if (locked) {
        DrawCentred(MyLockImage, px, py, 0, 1, 0);
    } else if (rocked == 1) {
        DrawCentred(MyRocked1Image, px, py, 0, 1, 0);
    } else if (rocked >= 2) {
        DrawCentred(Rock2Image, px, py, 0, 1, 0);
    }
}

// ---------------------------------------------------------------- the list

void TGemList::InsertGem(const TGemPtr& gem) {
    for (auto it = begin(); it != end(); ++it) {
        if ((*it)->y < gem->y) {
            Insert(it, gem);
            return;
        }
    }
    AddLast(gem);
}

void TGemList::SortAll() {
    Sort([](const TGemPtr& a, const TGemPtr& b) { return TGem::CompareY(a, b) < 0; });
}

void TGemList::MoveAll() {
    for (const TGemPtr& gem : *this) {
        gem->Move();
        gem->ManageRotation();
    }
}

int TGemList::Manage() {
    int exploding = 0;
    for (auto it = begin(); it != end();) {
        TGemPtr gem = *it++;
        if (gem->Magic) gem->Manage();
        if (gem->GemType == GEM_COIN && !gem->locked && gem->SpinCoin(gem->ManageAnim())) {
            GameScreen->TriggerCoinDisappears = 1;
            gem->Explode(1, 0);
        }
        if (!gem->Exploding()) {
            const bool underMouse = Grid && gem->gx == Grid->mx && gem->gy == Grid->my;
            if (underMouse && !gem->Swapping && gem->dy == 0 && !gem->locked &&
                !GameOverCountdown() && !OutroRunning()) {
                gem->MouseOver = 1;
                gem->ScaleUp();
            } else {
                gem->MouseOver = 0;
                gem->ScaleDown();
            }
            continue;
        }
        exploding = 1;
        gem->ExplosionCounter -= Delta;
        if (gem->ExplosionCounter > 0) {
            gem->Rotation += gem->RotationSpeed * Delta;
            if (gem->OrigGemType > GEM_SKULL) gem->glow -= 0.02f * Delta;
            continue;
        }
        gem->ExplosionCounter = 0;
        if (gem->AnimActive == 1) {
            // A fired bomb has played its activation: now it explodes for real.
            gem->AnimActive = 0;
            gem->Explode(1, 0);
            continue;
        }
        RemoveGem(gem);
    }
    return exploding;
}

void TGemList::RemoveGem(TGemPtr gem) {
    if (TCell* cell = CellAt(gem->gx, gem->gy); cell && cell->Gem == gem) cell->Gem = nullptr;
    gem->ReleasePending();
    Remove(gem);
}

void TGemList::Draw() {
    const float topY = Grid ? Grid->topY : 0;
    const bool tarot = TarotRunning();
    auto swapping = [](const TGemPtr& gem) { return gem->Swapping != 0; };
    for (const TGemPtr& gem : *this) {
        if (swapping(gem) || gem->GemType > 13 || (gem->GemType == GEM_USED && !gem->Exploding()))
            continue;
        if (tarot && !gem->locked && !gem->rocked) continue;
        gem->DrawGem(topY);
    }
    if (Grid) {
        if (Grid->SwapDest) Grid->SwapDest->DrawGem(topY);
        if (Grid->SwapSource) Grid->SwapSource->DrawGem(topY);
    }
    for (const TGemPtr& gem : *this) {
        if (!swapping(gem) && gem->GemType >= GEM_SKULL) gem->DrawGem(topY);
    }
    for (const TGemPtr& gem : *this) {
        if (gem->locked || gem->rocked) continue;
        if (gem->GemType == GEM_SKULL || (tarot && gem->GemType >= 1 && gem->GemType <= 13))
            gem->DrawGem(topY);
    }
}

void TGemList::SpreadAll() {
    if (!Grid) return;
    const float centreX = Grid->sx + (Grid->levelwidth - 1) * HALF_CELL;
    const float centreY = Grid->sy + (Grid->levelheight - 1) * HALF_CELL;
    for (auto it = begin(); it != end();) {
        TGemPtr gem = *it++;
        const float rx = (gem->x - HALF_CELL) - centreX, ry = (gem->y - HALF_CELL) - centreY;
        if (rx == 0 && ry == 0) {
            RemoveGem(gem);
            continue;
        }
        gem->dx = rx * static_cast<float>(Rnd(0.5 / 66, 0.8 / 66));
        gem->dy = ry * static_cast<float>(Rnd(0.5 / 66, 0.8 / 66));
        gem->SetupRotation(static_cast<float>(Rnd(0.5, 1.0)), 3000, 0, 0);
    }
}

void TGemList::ExplodeAll(int /*mode*/) {
    for (const TGemPtr& gem : ToVector()) {
        gem->ExplosionShow = 0;
        gem->Explode(0, 1);
    }
}

void TGemList::ExplodeSpecialItems(int type) {
    for (const TGemPtr& gem : ToVector()) {
        if (gem->GemType == type) gem->Explode(0, 1);
    }
}

void TGemList::ExplodeMagicGems() {
    for (const TGemPtr& gem : ToVector()) {
        if (gem->Magic) gem->Explode(0, 0);
    }
}

void TGemList::SetShadow() {
    const int on = Game->Particles >= SHADOW_DETAIL ? 1 : 0;
    for (const TGemPtr& gem : *this)
        gem->TSprite::SetShadow(on, SHADOW_OFFSET, SHADOW_OFFSET, SHADOW_ALPHA);
}

void TGemList::SetIntroPosition(float ratio, int levelwidth) {
    const float columns = static_cast<float>(std::max(1, levelwidth));
    for (const TGemPtr& gem : *this)
        gem->introY = ratio * 40.0f * (gem->gx + 1) / columns;
}
