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
    // Brushwork: short strokes of lit and shadowed grass, leaning with the
    // wind, and now and then a few pale flowers.
    Rng rng(seed + 3);
    cairo_t* cr = canvas.Cr();
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 16000; ++i) {
        const double x = rng.Range(0, kMapWidth), y = rng.Range(100, kMapHeight);
        const double towardsManor = SmoothStep(1100, 150, y);
        const bool lit = rng.Chance(0.5 + 0.25 * (patches.At(x, y) - 0.5));
        Rgb stroke = lit ? Rgb8(0x6A9468) : Rgb8(0x0C1A18);
        stroke = Mix(stroke, lit ? Rgb8(0x6A5A98) : Rgb8(0x14102A), towardsManor * 0.6);
        const double length = rng.Range(2, 5), lean = rng.Range(-0.9, 0.5);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + std::sin(lean) * length, y - std::cos(lean) * length);
        cairo_set_line_width(cr, rng.Range(0.8, 1.6));
        SetColor(cr, stroke, rng.Range(0.08, 0.2));
        cairo_stroke(cr);
        if (rng.Chance(0.004)) {
            const Rgb petal = rng.Chance(0.5) ? Rgb8(0xD8D0F0) : Rgb8(0xE8C8D8);
            for (int f = 0; f < 4; ++f) {
                cairo_arc(cr, x + rng.Range(-5, 5), y + rng.Range(-3, 3), 0.9, 0, 2 * M_PI);
                SetColor(cr, petal, 0.45);
                cairo_fill(cr);
            }
        }
    }
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
    // Where each building meets the ground, for its contact shadow.
    struct Footing {
        double x, y, halfWidth;
    };
    std::vector<Footing> footings;
    auto claim = [&](double x, double baseY, double w, double h) {
        if (!keeper.Claim({x - w / 2, baseY - h, x + w / 2, baseY + 6})) return false;
        footings.push_back({x, baseY, w / 2});
        return true;
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
    {
        // Dark where walls meet the ground, then the cast shadow.
        Canvas contact(kMapWidth, kMapHeight);
        cairo_t* sc = contact.Cr();
        for (const Footing& f : footings) {
            cairo_save(sc);
            cairo_translate(sc, f.x + 3, f.y + 1);
            cairo_scale(sc, f.halfWidth * 1.05, std::max(5.0, f.halfWidth * 0.14));
            cairo_arc(sc, 0, 0, 1, 0, 2 * M_PI);
            cairo_restore(sc);
            SetColor(sc, Rgb8(0x04050A), 0.75);
            cairo_fill(sc);
        }
        BlurContent(contact, 3);
        canvas.Draw(contact, 0, 0);
    }
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

// The kinds of tree and shrub the map grows.
enum class Growth { Oak, Poplar, Pine, Dead, Bush, Grave };

// Foliage colours by kind and region: moss, sea and olive greens, the
// orchard's autumn rust and amber, the forest's blue-black firs, the
// manor's violet-tinged shrubs.
Rgb FoliageColour(Rng& rng, Growth kind, double x, double y) {
    static const Rgb kGreens[] = {Rgb8(0x2E5A3C), Rgb8(0x3A6A44), Rgb8(0x24504C), Rgb8(0x4A5E2E),
                                  Rgb8(0x35603A)};
    static const Rgb kAutumn[] = {Rgb8(0x8A4A22), Rgb8(0x9A6A24), Rgb8(0x7A3A2A), Rgb8(0x6A6A2A)};
    static const Rgb kFirs[] = {Rgb8(0x1E3A34), Rgb8(0x23443A), Rgb8(0x1A3440), Rgb8(0x2A4A3A)};
    Rgb colour = kGreens[rng.Int(0, 4)];
    if (kind == Growth::Pine) colour = kFirs[rng.Int(0, 3)];
    if (kind == Growth::Dead) colour = Mix(Rgb8(0x3A3048), Rgb8(0x4A3C34), rng.Uniform());
    const bool orchard = x > 800 && y > 700 && y < 1110;
    if (orchard && kind == Growth::Oak && rng.Chance(0.55)) colour = kAutumn[rng.Int(0, 3)];
    if (y < 300) colour = Mix(colour, Rgb8(0x3A3060), 0.4);  // the manor's violet gloom
    return Shade(colour, rng.Range(0.62, 0.85));
}

// One tree or shrub, painted: its shape drawn on a canvas of its own, then
// shaded inside its outline (lit from the top left, a bark-brown foot),
// dabbed with lit and shadowed leaves, and rimmed by the moon.
void PaintGrowth(Canvas& canvas, Rng& rng, Growth kind, double x, double baseY, double size) {
    const int w = int(size * 1.6) + 16, h = int(size * 1.5) + 12;
    const double ox = w / 2.0, oy = h - 6.0;  // the foot, in the canvas
    Canvas art(w, h);
    cairo_t* cr = art.Cr();
    cairo_set_source_rgb(cr, 1, 1, 1);
    switch (kind) {
        case Growth::Oak:
            LeafyTree(cr, rng, ox, oy, size);
            break;
        case Growth::Poplar:
            // A tall column of leaves on a short trunk.
            cairo_rectangle(cr, ox - size * 0.04, oy - size * 0.25, size * 0.08, size * 0.26);
            for (int i = 0; i < 6; ++i) {
                const double t = i / 5.0;
                cairo_new_sub_path(cr);
                cairo_save(cr);
                cairo_translate(cr, ox + rng.Range(-2, 2), oy - size * (0.3 + 0.55 * t));
                cairo_scale(cr, size * (0.16 - 0.07 * t) * rng.Range(0.9, 1.15), size * 0.17);
                cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
                cairo_restore(cr);
            }
            cairo_fill(cr);
            break;
        case Growth::Pine:
            Pine(cr, rng, ox, oy, size * rng.Range(1.05, 1.35), size * rng.Range(0.36, 0.6));
            break;
        case Growth::Dead:
            DeadTree(cr, rng, ox, oy, size * 1.1, rng.Range(-0.2, 0.2), 4);
            break;
        default:
            Bush(cr, rng, ox, oy, size * 0.8, size * rng.Range(0.38, 0.55));
            break;
    }
    const Rgb foliage = FoliageColour(rng, kind, x, baseY);
    const Rgb bark = Rgb8(0x3A2A24);
    Canvas body = art.Silhouette(foliage.r, foliage.g, foliage.b);
    cairo_t* bc = body.Cr();
    cairo_set_operator(bc, CAIRO_OPERATOR_ATOP);
    // Moonlight from the top left, shade to the bottom right.
    cairo_pattern_t* light = cairo_pattern_create_linear(ox - size * 0.4, oy - size * 1.1,
                                                         ox + size * 0.4, oy - size * 0.1);
    cairo_pattern_add_color_stop_rgba(light, 0, kMoonlight.r, kMoonlight.g, kMoonlight.b, 0.14);
    cairo_pattern_add_color_stop_rgba(light, 0.5, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(light, 1, 0.02, 0.02, 0.05, 0.6);
    cairo_set_source(bc, light);
    cairo_paint(bc);
    cairo_pattern_destroy(light);
    if (kind != Growth::Bush && kind != Growth::Dead) {
        // A bark-brown trunk below the leaves.
        cairo_rectangle(bc, 0, oy - size * 0.22, w, size * 0.22 + 6);
        FillVertical(bc, oy - size * 0.22, oy, Mix(foliage, bark, 0.3), bark, 0.85);
    }
    if (kind != Growth::Dead) {
        // Leaf dabs: lighter where the moon reaches, darker in the shade.
        const int dabs = int(size * size / 14);
        for (int i = 0; i < dabs; ++i) {
            const double dx = rng.Range(-size * 0.5, size * 0.5),
                         dy = rng.Range(-size * 1.3, -size * 0.15);
            const double facing = -(dx / size) - (dy + size * 0.7) / size;  // > 0 towards the moon
            const bool lit = rng.Chance(0.5 + 0.6 * facing);
            SetColor(bc, lit ? Mix(foliage, kMoonlight, 0.3) : Shade(foliage, 0.4),
                     rng.Range(0.2, 0.45));
            const double r = rng.Range(0.9, 2.0);
            cairo_save(bc);
            cairo_translate(bc, ox + dx, oy + dy);
            cairo_rotate(bc, rng.Range(0, M_PI));
            cairo_scale(bc, r, r * 0.65);
            cairo_arc(bc, 0, 0, 1, 0, 2 * M_PI);
            cairo_restore(bc);
            cairo_fill(bc);
        }
    }
    if (kind == Growth::Bush && rng.Chance(0.35)) {
        // Berries or late flowers.
        const Rgb bloom = rng.Chance(0.5) ? Rgb8(0xC05A7A) : Rgb8(0xB8A8E8);
        for (int i = 0; i < 7; ++i) {
            cairo_arc(bc, ox + rng.Range(-size * 0.3, size * 0.3),
                      oy - rng.Range(size * 0.08, size * 0.35), 1.1, 0, 2 * M_PI);
        }
        SetColor(bc, bloom, 0.85);
        cairo_fill(bc);
    }
    const Canvas rim = art.Silhouette(kMoonlight.r, kMoonlight.g, kMoonlight.b, 0.4);
    canvas.Draw(rim, x - ox - 1.2, baseY - oy - 1.2);
    canvas.Draw(body, x - ox, baseY - oy);
}

// Trees and graves by region, wherever there is room.
void ScatterScenery(Canvas& canvas, PathKeeper& keeper) {
    Rng rng(SeedOf("map scenery"));
    Layer graves(kMapWidth, kMapHeight);
    struct Candidate {
        double x, y, size;
        Growth kind;
    };
    std::vector<Candidate> candidates;
    for (int i = 0; i < 900; ++i) {
        const double x = rng.Range(0, kMapWidth), y = rng.Range(130, kMapHeight);
        Growth kind;
        if (y > 1110) {
            // Village gardens: fruit trees, poplars by the lanes, hedges.
            kind = rng.Chance(0.45) ? Growth::Oak : rng.Chance(0.4) ? Growth::Poplar : Growth::Bush;
        } else if (x < 400 && y > 640) {
            kind = rng.Chance(0.85) ? Growth::Pine : Growth::Dead;  // the misty forest
        } else if (x > 800 && y > 700) {
            kind = rng.Chance(0.8) ? Growth::Oak : Growth::Bush;  // the orchard
        } else if (x > 430 && x < 640 && y > 760 && y < 1010) {
            kind = Growth::Grave;  // the churchyard
        } else if (y < 300) {
            kind = rng.Chance(0.5)   ? Growth::Dead
                   : rng.Chance(0.5) ? Growth::Bush
                                     : Growth::Poplar;  // manor
        } else {
            kind = rng.Chance(0.2)   ? Growth::Grave
                   : rng.Chance(0.4) ? Growth::Dead
                   : rng.Chance(0.6) ? Growth::Pine
                                     : Growth::Oak;
        }
        const double size = kind == Growth::Grave ? rng.Range(12, 18) : rng.Range(26, 60);
        candidates.push_back({x, y, size, kind});
    }
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.y < b.y; });
    std::vector<Candidate> placed;
    for (const Candidate& c : candidates) {
        const double w =
            c.kind == Growth::Pine || c.kind == Growth::Poplar ? c.size * 0.45 : c.size * 0.8;
        if (!keeper.Claim({c.x - w / 2, c.y - c.size, c.x + w / 2, c.y + 3}, kDotClearance - 4))
            continue;
        if (c.kind == Growth::Grave) {
            Grave(graves.Cr(), static_cast<GraveKind>(rng.Int(0, 3)), c.x, c.y, c.size * 0.6,
                  c.size, rng.Range(-8, 8));
        } else {
            placed.push_back(c);
        }
    }
    CastShadows(canvas, graves);
    graves.Composite(canvas, MapLook(Rgb8(0x4A4E62), Rgb8(0x8A90A8)));
    // Every tree's shadow falls before any tree is painted, so none lies
    // across a trunk in front of it.
    Canvas shadows(kMapWidth, kMapHeight);
    for (const Candidate& c : placed) {
        cairo_t* cr = shadows.Cr();
        cairo_save(cr);
        cairo_translate(cr, c.x + c.size * 0.12, c.y + 1);
        cairo_scale(cr, c.size * (c.kind == Growth::Bush ? 0.45 : 0.32), c.size * 0.09);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        SetColor(cr, Rgb8(0x05070C), 0.6);
        cairo_fill(cr);
    }
    BlurContent(shadows, 3);
    canvas.Draw(shadows, 0, 0);
    for (const Candidate& c : placed)
        PaintGrowth(canvas, rng, c.kind, c.x, c.y, c.size);
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
