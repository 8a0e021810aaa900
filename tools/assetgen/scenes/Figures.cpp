#include "Figures.h"

#include <cmath>

namespace asset::scenes {

namespace {

using namespace style;

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry, double angle = 0) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

// Glossy black plumage: a blue-violet sheen towards the light, near-black
// (never pure black) away from it.
void FillFeathers(cairo_t* cr, double cx, double cy, double radius) {
    const Rgb sheen = Rgb8(0x5A6A9E), base = Rgb8(0x1E2136), deep = Rgb8(0x0C0D18);
    cairo_pattern_t* pattern = cairo_pattern_create_radial(cx - radius * 0.5, cy - radius * 0.6,
                                                           radius * 0.05, cx, cy, radius * 1.2);
    cairo_pattern_add_color_stop_rgb(pattern, 0, sheen.r, sheen.g, sheen.b);
    cairo_pattern_add_color_stop_rgb(pattern, 0.45, base.r, base.g, base.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, deep.r, deep.g, deep.b);
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

void CrowTail(cairo_t* cr) {
    for (int i = 0; i < 3; ++i) {
        const double spread = i * 5.0;
        cairo_move_to(cr, 36, 70 + spread * 0.3);
        cairo_curve_to(cr, 24, 80 + spread, 12, 90 + spread, 3 + spread * 0.6, 100 + spread * 0.4);
        cairo_line_to(cr, 12 + spread * 0.5, 101);
        cairo_curve_to(cr, 22, 92, 34, 86, 44, 80);
        cairo_close_path(cr);
    }
    FillFeathers(cr, 24, 84, 26);
}

void CrowBody(cairo_t* cr) {
    // Legs and feet gripping the branch at (68, 100).
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, Rgb8(0x2A2A34));
    cairo_set_line_width(cr, 2.6);
    for (double foot : {62.0, 74.0}) {
        cairo_move_to(cr, foot + 2, 84);
        cairo_line_to(cr, foot, 99);
        cairo_move_to(cr, foot - 5, 101);
        cairo_line_to(cr, foot + 6, 101);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    Ellipse(cr, 60, 66, 34, 23, -0.38);
    FillFeathers(cr, 60, 64, 34);
    // The folded wing, its long feathers ending in points towards the tail.
    cairo_move_to(cr, 80, 52);
    cairo_curve_to(cr, 66, 48, 44, 56, 34, 74);
    cairo_line_to(cr, 28, 84);
    cairo_line_to(cr, 40, 80);
    cairo_line_to(cr, 36, 88);
    cairo_line_to(cr, 50, 80);
    cairo_curve_to(cr, 66, 76, 80, 70, 86, 62);
    cairo_close_path(cr);
    FillFeathers(cr, 58, 60, 30);
    // Feather edges catching the moon.
    cairo_set_line_width(cr, 1);
    SetColor(cr, Rgb8(0x8A9AD0), 0.45);
    cairo_move_to(cr, 78, 54);
    cairo_curve_to(cr, 64, 51, 48, 58, 38, 72);
    cairo_move_to(cr, 72, 62);
    cairo_curve_to(cr, 62, 62, 52, 68, 44, 78);
    cairo_stroke(cr);
}

void CrowHead(cairo_t* cr, CrowLook look) {
    const bool left = look == CrowLook::Left, caw = look == CrowLook::Caw;
    const double hx = caw ? 90 : 88, hy = caw ? 32 : 36;
    // Neck.
    cairo_move_to(cr, 74, 46);
    cairo_curve_to(cr, 78, 38, hx - 8, hy - 6, hx, hy - 14);
    cairo_line_to(cr, hx + 12, hy + 2);
    cairo_curve_to(cr, hx + 6, hy + 14, 90, 58, 82, 62);
    cairo_close_path(cr);
    FillFeathers(cr, 84, 44, 20);
    Ellipse(cr, hx, hy, 15, 14);
    FillFeathers(cr, hx, hy, 16);
    // Beak: dark grey horn, lit on its top edge.
    const Rgb horn = Rgb8(0x34343E), hornLight = Rgb8(0x8A8A9A);
    const double dir = left ? -1 : 1;
    const double bx = hx + dir * 11, by = hy - 2;
    if (caw) {
        cairo_move_to(cr, bx, by - 5);
        cairo_curve_to(cr, bx + 10, by - 12, bx + 20, by - 15, bx + 28, by - 17);
        cairo_curve_to(cr, bx + 20, by - 9, bx + 10, by - 2, bx, by + 1);
        cairo_close_path(cr);
        cairo_move_to(cr, bx, by + 3);
        cairo_curve_to(cr, bx + 10, by + 6, bx + 18, by + 10, bx + 24, by + 14);
        cairo_curve_to(cr, bx + 14, by + 12, bx + 6, by + 10, bx, by + 8);
        cairo_close_path(cr);
        SetColor(cr, horn);
        cairo_fill(cr);
        // The open mouth.
        cairo_move_to(cr, bx, by + 1);
        cairo_line_to(cr, bx + 16, by - 6);
        cairo_line_to(cr, bx + 14, by + 8);
        cairo_close_path(cr);
        SetColor(cr, Rgb8(0x8A2A3A));
        cairo_fill(cr);
    } else {
        cairo_move_to(cr, bx, by - 5);
        cairo_curve_to(cr, bx + dir * 10, by - 7, bx + dir * 20, by - 4, bx + dir * 25, by + 3);
        cairo_curve_to(cr, bx + dir * 17, by + 3, bx + dir * 8, by + 6, bx, by + 6);
        cairo_close_path(cr);
        SetColor(cr, horn);
        cairo_fill(cr);
    }
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, hornLight, 0.7);
    cairo_move_to(cr, bx + (left ? -2 : 2), by - 5);
    cairo_curve_to(cr, bx + dir * 10, by - 7, bx + dir * 16, by - 5, bx + dir * 20,
                   by - (caw ? 12 : 1));
    cairo_stroke(cr);
    // The eye.
    const double ex = hx + dir * 4, ey = hy - 4;
    if (look == CrowLook::Blink) {
        cairo_set_line_width(cr, 1.6);
        SetColor(cr, Rgb8(0x6A7090));
        cairo_move_to(cr, ex - 4, ey);
        cairo_curve_to(cr, ex - 2, ey + 2.5, ex + 2, ey + 2.5, ex + 4, ey);
        cairo_stroke(cr);
    } else {
        Ellipse(cr, ex, ey, 4, 4);
        SetColor(cr, Rgb8(0xE8B530));
        cairo_fill(cr);
        Ellipse(cr, ex + dir * 0.8, ey, 2, 2.4);
        SetColor(cr, Rgb8(0x0E0E16));
        cairo_fill(cr);
        Ellipse(cr, ex - 1.3, ey - 1.5, 1.1, 1.1);
        SetColor(cr, kBone);
        cairo_fill(cr);
    }
}

}  // namespace

