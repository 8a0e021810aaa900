#include "Art.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "assetkit/Random.h"

namespace board {

Canvas RenderSupersampled(int width, int height, int samples, const PointShader& shade) {
    Canvas canvas(width, height);
    canvas.Flush();
    auto byte = [](double v) {
        return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    };
    const double n = samples * samples;
    for (int y = 0; y < height; ++y) {
        uint32_t* row = canvas.Row(y);
        for (int x = 0; x < width; ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    Rgb colour{0, 0, 0};
                    double alpha = 0;
                    shade(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples, colour, alpha);
                    r += colour.r * alpha, g += colour.g * alpha, b += colour.b * alpha, a += alpha;
                }
            }
            row[x] = byte(a / n) << 24 | byte(r / n) << 16 | byte(g / n) << 8 | byte(b / n);
        }
    }
    canvas.MarkDirty();
    return canvas;
}

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Scale(Rgb colour, double factor) {
    return {std::min(1.0, colour.r * factor), std::min(1.0, colour.g * factor),
            std::min(1.0, colour.b * factor)};
}

Rgb Lighten(Rgb colour, double t) {
    return Mix(colour, kWhite, t);
}

void SetColour(cairo_t* cr, Rgb colour, double alpha) {
    cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha);
}

void AddStop(cairo_pattern_t* pattern, double offset, Rgb colour, double alpha) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, colour.r, colour.g, colour.b, alpha);
}

Sheet::Sheet(int width, int height, int factor)
    : width_(width), height_(height), factor_(factor), big_(width * factor, height * factor) {}

cairo_t* Sheet::Begin() {
    big_.Reset();
    cairo_t* cr = big_.Cr();
    cairo_scale(cr, factor_, factor_);
    return cr;
}

void Sheet::Draw(const Sheet& other, double dx, double dy, double alpha, cairo_operator_t op) {
    big_.Reset();
    cairo_t* cr = big_.Cr();
    cairo_set_operator(cr, op);
    cairo_set_source_surface(cr, const_cast<Canvas&>(other.big_).Surface(), dx * factor_,
                             dy * factor_);
    cairo_paint_with_alpha(cr, alpha);
    big_.Reset();
}

void Sheet::DrawUnder(const Sheet& other, double dx, double dy, double alpha) {
    Draw(other, dx, dy, alpha, CAIRO_OPERATOR_DEST_OVER);
}

void Sheet::MaskBy(const Sheet& mask) {
    Draw(mask, 0, 0, 1.0, CAIRO_OPERATOR_DEST_IN);
}

void Sheet::Blur(double radius) {
    big_.Blur(radius * factor_);
}

Sheet Sheet::Silhouette(Rgb colour, double alpha) const {
    Sheet result = Blank();
    result.big_ = big_.Silhouette(colour.r, colour.g, colour.b, alpha);
    return result;
}

namespace {

std::vector<double> AlphaOf(Canvas& canvas) {
    canvas.Flush();
    const int w = canvas.Width(), h = canvas.Height();
    std::vector<double> alpha(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = canvas.Row(y);
        for (int x = 0; x < w; ++x)
            alpha[static_cast<size_t>(y) * w + x] = (row[x] >> 24) / 255.0;
    }
    return alpha;
}

// Morphological dilation of the alpha channel by a disc, with a soft rim so
// the grown edge stays antialiased.
std::vector<double> Dilate(const std::vector<double>& alpha, int w, int h, double radius) {
    struct Offset {
        int dx, dy;
        double weight;
    };
    std::vector<Offset> disc;
    const int reach = static_cast<int>(std::ceil(radius + 0.5));
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const double weight = std::clamp(radius + 0.5 - std::hypot(dx, dy), 0.0, 1.0);
            if (weight > 0) disc.push_back({dx, dy, weight});
        }
    }
    std::vector<double> out(alpha.size(), 0.0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double best = 0;
            for (const Offset& o : disc) {
                const int sx = x + o.dx, sy = y + o.dy;
                if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
                best = std::max(best, alpha[static_cast<size_t>(sy) * w + sx] * o.weight);
                if (best >= 1.0) break;
            }
            out[static_cast<size_t>(y) * w + x] = best;
        }
    }
    return out;
}

uint32_t Premultiplied(Rgb colour, double alpha) {
    auto byte = [](double v) {
        return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    };
    return byte(alpha) << 24 | byte(colour.r * alpha) << 16 | byte(colour.g * alpha) << 8 |
           byte(colour.b * alpha);
}

}  // namespace

