// The game's visual effects: free functions that spawn particles into the
// particle layers (media/Particles.h). The board and the screens call them;
// some raise the level play screen's sound triggers and counters in turn.
//
// Main thread only. Positions are virtual-screen pixels. Most effects scale
// their count by the particle-detail setting (CountedParticles), so at 0 only
// the fixed pieces remain. Nothing here fails: the pictures are looked up
// once, when the images are loaded (a missing one is fatal there), and an
// effect run before that makes particles without pictures.
#pragma once

#include <array>

#include "media/Particles.h"

// ---- picture tables ----
constexpr int PARTICLE_IMAGES = 102;
constexpr int SCORE_IMAGES = 17;
// By number: 0 "ClauSparkle" ... 38 "pumpkinchunksmall2", 100 "coin",
// 101 "moneybag"; the numbers in between stay empty.
extern std::array<TGameImagePtr, PARTICLE_IMAGES> ParticleImages;
// 0..7 "score10".."score80", 8 "score100", 9..16 "score1".."score8".
extern std::array<TGameImagePtr, SCORE_IMAGES> ScoreImages;
// Fills the tables and the pictures the effects name from the image bank.
void LoadParticleImages();
// The score picture showing these points (1 to 8, 10 to 80 in tens, 100).
int ScoreImageIndex(int points);

// ---- counts ----
// trunc(n x Game.Particles / 100).
int CountedParticles(int n);
// A strong bomb went off in this step: several effects make half as many.
bool StrongBombThisStep();

// ---- gems and bombs ----
void EffectGemBurst(float x, float y, int n);
void EffectSparks(float x, float y, int n);
void EffectBombRing(float x, float y);
void EffectMegaBombRing(float x, float y);
void EffectCrossFireballs(float x, float y, int power);
void EffectDiagonalFireballs(float x, float y, int power);
void EffectCrossDiagonalFireballs(float x, float y, int power);
// The beam's width factor: it reaches from x + 16 to the farther screen edge.
float LightBeamWidthFactor(float x);
void EffectLightBeam(float x, float y, int kind);
void EffectBullets(float x, float y);
void EffectLightning(int x, int y);

// ---- tiles, rocks, locks, skulls ----
void EffectFirstLayerBreak(float x, float y);
void EffectSecondLayerBreak(float x, float y);
void EffectRockCrack(float x, float y, int n);
void EffectRockBreak(float x, float y);
void EffectUnlock(float x, float y);
void EffectSkullCollect(float x, float y, float dy);

// ---- gold, magic, scores ----
// n coins: 1 for a coin, the bag's value for a bag.
void EffectCoinCollect(float x, float y, int n);
void EffectMagicRelease(float x, float y);
// m sparkles carrying a released magic gem's charge to one powerup slot;
// `first` starts the charge's 1000 ms counter on the level play screen.
void EffectMagicSparkles(float x, float y, int m, float slotX, float slotY, int first);
void EffectScorePicture(float x, float y, int points);

// ---- rings and sparkles ----
void EffectPinkRing(float x, float y);
void EffectGreenRing(float x, float y);
void EffectGaugeSparkle(float x, float y);
// The mouse pointer's sparkle trail, run every logic step (its ParticleFunc).
void PointerSparkle();
