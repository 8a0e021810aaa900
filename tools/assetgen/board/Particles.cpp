// Particles: glows, sparks, rings, beams and fire (bright in the middle and
// fading to nothing, so they work drawn normally or added onto the screen),
// and solid chunks of stone, pumpkin and garlic with their own shading.
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <stdexcept>

#include "Board.h"
#include "assetkit/Random.h"

namespace board {
namespace {

using asset::style::Rgb8;

// ---------------------------------------------------------------------------
// Glow fields: a brightness per pixel mapped through a palette.

struct Stop {
    double at;
    Rgb colour;
    double alpha;
};
using Palette = std::vector<Stop>;

const Palette kBlueFire = {{0.0, Rgb8(0x1020C0), 0.0},
                           {0.25, Rgb8(0x2040FF), 0.45},
                           {0.55, Rgb8(0x40B8FF), 0.85},
                           {0.8, Rgb8(0xB8F0FF), 1.0},
                           {1.0, kWhite, 1.0}};
const Palette kOrangeFire = {{0.0, Rgb8(0xA01800), 0.0},
                             {0.25, Rgb8(0xE83A08), 0.5},
                             {0.55, Rgb8(0xFF9A20), 0.9},
                             {0.8, Rgb8(0xFFE27A), 1.0},
                             {1.0, Rgb8(0xFFFFF0), 1.0}};

void Lookup(const Palette& palette, double value, Rgb& colour, double& alpha) {
    value = std::clamp(value, 0.0, 1.0);
    for (size_t i = 1; i < palette.size(); ++i) {
        if (value <= palette[i].at) {
            const Stop &a = palette[i - 1], &b = palette[i];
            const double t = (value - a.at) / (b.at - a.at);
            colour = Mix(a.colour, b.colour, t);
            alpha = a.alpha + (b.alpha - a.alpha) * t;
            return;
        }
    }
    colour = palette.back().colour;
    alpha = palette.back().alpha;
}

Canvas RenderField(int width, int height, const Palette& palette,
                   const std::function<double(double, double)>& field) {
    constexpr int kSamples = 2;
    return RenderSupersampled(width, height, kSamples,
                              [&](double x, double y, Rgb& colour, double& alpha) {
                                  Lookup(palette, field(x, y), colour, alpha);
                              });
}

// A comet of fire flying left: a round head at (headX, headY) and a
// flickering tail streaming to the right. `phase` moves the flicker.
struct Comet {
    double headX, headY, headRadius, tailLength, tailWidth;
};

double CometField(const Comet& c, double x, double y, double phase, uint64_t seed) {
    const double dx = x - c.headX, dy = y - c.headY;
    const double head = std::exp(-(dx * dx + dy * dy) / (c.headRadius * c.headRadius));
    double tail = 0;
    if (dx > -c.headRadius) {
        // The tail grows smoothly out of the back of the head.
        const double start = std::clamp((dx + c.headRadius) / c.headRadius, 0.0, 1.0);
        const double along = std::clamp(dx / c.tailLength, 0.0, 1.0);
        const double width = c.tailWidth * std::pow(1 - along, 0.8) + 0.5;
        const double wobble =
            (asset::FractalNoise(dx * 0.06 + phase, 3.7, seed, 2) - 0.5) * c.tailWidth * 0.5;
        const double across = (dy - wobble * along * 2) / width;
        const double flicker = asset::FractalNoise(dx * 0.09 + phase * 1.7, dy * 0.12, seed + 1, 3);
        tail = start * start * (3 - 2 * start) * std::exp(-across * across) *
               std::pow(1 - along, 1.3) * (0.55 + 0.7 * flicker);
    }
    return std::max(head, tail * 0.95) + head * tail * 0.3;
}

Canvas CometStrip(const Comet& comet, int cellWidth, int cellHeight, const Palette& palette,
                  const char* seedName) {
    std::vector<Canvas> frames;
    const uint64_t seed = asset::SeedOf(seedName);
    for (int frame = 0; frame < 4; ++frame) {
        const double phase = frame * 1.9;
        frames.push_back(RenderField(cellWidth, cellHeight, palette, [&](double x, double y) {
            return CometField(comet, x, y, phase, seed);
        }));
    }
    return asset::Strip(frames, cellWidth, cellHeight, 4);
}

// ---------------------------------------------------------------------------
// Rings and sparkles

Canvas Ring(Rgb colour) {
    constexpr int kSize = 128;
    constexpr double kCentre = kSize / 2.0, kRadius = 52, kWidth = 5.5;
    const Palette palette = {{0.0, colour, 0.0},
                             {0.5, colour, 0.75},
                             {0.85, Mix(colour, kWhite, 0.6), 1.0},
                             {1.0, kWhite, 1.0}};
    return RenderField(kSize, kSize, palette, [&](double x, double y) {
        const double r = std::hypot(x - kCentre, y - kCentre);
        const double band = (r - kRadius) / kWidth;
        // A sharp outer edge and a softer trail inside, like a shock wave.
        const double ring = band > 0 ? std::exp(-band * band * 2.5) : std::exp(-band * band * 0.35);
        const double wash = r < kRadius ? (r / kRadius) * (r / kRadius) * 0.18 : 0.0;
        return std::max(ring, wash) * (r < kCentre ? 1 : 0);
    });
}

Canvas StarSparkle(int size, int rays, Rgb tint, double glow) {
    Sheet sheet(size, size, 2);
    const double c = size / 2.0;
    cairo_t* cr = sheet.Begin();
    RadialGlow(cr, c, c, c * 0.75, tint.r, tint.g, tint.b, glow);
    Glint(cr, c, c, c * 0.95, Mix(tint, kWhite, 0.6), 1.0);
    if (rays > 4) {
        cairo_save(cr);
        cairo_translate(cr, c, c);
        cairo_rotate(cr, M_PI / 4);
        Glint(cr, 0, 0, c * 0.55, Mix(tint, kWhite, 0.4), 0.85);
        cairo_restore(cr);
    }
    RadialGlow(cr, c, c, c * 0.22, 1, 1, 1, 1.0);
    return sheet.Final();
}

Canvas SoftBall(int size, const Palette& palette, double falloff) {
    const double c = size / 2.0;
    return RenderField(size, size, palette, [&](double x, double y) {
        const double r = std::hypot(x - c, y - c) / c;
        return std::max(0.0, 1 - std::pow(r, falloff));
    });
}

// ---------------------------------------------------------------------------
// Beams, bullets and lightning

Canvas LightBeam(int height) {
    constexpr int kWidth = 1024;
    const Palette palette = {{0.0, Rgb8(0xFFB040), 0.0},
                             {0.35, Rgb8(0xFFD070), 0.55},
                             {0.75, Rgb8(0xFFF4C8), 0.95},
                             {1.0, kWhite, 1.0}};
    const double c = height / 2.0;
    return RenderField(kWidth, height, palette, [&](double x, double y) {
        const double across = (y - c) / c;
        const double core = std::exp(-across * across * 14);
        const double halo = std::exp(-across * across * 3.2) * 0.6;
        // Full strength across the screen, tapering only at the very ends.
        const double end = std::min(x, kWidth - x) / 48.0;
        return (core + halo * (1 - core)) * std::clamp(end, 0.0, 1.0);
    });
}

Canvas SilverBullet() {
    Sheet sheet(20, 56);
    cairo_t* cr = sheet.Begin();
    // A trail of light below the bullet.
    cairo_move_to(cr, 6.5, 22);
    cairo_line_to(cr, 13.5, 22);
    cairo_line_to(cr, 10.8, 55);
    cairo_line_to(cr, 9.2, 55);
    cairo_close_path(cr);
    cairo_pattern_t* trail = cairo_pattern_create_linear(0, 22, 0, 55);
    AddStop(trail, 0, Rgb8(0xE8F2FF), 0.85);
    AddStop(trail, 1, Rgb8(0x90B0FF), 0.0);
    cairo_set_source(cr, trail);
    cairo_fill(cr);
    cairo_pattern_destroy(trail);
    sheet.Blur(1.5);
    Sheet bullet = sheet.Blank();
    cr = bullet.Begin();
    cairo_move_to(cr, 10, 2);
    cairo_curve_to(cr, 13.5, 6, 14.5, 11, 14.5, 14);
    cairo_line_to(cr, 14.5, 24);
    cairo_line_to(cr, 5.5, 24);
    cairo_line_to(cr, 5.5, 14);
    cairo_curve_to(cr, 5.5, 11, 6.5, 6, 10, 2);
    cairo_close_path(cr);
    cairo_pattern_t* silver = cairo_pattern_create_linear(5.5, 0, 14.5, 0);
    AddStop(silver, 0, Rgb8(0x9AA2BC));
    AddStop(silver, 0.3, kWhite);
    AddStop(silver, 0.65, Rgb8(0xB8C0D8));
    AddStop(silver, 1, Rgb8(0x5A6280));
    cairo_set_source(cr, silver);
    cairo_fill(cr);
    cairo_pattern_destroy(silver);
    cairo_rectangle(cr, 5.5, 17, 9, 1.2);
    SetColour(cr, Rgb8(0x6A7290));
    cairo_fill(cr);
    bullet.Outline(0.8, Rgb8(0x2A3048), 0.9);
    bullet.GlowUnder(2.5, Rgb8(0xC8DCFF), 0.9);
    sheet.Draw(bullet);
    return sheet.Final();
}

// A jagged path from (x0, y0) to (x1, y1) by midpoint displacement.
void Jagged(std::vector<Point>& out, Point a, Point b, double spread, int depth, asset::Rng& rng) {
    if (depth == 0) {
        out.push_back(b);
        return;
    }
    const Point mid{(a.x + b.x) / 2 + rng.Range(-spread, spread),
                    (a.y + b.y) / 2 + rng.Range(-spread * 0.3, spread * 0.3)};
    Jagged(out, a, mid, spread * 0.55, depth - 1, rng);
    Jagged(out, mid, b, spread * 0.55, depth - 1, rng);
}

void StrokeBolt(cairo_t* cr, const std::vector<Point>& path, double width, Rgb colour,
                double alpha) {
    cairo_move_to(cr, path[0].x, path[0].y);
    for (const Point& p : path)
        cairo_line_to(cr, p.x, p.y);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, colour, alpha);
    cairo_stroke(cr);
}

Canvas LightningFrame(int frame) {
    // The game stretches the picture so row 15 meets the top of the screen
    // and row 135 the struck cell.
    constexpr int kWidth = 132, kHeight = 150;
    constexpr double kStrike = 135;
    asset::Rng rng(asset::SeedOf("lightning") + frame);
    std::vector<Point> main{{66 + rng.Range(-14, 14), 0}};
    Jagged(main, main[0], {66, kStrike}, 30, 6, rng);
    std::vector<std::vector<Point>> branches;
    for (int i = 0; i < 3; ++i) {
        const Point from = main[static_cast<size_t>(rng.Int(12, 44))];
        const double side = rng.Chance(0.5) ? -1 : 1;
        std::vector<Point> branch{from};
        Jagged(branch, from, {from.x + side * rng.Range(18, 40), from.y + rng.Range(20, 38)}, 9, 4,
               rng);
        branches.push_back(branch);
    }
    Sheet sheet(kWidth, kHeight, 2);
    Sheet glow = sheet.Blank();
    cairo_t* cr = glow.Begin();
    StrokeBolt(cr, main, 9, Rgb8(0x7A70FF), 0.8);
    for (const auto& branch : branches)
        StrokeBolt(cr, branch, 5, Rgb8(0x7A70FF), 0.6);
    RadialGlow(cr, 66, kStrike, 16, 0.75, 0.8, 1.0, 0.9);
    glow.Blur(4.0);
    sheet.Draw(glow);
    cr = sheet.Begin();
    StrokeBolt(cr, main, 3.2, Rgb8(0xC8D4FF), 1.0);
    for (const auto& branch : branches)
        StrokeBolt(cr, branch, 1.8, Rgb8(0xC8D4FF), 0.9);
    StrokeBolt(cr, main, 1.3, kWhite, 1.0);
    for (const auto& branch : branches)
        StrokeBolt(cr, branch, 0.8, kWhite, 1.0);
    Glint(cr, 66, kStrike, 12, kWhite, 1.0);
    return sheet.Final();
}

// ---------------------------------------------------------------------------
// Chunks

// An irregular polygon of `corners` points around the centre, radius
// varying between `minRadius` and `maxRadius`.
std::vector<Point> Shard(asset::Rng& rng, double cx, double cy, int corners, double minRadius,
                         double maxRadius) {
    std::vector<Point> points;
    const double start = rng.Range(0, 2 * M_PI);
    for (int i = 0; i < corners; ++i) {
        const double a = start + 2 * M_PI * (i + rng.Range(-0.25, 0.25)) / corners;
        const double r = rng.Range(minRadius, maxRadius);
        points.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return points;
}

Canvas StoneChunk(int size, const char* seedName) {
    asset::Rng rng(asset::SeedOf(seedName));
    Sheet sheet(size, size);
    const double c = size / 2.0;
    cairo_t* cr = sheet.Begin();
    PolygonPath(cr, Shard(rng, c, c, rng.Int(5, 7), size * 0.26, size * 0.42));
    cairo_pattern_t* stone =
        LitGradient(0, 0, size, size, Rgb8(0xB8B4AC), Rgb8(0x7C7872), Rgb8(0x3E3A3C));
    cairo_set_source(cr, stone);
    cairo_fill(cr);
    cairo_pattern_destroy(stone);
    sheet.Grain(std::max(1.5, size / 9.0), 0.2, seedName);
    sheet.Emboss(std::max(1.0, size / 10.0), 1.0, 0.8);
    sheet.RimLight(-0.8, -0.8, Rgb8(0xE8E4DA), 0.5);
    sheet.Outline(0.8, Rgb8(0x1E1A22), 0.9);
    return sheet.Final();
}

// Pumpkin pieces are added onto the screen, so they keep bright colours:
// orange rind on the outside and golden flesh inside.
Canvas PumpkinChunk(int width, int height, bool rind, const char* seedName) {
    asset::Rng rng(asset::SeedOf(seedName));
    Sheet sheet(width, height);
    const double cx = width / 2.0, cy = height / 2.0;
    cairo_t* cr = sheet.Begin();
    if (rind) {
        // A curved strip of rind with a ragged inner edge.
        cairo_arc(cr, cx, height * 1.6, height * 1.45, M_PI * 1.25, M_PI * 1.75);
        std::vector<Point> inner;
        for (int i = 0; i <= 6; ++i) {
            const double a = M_PI * 1.75 - M_PI * 0.5 * i / 6;
            const double r = height * 1.45 - rng.Range(3.5, 6.5);
            inner.push_back({cx + r * std::cos(a), height * 1.6 + r * std::sin(a)});
        }
        for (const Point& p : inner)
            cairo_line_to(cr, p.x, p.y);
        cairo_close_path(cr);
    } else {
        PolygonPath(cr, Shard(rng, cx, cy, rng.Int(4, 6), std::min(width, height) * 0.24,
                              std::min(width, height) * 0.44));
    }
    cairo_pattern_t* flesh =
        LitGradient(0, 0, width, height, Rgb8(0xFFE8A0), Rgb8(0xFFC050), Rgb8(0xE08A28));
    cairo_set_source(cr, flesh);
    cairo_fill(cr);
    cairo_pattern_destroy(flesh);
    sheet.Grain(1.2, 0.12, seedName);
    // The rind: a deep orange band along the upper-left edges.
    const double rindWidth = std::max(1.5, std::min(width, height) / 7.0);
    sheet.RimLight(-rindWidth, -rindWidth, Rgb8(0xE8600C), 1.0);
    if (!rind && width >= 20) {
        cr = sheet.Begin();
        for (int i = 0; i < 2; ++i) {
            cairo_save(cr);
            cairo_translate(cr, cx + rng.Range(-2, 4), cy + rng.Range(-1, 4));
            cairo_rotate(cr, rng.Range(0, M_PI));
            cairo_scale(cr, 2.2, 1.3);
            cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
            cairo_restore(cr);
            SetColour(cr, Rgb8(0xFFF6DC));
            cairo_fill(cr);
        }
    }
    sheet.Emboss(std::max(1.0, std::min(width, height) / 10.0), 0.9, 0.6);
    sheet.Outline(0.7, Rgb8(0x6A2A06), 0.8);
    return sheet.Final();
}

Canvas GarlicClove() {
    Sheet sheet(24, 24);
    cairo_t* cr = sheet.Begin();
    cairo_move_to(cr, 5, 18);
    cairo_curve_to(cr, 4, 10, 10, 4, 18, 3);
    cairo_curve_to(cr, 16, 7, 19, 13, 20, 19);
    cairo_curve_to(cr, 15, 21, 9, 21, 5, 18);
    cairo_close_path(cr);
    cairo_pattern_t* clove = LitGradient(4, 3, 20, 21, kWhite, Rgb8(0xF0E6DA), Rgb8(0xB8A0B4));
    cairo_set_source(cr, clove);
    cairo_fill(cr);
    cairo_pattern_destroy(clove);
    cairo_move_to(cr, 8, 17);
    cairo_curve_to(cr, 9, 12, 12, 8, 17, 5);
    cairo_set_line_width(cr, 0.8);
    SetColour(cr, Rgb8(0xB07CC0), 0.7);
    cairo_stroke(cr);
    sheet.Emboss(1.6, 0.6, 0.6);
    sheet.Outline(0.8, Rgb8(0x4A3050), 0.85);
    return sheet.Final();
}

Canvas GarlicSkin() {
    asset::Rng rng(asset::SeedOf("garlic skin"));
    Sheet sheet(20, 20);
    cairo_t* cr = sheet.Begin();
    PolygonPath(cr, Shard(rng, 10, 10, 6, 5, 8.5));
    SetColour(cr, Rgb8(0xF4EAE0), 0.92);
    cairo_fill(cr);
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, 6 + i * 3, 5);
        cairo_curve_to(cr, 7 + i * 3, 9, 6 + i * 3, 12, 7 + i * 3, 16);
    }
    cairo_set_line_width(cr, 0.6);
    SetColour(cr, Rgb8(0xC0A0C0), 0.6);
    cairo_stroke(cr);
    sheet.Emboss(1.2, 0.5, 0.4);
    sheet.Outline(0.6, Rgb8(0x6A5070), 0.6);
    return sheet.Final();
}

