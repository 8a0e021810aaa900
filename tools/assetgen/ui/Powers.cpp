// Powerup slots along the bottom of the level screen: the iron ring, the
// dark glass of an empty slot, the coloured liquid that fills it, the
// charged look with the powerup's icon, the locked slot, the mouse-over
// glow, the level pins, and the three tools held on the pointer.
#include <cmath>
#include <string>

#include "Paint.h"
#include "UiAssets.h"
#include "assetkit/Random.h"

namespace asset::ui {

using namespace style;

namespace {

constexpr int kSlot = 88;
constexpr double kCentre = 44, kInterior = 38, kRingOuter = 42.5;

// --- Icons (drawn in a square of `size` centred at (cx, cy)) -------------

void StrokeOutline(cairo_t* cr, double width) {
    SetColour(cr, kShadowInk, 0.85);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void FillAcross(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb lit, Rgb mid,
                Rgb dark) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgb(p, 0, lit.r, lit.g, lit.b);
    cairo_pattern_add_color_stop_rgb(p, 0.5, mid.r, mid.g, mid.b);
    cairo_pattern_add_color_stop_rgb(p, 1, dark.r, dark.g, dark.b);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
}

// Each icon is built lying along the x axis in a unit square (-0.5 … 0.5)
// and turned 45 degrees, so tools point down-left like a held weapon.
void Stake(cairo_t* cr) {
    cairo_move_to(cr, -0.5, 0);
    cairo_line_to(cr, -0.18, -0.1);
    cairo_line_to(cr, 0.34, -0.115);
    cairo_line_to(cr, 0.34, 0.115);
    cairo_line_to(cr, -0.18, 0.1);
    cairo_close_path(cr);
    FillAcross(cr, 0, -0.12, 0, 0.12, Rgb8(0xE8C79A), kLightWood, kBark);
    StrokeOutline(cr, 0.025);
    // Cut facets along the point.
    cairo_move_to(cr, -0.47, 0);
    cairo_line_to(cr, -0.16, -0.03);
    SetColour(cr, kBone, 0.6);
    cairo_set_line_width(cr, 0.014);
    cairo_stroke(cr);
    // Silver band and the flat striking end.
    cairo_rectangle(cr, 0.16, -0.135, 0.08, 0.27);
    FillAcross(cr, 0, -0.135, 0, 0.135, kMoonlight, kIronHighlight, kIron);
    StrokeOutline(cr, 0.018);
    cairo_rectangle(cr, 0.34, -0.14, 0.1, 0.28);
    FillAcross(cr, 0, -0.14, 0, 0.14, kLightWood, kWood, kBark);
    StrokeOutline(cr, 0.02);
}

void Broom(cairo_t* cr) {
    // Handle.
    cairo_move_to(cr, 0.02, -0.035);
    cairo_curve_to(cr, 0.2, -0.05, 0.35, -0.02, 0.5, -0.04);
    cairo_line_to(cr, 0.5, 0.025);
    cairo_curve_to(cr, 0.35, 0.04, 0.2, 0.02, 0.02, 0.035);
    cairo_close_path(cr);
    FillAcross(cr, 0, -0.05, 0, 0.05, kLightWood, kWood, kBark);
    StrokeOutline(cr, 0.02);
    // Bristles fanning out from the binding.
    cairo_move_to(cr, 0.05, -0.07);
    cairo_curve_to(cr, -0.15, -0.12, -0.35, -0.22, -0.5, -0.2);
    cairo_curve_to(cr, -0.45, -0.05, -0.47, 0.08, -0.5, 0.2);
    cairo_curve_to(cr, -0.35, 0.22, -0.15, 0.12, 0.05, 0.07);
    cairo_close_path(cr);
    FillAcross(cr, 0, -0.2, 0, 0.2, Rgb8(0xF6D98A), Rgb8(0xC99A3C), Rgb8(0x7A5220));
    StrokeOutline(cr, 0.02);
    for (int i = -3; i <= 3; ++i) {
        cairo_move_to(cr, 0.0, i * 0.015);
        cairo_curve_to(cr, -0.2, i * 0.04, -0.35, i * 0.055, -0.47, i * 0.057);
    }
    SetColour(cr, Rgb8(0x6A4518), 0.7);
    cairo_set_line_width(cr, 0.01);
    cairo_stroke(cr);
    // Cord binding.
    cairo_rectangle(cr, 0.0, -0.08, 0.06, 0.16);
    FillAcross(cr, 0, -0.08, 0, 0.08, Rgb8(0xC7476A), Rgb8(0x8E2A48), Rgb8(0x4A1426));
    StrokeOutline(cr, 0.016);
}

void Hammer(cairo_t* cr) {
    // Handle.
    RoundedRectangle(cr, -0.5, -0.045, 0.78, 0.09, 0.04);
    FillAcross(cr, 0, -0.05, 0, 0.05, kLightWood, kWood, kBark);
    StrokeOutline(cr, 0.02);
    // Iron head across the end of the handle.
    cairo_move_to(cr, 0.22, -0.32);
    cairo_line_to(cr, 0.42, -0.3);
    cairo_line_to(cr, 0.42, 0.3);
    cairo_line_to(cr, 0.22, 0.32);
    cairo_close_path(cr);
    FillAcross(cr, 0.22, 0, 0.44, 0, kMoonlight, kIronHighlight, kIron);
    StrokeOutline(cr, 0.022);
    for (double y : {-0.3, 0.3}) {
        cairo_rectangle(cr, 0.2, y - 0.045, 0.24, 0.09);
        FillAcross(cr, 0, y - 0.05, 0, y + 0.05, kIronHighlight, kIron, Rgb8(0x1E1F27));
        StrokeOutline(cr, 0.018);
    }
}

void Lightning(cairo_t* cr) {
    cairo_move_to(cr, 0.12, -0.5);
    cairo_line_to(cr, -0.22, 0.04);
    cairo_line_to(cr, -0.02, 0.04);
    cairo_line_to(cr, -0.14, 0.5);
    cairo_line_to(cr, 0.24, -0.08);
    cairo_line_to(cr, 0.04, -0.08);
    cairo_line_to(cr, 0.2, -0.5);
    cairo_close_path(cr);
    FillAcross(cr, -0.2, -0.5, 0.2, 0.5, Rgb8(0xFFFFFF), Rgb8(0xBFE6FF), Rgb8(0x3FA9F5));
    StrokeOutline(cr, 0.022);
}

void CrystalBall(cairo_t* cr) {
    // Gold stand.
    cairo_move_to(cr, -0.26, 0.46);
    cairo_curve_to(cr, -0.22, 0.3, -0.12, 0.26, -0.16, 0.2);
    cairo_line_to(cr, 0.16, 0.2);
    cairo_curve_to(cr, 0.12, 0.26, 0.22, 0.3, 0.26, 0.46);
    cairo_close_path(cr);
    FillAcross(cr, -0.26, 0.2, 0.26, 0.46, Rgb8(0xFFE9A0), kGold, Rgb8(0x7A4A10));
    StrokeOutline(cr, 0.02);
    // Glass sphere with a swirl of violet mist.
    const double cy = -0.06, r = 0.33;
    cairo_arc(cr, 0, cy, r, 0, 2 * M_PI);
    cairo_pattern_t* glass = cairo_pattern_create_radial(-0.1, cy - 0.12, 0.02, 0, cy, r);
    cairo_pattern_add_color_stop_rgb(glass, 0, 1, 0.92, 1);
    cairo_pattern_add_color_stop_rgb(glass, 0.45, 0.78, 0.45, 0.95);
    cairo_pattern_add_color_stop_rgb(glass, 1, 0.3, 0.12, 0.5);
    cairo_set_source(cr, glass);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(glass);
    StrokeOutline(cr, 0.022);
    cairo_move_to(cr, -0.2, cy + 0.05);
    cairo_curve_to(cr, -0.1, cy - 0.15, 0.12, cy + 0.2, 0.2, cy - 0.04);
    SetColour(cr, Rgb8(0xFFD6FF), 0.7);
    cairo_set_line_width(cr, 0.03);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_arc(cr, -0.12, cy - 0.14, 0.06, 0, 2 * M_PI);
    SetColour(cr, Rgb8(0xFFFFFF), 0.9);
    cairo_fill(cr);
}

void TarotCard(cairo_t* cr) {
    cairo_save(cr);
    cairo_rotate(cr, -0.18);
    RoundedRectangle(cr, -0.27, -0.42, 0.54, 0.84, 0.05);
    FillAcross(cr, -0.27, -0.42, 0.27, 0.42, Rgb8(0xFFF2C2), kGold, Rgb8(0x8A5A14));
    StrokeOutline(cr, 0.022);
    RoundedRectangle(cr, -0.21, -0.36, 0.42, 0.72, 0.03);
    FillAcross(cr, -0.21, -0.36, 0.21, 0.36, kDusk, kViolet, kMidnight);
    cairo_new_path(cr);
    // A crescent moon over a star: the card of fortune.
    cairo_arc(cr, 0, -0.12, 0.13, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, 0.06, -0.15, 0.11, 2 * M_PI, 0);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    SetColour(cr, kBone);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    StarPath(cr, 0, 0.16, 5, 0.12, 0.05, 0);
    SetColour(cr, kCandle);
    cairo_fill(cr);
    cairo_restore(cr);
}

using IconFn = void (*)(cairo_t*);

struct Power {
    const char* name;
    IconFn icon;
    double angle;  // degrees the icon is turned in its slot
    Rgb liquid;
};

const Power kPowers[] = {
    {"stake", Stake, -45, Rgb8(0xD8344A)},
    {"broom", Broom, -45, Rgb8(0x6FC23A)},
    {"hammer", Hammer, -45, Rgb8(0xF07A1A)},
    {"lightning", Lightning, 0, Rgb8(0x3FA9F5)},
    {"crystal ball", CrystalBall, 0, Rgb8(0xC45BE8)},
    {"tarot card", TarotCard, 0, Rgb8(0xE8B530)},
};

void DrawIcon(cairo_t* cr, const Power& power, double cx, double cy, double size) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, power.angle * M_PI / 180);
    cairo_scale(cr, size, size);
    power.icon(cr);
    cairo_restore(cr);
}

