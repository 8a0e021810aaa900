// The title screen: sky, drifting clouds, a lightning bolt, the house on
// the hill in front, and the small animated pieces placed over it (the crow,
// the swaying tree crown, the waving hand, the eyes in the doorway).
#include <cmath>
#include <vector>

#include "Backdrop.h"
#include "Figures.h"
#include "Scenes.h"

namespace asset::scenes {

namespace {

using namespace style;

// Where the game places the pieces (top-left corners) and their sizes.
constexpr double kCrowX = 832, kCrowY = 372, kCrowWidth = 120, kCrowHeight = 104;
constexpr double kCrowFeetX = 60, kCrowFeetY = 99;  // in the crow's picture
// The crown turns about its bottom-right corner, placed at screen (1049, 340).
constexpr int kTreeWidth = 400, kTreeHeight = 340;
constexpr double kHandX = 279, kHandY = 433;
constexpr int kHandWidth = 84, kHandHeight = 120;
constexpr double kEyesX = 726, kEyesY = 420;
constexpr int kEyesWidth = 48, kEyesHeight = 22;
constexpr int kCloudsHeight = 360;

// The house stands on the hill top; its dark doorway is where the red eyes
// blink.
constexpr double kHouseX = 720, kHouseBase = 452;
constexpr double kDoorX = kEyesX - 6, kDoorY = kEyesY - 14, kDoorW = kEyesWidth + 12,
                 kDoorH = kHouseBase - kDoorY;

SkyLook TitleSkyLook() {
    SkyLook sky;
    sky.top = Rgb8(0x0B0C26);
    sky.middle = Rgb8(0x20205A);
    sky.horizon = Rgb8(0x6A4A8E);
    sky.horizonY = 520;
    sky.moonX = 640;
    sky.moonY = 215;
    sky.moonRadius = 84;
    sky.halo = 1.4;
    sky.stars = 300;
    return sky;
}

// The haunted house: a tall hall with a steep roof, a round tower on the
// left, a crooked wing on the right, a porch with the open door.
void HauntedHouse(Layer& layer) {
    cairo_t* cr = layer.Cr();
    Details& parts = layer.Parts();
    const double x = kHouseX, b = kHouseBase;
    auto rect = [&](double x0, double y0, double w, double h) {
        cairo_rectangle(cr, x0, y0, w, h);
        cairo_fill(cr);
    };
    auto gable = [&](double x0, double x1, double eaves, double top) {
        cairo_move_to(cr, x0, eaves);
        cairo_line_to(cr, (x0 + x1) / 2, top);
        cairo_line_to(cr, x1, eaves);
        cairo_close_path(cr);
        cairo_fill(cr);
        parts.edges.push_back({x0, eaves, (x0 + x1) / 2, top});
    };
    // Hall.
    rect(x - 70, b - 175, 140, 176);
    gable(x - 86, x + 86, b - 172, b - 290);
    rect(x + 30, b - 300, 16, 70);  // chimney
    // Tower.
    rect(x - 128, b - 215, 56, 216);
    cairo_move_to(cr, x - 138, b - 212);
    cairo_curve_to(cr, x - 118, b - 230, x - 104, b - 280, x - 100, b - 330);
    cairo_curve_to(cr, x - 94, b - 280, x - 80, b - 230, x - 62, b - 212);
    cairo_close_path(cr);
    cairo_fill(cr);
    parts.edges.push_back({x - 138, b - 212, x - 100, b - 330});
    parts.edges.push_back({x - 128, b - 208, x - 128, b});
    // The crooked wing.
    cairo_save(cr);
    cairo_translate(cr, x + 110, b);
    cairo_rotate(cr, 0.04);
    rect(-42, -110, 84, 111);
    gable(-54, 54, -108, -170);
    cairo_restore(cr);
    // Porch roof over the door.
    cairo_move_to(cr, kDoorX - 16, kDoorY - 4);
    cairo_line_to(cr, kDoorX + kDoorW / 2, kDoorY - 26);
    cairo_line_to(cr, kDoorX + kDoorW + 16, kDoorY - 4);
    cairo_close_path(cr);
    cairo_fill(cr);
    rect(kDoorX - 14, kDoorY - 6, 5, kDoorH + 6);
    rect(kDoorX + kDoorW + 9, kDoorY - 6, 5, kDoorH + 6);
    // Windows: some lit, one dark and watching.
    const double w = 20, h = 30;
    parts.windows.push_back({x - 52, b - 160, w, h, true, true});
    parts.windows.push_back({x - 10, b - 160, w, h, true, false});
    parts.windows.push_back({x + 32, b - 160, w, h, true, true});
    parts.windows.push_back({x - 52, b - 100, w, h, false, true});
    parts.windows.push_back({x - 110, b - 190, 18, 28, true, true});
    parts.windows.push_back({x - 110, b - 120, 18, 28, true, false});
    parts.windows.push_back({x - 12, b - 246, 24, 24, true, true});
    parts.windows.push_back({x + 100, b - 88, 20, 26, false, true});
    parts.recesses.push_back({kDoorX, kDoorY, kDoorW, kDoorH});
}

// The gnarled tree's trunk and the low branch the crow sits on; its crown is
// the separate swaying picture.
void TreeTrunk(cairo_t* cr) {
    cairo_move_to(cr, 930, 770);
    cairo_curve_to(cr, 960, 700, 975, 600, 985, 520);
    cairo_curve_to(cr, 992, 450, 996, 380, 1008, 310);
    cairo_line_to(cr, 1040, 300);
    cairo_line_to(cr, 1040, 770);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Roots over the ground.
    cairo_move_to(cr, 900, 772);
    cairo_curve_to(cr, 920, 755, 945, 735, 960, 700);
    cairo_line_to(cr, 975, 740);
    cairo_close_path(cr);
    cairo_fill(cr);
    // The crow's branch, its top just under the crow's feet.
    const double feetX = kCrowX + kCrowFeetX, top = kCrowY + kCrowFeetY - 5;
    cairo_move_to(cr, 992, top - 4);
    cairo_curve_to(cr, 950, top - 4, feetX + 8, top + 4, feetX - 54, top);
    cairo_curve_to(cr, feetX - 66, top, feetX - 74, top + 4, feetX - 80, top + 8);
    cairo_curve_to(cr, feetX - 62, top + 8, feetX - 32, top + 16, feetX + 8, top + 14);
    cairo_curve_to(cr, 940, top + 12, 970, top + 18, 990, top + 26);
    cairo_close_path(cr);
    cairo_fill(cr);
    // A twig off its end.
    cairo_set_line_width(cr, 3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, 850, 470);
    cairo_curve_to(cr, 840, 455, 832, 448, 820, 444);
    cairo_stroke(cr);
}

// A hand reaching out of the earth: a tapering arm, palm and spread fingers,
// in the coordinates of its own small picture.
void HandShape(cairo_t* cr) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, 30, 122);
    cairo_curve_to(cr, 31, 100, 32, 82, 30, 66);
    cairo_line_to(cr, 56, 66);
    cairo_curve_to(cr, 54, 82, 54, 100, 56, 122);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, 43, 52);
    cairo_scale(cr, 16, 18);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_fill(cr);
    // Fingers: base point, tip point, width.
    const double fingers[][5] = {{31, 44, 18, 14, 7.0},
                                 {39, 40, 34, 8, 7.0},
                                 {47, 40, 50, 8, 6.6},
                                 {54, 44, 64, 16, 6.0},
                                 {56, 58, 72, 44, 6.8}};
    for (const auto& finger : fingers) {
        cairo_set_line_width(cr, finger[4]);
        cairo_move_to(cr, finger[0], finger[1]);
        cairo_curve_to(cr, (finger[0] * 2 + finger[2]) / 3, (finger[1] * 2 + finger[3]) / 3 - 2,
                       (finger[0] + finger[2] * 2) / 3, (finger[1] + finger[3] * 2) / 3 - 1,
                       finger[2], finger[3]);
        cairo_stroke(cr);
    }
}

