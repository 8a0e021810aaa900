// The game's logo for the title screen and the maker's logo for the start-up
// splash.
#include <algorithm>
#include <cmath>

#include "Lettering.h"
#include "Recipes.h"
#include "TextPictures.h"
#include "assetkit/Random.h"

namespace asset::fonts {

namespace {

using style::Rgb;
using style::Rgb8;

struct Point {
    double x, y;
};

void SetColour(cairo_t* cr, const Rgb& c, double alpha = 1) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

// A four-pointed twinkle with a soft halo.
void Twinkle(cairo_t* cr, double x, double y, double size, double alpha) {
    RadialGlow(cr, x, y, size * 2.2, 0.8, 0.86, 1, 0.35 * alpha);
    StarPath(cr, x, y, 4, size, size * 0.22, 0);
    cairo_set_source_rgba(cr, 1, 1, 1, alpha);
    cairo_fill(cr);
}

// A crescent moon: a lit disc with a second disc cut out toward the lower left.
void CrescentMoon(Canvas& canvas, double cx, double cy, double radius) {
    cairo_t* cr = canvas.Cr();
    RadialGlow(cr, cx, cy, radius * 3.2, 0.62, 0.72, 1, 0.32);
    Canvas moon(canvas.Width(), canvas.Height());
    cairo_t* m = moon.Cr();
    cairo_pattern_t* light = cairo_pattern_create_radial(cx + radius * 0.35, cy - radius * 0.35,
                                                         radius * 0.1, cx, cy, radius);
    cairo_pattern_add_color_stop_rgb(light, 0, 1, 0.99, 0.94);
    cairo_pattern_add_color_stop_rgb(light, 1, 0.84, 0.86, 0.97);
    cairo_set_source(m, light);
    cairo_arc(m, cx, cy, radius, 0, 2 * M_PI);
    cairo_fill(m);
    cairo_pattern_destroy(light);
    cairo_set_operator(m, CAIRO_OPERATOR_DEST_OUT);
    cairo_arc(m, cx - radius * 0.45, cy + radius * 0.12, radius * 0.86, 0, 2 * M_PI);
    cairo_set_source_rgba(m, 0, 0, 0, 1);
    cairo_fill(m);
    canvas.Draw(moon, 0, 0);
}

// A small bat in flight, wings spread, as a dark silhouette with a pale rim.
void Bat(cairo_t* cr, double x, double y, double span, double tilt) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, tilt);
    cairo_scale(cr, span / 100.0, span / 100.0);
    for (int side : {-1, 1}) {
        cairo_move_to(cr, 0, -4);
        cairo_curve_to(cr, side * 18, -22, side * 38, -20, side * 50, -12);
        // Scalloped trailing edge between the finger bones.
        cairo_curve_to(cr, side * 42, -6, side * 40, 0, side * 40, 4);
        cairo_curve_to(cr, side * 33, -2, side * 27, -1, side * 24, 4);
        cairo_curve_to(cr, side * 18, -1, side * 11, 0, side * 8, 6);
        cairo_close_path(cr);
    }
    cairo_new_sub_path(cr);
    cairo_save(cr);
    cairo_scale(cr, 1, 1.5);
    cairo_arc(cr, 0, 0, 7, 0, 2 * M_PI);
    cairo_restore(cr);
    // Ears.
    cairo_move_to(cr, -5, -8);
    cairo_line_to(cr, -6, -17);
    cairo_line_to(cr, -1, -10);
    cairo_line_to(cr, 1, -10);
    cairo_line_to(cr, 6, -17);
    cairo_line_to(cr, 5, -8);
    cairo_close_path(cr);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 0.68, 0.74, 1, 0.55);
    cairo_set_line_width(cr, 2);
    cairo_stroke_preserve(cr);
    SetColour(cr, Rgb8(0x1A1433));
    cairo_fill(cr);
}

