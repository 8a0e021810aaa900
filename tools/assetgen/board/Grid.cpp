// Cell tiles (plain, one golden armour layer, two silver layers), the rock
// boulders, the glows under bonuses and magic gems, the selection cursor and
// the mouse pointer.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "Board.h"
#include "assetkit/Random.h"

namespace board {
namespace {

using asset::style::Rgb8;

constexpr double kCentre = kCell / 2.0;

constexpr Rgb kTileLight = Rgb8(0x2E3466);
constexpr Rgb kTileDark = Rgb8(0x171A38);
constexpr Rgb kMoonEdge = Rgb8(0x9AA4E0);
constexpr Rgb kGoldLight = Rgb8(0xFFF0A8);
constexpr Rgb kGold = Rgb8(0xE8B530);
constexpr Rgb kGoldDeep = Rgb8(0x8A5A14);
constexpr Rgb kSilverLight = Rgb8(0xFFFFFF);
constexpr Rgb kSilver = Rgb8(0xC4CCE4);
constexpr Rgb kSilverDeep = Rgb8(0x6A7394);

// The slate every tile starts from; tiles leave a one-pixel gutter so the
// grid reads between neighbouring cells.
void DrawSlate(Sheet& tile) {
    Sheet slate = tile.Blank();
    cairo_t* cr = slate.Begin();
    RoundedRectangle(cr, 1, 1, kCell - 2, kCell - 2, 5);
    cairo_pattern_t* body = LitGradient(1, 1, kCell - 1, kCell - 1, kTileLight,
                                        Mix(kTileLight, kTileDark, 0.5), kTileDark);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    // A soft pool of moonlight in the middle lifts the gems off the slate.
    RadialGlow(cr, kCentre - 3, kCentre - 3, 30, 0.32, 0.36, 0.6, 0.35);
    slate.Grain(6, 0.08, "slate");
    slate.Emboss(2.0, 0.5, 0.5);
    slate.RimLight(-1.0, -1.0, kMoonEdge, 0.35);
    slate.Fade(0.86);
    tile.Draw(slate);
}

// A plate of armour over the slate: `inset` from the cell edge, its
// colours, and an emboss depth that makes thicker plates look heavier.
struct Plate {
    double inset;
    Rgb light, mid, deep;
    double alpha;
    double bevel;
};

Sheet PlateLayer(const Sheet& like, const Plate& plate, const char* grainSeed) {
    Sheet layer = like.Blank();
    cairo_t* cr = layer.Begin();
    const double size = kCell - 2 * plate.inset;
    RoundedRectangle(cr, plate.inset, plate.inset, size, size, 6);
    cairo_pattern_t* body = LitGradient(plate.inset, plate.inset, plate.inset + size,
                                        plate.inset + size, plate.light, plate.mid, plate.deep);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    layer.Grain(4, 0.12, grainSeed);
    layer.Emboss(plate.bevel, 1.0, 0.8);
    layer.RimLight(-1.2, -1.2, kWhite, 0.6);
    layer.RimLight(1.0, 1.0, plate.light, 0.45);
    layer.Fade(plate.alpha);
    return layer;
}

// Domed rivets holding the plate down, `perSide` along each edge at
// `inset` from it (corners included): armour, not ice.
void Rivets(cairo_t* cr, double inset, int perSide, Rgb light, Rgb deep) {
    std::vector<Point> heads;
    const double span = kCell - 2 * inset;
    for (int side = 0; side < 4; ++side) {
        for (int k = 0; k < perSide; ++k) {
            const double t = perSide > 1 ? double(k) / (perSide - 1) : 0.5;
            const double along = inset + span * t;
            const Point p = side == 0   ? Point{along, inset}
                            : side == 1 ? Point{kCell - inset, along}
                            : side == 2 ? Point{kCell - along, kCell - inset}
                                        : Point{inset, kCell - along};
            // Corners are shared by two sides.
            if (k == perSide - 1) continue;
            heads.push_back(p);
        }
    }
    for (const Point& p : heads) {
        cairo_pattern_t* dome =
            cairo_pattern_create_radial(p.x - 0.8, p.y - 0.8, 0.2, p.x, p.y, 2.3);
        AddStop(dome, 0, light);
        AddStop(dome, 0.6, Mix(light, deep, 0.5));
        AddStop(dome, 1, deep);
        cairo_arc(cr, p.x, p.y, 2.2, 0, 2 * M_PI);
        cairo_set_source(cr, dome);
        cairo_fill(cr);
        cairo_pattern_destroy(dome);
    }
}

// Engraved corner flourishes that stay visible around the gem.
void CornerOrnaments(cairo_t* cr, double inset, Rgb colour, double alpha) {
    for (int corner = 0; corner < 4; ++corner) {
        cairo_save(cr);
        cairo_translate(cr, kCentre, kCentre);
        cairo_rotate(cr, corner * M_PI / 2);
        cairo_translate(cr, -kCentre + inset, -kCentre + inset);
        cairo_move_to(cr, 0, 9);
        cairo_curve_to(cr, 0, 3, 3, 0, 9, 0);
        cairo_move_to(cr, 3.5, 3.5);
        cairo_arc(cr, 3.5, 3.5, 1.3, 0, 2 * M_PI);
        cairo_restore(cr);
    }
    cairo_set_line_width(cr, 1.1);
    SetColour(cr, colour, alpha);
    cairo_stroke(cr);
}

constexpr Plate kGoldPlate{2.5, kGoldLight, kGold, kGoldDeep, 0.9, 3.0};
constexpr Plate kSilverPlate{2.0, kSilverLight, kSilver, kSilverDeep, 0.92, 3.5};
constexpr Plate kSilverInner{8.5, kSilverLight, Rgb8(0xD8DEF0), Rgb8(0x8890B0), 0.75, 2.5};

Sheet GoldLayer() {
    Sheet tile(kCell, kCell);
    Sheet plate = PlateLayer(tile, kGoldPlate, "gold plate");
    cairo_t* cr = plate.Begin();
    // One plate: a rivet in each corner.
    Rivets(cr, 6.5, 2, kGoldLight, kGoldDeep);
    CornerOrnaments(cr, 10, Rgb8(0x7A4A0C), 0.7);
    Glint(cr, 12, 11, 5, kWhite, 0.9);
    return plate;
}

Sheet SilverLayer() {
    Sheet tile(kCell, kCell);
    Sheet plate = PlateLayer(tile, kSilverPlate, "silver plate");
    plate.Draw(PlateLayer(tile, kSilverInner, "silver inner"));
    cairo_t* cr = plate.Begin();
    // Two plates riveted together: a ring of rivets round the edge and
    // the inner plate's bevel inside it.
    Rivets(cr, 5.5, 4, kWhite, kSilverDeep);
    CornerOrnaments(cr, 10.5, Rgb8(0x5A6384), 0.6);
    Glint(cr, 11, 10, 5.5, kWhite, 0.95);
    Glint(cr, 54, 50, 3.5, kWhite, 0.7);
    return plate;
}

}  // namespace

Canvas EmptyTile() {
    Sheet tile(kCell, kCell);
    DrawSlate(tile);
    return tile.Final();
}

Canvas IceTile() {
    Sheet tile(kCell, kCell);
    DrawSlate(tile);
    tile.Draw(GoldLayer());
    return tile.Final();
}

Canvas SnowTile() {
    Sheet tile(kCell, kCell);
    DrawSlate(tile);
    tile.Draw(SilverLayer());
    return tile.Final();
}

Canvas GoldLayerParticle() {
    return GoldLayer().Final();
}
Canvas SilverLayerParticle() {
    return SilverLayer().Final();
}

// ---------------------------------------------------------------------------
// Rocks: a solid boulder over the cell. The game draws only the rock over a
// rocked gem, so the boulder must cover the whole gem. All three pictures
// share one outline and one set of facets: a hit reads as the same boulder
// cracking rather than being swapped for another.

namespace {

constexpr int kRockSize = 70;
constexpr double kRockCentre = kRockSize / 2.0;
constexpr double kBoulderCorner = 33;  // corners; the flat faces sit closer in
constexpr int kBoulderCorners = 8;

constexpr Rgb kStoneBone = Rgb8(0xE6DCC6);  // warm highlight under the moon
constexpr Rgb kStoneLight = Rgb8(0x9E9995);
constexpr Rgb kStoneMid = Rgb8(0x6E6A74);
constexpr Rgb kStoneShade = Rgb8(0x3E3850);  // shadows lean cool violet
constexpr Rgb kStoneBounce = Rgb8(0x8C80BC);
constexpr Rgb kCrackDark = Rgb8(0x1C1626);

Point OnBoulder(double angle, double radius) {
    // A little squat, as if resting on the slate.
    return {kRockCentre + radius * std::cos(angle), kRockCentre + 0.95 * radius * std::sin(angle)};
}

Point Lerp(Point a, Point b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// Corner angles and radii, jittered so the facets are not a regular polygon.
struct Corner {
    double angle, radius;
};

std::vector<Corner> BoulderCorners() {
    asset::Rng rng(asset::SeedOf("boulder corners"));
    std::vector<Corner> corners;
    for (int i = 0; i < kBoulderCorners; ++i) {
        const double angle = 2 * M_PI * (i + rng.Range(-0.22, 0.22)) / kBoulderCorners;
        corners.push_back({angle, kBoulderCorner * rng.Range(0.95, 1.02)});
    }
    return corners;
}

// A polygon with straight middles and rounded corners: cut stone, worn.
void RoundedPolygon(cairo_t* cr, const std::vector<Point>& points, double rounding) {
    const size_t n = points.size();
    for (size_t i = 0; i <= n; ++i) {
        const Point corner = points[i % n];
        const Point in = Lerp(corner, points[(i + n - 1) % n], rounding);
        const Point out = Lerp(corner, points[(i + 1) % n], rounding);
        if (i == 0) {
            cairo_move_to(cr, out.x, out.y);
            continue;
        }
        cairo_line_to(cr, in.x, in.y);
        const Point c1 = Lerp(in, corner, 2.0 / 3), c2 = Lerp(out, corner, 2.0 / 3);
        cairo_curve_to(cr, c1.x, c1.y, c2.x, c2.y, out.x, out.y);
    }
    cairo_close_path(cr);
}

void BoulderBody(Sheet& rock, const std::vector<Corner>& corners) {
    std::vector<Point> outline;
    for (const Corner& c : corners)
        outline.push_back(OnBoulder(c.angle, c.radius));
    cairo_t* cr = rock.Begin();
    RoundedPolygon(cr, outline, 0.3);
    // Round shading first; the facets only tilt it plane by plane.
    cairo_pattern_t* body = cairo_pattern_create_radial(kRockCentre - 11, kRockCentre - 13, 1,
                                                        kRockCentre - 3, kRockCentre - 3, 42);
    AddStop(body, 0, Mix(kStoneLight, kStoneBone, 0.3));
    AddStop(body, 0.3, kStoneLight);
    AddStop(body, 0.62, kStoneMid);
    AddStop(body, 1, kStoneShade);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    // Moonlight pooling on the shoulder nearest the light.
    SoftEllipse(cr, kRockCentre - 9, kRockCentre - 11, 13, 8, -35, kStoneBone, 0.3);
}

// How much a plane whose outward direction is `angle` faces the moon.
double Facing(double angle) {
    return std::cos(angle) * asset::style::kLightX + std::sin(angle) * asset::style::kLightY;
}

// Worn ridges between the planes catch the light: a thin bone line along
// each, brighter where the ridge runs towards the moon.
void Ridges(cairo_t* cr, const std::vector<Corner>& corners, const std::vector<Point>& crown) {
    const size_t n = corners.size();
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 0.7);
    for (size_t i = 0; i < n; ++i) {
        const Point rim = OnBoulder(corners[i].angle, corners[i].radius);
        const double lit = 0.5 + 0.5 * Facing(corners[i].angle);
        cairo_move_to(cr, crown[i].x, crown[i].y);
        cairo_line_to(cr, rim.x, rim.y);
        SetColour(cr, kStoneBone, 0.1 + 0.3 * lit);
        cairo_stroke(cr);
    }
    PolygonPath(cr, crown);
    SetColour(cr, kStoneBone, 0.22);
    cairo_stroke(cr);
}

// Flat planes between a crown on top and the corners: each is lightened or
// darkened as a whole by where it faces, which is what makes it read as
// chipped stone rather than a smooth pebble.
void Facets(Sheet& rock, const std::vector<Corner>& corners) {
    asset::Rng rng(asset::SeedOf("boulder facets"));
    std::vector<Point> crown;
    for (const Corner& c : corners) {
        const Point p = OnBoulder(c.angle, c.radius * rng.Range(0.4, 0.5));
        crown.push_back({p.x - 1.5, p.y - 2});  // the crown leans towards the light
    }
    Sheet planes = rock.Blank();
    cairo_t* cr = planes.Begin();
    const size_t n = corners.size();
    for (size_t i = 0; i < n; ++i) {
        const Corner& a = corners[i];
        const Corner& b = corners[(i + 1) % n];
        const double span = b.angle > a.angle ? b.angle - a.angle : b.angle + 2 * M_PI - a.angle;
        const double facing = Facing(a.angle + span / 2) + rng.Range(-0.3, 0.3);
        PolygonPath(cr, {crown[i], crown[(i + 1) % n], OnBoulder(b.angle, b.radius * 1.3),
                         OnBoulder(a.angle, a.radius * 1.3)});
        facing > 0 ? SetColour(cr, kStoneBone, 0.32 * std::min(1.0, facing))
                   : SetColour(cr, kStoneShade, 0.7 * std::min(1.0, -facing));
        cairo_fill(cr);
    }
    PolygonPath(cr, crown);
    SetColour(cr, kStoneBone, 0.14);
    cairo_fill(cr);
    Ridges(cr, corners, crown);
    planes.Blur(0.35);
    planes.MaskBy(rock);
    rock.Draw(planes);
}

// Notches knocked out of the rim by the hit, cut before the emboss so the
// broken edge is shaded like the rest.
void Chip(cairo_t* cr, double angle, asset::Rng& rng) {
    const double width = rng.Range(0.2, 0.26), depth = rng.Range(6.0, 7.5);
    PolygonPath(cr, {OnBoulder(angle - width, kBoulderCorner + 3),
                     OnBoulder(angle - width * 0.4, kBoulderCorner - depth * 0.8),
                     OnBoulder(angle + width * 0.3, kBoulderCorner - depth),
                     OnBoulder(angle + width, kBoulderCorner + 3)});
    cairo_fill(cr);
}

// A jagged path from `from` to `to` that zigzags across the straight line.
std::vector<Point> Jagged(Point from, Point to, int steps, double jag, asset::Rng& rng) {
    const double nx = -(to.y - from.y), ny = to.x - from.x;
    const double length = std::hypot(nx, ny);
    std::vector<Point> points = {from};
    for (int i = 1; i < steps; ++i) {
        const double side = (i % 2 ? 1 : -1) * rng.Range(0.3, 1.0) * jag / length;
        const Point p = Lerp(from, to, (i + rng.Range(-0.25, 0.25)) / steps);
        points.push_back({p.x + nx * side, p.y + ny * side});
    }
    points.push_back(to);
    return points;
}

// Strokes a path segment by segment, tapering from `wide` to `narrow`.
void Tapered(cairo_t* cr, const std::vector<Point>& points, double wide, double narrow) {
    for (size_t i = 1; i < points.size(); ++i) {
        const double t = (i - 0.5) / (points.size() - 1);
        cairo_move_to(cr, points[i - 1].x, points[i - 1].y);
        cairo_line_to(cr, points[i].x, points[i].y);
        cairo_set_line_width(cr, wide + (narrow - wide) * t);
        cairo_stroke(cr);
    }
}

// Where a hit landed and how the boulder split: cracks run in from the rim
// to the impact point, and chips are missing from the rim.
struct CrackLayout {
    Point impact;
    double cracks[3];  // rim angles the cracks start from
    double chips[2];   // rim angles of the missing chips
    const char* seed;
};

constexpr CrackLayout kCrackLayouts[2] = {
    {{kRockCentre + 3, kRockCentre - 2}, {-1.25, 0.95, 2.75}, {-0.35, 2.15}, "rock cracks a"},
    {{kRockCentre - 4, kRockCentre + 3}, {-2.1, -0.15, 1.75}, {-1.5, 0.7}, "rock cracks b"},
};

// One pass over the crack paths: the dark split, or its lit lower-right
// wall, which sits a little down and right of it.
void CrackPass(cairo_t* cr, const std::vector<std::vector<Point>>& paths, double shift) {
    cairo_save(cr);
    cairo_translate(cr, shift, shift);
    for (size_t i = 0; i < paths.size(); ++i) {
        const bool branch = i % 2 == 1;
        Tapered(cr, paths[i], branch ? 1.3 : 2.2, 0.5);
    }
    cairo_restore(cr);
}

void Cracks(Sheet& rock, const CrackLayout& layout, asset::Rng& rng) {
    std::vector<std::vector<Point>> paths;  // main cracks and their branches, alternating
    for (double angle : layout.cracks) {
        const std::vector<Point> main =
            Jagged(OnBoulder(angle, kBoulderCorner + 2), layout.impact, 6, 2.2, rng);
        const Point fork = main[2];
        const double away = angle + M_PI + (rng.Chance(0.5) ? 0.8 : -0.8);
        const Point end = {fork.x + 9 * std::cos(away), fork.y + 9 * std::sin(away)};
        paths.push_back(main);
        paths.push_back(Jagged(fork, end, 3, 1.4, rng));
    }
    Sheet lip = rock.Blank();
    cairo_t* cr = lip.Begin();
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, kStoneBone, 0.55);
    CrackPass(cr, paths, 0.7);
    lip.MaskBy(rock);
    rock.Draw(lip);
    Sheet split = rock.Blank();
    cr = split.Begin();
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColour(cr, kCrackDark, 0.92);
    CrackPass(cr, paths, 0);
    split.MaskBy(rock);
    rock.Draw(split);
}

// Faint hairlines: an old, whole boulder is weathered but not broken.
void Hairlines(cairo_t* cr, asset::Rng& rng) {
    const double angles[] = {-0.6, 2.4};
    for (double angle : angles) {
        const Point from = OnBoulder(angle, kBoulderCorner - 4);
        const Point to = OnBoulder(angle + rng.Range(-0.5, 0.5), kBoulderCorner * 0.45);
        const std::vector<Point> path = Jagged(from, to, 4, 1.5, rng);
        cairo_move_to(cr, path[0].x, path[0].y);
        for (size_t i = 1; i < path.size(); ++i)
            cairo_line_to(cr, path[i].x, path[i].y);
    }
    cairo_set_line_width(cr, 0.6);
    SetColour(cr, kCrackDark, 0.4);
    cairo_stroke(cr);
}

// The harder rock: darker throughout and banded with denser layers, so it
// reads as heavier stone than the cracked shell, not only as mossier.
void Strata(Sheet& rock) {
    Sheet bands = rock.Blank();
    cairo_t* cr = bands.Begin();
    SetColour(cr, Rgb8(0x14101E), 0.32);
    cairo_paint(cr);
    const double rows[][2] = {{20, 4.5}, {33, 6.0}, {47, 4.0}, {57, 3.0}};
    for (const auto& row : rows) {
        const double y = row[0], thick = row[1];
        cairo_move_to(cr, -2, y + 3);
        cairo_curve_to(cr, 20, y - 3, 45, y + 4, kRockSize + 2, y - 2);
        cairo_line_to(cr, kRockSize + 2, y - 2 + thick);
        cairo_curve_to(cr, 45, y + 4 + thick, 20, y - 3 + thick, -2, y + 3 + thick);
        cairo_close_path(cr);
        SetColour(cr, Rgb8(0x241E30), 0.55);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 0.7);
        SetColour(cr, kStoneLight, 0.3);
        cairo_stroke(cr);
    }
    bands.MaskBy(rock);
    rock.Draw(bands);
}

