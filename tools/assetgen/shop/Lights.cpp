// Things with a flame: lanterns on hook posts, candelabras on the window
// sills and standing torches. The upgraded ones are gilded and glow more.
#include <algorithm>
#include <cmath>

#include "Decorations.h"
#include "Paint.h"

namespace asset::shop {
namespace {

constexpr Rgb kPewter = style::Rgb8(0x7C7E90);
constexpr Rgb kWax = style::Rgb8(0xF0E6C8);

Material Metal(bool gilded) {
    return gilded ? Material{kGilt, 0.5, 0.55, 1.1, 1.6, 0.7}
                  : Material{style::kIron, 0.45, 0.45, 1.1, 1.4, 0.6};
}

// A hexagonal lantern hanging by its ring at (cx, top); `s` scales it.
void PaintLantern(cairo_t* cr, double cx, double top, double s, bool gilded, double glowRadius) {
    const Material metal = Metal(gilded);
    const double glassTop = top + 17 * s, glassBottom = top + 40 * s, half = 10 * s;
    Glow(cr, cx, (glassTop + glassBottom) / 2, glowRadius, style::kCandle, gilded ? 0.55 : 0.42);
    Glow(cr, cx, (glassTop + glassBottom) / 2, glowRadius * 0.4, style::Rgb8(0xFFE8B0), 0.3);
    cairo_arc(cr, cx, top + 3 * s, 3 * s, 0, 2 * M_PI);
    SetColour(cr, metal.base);
    cairo_set_line_width(cr, 1.6 * s);
    cairo_stroke(cr);
    // Glass with the candle burning inside.
    cairo_pattern_t* glass = cairo_pattern_create_linear(0, glassTop, 0, glassBottom);
    cairo_pattern_add_color_stop_rgb(glass, 0, 1.0, 0.86, 0.5);
    cairo_pattern_add_color_stop_rgb(glass, 1, 0.92, 0.55, 0.2);
    cairo_set_source(cr, glass);
    cairo_rectangle(cr, cx - half, glassTop, half * 2, glassBottom - glassTop);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
    PaintSolid(
        cr,
        [&](cairo_t* c) { cairo_rectangle(c, cx - 2.2 * s, glassBottom - 9 * s, 4.4 * s, 8 * s); },
        {kWax, 0.3, 0.3, 0.6, 1, 0.3});
    Flame(cr, cx, glassBottom - 9 * s, 4.5 * s, 11 * s);
    // Frame: cap, brim, bars and base.
    PaintSolid(
        cr,
        [&](cairo_t* c) {
            PolygonPath(c, {cx - 3 * s, top + 6 * s, cx + 3 * s, top + 6 * s, cx + 13 * s,
                            top + 14 * s, cx - 13 * s, top + 14 * s});
        },
        metal);
    PaintSolid(
        cr, [&](cairo_t* c) { cairo_rectangle(c, cx - 14 * s, top + 14 * s, 28 * s, 3.5 * s); },
        metal);
    for (double bx : {-half, 0.0, half}) {
        const double w = bx == 0 ? 1.6 * s : 2.6 * s;
        PaintSolid(cr,
                   [&](cairo_t* c) {
                       cairo_rectangle(c, cx + bx - w / 2, glassTop, w, glassBottom - glassTop);
                   },
                   {metal.base, 0.4, 0.4, 0.8, 0.6, 0.4});
    }
    PaintSolid(
        cr,
        [&](cairo_t* c) {
            PolygonPath(c, {cx - 13 * s, glassBottom, cx + 13 * s, glassBottom, cx + 8 * s,
                            glassBottom + 6 * s, cx - 8 * s, glassBottom + 6 * s});
        },
        metal);
    PaintSolid(
        cr, [&](cairo_t* c) { EllipsePath(c, cx, glassBottom + 8 * s, 3 * s, 2.5 * s); }, metal);
    // Glint on the glass from the moon.
    cairo_rectangle(cr, cx - half + 2 * s, glassTop + 2 * s, 2.5 * s,
                    (glassBottom - glassTop) * 0.6);
    SetColour(cr, style::Rgb8(0xFFFBE8), 0.55);
    cairo_fill(cr);
}

// An iron post with a hook at the top, curling towards the lantern side.
void HookPost(cairo_t* cr, double x, double groundY, double hookX, double hookY, bool gilded) {
    const Material metal = Metal(gilded);
    // The lantern lights the grass below it.
    GlowEllipse(cr, hookX, groundY - 4, 44, 10, style::kCandle, gilded ? 0.2 : 0.15);
    GroundShadow(cr, x + 6, groundY, 18, 5);
    const double side = hookX > x ? 1 : -1;
    PaintSolid(
        cr,
        [&](cairo_t* c) {
            cairo_rectangle(c, x - 3.5, hookY - 6, 7, groundY - hookY + 4);
            // The hook arm: a curve from the post top over to the lantern.
            cairo_move_to(c, x - 3.5 * side, hookY - 4);
            cairo_curve_to(c, x, hookY - 24, hookX, hookY - 26, hookX + 3 * side, hookY - 8);
            cairo_line_to(c, hookX - 3 * side, hookY - 8);
            cairo_curve_to(c, hookX, hookY - 18, x + 4 * side, hookY - 16, x + 3.5 * side,
                           hookY - 4);
            cairo_close_path(c);
        },
        metal);
    // Scroll under the arm for strength.
    cairo_arc(cr, x + 9 * side, hookY + 6, 6, 0, 2 * M_PI);
    SetColour(cr, Darken(metal.base, 0.1));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Chain link down to the lantern ring.
    cairo_move_to(cr, hookX, hookY - 8);
    cairo_line_to(cr, hookX, hookY + 1);
    SetColour(cr, Darken(metal.base, 0.2));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    // A stake foot in the grass.
    PaintSolid(
        cr,
        [&](cairo_t* c) {
            PolygonPath(c,
                        {x - 7, groundY, x + 7, groundY, x + 4, groundY - 8, x - 4, groundY - 8});
        },
        metal);
}

void Candle(cairo_t* cr, double x, double cupY, double height, double width) {
    const double top = cupY - height;
    PaintSolid(cr, [&](cairo_t* c) { RoundedRectangle(c, x - width / 2, top, width, height, 1.5); },
               {kWax, 0.25, 0.35, 0.8, 1.2, 0.4});
    // A drip of wax.
    PaintFlat(
        cr,
        [&](cairo_t* c) {
            RoundedRectangle(c, x + width * 0.1, top, width * 0.3, height * 0.4, 1);
        },
        Lighten(kWax, 0.3), 0.8);
    Glow(cr, x, top - width * 1.2, width * 4.5, style::kCandle, 0.35);
    Flame(cr, x, top - 0.5, width * 0.85, width * 2.6);
}

// Candle cup with its drip pan.
void Cup(cairo_t* cr, double x, double y, const Material& metal) {
    PaintSolid(
        cr, [&](cairo_t* c) { EllipsePath(c, x, y + 1, 8, 2.8); }, metal);
    PaintSolid(
        cr,
        [&](cairo_t* c) {
            PolygonPath(c, {x - 4.5, y - 3, x + 4.5, y - 3, x + 3, y + 1, x - 3, y + 1});
        },
        metal);
}

void PaintCandelabra(cairo_t* cr, double cx, double baseY, int candles, bool gilded) {
    const Material metal = gilded ? Material{kGilt, 0.5, 0.55, 1.1, 1.6, 0.7}
                                  : Material{kPewter, 0.5, 0.5, 1.1, 1.6, 0.6};
    const double armY = baseY - 46;
    GroundShadow(cr, cx + 4, baseY, 22, 4);
    // Foot and turned stem.
    PaintSolid(
        cr, [&](cairo_t* c) { EllipsePath(c, cx, baseY - 3, 15, 4); }, metal);
    PaintSolid(
        cr,
        [&](cairo_t* c) {
            PolygonPath(c, {cx - 11, baseY - 4, cx + 11, baseY - 4, cx + 3, baseY - 14, cx - 3,
                            baseY - 14});
        },
        metal);
    PaintSolid(
        cr, [&](cairo_t* c) { cairo_rectangle(c, cx - 2.5, armY - 8, 5, baseY - armY - 4); },
        metal);
    for (double knob : {baseY - 18.0, baseY - 32.0}) {
        PaintSolid(
            cr, [&](cairo_t* c) { EllipsePath(c, cx, knob, 5, 3.2); }, metal);
    }
    // S-curved arms out to the side candles.
    const int pairs = candles / 2;
    for (int p = 1; p <= pairs; ++p) {
        const double spread = (pairs == 1 ? 24 : 14 * p + (p == 2 ? 2 : 0));
        const double cupY = armY - 4 + (pairs - p) * 4;
        for (double side : {-1.0, 1.0}) {
            cairo_move_to(cr, cx, armY);
            cairo_curve_to(cr, cx + side * spread * 0.3, armY + 14, cx + side * spread, armY + 10,
                           cx + side * spread, cupY);
            SetColour(cr, Darken(metal.base, 0.55));
            cairo_set_line_width(cr, 4.4);
            cairo_stroke_preserve(cr);
            SetColour(cr, metal.base);
            cairo_set_line_width(cr, 2.8);
            cairo_stroke_preserve(cr);
            SetColour(cr, Lighten(metal.base, 0.5), 0.7);
            cairo_set_line_width(cr, 0.9);
            cairo_stroke(cr);
            Cup(cr, cx + side * spread, cupY, metal);
        }
    }
    Cup(cr, cx, armY - 8, metal);
    // Candles last so the flames sit over the metal.
    for (int p = 1; p <= pairs; ++p) {
        const double spread = (pairs == 1 ? 24 : 14 * p + (p == 2 ? 2 : 0));
        const double cupY = armY - 4 + (pairs - p) * 4;
        Candle(cr, cx - spread, cupY - 2, 15 - p, 5.5);
        Candle(cr, cx + spread, cupY - 2, 13 + p, 5.5);
    }
    Candle(cr, cx, armY - 10, 19, 6);
}

void PaintTorch(Canvas& canvas, double baseX, double baseY, double topX, double topY, bool gilded,
                double flame) {
    cairo_t* cr = canvas.Cr();
    GroundShadow(cr, baseX + 8, baseY, 20, 5);
    // As much glow as the picture has room for.
    const double glowY = topY - flame * 0.9;
    const double room = std::min({topX, canvas.Width() - topX, glowY, flame * 2.6}) - 4;
    Glow(cr, topX, glowY, room, style::kCandle, gilded ? 0.6 : 0.5);
    // A warm pool of light on the grass around the foot.
    GlowEllipse(cr, baseX, baseY - 2, std::min(baseX, canvas.Width() - baseX) - 6, 12,
                style::kCandle, 0.16);
    Glow(cr, topX, topY - flame * 0.6, flame * 1.4, style::kPumpkin, 0.3);
    PaintSolid(cr,
               [&](cairo_t* c) {
                   TaperPath(c, baseX, baseY, (baseX + topX) / 2, (baseY + topY) / 2, topX,
                             topY + 8, 6, 8);
               },
               {style::kWood, 0.4, 0.5, 1.2, 2.0, 0.5});
    const Material metal = Metal(gilded);
    // Bands around the pole.
    for (double t : {0.35, 0.65}) {
        const double x = baseX + (topX - baseX) * t, y = baseY + (topY - baseY) * t;
        PaintSolid(
            cr, [&](cairo_t* c) { RoundedRectangle(c, x - 5, y - 2.5, 10, 5, 1.5); }, metal);
    }
    // The basket at the top, with the burning pitch inside.
    PaintSolid(
        cr,
        [&](cairo_t* c) {
            PolygonPath(c, {topX - 12, topY - 10, topX + 12, topY - 10, topX + 6, topY + 10,
                            topX - 6, topY + 10});
        },
        metal);
    for (double bx : {-6.0, 0.0, 6.0}) {
        cairo_move_to(cr, topX + bx, topY - 9);
        cairo_line_to(cr, topX + bx * 0.5, topY + 9);
    }
    SetColour(cr, Darken(metal.base, 0.6), 0.8);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    PaintSolid(
        cr, [&](cairo_t* c) { EllipsePath(c, topX, topY - 10, 12.5, 3.5); }, metal);
    Flame(cr, topX - 5, topY - 8, flame * 0.5, flame * 1.2, -3);
    Flame(cr, topX + 5, topY - 8, flame * 0.5, flame * 1.1, 4);
    Flame(cr, topX, topY - 8, flame * 0.75, flame * 1.8, 2);
    // Sparks drifting up.
    const double sparks[][2] = {{-8, -2.2}, {6, -2.6}, {-2, -3.1}, {10, -1.9}};
    for (const auto& s : sparks) {
        Sparkle(cr, topX + s[0], topY + s[1] * flame, 2.2, style::kCandle, 0.85);
    }
}

}  // namespace

void DrawLantern1(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    HookPost(cr, 30, 144, 70, 34, false);
    PaintLantern(cr, 70, 34, 1.45, false, 56);
}

void DrawLantern2(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    HookPost(cr, 120, 164, 66, 34, true);
    PaintLantern(cr, 66, 34, 1.75, true, 62);
    Sparkle(cr, 30, 60, 4.5, style::kCandle, 0.9);
    Sparkle(cr, 100, 110, 3.5, style::kCandle, 0.8);
    Sparkle(cr, 40, 128, 3, style::kCandle, 0.7);
}

void DrawCandelabra1(Canvas& canvas) {
    PaintCandelabra(canvas.Cr(), 34, 96, 3, false);
}

void DrawCandelabra2(Canvas& canvas) {
    PaintCandelabra(canvas.Cr(), 37, 97, 5, true);
}

void DrawTorch1(Canvas& canvas) {
    PaintTorch(canvas, 48, 154, 62, 72, false, 21);
}

void DrawTorch2(Canvas& canvas) {
    PaintTorch(canvas, 78, 172, 58, 82, true, 27);
}

}  // namespace asset::shop
