#include "TextLook.h"

#include <algorithm>
#include <cmath>

namespace asset::fonts {

namespace {

// Canvas::Blur runs three box passes of about radius / 1.7 each, so a blurred
// edge spreads this far.
double BlurSpread(double radius) {
    return radius > 0.5 ? radius * 1.8 + 1 : 0;
}

void SetColour(cairo_t* cr, const style::Rgb& c, double alpha = 1) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

// White letters (optionally thickened by a stroke) as an alpha mask.
Canvas LetterMask(int width, int height, const PathTracer& addPath, double strokeWidth) {
    Canvas mask(width, height);
    cairo_t* cr = mask.Cr();
    cairo_set_source_rgb(cr, 1, 1, 1);
    addPath(cr);
    if (strokeWidth > 0) {
        cairo_set_line_width(cr, strokeWidth);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke_preserve(cr);
    }
    cairo_fill(cr);
    return mask;
}

void PaintMasked(Canvas& target, const Canvas& mask, const style::Rgb& colour, double alpha = 1) {
    cairo_t* cr = target.Cr();
    cairo_save(cr);
    cairo_identity_matrix(cr);
    SetColour(cr, colour, alpha);
    cairo_mask_surface(cr, const_cast<Canvas&>(mask).Surface(), 0, 0);
    cairo_restore(cr);
}

std::vector<float> AlphaOf(Canvas& canvas) {
    canvas.Flush();
    std::vector<float> alpha(static_cast<size_t>(canvas.Width()) * canvas.Height());
    for (int y = 0; y < canvas.Height(); ++y) {
        const uint32_t* row = canvas.Row(y);
        for (int x = 0; x < canvas.Width(); ++x)
            alpha[y * canvas.Width() + x] = (row[x] >> 24) / 255.0f;
    }
    return alpha;
}

uint32_t Shade(uint32_t pixel, double light) {
    const double a = pixel >> 24;
    uint32_t out = pixel & 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
        double c = (pixel >> shift) & 0xFF;
        // Premultiplied: lighten toward the pixel's own alpha, darken toward 0.
        c = light >= 0 ? c + (a - c) * light : c * (1 + light);
        out |= static_cast<uint32_t>(std::clamp(std::lround(c), 0l, static_cast<long>(a))) << shift;
    }
    return out;
}

// Rounded relief: the blurred letter shape is read as a height map and lit
// from the top left, brightening slopes that face the light and shading the
// others.
void ApplyBevel(Canvas& face, const Canvas& fillMask, const TextLook& look) {
    Canvas height = fillMask;
    height.Blur(look.bevel);
    const std::vector<float> h = AlphaOf(height);
    const int w = face.Width(), hgt = face.Height();
    auto at = [&](int x, int y) {
        return h[std::clamp(y, 0, hgt - 1) * w + std::clamp(x, 0, w - 1)];
    };
    // A full edge ramps from 0 to 1 over about twice the blur radius.
    const double gain = look.bevel * 1.6;
    face.Flush();
    for (int y = 0; y < hgt; ++y) {
        uint32_t* row = face.Row(y);
        for (int x = 0; x < w; ++x) {
            if ((row[x] >> 24) == 0) continue;
            const double gx = (at(x + 1, y) - at(x - 1, y)) * 0.5;
            const double gy = (at(x, y + 1) - at(x, y - 1)) * 0.5;
            const double facing =
                std::clamp(-(gx * style::kLightX + gy * style::kLightY) * gain, -1.0, 1.0);
            const double light = facing > 0 ? facing * look.bevelLight : facing * look.bevelShade;
            row[x] = Shade(row[x], light);
        }
    }
    face.MarkDirty();
}

void ApplyGloss(Canvas& face, const Canvas& fillMask, const TextLook& look, double bandTop,
                double bandBottom) {
    Canvas sheen(face.Width(), face.Height());
    cairo_t* cr = sheen.Cr();
    cairo_pattern_t* fade = cairo_pattern_create_linear(0, bandTop, 0, (bandTop + bandBottom) / 2);
    cairo_pattern_add_color_stop_rgba(fade, 0, 1, 1, 1, look.gloss);
    cairo_pattern_add_color_stop_rgba(fade, 0.85, 1, 1, 1, look.gloss * 0.35);
    cairo_pattern_add_color_stop_rgba(fade, 1, 1, 1, 1, 0);
    cairo_set_source(cr, fade);
    cairo_mask_surface(cr, const_cast<Canvas&>(fillMask).Surface(), 0, 0);
    cairo_pattern_destroy(fade);
    face.Draw(sheen, 0, 0);
}

}  // namespace