// ---------------------------------------------------------------------------
// Dust

Canvas DustMote() {
    Sheet sheet(16, 16, 2);
    cairo_t* cr = sheet.Begin();
    RadialGlow(cr, 8, 8, 7, 0.95, 0.9, 0.8, 0.6);
    Glint(cr, 8, 8, 6, Rgb8(0xFFF8E8), 0.9);
    return sheet.Final();
}

Canvas DustPuff(bool swirl) {
    const uint64_t seed = asset::SeedOf(swirl ? "dust swirl" : "dust puff");
    const Palette palette = {
        {0.0, Rgb8(0x8A8494), 0.0}, {0.5, Rgb8(0xB4AEB8), 0.45}, {1.0, Rgb8(0xE8E2E0), 0.8}};
    return RenderField(32, 32, palette, [&](double x, double y) {
        const double dx = x - 16, dy = y - 16;
        double r = std::hypot(dx, dy) / 14;
        if (swirl) {
            // Bend the noise round the centre so the puff reads as a curl.
            const double a = std::atan2(dy, dx) + r * 2.4;
            const double n = asset::FractalNoise(std::cos(a) * 2 + 4, std::sin(a) * 2 + 4, seed, 3);
            return std::max(0.0, (1 - r) * 1.4) * (0.3 + n);
        }
        const double n = asset::FractalNoise(x * 0.18, y * 0.18, seed, 3);
        r += (n - 0.5) * 0.5;
        return std::max(0.0, 1 - r) * 1.2;
    });
}

