#include "engine/Collision.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr uint32_t kSolidAlpha = 0x80;

// One image frame written into a layer, its top-left corner at (left, top).
struct Stamp {
    PixmapPtr pixels;
    int left;
    int top;
    CollisionId id;
};

std::array<std::vector<Stamp>, COLLISION_LAYERS>& Layers() {
    static std::array<std::vector<Stamp>, COLLISION_LAYERS> layers;
    return layers;
}

bool Solid(const TPixmap& pixels, int x, int y) {
    return pixels.ReadPixel(x, y) >> 24 >= kSolidAlpha;
}

// Whether any pixel is solid in both, over the rectangle they share.
bool Overlap(const Stamp& a, const Stamp& b) {
    const int left = std::max(a.left, b.left);
    const int top = std::max(a.top, b.top);
    const int right = std::min(a.left + a.pixels->Width(), b.left + b.pixels->Width());
    const int bottom = std::min(a.top + a.pixels->Height(), b.top + b.pixels->Height());
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (Solid(*a.pixels, x - a.left, y - a.top) && Solid(*b.pixels, x - b.left, y - b.top))
                return true;
        }
    }
    return false;
}

}  // namespace

std::vector<CollisionId> CollideImage(TImage& image, int x, int y, int frame, uint32_t collideMask,
                                      uint32_t writeMask, const CollisionId& id) {
    std::vector<CollisionId> touched;
    PixmapPtr pixels = image.Lock(frame);
    if (!pixels) return touched;
    // The pixels a draw at (x, y) covers; a half-pixel handle (an odd size,
    // mid-handled) starts half a pixel to the left, which drawing rounds down.
    const Stamp stamp{pixels, static_cast<int>(std::floor(x - image.HandleX())),
                      static_cast<int>(std::floor(y - image.HandleY())), id};
    auto& layers = Layers();
    for (int layer = 0; layer < COLLISION_LAYERS; ++layer) {
        if (!(collideMask & (1u << layer))) continue;
        for (const Stamp& written : layers[layer]) {
            const bool known = std::any_of(touched.begin(), touched.end(),
                                           [&](const CollisionId& t) { return t == written.id; });
            if (!known && Overlap(stamp, written)) touched.push_back(written.id);
        }
    }
    for (int layer = 0; layer < COLLISION_LAYERS; ++layer) {
        if (writeMask & (1u << layer)) layers[layer].push_back(stamp);
    }
    return touched;
}

void ResetCollisions(uint32_t mask) {
    auto& layers = Layers();
    for (int layer = 0; layer < COLLISION_LAYERS; ++layer) {
        if (mask & (1u << layer)) layers[layer].clear();
    }
}
