#include "play/Instructions.h"

#include <algorithm>

#include "board/Cell.h"
#include "engine/Graphics.h"
#include "engine/Strings.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/MousePointer.h"
#include "frame/Timing.h"
#include "media/Effects.h"
#include "media/Fonts.h"
#include "media/GameImage.h"
#include "media/GameText.h"
#include "media/Particles.h"
#include "media/TextShadow.h"
#include "play/GameScreen.h"
#include "progress/MapScreen.h"
#include "ui/Menu.h"

std::shared_ptr<TInstructionsScreen> InstructionsScreen = MakeScreen<TInstructionsScreen>();

namespace {

constexpr float kStillMs = 1000, kSwapMs = 1000, kMatchMs = 300, kSettleMs = 700, kShowMs = 1000;
constexpr int kHeaderY = 42;
constexpr float kHeaderScale = 0.8f;
constexpr int kTextX = 100, kTextY = 150, kTextLineGap = 27, kTextGrey = 220;
constexpr size_t kMostLines = 3;
constexpr int kWiderPage = 60;
constexpr float kSmallTextScale = 0.85f;
constexpr float kRingFrom = 0.2f, kRingFadeMs = 100;
constexpr int kNone = -1;

// How a panel's tiles are armoured: none, all six, or only the top row.
constexpr int kPlainTiles = 0, kAllIce = 1, kTopRowIce = 2;

struct Piece {
    const char* image;
    int col, row;
};

// One demonstration: the gems (as frames of "gems", kNone for none) before
// and after the match, the column whose two gems swap, and the pieces over
// the gems until the match.
struct Demo {
    int tilesBefore, tilesAfter;
    std::array<int, 3> row0, row1;
    int movingColumn;
    std::vector<Piece> pieces;
    std::array<int, 3> after0, after1;
};

const std::array<Demo, TInstructionsScreen::PANELS>& Demos() {
    static const std::array<Demo, TInstructionsScreen::PANELS> demos = {{
        {kPlainTiles, kPlainTiles, {2, 7, 4}, {7, 1, 7}, 1, {}, {2, 1, 4}, {kNone, kNone, kNone}},
        {kAllIce, kTopRowIce, {1, 7, 4}, {4, 4, 3}, 2, {}, {1, 7, 3}, {kNone, kNone, kNone}},
        {kPlainTiles,
         kPlainTiles,
         {2, 9, 3},
         {9, 4, 9},
         1,
         {{"Rock1Var1", 0, 0}, {"Rock1Var2", 2, 0}},
         {2, 4, 3},
         {kNone, kNone, kNone}},
        {kPlainTiles,
         kPlainTiles,
         {2, 6, 3},
         {6, 4, 6},
         1,
         {{"Lock1", 0, 1}, {"Lock1", 2, 1}},
         {2, 4, 3},
         {6, kNone, 6}},
    }};
    return demos;
}

std::string GameTextOf(const std::string& key) {
    return GameText ? GameText->FindString(key) : std::string();
}

// Draws a bank picture with its middle at (x, y), whatever handle it keeps.
void DrawCentred(const TGameImagePtr& picture, float x, float y, int frame = 0) {
    if (!picture || !picture->image) return;
    TImage& image = *picture->image;
    DrawImage(image, x - static_cast<float>(image.Width()) / 2 + image.HandleX(),
              y - static_cast<float>(image.Height()) / 2 + image.HandleY(), frame);
}

TGameImagePtr Picture(const std::string& name) {
    return ImageBank.Contains(Upper(name)) ? ImageBank.Find(name) : nullptr;
}

}  // namespace

TInstructionsScreen::TInstructionsScreen() {
    name = "instructions";
}

void OpenInstructions(const TScreenPtr& returnTo) {
    if (!returnTo || Game->Fading()) return;
    InstructionsScreen->Destination = returnTo;
    Game->DestinationTScreen = InstructionsScreen;
    Game->GameFade->Init(DefaultFadeLength, 1, nullptr, 1, 0, nullptr);
}

// ---------------------------------------------------------------- entering and leaving

