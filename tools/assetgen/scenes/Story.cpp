// The story pictures shown before the story levels. The hollow's lights have
// been stolen by restless spirits; a young ghost-hunter answers the old
// lady's call, follows the stray lights through the marsh, the orchard, the
// churchyard, the forest and the mill, past the crypt and the witch's garden
// to the manor, and brings the dawn back to the hollow.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "Backdrop.h"
#include "Figures.h"
#include "Scenes.h"

namespace asset::scenes {

namespace {

using namespace style;

constexpr int kWidth = 300, kHeight = 180;
constexpr double kCorner = 14;
const Rgb kFigure = Rgb8(0x0C0E1E);
const Rgb kGhostly = Rgb8(0x7CFFB0);

SkyLook NightSky(Rgb top, Rgb middle, Rgb horizon, double moonX, double moonY, double moonRadius) {
    SkyLook sky;
    sky.top = top;
    sky.middle = middle;
    sky.horizon = horizon;
    sky.horizonY = 130;
    sky.moonX = moonX;
    sky.moonY = moonY;
    sky.moonRadius = moonRadius;
    sky.halo = 0.9;
    sky.stars = 70;
    return sky;
}

Look StoryLook(const SkyLook& sky, double depth) {
    Look look = DepthLook(sky, depth, 40, kHeight);
    look.blur = 0;
    look.rimWidth = 0.8;
    return look;
}

FogSpec StoryMist(Rgb color, double top, double bottom, uint64_t seed, double density = 0.4) {
    FogSpec fog;
    fog.color = color;
    fog.top = top;
    fog.bottom = bottom;
    fog.feather = 16;
    fog.density = density;
    fog.coverage = 0.55;
    fog.scale = 60;
    fog.stretch = 4;
    fog.seed = seed;
    return fog;
}

// Draws a figure in silhouette with a moonlit rim; returns nothing, lights
// are added by the caller.
void FigureOnto(Canvas& canvas, const SkyLook& sky, const std::function<void(cairo_t*)>& draw) {
    Layer figure(kWidth, kHeight);
    draw(figure.Cr());
    Look look = StoryLook(sky, 1.0);
    look.lower = kFigure;
    look.upper = Mix(kFigure, sky.horizon, 0.25);
    look.rimAlpha = 0.6;
    figure.Composite(canvas, look);
}

void Ground(Canvas& canvas, const SkyLook& sky, double y, uint64_t seed) {
    Layer ground(kWidth, kHeight);
    const Hill hill{seed, y, 4, 90};
    hill.Fill(ground.Cr(), 0, kWidth, kHeight + 2);
    Rng rng(seed);
    Grass(ground.Cr(), rng, 0, kWidth, y + 2, 6, 0.7);
    ground.Composite(canvas, StoryLook(sky, 0.9));
}

// Rounds the corners, deepens the edges and frames the picture.
Canvas Framed(Canvas& scene) {
    PaintVignette(scene, 0.5, 0.5);
    Canvas framed(kWidth, kHeight);
    cairo_t* cr = framed.Cr();
    RoundedRectangle(cr, 1, 1, kWidth - 2, kHeight - 2, kCorner);
    cairo_set_source_surface(cr, scene.Surface(), 0, 0);
    cairo_fill(cr);
    cairo_set_line_width(cr, 3);
    SetColor(cr, kInk, 0.9);
    RoundedRectangle(cr, 2.5, 2.5, kWidth - 5, kHeight - 5, kCorner - 1);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.4);
    cairo_pattern_t* gold = cairo_pattern_create_linear(0, 0, kWidth, kHeight);
    cairo_pattern_add_color_stop_rgba(gold, 0, kCandle.r, kCandle.g, kCandle.b, 0.95);
    cairo_pattern_add_color_stop_rgba(gold, 1, kGold.r * 0.7, kGold.g * 0.6, kGold.b * 0.5, 0.9);
    cairo_set_source(cr, gold);
    RoundedRectangle(cr, 5, 5, kWidth - 10, kHeight - 10, kCorner - 4);
    cairo_stroke(cr);
    cairo_pattern_destroy(gold);
    return framed;
}

// 1: the hunter arrives at the edge of the darkened village; only the old
// lady's door still shows a light.
void Arrival(Canvas& canvas, Rng& rng) {
    const SkyLook sky = NightSky(Rgb8(0x0E1030), Rgb8(0x2A2660), Rgb8(0x7A5A9A), 60, 40, 18);
    PaintNightSky(canvas, sky, rng.Next());
    Layer far(kWidth, kHeight);
    const Hill hill{rng.Next(), 122, 6, 100};
    hill.Fill(far.Cr());
    for (double x : {40.0, 95.0, 150.0})
        Cottage(far.Cr(), rng, x, hill.Y(x) + 2, 26, 26, nullptr);
    far.Composite(canvas, StoryLook(sky, 0.3));
    PaintFog(canvas, StoryMist(Mix(sky.horizon, kFog, 0.4), 110, 135, rng.Next()));
    Layer mid(kWidth, kHeight);
    Cottage(mid.Cr(), rng, 240, 152, 80, 84, nullptr);
    mid.Parts().windows.push_back({212, 116, 14, 16, false, true});
    mid.Parts().windows.push_back({250, 122, 14, 30, true, true, true});
    LampPost(mid.Cr(), 150, 156, 60);
    mid.Composite(canvas, StoryLook(sky, 0.7));
    Ground(canvas, sky, 150, rng.Next());
    Light lantern{};
    FigureOnto(canvas, sky, [&](cairo_t* cr) {
        lantern = Hunter(cr, 70, 160, 58, 1);
        OldLady(cr, 214, 156, 42, -1);
    });
    LanternLight(canvas.Cr(), lantern.x, lantern.y, 2.6);
}

// 2: the marsh, where stray lights drift over the water.
void MarshLights(Canvas& canvas, Rng& rng) {
    const SkyLook sky = NightSky(Rgb8(0x0B1430), Rgb8(0x16334A), Rgb8(0x3E6E78), 240, 36, 16);
    PaintNightSky(canvas, sky, rng.Next());
    Layer far(kWidth, kHeight);
    const Hill shore{rng.Next(), 104, 3, 80};
    shore.Fill(far.Cr(), 0, kWidth, 108);
    for (double x = 4; x < kWidth; x += rng.Range(8, 16))
        Pine(far.Cr(), rng, x, shore.Y(x) + 2, rng.Range(12, 26), 8);
    far.Composite(canvas, StoryLook(sky, 0.25));
    MirrorWater(canvas, 108, kHeight, Rgb8(0x0C2230), 0.35, rng.Next());
    for (const auto& w :
         {std::pair{150.0, 96.0}, std::pair{200.0, 84.0}, std::pair{250.0, 100.0}}) {
        Wisp(canvas.Cr(), w.first, w.second, 2.2, Rgb8(0x9CF2D2));
        AddGlow(canvas.Cr(), w.first, 216 - w.second + 12, 8, Rgb8(0x9CF2D2), 0.2);
    }
    Light lantern{};
    FigureOnto(canvas, sky, [&](cairo_t* cr) {
        for (int i = 0; i < 5; ++i) {
            cairo_rectangle(cr, 10 + i * 30, 148, 27, 5);
            cairo_rectangle(cr, 14 + i * 30, 150, 3, 30);
        }
        cairo_fill(cr);
        lantern = Hunter(cr, 90, 149, 54, 1);
        Reeds(cr, rng, 220, 300, 182, 50, 20);
    });
    LanternLight(canvas.Cr(), lantern.x, lantern.y, 2.4);
}

// 3: the old orchard: the first lost light, caught in an apple tree.
void OrchardLantern(Canvas& canvas, Rng& rng) {
    const SkyLook sky = NightSky(Rgb8(0x0F1333), Rgb8(0x262A5E), Rgb8(0x7A4A6E), 250, 44, 22);
    PaintNightSky(canvas, sky, rng.Next());
    Layer far(kWidth, kHeight);
    const Hill hill{rng.Next(), 128, 8, 120};
    hill.Fill(far.Cr());
    for (double x = 10; x < kWidth; x += rng.Range(18, 26))
        LeafyTree(far.Cr(), rng, x, hill.Y(x) + 3, rng.Range(16, 22));
    far.Composite(canvas, StoryLook(sky, 0.3));
    Layer tree(kWidth, kHeight);
    LeafyTree(tree.Cr(), rng, 170, 160, 150);
    tree.Composite(canvas, StoryLook(sky, 0.75));
    Lantern(canvas.Cr(), 196, 84, 6, true);
    Ground(canvas, sky, 158, rng.Next());
    Light lantern{};
    FigureOnto(canvas, sky, [&](cairo_t* cr) { lantern = Hunter(cr, 96, 168, 56, 1); });
    LanternLight(canvas.Cr(), lantern.x, lantern.y, 2.4);
    Pumpkin(canvas.Cr(), 240, 172, 10, true);
    Pumpkin(canvas.Cr(), 40, 172, 8, true, 0.2);
    Pumpkin(canvas.Cr(), 268, 175, 6, false);
}

// 4: the churchyard, where the first spirits show themselves.
void ChurchyardGhosts(Canvas& canvas, Rng& rng) {
    const SkyLook sky = NightSky(Rgb8(0x0A1030), Rgb8(0x1D2B5E), Rgb8(0x4E6496), 50, 36, 16);
    PaintNightSky(canvas, sky, rng.Next());
    Layer mid(kWidth, kHeight);
    const Hill hill{rng.Next(), 140, 4, 100};
    hill.Fill(mid.Cr());
    Church(mid.Cr(), rng, 240, 142, 110, 130, mid.PartsPtr());
    Graves(mid.Cr(), rng, 100, 190, 150, 18, 5);
    mid.Composite(canvas, StoryLook(sky, 0.6));
    PaintFog(canvas, StoryMist(Mix(sky.horizon, kFog, 0.5), 135, 165, rng.Next(), 0.5));
    Ghost(canvas.Cr(), 150, 70, 40, 0.75, -4);
    Ghost(canvas.Cr(), 190, 92, 28, 0.55, 3);
    Ground(canvas, sky, 160, rng.Next());
    Light lantern{};
    FigureOnto(canvas, sky, [&](cairo_t* cr) { lantern = Hunter(cr, 60, 170, 58, 1); });
    LanternLight(canvas.Cr(), lantern.x, lantern.y, 2.6);
}

// 5: the misty forest: a crow shows the way past watching eyes.
void ForestCrow(Canvas& canvas, Rng& rng) {
    const SkyLook sky = NightSky(Rgb8(0x0A1526), Rgb8(0x1A3440), Rgb8(0x4A6A6A), 40, 30, 12);
    PaintNightSky(canvas, sky, rng.Next());
    const double ranks[][3] = {{120, 0.2, 60}, {146, 0.5, 90}};
    for (const auto& rank : ranks) {
        Layer layer(kWidth, kHeight);
        const Hill hill{rng.Next(), rank[0], 4, 90};
        hill.Fill(layer.Cr());
        for (double x = rng.Range(0, 10); x < kWidth + 10; x += rng.Range(14, 30)) {
            const double h = rank[2] * rng.Range(0.6, 1.1);
            Pine(layer.Cr(), rng, x, hill.Y(x) + 3, h, h * 0.36);
        }
        layer.Composite(canvas, StoryLook(sky, rank[1]));
        PaintFog(canvas, StoryMist(Mix(sky.horizon, kFog, 0.55), rank[0] - 30, rank[0] + 8,
                                   rng.Next(), 0.5));
    }
    for (const auto& eyes : {std::pair{60.0, 132.0}, std::pair{250.0, 124.0}}) {
        for (int side : {-1, 1}) {
            AddGlow(canvas.Cr(), eyes.first + side * 2.5, eyes.second, 5, kCandle, 0.7);
        }
    }
    Ground(canvas, sky, 162, rng.Next());
    Light lantern{};
    FigureOnto(canvas, sky, [&](cairo_t* cr) {
        lantern = Hunter(cr, 120, 172, 50, 1);
        Bird(cr, 190, 90, 30);
    });
    LanternLight(canvas.Cr(), lantern.x, lantern.y, 2.2);
}

// 6: the ruined mill: its window lit again.
void MillRelit(Canvas& canvas, Rng& rng) {
    const SkyLook sky = NightSky(Rgb8(0x120F33), Rgb8(0x2E2460), Rgb8(0x7A5A9A), 110, 58, 34);
    PaintNightSky(canvas, sky, rng.Next());
    Layer mill(kWidth, kHeight);
    cairo_t* cr = mill.Cr();
    cairo_move_to(cr, 40, kHeight);
    cairo_curve_to(cr, 120, 150, 170, 128, 210, 128);
    cairo_curve_to(cr, 250, 128, 280, 140, kWidth, 146);
    cairo_line_to(cr, kWidth, kHeight);
    cairo_close_path(cr);
    cairo_fill(cr);
    Windmill(cr, rng, 210, 132, 120, 0.4, true, mill.PartsPtr());
    for (Window& window : mill.Parts().windows)
        window.lit = true;
    mill.Composite(canvas, StoryLook(sky, 0.65));
    Ground(canvas, sky, 166, rng.Next());
    Light lantern{};
    FigureOnto(canvas, sky, [&](cairo_t* c) { lantern = Hunter(c, 70, 174, 52, 1); });
    LanternLight(canvas.Cr(), lantern.x, lantern.y, 2.4);
    for (int i = 0; i < 4; ++i) {
        SetColor(canvas.Cr(), Mix(kFigure, sky.middle, 0.3));
        Bird(canvas.Cr(), rng.Range(150, 290), rng.Range(20, 60), rng.Range(8, 12));
    }
}

// 7: the crypt's door glowing; the hunter stands before it.
void CryptDoor(Canvas& canvas, Rng& rng) {
    const SkyLook sky = NightSky(Rgb8(0x08121E), Rgb8(0x12303A), Rgb8(0x3C7A66), 40, 34, 14);
    PaintNightSky(canvas, sky, rng.Next());
    AddGlow(canvas.Cr(), 160, 110, 130, kGhostly, 0.3);
    Layer crypt(kWidth, kHeight);
    const Hill hill{rng.Next(), 150, 3, 100};
    hill.Fill(crypt.Cr());
    Crypt(crypt.Cr(), 160, 152, 130, 130, crypt.PartsPtr());
    Pine(crypt.Cr(), rng, 50, 150, 110, 36);
    Pine(crypt.Cr(), rng, 268, 150, 120, 40);
    Look look = StoryLook(sky, 0.6);
    look.glass = kGhostly;
    look.rim = kGhostly;
    crypt.Composite(canvas, look);
    Ground(canvas, sky, 162, rng.Next());
    Light lantern{};
    FigureOnto(canvas, sky, [&](cairo_t* cr) { lantern = Hunter(cr, 120, 176, 54, 1); });
    LanternLight(canvas.Cr(), lantern.x, lantern.y, 2.4);
    Wisp(canvas.Cr(), 210, 70, 2, kGhostly);
    Wisp(canvas.Cr(), 100, 60, 1.6, kGhostly);
}

// 8: the witch's garden: a friendly witch brews something to help.
void WitchBrew(Canvas& canvas, Rng& rng) {
    const SkyLook sky = NightSky(Rgb8(0x160C30), Rgb8(0x3A1C5C), Rgb8(0x8A4A8A), 250, 40, 18);
    PaintNightSky(canvas, sky, rng.Next());
    Layer mid(kWidth, kHeight);
    const Hill hill{rng.Next(), 140, 5, 100};
    hill.Fill(mid.Cr());
    cairo_save(mid.Cr());
    cairo_translate(mid.Cr(), 60, 142);
    cairo_rotate(mid.Cr(), -0.06);
    Cottage(mid.Cr(), rng, 0, 0, 70, 86, nullptr);
    cairo_restore(mid.Cr());
    mid.Parts().windows.push_back({40, 108, 12, 14, true, true});
    mid.Composite(canvas, StoryLook(sky, 0.6));
    Ground(canvas, sky, 162, rng.Next());
    Light lantern{};
    FigureOnto(canvas, sky, [&](cairo_t* cr) {
        Witch(cr, 130, 168, 64, 1);
        lantern = Hunter(cr, 236, 170, 54, -1);
    });
    Cauldron(canvas.Cr(), 178, 172, 40, Rgb8(0x7CFF6A));
    LanternLight(canvas.Cr(), lantern.x, lantern.y, 2.4);
    Mushrooms(canvas.Cr(), rng, 40, 172, 10, Rgb8(0xFF7AD8));
}

// 9: the manor gates, the manor waiting beyond.
void ManorGates(Canvas& canvas, Rng& rng) {
    const SkyLook sky = NightSky(Rgb8(0x0A0E28), Rgb8(0x1E2456), Rgb8(0x5A4C8A), 60, 40, 20);
    PaintNightSky(canvas, sky, rng.Next());
    Layer far(kWidth, kHeight);
    const Hill hill{rng.Next(), 110, 5, 100};
    hill.Fill(far.Cr());
    Manor(far.Cr(), rng, 170, 112, 110, 80, far.PartsPtr());
    far.Composite(canvas, StoryLook(sky, 0.35));
    PaintFog(canvas, StoryMist(Mix(sky.horizon, kFog, 0.45), 108, 135, rng.Next(), 0.45));
    Layer gate(kWidth, kHeight);
    GatePillar(gate.Cr(), 60, 176, 26, 120);
    GatePillar(gate.Cr(), 250, 176, 26, 120);
    // One gate leaf open, the other shut.
    IronFence(gate.Cr(), rng, 73, 150, 168, 90, 9);
    IronFence(gate.Cr(), rng, 0, 47, 168, 70, 9);
    IronFence(gate.Cr(), rng, 263, kWidth, 168, 70, 9);
    gate.Composite(canvas, StoryLook(sky, 0.85));
    Ground(canvas, sky, 168, rng.Next());
    Light lantern{};
    FigureOnto(canvas, sky, [&](cairo_t* cr) { lantern = Hunter(cr, 190, 174, 50, -1); });
    LanternLight(canvas.Cr(), lantern.x, lantern.y, 2.2);
}

// 10: the manor itself, every window awake, a spirit at the glass.
void ManorDoor(Canvas& canvas, Rng& rng) {
    const SkyLook sky = NightSky(Rgb8(0x0C0A24), Rgb8(0x261A4A), Rgb8(0x6A3A6A), 50, 40, 22);
    PaintNightSky(canvas, sky, rng.Next());
    Layer manor(kWidth, kHeight);
    Manor(manor.Cr(), rng, 180, 166, 230, 160, manor.PartsPtr());
    for (Window& window : manor.Parts().windows)
        window.lit = true;
    manor.Composite(canvas, StoryLook(sky, 0.65));
    Ghost(canvas.Cr(), 170, 86, 22, 0.8, 2);
    Ground(canvas, sky, 164, rng.Next());
    Light lantern{};
    FigureOnto(canvas, sky, [&](cairo_t* cr) { lantern = Hunter(cr, 70, 174, 56, 1); });
    LanternLight(canvas.Cr(), lantern.x, lantern.y, 2.4);
    for (int i = 0; i < 3; ++i) {
        SetColor(canvas.Cr(), Mix(kFigure, sky.middle, 0.3));
        Bat(canvas.Cr(), rng.Range(220, 290), rng.Range(18, 60), rng.Range(12, 18),
            rng.Range(-0.5, 1));
    }
}

// 11: dawn: the spirits rest, the lights are home, the hollow is free.
void Dawn(Canvas& canvas, Rng& rng) {
    SkyLook sky = NightSky(Rgb8(0x3A4C8A), Rgb8(0x9A7AB0), Rgb8(0xFFC48A), 0, 0, 0);
    sky.stars = 10;
    sky.land = Rgb8(0x2A2440);
    sky.rim = Mix(kCandle, kBone, 0.3);
    PaintNightSky(canvas, sky, rng.Next());
    const Rgb sunlight = Mix(kPumpkin, kBone, 0.55);
    AddGlow(canvas.Cr(), 150, 128, 200, Mix(kPumpkin, kDusk, 0.3), 0.4);
    AddGlow(canvas.Cr(), 150, 128, 60, sunlight, 0.7);
    AddGlow(canvas.Cr(), 150, 128, 20, kBone, 0.9);
    PaintLightShafts(canvas, 150, 128, -M_PI / 2, 2.6, 12, 220, sunlight, 0.14, rng.Next());
    Layer far(kWidth, kHeight);
    const Hill hill{rng.Next(), 128, 7, 100};
    hill.Fill(far.Cr());
    Manor(far.Cr(), rng, 250, 130, 70, 56, far.PartsPtr());
    Cottage(far.Cr(), rng, 40, 132, 30, 28, far.PartsPtr());
    far.Composite(canvas, StoryLook(sky, 0.3));
    Ghost(canvas.Cr(), 110, 40, 22, 0.5, 3);
    Ghost(canvas.Cr(), 200, 24, 18, 0.4, -3);
    Ghost(canvas.Cr(), 60, 62, 16, 0.35, 2);
    Ground(canvas, sky, 160, rng.Next());
    FigureOnto(canvas, sky, [&](cairo_t* cr) {
        Hunter(cr, 150, 170, 54, 1);
        OldLady(cr, 200, 168, 40, -1);
        LampPost(cr, 250, 166, 56);
    });
    LanternLight(canvas.Cr(), 150 + 54 * 0.3, 170 - 54 * 0.505, 2.4);
    LanternLight(canvas.Cr(), 250 + 56 * 0.2, 166 - 56 * 0.8, 2.4);
}

}  // namespace

Canvas StoryPicture(int number) {
    Canvas scene(kWidth, kHeight);
    Rng rng(SeedOf(("story " + std::to_string(number)).c_str()));
    using Painter = void (*)(Canvas&, Rng&);
    constexpr Painter kPainters[] = {
        Arrival,   MarshLights, OrchardLantern, ChurchyardGhosts, ForestCrow, MillRelit,
        CryptDoor, WitchBrew,   ManorGates,     ManorDoor,        Dawn};
    const int index = std::clamp(number, 1, 11) - 1;
    kPainters[index](scene, rng);
    return Framed(scene);
}

}  // namespace asset::scenes
