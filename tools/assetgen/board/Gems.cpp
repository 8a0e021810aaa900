// The thirteen gems (each colour with its own silhouette, so players who
// confuse hues can still tell them apart), the golden skull and the chains
// that lock a gem.
#include <algorithm>
#include <cmath>
#include <functional>

#include "Board.h"

namespace board {
namespace {

using asset::style::Rgb8;

constexpr double kCentre = kCell / 2.0;

struct GemColours {
    Rgb deep, base, light, glint;
};

// A cut: the girdle (outline) and the table (top face), one table point per
// girdle point; facets join them. Split cuts get a star facet and two
// girdle facets per side, as a brilliant cut does.
struct Cut {
    std::vector<Point> girdle;
    std::vector<Point> table;
    bool split = true;
    // Girdle segments per facet: curved outlines need many points to look
    // smooth but fewer, broader facets to read as cut stone.
    int group = 1;
};

struct GemDesign {
    const char* name;
    GemColours colours;
    std::function<Cut()> cut;
    bool pearly = false;
    Point glint{0, 0};  // where the star glint sits; (0, 0) = the upper-left shoulder
    // Polished as a domed cabochon with a metal's lustre instead of cut in facets.
    bool cabochon = false;
};

Point Lerp(Point a, Point b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

std::vector<Point> TableTowards(const std::vector<Point>& girdle, Point core, double scale) {
    std::vector<Point> table;
    for (const Point& p : girdle)
        table.push_back(Lerp(core, p, scale));
    return table;
}

std::vector<Point> Regular(int corners, double radius, double rotationDegrees, Point centre) {
    std::vector<Point> points;
    for (int i = 0; i < corners; ++i) {
        const double a = (rotationDegrees - 90 + 360.0 * i / corners) * M_PI / 180;
        points.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
    }
    return points;
}

// Scales and moves points so their bounding box fits maxWidth x maxHeight,
// centred on (cx, cy).
std::vector<Point> Fit(std::vector<Point> points, double cx, double cy, double maxWidth,
                       double maxHeight) {
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (const Point& p : points) {
        x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x),
        y1 = std::max(y1, p.y);
    }
    const double scale = std::min(maxWidth / (x1 - x0), maxHeight / (y1 - y0));
    for (Point& p : points)
        p = {cx + (p.x - (x0 + x1) / 2) * scale, cy + (p.y - (y0 + y1) / 2) * scale};
    return points;
}

Cut HeartCut() {
    std::vector<Point> raw;
    constexpr int kSteps = 26;
    for (int i = 0; i < kSteps; ++i) {
        const double t = 2 * M_PI * i / kSteps;
        const double s = std::sin(t);
        raw.push_back({16 * s * s * s, -(13 * std::cos(t) - 5 * std::cos(2 * t) -
                                         2 * std::cos(3 * t) - std::cos(4 * t))});
    }
    Cut cut;
    cut.girdle = Fit(raw, kCentre, kCentre + 1, 58, 54);
    cut.table = TableTowards(cut.girdle, {kCentre, kCentre + 1}, 0.5);
    cut.split = false;
    cut.group = 2;
    return cut;
}

Cut HexagonCut() {
    Cut cut;
    cut.girdle = Regular(6, 27.5, 0, {kCentre, kCentre});
    cut.table = TableTowards(cut.girdle, {kCentre, kCentre}, 0.55);
    return cut;
}

Cut StarCut() {
    Cut cut;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 ? 17.0 : 31.5;
        const double a = (-90 + 36.0 * i) * M_PI / 180;
        cut.girdle.push_back(
            {kCentre + radius * std::cos(a), kCentre + 2.5 + radius * std::sin(a)});
    }
    cut.table = TableTowards(cut.girdle, {kCentre, kCentre + 2.5}, 0.32);
    cut.split = false;
    return cut;
}

Cut EmeraldCut() {
    // Upright, as an emerald is cut: taller than wide, so it never reads as
    // the round, the hexagon or the clover.
    const double w = 19, h = 27, corner = 7;
    Cut cut;
    cut.girdle = {{kCentre - w + corner, kCentre - h}, {kCentre + w - corner, kCentre - h},
                  {kCentre + w, kCentre - h + corner}, {kCentre + w, kCentre + h - corner},
                  {kCentre + w - corner, kCentre + h}, {kCentre - w + corner, kCentre + h},
                  {kCentre - w, kCentre + h - corner}, {kCentre - w, kCentre - h + corner}};
    cut.table = TableTowards(cut.girdle, {kCentre, kCentre}, 0.6);
    return cut;
}

Cut TeardropCut() {
    // A round bottom drawn into a point at the top by the tangents from it.
    const Point tip{kCentre, 3};
    const Point centre{kCentre, 41};
    const double radius = 21;
    const double distance = centre.y - tip.y;
    const double tangent = std::acos(radius / distance);  // angle from "up" to the tangent point
    std::vector<Point> girdle{tip};
    constexpr int kArc = 18;
    for (int i = 0; i <= kArc; ++i) {
        const double a = -M_PI / 2 + tangent + (2 * M_PI - 2 * tangent) * i / kArc;
        girdle.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
    }
    Cut cut;
    cut.girdle = girdle;
    cut.table = TableTowards(girdle, {kCentre, 37}, 0.5);
    cut.split = false;
    cut.group = 2;
    return cut;
}

Cut RhombusCut() {
    Cut cut;
    cut.girdle = {{kCentre, 3}, {kCentre + 28, kCentre}, {kCentre, 63}, {kCentre - 28, kCentre}};
    cut.table = TableTowards(cut.girdle, {kCentre, kCentre}, 0.5);
    return cut;
}

Cut TriangleCut() {
    // Corners trimmed so the points are not needle sharp.
    const std::vector<Point> corners = Regular(3, 35, 0, {kCentre, kCentre + 5});
    std::vector<Point> girdle;
    for (size_t i = 0; i < corners.size(); ++i) {
        const Point& a = corners[i];
        const Point& prev = corners[(i + 2) % 3];
        const Point& next = corners[(i + 1) % 3];
        girdle.push_back(Lerp(a, prev, 0.06));
        girdle.push_back(Lerp(a, next, 0.06));
    }
    Cut cut;
    cut.girdle = girdle;
    cut.table = TableTowards(girdle, {kCentre, kCentre + 5}, 0.5);
    return cut;
}

Cut RoundCut() {
    Cut cut;
    cut.girdle = Regular(16, 25.5, 11.25, {kCentre, kCentre});
    cut.table = TableTowards(cut.girdle, {kCentre, kCentre}, 0.55);
    return cut;
}

Cut CrescentCut() {
    // The outer disc minus a disc shifted to the upper right; tips where the
    // two circles cross.
    const Point outer{kCentre - 1, kCentre + 1}, inner{kCentre + 14, kCentre - 12};
    const double R = 30, r = 22;
    const double dx = inner.x - outer.x, dy = inner.y - outer.y, d = std::hypot(dx, dy);
    const double along = (d * d + R * R - r * r) / (2 * d);
    const double half = std::sqrt(R * R - along * along);
    const double baseAngle = std::atan2(dy, dx), spread = std::acos(along / R);
    const double innerSpread =
        std::atan2(half, along - d);  // angle of the tips seen from the inner centre
    constexpr int kSteps = 14;
    std::vector<Point> outerArc, innerArc;
    for (int i = 0; i <= kSteps; ++i) {
        const double t = static_cast<double>(i) / kSteps;
        const double a = baseAngle + spread + (2 * M_PI - 2 * spread) * t;
        outerArc.push_back({outer.x + R * std::cos(a), outer.y + R * std::sin(a)});
        const double b = baseAngle + innerSpread + (2 * M_PI - 2 * innerSpread) * t;
        innerArc.push_back({inner.x + r * std::cos(b), inner.y + r * std::sin(b)});
    }
    Cut cut;
    cut.split = false;
    cut.group = 2;
    for (int i = 0; i <= kSteps; ++i) {
        const Point spine = Lerp(outerArc[i], innerArc[i], 0.5);
        cut.girdle.push_back(outerArc[i]);
        cut.table.push_back(Lerp(outerArc[i], spine, 0.6));
    }
    for (int i = kSteps - 1; i >= 1; --i) {
        const Point spine = Lerp(outerArc[i], innerArc[i], 0.5);
        cut.girdle.push_back(innerArc[i]);
        cut.table.push_back(Lerp(innerArc[i], spine, 0.6));
    }
    return cut;
}

Cut PentagonCut() {
    // A tall pentagon, like a shield's crest: a regular one is too near the round.
    Cut cut;
    cut.girdle = Regular(5, 29, 0, {kCentre, kCentre + 2});
    for (Point& p : cut.girdle)
        p = {kCentre + (p.x - kCentre) * 0.86, kCentre + 2 + (p.y - kCentre - 2) * 1.06};
    cut.table = TableTowards(cut.girdle, {kCentre, kCentre + 2}, 0.55);
    return cut;
}

Cut ShieldCut() {
    std::vector<Point> girdle{{8, 8}, {kCentre, 5}, {58, 8}, {58, 28}};
    constexpr int kCurve = 5;
    // Right flank curving down to the point, then the left flank back up.
    for (int i = 1; i <= kCurve; ++i) {
        const double t = static_cast<double>(i) / kCurve;
        girdle.push_back({58 - 25 * t * t, 28 + 34 * std::sin(t * M_PI / 2)});
    }
    for (int i = kCurve - 1; i >= 1; --i) {
        const double t = static_cast<double>(i) / kCurve;
        girdle.push_back({8 + 25 * t * t, 28 + 34 * std::sin(t * M_PI / 2)});
    }
    girdle.push_back({8, 28});
    // Drawn broad, then narrowed to the other gems' visual size: tall and
    // square-shouldered, it never reads as the round beside it.
    for (Point& p : girdle)
        p = {kCentre + (p.x - kCentre) * 0.8, 33 + (p.y - 33) * 0.98};
    Cut cut;
    cut.girdle = girdle;
    cut.table = TableTowards(girdle, {kCentre, 30}, 0.5);
    cut.split = false;
    cut.group = 1;
    return cut;
}

Cut CloverCut() {
    // Four overlapping lobes: the distance to the outline along each ray is
    // the farthest crossing with any lobe circle.
    // Deep notches between the lobes: the outline must not read as a round.
    const double lobeOffset = 16.5, lobeRadius = 12.5;
    constexpr int kSteps = 40;
    Cut cut;
    for (int i = 0; i < kSteps; ++i) {
        const double a = 2 * M_PI * i / kSteps + M_PI / 4;
        const double ux = std::cos(a), uy = std::sin(a);
        double reach = 0;
        for (int lobe = 0; lobe < 4; ++lobe) {
            const double la = lobe * M_PI / 2 + M_PI / 4;
            const double cx = lobeOffset * std::cos(la), cy = lobeOffset * std::sin(la);
            const double proj = cx * ux + cy * uy;
            const double disc = proj * proj - (cx * cx + cy * cy - lobeRadius * lobeRadius);
            if (disc >= 0) reach = std::max(reach, proj + std::sqrt(disc));
        }
        cut.girdle.push_back({kCentre + reach * ux, kCentre + reach * uy});
    }
    cut.table = TableTowards(cut.girdle, {kCentre, kCentre}, 0.5);
    cut.split = false;
    cut.group = 5;
    return cut;
}

Cut MarquiseCut() {
    // A lens laid on the diagonal from lower left to upper right.
    const double halfLength = 31, halfWidth = 20;
    const double radius = (halfLength * halfLength + halfWidth * halfWidth) / (2 * halfWidth);
    const double centreOffset = radius - halfWidth;
    const double spread = std::asin(halfLength / radius);
    constexpr int kSteps = 9;
    std::vector<Point> local;
    for (int side = 0; side < 2; ++side) {
        const double sign = side ? 1 : -1;
        for (int i = 0; i < kSteps; ++i) {
            const double a = -spread + 2 * spread * i / kSteps;
            // Upper arc runs left to right, lower arc right to left.
            const double x = sign * -radius * std::sin(a);
            const double y = sign * (centreOffset - radius * std::cos(a));
            local.push_back({x, y});
        }
    }
    const double turn = -M_PI / 4;
    Cut cut;
    for (const Point& p : local) {
        cut.girdle.push_back({kCentre + p.x * std::cos(turn) - p.y * std::sin(turn),
                              kCentre + p.x * std::sin(turn) + p.y * std::cos(turn)});
    }
    cut.table = TableTowards(cut.girdle, {kCentre, kCentre}, 0.5);
    cut.split = false;
    cut.group = 3;
    return cut;
}

const std::vector<GemDesign>& Designs() {
    static const std::vector<GemDesign> designs = {
        {"ruby heart", {Rgb8(0x4A0010), Rgb8(0xD8152E), Rgb8(0xFF6B73), Rgb8(0xFFE4E4)}, HeartCut},
        {"fire opal hexagon",
         {Rgb8(0x5E1E00), Rgb8(0xF26A0C), Rgb8(0xFFB24D), Rgb8(0xFFF1D6)},
         HexagonCut},
        {"citrine star", {Rgb8(0x6A4300), Rgb8(0xF5C518), Rgb8(0xFFF07A), Rgb8(0xFFFFEA)}, StarCut},
        {"emerald square",
         {Rgb8(0x03381A), Rgb8(0x1AA84B), Rgb8(0x7AF096), Rgb8(0xE6FFEC)},
         EmeraldCut},
        {"aquamarine drop",
         {Rgb8(0x00485E), Rgb8(0x1CC6EC), Rgb8(0x94F2FF), Rgb8(0xF0FFFF)},
         TeardropCut},
        {"sapphire rhombus",
         {Rgb8(0x08145E), Rgb8(0x2453E6), Rgb8(0x84A8FF), Rgb8(0xEAF0FF)},
         RhombusCut},
        {"amethyst triangle",
         {Rgb8(0x2A0856), Rgb8(0x8C35D8), Rgb8(0xD090FF), Rgb8(0xF7EAFF)},
         TriangleCut},
        {"rose quartz round",
         {Rgb8(0x6A0E44), Rgb8(0xF25CB0), Rgb8(0xFFB4DE), Rgb8(0xFFF2FA)},
         RoundCut},
        {"moonstone crescent",
         {Rgb8(0x5C6288), Rgb8(0xCDD3EA), Rgb8(0xF6F8FF), Rgb8(0xFFFFFF)},
         CrescentCut,
         true,
         {17, 24}},
        {"hematite pentagon",
         {Rgb8(0x1E222A), Rgb8(0x6C7682), Rgb8(0xC6D0DC), Rgb8(0xFFFFFF)},
         PentagonCut,
         false,
         {0, 0},
         true},
        {"teal shield",
         {Rgb8(0x02332F), Rgb8(0x0E8F84), Rgb8(0x62DCC8), Rgb8(0xE6FFFA)},
         ShieldCut},
        {"peridot clover",
         {Rgb8(0x2C4600), Rgb8(0x98D41A), Rgb8(0xDEFF7C), Rgb8(0xFAFFE6)},
         CloverCut},
        {"fuchsia marquise",
         {Rgb8(0x4C0450), Rgb8(0xD823D0), Rgb8(0xFF86F4), Rgb8(0xFFEAFD)},
         MarquiseCut},
    };
    return designs;
}

// Colour of a facet whose brightness is t (0 = turned away, 1 = facing the light).
Rgb Ramp(const GemColours& c, double t) {
    t = std::clamp(t, 0.0, 1.0);
    if (t < 0.4) return Mix(c.deep, c.base, t / 0.4);
    if (t < 0.78) return Mix(c.base, c.light, (t - 0.4) / 0.38);
    return Mix(c.light, c.glint, (t - 0.78) / 0.22);
}

struct Vec3 {
    double x, y, z;
};

// The light: from the top left and somewhat in front of the board.
constexpr Vec3 kLight{-0.5, -0.62, 0.6};

double Brightness(Point outward, double tiltDegrees) {
    const double tilt = tiltDegrees * M_PI / 180;
    const double length = std::hypot(outward.x, outward.y);
    const Vec3 n{outward.x / length * std::sin(tilt), outward.y / length * std::sin(tilt),
                 std::cos(tilt)};
    const double d = n.x * kLight.x + n.y * kLight.y + n.z * kLight.z;
    return (d + 0.1) / 1.1;
}

double SignedArea(const std::vector<Point>& points) {
    double area = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        const Point& a = points[i];
        const Point& b = points[(i + 1) % points.size()];
        area += a.x * b.y - b.x * a.y;
    }
    return area / 2;
}

