// The brooms hovering over the porch roof and the house sign on the gable.
#include <algorithm>
#include <cmath>

#include "Decorations.h"
#include "Paint.h"
#include "assetkit/Random.h"

namespace asset::shop {
namespace {

constexpr Rgb kStraw = style::Rgb8(0xC8A050);

struct BroomLook {
    bool ribbon, gilded;
};

void PaintBroom(cairo_t* cr, Point handleEnd, Point binding, double bristleLength,
                const BroomLook& look) {
    const double dx = binding.x - handleEnd.x, dy = binding.y - handleEnd.y,
                 length = std::hypot(dx, dy);
    const double ux = dx / length, uy = dy / length, nx = -uy, ny = ux;
    // A faint shadow cast down onto whatever is below the broom.
    GlowEllipse(cr, (handleEnd.x + binding.x + bristleLength * ux) / 2 + 6, binding.y + 16,
                length * 0.6, 4, style::Rgb8(0x0A0818), 0.35);
    PaintSolid(
        cr,
        [&](cairo_t* c) {
            TaperPath(c, handleEnd.x, handleEnd.y, (handleEnd.x + binding.x) / 2 + nx * 2,
                      (handleEnd.y + binding.y) / 2 + ny * 2, binding.x, binding.y, 4.5, 6);
        },
        WoodMaterial(style::Rgb8(0x7A5636)));
    // Straw bristles fanning out from the binding.
    Rng rng(SeedOf("broom"));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 46; ++i) {
        const double spread = rng.Range(-1, 1);
        const double reach = bristleLength * rng.Range(0.85, 1.05);
        const double ex = binding.x + ux * reach + nx * spread * bristleLength * 0.38;
        const double ey = binding.y + uy * reach + ny * spread * bristleLength * 0.38;
        cairo_move_to(cr, binding.x + nx * spread * 5, binding.y + ny * spread * 5);
        cairo_curve_to(cr, binding.x + ux * reach * 0.5 + nx * spread * 7,
                       binding.y + uy * reach * 0.5 + ny * spread * 7, ex, ey, ex, ey);
        const Rgb straw =
            Mix(kStraw, look.gilded ? style::Rgb8(0xF0D070) : style::Rgb8(0x8A6A30), rng.Uniform());
        SetColour(cr, Darken(straw, spread > 0 ? 0.25 : 0), 0.95);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
    }
    // Bindings.
    for (double t : {0.0, 12.0}) {
        const double bx = binding.x + ux * t, by = binding.y + uy * t;
        const double half = 6 + t * 0.35;
        PaintSolid(
            cr,
            [&](cairo_t* c) {
                PolygonPath(
                    c, {bx - ux * 2 + nx * half, by - uy * 2 + ny * half, bx + ux * 2 + nx * half,
                        by + uy * 2 + ny * half, bx + ux * 2 - nx * half, by + uy * 2 - ny * half,
                        bx - ux * 2 - nx * half, by - uy * 2 - ny * half});
            },
            look.gilded ? GiltMaterial()
                        : Material{style::Rgb8(0x8A5A3A), 0.4, 0.5, 1.0, 1.0, 0.5});
    }
    if (look.ribbon) {
        const double rx = binding.x - ux * 6, ry = binding.y - uy * 6;
        const Material silk{style::Rgb8(0x9A3AC0), 0.5, 0.5, 1.0, 1.5, 0.6};
        PaintSolid(
            cr,
            [&](cairo_t* c) {
                PolygonPath(c, {rx, ry, rx - 10, ry - 8, rx - 10, ry + 4});
            },
            silk);
        PaintSolid(
            cr,
            [&](cairo_t* c) {
                PolygonPath(c, {rx, ry, rx + 8, ry - 9, rx + 9, ry + 3});
            },
            silk);
        PaintSolid(
            cr,
            [&](cairo_t* c) {
                PolygonPath(c, {rx, ry, rx - 4, ry + 16, rx + 1, ry + 14});
            },
            silk);
        PaintSolid(
            cr, [&](cairo_t* c) { EllipsePath(c, rx, ry, 3, 3); }, silk);
    }
}

void HoverSparkles(cairo_t* cr, double x0, double x1, double y, int count, double size) {
    Rng rng(SeedOf("hover"));
    for (int i = 0; i < count; ++i) {
        Sparkle(cr, rng.Range(x0, x1), y + rng.Range(-4, 4), size * rng.Range(0.5, 1.0),
                style::Rgb8(0xD0B8FF), rng.Range(0.6, 0.95));
    }
}

// ---- The house sign ----

struct SignLayout {
    double left, right, top, bottom;
    const char* text;
    double fontSize;
    double moonInset;  // crescent moons this far in from each end
};

void SignBoardPath(cairo_t* c, const SignLayout& s) {
    const double middleY = (s.top + s.bottom) / 2, width = s.right - s.left;
    cairo_move_to(c, s.left + 10, s.top);
    cairo_curve_to(c, s.left + width * 0.3, s.top - 8, s.right - width * 0.3, s.top - 8,
                   s.right - 10, s.top);
    cairo_line_to(c, s.right, s.top + 10);
    cairo_line_to(c, s.right - 6, middleY);
    cairo_line_to(c, s.right, s.bottom - 10);
    cairo_line_to(c, s.right - 10, s.bottom);
    cairo_line_to(c, s.left + 10, s.bottom);
    cairo_line_to(c, s.left, s.bottom - 10);
    cairo_line_to(c, s.left + 6, middleY);
    cairo_line_to(c, s.left, s.top + 10);
    cairo_close_path(c);
}

// A carved wooden board hung on two gilt chains, its name cut in and gilded.
void PaintSign(cairo_t* cr, const SignLayout& s) {
    const double cx = (s.left + s.right) / 2, middleY = (s.top + s.bottom) / 2,
                 width = s.right - s.left;
    for (double x : {s.left + width * 0.12, s.right - width * 0.12})
        Chain(cr, x, 2, s.top + 2, kGilt);
    GlowEllipse(cr, cx, middleY, width * 0.55, (s.bottom - s.top) * 0.65, style::kCandle, 0.25);
    auto board = [&](cairo_t* c) { SignBoardPath(c, s); };
    PaintSolid(cr, board, {style::Rgb8(0x5A3A2A), 0.4, 0.5, 1.4, 3.5, 0.6});
    cairo_save(cr);
    board(cr);
    cairo_clip(cr);
    for (double y = s.top + 4; y < s.bottom; y += 7) {
        cairo_move_to(cr, s.left, y);
        cairo_curve_to(cr, s.left + width * 0.3, y + 2, s.right - width * 0.3, y - 2, s.right,
                       y + 1);
    }
    SetColour(cr, style::Rgb8(0x2A1A14), 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
    // Gilt border inset along the board.
    cairo_save(cr);
    cairo_translate(cr, cx, middleY);
    cairo_scale(cr, 1 - 16 / width, 0.8);
    cairo_translate(cr, -cx, -middleY);
    board(cr);
    cairo_restore(cr);
    SetColour(cr, kGilt, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // The name, cut in and gilded.
    cairo_set_font_face(cr, FontFace("CabinSketch-Bold.ttf"));
    cairo_set_font_size(cr, s.fontSize);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, s.text, &extents);
    const double tx = cx - extents.width / 2 - extents.x_bearing;
    const double ty = middleY - extents.height / 2 - extents.y_bearing + 1;
    cairo_move_to(cr, tx + 1.5, ty + 1.5);
    cairo_text_path(cr, s.text);
    SetColour(cr, style::Rgb8(0x1A0E0A), 0.8);
    cairo_fill(cr);
    cairo_move_to(cr, tx, ty);
    cairo_text_path(cr, s.text);
    cairo_pattern_t* gold = cairo_pattern_create_linear(0, ty - extents.height, 0, ty);
    cairo_pattern_add_color_stop_rgb(gold, 0, 1.0, 0.92, 0.6);
    cairo_pattern_add_color_stop_rgb(gold, 0.5, 0.9, 0.68, 0.22);
    cairo_pattern_add_color_stop_rgb(gold, 1, 0.62, 0.4, 0.12);
    cairo_set_source(cr, gold);
    cairo_fill(cr);
    cairo_pattern_destroy(gold);
    // Crescent moons at the ends.
    for (double x : {s.left + s.moonInset, s.right - s.moonInset}) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x, middleY, 7, 0, 2 * M_PI);
        cairo_new_sub_path(cr);
        cairo_arc_negative(cr, x + 3.5, middleY - 2, 6, 2 * M_PI, 0);
        SetColour(cr, kGilt);
        cairo_fill(cr);
    }
    Sparkle(cr, cx + width * 0.2, s.top + 12, 4, style::kCandle, 0.9);
}

}  // namespace