void Sheet::Outline(double width, Rgb colour, double alpha) {
    const int w = big_.Width(), h = big_.Height();
    const std::vector<double> grown = Dilate(AlphaOf(big_), w, h, width * factor_);
    Sheet rim = Blank();
    rim.big_.Flush();
    for (int y = 0; y < h; ++y) {
        uint32_t* row = rim.big_.Row(y);
        for (int x = 0; x < w; ++x)
            row[x] = Premultiplied(colour, grown[static_cast<size_t>(y) * w + x] * alpha);
    }
    rim.big_.MarkDirty();
    DrawUnder(rim);
}

void Sheet::DropShadow(double dx, double dy, double blur, double alpha, Rgb colour) {
    Sheet shadow = Silhouette(colour, alpha);
    shadow.Blur(blur);
    DrawUnder(shadow, dx, dy);
}

void Sheet::FadeTowardsEdges(double margin) {
    const int w = big_.Width(), h = big_.Height();
    const double span = margin * factor_;
    big_.Flush();
    for (int y = 0; y < h; ++y) {
        uint32_t* row = big_.Row(y);
        for (int x = 0; x < w; ++x) {
            const double edge = std::min(std::min(x, w - 1 - x), std::min(y, h - 1 - y));
            if (edge >= span) continue;
            const double t = edge / span, level = t * t * (3 - 2 * t);
            uint32_t out = 0;
            for (int c = 0; c < 4; ++c) {
                out |= static_cast<uint32_t>(std::lround(((row[x] >> (c * 8)) & 0xFF) * level))
                       << (c * 8);
            }
            row[x] = out;
        }
    }
    big_.MarkDirty();
}

void Sheet::GlowUnder(double blur, Rgb colour, double strength) {
    Sheet glow = Silhouette(colour, 1.0);
    glow.Blur(blur);
    glow.Fade(strength);
    DrawUnder(glow);
}

void Sheet::Emboss(double radius, double highlight, double shadow) {
    const int w = big_.Width(), h = big_.Height();
    Canvas heightMap = big_.Silhouette(1, 1, 1, 1);
    heightMap.Blur(radius * factor_);
    const std::vector<double> height = AlphaOf(heightMap);
    // The slope is measured over one final pixel so the strength does not
    // depend on the supersampling factor.
    const int step = factor_;
    const double lx = asset::style::kLightX, ly = asset::style::kLightY;
    big_.Flush();
    for (int y = 0; y < h; ++y) {
        uint32_t* row = big_.Row(y);
        for (int x = 0; x < w; ++x) {
            const uint32_t p = row[x];
            const uint32_t a = p >> 24;
            if (a == 0) continue;
            auto at = [&](int sx, int sy) {
                return height[static_cast<size_t>(std::clamp(sy, 0, h - 1)) * w +
                              std::clamp(sx, 0, w - 1)];
            };
            const double gx = at(x + step, y) - at(x - step, y);
            const double gy = at(x, y + step) - at(x, y - step);
            // Rising edges face outwards; facing the light brightens.
            const double facing = -(gx * lx + gy * ly) * radius;
            double channel[3] = {static_cast<double>((p >> 16) & 0xFF),
                                 static_cast<double>((p >> 8) & 0xFF),
                                 static_cast<double>(p & 0xFF)};
            for (double& c : channel) {
                if (facing > 0) {
                    c += (a - c) * std::min(1.0, facing * highlight);
                } else {
                    c *= std::max(0.0, 1.0 + facing * shadow);
                }
            }
            row[x] = a << 24 | static_cast<uint32_t>(std::lround(channel[0])) << 16 |
                     static_cast<uint32_t>(std::lround(channel[1])) << 8 |
                     static_cast<uint32_t>(std::lround(channel[2]));
        }
    }
    big_.MarkDirty();
}

void Sheet::Grain(double featureSize, double depth, const char* seedName) {
    const uint64_t seed = asset::SeedOf(seedName);
    const double scale = 1.0 / (featureSize * factor_);
    big_.Flush();
    for (int y = 0; y < big_.Height(); ++y) {
        uint32_t* row = big_.Row(y);
        for (int x = 0; x < big_.Width(); ++x) {
            const uint32_t p = row[x];
            const uint32_t a = p >> 24;
            if (a == 0) continue;
            const double factor =
                1 + depth * (2 * asset::FractalNoise(x * scale, y * scale, seed, 4) - 1);
            uint32_t out = a << 24;
            for (int shift = 0; shift <= 16; shift += 8) {
                const long c = std::lround(((p >> shift) & 0xFF) * factor);
                out |= static_cast<uint32_t>(std::clamp(c, 0L, static_cast<long>(a))) << shift;
            }
            row[x] = out;
        }
    }
    big_.MarkDirty();
}

