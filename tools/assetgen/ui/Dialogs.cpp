// Dialog panels. Each is centred on the 1024 x 768 screen by the game, so a
// header drawn at a fixed screen y lands at a fixed row of the picture; the
// header plaque is placed on that row. Buttons hang over the bottom rim of
// the message panels, as the game places them just below.
#include <cmath>
#include <string>

#include "Paint.h"
#include "UiAssets.h"
#include "assetkit/Random.h"

namespace asset::ui {

using namespace style;

namespace {

constexpr int kScreenH = 768;

// The row of the picture where a header centred at screen y `screenY` lands.
double HeaderRow(int height, double screenY) {
    return screenY - (kScreenH - height) / 2;
}

struct PanelSpec {
    const char* name;
    int width, height;
    double headerScreenY;  // 0 for no header
    double top;            // the frame's top edge in the picture
};

Canvas HeaderPanel(const PanelSpec& spec, Box* field = nullptr) {
    Canvas canvas(spec.width, spec.height);
    const Box frame{0, spec.top, static_cast<double>(spec.width), spec.height - spec.top};
    const Box inside = DialogPanel(canvas, frame, SeedOf(spec.name));
    if (field) *field = inside;
    if (spec.headerScreenY > 0) {
        const double plaqueW = std::min(430.0, spec.width - 130.0);
        HeaderPlaque(canvas, spec.width / 2.0, HeaderRow(spec.height, spec.headerScreenY), plaqueW,
                     50, SeedOf(spec.name) + 3);
    }
    return canvas;
}

constexpr PanelSpec kMessage{"MessageDialog", 600, 400, 213, 18};
constexpr PanelSpec kConfirm{"confirm", 600, 400, 213, 18};
constexpr PanelSpec kEnterName{"EnterYourNameDialog", 620, 400, 213, 18};
constexpr PanelSpec kLarge{"Dialog", 800, 600, 113, 18};
constexpr PanelSpec kLevelEnd{"level end dialog", 640, 600, 113, 18};
constexpr PanelSpec kInGameMenu{"InGameMenu", 500, 610, 109, 22};

// A quill beside the name field: the player signs the hollow's register.
void Quill(cairo_t* cr, double x, double y) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, -0.7);
    cairo_move_to(cr, -30, 0);
    cairo_curve_to(cr, -10, -12, 14, -10, 30, -2);
    cairo_curve_to(cr, 14, 4, -8, 6, -30, 0);
    cairo_close_path(cr);
    cairo_pattern_t* feather = cairo_pattern_create_linear(0, -10, 0, 6);
    cairo_pattern_add_color_stop_rgb(feather, 0, kBone.r, kBone.g, kBone.b);
    cairo_pattern_add_color_stop_rgb(feather, 1, 0.62, 0.56, 0.5);
    cairo_set_source(cr, feather);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(feather);
    SetColour(cr, kShadowInk, 0.7);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, -36, 1);
    cairo_line_to(cr, 28, -2);
    SetColour(cr, Rgb8(0x6A5A50), 1);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_move_to(cr, -36, 1);
    cairo_line_to(cr, -42, 2.5);
    SetColour(cr, kGold);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_restore(cr);
}

Canvas EnterNameDialog() {
    Canvas canvas = HeaderPanel(kEnterName);
    // The typed name starts at (170, 136): a gilded field around it.
    const Box field{150, 120, 320, 50};
    cairo_t* cr = canvas.Cr();
    Inset(canvas, field, 10, 1.2);
    RoundedRectangle(cr, field.x - 2.5, field.y - 2.5, field.w + 5, field.h + 5, 12);
    SetColour(cr, kGold, 0.7);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    WithShadow(
        canvas, [](Canvas& layer) { Quill(layer.Cr(), 112, 132); }, 2, 3, 2, 0.6);
    return canvas;
}

