// Menu button plates: blank plates for captions in every width the game
// needs, icon plates (eye, roller, arrows, the house), and the title scene's
// tilted signposts. Each family comes in its normal, mouse-over and pressed
// looks from the same routine.
#include <cmath>
#include <string>

#include "Paint.h"
#include "UiAssets.h"
#include "assetkit/Random.h"

namespace asset::ui {

using namespace style;

namespace {

constexpr double kMargin = 6;  // room around a plate for its shadow and glow

FrameStyle PlateStyle(const char* name, double radius, double bracket) {
    FrameStyle frame;
    frame.radius = radius;
    frame.iron = 4;
    frame.bracket = bracket;
    frame.seed = SeedOf(name);
    return frame;
}

Box BodyOf(int width, int height) {
    return {kMargin, kMargin, width - 2 * kMargin, height - 2 * kMargin};
}

// An eye: almond of bone white, violet iris, lashes; lit from the top left.
void DrawEye(cairo_t* cr, double cx, double cy, double size) {
    const double w = size / 2, h = size * 0.3;
    cairo_save(cr);
    auto almond = [&] {
        cairo_move_to(cr, cx - w, cy);
        cairo_curve_to(cr, cx - w * 0.5, cy - h * 1.35, cx + w * 0.5, cy - h * 1.35, cx + w, cy);
        cairo_curve_to(cr, cx + w * 0.5, cy + h * 1.35, cx - w * 0.5, cy + h * 1.35, cx - w, cy);
        cairo_close_path(cr);
    };
    almond();
    cairo_pattern_t* white = cairo_pattern_create_radial(cx - w * 0.2, cy - h * 0.4, 0, cx, cy, w);
    cairo_pattern_add_color_stop_rgb(white, 0, 1, 0.98, 0.93);
    cairo_pattern_add_color_stop_rgb(white, 1, 0.72, 0.66, 0.6);
    cairo_set_source(cr, white);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(white);
    cairo_save(cr);
    cairo_clip(cr);
    const double ir = h * 0.95;
    cairo_arc(cr, cx, cy, ir, 0, 2 * M_PI);
    cairo_pattern_t* iris =
        cairo_pattern_create_radial(cx - ir * 0.3, cy - ir * 0.3, 0, cx, cy, ir);
    cairo_pattern_add_color_stop_rgb(iris, 0, kDusk.r * 1.4, kDusk.g * 1.4, kDusk.b * 1.3);
    cairo_pattern_add_color_stop_rgb(iris, 1, kViolet.r * 0.6, kViolet.g * 0.6, kViolet.b * 0.6);
    cairo_set_source(cr, iris);
    cairo_fill(cr);
    cairo_pattern_destroy(iris);
    cairo_arc(cr, cx, cy, ir * 0.45, 0, 2 * M_PI);
    SetColour(cr, Rgb8(0x120C1C));
    cairo_fill(cr);
    cairo_arc(cr, cx - ir * 0.35, cy - ir * 0.35, ir * 0.22, 0, 2 * M_PI);
    SetColour(cr, kMoonlight, 0.95);
    cairo_fill(cr);
    // The upper lid's shadow across the eyeball.
    cairo_rectangle(cr, cx - w, cy - h * 1.4, w * 2, h * 0.7);
    SetColour(cr, kShadowInk, 0.25);
    cairo_fill(cr);
    cairo_restore(cr);
    almond();
    SetColour(cr, kShadowInk, 0.9);
    cairo_set_line_width(cr, size * 0.05);
    cairo_stroke(cr);
    for (int i = -2; i <= 2; ++i) {
        const double a = -M_PI / 2 + i * 0.38;
        const double bx = cx + std::cos(a) * w * 0.62, by = cy - h * 0.98 + std::abs(i) * h * 0.18;
        cairo_move_to(cr, bx, by);
        cairo_line_to(cr, bx + std::cos(a) * size * 0.12, by + std::sin(a) * size * 0.12);
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, size * 0.045);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// A paint roller: pumpkin-coloured roll on an iron frame with a wooden grip.
void DrawRoller(cairo_t* cr, double cx, double cy, double size) {
    cairo_save(cr);
    const double rw = size * 0.62, rh = size * 0.28;
    const double rx = cx - rw / 2 + size * 0.05, ry = cy - size * 0.36;
    // Frame wire from the roll down to the grip.
    cairo_move_to(cr, rx + rw + 1, ry + rh / 2);
    cairo_line_to(cr, rx + rw + size * 0.1, ry + rh / 2);
    cairo_line_to(cr, rx + rw + size * 0.1, ry + rh + size * 0.1);
    cairo_line_to(cr, cx + size * 0.02, ry + rh + size * 0.16);
    cairo_line_to(cr, cx + size * 0.02, cy + size * 0.12);
    SetColour(cr, kIronHighlight);
    cairo_set_line_width(cr, size * 0.06);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    // Grip.
    RoundedRectangle(cr, cx - size * 0.065, cy + size * 0.08, size * 0.17, size * 0.38,
                     size * 0.07);
    cairo_pattern_t* grip = cairo_pattern_create_linear(cx - size * 0.07, 0, cx + size * 0.1, 0);
    cairo_pattern_add_color_stop_rgb(grip, 0, kLightWood.r, kLightWood.g, kLightWood.b);
    cairo_pattern_add_color_stop_rgb(grip, 1, kBark.r, kBark.g, kBark.b);
    cairo_set_source(cr, grip);
    cairo_fill(cr);
    cairo_pattern_destroy(grip);
    // Roll.
    RoundedRectangle(cr, rx, ry, rw, rh, rh * 0.35);
    cairo_pattern_t* roll = cairo_pattern_create_linear(0, ry, 0, ry + rh);
    cairo_pattern_add_color_stop_rgb(roll, 0, 1, 0.75, 0.45);
    cairo_pattern_add_color_stop_rgb(roll, 0.4, kPumpkin.r, kPumpkin.g, kPumpkin.b);
    cairo_pattern_add_color_stop_rgb(roll, 1, 0.55, 0.22, 0.05);
    cairo_set_source(cr, roll);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(roll);
    SetColour(cr, kShadowInk, 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // A drip of paint.
    cairo_move_to(cr, rx + rw * 0.3, ry + rh - 1);
    cairo_curve_to(cr, rx + rw * 0.3, ry + rh + size * 0.1, rx + rw * 0.42, ry + rh + size * 0.1,
                   rx + rw * 0.42, ry + rh - 1);
    SetColour(cr, kPumpkin);
    cairo_fill(cr);
    cairo_restore(cr);
}

// A chevron arrow in gilded iron.
void DrawArrowIcon(cairo_t* cr, double cx, double cy, double size, int direction, bool dim) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, direction, 1);
    auto shape = [&] {
        cairo_move_to(cr, size * 0.42, 0);
        cairo_line_to(cr, -size * 0.22, -size * 0.5);
        cairo_line_to(cr, -size * 0.22, -size * 0.2);
        cairo_line_to(cr, -size * 0.42, -size * 0.2);
        cairo_line_to(cr, -size * 0.42, size * 0.2);
        cairo_line_to(cr, -size * 0.22, size * 0.2);
        cairo_line_to(cr, -size * 0.22, size * 0.5);
        cairo_close_path(cr);
    };
    cairo_save(cr);
    cairo_translate(cr, 1.5 * direction, 2);
    shape();
    SetColour(cr, kShadowInk, 0.55);
    cairo_fill(cr);
    cairo_restore(cr);
    shape();
    const Rgb top = dim ? Rgb8(0x9A948A) : Rgb8(0xFFE9A0);
    const Rgb bottom = dim ? Rgb8(0x4A4640) : Rgb8(0xA8651A);
    cairo_pattern_t* gold = cairo_pattern_create_linear(0, -size * 0.5, 0, size * 0.5);
    cairo_pattern_add_color_stop_rgb(gold, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(gold, 0.5, dim ? 0.45 : kGold.r, dim ? 0.43 : kGold.g,
                                     dim ? 0.4 : kGold.b);
    cairo_pattern_add_color_stop_rgb(gold, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, gold);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gold);
    SetColour(cr, kShadowInk, 0.85);
    cairo_set_line_width(cr, 1.4);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// The little haunted house in the shop button's window: moonlit sky, the
// house with lit windows, a crooked tree.
void DrawHousePicture(Canvas& canvas, Box window, State state) {
    cairo_t* cr = canvas.Cr();
    cairo_save(cr);
    PlatePath(cr, window, 10);
    cairo_clip(cr);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, window.y, 0, window.y + window.h);
    cairo_pattern_add_color_stop_rgb(sky, 0, kMidnight.r, kMidnight.g, kMidnight.b);
    cairo_pattern_add_color_stop_rgb(sky, 1, kDusk.r, kDusk.g, kDusk.b);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    const double mx = window.x + window.w * 0.78, my = window.y + window.h * 0.28;
    RadialGlow(cr, mx, my, window.h * 0.45, kMoonlight.r, kMoonlight.g, kMoonlight.b, 0.45);
    cairo_arc(cr, mx, my, window.h * 0.13, 0, 2 * M_PI);
    SetColour(cr, kMoonlight);
    cairo_fill(cr);
    // Hill.
    const double ground = window.y + window.h * 0.86;
    cairo_move_to(cr, window.x, window.y + window.h);
    cairo_line_to(cr, window.x, ground);
    cairo_curve_to(cr, window.x + window.w * 0.3, ground - 8, window.x + window.w * 0.7, ground - 6,
                   window.x + window.w, ground + 2);
    cairo_line_to(cr, window.x + window.w, window.y + window.h);
    SetColour(cr, kDarkMoss);
    cairo_fill(cr);
    // House silhouette: main block, tower with a pointed roof, chimney.
    const double hx = window.x + window.w * 0.42, hb = ground - 1;
    const Rgb houseTone = Rgb8(0x2A2340);
    SetColour(cr, houseTone);
    cairo_rectangle(cr, hx - 30, hb - 30, 48, 30);
    cairo_fill(cr);
    cairo_move_to(cr, hx - 35, hb - 29);
    cairo_line_to(cr, hx - 6, hb - 50);
    cairo_line_to(cr, hx + 23, hb - 29);
    cairo_fill(cr);
    cairo_rectangle(cr, hx + 12, hb - 50, 16, 50);
    cairo_fill(cr);
    cairo_move_to(cr, hx + 9, hb - 49);
    cairo_line_to(cr, hx + 20, hb - 72);
    cairo_line_to(cr, hx + 31, hb - 49);
    cairo_fill(cr);
    cairo_rectangle(cr, hx - 24, hb - 47, 6, 12);
    cairo_fill(cr);
    // Warm windows, brighter when the button is under the mouse.
    const double lit = state == State::Over ? 1.0 : 0.85;
    const double windows[][2] = {
        {hx - 22, hb - 22}, {hx - 8, hb - 22}, {hx + 16, hb - 40}, {hx - 9, hb - 38}};
    for (const auto& w : windows) {
        RadialGlow(cr, w[0] + 2.5, w[1] + 3, 9, kCandle.r, kCandle.g, kCandle.b, 0.35 * lit);
        cairo_rectangle(cr, w[0], w[1], 5, 6);
        SetColour(cr, Mix(kPumpkin, kCandle, 0.6), lit);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, hx + 4, hb - 12, 7, 12);
    SetColour(cr, Mix(kPumpkin, kCandle, 0.3), lit);
    cairo_fill(cr);
    // Crooked tree on the left.
    const double tx = window.x + 16;
    cairo_move_to(cr, tx, ground + 2);
    cairo_curve_to(cr, tx + 2, ground - 20, tx - 4, ground - 34, tx + 6, ground - 48);
    cairo_move_to(cr, tx + 1, ground - 30);
    cairo_line_to(cr, tx + 14, ground - 40);
    cairo_move_to(cr, tx + 2, ground - 40);
    cairo_line_to(cr, tx - 8, ground - 52);
    SetColour(cr, Rgb8(0x1A1424));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_restore(cr);
    Recess(canvas, window, 10, 0.8);
}

Canvas CaptionPlate(const char* name, double radius, double bracket, State state) {
    const PictureSize size = ManifestSize(std::string("menus/") + name + ".png");
    return ButtonPlate(size.width, size.height, BodyOf(size.width, size.height),
                       PlateStyle(name, radius, bracket), state);
}

// The long plate carries a small iron pendant under its middle, which is
// why its caption sits 10 px higher than on other plates.
Canvas LongPlate(State state) {
    constexpr int kWidth = 384, kHeight = 80;
    const Box body{kMargin, kMargin, kWidth - 2 * kMargin, 54};
    const Decoration pendant = [](Canvas& canvas, Box plate, State) {
        cairo_t* cr = canvas.Cr();
        const double cx = plate.CentreX(), top = plate.y + plate.h - 1;
        cairo_save(cr);
        cairo_move_to(cr, cx - 26, top);
        cairo_curve_to(cr, cx - 20, top + 10, cx - 8, top + 6, cx, top + 15);
        cairo_curve_to(cr, cx + 8, top + 6, cx + 20, top + 10, cx + 26, top);
        cairo_close_path(cr);
        const Box area{cx - 26, top, 52, 15};
        cairo_pattern_t* iron = LightGradient(area, kIronHighlight, 1, Rgb8(0x1E1F27), 1);
        cairo_set_source(cr, iron);
        cairo_fill(cr);
        cairo_pattern_destroy(iron);
        Rivet(cr, cx, top + 6, 2.4);
        cairo_restore(cr);
    };
    return ButtonPlate(kWidth, kHeight, body, PlateStyle("ButtonLong", 10, 16), state, pendant);
}

Canvas IconPlate(const char* name, State state, void (*icon)(cairo_t*, double, double, double)) {
    const PictureSize size = ManifestSize(std::string("menus/") + name + ".png");
    const Decoration draw = [icon](Canvas& canvas, Box body, State) {
        cairo_t* cr = canvas.Cr();
        cairo_save(cr);
        Inset(canvas, body.Inset(7), 7, 0.6);
        icon(cr, body.CentreX(), body.CentreY(), std::min(body.w, body.h) * 0.8);
        cairo_restore(cr);
    };
    return ButtonPlate(size.width, size.height, BodyOf(size.width, size.height),
                       PlateStyle(name, 8, 0), state, draw);
}

Canvas HousePlate(State state) {
    constexpr int kWidth = 176, kHeight = 134;
    const Decoration draw = [](Canvas& canvas, Box body, State look) {
        DrawHousePicture(canvas, {body.x + 12, body.y + 10, body.w - 24, 80}, look);
    };
    return ButtonPlate(kWidth, kHeight, BodyOf(kWidth, kHeight),
                       PlateStyle("Map screen YourHouse", 12, 18), state, draw);
}

// Arrow buttons: a tall plate with a gilded chevron. Disabled = the plate
// dimmed and greyed, without glow.
enum class ArrowLook { Normal, Over, Down, Disabled };

Canvas ArrowPlate(int direction, ArrowLook look) {
    constexpr int kWidth = 66, kHeight = 110;
    const State state = look == ArrowLook::Over   ? State::Over
                        : look == ArrowLook::Down ? State::Pressed
                                                  : State::Normal;
    const bool dim = look == ArrowLook::Disabled;
    const Box body{kMargin, 12, kWidth - 2 * kMargin, 86};
    FrameStyle frame = PlateStyle(direction > 0 ? "arrowR" : "arrowL", 12, 0);
    if (dim) frame.woodBrightness = 0.6;
    const Decoration draw = [direction, dim](Canvas& canvas, Box plate, State) {
        DrawArrowIcon(canvas.Cr(), plate.CentreX(), plate.CentreY(), 40, direction, dim);
    };
    Canvas plate = ButtonPlate(kWidth, kHeight, body, frame, state, draw);
    if (dim) plate.Fade(0.75);
    return plate;
}

// A title-screen signpost: a tilted plank (with a pointed end when `point`
// > 0) nailed to an upright post that runs to the bottom of the picture.
struct SignSpec {
    const char* name;
    double angle;         // degrees, clockwise
    double moveX, moveY;  // caption offset from the picture centre
    double plankW, plankH, point;
};

constexpr SignSpec kSigns[] = {
    {"buttonplay", 10, 11, -3, 132, 50, 24},
    {"buttonchangeplayer", 14, 3, -1, 168, 72, 0},
    {"buttonoptions", -12, 2, 1, 144, 54, 0},
    {"buttonexit", -23, -3, 4, 110, 52, 0},
};

void DrawPost(Canvas& canvas, double x, double top, double seedBase) {
    cairo_t* cr = canvas.Cr();
    const int height = canvas.Height();
    const Canvas wood =
        WoodTexture(18, height, static_cast<uint64_t>(seedBase), Grain::Vertical, 0.85);
    Canvas post(canvas.Width(), height);
    cairo_t* pc = post.Cr();
    RoundedRectangle(pc, x - 8, top, 16, height - top + 4, 3);
    FillWithTexture(pc, wood, x - 9, 0);
    cairo_pattern_t* shade = cairo_pattern_create_linear(x - 8, 0, x + 8, 0);
    cairo_pattern_add_color_stop_rgba(shade, 0, 1, 0.9, 0.7, 0.18);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0.04, 0.02, 0.06, 0.5);
    RoundedRectangle(pc, x - 8, top, 16, height - top + 4, 3);
    cairo_set_source(pc, shade);
    cairo_fill(pc);
    cairo_pattern_destroy(shade);
    // The foot of the post fades into the grass and fog of the scene.
    cairo_pattern_t* fade = cairo_pattern_create_linear(0, height - 26, 0, height);
    cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 0);
    cairo_set_source_surface(cr, post.Surface(), 0, 0);
    cairo_mask(cr, fade);
    cairo_pattern_destroy(fade);
}

