// The characters of the story: the crow of the title screen (in colour) and
// the people of the story pictures (silhouettes against their light).
#pragma once

#include <cairo.h>

#include "Paint.h"

namespace asset::scenes {

enum class CrowLook { Right, Left, Blink, Caw };
// A crow perched with its feet at (x, y); `size` is its length beak to tail.
void Crow(cairo_t* cr, double x, double y, double size, CrowLook look);

// Silhouettes standing on baseY, `height` tall, in the current source. Their
// lantern or other light is returned so it can be lit afterwards.
struct Light {
    double x, y;
};
// The young ghost-hunter: hat, long coat, a lantern held out to the right
// (or the left when `facing` is -1).
Light Hunter(cairo_t* cr, double x, double baseY, double height, int facing = 1);
// The old lady of the hollow: hunched, shawl and bun, leaning on a stick.
void OldLady(cairo_t* cr, double x, double baseY, double height, int facing = 1);
// The witch: pointed hat, cloak, a ladle.
void Witch(cairo_t* cr, double x, double baseY, double height, int facing = 1);

}  // namespace asset::scenes
