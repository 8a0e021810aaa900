// The cauldron of bubbling brew, hung from a tripod over a camp fire, with
// a braid of garlic on one leg.
#include <algorithm>
#include <cmath>

#include "Decorations.h"
#include "Paint.h"
#include "assetkit/Random.h"

namespace asset::shop {
namespace {

constexpr Rgb kBrew = style::Rgb8(0x7CE04A);

void GarlicBraid(cairo_t* cr, double x, double top, int bulbs) {
    cairo_move_to(cr, x, top);
    cairo_curve_to(cr, x - 3, top + bulbs * 6, x + 3, top + bulbs * 10, x, top + bulbs * 13);
    SetColour(cr, style::Rgb8(0xB0A070));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    for (int i = 0; i < bulbs; ++i) {
        const double bx = x + (i % 2 ? 5 : -5), by = top + 10 + i * 12;
        PaintSolid(cr,
                   [&](cairo_t* c) {
                       cairo_move_to(c, bx, by - 8);
                       cairo_curve_to(c, bx + 2, by - 4, bx + 8, by - 1, bx + 6, by + 4);
                       cairo_curve_to(c, bx + 4, by + 8, bx - 4, by + 8, bx - 6, by + 4);
                       cairo_curve_to(c, bx - 8, by - 1, bx - 2, by - 4, bx, by - 8);
                       cairo_close_path(c);
                   },
                   {style::Rgb8(0xF0E8DC), 0.3, 0.4, 1.0, 1.5, 0.5});
        cairo_move_to(cr, bx, by - 5);
        cairo_line_to(cr, bx, by + 5);
        SetColour(cr, style::Rgb8(0xC0A8B8), 0.7);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
}

void CampFire(cairo_t* cr, double cx, double groundY) {
    GroundShadow(cr, cx, groundY, 34, 6, 0.5);
    Glow(cr, cx, groundY - 12, 46, style::kPumpkin, 0.45);
    for (double tilt : {-0.35, 0.35}) {
        cairo_save(cr);
        cairo_translate(cr, cx, groundY - 4);
        cairo_rotate(cr, tilt);
        PaintSolid(
            cr, [](cairo_t* c) { RoundedRectangle(c, -22, -4, 44, 8, 4); },
            WoodMaterial(style::Rgb8(0x5A3A28)));
        cairo_restore(cr);
    }
    Flame(cr, cx - 9, groundY - 6, 9, 18, -3);
    Flame(cr, cx + 9, groundY - 6, 9, 17, 3);
    Flame(cr, cx, groundY - 5, 12, 26, 1);
}

// Where the cauldron's parts sit in its picture.
constexpr double kCx = 65, kTopY = 14, kGroundY = 256;
constexpr double kPotY = 200, kRimY = 170;

// Three poles lashed together at the top; the back one goes behind the fire.
void BackLeg(cairo_t* cr) {
    PaintSolid(
        cr, [](cairo_t* c) { TaperPath(c, kCx + 8, kGroundY - 8, kCx + 6, 120, kCx, kTopY, 6, 4); },
        WoodMaterial(Darken(style::kWood, 0.35)));
}

void FrontLegs(cairo_t* cr) {
    PaintSolid(
        cr, [](cairo_t* c) { TaperPath(c, 12, kGroundY, 36, 130, kCx + 8, kTopY - 10, 8, 5); },
        WoodMaterial());
    PaintSolid(
        cr, [](cairo_t* c) { TaperPath(c, 118, kGroundY, 96, 130, kCx - 8, kTopY - 8, 8, 5); },
        WoodMaterial());
    for (int i = 0; i < 4; ++i) {
        cairo_move_to(cr, kCx - 7, kTopY - 1 + i * 3);
        cairo_line_to(cr, kCx + 7, kTopY + 3 + i * 3);
    }
    SetColour(cr, style::Rgb8(0xB09868));
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
}

// A round iron belly on little feet, its bail hooked to the chain.
void Pot(cairo_t* cr) {
    cairo_arc(cr, kCx, kRimY + 2, 32, M_PI * 1.05, M_PI * 1.95);
    SetColour(cr, style::kIron);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    for (double fx : {-22.0, 22.0}) {
        const double x = kCx + fx;
        PaintSolid(
            cr,
            [&](cairo_t* c) {
                PolygonPath(c, {x - 4, kPotY + 24, x + 4, kPotY + 24, x + 3, kPotY + 36, x - 3,
                                kPotY + 36});
            },
            IronMaterial());
    }
    PaintSolid(cr, [](cairo_t* c) { EllipsePath(c, kCx, kPotY, 42, 34); },
               {style::Rgb8(0x34344A), 0.5, 0.5, 1.3, 4.0, 0.7});
    GlowEllipse(cr, kCx, kPotY + 30, 30, 6, style::kPumpkin, 0.5);  // firelight on the belly
    PaintSolid(cr, [](cairo_t* c) { EllipsePath(c, kCx, kRimY, 37, 9); },
               {style::Rgb8(0x4A4A60), 0.5, 0.5, 1.2, 2.0, 0.6});
}

// Bubbling green brew and its glowing vapour.
void Brew(cairo_t* cr) {
    EllipsePath(cr, kCx, kRimY + 1, 31, 6);
    cairo_pattern_t* brew = cairo_pattern_create_radial(kCx, kRimY, 2, kCx, kRimY, 31);
    cairo_pattern_add_color_stop_rgb(brew, 0, 0.85, 1.0, 0.6);
    cairo_pattern_add_color_stop_rgb(brew, 1, 0.25, 0.6, 0.2);
    cairo_set_source(cr, brew);
    cairo_fill(cr);
    cairo_pattern_destroy(brew);
    const double bubbles[][3] = {{-14, 0, 3.5}, {4, -2, 4.5}, {18, 1, 2.5}, {-4, 2, 2}};
    for (const auto& b : bubbles) {
        cairo_arc(cr, kCx + b[0], kRimY + b[1] - b[2] * 0.5, b[2], 0, 2 * M_PI);
        SetColour(cr, style::Rgb8(0xD8FFB0), 0.8);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    Glow(cr, kCx, kRimY - 10, 50, kBrew, 0.35);
    for (int i = 0; i < 6; ++i) {
        GlowEllipse(cr, kCx + std::sin(i * 1.3) * 10, kRimY - 16 - i * 13, 12 + i * 2, 8 + i,
                    style::Rgb8(0xB0F090), 0.28 - i * 0.03);
    }
}

}  // namespace

void DrawCauldron(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    BackLeg(cr);
    CampFire(cr, kCx, kGroundY);
    FrontLegs(cr);
    GarlicBraid(cr, 40, 58, 5);
    Chain(cr, kCx, kTopY + 6, 150, style::kIronHighlight);
    Pot(cr);
    Brew(cr);
}

}  // namespace asset::shop
