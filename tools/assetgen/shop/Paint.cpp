#include "Paint.h"

#include <algorithm>
#include <cmath>

namespace asset::shop {
namespace {

constexpr Rgb kShadowColour = style::Rgb8(0x0A0B1C);
constexpr int kBevelSteps = 5;

void AddStop(cairo_pattern_t* pattern, double offset, Rgb colour, double alpha) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, colour.r, colour.g, colour.b, alpha);
}

// Radial falloff that looks like light scattered in air: bright core, long
// soft tail, no visible edge.
void AddGlowStops(cairo_pattern_t* pattern, Rgb colour, double alpha) {
    AddStop(pattern, 0.0, colour, alpha);
    AddStop(pattern, 0.2, colour, alpha * 0.62);
    AddStop(pattern, 0.45, colour, alpha * 0.26);
    AddStop(pattern, 0.7, colour, alpha * 0.08);
    AddStop(pattern, 1.0, colour, 0.0);
}

// Paints the part of the current clip that the path, shifted by (dx, dy),
// does not cover: a crescent along one side of the shape.
void FillOutsideShifted(cairo_t* cr, const PathFn& path, double dx, double dy, double x0, double y0,
                        double x1, double y1) {
    cairo_new_path(cr);
    cairo_rectangle(cr, x0 - 20, y0 - 20, x1 - x0 + 40, y1 - y0 + 40);
    cairo_save(cr);
    cairo_translate(cr, dx, dy);
    path(cr);
    cairo_restore(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Lighten(Rgb colour, double amount) {
    return Mix(colour, style::kMoonlight, amount);
}

Rgb Darken(Rgb colour, double amount) {
    return Mix(colour, style::Rgb8(0x0C0A1A), amount);
}

void SetColour(cairo_t* cr, Rgb colour, double alpha) {
    cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha);
}

void PaintSolid(cairo_t* cr, const PathFn& path, const Material& material) {
    cairo_save(cr);
    cairo_new_path(cr);
    path(cr);
    double x0, y0, x1, y1;
    cairo_fill_extents(cr, &x0, &y0, &x1, &y1);
    // The gradient runs along the light: from the top-left corner down-right.
    const double span = ((x1 - x0) + (y1 - y0)) / 2;
    cairo_pattern_t* body = cairo_pattern_create_linear(x0, y0, x0 + span, y0 + span);
    AddStop(body, 0.0, Lighten(material.base, material.shine), 1);
    AddStop(body, 0.45, material.base, 1);
    AddStop(body, 1.0, Darken(material.base, material.shade), 1);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);

    if (material.bevel > 0) {
        cairo_clip(cr);
        const Rgb highlight = Lighten(material.base, 0.75);
        for (int i = 1; i <= kBevelSteps; ++i) {
            const double d = material.bevel * i / kBevelSteps;
            const double a = material.bevelAlpha / kBevelSteps;
            SetColour(cr, highlight, a);
            FillOutsideShifted(cr, path, d, d, x0, y0, x1, y1);
            SetColour(cr, kShadowColour, a * 1.1);
            FillOutsideShifted(cr, path, -d, -d, x0, y0, x1, y1);
        }
        cairo_reset_clip(cr);
    }
    if (material.outline > 0) {
        cairo_new_path(cr);
        path(cr);
        SetColour(cr, Darken(material.base, 0.72), 0.92);
        cairo_set_line_width(cr, material.outline);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
    cairo_restore(cr);
}

void PaintFlat(cairo_t* cr, const PathFn& path, Rgb colour, double alpha) {
    cairo_save(cr);
    cairo_new_path(cr);
    path(cr);
    SetColour(cr, colour, alpha);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Glow(cairo_t* cr, double cx, double cy, double radius, Rgb colour, double alpha) {
    GlowEllipse(cr, cx, cy, radius, radius, colour, alpha);
}

void GlowEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, Rgb colour,
                 double alpha) {
    if (rx <= 0 || ry <= 0) return;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* pattern = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    AddGlowStops(pattern, colour, alpha);
    cairo_set_source(cr, pattern);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
    cairo_restore(cr);
}

void GroundShadow(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* pattern = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    AddStop(pattern, 0.0, kShadowColour, alpha);
    AddStop(pattern, 0.55, kShadowColour, alpha * 0.7);
    AddStop(pattern, 1.0, kShadowColour, 0);
    cairo_set_source(cr, pattern);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
    cairo_restore(cr);
}

namespace {

void FlamePath(cairo_t* cr, double x, double baseY, double width, double height, double sway) {
    const double r = width / 2;
    const double cy = baseY - r;
    const double tipX = x + sway, tipY = baseY - height;
    cairo_move_to(cr, tipX, tipY);
    cairo_curve_to(cr, x + r * 0.35 + sway * 0.4, tipY + height * 0.35, x + r * 1.05, cy - r * 0.9,
                   x + r, cy);
    cairo_arc(cr, x, cy, r, 0, M_PI);
    cairo_curve_to(cr, x - r * 1.05, cy - r * 0.9, x - r * 0.35 + sway * 0.4, tipY + height * 0.35,
                   tipX, tipY);
    cairo_close_path(cr);
}

}  // namespace

void Flame(cairo_t* cr, double x, double baseY, double width, double height, double sway) {
    cairo_save(cr);
    cairo_pattern_t* outer = cairo_pattern_create_radial(x, baseY - width * 0.5, 0, x,
                                                         baseY - height * 0.45, height * 0.75);
    AddStop(outer, 0.0, style::Rgb8(0xFFF4C0), 1);
    AddStop(outer, 0.35, style::kCandle, 1);
    AddStop(outer, 0.75, style::kPumpkin, 0.95);
    AddStop(outer, 1.0, style::Rgb8(0xC8401A), 0.6);
    cairo_set_source(cr, outer);
    FlamePath(cr, x, baseY, width, height, sway);
    cairo_fill(cr);
    cairo_pattern_destroy(outer);
    // A white-hot core low in the flame.
    SetColour(cr, style::Rgb8(0xFFFBE8), 0.9);
    FlamePath(cr, x + sway * 0.1, baseY - width * 0.12, width * 0.4, height * 0.55, sway * 0.4);
    cairo_fill(cr);
    // Blue root where the flame meets the wick.
    SetColour(cr, style::Rgb8(0x6A8CFF), 0.2);
    EllipsePath(cr, x, baseY - width * 0.22, width * 0.22, width * 0.14);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Sparkle(cairo_t* cr, double cx, double cy, double size, Rgb colour, double alpha) {
    Glow(cr, cx, cy, size * 0.9, colour, alpha * 0.5);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    const double thin = size * 0.14;
    cairo_move_to(cr, 0, -size);
    cairo_curve_to(cr, thin, -thin, thin, -thin, size, 0);
    cairo_curve_to(cr, thin, thin, thin, thin, 0, size);
    cairo_curve_to(cr, -thin, thin, -thin, thin, -size, 0);
    cairo_curve_to(cr, -thin, -thin, -thin, -thin, 0, -size);
    cairo_close_path(cr);
    SetColour(cr, Lighten(colour, 0.6), alpha);
    cairo_fill(cr);
    cairo_restore(cr);
}

void TaperPath(cairo_t* cr, double x0, double y0, double cx, double cy, double x1, double y1,
               double width0, double width1) {
    // Normals at both ends of the quadratic curve.
    auto normal = [](double dx, double dy, double& nx, double& ny) {
        const double length = std::max(1e-6, std::hypot(dx, dy));
        nx = -dy / length;
        ny = dx / length;
    };
    double n0x, n0y, n1x, n1y;
    normal(cx - x0, cy - y0, n0x, n0y);
    normal(x1 - cx, y1 - cy, n1x, n1y);
    const double h0 = width0 / 2, h1 = width1 / 2, hc = (h0 + h1) / 2;
    const double ncx = (n0x + n1x) / 2, ncy = (n0y + n1y) / 2;
    // Quadratic control points lifted to cubic form.
    auto side = [&](double sign) {
        const double ax = x0 + n0x * h0 * sign, ay = y0 + n0y * h0 * sign;
        const double kx = cx + ncx * hc * sign, ky = cy + ncy * hc * sign;
        const double bx = x1 + n1x * h1 * sign, by = y1 + n1y * h1 * sign;
        struct Curve {
            double ax, ay, c1x, c1y, c2x, c2y, bx, by;
        };
        return Curve{ax,
                     ay,
                     ax + (kx - ax) * 2 / 3,
                     ay + (ky - ay) * 2 / 3,
                     bx + (kx - bx) * 2 / 3,
                     by + (ky - by) * 2 / 3,
                     bx,
                     by};
    };
    const auto left = side(1), right = side(-1);
    cairo_move_to(cr, left.ax, left.ay);
    cairo_curve_to(cr, left.c1x, left.c1y, left.c2x, left.c2y, left.bx, left.by);
    cairo_line_to(cr, right.bx, right.by);
    cairo_curve_to(cr, right.c2x, right.c2y, right.c1x, right.c1y, right.ax, right.ay);
    cairo_close_path(cr);
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, std::max(rx, 1e-6), std::max(ry, 1e-6));
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(cr);
    cairo_restore(cr);
}

namespace {

// The silhouette's edge on one side: the shape minus itself shifted.
Canvas EdgeBand(const Canvas& silhouette, Rgb colour, double dx, double dy, double soften) {
    Canvas band = silhouette.Silhouette(colour.r, colour.g, colour.b);
    cairo_t* cr = band.Cr();
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
    cairo_set_source_surface(cr, const_cast<Canvas&>(silhouette).Surface(), dx, dy);
    cairo_paint(cr);
    band.Reset();
    band.Blur(soften);
    return band;
}

}  // namespace

Canvas ShadeSilhouette(const Canvas& silhouette, const SilhouetteLight& light) {
    const int w = silhouette.Width(), h = silhouette.Height();
    cairo_surface_t* mask = const_cast<Canvas&>(silhouette).Surface();
    Canvas out(w, h);
    cairo_t* cr = out.Cr();
    // Outline: the silhouette slightly grown, in a very dark tone.
    Canvas outline = silhouette.Silhouette(0.05, 0.04, 0.1, light.outlineAlpha);
    outline.Blur(1.2);
    out.Draw(outline, 0, 0);
    out.Draw(outline, 0, 0);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, 0, w * 0.3, h);
    const Rgb top = Lighten(light.base, 0.08), bottom = Darken(light.base, 0.25);
    cairo_pattern_add_color_stop_rgb(body, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(body, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, body);
    cairo_mask_surface(cr, mask, 0, 0);
    cairo_pattern_destroy(body);
    Canvas rim = EdgeBand(silhouette, light.rim, light.rimWidth, light.rimWidth, 0.9);
    Canvas shade =
        EdgeBand(silhouette, style::Rgb8(0x0A0818), -light.shadeWidth, -light.shadeWidth, 1.5);
    cairo_push_group(cr);
    cairo_set_source_surface(cr, shade.Surface(), 0, 0);
    cairo_paint_with_alpha(cr, light.shadeAlpha);
    cairo_set_source_surface(cr, rim.Surface(), 0, 0);
    cairo_paint_with_alpha(cr, light.rimAlpha);
    cairo_pop_group_to_source(cr);
    cairo_mask_surface(cr, mask, 0, 0);
    out.Reset();
    return out;
}

void PolygonPath(cairo_t* cr, std::initializer_list<double> xy) {
    const double* v = xy.begin();
    const size_t count = xy.size() / 2;
    for (size_t i = 0; i < count; ++i) {
        if (i == 0) {
            cairo_move_to(cr, v[0], v[1]);
        } else {
            cairo_line_to(cr, v[i * 2], v[i * 2 + 1]);
        }
    }
    cairo_close_path(cr);
}

double SmoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

void BlobPath(cairo_t* cr, double cx, double cy, double rx, double ry, double roughness, Rng& rng) {
    constexpr int kCorners = 8;
    Point corners[kCorners];
    for (int i = 0; i < kCorners; ++i) {
        const double a = 2 * M_PI * i / kCorners;
        const double r = 1 + rng.Range(-roughness, roughness);
        corners[i] = {cx + std::cos(a) * rx * r, cy + std::sin(a) * ry * r};
    }
    // Quadratic curves through the midpoints of the corner polygon.
    auto mid = [&](int i) {
        const Point a = corners[i % kCorners], b = corners[(i + 1) % kCorners];
        return Point{(a.x + b.x) / 2, (a.y + b.y) / 2};
    };
    const Point start = mid(0);
    cairo_move_to(cr, start.x, start.y);
    for (int i = 1; i <= kCorners; ++i) {
        const Point c = corners[i % kCorners], from = mid(i - 1), to = mid(i);
        cairo_curve_to(cr, from.x + (c.x - from.x) * 2 / 3, from.y + (c.y - from.y) * 2 / 3,
                       to.x + (c.x - to.x) * 2 / 3, to.y + (c.y - to.y) * 2 / 3, to.x, to.y);
    }
    cairo_close_path(cr);
}

Material WoodMaterial(Rgb colour) {
    return {colour, 0.4, 0.5, 1.2, 2.0, 0.5};
}
Material IronMaterial() {
    return {style::kIron, 0.5, 0.45, 1.0, 1.3, 0.6};
}
Material GiltMaterial() {
    return {kGilt, 0.55, 0.55, 1.0, 1.5, 0.7};
}

void Chain(cairo_t* cr, double x, double y0, double y1, const Rgb& metal) {
    bool flat = false;
    for (double y = y0; y < y1; y += 7, flat = !flat) {
        EllipsePath(cr, x, y + 3.5, flat ? 1.2 : 2.8, 4.2);
        SetColour(cr, Darken(metal, 0.4));
        cairo_set_line_width(cr, 2.2);
        cairo_stroke_preserve(cr);
        SetColour(cr, metal);
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
    }
}

}  // namespace asset::shop
