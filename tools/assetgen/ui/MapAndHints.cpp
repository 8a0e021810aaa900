// The map screen's level dots and frame band, and the tutorial's arrows,
// tip panel and move glow.
#include <cmath>
#include <string>

#include "Paint.h"
#include "UiAssets.h"
#include "assetkit/Random.h"

namespace asset::ui {

using namespace style;

namespace {

// --- Map dots ----------------------------------------------------------------

enum class DotLook { Locked, Open, Over };

// A stone (grey when locked, a glowing amber when open) in an iron ring,
// with a star engraved on the story levels' larger medallions.
Canvas MapDot(int size, DotLook look, bool story) {
    Canvas canvas(size, size);
    Canvas dot(size, size);
    cairo_t* cr = dot.Cr();
    const double c = size / 2.0;
    const double ring = c - 3.5, stone = ring - 3.2;
    const Box area{c - ring, c - ring, 2 * ring, 2 * ring};
    cairo_arc(cr, c, c, ring, 0, 2 * M_PI);
    cairo_pattern_t* iron = LightGradient(area, kIronHighlight, 1, Rgb8(0x1E1F27), 1);
    cairo_set_source(cr, iron);
    cairo_fill(cr);
    cairo_pattern_destroy(iron);
    cairo_arc(cr, c, c, stone, 0, 2 * M_PI);
    cairo_pattern_t* fill =
        cairo_pattern_create_radial(c - stone * 0.35, c - stone * 0.4, stone * 0.1, c, c, stone);
    if (look == DotLook::Locked) {
        cairo_pattern_add_color_stop_rgb(fill, 0, 0.62, 0.63, 0.7);
        cairo_pattern_add_color_stop_rgb(fill, 1, 0.2, 0.2, 0.26);
    } else {
        const double lift = look == DotLook::Over ? 1.0 : 0.0;
        cairo_pattern_add_color_stop_rgb(fill, 0, 1, 0.96, 0.78 + 0.15 * lift);
        cairo_pattern_add_color_stop_rgb(fill, 0.45, kCandle.r, kCandle.g, kCandle.b + 0.2 * lift);
        cairo_pattern_add_color_stop_rgb(fill, 1, kPumpkin.r * 0.8, kPumpkin.g * 0.6, 0.05);
    }
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    SetColour(cr, kShadowInk, 0.75);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (story) {
        StarPath(cr, c, c + 0.5, 5, stone * 0.62, stone * 0.26, 0);
        if (look == DotLook::Locked) {
            SetColour(cr, Rgb8(0x2A2A34), 0.8);
        } else {
            SetColour(cr, Rgb8(0xFFFBEA), 0.95);
        }
        cairo_fill(cr);
    }
    // Glint.
    cairo_arc(cr, c - stone * 0.4, c - stone * 0.42, stone * 0.22, 0, 2 * M_PI);
    SetColour(cr, Rgb8(0xFFFFFF), look == DotLook::Locked ? 0.45 : 0.8);
    cairo_fill(cr);
    if (look != DotLook::Locked) {
        OuterGlow(canvas, dot, 0, 0, 2.5, kCandle, look == DotLook::Over ? 1.6 : 0.7);
    }
    DropShadow(canvas, dot, 0, 0, 1, 1.5, 1.2, 0.6);
    canvas.Draw(dot, 0, 0);
    return canvas;
}

// --- The map's frame band ------------------------------------------------------

// A full-width band with a raised central plaque. The same picture is drawn
// at the bottom (plaque holding the level label and the timed check box) and
// at y -53 as the top panel (the lower 67 rows show, the title centred on
// row 83), so both its top and bottom edges are finished rims.
Canvas BottomPanel() {
    constexpr int kWidth = 1024, kHeight = 120;
    Canvas canvas(kWidth, kHeight);
    Canvas band(kWidth, kHeight);
    FrameStyle frame;
    frame.radius = 8;
    frame.iron = 8;
    frame.groove = true;
    frame.rimRivets = true;
    frame.seed = SeedOf("BottomPanel band");
    DrawFrame(band, {-40, 34, kWidth + 80, kHeight - 34}, frame, State::Normal);
    FrameStyle plaque = frame;
    plaque.radius = 30;
    plaque.bracket = 30;
    plaque.rimRivets = false;
    plaque.seed = SeedOf("BottomPanel plaque");
    Canvas raised(kWidth, kHeight);
    DrawFrame(raised, {312, 2, 400, kHeight - 2}, plaque, State::Normal);
    Inset(raised, {332, 24, 360, 78}, 14, 0.9);
    DropShadow(band, raised, 0, 0, 0, 2, 3, 0.7);
    band.Draw(raised, 0, 0);
    DropShadow(canvas, band, 0, 0, 0, -2, 2.5, 0.5);
    canvas.Draw(band, 0, 0);
    return canvas;
}

// --- Tutorial hints -----------------------------------------------------------

// A plank arrow pointing left with a golden glow; the tip text is drawn on
// it centred at (156, 36).
Canvas ArrowThin() {
    constexpr int kWidth = 300, kHeight = 70;
    Canvas canvas(kWidth, kHeight);
    Canvas arrow(kWidth, kHeight);
    FrameStyle frame;
    frame.radius = 8;
    frame.iron = 4;
    frame.point = 46;
    frame.pointDirection = -1;
    frame.woodBrightness = 0.75;
    frame.seed = SeedOf("ArrowThin");
    DrawFrame(arrow, {6, 12, kWidth - 14, 46}, frame, State::Normal);
    cairo_t* cr = arrow.Cr();
    Rivet(cr, kWidth - 16, 24, 2.2);
    Rivet(cr, kWidth - 16, 46, 2.2);
    OuterGlow(canvas, arrow, 0, 0, 4, kCandle, 1.2);
    DropShadow(canvas, arrow, 0, 0, 2, 3, 2, 0.6);
    canvas.Draw(arrow, 0, 0);
    return canvas;
}

// A chunky gilded arrow pointing down.
Canvas ArrowSmall() {
    constexpr int kWidth = 52, kHeight = 64;
    Canvas canvas(kWidth, kHeight);
    Canvas arrow(kWidth, kHeight);
    cairo_t* cr = arrow.Cr();
    const double c = kWidth / 2.0;
    cairo_move_to(cr, c - 8, 6);
    cairo_line_to(cr, c + 8, 6);
    cairo_line_to(cr, c + 8, 28);
    cairo_line_to(cr, c + 20, 28);
    cairo_line_to(cr, c, 56);
    cairo_line_to(cr, c - 20, 28);
    cairo_line_to(cr, c - 8, 28);
    cairo_close_path(cr);
    cairo_pattern_t* gold = cairo_pattern_create_linear(c - 20, 6, c + 20, 56);
    cairo_pattern_add_color_stop_rgb(gold, 0, 1, 0.95, 0.7);
    cairo_pattern_add_color_stop_rgb(gold, 0.45, kCandle.r, kCandle.g, kCandle.b);
    cairo_pattern_add_color_stop_rgb(gold, 1, kPumpkin.r * 0.8, kPumpkin.g * 0.55, 0.05);
    cairo_set_source(cr, gold);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gold);
    SetColour(cr, kShadowInk, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_move_to(cr, c - 5, 9);
    cairo_line_to(cr, c - 5, 30);
    SetColour(cr, Rgb8(0xFFFFFF), 0.6);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    OuterGlow(canvas, arrow, 0, 0, 3, kCandle, 1.0);
    DropShadow(canvas, arrow, 0, 0, 2, 2, 1.5, 0.6);
    canvas.Draw(arrow, 0, 0);
    return canvas;
}

// The tip panel: header at +41, body from +69; a click anywhere closes it,
// which the iron close mark in the corner says.
Canvas TipWithClose() {
    constexpr int kWidth = 420, kHeight = 220;
    Canvas canvas(kWidth, kHeight);
    FrameStyle frame;
    frame.radius = 14;
    frame.iron = 6;
    frame.bracket = 30;
    frame.seed = SeedOf("TipWithClose");
    DrawFrame(canvas, {0, 0, kWidth, kHeight}, frame, State::Normal);
    Inset(canvas, {16, 16, kWidth - 32, kHeight - 32}, 10);
    const double cx = kWidth - 34, cy = 34, r = 12;
    WithShadow(
        canvas,
        [&](Canvas& layer) {
            cairo_t* lc = layer.Cr();
            cairo_arc(lc, cx, cy, r, 0, 2 * M_PI);
            cairo_pattern_t* disc =
                LightGradient({cx - r, cy - r, 2 * r, 2 * r}, kIronHighlight, 1, kIron, 1);
            cairo_set_source(lc, disc);
            cairo_fill(lc);
            cairo_pattern_destroy(disc);
            const double d = 5;
            cairo_move_to(lc, cx - d, cy - d);
            cairo_line_to(lc, cx + d, cy + d);
            cairo_move_to(lc, cx + d, cy - d);
            cairo_line_to(lc, cx - d, cy + d);
            SetColour(lc, kBone);
            cairo_set_line_width(lc, 2.6);
            cairo_set_line_cap(lc, CAIRO_LINE_CAP_ROUND);
            cairo_stroke(lc);
        },
        1, 1.5, 1.2, 0.6);
    return canvas;
}

// A soft golden frame of light around two stacked cells (66 x 132).
Canvas TipGlow() {
    constexpr int kWidth = 96, kHeight = 162;
    Canvas canvas(kWidth, kHeight);
    Canvas ring(kWidth, kHeight);
    cairo_t* cr = ring.Cr();
    const Box cells{15, 15, 66, 132};
    PlatePath(cr, cells.Inset(-2), 12);
    SetColour(cr, kCandle, 1);
    cairo_set_line_width(cr, 7);
    cairo_stroke(cr);
    ring.Blur(5);
    canvas.Draw(ring, 0, 0);
    cairo_t* cc = canvas.Cr();
    PlatePath(cc, cells, 10);
    SetColour(cc, kCandle, 0.12);
    cairo_fill_preserve(cc);
    SetColour(cc, Rgb8(0xFFF3C8), 0.85);
    cairo_set_line_width(cc, 2);
    cairo_stroke(cc);
    return canvas;
}

}  // namespace

void RegisterMapAndHints(Registry& registry) {
    const std::string map = "graphics/MapScreen/";
    struct Dot {
        const char* name;
        DotLook look;
    };
    for (const Dot& dot : {Dot{"MapDotInactive", DotLook::Locked}, Dot{"MapDot", DotLook::Open},
                           Dot{"MapDotMO", DotLook::Over}}) {
        registry.Add(map + dot.name + ".png",
                     [dot] { return MapDot(34, dot.look, false).EncodePNG(); });
    }
    for (const Dot& dot :
         {Dot{"MapDotSpecialInactive", DotLook::Locked}, Dot{"MapDotSpecial", DotLook::Open},
          Dot{"MapDotSpecialMO", DotLook::Over}}) {
        registry.Add(map + dot.name + ".png",
                     [dot] { return MapDot(40, dot.look, true).EncodePNG(); });
    }
    registry.Add(map + "BottomPanel.png", [] { return BottomPanel().EncodePNG(); });
    const std::string hints = "graphics/Hints/";
    registry.Add(hints + "ArrowThin.png", [] { return ArrowThin().EncodePNG(); });
    registry.Add(hints + "ArrowSmall.png", [] { return ArrowSmall().EncodePNG(); });
    registry.Add(hints + "TipWithClose.png", [] { return TipWithClose().EncodePNG(); });
    registry.Add(hints + "TipGlow.png", [] { return TipGlow().EncodePNG(); });
}

}  // namespace asset::ui
