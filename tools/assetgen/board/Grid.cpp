// Cell tiles (plain, one golden armour layer, two silver layers), the rock
// shells, the glows under bonuses and magic gems, the selection cursor and
// the mouse pointer.
#include <algorithm>
#include <cmath>
#include <cstdint>

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

// Frost: a few six-armed crystals and fine needles near the edges, where
// the gem does not cover them.
void Frost(cairo_t* cr, const char* seedName, Rgb colour, double alpha) {
    asset::Rng rng(asset::SeedOf(seedName));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    const Point crystals[] = {{14, 52}, {53, 14}, {50, 55}};
    for (const Point& c : crystals) {
        const double size = rng.Range(4.5, 6.5), turn = rng.Range(0, M_PI / 3);
        for (int arm = 0; arm < 6; ++arm) {
            const double a = turn + arm * M_PI / 3;
            const double ex = c.x + std::cos(a) * size, ey = c.y + std::sin(a) * size;
            cairo_move_to(cr, c.x, c.y);
            cairo_line_to(cr, ex, ey);
            const double bx = c.x + std::cos(a) * size * 0.55, by = c.y + std::sin(a) * size * 0.55;
            for (int side = -1; side <= 1; side += 2) {
                cairo_move_to(cr, bx, by);
                cairo_line_to(cr, bx + std::cos(a + side * 0.9) * size * 0.35,
                              by + std::sin(a + side * 0.9) * size * 0.35);
            }
        }
    }
    for (int i = 0; i < 7; ++i) {
        const double along = rng.Range(8, 58), inset = rng.Range(4, 7);
        const double angle = rng.Range(-0.6, 0.6) + (i % 2 ? M_PI / 2 : 0);
        const double x = i % 2 ? inset + (i % 4 == 1 ? 0 : 66 - 2 * inset) : along;
        const double y = i % 2 ? along : inset + (i % 4 == 0 ? 0 : 66 - 2 * inset);
        const double length = rng.Range(4, 8);
        cairo_move_to(cr, x - std::cos(angle) * length, y - std::sin(angle) * length);
        cairo_line_to(cr, x + std::cos(angle) * length, y + std::sin(angle) * length);
    }
    cairo_set_line_width(cr, 0.7);
    SetColour(cr, colour, alpha);
    cairo_stroke(cr);
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
    Frost(cr, "gold frost", Rgb8(0xFFFBE0), 0.45);
    CornerOrnaments(cr, 6, Rgb8(0x7A4A0C), 0.7);
    Glint(cr, 12, 11, 5, kWhite, 0.9);
    return plate;
}

Sheet SilverLayer() {
    Sheet tile(kCell, kCell);
    Sheet plate = PlateLayer(tile, kSilverPlate, "silver plate");
    plate.Draw(PlateLayer(tile, kSilverInner, "silver inner"));
    cairo_t* cr = plate.Begin();
    Frost(cr, "silver frost", kWhite, 0.55);
    CornerOrnaments(cr, 5, Rgb8(0x5A6384), 0.6);
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
// Rocks

namespace {

constexpr int kRockSize = 70;
constexpr Rgb kStoneLight = Rgb8(0xB4B0A8);
constexpr Rgb kStoneMid = Rgb8(0x7C7872);
constexpr Rgb kStoneDark = Rgb8(0x3E3A3C);

// Radius of a rough ring edge at an angle: a base radius plus lumpy noise,
// periodic around the circle.
double Lumpy(double angle, double base, double amount, uint64_t seed) {
    constexpr int kPeriod = 12;
    const double u = angle / (2 * M_PI) * kPeriod;
    return base + amount * (2 * asset::FractalNoise(u, 0.5, seed, 3, 0.5, kPeriod) - 1);
}

void RingPath(cairo_t* cr, double cx, double cy, double outer, double inner, double roughness,
              uint64_t seed) {
    constexpr int kSteps = 72;
    for (int i = 0; i <= kSteps; ++i) {
        const double a = 2 * M_PI * i / kSteps;
        const double r = Lumpy(a, outer, roughness, seed);
        i == 0 ? cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a))
               : cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
    for (int i = kSteps; i >= 0; --i) {
        const double a = 2 * M_PI * i / kSteps;
        const double r = Lumpy(a, inner, roughness * 0.8, seed + 7);
        i == kSteps ? cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a))
                    : cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

// A jagged crack from the inner edge outwards (or across the shell).
void Crack(cairo_t* cr, double cx, double cy, double angle, double from, double to,
           asset::Rng& rng) {
    const int steps = 5;
    for (int i = 0; i <= steps; ++i) {
        const double r = from + (to - from) * i / steps;
        const double a = angle + (i == 0 || i == steps ? 0 : rng.Range(-0.12, 0.12));
        i == 0 ? cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a))
               : cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
}

