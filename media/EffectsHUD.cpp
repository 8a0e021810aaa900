// The effects that carry something somewhere (coins to the gold counter,
// magic to the powerup slots, points up from a match) and the rings and
// sparkles of goals, charged powerups, the full gauge and the pointer.
#include <cmath>

#include "board/Powerups.h"
#include "engine/Random.h"
#include "engine/Strings.h"
#include "frame/Game.h"
#include "frame/Loading.h"
#include "frame/MousePointer.h"
#include "media/Effects.h"
#include "media/EffectsShared.h"
#include "media/Point.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "play/Tutorial.h"

namespace {

constexpr int kGoldDustImage = 3, kCoinImage = 100, kBagImage = 101;
// The HUD's gold counter, where collected coins fly.
constexpr float kGoldCounterX = 90, kGoldCounterY = 30;
constexpr float kCoinStepMs = 100, kCoinFlightMs = 300, kCoinFadeMs = 250;
constexpr float kChargeMs = 1000;

bool OutroRuns() {
    return GameScreen && GameScreen->OutroRunning();
}

float WholeSteps(float ms) {
    return std::trunc(Game ? Game->CalcAnimLength(ms) : ms / 5.0f);
}

void HighlightAt(int layer, float x, float y, float fadeMs, float scale) {
    ParticleLayer(layer).AddNew(TruncToInt(x), TruncToInt(y), Highlight(), 0, 0, 0, fadeMs, 1, 1, 1,
                                scale, 0, 0, 0);
}

// ---- the steps of a collected coin's flight ----

void BagOpens(TParticle& bag) {
    HighlightAt(2, bag.x, bag.y, 800, 1);
}

void CoinLeaves(TParticle&) {
    if (GameScreen) GameScreen->TriggerGoldCoin = 1;
}

void CoinArrives(TParticle& coin) {
    HighlightAt(3, coin.x, coin.y, 500, 1);
    EffectGemBurst(coin.x, coin.y, 10);
}

// A ring that grows and fades, and a burst of sparkles around it, tinted
// with the given gem colour or, for -1, a random one each.
void RingOfSparkles(const TGameImagePtr& ringImage, float x, float y, int tint) {
    TParticleList& layer = ParticleLayer(3);
    const int px = TruncToInt(x), py = TruncToInt(y);
    TParticlePtr ring = layer.AddNew(px, py, ringImage, 0, 0, 0, 0, 1, 0, 0, 0.1f, 0.03f, 0, 0);
    ring->SetFade(50, 200, 200, 1.0f);
    for (int i = CountedParticles(100); i > 0; --i) {
        const int angle = RandInt(0, 360);
        const double speed = 2 * Rnd(0.7, 1.1);
        const float dx = static_cast<float>(speed * Sin(angle));
        const float dy = static_cast<float>(speed * Cos(angle));
        const float spin = Random(0.5, 3), scale = Random(1, 1.5);
        TParticlePtr sparkle =
            layer.AddNew(px, py, EffectImages.Sparkle, dx, dy, 0, 500, 1, 1, spin, scale, 0, 0, 0);
        sparkle->Color = GemColour(tint < 0 ? RandInt(0, 6) : tint);
    }
}

}  // namespace

// ---------------------------------------------------------------- coins

void EffectCoinCollect(float x, float y, int n) {
    const int px = TruncToInt(x), py = TruncToInt(y);
    if (n <= 1) {
        HighlightAt(2, x, y, 800, 1);
    } else {
        TParticlePtr bag = ParticleLayer(3).AddNew(px, py, ParticleImages[kBagImage], 0, 0, 0, 0, 0,
                                                   0, 0, 1, 0, 0, 0);
        TParticlePhase& paying = bag->AddPhase((n - 1) * kCoinStepMs);
        paying.UserFunction = BagOpens;
        TParticlePhase& fading = bag->AddPhase(300);
        fading.FadeMS = 300;
        bag->StartPhases();
    }
    if (OutroRuns()) return;
    const float steps = WholeSteps(kCoinFlightMs);
    for (int i = 0; i < n; ++i) {
        TParticlePtr coin = ParticleLayer(4).AddNew(px, py, ParticleImages[kCoinImage], 0, 0, 0, 0,
                                                    0, 0, 0, 1, 0, 0, 0);
        coin->ImageFrame = kFaceOnCoinFrame;
        TParticlePhase& waiting = coin->AddPhase(i * kCoinStepMs);
        waiting.Alpha = 0;
        waiting.UserFunction = CoinLeaves;
        TParticlePhase& flying = coin->AddPhase(kCoinFlightMs);
        flying.Alpha = 1;
        flying.dx = (kGoldCounterX - px) / steps;
        flying.dy = (kGoldCounterY - py) / steps;
        flying.UserFunction = CoinArrives;
        TParticlePhase& fading = coin->AddPhase(kCoinFadeMs);
        fading.FadeMS = kCoinFadeMs;
        coin->StartPhases();
        if (GameScreen) GameScreen->GoldParticleDelay->AddNew(kCoinFlightMs);
        if (Player && Player->Level == Player->Unlocked) Player->levelGoldInTransit += 5;
    }
}