// Drifting mist: fractal noise gathered into a band around `centreY`.
void Mist(Canvas& canvas, double centreY, double halfHeight, double alpha, const char* seedName) {
    Canvas mist(canvas.Width(), canvas.Height());
    const uint64_t seed = SeedOf(seedName);
    mist.Flush();
    for (int y = 0; y < mist.Height(); ++y) {
        uint32_t* row = mist.Row(y);
        const double band = std::exp(-std::pow((y - centreY) / halfHeight, 2));
        for (int x = 0; x < mist.Width(); ++x) {
            const double edge = std::min(1.0, std::min(x, mist.Width() - 1 - x) / 60.0);
            const double n = FractalNoise(x / 70.0, y / 18.0, seed, 4);
            const double a = std::clamp((n - 0.38) * 2.2, 0.0, 1.0) * band * edge * alpha;
            const uint32_t a8 = static_cast<uint32_t>(std::lround(a * 255));
            // Pale blue-white, premultiplied.
            row[x] = a8 << 24 | (a8 * 215 / 255) << 16 | (a8 * 225 / 255) << 8 | a8;
        }
    }
    mist.MarkDirty();
    mist.Blur(2);
    canvas.Draw(mist, 0, 0);
}

// --- the game's logo --------------------------------------------------------

constexpr int kLogoWidth = 580, kLogoHeight = 220;
constexpr double kLogoBaseline = 172;