void FillFacet(cairo_t* cr, const std::vector<Point>& facet, Point outer, Point inner,
               const GemColours& c, double brightness) {
    PolygonPath(cr, facet);
    cairo_pattern_t* pattern = cairo_pattern_create_linear(outer.x, outer.y, inner.x, inner.y);
    AddStop(pattern, 0, Ramp(c, brightness - 0.08));
    AddStop(pattern, 1, Ramp(c, brightness + 0.1));
    cairo_set_source(cr, pattern);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pattern);
    // Facet edges catch a thin line of light.
    cairo_set_line_width(cr, 0.45);
    SetColour(cr, c.glint, 0.22);
    cairo_stroke(cr);
}

// Unit normals of the girdle's sides, pointing out of the gem.
std::vector<Point> GirdleNormals(const std::vector<Point>& girdle) {
    const size_t n = girdle.size();
    // With y pointing down, a positive area means clockwise on screen.
    const double orientation = SignedArea(girdle) > 0 ? 1 : -1;
    std::vector<Point> normals(n);
    for (size_t i = 0; i < n; ++i) {
        const Point& a = girdle[i];
        const Point& b = girdle[(i + 1) % n];
        normals[i] = {orientation * (b.y - a.y), orientation * -(b.x - a.x)};
        const double length = std::hypot(normals[i].x, normals[i].y);
        if (length > 0) normals[i] = {normals[i].x / length, normals[i].y / length};
    }
    return normals;
}

