#include "Trees.h"

#include <algorithm>
#include <cmath>

namespace asset::shop {
namespace {

constexpr double kMinWidth = 0.9;
constexpr double kDegrees = M_PI / 180;

Point Mid(Point a, Point b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}
double Distance(Point a, Point b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

// Point and direction (degrees from straight up) at a fraction along a spine.
void AlongSpine(const std::vector<Point>& spine, double t, Point& at, double& angle) {
    const double position = t * (spine.size() - 1);
    const size_t i = std::min(spine.size() - 2, static_cast<size_t>(position));
    const double f = position - i;
    const Point a = spine[i], b = spine[i + 1];
    at = {a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f};
    angle = std::atan2(b.x - a.x, -(b.y - a.y)) / kDegrees;
}

}  // namespace

Tree::Tree(double left, double top, double right, double bottom, uint64_t seed)
    : left_(left), top_(top), right_(right), bottom_(bottom), rng_(seed) {}

bool Tree::Inside(Point p) const {
    return p.x >= left_ && p.x <= right_ && p.y >= top_ && p.y <= bottom_;
}

void Tree::AddLimb(const std::vector<Point>& spine, double width0, double width1, int sprouts,
                   int depth) {
    if (spine.size() < 2) return;
    double total = 0;
    for (size_t i = 1; i < spine.size(); ++i)
        total += Distance(spine[i - 1], spine[i]);
    total = std::max(total, 1.0);
    // Quadratic pieces between midpoints, the spine points as controls, keep
    // the limb smooth.
    Point start = spine[0];
    double walked = 0;
    const size_t pieces = std::max<size_t>(1, spine.size() - 2);
    for (size_t i = 1; i <= pieces; ++i) {
        const bool last = i == pieces;
        const Point control = spine.size() == 2 ? Mid(spine[0], spine[1]) : spine[i];
        const Point end = last ? spine.back() : Mid(spine[i], spine[i + 1]);
        const double w0 = width0 + (width1 - width0) * walked / total;
        walked += Distance(start, control) + Distance(control, end);
        const double w1 = width0 + (width1 - width0) * std::min(1.0, walked / total);
        segments_.push_back({start, control, end, w0, w1});
        start = end;
    }
    SproutAlong(spine, width0, width1, sprouts, depth);
}

void Tree::SproutAlong(const std::vector<Point>& spine, double width0, double width1, int sprouts,
                       int depth) {
    for (int s = 0; s < sprouts; ++s) {
        const double t = 0.3 + 0.65 * (s + rng_.Uniform()) / sprouts;
        Point at;
        double angle;
        AlongSpine(spine, t, at, angle);
        const double side = (s % 2 == 0) ? 1 : -1;
        const double width = std::max(kMinWidth, (width0 + (width1 - width0) * t) * 0.55);
        Grow(at, angle + side * rng_.Range(28, 55), rng_.Range(28, 55) * std::sqrt(width), width,
             depth);
    }
}

void Tree::Grow(Point from, double angleDegrees, double length, double width, int depth) {
    const double angle = angleDegrees * kDegrees;
    Point end{from.x + std::sin(angle) * length, from.y - std::cos(angle) * length};
    if (!Inside(end)) {
        length *= 0.55;
        end = {from.x + std::sin(angle) * length, from.y - std::cos(angle) * length};
        if (!Inside(end) || length < 6) return;
    }
    // A crooked bend halfway.
    const double bend = rng_.Range(-0.22, 0.22) * length;
    const Point control{(from.x + end.x) / 2 + std::cos(angle) * bend,
                        (from.y + end.y) / 2 + std::sin(angle) * bend};
    const double endWidth = std::max(kMinWidth * 0.8, width * 0.62);
    segments_.push_back({from, control, end, width, endWidth});
    if (depth <= 0 || endWidth < kMinWidth) return;
    const int children = rng_.Chance(0.3) ? 3 : 2;
    for (int c = 0; c < children; ++c) {
        const double spread =
            (c == 0) ? rng_.Range(-12, 12) : rng_.Range(22, 48) * (c % 2 ? 1 : -1);
        Grow(end, angleDegrees + spread, length * rng_.Range(0.58, 0.8),
             endWidth * (c == 0 ? 0.95 : 0.75), depth - 1);
    }
}

void Tree::FillSilhouette(cairo_t* cr) const {
    for (const TreeSegment& s : segments_) {
        TaperPath(cr, s.from.x, s.from.y, s.control.x, s.control.y, s.to.x, s.to.y, s.width0,
                  s.width1);
        cairo_fill(cr);
        // Round joints so limbs flow into one another.
        cairo_arc(cr, s.to.x, s.to.y, s.width1 / 2, 0, 2 * M_PI);
        cairo_fill(cr);
    }
}

void Tree::StrokeGrooves(cairo_t* cr, Rgb dark, Rgb light) const {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (const TreeSegment& s : segments_) {
        if (s.width0 < 9) continue;
        // Each segment's grooves stay inside that segment.
        cairo_save(cr);
        TaperPath(cr, s.from.x, s.from.y, s.control.x, s.control.y, s.to.x, s.to.y, s.width0,
                  s.width1);
        cairo_clip(cr);
        const double dx = s.to.x - s.from.x, dy = s.to.y - s.from.y;
        const double length = std::max(1.0, std::hypot(dx, dy));
        const double nx = -dy / length, ny = dx / length;
        for (double f : {-0.28, 0.06, 0.3}) {
            const double o0 = f * s.width0, o1 = f * s.width1;
            const double oc = (o0 + o1) / 2;
            auto path = [&](double shift) {
                cairo_move_to(cr, s.from.x + nx * (o0 + shift), s.from.y + ny * (o0 + shift));
                cairo_curve_to(cr, s.control.x + nx * (oc + shift), s.control.y + ny * (oc + shift),
                               s.control.x + nx * (oc + shift), s.control.y + ny * (oc + shift),
                               s.to.x + nx * (o1 + shift), s.to.y + ny * (o1 + shift));
            };
            path(0);
            SetColour(cr, dark, 0.4);
            cairo_set_line_width(cr, std::clamp(s.width0 * 0.06, 0.8, 2.0));
            cairo_stroke(cr);
            path(-1.2);
            SetColour(cr, light, 0.1);
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
        }
        cairo_restore(cr);
    }
}

Canvas PaintTree(const Tree& tree, int width, int height, const SilhouetteLight& light) {
    Canvas silhouette(width, height);
    cairo_set_source_rgb(silhouette.Cr(), 1, 1, 1);
    tree.FillSilhouette(silhouette.Cr());
    Canvas lit = ShadeSilhouette(silhouette, light);
    cairo_t* cr = lit.Cr();
    cairo_push_group(cr);
    tree.StrokeGrooves(cr, Darken(light.base, 0.6), light.rim);
    cairo_pop_group_to_source(cr);
    cairo_mask_surface(cr, silhouette.Surface(), 0, 0);
    lit.Reset();
    return lit;
}

}  // namespace asset::shop