// A cushion of moss in the upper left, where the moonlight falls: clumps
// thick at the patch's heart and thinning out along the rim.
void Moss(Sheet& rock, asset::Rng& rng) {
    Sheet moss = rock.Blank();
    cairo_t* cr = moss.Begin();
    for (int i = 0; i < 44; ++i) {
        const double spread = rng.Range(-1, 1) * rng.Range(0.3, 1);
        const double angle = M_PI * 1.22 + spread * 0.8;
        const double reach = rng.Range(0.56, 0.96) + std::abs(spread) * 0.14;
        const Point p = OnBoulder(angle, kBoulderCorner * std::min(reach, 0.96));
        const double size = rng.Range(1.8, 3.0) * (1 - std::abs(spread) * 0.45);
        cairo_arc(cr, p.x, p.y, size, 0, 2 * M_PI);
        SetColour(cr, Mix(Rgb8(0x34502F), Rgb8(0x5E7E42), rng.Uniform()));
        cairo_fill(cr);
        // A lit tuft on the top-left of each clump.
        cairo_arc(cr, p.x - size * 0.3, p.y - size * 0.35, size * 0.45, 0, 2 * M_PI);
        SetColour(cr, Rgb8(0x9CB46A), 0.55);
        cairo_fill(cr);
    }
    moss.MaskBy(rock);
    moss.Grain(1.2, 0.15, "boulder moss");
    moss.Emboss(1.5, 0.4, 0.7);
    rock.Draw(moss);
}

}  // namespace

