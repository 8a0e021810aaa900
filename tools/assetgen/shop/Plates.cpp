// The decoration pictures as the scene draws them, and the two smaller
// pictures made from the same drawing: the list plate and the "found" scene.
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "Decorations.h"
#include "Paint.h"
#include "assetkit/Random.h"
#include "manifest/Manifest.h"

namespace asset::shop {
namespace {

constexpr double kFeather = 6;  // px over which a picture's inner edges fade
constexpr int kListWidth = 100, kListHeight = 90;
constexpr double kPlateX = 50, kPlateY = 45, kPlateRadius = 40;
constexpr int kFoundWidth = 300, kFoundHeight = 180;

// Fades the picture out towards the edges that are not screen edges.
void FeatherEdges(Canvas& canvas, unsigned screenEdges) {
    const int w = canvas.Width(), h = canvas.Height();
    auto fade = [](double distance) { return SmoothStep(0, kFeather, distance + 0.5); };
    canvas.Flush();
    for (int y = 0; y < h; ++y) {
        double rowFactor = 1;
        if (!(screenEdges & kTop)) rowFactor *= fade(y);
        if (!(screenEdges & kBottom)) rowFactor *= fade(h - 1 - y);
        uint32_t* row = canvas.Row(y);
        for (int x = 0; x < w; ++x) {
            double factor = rowFactor;
            if (!(screenEdges & kLeft)) factor *= fade(x);
            if (!(screenEdges & kRight)) factor *= fade(w - 1 - x);
            if (factor >= 1) continue;
            uint32_t p = row[x], out = 0;
            for (int c = 0; c < 4; ++c) {
                out |= static_cast<uint32_t>(std::lround(((p >> (c * 8)) & 0xFF) * factor))
                       << (c * 8);
            }
            row[x] = out;
        }
    }
    canvas.MarkDirty();
}

// The part of the decoration the small pictures show.
Canvas IconSource(const Decoration& decoration) {
    if (decoration.iconArt) return decoration.iconArt();
    Canvas full = RenderDecoration(decoration);
    Frame f = decoration.icon;
    if (f.width <= 0)
        f = {0, 0, static_cast<double>(full.Width()), static_cast<double>(full.Height()),
             f.rotation};
    const double angle = f.rotation * M_PI / 180;
    const double c = std::abs(std::cos(angle)), s = std::abs(std::sin(angle));
    const int w = static_cast<int>(std::ceil(f.width * c + f.height * s));
    const int h = static_cast<int>(std::ceil(f.width * s + f.height * c));
    Canvas part(w, h);
    cairo_t* cr = part.Cr();
    cairo_translate(cr, w / 2.0, h / 2.0);
    cairo_rotate(cr, angle);
    cairo_translate(cr, -f.width / 2 - f.x, -f.height / 2 - f.y);
    cairo_set_source_surface(cr, full.Surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BEST);
    cairo_rectangle(cr, f.x, f.y, f.width, f.height);
    cairo_fill(cr);
    part.Reset();
    return part;
}

// Draws the art scaled to fit a box centred on (cx, cy), with a soft shadow
// below it (light from the top left).
void DrawFitted(Canvas& target, const Canvas& art, double cx, double cy, double boxWidth,
                double boxHeight, double shadowAlpha) {
    const double scale = std::min(boxWidth / art.Width(), boxHeight / art.Height());
    const double w = art.Width() * scale, h = art.Height() * scale;
    const double x = cx - w / 2, y = cy - h / 2;
    if (shadowAlpha > 0) {
        Canvas shadow(target.Width(), target.Height());
        shadow.DrawScaled(art.Silhouette(0.03, 0.02, 0.08, shadowAlpha), x + 2, y + 3, w, h);
        shadow.Blur(2.5);
        target.Draw(shadow, 0, 0);
    }
    target.DrawScaled(art, x, y, w, h);
}

// The tier of a decoration sold in tiers (its name ends in 1, 2 or 3 and a
// sibling of another tier exists); 0 for a decoration sold once.
int TierOf(const Decoration& decoration) {
    const std::string& file = decoration.file;
    if (file.empty() || file.back() < '1' || file.back() > '3') return 0;
    const std::string stem = file.substr(0, file.size() - 1);
    for (char sibling : {'1', '2', '3'}) {
        if (sibling != file.back() && FindDecoration(stem + sibling)) return file.back() - '0';
    }
    return 0;
}

// The ring's metal by tier: wrought iron, then silver, then gold.
struct RingMetal {
    Rgb ring, line, beads;
};

RingMetal MetalOf(int tier) {
    switch (tier) {
        case 2:
            return {style::Rgb8(0x8C92AA), style::Rgb8(0xE8ECF8), style::Rgb8(0xF4F6FF)};
        case 3:
            return {style::Rgb8(0xA8781C), style::Rgb8(0xFFE07A), style::Rgb8(0xFFF0B0)};
        default:
            return {style::Rgb8(0x434058), style::kGold, style::kIronHighlight};
    }
}

// Roman numeral bars (I, II, III) on a small dark plaque at the foot of the ring.
void PaintTierMark(cairo_t* cr, double cx, double cy, int tier, const RingMetal& metal) {
    const double width = 7 + 5 * tier, top = cy + kPlateRadius - 9;
    PaintSolid(cr, [&](cairo_t* c) { RoundedRectangle(c, cx - width / 2, top, width, 11, 3); },
               {style::Rgb8(0x1C1828), 0.3, 0.4, 1.0, 1.2, 0.5});
    for (int i = 0; i < tier; ++i) {
        const double x = cx + (i - (tier - 1) / 2.0) * 5;
        cairo_rectangle(cr, x - 1.1, top + 2.5, 2.2, 6);
        cairo_rectangle(cr, x - 2, top + 2, 4, 1.2);
        cairo_rectangle(cr, x - 2, top + 7.8, 4, 1.2);
    }
    SetColour(cr, metal.line);
    cairo_fill(cr);
}

void PaintPlate(cairo_t* cr, PlateState state, int tier) {
    const bool pressed = state == PlateState::Down, over = state == PlateState::Over;
    const double cx = kPlateX + (pressed ? 1 : 0), cy = kPlateY + (pressed ? 1 : 0),
                 r = kPlateRadius;
    RingMetal metal = MetalOf(tier);
    if (over) {
        // Under the mouse: a warm halo round the ring, and the metal catches it.
        Glow(cr, cx, cy, r + 4.5, style::kCandle, 0.5);
        metal = {Mix(metal.ring, style::kCandle, 0.3), Mix(metal.line, style::Rgb8(0xFFF6D0), 0.5),
                 Mix(metal.beads, style::Rgb8(0xFFF6D0), 0.5)};
    }
    // The ring with a bright bead line and eight studs.
    PaintSolid(cr, [&](cairo_t* c) { EllipsePath(c, cx, cy, r, r); },
               {pressed ? Darken(metal.ring, 0.35) : metal.ring, 0.45, 0.5, 1.4, 3.0, 0.7});
    cairo_arc(cr, cx, cy, r - 5.5, 0, 2 * M_PI);
    SetColour(cr, pressed ? Darken(metal.line, 0.4) : metal.line, 0.85);
    cairo_set_line_width(cr, tier >= 2 ? 2.0 : 1.6);
    cairo_stroke(cr);
    for (int i = 0; i < 8; ++i) {
        const double a = M_PI / 8 + i * M_PI / 4;
        const double rx = cx + std::cos(a) * (r - 2.6), ry = cy + std::sin(a) * (r - 2.6);
        PaintSolid(cr, [&](cairo_t* c) { EllipsePath(c, rx, ry, 1.8, 1.8); },
                   {metal.beads, 0.5, 0.5, 0.6, 0.6, 0.5});
    }
    // Velvet inside, lit from the top left.
    const double inner = r - 7;
    cairo_pattern_t* velvet =
        cairo_pattern_create_radial(cx - inner * 0.4, cy - inner * 0.45, 2, cx, cy, inner);
    const double dim = pressed ? 0.6 : over ? 1.3 : 1.0;
    cairo_pattern_add_color_stop_rgb(velvet, 0, 0.36 * dim, 0.27 * dim, 0.56 * dim);
    cairo_pattern_add_color_stop_rgb(velvet, 0.6, 0.18 * dim, 0.13 * dim, 0.33 * dim);
    cairo_pattern_add_color_stop_rgb(velvet, 1, 0.09 * dim, 0.07 * dim, 0.19 * dim);
    cairo_set_source(cr, velvet);
    cairo_arc(cr, cx, cy, inner, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(velvet);
    // Finer tiers glow behind the decoration: a silver sheen, then gold light.
    if (tier >= 2) {
        cairo_save(cr);
        cairo_arc(cr, cx, cy, inner, 0, 2 * M_PI);
        cairo_clip(cr);
        if (tier == 2) Glow(cr, cx, cy - 2, inner * 1.1, style::Rgb8(0xB8C4FF), 0.4 * dim);
        if (tier == 3) Glow(cr, cx, cy - 2, inner * 1.2, style::Rgb8(0xFFC860), 0.75 * dim);
        cairo_restore(cr);
    }
    if (over) {
        // Candlelight pooling behind the object, and a bright arc of the
        // ring's top left.
        cairo_save(cr);
        cairo_arc(cr, cx, cy, inner, 0, 2 * M_PI);
        cairo_clip(cr);
        Glow(cr, cx - 4, cy - 6, inner * 0.95, style::Rgb8(0xFFD890), 0.45);
        cairo_restore(cr);
        cairo_arc(cr, cx, cy, r - 1.2, M_PI * 1.05, M_PI * 1.7);
        SetColour(cr, style::Rgb8(0xFFF6D0), 0.8);
        cairo_set_line_width(cr, 1.4);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    if (pressed) {
        // Sunk: the ring throws a shadow into the plate.
        cairo_save(cr);
        cairo_arc(cr, cx, cy, inner, 0, 2 * M_PI);
        cairo_clip(cr);
        cairo_arc(cr, cx, cy, inner + 6, 0, 2 * M_PI);
        cairo_arc_negative(cr, cx + 2, cy + 3, inner, 2 * M_PI, 0);
        SetColour(cr, style::Rgb8(0x06040E), 0.55);
        cairo_fill(cr);
        cairo_restore(cr);
    }
}

// The object itself: the art cut down to where it is more than faintly
// opaque, so halos and empty margins do not shrink it on the small plate.
Canvas TrimToObject(const Canvas& art) {
    constexpr uint32_t kSolid = 64;
    int x0 = art.Width(), y0 = art.Height(), x1 = -1, y1 = -1;
    for (int y = 0; y < art.Height(); ++y) {
        const uint32_t* row = art.Row(y);
        for (int x = 0; x < art.Width(); ++x) {
            if ((row[x] >> 24) < kSolid) continue;
            x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        }
    }
    if (x1 < x0) return art;
    constexpr int kMargin = 2;
    x0 = std::max(0, x0 - kMargin), y0 = std::max(0, y0 - kMargin);
    x1 = std::min(art.Width() - 1, x1 + kMargin), y1 = std::min(art.Height() - 1, y1 + kMargin);
    Canvas trimmed(x1 - x0 + 1, y1 - y0 + 1);
    trimmed.Draw(art, -x0, -y0);
    return trimmed;
}

void FoundBackdrop(Canvas& canvas, uint64_t seed) {
    cairo_t* cr = canvas.Cr();
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, kFoundHeight);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.06, 0.07, 0.2);
    cairo_pattern_add_color_stop_rgb(sky, 0.7, 0.2, 0.16, 0.38);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.28, 0.2, 0.45);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    Glow(cr, 52, 38, 110, style::Rgb8(0x9A94D0), 0.35);
    Glow(cr, 52, 38, 16, style::kMoonlight, 0.95);
    Rng rng(seed);
    for (int i = 0; i < 30; ++i) {
        Glow(cr, rng.Range(0, kFoundWidth), rng.Range(0, 110), rng.Range(1.2, 2.4),
             style::kMoonlight, rng.Range(0.4, 0.9));
    }
    // A mound of moonlit grass for the find to stand on.
    cairo_pattern_t* ground = cairo_pattern_create_linear(0, 140, 0, kFoundHeight);
    cairo_pattern_add_color_stop_rgb(ground, 0, 0.2, 0.3, 0.24);
    cairo_pattern_add_color_stop_rgb(ground, 1, 0.1, 0.16, 0.13);
    EllipsePath(cr, 150, 226, 240, 76);
    cairo_set_source(cr, ground);
    cairo_fill(cr);
    cairo_pattern_destroy(ground);
    EllipsePath(cr, 150, 226, 240, 76);
    SetColour(cr, style::Rgb8(0x8FB0A0), 0.25);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // A warm halo behind the find.
    Glow(cr, 150, 95, 120, style::Rgb8(0xFFD890), 0.22);
}

// Soft-edged rounded frame so the picture sits gently on the dialog panel.
void VignetteMask(Canvas& canvas) {
    Canvas mask(canvas.Width(), canvas.Height());
    cairo_set_source_rgb(mask.Cr(), 1, 1, 1);
    RoundedRectangle(mask.Cr(), 8, 8, canvas.Width() - 16, canvas.Height() - 16, 22);
    cairo_fill(mask.Cr());
    mask.Blur(6);
    cairo_t* cr = canvas.Cr();
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_IN);
    cairo_set_source_surface(cr, mask.Surface(), 0, 0);
    cairo_paint(cr);
    canvas.Reset();
}

}  // namespace