// ---------------------------------------------------------------- magic

void EffectMagicRelease(float x, float y) {
    if (GameScreen) GameScreen->TriggerMagic = 1;
    HighlightAt(2, x, y, 800, 1);
    if (Player) Player->MagicFreed += 1;
    if (OutroRuns()) return;
    const int sparkles = StrongBombThisStep() ? 5 : 10;
    int first = 1;
    for (const THUDPowerupPtr& powerup : HUDPowerups) {
        if (!powerup || !powerup->IsAvailable()) continue;
        const TPoint& slot = powerup->HUDLocation;
        EffectMagicSparkles(x, y, sparkles, static_cast<float>(slot.X), static_cast<float>(slot.Y),
                            first);
        first = 0;
    }
}

void EffectMagicSparkles(float x, float y, int m, float slotX, float slotY, int first) {
    const float steps = WholeSteps(kChargeMs);
    const float vx = (slotX - x) / steps, vy = (slotY + 30 - y) / steps;
    TParticleList& layer = ParticleLayer(3);
    for (int i = CountedParticles(m); i > 0; --i) {
        const int px = TruncToInt(x + Rnd(-18, 18)), py = TruncToInt(y + Rnd(-18, 18));
        const bool dust = RandInt(0, 3) == 0;
        TParticlePtr p =
            layer.AddNew(px, py, dust ? ParticleImages[kGoldDustImage] : EffectImages.Sparkle, 0, 0,
                         0, 0, 1, 0, 0, 1, 0, 0, 0);
        p->SetScaleXY(dust ? Random(3, 4) : Random(0.5, 1.2), 0);
        p->Color = GemColour(RandInt(0, 6));
        if (RandInt(0, 4) <= 3) {
            const int wait = RandInt(0, 400);
            TParticlePhase& appearing = p->AddPhase(static_cast<float>(wait));
            appearing.FadeInMS = static_cast<float>(wait);
        }
        TParticlePhase& flying = p->AddPhase(kChargeMs);
        flying.dx = vx;
        flying.dy = vy;
        if (!dust) {
            flying.DoRotate = 1;
            flying.RotationSpeed = Random(0.5, 2);
        }
        TParticlePhase& fading = p->AddPhase(500);
        fading.FadeMS = 500;
        if (!dust) {
            fading.DoRotate = 1;
            fading.RotationSpeed = Random(0.5, 2);
        }
        p->StartPhases();
    }
    if (Tutorial) Tutorial->ShowMagicTip();
    if (first && GameScreen) GameScreen->GaugeFillDelay->AddNew(kChargeMs);
}

// ---------------------------------------------------------------- scores, rings, sparkles

void EffectScorePicture(float x, float y, int points) {
    ParticleLayer(6).AddNew(TruncToInt(x), TruncToInt(y), ScoreImages[ScoreImageIndex(points)], 0,
                            -0.1f, 0, 800, 1, 0, 0, 1, 0, 0, 0);
}

void EffectPinkRing(float x, float y) {
    RingOfSparkles(EffectImages.RingPink, x, y, -1);
}

void EffectGreenRing(float x, float y) {
    RingOfSparkles(EffectImages.RingGreen, x, y, 3);
}

void EffectGaugeSparkle(float x, float y) {
    const float spin = Random(0.2, 0.8), scale = Random(0.2, 0.8);
    ParticleLayer(3).AddNew(TruncToInt(x), TruncToInt(y), EffectImages.Sparkle, 0, 0, 0, 1000, 1, 1,
                            spin, scale, 0, 0, 0);
}

void PointerSparkle() {
    if (!Game || !Game->Mouse) return;
    TMousePointer& mouse = *Game->Mouse;
    if (!mouse.ParticleList) return;
    mouse.SparkleCounter -= Delta;
    if (mouse.SparkleCounter > 0) return;
    mouse.SparkleCounter += static_cast<float>(mouse.SparkleLength);
    const int x = mouse.x + RandInt(1, mouse.w - 20) - 24;
    const int y = mouse.y + RandInt(1, mouse.h - 25) - 24;
    const float dx = Random(-0.05, 0.05);
    const int spin = RandInt(0, 1) == 1 ? 1 : -1;
    const float speed = Random(0.2, 0.5), scale = Random(0.3, 0.7);
    TParticlePtr sparkle = mouse.ParticleList->AddNew(x, y, SparkleImage, dx, 0, 0.0016f, 0, 1,
                                                      spin, speed, scale, 0, 0, 0);
    sparkle->SetFade(200, 300, 1000, 1.0f);
    const int red = RandInt(100, 255), green = RandInt(100, 255), blue = RandInt(100, 255);
    sparkle->SetTint(red, green, blue);
}
