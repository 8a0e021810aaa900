// The effects' picture tables and counts, and the effects of gems, bombs,
// armour, rocks, locks and skulls.
#include "media/Effects.h"

#include <cmath>

#include "board/Grid.h"
#include "engine/Random.h"
#include "engine/Strings.h"
#include "frame/Game.h"
#include "media/EffectsShared.h"
#include "play/GameScreen.h"

std::array<TGameImagePtr, PARTICLE_IMAGES> ParticleImages;
std::array<TGameImagePtr, SCORE_IMAGES> ScoreImages;
TEffectImages EffectImages;

namespace {

constexpr int kBurstImage = 0, kSparkleImage = 1, kGoldSparkleImage = 2, kGarlicImage = 4,
              kRedBallImage = 6, kBulletImage = 7, kFireballImage = 8, kFireballAnimImage = 9,
              kBlueFireAnimImage = 10, kGoldTileImage = 12, kSilverTileImage = 13, kDustImage = 14,
              kBigStoneImage = 20, kCrackImage = 25, kPumpkinImage = 30, kCoinImage = 100;

// The HUD's gold counter, where the first layer's small coin flies.
constexpr float kTileCoinX = 87, kTileCoinY = 27;

}  // namespace

// ---------------------------------------------------------------- tables and counts

void LoadParticleImages() {
    const std::pair<int, const char*> named[] = {
        {0, "ClauSparkle"},
        {1, "Sparkle"},
        {2, "sparklegold"},
        {3, "GoldDust"},
        {4, "GarlicChunk3"},
        {5, "GarlicChunk4"},
        {6, "RedBall"},
        {7, "silverbulletparticle"},
        {8, "fireball"},
        {9, "fireballanim"},
        {10, "blurefireanim"},
        {11, "particlering"},
        {12, "GoldTileParticle"},
        {13, "SilverTileParticle"},
        {14, "dust1"},
        {15, "dust2"},
        {16, "dust3"},
        {20, "stonechunkbig1"},
        {21, "stonechunkbig2"},
        {22, "stonechunkbig3"},
        {23, "stonechunkbig4"},
        {24, "stonechunkmedium1"},
        {25, "stonechunkmedium2"},
        {26, "stonechunkmedium3"},
        {27, "stonechunksmall1"},
        {28, "stonechunksmall2"},
        {29, "stonechunksmall3"},
        {30, "pumpkinchunklarge1"},
        {31, "pumpkinchunklarge2"},
        {32, "pumpkinchunklarge3"},
        {33, "pumpkinchunkmedium1"},
        {34, "pumpkinchunkmedium2"},
        {35, "pumpkinchunkedge1"},
        {36, "pumpkinchunkedge2"},
        {37, "pumpkinchunksmall1"},
        {38, "pumpkinchunksmall2"},
        {100, "coin"},
        {101, "moneybag"},
    };
    for (const auto& [index, name] : named)
        ParticleImages[index] = ImageBank.Find(name);
    const char* scores[SCORE_IMAGES] = {"score10", "score20", "score30", "score40",  "score50",
                                        "score60", "score70", "score80", "score100", "score1",
                                        "score2",  "score3",  "score4",  "score5",   "score6",
                                        "score7",  "score8"};
    for (int i = 0; i < SCORE_IMAGES; ++i)
        ScoreImages[i] = ImageBank.Find(scores[i]);
    EffectImages.RingOrange = ImageBank.Find("ParticleRingOrange");
    EffectImages.RingWhite = ImageBank.Find("ParticleRingWhite");
    EffectImages.RingPink = ImageBank.Find("ParticleRingPink");
    EffectImages.RingGreen = ImageBank.Find("ParticleRingGreen");
    EffectImages.Sparkle = ImageBank.Find("ClauSparkle");
    EffectImages.Skull = ImageBank.Find("Gold Skull");
    EffectImages.BeamThin = ImageBank.Find("lightbeam thin");
    EffectImages.BeamThick = ImageBank.Find("lightbeam thick");
    EffectImages.Lightning = ImageBank.Find("Lightning");
    EffectImages.Highlight = ImageBank.Find("MagicHighlight");
}

