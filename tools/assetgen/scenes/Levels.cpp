// The level backgrounds: ten places of the hollow along the story, and the
// dawn of the ending. Each keeps its interest at the top, the bottom and the
// edges; the middle, where the board sits, stays dark and quiet.
#include <array>
#include <cmath>
#include <functional>
#include <string>

#include "Backdrop.h"
#include "Scenes.h"

namespace asset::scenes {

namespace {

using namespace style;

uint64_t SeedFor(int number) {
    return SeedOf(("level background " + std::to_string(number)).c_str());
}

FogSpec Clouds(Rgb color, double top, double bottom, uint64_t seed, double density = 0.35) {
    FogSpec fog;
    fog.color = color;
    fog.top = top;
    fog.bottom = bottom;
    fog.feather = 70;
    fog.density = density;
    fog.coverage = 0.45;
    fog.scale = 220;
    fog.stretch = 4;
    fog.seed = seed;
    fog.lit = 0.7;
    fog.litColor = Mix(kMoonlight, color, 0.3);
    return fog;
}

FogSpec Mist(Rgb color, double top, double bottom, uint64_t seed, double density = 0.4) {
    FogSpec fog;
    fog.color = color;
    fog.top = top;
    fog.bottom = bottom;
    fog.feather = 45;
    fog.density = density;
    fog.coverage = 0.5;
    fog.scale = 150;
    fog.stretch = 5;
    fog.seed = seed;
    return fog;
}

// Paints only where `mask` has coverage: texture and shading inside shapes.
void PaintWithin(Canvas& target, const Canvas& mask, const std::function<void(cairo_t*)>& paint) {
    Canvas inside(target.Width(), target.Height());
    paint(inside.Cr());
    inside.Reset();
    cairo_t* cr = inside.Cr();
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_IN);
    cairo_set_source_surface(cr, const_cast<Canvas&>(mask).Surface(), 0, 0);
    cairo_paint(cr);
    inside.Reset();
    target.Draw(inside, 0, 0);
}

// Light falling across a shape from the left: a moonlit side, a shadowed one.
void SideLight(cairo_t* cr, double x0, double x1, double lit, double shadow) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(x0, 0, x1, 0);
    cairo_pattern_add_color_stop_rgba(pattern, 0, kMoonlight.r, kMoonlight.g, kMoonlight.b, lit);
    cairo_pattern_add_color_stop_rgba(pattern, 0.42, kMoonlight.r, kMoonlight.g, kMoonlight.b, 0);
    cairo_pattern_add_color_stop_rgba(pattern, 0.6, 0.02, 0.02, 0.06, 0);
    cairo_pattern_add_color_stop_rgba(pattern, 1, 0.02, 0.02, 0.06, shadow);
    cairo_set_source(cr, pattern);
    cairo_paint(cr);
    cairo_pattern_destroy(pattern);
}

// A still water surface seen from above its rim: an ellipse of dark water
// with the moon's sheen, inside a lit stone lip.
void WaterInBasin(cairo_t* cr, double cx, double cy, double rx, double ry, Rgb stone) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_path_t* rim = cairo_copy_path(cr);
    FillVertical(cr, cy - ry, cy + ry, Rgb8(0x2A3358), Rgb8(0x121630));
    cairo_save(cr);
    cairo_translate(cr, cx - rx * 0.3, cy);
    cairo_scale(cr, rx * 0.35, ry * 0.5);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    SetColor(cr, kMoonlight, 0.25);
    cairo_fill(cr);
    cairo_append_path(cr, rim);
    cairo_set_line_width(cr, 2.4);
    SetColor(cr, Shade(stone, 1.35), 0.9);
    cairo_stroke(cr);
    cairo_path_destroy(rim);
}

// Glowing eyes in the dark: a pair of small lights.
void EyesInTheDark(cairo_t* cr, double x, double y, double size, Rgb color) {
    for (int side : {-1, 1}) {
        AddGlow(cr, x + side * size, y, size * 2.5, color, 0.5);
        SetColor(cr, Mix(color, kBone, 0.5));
        cairo_save(cr);
        cairo_translate(cr, x + side * size, y);
        cairo_scale(cr, size * 0.55, size * 0.4);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        cairo_fill(cr);
    }
}

// 1: the village edge, where the story starts.
Canvas VillageEdge() {
    const uint64_t seed = SeedFor(1);
    Rng rng(seed);
    Canvas canvas(kScreenWidth, kScreenHeight);
    SkyLook sky;
    sky.horizon = Mix(kViolet, kDusk, 0.55);
    sky.horizonY = 560;
    sky.moonX = 250;
    sky.moonY = 118;
    PaintNightSky(canvas, sky, seed);
    PaintFog(canvas, Clouds(Mix(kDeepBlue, kFog, 0.35), 70, 250, seed + 1));

    Layer far(kScreenWidth, kScreenHeight);
    const Hill farHill{seed + 2, 520, 28, 300};
    farHill.Fill(far.Cr());
    Church(far.Cr(), rng, 640, farHill.Y(640) + 4, 90, 120, far.PartsPtr());
    for (double x : {470.0, 530.0, 735.0, 790.0})
        Cottage(far.Cr(), rng, x, farHill.Y(x) + 4, 44, 44, far.PartsPtr());
    far.Composite(canvas, DepthLook(sky, 0.15, 430, 560));
    PaintFog(canvas, Mist(Mix(sky.horizon, kFog, 0.5), 490, 560, seed + 3, 0.45));

    Layer mid(kScreenWidth, kScreenHeight);
    const Hill midHill{seed + 4, 615, 26};
    midHill.Fill(mid.Cr());
    Cottage(mid.Cr(), rng, 850, midHill.Y(850) + 6, 130, 125, mid.PartsPtr());
    WoodFence(mid.Cr(), rng, 560, 770, midHill.Y(660) + 6, 34);
    Well(mid.Cr(), 480, midHill.Y(480) + 6, 44);
    LampPost(mid.Cr(), 955, midHill.Y(955) + 6, 120);
    DeadTree(mid.Cr(), rng, 330, midHill.Y(330) + 6, 230, -0.1, 6);
    mid.Composite(canvas, DepthLook(sky, 0.55, 500, 700));
    LanternLight(canvas.Cr(), 955 + 24, midHill.Y(955) + 6 - 96, 5);
    PaintFog(canvas, Mist(Mix(sky.horizon, kFog, 0.4), 650, 700, seed + 5, 0.3));

    Layer near(kScreenWidth, kScreenHeight);
    PaintGround(near, rng, 712, 16, seed + 6);
    DeadTree(near.Cr(), rng, 60, 730, 640, 0.12, 7);
    OverhangBranch(near.Cr(), rng, kScreenWidth + 10, 6, M_PI - 0.12, 300, 18, 5);
    Signpost(near.Cr(), rng, 990, 725, 95);
    near.Composite(canvas, DepthLook(sky, 1.0, 600, 768));
    Pumpkin(canvas.Cr(), 880, 752, 22, true);
    Pumpkin(canvas.Cr(), 928, 756, 14, false, 0.2);
    Pumpkin(canvas.Cr(), 200, 757, 16, true, -0.1);
    FinishLevelBackground(canvas, seed);
    return canvas;
}