const std::map<std::string, std::function<Canvas()>>& Catalogue() {
    static const std::map<std::string, std::function<Canvas()>> catalogue = {
        {"GoldTileParticle", GoldLayerParticle},
        {"SilverTileParticle", SilverLayerParticle},
        {"blurefireanim",
         [] {
             return CometStrip({38, 60, 13, 78, 20}, 120, 120, kBlueFire, "blue fire");
         }},
        {"fireballanim",
         [] {
             return CometStrip({24, 32, 11, 60, 14}, 90, 64, kOrangeFire, "fire comet");
         }},
        {"Fireball",
         [] {
             const uint64_t seed = asset::SeedOf("fireball");
             return RenderField(64, 64, kOrangeFire, [seed](double x, double y) {
                 return CometField({26, 32, 14, 34, 15}, x, y, 0.7, seed);
             });
         }},
        {"dust1", DustMote},
        {"dust2", [] { return DustPuff(false); }},
        {"dust3", [] { return DustPuff(true); }},
        {"garlicchunk3", GarlicClove},
        {"garlicchunk4", GarlicSkin},
        {"lightbeam thin", [] { return LightBeam(40); }},
        {"lightbeam thick", [] { return LightBeam(64); }},
        {"pumpkinchunklarge1", [] { return PumpkinChunk(28, 28, false, "pumpkin large 1"); }},
        {"pumpkinchunklarge2", [] { return PumpkinChunk(28, 28, false, "pumpkin large 2"); }},
        {"pumpkinchunklarge3", [] { return PumpkinChunk(28, 28, false, "pumpkin large 3"); }},
        {"pumpkinchunkmedium1", [] { return PumpkinChunk(20, 20, false, "pumpkin medium 1"); }},
        {"pumpkinchunkmedium2", [] { return PumpkinChunk(20, 20, false, "pumpkin medium 2"); }},
        {"pumpkinchunkedge1", [] { return PumpkinChunk(24, 16, true, "pumpkin edge 1"); }},
        {"pumpkinchunkedge2", [] { return PumpkinChunk(24, 16, true, "pumpkin edge 2"); }},
        {"pumpkinchunksmall1", [] { return PumpkinChunk(12, 12, false, "pumpkin small 1"); }},
        {"pumpkinchunksmall2", [] { return PumpkinChunk(12, 12, false, "pumpkin small 2"); }},
        {"silverbulletparticle", SilverBullet},
        {"stonechunkbig1", [] { return StoneChunk(30, "stone big 1"); }},
        {"stonechunkbig2", [] { return StoneChunk(30, "stone big 2"); }},
        {"stonechunkbig3", [] { return StoneChunk(30, "stone big 3"); }},
        {"stonechunkbig4", [] { return StoneChunk(30, "stone big 4"); }},
        {"stonechunkmedium1", [] { return StoneChunk(18, "stone medium 1"); }},
        {"stonechunkmedium2", [] { return StoneChunk(18, "stone medium 2"); }},
        {"stonechunkmedium3", [] { return StoneChunk(18, "stone medium 3"); }},
        {"stonechunksmall1", [] { return StoneChunk(10, "stone small 1"); }},
        {"stonechunksmall2", [] { return StoneChunk(10, "stone small 2"); }},
        {"stonechunksmall3", [] { return StoneChunk(10, "stone small 3"); }},
        {"ParticleRing", [] { return Ring(Rgb8(0xA8D8FF)); }},
        {"ParticleRingPink", [] { return Ring(Rgb8(0xFF6EC0)); }},
        {"ParticleRingGreen", [] { return Ring(Rgb8(0x6EFF86)); }},
        {"ParticleRingOrange", [] { return Ring(Rgb8(0xFF9A2E)); }},
        {"ParticleRingWhite", [] { return Ring(Rgb8(0xF4F0FF)); }},
        {"Clausparkle", [] { return StarSparkle(32, 4, kWhite, 0.5); }},
        {"ClausparkleFull", [] { return StarSparkle(48, 8, Rgb8(0xFFF4D8), 0.6); }},
        {"sparkle", [] { return StarSparkle(24, 4, kWhite, 0.35); }},
        {"sparklegold", [] { return StarSparkle(24, 4, Rgb8(0xFFC83A), 0.6); }},
        {"RedBall",
         [] {
             return SoftBall(24,
                             {{0.0, Rgb8(0xC01000), 0.0},
                              {0.5, Rgb8(0xFF3A1A), 0.7},
                              {0.85, Rgb8(0xFF9A6A), 1.0},
                              {1.0, Rgb8(0xFFE8D8), 1.0}},
                             1.4);
         }},
        {"GoldDust",
         [] {
             return SoftBall(20,
                             {{0.0, Rgb8(0xC08010), 0.0},
                              {0.5, Rgb8(0xFFC83A), 0.6},
                              {1.0, Rgb8(0xFFF6C8), 1.0}},
                             1.2);
         }},
        {"Lightning",
         [] {
             return asset::Strip({LightningFrame(0), LightningFrame(1), LightningFrame(2)}, 132,
                                 150, 3);
         }},
    };
    return catalogue;
}

}  // namespace

Canvas ParticlePicture(const std::string& name) {
    const auto& catalogue = Catalogue();
    const auto found = catalogue.find(name);
    if (found == catalogue.end()) throw std::runtime_error("unknown particle " + name);
    return found->second();
}

}  // namespace board