int ScoreImageIndex(int points) {
    if (points >= 1 && points <= 8) return 8 + points;
    if (points == 100) return 8;
    if (points >= 10 && points <= 80) return points / 10 - 1;
    return 0;
}

int CountedParticles(int n) {
    const int detail = Game ? Game->Particles : 80;
    return n * detail / 100;
}

bool StrongBombThisStep() {
    return Grid && Grid->BonusUsedThisFrame && Grid->BonusPower == 2;
}

int RandomSpin() {
    return RandInt(0, 1) == 1 ? 1 : -1;
}

float Random(double min, double max) {
    return static_cast<float>(Rnd(min, max));
}

TColorPtr GemColour(int index) {
    return TGameScreen::ColorArray[std::clamp(index, 0, 6)];
}

TGameImagePtr Highlight() {
    return Grid && Grid->MagicHighlightImage ? Grid->MagicHighlightImage : EffectImages.Highlight;
}

// ---------------------------------------------------------------- gems

void EffectGemBurst(float x, float y, int n) {
    TParticleList& layer = ParticleLayer(3);
    for (int i = CountedParticles(n); i > 0; --i) {
        const int kind = RandInt(0, 3);
        const int image = kind <= 1 ? kBurstImage : kind == 2 ? kSparkleImage : kGoldSparkleImage;
        const float scale = kind <= 1   ? Random(0.5, 1.2)
                            : kind == 2 ? Random(0.3, 0.7)
                                        : Random(0.5, 0.7);
        const float dx = Random(-1, 1), dy = Random(-1, 0);
        const int spin = RandomSpin();
        TParticlePtr p = layer.AddNew(TruncToInt(x), TruncToInt(y), ParticleImages[image], dx, dy,
                                      0.02f, 1000, 1, spin, Random(0.5, 3), scale, 0, 0, 0);
        p->Color = GemColour(RandInt(1, 6));
    }
}

void EffectSparks(float x, float y, int n) {
    if (StrongBombThisStep()) n /= 2;
    TParticleList& layer = ParticleLayer(3);
    for (int i = CountedParticles(n); i > 0; --i) {
        const int angle = RandInt(0, 360), radius = RandInt(6, 12);
        const int px = TruncToInt(x + radius * Sin(angle));
        const int py = TruncToInt(y + radius * Cos(angle));
        const float dx = Random(-0.1, 0.1), dy = Random(-0.1, 0.1);
        layer.AddNew(px, py, ParticleImages[kRedBallImage], dx, dy, 0, 500, 1, 0, 0,
                     Random(1.8, 2.5), 0, 0, 0);
    }
}

// ---------------------------------------------------------------- bombs

