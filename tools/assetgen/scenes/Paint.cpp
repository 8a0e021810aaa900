#include "Paint.h"

#include <algorithm>
#include <cmath>

namespace asset::scenes {

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Shade(Rgb color, double factor) {
    if (factor <= 1) return {color.r * factor, color.g * factor, color.b * factor};
    const double t = std::min(1.0, factor - 1);
    return Mix(color, {1, 1, 1}, t);
}

void SetColor(cairo_t* cr, Rgb color, double alpha) {
    cairo_set_source_rgba(cr, color.r, color.g, color.b, alpha);
}

double Clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}

double SmoothStep(double edge0, double edge1, double x) {
    const double t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

// ---------------------------------------------------------------------------
// Fields

Field::Field(int width, int height, int step, bool wrapX)
    : width_(width), height_(height), step_(std::max(1, step)), wrapX_(wrapX) {
    columns_ = wrapX ? std::max(1, width / step_) : width / step_ + 2;
    rows_ = height / step_ + 2;
    values_.assign(static_cast<size_t>(columns_) * rows_, 0.0f);
}

float Field::At(double x, double y) const {
    const double gx = x / step_, gy = std::clamp(y / step_, 0.0, rows_ - 1.0);
    const int y0 = std::min(static_cast<int>(gy), rows_ - 2);
    const double ty = gy - y0;
    int x0 = static_cast<int>(std::floor(gx)), x1 = x0 + 1;
    const double tx = gx - std::floor(gx);
    if (wrapX_) {
        x0 = ((x0 % columns_) + columns_) % columns_;
        x1 = ((x1 % columns_) + columns_) % columns_;
    } else {
        x0 = std::clamp(x0, 0, columns_ - 1);
        x1 = std::clamp(x1, 0, columns_ - 1);
    }
    const int y1 = std::min(y0 + 1, rows_ - 1);
    const float a = values_[y0 * columns_ + x0], b = values_[y0 * columns_ + x1];
    const float c = values_[y1 * columns_ + x0], d = values_[y1 * columns_ + x1];
    const double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return static_cast<float>(top + (bottom - top) * ty);
}

Field NoiseField(int width, int height, double scale, uint64_t seed, int octaves, bool wrapX) {
    // A grid step well below the finest octave keeps the bilinear read-back smooth.
    int step = std::clamp(static_cast<int>(scale / std::pow(2.0, octaves + 1)), 2, 6);
    while (wrapX && width % step != 0)
        --step;
    Field field(width, height, step, wrapX);
    const int period = wrapX ? std::max(1, static_cast<int>(std::lround(width / scale))) : 0;
    const double unit = wrapX ? double(width) / period : scale;
    field.Fill(
        [&](int x, int y) { return FractalNoise(x / unit, y / unit, seed, octaves, 0.5, period); });
    return field;
}

// ---------------------------------------------------------------------------
// Pixels

void BlendOver(uint32_t& pixel, Rgb color, double alpha) {
    if (alpha <= 0) return;
    alpha = std::min(alpha, 1.0);
    const double keep = 1 - alpha;
    auto channel = [&](int shift, double value) {
        const double d = ((pixel >> shift) & 0xFF) * keep + value * 255 * alpha;
        return static_cast<uint32_t>(std::clamp(std::lround(d), 0L, 255L)) << shift;
    };
    pixel = channel(24, 1.0) | channel(16, color.r) | channel(8, color.g) | channel(0, color.b);
}

void PaintGradient(Canvas& canvas, std::initializer_list<Stop> stops, double top, double bottom) {
    if (bottom < 0) bottom = canvas.Height();
    cairo_t* cr = canvas.Cr();
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, top, 0, bottom);
    for (const Stop& stop : stops) {
        cairo_pattern_add_color_stop_rgb(pattern, stop.at, stop.color.r, stop.color.g,
                                         stop.color.b);
    }
    cairo_save(cr);
    cairo_set_source(cr, pattern);
    cairo_rectangle(cr, 0, top, canvas.Width(), bottom - top);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_pattern_destroy(pattern);
}

void PaintStars(Canvas& canvas, uint64_t seed, int count, double horizon, double brightness) {
    Rng rng(seed);
    cairo_t* cr = canvas.Cr();
    cairo_save(cr);
    for (int i = 0; i < count; ++i) {
        const double x = rng.Range(0, canvas.Width());
        const double y = horizon * std::pow(rng.Uniform(), 1.5);
        const double fade = 1 - SmoothStep(horizon * 0.45, horizon, y);
        const double size = rng.Chance(0.08) ? rng.Range(1.2, 1.8) : rng.Range(0.45, 1.0);
        const double alpha = brightness * fade * rng.Range(0.35, 1.0);
        const Rgb tint = Mix(style::kMoonlight, rng.Chance(0.3) ? style::kCandle : style::kFog,
                             rng.Range(0, 0.35));
        SetColor(cr, tint, alpha);
        cairo_arc(cr, x, y, size, 0, 2 * M_PI);
        cairo_fill(cr);
        if (size > 1.2) {
            AddGlow(cr, x, y, size * 6, tint, alpha * 0.35);
            // A faint four-point sparkle on the brightest stars.
            cairo_set_line_width(cr, 0.6);
            SetColor(cr, tint, alpha * 0.4);
            cairo_move_to(cr, x - size * 4, y);
            cairo_line_to(cr, x + size * 4, y);
            cairo_move_to(cr, x, y - size * 4);
            cairo_line_to(cr, x, y + size * 4);
            cairo_stroke(cr);
        }
    }
    cairo_restore(cr);
}

