// Headstones, coffins and the grave bed. Stone is mossy and cracked; the
// upgrades turn to carved, lit and finally marble and gold.
#include <cmath>
#include <string>
#include <vector>

#include "Decorations.h"
#include "Paint.h"
#include "assetkit/Random.h"

namespace asset::shop {
namespace {

constexpr Rgb kGraveStone = style::Rgb8(0x767A8C);
constexpr Rgb kMarble = style::Rgb8(0xDCD8E4);
constexpr Rgb kMossGreen = style::Rgb8(0x557A3C);
constexpr Rgb kCoffinWood = style::Rgb8(0x6A4430);

Material Stone(Rgb colour = kGraveStone) {
    return {colour, 0.4, 0.5, 1.3, 3.0, 0.55};
}

// Moss creeping up from the ground and settling on top edges, and a crack,
// painted inside the shape the path describes.
void Weather(cairo_t* cr, const PathFn& path, double x0, double y0, double x1, double y1,
             uint64_t seed, double amount) {
    Rng rng(seed);
    cairo_save(cr);
    path(cr);
    cairo_clip(cr);
    for (int i = 0; i < static_cast<int>(14 * amount); ++i) {
        const bool low = i % 2 == 0;
        const double x = rng.Range(x0, x1),
                     y = low ? rng.Range(y1 - 14, y1) : rng.Range(y0, y0 + 10);
        GlowEllipse(cr, x, y, rng.Range(4, 9), rng.Range(3, 6), kMossGreen, 0.55);
    }
    double x = rng.Range(x0 + (x1 - x0) * 0.5, x0 + (x1 - x0) * 0.8), y = y0 + 4;
    cairo_move_to(cr, x, y);
    for (int i = 0; i < 5; ++i) {
        x += rng.Range(-4, 4);
        y += (y1 - y0) * 0.07;
        cairo_line_to(cr, x, y);
    }
    SetColour(cr, style::Rgb8(0x2A2A3A), 0.7);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// Tufts of grass hiding the foot of a stone.
void GrassTufts(cairo_t* cr, double x0, double x1, double y, uint64_t seed) {
    Rng rng(seed);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (double x = x0; x < x1; x += rng.Range(2, 4)) {
        const double h = rng.Range(4, 10), lean = rng.Range(-4, 4);
        cairo_move_to(cr, x, y + 2);
        cairo_curve_to(cr, x, y - h / 2, x + lean / 2, y - h, x + lean, y - h);
        SetColour(cr, Mix(style::Rgb8(0x3A5A34), style::Rgb8(0x7A9A5A), rng.Uniform()), 0.9);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
}

// Letters cut into stone: a dark cut with a lit lower edge.
void Carve(cairo_t* cr, const std::string& text, double cx, double baseline, double size,
           Rgb stone) {
    cairo_save(cr);
    cairo_set_font_face(cr, FontFace("DejaVuSerif-Bold.ttf"));
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    const double x = cx - extents.width / 2 - extents.x_bearing;
    cairo_move_to(cr, x + 0.8, baseline + 0.8);
    cairo_text_path(cr, text.c_str());
    SetColour(cr, Lighten(stone, 0.5), 0.6);
    cairo_fill(cr);
    cairo_move_to(cr, x, baseline);
    cairo_text_path(cr, text.c_str());
    SetColour(cr, Darken(stone, 0.6), 0.9);
    cairo_fill(cr);
    cairo_restore(cr);
}

void RoundTopPath(cairo_t* cr, double x, double y, double w, double h) {
    const double r = w / 2;
    cairo_move_to(cr, x, y + h);
    cairo_line_to(cr, x, y + r);
    cairo_arc(cr, x + r, y + r, r, M_PI, 2 * M_PI);
    cairo_line_to(cr, x + w, y + h);
    cairo_close_path(cr);
}

// Rotates the drawing about a point, for stones that lean.
struct Lean {
    Lean(cairo_t* cr, double x, double y, double degrees) : cr_(cr) {
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, degrees * M_PI / 180);
        cairo_translate(cr, -x, -y);
    }
    ~Lean() { cairo_restore(cr_); }
    cairo_t* cr_;
};

void CrossPath(cairo_t* cr, double cx, double top, double bottom, double armY, double armHalf,
               double beam) {
    PolygonPath(
        cr, {cx - beam / 2,   top,         cx + beam / 2,   top,         cx + beam / 2, armY,
             cx + armHalf,    armY,        cx + armHalf,    armY + beam, cx + beam / 2, armY + beam,
             cx + beam * 0.6, bottom,      cx - beam * 0.6, bottom,      cx - beam / 2, armY + beam,
             cx - armHalf,    armY + beam, cx - armHalf,    armY,        cx - beam / 2, armY});
}

void PaintCurvedHeadstone(Canvas& canvas, int version) {
    cairo_t* cr = canvas.Cr();
    const bool marble = version == 3;
    const double w = marble ? 70 : 58, h = marble ? 86 : 78;
    const double x = (canvas.Width() - w) / 2, y = marble ? 10 : 8;
    const double baseY = y + h;
    const Rgb stone = marble ? kMarble : kGraveStone;
    GroundShadow(cr, x + w / 2 + 10, baseY + 4, w * 0.6, 7);
    if (marble) Glow(cr, x + w / 2, y + h * 0.4, w * 0.75, style::Rgb8(0xE8E0FF), 0.45);
    Lean lean(cr, x + w / 2, baseY, version == 1 ? 4 : (version == 2 ? -3 : 0));
    auto body = [&](cairo_t* c) { RoundTopPath(c, x, y, w, h); };
    PaintSolid(cr, body, Stone(stone));
    if (marble) {
        // A gilded line inset along the edge.
        RoundTopPath(cr, x + 5, y + 5, w - 10, h - 8);
        SetColour(cr, kGilt);
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
        // A winged cherub's head with a gilt halo, in low relief.
        const double cx = x + w / 2, wy = y + 30;
        const Material relief{Lighten(kMarble, 0.15), 0.5, 0.35, 0.8, 1.5, 0.45};
        for (double side : {-1.0, 1.0}) {
            PaintSolid(
                cr,
                [&](cairo_t* c) {
                    cairo_move_to(c, cx, wy + 4);
                    cairo_curve_to(c, cx + side * 8, wy - 12, cx + side * 22, wy - 14,
                                   cx + side * 28, wy - 8);
                    cairo_curve_to(c, cx + side * 28, wy - 2, cx + side * 26, wy + 2,
                                   cx + side * 23, wy + 2);
                    cairo_curve_to(c, cx + side * 22, wy + 7, cx + side * 18, wy + 9,
                                   cx + side * 15, wy + 7);
                    cairo_curve_to(c, cx + side * 13, wy + 12, cx + side * 8, wy + 13,
                                   cx + side * 5, wy + 10);
                    cairo_close_path(c);
                },
                relief);
            for (int f = 0; f < 3; ++f) {
                cairo_move_to(cr, cx + side * (7 + f * 6), wy + 6 - f);
                cairo_line_to(cr, cx + side * (13 + f * 5), wy - 6 - f);
            }
            SetColour(cr, Darken(kMarble, 0.3), 0.6);
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
        }
        PaintSolid(
            cr, [&](cairo_t* c) { EllipsePath(c, cx, wy - 2, 6, 6.5); }, relief);
        EllipsePath(cr, cx, wy - 12, 7, 2.2);
        SetColour(cr, kGilt);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        Carve(cr, "R.I.P.", x + w / 2, y + 62, 13, stone);
    } else {
        Weather(cr, body, x, y, x + w, baseY, SeedOf(version == 1 ? "curved1" : "curved2"), 1.0);
        if (version == 2) {
            // A carved skull above the letters.
            const double sx = x + w / 2, sy = y + 28;
            PaintSolid(cr,
                       [&](cairo_t* c) {
                           EllipsePath(c, sx, sy, 9, 8);
                           cairo_rectangle(c, sx - 5, sy + 4, 10, 7);
                       },
                       {Lighten(stone, 0.25), 0.5, 0.45, 0.8, 1.2, 0.5});
            for (double side : {-1.0, 1.0}) {
                EllipsePath(cr, sx + side * 3.6, sy + 1, 2.6, 2.8);
            }
            SetColour(cr, style::Rgb8(0x22202E));
            cairo_fill(cr);
        }
        Carve(cr, "R.I.P.", x + w / 2, y + (version == 2 ? 58 : 48), 12, stone);
    }
    // Base slab.
    PaintSolid(
        cr, [&](cairo_t* c) { cairo_rectangle(c, x - 6, baseY - 6, w + 12, 9); },
        Stone(marble ? Lighten(stone, 0.05) : Darken(stone, 0.1)));
    if (marble) {
        cairo_rectangle(cr, x - 6, baseY - 6, w + 12, 2);
        SetColour(cr, kGilt);
        cairo_fill(cr);
    }
    GrassTufts(cr, x - 8, x + w + 8, baseY + 3, SeedOf("curved tufts"));
}

// A small lit candle standing in the grass at a grave.
void GraveCandle(cairo_t* cr, double x, double groundY, double height) {
    Glow(cr, x, groundY - height - 4, 16, style::kCandle, 0.4);
    PaintSolid(cr,
               [&](cairo_t* c) { RoundedRectangle(c, x - 3, groundY - height, 6, height, 1.5); },
               {style::kBone, 0.3, 0.35, 0.8, 1.0, 0.4});
    Flame(cr, x, groundY - height, 4.2, 10);
}

// A coffin lying on the ground, seen from above and in front: a six-sided
// box (feet to head along an axis) with a lid slab on top.
class Coffin {
  public:
    Coffin(Point feet, Point head, double width, double depth)
        : feet_(feet), width_(width), depth_(depth) {
        axis_ = {head.x - feet.x, head.y - feet.y};
        const double length = std::hypot(axis_.x, axis_.y);
        // Across the axis, squashed because the lid is seen at a slant.
        across_ = {-axis_.y / length * 0.62 * width, axis_.x / length * 0.62 * width};
    }

    Point At(double u, double v, double dx = 0, double dy = 0) const {
        return {feet_.x + axis_.x * u + across_.x * v + dx,
                feet_.y + axis_.y * u + across_.y * v + dy};
    }
    // The six corners, `scale` about the middle of the lid.
    std::vector<Point> Outline(double scale, double dx, double dy) const {
        const double corners[][2] = {{0, -0.28}, {0.7, -0.5}, {1, -0.34},
                                     {1, 0.34},  {0.7, 0.5},  {0, 0.28}};
        std::vector<Point> points;
        for (const auto& c : corners)
            points.push_back(At(0.5 + (c[0] - 0.5) * scale, c[1] * scale, dx, dy));
        return points;
    }
    // Cairo matrix from lid space (u along, v across) to the picture.
    cairo_matrix_t LidMatrix(double dx, double dy) const {
        cairo_matrix_t m;
        cairo_matrix_init(&m, axis_.x, axis_.y, across_.x, across_.y, feet_.x + dx, feet_.y + dy);
        return m;
    }
    double Depth() const { return depth_; }
    double Width() const { return width_; }

  private:
    Point feet_, axis_{}, across_{};
    double width_, depth_;
};

void PolyPath(cairo_t* cr, const std::vector<Point>& points) {
    cairo_move_to(cr, points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i)
        cairo_line_to(cr, points[i].x, points[i].y);
    cairo_close_path(cr);
}

// The upright sides of a slab whose top outline is `top`: only the faces
// turned towards the viewer, lit when they face the light on the left.
void SlabSides(cairo_t* cr, const std::vector<Point>& top, double height, Rgb wood) {
    const size_t n = top.size();
    double area = 0;
    for (size_t i = 0; i < n; ++i)
        area += top[i].x * top[(i + 1) % n].y - top[(i + 1) % n].x * top[i].y;
    const double orientation = area > 0 ? 1 : -1;
    for (size_t i = 0; i < n; ++i) {
        const Point a = top[i], b = top[(i + 1) % n];
        const double nx = (b.y - a.y) * orientation, ny = -(b.x - a.x) * orientation;
        if (ny <= 0) continue;
        const double lit = -nx / std::max(1e-6, std::hypot(nx, ny));
        PaintSolid(cr,
                   [&](cairo_t* c) {
                       PolygonPath(c, {a.x, a.y, b.x, b.y, b.x, b.y + height, a.x, a.y + height});
                   },
                   {Darken(wood, 0.3 - 0.25 * lit), 0.2, 0.35, 1.0, 1.2, 0.4});
    }
}

struct CoffinLook {
    Rgb wood;
    bool ironBands, gilded;
    Point lidShift;  // how far the lid has slid aside; zero when closed
};

void LidDetails(cairo_t* cr, const Coffin& coffin, Point shift, const CoffinLook& look) {
    const Rgb trim = look.gilded ? kGilt : Lighten(look.wood, 0.28);
    cairo_save(cr);
    const cairo_matrix_t lid = coffin.LidMatrix(shift.x, shift.y);
    cairo_transform(cr, &lid);
    // An inlaid cross towards the head.
    cairo_rectangle(cr, 0.32, -0.035, 0.56, 0.07);
    cairo_rectangle(cr, 0.68, -0.24, 0.06, 0.48);
    cairo_restore(cr);
    SetColour(cr, Darken(trim, 0.5));
    cairo_fill(cr);
    cairo_save(cr);
    cairo_transform(cr, &lid);
    cairo_translate(cr, -0.006, -0.02);
    cairo_rectangle(cr, 0.32, -0.035, 0.56, 0.07);
    cairo_rectangle(cr, 0.68, -0.24, 0.06, 0.48);
    cairo_restore(cr);
    SetColour(cr, trim);
    cairo_fill(cr);
    if (!look.ironBands) return;
    const Rgb band = look.gilded ? kGilt : style::kIronHighlight;
    for (double u : {0.14, 0.9}) {
        const double half = u < 0.5 ? 0.31 : 0.38;
        const Point a = coffin.At(u, -half, shift.x, shift.y),
                    b = coffin.At(u + 0.05, -half, shift.x, shift.y);
        const Point c = coffin.At(u + 0.05, half, shift.x, shift.y),
                    d = coffin.At(u, half, shift.x, shift.y);
        PaintSolid(cr,
                   [&](cairo_t* k) {
                       PolygonPath(k, {a.x, a.y, b.x, b.y, c.x, c.y + 4, d.x, d.y + 4});
                   },
                   {band, 0.5, 0.5, 1.0, 1.0, 0.6});
    }
}

void PaintCoffin(cairo_t* cr, const Coffin& coffin, const CoffinLook& look) {
    const double depth = coffin.Depth(), lidThickness = 4;
    const Point middle = coffin.At(0.5, 0);
    GroundShadow(cr, middle.x + 10, middle.y + depth + 6, coffin.Width() * 1.3,
                 coffin.Width() * 0.42);
    const std::vector<Point> box = coffin.Outline(1.0, 0, lidThickness);
    SlabSides(cr, box, depth, look.wood);
    const bool open = look.lidShift.x != 0 || look.lidShift.y != 0;
    if (open) {
        // The open box glows from within.
        PaintFlat(
            cr, [&](cairo_t* c) { PolyPath(c, box); }, Darken(look.wood, 0.5));
        const std::vector<Point> inside = coffin.Outline(0.86, 0, lidThickness + 1);
        cairo_pattern_t* light =
            cairo_pattern_create_radial(middle.x, middle.y, 2, middle.x, middle.y, coffin.Width());
        cairo_pattern_add_color_stop_rgb(light, 0, 1.0, 0.9, 0.6);
        cairo_pattern_add_color_stop_rgb(light, 1, 0.6, 0.3, 0.65);
        cairo_set_source(cr, light);
        PolyPath(cr, inside);
        cairo_fill(cr);
        cairo_pattern_destroy(light);
        Glow(cr, middle.x, middle.y - 6, coffin.Width() * 1.3, style::kCandle, 0.45);
    }
    const Point shift = look.lidShift;
    const std::vector<Point> lidTop = coffin.Outline(1.02, shift.x, shift.y);
    SlabSides(cr, lidTop, lidThickness, Lighten(look.wood, 0.05));
    PaintSolid(cr, [&](cairo_t* c) { PolyPath(c, lidTop); }, {look.wood, 0.4, 0.5, 1.3, 2.5, 0.55});
    // Grain along the lid.
    cairo_save(cr);
    PolyPath(cr, lidTop);
    cairo_clip(cr);
    for (double v : {-0.3, -0.1, 0.1, 0.3}) {
        const Point a = coffin.At(0, v, shift.x, shift.y), b = coffin.At(1, v, shift.x, shift.y);
        cairo_move_to(cr, a.x, a.y);
        cairo_line_to(cr, b.x, b.y);
    }
    SetColour(cr, Darken(look.wood, 0.6), 0.3);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_restore(cr);
    LidDetails(cr, coffin, shift, look);
}

void PaintStake(cairo_t* cr, double groundX, double groundY, double topX, double topY, Rgb colour,
                bool shine) {
    GroundShadow(cr, groundX + 5, groundY, 9, 3);
    PaintSolid(cr,
               [&](cairo_t* c) {
                   TaperPath(c, groundX, groundY + 4, (groundX + topX) / 2, (groundY + topY) / 2,
                             topX, topY, 1.5, 8);
               },
               {colour, 0.45, 0.5, 1.1, 2.0, 0.6});
    PaintSolid(cr, [&](cairo_t* c) { EllipsePath(c, topX, topY, 4.5, 2.5); },
               {Lighten(colour, 0.2), 0.45, 0.5, 1.0, 1.0, 0.6});
    if (shine) Sparkle(cr, topX - 2, topY + 10, 4.5, style::kMoonlight, 0.9);
}

// A tarot card leaning at an angle: violet back, gilt frame, a sign.
void TarotCard(cairo_t* cr, double x, double y, double degrees, int sign) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, degrees * M_PI / 180);
    PaintSolid(cr, [](cairo_t* c) { RoundedRectangle(c, -8, -13, 16, 26, 2); },
               {style::Rgb8(0x5A3A8A), 0.4, 0.5, 1.0, 1.5, 0.5});
    RoundedRectangle(cr, -6, -11, 12, 22, 1.5);
    SetColour(cr, kGilt);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (sign == 0) {
        StarPath(cr, 0, 0, 5, 5, 2.2, 0);
    } else if (sign == 1) {
        cairo_arc(cr, 0, 0, 4.5, 0.6, 2 * M_PI - 0.6);
        cairo_arc_negative(cr, 2.5, 0, 3.6, 2 * M_PI - 0.9, 0.9);
        cairo_close_path(cr);
    } else {
        cairo_arc(cr, 0, 0, 3.5, 0, 2 * M_PI);
    }
    SetColour(cr, style::kCandle);
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace

void DrawCrossGravestone1(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    GroundShadow(cr, 36, 90, 26, 6);
    {
        Lean lean(cr, 28, 90, -5);
        auto cross = [](cairo_t* c) { CrossPath(c, 28, 8, 84, 26, 20, 13); };
        PaintSolid(cr, cross, Stone());
        Weather(cr, cross, 8, 8, 48, 84, SeedOf("cross1"), 0.8);
    }
    PaintSolid(
        cr, [](cairo_t* c) { cairo_rectangle(c, 10, 80, 36, 10); },
        Stone(Darken(kGraveStone, 0.1)));
    GrassTufts(cr, 6, 50, 92, SeedOf("cross1 tufts"));
}

void DrawCrossGravestone2(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    const double cx = 48, ringY = 46;
    GroundShadow(cr, 56, 122, 40, 7);
    Glow(cr, cx, ringY, 46, style::Rgb8(0xB89CFF), 0.5);
    auto cross = [&](cairo_t* c) { CrossPath(c, cx, 6, 108, 38, 36, 17); };
    auto ring = [&](cairo_t* c) {
        cairo_new_sub_path(c);
        cairo_arc(c, cx, ringY, 24, 0, 2 * M_PI);
        cairo_new_sub_path(c);
        cairo_arc_negative(c, cx, ringY, 17, 2 * M_PI, 0);
    };
    PaintSolid(cr, ring, Stone());
    PaintSolid(cr, cross, Stone());
    Weather(cr, cross, cx - 36, 6, cx + 36, 108, SeedOf("cross2"), 0.6);
    // The ring's carved groove glows.
    cairo_arc(cr, cx, ringY, 20.5, 0, 2 * M_PI);
    SetColour(cr, style::Rgb8(0xD8C8FF), 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Knotwork dots down the shaft.
    for (double y = 62; y < 100; y += 8)
        Glow(cr, cx, y, 2.4, style::Rgb8(0xD8C8FF), 0.9);
    PaintSolid(
        cr, [](cairo_t* c) { cairo_rectangle(c, 16, 102, 64, 13); },
        Stone(Darken(kGraveStone, 0.05)));
    PaintSolid(
        cr, [](cairo_t* c) { cairo_rectangle(c, 8, 113, 80, 11); },
        Stone(Darken(kGraveStone, 0.15)));
    GrassTufts(cr, 4, 92, 125, SeedOf("cross2 tufts"));
    for (double x : {14.0, 80.0}) {
        Glow(cr, x, 110, 4, style::Rgb8(0xC070F0), 0.8);
    }
}

void DrawCurvedGravestone1(Canvas& canvas) {
    PaintCurvedHeadstone(canvas, 1);
}

void DrawCurvedGravestone2(Canvas& canvas) {
    PaintCurvedHeadstone(canvas, 2);
    GraveCandle(canvas.Cr(), 10, 96, 12);
    GraveCandle(canvas.Cr(), 68, 97, 9);
}

void DrawCurvedGravestone3(Canvas& canvas) {
    PaintCurvedHeadstone(canvas, 3);
    cairo_t* cr = canvas.Cr();
    Sparkle(cr, 20, 20, 5, style::kMoonlight, 0.9);
    Sparkle(cr, 76, 44, 4, style::kCandle, 0.9);
}

void DrawCoffin1(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    PaintCoffin(cr, Coffin({36, 52}, {126, 38}, 46, 12), {kCoffinWood, false, false, {0, 0}});
    PaintStake(cr, 16, 74, 24, 22, style::Rgb8(0xA8804E), false);
}

void DrawCoffin2(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    PaintCoffin(cr, Coffin({36, 52}, {126, 38}, 46, 12),
                {Darken(kCoffinWood, 0.1), true, false, {0, 0}});
    PaintStake(cr, 16, 74, 24, 20, style::Rgb8(0xB8BCCC), true);
}

void DrawCoffin3(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    PaintCoffin(cr, Coffin({58, 76}, {158, 58}, 56, 15),
                {style::Rgb8(0x4A2438), true, true, {8, -16}});
    PaintStake(cr, 40, 100, 50, 34, kGilt, true);
    Sparkle(cr, 140, 30, 5, style::kCandle, 0.9);
    Sparkle(cr, 108, 90, 3.5, style::kCandle, 0.8);
}

void DrawGravebed(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    GroundShadow(cr, 80, 80, 74, 12);
    // Stone kerb around the plot, seen from above at an angle.
    const Material kerb = Stone(Darken(kGraveStone, 0.05));
    PaintSolid(
        cr,
        [](cairo_t* c) {
            PolygonPath(c, {22, 34, 128, 34, 144, 82, 6, 82});
        },
        kerb);
    // Earth inside the kerb, and a grassy mound on it.
    PaintSolid(cr,
               [](cairo_t* c) {
                   PolygonPath(c, {30, 40, 120, 40, 134, 76, 16, 76});
               },
               {style::Rgb8(0x3A3036), 0.25, 0.4, 1.0, 3.0, 0.5});
    auto mound = [](cairo_t* c) { EllipsePath(c, 75, 60, 52, 15); };
    PaintSolid(cr, mound, {style::Rgb8(0x40603C), 0.35, 0.55, 0.9, 4.0, 0.55});
    cairo_save(cr);
    mound(cr);
    cairo_clip(cr);
    Rng blades(SeedOf("gravebed grass"));
    for (int i = 0; i < 120; ++i) {
        const double bx = blades.Range(22, 128), by = blades.Range(46, 78),
                     lean = blades.Range(-2, 2);
        cairo_move_to(cr, bx, by);
        cairo_line_to(cr, bx + lean, by - blades.Range(3, 6));
        SetColour(cr, Mix(style::Rgb8(0x2A4028), style::Rgb8(0x7A9A66), blades.Uniform()), 0.8);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    Rng rng(SeedOf("gravebed flowers"));
    for (int i = 0; i < 9; ++i) {
        const double x = rng.Range(36, 114), y = rng.Range(50, 70);
        const Rgb petal = i % 3 == 0 ? style::Rgb8(0xC070E0)
                                     : (i % 3 == 1 ? style::Rgb8(0xF0E8F8) : style::Rgb8(0xE89040));
        for (int p = 0; p < 5; ++p) {
            const double a = p * 2 * M_PI / 5;
            EllipsePath(cr, x + std::cos(a) * 2.2, y + std::sin(a) * 1.6, 1.8, 1.4);
        }
        SetColour(cr, petal);
        cairo_fill(cr);
        Glow(cr, x, y, 1.4, style::kCandle, 1);
    }
    // Headstone at the head of the bed, like a headboard.
    PaintSolid(
        cr, [](cairo_t* c) { RoundTopPath(c, 52, 4, 46, 36); }, Stone());
    Carve(cr, "\u2020", 75, 30, 16, kGraveStone);
    // The tarot cards laid on the mound, glowing softly.
    Glow(cr, 75, 58, 30, style::Rgb8(0xC8A0FF), 0.4);
    TarotCard(cr, 60, 58, -24, 0);
    TarotCard(cr, 75, 55, 0, 1);
    TarotCard(cr, 90, 58, 24, 2);
}

}  // namespace asset::shop