// 2: the moonlit marsh: still water mirroring the sky, reeds and wisps.
Canvas MoonlitMarsh() {
    const uint64_t seed = SeedFor(2);
    Rng rng(seed);
    Canvas canvas(kScreenWidth, kScreenHeight);
    SkyLook sky;
    sky.top = Rgb8(0x0B1430);
    sky.middle = Rgb8(0x16334A);
    sky.horizon = Rgb8(0x3E6E78);
    sky.horizonY = 470;
    sky.moonX = 200;
    sky.moonY = 150;
    sky.moonRadius = 46;
    sky.land = Rgb8(0x0C1A1E);
    sky.rim = Mix(kMoonlight, Rgb8(0x9EE6D8), 0.3);
    PaintNightSky(canvas, sky, seed);
    PaintFog(canvas, Clouds(Mix(sky.middle, kFog, 0.3), 60, 220, seed + 1, 0.3));

    const double shore = 478;
    Layer far(kScreenWidth, kScreenHeight);
    const Hill treeLine{seed + 2, shore - 10, 10, 200};
    treeLine.Fill(far.Cr(), 0, kScreenWidth, shore + 1);
    for (double x = 10; x < kScreenWidth; x += rng.Range(16, 34)) {
        if (rng.Chance(0.6)) {
            Pine(far.Cr(), rng, x, treeLine.Y(x) + 4, rng.Range(35, 80), rng.Range(16, 26));
        } else {
            Bush(far.Cr(), rng, x, treeLine.Y(x) + 4, rng.Range(30, 60), rng.Range(14, 26));
        }
    }
    far.Composite(canvas, DepthLook(sky, 0.2, 380, shore));
    MirrorWater(canvas, shore, kScreenHeight, Rgb8(0x0C2230), 0.35, seed + 3);
    PaintFog(canvas, Mist(Mix(sky.horizon, kFog, 0.5), 440, 520, seed + 4, 0.5));

    Layer mid(kScreenWidth, kScreenHeight);
    // Little islands with crooked trees.
    for (const auto& island : {std::pair{820.0, 560.0}, std::pair{300.0, 590.0}}) {
        cairo_t* cr = mid.Cr();
        cairo_save(cr);
        cairo_translate(cr, island.first, island.second);
        cairo_scale(cr, 110, 14);
        cairo_arc(cr, 0, 0, 1, M_PI, 2 * M_PI);
        cairo_restore(cr);
        cairo_fill(cr);
        DeadTree(cr, rng, island.first + 10, island.second - 4, island.first > 500 ? 250 : 180,
                 0.15, 6);
        Reeds(cr, rng, island.first - 90, island.first + 80, island.second + 1, 40, 22);
    }
    mid.Reflect(canvas, 690, 950, 560, Rgb8(0x0A1820), 0.45);
    mid.Reflect(canvas, 180, 420, 590, Rgb8(0x0A1820), 0.45);
    mid.Composite(canvas, DepthLook(sky, 0.55, 420, 600));
    PaintFog(canvas, Mist(Mix(sky.horizon, kFog, 0.4), 560, 640, seed + 5, 0.35));

    // Will-o'-wisps drifting over the water, and their reflections.
    const Rgb wisp = Rgb8(0x9CF2D2);
    for (const auto& w : {std::array{560.0, 520.0, 5.0}, std::array{660.0, 470.0, 4.0},
                          std::array{410.0, 545.0, 3.5}, std::array{930.0, 500.0, 4.5}}) {
        Wisp(canvas.Cr(), w[0], w[1], w[2], wisp);
        AddGlow(canvas.Cr(), w[0], 2 * shore - w[1] + 40, w[2] * 4, wisp, 0.12);
    }

    Layer near(kScreenWidth, kScreenHeight);
    cairo_t* cr = near.Cr();
    // Banks of reeds at both sides and a broken boardwalk at the bottom left.
    Hill bank{seed + 6, 748, 12, 120};
    bank.Fill(cr, 0, 260);
    bank.Fill(cr, 820, kScreenWidth);
    Reeds(cr, rng, 0, 250, 750, 170, 60);
    Reeds(cr, rng, 830, kScreenWidth, 750, 190, 60);
    for (int i = 0; i < 7; ++i) {
        const double px = 230 + i * 46;
        cairo_rectangle(cr, px, 724 + rng.Range(-3, 3), 40, 9);
        cairo_rectangle(cr, px + 4, 730, 6, 40);
    }
    cairo_fill(cr);
    near.Composite(canvas, DepthLook(sky, 1.0, 560, 768));
    Lantern(canvas.Cr(), 512, 700, 13, true);
    FinishLevelBackground(canvas, seed);
    return canvas;
}

