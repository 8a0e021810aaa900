// The shop's backdrop: night sky with the moon up to the left (the light of
// every object comes from there), far hills, the yard with its path, and the
// crooked house whose windows, porch, roof and chimney are where the
// decorations go.
#include <algorithm>
#include <cmath>
#include <utility>

#include "House.h"
#include "Paint.h"
#include "Scene.h"
#include "Trees.h"
#include "assetkit/Random.h"

namespace asset::shop {
namespace {

constexpr int kWidth = 1024, kHeight = 768;

struct SkyStop {
    double y;
    Rgb colour;
};
constexpr SkyStop kSky[] = {
    {0, style::Rgb8(0x080B22)},   {160, style::Rgb8(0x121943)}, {290, style::Rgb8(0x212659)},
    {360, style::Rgb8(0x383270)}, {410, style::Rgb8(0x54437E)},
};
constexpr SkyStop kGround[] = {
    {380, style::Rgb8(0x242C48)},
    {470, style::Rgb8(0x1F2C40)},
    {560, style::Rgb8(0x1B2C30)},
    {768, style::Rgb8(0x132220)},
};

template <size_t N>
Rgb Gradient(const SkyStop (&stops)[N], double y) {
    if (y <= stops[0].y) return stops[0].colour;
    for (size_t i = 1; i < N; ++i) {
        if (y <= stops[i].y) {
            return Mix(stops[i - 1].colour, stops[i].colour,
                       (y - stops[i - 1].y) / (stops[i].y - stops[i - 1].y));
        }
    }
    return stops[N - 1].colour;
}

double CloudDensity(double x, double y) {
    const double n = FractalNoise(x / 230.0, y / 52.0, SeedOf("shop clouds"), 5);
    const double band = 0.95 * std::exp(-std::pow((y - 165) / 80, 2)) +
                        0.7 * std::exp(-std::pow((y - 300) / 38, 2));
    return SmoothStep(0.5, 0.8, n) * band;
}

uint32_t Pack(Rgb c) {
    auto byte = [](double v) {
        return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    };
    return 0xFF000000u | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
}

// Small per-pixel grain so large areas look painted, not flat.
double Grain(int x, int y) {
    uint64_t h = static_cast<uint64_t>(x) * 0x9E3779B97F4A7C15ull ^
                 static_cast<uint64_t>(y) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return (h & 0xFFFF) / 65535.0 - 0.5;
}

double FarRidge(double x) {
    return 404 - 62 * FractalNoise(x / 170.0, 0.5, SeedOf("far hills"), 3);
}
double NearRidge(double x) {
    return 424 - 32 * FractalNoise(x / 120.0, 0.5, SeedOf("near hills"), 3);
}

Rgb SkyPixel(int x, int y) {
    Rgb colour = Gradient(kSky, y);
    const double moonDistance = std::hypot(x - place::kMoonX, y - place::kMoonY);
    const double cloud = CloudDensity(x, y);
    if (cloud > 0) {
        // Clouds catch the moonlight near the moon and on their upper side.
        const double lit = std::exp(-moonDistance / 260);
        const Rgb cloudColour =
            Mix(style::Rgb8(0x2C3064), style::Rgb8(0x9A9BCC), std::clamp(lit * 1.3, 0.0, 1.0));
        colour = Mix(colour, cloudColour, std::min(0.75, cloud));
    }
    return Mix(colour, style::kMoonlight, 0.004 * Grain(x, y));
}

Rgb GroundPixel(int x, int y) {
    Rgb colour = Gradient(kGround, y);
    const double patches = FractalNoise(x / 80.0, y / 26.0, SeedOf("shop ground"), 4);
    const double grass = ValueNoise(x / 2.5, y / 9.0, SeedOf("shop grass"));
    colour = Mix(colour, style::Rgb8(0x34503E), std::max(0.0, patches - 0.5) * 0.55);
    colour = Darken(colour, std::max(0.0, 0.45 - patches) * 0.5);
    colour = Mix(colour, Lighten(colour, 0.3), (grass - 0.5) * 0.16);
    return Mix(colour, style::kMoonlight, 0.02 * Grain(x, y));
}

void PaintSkyAndGround(Canvas& canvas) {
    double ridge[kWidth];
    for (int x = 0; x < kWidth; ++x)
        ridge[x] = NearRidge(x);
    canvas.Flush();
    for (int y = 0; y < kHeight; ++y) {
        uint32_t* row = canvas.Row(y);
        for (int x = 0; x < kWidth; ++x)
            row[x] = Pack(y < ridge[x] ? SkyPixel(x, y) : GroundPixel(x, y));
    }
    canvas.MarkDirty();
}

void DrawStars(cairo_t* cr) {
    Rng rng(SeedOf("shop stars"));
    for (int i = 0; i < 260; ++i) {
        const double x = rng.Range(0, kWidth), y = rng.Range(0, 340) * rng.Range(0.3, 1.0);
        const double size = rng.Chance(0.08) ? rng.Range(2.5, 4.5) : rng.Range(0.5, 1.4);
        const double cloud = CloudDensity(x, y);
        if (cloud > 0.3 || std::hypot(x - place::kMoonX, y - place::kMoonY) < 90) continue;
        const double alpha = rng.Range(0.45, 1.0) * (1 - cloud * 2) * (1 - y / 420);
        const Rgb tint = Mix(style::kMoonlight, style::Rgb8(0xFFE6B0), rng.Uniform() * 0.5);
        if (size > 2) {
            Sparkle(cr, x, y, size, tint, alpha);
        } else {
            Glow(cr, x, y, size * 2.2, tint, alpha);
        }
    }
}

void DrawMoon(cairo_t* cr) {
    const double x = place::kMoonX, y = place::kMoonY, r = place::kMoonRadius;
    Glow(cr, x, y, r * 6.5, style::Rgb8(0x8C86C8), 0.35);
    Glow(cr, x, y, r * 2.4, style::Rgb8(0xE0DCF8), 0.35);
    cairo_pattern_t* disc =
        cairo_pattern_create_radial(x - r * 0.35, y - r * 0.35, r * 0.1, x, y, r);
    cairo_pattern_add_color_stop_rgb(disc, 0, 1.0, 0.99, 0.94);
    cairo_pattern_add_color_stop_rgb(disc, 0.7, 0.95, 0.93, 0.84);
    cairo_pattern_add_color_stop_rgb(disc, 1, 0.82, 0.80, 0.78);
    cairo_set_source(cr, disc);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(disc);
    // Soft grey seas and a few craters.
    const struct {
        double dx, dy, rx, ry, alpha;
    } marks[] = {{-12, -10, 14, 10, 0.13}, {10, 8, 16, 12, 0.12}, {-4, 18, 9, 6, 0.1},
                 {18, -16, 6, 5, 0.12},    {-22, 10, 5, 4, 0.14}, {4, -24, 4, 3, 0.12}};
    cairo_save(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_clip(cr);
    for (const auto& m : marks) {
        EllipsePath(cr, x + m.dx, y + m.dy, m.rx, m.ry);
        cairo_set_source_rgba(cr, 0.55, 0.55, 0.66, m.alpha);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

// Rolling far hills between the sky and the yard, with moonlit crests.
void DrawHills(cairo_t* cr) {
    constexpr int kStep = 4;
    cairo_move_to(cr, 0, FarRidge(0));
    for (int x = kStep; x <= kWidth; x += kStep)
        cairo_line_to(cr, x, FarRidge(x));
    for (int x = kWidth; x >= 0; x -= kStep)
        cairo_line_to(cr, x, NearRidge(x) + 1);
    cairo_close_path(cr);
    cairo_pattern_t* far = cairo_pattern_create_linear(0, 340, 0, 425);
    cairo_pattern_add_color_stop_rgb(far, 0, 0.28, 0.26, 0.46);
    cairo_pattern_add_color_stop_rgb(far, 1, 0.19, 0.2, 0.33);
    cairo_set_source(cr, far);
    cairo_fill(cr);
    cairo_pattern_destroy(far);
    for (const auto& [ridge, alpha] : {std::pair{&FarRidge, 0.3}, std::pair{&NearRidge, 0.18}}) {
        cairo_move_to(cr, 0, ridge(0));
        for (int x = kStep; x <= kWidth; x += kStep)
            cairo_line_to(cr, x, ridge(x));
        SetColour(cr, style::Rgb8(0xB8B4E0), alpha);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
}

// Tiny far trees and headstones on the hills, faded by the night air.
void DrawDistantSilhouettes(cairo_t* cr) {
    const Rgb haze = style::Rgb8(0x2A2B4C);
    const struct {
        double x, y, size;
    } trees[] = {
        {22, 382, 0.8}, {130, 372, 1.1}, {770, 388, 0.9}, {985, 380, 1.2}, {700, 392, 0.6}};
    for (const auto& t : trees) {
        Tree tree(0, 0, kWidth, kHeight, SeedOf("far tree") + static_cast<uint64_t>(t.x));
        tree.AddLimb({{t.x, t.y}, {t.x + 2, t.y - 22 * t.size}, {t.x - 3, t.y - 40 * t.size}},
                     5 * t.size, 1.5, 4, 2);
        SetColour(cr, haze, 0.9);
        tree.FillSilhouette(cr);
    }
    Rng rng(SeedOf("far stones"));
    for (int i = 0; i < 14; ++i) {
        const double x = i < 7 ? rng.Range(60, 230) : rng.Range(760, 1000);
        const double y = 398 + rng.Range(0, 14);
        const double h = rng.Range(6, 11), w = h * rng.Range(0.5, 0.75);
        cairo_new_path(cr);
        cairo_move_to(cr, x - w / 2, y);
        cairo_line_to(cr, x - w / 2, y - h + w / 2);
        cairo_arc(cr, x, y - h + w / 2, w / 2, M_PI, 2 * M_PI);
        cairo_line_to(cr, x + w / 2, y);
        cairo_close_path(cr);
        SetColour(cr, Mix(haze, style::kFog, 0.12), 0.95);
        cairo_fill(cr);
    }
}

// Weathered picket fences in the middle distance, left and right of the house.
void DrawBackFences(cairo_t* cr) {
    const Material wood{style::Rgb8(0x4A4258), 0.3, 0.45, 1.0, 1.4, 0.4};
    auto fence = [&](double x0, double x1, double baseY, double slope, uint64_t seed) {
        Rng rng(seed);
        auto yAt = [&](double x) { return baseY + (x - x0) * slope; };
        PaintSolid(
            cr,
            [&](cairo_t* c) {
                PolygonPath(
                    c, {x0, yAt(x0) - 26, x1, yAt(x1) - 26, x1, yAt(x1) - 21, x0, yAt(x0) - 21});
                PolygonPath(c,
                            {x0, yAt(x0) - 12, x1, yAt(x1) - 12, x1, yAt(x1) - 7, x0, yAt(x0) - 7});
            },
            wood);
        for (double x = x0 + 4; x < x1 - 4; x += 13) {
            if (rng.Chance(0.12)) continue;  // a missing picket
            const double lean = rng.Range(-2.5, 2.5), h = rng.Range(30, 38);
            const double y = yAt(x);
            PaintSolid(
                cr,
                [&](cairo_t* c) {
                    PolygonPath(c, {x - 3.5, y, x + 3.5, y, x + 3.5 + lean, y - h + 4, x + lean,
                                    y - h, x - 3.5 + lean, y - h + 4});
                },
                wood);
        }
    };
    fence(-6, 238, 410, 0.01, SeedOf("left fence"));
    fence(742, 1030, 412, -0.015, SeedOf("right fence"));
}

// The path's edges at a height: it leaves the steps and widens towards the
// front, bending a little to the left.
void PathEdges(double y, double& left, double& right) {
    const double t = std::clamp((y - 508) / (kHeight - 508), 0.0, 1.0);
    left = 456 - 36 * t;
    right = 566 + 54 * t * (0.6 + 0.4 * t);
}

// Irregular flagstones from the porch steps down to the front of the yard.
void DrawPath(cairo_t* cr) {
    cairo_move_to(cr, 456, 506);
    for (double y = 506; y <= kHeight; y += 8) {
        double left, right;
        PathEdges(y, left, right);
        cairo_line_to(cr, left, y);
    }
    for (double y = kHeight; y >= 506; y -= 8) {
        double left, right;
        PathEdges(y, left, right);
        cairo_line_to(cr, right, y);
    }
    cairo_close_path(cr);
    SetColour(cr, style::Rgb8(0x2C2A34));
    cairo_fill(cr);

    Rng rng(SeedOf("path stones"));
    for (double y = 514; y < kHeight + 20;) {
        const double t = (y - 508) / (kHeight - 508);
        double left, right;
        PathEdges(y, left, right);
        const double rowHeight = 10 + 18 * t;
        double x = left + rng.Range(1, 5);
        while (x < right - 8) {
            const double w = std::min(rng.Range(22, 36) * (0.7 + 0.7 * t), right - x - 2);
            const double cx = x + w / 2, cy = y + rowHeight / 2 + rng.Range(-1.5, 1.5);
            const Rgb tone = Mix(style::Rgb8(0x545266), style::Rgb8(0x4A5A58), rng.Uniform() * 0.7);
            PaintSolid(
                cr,
                [&](cairo_t* c) { BlobPath(c, cx, cy, w / 2 - 1.5, rowHeight / 2 - 1, 0.12, rng); },
                {Darken(tone, rng.Range(0, 0.25)), 0.3, 0.5, 1.0, 1.5 + 2 * t, 0.45});
            x += w + rng.Range(2, 5);
        }
        y += rowHeight + 2.5;
    }
}

// Ring of stones with ash where the cauldron's fire will burn.
void DrawFirePit(cairo_t* cr) {
    const double cx = 777, cy = 420;
    GroundShadow(cr, cx, cy, 46, 11, 0.5);
    EllipsePath(cr, cx, cy, 30, 7);
    SetColour(cr, style::Rgb8(0x3A3440), 1);
    cairo_fill(cr);
    Glow(cr, cx, cy, 14, style::Rgb8(0xB0502A), 0.35);
    const Material stone{style::Rgb8(0x6C6A7C), 0.35, 0.5, 1.0, 1.5, 0.5};
    for (int i = 0; i < 12; ++i) {
        const double a = M_PI * 2 * i / 12;
        const double x = cx + std::cos(a) * 32, y = cy + std::sin(a) * 8;
        PaintSolid(
            cr, [&](cairo_t* c) { EllipsePath(c, x, y, 6.5, 4.5); }, stone);
    }
}

// A low band of fog sitting on the horizon, behind the house.
void DrawHorizonFog(cairo_t* cr) {
    for (int i = 0; i < 7; ++i) {
        const double x = 80 + i * 150, y = 404 + (i % 3) * 6;
        GlowEllipse(cr, x, y, 190, 22, style::Rgb8(0x8A8FC0), 0.18);
    }
}

// Darkens the corners and the foot of the picture so the eye rests on the
// house, and washes moonlight down from the top left.
void DrawVignette(cairo_t* cr) {
    cairo_pattern_t* shade = cairo_pattern_create_radial(512, 360, 260, 512, 400, 760);
    cairo_pattern_add_color_stop_rgba(shade, 0, 0.03, 0.02, 0.08, 0);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0.03, 0.02, 0.08, 0.6);
    cairo_set_source(cr, shade);
    cairo_paint(cr);
    cairo_pattern_destroy(shade);
    Glow(cr, place::kMoonX, place::kMoonY, 520, style::Rgb8(0x9890D0), 0.1);
}

// A hazy line of trees far behind, on the left hills.
void DrawFarTreeline(cairo_t* cr) {
    const double trunks[][3] = {{30, 392, 1.6}, {92, 384, 2.1}, {150, 388, 1.5}, {206, 392, 1.8}};
    for (const auto& t : trunks) {
        Tree tree(0, 0, kWidth, kHeight, SeedOf("treeline") + static_cast<uint64_t>(t[0]));
        tree.AddLimb({{t[0], t[1]}, {t[0] - 4, t[1] - 40 * t[2]}, {t[0] + 3, t[1] - 80 * t[2]}},
                     7 * t[2], 1.5, 6, 2);
        SetColour(cr, style::Rgb8(0x2E2C52), 0.85);
        tree.FillSilhouette(cr);
    }
}

// Scattered tufts, weeds and pebbles on the lawn.
void DrawLawnDetail(cairo_t* cr) {
    Rng rng(SeedOf("lawn"));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 520; ++i) {
        const double x = rng.Range(0, kWidth), y = rng.Range(420, kHeight);
        if (x > 250 && x < 740 && y < 480) continue;                        // behind the house
        if (std::abs(x - 510) < 70 + (y - 500) * 0.5 && y > 500) continue;  // the path
        const double scale = 0.5 + (y - 420) / 350;
        const Rgb blade = Mix(style::Rgb8(0x3E5E3A), style::Rgb8(0x6E8E5A), rng.Uniform());
        for (int b = 0; b < 5; ++b) {
            const double lean = rng.Range(-5, 5) * scale, h = rng.Range(5, 11) * scale;
            const double bx = x + rng.Range(-4, 4) * scale;
            cairo_move_to(cr, bx, y);
            cairo_curve_to(cr, bx, y - h / 2, bx + lean / 2, y - h, bx + lean, y - h);
            SetColour(cr, Darken(blade, rng.Uniform() * 0.4), 0.75);
            cairo_set_line_width(cr, 1.1 * scale);
            cairo_stroke(cr);
        }
    }
}

}  // namespace

Canvas DrawShopBackdrop() {
    Canvas canvas(kWidth, kHeight);
    PaintSkyAndGround(canvas);
    cairo_t* cr = canvas.Cr();
    DrawStars(cr);
    DrawMoon(cr);
    DrawHills(cr);
    DrawFarTreeline(cr);
    DrawDistantSilhouettes(cr);
    DrawHorizonFog(cr);
    DrawBackFences(cr);
    DrawLawnDetail(cr);
    DrawPath(cr);
    DrawFirePit(cr);
    DrawHouse(cr);
    DrawVignette(cr);
    canvas.Reset();
    return canvas;
}

}  // namespace asset::shop
