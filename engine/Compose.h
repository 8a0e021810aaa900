// Pictures drawn by hand into 32-bit ARGB pixels (0xAARRGGBB): the software
// renderer's way with large batches of small turned pictures, whose own
// path draws every turned pixel through its slowest routine.
//
// Pure functions over memory the caller owns: no state, no threads, no
// library. Nothing fails: a picture that is empty, flat (a zero scale) or
// outside the pixels given draws nothing.
#pragma once

#include <cstdint>

// Where the pictures go: `pixels` holds the rectangle [left, right) x
// [top, bottom) of the target, `pitch` pixels a row.
struct ComposeTarget {
    uint32_t* pixels = nullptr;
    int pitch = 0;
    int left = 0, top = 0, right = 0, bottom = 0;
};

// One picture: its texels (bytes R, G, B, A, `pitch` bytes a row) and where
// texel coordinates (u, v) land on the target:
//   x = m00 u + m01 v + tx,  y = m10 u + m11 v + ty.
// Texels are sampled at their nearest (no filtering); each is tinted by
// (red, green, blue) / 255 and its alpha scaled by alpha / 255.
struct ComposePicture {
    const uint8_t* texels = nullptr;
    int pitch = 0;
    int width = 0, height = 0;
    float m00 = 1, m01 = 0, m10 = 0, m11 = 1, tx = 0, ty = 0;
    uint8_t red = 255, green = 255, blue = 255, alpha = 255;
    // Added to what is there (light); otherwise blended over it by alpha.
    bool additive = false;
};

struct ComposeBox {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom excluded
    bool Empty() const { return right <= left || bottom <= top; }
    long Area() const { return Empty() ? 0 : static_cast<long>(right - left) * (bottom - top); }
};

// The whole pixels the picture can touch (empty for a flat picture).
ComposeBox ComposeBounds(const ComposePicture& picture);
// Draws the picture into the target's rectangle: every pixel whose centre
// falls inside the picture takes the texel under that centre.
void Compose(const ComposeTarget& target, const ComposePicture& picture);