// One broad facet over `cut.group` girdle sides starting at side `first`.
void GroupedFacet(cairo_t* cr, const Cut& cut, const std::vector<Point>& normals, size_t first,
                  const GemColours& c) {
    const size_t n = cut.girdle.size();
    const size_t last = std::min(n, first + cut.group);
    std::vector<Point> facet;
    for (size_t k = first; k <= last; ++k)
        facet.push_back(cut.girdle[k % n]);
    for (size_t k = last + 1; k-- > first;)
        facet.push_back(cut.table[k % n]);
    Point normal{0, 0};
    for (size_t k = first; k < last; ++k)
        normal = {normal.x + normals[k].x, normal.y + normals[k].y};
    const Point outer = Lerp(cut.girdle[first], cut.girdle[last % n], 0.5);
    const Point inner = Lerp(cut.table[first], cut.table[last % n], 0.5);
    FillFacet(cr, facet, outer, inner, c, Brightness(normal, 42));
}

// A brilliant cut's side: two steep girdle facets, each leaning towards its
// neighbouring side, and a shallow star facet against the table.
void BrilliantFacets(cairo_t* cr, const Cut& cut, const std::vector<Point>& normals, size_t i,
                     const GemColours& c) {
    const size_t n = cut.girdle.size(), j = (i + 1) % n;
    const Point &p0 = cut.girdle[i], &p1 = cut.girdle[j], &t0 = cut.table[i], &t1 = cut.table[j];
    const Point mid = Lerp(p0, p1, 0.5);
    const Point& edge = normals[i];
    const Point& before = normals[(i + n - 1) % n];
    const Point& after = normals[j];
    const Point leftNormal{edge.x * 0.6 + before.x * 0.4, edge.y * 0.6 + before.y * 0.4};
    const Point rightNormal{edge.x * 0.6 + after.x * 0.4, edge.y * 0.6 + after.y * 0.4};
    FillFacet(cr, {p0, mid, t0}, Lerp(p0, mid, 0.5), t0, c, Brightness(leftNormal, 55));
    FillFacet(cr, {mid, p1, t1}, Lerp(mid, p1, 0.5), t1, c, Brightness(rightNormal, 55));
    FillFacet(cr, {t0, t1, mid}, mid, Lerp(t0, t1, 0.5), c, Brightness(edge, 30));
}