// A friendly little ghost: round head, scalloped hem, big eyes and a smile.
void Ghost(Canvas& canvas, double cx, double top, double size) {
    const double r = size / 2, hem = top + size * 1.15;
    auto body = [&](cairo_t* cr) {
        cairo_arc(cr, cx, top + r, r, M_PI, 2 * M_PI);
        cairo_curve_to(cr, cx + r, top + r * 1.6, cx + r * 1.15, hem - r * 0.2, cx + r * 1.3, hem);
        // Three scallops along the hem, the tail flicking right.
        const double step = r * 2.3 / 3;
        for (int i = 0; i < 3; ++i) {
            const double x0 = cx + r * 1.3 - step * i;
            cairo_curve_to(cr, x0 - step * 0.3, hem - r * 0.35, x0 - step * 0.7, hem - r * 0.35,
                           x0 - step, hem);
        }
        cairo_curve_to(cr, cx - r, hem - r * 0.4, cx - r, top + r * 1.5, cx - r, top + r);
        cairo_close_path(cr);
    };
    cairo_t* cr = canvas.Cr();
    RadialGlow(cr, cx, top + size * 0.6, size * 1.3, 0.7, 0.8, 1, 0.35);
    body(cr);
    cairo_pattern_t* sheet = cairo_pattern_create_linear(cx - r, top, cx + r, hem);
    cairo_pattern_add_color_stop_rgba(sheet, 0, 1, 1, 1, 0.97);
    cairo_pattern_add_color_stop_rgba(sheet, 0.6, 0.86, 0.89, 1, 0.93);
    cairo_pattern_add_color_stop_rgba(sheet, 1, 0.62, 0.62, 0.9, 0.85);
    cairo_set_source(cr, sheet);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(sheet);
    cairo_set_line_width(cr, size * 0.045);
    SetColour(cr, Rgb8(0x17123C), 0.9);
    cairo_stroke(cr);
    // Eyes with a glint, a small open smile and rosy cheeks.
    for (int side : {-1, 1}) {
        cairo_save(cr);
        cairo_translate(cr, cx + side * r * 0.36, top + r * 0.95);
        cairo_scale(cr, 1, 1.35);
        cairo_arc(cr, 0, 0, r * 0.15, 0, 2 * M_PI);
        cairo_restore(cr);
        SetColour(cr, Rgb8(0x1C1438));
        cairo_fill(cr);
        cairo_arc(cr, cx + side * r * 0.36 - r * 0.05, top + r * 0.88, r * 0.05, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill(cr);
        cairo_arc(cr, cx + side * r * 0.6, top + r * 1.3, r * 0.12, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 0.55, 0.7, 0.45);
        cairo_fill(cr);
    }
    cairo_move_to(cr, cx - r * 0.22, top + r * 1.32);
    cairo_curve_to(cr, cx - r * 0.1, top + r * 1.55, cx + r * 0.1, top + r * 1.55, cx + r * 0.22,
                   top + r * 1.32);
    cairo_close_path(cr);
    SetColour(cr, Rgb8(0x1C1438));
    cairo_fill(cr);
}

void LogoLettering(Canvas& logo) {
    const std::string title = "Hollowmere";
    // Fit the word to the picture's width at the face's natural shapes.
    const SizedFont probe(kDisplayFace, 100);
    const double probeWidth = InkOf(probe, LayOutLine(probe, title, 3)).width;
    const double size = 100 * 520 / probeWidth;
    const double k = size / 100;
    const SizedFont font(kDisplayFace, size);
    const std::vector<cairo_glyph_t> glyphs = LayOutLine(font, title, 3 * k);
    const cairo_text_extents_t ink = InkOf(font, glyphs);
    const double penX = std::round((kLogoWidth - ink.width) / 2 - ink.x_bearing);
    TextLook look = MoonlightLook(k);
    look.fill = {
        {0, Rgb8(0xFFFFFF)}, {0.35, Rgb8(0xE6EBFF)}, {0.75, Rgb8(0xB3AAF0)}, {1, Rgb8(0x7E6CD0)}};
    look.outline = 6.5 * k;
    look.backing = 3 * k;
    look.backingColour = Rgb8(0x8FA2F0);
    look.rim = 1.6 * k;
    look.rimColour = Rgb8(0x5A4AA8);
    look.glowAlpha = 0.9;
    look.glowRadius = 16 * k;
    look.glowColour = Rgb8(0x7E98FF);
    const PathTracer trace = [&](cairo_t* cr) {
        cairo_translate(cr, penX, kLogoBaseline);
        cairo_set_scaled_font(cr, font.Scaled());
        cairo_glyph_path(cr, glyphs.data(), static_cast<int>(glyphs.size()));
        cairo_identity_matrix(cr);
    };
    PaintText(logo, trace, look, kLogoBaseline - font.CapHeight(),
              kLogoBaseline + font.Descent() * 0.4);
}

// --- the maker's logo -------------------------------------------------------

constexpr int kMakerWidth = 600, kMakerHeight = 300;
constexpr double kBadgeX = 300, kBadgeY = 104, kBadgeRadius = 80;

Point Bezier(const Point (&p)[4], double t) {
    const double u = 1 - t;
    return {
        u * u * u * p[0].x + 3 * u * u * t * p[1].x + 3 * u * t * t * p[2].x + t * t * t * p[3].x,
        u * u * u * p[0].y + 3 * u * u * t * p[1].y + 3 * u * t * t * p[2].y + t * t * t * p[3].y};
}

// One leaflet of the frond: a pointed leaf from `base` along `angle`.
void Leaflet(cairo_t* cr, Point base, double angle, double length, const Rgb& colour) {
    cairo_save(cr);
    cairo_translate(cr, base.x, base.y);
    cairo_rotate(cr, angle);
    const double w = length * 0.2;
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, length * 0.3, -w, length * 0.75, -w * 0.8, length, 0);
    cairo_curve_to(cr, length * 0.75, w * 0.8, length * 0.3, w, 0, 0);
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, -w, 0, w);
    cairo_pattern_add_color_stop_rgb(shade, 0, std::min(1.0, colour.r * 1.35),
                                     std::min(1.0, colour.g * 1.3), std::min(1.0, colour.b * 1.3));
    cairo_pattern_add_color_stop_rgb(shade, 1, colour.r * 0.7, colour.g * 0.7, colour.b * 0.7);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
    cairo_restore(cr);
}