Canvas RockOverlay(int strength, int variant) {
    const bool whole = strength >= 2;
    const CrackLayout& layout = kCrackLayouts[variant == 2 ? 1 : 0];
    asset::Rng rng(asset::SeedOf(whole ? "rock heavy" : layout.seed));
    const std::vector<Corner> corners = BoulderCorners();
    Sheet rock(kRockSize, kRockSize);
    BoulderBody(rock, corners);
    if (!whole) {
        cairo_t* cr = rock.Begin();
        cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
        SetColour(cr, kWhite);
        for (double angle : layout.chips)
            Chip(cr, angle, rng);
    }
    Facets(rock, corners);
    rock.Grain(3.0, 0.14, "boulder grain");
    rock.Grain(0.8, 0.07, "boulder speckle");
    rock.Emboss(6.0, 0.35, 0.9);
    rock.RimLight(-1.3, -1.3, kStoneBone, 0.6);
    rock.RimLight(1.0, 1.0, kStoneBounce, 0.25);
    if (whole) {
        Strata(rock);
        Hairlines(rock.Begin(), rng);
        Moss(rock, rng);
    } else {
        Cracks(rock, layout, rng);
    }
    rock.Outline(1.0, Rgb8(0x1E1A26), 0.9);
    rock.DropShadow(1.0, 2.0, 1.6, 0.55);
    return rock.Final();
}