namespace {

// A ring that fades in over 50 ms, holds 150 ms and fades out over 200 ms.
void Ring(const TGameImagePtr& image, float x, float y, float growth) {
    TParticlePtr ring = ParticleLayer(3).AddNew(TruncToInt(x), TruncToInt(y), image, 0, 0, 0, 0, 1,
                                                0, 0, 0.8f, growth, 0, 0);
    ring->SetFade(50, 150, 200, 1.0f);
}

// Pieces thrown up and out, falling back under gravity.
TParticlePtr Chunk(float x, float y, const TGameImagePtr& image, int lightBlend, float scale) {
    const float dx = Random(-1.8, 1.8), dy = Random(-2.5, 1);
    const int spin = RandomSpin();
    return ParticleLayer(3).AddNew(TruncToInt(x), TruncToInt(y), image, dx, dy, 0.02f, 1000,
                                   lightBlend, spin, Random(0.5, 3), scale, 0, 0, 0);
}

// Fireballs of the cross, diagonal and cross-diagonal bombs. With power 1
// they fly 230 ms (fading in over 50) and fade out standing over 100 ms; with
// power 2 they fly on until they leave the screen.
void Fireballs(int layer, int image, float x, float y, int power, const int (*directions)[2],
               int count, float turn, float firstAngle, bool animated, bool spinning) {
    const float speed = 3.0f * power;
    for (int i = 0; i < count; ++i) {
        const float dx = directions[i][0] * speed, dy = directions[i][1] * speed;
        TParticlePtr ball =
            ParticleLayer(layer).AddNew(TruncToInt(x), TruncToInt(y), ParticleImages[image], dx, dy,
                                        0, 0, 0, spinning ? 1 : 0, 2, 1, 0, 0, 0);
        ball->Rotation = firstAngle + turn * i;
        if (animated) {
            ball->SetupAnim(4, 200, 0, 0, 0, 0, 1);
            ball->AnimCounter = static_cast<float>(RandInt(1, ball->AnimLength - 1));
        }
        if (power != 1) continue;
        TParticlePhase& flying = ball->AddPhase(230);
        flying.dx = dx;
        flying.dy = dy;
        flying.FadeInMS = 50;
        if (spinning) {
            flying.DoRotate = 1;
            flying.RotationSpeed = 2;
        }
        TParticlePhase& fading = ball->AddPhase(100);
        fading.FadeMS = 100;
        ball->StartPhases();
    }
}

}  // namespace

void EffectBombRing(float x, float y) {
    const int power = Grid ? Grid->BonusPower : 1;
    Ring(EffectImages.RingOrange, x, y, 0.02f * power);
    for (int i = CountedParticles(30 * power); i > 0; --i)
        Chunk(x, y, ParticleImages[kPumpkinImage + RandInt(0, 8)], 1, 1);
}

void EffectMegaBombRing(float x, float y) {
    Ring(EffectImages.RingWhite, x, y, 0.06f);
    TParticleList& layer = ParticleLayer(3);
    for (int i = CountedParticles(50); i > 0; --i) {
        const int angle = RandInt(0, 360);
        const float dx = static_cast<float>(2 * Sin(angle)),
                    dy = static_cast<float>(2 * Cos(angle));
        TParticlePtr ball =
            layer.AddNew(TruncToInt(x), TruncToInt(y), ParticleImages[kRedBallImage], dx, dy, 0,
                         500, 0, 0, 0, Random(0.5, 6), 0, 0, 0);
        ball->Color = GemColour(3);
    }
    for (int i = CountedParticles(20); i > 0; --i) {
        const int piece = kGarlicImage + RandInt(0, 1);
        const float dx = Random(-1.8, 1.8), dy = Random(-2.5, 1);
        const int spin = RandomSpin();
        const float speed = Random(0.5, 3);
        layer.AddNew(TruncToInt(x), TruncToInt(y), ParticleImages[piece], dx, dy, 0.02f, 1000, 0,
                     spin, speed, Random(0.5, 1.5), 0, 0, 0);
    }
}

