// The board frame: a round wrought-iron bar with a gilt lip on the side of
// the cells, and iron scrollwork ornaments hung outside it.
//
// Every frame piece is shaded from the same cross-section: each pixel knows
// its distance t from the cells' edge (0 = at the cells, 10 = the outside)
// and the direction pointing away from the cells there. Straight pieces,
// rounded outer corners and mitred inner corners then meet without seams
// wherever the board places them.
#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>

#include "Board.h"
#include "assetkit/Random.h"

namespace board {
namespace {

using asset::style::Rgb8;

constexpr double kThickness = 10;
constexpr double kLip = 1.7;     // the gilt lip next to the cells
constexpr double kBarEnd = 9.3;  // the bar's outer edge; a dark rim beyond
constexpr int kSamples = 4;      // supersampling per axis

constexpr Rgb kIronDark = Rgb8(0x1E1D28);
constexpr Rgb kIronMid = Rgb8(0x4C4E60);
constexpr Rgb kIronLight = Rgb8(0xB4BAD0);
constexpr Rgb kLipLight = Rgb8(0xFFE6A0);
constexpr Rgb kLipDark = Rgb8(0x8A5A18);
constexpr Rgb kBrass = Rgb8(0xE8B530);

struct Vec3 {
    double x, y, z;
};

Vec3 Normalised(Vec3 v) {
    const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / length, v.y / length, v.z / length};
}

const Vec3 kLight = Normalised({-0.55, -0.65, 0.55});

// Where a sample lies in the frame's cross-section.
struct Section {
    double t;       // distance from the cells' edge
    double ox, oy;  // unit direction away from the cells
    // Straight pieces carry a bolt; offset of the sample from its centre.
    bool bolt = false;
    double bx = 0, by = 0;
};

constexpr double kBarMiddle = (kLip + kBarEnd) / 2;

// Shades a surface normal with the iron's colours: diffuse ramp and a tight
// glossy highlight.
Rgb ShadeMetal(Vec3 normal, Rgb dark, Rgb mid, Rgb light) {
    const double diffuse =
        std::max(0.0, normal.x * kLight.x + normal.y * kLight.y + normal.z * kLight.z);
    const Vec3 half = Normalised({kLight.x, kLight.y, kLight.z + 1});
    const double gloss =
        std::pow(std::max(0.0, normal.x * half.x + normal.y * half.y + normal.z * half.z), 24);
    const Rgb base =
        diffuse < 0.6 ? Mix(dark, mid, diffuse / 0.6) : Mix(mid, light, (diffuse - 0.6) / 0.4);
    return Mix(base, kWhite, gloss * 0.7);
}

// Colour and coverage of one sample of the frame.
void ShadeSection(const Section& s, Rgb& colour, double& alpha) {
    alpha = 1.0;
    if (s.t > kThickness) {
        alpha = 0.0;
        return;
    }
    if (s.t < kLip) {
        // A small bevelled lip: lit where it faces up-left.
        const double tilt = (s.t / kLip - 0.5) * 1.2;
        const Vec3 n = Normalised({s.ox * tilt, s.oy * tilt, 1});
        colour = ShadeMetal(n, kLipDark, kBrass, kLipLight);
        return;
    }
    if (s.t > kBarEnd) {
        colour = kIronDark;
        return;
    }
    // A round bar: height follows a half sine across it.
    const double u = (s.t - kLip) / (kBarEnd - kLip);
    const double slope = std::cos(u * M_PI) * 1.6;
    Vec3 n = Normalised({-s.ox * slope, -s.oy * slope, 1});
    colour = ShadeMetal(n, kIronDark, kIronMid, kIronLight);
    // A gilt-headed bolt in the middle of every straight piece.
    if (s.bolt) {
        const double r = std::hypot(s.bx, s.by);
        constexpr double kBolt = 2.6;
        if (r < kBolt) {
            const double h = std::sqrt(std::max(0.0, kBolt * kBolt - r * r));
            n = Normalised({s.bx, s.by, h});
            colour = ShadeMetal(n, kLipDark, kBrass, kLipLight);
        } else if (r < kBolt + 0.6) {
            colour = Mix(colour, kIronDark, 0.6);
        }
    }
}

using SectionAt = std::function<Section(double x, double y)>;

Canvas RenderSection(int width, int height, const SectionAt& at) {
    return RenderSupersampled(width, height, kSamples,
                              [&at](double x, double y, Rgb& colour, double& alpha) {
                                  ShadeSection(at(x, y), colour, alpha);
                              });
}

// Straight pieces: the cells lie on one side.
Canvas Straight(const std::string& side) {
    constexpr double kCentre = 33;
    if (side == "Top") {
        return RenderSection(66, 10, [](double x, double y) {
            return Section{10 - y, 0, -1, true, x - kCentre, y - (10 - kBarMiddle)};
        });
    }
    if (side == "Bottom") {
        return RenderSection(66, 10, [](double x, double y) {
            return Section{y, 0, 1, true, x - kCentre, y - kBarMiddle};
        });
    }
    if (side == "Left") {
        return RenderSection(10, 66, [](double x, double y) {
            return Section{10 - x, -1, 0, true, x - (10 - kBarMiddle), y - kCentre};
        });
    }
    return RenderSection(10, 66, [](double x, double y) {
        return Section{x, 1, 0, true, x - kBarMiddle, y - kCentre};
    });
}

// Outer corners turn round the cell's corner point (cx, cy).
Canvas OuterCorner(double cx, double cy) {
    return RenderSection(10, 10, [cx, cy](double x, double y) {
        const double dx = x - cx, dy = y - cy;
        const double t = std::hypot(dx, dy);
        return Section{t, t > 0 ? dx / t : 0, t > 0 ? dy / t : 0};
    });
}

// Inner corners fill the square where two strips around a hole cross:
// (ix, iy) is the corner of the square touching the cells' edges.
Canvas InnerCorner(double ix, double iy) {
    return RenderSection(10, 10, [ix, iy](double x, double y) {
        const double dx = std::abs(x - ix), dy = std::abs(y - iy);
        const double ox = ix == 0 ? 1 : -1, oy = iy == 0 ? 1 : -1;
        return dx < dy ? Section{dx, ox, 0} : Section{dy, 0, oy};
    });
}

// ---------------------------------------------------------------------------
// Scrollwork ornaments, designed in a local frame: u runs along the frame
// edge, v away from it (v = 0 touches the frame).

struct Ornament {
    int width, height;
    cairo_matrix_t toCanvas;  // local (u, v) to picture pixels
    double length, depth;
    bool symmetric;  // a long piece with a centre; otherwise a corner piece curling at u = 0
};

void Spiral(cairo_t* cr, double cx, double cy, double startRadius, double endRadius,
            double startAngle, double turns, bool moveFirst) {
    constexpr int kSteps = 64;
    for (int i = 0; i <= kSteps; ++i) {
        const double t = static_cast<double>(i) / kSteps;
        const double a = startAngle + turns * 2 * M_PI * t;
        const double r = startRadius + (endRadius - startRadius) * t;
        const double x = cx + r * std::cos(a), y = cy + r * std::sin(a);
        (i == 0 && moveFirst) ? cairo_move_to(cr, x, y) : cairo_line_to(cr, x, y);
    }
}

// One arm: rises from the rail at `root` and ends in a curl centred at
// (curlU, curlV); direction +1 curls anticlockwise in local coordinates.
void ScrollArm(cairo_t* cr, double rootU, double curlU, double curlV, double radius,
               double direction) {
    const double towards = curlU < rootU ? -1 : 1;
    cairo_move_to(cr, rootU, 1.5);
    // Sweep up to the top of the curl, then wind inwards.
    cairo_curve_to(cr, rootU + towards * 2, curlV + radius * 0.9, curlU - towards * radius * 0.2,
                   curlV + radius, curlU, curlV + radius);
    const double startAngle = M_PI / 2;
    Spiral(cr, curlU, curlV, radius, radius * 0.25, startAngle, direction * towards * 1.15, false);
}

void Leaf(cairo_t* cr, double u, double v, double angle, double size) {
    cairo_save(cr);
    cairo_translate(cr, u, v);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, size * 0.3, size * 0.35, size * 0.75, size * 0.3, size, 0);
    cairo_curve_to(cr, size * 0.75, -size * 0.3, size * 0.3, -size * 0.35, 0, 0);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void IronStroke(cairo_t* cr, double width) {
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColour(cr, Rgb8(0x5A5C70));
    cairo_stroke(cr);
}

void DrawLongOrnament(cairo_t* cr, const Ornament& o) {
    const double mid = o.length / 2, d = o.depth;
    // Rail along the frame.
    cairo_move_to(cr, 5, 1.8);
    cairo_line_to(cr, o.length - 5, 1.8);
    IronStroke(cr, 3.4);
    for (int side = -1; side <= 1; side += 2) {
        ScrollArm(cr, mid + side * 3, mid + side * 27, d * 0.52, d * 0.38, -1);
        IronStroke(cr, 3.0);
        ScrollArm(cr, mid + side * 44, mid + side * 55, d * 0.4, d * 0.27, 1);
        IronStroke(cr, 2.5);
    }
    // Centre spire.
    cairo_move_to(cr, mid, 1.5);
    cairo_line_to(cr, mid, d - 6);
    IronStroke(cr, 3.0);
}

void DrawCornerOrnament(cairo_t* cr, const Ornament& o) {
    const double d = o.depth, len = o.length;
    cairo_move_to(cr, 4, 1.8);
    cairo_line_to(cr, len - 3, 1.8);
    IronStroke(cr, 3.4);
    ScrollArm(cr, 25, 11, d * 0.5, d * 0.4, 1);
    IronStroke(cr, 3.0);
    ScrollArm(cr, len * 0.42, len * 0.63, d * 0.38, d * 0.26, -1);
    IronStroke(cr, 2.5);
}

// Gilt finials and moss-green leaves on the ironwork.
void DrawAccents(cairo_t* cr, const Ornament& o, Rgb leafColour) {
    const double d = o.depth;
    std::vector<Point> balls;
    if (o.symmetric) {
        balls = {{o.length / 2, d - 4.2}, {5, 1.8}, {o.length - 5, 1.8}};
        Leaf(cr, o.length / 2, 5, -2.3, 8);
        Leaf(cr, o.length / 2, 5, -0.85, 8);
        for (int side = -1; side <= 1; side += 2) {
            Leaf(cr, o.length / 2 + side * 36, 2.5, side < 0 ? 2.0 : 1.1, 7);
            Leaf(cr, o.length / 2 + side * 14, 3, side < 0 ? 2.4 : 0.7, 6);
        }
    } else {
        balls = {{o.length - 3, 1.8}, {11, d * 0.5}};
        Leaf(cr, 30, 2.5, 0.9, 8);
        Leaf(cr, 36, 2.5, 2.2, 7);
        Leaf(cr, o.length * 0.8, 2.5, 1.2, 6.5);
    }
    SetColour(cr, leafColour);
    cairo_fill(cr);
    for (const Point& b : balls) {
        cairo_arc(cr, b.x, b.y, 2.6, 0, 2 * M_PI);
        SetColour(cr, kBrass);
        cairo_fill(cr);
    }
}

cairo_matrix_t Matrix(double xx, double yx, double xy, double yy, double x0, double y0) {
    cairo_matrix_t m;
    cairo_matrix_init(&m, xx, yx, xy, yy, x0, y0);
    return m;
}

// Placement of each ornament: the level file puts a piece at a cell, and the
// board offsets it by the piece's size (see the level format). The local
// frame below makes v = 0 touch the frame's outer edge for the usual cell:
// row 0 or the row below the board for top and bottom pieces, column 0 or
// the column right of the board for side pieces; corner pieces at the first
// or last cell of that edge.
Ornament OrnamentFor(const std::string& name) {
    // Matrix(xx, yx, xy, yy, x0, y0): x = xx u + xy v + x0, y = yx u + yy v + y0.
    if (name == "ExtraLongTop") return {132, 24, Matrix(1, 0, 0, -1, 0, 24), 132, 24, true};
    if (name == "ExtraLongBottom") return {132, 24, Matrix(1, 0, 0, 1, 0, 0), 132, 24, true};
    if (name == "ExtraLongLeft") return {24, 132, Matrix(0, 1, -1, 0, 24, 0), 132, 24, true};
    if (name == "ExtraLongRight") return {24, 132, Matrix(0, 1, 1, 0, 0, 0), 132, 24, true};
    // Corner pieces: u = 0 is the frame's outer corner end.
    if (name == "ExtraTopLeft") return {70, 26, Matrix(1, 0, 0, -1, 3, 26), 67, 25, false};
    if (name == "ExtraTopRight") return {76, 26, Matrix(-1, 0, 0, -1, 76, 26), 76, 25, false};
    if (name == "ExtraBottomLeft") return {90, 46, Matrix(1, 0, 0, 1, 2, 22), 88, 24, false};
    if (name == "ExtraBottomRight") return {78, 24, Matrix(-1, 0, 0, 1, 76, 0), 76, 24, false};
    if (name == "ExtraLeftTop") return {26, 66, Matrix(0, 1, -1, 0, 26, 0), 66, 26, false};
    if (name == "ExtraLeftBottom") return {26, 66, Matrix(0, -1, -1, 0, 26, 66), 66, 26, false};
    if (name == "ExtraRightTop") return {26, 66, Matrix(0, 1, 1, 0, 0, 0), 66, 26, false};
    if (name == "ExtraRightBottom") return {27, 66, Matrix(0, -1, 1, 0, 1, 66), 66, 26, false};
    throw std::runtime_error("unknown border ornament " + name);
}

Canvas OrnamentPiece(const std::string& name) {
    const Ornament o = OrnamentFor(name);
    Sheet sheet(o.width, o.height);
    cairo_t* cr = sheet.Begin();
    cairo_transform(cr, &o.toCanvas);
    o.symmetric ? DrawLongOrnament(cr, o) : DrawCornerOrnament(cr, o);
    sheet.Emboss(1.0, 1.1, 0.9);
    cr = sheet.Begin();
    cairo_transform(cr, &o.toCanvas);
    DrawAccents(cr, o, Rgb8(0x5E8A3A));
    sheet.Emboss(0.8, 0.9, 0.5);
    sheet.Outline(0.8, Rgb8(0x14121C), 0.95);
    return sheet.Final();
}

}  // namespace

Canvas BorderPiece(const std::string& name) {
    if (name.rfind("Border", 0) == 0) return Straight(name.substr(6));
    if (name == "CornerTL") return OuterCorner(10, 10);
    if (name == "CornerTR") return OuterCorner(0, 10);
    if (name == "CornerBL") return OuterCorner(10, 0);
    if (name == "CornerBR") return OuterCorner(0, 0);
    if (name == "InnerCornerTL") return InnerCorner(0, 0);
    if (name == "InnerCornerTR") return InnerCorner(10, 0);
    if (name == "InnerCornerBL") return InnerCorner(0, 10);
    if (name == "InnerCornerBR") return InnerCorner(10, 10);
    return OrnamentPiece(name);
}

}  // namespace board
