// Small controls: check boxes, the options slider and its knob, the loading
// bar in its three looks, and the shop's gold counter.
#include <cmath>

#include "Paint.h"
#include "UiAssets.h"
#include "assetkit/Random.h"

namespace asset::ui {

using namespace style;

namespace {

FrameStyle SmallFrame(const char* name, double radius, double iron) {
    FrameStyle frame;
    frame.radius = radius;
    frame.iron = iron;
    frame.groove = false;
    frame.seed = SeedOf(name);
    return frame;
}

// Check box: an iron-rimmed socket with a dark well.
Canvas CheckBox(State state) {
    constexpr int kSize = 40;
    const Box body{4, 4, 31, 31};
    const Decoration well = [](Canvas& canvas, Box plate, State) {
        Inset(canvas, plate.Inset(6.5), 4, 0.8);
    };
    return ButtonPlate(kSize, kSize, body, SmallFrame("CheckBox", 6, 3.5), state, well);
}

// The tick: a bold gilded check that overflows the well a little, as if
// painted with a quick stroke.
Canvas CheckMark() {
    Canvas canvas(40, 40);
    WithShadow(
        canvas,
        [](Canvas& layer) {
            cairo_t* cr = layer.Cr();
            cairo_move_to(cr, 8, 19);
            cairo_curve_to(cr, 11, 19, 14, 24, 16, 28);
            cairo_curve_to(cr, 21, 17, 27, 10, 36, 3);
            cairo_curve_to(cr, 29, 12, 23, 22, 17.5, 34);
            cairo_curve_to(cr, 16, 34, 15, 34, 14, 33);
            cairo_curve_to(cr, 12, 28, 10, 23, 6, 21);
            cairo_close_path(cr);
            cairo_pattern_t* gold = cairo_pattern_create_linear(6, 3, 30, 34);
            cairo_pattern_add_color_stop_rgb(gold, 0, 1, 0.95, 0.7);
            cairo_pattern_add_color_stop_rgb(gold, 0.45, kGold.r, kGold.g, kGold.b);
            cairo_pattern_add_color_stop_rgb(gold, 1, 0.62, 0.36, 0.08);
            cairo_set_source(cr, gold);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(gold);
            SetColour(cr, kShadowInk, 0.9);
            cairo_set_line_width(cr, 1.4);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_stroke(cr);
        },
        1.5, 2, 1.5, 0.6);
    return canvas;
}

// Slider track: an iron-bound groove the knob runs in.
Canvas SliderTrack() {
    Canvas canvas(284, 24);
    FrameStyle frame = SmallFrame("slider", 11, 3.5);
    DrawFrame(canvas, {1, 1, 282, 22}, frame, State::Normal);
    Inset(canvas, {9, 7, 266, 10}, 5, 0.7);
    cairo_t* cr = canvas.Cr();
    // Tick marks along the groove so the setting reads like a gauge.
    for (int i = 0; i <= 10; ++i) {
        const double x = 15 + 254.0 * i / 10;
        cairo_move_to(cr, x + 0.5, 18.5);
        cairo_line_to(cr, x + 0.5, i % 5 == 0 ? 21.5 : 20.5);
    }
    SetColour(cr, kBone, 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    return canvas;
}

// Slider knob: an iron ring holding a glowing amber stone.
Canvas SliderKnob() {
    Canvas canvas(34, 34);
    WithShadow(
        canvas,
        [](Canvas& layer) {
            cairo_t* cr = layer.Cr();
            const double c = 16, r = 14;
            cairo_arc(cr, c, c, r, 0, 2 * M_PI);
            cairo_pattern_t* ring =
                LightGradient({c - r, c - r, 2 * r, 2 * r}, kIronHighlight, 1, Rgb8(0x1E1F27), 1);
            cairo_set_source(cr, ring);
            cairo_fill(cr);
            cairo_pattern_destroy(ring);
            const double g = 9;
            cairo_arc(cr, c, c, g, 0, 2 * M_PI);
            cairo_pattern_t* stone = cairo_pattern_create_radial(c - 3, c - 3, 1, c, c, g);
            cairo_pattern_add_color_stop_rgb(stone, 0, 1, 0.93, 0.62);
            cairo_pattern_add_color_stop_rgb(stone, 0.5, kPumpkin.r, kPumpkin.g, kPumpkin.b);
            cairo_pattern_add_color_stop_rgb(stone, 1, 0.42, 0.14, 0.04);
            cairo_set_source(cr, stone);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(stone);
            SetColour(cr, kShadowInk, 0.8);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
            cairo_arc(cr, c - 3.2, c - 3.5, 2.4, 0, 2 * M_PI);
            SetColour(cr, kMoonlight, 0.9);
            cairo_fill(cr);
            for (int i = 0; i < 4; ++i) {
                const double a = M_PI / 4 + i * M_PI / 2;
                Rivet(cr, c + std::cos(a) * 11.5, c + std::sin(a) * 11.5, 1.5);
            }
        },
        1.5, 2, 1.5, 0.6);
    return canvas;
}

// The loading bar: a pill frame with a trough; the filled look pours a
// glowing pumpkin-to-candle liquid into it, the final look adds a brighter
// shine and sparkles.
enum class BarLook { Empty, Filled, Final };

constexpr int kBarWidth = 500, kBarHeight = 40;
constexpr Box kTrough{14, 11, kBarWidth - 28, kBarHeight - 22};

void PourLiquid(Canvas& canvas, bool final) {
    cairo_t* cr = canvas.Cr();
    cairo_save(cr);
    PlatePath(cr, kTrough.Inset(1), kTrough.h / 2 - 1);
    cairo_clip(cr);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, kTrough.y, 0, kTrough.y + kTrough.h);
    const Rgb top = final ? Rgb8(0xFFF1B8) : Rgb8(0xFFD27A);
    cairo_pattern_add_color_stop_rgb(body, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(body, 0.45, kCandle.r, kCandle.g, kCandle.b);
    cairo_pattern_add_color_stop_rgb(body, 1, kPumpkin.r * 0.75, kPumpkin.g * 0.6,
                                     kPumpkin.b * 0.5);
    cairo_set_source(cr, body);
    cairo_paint(cr);
    cairo_pattern_destroy(body);
    // Slow swirls in the liquid.
    Rng rng(SeedOf("LoadingBar bubbles"));
    for (int i = 0; i < 26; ++i) {
        const double x = kTrough.x + rng.Range(4, kTrough.w - 4);
        const double y = kTrough.y + rng.Range(6, kTrough.h - 3);
        const double r = rng.Range(1.0, 2.4);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        SetColour(cr, kBone, rng.Range(0.25, 0.55));
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    // Glossy stripe along the top.
    RoundedRectangle(cr, kTrough.x + 6, kTrough.y + 2.5, kTrough.w - 12, 4, 2);
    SetColour(cr, Rgb8(0xFFFFFF), final ? 0.6 : 0.42);
    cairo_fill(cr);
    cairo_restore(cr);
    if (final) {
        Rng sparkle(SeedOf("LoadingBar sparkles"));
        for (int i = 0; i < 9; ++i) {
            const double x = kTrough.x + 20 + (kTrough.w - 40) * i / 8.0 + sparkle.Range(-10, 10);
            const double y = kTrough.CentreY() + sparkle.Range(-3, 3);
            RadialGlow(cr, x, y, 7, 1, 0.98, 0.85, 0.7);
            StarPath(cr, x, y, 4, 5, 1.2, 0);
            SetColour(cr, Rgb8(0xFFFFFF), 0.85);
            cairo_fill(cr);
        }
    }
}

Canvas LoadingBar(BarLook look) {
    Canvas canvas(kBarWidth, kBarHeight);
    FrameStyle frame = SmallFrame("LoadingBar", 18, 5);
    frame.bracket = 0;
    Canvas bar(kBarWidth, kBarHeight);
    DrawFrame(bar, {2, 2, kBarWidth - 6, kBarHeight - 6}, frame, State::Normal);
    Inset(bar, kTrough, kTrough.h / 2, 0.8);
    if (look != BarLook::Empty) PourLiquid(bar, look == BarLook::Final);
    cairo_t* cr = bar.Cr();
    for (double x : {8.0, kBarWidth - 12.0})
        Rivet(cr, x, kBarHeight / 2.0 - 1, 2.4);
    DropShadow(canvas, bar, 0, 0, 1.5, 2, 1.5, 0.55);
    canvas.Draw(bar, 0, 0);
    return canvas;
}

// The gold counter hangs from the top-left corner of the screen: its top and
// left rims run off the picture. "Gold" sits right-aligned at x 68 and the
// value from x 78, both at y 16.
Canvas GoldPanel() {
    constexpr int kWidth = 170, kHeight = 48;
    Canvas canvas(kWidth, kHeight);
    Canvas plate(kWidth, kHeight);
    FrameStyle frame = SmallFrame("GoldPanel", 14, 5);
    frame.rimRivets = true;
    DrawFrame(plate, {-20, -20, kWidth - 4 + 20, kHeight - 6 + 20}, frame, State::Normal);
    Inset(plate, {6, 6, 64, 30}, 6, 0.7);
    Inset(plate, {74, 6, 80, 30}, 6, 0.7);
    DropShadow(canvas, plate, 0, 0, 2, 3, 2, 0.6);
    canvas.Draw(plate, 0, 0);
    return canvas;
}

}  // namespace

void RegisterControls(Registry& registry) {
    registry.Add("menus/CheckBox.png", [] { return CheckBox(State::Normal).EncodePNG(); });
    registry.Add("menus/CheckBoxMO.png", [] { return CheckBox(State::Over).EncodePNG(); });
    registry.Add("menus/CheckMark.png", [] { return CheckMark().EncodePNG(); });
    registry.Add("menus/OptionsScreen/slider.png", [] { return SliderTrack().EncodePNG(); });
    registry.Add("menus/OptionsScreen/Dot.png", [] { return SliderKnob().EncodePNG(); });
    const std::string bar = "graphics/LoadingScreen/LoadingBar";
    registry.Add(bar + ".png", [] { return LoadingBar(BarLook::Filled).EncodePNG(); });
    registry.Add(bar + "empty.png", [] { return LoadingBar(BarLook::Empty).EncodePNG(); });
    registry.Add(bar + "final.png", [] { return LoadingBar(BarLook::Final).EncodePNG(); });
    registry.Add("graphics/ShopScreen/GoldPanel.png", [] { return GoldPanel().EncodePNG(); });
}

}  // namespace asset::ui
