// Pixel collision layers: images written into numbered layers at a position
// with an identity, and queries of which identities an image at a position
// touches, pixel by pixel.
//
// Main thread only, like drawing. A pixel is solid when its alpha is at least
// one half (the mask blend's test), so a masked picture's holes and the faint
// rim of a soft edge never collide. Images are placed by their handle, at
// their own size: scale and rotation are not applied. Nothing here fails: an
// image frame that does not exist, or a mask of 0, writes and finds nothing.
// A layer keeps what was written (and the identities alive) until it is
// reset, so its user resets it once per step.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/Image.h"

constexpr int COLLISION_LAYERS = 32;
constexpr uint32_t ALL_COLLISION_LAYERS = 0xFFFFFFFFu;

// The mask bit of layer n (1 .. 32).
constexpr uint32_t CollisionLayer(int n) {
    return n >= 1 && n <= COLLISION_LAYERS ? 1u << (n - 1) : 0u;
}

// Whoever wrote an image into a layer: any object the caller chooses.
using CollisionId = std::shared_ptr<void>;

// Tests the frame of the image, with its handle at (x, y), against all that
// was written into the layers of collideMask, and returns the identities it
// touches, each once (layer by layer, in the order written); then writes the
// frame with the identity into the layers of writeMask.
std::vector<CollisionId> CollideImage(TImage& image, int x, int y, int frame, uint32_t collideMask,
                                      uint32_t writeMask, const CollisionId& id);
// Empties the layers of the mask.
void ResetCollisions(uint32_t mask = ALL_COLLISION_LAYERS);