void Sheet::RimLight(double dx, double dy, Rgb colour, double alpha) {
    Sheet rim = Silhouette(colour, alpha);
    const Sheet solid = Silhouette(kWhite);
    rim.Draw(solid, -dx, -dy, 1.0, CAIRO_OPERATOR_DEST_OUT);
    rim.Blur(std::hypot(dx, dy) * 0.35);
    rim.MaskBy(solid);
    Draw(rim);
}

Canvas Sheet::Final() const {
    return Downsample(big_, factor_);
}

Canvas Downsample(const Canvas& big, int factor) {
    const int w = big.Width() / factor, h = big.Height() / factor;
    Canvas out(w, h);
    const_cast<Canvas&>(big).Flush();
    out.Flush();
    const int samples = factor * factor;
    for (int y = 0; y < h; ++y) {
        uint32_t* row = out.Row(y);
        for (int x = 0; x < w; ++x) {
            uint32_t sums[4] = {0, 0, 0, 0};
            for (int sy = 0; sy < factor; ++sy) {
                const uint32_t* src = big.Row(y * factor + sy) + x * factor;
                for (int sx = 0; sx < factor; ++sx) {
                    for (int c = 0; c < 4; ++c)
                        sums[c] += (src[sx] >> (c * 8)) & 0xFF;
                }
            }
            uint32_t pixel = 0;
            for (int c = 0; c < 4; ++c)
                pixel |= ((sums[c] + samples / 2) / samples) << (c * 8);
            row[x] = pixel;
        }
    }
    out.MarkDirty();
    return out;
}

asset::Bytes Finish(Canvas canvas) {
    canvas.Flush();
    for (int y = 0; y < canvas.Height(); ++y) {
        uint32_t* row = canvas.Row(y);
        for (int x = 0; x < canvas.Width(); ++x) {
            // A visible pixel whose colour rounds to black gets the faintest
            // blue, which premultiplied storage allows whenever alpha > 0.
            if ((row[x] >> 24) != 0 && (row[x] & 0xFFFFFF) == 0) row[x] |= 1;
        }
    }
    canvas.MarkDirty();
    return canvas.EncodePNG();
}

void PolygonPath(cairo_t* cr, const std::vector<Point>& points) {
    if (points.empty()) return;
    cairo_move_to(cr, points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i)
        cairo_line_to(cr, points[i].x, points[i].y);
    cairo_close_path(cr);
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry, double from, double to) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, from, to);
    cairo_restore(cr);
}

void Glint(cairo_t* cr, double x, double y, double size, Rgb colour, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    for (int arm = 0; arm < 4; ++arm) {
        const double length = arm % 2 ? size : size * 0.8;
        cairo_save(cr);
        cairo_rotate(cr, arm * M_PI / 2);
        cairo_move_to(cr, 0, -length);
        cairo_curve_to(cr, size * 0.06, -size * 0.2, size * 0.12, -size * 0.12, size * 0.2, 0);
        cairo_line_to(cr, -size * 0.2, 0);
        cairo_curve_to(cr, -size * 0.12, -size * 0.12, -size * 0.06, -size * 0.2, 0, -length);
        cairo_close_path(cr);
        SetColour(cr, colour, alpha);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    cairo_pattern_t* core = cairo_pattern_create_radial(0, 0, 0, 0, 0, size * 0.45);
    AddStop(core, 0, colour, alpha);
    AddStop(core, 1, colour, 0);
    cairo_set_source(cr, core);
    cairo_arc(cr, 0, 0, size * 0.45, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(core);
    cairo_restore(cr);
}

void SoftEllipse(cairo_t* cr, double x, double y, double rx, double ry, double degrees, Rgb colour,
                 double alpha) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, degrees * M_PI / 180);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* pattern = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    AddStop(pattern, 0, colour, alpha);
    AddStop(pattern, 0.5, colour, alpha * 0.6);
    AddStop(pattern, 1, colour, 0);
    cairo_set_source(cr, pattern);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
    cairo_restore(cr);
}

cairo_pattern_t* LitGradient(double x0, double y0, double x1, double y1, Rgb light, Rgb mid,
                             Rgb dark) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(x0, y0, x1, y1);
    AddStop(pattern, 0, light);
    AddStop(pattern, 0.45, mid);
    AddStop(pattern, 1, dark);
    return pattern;
}

}  // namespace board