// 3: the old orchard at harvest, under a low amber moon.
Canvas OldOrchard() {
    const uint64_t seed = SeedFor(3);
    Rng rng(seed);
    Canvas canvas(kScreenWidth, kScreenHeight);
    SkyLook sky;
    sky.top = Rgb8(0x0F1333);
    sky.middle = Rgb8(0x262A5E);
    sky.horizon = Rgb8(0x7A4A6E);
    sky.horizonY = 540;
    sky.moonX = 230;
    sky.moonY = 200;
    sky.moonRadius = 68;
    sky.land = Rgb8(0x111A1A);
    sky.rim = Mix(kMoonlight, kCandle, 0.35);
    PaintGradient(canvas, {{0, sky.top},
                           {0.4, sky.middle},
                           {0.7, sky.horizon},
                           {1, Mix(sky.horizon, sky.middle, 0.5)}});
    PaintStars(canvas, seed, 200, 420);
    AddGlow(canvas.Cr(), 230, 520, 520, kPumpkin, 0.14);
    PaintMoon(canvas, sky.moonX, sky.moonY, sky.moonRadius, Mix(kMoonlight, kCandle, 0.45), 1.1);
    PaintFog(canvas, Clouds(Mix(sky.middle, kDusk, 0.4), 110, 260, seed + 1, 0.35));

    Layer far(kScreenWidth, kScreenHeight);
    const Hill farHill{seed + 2, 530, 40, 340};
    farHill.Fill(far.Cr());
    for (double x = 20; x < kScreenWidth; x += rng.Range(34, 50)) {
        LeafyTree(far.Cr(), rng, x, farHill.Y(x) + 6, rng.Range(38, 52));
    }
    far.Composite(canvas, DepthLook(sky, 0.2, 450, 560));
    PaintFog(canvas, Mist(Mix(sky.horizon, kFog, 0.35), 520, 590, seed + 3, 0.4));

    Layer mid(kScreenWidth, kScreenHeight);
    const Hill midHill{seed + 4, 640, 18};
    midHill.Fill(mid.Cr());
    for (double x : {240.0, 360.0, 790.0, 905.0})
        LeafyTree(mid.Cr(), rng, x, midHill.Y(x) + 6, rng.Range(150, 190));
    Scarecrow(mid.Cr(), 600, midHill.Y(600) + 4, 130);
    WoodFence(mid.Cr(), rng, 420, 560, midHill.Y(480) + 6, 30);
    mid.Composite(canvas, DepthLook(sky, 0.6, 470, 700));
    PaintFog(canvas, Mist(Mix(sky.horizon, kFog, 0.3), 660, 720, seed + 5, 0.3));

    Layer near(kScreenWidth, kScreenHeight);
    PaintGround(near, rng, 722, 12, seed + 6);
    LeafyTree(near.Cr(), rng, 40, 760, 470);
    OverhangBranch(near.Cr(), rng, kScreenWidth + 10, 30, M_PI - 0.2, 260, 16, 4);
    near.Composite(canvas, DepthLook(sky, 1.0, 500, 768));
    // The harvest along the bottom edge.
    const double pumpkins[][4] = {{250, 757, 18, 1}, {300, 762, 12, 0}, {620, 760, 15, 0},
                                  {700, 756, 24, 1}, {760, 763, 13, 0}, {930, 756, 20, 1},
                                  {980, 763, 14, 0}};
    for (const auto& p : pumpkins)
        Pumpkin(canvas.Cr(), p[0], p[1], p[2], p[3] > 0, rng.Range(-0.15, 0.15));
    FinishLevelBackground(canvas, seed);
    return canvas;
}

// 4: the churchyard, cold and blue, a ghost by the church.
Canvas Churchyard() {
    const uint64_t seed = SeedFor(4);
    Rng rng(seed);
    Canvas canvas(kScreenWidth, kScreenHeight);
    SkyLook sky;
    sky.top = Rgb8(0x0A1030);
    sky.middle = Rgb8(0x1D2B5E);
    sky.horizon = Rgb8(0x4E6496);
    sky.horizonY = 520;
    sky.moonX = 300;
    sky.moonY = 100;
    sky.moonRadius = 44;
    sky.land = Rgb8(0x0D1226);
    PaintNightSky(canvas, sky, seed);
    PaintFog(canvas, Clouds(Mix(sky.middle, kFog, 0.35), 50, 230, seed + 1, 0.4));

    Layer far(kScreenWidth, kScreenHeight);
    const Hill farHill{seed + 2, 505, 22, 300};
    farHill.Fill(far.Cr());
    for (double x = 30; x < kScreenWidth; x += rng.Range(50, 90))
        Pine(far.Cr(), rng, x, farHill.Y(x) + 6, rng.Range(40, 70), 24);
    far.Composite(canvas, DepthLook(sky, 0.15, 430, 540));
    PaintFog(canvas, Mist(Mix(sky.horizon, kFog, 0.5), 480, 550, seed + 3, 0.45));

    Layer mid(kScreenWidth, kScreenHeight);
    const Hill midHill{seed + 4, 600, 20};
    midHill.Fill(mid.Cr());
    Church(mid.Cr(), rng, 830, midHill.Y(830) + 8, 260, 330, mid.PartsPtr());
    Graves(mid.Cr(), rng, 180, 640, midHill.Y(400) + 6, 34, 9);
    IronFence(mid.Cr(), rng, 150, 700, midHill.Y(400) + 28, 40, 11);
    DeadTree(mid.Cr(), rng, 640, midHill.Y(640) + 6, 210, 0.05, 6);
    mid.Composite(canvas, DepthLook(sky, 0.55, 300, 680));
    Ghost(canvas.Cr(), 690, 470, 70, 0.5, -8);
    PaintFog(canvas, Mist(Mix(sky.horizon, kFog, 0.5), 620, 700, seed + 5, 0.4));

    Layer near(kScreenWidth, kScreenHeight);
    PaintGround(near, rng, 722, 14, seed + 6);
    Grave(near.Cr(), GraveKind::Cross, 70, 740, 90, 160, -8);
    Grave(near.Cr(), GraveKind::Slab, 960, 745, 80, 120, 6);
    Grave(near.Cr(), GraveKind::Pointed, 880, 750, 54, 84, -5);
    DeadTree(near.Cr(), rng, 20, 740, 600, 0.15, 7);
    near.Composite(canvas, DepthLook(sky, 1.0, 560, 768));
    Candle(canvas.Cr(), 925, 752, 22);
    Candle(canvas.Cr(), 944, 756, 14);
    Lantern(canvas.Cr(), 160, 734, 14, true);
    FinishLevelBackground(canvas, seed);
    return canvas;
}

