// The board's particle effects. Seam: particles come with the effects
// module; until then these make no particles (the magic release keeps its
// effect on the game's counters).
#pragma once

void EffectGemBurst(float x, float y, int n);
void EffectSparks(float x, float y, int n);
void EffectMagicRelease(float x, float y);
void EffectScorePicture(float x, float y, int points);
