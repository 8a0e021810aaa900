// The painter's toolkit of the scenes: colours, smooth noise fields rendered
// coarsely and scaled up (fast even on full-screen pictures), skies, moons,
// stars, fog and the finishing passes (vignette, board shade, grain).
#pragma once

#include <cairo.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "assetkit/Canvas.h"
#include "assetkit/Random.h"
#include "assetkit/Style.h"

namespace asset::scenes {

using style::Rgb;

Rgb Mix(Rgb a, Rgb b, double t);
Rgb Shade(Rgb color, double factor);  // factor < 1 darkens, > 1 lightens
void SetColor(cairo_t* cr, Rgb color, double alpha = 1.0);
double Clamp01(double v);
double SmoothStep(double edge0, double edge1, double x);

// A scalar field sampled every `step` pixels and read back bilinearly: the
// noise of fog and clouds is smooth, so a coarse grid loses nothing visible
// and costs a fraction of per-pixel noise. With wrapX the field repeats
// seamlessly every `width` pixels.
class Field {
  public:
    Field(int width, int height, int step, bool wrapX);
    template <typename Fn>
    void Fill(Fn valueAt) {
        for (int j = 0; j < rows_; ++j)
            for (int i = 0; i < columns_; ++i)
                values_[j * columns_ + i] = float(valueAt(i * step_, j * step_));
    }
    float At(double x, double y) const;

  private:
    int width_, height_, step_, columns_, rows_;
    bool wrapX_;
    std::vector<float> values_;
};

// Fractal noise of feature size `scale` pixels; periodic over `width` when wrapX
// (width must then be a multiple of scale).
Field NoiseField(int width, int height, double scale, uint64_t seed, int octaves,
                 bool wrapX = false);

// Pixel painting on premultiplied ARGB.
void BlendOver(uint32_t& pixel, Rgb color, double alpha);

// Vertical gradient over the whole canvas, stops at fractions of its height.
struct Stop {
    double at;
    Rgb color;
};
void PaintGradient(Canvas& canvas, std::initializer_list<Stop> stops, double top = 0,
                   double bottom = -1);

// Stars thinning towards the horizon at `horizon`; a few bright ones twinkle.
void PaintStars(Canvas& canvas, uint64_t seed, int count, double horizon, double brightness = 1.0);

// A moon with soft maria, a lit limb towards the top left and a wide halo.
void PaintMoon(Canvas& canvas, double cx, double cy, double radius, Rgb tint = style::kMoonlight,
               double haloStrength = 1.0);

// Fog or cloud: noise thresholded into soft banks, limited to a vertical band
// (`top` … `bottom`, feathered by `feather`).
struct FogSpec {
    Rgb color = style::kFog;
    double top = 0, bottom = 768, feather = 80;
    double density = 0.5;   // peak alpha
    double coverage = 0.5;  // 0 = none, 1 = solid
    double scale = 180;     // feature size in pixels
    double stretch = 3.0;   // horizontal elongation of the banks
    uint64_t seed = 1;
    bool wrapX = false;
    // Brighter on the banks' upper sides, as if lit from above.
    Rgb litColor = style::kMoonlight;
    double lit = 0.0;
};
void PaintFog(Canvas& canvas, const FogSpec& fog);

// Darkens the canvas towards its edges.
void PaintVignette(Canvas& canvas, double strength, double inner = 0.55);
// A soft-edged rounded rectangle of colour (behind the board, panels).
void PaintSoftRect(Canvas& canvas, double x, double y, double w, double h, double radius,
                   double feather, Rgb color, double alpha);
// Painterly unevenness and a fine grain that keeps dark gradients from banding.
void PaintTexture(Canvas& canvas, uint64_t seed, double blotch = 0.05, double grain = 2.0);

// A soft dark pool on the ground where something stands, centred on (cx, cy).
void ContactShadow(Canvas& canvas, double cx, double cy, double rx, double ry, double alpha);

// Soft light: additive radial glow.
void AddGlow(cairo_t* cr, double cx, double cy, double radius, Rgb color, double alpha);
// Linear gradient fill of the current path, top to bottom.
void FillVertical(cairo_t* cr, double top, double bottom, Rgb topColor, Rgb bottomColor,
                  double alpha = 1.0);

// Canvas::Blur limited to the rectangle that holds anything (plus a margin):
// most layers fill only part of the picture.
void BlurContent(Canvas& canvas, double radius);

}  // namespace asset::scenes