void DrawFacets(cairo_t* cr, const Cut& cut, const GemColours& c) {
    const std::vector<Point> normals = GirdleNormals(cut.girdle);
    for (size_t i = 0; i < cut.girdle.size(); ++i) {
        if (cut.split) {
            BrilliantFacets(cr, cut, normals, i, c);
        } else if (i % cut.group == 0) {
            GroupedFacet(cr, cut, normals, i, c);
        }
    }
}

void DrawTable(cairo_t* cr, const Cut& cut, const GemColours& c) {
    PolygonPath(cr, cut.table);
    // Light entering at the top left leaves through the lower right of the
    // table, so that side glows; the crown's reflection darkens the middle.
    cairo_pattern_t* pattern =
        cairo_pattern_create_linear(kCentre - 18, kCentre - 18, kCentre + 18, kCentre + 18);
    AddStop(pattern, 0, Mix(c.base, c.light, 0.55));
    AddStop(pattern, 0.5, Mix(c.base, c.deep, 0.15));
    AddStop(pattern, 1, Mix(c.light, c.glint, 0.25));
    cairo_set_source(cr, pattern);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pattern);
    cairo_set_line_width(cr, 0.5);
    SetColour(cr, c.glint, 0.35);
    cairo_stroke(cr);

    // The pavilion seen through the table: a smaller, inverted reflection.
    Point core{0, 0};
    for (const Point& p : cut.table)
        core = {core.x + p.x / cut.table.size(), core.y + p.y / cut.table.size()};
    PolygonPath(cr, TableTowards(cut.table, core, 0.62));
    cairo_pattern_t* reflection =
        cairo_pattern_create_linear(kCentre - 12, kCentre - 12, kCentre + 12, kCentre + 12);
    AddStop(reflection, 0, c.deep, 0.28);
    AddStop(reflection, 1, c.glint, 0.25);
    cairo_set_source(cr, reflection);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(reflection);
    SetColour(cr, c.glint, 0.2);
    cairo_stroke(cr);
}