// A bracken frond rising from the lower left and arching right, its tip
// still curled like a fiddlehead.
void BrackenFrond(cairo_t* cr) {
    const Point stem[4] = {{kBadgeX - 48, kBadgeY + 86},
                           {kBadgeX - 40, kBadgeY + 10},
                           {kBadgeX - 20, kBadgeY - 54},
                           {kBadgeX + 24, kBadgeY - 50}};
    const Rgb young = Rgb8(0x9CCB52), ripe = Rgb8(0xD8A23A);
    constexpr int kPairs = 13;
    for (int i = 0; i < kPairs; ++i) {
        const double t = 0.12 + 0.8 * i / kPairs;
        const Point at = Bezier(stem, t), ahead = Bezier(stem, t + 0.01);
        const double along = std::atan2(ahead.y - at.y, ahead.x - at.x);
        const double length = 44 * std::pow(1 - t, 0.7) + 6;
        // Leaflets ripen from green at the foot to bracken gold at the tip.
        const double k = static_cast<double>(i) / kPairs;
        const Rgb colour{young.r + (ripe.r - young.r) * k, young.g + (ripe.g - young.g) * k,
                         young.b + (ripe.b - young.b) * k};
        Leaflet(cr, at, along - 1.0, length, colour);
        Leaflet(cr, at, along + 1.0, length * 0.92, colour);
    }
    cairo_move_to(cr, stem[0].x, stem[0].y);
    cairo_curve_to(cr, stem[1].x, stem[1].y, stem[2].x, stem[2].y, stem[3].x, stem[3].y);
    // The fiddlehead curl.
    cairo_curve_to(cr, stem[3].x + 12, stem[3].y + 2, stem[3].x + 14, stem[3].y + 14, stem[3].x + 5,
                   stem[3].y + 14);
    cairo_curve_to(cr, stem[3].x - 1, stem[3].y + 14, stem[3].x - 1, stem[3].y + 7, stem[3].x + 4,
                   stem[3].y + 7);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 3.2);
    SetColour(cr, Rgb8(0x6B5A22));
    cairo_stroke(cr);
}

// Two folded hills under the moon, the front one lit from the top left.
void FoldedHills(cairo_t* cr) {
    const double x = kBadgeX, y = kBadgeY, r = kBadgeRadius;
    cairo_move_to(cr, x - r, y + 20);
    cairo_curve_to(cr, x - 30, y - 8, x + 20, y + 4, x + r, y + 22);
    cairo_line_to(cr, x + r, y + r);
    cairo_line_to(cr, x - r, y + r);
    cairo_close_path(cr);
    SetColour(cr, Rgb8(0x2B3F4E));
    cairo_fill(cr);
    cairo_move_to(cr, x - r, y + 58);
    cairo_curve_to(cr, x - 10, y + 14, x + 40, y + 24, x + r, y + 44);
    cairo_line_to(cr, x + r, y + r);
    cairo_line_to(cr, x - r, y + r);
    cairo_close_path(cr);
    cairo_pattern_t* lit = cairo_pattern_create_linear(x - 30, y + 20, x + 20, y + 80);
    cairo_pattern_add_color_stop_rgb(lit, 0, 0.42, 0.6, 0.36);
    cairo_pattern_add_color_stop_rgb(lit, 1, 0.14, 0.25, 0.16);
    cairo_set_source(cr, lit);
    cairo_fill(cr);
    cairo_pattern_destroy(lit);
}

void BadgeSky(Canvas& badge) {
    cairo_t* cr = badge.Cr();
    cairo_pattern_t* sky =
        cairo_pattern_create_radial(kBadgeX + 20, kBadgeY - 40, 5, kBadgeX, kBadgeY, kBadgeRadius);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.32, 0.3, 0.62);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.06, 0.07, 0.2);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    Rng rng(SeedOf("maker stars"));
    for (int i = 0; i < 14; ++i) {
        const double sx = kBadgeX + rng.Range(-60, 60), sy = kBadgeY + rng.Range(-70, -5);
        cairo_arc(cr, sx, sy, rng.Range(0.6, 1.3), 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 1, 1, rng.Range(0.5, 0.9));
        cairo_fill(cr);
    }
    CrescentMoon(badge, kBadgeX + 46, kBadgeY - 16, 15);
    FoldedHills(cr);
    BrackenFrond(cr);
}

