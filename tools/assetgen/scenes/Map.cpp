// The story map: a path winding up through the hollow under the hundred
// level dots, from the village at the bottom to the manor at the top, with
// the places of the story beside it. Nothing is drawn where a dot sits.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "Backdrop.h"
#include "Scenes.h"
#include "progress/MapDots.h"

namespace asset::scenes {

namespace {

using namespace style;

// The picture runs on below the first level's dot, so that scrolled to its
// end the map shows that dot clear of its bottom panel.
constexpr int kMapWidth = 1024, kMapHeight = 1500;

constexpr double kDotCentre = 15;
constexpr double kDotClearance = 24;  // half a special dot and a margin

struct Point {
    double x, y;
};

struct Box {
    double x0, y0, x1, y1;
    bool Overlaps(const Box& other) const {
        return x0 < other.x1 && other.x0 < x1 && y0 < other.y1 && other.y0 < y1;
    }
};

// The path's control points: the dot centres, led in from the bottom edge.
std::vector<Point> Waypoints() {
    std::vector<Point> points;
    points.push_back({470, kMapHeight + 40});
    for (const auto& dot : kMapDots)
        points.push_back({dot[0] + kDotCentre, dot[1] + kDotCentre});
    return points;
}

// Catmull-Rom through the waypoints, sampled finely.
std::vector<Point> SamplePath(const std::vector<Point>& p) {
    std::vector<Point> samples;
    for (size_t i = 0; i + 1 < p.size(); ++i) {
        const Point& a = p[i > 0 ? i - 1 : i];
        const Point& b = p[i];
        const Point& c = p[i + 1];
        const Point& d = p[std::min(i + 2, p.size() - 1)];
        for (int s = 0; s < 12; ++s) {
            const double t = s / 12.0, t2 = t * t, t3 = t2 * t;
            auto blend = [&](double va, double vb, double vc, double vd) {
                return 0.5 * (2 * vb + (vc - va) * t + (2 * va - 5 * vb + 4 * vc - vd) * t2 +
                              (3 * vb - va - 3 * vc + vd) * t3);
            };
            samples.push_back({blend(a.x, b.x, c.x, d.x), blend(a.y, b.y, c.y, d.y)});
        }
    }
    samples.push_back(p.back());
    return samples;
}

class PathKeeper {
  public:
    explicit PathKeeper(std::vector<Point> samples) : samples_(std::move(samples)) {}
    const std::vector<Point>& Samples() const { return samples_; }
    // Distance from the box to the nearest part of the path.
    double Clearance(const Box& box) const {
        double best = 1e9;
        for (const Point& p : samples_) {
            const double dx = std::max({box.x0 - p.x, 0.0, p.x - box.x1});
            const double dy = std::max({box.y0 - p.y, 0.0, p.y - box.y1});
            best = std::min(best, std::hypot(dx, dy));
        }
        return best;
    }
    // True (and the box remembered) when the box keeps clear of the path and
    // of everything placed before.
    bool Claim(const Box& box, double clearance = kDotClearance) {
        if (box.x0 < -30 || box.x1 > kMapWidth + 30) return false;
        if (Clearance(box) < clearance) return false;
        for (const Box& taken : taken_) {
            if (taken.Overlaps(box)) return false;
        }
        taken_.push_back(box);
        return true;
    }