// 5: the misty forest: layered firs, moonbeams, eyes in the dark.
Canvas MistyForest() {
    const uint64_t seed = SeedFor(5);
    Rng rng(seed);
    Canvas canvas(kScreenWidth, kScreenHeight);
    SkyLook sky;
    sky.top = Rgb8(0x0A1526);
    sky.middle = Rgb8(0x1A3440);
    sky.horizon = Rgb8(0x4A6A6A);
    sky.horizonY = 560;
    sky.moonX = 170;
    sky.moonY = 90;
    sky.moonRadius = 40;
    sky.land = Rgb8(0x0A1618);
    sky.rim = Mix(kMoonlight, Rgb8(0xB8F0D0), 0.3);
    PaintNightSky(canvas, sky, seed);
    const Rgb mistColor = Mix(sky.horizon, kFog, 0.55);
    // Three ranks of firs, each lost a little more in the mist behind it.
    // Rank: base line, depth, tree height, spacing.
    const double ranks[][4] = {{500, 0.05, 130, 26}, {590, 0.35, 220, 46}, {690, 0.65, 330, 80}};
    for (int r = 0; r < 3; ++r) {
        Layer layer(kScreenWidth, kScreenHeight);
        const Hill hill{seed + 10 + r, ranks[r][0], 14, 240};
        hill.Fill(layer.Cr());
        for (double x = rng.Range(0, 30); x < kScreenWidth + 30;
             x += ranks[r][3] * rng.Range(0.8, 2.2)) {
            const double height = ranks[r][2] * rng.Range(0.55, 1.2);
            Pine(layer.Cr(), rng, x, hill.Y(x) + 8, height, height * rng.Range(0.3, 0.4));
        }
        Look look = DepthLook(sky, ranks[r][1], ranks[r][0] - ranks[r][2], ranks[r][0] + 40);
        look.rimAlpha *= 0.6;
        layer.Composite(canvas, look);
        FogSpec mist = Mist(mistColor, ranks[r][0] - 90, ranks[r][0] + 20, seed + 20 + r, 0.55);
        mist.coverage = 0.62;
        PaintFog(canvas, mist);
    }
    PaintLightShafts(canvas, 170, 90, 1.1, 0.7, 9, 900, Mix(kMoonlight, mistColor, 0.3), 0.09,
                     seed + 4);
    EyesInTheDark(canvas.Cr(), 300, 640, 4, kCandle);
    EyesInTheDark(canvas.Cr(), 860, 610, 3.5, Rgb8(0x9CF2A0));

    Layer near(kScreenWidth, kScreenHeight);
    PaintGround(near, rng, 730, 10, seed + 6);
    // Tall trunks framing both sides.
    cairo_t* cr = near.Cr();
    for (double x : {40.0, 120.0, 985.0}) {
        cairo_move_to(cr, x - 22, kScreenHeight);
        cairo_curve_to(cr, x - 12, 500, x - 14, 200, x - 8, -5);
        cairo_line_to(cr, x + 10, -5);
        cairo_curve_to(cr, x + 14, 200, x + 14, 500, x + 26, kScreenHeight);
        cairo_close_path(cr);
        cairo_fill(cr);
        OverhangBranch(cr, rng, x, rng.Range(80, 220), x < 500 ? 0.3 : M_PI - 0.3, 180, 8, 4);
    }
    near.Composite(canvas, DepthLook(sky, 1.0, 0, 768));
    Mushrooms(canvas.Cr(), rng, 230, 750, 26, Rgb8(0x7FE0C0));
    Mushrooms(canvas.Cr(), rng, 890, 754, 22, Rgb8(0xB08CFF));
    FinishLevelBackground(canvas, seed);
    return canvas;
}

// 6: the ruined mill on its hill (also behind the credits).
Canvas RuinedMill() {
    const uint64_t seed = SeedFor(6);
    Rng rng(seed);
    Canvas canvas(kScreenWidth, kScreenHeight);
    SkyLook sky;
    sky.top = Rgb8(0x120F33);
    sky.middle = Rgb8(0x2E2460);
    sky.horizon = Rgb8(0x7A5A9A);
    sky.horizonY = 560;
    sky.moonX = 330;
    sky.moonY = 150;
    sky.moonRadius = 80;
    sky.land = Rgb8(0x120F22);
    PaintNightSky(canvas, sky, seed);
    PaintFog(canvas, Clouds(Mix(sky.middle, kFog, 0.3), 180, 330, seed + 1, 0.35));

    Layer far(kScreenWidth, kScreenHeight);
    const Hill farHill{seed + 2, 560, 30, 360};
    farHill.Fill(far.Cr());
    far.Composite(canvas, DepthLook(sky, 0.2, 500, 600));
    PaintFog(canvas, Mist(Mix(sky.horizon, kFog, 0.4), 540, 610, seed + 3, 0.4));

    Layer mid(kScreenWidth, kScreenHeight);
    // The mill's hill rises on the right.
    cairo_t* cr = mid.Cr();
    cairo_move_to(cr, 420, kScreenHeight);
    cairo_curve_to(cr, 600, 620, 760, 520, 870, 515);
    cairo_curve_to(cr, 950, 512, 1000, 530, kScreenWidth + 4, 545);
    cairo_line_to(cr, kScreenWidth + 4, kScreenHeight);
    cairo_close_path(cr);
    cairo_fill(cr);
    Windmill(cr, rng, 870, 522, 360, 0.35, true, mid.PartsPtr());
    Bush(cr, rng, 700, 600, 120, 40);
    DeadTree(cr, rng, 985, 540, 150, 0.2, 5);
    const Hill midHill{seed + 4, 690, 12};
    midHill.Fill(cr, 0, 520);
    // The mill's fallen outbuilding and a leaning fence in the field.
    RuinedWall(cr, rng, 150, 300, midHill.Y(225) + 6, 70, mid.PartsPtr());
    WoodFence(cr, rng, 320, 520, midHill.Y(420) + 6, 34);
    mid.Composite(canvas, DepthLook(sky, 0.6, 300, 700));
    for (int i = 0; i < 7; ++i) {
        SetColor(canvas.Cr(), Mix(sky.land, sky.middle, 0.3));
        Bird(canvas.Cr(), 620 + rng.Range(0, 330), 180 + rng.Range(0, 160), rng.Range(16, 26));
    }
    PaintFog(canvas, Mist(Mix(sky.horizon, kFog, 0.4), 680, 740, seed + 5, 0.3));

    Layer near(kScreenWidth, kScreenHeight);
    PaintGround(near, rng, 738, 8, seed + 6);
    // Tall dry grass of the abandoned field, and an old tree at its edge.
    Grass(near.Cr(), rng, 0, kScreenWidth, 746, 60, 0.5);
    DeadTree(near.Cr(), rng, 40, 750, 560, 0.1, 7);
    near.Composite(canvas, DepthLook(sky, 1.0, 660, 768));
    FinishLevelBackground(canvas, seed);
    return canvas;
}

