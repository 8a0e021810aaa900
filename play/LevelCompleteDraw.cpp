// The level-complete screen's tally (its labels, values and their count),
// its drawing, and the sparkles that drift down over it.
#include <algorithm>
#include <cmath>

#include "engine/Graphics.h"
#include "engine/Random.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/Timing.h"
#include "media/Fonts.h"
#include "media/GameText.h"
#include "media/Particles.h"
#include "play/GameScreen.h"
#include "play/LevelComplete.h"
#include "play/Player.h"
#include "ui/Menu.h"

namespace {

constexpr int LABEL_R = 226, LABEL_G = 184, LABEL_B = 99;
constexpr int VALUE_R = 240, VALUE_G = 240, VALUE_B = 240;
// The header: centred on the dialog's name plate, fitted into its width.
constexpr int HEADER_Y = 113, HEADER_WIDTH = 350;
constexpr float HEADER_SCALE = 0.8f;
// A coin is worth 5 gold, a golden skull 20.
constexpr int COIN_GOLD = 5, SKULL_GOLD = 20;
// Rows 3 and 7 of the tally are empty.
constexpr int SPACER_A = 3, SPACER_B = 7;
constexpr int COUNTED_ROWS = TLevelCompleteScreen::TALLY_ROWS - 2;
// The sparkles' sway: a swing of 30 x their sinking speed, one every 900 steps.
constexpr float SWAY = 30, SWAY_SPEED = 0.4f;

std::string Text(const std::string& key) {
    return GameText ? GameText->FindString(key) : std::string();
}

bool Spacer(int i) {
    return i == SPACER_A || i == SPACER_B;
}

// A row's value: a number, a time in milliseconds, or a time with the time
// bonus after it.
struct TallyValue {
    enum Kind { EMPTY, NUMBER, CLOCK, CLOCK_AND_BONUS };
    Kind kind = EMPTY;
    double amount = 0;
    int bonus = 0;
};

TallyValue ValueOf(int i, int replay) {
    const TPlayer& p = *Player;
    switch (i) {
        case 0:
            return {TallyValue::NUMBER, static_cast<double>(p.LevelScore), 0};
        case 1:
            return {TallyValue::CLOCK, p.LevelTimeTaken * Game->FixedRateLogic->MS, 0};
        case 2:
            return {TallyValue::CLOCK_AND_BONUS, p.LevelTimeLeft, p.TimeBonus};
        case 4:
            return {TallyValue::NUMBER, replay ? 0.0 : p.levelTilesCollected, 0};
        case 5:
            return {TallyValue::NUMBER, static_cast<double>(p.levelSkullsCollected * SKULL_GOLD),
                    0};
        case 6:
            return {TallyValue::NUMBER, static_cast<double>(p.levelCoinsCollected * COIN_GOLD), 0};
        case 8:
            return {TallyValue::NUMBER, static_cast<double>(Player->GetBonusGold()), 0};
        case 9:
            return {TallyValue::NUMBER, static_cast<double>(Player->GetLevelGold()), 0};
        default:
            return {};
    }
}

// The value as it reads when it has counted this far (0 to 1).
std::string ValueText(const TallyValue& value, float ratio) {
    const double shown = value.amount * ratio;
    switch (value.kind) {
        case TallyValue::NUMBER:
            return std::to_string(static_cast<long long>(shown));
        case TallyValue::CLOCK:
            return ClockText(static_cast<float>(shown));
        case TallyValue::CLOCK_AND_BONUS:
            return ClockText(static_cast<float>(shown)) + " (+" +
                   std::to_string(static_cast<int>(value.bonus * ratio)) + ")";
        default:
            return "";
    }
}

}  // namespace

// ---------------------------------------------------------------- the tally