void PaintMoon(Canvas& canvas, double cx, double cy, double radius, Rgb tint, double haloStrength) {
    cairo_t* cr = canvas.Cr();
    AddGlow(cr, cx, cy, radius * 7, Mix(tint, style::kDusk, 0.5), 0.16 * haloStrength);
    AddGlow(cr, cx, cy, radius * 3, tint, 0.22 * haloStrength);
    AddGlow(cr, cx, cy, radius * 1.6, tint, 0.35 * haloStrength);

    // The disk: brighter towards the light (top left), with soft maria.
    canvas.Flush();
    const int x0 = std::max(0, int(cx - radius - 1)),
              x1 = std::min(canvas.Width() - 1, int(cx + radius + 1));
    const int y0 = std::max(0, int(cy - radius - 1)),
              y1 = std::min(canvas.Height() - 1, int(cy + radius + 1));
    const uint64_t seed = SeedOf("moon maria");
    for (int y = y0; y <= y1; ++y) {
        uint32_t* row = canvas.Row(y);
        for (int x = x0; x <= x1; ++x) {
            const double dx = (x + 0.5 - cx) / radius, dy = (y + 0.5 - cy) / radius;
            const double d = std::sqrt(dx * dx + dy * dy);
            const double coverage = Clamp01((1 - d) * radius + 0.5);  // antialiased rim
            if (coverage <= 0) continue;
            const double maria = FractalNoise(dx * 1.3 + 3, dy * 1.3 + 5, seed, 4);
            const double light =
                1.03 - 0.1 * Clamp01(0.5 + 0.5 * (dx + dy) * 0.7) - 0.06 * d * d * d;
            const double dark = SmoothStep(0.5, 0.72, maria) * 0.09;
            BlendOver(row[x], Shade(tint, light - dark), coverage);
        }
    }
    canvas.MarkDirty();
}

void PaintFog(Canvas& canvas, const FogSpec& fog) {
    const int width = canvas.Width();
    const int top = std::max(0, int(fog.top - fog.feather)),
              bottom = std::min(canvas.Height(), int(fog.bottom + fog.feather));
    if (bottom <= top) return;
    // The field is squeezed horizontally so the banks come out elongated; a
    // width in whole grid steps keeps the wrap seamless.
    const int fieldWidth = std::max(8, int(std::lround(width / fog.stretch / 8)) * 8);
    const Field field =
        NoiseField(fieldWidth, bottom - top + 16, fog.scale, fog.seed, 5, fog.wrapX);
    const double threshold = 0.68 - 0.36 * fog.coverage;
    canvas.Flush();
    for (int y = top; y < bottom; ++y) {
        const double band = SmoothStep(fog.top - fog.feather, fog.top, y) *
                            (1 - SmoothStep(fog.bottom, fog.bottom + fog.feather, y));
        if (band <= 0) continue;
        uint32_t* row = canvas.Row(y);
        for (int x = 0; x < width; ++x) {
            const double fx = x * double(fieldWidth) / width;
            const double n = field.At(fx, y - top + 8);
            const double alpha =
                fog.density * band * SmoothStep(threshold - 0.1, threshold + 0.16, n);
            if (alpha <= 0.002) continue;
            Rgb color = fog.color;
            if (fog.lit > 0) {
                const double above = field.At(fx, std::max(0, y - top + 8 - 10));
                color = Mix(fog.color, fog.litColor, Clamp01((n - above) * 9) * fog.lit);
            }
            BlendOver(row[x], color, alpha);
        }
    }
    canvas.MarkDirty();
}

void PaintVignette(Canvas& canvas, double strength, double inner) {
    const double cx = canvas.Width() / 2.0, cy = canvas.Height() / 2.0;
    canvas.Flush();
    for (int y = 0; y < canvas.Height(); ++y) {
        uint32_t* row = canvas.Row(y);
        const double dy = (y - cy) / cy;
        for (int x = 0; x < canvas.Width(); ++x) {
            const double dx = (x - cx) / cx;
            const double f = 1 - strength * SmoothStep(inner, 1.45, std::sqrt(dx * dx + dy * dy));
            const uint32_t p = row[x];
            auto channel = [&](int shift) {
                return uint32_t(((p >> shift) & 0xFF) * f + 0.5) << shift;
            };
            row[x] = (p & 0xFF000000u) | channel(16) | channel(8) | channel(0);
        }
    }
    canvas.MarkDirty();
}