// 7: the crypt approach: an avenue of graves to a crypt glowing green.
Canvas CryptApproach() {
    const uint64_t seed = SeedFor(7);
    Rng rng(seed);
    Canvas canvas(kScreenWidth, kScreenHeight);
    SkyLook sky;
    sky.top = Rgb8(0x08121E);
    sky.middle = Rgb8(0x12303A);
    sky.horizon = Rgb8(0x3C7A66);
    sky.horizonY = 540;
    sky.moonX = 230;
    sky.moonY = 110;
    sky.moonRadius = 36;
    sky.land = Rgb8(0x0A1614);
    sky.rim = Mix(kMoonlight, Rgb8(0xA0FFC8), 0.35);
    PaintNightSky(canvas, sky, seed);
    PaintFog(canvas, Clouds(Mix(sky.middle, kFog, 0.3), 60, 260, seed + 1, 0.4));
    const Rgb ghostly = Rgb8(0x7CFFB0);

    Layer far(kScreenWidth, kScreenHeight);
    const Hill farHill{seed + 2, 540, 20, 300};
    farHill.Fill(far.Cr());
    for (double x = 20; x < kScreenWidth; x += rng.Range(40, 70))
        Pine(far.Cr(), rng, x, farHill.Y(x) + 6, rng.Range(60, 110), 22);
    far.Composite(canvas, DepthLook(sky, 0.15, 420, 560));
    AddGlow(canvas.Cr(), 860, 520, 260, ghostly, 0.18);
    PaintFog(canvas, Mist(Mix(sky.horizon, kFog, 0.4), 500, 580, seed + 3, 0.45));

    Layer mid(kScreenWidth, kScreenHeight);
    const Hill midHill{seed + 4, 610, 10};
    midHill.Fill(mid.Cr());
    Crypt(mid.Cr(), 860, midHill.Y(860) + 6, 190, 230, mid.PartsPtr());
    for (double x : {690.0, 1010.0})
        Pine(mid.Cr(), rng, x, midHill.Y(x) + 6, 260, 70);
    Graves(mid.Cr(), rng, 170, 640, midHill.Y(400) + 6, 30, 10);
    mid.Composite(canvas, [&] {
        Look look = DepthLook(sky, 0.55, 380, 660);
        look.glass = ghostly;
        return look;
    }());
    Wisp(canvas.Cr(), 780, 520, 4, ghostly);
    Wisp(canvas.Cr(), 950, 480, 3, ghostly);
    Wisp(canvas.Cr(), 560, 560, 3.5, ghostly);
    PaintFog(canvas, Mist(Mix(sky.horizon, kFog, 0.35), 620, 700, seed + 5, 0.45));

    Layer near(kScreenWidth, kScreenHeight);
    PaintGround(near, rng, 728, 10, seed + 6);
    IronFence(near.Cr(), rng, 0, 260, 752, 110, 22);
    IronFence(near.Cr(), rng, 800, kScreenWidth, 752, 110, 22);
    GatePillar(near.Cr(), 270, 756, 40, 160);
    GatePillar(near.Cr(), 790, 756, 40, 160);
    near.Composite(canvas, DepthLook(sky, 1.0, 560, 768));
    LanternLight(canvas.Cr(), 270, 568, 6, ghostly);
    LanternLight(canvas.Cr(), 790, 568, 6, ghostly);
    FinishLevelBackground(canvas, seed);
    return canvas;
}