// ---------------------------------------------------------------------------
// Glows and highlights

Canvas BonusHighlight() {
    constexpr int kSize = 90;
    const double c = kSize / 2.0;
    Sheet glow(kSize, kSize, 2);
    cairo_t* cr = glow.Begin();
    // Soft rays first, then the round glow over them.
    for (int i = 0; i < 12; ++i) {
        const double a = 2 * M_PI * i / 12 + 0.13;
        const double length = i % 2 ? 34 : 42;
        cairo_move_to(cr, c, c);
        cairo_line_to(cr, c + length * std::cos(a - 0.09), c + length * std::sin(a - 0.09));
        cairo_line_to(cr, c + length * std::cos(a + 0.09), c + length * std::sin(a + 0.09));
        cairo_close_path(cr);
    }
    cairo_pattern_t* rays = cairo_pattern_create_radial(c, c, 8, c, c, 44);
    AddStop(rays, 0, Rgb8(0xFFE27A), 0.25);
    AddStop(rays, 1, Rgb8(0xFFB040), 0.0);
    cairo_set_source(cr, rays);
    cairo_fill(cr);
    cairo_pattern_destroy(rays);
    glow.Blur(1.5);
    cr = glow.Begin();
    cairo_pattern_t* core = cairo_pattern_create_radial(c, c, 0, c, c, 40);
    AddStop(core, 0, Rgb8(0xFFE9A0), 0.5);
    AddStop(core, 0.45, Rgb8(0xFFC04A), 0.26);
    AddStop(core, 1, Rgb8(0xF08020), 0.0);
    cairo_set_source(cr, core);
    cairo_paint(cr);
    cairo_pattern_destroy(core);
    return glow.Final();
}

