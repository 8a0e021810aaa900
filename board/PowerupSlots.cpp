// Drawing the six powerup slots below the board: the slot of a powerup not
// bought, the liquid rising as it charges, the full slot with its glow, and
// the pin of its level; and the held powerup's area over the board.
#include <algorithm>
#include <cmath>

#include "board/Grid.h"
#include "board/Powerups.h"
#include "engine/Graphics.h"
#include "frame/Navigation.h"
#include "progress/SaveData.h"
#include "ui/Menu.h"

namespace {

// The liquid's surface is a chord of a circle of this radius.
constexpr float kLiquidRadius = 38;
// The surface's three lines, top down, fading into the liquid.
constexpr float kSurfaceAlpha[3] = {1.0f, 0.5f, 0.25f};

constexpr float kAreaAlpha = 0.4f;
constexpr float kAreaSize = CELL_SIZE - 2;

void DrawCentred(const TGameImagePtr& image, float x, float y) {
    if (image && image->image) DrawImage(*image->image, x, y);
}

}  // namespace

void TGameGrid::DrawHUDPowers() {
    for (const THUDPowerupPtr& powerup : HUDPowerups)
        powerup->Draw();
    DrawSlotFocus();
}

// The slot the shoulder buttons chose: the focus ring of the menus.
void TGameGrid::DrawSlotFocus() {
    if (!Nav::MarksShown() || SlotFocus < 0 || SlotFocus >= POWERUP_COUNT ||
        !HUDPowerups[SlotFocus])
        return;
    const THUDPowerup& powerup = *HUDPowerups[SlotFocus];
    const float half =
        (powerup.HUDBackImage ? static_cast<float>(powerup.HUDBackImage->w) : 88.0f) / 2;
    DrawFocusRing(powerup.DrawX() - half, powerup.DrawY() - half, 2 * half, 2 * half,
                  glow2->ratio * 180);
}

void THUDPowerup::Draw() const {
    const float x = DrawX(), y = DrawY();
    const DrawStateGuard restore;
    SetBlend(ALPHABLEND);
    const bool bought = IsAvailable();
    DrawCentred(bought ? HUDBackImage : HUDNone, x, y);
    if (!bought) return;
    if (!IsCharged()) {
        const int need = GetChargeRequired();
        const float fill = need > 0 ? static_cast<float>(CurrentCharge) / need : 0.0f;
        DrawLiquid(x, y, fill);
        DrawCentred(HUDOverlay, x, y);
    } else {
        DrawCentred(HUDImage, x, y);
        if (HUDGlow && HUDGlow->image && HUDGlowFactor > 0) {
            const DrawStateGuard restoreGlow;
            SetBlend(LIGHTBLEND);
            const int level = static_cast<int>(std::clamp(HUDGlowFactor, 0.0f, 1.0f) * 255);
            SetColor(level, level, level);
            DrawImage(*HUDGlow->image, x, y);
        }
    }
    // The pin of the highest level owned.
    for (int item = ShopID + PinCount - 1; item >= ShopID; --item) {
        if (!ShopItemOwned(item)) continue;
        DrawCentred(HUDPinImages[static_cast<size_t>(item - ShopID)], x + 30, y + 30);
        break;
    }
}

// The lower part of the liquid picture, as high as the charge, and its
// surface.
void THUDPowerup::DrawLiquid(float x, float y, float fill) const {
    if (!HUDChargeBackImage || !HUDChargeBackImage->image) return;
    TImage& liquid = *HUDChargeBackImage->image;
    const int w = HUDChargeBackImage->w, h = HUDChargeBackImage->h;
    const int shown =
        static_cast<int>(static_cast<float>(h - HUD_GAUGE_TOP_BORDER - HUD_GAUGE_BOTTOM_BORDER) *
                         fill) +
        HUD_GAUGE_BOTTOM_BORDER;
    const float left = x - HUDChargeBackImage->w2, top = y - HUDChargeBackImage->h2;
    const float surface = top + static_cast<float>(h - shown);
    DrawSubImageRect(liquid, left, surface, static_cast<float>(w), static_cast<float>(shown), 0,
                     static_cast<float>(h - shown), static_cast<float>(w),
                     static_cast<float>(shown));
    if (fill <= 0 || fill >= 1) return;
    const float halfWidth = kLiquidRadius * std::sin(std::acos(2 * std::abs(0.5f - fill)));
    const DrawStateGuard restore;
    SetColor(255, 255, 255);
    for (int line = 0; line < 3; ++line) {
        SetAlpha(kSurfaceAlpha[line]);
        DrawRect(x - halfWidth, surface + static_cast<float>(line), 2 * halfWidth, 1);
    }
}

void TGameGrid::DrawPowerupArea() {
    if (!PointerGemType || mx < 0 || my < 0) return;
    const DrawStateGuard restore;
    SetAlpha(kAreaAlpha * alpha);
    for (const THUDPowerInfo& cell : PointerGemType->GetAreaOfEffect(mx, my)) {
        const TCell* target = CellAt(cell.pos.X, cell.pos.Y);
        if (!target) continue;
        cell.valid ? SetColor(100, 255, 100) : SetColor(255, 50, 50);
        DrawRect(target->sx + 1, target->sy + 1 + topY, kAreaSize, kAreaSize);
    }
}
