// The loading, instructions and options backdrops: moonlit scenes with room
// (and, for the menus, framed panels) where the game draws its own parts.
#include <algorithm>
#include <cmath>

#include "Backdrop.h"
#include "Scenes.h"

namespace asset::scenes {

namespace {

using namespace style;

// A misty hollow under a big central moon, framed by trees: the backdrop of
// the loading screen and, dimmed, of the menu screens.
Canvas HollowPanorama(uint64_t seed, double moonX, double moonY, double moonRadius) {
    Rng rng(seed);
    Canvas canvas(kScreenWidth, kScreenHeight);
    SkyLook sky;
    sky.horizon = Mix(kViolet, kDusk, 0.4);
    sky.horizonY = 540;
    sky.moonX = moonX;
    sky.moonY = moonY;
    sky.moonRadius = moonRadius;
    sky.halo = 1.3;
    PaintNightSky(canvas, sky, seed);
    FogSpec clouds;
    clouds.color = Mix(kDeepBlue, kFog, 0.35);
    clouds.top = 40;
    clouds.bottom = 260;
    clouds.density = 0.35;
    clouds.coverage = 0.42;
    clouds.scale = 220;
    clouds.stretch = 4;
    clouds.seed = seed + 1;
    clouds.lit = 0.7;
    PaintFog(canvas, clouds);

    Layer far(kScreenWidth, kScreenHeight);
    const Hill farHill{seed + 2, 530, 34, 320};
    farHill.Fill(far.Cr());
    Manor(far.Cr(), rng, 840, farHill.Y(840) + 8, 230, 210, far.PartsPtr());
    Church(far.Cr(), rng, 170, farHill.Y(170) + 8, 110, 150, far.PartsPtr());
    for (double x : {300.0, 350.0, 690.0})
        Cottage(far.Cr(), rng, x, farHill.Y(x) + 6, 42, 42, far.PartsPtr());
    far.Composite(canvas, DepthLook(sky, 0.2, 320, 560));

    FogSpec mist;
    mist.color = Mix(sky.horizon, kFog, 0.45);
    mist.top = 500;
    mist.bottom = 580;
    mist.feather = 50;
    mist.density = 0.45;
    mist.coverage = 0.55;
    mist.scale = 150;
    mist.stretch = 5;
    mist.seed = seed + 3;
    PaintFog(canvas, mist);

    Layer mid(kScreenWidth, kScreenHeight);
    const Hill midHill{seed + 4, 630, 18};
    midHill.Fill(mid.Cr());
    Graves(mid.Cr(), rng, 250, 420, midHill.Y(330) + 6, 30, 5);
    Graves(mid.Cr(), rng, 620, 780, midHill.Y(700) + 6, 28, 4);
    mid.Composite(canvas, DepthLook(sky, 0.55, 520, 700));
    mist.top = 620;
    mist.bottom = 690;
    mist.seed = seed + 5;
    mist.density = 0.3;
    PaintFog(canvas, mist);

    Layer near(kScreenWidth, kScreenHeight);
    PaintGround(near, rng, 722, 14, seed + 6);
    DeadTree(near.Cr(), rng, 70, 735, 600, 0.12, 7);
    DeadTree(near.Cr(), rng, 975, 735, 540, -0.1, 7);
    near.Composite(canvas, DepthLook(sky, 1.0, 400, 768));
    Pumpkin(canvas.Cr(), 215, 756, 22, true, -0.1);
    Pumpkin(canvas.Cr(), 258, 760, 13, false, 0.2);
    Pumpkin(canvas.Cr(), 820, 757, 19, true, 0.1);
    Lantern(canvas.Cr(), 880, 728, 16, true);
    return canvas;
}

// Wood grain over the ring of width `ring` inside the rectangle: stretched
// noise along the nearest edge, brighter towards the top left.
void PaintWoodGrain(Canvas& canvas, double x, double y, double w, double h, double ring,
                    double radius) {
    const uint64_t seed = SeedOf("panel wood");
    canvas.Flush();
    const int x0 = std::max(0, int(x)), x1 = std::min(canvas.Width(), int(x + w));
    const int y0 = std::max(0, int(y)), y1 = std::min(canvas.Height(), int(y + h));
    for (int py = y0; py < y1; ++py) {
        uint32_t* row = canvas.Row(py);
        for (int px = x0; px < x1; ++px) {
            const double left = px - x, right = x + w - px, top = py - y, bottom = y + h - py;
            const double edge = std::min(std::min(left, right), std::min(top, bottom));
            if (edge > ring) continue;
            const double cornerX = std::max(0.0, radius - std::min(left, right));
            const double cornerY = std::max(0.0, radius - std::min(top, bottom));
            if (std::hypot(cornerX, cornerY) > radius) continue;  // outside a rounded corner
            const bool across = std::min(top, bottom) <= std::min(left, right);
            const double along = across ? px : py, depth = across ? py : px;
            const double grain = FractalNoise(along / 70.0, depth / 2.0, seed, 3);
            const double streak = 0.5 + 0.5 * std::sin(depth * 1.1 + grain * 12);
            const double light = 1.12 - 0.35 * ((px - x) / w * 0.4 + (py - y) / h * 0.6);
            const Rgb wood = Mix(Mix(kBark, kLightWood, 0.15 + 0.6 * grain), kBark, 0.4 * streak);
            BlendOver(row[px], Shade(wood, light), 1.0);
        }
    }
    canvas.MarkDirty();
}

// A panel of dark glass in a carved wooden frame with iron corners: where
// the menu screens draw their controls and text.
void FramedPanel(Canvas& canvas, double x, double y, double w, double h) {
    cairo_t* cr = canvas.Cr();
    constexpr double kFrame = 20, kRadius = 18;
    PaintSoftRect(canvas, x + 6, y + 10, w, h, kRadius, 30, kMidnight, 0.6);  // drop shadow
    // The wood, its grain running along each side, lit from the top left.
    PaintWoodGrain(canvas, x, y, w, h, kFrame + 2, kRadius);
    // Bevel: light on the top-left edge, shade on the bottom-right.
    cairo_set_line_width(cr, 2);
    RoundedRectangle(cr, x + 1, y + 1, w - 2, h - 2, kRadius);
    cairo_pattern_t* bevel = cairo_pattern_create_linear(x, y, x + w, y + h);
    cairo_pattern_add_color_stop_rgba(bevel, 0, kBone.r, kBone.g, kBone.b, 0.45);
    cairo_pattern_add_color_stop_rgba(bevel, 0.5, kBone.r, kBone.g, kBone.b, 0.0);
    cairo_pattern_add_color_stop_rgba(bevel, 1, kInk.r, kInk.g, kInk.b, 0.5);
    cairo_set_source(cr, bevel);
    cairo_stroke(cr);
    cairo_pattern_destroy(bevel);
    // The dark glass inside, deeper towards its edges.
    const double ix = x + kFrame, iy = y + kFrame, iw = w - 2 * kFrame, ih = h - 2 * kFrame;
    RoundedRectangle(cr, ix, iy, iw, ih, kRadius - 8);
    cairo_pattern_t* glass = cairo_pattern_create_radial(
        ix + iw * 0.4, iy + ih * 0.3, 10, ix + iw / 2, iy + ih / 2, std::max(iw, ih) * 0.75);
    cairo_pattern_add_color_stop_rgba(glass, 0, kDeepBlue.r, kDeepBlue.g, kDeepBlue.b, 0.88);
    cairo_pattern_add_color_stop_rgba(glass, 1, kMidnight.r * 0.7, kMidnight.g * 0.7,
                                      kMidnight.b * 0.7, 0.95);
    cairo_set_source(cr, glass);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
    // Inner gold line and the shadow the frame casts on the glass.
    cairo_set_line_width(cr, 1.5);
    SetColor(cr, kGold, 0.55);
    RoundedRectangle(cr, ix + 5, iy + 5, iw - 10, ih - 10, kRadius - 12);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 4);
    SetColor(cr, kInk, 0.5);
    RoundedRectangle(cr, ix + 2, iy + 2, iw - 2, ih - 2, kRadius - 8);
    cairo_stroke(cr);
    // Iron corner brackets with rivets.
    for (int corner = 0; corner < 4; ++corner) {
        const double cx = corner % 2 ? x + w - 4 : x + 4, cy = corner / 2 ? y + h - 4 : y + 4;
        const double sx = corner % 2 ? -1 : 1, sy = corner / 2 ? -1 : 1;
        cairo_move_to(cr, cx, cy);
        cairo_line_to(cr, cx + sx * 52, cy);
        cairo_line_to(cr, cx + sx * 40, cy + sy * 10);
        cairo_line_to(cr, cx + sx * 10, cy + sy * 10);
        cairo_line_to(cr, cx + sx * 10, cy + sy * 40);
        cairo_line_to(cr, cx, cy + sy * 52);
        cairo_close_path(cr);
        FillVertical(cr, cy - 10, cy + 50, kIronHighlight, kIron);
        for (const auto& rivet : {std::pair{22.0, 5.0}, std::pair{5.0, 22.0}}) {
            const double rx = cx + sx * rivet.first, ry = cy + sy * rivet.second;
            cairo_arc(cr, rx, ry, 2.6, 0, 2 * M_PI);
            SetColor(cr, Shade(kIron, 0.6));
            cairo_fill(cr);
            cairo_arc(cr, rx - 0.7, ry - 0.7, 1.2, 0, 2 * M_PI);
            SetColor(cr, kBone, 0.7);
            cairo_fill(cr);
        }
    }
}

// A sunken well of 3 x 2 cells where the instructions play their little
// demonstrations, in the same dark slate as the board.
void DemoWell(Canvas& canvas, double x, double y) {
    constexpr double kCell = 66, kColumns = 3, kRows = 2;
    const double w = kCell * kColumns, h = kCell * kRows;
    cairo_t* cr = canvas.Cr();
    RoundedRectangle(cr, x - 7, y - 7, w + 14, h + 14, 10);
    FillVertical(cr, y - 7, y + h + 7, Mix(kIronHighlight, kIron, 0.4), Shade(kIron, 0.7));
    RoundedRectangle(cr, x - 3, y - 3, w + 6, h + 6, 6);
    SetColor(cr, Rgb8(0x141830));
    cairo_fill(cr);
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const double cx = x + column * kCell, cy = y + row * kCell;
            RoundedRectangle(cr, cx + 2, cy + 2, kCell - 4, kCell - 4, 6);
            const Rgb tile = (row + column) % 2 ? Rgb8(0x232A4E) : Rgb8(0x1C2244);
            FillVertical(cr, cy, cy + kCell, Shade(tile, 1.12), tile);
        }
    }
    // The inner shadow under the top-left rim.
    cairo_set_line_width(cr, 3);
    SetColor(cr, kInk, 0.45);
    cairo_move_to(cr, x, y + h);
    cairo_line_to(cr, x, y);
    cairo_line_to(cr, x + w, y);
    cairo_stroke(cr);
}

}  // namespace

