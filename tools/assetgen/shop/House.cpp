#include "House.h"

#include <algorithm>
#include <cmath>

#include "Paint.h"
#include "Scene.h"
#include "assetkit/Random.h"

namespace asset::shop {
namespace {

// Weathered violet-grey boards and darker trim.
constexpr Rgb kWall = style::Rgb8(0x4E4669);
constexpr Rgb kWingWall = style::Rgb8(0x3E3858);
constexpr Rgb kTrim = style::Rgb8(0x3A3050);
constexpr Rgb kRoof = style::Rgb8(0x2C2846);
constexpr Rgb kDoorWood = style::Rgb8(0x5A3A2E);
constexpr Rgb kFoundation = style::Rgb8(0x5C5A6E);
constexpr Rgb kWarmLight = style::Rgb8(0xFFB347);

// The gable front: left wall leans a little, the peak sits off centre.
constexpr double kGable[] = {258, 476, 250, 168, 440, 10, 614, 150, 606, 476};
// The wing on the right, under its lean-to roof.
constexpr double kWing[] = {604, 150, 742, 202, 738, 476, 604, 476};

void GablePath(cairo_t* cr) {
    PolygonPath(cr, {kGable[0], kGable[1], kGable[2], kGable[3], kGable[4], kGable[5], kGable[6],
                     kGable[7], kGable[8], kGable[9]});
}

void WingPath(cairo_t* cr) {
    PolygonPath(cr,
                {kWing[0], kWing[1], kWing[2], kWing[3], kWing[4], kWing[5], kWing[6], kWing[7]});
}

// Fills a wall with its lit gradient, weather stains and moss at the foot.
void PaintWallBody(cairo_t* cr, void (*path)(cairo_t*), Rgb colour, double x0, double x1,
                   uint64_t seed) {
    cairo_save(cr);
    path(cr);
    cairo_clip(cr);
    cairo_pattern_t* body = cairo_pattern_create_linear(x0, 0, x1, 476);
    const Rgb lit = Lighten(colour, 0.18), dark = Darken(colour, 0.42);
    cairo_pattern_add_color_stop_rgb(body, 0, lit.r, lit.g, lit.b);
    cairo_pattern_add_color_stop_rgb(body, 1, dark.r, dark.g, dark.b);
    cairo_set_source(cr, body);
    cairo_paint(cr);
    cairo_pattern_destroy(body);
    Rng rng(seed);
    for (int i = 0; i < 18; ++i) {
        GlowEllipse(cr, rng.Range(x0, x1), rng.Range(40, 470), rng.Range(10, 30), rng.Range(20, 60),
                    style::Rgb8(0x1A1628), 0.16);
    }
    cairo_pattern_t* moss = cairo_pattern_create_linear(0, 400, 0, 476);
    cairo_pattern_add_color_stop_rgba(moss, 0, 0.25, 0.4, 0.2, 0);
    cairo_pattern_add_color_stop_rgba(moss, 1, 0.25, 0.4, 0.2, 0.45);
    cairo_set_source(cr, moss);
    cairo_paint(cr);
    cairo_pattern_destroy(moss);
    cairo_restore(cr);
}

// Grooves between boards: a dark line with a faint lit edge beside it.
void Groove(cairo_t* cr, double x0, double y0, double x1, double y1, bool vertical) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    SetColour(cr, style::Rgb8(0x1C1830), 0.55);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    const double dx = vertical ? 1.5 : 0, dy = vertical ? 0 : 1.5;
    cairo_move_to(cr, x0 + dx, y0 + dy);
    cairo_line_to(cr, x1 + dx, y1 + dy);
    SetColour(cr, style::kMoonlight, 0.1);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void DrawGableWall(cairo_t* cr) {
    PaintWallBody(cr, GablePath, kWall, 250, 606, SeedOf("gable stains"));
    cairo_save(cr);
    GablePath(cr);
    cairo_clip(cr);
    Rng rng(SeedOf("gable boards"));
    for (double x = 262; x < 606; x += 16) {
        const double wobble = rng.Range(-1.5, 1.5);
        Groove(cr, x + wobble, 0, x - 2 + wobble * 0.5, 476, true);
    }
    // Nail heads along a hidden beam.
    for (double x = 270; x < 600; x += 16) {
        Glow(cr, x, 262, 1.6, style::Rgb8(0x1A1628), 0.7);
    }
    cairo_restore(cr);
}

void DrawWingWall(cairo_t* cr) {
    PaintWallBody(cr, WingPath, kWingWall, 604, 742, SeedOf("wing stains"));
    cairo_save(cr);
    WingPath(cr);
    cairo_clip(cr);
    for (double y = 150; y < 476; y += 12)
        Groove(cr, 600, y, 746, y + 3, false);
    cairo_restore(cr);
}

// Overhanging roof edge with a scalloped trim, along a polyline.
void Bargeboard(cairo_t* cr, double x0, double y0, double x1, double y1, double thickness) {
    const double length = std::hypot(x1 - x0, y1 - y0);
    const double ux = (x1 - x0) / length, uy = (y1 - y0) / length;
    const double nx = -uy, ny = ux;  // points down-ish for a left-to-right edge
    const double side = ny > 0 ? 1 : -1;
    const double px = nx * side, py = ny * side;
    // Scallops hang below the board.
    SetColour(cr, Darken(kTrim, 0.1));
    for (double d = 6; d < length - 6; d += 11) {
        const double cx = x0 + ux * d + px * thickness / 2, cy = y0 + uy * d + py * thickness / 2;
        cairo_arc(cr, cx, cy, 4.5, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    PaintSolid(cr,
               [&](cairo_t* c) {
                   PolygonPath(c, {x0 - px * thickness / 2, y0 - py * thickness / 2,
                                   x1 - px * thickness / 2, y1 - py * thickness / 2,
                                   x1 + px * thickness / 2, y1 + py * thickness / 2,
                                   x0 + px * thickness / 2, y0 + py * thickness / 2});
               },
               {kRoof, 0.4, 0.4, 1.2, 2.5, 0.6});
}

// The roof's overhang shades the top of the gable wall.
void EaveShadow(cairo_t* cr) {
    cairo_save(cr);
    GablePath(cr);
    cairo_clip(cr);
    for (int i = 0; i < 6; ++i) {
        cairo_move_to(cr, 228, 186 + i * 3);
        cairo_line_to(cr, 440, -4 + i * 3);
        cairo_line_to(cr, 636, 164 + i * 3);
        SetColour(cr, style::Rgb8(0x0E0A1C), 0.09);
        cairo_set_line_width(cr, 22);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

// Planks nailed over a hole in the wall, and a loose board.
void Repairs(cairo_t* cr) {
    const Material plank{style::Rgb8(0x5E5068), 0.4, 0.5, 1.2, 2.0, 0.5};
    cairo_save(cr);
    cairo_translate(cr, 290, 418);
    cairo_rotate(cr, -0.18);
    PaintSolid(
        cr, [](cairo_t* c) { cairo_rectangle(c, -30, -5, 60, 10); }, plank);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_translate(cr, 292, 436);
    cairo_rotate(cr, 0.12);
    PaintSolid(
        cr, [](cairo_t* c) { cairo_rectangle(c, -28, -5, 56, 10); }, plank);
    cairo_restore(cr);
    for (const auto& nail : {Point{266, 422}, Point{314, 412}, Point{268, 433}, Point{316, 439}}) {
        Glow(cr, nail.x, nail.y, 1.8, style::kIronHighlight, 0.9);
    }
    // A board hanging loose from the wing, showing the dark behind it.
    PaintFlat(
        cr,
        [](cairo_t* c) {
            PolygonPath(c, {640, 404, 700, 406, 700, 416, 640, 414});
        },
        style::Rgb8(0x15121F));
    cairo_save(cr);
    cairo_translate(cr, 700, 406);
    cairo_rotate(cr, 0.35);
    PaintSolid(cr, [](cairo_t* c) { cairo_rectangle(c, -62, 0, 62, 10); },
               {kWingWall, 0.4, 0.5, 1.2, 2.0, 0.5});
    cairo_restore(cr);
}

// Ivy climbing the house's left corner.
void Ivy(cairo_t* cr) {
    Rng rng(SeedOf("house ivy"));
    cairo_move_to(cr, 262, 476);
    cairo_curve_to(cr, 250, 420, 270, 380, 258, 300);
    cairo_curve_to(cr, 252, 260, 266, 240, 262, 210);
    SetColour(cr, style::Rgb8(0x2E3A26));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    for (int i = 0; i < 70; ++i) {
        const double t = rng.Uniform();
        const double y = 476 - t * 262, x = 260 + std::sin(t * 9) * 6 + rng.Range(-12, 12);
        PaintSolid(cr, [&](cairo_t* c) { BlobPath(c, x, y, 4.5 - t * 1.5, 3.5 - t, 0.25, rng); },
                   {Mix(style::Rgb8(0x2E4A30), style::Rgb8(0x4E6E44), rng.Uniform()), 0.45, 0.5,
                    0.8, 1.2, 0.5});
    }
}

void DrawGableRoof(cairo_t* cr) {
    Bargeboard(cr, 228, 186, 440, -4, 17);
    Bargeboard(cr, 440, -4, 636, 164, 17);
    // Finial at the peak.
    PaintSolid(cr, [](cairo_t* c) { EllipsePath(c, 440, 6, 6, 6); },
               {kTrim, 0.4, 0.4, 1.0, 1.5, 0.5});
}

void DrawWingRoof(cairo_t* cr) {
    const Material shingles{kRoof, 0.3, 0.45, 1.2, 2.0, 0.5};
    PaintSolid(
        cr,
        [](cairo_t* c) {
            PolygonPath(c, {596, 116, 764, 184, 764, 206, 596, 150});
        },
        shingles);
    cairo_save(cr);
    PolygonPath(cr, {596, 116, 764, 184, 764, 206, 596, 150});
    cairo_clip(cr);
    // Rows of shingles following the slope.
    for (double row = 0; row < 5; ++row) {
        const double offset = 124 + row * 7;
        for (double x = 596 + std::fmod(row * 5, 10); x < 766; x += 10) {
            const double y = offset + (x - 596) * 0.405;
            cairo_arc(cr, x, y, 5, 0, M_PI);
            SetColour(cr, style::Rgb8(0x15132A), 0.45);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
    }
    cairo_restore(cr);
    Bargeboard(cr, 594, 152, 766, 210, 9);
}

void DrawChimney(cairo_t* cr) {
    const double top = place::kChimneyTopY;
    PaintSolid(cr,
               [&](cairo_t* c) {
                   PolygonPath(c, {590, top + 6, 632, top + 6, 634, 190, 588, 190});
               },
               {style::Rgb8(0x6A4A4E), 0.3, 0.5, 1.2, 2.5, 0.5});
    cairo_save(cr);
    PolygonPath(cr, {590, top + 6, 632, top + 6, 634, 190, 588, 190});
    cairo_clip(cr);
    for (int row = 0; row < 9; ++row) {
        const double y = top + 12 + row * 8;
        cairo_move_to(cr, 586, y);
        cairo_line_to(cr, 636, y);
        for (double x = 590 + (row % 2) * 7; x < 634; x += 14) {
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, x, y + 8);
        }
    }
    SetColour(cr, style::Rgb8(0x2A1C26), 0.5);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_restore(cr);
    // The capstone the cat sits on.
    PaintSolid(cr,
               [&](cairo_t* c) {
                   PolygonPath(c, {582, top, 640, top, 640, top + 8, 582, top + 8});
               },
               {style::Rgb8(0x74728A), 0.4, 0.5, 1.2, 2.0, 0.6});
    // A wisp of smoke.
    for (int i = 0; i < 6; ++i) {
        GlowEllipse(cr, 618 + i * 9, top - 18 - i * 14, 10 + i * 3, 7 + i * 2,
                    style::Rgb8(0x9C9ABC), 0.16 - i * 0.02);
    }
}

struct WindowSpec {
    double x, y, w, h;
    bool arched;
    double tiltDegrees;
    double warmth;  // faint light inside, 0..1
};

void WindowOpening(cairo_t* cr, const WindowSpec& s, double inset) {
    const double x = s.x + inset, y = s.y + inset, w = s.w - inset * 2, h = s.h - inset * 2;
    if (s.arched) {
        const double r = w / 2;
        cairo_move_to(cr, x, y + h);
        cairo_line_to(cr, x, y + r);
        cairo_arc(cr, x + r, y + r, r, M_PI, 2 * M_PI);
        cairo_line_to(cr, x + w, y + h);
        cairo_close_path(cr);
    } else {
        cairo_rectangle(cr, x, y, w, h);
    }
}

// Tattered curtains drawn aside inside the bigger windows.
void Curtains(cairo_t* cr, const WindowSpec& s) {
    const Rgb cloth = style::Rgb8(0x4A2440);
    for (double side : {-1.0, 1.0}) {
        const double edge = side < 0 ? s.x : s.x + s.w;
        const double inner = edge - side * s.w * 0.26;
        PaintSolid(cr,
                   [&](cairo_t* c) {
                       cairo_move_to(c, edge, s.y);
                       cairo_curve_to(c, inner, s.y + s.h * 0.3, inner + side * s.w * 0.1,
                                      s.y + s.h * 0.6, edge - side * s.w * 0.08, s.y + s.h);
                       // Ragged hem.
                       cairo_line_to(c, edge - side * s.w * 0.05, s.y + s.h - 8);
                       cairo_line_to(c, edge - side * s.w * 0.02, s.y + s.h - 2);
                       cairo_line_to(c, edge, s.y + s.h - 10);
                       cairo_close_path(c);
                   },
                   {cloth, 0.3, 0.45, 0, 2.0, 0.35});
        for (int fold = 1; fold <= 2; ++fold) {
            const double x = edge - side * s.w * 0.07 * fold;
            cairo_move_to(cr, x, s.y + 4);
            cairo_curve_to(cr, x - side * 4, s.y + s.h * 0.4, x + side * 2, s.y + s.h * 0.7,
                           x + side * 3, s.y + s.h - 6);
        }
        SetColour(cr, Darken(cloth, 0.6), 0.5);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
}

void DrawGlass(cairo_t* cr, const WindowSpec& s) {
    cairo_save(cr);
    WindowOpening(cr, s, 0);
    cairo_clip(cr);
    cairo_pattern_t* glass = cairo_pattern_create_linear(0, s.y, 0, s.y + s.h);
    cairo_pattern_add_color_stop_rgb(glass, 0, 0.1, 0.11, 0.27);
    cairo_pattern_add_color_stop_rgb(glass, 1, 0.17, 0.12, 0.27);
    cairo_set_source(cr, glass);
    cairo_paint(cr);
    cairo_pattern_destroy(glass);
    GlowEllipse(cr, s.x + s.w / 2, s.y + s.h, s.w * 0.7, s.h * 0.6, kWarmLight, 0.25 * s.warmth);
    if (s.w > 60) Curtains(cr, s);
    // Moonlight glancing off the panes, from the top left.
    cairo_move_to(cr, s.x - 10, s.y + s.h * 0.55);
    cairo_line_to(cr, s.x + s.w * 0.55, s.y - 10);
    cairo_line_to(cr, s.x + s.w * 0.8, s.y - 10);
    cairo_line_to(cr, s.x - 10, s.y + s.h * 0.85);
    cairo_close_path(cr);
    SetColour(cr, style::kMoonlight, 0.08);
    cairo_fill(cr);
    cairo_restore(cr);
}

void DrawWindow(cairo_t* cr, const WindowSpec& s) {
    cairo_save(cr);
    const double cx = s.x + s.w / 2, cy = s.y + s.h / 2;
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, s.tiltDegrees * M_PI / 180);
    cairo_translate(cr, -cx, -cy);
    const Material trim{kTrim, 0.4, 0.45, 1.2, 2.5, 0.5};
    PaintSolid(
        cr, [&](cairo_t* c) { WindowOpening(c, s, -7); }, trim);
    DrawGlass(cr, s);
    // Inner shadow of the frame on the glass.
    cairo_save(cr);
    WindowOpening(cr, s, 0);
    cairo_clip(cr);
    WindowOpening(cr, s, -4);
    cairo_translate(cr, 3, 3);
    WindowOpening(cr, s, 0);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    SetColour(cr, style::Rgb8(0x080818), 0.45);
    cairo_fill(cr);
    cairo_restore(cr);
    // Mullions.
    const Material bar{Lighten(kTrim, 0.05), 0.4, 0.4, 1.0, 1.2, 0.5};
    PaintSolid(
        cr, [&](cairo_t* c) { cairo_rectangle(c, cx - 2.5, s.y + 2, 5, s.h - 4); }, bar);
    PaintSolid(
        cr, [&](cairo_t* c) { cairo_rectangle(c, s.x + 2, cy - 6, s.w - 4, 5); }, bar);
    cairo_restore(cr);
}

void Sill(cairo_t* cr, double x, double y, double w) {
    GroundShadow(cr, x + w / 2 + 3, y + 12, w / 2, 5, 0.35);
    PaintSolid(cr, [&](cairo_t* c) { cairo_rectangle(c, x, y, w, 8); },
               {style::Rgb8(0x5E5070), 0.45, 0.45, 1.2, 2.0, 0.6});
}

// A shutter hanging crooked from its top hinge.
void Shutter(cairo_t* cr, double x, double y, double w, double h, double swingDegrees) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, swingDegrees * M_PI / 180);
    PaintSolid(cr, [&](cairo_t* c) { cairo_rectangle(c, 0, 0, w, h); },
               {style::Rgb8(0x3E4A5E), 0.35, 0.45, 1.2, 2.0, 0.5});
    for (double sy = 8; sy < h - 4; sy += 7) {
        cairo_move_to(cr, 4, sy);
        cairo_line_to(cr, w - 4, sy + 2);
    }
    SetColour(cr, style::Rgb8(0x1A1E2C), 0.55);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawWindows(cairo_t* cr) {
    // Ground floor: the candelabras stand on these sills.
    DrawWindow(cr, {298, 268, 90, 118, true, -1.0, 0.6});
    Sill(cr, 290, 386, 106);
    Shutter(cr, 270, 262, 22, 122, 4);
    DrawWindow(cr, {616, 268, 94, 118, true, 1.2, 0.5});
    Sill(cr, 608, 386, 110);
    Shutter(cr, 718, 262, 22, 122, -7);
    // Upper storey and attic.
    DrawWindow(cr, {516, 134, 50, 66, true, -2.0, 0.9});
    Sill(cr, 510, 200, 62);
    DrawWindow(cr, {424, 68, 32, 32, true, 0, 1.0});
    DrawWindow(cr, {660, 222, 34, 42, true, 3.0, 0.3});
}

// Iron eyes the house sign hangs from.
void SignHooks(cairo_t* cr) {
    for (double x : {322.0, 474.0}) {
        cairo_arc(cr, x, 123, 3.5, 0, 2 * M_PI);
        SetColour(cr, style::kIron);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        cairo_arc(cr, x - 0.8, 122.2, 3.5, M_PI, 1.5 * M_PI);
        SetColour(cr, style::kIronHighlight, 0.8);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
}

void DrawDoor(cairo_t* cr) {
    const double x = 468, y = 318, w = 66, h = 156, r = w / 2;
    auto doorPath = [&](cairo_t* c, double grow) {
        cairo_move_to(c, x - grow, y + h);
        cairo_line_to(c, x - grow, y + r);
        cairo_arc(c, x + r, y + r, r + grow, M_PI, 2 * M_PI);
        cairo_line_to(c, x + w + grow, y + h);
        cairo_close_path(c);
    };
    PaintSolid(cr, [&](cairo_t* c) { doorPath(c, 8); }, {kTrim, 0.4, 0.45, 1.2, 2.5, 0.5});
    PaintSolid(cr, [&](cairo_t* c) { doorPath(c, 0); }, {kDoorWood, 0.35, 0.5, 1.2, 3.0, 0.5});
    cairo_save(cr);
    doorPath(cr, 0);
    cairo_clip(cr);
    for (double px = x + 13; px < x + w; px += 13)
        Groove(cr, px, y, px, y + h, true);
    cairo_restore(cr);
    // Strap hinges and a ring knocker.
    const Material iron{style::kIron, 0.45, 0.4, 1.0, 1.2, 0.6};
    for (double hy : {362.0, 440.0}) {
        PaintSolid(
            cr,
            [&](cairo_t* c) {
                PolygonPath(c, {x + 2, hy, x + 40, hy + 2, x + 40, hy + 6, x + 2, hy + 8});
            },
            iron);
    }
    cairo_arc(cr, x + w - 14, 408, 6, 0, 2 * M_PI);
    SetColour(cr, style::Rgb8(0xB08A40));
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    // Little glowing window in the door.
    Glow(cr, x + r, y + 30, 22, kWarmLight, 0.35);
    PaintSolid(cr, [&](cairo_t* c) { EllipsePath(c, x + r, y + 30, 10, 10); },
               {kTrim, 0.3, 0.4, 1.2, 1.5, 0.5});
    cairo_pattern_t* pane = cairo_pattern_create_radial(x + r, y + 32, 1, x + r, y + 30, 8);
    cairo_pattern_add_color_stop_rgb(pane, 0, 1.0, 0.85, 0.5);
    cairo_pattern_add_color_stop_rgb(pane, 1, 0.85, 0.45, 0.18);
    cairo_set_source(cr, pane);
    cairo_arc(cr, x + r, y + 30, 7.5, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(pane);
}

void DrawFoundation(cairo_t* cr) {
    Rng rng(SeedOf("foundation"));
    const Material stone{kFoundation, 0.35, 0.5, 1.0, 1.6, 0.5};
    for (int row = 0; row < 2; ++row) {
        for (double x = 256 + row * 9; x < 738; x += 0) {
            const double w = rng.Range(16, 26);
            const double y = 458 + row * 9;
            PaintSolid(cr, [&](cairo_t* c) { RoundedRectangle(c, x, y, w - 2, 8.5, 3); },
                       {Mix(stone.base, style::Rgb8(0x4A5A58), rng.Uniform() * 0.6), 0.35, 0.5, 1.0,
                        1.6, 0.5});
            x += w;
        }
    }
}

void DrawPorchRoof(cairo_t* cr) {
    // Shadow the roof throws on the wall below it.
    cairo_save(cr);
    GablePath(cr);
    cairo_clip(cr);
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, 250, 0, 330);
    cairo_pattern_add_color_stop_rgba(shade, 0, 0.04, 0.03, 0.1, 0.6);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0.04, 0.03, 0.1, 0);
    cairo_set_source(cr, shade);
    cairo_rectangle(cr, 386, 250, 236, 80);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
    cairo_restore(cr);
    PaintSolid(cr,
               [](cairo_t* c) {
                   PolygonPath(c, {390, 208, 618, 208, 628, 246, 378, 246});
               },
               {kRoof, 0.3, 0.4, 1.2, 2.0, 0.5});
    cairo_save(cr);
    PolygonPath(cr, {390, 208, 618, 208, 628, 246, 378, 246});
    cairo_clip(cr);
    for (int row = 0; row < 5; ++row) {
        const double y = 214 + row * 8;
        for (double x = 376 + (row % 2) * 6; x < 632; x += 12) {
            cairo_arc(cr, x, y, 6, 0, M_PI);
            SetColour(cr, style::Rgb8(0x14122A), 0.5);
            cairo_set_line_width(cr, 1.1);
            cairo_stroke(cr);
        }
    }
    cairo_restore(cr);
    // Fascia board the lights and the web hang from.
    PaintSolid(cr, [](cairo_t* c) { cairo_rectangle(c, 376, 244, 254, 12); },
               {kTrim, 0.45, 0.45, 1.2, 2.5, 0.6});
}

void Post(cairo_t* cr, double x) {
    const Material wood{style::Rgb8(0x5A4E6A), 0.4, 0.5, 1.2, 2.5, 0.5};
    PaintSolid(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x + 2, 256, 10, 208); }, wood);
    PaintSolid(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x - 1, 256, 16, 10); }, wood);
    PaintSolid(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x - 1, 452, 16, 14); }, wood);
    for (double y : {300.0, 380.0}) {
        PaintSolid(
            cr, [&](cairo_t* c) { EllipsePath(c, x + 7, y, 7, 5); }, wood);
    }
}

