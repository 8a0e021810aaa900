// The cats (one on the porch, one on the chimney) and the porch spider webs.
#include <algorithm>
#include <cmath>
#include <vector>

#include "Decorations.h"
#include "Paint.h"
#include "assetkit/Random.h"

namespace asset::shop {
namespace {

constexpr Rgb kFur = style::Rgb8(0x231C36);
constexpr Rgb kFurRim = style::Rgb8(0x9C98D8);
constexpr Rgb kEye = style::Rgb8(0xC8E840);
constexpr Rgb kThread = style::Rgb8(0xDCE0F4);

enum class Tail { CurledOnGround, RaisedCurl };

// A sitting cat, `height` tall, paws on (cx, groundY), in unit shapes scaled.
void CatSilhouette(cairo_t* cr, double cx, double groundY, double height, Tail tail) {
    cairo_save(cr);
    cairo_translate(cr, cx, groundY - height);
    cairo_scale(cr, height, height);
    // Head and ears.
    EllipsePath(cr, 0, 0.24, 0.2, 0.17);
    PolygonPath(cr, {-0.2, 0.2, -0.17, -0.01, -0.04, 0.1});
    PolygonPath(cr, {0.2, 0.2, 0.17, -0.01, 0.04, 0.1});
    // Body with the haunch to the right.
    cairo_move_to(cr, -0.12, 0.3);
    cairo_curve_to(cr, -0.26, 0.5, -0.28, 0.8, -0.22, 1.0);
    cairo_line_to(cr, 0.3, 1.0);
    cairo_curve_to(cr, 0.34, 0.74, 0.26, 0.5, 0.12, 0.3);
    cairo_close_path(cr);
    EllipsePath(cr, 0.14, 0.82, 0.18, 0.18);
    // Front paws.
    EllipsePath(cr, -0.1, 0.98, 0.075, 0.04);
    EllipsePath(cr, 0.04, 0.98, 0.075, 0.04);
    cairo_fill(cr);
    // Tail.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 0.085);
    if (tail == Tail::CurledOnGround) {
        cairo_move_to(cr, 0.3, 0.96);
        cairo_curve_to(cr, 0.2, 1.06, -0.2, 1.04, -0.38, 0.9);
        cairo_curve_to(cr, -0.46, 0.83, -0.42, 0.76, -0.36, 0.78);
    } else {
        cairo_move_to(cr, 0.3, 0.92);
        cairo_curve_to(cr, 0.55, 0.9, 0.55, 0.55, 0.46, 0.4);
        cairo_curve_to(cr, 0.4, 0.28, 0.5, 0.2, 0.58, 0.26);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

void CatFace(cairo_t* cr, double cx, double groundY, double height, double glow) {
    const double s = height;
    const double headY = groundY - height + 0.24 * s;
    for (double side : {-1.0, 1.0}) {
        const double ex = cx + side * 0.085 * s, ey = headY - 0.01 * s;
        Glow(cr, ex, ey, 0.12 * s, kEye, 0.45 * glow);
        cairo_save(cr);
        cairo_translate(cr, ex, ey);
        cairo_rotate(cr, side * 0.25);
        EllipsePath(cr, 0, 0, 0.055 * s, 0.035 * s);
        cairo_pattern_t* iris = cairo_pattern_create_radial(0, 0, 0, 0, 0, 0.055 * s);
        cairo_pattern_add_color_stop_rgb(iris, 0, 1.0, 1.0, 0.7);
        cairo_pattern_add_color_stop_rgb(iris, 1, kEye.r * 0.8, kEye.g * 0.8, kEye.b * 0.6);
        cairo_set_source(cr, iris);
        cairo_fill(cr);
        cairo_pattern_destroy(iris);
        EllipsePath(cr, 0, 0, 0.012 * s, 0.03 * s);
        SetColour(cr, style::Rgb8(0x141020));
        cairo_fill(cr);
        cairo_restore(cr);
    }
    // Nose and whiskers.
    PolygonPath(cr, {cx - 0.02 * s, headY + 0.06 * s, cx + 0.02 * s, headY + 0.06 * s, cx,
                     headY + 0.085 * s});
    SetColour(cr, style::Rgb8(0x8A5A7A));
    cairo_fill(cr);
    for (double side : {-1.0, 1.0}) {
        for (double tilt : {-0.03, 0.02}) {
            cairo_move_to(cr, cx + side * 0.07 * s, headY + 0.09 * s);
            cairo_line_to(cr, cx + side * 0.3 * s, headY + (0.07 + tilt) * s);
        }
    }
    SetColour(cr, kFurRim, 0.4);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
}

void PaintCat(Canvas& canvas, double cx, double groundY, double height, Tail tail, double glow) {
    cairo_t* cr = canvas.Cr();
    GroundShadow(cr, cx + 6, groundY, height * 0.42, height * 0.07);
    Canvas silhouette(canvas.Width(), canvas.Height());
    cairo_set_source_rgb(silhouette.Cr(), 1, 1, 1);
    CatSilhouette(silhouette.Cr(), cx, groundY, height, tail);
    const Canvas lit = ShadeSilhouette(silhouette, {kFur, kFurRim, 1.6, 0.85, 2.5, 0.5, 0.6});
    canvas.Draw(lit, 0, 0);
    // The line between the front legs, and a lighter chest tuft.
    cairo_move_to(cr, cx - 0.03 * height, groundY - 0.42 * height);
    cairo_curve_to(cr, cx - 0.04 * height, groundY - 0.25 * height, cx - 0.03 * height,
                   groundY - 0.12 * height, cx - 0.03 * height, groundY - 0.02 * height);
    SetColour(cr, style::Rgb8(0x0C0816), 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    GlowEllipse(cr, cx - 0.02 * height, groundY - 0.58 * height, 0.08 * height, 0.1 * height,
                kFurRim, 0.25);
    CatFace(cr, cx, groundY, height, glow);
}

// A gilded collar with a coin tag: the richer cat.
void Collar(cairo_t* cr, double cx, double groundY, double height) {
    const double y = groundY - height + 0.4 * height;
    cairo_save(cr);
    cairo_move_to(cr, cx - 0.15 * height, y - 0.02 * height);
    cairo_curve_to(cr, cx - 0.05 * height, y + 0.05 * height, cx + 0.05 * height, y + 0.05 * height,
                   cx + 0.15 * height, y - 0.02 * height);
    SetColour(cr, style::Rgb8(0x8A2A3A));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    PaintSolid(cr, [&](cairo_t* c) { EllipsePath(c, cx, y + 0.06 * height, 4.2, 4.2); },
               {style::kGold, 0.55, 0.5, 1.0, 1.4, 0.8});
    Sparkle(cr, cx - 1.5, y + 0.045 * height, 3.5, style::kCandle, 0.9);
    cairo_restore(cr);
}

struct WebShape {
    double width, height;  // the corner triangle the web spans
    int spokes, rings;
    uint64_t seed;
};

// Where a ray from the hub meets the web's frame (top edge, left edge, and
// the sagging outer thread between their ends).
Point FrameHit(const WebShape& web, Point hub, double angle) {
    const double dx = std::cos(angle), dy = std::sin(angle);
    double best = 1e9;
    auto consider = [&](double t) {
        if (t > 0) best = std::min(best, t);
    };
    if (dy < 0) consider(-hub.y / dy);
    if (dx < 0) consider(-hub.x / dx);
    // Outer thread: x / width + y / height = 1.
    const double denominator = dx / web.width + dy / web.height;
    if (denominator > 0) consider((1 - hub.x / web.width - hub.y / web.height) / denominator);
    return {hub.x + dx * best, hub.y + dy * best};
}

void PaintWeb(cairo_t* cr, const WebShape& web, double dew) {
    Rng rng(web.seed);
    const Point hub{web.width * 0.3, web.height * 0.3};
    std::vector<Point> ends;
    for (int i = 0; i < web.spokes; ++i) {
        const double angle = 2 * M_PI * (i + rng.Range(-0.2, 0.2)) / web.spokes;
        ends.push_back(FrameHit(web, hub, angle));
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    // Outer frame thread.
    cairo_move_to(cr, web.width, 1);
    cairo_curve_to(cr, web.width * 0.55, web.height * 0.3, web.width * 0.3, web.height * 0.55, 1,
                   web.height);
    SetColour(cr, kThread, 0.5);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    for (const Point& end : ends) {
        cairo_move_to(cr, hub.x, hub.y);
        cairo_line_to(cr, end.x, end.y);
    }
    SetColour(cr, kThread, 0.6);
    cairo_set_line_width(cr, 0.85);
    cairo_stroke(cr);
    // The spiral: sagging threads between neighbouring spokes.
    for (int ring = 1; ring <= web.rings; ++ring) {
        const double f = std::pow(static_cast<double>(ring) / (web.rings + 0.6), 0.9);
        for (size_t i = 0; i < ends.size(); ++i) {
            const Point a = ends[i], b = ends[(i + 1) % ends.size()];
            const Point pa{hub.x + (a.x - hub.x) * f, hub.y + (a.y - hub.y) * f};
            const Point pb{hub.x + (b.x - hub.x) * f, hub.y + (b.y - hub.y) * f};
            const Point mid{(pa.x + pb.x) / 2 + (hub.x - (pa.x + pb.x) / 2) * 0.12,
                            (pa.y + pb.y) / 2 + (hub.y - (pa.y + pb.y) / 2) * 0.12 + 1.2};
            cairo_move_to(cr, pa.x, pa.y);
            cairo_curve_to(cr, mid.x, mid.y, mid.x, mid.y, pb.x, pb.y);
            if (dew > 0 && rng.Chance(0.12 * dew)) {
                Glow(cr, mid.x, mid.y, 2.6, style::kMoonlight, 0.9);
            }
        }
        SetColour(cr, kThread, 0.42 + 0.15 * (1 - f));
        cairo_set_line_width(cr, 0.75);
        cairo_stroke(cr);
    }
}

void PaintSpider(cairo_t* cr, double x, double threadTop, double y) {
    cairo_move_to(cr, x, threadTop);
    cairo_line_to(cr, x, y);
    SetColour(cr, kThread, 0.7);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (double side : {-1.0, 1.0}) {
        for (int leg = 0; leg < 4; ++leg) {
            const double a = (-0.7 + leg * 0.45);
            cairo_move_to(cr, x, y + 3);
            cairo_curve_to(cr, x + side * 6, y + 3 + a * 6 - 4, x + side * 9, y + 3 + a * 8,
                           x + side * 10, y + 6 + a * 8);
        }
    }
    SetColour(cr, kFur);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    PaintSolid(cr, [&](cairo_t* c) { EllipsePath(c, x, y + 7, 5, 6); },
               {style::Rgb8(0x3A2E58), 0.45, 0.5, 1.0, 1.5, 0.6});
    PaintSolid(cr, [&](cairo_t* c) { EllipsePath(c, x, y + 1.5, 3.2, 3); },
               {style::Rgb8(0x3A2E58), 0.45, 0.5, 1.0, 1.0, 0.6});
    for (double side : {-1.0, 1.0})
        Glow(cr, x + side * 1.3, y + 1.8, 1.6, style::Rgb8(0xFF5A3A), 1.0);
    // A violet hourglass mark.
    PolygonPath(cr, {x - 1.5, y + 5, x + 1.5, y + 5, x, y + 7.5});
    PolygonPath(cr, {x - 1.5, y + 10, x + 1.5, y + 10, x, y + 7.5});
    SetColour(cr, style::Rgb8(0xC060E0), 0.9);
    cairo_fill(cr);
}

const WebShape kWeb1{84, 80, 11, 7, SeedOf("web1")};
const WebShape kWeb2{96, 92, 14, 10, SeedOf("web2")};

void PaintWeb2(cairo_t* cr) {
    PaintWeb(cr, kWeb2, 1.0);
    PaintSpider(cr, 29, 28, 58);
}

// For the small pictures: the web in the corner of a post and a beam, as it
// hangs on the porch.
Canvas WebInCorner(void (*paint)(cairo_t*)) {
    Canvas icon(118, 110);
    cairo_t* cr = icon.Cr();
    const Material wood{style::Rgb8(0x5A4E6A), 0.4, 0.5, 1.2, 2.5, 0.5};
    PaintSolid(
        cr, [](cairo_t* c) { cairo_rectangle(c, 0, 0, 14, 110); }, wood);
    PaintSolid(
        cr, [](cairo_t* c) { cairo_rectangle(c, 0, 0, 118, 14); }, wood);
    cairo_translate(cr, 14, 14);
    paint(cr);
    return icon;
}

}  // namespace

void DrawCat1(Canvas& canvas) {
    PaintCat(canvas, 28, 66, 58, Tail::CurledOnGround, 0.9);
}

void DrawCat2(Canvas& canvas) {
    PaintCat(canvas, 26, 61, 56, Tail::RaisedCurl, 1.2);
    Collar(canvas.Cr(), 26, 61, 56);
}

void DrawWeb1(Canvas& canvas) {
    PaintWeb(canvas.Cr(), kWeb1, 0);
}
void DrawWeb2(Canvas& canvas) {
    PaintWeb2(canvas.Cr());
}
Canvas WebIcon1() {
    return WebInCorner([](cairo_t* cr) { PaintWeb(cr, kWeb1, 0); });
}
Canvas WebIcon2() {
    return WebInCorner(PaintWeb2);
}

}  // namespace asset::shop