Canvas SignPlate(const SignSpec& sign, State state) {
    const PictureSize size = ManifestSize(std::string("menus/") + sign.name + ".png");
    // Draw the plank upright, centred on its caption area, then turn it.
    const double pad = 12;
    const int uw = static_cast<int>(sign.plankW + sign.point + 2 * pad);
    const int uh = static_cast<int>(sign.plankH + 2 * pad);
    Canvas upright(uw, uh);
    FrameStyle frame = PlateStyle(sign.name, 6, 0);
    frame.iron = 3.5;
    frame.point = sign.point;
    frame.woodBrightness = 1.1;
    const Box plank{pad, pad, sign.plankW + sign.point, sign.plankH};
    DrawFrame(upright, plank, frame, state);
    cairo_t* uc = upright.Cr();
    // Nails at the plank's ends, clear of the caption.
    const double textCentreX = pad + sign.plankW / 2;
    const double nailY = pad + sign.plankH / 2;
    Rivet(uc, pad + 11, nailY, 2.4);
    if (sign.point <= 0) Rivet(uc, pad + sign.plankW - 11, nailY, 2.4);

    Canvas plankLayer(size.width, size.height);
    const bool pressed = state == State::Pressed;
    // A pressed sign sinks as far as every other button.
    const double tx = size.width / 2.0 + sign.moveX + (pressed ? kPressShift : 0);
    const double ty = size.height / 2.0 + sign.moveY + (pressed ? kPressShift : 0);
    cairo_t* cr = plankLayer.Cr();
    cairo_translate(cr, tx, ty);
    cairo_rotate(cr, sign.angle * M_PI / 180);
    cairo_translate(cr, -textCentreX, -(pad + sign.plankH / 2));
    cairo_set_source_surface(cr, upright.Surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BEST);
    cairo_paint(cr);
    plankLayer.Reset();

    Canvas out(size.width, size.height);
    DrawPost(out, size.width / 2.0 + sign.moveX, size.height / 2.0, SeedOf(sign.name) + 1);
    if (state == State::Over) OuterGlow(out, plankLayer, 0, 0, 4, kCandle, 1.4);
    DropShadow(out, plankLayer, 0, 0, pressed ? 1 : 3, pressed ? 1 : 4, 3, 0.6);
    out.Draw(plankLayer, 0, 0);
    return out;
}

