#include "Paint.h"

#include <algorithm>
#include <cmath>

#include "assetkit/Random.h"

namespace asset::ui {

using namespace style;

namespace {

// Iron tones: lit face, body and deep shade (none of them black).
constexpr Rgb kIronLit = Rgb8(0x7C8296);
constexpr Rgb kIronShade = Rgb8(0x1E1F27);
constexpr Rgb kSpecular = Rgb8(0xDCE2F2);
constexpr Rgb kShadowTone = Rgb8(0x0A0610);
constexpr Rgb kWarmLight = Rgb8(0xFFE2B0);
constexpr Rgb kWoodDeep = Rgb8(0x23150E);
constexpr Rgb kFieldTop = Rgb8(0x150E18);
constexpr Rgb kFieldBottom = Rgb8(0x281B27);

using Shape = std::function<void(cairo_t*)>;

uint32_t PackOpaque(Rgb c) {
    auto channel = [](double v) {
        // Floor of 6 keeps opaque art clear of the loader's black mask colour.
        return static_cast<uint32_t>(std::clamp(std::lround(v * 255), 6L, 255L));
    };
    return 0xFF000000u | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

// Paints the crescent of `shape` that is not covered by the shape moved by
// (dx, dy): the edges facing away from the move. Several graded steps make
// the edge soft, strongest at the rim.
void EdgeLight(cairo_t* cr, const Shape& shape, double dx, double dy, Rgb colour, double alpha,
               int steps = 3) {
    for (int i = 1; i <= steps; ++i) {
        const double f = static_cast<double>(i) / steps;
        cairo_save(cr);
        shape(cr);
        cairo_clip(cr);
        cairo_new_path(cr);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        cairo_rectangle(cr, -4096, -4096, 8192, 8192);
        cairo_translate(cr, dx * f, dy * f);
        shape(cr);
        SetColour(cr, colour, alpha / steps);
        cairo_fill(cr);
        cairo_restore(cr);
    }
}

Shape RoundedShape(Box box, double radius) {
    return [box, radius](cairo_t* cr) { PlatePath(cr, box, radius); };
}

// The outline of a plate: rounded, or a sign plank with a pointed end.
Shape OutlineShape(Box box, double radius, double point, int direction) {
    if (point <= 0) return RoundedShape(box, radius);
    return [box, point, direction](cairo_t* cr) { SignPath(cr, box, point, direction); };
}

void FillIron(cairo_t* cr, Box box, double warmth) {
    const Rgb lit = Mix(kIronLit, kCandle, warmth);
    cairo_pattern_t* pattern = LightGradient(box, lit, 1, kIronShade, 1);
    cairo_pattern_add_color_stop_rgb(pattern, 0.45, kIron.r, kIron.g, kIron.b);
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

void RimRivets(cairo_t* cr, Box box, double iron, double skip) {
    const double inset = iron / 2;
    const double r = std::max(1.6, iron * 0.32);
    const double spacing = 46;
    const double left = box.x + inset, right = box.x + box.w - inset;
    const double top = box.y + inset, bottom = box.y + box.h - inset;
    const int across = std::max(1, static_cast<int>((box.w - 2 * skip) / spacing));
    for (int i = 0; i <= across; ++i) {
        const double x = box.x + skip + (box.w - 2 * skip) * i / across;
        Rivet(cr, x, top, r);
        Rivet(cr, x, bottom, r);
    }
    const int down = std::max(1, static_cast<int>((box.h - 2 * skip) / spacing));
    for (int i = 0; i <= down; ++i) {
        const double y = box.y + skip + (box.h - 2 * skip) * i / down;
        Rivet(cr, left, y, r);
        Rivet(cr, right, y, r);
    }
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Scale(Rgb c, double factor) {
    return {std::min(1.0, c.r * factor), std::min(1.0, c.g * factor), std::min(1.0, c.b * factor)};
}

void SetColour(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

cairo_pattern_t* LightGradient(Box box, Rgb lit, double litAlpha, Rgb shaded, double shadedAlpha) {
    const double reach = (box.w + box.h) / 2;
    cairo_pattern_t* pattern =
        cairo_pattern_create_linear(box.x, box.y, box.x + reach, box.y + reach);
    cairo_pattern_add_color_stop_rgba(pattern, 0, lit.r, lit.g, lit.b, litAlpha);
    cairo_pattern_add_color_stop_rgba(pattern, 1, shaded.r, shaded.g, shaded.b, shadedAlpha);
    return pattern;
}

Canvas WoodTexture(int width, int height, uint64_t seed, Grain grain, double brightness) {
    Canvas canvas(width, height);
    canvas.Flush();
    const Rgb dark = kWoodDeep, mid = kBark, light = kWood;
    // Boards are about 44 px wide across the grain; each gets its own tone
    // and grain offset, with a dark seam between boards.
    constexpr double kBoard = 44;
    for (int y = 0; y < height; ++y) {
        uint32_t* row = canvas.Row(y);
        for (int x = 0; x < width; ++x) {
            const double along = grain == Grain::Horizontal ? x : y;
            const double across = grain == Grain::Horizontal ? y : x;
            const int board = static_cast<int>(std::floor(across / kBoard));
            const double inBoard = across - board * kBoard;
            const uint64_t boardSeed = seed + static_cast<uint64_t>(board + 1000) * 131;
            const double warp = FractalNoise(along / 150.0, across / 26.0, boardSeed, 3);
            const double lines = 0.5 + 0.5 * std::sin(across / 3.1 + warp * 11.0);
            const double streak = FractalNoise(along / 55.0, across / 1.7, boardSeed + 7, 3);
            double t = 0.5 * streak + 0.22 * lines + 0.28 * warp;
            t = 0.15 + 0.75 * t + 0.1 * (ValueNoise(board * 3.7, 0.5, seed) - 0.5);
            Rgb c = t < 0.5 ? Mix(dark, mid, t * 2) : Mix(mid, light, (t - 0.5) * 2);
            const double seam = std::min(inBoard, kBoard - inBoard);
            if (seam < 2.0) c = Mix(c, dark, 0.7 * (1 - seam / 2.0));
            row[x] = PackOpaque(Scale(c, brightness));
        }
    }
    canvas.MarkDirty();
    return canvas;
}

void FillWithTexture(cairo_t* cr, const Canvas& texture, double x, double y) {
    cairo_set_source_surface(cr, const_cast<Canvas&>(texture).Surface(), x, y);
    cairo_fill(cr);
}

void PlatePath(cairo_t* cr, Box box, double radius) {
    RoundedRectangle(cr, box.x, box.y, box.w, box.h, radius);
}

void SignPath(cairo_t* cr, Box box, double point, int direction) {
    const double r = std::min(6.0, box.h / 4);
    const double cy = box.CentreY();
    cairo_new_sub_path(cr);
    if (direction > 0) {
        const double end = box.x + box.w - point;
        cairo_arc(cr, box.x + r, box.y + r, r, M_PI, 1.5 * M_PI);
        cairo_line_to(cr, end, box.y);
        cairo_line_to(cr, box.x + box.w, cy);
        cairo_line_to(cr, end, box.y + box.h);
        cairo_arc(cr, box.x + r, box.y + box.h - r, r, 0.5 * M_PI, M_PI);
    } else {
        const double start = box.x + point;
        cairo_move_to(cr, box.x, cy);
        cairo_line_to(cr, start, box.y);
        cairo_arc(cr, box.x + box.w - r, box.y + r, r, 1.5 * M_PI, 2 * M_PI);
        cairo_arc(cr, box.x + box.w - r, box.y + box.h - r, r, 0, 0.5 * M_PI);
        cairo_line_to(cr, start, box.y + box.h);
    }
    cairo_close_path(cr);
}

void Rivet(cairo_t* cr, double cx, double cy, double radius) {
    cairo_save(cr);
    cairo_arc(cr, cx + radius * 0.35, cy + radius * 0.45, radius * 1.1, 0, 2 * M_PI);
    SetColour(cr, kShadowTone, 0.45);
    cairo_fill(cr);
    cairo_pattern_t* dome = cairo_pattern_create_radial(cx - radius * 0.35, cy - radius * 0.4,
                                                        radius * 0.1, cx, cy, radius);
    cairo_pattern_add_color_stop_rgb(dome, 0, kSpecular.r, kSpecular.g, kSpecular.b);
    cairo_pattern_add_color_stop_rgb(dome, 0.35, kIronLit.r, kIronLit.g, kIronLit.b);
    cairo_pattern_add_color_stop_rgb(dome, 0.8, kIron.r, kIron.g, kIron.b);
    cairo_pattern_add_color_stop_rgb(dome, 1, kIronShade.r, kIronShade.g, kIronShade.b);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_set_source(cr, dome);
    cairo_fill(cr);
    cairo_pattern_destroy(dome);
    cairo_restore(cr);
}

void CornerBracket(cairo_t* cr, Box box, int corner, double size, double thickness) {
    cairo_save(cr);
    const double cornerX[] = {box.x, box.x + box.w, box.x + box.w, box.x};
    const double cornerY[] = {box.y, box.y, box.y + box.h, box.y + box.h};
    // Build the bracket as if it sat in the top-left corner, rotated into place.
    cairo_translate(cr, cornerX[corner], cornerY[corner]);
    cairo_rotate(cr, corner * M_PI / 2);
    const double t = thickness;
    cairo_new_path(cr);
    // Two arms ending in leaf tips, joined by a forged fillet.
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, size, 0);
    cairo_curve_to(cr, size + t * 0.7, 0, size + t * 1.3, t * 0.3, size + t * 1.5, t * 0.5);
    cairo_curve_to(cr, size + t * 1.3, t * 0.7, size + t * 0.7, t, size, t);
    cairo_line_to(cr, t * 2.2, t);
    cairo_curve_to(cr, t * 1.4, t, t, t * 1.4, t, t * 2.2);
    cairo_line_to(cr, t, size);
    cairo_curve_to(cr, t, size + t * 0.7, t * 0.7, size + t * 1.3, t * 0.5, size + t * 1.5);
    cairo_curve_to(cr, t * 0.3, size + t * 1.3, 0, size + t * 0.7, 0, size);
    cairo_close_path(cr);
    // Points to mark after the transform is dropped.
    double points[][2] = {
        {t * 0.55, t * 0.55}, {size - t * 0.1, t * 0.5}, {t * 0.5, size - t * 0.1}};
    for (auto& p : points)
        cairo_user_to_device(cr, &p[0], &p[1]);
    // Paths are copied in device space so they can be drawn untransformed.
    cairo_matrix_t local;
    cairo_get_matrix(cr, &local);
    cairo_identity_matrix(cr);
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_set_matrix(cr, &local);
    // A scroll of wire curling out of the fillet.
    cairo_new_path(cr);
    const double sx = t * 2.3, sy = t * 2.3;
    for (int i = 0; i <= 24; ++i) {
        const double a = M_PI * 1.25 + i * (M_PI * 1.6 / 24);
        const double r = t * (1.0 - i * 0.55 / 24);
        const double px = sx + std::cos(a) * r, py = sy + std::sin(a) * r;
        if (i == 0) {
            cairo_move_to(cr, px, py);
        } else {
            cairo_line_to(cr, px, py);
        }
    }
    cairo_identity_matrix(cr);
    cairo_path_t* scroll = cairo_copy_path(cr);
    cairo_new_path(cr);
    const Box area{cornerX[corner] - size, cornerY[corner] - size, size * 2, size * 2};
    // Soft shadow on the wood, then the iron, then its edges.
    cairo_save(cr);
    cairo_translate(cr, 1.2, 1.8);
    cairo_append_path(cr, path);
    cairo_append_path(cr, scroll);
    SetColour(cr, kShadowTone, 0.5);
    cairo_set_line_width(cr, std::max(1.2, t * 0.36));
    cairo_stroke(cr);
    cairo_append_path(cr, path);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_append_path(cr, scroll);
    cairo_set_line_width(cr, std::max(1.2, t * 0.36));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, Mix(kIron, kIronLit, 0.5), 1);
    cairo_stroke(cr);
    cairo_append_path(cr, path);
    cairo_pattern_t* iron = LightGradient(area, Mix(kIronLit, kSpecular, 0.25), 1, kIronShade, 1);
    cairo_pattern_add_color_stop_rgb(iron, 0.45, kIronLit.r * 0.8, kIronLit.g * 0.8,
                                     kIronLit.b * 0.8);
    cairo_set_source(cr, iron);
    cairo_fill(cr);
    cairo_pattern_destroy(iron);
    const Shape shape = [path](cairo_t* c) { cairo_append_path(c, path); };
    EdgeLight(cr, shape, 1.2, 1.2, kSpecular, 0.7, 2);
    EdgeLight(cr, shape, -1.2, -1.2, kIronShade, 0.8, 2);
    cairo_path_destroy(path);
    cairo_path_destroy(scroll);
    Rivet(cr, points[0][0], points[0][1], std::max(1.6, t * 0.36));
    Rivet(cr, points[1][0], points[1][1], std::max(1.3, t * 0.28));
    Rivet(cr, points[2][0], points[2][1], std::max(1.3, t * 0.28));
    cairo_restore(cr);
}

void IronStrap(cairo_t* cr, Box strap) {
    cairo_save(cr);
    cairo_rectangle(cr, strap.x + 1, strap.y + 2, strap.w, strap.h);
    SetColour(cr, kShadowTone, 0.45);
    cairo_fill(cr);
    cairo_rectangle(cr, strap.x, strap.y, strap.w, strap.h);
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, strap.y, 0, strap.y + strap.h);
    cairo_pattern_add_color_stop_rgb(pattern, 0, kIronLit.r, kIronLit.g, kIronLit.b);
    cairo_pattern_add_color_stop_rgb(pattern, 0.5, kIron.r, kIron.g, kIron.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, kIronShade.r, kIronShade.g, kIronShade.b);
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
    const double r = std::max(1.5, strap.h * 0.28);
    const double cy = strap.CentreY();
    Rivet(cr, strap.x + strap.h * 0.6, cy, r);
    Rivet(cr, strap.x + strap.w - strap.h * 0.6, cy, r);
    cairo_restore(cr);
}

void DropShadow(Canvas& target, const Canvas& shape, double x, double y, double dx, double dy,
                double blur, double alpha) {
    Canvas shadow = shape.Silhouette(kShadowTone.r, kShadowTone.g, kShadowTone.b, alpha);
    shadow.Blur(blur);
    target.Draw(shadow, x + dx, y + dy);
}

void OuterGlow(Canvas& target, const Canvas& shape, double x, double y, double blur, Rgb colour,
               double alpha) {
    Canvas glow = shape.Silhouette(colour.r, colour.g, colour.b, 1.0);
    glow.Blur(blur);
    target.Draw(glow, x, y, std::min(1.0, alpha));
    if (alpha > 1.0) target.Draw(glow, x, y, alpha - 1.0);
}

void DrawFrame(Canvas& canvas, Box box, const FrameStyle& style, State state) {
    cairo_t* cr = canvas.Cr();
    cairo_save(cr);
    const Box inner = box.Inset(style.iron);
    const double innerRadius = std::max(1.0, style.radius - style.iron * 0.6);
    const double innerPoint = std::max(0.0, style.point - style.iron * 0.45);
    const Shape outerShape = OutlineShape(box, style.radius, style.point, style.pointDirection);
    const Shape innerShape = OutlineShape(inner, innerRadius, innerPoint, style.pointDirection);

    // Iron rim, warmer under the mouse.
    outerShape(cr);
    FillIron(cr, box, state == State::Over ? 0.18 : 0.0);
    EdgeLight(cr, outerShape, 1.5, 1.5, kSpecular, 0.7, 2);
    EdgeLight(cr, outerShape, -1.5, -1.5, kIronShade, 0.8, 2);

    // Wood, brighter under the mouse and darker when pressed.
    const double brightness = style.woodBrightness * (state == State::Over      ? 1.22
                                                      : state == State::Pressed ? 0.8
                                                                                : 1.0);
    const Canvas wood =
        WoodTexture(static_cast<int>(std::ceil(inner.w)) + 2,
                    static_cast<int>(std::ceil(inner.h)) + 2, style.seed, style.grain, brightness);
    innerShape(cr);
    FillWithTexture(cr, wood, std::floor(inner.x), std::floor(inner.y));
    // Rounded plank: a sheen at the top, shade towards the bottom.
    innerShape(cr);
    cairo_pattern_t* sheen = cairo_pattern_create_linear(0, inner.y, 0, inner.y + inner.h);
    cairo_pattern_add_color_stop_rgba(sheen, 0, kWarmLight.r, kWarmLight.g, kWarmLight.b, 0.16);
    cairo_pattern_add_color_stop_rgba(sheen, 0.45, kWarmLight.r, kWarmLight.g, kWarmLight.b, 0.0);
    cairo_pattern_add_color_stop_rgba(sheen, 1, kShadowTone.r, kShadowTone.g, kShadowTone.b, 0.35);
    cairo_set_source(cr, sheen);
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);
    // The iron rim throws a shadow on the wood's top-left edge; the wood's
    // bottom-right edge catches light.
    EdgeLight(cr, innerShape, 2.5, 2.5, kShadowTone, 0.65, 3);
    EdgeLight(cr, innerShape, -1.5, -1.5, kWarmLight, 0.22, 2);

    if (style.groove && inner.h > 26 && inner.w > 26) {
        const double g = std::min(7.0, inner.h * 0.16);
        const Box groove = inner.Inset(g);
        const double grooveRadius = std::max(1.0, innerRadius - g * 0.5);
        const double groovePoint = std::max(0.0, innerPoint - g * 0.45);
        OutlineShape(groove.Shifted(0.8, 0.8), grooveRadius, groovePoint, style.pointDirection)(cr);
        SetColour(cr, kWarmLight, 0.16);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        OutlineShape(groove, grooveRadius, groovePoint, style.pointDirection)(cr);
        SetColour(cr, kShadowTone, 0.55);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
    }

    if (style.rimRivets) {
        outerShape(cr);
        cairo_clip(cr);
        RimRivets(cr, box, style.iron, style.bracket + style.iron * 2.5);
        cairo_reset_clip(cr);
    }
    if (style.bracket > 0) {
        outerShape(cr);
        cairo_clip(cr);
        const double thickness = std::max(style.iron + 3, style.bracket * 0.22);
        for (int corner = 0; corner < 4; ++corner) {
            CornerBracket(cr, box, corner, style.bracket, thickness);
        }
        cairo_reset_clip(cr);
    }

    if (state == State::Over) {
        outerShape(cr);
        SetColour(cr, kCandle, 0.07);
        cairo_fill(cr);
    } else if (state == State::Pressed) {
        outerShape(cr);
        SetColour(cr, kShadowTone, 0.18);
        cairo_fill(cr);
        EdgeLight(cr, innerShape, 4, 4, kShadowTone, 0.55, 4);
    }
    cairo_restore(cr);
}

Canvas ButtonPlate(int width, int height, Box body, const FrameStyle& style, State state,
                   const Decoration& decorate) {
    Canvas out(width, height);
    Canvas plate(width, height);
    const Box placed = state == State::Pressed ? body.Shifted(kPressShift, kPressShift) : body;
    DrawFrame(plate, placed, style, state);
    if (decorate) decorate(plate, placed, state);
    if (state == State::Over) OuterGlow(out, plate, 0, 0, 3.5, kCandle, 1.3);
    if (state == State::Pressed) {
        DropShadow(out, plate, 0, 0, 0.5, 0.5, 1.5, 0.55);
    } else {
        DropShadow(out, plate, 0, 0, 2, 3, 2.5, 0.6);
    }
    out.Draw(plate, 0, 0);
    return out;
}

void Inset(Canvas& canvas, Box box, double radius, double depth) {
    cairo_t* cr = canvas.Cr();
    cairo_save(cr);
    const Shape shape = RoundedShape(box, radius);
    shape(cr);
    cairo_pattern_t* field = cairo_pattern_create_linear(0, box.y, 0, box.y + box.h);
    cairo_pattern_add_color_stop_rgba(field, 0, kFieldTop.r, kFieldTop.g, kFieldTop.b, 0.9);
    cairo_pattern_add_color_stop_rgba(field, 1, kFieldBottom.r, kFieldBottom.g, kFieldBottom.b,
                                      0.86);
    cairo_set_source(cr, field);
    cairo_fill(cr);
    cairo_pattern_destroy(field);
    // A faint violet glow in the middle keeps large fields from looking flat.
    if (box.w > 120 && box.h > 60) {
        cairo_save(cr);
        shape(cr);
        cairo_clip(cr);
        cairo_translate(cr, box.CentreX(), box.CentreY());
        cairo_scale(cr, box.w / 2, box.h / 2);
        cairo_pattern_t* bloom = cairo_pattern_create_radial(0, -0.2, 0, 0, -0.2, 1.2);
        cairo_pattern_add_color_stop_rgba(bloom, 0, kViolet.r, kViolet.g, kViolet.b, 0.22);
        cairo_pattern_add_color_stop_rgba(bloom, 1, kViolet.r, kViolet.g, kViolet.b, 0.0);
        cairo_set_source(cr, bloom);
        cairo_paint(cr);
        cairo_pattern_destroy(bloom);
        cairo_restore(cr);
    }
    cairo_restore(cr);
    Recess(canvas, box, radius, depth);
}

void Recess(Canvas& canvas, Box box, double radius, double depth) {
    cairo_t* cr = canvas.Cr();
    cairo_save(cr);
    const Shape shape = RoundedShape(box, radius);
    EdgeLight(cr, shape, 3 * depth, 3 * depth, kShadowTone, 0.8, 4);
    EdgeLight(cr, shape, -1.2, -1.2, kWarmLight, 0.3, 2);
    shape(cr);
    SetColour(cr, kShadowTone, 0.7);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void HeaderPlaque(Canvas& canvas, double cx, double cy, double width, double height,
                  uint64_t seed) {
    const Box box{cx - width / 2, cy - height / 2, width, height};
    WithShadow(
        canvas,
        [&](Canvas& layer) {
            cairo_t* cr = layer.Cr();
            // Iron scroll wings behind both ends.
            for (int side = -1; side <= 1; side += 2) {
                const double ex = cx + side * (width / 2 - 2);
                cairo_save(cr);
                cairo_move_to(cr, ex, cy - height * 0.32);
                cairo_curve_to(cr, ex + side * height * 0.5, cy - height * 0.55,
                               ex + side * height * 0.75, cy + height * 0.05,
                               ex + side * height * 0.35, cy + height * 0.2);
                cairo_curve_to(cr, ex + side * height * 0.15, cy + height * 0.28,
                               ex + side * height * 0.1, cy + height * 0.05,
                               ex + side * height * 0.28, cy);
                cairo_set_line_width(cr, std::max(2.5, height * 0.1));
                cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
                SetColour(cr, kIron, 1);
                cairo_stroke_preserve(cr);
                cairo_set_line_width(cr, 1.0);
                SetColour(cr, kIronLit, 0.8);
                cairo_stroke(cr);
                cairo_restore(cr);
            }
            FrameStyle style;
            style.radius = height / 2;
            style.iron = std::max(3.0, height * 0.09);
            style.groove = false;
            style.woodBrightness = 0.8;
            style.seed = seed;
            DrawFrame(layer, box, style, State::Normal);
            // A gilded inlay line marks the plaque as a title.
            const Box inlay = box.Inset(style.iron + 4);
            PlatePath(cr, inlay, inlay.h / 2);
            SetColour(cr, kGold, 0.7);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
            for (int side = -1; side <= 1; side += 2) {
                Rivet(cr, cx + side * (width / 2 - height * 0.32), cy,
                      std::max(2.0, height * 0.08));
            }
        },
        2, 3, 3, 0.6);
}

namespace {

// Faint gilded scrollwork in the corners of a dialog's field.
void Filigree(cairo_t* cr, Box field) {
    const double cornerX[] = {field.x, field.x + field.w, field.x + field.w, field.x};
    const double cornerY[] = {field.y, field.y, field.y + field.h, field.y + field.h};
    for (int corner = 0; corner < 4; ++corner) {
        cairo_save(cr);
        cairo_translate(cr, cornerX[corner], cornerY[corner]);
        cairo_rotate(cr, corner * M_PI / 2);
        cairo_move_to(cr, 10, 46);
        cairo_line_to(cr, 10, 20);
        cairo_curve_to(cr, 10, 14, 14, 10, 20, 10);
        cairo_line_to(cr, 46, 10);
        for (int side = 0; side < 2; ++side) {
            // A small curl at each end of the corner line.
            const double ex = side ? 46 : 10, ey = side ? 10 : 46;
            const double dx = side ? 1 : 0, dy = side ? 0 : 1;
            cairo_move_to(cr, ex, ey);
            cairo_curve_to(cr, ex + dx * 8 + dy * 6, ey + dy * 8 + dx * 6, ex + dx * 2 + dy * 10,
                           ey + dy * 2 + dx * 10, ex + dy * 5, ey + dx * 5);
        }
        cairo_move_to(cr, 18, 18);
        cairo_arc(cr, 18, 18, 3, 0, 2 * M_PI);
        cairo_restore(cr);
    }
    SetColour(cr, kGold, 0.38);
    cairo_set_line_width(cr, 1.4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

}  // namespace

Box DialogPanel(Canvas& canvas, Box frame, uint64_t seed) {
    FrameStyle style;
    style.radius = 18;
    style.iron = 9;
    style.bracket = std::min(52.0, std::min(frame.w, frame.h) * 0.16);
    style.rimRivets = true;
    style.seed = seed;
    DrawFrame(canvas, frame, style, State::Normal);
    const Box field = frame.Inset(26);
    Inset(canvas, field, 10);
    Filigree(canvas.Cr(), field);
    return field;
}

void Candle(Canvas& canvas, double x, double baseY, double height, double width) {
    cairo_t* cr = canvas.Cr();
    cairo_save(cr);
    const double top = baseY - height;
    // Warm light around the flame first, so the wax sits in it.
    RadialGlow(cr, x, top - width * 0.9, width * 3.2, kCandle.r, kCandle.g, kCandle.b, 0.35);
    // Wax body with a drip, lit from the left.
    cairo_move_to(cr, x - width / 2, baseY);
    cairo_line_to(cr, x - width / 2, top + 2);
    cairo_curve_to(cr, x - width / 4, top - 1, x + width / 4, top + 1, x + width / 2, top + 2);
    cairo_line_to(cr, x + width / 2, baseY);
    cairo_close_path(cr);
    cairo_pattern_t* wax = cairo_pattern_create_linear(x - width / 2, 0, x + width / 2, 0);
    cairo_pattern_add_color_stop_rgb(wax, 0, kBone.r, kBone.g, kBone.b);
    cairo_pattern_add_color_stop_rgb(wax, 0.6, 0.86, 0.78, 0.62);
    cairo_pattern_add_color_stop_rgb(wax, 1, 0.55, 0.45, 0.36);
    cairo_set_source(cr, wax);
    cairo_fill(cr);
    cairo_pattern_destroy(wax);
    cairo_move_to(cr, x - width * 0.2, top + 2);
    cairo_curve_to(cr, x - width * 0.25, top + height * 0.25, x - width * 0.05, top + height * 0.3,
                   x - width * 0.08, top + 3);
    SetColour(cr, kBone, 0.9);
    cairo_fill(cr);
    // Wick and flame.
    cairo_move_to(cr, x, top + 1);
    cairo_line_to(cr, x + 0.5, top - width * 0.35);
    SetColour(cr, kBark, 1);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    const double fy = top - width * 0.9, fh = width * 1.3, fw = width * 0.42;
    cairo_move_to(cr, x, fy - fh * 0.75);
    cairo_curve_to(cr, x + fw, fy - fh * 0.1, x + fw, fy + fh * 0.35, x, fy + fh * 0.38);
    cairo_curve_to(cr, x - fw, fy + fh * 0.35, x - fw, fy - fh * 0.1, x, fy - fh * 0.75);
    cairo_pattern_t* flame = cairo_pattern_create_radial(x, fy + fh * 0.15, 0, x, fy, fh * 0.8);
    cairo_pattern_add_color_stop_rgb(flame, 0, 1, 1, 0.93);
    cairo_pattern_add_color_stop_rgb(flame, 0.35, kCandle.r, kCandle.g, kCandle.b);
    cairo_pattern_add_color_stop_rgb(flame, 1, kPumpkin.r, kPumpkin.g, kPumpkin.b);
    cairo_set_source(cr, flame);
    cairo_fill(cr);
    cairo_pattern_destroy(flame);
    cairo_restore(cr);
}

void WithShadow(Canvas& target, const std::function<void(Canvas&)>& paint, double dx, double dy,
                double blur, double alpha) {
    Canvas layer(target.Width(), target.Height());
    paint(layer);
    DropShadow(target, layer, 0, 0, dx, dy, blur, alpha);
    target.Draw(layer, 0, 0);
}

}  // namespace asset::ui