void TInstructionsScreen::Load() {
    name = "instructions";
    ImageLoad("Backgrounds/InstructionsBackground.jpg", 0, 1);
    cameFromMap_ = Game->LastTScreen && Game->LastTScreen == MapScreen;
    // The music of the screen that sent the player here plays on.
    if (!cameFromMap_) Game->FadeMusic = 0;
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
    AddOKButton(*Menu);
    Menu->Precache();
    Anim1 = TAnimation::Create(kStillMs, 0, 0, 1, 0);
    for (float ms : {kSwapMs, kMatchMs, kSettleMs, kShowMs})
        Anim1->AddPhase(ms);
    InstructionsFont = GUIFont;
    TCell::Load();
    for (int n = 1; n <= PANELS; ++n) {
        const std::vector<std::string> lines =
            SplitLines(GameTextOf("Instructions " + std::to_string(n)));
        std::vector<std::string>& block = blocks_[n - 1];
        block = WordWrapLines(lines, PageWidth, InstructionsFont, 1.0);
        // A long block takes more of its column's width rather than run
        // below the frame.
        blockScale_[n - 1] = 1.0f;
        if (block.size() > kMostLines)
            block = WordWrapLines(lines, PageWidth + kWiderPage, InstructionsFont, 1.0);
        // And a still longer one a smaller size.
        if (block.size() > kMostLines + 1) {
            blockScale_[n - 1] = kSmallTextScale;
            block = WordWrapLines(lines, (PageWidth + kWiderPage) / kSmallTextScale,
                                  InstructionsFont, 1.0);
        }
    }
    TGameScreen::ClearParticles();
}

void TInstructionsScreen::Start() {
    TScreen::Start();
    Anim1->Start();
    lastPhase_ = Anim1->CurrentPhase;
    closing_ = 0;
    MatchesShown = 0;
    ParticleLayer(2).Clear();
    ParticleLayer(5).Clear();
    glow1 = TSineCounter::Create(0, 180, 1.0f, 0);
    Game->GameFade->Init(DefaultFadeLength, 0, nullptr, 0, 0, nullptr);
    Game->FixedRateLogic->Init();
}

void TInstructionsScreen::Kill() {
    TScreen::Kill();
    Anim1.reset();
    Text.clear();
    TotalLines = 0;
    for (auto& block : blocks_)
        block.clear();
    TGameScreen::ClearParticles();
}

int TInstructionsScreen::SetEscDestination() {
    Game->DestinationTScreen = Destination ? Destination : Game->LastTScreen;
    return 0;
}

void TInstructionsScreen::Close() {
    if (closing_) return;
    closing_ = 1;
    Game->DestinationTScreen = Destination ? Destination : Game->LastTScreen;
    Game->GameFade->Init(DefaultFadeLength, 1, cameFromMap_ ? Game->MusicChannel : nullptr, 1, 0,
                         nullptr);
}

// ---------------------------------------------------------------- one step

void TInstructionsScreen::Logic() {
    TScreen::Logic();
    ParticleLayer(2).Manage();
    ParticleLayer(3).Move();
    glow1->Manage();
    if (Anim1) {
        Anim1->Manage();
        if (Anim1->CurrentPhase != lastPhase_) {
            lastPhase_ = Anim1->CurrentPhase;
            if (lastPhase_ == PHASE_MATCH) StartMatchEffects();
        }
    }
    if (closing_) return;
    if (Game->Mouse->GetMh(1)) {
        if (TButtonPtr ok = Menu->FindButton("OK")) ok->SimulateClick();
        Close();
        return;
    }
    if (Menu->Clicked("OK")) Close();
}

void TInstructionsScreen::StartMatchEffects() {
    ++MatchesShown;
    auto centreX = [&](int x) { return static_cast<float>(x + ox + HALF_CELL); };
    auto centreY = [&](int y) { return static_cast<float>(y + oy + HALF_CELL); };
    for (int i = 0; i < 3; ++i)
        EffectFirstLayerBreak(centreX(col2x + CELL_SIZE * i), centreY(row1y + CELL_SIZE));
    for (int i : {0, 2})
        EffectRockBreak(centreX(col1x + CELL_SIZE * i), centreY(row2y));
    for (int i : {0, 2})
        EffectUnlock(centreX(col2x + CELL_SIZE * i), centreY(row2y + CELL_SIZE));
}

// ---------------------------------------------------------------- drawing

float TInstructionsScreen::PanelX(int n) const {
    return static_cast<float>((n % 2 == 1 ? col1x : col2x) + ox);
}
float TInstructionsScreen::PanelY(int n) const {
    return static_cast<float>((n <= 2 ? row1y : row2y) + oy);
}

void TInstructionsScreen::Draw() {
    SetBlend(SOLIDBLEND);
    if (Image) DrawImage(*Image, 0, 0, 0);
    SetBlend(ALPHABLEND);
    if (DialogHeaderFont) {
        const DrawStateGuard restore;
        SetColor(255, 255, 255);
        SetScale(kHeaderScale, kHeaderScale);
        DialogHeaderFont->DrawAligned(GameTextOf("Instructions Header"), ScreenWidth / 2.0f,
                                      static_cast<float>(kHeaderY), 3, 1, 1);
    }
    if (Menu) Menu->Draw(0, 0);
    DrawAnims();
    ParticleLayer(2).Draw();
    ParticleLayer(3).Draw();
}