// --- Slot parts ------------------------------------------------------------

// The iron ring with a glass glint on its upper left: drawn over the liquid.
void Ring(Canvas& canvas, bool rusty) {
    cairo_t* cr = canvas.Cr();
    cairo_save(cr);
    cairo_arc(cr, kCentre + 0.5, kCentre + 1.2, kRingOuter, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, kCentre + 0.5, kCentre + 1.2, kInterior, 2 * M_PI, 0);
    SetColour(cr, kShadowInk, 0.5);
    cairo_fill(cr);
    cairo_arc(cr, kCentre, kCentre, kRingOuter, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, kCentre, kCentre, kInterior, 2 * M_PI, 0);
    const Box area{kCentre - kRingOuter, kCentre - kRingOuter, 2 * kRingOuter, 2 * kRingOuter};
    const Rgb lit = rusty ? Rgb8(0x7A6656) : Rgb8(0xA9AFC2);
    cairo_pattern_t* iron = LightGradient(area, lit, 1, Rgb8(0x1E1F27), 1);
    cairo_pattern_add_color_stop_rgb(iron, 0.5, rusty ? 0.3 : kIron.r, rusty ? 0.24 : kIron.g,
                                     rusty ? 0.2 : kIron.b);
    cairo_set_source(cr, iron);
    cairo_fill(cr);
    cairo_pattern_destroy(iron);
    // Bevel lines: light on the outer top-left, dark inner lip.
    cairo_arc(cr, kCentre, kCentre, kRingOuter - 0.7, M_PI * 0.9, M_PI * 1.85);
    SetColour(cr, kMoonlight, 0.5);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_arc(cr, kCentre, kCentre, kInterior + 0.5, 0, 2 * M_PI);
    SetColour(cr, kShadowInk, 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (int i = 0; i < 4; ++i) {
        const double a = M_PI / 4 + i * M_PI / 2;
        const double r = (kInterior + kRingOuter) / 2;
        Rivet(cr, kCentre + std::cos(a) * r, kCentre + std::sin(a) * r, 1.9);
    }
    // Glint on the glass.
    cairo_arc(cr, kCentre, kCentre, kInterior - 5, M_PI * 1.05, M_PI * 1.45);
    SetColour(cr, Rgb8(0xFFFFFF), 0.45);
    cairo_set_line_width(cr, 3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DarkGlass(cairo_t* cr) {
    cairo_arc(cr, kCentre, kCentre, kInterior + 0.5, 0, 2 * M_PI);
    cairo_pattern_t* glass =
        cairo_pattern_create_radial(kCentre - 10, kCentre - 12, 2, kCentre, kCentre, kInterior);
    cairo_pattern_add_color_stop_rgb(glass, 0, 0.2, 0.16, 0.3);
    cairo_pattern_add_color_stop_rgb(glass, 1, 0.05, 0.035, 0.08);
    cairo_set_source(cr, glass);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
}

Canvas EmptySlot(const Power& power) {
    Canvas canvas(kSlot, kSlot);
    cairo_t* cr = canvas.Cr();
    DarkGlass(cr);
    // The powerup's shape etched faintly in the glass.
    Canvas ghost(kSlot, kSlot);
    DrawIcon(ghost.Cr(), power, kCentre, kCentre, 54);
    canvas.Draw(ghost.Silhouette(kBone.r, kBone.g, kBone.b, 0.13), 0, 0);
    Ring(canvas, false);
    return canvas;
}

Canvas Filling(const Power& power) {
    Canvas canvas(kSlot, kSlot);
    cairo_t* cr = canvas.Cr();
    cairo_arc(cr, kCentre, kCentre, kInterior + 0.5, 0, 2 * M_PI);
    cairo_pattern_t* liquid =
        cairo_pattern_create_linear(0, kCentre - kInterior, 0, kCentre + kInterior);
    const Rgb top = Mix(power.liquid, Rgb8(0xFFFFFF), 0.35), deep = Scale(power.liquid, 0.45);
    cairo_pattern_add_color_stop_rgb(liquid, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(liquid, 0.5, power.liquid.r, power.liquid.g, power.liquid.b);
    cairo_pattern_add_color_stop_rgb(liquid, 1, deep.r, deep.g, deep.b);
    cairo_set_source(cr, liquid);
    cairo_fill(cr);
    cairo_pattern_destroy(liquid);
    // Bubbles rising through it.
    Rng rng(SeedOf(power.name));
    for (int i = 0; i < 10; ++i) {
        const double a = rng.Range(0, 2 * M_PI), d = rng.Range(0, kInterior - 8);
        const double r = rng.Range(1.2, 3.2);
        cairo_arc(cr, kCentre + std::cos(a) * d, kCentre + std::sin(a) * d, r, 0, 2 * M_PI);
        SetColour(cr, Rgb8(0xFFFFFF), rng.Range(0.25, 0.5));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    return canvas;
}

Canvas FullSlot(const Power& power) {
    Canvas canvas(kSlot, kSlot);
    cairo_t* cr = canvas.Cr();
    cairo_arc(cr, kCentre, kCentre, kInterior + 0.5, 0, 2 * M_PI);
    cairo_pattern_t* glow =
        cairo_pattern_create_radial(kCentre - 6, kCentre - 8, 2, kCentre, kCentre, kInterior);
    const Rgb bright = Mix(power.liquid, Rgb8(0xFFFFFF), 0.55);
    cairo_pattern_add_color_stop_rgb(glow, 0, bright.r, bright.g, bright.b);
    cairo_pattern_add_color_stop_rgb(glow, 0.6, power.liquid.r, power.liquid.g, power.liquid.b);
    cairo_pattern_add_color_stop_rgb(glow, 1, power.liquid.r * 0.4, power.liquid.g * 0.4,
                                     power.liquid.b * 0.4);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    RadialGlow(cr, kCentre, kCentre, kInterior, 1, 1, 0.9, 0.45);
    // Sparkles in the charged glass.
    const double sparkles[][3] = {{22, 30, 4.5}, {64, 24, 3.5}, {66, 60, 4}, {26, 64, 3}};
    for (const auto& s : sparkles) {
        StarPath(cr, s[0], s[1], 4, s[2], s[2] * 0.25, 0);
        SetColour(cr, Rgb8(0xFFFFFF), 0.85);
        cairo_fill(cr);
    }
    WithShadow(
        canvas, [&](Canvas& layer) { DrawIcon(layer.Cr(), power, kCentre, kCentre, 58); }, 2, 3, 2,
        0.6);
    Ring(canvas, false);
    return canvas;
}

// A slot not bought yet: rusty ring, dark glass, a padlock.
Canvas Unpurchased() {
    Canvas canvas(kSlot, kSlot);
    cairo_t* cr = canvas.Cr();
    DarkGlass(cr);
    WithShadow(
        canvas,
        [](Canvas& layer) {
            cairo_t* c = layer.Cr();
            cairo_arc(c, kCentre, kCentre - 6, 10, M_PI, 2 * M_PI);
            cairo_line_to(c, kCentre + 10, kCentre);
            cairo_move_to(c, kCentre - 10, kCentre);
            cairo_line_to(c, kCentre - 10, kCentre - 6);
            cairo_set_line_width(c, 4.5);
            SetColour(c, kIronHighlight);
            cairo_stroke(c);
            RoundedRectangle(c, kCentre - 15, kCentre - 2, 30, 24, 4);
            FillAcross(c, kCentre - 15, kCentre - 2, kCentre + 15, kCentre + 22, Rgb8(0xFFE9A0),
                       kGold, Rgb8(0x7A4A10));
            StrokeOutline(c, 1.3);
            cairo_arc(c, kCentre, kCentre + 7, 3, 0, 2 * M_PI);
            cairo_move_to(c, kCentre - 1.5, kCentre + 8);
            cairo_line_to(c, kCentre - 2, kCentre + 16);
            cairo_line_to(c, kCentre + 2, kCentre + 16);
            cairo_line_to(c, kCentre + 1.5, kCentre + 8);
            SetColour(c, Rgb8(0x2A1A0C));
            cairo_fill(c);
        },
        1.5, 2, 1.5, 0.6);
    Ring(canvas, true);
    return canvas;
}

// Additive mouse-over glow: a bright halo on the ring and a soft centre.
Canvas SlotGlow() {
    Canvas canvas(kSlot, kSlot);
    cairo_t* cr = canvas.Cr();
    cairo_pattern_t* halo = cairo_pattern_create_radial(kCentre, kCentre, 0, kCentre, kCentre, 44);
    cairo_pattern_add_color_stop_rgba(halo, 0, 1, 0.95, 0.8, 0.35);
    cairo_pattern_add_color_stop_rgba(halo, 0.6, 1, 0.9, 0.65, 0.25);
    cairo_pattern_add_color_stop_rgba(halo, 0.88, 1, 0.85, 0.5, 0.8);
    cairo_pattern_add_color_stop_rgba(halo, 1, 1, 0.8, 0.4, 0);
    cairo_set_source(cr, halo);
    cairo_paint(cr);
    cairo_pattern_destroy(halo);
    return canvas;
}

// Level pins: a gilded badge with the level in Roman numerals.
Canvas LevelPin(int level) {
    Canvas canvas(26, 26);
    WithShadow(
        canvas,
        [level](Canvas& layer) {
            cairo_t* cr = layer.Cr();
            const double c = 12, r = 11;
            cairo_arc(cr, c, c, r, 0, 2 * M_PI);
            cairo_pattern_t* rim =
                LightGradient({c - r, c - r, 2 * r, 2 * r}, kIronHighlight, 1, Rgb8(0x1E1F27), 1);
            cairo_set_source(cr, rim);
            cairo_fill(cr);
            cairo_pattern_destroy(rim);
            cairo_arc(cr, c, c, r - 2.5, 0, 2 * M_PI);
            FillAcross(cr, c - r, c - r, c + r, c + r, Rgb8(0xFFEFB0), kGold, Rgb8(0x8A5414));
            cairo_new_path(cr);
            const double stroke = 1.9, gap = 3.2;
            const double width = (level - 1) * gap;
            for (int i = 0; i < level; ++i) {
                const double x = c - width / 2 + i * gap;
                cairo_rectangle(cr, x - stroke / 2, c - 4.5, stroke, 9);
            }
            cairo_rectangle(cr, c - width / 2 - 2.6, c - 5.5, width + 5.2, 1.3);
            cairo_rectangle(cr, c - width / 2 - 2.6, c + 4.2, width + 5.2, 1.3);
            SetColour(cr, Rgb8(0x3A1E0A));
            cairo_fill(cr);
        },
        1, 1.2, 1, 0.6);
    return canvas;
}

// A tool held on the pointer: larger, with a soft shadow and a faint glow.
Canvas Cursor(const Power& power) {
    Canvas canvas(64, 64);
    Canvas tool(64, 64);
    DrawIcon(tool.Cr(), power, 31, 31, 50);
    OuterGlow(canvas, tool, 0, 0, 3, Mix(power.liquid, kCandle, 0.4), 0.7);
    DropShadow(canvas, tool, 0, 0, 3, 4, 2.5, 0.55);
    canvas.Draw(tool, 0, 0);
    return canvas;
}

}  // namespace

void RegisterPowers(Registry& registry) {
    for (int n = 1; n <= 6; ++n) {
        const Power& power = kPowers[n - 1];
        const std::string base = "graphics/HUD/Powers/powerup" + std::to_string(n);
        registry.Add(base + "empty.png", [&power] { return EmptySlot(power).EncodePNG(); });
        registry.Add(base + "filling.png", [&power] { return Filling(power).EncodePNG(); });
        registry.Add(base + "full.png", [&power] { return FullSlot(power).EncodePNG(); });
    }
    const std::string hud = "graphics/HUD/";
    registry.Add(hud + "empty ring1.png", [] {
        Canvas ring(kSlot, kSlot);
        Ring(ring, false);
        return ring.EncodePNG();
    });
    registry.Add(hud + "unpurchased.png", [] { return Unpurchased().EncodePNG(); });
    registry.Add(hud + "Powerup Slot Mouse Over.png", [] { return SlotGlow().EncodePNG(); });
    for (int level = 1; level <= 3; ++level) {
        registry.Add(hud + "powerupLevel" + std::to_string(level) + ".png",
                     [level] { return LevelPin(level).EncodePNG(); });
    }
    registry.Add(hud + "StakeCursor.png", [] { return Cursor(kPowers[0]).EncodePNG(); });
    registry.Add(hud + "BroomCursor.png", [] { return Cursor(kPowers[1]).EncodePNG(); });
    registry.Add(hud + "HammerCursor.png", [] { return Cursor(kPowers[2]).EncodePNG(); });
}

}  // namespace asset::ui