Canvas RenderDecoration(const Decoration& decoration) {
    const Entry* entry = FindEntry("graphics/ShopScreen/items/" + decoration.file + ".png");
    if (!entry) throw std::runtime_error("no manifest entry for decoration " + decoration.file);
    Canvas canvas(entry->width, entry->height);
    decoration.draw(canvas);
    canvas.Reset();
    FeatherEdges(canvas, decoration.screenEdges);
    return canvas;
}

Canvas ListPicture(const Decoration& decoration, PlateState state) {
    const bool pressed = state == PlateState::Down, over = state == PlateState::Over;
    Canvas canvas(kListWidth, kListHeight);
    Canvas shadow(kListWidth, kListHeight);
    EllipsePath(shadow.Cr(), kPlateX + 2, kPlateY + 3, kPlateRadius, kPlateRadius);
    SetColour(shadow.Cr(), style::Rgb8(0x05040C), pressed ? 0.4 : 0.6);
    cairo_fill(shadow.Cr());
    shadow.Blur(3);
    canvas.Draw(shadow, 0, 0);
    const int tier = TierOf(decoration);
    PaintPlate(canvas.Cr(), state, tier);
    Canvas art = IconSource(decoration);
    art.Flush();
    const Canvas object = TrimToObject(art);
    const double shift = pressed ? 1 : 0;
    Canvas icon(kListWidth, kListHeight);
    // Inside the ring, clear of the tier mark at its foot.
    const double lift = tier ? 3 : 0;
    // Under the mouse the object grows a little and rises off the plate.
    const double grow = over ? 1.07 : 1.0, rise = over ? 1.5 : 0;
    DrawFitted(icon, object, kPlateX + shift, kPlateY + 1 + shift - lift - rise, 62 * grow,
               (tier ? 56 : 62) * grow, over ? 0.75 : 0.55);
    if (pressed) icon.Draw(icon.Silhouette(0.05, 0.03, 0.12, 0.3), 0, 0);
    canvas.Draw(icon, 0, 0);
    if (over) {
        // The object catches the light too: its own colours added once more.
        cairo_t* cr = canvas.Cr();
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        cairo_set_source_surface(cr, icon.Surface(), 0, 0);
        cairo_paint_with_alpha(cr, 0.35);
        cairo_restore(cr);
    }
    if (tier) PaintTierMark(canvas.Cr(), kPlateX + shift, kPlateY + shift, tier, MetalOf(tier));
    return canvas;
}

Canvas FoundPicture(const Decoration& decoration) {
    Canvas canvas(kFoundWidth, kFoundHeight);
    FoundBackdrop(canvas, SeedOf(decoration.file.c_str()));
    const Canvas art = IconSource(decoration);
    const double scale = std::min(236.0 / art.Width(), 146.0 / art.Height());
    const double h = art.Height() * scale;
    DrawFitted(canvas, art, kFoundWidth / 2.0, 166 - h / 2, 236, 146, 0.5);
    cairo_t* cr = canvas.Cr();
    const double sparkles[][3] = {{52, 120, 5}, {250, 60, 6}, {232, 134, 4}, {78, 70, 3.5}};
    for (const auto& s : sparkles)
        Sparkle(cr, s[0], s[1], s[2], style::kCandle, 0.85);
    canvas.Reset();
    VignetteMask(canvas);
    return canvas;
}

}  // namespace asset::shop