void DrawRims(cairo_t* cr, const Cut& cut, const GemColours& c) {
    // Top-left edge lit, bottom-right edge catching a rim of reflected light.
    cairo_save(cr);
    PolygonPath(cr, cut.girdle);
    cairo_clip_preserve(cr);
    cairo_pattern_t* rim = cairo_pattern_create_linear(6, 6, 60, 60);
    AddStop(rim, 0, c.glint, 0.75);
    AddStop(rim, 0.4, c.glint, 0.0);
    AddStop(rim, 0.62, c.light, 0.0);
    AddStop(rim, 1, c.light, 0.95);
    cairo_set_source(cr, rim);
    cairo_set_line_width(cr, 3.2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
    cairo_restore(cr);

    PolygonPath(cr, cut.girdle);
    cairo_set_line_width(cr, 1.3);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColour(cr, Scale(c.deep, 0.7), 0.95);
    cairo_stroke(cr);
}

void DrawGloss(cairo_t* cr, const Cut& cut) {
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (const Point& p : cut.girdle) {
        x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x),
        y1 = std::max(y1, p.y);
    }
    const double w = x1 - x0, h = y1 - y0;
    cairo_save(cr);
    PolygonPath(cr, cut.girdle);
    cairo_clip(cr);
    SoftEllipse(cr, x0 + w * 0.33, y0 + h * 0.28, w * 0.2, h * 0.09, -40, kWhite, 0.7);
    cairo_restore(cr);
}

