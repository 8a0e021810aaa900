// What the effect files share: the pictures the effects name, and the small
// random helpers of the effect table.
#pragma once

#include "board/Gem.h"
#include "media/Color.h"
#include "media/GameImage.h"

struct TEffectImages {
    TGameImagePtr RingOrange, RingWhite, RingPink, RingGreen;
    TGameImagePtr Sparkle;  // "ClauSparkle"
    TGameImagePtr Skull;
    TGameImagePtr BeamThin, BeamThick;
    TGameImagePtr Lightning;
    TGameImagePtr Highlight;  // "MagicHighlight", when there is no board
};
extern TEffectImages EffectImages;

// The coin strip's last frame faces front: the flying coins show it.
constexpr int kFaceOnCoinFrame = COIN_SPIN_FRAMES - 1;

// 1 or -1, half each: the spin's direction.
int RandomSpin();
// Rnd(min, max) as a float.
float Random(double min, double max);
// The level play screen's gem colour 0..6 (null before the colours are made).
TColorPtr GemColour(int index);
// The board's magic highlight.
TGameImagePtr Highlight();
