#include "Layer.h"

#include <cmath>

namespace asset::scenes {

Layer::Layer(int width, int height) : art_(width, height) {
    cairo_set_source_rgb(art_.Cr(), 1, 1, 1);
}

void Layer::Composite(Canvas& target, const Look& look) {
    Canvas body = art_.Silhouette(look.lower.r, look.lower.g, look.lower.b);
    {
        // Grade the colour inside the silhouettes only (ATOP keeps their alpha).
        cairo_t* cr = body.Cr();
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
        cairo_rectangle(cr, 0, 0, body.Width(), body.Height());
        FillVertical(cr, look.gradientTop, look.gradientBottom, look.upper, look.lower);
        cairo_restore(cr);
    }
    Canvas rim = art_.Silhouette(look.rim.r, look.rim.g, look.rim.b, look.rimAlpha);
    if (look.blur > 0) {
        BlurContent(body, look.blur);
        BlurContent(rim, look.blur);
    }
    // The rim is the same shape nudged towards the light: only its top-left
    // fringe stays visible once the body covers the rest.
    target.Draw(rim, -look.rimWidth, -look.rimWidth, look.alpha);
    target.Draw(body, 0, 0, look.alpha);

    cairo_t* cr = target.Cr();
    cairo_save(cr);
    SetColor(cr, Shade(look.lower, 0.6), 0.85 * look.alpha);
    for (const Panel& recess : details_.recesses)
        cairo_rectangle(cr, recess.x, recess.y, recess.w, recess.h);
    cairo_fill(cr);
    cairo_set_line_width(cr, 1.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, look.rim, look.rimAlpha * 0.55 * look.alpha);
    for (const Edge& edge : details_.edges) {
        cairo_move_to(cr, edge.x0, edge.y0);
        cairo_line_to(cr, edge.x1, edge.y1);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    PaintWindows(cr, details_.windows, Mix(look.upper, look.lower, 0.5), look.glass,
                 look.windowGlow * look.alpha);
}

void Layer::Shadow(Canvas& target, double dx, double dy, double blur, double alpha) const {
    Canvas shadow = art_.Silhouette(0.03, 0.04, 0.08, alpha);
    BlurContent(shadow, blur);
    target.Draw(shadow, dx, dy);
}

void Layer::Reflect(Canvas& target, double x0, double x1, double axisY, Rgb color,
                    double alpha) const {
    Canvas mirrored(art_.Width(), art_.Height());
    Canvas tinted = art_.Silhouette(color.r, color.g, color.b);
    cairo_t* cr = mirrored.Cr();
    cairo_rectangle(cr, x0, axisY, x1 - x0, art_.Height() - axisY);
    cairo_clip(cr);
    cairo_translate(cr, 0, 2 * axisY);
    cairo_scale(cr, 1, -1);
    cairo_set_source_surface(cr, tinted.Surface(), 0, 0);
    cairo_paint(cr);
    BlurContent(mirrored, 2);
    target.Draw(mirrored, 0, 0, alpha);
}

void WindowPath(cairo_t* cr, const Window& window) {
    const double x = window.x, y = window.y, w = window.w, h = window.h;
    cairo_new_sub_path(cr);
    if (window.arched) {
        cairo_move_to(cr, x, y + h);
        cairo_line_to(cr, x, y + w / 2);
        cairo_arc(cr, x + w / 2, y + w / 2, w / 2, M_PI, 2 * M_PI);
        cairo_line_to(cr, x + w, y + h);
        cairo_close_path(cr);
    } else {
        cairo_rectangle(cr, x, y, w, h);
    }
}

void PaintWindows(cairo_t* cr, const std::vector<Window>& windows, Rgb frame, Rgb glass,
                  double glow) {
    if (glow <= 0) return;
    cairo_save(cr);
    for (const Window& window : windows) {
        const double cx = window.x + window.w / 2, cy = window.y + window.h / 2;
        WindowPath(cr, window);
        if (window.lit) {
            // Brighter at the bottom where the candle stands.
            FillVertical(cr, window.y, window.y + window.h, Shade(glass, 0.8), Shade(glass, 1.25),
                         glow);
            AddGlow(cr, cx, cy, std::max(window.w, window.h) * 2.4, glass, 0.18 * glow);
        } else {
            FillVertical(cr, window.y, window.y + window.h, Mix(frame, style::kFog, 0.25),
                         Shade(frame, 0.8), glow);
        }
        // Mullions, or the gap between the two leaves of a door.
        SetColor(cr, frame, glow);
        const double bar = std::max(1.0, window.w * (window.door ? 0.05 : 0.12));
        cairo_rectangle(cr, cx - bar / 2, window.y + (window.arched ? window.w * 0.2 : 0), bar,
                        window.h);
        if (!window.door)
            cairo_rectangle(cr, window.x, cy - bar / 2 + window.h * 0.05, window.w, bar);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

}  // namespace asset::scenes