// The tally panel: a faint gilded rule between the label column (right edge
// at screen x 497) and the value column (from screen x 527).
Canvas LevelEndDialog() {
    Canvas canvas = HeaderPanel(kLevelEnd);
    cairo_t* cr = canvas.Cr();
    const double x = kLevelEnd.width / 2.0;  // screen x 512
    const double top = HeaderRow(kLevelEnd.height, 196), bottom = HeaderRow(kLevelEnd.height, 520);
    cairo_pattern_t* rule = cairo_pattern_create_linear(0, top, 0, bottom);
    cairo_pattern_add_color_stop_rgba(rule, 0, kGold.r, kGold.g, kGold.b, 0);
    cairo_pattern_add_color_stop_rgba(rule, 0.5, kGold.r, kGold.g, kGold.b, 0.45);
    cairo_pattern_add_color_stop_rgba(rule, 1, kGold.r, kGold.g, kGold.b, 0);
    cairo_move_to(cr, x + 0.5, top);
    cairo_line_to(cr, x + 0.5, bottom);
    cairo_set_source(cr, rule);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_pattern_destroy(rule);
    return canvas;
}

// --- The old lady ----------------------------------------------------------

constexpr Rgb kSkin = Rgb8(0xF1CDAE);
constexpr Rgb kSkinShade = Rgb8(0xB98A72);
constexpr Rgb kHair = Rgb8(0xDCDCE6);
constexpr Rgb kHairShade = Rgb8(0x8E8EA4);
constexpr Rgb kShawl = Rgb8(0x5A3A86);
constexpr Rgb kShawlShade = Rgb8(0x24163C);