std::string TLevelCompleteScreen::GetStringForIDX(int i) {
    static const char* const keys[TALLY_ROWS] = {"Level Score", "Time Taken",    "Time Left",  "",
                                                 "Gold tiles",  "Golden Skulls", "Gold coins", "",
                                                 "Gold Bonus",  "Total Gold"};
    if (i < 0 || i >= TALLY_ROWS || Spacer(i)) return "";
    return Text(keys[i]);
}

std::string TLevelCompleteScreen::GetStatsStringForIDX(int i) {
    return ValueText(ValueOf(i, Replay), 1);
}

std::string TLevelCompleteScreen::ShownStatsStringForIDX(int i) {
    return ValueText(ValueOf(i, Replay), CountRatio(i));
}

float TLevelCompleteScreen::CountLength() {
    return Game->CalcAnimLength(
        static_cast<float>(COUNT_STAGGER_MS * (COUNTED_ROWS - 1) + COUNT_MS));
}

float TLevelCompleteScreen::CountRatio(int i) {
    if (i < 0 || i >= TALLY_ROWS || Spacer(i)) return 1;
    // The rows count one after the other, the empty rows skipped.
    const int order = i - (i > SPACER_A ? 1 : 0) - (i > SPACER_B ? 1 : 0);
    const float start = Game->CalcAnimLength(static_cast<float>(COUNT_STAGGER_MS * order));
    const float p = std::clamp((TallyCounter - start) / Game->CalcAnimLength(COUNT_MS), 0.0f, 1.0f);
    // Quick at first, settling on the value.
    return p >= 1 ? 1.0f : static_cast<float>(std::sin(p * M_PI / 2));
}

bool TLevelCompleteScreen::CountDone() {
    return TallyCounter >= CountLength();
}

std::string TLevelCompleteScreen::HeaderText() {
    std::string text = Text("Level XX Complete");
    const size_t at = text.find("XX");
    if (at != std::string::npos) text.replace(at, 2, std::to_string(Player->Level - 1));
    return text;
}

// ---------------------------------------------------------------- drawing

void TLevelCompleteScreen::Draw() {
    if (Active == HIDDEN) return;
    const DrawStateGuard restore;
    if (Active == BUTTONS) {
        Menu->Draw(0, 0);
        if (DialogOK) DialogOK->Draw();
        // The frame that shows the pressed button is drawn; the wallpaper
        // is made in the next step.
        if (SetWallpaperCounter == WALLPAPER_CLICKED) SetWallpaperCounter = WALLPAPER_DRAWN;
        return;
    }
    SetBlend(ALPHABLEND);
    const float top = GetTopY();
    if (Image) DrawImage(*Image, ScreenWidth / 2.0f, ScreenHeight / 2.0f + top);
    DrawTally(top);
    SetColor(255, 255, 255);
    DrawHeader(top);
    Menu->Draw(0, 0);
    SetAlpha(SparkleFade());
    if (CurrentMessage) CurrentMessage->Draw();
    // The sparkles carry their own alpha, faded with the roll in the step.
    ParticleLayer(SPARKLE_LAYER).Draw();
}

void TLevelCompleteScreen::DrawTally(float top) {
    if (!LabelFont || !StatFont) return;
    const DrawStateGuard restore;
    for (int i = 0; i < TALLY_ROWS; ++i) {
        if (Spacer(i)) continue;
        const float y = top + StartY + static_cast<float>(i * gap);
        SetColor(LABEL_R, LABEL_G, LABEL_B);
        LabelFont->DrawAligned(GetStringForIDX(i), static_cast<float>(col1 + StatOffsetX), y, 2, 0,
                               1);
        SetColor(VALUE_R, VALUE_G, VALUE_B);
        StatFont->DrawAligned(ShownStatsStringForIDX(i), static_cast<float>(col2 + StatOffsetX),
                              y + 1, 0, 0, 1);
    }
}

void TLevelCompleteScreen::DrawHeader(float top) {
    if (!DialogHeaderFont) return;
    const DrawStateGuard restore;
    const std::string text = HeaderText();
    const float scale =
        HEADER_SCALE * static_cast<float>(DialogHeaderFont->CalcReducedScale(text, HEADER_WIDTH));
    SetScale(scale, scale);
    DialogHeaderFont->DrawAligned(text, ScreenWidth / 2.0f, top + HEADER_Y, 3, 0, 1);
}