// 8: the witch's garden: giant mushrooms, a crooked hut, a bubbling cauldron.
Canvas WitchGarden() {
    const uint64_t seed = SeedFor(8);
    Rng rng(seed);
    Canvas canvas(kScreenWidth, kScreenHeight);
    SkyLook sky;
    sky.top = Rgb8(0x160C30);
    sky.middle = Rgb8(0x3A1C5C);
    sky.horizon = Rgb8(0x8A4A8A);
    sky.horizonY = 540;
    sky.moonX = 210;
    sky.moonY = 120;
    sky.moonRadius = 50;
    sky.land = Rgb8(0x140E22);
    sky.rim = Mix(kMoonlight, Rgb8(0xFFB8F0), 0.25);
    PaintNightSky(canvas, sky, seed);
    PaintFog(canvas, Clouds(Mix(sky.middle, kDusk, 0.5), 140, 300, seed + 1, 0.35));

    Layer far(kScreenWidth, kScreenHeight);
    const Hill farHill{seed + 2, 540, 34, 280};
    farHill.Fill(far.Cr());
    for (double x = 30; x < kScreenWidth; x += rng.Range(60, 110))
        DeadTree(far.Cr(), rng, x, farHill.Y(x) + 6, rng.Range(50, 80), 0, 4);
    far.Composite(canvas, DepthLook(sky, 0.2, 460, 570));
    PaintFog(canvas, Mist(Mix(sky.horizon, kFog, 0.35), 520, 590, seed + 3, 0.4));

    Layer mid(kScreenWidth, kScreenHeight);
    const Hill midHill{seed + 4, 640, 16};
    cairo_t* cr = mid.Cr();
    midHill.Fill(cr);
    // The witch's hut leans; its chimney smokes.
    cairo_save(cr);
    cairo_translate(cr, 860, midHill.Y(860) + 6);
    cairo_rotate(cr, 0.06);
    Cottage(cr, rng, 0, 0, 150, 190, nullptr);
    cairo_restore(cr);
    mid.Parts().windows.push_back({800, midHill.Y(860) - 70, 26, 34, true, true});
    mid.Parts().windows.push_back({895, midHill.Y(860) - 64, 24, 30, false, true});
    WoodFence(cr, rng, 560, 760, midHill.Y(660) + 6, 40);
    Cat(cr, 700, midHill.Y(660) + 6 - 40 * 0.64, 38);
    DeadTree(cr, rng, 330, midHill.Y(330) + 6, 220, -0.2, 6);
    mid.Composite(canvas, [&] {
        Look look = DepthLook(sky, 0.6, 420, 700);
        look.glass = Mix(kCandle, Rgb8(0x9CFF9C), 0.4);
        return look;
    }());
    EyesInTheDark(canvas.Cr(), 700 + 38 * 0.2, midHill.Y(660) + 6 - 40 * 0.64 - 38 * 0.8, 2.2,
                  Rgb8(0xC8FF60));
    Mushrooms(canvas.Cr(), rng, 470, midHill.Y(470) + 8, 46, Rgb8(0xD07AFF));
    PaintFog(canvas, Mist(Mix(sky.horizon, kFog, 0.3), 670, 730, seed + 5, 0.3));

    Layer near(kScreenWidth, kScreenHeight);
    PaintGround(near, rng, 730, 12, seed + 6);
    Bush(near.Cr(), rng, 120, 740, 240, 80);
    OverhangBranch(near.Cr(), rng, -10, 20, 0.15, 280, 16, 4);
    near.Composite(canvas, DepthLook(sky, 1.0, 560, 768));
    Cauldron(canvas.Cr(), 930, 764, 90, Rgb8(0x7CFF6A));
    Mushrooms(canvas.Cr(), rng, 250, 756, 44, Rgb8(0xFF7AD8));
    Mushrooms(canvas.Cr(), rng, 790, 758, 26, Rgb8(0x7AE0FF));
    Pumpkin(canvas.Cr(), 660, 760, 16, true, 0.1);
    FinishLevelBackground(canvas, seed);
    return canvas;
}

