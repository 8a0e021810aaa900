// The old stone well beside the lightning tree, and the restored well with
// its lantern, gilded winch and glowing water.
#include <algorithm>
#include <cmath>

#include "Decorations.h"
#include "Paint.h"
#include "assetkit/Random.h"

namespace asset::shop {
namespace {

constexpr Rgb kWellStone = style::Rgb8(0x5E6072);

// The well's shape in its picture: a stone drum seen from slightly above.
struct WellShape {
    double cx = 68, radius = 52;
    double rimY = 100, baseY = 142;
    double squash = 0.26;  // how round the top ellipse looks
};

void DrumPath(cairo_t* cr, const WellShape& w) {
    cairo_move_to(cr, w.cx - w.radius, w.rimY);
    cairo_line_to(cr, w.cx - w.radius, w.baseY);
    cairo_save(cr);
    cairo_translate(cr, w.cx, w.baseY);
    cairo_scale(cr, w.radius, w.radius * w.squash);
    cairo_arc_negative(cr, 0, 0, 1, M_PI, 0);
    cairo_restore(cr);
    cairo_line_to(cr, w.cx + w.radius, w.rimY);
    cairo_close_path(cr);
}

// One stone of a course, between two angles round the drum. Courses curve
// with the cylinder, lower at the middle.
void CourseStone(cairo_t* cr, const WellShape& w, double y, double a0, double a1, Rgb tone) {
    const double course = 13;
    const double x0 = w.cx + std::sin(a0) * w.radius, x1 = w.cx + std::sin(a1) * w.radius;
    const double sag0 = std::cos(a0) * w.radius * w.squash;
    const double sag1 = std::cos(a1) * w.radius * w.squash;
    if (x1 - x0 <= 2 || y + sag0 >= w.baseY + w.radius * w.squash - 2) return;
    const double shade = 0.3 * std::sin((a0 + a1) / 2);  // darker round to the right
    PaintSolid(cr,
               [&](cairo_t* c) {
                   cairo_move_to(c, x0, y + sag0);
                   cairo_line_to(c, x1, y + sag1);
                   cairo_line_to(c, x1, std::min(y + sag1 + course - 3, w.baseY + sag1));
                   cairo_line_to(c, x0, std::min(y + sag0 + course - 3, w.baseY + sag0));
                   cairo_close_path(c);
               },
               {Darken(tone, shade), 0.35, 0.45, 0.8, 1.5, 0.5});
}

// Stone courses wrapped round the drum, over dark mortar.
void StoneDrum(cairo_t* cr, const WellShape& w) {
    PaintSolid(cr, [&](cairo_t* c) { DrumPath(c, w); },
               {Darken(kWellStone, 0.45), 0.2, 0.4, 1.3, 0, 0});
    Rng rng(SeedOf("well wall"));
    int row = 0;
    for (double y = w.rimY + 2; y < w.baseY + w.radius * w.squash - 4; y += 13, ++row) {
        double angle = -M_PI / 2 + (row % 2 ? 0.18 : 0);
        while (angle < M_PI / 2) {
            const double step = rng.Range(0.36, 0.5);
            const Rgb tone = Mix(kWellStone, style::Rgb8(0x6A7A6A), rng.Uniform() * 0.5);
            CourseStone(cr, w, y, angle + 0.03, std::min(M_PI / 2, angle + step) - 0.03, tone);
            angle += step;
        }
    }
}

// Two posts, the winch log with rope wound on it, and the crank.
void Winch(cairo_t* cr, const WellShape& w, bool restored) {
    for (double px : {w.cx - w.radius + 8, w.cx + w.radius - 8}) {
        PaintSolid(
            cr, [&](cairo_t* c) { cairo_rectangle(c, px - 5, 30, 10, w.rimY - 26); },
            WoodMaterial());
    }
    PaintSolid(
        cr,
        [&](cairo_t* c) { RoundedRectangle(c, w.cx - w.radius + 6, 50, w.radius * 2 - 12, 11, 4); },
        WoodMaterial(style::kLightWood));
    for (double x = w.cx - 14; x < w.cx + 14; x += 3.5) {
        cairo_move_to(cr, x, 50);
        cairo_line_to(cr, x + 2, 61);
    }
    SetColour(cr, style::Rgb8(0x8A7048));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    const Material crank = restored ? GiltMaterial() : IronMaterial();
    const double x = w.cx + w.radius;
    PaintSolid(
        cr,
        [&](cairo_t* c) {
            PolygonPath(c, {x - 4, 53, x + 8, 53, x + 8, 57, x - 4, 57});
        },
        crank);
    PaintSolid(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x + 6, 55, 4, 16); }, crank);
}

