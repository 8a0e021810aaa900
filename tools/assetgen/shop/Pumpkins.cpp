// Pumpkins: the carved ones in the yard and the little lit ones on the light
// strings share one pumpkin painter.
#include <cmath>

#include "Decorations.h"
#include "Paint.h"

namespace asset::shop {
namespace {

constexpr Rgb kRind = style::Rgb8(0xE8741C);
constexpr Rgb kStem = style::Rgb8(0x6B6A32);
constexpr Rgb kLeaf = style::Rgb8(0x4F7A3A);
constexpr Rgb kInnerLight = style::Rgb8(0xFFD45A);

enum class Face { None, Grin, Toothy, Tiny };

struct PumpkinLook {
    Face face = Face::Grin;
    double glow = 1.0;  // light inside, 0 for an uncarved pumpkin
    Rgb rind = kRind;
};

// The bumpy outline: overlapping lobes.
void PumpkinOutline(cairo_t* cr, double cx, double cy, double rx, double ry) {
    EllipsePath(cr, cx - rx * 0.52, cy + ry * 0.04, rx * 0.48, ry * 0.9);
    EllipsePath(cr, cx + rx * 0.52, cy + ry * 0.04, rx * 0.48, ry * 0.9);
    EllipsePath(cr, cx - rx * 0.24, cy, rx * 0.5, ry);
    EllipsePath(cr, cx + rx * 0.24, cy, rx * 0.5, ry);
}

void PaintRind(cairo_t* cr, double cx, double cy, double rx, double ry, Rgb rind) {
    cairo_save(cr);
    cairo_push_group(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    PumpkinOutline(cr, cx, cy, rx, ry);
    cairo_fill(cr);
    cairo_pattern_t* mask = cairo_pop_group(cr);
    // Lit from the top left: a radial gradient centred up-left.
    cairo_pattern_t* body =
        cairo_pattern_create_radial(cx - rx * 0.4, cy - ry * 0.45, rx * 0.1, cx, cy, rx * 1.25);
    const Rgb lit = Mix(rind, style::Rgb8(0xFFD080), 0.45),
              dark = Darken(Mix(rind, style::Rgb8(0x8A2A10), 0.5), 0.3);
    cairo_pattern_add_color_stop_rgb(body, 0, lit.r, lit.g, lit.b);
    cairo_pattern_add_color_stop_rgb(body, 0.5, rind.r, rind.g, rind.b);
    cairo_pattern_add_color_stop_rgb(body, 1, dark.r, dark.g, dark.b);
    cairo_set_source(cr, body);
    cairo_mask(cr, mask);
    cairo_pattern_destroy(body);
    // Grooves between the lobes, curving with the round body.
    cairo_push_group(cr);
    for (double f : {-0.52, -0.2, 0.2, 0.52}) {
        const double x = cx + f * rx;
        cairo_move_to(cr, cx + f * rx * 0.3, cy - ry * 0.92);
        cairo_curve_to(cr, x + f * rx * 0.25, cy - ry * 0.4, x + f * rx * 0.25, cy + ry * 0.4,
                       cx + f * rx * 0.35, cy + ry * 0.98);
        SetColour(cr, Darken(Mix(rind, style::Rgb8(0x8A2A10), 0.6), 0.2), 0.6);
        cairo_set_line_width(cr, std::max(1.0, rx * 0.05));
        cairo_stroke(cr);
    }
    // Soft sheen on the lit lobes.
    GlowEllipse(cr, cx - rx * 0.45, cy - ry * 0.3, rx * 0.18, ry * 0.45, style::Rgb8(0xFFF0C8),
                0.45);
    GlowEllipse(cr, cx - rx * 0.05, cy - ry * 0.5, rx * 0.15, ry * 0.25, style::Rgb8(0xFFF0C8),
                0.35);
    cairo_pop_group_to_source(cr);
    cairo_mask(cr, mask);
    // Dark rim line.
    PumpkinOutline(cr, cx, cy, rx, ry);
    cairo_pattern_destroy(mask);
    cairo_restore(cr);
}

void StemAt(cairo_t* cr, double cx, double top, double size) {
    PaintSolid(cr,
               [&](cairo_t* c) {
                   TaperPath(c, cx - size * 0.05, top + size * 0.25, cx - size * 0.05,
                             top - size * 0.3, cx + size * 0.3, top - size * 0.45, size * 0.32,
                             size * 0.16);
               },
               {kStem, 0.4, 0.5, 1.0, size * 0.06, 0.5});
}

void FacePath(cairo_t* cr, Face face, double cx, double cy, double rx, double ry) {
    auto eye = [&](double side) {
        const double ex = cx + side * rx * 0.36, ey = cy - ry * 0.22;
        PolygonPath(cr, {ex - rx * 0.17, ey + ry * 0.14, ex + rx * 0.17, ey + ry * 0.14,
                         ex + side * rx * 0.05, ey - ry * 0.2});
    };
    eye(-1);
    eye(1);
    if (face == Face::Tiny) {
        EllipsePath(cr, cx, cy + ry * 0.35, rx * 0.3, ry * 0.12);
        return;
    }
    PolygonPath(cr,
                {cx - rx * 0.08, cy + ry * 0.1, cx + rx * 0.08, cy + ry * 0.1, cx, cy - ry * 0.04});
    // The mouth: a wide grin, with teeth cut into it.
    const double top = cy + ry * 0.22, bottom = cy + ry * 0.62;
    cairo_move_to(cr, cx - rx * 0.62, top);
    if (face == Face::Toothy) {
        const double teeth[] = {-0.4, -0.15, 0.1, 0.35};
        cairo_curve_to(cr, cx - rx * 0.3, top + ry * 0.2, cx + rx * 0.3, top + ry * 0.2,
                       cx + rx * 0.62, top);
        cairo_curve_to(cr, cx + rx * 0.45, bottom, cx - rx * 0.45, bottom, cx - rx * 0.62, top);
        cairo_close_path(cr);
        for (double t : teeth) {
            PolygonPath(cr, {cx + (t - 0.06) * rx, top + ry * 0.14, cx + (t + 0.06) * rx,
                             top + ry * 0.14, cx + t * rx, top + ry * 0.28});
        }
    } else {
        cairo_curve_to(cr, cx - rx * 0.3, top + ry * 0.2, cx + rx * 0.3, top + ry * 0.2,
                       cx + rx * 0.62, top);
        cairo_curve_to(cr, cx + rx * 0.45, bottom, cx + rx * 0.12, bottom, cx + rx * 0.05,
                       bottom - ry * 0.14);
        cairo_line_to(cr, cx - rx * 0.08, bottom - ry * 0.02);
        cairo_curve_to(cr, cx - rx * 0.2, bottom, cx - rx * 0.45, bottom, cx - rx * 0.62, top);
        cairo_close_path(cr);
    }
}

void CarveFace(cairo_t* cr, Face face, double cx, double cy, double rx, double ry, double glow) {
    cairo_save(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    // The cut wall of the rind shows along the lower edge of each hole.
    cairo_save(cr);
    cairo_translate(cr, rx * 0.035, ry * 0.05);
    FacePath(cr, face, cx, cy, rx, ry);
    cairo_restore(cr);
    SetColour(cr, style::Rgb8(0xC8581A));
    cairo_fill(cr);
    FacePath(cr, face, cx, cy, rx, ry);
    cairo_pattern_t* light = cairo_pattern_create_radial(cx, cy + ry * 0.2, 0, cx, cy, rx);
    const Rgb core = Mix(style::Rgb8(0x8A3A18), style::Rgb8(0xFFF2B0), glow);
    const Rgb edge = Mix(style::Rgb8(0x5A2212), style::kPumpkin, glow);
    cairo_pattern_add_color_stop_rgb(light, 0, core.r, core.g, core.b);
    cairo_pattern_add_color_stop_rgb(light, 0.6, Mix(edge, core, 0.5).r, Mix(edge, core, 0.5).g,
                                     Mix(edge, core, 0.5).b);
    cairo_pattern_add_color_stop_rgb(light, 1, edge.r, edge.g, edge.b);
    cairo_set_source(cr, light);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
    cairo_restore(cr);
}

void PaintPumpkin(cairo_t* cr, double cx, double cy, double rx, double ry,
                  const PumpkinLook& look) {
    if (look.glow > 0) Glow(cr, cx, cy, rx * 2.2, kInnerLight, 0.22 * look.glow);
    PaintRind(cr, cx, cy, rx, ry, look.rind);
    StemAt(cr, cx, cy - ry * 0.88, ry * 0.55);
    if (look.face != Face::None) CarveFace(cr, look.face, cx, cy, rx, ry, look.glow);
}

// A curling vine with a leaf, trailing along the ground.
void Vine(cairo_t* cr, double x0, double y0, double x1, double y1, double size) {
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, (x0 + x1) / 2, y0 + size * 0.6, (x0 + x1) / 2, y1 - size * 0.5, x1, y1);
    SetColour(cr, Darken(kStem, 0.2));
    cairo_set_line_width(cr, size * 0.12);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    // Tendril spiral at the end.
    for (double a = 0; a < 4 * M_PI; a += 0.2) {
        const double r = size * 0.35 * (1 - a / (4 * M_PI));
        const double x = x1 - size * 0.35 + std::cos(a) * r, y = y1 + std::sin(a) * r;
        a == 0 ? cairo_move_to(cr, x, y) : cairo_line_to(cr, x, y);
    }
    cairo_set_line_width(cr, size * 0.06);
    cairo_stroke(cr);
    // Leaf: three rounded lobes.
    const double lx = (x0 + x1) / 2, ly = (y0 + y1) / 2 + size * 0.1;
    PaintSolid(cr,
               [&](cairo_t* c) {
                   EllipsePath(c, lx - size * 0.3, ly - size * 0.3, size * 0.35, size * 0.3);
                   EllipsePath(c, lx + size * 0.15, ly - size * 0.45, size * 0.32, size * 0.34);
                   EllipsePath(c, lx + size * 0.45, ly - size * 0.1, size * 0.3, size * 0.26);
               },
               {kLeaf, 0.4, 0.5, 1.0, size * 0.08, 0.5});
    cairo_move_to(cr, lx, ly);
    cairo_line_to(cr, lx - size * 0.35, ly - size * 0.35);
    cairo_move_to(cr, lx, ly);
    cairo_line_to(cr, lx + size * 0.15, ly - size * 0.55);
    cairo_move_to(cr, lx, ly);
    cairo_line_to(cr, lx + size * 0.5, ly - size * 0.15);
    SetColour(cr, Darken(kLeaf, 0.4), 0.7);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// A string of small lit pumpkins hanging between two anchors.
void LightString(cairo_t* cr, double x0, double y0, double x1, double y1, double sag, int count,
                 double size, double glow) {
    const double mx = (x0 + x1) / 2, my = (y0 + y1) / 2 + sag * 2;
    auto at = [&](double t, double& x, double& y) {
        const double u = 1 - t;
        x = u * u * x0 + 2 * u * t * mx + t * t * x1;
        y = u * u * y0 + 2 * u * t * my + t * t * y1;
    };
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, x0 + (mx - x0) * 2 / 3, y0 + (my - y0) * 2 / 3, x1 + (mx - x1) * 2 / 3,
                   y1 + (my - y1) * 2 / 3, x1, y1);
    SetColour(cr, style::Rgb8(0x2A2A22), 0.95);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    for (double ax : {x0, x1}) {
        const double ay = ax == x0 ? y0 : y1;
        PaintSolid(cr, [&](cairo_t* c) { EllipsePath(c, ax, ay, 2.5, 2.5); },
                   {style::kIron, 0.5, 0.4, 1, 1, 0.5});
    }
    for (int i = 0; i < count; ++i) {
        double x, y;
        at((i + 0.5) / count, x, y);
        Glow(cr, x, y + size, size * 3.4, style::kCandle, 0.3 * glow);
    }
    for (int i = 0; i < count; ++i) {
        double x, y;
        at((i + 0.5) / count, x, y);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x, y + size * 0.3);
        SetColour(cr, style::Rgb8(0x2A2A22));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        PaintPumpkin(cr, x, y + size * 1.05, size * 1.15, size * 0.95,
                     {Face::Tiny, glow, i % 3 == 1 ? style::Rgb8(0xF09030) : kRind});
    }
}

}  // namespace

void DrawPumpkin1(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    GroundShadow(cr, 58, 70, 36, 7);
    Vine(cr, 8, 66, 40, 70, 18);
    PaintPumpkin(cr, 60, 46, 30, 24, {Face::Grin, 1.0, kRind});
}

void DrawPumpkin2(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    GroundShadow(cr, 62, 88, 58, 8);
    Vine(cr, 70, 86, 118, 62, 20);
    PaintPumpkin(cr, 98, 72, 20, 15, {Face::None, 0.0, style::Rgb8(0xF09A30)});
    PaintPumpkin(cr, 46, 54, 40, 33, {Face::Toothy, 1.0, kRind});
}

void DrawPumpkinLights1(Canvas& canvas) {
    LightString(canvas.Cr(), 6, 17, 216, 17, 12, 8, 8.0, 0.9);
}

void DrawPumpkinLights2(Canvas& canvas) {
    LightString(canvas.Cr(), 11, 18, 146, 86, 10, 6, 8.5, 1.0);
}

}  // namespace asset::shop