void EffectCrossFireballs(float x, float y, int power) {
    static const int directions[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    Fireballs(3, kFireballImage, x, y, power, directions, 4, 90, 0, false, true);
}

void EffectDiagonalFireballs(float x, float y, int power) {
    static const int directions[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    Fireballs(4, kFireballAnimImage, x, y, power, directions, 4, 90, 45, true, false);
}

void EffectCrossDiagonalFireballs(float x, float y, int power) {
    static const int directions[8][2] = {{-1, 0}, {-1, -1}, {0, -1}, {1, -1},
                                         {1, 0},  {1, 1},   {0, 1},  {-1, 1}};
    Fireballs(4, kBlueFireAnimImage, x, y, power, directions, 8, 45, 0, true, false);
}

float LightBeamWidthFactor(float x) {
    const float from = x + 16;
    const float half = static_cast<float>(ScreenWidth / 2);
    return from <= half ? (ScreenWidth - from) / half : from / half;
}

void EffectLightBeam(float x, float y, int kind) {
    const TGameImagePtr& image = kind == 1 ? EffectImages.BeamThin : EffectImages.BeamThick;
    TParticlePtr beam = ParticleLayer(3).AddNew(TruncToInt(x + 16), TruncToInt(y), image, 0, 0, 0,
                                                0, 0, 0, 0, 1, 0, 0, 0);
    TParticlePhase& widening = beam->AddPhase(250);
    widening.FadeInMS = 50;
    widening.DoScale2 = 1;
    widening.ScaleX = LightBeamWidthFactor(x);
    widening.ScaleY = 0.5f;
    widening.ScaleYSpeed = 0.03f;
    TParticlePhase& fading = beam->AddPhase(300);
    fading.FadeMS = 300;
    beam->StartPhases();
}

void EffectBullets(float x, float y) {
    TParticleList& layer = ParticleLayer(3);
    const TGameImagePtr& image = ParticleImages[kBulletImage];
    TParticlePtr down =
        layer.AddNew(TruncToInt(x), TruncToInt(y), image, 0, 8, 0, 0, 0, 0, 0, 1, 0, 0, 0);
    down->ScaleY = -1;
    layer.AddNew(TruncToInt(x), TruncToInt(y), image, 0, -8, 0, 0, 0, 0, 0, 1, 0, 0, 0);
}

void EffectLightning(int x, int y) {
    const TGameImagePtr& image = EffectImages.Lightning;
    TParticlePtr bolt =
        ParticleLayer(4).AddNew(x, TruncToInt(y / 2.0), image, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0);
    // From the top of the screen down to the struck cell.
    if (image && image->h > 30) bolt->ScaleY = static_cast<float>(y) / (image->h - 30);
    bolt->SetupAnim(3, 100, 0, 0, 0, 0, 1);
    bolt->RandomiseAnimPos();
    bolt->SetFade(0, 200, 200, 1.0f);
    bolt->NoOutOfBounds = 1;
}

// ---------------------------------------------------------------- armour, rocks, locks, skulls

namespace {

// The small coin of a first armour layer reaches the gold counter.
void TileCoinArrives(TParticle& coin) {
    ParticleLayer(3).AddNew(TruncToInt(coin.x), TruncToInt(coin.y), Highlight(), 0, 0, 0, 300, 1, 1,
                            1, 0.5f, 0, 0, 0);
    EffectGemBurst(coin.x, coin.y, 3);
}

}  // namespace

void EffectFirstLayerBreak(float x, float y) {
    TParticlePtr tile =
        ParticleLayer(2).AddNew(TruncToInt(x), TruncToInt(y), ParticleImages[kGoldTileImage], 0, 0,
                                0, 1500, 0, 1, 0, 1, -0.01f, 0, 0);
    TParticlePhase& swelling = tile->AddPhase(100);
    swelling.DoScale = 1;
    swelling.ScaleSpeed = 0.01f;
    swelling.FadeMS = 200;
    TParticlePhase& shrinking = tile->AddPhase(200);
    shrinking.DoScale = 1;
    shrinking.ScaleSpeed = -0.02f;
    shrinking.Alpha = 0.5f;
    shrinking.FadeMS = 200;
    tile->StartPhases();

    const float steps = std::trunc(Game ? Game->CalcAnimLength(500) : 100);
    TParticlePtr coin = ParticleLayer(4).AddNew(
        TruncToInt(x), TruncToInt(y), ParticleImages[kCoinImage], 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0);
    coin->ImageFrame = kFaceOnCoinFrame;
    coin->SetScaleXY(0.4f, 0.4f);
    TParticlePhase& flying = coin->AddPhase(500);
    flying.Alpha = 1;
    flying.dx = (kTileCoinX - TruncToInt(x)) / steps;
    flying.dy = (kTileCoinY - TruncToInt(y)) / steps;
    flying.UserFunction = TileCoinArrives;
    TParticlePhase& fading = coin->AddPhase(150);
    fading.FadeMS = 150;
    coin->StartPhases();
}

void EffectSecondLayerBreak(float x, float y) {
    const float d = RandInt(0, 1) == 0 ? Random(-1, -0.5) : Random(0.5, 1);
    ParticleLayer(2).AddNew(TruncToInt(x), TruncToInt(y), ParticleImages[kSilverTileImage], d, 0,
                            0.04f, 1500, 0, 1, d, 1, 0, 0, 0);
}

void EffectRockCrack(float x, float y, int n) {
    if (StrongBombThisStep()) n = static_cast<int>(n * 0.5);
    TParticleList& layer = ParticleLayer(3);
    for (int i = CountedParticles(n); i > 0; --i) {
        const int kind = RandInt(0, 5);
        const bool sparkle = kind == 5;
        const float scale = sparkle ? Random(0.3, 0.8) : 1.0f;
        const float dy = sparkle ? Random(-1.5, 0) : Random(-1.5, 1);
        const float dx = Random(-1, 1);
        const int spin = RandomSpin();
        TParticlePtr piece =
            layer.AddNew(TruncToInt(x), TruncToInt(y),
                         ParticleImages[sparkle ? kSparkleImage : kCrackImage + kind], dx, dy,
                         0.01f, 1000, 0, spin, Random(0.5, 3), scale, 0, 0, 0);
        piece->x += 5 * dx;
        piece->y += 5 * dy;
    }
}

void EffectRockBreak(float x, float y) {
    static const int corners[4][2] = {{-20, -20}, {20, -20}, {20, 20}, {-20, 20}};
    TParticleList& layer = ParticleLayer(3);
    for (int i = 0; i < 4; ++i) {
        const bool left = corners[i][0] < 0;
        const float dx = left ? Random(-1.5, -0.25) : Random(0.25, 1.5);
        layer.AddNew(TruncToInt(x + corners[i][0]), TruncToInt(y + corners[i][1]),
                     ParticleImages[kBigStoneImage + i], dx, 0, 0.04f, 1500, 0, 1, dx, 1, 0, 0, 0);
    }
    EffectRockCrack(x, y, 12);
}

void EffectUnlock(float x, float y) {
    const bool strong = StrongBombThisStep();
    TParticleList& layer = ParticleLayer(3);
    const int dust = CountedParticles(strong ? 10 : 20);
    for (int i = 0; i < dust; ++i) {
        const bool fine = i % 2 == 0;
        const float scale = fine ? Random(0.3, 1) : Random(0.8, 1.2);
        const int spin = fine ? 0 : RandomSpin();
        const float speed = fine ? 0 : Random(0.5, 3);
        const float dx = Random(-1, 1), dy = Random(-1.5, 1);
        layer.AddNew(TruncToInt(x), TruncToInt(y), ParticleImages[kDustImage + (fine ? 1 : 2)], dx,
                     dy, 0.01f, 500, 0, spin, speed, scale, 0, 0, 0);
    }
    for (int i = CountedParticles(strong ? 15 : 30); i > 0; --i) {
        const bool sparkle = RandInt(0, 2) == 0;
        const float scale = sparkle ? Random(0.3, 0.8) : Random(0.5, 1.2);
        const int spin = sparkle ? RandomSpin() : 0;
        const float speed = sparkle ? Random(0.5, 3) : 0;
        const float dy = sparkle ? Random(-1.5, 0) : Random(-1.5, 0.5);
        const float dx = Random(-1.8, 1.8);
        layer.AddNew(TruncToInt(x), TruncToInt(y),
                     ParticleImages[sparkle ? kSparkleImage : kDustImage], dx, dy, 0.01f, 1000, 0,
                     spin, speed, scale, 0, 0, 0);
    }
}

void EffectSkullCollect(float x, float y, float dy) {
    ParticleLayer(3).AddNew(TruncToInt(x), TruncToInt(y), EffectImages.Skull, 0, dy, 0.04f, 0, 0, 1,
                            3, 1, 0.03f, 3000, 0);
}