// A boarded gable under two thick shingled edges.
void WellRoof(cairo_t* cr, const WellShape& w) {
    auto gable = [&](cairo_t* c) {
        PolygonPath(c, {w.cx - w.radius + 2, 40, w.cx, 14, w.cx + w.radius - 2, 40});
    };
    PaintSolid(cr, gable, {style::Rgb8(0x4A3A30), 0.3, 0.45, 1.0, 2.0, 0.4});
    cairo_save(cr);
    gable(cr);
    cairo_clip(cr);
    for (double x = w.cx - w.radius; x < w.cx + w.radius; x += 9) {
        cairo_move_to(cr, x, 10);
        cairo_line_to(cr, x, 42);
    }
    SetColour(cr, style::Rgb8(0x20161A), 0.5);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
    for (double side : {-1.0, 1.0}) {
        const double eave = w.cx + side * (w.radius + 10);
        PaintSolid(cr,
                   [&](cairo_t* c) {
                       PolygonPath(c, {w.cx, 6, eave, 42, eave, 52, w.cx, 17});
                   },
                   {style::Rgb8(0x3E3654), 0.45, 0.5, 1.2, 2.5, 0.6});
    }
}

void Bucket(cairo_t* cr, const WellShape& w, bool restored) {
    const double cx = w.cx;
    cairo_move_to(cr, cx + 4, 61);
    cairo_line_to(cr, cx + 4, 74);
    SetColour(cr, style::Rgb8(0x9A8058));
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    PaintSolid(
        cr,
        [&](cairo_t* c) {
            PolygonPath(c, {cx - 8, 76, cx + 16, 76, cx + 13, 94, cx - 5, 94});
        },
        WoodMaterial(style::Rgb8(0x6A5038)));
    cairo_arc(cr, cx + 4, 78, 10, M_PI, 2 * M_PI);
    SetColour(cr, style::kIron);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    for (double y : {80.0, 90.0}) {
        cairo_move_to(cr, cx - 7, y);
        cairo_line_to(cr, cx + 15, y);
    }
    SetColour(cr, restored ? kGilt : style::kIron);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

// The rim of the drum and the water inside: dark, or glowing once restored.
void RimAndWater(cairo_t* cr, const WellShape& w, bool restored) {
    PaintSolid(
        cr,
        [&](cairo_t* c) { EllipsePath(c, w.cx, w.rimY, w.radius + 3, w.radius * w.squash + 3); },
        {kWellStone, 0.45, 0.5, 1.2, 2.5, 0.6});
    EllipsePath(cr, w.cx, w.rimY, w.radius - 7, w.radius * w.squash - 3);
    if (!restored) {
        SetColour(cr, style::Rgb8(0x10142A));
        cairo_fill(cr);
        return;
    }
    cairo_pattern_t* water =
        cairo_pattern_create_radial(w.cx, w.rimY + 2, 2, w.cx, w.rimY, w.radius - 7);
    cairo_pattern_add_color_stop_rgb(water, 0, 0.6, 1.0, 0.95);
    cairo_pattern_add_color_stop_rgb(water, 1, 0.1, 0.35, 0.45);
    cairo_set_source(cr, water);
    cairo_fill(cr);
    cairo_pattern_destroy(water);
    Glow(cr, w.cx, w.rimY - 6, 46, style::Rgb8(0x80FFE8), 0.35);
}

// The restored well's extras: a small lantern on the left post, ivy on the
// stones and sparkles over the water.
void Restorations(cairo_t* cr, const WellShape& w) {
    const double lanternX = w.cx - w.radius - 2;
    cairo_move_to(cr, w.cx - w.radius + 8, 60);
    cairo_line_to(cr, lanternX, 60);
    cairo_line_to(cr, lanternX, 64);
    SetColour(cr, kGilt);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    Glow(cr, lanternX, 74, 20, style::kCandle, 0.5);
    PaintSolid(cr, [&](cairo_t* c) { RoundedRectangle(c, lanternX - 5, 65, 10, 16, 2); },
               {style::kCandle, 0.5, 0.3, 1.0, 1.0, 0.4});
    Flame(cr, lanternX, 77, 3.5, 8);
    Rng rng(SeedOf("ivy"));
    for (int i = 0; i < 16; ++i) {
        const double x = w.cx - w.radius + 4 + rng.Range(0, 30);
        const double y = w.rimY + 6 + rng.Range(0, 44);
        PaintSolid(cr, [&](cairo_t* c) { EllipsePath(c, x, y, 3.2, 2.4); },
                   {style::kMoss, 0.45, 0.5, 0.8, 1.0, 0.5});
    }
    Sparkle(cr, w.cx + 30, w.rimY - 10, 4, style::Rgb8(0xB0FFF0), 0.9);
    Sparkle(cr, w.cx - 20, w.rimY - 4, 3, style::Rgb8(0xB0FFF0), 0.8);
}

void PaintWell(Canvas& canvas, bool restored) {
    cairo_t* cr = canvas.Cr();
    const WellShape w;
    GroundShadow(cr, w.cx + 14, w.baseY + w.radius * w.squash + 2, w.radius * 1.15, 10);
    // Back to front: the frame stands behind the drum's front wall.
    Winch(cr, w, restored);
    WellRoof(cr, w);
    Bucket(cr, w, restored);
    StoneDrum(cr, w);
    RimAndWater(cr, w, restored);
    if (restored) Restorations(cr, w);
}

}  // namespace

void DrawWell1(Canvas& canvas) {
    PaintWell(canvas, false);
}

void DrawWell2(Canvas& canvas) {
    PaintWell(canvas, true);
}

}  // namespace asset::shop
