// The board's particle effects. Seam: particles come with the effects
// module; until then these make no particles (the magic release keeps its
// effect on the game's counters).
#pragma once

void EffectGemBurst(float x, float y, int n);
void EffectSparks(float x, float y, int n);
void EffectMagicRelease(float x, float y);
void EffectScorePicture(float x, float y, int points);
void EffectGoalDone(float x, float y);
void EffectGaugeSparkle(float x, float y);
// The six particle layers (1 to 6): moved, managed, drawn and emptied by the
// level play screen.
void ManageParticleLayer(int layer);
void MoveParticleLayer(int layer);
void DrawParticleLayer(int layer);
void ClearParticleLayers();
