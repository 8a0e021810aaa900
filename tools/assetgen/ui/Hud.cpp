// The level screen's left column (gold, level, score, the hourglass niche,
// four goal rows, the Menu button's bed) and the hourglass: its emptying
// frames, its shadow and the running sand drawn beneath its glass.
#include <cmath>
#include <string>
#include <vector>

#include "Paint.h"
#include "UiAssets.h"
#include "assetkit/Random.h"

namespace asset::ui {

using namespace style;

namespace {

constexpr int kPanelWidth = 152, kPanelHeight = 768;
constexpr double kPanelWood = 140;  // the wood ends here; the iron rim follows
constexpr double kGoalRows[] = {437, 497, 557, 617};
constexpr double kGoalIconX = 43;

// The niche the hourglass stands in: an arch around (57, 295).
void HourglassNiche(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    const Box niche{14, 226, 86, 160};
    auto arch = [&](cairo_t* c) {
        const double r = niche.w / 2;
        cairo_new_sub_path(c);
        cairo_arc(c, niche.CentreX(), niche.y + r, r, M_PI, 2 * M_PI);
        cairo_line_to(c, niche.x + niche.w, niche.y + niche.h - 8);
        cairo_arc(c, niche.x + niche.w - 8, niche.y + niche.h - 8, 8, 0, M_PI / 2);
        cairo_arc(c, niche.x + 8, niche.y + niche.h - 8, 8, M_PI / 2, M_PI);
        cairo_close_path(c);
    };
    // An iron arch around the opening.
    cairo_save(cr);
    arch(cr);
    cairo_set_line_width(cr, 8);
    cairo_pattern_t* iron = LightGradient(niche, kIronHighlight, 1, Rgb8(0x1E1F27), 1);
    cairo_set_source(cr, iron);
    cairo_stroke(cr);
    cairo_pattern_destroy(iron);
    cairo_restore(cr);
    // The recess: a deep violet hollow with moonlight falling from the top.
    cairo_save(cr);
    arch(cr);
    cairo_clip(cr);
    cairo_pattern_t* hollow = cairo_pattern_create_linear(0, niche.y, 0, niche.y + niche.h);
    cairo_pattern_add_color_stop_rgb(hollow, 0, 0.16, 0.12, 0.26);
    cairo_pattern_add_color_stop_rgb(hollow, 1, 0.07, 0.05, 0.1);
    cairo_set_source(cr, hollow);
    cairo_paint(cr);
    cairo_pattern_destroy(hollow);
    RadialGlow(cr, niche.CentreX(), niche.y + 70, 60, kDusk.r, kDusk.g, kDusk.b, 0.35);
    cairo_restore(cr);
    // Inner shadow under the arch's top-left rim.
    cairo_save(cr);
    arch(cr);
    cairo_clip(cr);
    cairo_translate(cr, 5, 6);
    arch(cr);
    cairo_identity_matrix(cr);
    cairo_rectangle(cr, -10, -10, kPanelWidth + 20, kPanelHeight + 20);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    SetColour(cr, kShadowInk, 0.6);
    cairo_fill(cr);
    cairo_restore(cr);
    const double r = niche.w / 2;
    for (double a : {1.1 * M_PI, 1.5 * M_PI, 1.9 * M_PI}) {
        Rivet(cr, niche.CentreX() + std::cos(a) * r, niche.y + r + std::sin(a) * r, 2.2);
    }
    Rivet(cr, niche.x, niche.y + niche.h - 12, 2.2);
    Rivet(cr, niche.x + niche.w, niche.y + niche.h - 12, 2.2);
}

// A round socket for a goal icon and a field for its count.
void GoalRow(Canvas& canvas, double rowY) {
    Inset(canvas, {8, rowY - 25, 124, 50}, 12, 0.8);
    cairo_t* cr = canvas.Cr();
    cairo_save(cr);
    cairo_arc(cr, kGoalIconX, rowY, 21, 0, 2 * M_PI);
    SetColour(cr, kViolet, 0.28);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 2.5);
    cairo_pattern_t* ring =
        LightGradient({kGoalIconX - 21, rowY - 21, 42, 42}, kIronHighlight, 1, Rgb8(0x1E1F27), 1);
    cairo_set_source(cr, ring);
    cairo_stroke(cr);
    cairo_pattern_destroy(ring);
    cairo_restore(cr);
}

Canvas Panel() {
    Canvas canvas(kPanelWidth, kPanelHeight);
    Canvas panel(kPanelWidth, kPanelHeight);
    // One big plate whose top, left and bottom rims run off the screen; only
    // its right rim (with rivets) shows beside the board.
    FrameStyle frame;
    frame.radius = 10;
    frame.iron = 8;
    frame.groove = false;
    frame.rimRivets = true;
    frame.grain = Grain::Vertical;
    frame.seed = SeedOf("HUD Panel");
    DrawFrame(panel, {-30, -30, kPanelWood + 38, kPanelHeight + 60}, frame, State::Normal);
    cairo_t* cr = panel.Cr();
    // Gold counter (label right-aligned at 68, value from 78, both at y 16).
    Inset(panel, {6, 6, 64, 30}, 6, 0.7);
    Inset(panel, {74, 6, 62, 30}, 6, 0.7);
    IronStrap(cr, {0, 50, kPanelWood, 9});
    // Level and score plaques (texts centred on x 76).
    Inset(panel, {10, 82, 124, 46}, 10);
    Inset(panel, {10, 136, 124, 66}, 10);
    IronStrap(cr, {0, 212, kPanelWood, 9});
    HourglassNiche(panel);
    Candle(panel, 122, 382, 56, 11);
    IronStrap(cr, {0, 396, kPanelWood, 9});
    for (double row : kGoalRows)
        GoalRow(panel, row);
    IronStrap(cr, {0, 654, kPanelWood, 9});
    // The Menu button's bed.
    Inset(panel, {4, 674, 134, 80}, 12, 0.6);
    DropShadow(canvas, panel, 0, 0, 4, 0, 2.5, 0.7);
    canvas.Draw(panel, 0, 0);
    return canvas;
}

// --- The hourglass ------------------------------------------------------

constexpr int kCellW = 78, kCellH = 113;
constexpr double kMidX = 39, kNeckY = 56.5;
constexpr double kGlassTop = 15, kGlassBottom = 98;
constexpr int kHourglassFrames = 13, kSandFrames = 14;

void GlassPath(cairo_t* cr) {
    cairo_move_to(cr, kMidX - 22, kGlassTop);
    cairo_curve_to(cr, kMidX - 25, 36, kMidX - 5, 47, kMidX - 2.6, kNeckY);
    cairo_curve_to(cr, kMidX - 5, 66, kMidX - 25, 77, kMidX - 22, kGlassBottom);
    cairo_line_to(cr, kMidX + 22, kGlassBottom);
    cairo_curve_to(cr, kMidX + 25, 77, kMidX + 5, 66, kMidX + 2.6, kNeckY);
    cairo_curve_to(cr, kMidX + 5, 47, kMidX + 25, 36, kMidX + 22, kGlassTop);
    cairo_close_path(cr);
}

cairo_pattern_t* SandGradient(double top, double bottom) {
    cairo_pattern_t* sand = cairo_pattern_create_linear(kMidX - 20, top, kMidX + 20, bottom);
    cairo_pattern_add_color_stop_rgb(sand, 0, 1, 0.9, 0.6);
    cairo_pattern_add_color_stop_rgb(sand, 0.5, kGold.r, kGold.g, kGold.b);
    cairo_pattern_add_color_stop_rgb(sand, 1, 0.66, 0.38, 0.1);
    return sand;
}

// Sand left in the top bulb and piled in the bottom one, for a share of the
// time used (0 = full, 1 = out of time).
void DrawSand(cairo_t* cr, double used) {
    cairo_save(cr);
    GlassPath(cr);
    cairo_clip(cr);
    if (used < 1) {
        // The surface sinks with a little funnel in the middle.
        const double surface = 22 + (kNeckY - 24) * used;
        const double dip = 2 + 4 * used;
        cairo_move_to(cr, kMidX - 30, surface);
        cairo_curve_to(cr, kMidX - 10, surface, kMidX - 4, surface + dip, kMidX, surface + dip);
        cairo_curve_to(cr, kMidX + 4, surface + dip, kMidX + 10, surface, kMidX + 30, surface);
        cairo_line_to(cr, kMidX + 30, kNeckY + 0.5);
        cairo_line_to(cr, kMidX - 30, kNeckY + 0.5);
        cairo_close_path(cr);
        cairo_pattern_t* sand = SandGradient(surface, kNeckY);
        cairo_set_source(cr, sand);
        cairo_fill(cr);
        cairo_pattern_destroy(sand);
    }
    if (used > 0) {
        const double height = 3 + 31 * used;
        const double base = kGlassBottom + 1;
        cairo_move_to(cr, kMidX - 30, base);
        cairo_line_to(cr, kMidX - 30, base - height * 0.25);
        cairo_curve_to(cr, kMidX - 16, base - height * 0.45, kMidX - 6, base - height, kMidX,
                       base - height);
        cairo_curve_to(cr, kMidX + 6, base - height, kMidX + 16, base - height * 0.45, kMidX + 30,
                       base - height * 0.25);
        cairo_line_to(cr, kMidX + 30, base);
        cairo_close_path(cr);
        cairo_pattern_t* sand = SandGradient(base - height, base);
        cairo_set_source(cr, sand);
        cairo_fill(cr);
        cairo_pattern_destroy(sand);
    }
    cairo_restore(cr);
}

void DrawGlass(cairo_t* cr) {
    GlassPath(cr);
    SetColour(cr, kMoonlight, 0.1);
    cairo_fill(cr);
    // Highlights down the left of each bulb, a rim of light along the edge.
    for (double y0 : {kGlassTop + 3, kNeckY + 8}) {
        const double y1 = y0 == kGlassTop + 3 ? kNeckY - 10 : kGlassBottom - 4;
        cairo_move_to(cr, kMidX - 16, y0 + 2);
        cairo_curve_to(cr, kMidX - 19, y0 + 10, kMidX - 17, y1 - 8, kMidX - 12, y1);
        cairo_set_line_width(cr, 2.4);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        SetColour(cr, Rgb8(0xFFFFFF), 0.55);
        cairo_stroke(cr);
    }
    GlassPath(cr);
    cairo_set_line_width(cr, 1.2);
    SetColour(cr, kMoonlight, 0.55);
    cairo_stroke(cr);
}

void TurnedPost(cairo_t* cr, double x) {
    const double top = 13, bottom = 100;
    cairo_move_to(cr, x - 2.5, top);
    cairo_curve_to(cr, x - 5, top + 14, x - 2, top + 22, x - 2.2, 56);
    cairo_curve_to(cr, x - 2, bottom - 22, x - 5, bottom - 14, x - 2.5, bottom);
    cairo_line_to(cr, x + 2.5, bottom);
    cairo_curve_to(cr, x + 5, bottom - 14, x + 2, bottom - 22, x + 2.2, 56);
    cairo_curve_to(cr, x + 2, top + 22, x + 5, top + 14, x + 2.5, top);
    cairo_close_path(cr);
    cairo_pattern_t* wood = cairo_pattern_create_linear(x - 5, 0, x + 5, 0);
    cairo_pattern_add_color_stop_rgb(wood, 0, kLightWood.r, kLightWood.g, kLightWood.b);
    cairo_pattern_add_color_stop_rgb(wood, 0.5, kWood.r, kWood.g, kWood.b);
    cairo_pattern_add_color_stop_rgb(wood, 1, 0.16, 0.1, 0.07);
    cairo_set_source(cr, wood);
    cairo_fill(cr);
    cairo_pattern_destroy(wood);
    // Ring mouldings.
    for (double y : {24.0, 56.0, 89.0}) {
        RoundedRectangle(cr, x - 4, y - 1.5, 8, 3, 1.5);
        SetColour(cr, kBark);
        cairo_fill(cr);
    }
}

void Cap(cairo_t* cr, double y) {
    const Box cap{4, y, 70, 11};
    RoundedRectangle(cr, cap.x, cap.y, cap.w, cap.h, 4);
    cairo_pattern_t* wood = cairo_pattern_create_linear(0, cap.y, 0, cap.y + cap.h);
    cairo_pattern_add_color_stop_rgb(wood, 0, kLightWood.r, kLightWood.g, kLightWood.b);
    cairo_pattern_add_color_stop_rgb(wood, 0.45, kWood.r, kWood.g, kWood.b);
    cairo_pattern_add_color_stop_rgb(wood, 1, 0.18, 0.11, 0.07);
    cairo_set_source(cr, wood);
    cairo_fill(cr);
    cairo_pattern_destroy(wood);
    // An iron band with studs around the cap.
    cairo_rectangle(cr, cap.x + 2, cap.y + 4, cap.w - 4, 3);
    SetColour(cr, kIron);
    cairo_fill(cr);
    for (double x : {cap.x + 6, kMidX, cap.x + cap.w - 6})
        Rivet(cr, x, cap.y + 5.5, 1.6);
}

Canvas HourglassFrame(double used) {
    Canvas frame(kCellW, kCellH);
    cairo_t* cr = frame.Cr();
    DrawSand(cr, used);
    DrawGlass(cr);
    TurnedPost(cr, 10);
    TurnedPost(cr, kCellW - 10);
    Cap(cr, 3);
    Cap(cr, 99);
    return frame;
}

Canvas HourglassStrip() {
    std::vector<Canvas> frames;
    for (int i = 0; i < kHourglassFrames; ++i) {
        frames.push_back(HourglassFrame(static_cast<double>(i) / (kHourglassFrames - 1)));
    }
    return Strip(frames, kCellW, kCellH, kHourglassFrames);
}

Canvas HourglassShadow() {
    constexpr int kWidth = 90, kHeight = 124;
    Canvas shadow(kWidth, kHeight);
    const Canvas shape = HourglassFrame(0.5);
    // Centred on the hourglass' own centre, the shadow falls down-right.
    DropShadow(shadow, shape, (kWidth - kCellW) / 2.0, (kHeight - kCellH) / 2.0, 5, 5, 3.5, 0.55);
    return shadow;
}

// The falling stream: grains sliding down a thin thread from the neck into
// the bottom bulb, one grain spacing per loop so the 14 frames repeat
// seamlessly. The sand strip is drawn 4 px above the hourglass.
Canvas SandStrip() {
    constexpr double kOffset = 4;
    constexpr double kTop = kNeckY + kOffset - 1, kBottom = kGlassBottom + kOffset;
    constexpr double kPeriod = 42;
    std::vector<Canvas> frames;
    Rng rng(SeedOf("SandAnim"));
    std::vector<double> grains(18), jitter(18);
    for (size_t i = 0; i < grains.size(); ++i) {
        grains[i] = kPeriod * i / grains.size();
        jitter[i] = rng.Range(-0.9, 0.9);
    }
    for (int f = 0; f < kSandFrames; ++f) {
        Canvas frame(kCellW, kCellH);
        cairo_t* cr = frame.Cr();
        cairo_move_to(cr, kMidX, kTop);
        cairo_line_to(cr, kMidX, kBottom);
        cairo_set_line_width(cr, 1.6);
        SetColour(cr, kCandle, 0.75);
        cairo_stroke(cr);
        for (size_t i = 0; i < grains.size(); ++i) {
            const double y = kTop + std::fmod(grains[i] + kPeriod * f / kSandFrames, kPeriod);
            if (y > kBottom) continue;
            const double spread = (y - kTop) / (kBottom - kTop);
            cairo_arc(cr, kMidX + jitter[i] * spread * 1.5, y, 1.0, 0, 2 * M_PI);
            SetColour(cr, Rgb8(0xFFE7A8), 0.9);
            cairo_fill(cr);
        }
        // A small glow where the stream leaves the neck.
        RadialGlow(cr, kMidX, kTop + 2, 6, kCandle.r, kCandle.g, kCandle.b, 0.5);
        frames.push_back(std::move(frame));
    }
    return Strip(frames, kCellW, kCellH, kSandFrames);
}

}  // namespace

void RegisterHud(Registry& registry) {
    registry.Add("graphics/HUD/Panel.png", [] { return Panel().EncodePNG(); });
    registry.Add("graphics/HUD/HourglassAnim.png", [] { return HourglassStrip().EncodePNG(); });
    registry.Add("graphics/HUD/HourglassShadow.png", [] { return HourglassShadow().EncodePNG(); });
    registry.Add("graphics/HUD/SandAnim.png", [] { return SandStrip().EncodePNG(); });
}

}  // namespace asset::ui
