#include "media/Effects.h"

#include "play/GameScreen.h"
#include "play/Player.h"

void EffectGemBurst(float, float, int) {}
void EffectSparks(float, float, int) {}

void EffectMagicRelease(float, float) {
    GameScreen->TriggerMagic = 1;
    Player->MagicFreed += 1;
}

TScorePicture LastScorePicture;

void EffectScorePicture(float x, float y, int points) {
    LastScorePicture = {x, y, points};
}
void EffectGoalDone(float, float) {}
void EffectGaugeSparkle(float, float) {}
void ManageParticleLayer(int) {}
void MoveParticleLayer(int) {}
void DrawParticleLayer(int) {}
void ClearParticleLayers() {}
void ClearParticleLayer(int) {}
void EffectArmourBreak(float, float, int) {}
void EffectRockCrack(float, float, int) {}
void EffectRockBreak(float, float) {}
void EffectUnlock(float, float) {}
void EffectSkullCollect(float, float) {}
void EffectCoinCollect(float, float, int) {}
void EffectBombBlast(int, float, float, int) {}
void EffectPinkRing(float, float) {}