// Her outlines are a warm brown line, not ink: the painted shading does the
// modelling (see PaintFigure).
void Outline(cairo_t* cr, double width = 1.6) {
    SetColour(cr, Rgb8(0x3A1E2A), 0.7);
    cairo_set_line_width(cr, width * 0.75);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void FillLit(cairo_t* cr, Box area, Rgb lit, Rgb shade) {
    cairo_pattern_t* p = LightGradient(area, lit, 1, shade, 1);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
}

// The painted treatment of the story pictures, given to a figure drawn on its
// own canvas: light wrapping round its top-left edges, shade pooling in its
// bottom-right, and a soft brush texture, all kept inside its outline.
void PaintFigure(Canvas& figure, uint64_t seed) {
    const int w = figure.Width(), h = figure.Height();
    auto edgeLight = [&](double dx, double dy, double blur, Rgb colour, double alpha) {
        // The figure's silhouette less a blurred copy of itself moved by
        // (dx, dy): what stays is a soft band along the edges facing away
        // from the move.
        Canvas band = figure.Silhouette(colour.r, colour.g, colour.b);
        Canvas moved = figure.Silhouette(0, 0, 0);
        moved.Blur(blur);
        cairo_t* cr = band.Cr();
        cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
        cairo_set_source_surface(cr, moved.Surface(), dx, dy);
        cairo_paint(cr);
        band.Reset();
        cr = figure.Cr();
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
        cairo_set_source_surface(cr, band.Surface(), 0, 0);
        cairo_paint_with_alpha(cr, alpha);
        cairo_restore(cr);
    };
    edgeLight(-5, -6, 5, Rgb8(0x1A0C24), 0.55);  // shade on the side away from the light
    edgeLight(4, 5, 3, Rgb8(0xFFF0D8), 0.3);     // light on the side towards it
    // Brushwork: soft, slightly warm and cool dabs over everything.
    Rng rng(seed);
    Canvas dabs(w, h);
    cairo_t* cr = dabs.Cr();
    for (int i = 0; i < w * h / 60; ++i) {
        const double x = rng.Range(0, w), y = rng.Range(0, h), r = rng.Range(1.5, 4.5);
        const bool warm = rng.Chance(0.5);
        SetColour(cr, warm ? Rgb8(0xFFD8B8) : Rgb8(0x3A2450),
                  warm ? rng.Range(0.04, 0.09) : rng.Range(0.02, 0.05));
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, rng.Range(-0.4, 0.4) - 0.78);
        cairo_scale(cr, r, r * 0.45);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        cairo_fill(cr);
    }
    dabs.Reset();
    cr = figure.Cr();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    cairo_set_source_surface(cr, dabs.Surface(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

// Stitches of a knitted shawl over the current clip.
void KnitTexture(cairo_t* cr, Box area, Rgb light, Rgb dark) {
    cairo_set_line_width(cr, 0.9);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (double y = area.y; y < area.y + area.h; y += 4.2) {
        for (double x = area.x; x < area.x + area.w; x += 4.6) {
            const double sx = x + (int((y - area.y) / 4.2) % 2) * 2.3;
            cairo_move_to(cr, sx, y);
            cairo_line_to(cr, sx + 2.2, y + 3);
            cairo_line_to(cr, sx + 4.4, y);
        }
    }
    SetColour(cr, dark, 0.35);
    cairo_stroke(cr);
    for (double y = area.y + 1; y < area.y + area.h; y += 8.4) {
        cairo_move_to(cr, area.x, y);
        cairo_line_to(cr, area.x + area.w, y);
    }
    SetColour(cr, light, 0.12);
    cairo_stroke(cr);
}

void Shawl(cairo_t* cr, double cx, double frameTop) {
    cairo_move_to(cr, cx - 105, frameTop + 30);
    cairo_curve_to(cr, cx - 100, frameTop - 10, cx - 70, frameTop - 22, cx - 28, frameTop - 30);
    cairo_curve_to(cr, cx - 10, frameTop - 18, cx + 10, frameTop - 18, cx + 28, frameTop - 30);
    cairo_curve_to(cr, cx + 70, frameTop - 22, cx + 100, frameTop - 10, cx + 105, frameTop + 30);
    cairo_close_path(cr);
    FillLit(cr, {cx - 105, frameTop - 30, 210, 60}, kShawl, kShawlShade);
    cairo_path_t* edge = cairo_copy_path(cr);
    cairo_save(cr);
    cairo_clip(cr);
    KnitTexture(cr, {cx - 105, frameTop - 30, 210, 60}, Rgb8(0xC8A8FF), Rgb8(0x140A24));
    cairo_restore(cr);
    cairo_append_path(cr, edge);
    cairo_path_destroy(edge);
    Outline(cr);
    // Knitted folds.
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, cx + side * 30, frameTop - 26);
        cairo_curve_to(cr, cx + side * 50, frameTop - 10, cx + side * 55, frameTop, cx + side * 60,
                       frameTop + 10);
        cairo_move_to(cr, cx + side * 62, frameTop - 20);
        cairo_curve_to(cr, cx + side * 78, frameTop - 8, cx + side * 82, frameTop, cx + side * 85,
                       frameTop + 10);
    }
    SetColour(cr, kShawlShade, 0.8);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    // Cameo brooch at the collar.
    cairo_save(cr);
    cairo_translate(cr, cx, frameTop - 16);
    cairo_scale(cr, 1, 1.25);
    cairo_arc(cr, 0, 0, 7, 0, 2 * M_PI);
    cairo_restore(cr);
    FillLit(cr, {cx - 7, frameTop - 25, 14, 18}, Rgb8(0xFFE9A0), Rgb8(0x8A5A14));
    Outline(cr, 1.2);
    cairo_save(cr);
    cairo_translate(cr, cx, frameTop - 16);
    cairo_scale(cr, 1, 1.25);
    cairo_arc(cr, 0, 0, 4.5, 0, 2 * M_PI);
    cairo_restore(cr);
    SetColour(cr, Rgb8(0xF4E4E8));
    cairo_fill(cr);
}

void HairBack(cairo_t* cr, double cx, double cy) {
    // The bun on top and the mass of silver hair around the face.
    cairo_arc(cr, cx + 4, cy - 46, 20, 0, 2 * M_PI);
    FillLit(cr, {cx - 16, cy - 66, 40, 40}, Rgb8(0xFFFFFF), kHairShade);
    Outline(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, cy - 4);
    cairo_scale(cr, 41, 44);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    FillLit(cr, {cx - 41, cy - 48, 82, 88}, Rgb8(0xFFFFFF), kHairShade);
    Outline(cr);
    // Strands: combed back round the head, wound round the bun.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 14; ++i) {
        const double a = M_PI * (0.55 + 0.9 * i / 13.0);
        const double r0 = 30, r1 = 42;
        cairo_move_to(cr, cx + std::cos(a) * r0 * 0.9, cy - 4 + std::sin(a) * r0);
        cairo_curve_to(cr, cx + std::cos(a - 0.15) * r1 * 0.95, cy - 4 + std::sin(a - 0.15) * r1,
                       cx + std::cos(a - 0.3) * r1 * 0.9, cy - 4 + std::sin(a - 0.3) * r1 * 0.95,
                       cx + std::cos(a - 0.4) * r1 * 0.8, cy - 4 + std::sin(a - 0.4) * r1 * 0.85);
    }
    SetColour(cr, kHairShade, 0.55);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    for (double r = 5; r < 18; r += 3.2) {
        cairo_arc(cr, cx + 4, cy - 46, r, M_PI * (0.9 + r * 0.02), M_PI * (1.9 + r * 0.02));
        cairo_new_sub_path(cr);
    }
    SetColour(cr, kHairShade, 0.6);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    cairo_arc(cr, cx - 2, cy - 54, 7, M_PI * 1.05, M_PI * 1.55);
    SetColour(cr, Rgb8(0xFFFFFF), 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // A pin through the bun, tipped with a tiny skull... of candy.
    cairo_move_to(cr, cx - 20, cy - 56);
    cairo_line_to(cr, cx + 26, cy - 38);
    SetColour(cr, kGold);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_arc(cr, cx - 21, cy - 56.5, 3.5, 0, 2 * M_PI);
    SetColour(cr, kPumpkin);
    cairo_fill_preserve(cr);
    Outline(cr, 1);
}

void Face(cairo_t* cr, double cx, double cy) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 31, 37);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    FillLit(cr, {cx - 31, cy - 37, 62, 74}, Rgb8(0xFBE2CA), kSkinShade);
    Outline(cr);
    // Rosy cheeks.
    for (int side = -1; side <= 1; side += 2) {
        RadialGlow(cr, cx + side * 17, cy + 12, 11, 0.93, 0.45, 0.45, 0.45);
    }
    // Hair parted over the forehead.
    cairo_move_to(cr, cx - 33, cy + 2);
    cairo_curve_to(cr, cx - 34, cy - 30, cx - 16, cy - 40, cx, cy - 38);
    cairo_curve_to(cr, cx + 16, cy - 40, cx + 34, cy - 30, cx + 33, cy + 2);
    cairo_curve_to(cr, cx + 26, cy - 14, cx + 14, cy - 22, cx, cy - 24);
    cairo_curve_to(cr, cx - 14, cy - 22, cx - 26, cy - 14, cx - 33, cy + 2);
    cairo_close_path(cr);
    FillLit(cr, {cx - 34, cy - 40, 68, 42}, Rgb8(0xFFFFFF), kHair);
    Outline(cr, 1.3);
    for (int i = -2; i <= 2; ++i) {
        cairo_move_to(cr, cx + i * 2, cy - 36);
        cairo_curve_to(cr, cx + i * 8, cy - 30, cx + i * 12, cy - 20, cx + i * 14.5, cy - 8);
    }
    SetColour(cr, kHairShade, 0.7);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void Features(cairo_t* cr, double cx, double cy) {
    // Bright, kind eyes behind round spectacles: a white, a hazel iris, a
    // catchlight, and a smiling lower lid.
    for (int side = -1; side <= 1; side += 2) {
        const double ex = cx + side * 13, ey = cy + 1;
        cairo_save(cr);
        cairo_translate(cr, ex, ey + 0.5);
        cairo_scale(cr, 6.2, 4.4);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        SetColour(cr, Rgb8(0xFFF8F0));
        cairo_fill(cr);
        cairo_arc(cr, ex + 0.8, ey + 0.6, 3.6, 0, 2 * M_PI);
        cairo_pattern_t* iris =
            cairo_pattern_create_radial(ex + 0.8, ey + 0.6, 0.5, ex + 0.8, ey + 0.6, 3.6);
        cairo_pattern_add_color_stop_rgb(iris, 0, 0.55, 0.42, 0.2);
        cairo_pattern_add_color_stop_rgb(iris, 1, 0.24, 0.32, 0.16);
        cairo_set_source(cr, iris);
        cairo_fill(cr);
        cairo_pattern_destroy(iris);
        cairo_arc(cr, ex + 0.8, ey + 0.6, 1.6, 0, 2 * M_PI);
        SetColour(cr, Rgb8(0x1A0E14));
        cairo_fill(cr);
        cairo_arc(cr, ex - 0.4, ey - 0.8, 1.1, 0, 2 * M_PI);
        SetColour(cr, Rgb8(0xFFFFFF));
        cairo_fill(cr);
        // Upper lid, heavy with years, and the smiling lower lid.
        cairo_move_to(cr, ex - 7, ey + 1);
        cairo_curve_to(cr, ex - 4, ey - 5.5, ex + 4, ey - 5.5, ex + 7, ey);
        SetColour(cr, Rgb8(0x3A1E2A));
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
        cairo_move_to(cr, ex - 6, ey + 3.5);
        cairo_curve_to(cr, ex - 2, ey + 6.5, ex + 2, ey + 6.5, ex + 6, ey + 3.5);
        SetColour(cr, kSkinShade, 0.9);
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
        // The spectacles: gold rims, a glint on the glass.
        cairo_arc(cr, ex, ey, 10.5, 0, 2 * M_PI);
        SetColour(cr, kMoonlight, 0.12);
        cairo_fill_preserve(cr);
        SetColour(cr, kGold);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        cairo_arc(cr, ex, ey, 8.2, M_PI * 1.1, M_PI * 1.45);
        SetColour(cr, Rgb8(0xFFFFFF), 0.75);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
        // Brows and crow's feet.
        cairo_move_to(cr, ex - 7, ey - 14);
        cairo_curve_to(cr, ex - 3, ey - 17, ex + 3, ey - 17, ex + 7, ey - 14);
        SetColour(cr, kHairShade);
        cairo_set_line_width(cr, 2.2);
        cairo_stroke(cr);
        for (int k = -1; k <= 1; ++k) {
            cairo_move_to(cr, ex + side * 12, ey + 2 + k * 3.5);
            cairo_line_to(cr, ex + side * 16, ey + 1 + k * 5);
        }
        SetColour(cr, kSkinShade, 0.9);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, cx - 2.5, cy - 1);
    cairo_line_to(cr, cx + 2.5, cy - 1);
    SetColour(cr, kGold);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // A long, kindly hooked nose.
    cairo_move_to(cr, cx - 1, cy + 2);
    cairo_curve_to(cr, cx + 2, cy + 10, cx + 9, cy + 18, cx + 6, cy + 22);
    cairo_curve_to(cr, cx + 3, cy + 25, cx - 4, cy + 23, cx - 5, cy + 20);
    FillLit(cr, {cx - 5, cy + 2, 14, 22}, Rgb8(0xFFE6D0), kSkinShade);
    Outline(cr, 1.4);
    // A warm, open smile with laugh lines, and a little chin.
    cairo_move_to(cr, cx - 11, cy + 25);
    cairo_curve_to(cr, cx - 5, cy + 27, cx + 5, cy + 27, cx + 11, cy + 24);
    cairo_curve_to(cr, cx + 7, cy + 33, cx - 7, cy + 33, cx - 11, cy + 25);
    cairo_close_path(cr);
    SetColour(cr, Rgb8(0x6A2232));
    cairo_fill_preserve(cr);
    Outline(cr, 1.6);
    cairo_move_to(cr, cx - 6, cy + 27.5);
    cairo_curve_to(cr, cx - 2, cy + 28.5, cx + 2, cy + 28.5, cx + 6, cy + 27.2);
    SetColour(cr, Rgb8(0xFFF4EA), 0.9);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_move_to(cr, cx - 5, cy + 32.8);
    cairo_curve_to(cr, cx - 2, cy + 34, cx + 2, cy + 34, cx + 5, cy + 32.6);
    SetColour(cr, Rgb8(0xE89A9A), 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, cx + side * 15, cy + 14);
        cairo_curve_to(cr, cx + side * 18, cy + 20, cx + side * 17, cy + 26, cx + side * 14,
                       cy + 29);
    }
    cairo_move_to(cr, cx - 5, cy + 34);
    cairo_curve_to(cr, cx - 2, cy + 35.5, cx + 2, cy + 35.5, cx + 5, cy + 34);
    SetColour(cr, kSkinShade, 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// A knobbly hand gripping the frame's top edge, fingers curling over it.
void Hand(cairo_t* cr, double x, double frameTop, int side) {
    cairo_save(cr);
    cairo_translate(cr, x, frameTop);
    cairo_scale(cr, side, 1);
    // Sleeve cuff behind the hand.
    cairo_move_to(cr, 14, -16);
    cairo_curve_to(cr, 30, -22, 44, -14, 46, -4);
    cairo_line_to(cr, 22, 2);
    cairo_close_path(cr);
    FillLit(cr, {14, -22, 32, 24}, kShawl, kShawlShade);
    Outline(cr);
    // Back of the hand, then four fingers over the edge.
    cairo_move_to(cr, -16, -6);
    cairo_curve_to(cr, -14, -18, 10, -22, 24, -12);
    cairo_curve_to(cr, 30, -6, 28, 2, 22, 6);
    cairo_line_to(cr, -16, 6);
    cairo_close_path(cr);
    FillLit(cr, {-16, -22, 46, 28}, Rgb8(0xFBE2CA), kSkinShade);
    Outline(cr);
    for (int i = 0; i < 4; ++i) {
        const double fx = -12 + i * 9.5;
        RoundedRectangle(cr, fx, -2, 8.5, 16 - std::abs(i - 1.5) * 2, 4);
        FillLit(cr, {fx, -2, 8.5, 16}, kSkin, kSkinShade);
        Outline(cr, 1.3);
        cairo_arc(cr, fx + 4.2, 3, 1.4, M_PI, 2 * M_PI);
        SetColour(cr, kSkinShade, 0.9);
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
        // A pale nail at the tip, catching the light.
        const double tip = 14 - std::abs(i - 1.5) * 2;
        cairo_save(cr);
        cairo_translate(cr, fx + 4.25, tip - 3.2);
        cairo_scale(cr, 2.6, 2.3);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        SetColour(cr, Rgb8(0xF6D2CC));
        cairo_fill_preserve(cr);
        SetColour(cr, kSkinShade, 0.8);
        cairo_set_line_width(cr, 0.6);
        cairo_stroke(cr);
        cairo_arc(cr, fx + 3.6, tip - 3.8, 0.8, 0, 2 * M_PI);
        SetColour(cr, Rgb8(0xFFFFFF), 0.8);
        cairo_fill(cr);
    }
    // Knuckles and the tendons of an old hand.
    for (int i = 0; i < 4; ++i) {
        cairo_move_to(cr, -10 + i * 9.5, -3);
        cairo_curve_to(cr, -8 + i * 9, -9, -4 + i * 7, -14, 2 + i * 5, -17);
    }
    SetColour(cr, kSkinShade, 0.45);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (int i = 0; i < 4; ++i) {
        cairo_arc(cr, -7.8 + i * 9.5, -3.2, 2.2, M_PI * 1.1, M_PI * 1.9);
        cairo_new_sub_path(cr);
    }
    SetColour(cr, Rgb8(0xFFF4EA), 0.7);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (side > 0) {
        // Her wedding ring, worn thin.
        cairo_rectangle(cr, -12 + 1 * 9.5, 1.2, 8.5, 2.2);
        SetColour(cr, kGold);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

// A little jack-o'-lantern keeping her company on the frame.
void Pumpkin(Canvas& canvas, double cx, double baseY) {
    cairo_t* cr = canvas.Cr();
    const double r = 22;
    const double cy = baseY - r * 0.85;
    RadialGlow(cr, cx, cy, r * 2.2, kCandle.r, kCandle.g, kCandle.b, 0.25);
    for (int i = -2; i <= 2; ++i) {
        cairo_save(cr);
        cairo_translate(cr, cx + i * r * 0.32, cy);
        cairo_scale(cr, r * (0.55 - std::abs(i) * 0.08), r * 0.85);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        FillLit(cr, {cx - r, cy - r, 2 * r, 2 * r}, Rgb8(0xFFB060), Rgb8(0x9A3A08));
        Outline(cr, 1.2);
    }
    cairo_move_to(cr, cx - 2, cy - r * 0.8);
    cairo_curve_to(cr, cx - 2, cy - r * 1.1, cx + 2, cy - r * 1.25, cx + 6, cy - r * 1.25);
    cairo_line_to(cr, cx + 5, cy - r * 1.05);
    cairo_curve_to(cr, cx + 2, cy - r * 1.05, cx + 2, cy - r * 0.9, cx + 2, cy - r * 0.8);
    SetColour(cr, kMoss);
    cairo_fill_preserve(cr);
    Outline(cr, 1.1);
    // Glowing face.
    const Rgb glow = Rgb8(0xFFE27A);
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, cx + side * 9, cy - 8);
        cairo_line_to(cr, cx + side * 4, cy - 1);
        cairo_line_to(cr, cx + side * 13, cy - 1);
        cairo_close_path(cr);
    }
    cairo_move_to(cr, cx - 12, cy + 5);
    cairo_curve_to(cr, cx - 5, cy + 13, cx + 5, cy + 13, cx + 12, cy + 5);
    cairo_curve_to(cr, cx + 5, cy + 9, cx - 5, cy + 9, cx - 12, cy + 5);
    SetColour(cr, glow);
    cairo_fill(cr);
}

Canvas OldLadyDialog() {
    constexpr int kWidth = 640, kHeight = 500;
    constexpr double kFrameTop = 166, kLadyX = 160, kScale = 1.35;
    Canvas canvas(kWidth, kHeight);
    // She is drawn around her own origin (the middle of the rim she leans
    // on) and scaled into place.
    auto place = [&](cairo_t* cr) {
        cairo_translate(cr, kLadyX, kFrameTop);
        cairo_scale(cr, kScale, kScale);
    };
    // Behind the panel: her shoulders, hair and face, leaning over it.
    Canvas lady(kWidth, kHeight);
    cairo_t* lc = lady.Cr();
    place(lc);
    Shawl(lc, 0, 0);
    HairBack(lc, 0, -50);
    Face(lc, 0, -50);
    Features(lc, 0, -50);
    PaintFigure(lady, SeedOf("Old Lady Dialog figure"));
    DropShadow(canvas, lady, 0, 0, 3, 4, 3, 0.5);
    canvas.Draw(lady, 0, 0);
    const Box frame{0, kFrameTop, kWidth, kHeight - kFrameTop};
    DialogPanel(canvas, frame, SeedOf("Old Lady Dialog"));
    // In front of it: her hands on the rim, her pumpkin and a candle.
    WithShadow(
        canvas,
        [&](Canvas& layer) {
            cairo_t* cr = layer.Cr();
            cairo_save(cr);
            place(cr);
            Hand(cr, -58, 4 / kScale, 1);
            Hand(cr, 58, 4 / kScale, -1);
            cairo_restore(cr);
            PaintFigure(layer, SeedOf("Old Lady Dialog hands"));
            cairo_save(cr);
            cairo_translate(cr, 470, kFrameTop + 5);
            cairo_scale(cr, 1.3, 1.3);
            Pumpkin(layer, 0, 0);
            cairo_restore(cr);
        },
        2, 3, 2.5, 0.55);
    Candle(canvas, 566, kFrameTop + 5, 56, 13);
    return canvas;
}

}  // namespace

void RegisterDialogs(Registry& registry) {
    const std::string dialogs = "graphics/Dialogs/";
    registry.Add(dialogs + "MessageDialog.png", [] { return HeaderPanel(kMessage).EncodePNG(); });
    registry.Add(dialogs + "confirm.png", [] { return HeaderPanel(kConfirm).EncodePNG(); });
    registry.Add(dialogs + "EnterYourNameDialog.png", [] { return EnterNameDialog().EncodePNG(); });
    registry.Add(dialogs + "Dialog.png", [] { return HeaderPanel(kLarge).EncodePNG(); });
    registry.Add(dialogs + "level end dialog.png", [] { return LevelEndDialog().EncodePNG(); });
    registry.Add(dialogs + "InGameMenu.png", [] { return HeaderPanel(kInGameMenu).EncodePNG(); });
    registry.Add(dialogs + "Old Lady Dialog.png", [] { return OldLadyDialog().EncodePNG(); });
}

}  // namespace asset::ui