// The round badge: sky, moon, hills and frond inside a gilded ring.
void Badge(Canvas& logo) {
    cairo_t* cr = logo.Cr();
    RadialGlow(cr, kBadgeX, kBadgeY, kBadgeRadius * 1.5, 0.5, 0.55, 1, 0.25);
    Canvas inside(logo.Width(), logo.Height());
    BadgeSky(inside);
    Canvas disc(logo.Width(), logo.Height());
    cairo_arc(disc.Cr(), kBadgeX, kBadgeY, kBadgeRadius, 0, 2 * M_PI);
    cairo_set_source_rgb(disc.Cr(), 1, 1, 1);
    cairo_fill(disc.Cr());
    cairo_set_source_surface(cr, inside.Surface(), 0, 0);
    cairo_mask_surface(cr, disc.Surface(), 0, 0);
    // The ring, gilded and lit from the top left.
    cairo_new_path(cr);
    cairo_arc(cr, kBadgeX, kBadgeY, kBadgeRadius + 4, 0, 2 * M_PI);
    cairo_set_line_width(cr, 10);
    SetColour(cr, Rgb8(0x2A1A14));
    cairo_stroke_preserve(cr);
    cairo_pattern_t* gold =
        cairo_pattern_create_linear(kBadgeX - kBadgeRadius, kBadgeY - kBadgeRadius,
                                    kBadgeX + kBadgeRadius, kBadgeY + kBadgeRadius);
    cairo_pattern_add_color_stop_rgb(gold, 0, 1, 0.93, 0.65);
    cairo_pattern_add_color_stop_rgb(gold, 0.5, 0.91, 0.71, 0.19);
    cairo_pattern_add_color_stop_rgb(gold, 1, 0.55, 0.34, 0.08);
    cairo_set_source(cr, gold);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    cairo_pattern_destroy(gold);
}

void MakerName(Canvas& logo) {
    TextLook look = CandleGoldLook(0.55);
    look.glowAlpha = 0.2;
    const SizedFont nameFont(kStoryFace, 64);
    Canvas name = TextPicture(nameFont, "Brackenfold", look, 1);
    logo.Draw(name, std::round((kMakerWidth - name.Width()) / 2.0), 186);

    TextLook small;
    small.fill = {{0, Rgb8(0xE8ECFF)}, {1, Rgb8(0xA9B4D6)}};
    small.outline = 1.5;
    small.outlineColour = Rgb8(0x100C22);
    const SizedFont gamesFont(kBoldFace, 22);
    Canvas games = TextPicture(gamesFont, "GAMES", small, 9);
    const double gx = std::round((kMakerWidth - games.Width()) / 2.0), gy = 262;
    logo.Draw(games, gx, gy);
    // Fine rules either side of "GAMES".
    cairo_t* cr = logo.Cr();
    const double ruleY = gy + games.Height() / 2.0;
    for (int side : {-1, 1}) {
        const double inner = side < 0 ? gx - 10 : gx + games.Width() + 10;
        cairo_move_to(cr, inner, ruleY);
        cairo_line_to(cr, inner + side * 90, ruleY);
    }
    cairo_set_line_width(cr, 1.5);
    SetColour(cr, Rgb8(0xA9B4D6), 0.8);
    cairo_stroke(cr);
}

}  // namespace

Canvas GameLogo() {
    Canvas logo(kLogoWidth, kLogoHeight);
    cairo_t* cr = logo.Cr();
    // No moon of its own: the title's sky has the one moon, behind the logo.
    Bat(cr, 452, 30, 42, -0.2);
    Bat(cr, 478, 80, 26, 0.25);
    Twinkle(cr, 22, 26, 9, 0.9);
    Twinkle(cr, 222, 22, 6, 0.8);
    Twinkle(cr, 392, 44, 5, 0.7);
    Twinkle(cr, 566, 120, 6, 0.8);
    Ghost(logo, 316, 52, 54);  // rising from behind the "w"
    LogoLettering(logo);
    Mist(logo, 192, 22, 0.6, "logo mist");
    return logo;
}

Canvas MakerLogo() {
    Canvas logo(kMakerWidth, kMakerHeight);
    Badge(logo);
    MakerName(logo);
    return logo;
}

}  // namespace asset::fonts