void DrawBroomstick1(Canvas& canvas) {
    PaintBroom(canvas.Cr(), {8, 18}, {98, 30}, 46, {false, false});
    HoverSparkles(canvas.Cr(), 30, 130, 50, 3, 3.5);
}

void DrawBroomstick2(Canvas& canvas) {
    PaintBroom(canvas.Cr(), {8, 18}, {100, 31}, 50, {true, false});
    HoverSparkles(canvas.Cr(), 20, 140, 52, 5, 4);
}

void DrawBroomstick3(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    // A trail of magic streaming behind the handle.
    for (int i = 0; i < 10; ++i) {
        const double x = 6 + i * 5.5, y = 22 + std::sin(i * 0.9) * 5;
        Glow(cr, x, y, 4 + i * 0.6, style::Rgb8(0xC8A0FF), 0.25 + i * 0.03);
    }
    HoverSparkles(cr, 4, 56, 24, 5, 4.5);
    PaintBroom(cr, {52, 24}, {142, 36}, 52, {true, true});
    HoverSparkles(cr, 60, 190, 56, 5, 4.5);
}

void DrawBrackenfoldSign(Canvas& canvas) {
    PaintSign(canvas.Cr(), {8, 208, 18, 70, "Brackenfold", 26, 15});
}

// The list and found pictures show the board with the house's initial.
Canvas BrackenfoldIcon() {
    Canvas icon(100, 84);
    PaintSign(icon.Cr(), {6, 94, 22, 80, "B", 42, 13});
    return icon;
}

}  // namespace asset::shop