Reach ReachOf(const TextLook& look) {
    const double body = std::max(look.outline + look.backing, look.rim) + look.embolden +
                        1;  // +1: antialiased edge
    const double glow = look.glowAlpha > 0 ? body + BlurSpread(look.glowRadius) : body;
    const double shadow = look.shadowAlpha > 0 ? body + BlurSpread(look.shadowBlur) : body;
    auto side = [&](double shadowShift) {
        return static_cast<int>(std::ceil(std::max({body, glow, shadow + shadowShift})));
    };
    return {side(-look.shadowX), side(-look.shadowY), side(look.shadowX), side(look.shadowY)};
}

cairo_pattern_t* VerticalGradient(const Gradient& gradient, double top, double bottom) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, top, 0, bottom);
    for (const ColourStop& stop : gradient) {
        cairo_pattern_add_color_stop_rgb(pattern, stop.at, stop.colour.r, stop.colour.g,
                                         stop.colour.b);
    }
    return pattern;
}

void PaintText(Canvas& canvas, const PathTracer& addPath, const TextLook& look, double bandTop,
               double bandBottom) {
    const int w = canvas.Width(), h = canvas.Height();
    const double fillStroke = look.embolden * 2;
    const Canvas fillMask = LetterMask(w, h, addPath, fillStroke);
    const Canvas inked =
        look.outline > 0 ? LetterMask(w, h, addPath, fillStroke + look.outline * 2) : fillMask;
    const Canvas body =
        look.backing > 0 ? LetterMask(w, h, addPath, fillStroke + (look.outline + look.backing) * 2)
                         : inked;

    if (look.glowAlpha > 0) {
        Canvas glow = body.Silhouette(look.glowColour.r, look.glowColour.g, look.glowColour.b);
        glow.Blur(look.glowRadius);
        canvas.Draw(glow, 0, 0, std::min(1.0, look.glowAlpha));
        if (look.glowAlpha > 1) canvas.Draw(glow, 0, 0, look.glowAlpha - 1);
    }
    if (look.shadowAlpha > 0) {
        Canvas shadow =
            body.Silhouette(look.shadowColour.r, look.shadowColour.g, look.shadowColour.b);
        shadow.Blur(look.shadowBlur);
        canvas.Draw(shadow, look.shadowX, look.shadowY, look.shadowAlpha);
    }
    if (look.backing > 0) PaintMasked(canvas, body, look.backingColour);
    if (look.outline > 0) PaintMasked(canvas, inked, look.outlineColour);
    if (look.rim > 0)
        PaintMasked(canvas, LetterMask(w, h, addPath, fillStroke + look.rim * 2), look.rimColour);

    Canvas face(w, h);
    cairo_pattern_t* fill = VerticalGradient(look.fill, bandTop, bandBottom);
    cairo_set_source(face.Cr(), fill);
    cairo_mask_surface(face.Cr(), const_cast<Canvas&>(fillMask).Surface(), 0, 0);
    cairo_pattern_destroy(fill);
    if (look.bevel > 0) ApplyBevel(face, fillMask, look);
    if (look.gloss > 0) ApplyGloss(face, fillMask, look, bandTop, bandBottom);
    canvas.Draw(face, 0, 0);
}

}  // namespace asset::fonts