void PaintSoftRect(Canvas& canvas, double x, double y, double w, double h, double radius,
                   double feather, Rgb color, double alpha) {
    const double cx = x + w / 2, cy = y + h / 2, hx = w / 2 - radius, hy = h / 2 - radius;
    const int x0 = std::max(0, int(x - feather)),
              x1 = std::min(canvas.Width(), int(x + w + feather) + 1);
    const int y0 = std::max(0, int(y - feather)),
              y1 = std::min(canvas.Height(), int(y + h + feather) + 1);
    canvas.Flush();
    for (int py = y0; py < y1; ++py) {
        uint32_t* row = canvas.Row(py);
        for (int px = x0; px < x1; ++px) {
            // Signed distance to the rounded rectangle.
            const double qx = std::abs(px + 0.5 - cx) - hx, qy = std::abs(py + 0.5 - cy) - hy;
            const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
            const double distance = outside + std::min(std::max(qx, qy), 0.0) - radius;
            BlendOver(row[px], color,
                      alpha * (1 - SmoothStep(-feather / 2, feather / 2, distance)));
        }
    }
    canvas.MarkDirty();
}

void PaintTexture(Canvas& canvas, uint64_t seed, double blotch, double grain) {
    const Field field = NoiseField(canvas.Width(), canvas.Height(), 70, seed, 3);
    canvas.Flush();
    Rng rng(seed ^ 0x5EED);
    for (int y = 0; y < canvas.Height(); ++y) {
        uint32_t* row = canvas.Row(y);
        for (int x = 0; x < canvas.Width(); ++x) {
            const uint32_t p = row[x];
            const int a = p >> 24;
            if (a == 0) continue;
            const double f = 1 + blotch * (field.At(x, y) - 0.5) * 2;
            const double g = (rng.Uniform() - 0.5) * 2 * grain * a / 255.0;
            auto channel = [&](int shift) {
                const double v = ((p >> shift) & 0xFF) * f + g;
                return uint32_t(std::clamp(std::lround(v), 0L, long(a))) << shift;
            };
            row[x] = (p & 0xFF000000u) | channel(16) | channel(8) | channel(0);
        }
    }
    canvas.MarkDirty();
}

void AddGlow(cairo_t* cr, double cx, double cy, double radius, Rgb color, double alpha) {
    if (radius <= 0 || alpha <= 0) return;
    cairo_pattern_t* pattern = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    // Stops along a Gaussian so the glow has no visible edge.
    for (int i = 0; i <= 8; ++i) {
        const double t = i / 8.0;
        cairo_pattern_add_color_stop_rgba(pattern, t, color.r, color.g, color.b,
                                          alpha * std::exp(-t * t * 4.5) * (1 - t));
    }
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    cairo_set_source(cr, pattern);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_pattern_destroy(pattern);
}

void FillVertical(cairo_t* cr, double top, double bottom, Rgb topColor, Rgb bottomColor,
                  double alpha) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, top, 0, bottom);
    cairo_pattern_add_color_stop_rgba(pattern, 0, topColor.r, topColor.g, topColor.b, alpha);
    cairo_pattern_add_color_stop_rgba(pattern, 1, bottomColor.r, bottomColor.g, bottomColor.b,
                                      alpha);
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

void BlurContent(Canvas& canvas, double radius) {
    canvas.Flush();
    int top = canvas.Height(), bottom = -1, left = canvas.Width(), right = -1;
    for (int y = 0; y < canvas.Height(); ++y) {
        const uint32_t* row = canvas.Row(y);
        for (int x = 0; x < canvas.Width(); ++x) {
            if (row[x] == 0) continue;
            top = std::min(top, y);
            bottom = y;
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    if (bottom < 0) return;
    const int margin = static_cast<int>(std::ceil(radius * 3)) + 2;
    left = std::max(0, left - margin);
    top = std::max(0, top - margin);
    right = std::min(canvas.Width() - 1, right + margin);
    bottom = std::min(canvas.Height() - 1, bottom + margin);
    Canvas part(right - left + 1, bottom - top + 1);
    part.Flush();
    for (int y = top; y <= bottom; ++y) {
        std::copy(canvas.Row(y) + left, canvas.Row(y) + right + 1, part.Row(y - top));
    }
    part.MarkDirty();
    part.Blur(radius);
    part.Flush();
    for (int y = top; y <= bottom; ++y) {
        std::copy(part.Row(y - top), part.Row(y - top) + part.Width(), canvas.Row(y) + left);
    }
    canvas.MarkDirty();
}

// A soft dark pool where something stands on the ground.
void ContactShadow(Canvas& canvas, double cx, double cy, double rx, double ry, double alpha) {
    Canvas shade(canvas.Width(), canvas.Height());
    cairo_t* cr = shade.Cr();
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    SetColor(cr, style::Rgb8(0x05060E), alpha);
    cairo_fill(cr);
    BlurContent(shade, ry * 0.8);
    canvas.Draw(shade, 0, 0);
}

}  // namespace asset::scenes
