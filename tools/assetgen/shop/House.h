// The crooked house of the shop scene. Its windows, porch, roof edges and
// chimney are laid out around the spots where the decorations are drawn.
#pragma once

#include <cairo.h>

namespace asset::shop {

void DrawHouse(cairo_t* cr);

}  // namespace asset::shop
