#include "media/Effects.h"

#include "board/Powerups.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "play/Tutorial.h"

void EffectGemBurst(float, float, int) {}
void EffectSparks(float, float, int) {}

void EffectMagicRelease(float, float) {
    GameScreen->TriggerMagic = 1;
    Player->MagicFreed += 1;
    if (GameScreen->OutroRunning()) return;
    // Seam: the sparkles that carry the charge to each bought powerup's slot
    // come with the particles; the charge itself arrives without them, one
    // second later, as it will with them.
    Tutorial->ShowMagicTip();
    for (const THUDPowerupPtr& powerup : HUDPowerups) {
        if (!powerup->IsAvailable()) continue;
        GameScreen->GaugeFillDelay->AddNew(1000);
        break;
    }
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
void EffectGreenRing(float, float) {}
void EffectPinkRing(float, float) {}
void EffectLightning(float, float) {}