// Moonstone's blue and rose shimmer.
void DrawSheen(cairo_t* cr, const Cut& cut) {
    cairo_save(cr);
    PolygonPath(cr, cut.girdle);
    cairo_clip(cr);
    cairo_pattern_t* sheen = cairo_pattern_create_linear(10, 56, 50, 16);
    AddStop(sheen, 0.0, Rgb8(0x8FB4FF), 0.0);
    AddStop(sheen, 0.35, Rgb8(0x8FB4FF), 0.45);
    AddStop(sheen, 0.6, Rgb8(0xF0A8E0), 0.3);
    AddStop(sheen, 1.0, Rgb8(0xF0A8E0), 0.0);
    cairo_set_source(cr, sheen);
    cairo_paint(cr);
    cairo_pattern_destroy(sheen);
    cairo_restore(cr);
}

// A polished metallic dome: dark at the rim, bands of reflected sky and
// ground across it, a bright window of the light near the top left.
void DrawCabochon(cairo_t* cr, const Cut& cut, const GemColours& c) {
    cairo_save(cr);
    PolygonPath(cr, cut.girdle);
    cairo_clip(cr);
    cairo_pattern_t* dome =
        cairo_pattern_create_radial(kCentre - 7, kCentre - 9, 2, kCentre, kCentre + 2, 31);
    AddStop(dome, 0.0, c.light);
    AddStop(dome, 0.35, c.base);
    AddStop(dome, 0.8, c.deep);
    AddStop(dome, 1.0, Scale(c.deep, 0.7));
    cairo_set_source(cr, dome);
    cairo_paint(cr);
    cairo_pattern_destroy(dome);
    // The horizon reflected in polished metal: a light band over a dark one.
    cairo_pattern_t* bands = cairo_pattern_create_linear(0, 14, 0, 56);
    AddStop(bands, 0.0, c.glint, 0.0);
    AddStop(bands, 0.42, c.light, 0.0);
    AddStop(bands, 0.5, c.light, 0.55);
    AddStop(bands, 0.56, c.deep, 0.6);
    AddStop(bands, 0.75, c.deep, 0.0);
    AddStop(bands, 0.9, c.light, 0.35);
    AddStop(bands, 1.0, c.light, 0.0);
    cairo_set_source(cr, bands);
    cairo_paint(cr);
    cairo_pattern_destroy(bands);
    cairo_restore(cr);
    // Soft ridges from the corners: a pentagon dome still shows its five sides.
    Point core{0, 0};
    for (const Point& p : cut.girdle)
        core = {core.x + p.x / cut.girdle.size(), core.y + p.y / cut.girdle.size()};
    cairo_set_line_width(cr, 0.8);
    for (const Point& p : cut.girdle) {
        cairo_move_to(cr, Lerp(core, p, 0.35).x, Lerp(core, p, 0.35).y);
        cairo_line_to(cr, Lerp(core, p, 0.92).x, Lerp(core, p, 0.92).y);
    }
    SetColour(cr, c.glint, 0.18);
    cairo_stroke(cr);
}

Canvas GemFrame(const GemDesign& design) {
    const Cut cut = design.cut();
    Sheet gem(kCell, kCell);
    cairo_t* cr = gem.Begin();
    if (design.cabochon) {
        DrawCabochon(cr, cut, design.colours);
    } else {
        DrawFacets(cr, cut, design.colours);
        DrawTable(cr, cut, design.colours);
    }
    if (design.pearly) DrawSheen(cr, cut);
    DrawRims(cr, cut, design.colours);
    DrawGloss(cr, cut);
    Point glint = design.glint;
    if (glint.x == 0) {
        // The upper-left shoulder of the gem.
        double x0 = 1e9, y0 = 1e9;
        for (const Point& p : cut.girdle)
            x0 = std::min(x0, p.x), y0 = std::min(y0, p.y);
        glint = {x0 + (kCentre - x0) * 0.55, y0 + (kCentre - y0) * 0.5};
    }
    Glint(cr, glint.x, glint.y, 6.5, kWhite, 0.95);
    gem.DropShadow(1.2, 2.4, 1.8, 0.55);
    return gem.Final();
}

Canvas SkullIconFrame() {
    Sheet icon(kCell, kCell);
    DrawGoldSkull(icon, kCentre, kCentre + 1, 54);
    return icon.Final();
}

}  // namespace

