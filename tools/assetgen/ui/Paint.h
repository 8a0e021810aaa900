// The one frame style every interface picture shares: dark carved wood held
// by wrought iron (rim, corner brackets, rivets), recessed dark fields for
// text, and warm candle glows for the mouse-over state. Every button, panel
// and dialog of the group is built from these routines.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>

#include "assetkit/Canvas.h"
#include "assetkit/Style.h"

namespace asset::ui {

using style::Rgb;

// The darkest tone of the set: shadows and outlines (never pure black).
constexpr Rgb kShadowInk = style::Rgb8(0x0A0610);

// The three looks of a clickable plate.
enum class State { Normal, Over, Pressed };

struct Box {
    double x, y, w, h;
    Box Inset(double d) const { return {x + d, y + d, w - 2 * d, h - 2 * d}; }
    Box Shifted(double dx, double dy) const { return {x + dx, y + dy, w, h}; }
    double CentreX() const { return x + w / 2; }
    double CentreY() const { return y + h / 2; }
};

// How far every pressed button sinks, right and down (px).
constexpr double kPressShift = 2.0;

// Colour helpers.
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Scale(Rgb c, double factor);
void SetColour(cairo_t* cr, Rgb c, double alpha = 1.0);
// A linear gradient along the light direction across the box: `lit` at the
// top-left corner, `shaded` at the bottom-right.
cairo_pattern_t* LightGradient(Box box, Rgb lit, double litAlpha, Rgb shaded, double shadedAlpha);

// Wood with its grain along x (Horizontal) or y (Vertical); brightness scales
// the whole plank. Never pure black.
enum class Grain { Horizontal, Vertical };
Canvas WoodTexture(int width, int height, uint64_t seed, Grain grain, double brightness = 1.0);
// Fills the current path with a texture whose top-left sits at (x, y).
void FillWithTexture(cairo_t* cr, const Canvas& texture, double x, double y);

// Shapes.
void PlatePath(cairo_t* cr, Box box, double radius);
// A plank with a pointed end on the right (direction > 0) or left (< 0).
void SignPath(cairo_t* cr, Box box, double point, int direction);

// Iron details, lit from the top left.
void Rivet(cairo_t* cr, double cx, double cy, double radius);
// An L-shaped wrought-iron bracket hugging the corner of `box`; corner is
// 0 top-left, 1 top-right, 2 bottom-right, 3 bottom-left.
void CornerBracket(cairo_t* cr, Box box, int corner, double size, double thickness);
// A horizontal iron strap with rivets at both ends.
void IronStrap(cairo_t* cr, Box strap);

// Effects composited from a shape canvas.
void DropShadow(Canvas& target, const Canvas& shape, double x, double y, double dx, double dy,
                double blur, double alpha);
void OuterGlow(Canvas& target, const Canvas& shape, double x, double y, double blur, Rgb colour,
               double alpha);

// A full framed plate (iron rim, wood, bevel, groove, brackets, rivets),
// `box` in the canvas, drawn in the given state (brighter when Over, darker
// when Pressed; the caller shifts the box for Pressed).
struct FrameStyle {
    double radius = 8;
    double iron = 4;         // rim width
    double bracket = 0;      // corner bracket arm length, 0 for none
    bool groove = true;      // carved line inside the rim
    bool rimRivets = false;  // rivets spaced along the rim
    double woodBrightness = 1.0;
    Grain grain = Grain::Horizontal;
    uint64_t seed = 1;
    double point = 0;        // > 0: a sign plank with a pointed end this long
    int pointDirection = 1;  // the point on the right (1) or left (-1)
};
void DrawFrame(Canvas& canvas, Box box, const FrameStyle& style, State state);

// A complete button plate image: shadow below, candle glow when Over, body
// shifted by (2, 2) and darker when Pressed. `decorate` draws extra details
// (icons) on the body after the frame, in canvas coordinates.
using Decoration = std::function<void(Canvas&, Box body, State)>;
Canvas ButtonPlate(int width, int height, Box body, const FrameStyle& style, State state,
                   const Decoration& decorate = nullptr);

// A recessed dark field for text (inner shadow top-left, light lip bottom-right).
void Inset(Canvas& canvas, Box box, double radius, double depth = 1.0);
// Only the shading of a recess, for a hollow that already holds a picture.
void Recess(Canvas& canvas, Box box, double radius, double depth = 1.0);

// A raised header plaque (banner with curled ends) centred at (cx, cy).
void HeaderPlaque(Canvas& canvas, double cx, double cy, double width, double height, uint64_t seed);

// A large dialog panel: frame with heavy brackets and rim rivets, and a
// recessed field inside. Returns the field box.
Box DialogPanel(Canvas& canvas, Box frame, uint64_t seed);

// A small candle with a soft flame glow, base centred at (x, baseY).
void Candle(Canvas& canvas, double x, double baseY, double height, double width);

// Runs a drawing function on a fresh canvas, then draws its soft shadow and
// itself onto the target.
void WithShadow(Canvas& target, const std::function<void(Canvas&)>& paint, double dx, double dy,
                double blur, double alpha);

}  // namespace asset::ui