void Railing(cairo_t* cr, double x0, double x1) {
    const Material wood{style::Rgb8(0x524866), 0.4, 0.5, 1.0, 1.5, 0.5};
    for (double x = x0 + 5; x < x1 - 3; x += 9) {
        PaintSolid(
            cr, [&](cairo_t* c) { RoundedRectangle(c, x, 432, 4.5, 34, 2); }, wood);
    }
    PaintSolid(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x0, 426, x1 - x0, 7); }, wood);
}

void DrawPorch(cairo_t* cr) {
    // Warm light spilling from the door onto the boards.
    GlowEllipse(cr, 501, 470, 80, 20, kWarmLight, 0.12);
    PaintSolid(cr,
               [](cairo_t* c) {
                   PolygonPath(c, {382, 462, 624, 462, 632, 472, 374, 472});
               },
               {style::Rgb8(0x5E5266), 0.4, 0.45, 1.0, 1.5, 0.5});
    PaintSolid(cr, [](cairo_t* c) { cairo_rectangle(c, 374, 472, 258, 9); },
               {style::Rgb8(0x443A52), 0.35, 0.5, 1.2, 2.0, 0.5});
    const Material step{style::Rgb8(0x5E5A6C), 0.4, 0.5, 1.2, 2.0, 0.55};
    PaintSolid(
        cr, [](cairo_t* c) { cairo_rectangle(c, 452, 481, 114, 10); }, step);
    PaintSolid(
        cr, [](cairo_t* c) { cairo_rectangle(c, 446, 491, 126, 10); }, step);
    PaintSolid(
        cr, [](cairo_t* c) { cairo_rectangle(c, 440, 501, 138, 10); }, step);
    GroundShadow(cr, 520, 512, 90, 6, 0.5);
    Railing(cr, 412, 458);
    Railing(cr, 546, 594);
    Post(cr, 398);
    Post(cr, 594);
}

}  // namespace

void DrawHouse(cairo_t* cr) {
    // The house shades the lawn to its lower right.
    GroundShadow(cr, 640, 486, 220, 26, 0.6);
    GroundShadow(cr, 790, 478, 70, 16, 0.45);
    DrawChimney(cr);
    DrawWingWall(cr);
    DrawWingRoof(cr);
    DrawGableWall(cr);
    EaveShadow(cr);
    Repairs(cr);
    DrawGableRoof(cr);
    DrawWindows(cr);
    SignHooks(cr);
    DrawDoor(cr);
    DrawFoundation(cr);
    DrawPorchRoof(cr);
    DrawPorch(cr);
    Ivy(cr);
}

}  // namespace asset::shop