Canvas GemStrip() {
    std::vector<Canvas> frames;
    for (const GemDesign& design : Designs())
        frames.push_back(GemFrame(design));
    frames.push_back(SkullIconFrame());
    return asset::Strip(frames, kCell, kCell, static_cast<int>(frames.size()));
}

// ---------------------------------------------------------------------------
// Golden skull

namespace {

constexpr Rgb kGoldLight = Rgb8(0xFFF4B8);
constexpr Rgb kGoldMid = Rgb8(0xF0BE2E);
constexpr Rgb kGoldDark = Rgb8(0x8E5A0E);
constexpr Rgb kGoldEdge = Rgb8(0x4A2608);
constexpr Rgb kSocket = Rgb8(0x3A1A08);

// The skull in a 100-unit design box centred on the origin: cranium above,
// cheeks and a short jaw below.
void SkullSilhouette(cairo_t* cr) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, -12, 40, 0, 2 * M_PI);
    RoundedRectangle(cr, -25, 4, 50, 40, 11);
}

void SkullSockets(cairo_t* cr) {
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, side * 17, 2);
        cairo_rotate(cr, side * 0.25);
        cairo_scale(cr, 12.5, 13.5);
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
    }
}

void SkullNose(cairo_t* cr) {
    cairo_move_to(cr, 0, 15);
    cairo_curve_to(cr, 2, 19, 6, 22, 4, 25);
    cairo_curve_to(cr, 2.5, 27, 0.8, 26, 0, 24.5);
    cairo_curve_to(cr, -0.8, 26, -2.5, 27, -4, 25);
    cairo_curve_to(cr, -6, 22, -2, 19, 0, 15);
    cairo_close_path(cr);
}

void SkullTeeth(cairo_t* cr) {
    cairo_move_to(cr, -18, 31);
    cairo_curve_to(cr, -8, 34, 8, 34, 18, 31);
    for (int i = -1; i <= 1; ++i) {
        cairo_move_to(cr, i * 8.5, 33.5);
        cairo_line_to(cr, i * 8.5, 41);
    }
}

}  // namespace

void DrawGoldSkull(Sheet& sheet, double cx, double cy, double height) {
    const double scale = height / 96.0;
    Sheet skull = sheet.Blank();
    cairo_t* cr = skull.Begin();
    cairo_translate(cr, cx, cy + 2 * scale);
    cairo_scale(cr, scale, scale);
    SkullSilhouette(cr);
    cairo_pattern_t* gold = cairo_pattern_create_linear(-40, -52, 35, 44);
    AddStop(gold, 0, kGoldLight);
    AddStop(gold, 0.4, kGoldMid);
    AddStop(gold, 1, kGoldDark);
    cairo_set_source(cr, gold);
    cairo_fill(cr);
    cairo_pattern_destroy(gold);
    skull.Emboss(height * 0.09, 0.9, 0.7);

    cr = skull.Begin();
    cairo_translate(cr, cx, cy + 2 * scale);
    cairo_scale(cr, scale, scale);
    // Sockets and nose: deep warm shadow, darker at the top where the brow
    // overhangs, with a tiny catch-light so the skull looks friendly.
    SkullSockets(cr);
    SkullNose(cr);
    cairo_pattern_t* hollow = cairo_pattern_create_linear(0, -12, 0, 26);
    AddStop(hollow, 0, kSocket);
    AddStop(hollow, 1, Rgb8(0x5A2E0C));
    cairo_set_source(cr, hollow);
    cairo_fill(cr);
    cairo_pattern_destroy(hollow);
    for (int side = -1; side <= 1; side += 2) {
        SoftEllipse(cr, side * 17 + 4, 7, 4, 3, 0, Rgb8(0xFFD060), 0.55);
        cairo_arc(cr, side * 17 - 3.5, -3, 2.2, 0, 2 * M_PI);
        SetColour(cr, Rgb8(0xFFF0C0), 0.9);
        cairo_fill(cr);
    }
    SkullTeeth(cr);
    cairo_set_line_width(cr, 3.0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, Rgb8(0x5A300A));
    cairo_stroke(cr);

    // Gloss on the dome.
    SoftEllipse(cr, -16, -34, 16, 8, -30, kWhite, 0.75);
    Glint(cr, -22, -36, 10, kWhite, 0.95);
    skull.RimLight(1.6, 1.6, kGoldLight, 0.8);
    skull.Outline(1.5, kGoldEdge);
    skull.DropShadow(1.2, 2.4, 1.8, 0.5);
    sheet.Draw(skull);
}

Canvas GoldSkullPiece() {
    Sheet piece(kCell, kCell);
    // A faint warm halo marks it as treasure on any tile.
    cairo_t* cr = piece.Begin();
    RadialGlow(cr, kCentre, kCentre, 31, 1.0, 0.85, 0.35, 0.35);
    DrawGoldSkull(piece, kCentre, kCentre, 56);
    return piece.Final();
}

