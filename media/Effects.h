// The board's particle effects. Seam: particles come with the effects
// module; until then these make no particles (the magic release keeps its
// effect on the game's counters).
#pragma once

void EffectGemBurst(float x, float y, int n);
void EffectSparks(float x, float y, int n);
void EffectMagicRelease(float x, float y);
void EffectScorePicture(float x, float y, int points);
// Seam: until score pictures are particles, the last one asked for (where it
// starts and the points it shows) is kept, so the board's scoring can be seen.
struct TScorePicture {
    float x = 0, y = 0;
    int points = 0;
};
extern TScorePicture LastScorePicture;
void EffectGoalDone(float x, float y);
void EffectGaugeSparkle(float x, float y);
// The six particle layers (1 to 6): moved, managed, drawn and emptied by the
// level play screen.
void ManageParticleLayer(int layer);
void MoveParticleLayer(int layer);
void DrawParticleLayer(int layer);
void ClearParticleLayers();
// Seam: one layer emptied (the shop's purchase sparkles); the particles fill it in.
void ClearParticleLayer(int layer);
// The board's special tiles (positions are cell centres on the screen).
void EffectArmourBreak(float x, float y, int layer);
void EffectRockCrack(float x, float y, int pieces);
void EffectRockBreak(float x, float y);
void EffectUnlock(float x, float y);
void EffectSkullCollect(float x, float y);
void EffectCoinCollect(float x, float y, int coins);
// A fired bomb: its blast picture by the bomb's type (15 to 29) and power.
void EffectBombBlast(int type, float x, float y, int power);
// The powerups and the shop: the ring of a slot that has just filled, the
// crystal's ring on each gem it enchants (and the sparkle of a purchase), and
// a lightning bolt from the top of the screen down to a struck cell's centre.
void EffectGreenRing(float x, float y);
void EffectPinkRing(float x, float y);
void EffectLightning(float x, float y);