Canvas MagicHighlight() {
    constexpr int kSize = 80;
    const double c = kSize / 2.0;
    Sheet halo(kSize, kSize, 2);
    cairo_t* cr = halo.Begin();
    // Eight tapering rays of two lengths, so the rotation is visible.
    for (int i = 0; i < 8; ++i) {
        const double a = 2 * M_PI * i / 8;
        const double length = i % 2 ? 30 : 39, width = i % 2 ? 0.1 : 0.14;
        cairo_move_to(cr, c + 12 * std::cos(a - width * 2), c + 12 * std::sin(a - width * 2));
        cairo_line_to(cr, c + length * std::cos(a), c + length * std::sin(a));
        cairo_line_to(cr, c + 12 * std::cos(a + width * 2), c + 12 * std::sin(a + width * 2));
        cairo_close_path(cr);
    }
    cairo_pattern_t* rays = cairo_pattern_create_radial(c, c, 10, c, c, 40);
    AddStop(rays, 0, Rgb8(0xF4E8FF), 0.9);
    AddStop(rays, 0.6, Rgb8(0xB078FF), 0.45);
    AddStop(rays, 1, Rgb8(0x8040E0), 0.0);
    cairo_set_source(cr, rays);
    cairo_fill(cr);
    cairo_pattern_destroy(rays);
    halo.Blur(1.0);
    cr = halo.Begin();
    // A ring of light just outside a gem, and a faint inner wash.
    cairo_pattern_t* ring = cairo_pattern_create_radial(c, c, 14, c, c, 30);
    AddStop(ring, 0, Rgb8(0xC8A0FF), 0.12);
    AddStop(ring, 0.55, Rgb8(0xD8B8FF), 0.55);
    AddStop(ring, 1, Rgb8(0x9050F0), 0.0);
    cairo_set_source(cr, ring);
    cairo_arc(cr, c, c, 30, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(ring);
    return halo.Final();
}

Canvas MagicHighlightParticle() {
    Sheet sparkle(32, 32, 2);
    cairo_t* cr = sparkle.Begin();
    RadialGlow(cr, 16, 16, 14, 0.75, 0.6, 1.0, 0.5);
    Glint(cr, 16, 16, 14, Rgb8(0xF2E6FF), 0.95);
    return sparkle.Final();
}

Canvas SelectionCursor() {
    constexpr int kSize = 80;
    constexpr double kEdge = (kSize - kCell) / 2.0;  // where the cell starts
    Sheet frame(kSize, kSize);
    cairo_t* cr = frame.Begin();
    // A slim rounded band just outside the cell edge.
    RoundedRectangle(cr, kEdge - 3, kEdge - 3, kCell + 6, kCell + 6, 8);
    RoundedRectangle(cr, kEdge + 1, kEdge + 1, kCell - 2, kCell - 2, 5);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_pattern_t* gold = LitGradient(kEdge, kEdge, kEdge + kCell, kEdge + kCell, kGoldLight,
                                        Rgb8(0xFFD050), Rgb8(0xE09A20));
    cairo_set_source(cr, gold);
    cairo_fill(cr);
    cairo_pattern_destroy(gold);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    // Corner brackets standing proud of the band, each with a jewel.
    for (int corner = 0; corner < 4; ++corner) {
        cairo_save(cr);
        cairo_translate(cr, kSize / 2.0, kSize / 2.0);
        cairo_rotate(cr, corner * M_PI / 2);
        cairo_translate(cr, -kSize / 2.0, -kSize / 2.0);
        cairo_move_to(cr, 1.5, 24);
        cairo_line_to(cr, 1.5, 8);
        cairo_curve_to(cr, 1.5, 4, 4, 1.5, 8, 1.5);
        cairo_line_to(cr, 24, 1.5);
        cairo_line_to(cr, 20, 7);
        cairo_line_to(cr, 11, 7);
        cairo_curve_to(cr, 8.5, 7, 7, 8.5, 7, 11);
        cairo_line_to(cr, 7, 20);
        cairo_close_path(cr);
        cairo_pattern_t* bracket =
            LitGradient(1, 1, 24, 24, kGoldLight, Rgb8(0xFFC840), Rgb8(0xC88018));
        cairo_set_source(cr, bracket);
        cairo_fill(cr);
        cairo_pattern_destroy(bracket);
        cairo_arc(cr, 6.5, 6.5, 3.2, 0, 2 * M_PI);
        SetColour(cr, Rgb8(0xFFF8E8));
        cairo_fill(cr);
        cairo_restore(cr);
    }
    frame.Emboss(1.2, 0.9, 0.6);
    frame.Outline(0.9, Rgb8(0x6A3A08), 0.95);
    frame.GlowUnder(3.5, Rgb8(0xFFC040), 1.0);
    return frame.Final();
}

// ---------------------------------------------------------------------------
// Pointer

Canvas MousePointer() {
    // Hot spot (4, 0): the arrow's tip sits on that pixel.
    Sheet pointer(32, 40);
    Sheet arrow = pointer.Blank();
    cairo_t* cr = arrow.Begin();
    const std::vector<Point> shape = {{4.5, 0.6},   {4.5, 26},    {10.2, 20.8}, {14.6, 30.5},
                                      {19.2, 28.4}, {14.8, 19.2}, {22.2, 19.2}};
    PolygonPath(cr, shape);
    cairo_pattern_t* bone =
        LitGradient(4, 0, 22, 30, Rgb8(0xFFFDF4), Rgb8(0xF2E8D0), Rgb8(0xB8A888));
    cairo_set_source(cr, bone);
    cairo_fill(cr);
    cairo_pattern_destroy(bone);
    // A violet jewel set in the arrow's shoulder.
    cairo_arc(cr, 8.6, 16.5, 2.1, 0, 2 * M_PI);
    SetColour(cr, Rgb8(0x8C35D8));
    cairo_fill(cr);
    cairo_arc(cr, 8.1, 16.0, 0.8, 0, 2 * M_PI);
    SetColour(cr, Rgb8(0xF0DAFF));
    cairo_fill(cr);
    arrow.Emboss(1.2, 0.6, 0.5);
    arrow.Outline(1.1, Rgb8(0x2A1440));
    arrow.GlowUnder(1.6, Rgb8(0xB890FF), 0.7);
    pointer.Draw(arrow);
    pointer.DropShadow(1.6, 2.2, 1.2, 0.45);
    return pointer.Final();
}

}  // namespace board