Canvas LoadingScreen() {
    const uint64_t seed = SeedOf("loading screen");
    Canvas canvas = HollowPanorama(seed, 512, 170, 86);
    // Quiet, darker bands where the bar and the caption are drawn.
    PaintSoftRect(canvas, 230, 268, 564, 72, 30, 60, kMidnight, 0.35);
    PaintSoftRect(canvas, 330, 425, 364, 72, 30, 60, kMidnight, 0.3);
    FinishScene(canvas, seed, 0.5);
    return canvas;
}

Canvas InstructionsBackground() {
    const uint64_t seed = SeedOf("instructions");
    Canvas canvas = HollowPanorama(seed, 880, 60, 40);
    PaintSoftRect(canvas, 0, 0, kScreenWidth, kScreenHeight, 0, 1, kMidnight, 0.35);
    FramedPanel(canvas, 70, 86, 884, 568);
    // A faint divider between the two columns and the two rows.
    cairo_t* cr = canvas.Cr();
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, kGold, 0.25);
    cairo_move_to(cr, 512, 120);
    cairo_line_to(cr, 512, 620);
    cairo_move_to(cr, 110, 378);
    cairo_line_to(cr, 914, 378);
    cairo_stroke(cr);
    for (const auto& corner : {std::pair{175.0, 140.0}, std::pair{632.0, 140.0},
                               std::pair{175.0, 390.0}, std::pair{632.0, 390.0}}) {
        DemoWell(canvas, corner.first, corner.second);
    }
    FinishScene(canvas, seed, 0.45);
    return canvas;
}

Canvas OptionsBackground() {
    const uint64_t seed = SeedOf("options");
    Canvas canvas = HollowPanorama(seed, 180, 120, 56);
    PaintSoftRect(canvas, 0, 0, kScreenWidth, kScreenHeight, 0, 1, kMidnight, 0.25);
    // The controls are centred on x 501: header 133, sliders 220 and 315,
    // check boxes 398-573, the buttons below the panel.
    FramedPanel(canvas, 290, 80, 422, 580);
    cairo_t* cr = canvas.Cr();
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, kGold, 0.3);
    for (double y : {168.0, 365.0}) {
        cairo_move_to(cr, 340, y);
        cairo_line_to(cr, 662, y);
    }
    cairo_stroke(cr);
    FinishScene(canvas, seed, 0.45);
    return canvas;
}

}  // namespace asset::scenes