void TInstructionsScreen::OutputText(int n, float x, float y) {
    if (!InstructionsFont || n < 1 || n > PANELS) return;
    const DrawStateGuard restore;
    SetColor(kTextGrey, kTextGrey, kTextGrey);
    const std::vector<std::string>& lines = blocks_[n - 1];
    const float scale = blockScale_[n - 1];
    SetScale(scale, scale);
    for (size_t i = 0; i < lines.size(); ++i) {
        InstructionsFont->DrawAligned(lines[i], x, y + static_cast<float>(kTextLineGap * i) * scale,
                                      1, 1, 1);
    }
}

void TInstructionsScreen::DrawAnims() {
    for (int n = 1; n <= PANELS; ++n)
        OutputText(n, PanelX(n) + kTextX, PanelY(n) + kTextY);
    SetColor(255, 255, 255);
    for (int n = 1; n <= PANELS; ++n)
        DrawPanel(n);
}

void TInstructionsScreen::DrawPanel(int n) {
    if (!Anim1) return;
    const Demo& demo = Demos()[n - 1];
    const float px = PanelX(n), py = PanelY(n);
    const int phase = Anim1->CurrentPhase;
    const bool before = phase < PHASE_MATCH;
    // Progress through the phase, 0 to 1 (the timeline counts down).
    const float progress = std::clamp(1 - Anim1->GetRatio(), 0.0f, 1.0f);
    DrawCells(px, py, before ? demo.tilesBefore : demo.tilesAfter);
    const TGameImagePtr gems = Picture("gems");
    auto cellX = [&](int col) { return px + static_cast<float>(HALF_CELL + CELL_SIZE * col); };
    auto cellY = [&](int row) { return py + static_cast<float>(HALF_CELL + CELL_SIZE * row); };
    const DrawStateGuard restore;
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    for (int col = 0; col < 3; ++col) {
        const int top = before ? demo.row0[col] : demo.after0[col];
        const int bottom = before ? demo.row1[col] : demo.after1[col];
        float shift = 0;
        if (phase == PHASE_SWAP && col == demo.movingColumn)
            shift = progress * static_cast<float>(CELL_SIZE);
        if (top != kNone) DrawCentred(gems, cellX(col), cellY(0) + shift, top);
        if (bottom != kNone) DrawCentred(gems, cellX(col), cellY(1) - shift, bottom);
    }
    if (before) {
        for (const Piece& piece : demo.pieces)
            DrawCentred(Picture(piece.image), cellX(piece.col), cellY(piece.row));
    }
    if (phase == PHASE_STILL) {
        const TGameImagePtr cursor = Picture("cursor");
        const float x = cellX(demo.movingColumn), y = cellY(0);
        DrawCentred(cursor, x, y);
        const DrawStateGuard restoreLight;
        SetBlend(LIGHTBLEND);
        SetAlpha(0.2f + 0.8f * (1 - glow1->ratio));
        DrawCentred(cursor, x, y);
    }
    if (phase == PHASE_MATCH) {
        for (int col = 0; col < 3; ++col)
            DrawRing(px + static_cast<float>(CELL_SIZE * col), py + static_cast<float>(CELL_SIZE));
    }
}

void TInstructionsScreen::DrawCells(float x, float y, int kind) {
    TCell cell;
    cell.active = 1;
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 3; ++col) {
            cell.armour1 = kind == kAllIce || (kind == kTopRowIce && row == 0);
            cell.sx = x + static_cast<float>(CELL_SIZE * col);
            cell.sy = y + static_cast<float>(CELL_SIZE * row);
            cell.Draw(0);
        }
    }
}

void TInstructionsScreen::DrawRing(float x, float y) {
    if (!Anim1 || Anim1->CurrentPhase != PHASE_MATCH) return;
    const TGameImagePtr ring = Picture("particlering");
    if (!ring) return;
    const float length = Anim1->Length[PHASE_MATCH];
    const float left = Anim1->Counter;
    const float scale = std::min(1.0f, kRingFrom + (length > 0 ? 1 - left / length : 1));
    const float fade = Game->CalcAnimLength(kRingFadeMs);
    const DrawStateGuard restore;
    SetScale(scale, scale);
    SetAlpha(std::min(1.0f, fade > 0 ? left / fade : 1.0f));
    DrawCentred(ring, x + HALF_CELL, y + HALF_CELL);
}
