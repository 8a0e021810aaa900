// The trees of the scene and the foreground layer. The lightning tree stands
// beside the well; the tree on the right holds the cages on its high limb.
#include <algorithm>
#include <cmath>
#include <vector>

#include "Decorations.h"
#include "Paint.h"
#include "Scene.h"
#include "Trees.h"
#include "assetkit/Random.h"

namespace asset::shop {
namespace {

constexpr Rgb kDeadWood = style::Rgb8(0x5A4E5E);
constexpr Rgb kOldBark = style::Rgb8(0x3C3244);
constexpr Rgb kBarkRim = style::Rgb8(0xA8A4DC);
constexpr Rgb kSpark = style::Rgb8(0x9AD8FF);

// Grass growing up around the foot of a tree.
void Tufts(cairo_t* cr, double x0, double x1, double y, uint64_t seed) {
    Rng rng(seed);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (double x = x0; x < x1; x += rng.Range(1.5, 3.5)) {
        const double h = rng.Range(5, 13), lean = rng.Range(-5, 5), base = y + rng.Range(-3, 3);
        cairo_move_to(cr, x, base + 2);
        cairo_curve_to(cr, x, base - h / 2, x + lean / 2, base - h, x + lean, base - h);
        SetColour(cr, Mix(style::Rgb8(0x24362C), style::Rgb8(0x6A8A68), rng.Uniform()), 0.95);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
    }
}

// ---- The lightning-split oak (picture local to (39, 0)) ----

// The two halves of the split trunk, shared by all three versions so the
// upgrades replace the tree in place.
Tree LightningOak() {
    Tree tree(6, -60, 234, 446, SeedOf("lightning oak"));
    tree.AddLimb({{156, 446}, {150, 380}, {140, 300}, {128, 236}}, 44, 30, 2, 2);
    // Left half of the split, leaning out over the well.
    tree.AddLimb({{124, 244}, {100, 190}, {84, 120}, {60, 60}, {50, -10}}, 26, 6, 5, 3);
    // Right half.
    tree.AddLimb({{138, 240}, {168, 180}, {190, 110}, {214, 40}, {222, -10}}, 24, 6, 4, 3);
    // A low crooked limb reaching left.
    tree.AddLimb({{132, 290}, {96, 276}, {60, 262}, {28, 236}, {14, 214}}, 16, 3, 3, 2);
    return tree;
}

// The charred scar down the trunk where the lightning struck.
void Scar(cairo_t* cr, double glow, Rgb colour) {
    cairo_move_to(cr, 130, 238);
    const double zig[][2] = {{136, 262}, {131, 290}, {140, 318},
                             {134, 350}, {143, 384}, {138, 410}};
    for (const auto& p : zig)
        cairo_line_to(cr, p[0], p[1]);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColour(cr, style::Rgb8(0x1A1420), 0.95);
    cairo_set_line_width(cr, 6);
    cairo_stroke_preserve(cr);
    if (glow > 0) {
        SetColour(cr, colour, 0.9 * std::min(1.0, glow));
        cairo_set_line_width(cr, 2);
        cairo_stroke_preserve(cr);
    }
    cairo_new_path(cr);
    if (glow > 0) {
        for (const auto& p : zig)
            Glow(cr, p[0], p[1], 14 * glow, colour, 0.3 * std::min(1.0, glow));
    }
}

// A jagged electric arc along points, glowing.
void Arc(Canvas& glowLayer, cairo_t* core, const std::vector<Point>& points, Rng& rng,
         double width) {
    cairo_t* g = glowLayer.Cr();
    auto trace = [&](cairo_t* cr, uint64_t seed) {
        Rng jitter(seed);
        cairo_move_to(cr, points[0].x, points[0].y);
        for (size_t i = 1; i < points.size(); ++i) {
            const Point a = points[i - 1], b = points[i];
            for (int k = 1; k <= 3; ++k) {
                const double t = k / 3.0;
                cairo_line_to(cr, a.x + (b.x - a.x) * t + jitter.Range(-5, 5),
                              a.y + (b.y - a.y) * t + jitter.Range(-5, 5));
            }
        }
    };
    const uint64_t seed = rng.Next();
    trace(g, seed);
    SetColour(g, kSpark, 1.0);
    cairo_set_line_width(g, width * 6);
    cairo_set_line_join(g, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(g);
    trace(core, seed);
    SetColour(core, style::Rgb8(0xF4FAFF), 0.95);
    cairo_set_line_width(core, width);
    cairo_set_line_join(core, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(core);
}

void PaintLightningTree(Canvas& canvas, int version) {
    const Tree tree = LightningOak();
    const Rgb bark = version == 1 ? kDeadWood : Mix(kDeadWood, style::Rgb8(0x4A4A6A), 0.4);
    canvas.Draw(PaintTree(tree, canvas.Width(), canvas.Height(),
                          {bark, kBarkRim, 2.2, 0.75, 3.5, 0.55, 0.7}),
                0, 0);
    cairo_t* cr = canvas.Cr();
    GroundShadow(cr, 170, 444, 54, 7, 0.5);
    Tufts(cr, 118, 200, 444, SeedOf("oak tufts"));
    Scar(cr, version == 1 ? 0.4 : 1.2, kSpark);
    if (version == 1) return;
    Rng rng(SeedOf("tree arcs"));
    Canvas glow(canvas.Width(), canvas.Height());
    Canvas cores(canvas.Width(), canvas.Height());
    Arc(glow, cores.Cr(), {{128, 240}, {104, 190}, {88, 130}}, rng, 1.6);
    Arc(glow, cores.Cr(), {{140, 236}, {168, 180}, {186, 120}}, rng, 1.6);
    if (version == 3) {
        Arc(glow, cores.Cr(), {{88, 130}, {66, 70}, {54, 10}}, rng, 2.0);
        Arc(glow, cores.Cr(), {{186, 120}, {210, 50}, {220, 0}}, rng, 2.0);
        Arc(glow, cores.Cr(), {{120, 284}, {70, 262}, {24, 230}}, rng, 1.7);
        Arc(glow, cores.Cr(), {{150, 440}, {140, 360}, {132, 300}}, rng, 1.8);
    }
    if (version == 3) {
        // The whole crown hums with a blue aura.
        GlowEllipse(cr, 130, 200, 110, 180, kSpark, 0.18);
    }
    glow.Blur(version == 3 ? 6 : 5);
    canvas.Draw(glow, 0, 0);
    canvas.Draw(glow, 0, 0, version == 3 ? 0.6 : 0.3);
    canvas.Draw(cores, 0, 0);
    const double sparks[][2] = {{100, 180}, {176, 150}, {60, 90}, {206, 60}, {140, 330}};
    for (int i = 0; i < (version == 3 ? 5 : 3); ++i)
        Sparkle(cr, sparks[i][0], sparks[i][1], 5, kSpark, 0.9);
}

// ---- The tree on the right (picture local to (632, 0)) ----

Tree RightTree() {
    Tree tree(10, -80, 470, 512, SeedOf("right tree"));
    // Roots spreading over the ground and tapering into it, then the trunk.
    tree.AddLimb({{286, 474}, {250, 494}, {212, 504}}, 28, 3, 0, 0);
    tree.AddLimb({{318, 474}, {352, 494}, {398, 504}}, 28, 3, 0, 0);
    tree.AddLimb({{300, 486}, {300, 500}, {294, 508}}, 30, 6, 0, 0);
    tree.AddLimb({{302, 490}, {294, 420}, {276, 320}, {262, 220}, {252, 120}}, 66, 30, 2, 2);
    // The high limb the cages hang from.
    tree.AddLimb({{254, 130}, {240, 60}, {206, 24}, {150, 18}, {96, 30}, {54, 52}}, 26, 4, 5, 2);
    // A limb over the wing's roof, and one off to the right.
    tree.AddLimb({{262, 230}, {210, 214}, {150, 200}, {90, 176}, {44, 150}}, 20, 3, 4, 2);
    tree.AddLimb({{258, 170}, {300, 120}, {350, 80}, {420, 60}}, 22, 6, 3, 2);
    tree.AddLimb({{250, 120}, {262, 60}, {280, 0}, {290, -40}}, 18, 6, 2, 2);
    return tree;
}

void Knothole(cairo_t* cr, double x, double y) {
    PaintSolid(cr, [&](cairo_t* c) { EllipsePath(c, x, y, 11, 15); },
               {style::Rgb8(0x2A2230), 0.2, 0.4, 1.2, 0, 0});
    EllipsePath(cr, x + 1, y + 1, 7, 11);
    SetColour(cr, style::Rgb8(0x0E0A16));
    cairo_fill(cr);
    for (double side : {-1.0, 1.0}) {
        Glow(cr, x + side * 3, y - 1, 5, style::Rgb8(0xFFD84A), 0.8);
        EllipsePath(cr, x + side * 3, y - 1, 1.6, 1.1);
        SetColour(cr, style::Rgb8(0xFFF0A0));
        cairo_fill(cr);
    }
}

// ---- Foreground ----

// A clump of leafy bush, lit from the top left: many small pointed leaves.
void Bush(Canvas& canvas, double cx, double cy, double rx, double ry, uint64_t seed) {
    Canvas silhouette(canvas.Width(), canvas.Height());
    cairo_t* s = silhouette.Cr();
    cairo_set_source_rgb(s, 1, 1, 1);
    Rng rng(seed);
    struct Leaf {
        double x, y, angle, size;
    };
    std::vector<Leaf> leaves;
    for (int i = 0; i < 900; ++i) {
        const double a = rng.Range(0, 2 * M_PI), d = std::sqrt(rng.Uniform());
        leaves.push_back({cx + std::cos(a) * rx * d, cy + std::sin(a) * ry * d,
                          a + rng.Range(-0.8, 0.8), rng.Range(6, 11)});
    }
    auto leafPath = [](cairo_t* c, const Leaf& leaf) {
        cairo_save(c);
        cairo_translate(c, leaf.x, leaf.y);
        cairo_rotate(c, leaf.angle);
        cairo_move_to(c, 0, 0);
        cairo_curve_to(c, leaf.size * 0.5, -leaf.size * 0.45, leaf.size * 1.2, -leaf.size * 0.2,
                       leaf.size * 1.6, 0);
        cairo_curve_to(c, leaf.size * 1.2, leaf.size * 0.2, leaf.size * 0.5, leaf.size * 0.45, 0,
                       0);
        cairo_close_path(c);
        cairo_restore(c);
    };
    for (const Leaf& leaf : leaves) {
        leafPath(s, leaf);
        cairo_fill(s);
    }
    canvas.Draw(ShadeSilhouette(silhouette, {style::Rgb8(0x1A2C24), style::Rgb8(0x88A8C0), 2.0, 0.6,
                                             5.0, 0.65, 0.55}),
                0, 0);
    // Leaves facing the moon catch a little light.
    cairo_t* cr = canvas.Cr();
    for (const Leaf& leaf : leaves) {
        const double towardsLight = -(leaf.x - cx) / rx - (leaf.y - cy) / ry;
        if (towardsLight < 0.3 || !rng.Chance(0.5)) continue;
        leafPath(cr, leaf);
        SetColour(cr, style::Rgb8(0x6A8A90), 0.18 * std::min(1.5, towardsLight));
        cairo_fill(cr);
    }
}

// A run of wrought-iron fence with spear-tipped bars.
void IronFence(cairo_t* cr, double x0, double x1, double baseY, double height, double slope) {
    const Material iron{style::Rgb8(0x2E2C3C), 0.45, 0.45, 1.2, 1.2, 0.55};
    for (double x = x0; x <= x1; x += 14) {
        const double y = baseY + (x - x0) * slope;
        PaintSolid(
            cr, [&](cairo_t* c) { cairo_rectangle(c, x - 1.8, y - height, 3.6, height); }, iron);
        PaintSolid(
            cr,
            [&](cairo_t* c) {
                PolygonPath(c,
                            {x, y - height - 10, x + 4.5, y - height + 1, x - 4.5, y - height + 1});
            },
            iron);
    }
    for (double rail : {0.82, 0.2}) {
        PaintSolid(
            cr,
            [&](cairo_t* c) {
                PolygonPath(c, {x0 - 3, baseY - height * rail, x1 + 3,
                                baseY + (x1 - x0) * slope - height * rail, x1 + 3,
                                baseY + (x1 - x0) * slope - height * rail + 5, x0 - 3,
                                baseY - height * rail + 5});
            },
            iron);
    }
}

// The dark grassy bank along the bottom of the screen, behind the list.
void Bank(cairo_t* cr) {
    auto edge = [](double x) {
        return 688 + 14 * std::sin(x / 160.0) + 22 * std::pow(std::abs(x - 512) / 512, 2) * -1 +
               8 * std::sin(x / 47.0);
    };
    cairo_move_to(cr, 0, 768);
    for (int x = 0; x <= 1024; x += 8)
        cairo_line_to(cr, x, edge(x));
    cairo_line_to(cr, 1024, 768);
    cairo_close_path(cr);
    cairo_pattern_t* earth = cairo_pattern_create_linear(0, 650, 0, 768);
    cairo_pattern_add_color_stop_rgb(earth, 0, 0.1, 0.16, 0.12);
    cairo_pattern_add_color_stop_rgb(earth, 1, 0.05, 0.07, 0.07);
    cairo_set_source(cr, earth);
    cairo_fill(cr);
    cairo_pattern_destroy(earth);
    Rng rng(SeedOf("bank grass"));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (double x = -4; x < 1030; x += rng.Range(1.5, 3.5)) {
        const double y = edge(x) + rng.Range(0, 8), h = rng.Range(8, 22), lean = rng.Range(-7, 7);
        cairo_move_to(cr, x, y + 4);
        cairo_curve_to(cr, x, y - h / 2, x + lean / 2, y - h, x + lean, y - h);
        const double lit = rng.Uniform();
        SetColour(cr, Mix(style::Rgb8(0x1A2C20), style::Rgb8(0x5A7A5A), lit * lit), 1);
        cairo_set_line_width(cr, rng.Range(1.2, 2.2));
        cairo_stroke(cr);
    }
}

}  // namespace

void DrawLightningTree1(Canvas& canvas) {
    PaintLightningTree(canvas, 1);
}
void DrawLightningTree2(Canvas& canvas) {
    PaintLightningTree(canvas, 2);
}
void DrawLightningTree3(Canvas& canvas) {
    PaintLightningTree(canvas, 3);
}

void DrawMidRightTree(Canvas& canvas) {
    const Tree tree = RightTree();
    cairo_t* cr = canvas.Cr();
    GroundShadow(cr, 320, 504, 110, 11, 0.6);
    canvas.Draw(PaintTree(tree, canvas.Width(), canvas.Height(),
                          {kOldBark, kBarkRim, 2.4, 0.7, 4.0, 0.6, 0.7}),
                0, 0);
    Knothole(cr, 286, 336);
    Tufts(cr, 200, 410, 508, SeedOf("right tree tufts"));
}

void DrawForeground(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    IronFence(cr, 0, 150, 694, 62, -0.02);
    IronFence(cr, 880, 1024, 690, 62, 0.02);
    Bush(canvas, 20, 650, 70, 60, SeedOf("bush left"));
    Bush(canvas, 1010, 640, 74, 66, SeedOf("bush right"));
    Bank(canvas.Cr());
}

}  // namespace asset::shop