// 9: the manor grounds: hedges, lamps and the manor far up the avenue.
Canvas ManorGrounds() {
    const uint64_t seed = SeedFor(9);
    Rng rng(seed);
    Canvas canvas(kScreenWidth, kScreenHeight);
    SkyLook sky;
    sky.top = Rgb8(0x0A0E28);
    sky.middle = Rgb8(0x1E2456);
    sky.horizon = Rgb8(0x5A4C8A);
    sky.horizonY = 500;
    sky.moonX = 260;
    sky.moonY = 130;
    sky.moonRadius = 58;
    PaintNightSky(canvas, sky, seed);
    // Gathering storm clouds.
    FogSpec storm = Clouds(Mix(sky.middle, kIron, 0.4), 20, 300, seed + 1, 0.6);
    storm.coverage = 0.55;
    PaintFog(canvas, storm);

    Layer far(kScreenWidth, kScreenHeight);
    const Hill farHill{seed + 2, 480, 26, 300};
    farHill.Fill(far.Cr());
    Manor(far.Cr(), rng, 800, farHill.Y(800) + 6, 300, 220, far.PartsPtr());
    far.Composite(canvas, DepthLook(sky, 0.25, 280, 520));
    PaintFog(canvas, Mist(Mix(sky.horizon, kFog, 0.4), 470, 540, seed + 3, 0.4));

    Layer mid(kScreenWidth, kScreenHeight);
    const Hill midHill{seed + 4, 620, 8};
    midHill.Fill(mid.Cr());
    mid.Composite(canvas, DepthLook(sky, 0.6, 480, 680));

    // Clipped yew hedges: dark leaves, their crowns catching the moon.
    Layer hedges(kScreenWidth, kScreenHeight);
    const double hedgeLeft = midHill.Y(200) + 6, hedgeRight = midHill.Y(800) + 6;
    Hedge(hedges.Cr(), rng, 0, 420, hedgeLeft, 60);
    Hedge(hedges.Cr(), rng, 640, kScreenWidth, hedgeRight, 60);
    Look leafy = DepthLook(sky, 0.7, hedgeLeft - 64, hedgeLeft);
    leafy.upper = Mix(leafy.upper, Rgb8(0x35584A), 0.55);
    leafy.lower = Mix(leafy.lower, Rgb8(0x101C18), 0.5);
    leafy.rimAlpha = 0.55;
    leafy.rimWidth = 1.6;
    hedges.Composite(canvas, leafy);
    PaintWithin(canvas, hedges.Art(), [&](cairo_t* cr) {
        Rng leaves(seed + 20);
        for (int i = 0; i < 3200; ++i) {
            const double x = leaves.Range(0, kScreenWidth);
            const double base = x < 530 ? hedgeLeft : hedgeRight;
            const double y = leaves.Range(base - 66, base);
            const double depth = Clamp01((y - (base - 60)) / 60);  // 0 at the crown
            const bool lit = leaves.Chance(0.8 - 0.75 * depth);
            if (lit) {
                SetColor(cr, Mix(Rgb8(0x7FA896), kMoonlight, 0.3 * (1 - depth)),
                         leaves.Range(0.1, 0.3) * (1 - 0.6 * depth));
            } else {
                SetColor(cr, Rgb8(0x08120E), leaves.Range(0.25, 0.5));
            }
            const double r = leaves.Range(1.6, 3.4);
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_rotate(cr, leaves.Range(0, M_PI));
            cairo_scale(cr, r, r * 0.6);
            cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
            cairo_restore(cr);
            cairo_fill(cr);
        }
        // The foot of the hedge in its own shade.
        for (double base : {hedgeLeft, hedgeRight}) {
            cairo_rectangle(cr, 0, base - 22, kScreenWidth, 24);
            cairo_pattern_t* foot = cairo_pattern_create_linear(0, base - 22, 0, base);
            cairo_pattern_add_color_stop_rgba(foot, 0, 0.02, 0.03, 0.04, 0);
            cairo_pattern_add_color_stop_rgba(foot, 1, 0.02, 0.03, 0.04, 0.55);
            cairo_set_source(cr, foot);
            cairo_fill(cr);
            cairo_pattern_destroy(foot);
        }
    });

    // The fountain: weathered stone lit from the left, moonlit water in its
    // basin and bowl.
    const double fx = 530, fy = midHill.Y(530) + 8, fw = 190;
    ContactShadow(canvas, fx + 6, fy, fw * 0.55, 9, 0.7);
    Layer fountain(kScreenWidth, kScreenHeight);
    Fountain(fountain.Cr(), fx, fy, fw);
    const Rgb stone = Mix(kStone, sky.middle, 0.45);
    Look stoneLook = DepthLook(sky, 0.5, fy - fw * 0.7, fy);
    stoneLook.upper = Mix(stone, kFog, 0.15);
    stoneLook.lower = Shade(stone, 0.55);
    stoneLook.rim = kMoonlight;
    stoneLook.rimAlpha = 0.65;
    stoneLook.rimWidth = 1.8;
    fountain.Composite(canvas, stoneLook);
    PaintWithin(canvas, fountain.Art(), [&](cairo_t* cr) {
        SideLight(cr, fx - fw * 0.5, fx + fw * 0.5, 0.28, 0.55);
        // Weathering: lichen and pits.
        Rng pits(seed + 21);
        for (int i = 0; i < 700; ++i) {
            const double x = fx + pits.Range(-fw / 2, fw / 2), y = fy - pits.Range(0, fw * 0.72);
            const bool lichen = pits.Chance(0.4);
            SetColor(cr, lichen ? Rgb8(0x7E9A7A) : Rgb8(0x0C0E18), pits.Range(0.1, 0.3));
            cairo_arc(cr, x, y, pits.Range(0.6, 1.8), 0, 2 * M_PI);
            cairo_fill(cr);
        }
        // The basin's courses of dressed stone.
        cairo_set_line_width(cr, 1.2);
        SetColor(cr, Rgb8(0x0A0C18), 0.5);
        for (double course : {0.1, 0.05}) {
            cairo_move_to(cr, fx - fw / 2, fy - fw * course);
            cairo_line_to(cr, fx + fw / 2, fy - fw * course);
        }
        for (double joint : {-0.36, -0.18, 0.0, 0.18, 0.36}) {
            cairo_move_to(cr, fx + fw * joint, fy - fw * 0.15);
            cairo_line_to(cr, fx + fw * joint, fy - fw * 0.1);
            cairo_move_to(cr, fx + fw * (joint + 0.09), fy - fw * 0.1);
            cairo_line_to(cr, fx + fw * (joint + 0.09), fy - fw * 0.05);
        }
        cairo_stroke(cr);
    });
    WaterInBasin(canvas.Cr(), fx, fy - fw * 0.175, fw * 0.47, fw * 0.035, stone);
    WaterInBasin(canvas.Cr(), fx, fy - fw * 0.555, fw * 0.29, fw * 0.025, stone);

    // Iron lamp posts, lit by their own lanterns.
    Layer lamps(kScreenWidth, kScreenHeight);
    for (double x : {400.0, 660.0}) {
        ContactShadow(canvas, x + 4, midHill.Y(x) + 6, 14, 4, 0.7);
        LampPost(lamps.Cr(), x, midHill.Y(x) + 6, 130);
    }
    Look iron = DepthLook(sky, 0.9, 480, 640);
    iron.upper = Rgb8(0x262838);
    iron.lower = Rgb8(0x11121C);
    iron.rim = Mix(kCandle, kMoonlight, 0.5);
    iron.rimAlpha = 0.6;
    iron.rimWidth = 1.4;
    lamps.Composite(canvas, iron);
    PaintWithin(canvas, lamps.Art(), [&](cairo_t* cr) {
        for (double x : {400.0, 660.0}) {
            // A bright line down the lit side of the post, warm near the lamp.
            const double top = midHill.Y(x) + 6 - 130;
            cairo_rectangle(cr, x - 3.2, top, 1.6, 130);
            FillVertical(cr, top, top + 130, Mix(kCandle, kMoonlight, 0.3), kFog, 0.5);
        }
    });
    for (double x : {400.0, 660.0}) {
        const double ground = midHill.Y(x) + 6;
        // The lantern's warm pool on the ground.
        cairo_t* cr = canvas.Cr();
        cairo_save(cr);
        cairo_translate(cr, x + 20, ground);
        cairo_scale(cr, 1, 0.25);
        AddGlow(cr, 0, 0, 60, kCandle, 0.16);
        cairo_restore(cr);
        LanternLight(cr, x + 26, ground - 104, 5);
    }
    {
        // The fountain still plays: thin arcs of moonlit water.
        cairo_t* water = canvas.Cr();
        const double bowlY = fy - fw * 0.55;
        cairo_save(water);
        cairo_set_line_width(water, 1.6);
        SetColor(water, kMoonlight, 0.4);
        for (int side : {-1, 1}) {
            for (double spread : {0.22, 0.3}) {
                cairo_move_to(water, fx, bowlY - 18);
                cairo_curve_to(water, fx + side * fw * spread * 0.5, bowlY - 40,
                               fx + side * fw * spread, bowlY - 10,
                               fx + side * fw * (spread + 0.12), bowlY + 70);
            }
        }
        cairo_stroke(water);
        AddGlow(water, fx, bowlY - 20, 40, kMoonlight, 0.15);
        cairo_restore(water);
    }
    PaintFog(canvas, Mist(Mix(sky.horizon, kFog, 0.35), 650, 720, seed + 5, 0.3));

    Layer near(kScreenWidth, kScreenHeight);
    PaintGround(near, rng, 732, 8, seed + 6);
    GatePillar(near.Cr(), 50, 770, 70, 330, false);
    GatePillar(near.Cr(), 975, 770, 70, 330, false);
    IronFence(near.Cr(), rng, 80, 250, 760, 150, 20);
    IronFence(near.Cr(), rng, 780, 945, 760, 150, 20);
    near.Composite(canvas, DepthLook(sky, 1.0, 380, 768));
    Lantern(canvas.Cr(), 50, 400, 16, true);
    Lantern(canvas.Cr(), 975, 400, 16, true);
    FinishLevelBackground(canvas, seed);
    return canvas;
}