struct RockStyle {
    double outer, inner, roughness;
    int cracks;
    double crackGap;  // width cut out along each crack
    bool moss;
};

void Moss(cairo_t* cr, double cx, double cy, double radius, asset::Rng& rng) {
    for (int i = 0; i < 14; ++i) {
        const double a = rng.Range(M_PI * 1.05, M_PI * 1.6);
        const double r = radius + rng.Range(-3, 2);
        const double x = cx + r * std::cos(a), y = cy + r * std::sin(a);
        const double size = rng.Range(1.8, 3.4);
        cairo_arc(cr, x, y, size, 0, 2 * M_PI);
        SetColour(cr, Mix(Rgb8(0x3F6A2C), Rgb8(0x86B04A), rng.Uniform()), 0.95);
        cairo_fill(cr);
    }
}

}  // namespace

Canvas RockOverlay(int strength, int variant) {
    const RockStyle style = strength >= 2
                                ? RockStyle{33, 15, 2.2, 2, 0.9, true}
                                : RockStyle{32, 19, 3.0, variant == 1 ? 4 : 5, 1.6, false};
    const uint64_t seed = asset::SeedOf(strength >= 2  ? "rock heavy"
                                        : variant == 1 ? "rock a"
                                                       : "rock b");
    asset::Rng rng(seed);
    const double c = kRockSize / 2.0;
    Sheet rock(kRockSize, kRockSize);
    cairo_t* cr = rock.Begin();
    RingPath(cr, c, c, style.outer, style.inner, style.roughness, seed);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_pattern_t* stone =
        LitGradient(c - 30, c - 30, c + 30, c + 30, kStoneLight, kStoneMid, kStoneDark);
    cairo_set_source(cr, stone);
    cairo_fill(cr);
    cairo_pattern_destroy(stone);
    rock.Grain(3.5, 0.22, strength >= 2 ? "rock grain heavy" : "rock grain");

    // Cracks cut through the shell so the pieces separate.
    cr = rock.Begin();
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
    const double start = rng.Range(0, 2 * M_PI);
    for (int i = 0; i < style.cracks; ++i) {
        const double angle = start + 2 * M_PI * i / style.cracks + rng.Range(-0.3, 0.3);
        Crack(cr, c, c, angle, style.inner - 3, style.outer + 4, rng);
    }
    cairo_set_line_width(cr, style.crackGap);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    cairo_stroke(cr);
    rock.Emboss(3.0, 1.0, 0.9);
    rock.RimLight(-1.2, -1.2, Rgb8(0xE8E4DA), 0.55);

    cr = rock.Begin();
    // Hairline cracks and chips on the faces.
    for (int i = 0; i < 6; ++i) {
        const double angle = rng.Range(0, 2 * M_PI);
        const double from = rng.Range(style.inner + 1, style.outer - 8);
        Crack(cr, c, c, angle, from, from + rng.Range(4, 9), rng);
    }
    cairo_set_line_width(cr, 0.8);
    SetColour(cr, Rgb8(0x2A2628), 0.7);
    cairo_stroke(cr);
    if (style.moss) Moss(cr, c, c, style.outer - 2, rng);
    rock.Outline(1.0, Rgb8(0x1E1A22), 0.9);
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