using Maker = std::function<Canvas(State)>;

void AddFamily(Registry& registry, const std::string& base, const Maker& make) {
    const std::string path = "menus/" + base;
    registry.Add(path + ".png", [make] { return make(State::Normal).EncodePNG(); });
    registry.Add(path + "MO.png", [make] { return make(State::Over).EncodePNG(); });
    registry.Add(path + "Down.png", [make] { return make(State::Pressed).EncodePNG(); });
}

}  // namespace

void RegisterButtons(Registry& registry) {
    AddFamily(registry, "button", [](State s) { return CaptionPlate("button", 9, 12, s); });
    AddFamily(registry, "ButtonLong", LongPlate);
    AddFamily(registry, "In-Game Menu Button1",
              [](State s) { return CaptionPlate("In-Game Menu Button1", 12, 18, s); });
    AddFamily(registry, "Menu", [](State s) { return CaptionPlate("Menu", 12, 16, s); });
    AddFamily(registry, "MapScreenButton",
              [](State s) { return CaptionPlate("MapScreenButton", 10, 14, s); });
    AddFamily(registry, "Map screen YourHouse", HousePlate);
    AddFamily(registry, "DecorationMapButton",
              [](State s) { return CaptionPlate("DecorationMapButton", 10, 14, s); });
    AddFamily(registry, "eyeButton", [](State s) { return IconPlate("eyeButton", s, DrawEye); });
    AddFamily(registry, "rollerButton",
              [](State s) { return IconPlate("rollerButton", s, DrawRoller); });
    for (const SignSpec& sign : kSigns) {
        AddFamily(registry, sign.name, [&sign](State s) { return SignPlate(sign, s); });
    }
    for (int direction : {1, -1}) {
        const std::string base = std::string("menus/") + (direction > 0 ? "arrowR" : "arrowL");
        auto add = [&](const std::string& suffix, ArrowLook look) {
            registry.Add(base + suffix + ".png",
                         [direction, look] { return ArrowPlate(direction, look).EncodePNG(); });
        };
        add("", ArrowLook::Normal);
        add("MO", ArrowLook::Over);
        add("_down", ArrowLook::Down);
        add("_disabled", ArrowLook::Disabled);
    }
}

}  // namespace asset::ui