void LightningBolt(cairo_t* cr, Rng& rng, double x, double y, double angle, double length,
                   double width, int depth) {
    double px = x, py = y;
    const int steps = static_cast<int>(length / 22);
    cairo_move_to(cr, px, py);
    std::vector<std::pair<double, double>> forks;
    for (int i = 0; i < steps; ++i) {
        const double a = angle + rng.Range(-0.6, 0.6);
        px += std::cos(a) * length / steps;
        py += std::sin(a) * length / steps;
        cairo_line_to(cr, px, py);
        if (depth > 0 && rng.Chance(0.18)) forks.push_back({px, py});
    }
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
    for (const auto& fork : forks) {
        LightningBolt(cr, rng, fork.first, fork.second, angle + (rng.Chance(0.5) ? 0.6 : -0.6),
                      length * rng.Range(0.2, 0.35), width * 0.55, depth - 1);
    }
}

}  // namespace

Canvas TitleSky() {
    Canvas canvas(kScreenWidth, kScreenHeight);
    const SkyLook sky = TitleSkyLook();
    PaintNightSky(canvas, sky, SeedOf("title sky"));
    // A warm glow low on the horizon behind the hill.
    AddGlow(canvas.Cr(), 420, 560, 500, Mix(kPumpkin, kDusk, 0.6), 0.18);
    return canvas;
}

