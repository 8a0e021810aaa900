// Drawing the level map: the picture (zoomed while a level is chosen), the
// dots, the panels, the level number, the timed switch, the buttons, the
// header, the gold and the replay notice. Drawing reads what the logic left.
#include <cmath>
#include <string>

#include "engine/Graphics.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "media/Fonts.h"
#include "media/GameText.h"
#include "media/TextShadow.h"
#include "play/Player.h"
#include "progress/MapScreen.h"
#include "ui/Menu.h"

namespace {

constexpr int kLevelWidth = 130;
constexpr int kTimedWidth = 90;
constexpr int kTimedGap = 8, kTimedDrop = 5;
constexpr int kHeaderWidth = 366, kHeaderY = 30;
constexpr float kHeaderScale = 0.8f;
constexpr int kTopPanelY = -53;
constexpr int kGoldLabelX = 68, kGoldValueX = 78, kGoldY = 16;
constexpr int kGoldR = 226, kGoldG = 184, kGoldB = 99;
constexpr float kTextShadowAlpha = 0.6f;
// The current level's dot pulses between these scales.
constexpr float kPulseScale = 1.1f, kPulseDepth = 0.1f;
constexpr float kGlowShare = 0.2f;  // the glow under the pointer at its brightest

std::string Text(const std::string& key) {
    return GameText ? GameText->FindString(key) : std::string();
}

float SinDeg(double degrees) {
    return static_cast<float>(std::sin(degrees * M_PI / 180.0));
}

const TShadowPtr& DotShadow() {
    static const TShadowPtr shadow = TShadow::Create(1.5f, 1.5f, 0.4f);
    return shadow;
}

// Text scaled down to fit a width, with the map's drop shadow.
void DrawFitted(TBitmapFont& font, const std::string& text, float x, float y, int alignment,
                double width, float scaleOfFit = 1.0f) {
    const DrawStateGuard restore;
    const TextShadowGuard restoreShadow;
    SetTextShadow(1, 1, kTextShadowAlpha);
    const float scale = scaleOfFit * static_cast<float>(font.CalcReducedScale(text, width));
    SetScale(scale, scale);
    font.DrawAlignedWithShadow(text, x, y, alignment, 1, 1);
}

}  // namespace

void TMapScreen::Draw() {
    SetBlend(SOLIDBLEND);
    if (Image) {
        const DrawStateGuard restore;
        SetScale(Scale, Scale);
        DrawImage(*Image, ScrollX, ScrollY, 0);
    }
    SetBlend(ALPHABLEND);
    if (!Zooming()) {
        for (int i = 0; i < DotCount(); ++i)
            DrawDot(i, 0);
        DrawDot(Level - 1, 1);
        DrawDotFocus();
    }
    SetBlend(ALPHABLEND);
    if (TopPanel)
        TopPanel->Draw(static_cast<float>((ScreenWidth - TopPanel->w) / 2), kTopPanelY, 0, nullptr);
    if (BottomPanel)
        BottomPanel->Draw(static_cast<float>((ScreenWidth - BottomPanel->w) / 2),
                          static_cast<float>(ScreenHeight - BottomPanel->h + 1), 0, nullptr);
    DrawLabels();
    if (TimedCheckBox) TimedCheckBox->Draw();
    DrawTimedFocus();
    if (Menu) Menu->Draw(0, 0);
    if (DialogHeaderFont) {
        SetColor(255, 255, 255);
        DrawFitted(*DialogHeaderFont, Text("Map Header"), static_cast<float>(ScreenWidth / 2),
                   kHeaderY, 3, kHeaderWidth, kHeaderScale);
    }
    DrawGold();
    if (ReplayDialog) ReplayDialog->Draw();
}

void TMapScreen::DrawLabels() {
    const DrawStateGuard restore;
    SetColor(255, 255, 255);
    if (GUIFont) {
        const std::string label = Text("Level") + " " + std::to_string(LastMOIndex + 1);
        DrawFitted(*GUIFont, label, static_cast<float>(ScreenWidth / 2 + LEVEL_X_OFFSET), LEVEL_Y,
                   0, kLevelWidth);
    }
    if (EmbossedFont && TimedCheckBox) {
        DrawFitted(*EmbossedFont, Text("Button Timed"), TimedCheckBox->x - kTimedGap,
                   TimedCheckBox->y + kTimedDrop, 2, kTimedWidth);
    }
}

void TMapScreen::DrawGold() {
    SetBlend(ALPHABLEND);
    if (GoldBox) GoldBox->Draw(0, 0, 0, nullptr);
    if (!GUIFontSmall) return;
    const DrawStateGuard restore;
    SetColor(kGoldR, kGoldG, kGoldB);
    GUIFontSmall->DrawAligned(Text("Gold"), kGoldLabelX, kGoldY, 2, 1, 1);
    SetColor(255, 255, 255);
    Player->DrawBankedCoins(kGoldValueX, kGoldY);
}

void TMapScreen::DrawDot(int index, int currentPass) {
    if (index < 0 || index >= DotCount()) return;
    const bool current = index == Level - 1;
    if (current && !currentPass) return;
    const float x = Coords[index].X + ScrollX, y = Coords[index].Y + ScrollY + YOffset;
    const DrawStateGuard restore;
    if (current) {
        const float scale = kPulseScale + kPulseDepth * SinDeg(2 * Angle);
        SetScale(scale, scale);
    }
    if (LevelOpen(index + 1)) {
        DrawUnLockedDot(index, x, y);
    } else {
        DrawLockedDot(index, x, y);
    }
}

void TMapScreen::DrawLockedDot(int index, float x, float y) {
    DrawShadowDot(index, Locked, LockedSpecial, x, y);
}

void TMapScreen::DrawUnLockedDot(int index, float x, float y) {
    // Under the pointer or the keys' focus: lit and glowing.
    const bool pointed = index == MOIndex || index == ShownKeyDot();
    const TGameImagePtr& normal = pointed ? UnlockedMO : Unlocked;
    const TGameImagePtr& special = pointed ? UnlockedSpecialMO : UnlockedSpecial;
    DrawShadowDot(index, normal, special, x, y);
    if (!pointed) return;
    const TGameImagePtr& image = CheckSpecialLevel(index) ? special : normal;
    if (!image) return;
    const DrawStateGuard restore;
    SetBlend(LIGHTBLEND);
    SetAlpha(Glow->ratio * kGlowShare);
    image->Draw(x, y, 0, nullptr);
}

void TMapScreen::DrawShadowDot(int index, const TGameImagePtr& normalImage,
                               const TGameImagePtr& specialImage, float x, float y) {
    const TGameImagePtr& image = CheckSpecialLevel(index) ? specialImage : normalImage;
    if (!image) return;
    SetBlend(ALPHABLEND);
    image->Draw(x, y, 0, DotShadow());
}