// ---------------------------------------------------------------------------
// Locks

namespace {

constexpr Rgb kSteelLight = Rgb8(0xD8DCEA);
constexpr Rgb kSteel = Rgb8(0x8A90A6);
constexpr Rgb kSteelDark = Rgb8(0x3A3C4C);

// One chain link at the origin pointing along x; face-on links show their
// hole, edge-on links are a thin bar.
void ChainLink(cairo_t* cr, bool faceOn) {
    const double length = 12.5, width = faceOn ? 8 : 3.6;
    RoundedRectangle(cr, -length / 2, -width / 2, length, width, width / 2);
    if (faceOn) {
        cairo_new_sub_path(cr);
        RoundedRectangle(cr, -length / 2 + 2.6, -width / 2 + 2.6, length - 5.2, width - 5.2, 1.4);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    }
    cairo_pattern_t* metal = cairo_pattern_create_linear(0, -width / 2, 0, width / 2);
    AddStop(metal, 0, kSteelLight);
    AddStop(metal, 0.45, kSteel);
    AddStop(metal, 1, kSteelDark);
    cairo_set_source(cr, metal);
    cairo_fill(cr);
    cairo_pattern_destroy(metal);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

void Chain(cairo_t* cr, Point from, Point to) {
    const double angle = std::atan2(to.y - from.y, to.x - from.x);
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    constexpr double kPitch = 9.0;
    const int links = static_cast<int>(length / kPitch);
    for (int i = 0; i <= links; ++i) {
        const double t = (links == 0) ? 0.5 : static_cast<double>(i) / links;
        cairo_save(cr);
        cairo_translate(cr, from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t);
        cairo_rotate(cr, angle);
        ChainLink(cr, i % 2 == 0);
        cairo_restore(cr);
    }
}

void Padlock(Sheet& sheet, double cx, double cy, double tilt) {
    Sheet lock = sheet.Blank();
    cairo_t* cr = lock.Begin();
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, tilt);
    // Shackle: a steel arch behind the body.
    cairo_arc(cr, 0, -6, 7, M_PI, 2 * M_PI);
    cairo_line_to(cr, 7, 0);
    cairo_move_to(cr, -7, 0);
    cairo_line_to(cr, -7, -6);
    cairo_set_line_width(cr, 3.4);
    SetColour(cr, kSteel);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 1.2);
    SetColour(cr, kSteelLight, 0.9);
    cairo_stroke(cr);
    // Body: antique brass.
    RoundedRectangle(cr, -11, -3, 22, 18, 4);
    cairo_pattern_t* brass = cairo_pattern_create_linear(-11, -3, 11, 15);
    AddStop(brass, 0, Rgb8(0xFFE9A0));
    AddStop(brass, 0.45, Rgb8(0xD9A032));
    AddStop(brass, 1, Rgb8(0x7A4A12));
    cairo_set_source(cr, brass);
    cairo_fill(cr);
    cairo_pattern_destroy(brass);
    lock.Emboss(2.0, 0.8, 0.6);
    cr = lock.Begin();
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, tilt);
    // Keyhole.
    cairo_arc(cr, 0, 4.5, 2.4, 0, 2 * M_PI);
    cairo_move_to(cr, -1.3, 5.5);
    cairo_line_to(cr, 1.3, 5.5);
    cairo_line_to(cr, 1.9, 11);
    cairo_line_to(cr, -1.9, 11);
    cairo_close_path(cr);
    SetColour(cr, Rgb8(0x2A1606));
    cairo_fill(cr);
    Glint(cr, -6.5, 0.5, 4.5, kWhite, 0.9);
    lock.Outline(1.0, kOutline, 0.9);
    lock.DropShadow(1.0, 2.0, 1.5, 0.55);
    sheet.Draw(lock);
}

}  // namespace

Canvas LockOverlay(int variant) {
    Sheet overlay(kCell, kCell);
    Sheet chains = overlay.Blank();
    cairo_t* cr = chains.Begin();
    if (variant == 1) {
        Chain(cr, {5, 5}, {61, 61});
        Chain(cr, {61, 5}, {5, 61});
    } else {
        Chain(cr, {2, 24}, {64, 40});
        Chain(cr, {40, 2}, {26, 64});
    }
    chains.Outline(0.9, kOutline, 0.85);
    chains.DropShadow(1.0, 2.0, 1.5, 0.5);
    overlay.Draw(chains);
    if (variant == 1) {
        Padlock(overlay, kCentre, kCentre + 2, 0.0);
    } else {
        Padlock(overlay, kCentre + 1, kCentre + 3, 0.18);
    }
    return overlay.Final();
}

}  // namespace board
