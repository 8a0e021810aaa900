// Drawing the board: border shadow, border pieces, tiles, the mouse-over
// mark, the gems, the held powerup's area (PowerupSlots.cpp), the tutorial's
// glow and the selection cursor.
#include <algorithm>

#include "board/Grid.h"
#include "engine/Graphics.h"
#include "frame/Game.h"
#include "frame/Navigation.h"
#include "play/Tutorial.h"

namespace {

constexpr float MARK_ALPHA = 0.4f;
constexpr float MARK_SIZE = CELL_SIZE - 2;

void DrawPiece(const TBorder& piece, float offsetX, float offsetY) {
    if (piece.index < 0 || piece.index >= TCell::BORDER_IMAGE_COUNT) return;
    const TGameImagePtr& image = BorderImages[piece.index];
    if (image && image->image) DrawImage(image->image, piece.x + offsetX, piece.y + offsetY);
}

// The file's extra pieces first, so the computed frame lies over them.
void DrawAllPieces(float offsetX, float offsetY) {
    for (int i = 0; i < std::min(ExtraBorderCount, MAX_EXTRA_BORDERS); ++i) {
        if (ExtraBorders[i]) DrawPiece(*ExtraBorders[i], offsetX, offsetY);
    }
    for (int i = 0; i < std::min(BorderCount, MAX_BORDERS); ++i) {
        if (Borders[i]) DrawPiece(*Borders[i], offsetX, offsetY);
    }
}

// The picture, then the same again added on top at the given brightness.
void DrawWithGlow(TImage& image, float x, float y, float brightness) {
    DrawImage(image, x, y);
    const DrawStateGuard restore;
    SetBlend(LIGHTBLEND);
    const int level = static_cast<int>(std::clamp(brightness, 0.0f, 1.0f) * 255);
    SetColor(level, level, level);
    DrawImage(image, x, y);
}

}  // namespace

void TGameGrid::DrawBorderShadow() {
    if (Game->Particles < SHADOW_DETAIL) return;
    const DrawStateGuard restore;
    SetAlpha(SHADOW_ALPHA * alpha);
    SetColor(0, 0, 0);
    DrawAllPieces(SHADOW_OFFSET, SHADOW_OFFSET + topY);
}

void TGameGrid::DrawBorder() {
    DrawAllPieces(0, topY);
}

void TGameGrid::Draw() {
    DrawFrame();
    DrawContents();
}

void TGameGrid::DrawFrame() {
    // The pictures have soft edges and the play screen fades the board.
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetAlpha(alpha);
    DrawBorderShadow();
    DrawBorder();
}

bool TGameGrid::FrameAtRest() const {
    return topY == 0 && alpha == 1;
}

uint64_t TGameGrid::FrameKey() const {
    // FNV-1a over what the frame's draws read.
    uint64_t key = 14695981039346656037ull;
    const auto mix = [&key](int64_t value) {
        for (int byte = 0; byte < 8; ++byte) {
            key ^= static_cast<uint64_t>(value >> (byte * 8)) & 0xFF;
            key *= 1099511628211ull;
        }
    };
    const auto mixPiece = [&mix](const std::shared_ptr<TBorder>& piece) {
        if (!piece) return mix(-1);
        mix(piece->index);
        mix(static_cast<int64_t>(piece->x * 64));
        mix(static_cast<int64_t>(piece->y * 64));
    };
    mix(Game->Particles >= SHADOW_DETAIL);
    mix(ExtraBorderCount);
    for (int i = 0; i < std::min(ExtraBorderCount, MAX_EXTRA_BORDERS); ++i)
        mixPiece(ExtraBorders[i]);
    mix(BorderCount);
    for (int i = 0; i < std::min(BorderCount, MAX_BORDERS); ++i)
        mixPiece(Borders[i]);
    return key;
}

void TGameGrid::DrawContents() {
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetAlpha(alpha);
    for (const auto& column : Cells) {
        for (const TCellPtr& cell : column) {
            if (cell) cell->Draw(topY);
        }
    }

    TCell* hovered = CellAt(mx, my);
    const bool gemLocked = hovered && hovered->Gem && hovered->Gem->locked;
    // The level-complete screen does not exist yet; once it does, it hides
    // the mark too.
    if (hovered && hovered->active && !gemLocked && !GameOverCountdown() &&
        !IntroOrOutroRunning() && HUDPowerupBlockInput == 0) {
        const DrawStateGuard restoreAlpha;
        SetAlpha(MARK_ALPHA);
        DrawRect(hovered->sx + 1, hovered->sy + 1 + topY, MARK_SIZE, MARK_SIZE);
    }

    if (GemList) GemList->Draw();

    DrawPowerupArea();
    // The tutorial's glow round the two cells of the swap it teaches.
    if (Tutorial && Tutorial->TipGlowSprite) Tutorial->TipGlowSprite->Draw();

    TCell* selected = CellAt(cx, cy);
    if (Mode == 1 && selected && CursorImage && CursorImage->image) {
        DrawWithGlow(*CursorImage->image, selected->sx, selected->sy + topY,
                     (1 - glow1->ratio) * 0.8f + 0.2f);
    }
    DrawKeyCursor();
    SetAlpha(1);
}

// The keyboard's cursor: the selection frame with a light that breathes in
// and out, and the held powerup's picture at its corner.
void TGameGrid::DrawKeyCursor() {
    TCell* cell = CellAt(KeyX, KeyY);
    if (!KeyCursorShown() || !cell || GameOverCountdown() || IntroOrOutroRunning()) return;
    const float x = cell->sx, y = cell->sy + topY;
    const DrawStateGuard restore;
    SetBlend(ALPHABLEND);
    if (CursorImage && CursorImage->image) {
        DrawWithGlow(*CursorImage->image, x, y, 0.25f + 0.6f * glow2->ratio);
    } else {
        SetColor(255, 214, 120);
        SetAlpha(0.8f);
        DrawRect(x, y, CELL_SIZE, 3);
        DrawRect(x, y + CELL_SIZE - 3, CELL_SIZE, 3);
        DrawRect(x, y, 3, CELL_SIZE);
        DrawRect(x + CELL_SIZE - 3, y, 3, CELL_SIZE);
    }
    if (PointerGemType && PointerGemType->CursorImage && PointerGemType->CursorImage->image) {
        SetBlend(ALPHABLEND);
        SetColor(255, 255, 255);
        SetAlpha(0.9f);
        DrawImage(*PointerGemType->CursorImage->image, x + HALF_CELL, y - HALF_CELL / 2);
    }
}