// 10 and 11: the manor itself, by night and at the dawn of the ending. The
// two share their layout so the night dissolves into the morning.
Canvas TheManor(bool dawn) {
    const uint64_t seed = SeedFor(10);
    Rng rng(seed);
    Canvas canvas(kScreenWidth, kScreenHeight);
    SkyLook sky;
    if (dawn) {
        sky.top = Rgb8(0x3A4C8A);
        sky.middle = Rgb8(0x9A7AB0);
        sky.horizon = Rgb8(0xFFC48A);
        sky.horizonY = 560;
        sky.moonRadius = 0;
        sky.stars = 30;
        sky.land = Rgb8(0x2A2440);
        sky.rim = Mix(kCandle, kBone, 0.3);
    } else {
        sky.top = Rgb8(0x0C0A24);
        sky.middle = Rgb8(0x261A4A);
        sky.horizon = Rgb8(0x6A3A6A);
        sky.horizonY = 560;
        sky.moonX = 200;
        sky.moonY = 130;
        sky.moonRadius = 62;
        sky.land = Rgb8(0x0E0B1E);
    }
    PaintNightSky(canvas, sky, seed);
    if (dawn) {
        // The sun rising behind the far hills, to the left.
        const Rgb sunlight = Mix(kPumpkin, kBone, 0.55);
        AddGlow(canvas.Cr(), 230, 560, 700, Mix(kPumpkin, kDusk, 0.3), 0.35);
        AddGlow(canvas.Cr(), 230, 560, 220, sunlight, 0.55);
        AddGlow(canvas.Cr(), 230, 560, 70, kBone, 0.8);
        PaintLightShafts(canvas, 230, 560, -M_PI / 2, 2.4, 14, 900, sunlight, 0.12, seed + 9);
    }
    FogSpec clouds = Clouds(dawn ? Mix(kBone, kDusk, 0.3) : Mix(sky.middle, kFog, 0.3), 60, 280,
                            seed + 1, dawn ? 0.5 : 0.4);
    if (dawn) clouds.litColor = Mix(kCandle, kBone, 0.5);
    PaintFog(canvas, clouds);

    Layer far(kScreenWidth, kScreenHeight);
    const Hill farHill{seed + 2, 560, 24, 320};
    farHill.Fill(far.Cr());
    far.Composite(canvas, DepthLook(sky, 0.15, 500, 600));
    PaintFog(canvas, Mist(dawn ? Mix(kBone, kPumpkin, 0.2) : Mix(sky.horizon, kFog, 0.4), 530, 600,
                          seed + 3, 0.45));

    Layer manor(kScreenWidth, kScreenHeight);
    const Hill hill{seed + 4, 660, 14};
    hill.Fill(manor.Cr());
    Manor(manor.Cr(), rng, 770, hill.Y(770) + 10, 470, 520, manor.PartsPtr());
    DeadTree(manor.Cr(), rng, 420, hill.Y(420) + 6, 240, -0.15, 6);
    if (dawn) {
        for (Window& window : manor.Parts().windows)
            window.lit = true;
    }
    manor.Composite(canvas, DepthLook(sky, 0.65, 140, 700));
    if (dawn) {
        // The freed spirits rise into the morning.
        Ghost(canvas.Cr(), 560, 300, 60, 0.35, 6);
        Ghost(canvas.Cr(), 650, 180, 44, 0.25, -5);
        Ghost(canvas.Cr(), 900, 120, 50, 0.22, 4);
        for (int i = 0; i < 6; ++i) {
            SetColor(canvas.Cr(), Mix(sky.land, sky.middle, 0.4));
            Bird(canvas.Cr(), 380 + rng.Range(0, 300), 120 + rng.Range(0, 120), rng.Range(10, 16));
        }
    } else {
        for (int i = 0; i < 5; ++i) {
            SetColor(canvas.Cr(), Mix(sky.land, sky.middle, 0.3));
            Bat(canvas.Cr(), 500 + rng.Range(0, 420), 90 + rng.Range(0, 160), rng.Range(20, 34),
                rng.Range(-0.5, 1));
        }
    }
    PaintFog(canvas, Mist(dawn ? Mix(kBone, kDusk, 0.3) : Mix(sky.horizon, kFog, 0.4), 640, 720,
                          seed + 5, 0.35));

    Layer near(kScreenWidth, kScreenHeight);
    PaintGround(near, rng, 730, 12, seed + 6);
    DeadTree(near.Cr(), rng, 50, 740, 620, 0.1, 7);
    Graves(near.Cr(), rng, 170, 360, 752, 44, 3);
    near.Composite(canvas, DepthLook(sky, 1.0, 400, 768));
    Pumpkin(canvas.Cr(), 900, 757, 22, true, 0.05);
    Pumpkin(canvas.Cr(), 960, 762, 15, !dawn, -0.1);
    if (dawn) {
        FinishScene(canvas, seed, 0.3);
    } else {
        FinishLevelBackground(canvas, seed);
    }
    return canvas;
}

}  // namespace

Canvas LevelBackground(int number) {
    switch (number) {
        case 1:
            return VillageEdge();
        case 2:
            return MoonlitMarsh();
        case 3:
            return OldOrchard();
        case 4:
            return Churchyard();
        case 5:
            return MistyForest();
        case 6:
            return RuinedMill();
        case 7:
            return CryptApproach();
        case 8:
            return WitchGarden();
        case 9:
            return ManorGrounds();
        case 10:
            return TheManor(false);
        default:
            return TheManor(true);
    }
}

}  // namespace asset::scenes
