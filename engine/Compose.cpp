#include "engine/Compose.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr int kFixedShift = 16;
constexpr float kFixedOne = 1 << kFixedShift;

// a x b / 255, rounded, for a and b in 0..255.
inline uint32_t Mul255(uint32_t a, uint32_t b) {
    const uint32_t t = a * b + 128;
    return (t + (t >> 8)) >> 8;
}

// The steps k (counted from 0, below count) at which start + k x step lies in
// [0, limit), widened by a step or two on each side; exactness is left to the
// per-pixel test. inverse is 1 / step (unused when step is 0).
inline void StepsInside(float start, float step, float inverse, float limit, int count, int& first,
                        int& end) {
    if (step == 0) {
        const bool inside = start >= 0 && start < limit;
        first = inside ? 0 : count;
        end = inside ? count : 0;
        return;
    }
    float lo = -start * inverse, hi = (limit - start) * inverse;
    if (step < 0) std::swap(lo, hi);
    const float from = std::max(-1.0f, std::min(lo, static_cast<float>(count)));
    const float to = std::max(-1.0f, std::min(hi, static_cast<float>(count)));
    first = std::max(0, static_cast<int>(from) - 1);
    end = std::min(count, static_cast<int>(to) + 2);
}

// To 16.16 fixed point, rounded.
inline int32_t Fixed(float value) {
    return static_cast<int32_t>(value * kFixedOne + (value >= 0 ? 0.5f : -0.5f));
}

}  // namespace