Canvas TitleClouds() {
    Canvas canvas(kScreenWidth, kCloudsHeight);
    FogSpec clouds;
    clouds.color = Mix(Rgb8(0x2A2A5E), kFog, 0.3);
    clouds.top = 30;
    clouds.bottom = 250;
    clouds.feather = 70;
    clouds.density = 0.75;
    clouds.coverage = 0.42;
    clouds.scale = 256;
    clouds.stretch = 3;
    clouds.seed = SeedOf("title clouds");
    clouds.wrapX = true;
    clouds.lit = 0.9;
    clouds.litColor = Mix(kMoonlight, kFog, 0.3);
    PaintFog(canvas, clouds);
    return canvas;
}

Canvas TitleLightning() {
    constexpr int kWidth = 220, kHeight = 560;
    Rng rng(SeedOf("title lightning"));
    Canvas bolt(kWidth, kHeight);
    cairo_t* cr = bolt.Cr();
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColor(cr, kMoonlight);
    LightningBolt(cr, rng, kWidth * 0.45, 0, M_PI / 2 + 0.08, kHeight * 0.95, 3.5, 2);
    // Glow: the bolt blurred wide and tinted violet, under the sharp core.
    Canvas glow = bolt.Silhouette(0.75, 0.7, 1.0, 0.9);
    BlurContent(glow, 14);
    Canvas halo = bolt.Silhouette(0.9, 0.9, 1.0, 1.0);
    BlurContent(halo, 4);
    Canvas canvas(kWidth, kHeight);
    canvas.Draw(glow, 0, 0);
    canvas.Draw(glow, 0, 0);
    canvas.Draw(halo, 0, 0);
    canvas.Draw(bolt, 0, 0);
    // Fade in from the clouds at the top.
    cairo_t* c = canvas.Cr();
    cairo_set_operator(c, CAIRO_OPERATOR_DEST_IN);
    cairo_pattern_t* fade = cairo_pattern_create_linear(0, 0, 0, 60);
    cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 0.2);
    cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 1);
    cairo_set_source(c, fade);
    cairo_paint(c);
    cairo_pattern_destroy(fade);
    return canvas;
}

