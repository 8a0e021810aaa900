#include "Props.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace asset::scenes {

namespace {

using namespace style;

// Radial shading lit from the top left: highlight, base, shadow.
void FillLitBall(cairo_t* cr, double cx, double cy, double radius, Rgb highlight, Rgb base,
                 Rgb shadow) {
    cairo_pattern_t* pattern = cairo_pattern_create_radial(cx - radius * 0.45, cy - radius * 0.5,
                                                           radius * 0.1, cx, cy, radius * 1.25);
    cairo_pattern_add_color_stop_rgb(pattern, 0, highlight.r, highlight.g, highlight.b);
    cairo_pattern_add_color_stop_rgb(pattern, 0.45, base.r, base.g, base.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, shadow.r, shadow.g, shadow.b);
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

}  // namespace

void Pumpkin(cairo_t* cr, double x, double baseY, double radius, bool carved, double tilt) {
    const double r = radius, cy = baseY - r * 0.82;
    cairo_save(cr);
    cairo_translate(cr, x, cy);
    cairo_rotate(cr, tilt);
    // Contact shadow.
    SetColor(cr, kMidnight, 0.45);
    Ellipse(cr, r * 0.1, r * 0.8, r * 1.2, r * 0.18);
    cairo_fill(cr);
    const Rgb light = Mix(kPumpkin, kCandle, 0.45), base = kPumpkin, dark = Rgb8(0x7A300C);
    // Lobes from the sides in, the middle one last and brightest.
    const double lobes[][2] = {{-0.62, 0.55}, {0.62, 0.55}, {-0.32, 0.7}, {0.32, 0.7}, {0, 0.72}};
    for (const auto& lobe : lobes) {
        Ellipse(cr, lobe[0] * r, 0, lobe[1] * r, r * 0.82);
        FillLitBall(cr, lobe[0] * r, 0, r * 0.85, light, base, dark);
    }
    // Stem.
    cairo_move_to(cr, -r * 0.08, -r * 0.7);
    cairo_curve_to(cr, -r * 0.06, -r * 0.95, r * 0.05, -r * 1.1, r * 0.22, -r * 1.12);
    cairo_line_to(cr, r * 0.2, -r * 1.0);
    cairo_curve_to(cr, r * 0.1, -r * 0.98, r * 0.09, -r * 0.85, r * 0.1, -r * 0.7);
    cairo_close_path(cr);
    SetColor(cr, Mix(kDarkMoss, kBark, 0.4));
    cairo_fill(cr);
    if (carved) {
        const Rgb flame = Mix(kCandle, kBone, 0.2);
        SetColor(cr, flame);
        for (int side : {-1, 1}) {
            cairo_move_to(cr, side * r * 0.42, -r * 0.05);
            cairo_line_to(cr, side * r * 0.16, -r * 0.05);
            cairo_line_to(cr, side * r * 0.3, -r * 0.34);
            cairo_close_path(cr);
        }
        cairo_move_to(cr, -r * 0.5, r * 0.18);
        const int teeth = 5;
        for (int i = 0; i <= teeth; ++i) {
            const double tx = -r * 0.5 + r * i / teeth;
            cairo_line_to(
                cr, tx, r * 0.18 + ((i % 2) ? r * 0.1 : 0) + std::sin(M_PI * i / teeth) * r * 0.12);
        }
        cairo_curve_to(cr, r * 0.3, r * 0.58, -r * 0.3, r * 0.58, -r * 0.5, r * 0.18);
        cairo_close_path(cr);
        cairo_fill(cr);
        AddGlow(cr, 0, r * 0.1, r * 3.2, kPumpkin, 0.35);
        AddGlow(cr, 0, r * 0.1, r * 1.2, kCandle, 0.25);
    }
    cairo_restore(cr);
}

void LanternLight(cairo_t* cr, double x, double y, double size, Rgb color) {
    AddGlow(cr, x, y, size * 7, color, 0.22);
    AddGlow(cr, x, y, size * 2.2, color, 0.55);
    SetColor(cr, Mix(color, kBone, 0.6));
    Ellipse(cr, x, y, size * 0.45, size * 0.65);
    cairo_fill(cr);
}

void Lantern(cairo_t* cr, double x, double y, double size, bool lit) {
    const double s = size;
    cairo_save(cr);
    if (lit) AddGlow(cr, x, y, s * 6, kCandle, 0.25);
    // Glass.
    cairo_rectangle(cr, x - s * 0.42, y - s * 0.6, s * 0.84, s * 1.2);
    if (lit) {
        FillVertical(cr, y - s * 0.6, y + s * 0.6, Mix(kCandle, kPumpkin, 0.3),
                     Mix(kCandle, kBone, 0.5));
    } else {
        FillVertical(cr, y - s * 0.6, y + s * 0.6, Mix(kIron, kFog, 0.3), kIron);
    }
    // Frame: cap, base and bars.
    SetColor(cr, Shade(kIron, 0.7));
    cairo_move_to(cr, x - s * 0.6, y - s * 0.6);
    cairo_line_to(cr, x, y - s * 1.05);
    cairo_line_to(cr, x + s * 0.6, y - s * 0.6);
    cairo_close_path(cr);
    cairo_rectangle(cr, x - s * 0.55, y + s * 0.55, s * 1.1, s * 0.2);
    cairo_rectangle(cr, x - s * 0.05, y - s * 0.6, s * 0.1, s * 1.2);
    cairo_rectangle(cr, x - s * 0.5, y - s * 0.6, s * 0.1, s * 1.2);
    cairo_rectangle(cr, x + s * 0.4, y - s * 0.6, s * 0.1, s * 1.2);
    cairo_fill(cr);
    cairo_set_line_width(cr, s * 0.1);
    cairo_arc(cr, x, y - s * 1.12, s * 0.18, 0, 2 * M_PI);
    cairo_stroke(cr);
    // Moonlit edge on the top left of the cap.
    SetColor(cr, kIronHighlight, 0.7);
    cairo_set_line_width(cr, std::max(0.8, s * 0.06));
    cairo_move_to(cr, x - s * 0.58, y - s * 0.62);
    cairo_line_to(cr, x - s * 0.05, y - s * 1.0);
    cairo_stroke(cr);
    if (lit) AddGlow(cr, x, y, s * 1.6, kCandle, 0.5);
    cairo_restore(cr);
}

void Wisp(cairo_t* cr, double x, double y, double radius, Rgb color) {
    AddGlow(cr, x, y, radius * 6, color, 0.25);
    AddGlow(cr, x, y, radius * 2.2, color, 0.6);
    AddGlow(cr, x, y, radius * 0.9, Mix(color, kBone, 0.7), 0.9);
}

void Ghost(cairo_t* cr, double x, double top, double size, double alpha, double sway) {
    const double s = size, r = s * 0.28;
    cairo_save(cr);
    AddGlow(cr, x, top + s * 0.4, s * 0.9, kFog, 0.25 * alpha);
    cairo_move_to(cr, x - r, top + r);
    cairo_arc(cr, x, top + r, r, M_PI, 2 * M_PI);
    cairo_curve_to(cr, x + r * 1.05, top + s * 0.55, x + r * 1.2 + sway * 0.5, top + s * 0.8,
                   x + r * 1.3 + sway, top + s);
    // A wavy hem.
    const int waves = 4;
    for (int i = 1; i <= waves; ++i) {
        const double hx = x + r * 1.3 + sway - (r * 2.6) * i / waves;
        cairo_curve_to(cr, hx + r * 0.45, top + s * 0.86, hx + r * 0.2, top + s * 0.88, hx,
                       top + s * (i % 2 ? 0.9 : 1.0));
    }
    cairo_curve_to(cr, x - r * 1.1 + sway * 0.5, top + s * 0.75, x - r * 1.05, top + s * 0.5, x - r,
                   top + r);
    cairo_close_path(cr);
    cairo_pattern_t* pattern = cairo_pattern_create_linear(x - r, top, x + r, top + s);
    cairo_pattern_add_color_stop_rgba(pattern, 0, kBone.r, kBone.g, kBone.b, 0.95 * alpha);
    cairo_pattern_add_color_stop_rgba(pattern, 0.6, kFog.r, kFog.g, kFog.b, 0.8 * alpha);
    cairo_pattern_add_color_stop_rgba(pattern, 1, kFog.r, kFog.g, kFog.b, 0.15 * alpha);
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
    // Face.
    SetColor(cr, Mix(kInk, kDeepBlue, 0.5), 0.85 * alpha);
    Ellipse(cr, x - r * 0.38, top + r * 0.95, r * 0.16, r * 0.24);
    Ellipse(cr, x + r * 0.32, top + r * 0.95, r * 0.16, r * 0.24);
    cairo_fill(cr);
    Ellipse(cr, x - r * 0.02, top + r * 1.5, r * 0.14, r * 0.18);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Mushrooms(cairo_t* cr, Rng& rng, double x, double baseY, double size, Rgb glow) {
    const int count = rng.Int(3, 5);
    for (int i = 0; i < count; ++i) {
        const double s = size * rng.Range(0.45, 1.0), mx = x + rng.Range(-size, size),
                     lean = rng.Range(-0.2, 0.2);
        cairo_save(cr);
        cairo_translate(cr, mx, baseY);
        cairo_rotate(cr, lean);
        cairo_rectangle(cr, -s * 0.1, -s * 0.7, s * 0.2, s * 0.72);
        FillVertical(cr, -s * 0.7, 0, kBone, Mix(kBone, kFog, 0.6));
        cairo_move_to(cr, -s * 0.5, -s * 0.62);
        cairo_curve_to(cr, -s * 0.48, -s * 1.1, s * 0.48, -s * 1.1, s * 0.5, -s * 0.62);
        cairo_close_path(cr);
        FillVertical(cr, -s * 1.0, -s * 0.6, Mix(glow, kBone, 0.35), Shade(glow, 0.7));
        SetColor(cr, kBone, 0.8);
        cairo_arc(cr, -s * 0.18, -s * 0.82, s * 0.06, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_arc(cr, s * 0.15, -s * 0.76, s * 0.045, 0, 2 * M_PI);
        cairo_fill(cr);
        AddGlow(cr, 0, -s * 0.75, s * 1.6, glow, 0.3);
        cairo_restore(cr);
    }
}

void Cauldron(cairo_t* cr, double x, double baseY, double width, Rgb brew) {
    const double w = width, cy = baseY - w * 0.4;
    cairo_save(cr);
    AddGlow(cr, x, cy - w * 0.35, w * 1.6, brew, 0.3);
    // Legs and fire glow below.
    AddGlow(cr, x, baseY, w * 0.7, kPumpkin, 0.5);
    SetColor(cr, Shade(kIron, 0.6));
    for (int side : {-1, 1}) {
        cairo_move_to(cr, x + side * w * 0.3, cy + w * 0.2);
        cairo_line_to(cr, x + side * w * 0.38, baseY);
        cairo_line_to(cr, x + side * w * 0.28, baseY);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
    // Pot.
    Ellipse(cr, x, cy, w * 0.5, w * 0.38);
    FillLitBall(cr, x, cy, w * 0.5, kIronHighlight, kIron, Shade(kIron, 0.45));
    // Rim and brew.
    Ellipse(cr, x, cy - w * 0.28, w * 0.46, w * 0.1);
    SetColor(cr, Shade(kIron, 0.5));
    cairo_fill(cr);
    Ellipse(cr, x, cy - w * 0.27, w * 0.4, w * 0.075);
    cairo_pattern_t* pattern =
        cairo_pattern_create_radial(x, cy - w * 0.27, 0, x, cy - w * 0.27, w * 0.4);
    const Rgb bright = Mix(brew, kBone, 0.5);
    cairo_pattern_add_color_stop_rgb(pattern, 0, bright.r, bright.g, bright.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, brew.r, brew.g, brew.b);
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
    // Bubbles.
    SetColor(cr, bright, 0.9);
    cairo_set_line_width(cr, 1.2);
    const double bubbles[][3] = {{-0.2, -0.33, 0.05}, {0.12, -0.36, 0.035}, {0.25, -0.3, 0.025}};
    for (const auto& b : bubbles) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + b[0] * w, cy + b[1] * w, b[2] * w, 0, 2 * M_PI);
    }
    cairo_stroke(cr);
    AddGlow(cr, x, cy - w * 0.3, w * 0.6, brew, 0.5);
    cairo_restore(cr);
}

void Candle(cairo_t* cr, double x, double baseY, double height) {
    const double h = height, w = h * 0.28;
    cairo_rectangle(cr, x - w / 2, baseY - h, w, h);
    FillVertical(cr, baseY - h, baseY, kBone, Mix(kBone, kPumpkin, 0.25));
    cairo_move_to(cr, x, baseY - h * 1.55);
    cairo_curve_to(cr, x + w * 0.45, baseY - h * 1.25, x + w * 0.3, baseY - h * 1.05, x,
                   baseY - h * 1.05);
    cairo_curve_to(cr, x - w * 0.3, baseY - h * 1.05, x - w * 0.45, baseY - h * 1.25, x,
                   baseY - h * 1.55);
    SetColor(cr, Mix(kCandle, kBone, 0.4));
    cairo_fill(cr);
    AddGlow(cr, x, baseY - h * 1.2, h * 2.2, kCandle, 0.4);
}

void MirrorWater(Canvas& canvas, double waterTop, double waterBottom, Rgb tint, double darkness,
                 uint64_t seed) {
    const int top = std::max(1, int(waterTop)),
              bottom = std::min(canvas.Height(), int(waterBottom));
    if (bottom <= top) return;
    canvas.Flush();
    const int width = canvas.Width();
    std::vector<uint32_t> source;
    source.reserve(size_t(width) * top);
    for (int y = 0; y < top; ++y)
        source.insert(source.end(), canvas.Row(y), canvas.Row(y) + width);
    Rng rng(seed);
    for (int y = top; y < bottom; ++y) {
        const double depth = y - top;
        // Ripples grow with distance from the shore line.
        const double shift = std::sin(depth * 0.55 + rng.Range(0, 0.6)) * (1 + depth * 0.04);
        const int sourceY = std::clamp(top - 1 - int(depth * 1.1), 0, top - 1);
        uint32_t* row = canvas.Row(y);
        const double fade = darkness + (1 - darkness) * 0.35 * SmoothStep(0, bottom - top, depth);
        for (int x = 0; x < width; ++x) {
            const int sx = std::clamp(int(x + shift), 0, width - 1);
            const uint32_t p = source[size_t(sourceY) * width + sx];
            const double keep = 1 - fade;
            auto channel = [&](int shift8, double t) {
                const double v = ((p >> shift8) & 0xFF) * keep + t * 255 * fade;
                return uint32_t(std::clamp(v, 0.0, 255.0)) << shift8;
            };
            row[x] = 0xFF000000u | channel(16, tint.r) | channel(8, tint.g) | channel(0, tint.b);
        }
    }
    canvas.MarkDirty();
}

}  // namespace asset::scenes