ComposeBox ComposeBounds(const ComposePicture& p) {
    const float det = p.m00 * p.m11 - p.m01 * p.m10;
    if (p.width <= 0 || p.height <= 0 || !(std::fabs(det) > 1e-6f)) return {};
    const float us[4] = {0, static_cast<float>(p.width), static_cast<float>(p.width), 0};
    const float vs[4] = {0, 0, static_cast<float>(p.height), static_cast<float>(p.height)};
    float minX = std::numeric_limits<float>::max(), minY = minX;
    float maxX = std::numeric_limits<float>::lowest(), maxY = maxX;
    for (int i = 0; i < 4; ++i) {
        const float x = p.m00 * us[i] + p.m01 * vs[i] + p.tx;
        const float y = p.m10 * us[i] + p.m11 * vs[i] + p.ty;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    // Far outside any screen: nothing worth drawing, and no overflow below.
    constexpr float kFar = 1 << 20;
    if (!(minX > -kFar && maxX < kFar && minY > -kFar && maxY < kFar)) return {};
    return {static_cast<int>(std::floor(minX)), static_cast<int>(std::floor(minY)),
            static_cast<int>(std::ceil(maxX)), static_cast<int>(std::ceil(maxY))};
}

namespace {

// The pixels of one row that the picture covers: texel coordinates start at
// (fu, fv) in 16.16 fixed point and move by (stepU, stepV) a pixel.
struct RowSpan {
    uint32_t* out;
    int count;
    int32_t fu, fv, stepU, stepV;
};

// Everything the inner loop reads, held apart from the pixels it writes so
// the compiler keeps it in registers.
struct Source {
    const uint8_t* texels;
    long pitch;
    unsigned width, height;
    uint32_t alpha, red, green, blue;
};

template <bool kAdditive, bool kTinted>
void DrawRow(const Source& src, RowSpan row) {
    const Source s = src;
    uint32_t* out = row.out;
    int32_t fu = row.fu, fv = row.fv;
    for (int k = 0; k < row.count; ++k, ++out, fu += row.stepU, fv += row.stepV) {
        const unsigned tu = static_cast<unsigned>(fu >> kFixedShift);
        const unsigned tv = static_cast<unsigned>(fv >> kFixedShift);
        if (tu >= s.width || tv >= s.height) continue;
        uint32_t texel;  // bytes R, G, B, A
        std::memcpy(&texel, s.texels + static_cast<long>(tv) * s.pitch + tu * 4, 4);
        const uint32_t sa = Mul255(texel >> 24, s.alpha);
        if (sa == 0) continue;
        uint32_t sr = texel & 0xFF, sg = (texel >> 8) & 0xFF, sb = (texel >> 16) & 0xFF;
        if (kTinted) {
            sr = Mul255(sr, s.red);
            sg = Mul255(sg, s.green);
            sb = Mul255(sb, s.blue);
        }
        const uint32_t d = *out;
        if (kAdditive) {
            const uint32_t r = std::min<uint32_t>(255, ((d >> 16) & 0xFF) + Mul255(sr, sa));
            const uint32_t g = std::min<uint32_t>(255, ((d >> 8) & 0xFF) + Mul255(sg, sa));
            const uint32_t b = std::min<uint32_t>(255, (d & 0xFF) + Mul255(sb, sa));
            *out = (d & 0xFF000000u) | r << 16 | g << 8 | b;
        } else {
            // Red and blue side by side, then green: s x a + d x (1 - a).
            const uint32_t a = sa + (sa >> 7), keep = 256 - a;
            const uint32_t rb = ((sr << 16 | sb) * a + (d & 0xFF00FFu) * keep) >> 8;
            const uint32_t g = ((sg << 8) * a + (d & 0xFF00u) * keep) >> 8;
            const uint32_t alpha = std::min<uint32_t>(255, sa + (((d >> 24) * keep) >> 8));
            *out = alpha << 24 | (rb & 0xFF00FFu) | (g & 0xFF00u);
        }
    }
}

using RowDrawer = void (*)(const Source&, RowSpan);

}  // namespace

void Compose(const ComposeTarget& target, const ComposePicture& p) {
    if (!target.pixels || !p.texels || p.alpha == 0) return;
    ComposeBox box = ComposeBounds(p);
    box.left = std::max(box.left, target.left);
    box.top = std::max(box.top, target.top);
    box.right = std::min(box.right, target.right);
    box.bottom = std::min(box.bottom, target.bottom);
    if (box.Empty()) return;

    // From a target pixel's centre back to texel coordinates.
    const float det = p.m00 * p.m11 - p.m01 * p.m10;
    const float i00 = p.m11 / det, i01 = -p.m01 / det;
    const float i10 = -p.m10 / det, i11 = p.m00 / det;
    const float width = static_cast<float>(p.width), height = static_cast<float>(p.height);
    const int32_t stepU = Fixed(i00), stepV = Fixed(i10);
    const float inverseU = i00 != 0 ? 1 / i00 : 0, inverseV = i10 != 0 ? 1 / i10 : 0;
    const bool tinted = p.red != 255 || p.green != 255 || p.blue != 255;
    const RowDrawer draw = p.additive ? (tinted ? DrawRow<true, true> : DrawRow<true, false>)
                                      : (tinted ? DrawRow<false, true> : DrawRow<false, false>);
    const Source source{p.texels,
                        p.pitch,
                        static_cast<unsigned>(p.width),
                        static_cast<unsigned>(p.height),
                        p.alpha,
                        p.red,
                        p.green,
                        p.blue};
    const int count = box.right - box.left;

    for (int y = box.top; y < box.bottom; ++y) {
        const float cx = box.left + 0.5f - p.tx, cy = y + 0.5f - p.ty;
        const float u = i00 * cx + i01 * cy, v = i10 * cx + i11 * cy;
        int firstU, endU, firstV, endV;
        StepsInside(u, i00, inverseU, width, count, firstU, endU);
        StepsInside(v, i10, inverseV, height, count, firstV, endV);
        const int first = std::max(firstU, firstV), end = std::min(endU, endV);
        if (first >= end) continue;
        uint32_t* out = target.pixels + static_cast<long>(y - target.top) * target.pitch +
                        (box.left + first - target.left);
        draw(source,
             {out, end - first, Fixed(u + i00 * first), Fixed(v + i10 * first), stepU, stepV});
    }
}