Canvas TitleForeground() {
    const uint64_t seed = SeedOf("title foreground");
    Rng rng(seed);
    Canvas canvas(kScreenWidth, kScreenHeight);
    const SkyLook sky = TitleSkyLook();

    Layer far(kScreenWidth, kScreenHeight);
    const Hill farHill{seed + 1, 500, 26, 300};
    farHill.Fill(far.Cr());
    for (double x = 20; x < kScreenWidth; x += rng.Range(30, 60))
        Pine(far.Cr(), rng, x, farHill.Y(x) + 6, rng.Range(30, 60), 18);
    far.Composite(canvas, DepthLook(sky, 0.15, 440, 540));
    FogSpec mist;
    mist.color = Mix(sky.horizon, kFog, 0.5);
    mist.top = 480;
    mist.bottom = 560;
    mist.feather = 40;
    mist.density = 0.5;
    mist.coverage = 0.55;
    mist.scale = 150;
    mist.stretch = 5;
    mist.seed = seed + 2;
    PaintFog(canvas, mist);

    // The hill with the house on top, rising from the left meadow.
    Layer hill(kScreenWidth, kScreenHeight);
    cairo_t* cr = hill.Cr();
    cairo_move_to(cr, -4, 600);
    cairo_curve_to(cr, 150, 585, 300, 578, 420, 560);
    cairo_curve_to(cr, 520, 545, 560, 470, 620, 455);
    cairo_curve_to(cr, 700, 440, 790, 444, 860, 470);
    cairo_curve_to(cr, 930, 495, 980, 520, kScreenWidth + 4, 530);
    cairo_line_to(cr, kScreenWidth + 4, kScreenHeight + 4);
    cairo_line_to(cr, -4, kScreenHeight + 4);
    cairo_close_path(cr);
    cairo_fill(cr);
    HauntedHouse(hill);
    IronFence(cr, rng, 420, 560, 560, 40, 11);
    Graves(cr, rng, 150, 270, 592, 40, 3);
    Grave(cr, GraveKind::Pointed, 255, 578, 44, 80, -10);
    DeadTree(cr, rng, 520, 548, 200, -0.1, 6);
    Look hillLook = DepthLook(sky, 0.75, 300, 768);
    hill.Composite(canvas, hillLook);
    // The open grave the hand rises from.
    cairo_t* fc = canvas.Cr();
    const double graveX = kHandX + kHandWidth / 2.0, graveY = kHandY + kHandHeight + 13;
    cairo_save(fc);
    cairo_translate(fc, graveX, graveY);
    cairo_scale(fc, 40, 9);
    cairo_arc(fc, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(fc);
    SetColor(fc, Rgb8(0x2A2026));
    cairo_fill(fc);
    AddGlow(fc, graveX, graveY - 6, 60, Rgb8(0x9CF2C0), 0.2);
    // Moonlit path winding up to the door.
    cairo_set_line_cap(fc, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(fc, 560, 780);
    cairo_curve_to(fc, 600, 680, 520, 640, 640, 560);
    cairo_curve_to(fc, 700, 520, 740, 490, kEyesX + kEyesWidth / 2.0, kHouseBase + 2);
    cairo_set_line_width(fc, 16);
    SetColor(fc, Mix(kFog, kDusk, 0.5), 0.22);
    cairo_stroke(fc);

    Layer near(kScreenWidth, kScreenHeight);
    cr = near.Cr();
    TreeTrunk(cr);
    Grave(cr, GraveKind::Cross, 205, 700, 60, 110, 8);
    Grave(cr, GraveKind::Slab, 560, 722, 50, 70, -6);
    PaintGround(near, rng, 712, 10, seed + 3);
    near.Composite(canvas, DepthLook(sky, 1.0, 260, 768));
    Pumpkin(canvas.Cr(), 252, 744, 18, true, -0.08);
    Pumpkin(canvas.Cr(), 590, 752, 14, true, 0.1);
    Candle(canvas.Cr(), 188, 748, 14);
    Lantern(canvas.Cr(), kDoorX - 24, kDoorY + 6, 8, true);

    // Bats circling the moon.
    for (int i = 0; i < 4; ++i) {
        SetColor(canvas.Cr(), Rgb8(0x141428));
        Bat(canvas.Cr(), rng.Range(560, 860), rng.Range(110, 300), rng.Range(26, 40),
            rng.Range(-0.6, 1.0));
    }
    PaintVignette(canvas, 0.35, 0.75);
    PaintTexture(canvas, seed + 4, 0.03, 0);
    return canvas;
}

Canvas TitleCrow(CrowPose pose) {
    Canvas canvas(static_cast<int>(kCrowWidth), static_cast<int>(kCrowHeight));
    const CrowLook look = pose == CrowPose::Left    ? CrowLook::Left
                          : pose == CrowPose::Blink ? CrowLook::Blink
                          : pose == CrowPose::Caw   ? CrowLook::Caw
                                                    : CrowLook::Right;
    // Feet on the branch, which runs at about y 470 on the screen; sized so
    // the raised tail keeps clear of the picture's edge.
    Crow(canvas.Cr(), kCrowFeetX, kCrowFeetY, 100, look);
    return canvas;
}

Canvas TitleTree() {
    Rng rng(SeedOf("title tree crown"));
    Layer crown(kTreeWidth, kTreeHeight);
    cairo_t* cr = crown.Cr();
    // The trunk continues the foreground's, from the bottom-right corner up.
    const double baseX = kTreeWidth - 30;
    cairo_move_to(cr, baseX - 32, kTreeHeight + 2);
    cairo_curve_to(cr, baseX - 26, 280, baseX - 30, 230, baseX - 50, 190);
    cairo_line_to(cr, baseX - 12, 180);
    cairo_curve_to(cr, baseX + 2, 230, baseX + 20, 280, baseX + 30, kTreeHeight + 2);
    cairo_close_path(cr);
    cairo_fill(cr);
    OverhangBranch(cr, rng, baseX - 34, 200, M_PI + 0.55, 520, 24, 6);
    OverhangBranch(cr, rng, baseX - 30, 196, -M_PI / 2 - 0.5, 340, 18, 5);
    OverhangBranch(cr, rng, baseX - 10, 260, M_PI + 0.2, 300, 12, 4);
    const SkyLook sky = TitleSkyLook();
    Look look = DepthLook(sky, 1.0, 0, kTreeHeight);
    Canvas canvas(kTreeWidth, kTreeHeight);
    crown.Composite(canvas, look);
    return canvas;
}

Canvas TitleHand() {
    Canvas shape(kHandWidth, kHandHeight);
    cairo_set_source_rgb(shape.Cr(), 1, 1, 1);
    HandShape(shape.Cr());
    Canvas canvas(kHandWidth, kHandHeight);
    Canvas glow = shape.Silhouette(0.6, 1.0, 0.8, 0.8);
    BlurContent(glow, 6);
    canvas.Draw(glow, 0, 0);
    // The hand itself: pale and ghostly green, lit from the top left.
    Canvas body = shape.Silhouette(0.8, 0.95, 0.88, 0.85);
    {
        cairo_t* cr = body.Cr();
        cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
        cairo_pattern_t* light = cairo_pattern_create_linear(10, 10, 70, 90);
        cairo_pattern_add_color_stop_rgba(light, 0, 0.95, 1.0, 0.95, 0.95);
        cairo_pattern_add_color_stop_rgba(light, 1, 0.45, 0.7, 0.62, 0.85);
        cairo_set_source(cr, light);
        cairo_paint(cr);
        cairo_pattern_destroy(light);
    }
    canvas.Draw(body, 0, 0);
    // It rises out of the earth: fade towards the bottom.
    cairo_t* cr = canvas.Cr();
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_IN);
    cairo_pattern_t* fade = cairo_pattern_create_linear(0, 70, 0, kHandHeight);
    cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 0);
    cairo_set_source(cr, fade);
    cairo_paint(cr);
    cairo_pattern_destroy(fade);
    return canvas;
}

