// Drawing helpers shared by the board pictures: a supersampled sheet with the
// layer effects the pieces need (outline, drop shadow, glow, emboss), colour
// arithmetic and a few recurring shapes.
#pragma once

#include <cairo.h>

#include <cmath>
#include <functional>
#include <vector>

#include "assetkit/Bytes.h"
#include "assetkit/Canvas.h"
#include "assetkit/Style.h"

namespace board {

using asset::Canvas;
using asset::RadialGlow;
using asset::RoundedRectangle;
using asset::StarPath;
using asset::style::Rgb;

struct Point {
    double x, y;
};

// Colour arithmetic.
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Scale(Rgb colour, double factor);  // brightness multiply, clamped to 1
Rgb Lighten(Rgb colour, double t);     // towards white
void SetColour(cairo_t* cr, Rgb colour, double alpha = 1.0);
void AddStop(cairo_pattern_t* pattern, double offset, Rgb colour, double alpha = 1.0);

// A picture each of whose pixels averages samples x samples points, weighted
// by coverage: shade(x, y, colour, alpha) gives the colour and coverage at a
// point in pixel coordinates.
using PointShader = std::function<void(double x, double y, Rgb& colour, double& alpha)>;
Canvas RenderSupersampled(int width, int height, int samples, const PointShader& shade);

// Shadows never use pure black: the game may treat black pixels as holes.
constexpr Rgb kShadow = asset::style::Rgb8(0x140A22);
constexpr Rgb kOutline = asset::style::Rgb8(0x1E1030);
constexpr Rgb kWhite = {1.0, 1.0, 1.0};

// A picture drawn at `factor` times its size and averaged down, so small
// shapes keep clean edges and neighbouring fills leave no seams. Coordinates
// passed to the context from Begin() are in final pixels.
class Sheet {
  public:
    Sheet(int width, int height, int factor = 4);

    // A fresh context scaled to final pixels (invalidates earlier ones).
    cairo_t* Begin();
    Sheet Blank() const { return Sheet(width_, height_, factor_); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Factor() const { return factor_; }
    Canvas& Pixels() { return big_; }
    const Canvas& Pixels() const { return big_; }

    // Composites another sheet of the same factor over this one.
    void Draw(const Sheet& other, double dx = 0, double dy = 0, double alpha = 1.0,
              cairo_operator_t op = CAIRO_OPERATOR_OVER);
    // Draws this sheet's content beneath everything already on it.
    void DrawUnder(const Sheet& other, double dx = 0, double dy = 0, double alpha = 1.0);
    // Keeps this sheet only where `mask` has alpha.
    void MaskBy(const Sheet& mask);

    void Blur(double radius);  // radius in final pixels
    // Fades everything to transparent over `margin` final pixels towards
    // the picture's edges.
    void FadeTowardsEdges(double margin);
    void Fade(double factor) { big_.Fade(factor); }
    Sheet Silhouette(Rgb colour, double alpha = 1.0) const;

    // Effects in final-pixel units.
    void Outline(double width, Rgb colour, double alpha = 1.0);
    void DropShadow(double dx, double dy, double blur, double alpha, Rgb colour = kShadow);
    void GlowUnder(double blur, Rgb colour, double strength);
    // Pillow shading from the alpha edge: lit from the top left, shaded at
    // the bottom right, as if the flat shape had rounded edges.
    void Emboss(double radius, double highlight, double shadow);

    // Multiplies every colour by a fractal-noise factor in [1 - depth,
    // 1 + depth]: grain for stone, frost, slate and cloth.
    void Grain(double featureSize, double depth, const char* seedName);
    // A thin crescent of light along the edges facing away from (dx, dy):
    // positive offsets light the bottom-right rim, negative the top-left.
    void RimLight(double dx, double dy, Rgb colour, double alpha);

    Canvas Final() const;

  private:
    int width_, height_, factor_;
    Canvas big_;
};

// Averages `factor` x `factor` blocks of premultiplied pixels.
Canvas Downsample(const Canvas& big, int factor);

// PNG bytes of a finished picture, with no pure-black pixel left visible.
asset::Bytes Finish(Canvas canvas);

// Shapes.
void PolygonPath(cairo_t* cr, const std::vector<Point>& points);
// An axis-aligned ellipse (or an arc of it) added to the current path.
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry, double from = 0,
                 double to = 2 * M_PI);
// A four-pointed glint: thin rays with a soft core.
void Glint(cairo_t* cr, double x, double y, double size, Rgb colour, double alpha);
// Soft ellipse highlight, rotated by `degrees`.
void SoftEllipse(cairo_t* cr, double x, double y, double rx, double ry, double degrees, Rgb colour,
                 double alpha);
// Linear gradient running from the top-left light to the bottom-right shade
// across the box.
cairo_pattern_t* LitGradient(double x0, double y0, double x1, double y1, Rgb light, Rgb mid,
                             Rgb dark);

}  // namespace board