void Crow(cairo_t* cr, double x, double y, double size, CrowLook look) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, size / 120, size / 120);
    cairo_translate(cr, -68, -101);
    CrowTail(cr);
    CrowBody(cr);
    CrowHead(cr, look);
    cairo_restore(cr);
}

Light Hunter(cairo_t* cr, double x, double baseY, double height, int facing) {
    const double h = height, f = facing;
    cairo_save(cr);
    cairo_translate(cr, x, baseY);
    cairo_scale(cr, f * h / 100, h / 100);
    // Legs and boots.
    cairo_move_to(cr, -7, -44);
    cairo_line_to(cr, -9, -2);
    cairo_line_to(cr, -2, 0);
    cairo_line_to(cr, -1, -40);
    cairo_line_to(cr, 2, -40);
    cairo_line_to(cr, 6, 0);
    cairo_line_to(cr, 14, 0);
    cairo_line_to(cr, 8, -44);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Long coat flaring behind as if walking in the wind.
    cairo_move_to(cr, -9, -78);
    cairo_curve_to(cr, -14, -60, -18, -40, -22, -24);
    cairo_line_to(cr, -14, -27);
    cairo_line_to(cr, -6, -22);
    cairo_line_to(cr, 6, -25);
    cairo_line_to(cr, 12, -24);
    cairo_curve_to(cr, 11, -45, 11, -62, 9, -78);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Scarf streaming back.
    cairo_move_to(cr, -6, -80);
    cairo_curve_to(cr, -16, -80, -24, -76, -32, -72);
    cairo_line_to(cr, -28, -68);
    cairo_curve_to(cr, -20, -71, -12, -73, -6, -74);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Head and hat.
    cairo_arc(cr, 0, -85, 7, 0, 2 * M_PI);
    cairo_fill(cr);
    Ellipse(cr, 0, -90, 15, 3.2, -0.06);
    cairo_fill(cr);
    cairo_move_to(cr, -8, -90);
    cairo_line_to(cr, -6, -102);
    cairo_line_to(cr, 7, -101);
    cairo_line_to(cr, 8, -90);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Arm held out with the lantern; the other arm at the side.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 5.5);
    cairo_move_to(cr, 5, -74);
    cairo_line_to(cr, 18, -64);
    cairo_line_to(cr, 29, -62);
    cairo_stroke(cr);
    cairo_move_to(cr, -5, -74);
    cairo_line_to(cr, -9, -55);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, 30, -62);
    cairo_line_to(cr, 30, -56);
    cairo_stroke(cr);
    // Lantern frame.
    cairo_move_to(cr, 26, -56);
    cairo_line_to(cr, 34, -56);
    cairo_line_to(cr, 30, -59);
    cairo_close_path(cr);
    cairo_rectangle(cr, 26, -46, 8, 2);
    cairo_fill(cr);
    cairo_restore(cr);
    return {x + f * h * 0.30, baseY - h * 0.505};
}

