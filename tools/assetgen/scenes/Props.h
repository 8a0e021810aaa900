// Coloured props that carry the warm lights of the hollow: jack-o'-lanterns,
// lanterns, will-o'-wisps, ghosts, mushrooms, the cauldron; and water that
// mirrors the sky.
#pragma once

#include <cairo.h>

#include "Paint.h"

namespace asset::scenes {

// A pumpkin sitting on baseY; carved ones glow from inside.
void Pumpkin(cairo_t* cr, double x, double baseY, double radius, bool carved, double tilt = 0);
// A hanging or standing lantern's light (the frame comes from the silhouette).
void LanternLight(cairo_t* cr, double x, double y, double size, Rgb color = style::kCandle);
// A full little lantern with frame, glass and glow.
void Lantern(cairo_t* cr, double x, double y, double size, bool lit);
void Wisp(cairo_t* cr, double x, double y, double radius, Rgb color);
// A friendly sheet ghost, `size` tall, centred on x with its head at top.
void Ghost(cairo_t* cr, double x, double top, double size, double alpha, double sway = 0);
void Mushrooms(cairo_t* cr, Rng& rng, double x, double baseY, double size, Rgb glow);
void Cauldron(cairo_t* cr, double x, double baseY, double width, Rgb brew);
void Candle(cairo_t* cr, double x, double baseY, double height);

// Mirrors the picture above `waterTop` into the band below it, darkened and
// rippled: still water under the sky.
void MirrorWater(Canvas& canvas, double waterTop, double waterBottom, Rgb tint, double darkness,
                 uint64_t seed);

}  // namespace asset::scenes
