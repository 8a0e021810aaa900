// Silhouette shapes of the hollow: trees, graves, hills, fences and
// buildings. Each fills its outline with the current cairo source, so one
// layer of silhouettes can be shaded and rim-lit as a whole (see Layer.h).
// Buildings report their windows and moonlit edges so they can be lit
// afterwards.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "assetkit/Random.h"

namespace asset::scenes {

struct Window {
    double x, y, w, h;  // top-left and size
    bool arched = false;
    bool lit = true;
    bool door = false;  // split down the middle instead of cross bars
};
struct Panel {
    double x, y, w, h;
};
// Moonlit edges (x0, y0, x1, y1) a building shows inside its silhouette.
struct Edge {
    double x0, y0, x1, y1;
};
struct Details {
    std::vector<Window> windows;
    std::vector<Edge> edges;
    std::vector<Panel> recesses;  // shadowed panels set back in the silhouette
};

// A gnarled, leafless tree: tapering, wandering branches from a flared base.
// `lean` tilts the trunk (radians, negative to the left).
void DeadTree(cairo_t* cr, Rng& rng, double x, double baseY, double height, double lean = 0,
              int depth = 6);
// A branch reaching in from outside the picture (framing the scene).
void OverhangBranch(cairo_t* cr, Rng& rng, double x, double y, double angle, double length,
                    double width, int depth = 5);
// A round-crowned tree (orchard).
void LeafyTree(cairo_t* cr, Rng& rng, double x, double baseY, double height);
// A fir with ragged tiers.
void Pine(cairo_t* cr, Rng& rng, double x, double baseY, double height, double width);
void Bush(cairo_t* cr, Rng& rng, double x, double baseY, double width, double height);
// Blades of grass along a line.
void Grass(cairo_t* cr, Rng& rng, double x0, double x1, double y, double height, double density);
// Reeds and bulrushes of the marsh.
void Reeds(cairo_t* cr, Rng& rng, double x0, double x1, double y, double height, int count);

enum class GraveKind { Slab, Cross, Obelisk, Pointed };
void Grave(cairo_t* cr, GraveKind kind, double x, double baseY, double width, double height,
           double tiltDegrees);
// A row of assorted graves between x0 and x1 along a base line.
void Graves(cairo_t* cr, Rng& rng, double x0, double x1, double baseY, double size, int count);

// A hill silhouette: a noisy ridge around baseY, filled down to `bottom`.
void Ridge(cairo_t* cr, uint64_t seed, double x0, double x1, double baseY, double amplitude,
           double scale, double bottom);
// The same ridge line (for placing things on top of it).
double RidgeY(uint64_t seed, double x, double baseY, double amplitude, double scale);

void IronFence(cairo_t* cr, Rng& rng, double x0, double x1, double baseY, double height,
               double spacing);
void WoodFence(cairo_t* cr, Rng& rng, double x0, double x1, double baseY, double height);

// Buildings, centred on x, standing on baseY.
void Cottage(cairo_t* cr, Rng& rng, double x, double baseY, double width, double height,
             Details* details);
void Church(cairo_t* cr, Rng& rng, double x, double baseY, double width, double height,
            Details* details);
void Manor(cairo_t* cr, Rng& rng, double x, double baseY, double width, double height,
           Details* details);
void Windmill(cairo_t* cr, Rng& rng, double x, double baseY, double height, double sailAngle,
              bool broken, Details* details);
void Crypt(cairo_t* cr, double x, double baseY, double width, double height, Details* details);
void Well(cairo_t* cr, double x, double baseY, double width);
void Signpost(cairo_t* cr, Rng& rng, double x, double baseY, double height);
void LampPost(cairo_t* cr, double x, double baseY,
              double height);  // the lantern itself is lit separately
void Scarecrow(cairo_t* cr, double x, double baseY, double height);
// A sitting cat seen from the side, facing right; its eyes are lit separately at
// (x + 0.2 h, baseY - 0.83 h).
void Cat(cairo_t* cr, double x, double baseY, double height);
void Bat(cairo_t* cr, double x, double y, double span, double flap);
void Bird(cairo_t* cr, double x, double y, double span);  // a distant flying crow
void Fountain(cairo_t* cr, double x, double baseY, double width);
void Hedge(cairo_t* cr, Rng& rng, double x0, double x1, double baseY, double height);
// A square pillar; with `ball` a stone ball on its cap, else a flat cap (for a lantern).
void GatePillar(cairo_t* cr, double x, double baseY, double width, double height, bool ball = true);
void RuinedWall(cairo_t* cr, Rng& rng, double x0, double x1, double baseY, double height,
                Details* details);

}  // namespace asset::scenes
