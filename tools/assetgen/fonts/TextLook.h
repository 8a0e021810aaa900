// How lettering is dressed: fill gradient, outline, rim, glow, drop shadow,
// bevel and gloss. One painter serves the glyph pages of the bitmap fonts and
// the pictures with words baked in, so both share one look.
#pragma once

#include <cairo.h>

#include <functional>
#include <vector>

#include "assetkit/Canvas.h"
#include "assetkit/Style.h"

namespace asset::fonts {

struct ColourStop {
    double at;  // 0 = top of the band, 1 = its bottom
    style::Rgb colour;
};
using Gradient = std::vector<ColourStop>;

struct TextLook {
    Gradient fill{{0, {1, 1, 1}}};
    // A dark stroke around the letters, in pixels outside the ink.
    double outline = 0;
    style::Rgb outlineColour = style::kInk;
    // A light band outside the outline, like a sticker's cut edge.
    double backing = 0;
    style::Rgb backingColour = style::kMoonlight;
    // Thickens the letters themselves (faux bold), in pixels per side.
    double embolden = 0;
    // A thin bright stroke between outline and fill (gilded edges).
    double rim = 0;
    style::Rgb rimColour = style::kCandle;
    // Soft halo around everything.
    double glowRadius = 0, glowAlpha = 0;
    style::Rgb glowColour = style::kMoonlight;
    // Drop shadow, cast to the bottom right (light from the top left).
    double shadowX = 0, shadowY = 0, shadowBlur = 0, shadowAlpha = 0;
    style::Rgb shadowColour = style::kInk;
    // Rounded relief lit from the top left: blur radius of the height map and
    // the strength of its highlight and shade.
    double bevel = 0, bevelLight = 0, bevelShade = 0;
    // A glossy band over the upper half of the letters (alpha at the top).
    double gloss = 0;
};

// How far, in whole pixels, the look reaches beyond the letters' ink.
struct Reach {
    int left = 0, top = 0, right = 0, bottom = 0;
};
Reach ReachOf(const TextLook& look);

// Paints the letters that `addPath` traces in canvas pixels (it is handed a
// fresh context with the identity transform) with the look. The fill gradient spans
// bandTop..bandBottom in canvas pixels.
using PathTracer = std::function<void(cairo_t*)>;
void PaintText(Canvas& canvas, const PathTracer& addPath, const TextLook& look, double bandTop,
               double bandBottom);

// A cairo gradient pattern for a band; the caller destroys it.
cairo_pattern_t* VerticalGradient(const Gradient& gradient, double top, double bottom);

}  // namespace asset::fonts