// ---------------------------------------------------------------- sparkles

void TLevelCompleteScreen::MakeSnowFlakes() {
    TParticleList& layer = ParticleLayer(SPARKLE_LAYER);
    const int count =
        static_cast<int>(static_cast<float>(Game->Particles) / 100.0f * SPARKLES_AT_FULL_DETAIL);
    for (int n = 0; n < count; ++n) {
        const int x = Rand(1, ScreenWidth);
        const int y = Rand(1, ScreenHeight);
        const float dx = static_cast<float>(Rnd(-0.2, 0.2));
        const float dy = static_cast<float>(Rnd(0.2, 0.5));
        const int direction = Rand(0, 1) == 0 ? -1 : 1;
        const float spin = static_cast<float>(Rnd(0.5, 1.0));
        const bool full = Rand(0, 1) == 0;
        const float scale = static_cast<float>(full ? Rnd(0.5, 0.9) : Rnd(0.3, 0.6));
        // Sinking slowly, turning, lit, never fading nor dying of age.
        TParticlePtr flake =
            layer.AddNew(x, y, ImageBank.Find(full ? "ClauSparkleFull" : "Sparkle"), dx, dy, 0, 0,
                         1, direction, spin, scale, 0, 0, 0);
        // Its own alpha is kept aside; what shows of it follows the roll.
        flake->FloatData1 = static_cast<float>(Rnd(0.5, 0.8));
        flake->Alpha = flake->FloatData1 * SparkleFade();
        flake->UseAlpha = 1;
        const TColorPtr& tint = TGameScreen::ColorArray[static_cast<size_t>(Rand(0, 6))];
        if (tint) flake->SetTint(tint->R, tint->G, tint->B);
        flake->NoOutOfBounds = 1;
        flake->MiscSineCounter = TSineCounter::Create(0, 360, SWAY_SPEED, 0);
        flake->MiscSineCounter->SetCounter(static_cast<float>(Rand(0, 360)));
        flake->cx = static_cast<float>(x);
    }
}

float TLevelCompleteScreen::SparkleFade() {
    // They come with the rising tally and go with it.
    if (Active != TALLY) return 0;
    return Unroll && Unroll->Active ? 1 - Unroll->GetRatioSine() : 1.0f;
}

void TLevelCompleteScreen::MoveSnowFlakes() {
    const float fade = SparkleFade();
    ParticleLayer(SPARKLE_LAYER).ForEach([fade](TParticle& flake) {
        MoveSnowFlake(flake);
        flake.Alpha = flake.FloatData1 * fade;
    });
}

void TLevelCompleteScreen::MoveSnowFlake(TParticle& flake) {
    flake.Move();
    if (flake.MiscSineCounter) flake.MiscSineCounter->Manage();
    const float sway = flake.MiscSineCounter ? flake.MiscSineCounter->ratio : 0;
    flake.cx += flake.dx * Delta;
    flake.x = flake.cx + SWAY * flake.dy * sway;
    const float ws = flake.ScaleX * flake.w2, hs = flake.ScaleY * flake.h2;
    const float width = static_cast<float>(ScreenWidth), height = static_cast<float>(ScreenHeight);
    // Out at one edge, in at the opposite one: the sparkles never run out.
    if (flake.y >= height + hs) flake.y = -hs;
    if (flake.x <= -ws) {
        flake.x += width + flake.ScaleX * static_cast<float>(flake.w);
    } else if (flake.x >= width + ws) {
        flake.x -= width + flake.ScaleX * static_cast<float>(flake.w);
    }
    if (flake.cx <= -ws) {
        flake.cx = width + ws;
    } else if (flake.cx >= width + ws) {
        flake.cx = -ws;
    }
}