Canvas TitleEyes() {
    Canvas canvas(kEyesWidth, kEyesHeight);
    cairo_t* cr = canvas.Cr();
    const Rgb red = Rgb8(0xFF3A2A);
    for (int side : {-1, 1}) {
        const double cx = kEyesWidth / 2.0 + side * 11, cy = kEyesHeight / 2.0;
        AddGlow(cr, cx, cy, 11, red, 0.6);
        // Almond eyes slanting down towards the nose.
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, side * 0.25);
        cairo_move_to(cr, -7, 0);
        cairo_curve_to(cr, -3, -4.5, 3, -4.5, 7, 0);
        cairo_curve_to(cr, 3, 3.5, -3, 3.5, -7, 0);
        cairo_close_path(cr);
        cairo_pattern_t* iris = cairo_pattern_create_radial(0, 0, 0, 0, 0, 7);
        cairo_pattern_add_color_stop_rgb(iris, 0, 1.0, 0.9, 0.6);
        cairo_pattern_add_color_stop_rgb(iris, 0.4, 1.0, 0.35, 0.2);
        cairo_pattern_add_color_stop_rgb(iris, 1, 0.6, 0.05, 0.08);
        cairo_set_source(cr, iris);
        cairo_fill(cr);
        cairo_pattern_destroy(iris);
        cairo_restore(cr);
    }
    return canvas;
}

}  // namespace asset::scenes