  private:
    std::vector<Point> samples_;
    std::vector<Box> taken_;
};

void TracePath(cairo_t* cr, const std::vector<Point>& p) {
    cairo_move_to(cr, p[0].x, p[0].y);
    for (size_t i = 0; i + 1 < p.size(); ++i) {
        const Point& a = p[i > 0 ? i - 1 : i];
        const Point& b = p[i];
        const Point& c = p[i + 1];
        const Point& d = p[std::min(i + 2, p.size() - 1)];
        cairo_curve_to(cr, b.x + (c.x - a.x) / 6, b.y + (c.y - a.y) / 6, c.x - (d.x - b.x) / 6,
                       c.y - (d.y - b.y) / 6, c.x, c.y);
    }
}

// The ground: moss and grass by moonlight, mistier and more violet towards
// the manor at the top, with a strip of night sky along the top edge.
void PaintTerrain(Canvas& canvas) {
    const uint64_t seed = SeedOf("map terrain");
    const Field patches = NoiseField(kMapWidth, kMapHeight, 160, seed, 4);
    const Field detail = NoiseField(kMapWidth, kMapHeight, 28, seed + 1, 3);
    const Rgb low = Rgb8(0x1E2C2C), high = Rgb8(0x3C5A42), top = Rgb8(0x2A2448),
              sky = Rgb8(0x121434);
    canvas.Flush();
    for (int y = 0; y < kMapHeight; ++y) {
        uint32_t* row = canvas.Row(y);
        const double towardsManor = SmoothStep(1100, 150, y);
        const double skyBand = 1 - SmoothStep(20, 110, y);
        for (int x = 0; x < kMapWidth; ++x) {
            const double n = patches.At(x, y), d = detail.At(x, y);
            Rgb ground = Mix(low, high, SmoothStep(0.3, 0.72, n) * 0.85 + (d - 0.5) * 0.3);
            ground = Mix(ground, top, towardsManor * 0.55);
            // Moonlight from the top left brightens that side a touch.
            ground = Shade(ground,
                           1.0 + 0.12 * (1 - x / double(kMapWidth)) * (1 - y / double(kMapHeight)));
            row[x] = 0;
            BlendOver(row[x], Mix(ground, sky, skyBand), 1.0);
        }
    }
    canvas.MarkDirty();
    PaintStars(canvas, seed + 2, 40, 80, 0.8);
    PaintMoon(canvas, 930, 46, 26, kMoonlight, 0.7);
}

void PaintPath(Canvas& canvas, const std::vector<Point>& waypoints,
               const std::vector<Point>& samples) {
    cairo_t* cr = canvas.Cr();
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // Trodden grass either side, then the worn earth with a darker verge.
    {
        Canvas worn(kMapWidth, kMapHeight);
        cairo_t* wc = worn.Cr();
        cairo_set_line_cap(wc, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(wc, CAIRO_LINE_JOIN_ROUND);
        TracePath(wc, waypoints);
        cairo_set_line_width(wc, 70);
        SetColor(wc, Rgb8(0x7A8A5A), 0.22);
        cairo_stroke(wc);
        TracePath(wc, waypoints);
        cairo_set_line_width(wc, 44);
        SetColor(wc, kInk, 0.55);
        cairo_stroke(wc);
        BlurContent(worn, 6);
        canvas.Draw(worn, 0, 0);
    }
    TracePath(cr, waypoints);
    cairo_set_line_width(cr, 34);
    SetColor(cr, Rgb8(0x5E4632));
    cairo_stroke(cr);
    TracePath(cr, waypoints);
    cairo_set_line_width(cr, 26);
    SetColor(cr, Rgb8(0x86664A));
    cairo_stroke(cr);
    // A paler, well-trodden line down the middle, offset towards the light.
    cairo_translate(cr, -2, -2);
    TracePath(cr, waypoints);
    cairo_set_line_width(cr, 10);
    SetColor(cr, Rgb8(0xB08C64), 0.55);
    cairo_stroke(cr);
    cairo_restore(cr);
    // Pebbles and ruts.
    Rng rng(SeedOf("map pebbles"));
    for (size_t i = 0; i < samples.size(); i += 2) {
        const Point& p = samples[i];
        const double ox = rng.Range(-12, 12), oy = rng.Range(-12, 12), r = rng.Range(0.8, 2.2);
        cairo_arc(cr, p.x + ox, p.y + oy, r, 0, 2 * M_PI);
        SetColor(cr, rng.Chance(0.5) ? Rgb8(0xC8A880) : Rgb8(0x4A3626), rng.Range(0.4, 0.8));
        cairo_fill(cr);
    }
}

Look MapLook(Rgb lower, Rgb upper) {
    Look look;
    look.lower = lower;
    look.upper = upper;
    look.gradientTop = 0;
    look.gradientBottom = kMapHeight;
    look.rim = kMoonlight;
    look.rimAlpha = 0.45;
    look.rimWidth = 1.3;
    look.windowGlow = 1.0;
    return look;
}

// Things beside the path cast soft shadows down and to the right.
void CastShadows(Canvas& canvas, const Layer& layer) {
    layer.Shadow(canvas, 7, 5, 4, 0.45);
}

void PlaceLandmarks(Canvas& canvas, PathKeeper& keeper) {
    Rng rng(SeedOf("map landmarks"));
    Layer buildings(kMapWidth, kMapHeight);
    cairo_t* cr = buildings.Cr();
    auto claim = [&](double x, double baseY, double w, double h) {
        return keeper.Claim({x - w / 2, baseY - h, x + w / 2, baseY + 6});
    };
    // The village where the story starts (levels 1-3).
    const double cottages[][3] = {
        {90, 1205, 62},  {200, 1190, 70}, {320, 1200, 60}, {140, 1300, 66}, {260, 1305, 72},
        {380, 1290, 58}, {70, 1395, 60},  {200, 1398, 64}, {330, 1405, 56}, {120, 1492, 62},
        {260, 1496, 66}, {760, 1480, 60}, {900, 1470, 64}};
    for (const auto& c : cottages) {
        if (claim(c[0], c[1], c[2] * 1.2, c[2]))
            Cottage(cr, rng, c[0], c[1], c[2], c[2], buildings.PartsPtr());
    }
    // The churchyard's church (17-26), the mill (37-46), the crypt (47-58),
    // the witch's hut (59-71) and the manor (72-100).
    if (claim(545, 958, 120, 125)) Church(cr, rng, 545, 958, 110, 125, buildings.PartsPtr());
    if (claim(300, 830, 130, 140))
        Windmill(cr, rng, 300, 830, 120, 0.5, true, buildings.PartsPtr());
    Layer crypt(kMapWidth, kMapHeight);
    if (claim(840, 625, 100, 88)) Crypt(crypt.Cr(), 840, 625, 84, 88, crypt.PartsPtr());
    if (claim(228, 476, 64, 86)) {
        cairo_save(cr);
        cairo_translate(cr, 228, 476);
        cairo_rotate(cr, 0.07);
        Cottage(cr, rng, 0, 0, 58, 84, nullptr);
        cairo_restore(cr);
        buildings.Parts().windows.push_back({208, 445, 12, 15, true, true});
        buildings.Parts().windows.push_back({240, 448, 11, 13, false, true});
    }
    if (claim(440, 300, 300, 270)) Manor(cr, rng, 440, 300, 300, 270, buildings.PartsPtr());
    if (claim(855, 318, 80, 60)) Fountain(cr, 855, 318, 76);
    CastShadows(canvas, buildings);
    CastShadows(canvas, crypt);
    Look look = MapLook(Rgb8(0x1A1830), Rgb8(0x3A3660));
    buildings.Composite(canvas, look);
    look.glass = Rgb8(0x7CFFB0);  // the crypt glows with the spirits' light
    crypt.Composite(canvas, look);

    // Warm and eerie lights about the landmarks.
    Cauldron(canvas.Cr(), 290, 512, 34, Rgb8(0x7CFF6A));
    const double pumpkins[][3] = {
        {150, 1248, 9}, {330, 1246, 8}, {236, 1348, 10}, {420, 1345, 7}, {110, 1350, 7}};
    for (const auto& p : pumpkins) {
        if (keeper.Claim({p[0] - p[2], p[1] - p[2] * 2, p[0] + p[2], p[1]}, 18))
            Pumpkin(canvas.Cr(), p[0], p[1], p[2], true);
    }
    AddGlow(canvas.Cr(), 840, 600, 90, Rgb8(0x7CFFB0), 0.25);
}

void PlaceWaterAndLights(Canvas& canvas, PathKeeper& keeper) {
    cairo_t* cr = canvas.Cr();
    // The marsh pond (levels 4-8), mirroring the sky.
    if (keeper.Claim({745, 1115, 915, 1205}, 30)) {
        cairo_save(cr);
        cairo_translate(cr, 830, 1160);
        cairo_scale(cr, 82, 42);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        cairo_pattern_t* water = cairo_pattern_create_linear(0, 1118, 0, 1202);
        cairo_pattern_add_color_stop_rgb(water, 0, 0.10, 0.2, 0.26);
        cairo_pattern_add_color_stop_rgb(water, 1, 0.2, 0.34, 0.4);
        cairo_set_source(cr, water);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(water);
        cairo_set_line_width(cr, 3);
        SetColor(cr, Rgb8(0x14201C), 0.8);
        cairo_stroke(cr);
        SetColor(cr, kMoonlight, 0.35);
        cairo_set_line_width(cr, 1.2);
        for (int i = 0; i < 4; ++i) {
            cairo_move_to(cr, 790 + i * 14, 1140 + i * 9);
            cairo_line_to(cr, 820 + i * 14, 1140 + i * 9);
        }
        cairo_stroke(cr);
        Rng rng(SeedOf("map reeds"));
        SetColor(cr, Rgb8(0x142420));
        Reeds(cr, rng, 752, 800, 1175, 34, 12);
        Reeds(cr, rng, 880, 912, 1165, 30, 9);
        Wisp(cr, 800, 1128, 3, Rgb8(0x9CF2D2));
        Wisp(cr, 872, 1150, 2.5, Rgb8(0x9CF2D2));
    }
    // Lamps along the way, every few levels, on the outside of the bends.
    const std::vector<Point>& samples = keeper.Samples();
    for (size_t i = 60; i + 12 < samples.size(); i += 95) {
        const Point& a = samples[i];
        const Point& b = samples[i + 6];
        const double dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
        if (length < 1e-6) continue;
        const double lx = a.x - dy / length * 40, ly = a.y + dx / length * 40;
        if (!keeper.Claim({lx - 10, ly - 44, lx + 12, ly + 4}, 20)) continue;
        SetColor(cr, Rgb8(0x1A1626));
        LampPost(cr, lx - 6, ly, 44);
        LanternLight(cr, lx - 6 + 8.8, ly - 35.2, 3.2);
    }
}

// Trees and graves by region, wherever there is room.
void ScatterScenery(Canvas& canvas, PathKeeper& keeper) {
    Rng rng(SeedOf("map scenery"));
    Layer trees(kMapWidth, kMapHeight);
    Layer graves(kMapWidth, kMapHeight);
    struct Candidate {
        double x, y, size;
        int kind;  // 0 leafy, 1 pine, 2 dead tree, 3 grave, 4 bush
    };
    std::vector<Candidate> candidates;
    for (int i = 0; i < 900; ++i) {
        const double x = rng.Range(0, kMapWidth), y = rng.Range(130, kMapHeight);
        int kind;
        if (y > 1110) {
            kind = rng.Chance(0.6) ? 0 : 4;  // village gardens
        } else if (x < 400 && y > 640) {
            kind = 1;  // the misty forest
        } else if (x > 800 && y > 700) {
            kind = 0;  // the orchard
        } else if (x > 430 && x < 640 && y > 760 && y < 1010) {
            kind = 3;  // the churchyard
        } else if (y < 300) {
            kind = rng.Chance(0.6) ? 2 : 4;  // the manor grounds
        } else {
            kind = rng.Chance(0.2) ? 3 : (rng.Chance(0.5) ? 2 : 1);
        }
        const double size = kind == 3 ? rng.Range(12, 18) : rng.Range(30, 56);
        candidates.push_back({x, y, size, kind});
    }
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.y < b.y; });
    for (const Candidate& c : candidates) {
        const double w = c.kind == 1 ? c.size * 0.45 : c.size * 0.8;
        if (!keeper.Claim({c.x - w / 2, c.y - c.size, c.x + w / 2, c.y + 3}, kDotClearance - 4))
            continue;
        switch (c.kind) {
            case 0:
                LeafyTree(trees.Cr(), rng, c.x, c.y, c.size);
                break;
            case 1:
                Pine(trees.Cr(), rng, c.x, c.y, c.size * 1.2, c.size * 0.45);
                break;
            case 2:
                DeadTree(trees.Cr(), rng, c.x, c.y, c.size * 1.1, rng.Range(-0.2, 0.2), 4);
                break;
            case 3:
                Grave(graves.Cr(), static_cast<GraveKind>(rng.Int(0, 3)), c.x, c.y, c.size * 0.6,
                      c.size, rng.Range(-8, 8));
                break;
            default:
                Bush(trees.Cr(), rng, c.x, c.y, c.size * 0.8, c.size * 0.45);
                break;
        }
    }
    CastShadows(canvas, graves);
    graves.Composite(canvas, MapLook(Rgb8(0x4A4E62), Rgb8(0x8A90A8)));
    CastShadows(canvas, trees);
    trees.Composite(canvas, MapLook(Rgb8(0x0E1A1A), Rgb8(0x26403A)));
}

void PaintMapMist(Canvas& canvas) {
    FogSpec mist;
    mist.color = Mix(kFog, kDusk, 0.3);
    mist.top = 100;
    mist.bottom = kMapHeight;
    mist.feather = 40;
    mist.density = 0.22;
    mist.coverage = 0.35;
    mist.scale = 200;
    mist.stretch = 3;
    mist.seed = SeedOf("map mist");
    PaintFog(canvas, mist);
}

}  // namespace

Canvas MapBackground() {
    Canvas canvas(kMapWidth, kMapHeight);
    PaintTerrain(canvas);
    const std::vector<Point> waypoints = Waypoints();
    PathKeeper keeper(SamplePath(waypoints));
    PaintMapMist(canvas);
    PaintPath(canvas, waypoints, keeper.Samples());
    PlaceWaterAndLights(canvas, keeper);
    PlaceLandmarks(canvas, keeper);
    ScatterScenery(canvas, keeper);
    PaintVignette(canvas, 0.35, 0.7);
    PaintTexture(canvas, SeedOf("map texture"), 0.04, 2.0);
    return canvas;
}

}  // namespace asset::scenes