void OldLady(cairo_t* cr, double x, double baseY, double height, int facing) {
    const double h = height, f = facing;
    cairo_save(cr);
    cairo_translate(cr, x, baseY);
    cairo_scale(cr, f * h / 100, h / 100);
    // A long skirt and a hunched back under the shawl.
    cairo_move_to(cr, -20, 0);
    cairo_curve_to(cr, -20, -30, -22, -55, -14, -72);
    cairo_curve_to(cr, -8, -84, 6, -84, 12, -74);
    cairo_curve_to(cr, 16, -60, 14, -40, 18, 0);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Head bowed forward, hair in a bun.
    cairo_arc(cr, 12, -80, 8, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_arc(cr, 5, -88, 5, 0, 2 * M_PI);
    cairo_fill(cr);
    // Arm and walking stick.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 5);
    cairo_move_to(cr, 6, -66);
    cairo_line_to(cr, 18, -52);
    cairo_line_to(cr, 26, -50);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 2.6);
    cairo_move_to(cr, 27, -54);
    cairo_curve_to(cr, 30, -58, 24, -60, 24, -56);
    cairo_move_to(cr, 27, -54);
    cairo_line_to(cr, 33, 0);
    cairo_stroke(cr);
    // The fringe of the shawl.
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < 6; ++i) {
        cairo_move_to(cr, -16 + i * 5, -56 + std::abs(i - 2.5) * 2);
        cairo_line_to(cr, -17 + i * 5, -50 + std::abs(i - 2.5) * 2);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Witch(cairo_t* cr, double x, double baseY, double height, int facing) {
    const double h = height, f = facing;
    cairo_save(cr);
    cairo_translate(cr, x, baseY);
    cairo_scale(cr, f * h / 100, h / 100);
    // Cloak.
    cairo_move_to(cr, -22, 0);
    cairo_curve_to(cr, -16, -30, -12, -55, -7, -68);
    cairo_line_to(cr, 8, -68);
    cairo_curve_to(cr, 12, -50, 16, -25, 22, 0);
    cairo_line_to(cr, 10, -3);
    cairo_line_to(cr, 2, 0);
    cairo_line_to(cr, -8, -3);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_arc(cr, 1, -74, 7, 0, 2 * M_PI);
    cairo_fill(cr);
    // The nose everybody knows.
    cairo_move_to(cr, 6, -76);
    cairo_line_to(cr, 13, -71);
    cairo_line_to(cr, 6, -71);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Hat: wide brim and a crooked point.
    Ellipse(cr, 1, -80, 17, 3, 0.05);
    cairo_fill(cr);
    cairo_move_to(cr, -8, -80);
    cairo_curve_to(cr, -5, -92, -3, -104, -8, -116);
    cairo_curve_to(cr, 2, -108, 8, -96, 10, -80);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Arm with the ladle.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 5);
    cairo_move_to(cr, 4, -60);
    cairo_line_to(cr, 16, -50);
    cairo_line_to(cr, 24, -54);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 2.2);
    cairo_move_to(cr, 24, -54);
    cairo_line_to(cr, 34, -30);
    cairo_stroke(cr);
    cairo_arc(cr, 35, -28, 4, 0, M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace asset::scenes
