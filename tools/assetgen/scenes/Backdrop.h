// What the full-screen scenes share: the night sky, colours by depth, and
// the finishing passes that keep the board area calm and dark.
#pragma once

#include "Layer.h"
#include "Paint.h"
#include "Props.h"
#include "Shapes.h"

namespace asset::scenes {

constexpr int kScreenWidth = 1024, kScreenHeight = 768;

// Beams of light fanning from (x, y) around `angle` (radians, screen axes).
void PaintLightShafts(Canvas& canvas, double x, double y, double angle, double spread, int count,
                      double length, Rgb color, double alpha, uint64_t seed);

struct SkyLook {
    Rgb top = style::kMidnight, middle = style::kDeepBlue, horizon = style::kViolet;
    double horizonY = 520;
    double moonX = 260, moonY = 130, moonRadius = 52;  // radius 0: no moon
    double halo = 1.0;
    int stars = 260;
    Rgb land = style::Rgb8(0x0F1424);  // the nearest silhouettes
    Rgb rim = style::kMoonlight;       // the light catching their edges
};

// A rolling hill across the picture; things stand on it at Y(x).
struct Hill {
    uint64_t seed;
    double base, amplitude, scale = 260;
    double Y(double x) const { return RidgeY(seed, x, base, amplitude, scale); }
    void Fill(cairo_t* cr, double x0 = 0, double x1 = kScreenWidth,
              double bottom = kScreenHeight + 4) const {
        Ridge(cr, seed, x0, x1, base, amplitude, scale, bottom);
    }
};

void PaintNightSky(Canvas& canvas, const SkyLook& sky, uint64_t seed);

// The colour of silhouettes at a depth from 0 (far, melting into the
// horizon) to 1 (nearest, darkest), graded over [top, bottom].
Look DepthLook(const SkyLook& sky, double depth, double top, double bottom);

// The board of a level covers about x 150-1010, y 54-714: darken it softly
// so the gems read well, add a vignette and the painterly texture.
void FinishLevelBackground(Canvas& canvas, uint64_t seed, double boardShade = 0.32);
void FinishScene(Canvas& canvas, uint64_t seed, double vignette = 0.45);

// A soft ground line of grass and the dark earth below it, across the picture.
void PaintGround(Layer& layer, Rng& rng, double y, double bumpiness, uint64_t seed);

}  // namespace asset::scenes
