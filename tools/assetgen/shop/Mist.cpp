// Ground mist drifting over the yard in long soft bands. The second layer is
// drawn over the first at the same place, so together they thicken.
#include <algorithm>
#include <cmath>

#include "Decorations.h"
#include "Paint.h"
#include "assetkit/Random.h"

namespace asset::shop {
namespace {

struct MistBand {
    double y, halfHeight, strength;
};

struct MistLook {
    const char* seedName;
    MistBand bands[3];
    double alpha;
    Rgb colour;
};

void PaintMist(Canvas& canvas, const MistLook& look) {
    const int w = canvas.Width(), h = canvas.Height();
    const uint64_t seed = SeedOf(look.seedName);
    canvas.Flush();
    for (int y = 0; y < h; ++y) {
        double envelope = 0;
        for (const MistBand& band : look.bands) {
            const double d = (y - band.y) / band.halfHeight;
            envelope = std::max(envelope, band.strength * std::exp(-d * d));
        }
        // Nothing right at the picture's top and bottom edges.
        envelope *= SmoothStep(0, 24, y) * SmoothStep(0, 24, h - 1 - y);
        uint32_t* row = canvas.Row(y);
        for (int x = 0; x < w; ++x) {
            const double n = FractalNoise(x / 190.0, y / 26.0, seed, 4);
            const double a = std::clamp((n - 0.32) * 1.8, 0.0, 1.0) * envelope * look.alpha;
            // Upper wisps catch more moonlight.
            const Rgb c = Mix(look.colour, style::kMoonlight, std::clamp(1 - y / 180.0, 0.0, 0.5));
            const auto byte = [&](double v) {
                return static_cast<uint32_t>(std::lround(v * a * 255));
            };
            row[x] = byte(1) << 24 | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
        }
    }
    canvas.MarkDirty();
}

constexpr MistLook kMist1{
    "mist one", {{70, 34, 0.8}, {150, 40, 1.0}, {212, 26, 0.7}}, 0.42, style::Rgb8(0xA8B2DC)};
constexpr MistLook kMist2{
    "mist two", {{48, 28, 0.7}, {118, 36, 0.9}, {190, 34, 1.0}}, 0.4, style::Rgb8(0xB8AEE0)};

// For the small pictures: a headstone wreathed in curling mist.
Canvas MistIcon(double strength) {
    Canvas icon(120, 100);
    cairo_t* cr = icon.Cr();
    PaintSolid(cr,
               [](cairo_t* c) {
                   cairo_move_to(c, 40, 84);
                   cairo_line_to(c, 40, 40);
                   cairo_arc(c, 60, 40, 20, M_PI, 2 * M_PI);
                   cairo_line_to(c, 80, 84);
                   cairo_close_path(c);
               },
               {style::Rgb8(0x6E7284), 0.4, 0.5, 1.3, 2.5, 0.55});
    Canvas wisps(120, 100);
    cairo_t* w = wisps.Cr();
    cairo_set_line_cap(w, CAIRO_LINE_CAP_ROUND);
    const double curls[][4] = {{8, 78, 112, 70}, {4, 90, 116, 88}, {14, 60, 100, 56}};
    const int count = strength > 1 ? 3 : 2;
    for (int i = 0; i < count; ++i) {
        const auto& c = curls[i];
        cairo_move_to(w, c[0], c[1]);
        cairo_curve_to(w, 40, c[1] - 18, 70, c[3] + 16, c[2], c[3]);
        cairo_arc(w, c[2] - 8, c[3] + 2, 8, 0, M_PI * 1.3);
        SetColour(w, style::Rgb8(0xD8DEFF), 0.75);
        cairo_set_line_width(w, 6);
        cairo_stroke(w);
    }
    GlowEllipse(w, 60, 84, 58, 14, style::Rgb8(0xC8D0F8), 0.7 * strength);
    wisps.Blur(2.2);
    icon.Draw(wisps, 0, 0);
    if (strength > 1) {
        Sparkle(cr, 26, 40, 5, style::Rgb8(0xD8DEFF), 0.9);
        Sparkle(cr, 96, 30, 4, style::Rgb8(0xD8DEFF), 0.8);
    }
    return icon;
}

}  // namespace

// Softened a little so the bands read as vapour, not streaks.
void DrawMist1(Canvas& canvas) {
    PaintMist(canvas, kMist1);
    canvas.Blur(2.5);
}

void DrawMist2(Canvas& canvas) {
    PaintMist(canvas, kMist2);
    canvas.Blur(2.5);
}
Canvas MistIcon1() {
    return MistIcon(1.0);
}
Canvas MistIcon2() {
    return MistIcon(1.4);
}

}  // namespace asset::shop
