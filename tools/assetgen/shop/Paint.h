// Painting helpers shared by the shop's drawings: colours, solids lit from the
// top left with a soft bevel and a rim line, glows, flames and soft shadows.
#pragma once

#include <cairo.h>

#include <functional>
#include <initializer_list>

#include "assetkit/Canvas.h"
#include "assetkit/Random.h"
#include "assetkit/Style.h"

namespace asset::shop {

using style::Rgb;

struct Point {
    double x, y;
};
// Builds a path on the context (called several times by the painters).
using PathFn = std::function<void(cairo_t*)>;

Rgb Mix(Rgb a, Rgb b, double t);
// Towards moonlight / towards midnight (never pure black).
Rgb Lighten(Rgb colour, double amount);
Rgb Darken(Rgb colour, double amount);
void SetColour(cairo_t* cr, Rgb colour, double alpha = 1.0);

struct Material {
    Rgb base;
    double shine = 0.35;   // lightening on the lit (top-left) side
    double shade = 0.45;   // darkening on the far side
    double outline = 1.4;  // width of the dark rim line; 0 for none
    double bevel = 3.0;    // width of the inner highlight and shadow
    double bevelAlpha = 0.45;
};

// Fills the path as a solid object: gradient along the light, bevelled edge
// (highlight top left, shadow bottom right) and a dark rim line.
void PaintSolid(cairo_t* cr, const PathFn& path, const Material& material);
// The same without the rim line or bevel, for small details.
void PaintFlat(cairo_t* cr, const PathFn& path, Rgb colour, double alpha = 1.0);

// Soft halo of light (a radial gradient that fades smoothly to nothing).
void Glow(cairo_t* cr, double cx, double cy, double radius, Rgb colour, double alpha);
// Elliptical glow (radius rx across, ry down).
void GlowEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, Rgb colour, double alpha);
// Soft contact shadow on the ground below an object.
void GroundShadow(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha = 0.55);

// A candle-like flame standing on (x, baseY); `sway` bends the tip sideways.
void Flame(cairo_t* cr, double x, double baseY, double width, double height, double sway = 0.0);
// A four-pointed twinkle.
void Sparkle(cairo_t* cr, double cx, double cy, double size, Rgb colour, double alpha = 1.0);

// Tapered stroke from (x0,y0) to (x1,y1) bending through (cx,cy): a branch,
// a stalk, a hair of a broom. Appends a closed path.
void TaperPath(cairo_t* cr, double x0, double y0, double cx, double cy, double x1, double y1,
               double width0, double width1);

// Ellipse path.
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);
// Closed polygon path through x, y pairs.
void PolygonPath(cairo_t* cr, std::initializer_list<double> xy);
// A lumpy closed shape (a stone, a leaf clump): an ellipse whose radius
// wanders by up to `roughness` of itself, smoothed.
void BlobPath(cairo_t* cr, double cx, double cy, double rx, double ry, double roughness, Rng& rng);
// Smooth step from 0 at edge0 to 1 at edge1.
double SmoothStep(double edge0, double edge1, double x);

struct SilhouetteLight {
    Rgb base;
    Rgb rim;  // moonlight on the top-left edges
    double rimWidth = 2.5;
    double rimAlpha = 0.8;
    double shadeWidth = 3.0;
    double shadeAlpha = 0.55;
    double outlineAlpha = 0.7;  // dark line just outside the shape
};

// Lights a flat silhouette (any opaque colour) as a rounded solid: the body
// colour with a vertical falloff, a rim of light on its top-left edges and
// shade on its bottom-right edges, and a thin dark outline.
Canvas ShadeSilhouette(const Canvas& silhouette, const SilhouetteLight& light);

constexpr Rgb kGilt = style::Rgb8(0xDCAA3A);

// Materials shared by the props.
Material WoodMaterial(Rgb colour = style::kWood);
Material IronMaterial();
Material GiltMaterial();

// A hanging chain from y0 down to y1: links alternating face-on and edge-on.
void Chain(cairo_t* cr, double x, double y0, double y1, const Rgb& metal);

}  // namespace asset::shop
