#include "Backdrop.h"

#include <cmath>

namespace asset::scenes {

using namespace style;

void PaintNightSky(Canvas& canvas, const SkyLook& sky, uint64_t seed) {
    const double h = canvas.Height();
    PaintGradient(canvas, {{0, sky.top},
                           {sky.horizonY / h * 0.55, sky.middle},
                           {sky.horizonY / h, sky.horizon},
                           {1, Mix(sky.horizon, sky.middle, 0.5)}});
    PaintStars(canvas, seed, sky.stars, sky.horizonY * 0.9);
    if (sky.moonRadius > 0)
        PaintMoon(canvas, sky.moonX, sky.moonY, sky.moonRadius, kMoonlight, sky.halo);
}

Look DepthLook(const SkyLook& sky, double depth, double top, double bottom) {
    Look look;
    const Rgb far = Mix(sky.horizon, sky.middle, 0.35);
    look.lower = Mix(far, sky.land, 0.35 + 0.65 * depth);
    look.upper = Mix(look.lower, Mix(sky.horizon, kFog, 0.3), 0.4 * (1 - depth * 0.6));
    look.gradientTop = top;
    look.gradientBottom = bottom;
    look.rim = Mix(Mix(sky.rim, kFog, 0.4), sky.rim, depth);
    look.rimAlpha = 0.12 + 0.26 * depth;
    look.rimWidth = 1.0 + 0.4 * depth;
    look.blur = depth < 0.3 ? 1.5 * (1 - depth) : 0;
    look.windowGlow = 0.55 + 0.45 * depth;
    return look;
}

void PaintLightShafts(Canvas& canvas, double x, double y, double angle, double spread, int count,
                      double length, Rgb color, double alpha, uint64_t seed) {
    Rng rng(seed);
    Canvas beams(canvas.Width(), canvas.Height());
    cairo_t* cr = beams.Cr();
    for (int i = 0; i < count; ++i) {
        const double a = angle + rng.Range(-spread, spread) / 2, width = rng.Range(0.01, 0.05);
        const double reach = length * rng.Range(0.6, 1.0);
        cairo_pattern_t* pattern =
            cairo_pattern_create_linear(x, y, x + std::cos(a) * reach, y + std::sin(a) * reach);
        const double strength = alpha * rng.Range(0.4, 1.0);
        cairo_pattern_add_color_stop_rgba(pattern, 0, color.r, color.g, color.b, strength);
        cairo_pattern_add_color_stop_rgba(pattern, 1, color.r, color.g, color.b, 0);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + std::cos(a - width) * reach, y + std::sin(a - width) * reach);
        cairo_line_to(cr, x + std::cos(a + width) * reach, y + std::sin(a + width) * reach);
        cairo_close_path(cr);
        cairo_set_source(cr, pattern);
        cairo_fill(cr);
        cairo_pattern_destroy(pattern);
    }
    BlurContent(beams, 10);
    canvas.Draw(beams, 0, 0);
}

void FinishLevelBackground(Canvas& canvas, uint64_t seed, double boardShade) {
    PaintSoftRect(canvas, 150, 54, 860, 660, 60, 160, kMidnight, boardShade);
    FinishScene(canvas, seed);
}

void FinishScene(Canvas& canvas, uint64_t seed, double vignette) {
    PaintVignette(canvas, vignette);
    PaintTexture(canvas, seed, 0.05, 2.0);
}

void PaintGround(Layer& layer, Rng& rng, double y, double bumpiness, uint64_t seed) {
    cairo_t* cr = layer.Cr();
    Ridge(cr, seed, 0, kScreenWidth, y, bumpiness, 260, kScreenHeight + 4);
    for (double x = 0; x < kScreenWidth; x += 64) {
        Grass(cr, rng, x, x + 64, RidgeY(seed, x + 32, y, bumpiness, 260) + 3, 14, 0.6);
    }
}

}  // namespace asset::scenes
