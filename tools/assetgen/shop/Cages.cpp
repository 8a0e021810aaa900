// Bird cages hanging from the tree on the right, each holding a crystal
// ball; the last one is large and gilded.
#include <algorithm>
#include <cmath>

#include "Decorations.h"
#include "Paint.h"
#include "assetkit/Random.h"

namespace asset::shop {
namespace {

constexpr Rgb kCrystal = style::Rgb8(0x8C7CFF);

struct CageLook {
    double cx, top, width, bodyTop, bodyBottom;
    double ballRadius, glow;
    bool gilded;
};

void CageBars(cairo_t* cr, const CageLook& c, bool front) {
    const double r = c.width / 2;
    const Rgb metal = c.gilded ? kGilt : style::kIronHighlight;
    for (int i = 0; i < 12; ++i) {
        const double a = (i + 0.5) * M_PI / 6;  // around the cylinder
        const bool isFront = std::sin(a) > 0;
        if (isFront != front) continue;
        const double x = c.cx + std::cos(a) * r;
        const double baseSag = std::sin(a) * r * 0.22;
        cairo_move_to(cr, c.cx, c.top + 6);
        cairo_curve_to(cr, c.cx + std::cos(a) * r * 0.55, c.top + 6, x,
                       c.bodyTop - (c.bodyTop - c.top) * 0.5, x, c.bodyTop + baseSag);
        cairo_line_to(cr, x, c.bodyBottom + baseSag);
        SetColour(cr, front ? Darken(metal, 0.55) : Darken(metal, 0.7), 1);
        cairo_set_line_width(cr, front ? 2.6 : 2);
        cairo_stroke_preserve(cr);
        SetColour(cr, front ? metal : Darken(metal, 0.35), 1);
        cairo_set_line_width(cr, front ? 1.2 : 0.9);
        cairo_stroke(cr);
    }
}

void CageRing(cairo_t* cr, double cx, double y, double r, bool gilded, bool frontHalf) {
    cairo_save(cr);
    cairo_translate(cr, cx, y);
    cairo_scale(cr, r, r * 0.22);
    if (frontHalf) {
        cairo_arc(cr, 0, 0, 1, 0, M_PI);
    } else {
        cairo_arc(cr, 0, 0, 1, M_PI, 2 * M_PI);
    }
    cairo_restore(cr);
    const Rgb metal = gilded ? kGilt : style::kIronHighlight;
    SetColour(cr, Darken(metal, 0.55));
    cairo_set_line_width(cr, 4);
    cairo_stroke_preserve(cr);
    SetColour(cr, metal);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void CrystalBall(cairo_t* cr, double cx, double cy, double r, double glow) {
    Glow(cr, cx, cy, r * 3.2, kCrystal, 0.45 * glow);
    cairo_pattern_t* ball =
        cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.05, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(ball, 0, 0.95, 0.92, 1.0);
    cairo_pattern_add_color_stop_rgb(ball, 0.35, 0.62, 0.55, 1.0);
    cairo_pattern_add_color_stop_rgb(ball, 1, 0.25, 0.15, 0.6);
    cairo_set_source(cr, ball);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(ball);
    // Swirling mist inside.
    cairo_save(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_clip(cr);
    for (int i = 0; i < 3; ++i) {
        cairo_arc(cr, cx + r * 0.1, cy + r * 0.1, r * (0.35 + i * 0.2), 0.5 + i, 2.6 + i * 1.2);
        SetColour(cr, style::Rgb8(0xE8DCFF), 0.35);
        cairo_set_line_width(cr, r * 0.12);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    EllipsePath(cr, cx - r * 0.38, cy - r * 0.42, r * 0.22, r * 0.14);
    SetColour(cr, style::Rgb8(0xFFFFFF), 0.85);
    cairo_fill(cr);
}

void PaintCage(cairo_t* cr, const CageLook& c) {
    const Rgb metal = c.gilded ? kGilt : style::kIronHighlight;
    const Material plate = c.gilded ? GiltMaterial() : IronMaterial();
    const double r = c.width / 2, squash = 0.22, rim = 6;
    Chain(cr, c.cx, 0, c.top - 4, metal);
    cairo_arc(cr, c.cx, c.top, 5, 0, 2 * M_PI);
    SetColour(cr, metal);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    CageRing(cr, c.cx, c.bodyTop, r, c.gilded, false);
    CageBars(cr, c, false);
    // The floor: a shallow drum the bars stand on.
    PaintSolid(
        cr,
        [&](cairo_t* k) {
            cairo_move_to(k, c.cx - r - 2, c.bodyBottom);
            cairo_line_to(k, c.cx - r - 2, c.bodyBottom + rim);
            cairo_save(k);
            cairo_translate(k, c.cx, c.bodyBottom + rim);
            cairo_scale(k, r + 2, (r + 2) * squash);
            cairo_arc_negative(k, 0, 0, 1, M_PI, 0);
            cairo_restore(k);
            cairo_line_to(k, c.cx + r + 2, c.bodyBottom);
            cairo_close_path(k);
        },
        plate);
    PaintSolid(cr, [&](cairo_t* k) { EllipsePath(k, c.cx, c.bodyBottom, r + 2, (r + 2) * squash); },
               {Darken(plate.base, 0.35), 0.3, 0.4, 1.0, 2.0, 0.5});
    // The ball on its little stand.
    const double ballY = c.bodyBottom - c.ballRadius - 8;
    PaintSolid(
        cr,
        [&](cairo_t* k) {
            PolygonPath(k, {c.cx - 9, c.bodyBottom + 1, c.cx + 9, c.bodyBottom + 1, c.cx + 4,
                            ballY + c.ballRadius * 0.8, c.cx - 4, ballY + c.ballRadius * 0.8});
        },
        plate);
    CrystalBall(cr, c.cx, ballY, c.ballRadius, c.glow);
    CageBars(cr, c, true);
    CageRing(cr, c.cx, c.bodyTop, r, c.gilded, true);
    CageRing(cr, c.cx, (c.bodyTop + c.bodyBottom) / 2, r, c.gilded, true);
    CageRing(cr, c.cx, c.bodyBottom, r, c.gilded, true);
    // A finial below and a knob on the dome.
    PaintSolid(
        cr,
        [&](cairo_t* k) {
            const double y = c.bodyBottom + rim + r * squash;
            PolygonPath(k, {c.cx - 6, y - 2, c.cx + 6, y - 2, c.cx, y + 12});
        },
        plate);
    PaintSolid(
        cr, [&](cairo_t* k) { EllipsePath(k, c.cx, c.top + 7, 6, 4); }, plate);
}

}  // namespace

void DrawCage1(Canvas& canvas) {
    PaintCage(canvas.Cr(), {46, 96, 66, 128, 190, 14, 0.8, false});
}
void DrawCage2(Canvas& canvas) {
    PaintCage(canvas.Cr(), {46, 96, 66, 128, 190, 16, 1.3, false});
    Sparkle(canvas.Cr(), 22, 150, 4, style::Rgb8(0xC8B8FF), 0.9);
    Sparkle(canvas.Cr(), 72, 172, 3, style::Rgb8(0xC8B8FF), 0.8);
}
void DrawCage3(Canvas& canvas) {
    PaintCage(canvas.Cr(), {75, 100, 96, 140, 214, 22, 1.6, true});
    Sparkle(canvas.Cr(), 30, 160, 5, style::kCandle, 0.9);
    Sparkle(canvas.Cr(), 124, 184, 4.5, style::Rgb8(0xC8B8FF), 0.9);
    Sparkle(canvas.Cr(), 104, 128, 3.5, style::kCandle, 0.8);
}

}  // namespace asset::shop
