#include "Shapes.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace asset::scenes {

namespace {

constexpr double kUp = -M_PI / 2;

// One tapering piece of a limb, with a round joint at its end so the pieces
// of a wandering branch overlap without seams.
void Segment(cairo_t* cr, double x0, double y0, double w0, double x1, double y1, double w1) {
    const double dx = x1 - x0, dy = y1 - y0, length = std::hypot(dx, dy);
    if (length < 1e-6) return;
    const double nx = -dy / length, ny = dx / length;
    cairo_move_to(cr, x0 + nx * w0 / 2, y0 + ny * w0 / 2);
    cairo_line_to(cr, x1 + nx * w1 / 2, y1 + ny * w1 / 2);
    cairo_line_to(cr, x1 - nx * w1 / 2, y1 - ny * w1 / 2);
    cairo_line_to(cr, x0 - nx * w0 / 2, y0 - ny * w0 / 2);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_arc(cr, x1, y1, w1 / 2, 0, 2 * M_PI);
    cairo_fill(cr);
}

struct Limb {
    double gnarl = 0.3;   // how much each piece wanders (radians)
    double lift = 0.07;   // pull towards growing upwards
    double spread = 0.6;  // angle between children
};

void Branch(cairo_t* cr, Rng& rng, double x, double y, double angle, double length, double width,
            int depth, const Limb& limb) {
    constexpr int kPieces = 3;
    for (int i = 0; i < kPieces; ++i) {
        angle += rng.Range(-limb.gnarl, limb.gnarl) + (kUp - angle) * limb.lift;
        const double nx = x + std::cos(angle) * length / kPieces,
                     ny = y + std::sin(angle) * length / kPieces;
        const double nw = width * 0.88;
        Segment(cr, x, y, width, nx, ny, nw);
        x = nx;
        y = ny;
        width = nw;
        // Short twigs break the smoothness of long limbs.
        if (depth >= 1 && depth <= 2 && rng.Chance(0.35)) {
            const double side = rng.Chance(0.5) ? 1 : -1;
            Branch(cr, rng, x, y, angle + side * rng.Range(0.5, 1.1), length * 0.3, width * 0.5, 0,
                   limb);
        }
    }
    if (depth <= 0 || width < 0.6) return;
    const int children = rng.Chance(0.3) ? 3 : 2;
    for (int c = 0; c < children; ++c) {
        const double offset = (c - (children - 1) / 2.0) * limb.spread * rng.Range(0.7, 1.3);
        Branch(cr, rng, x, y, angle + offset, length * rng.Range(0.62, 0.82),
               width * rng.Range(0.62, 0.8), depth - 1, limb);
    }
}

void Circle(cairo_t* cr, double x, double y, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
}

void AddEdge(Details* details, double x0, double y0, double x1, double y1) {
    if (details) details->edges.push_back({x0, y0, x1, y1});
}

void AddWindow(Details* details, double x, double y, double w, double h, bool arched,
               bool lit = true) {
    if (details) details->windows.push_back({x, y, w, h, arched, lit, false});
}

// A gable roof over [x0, x1] from eaves at y up to the ridge at top, sagging a
// little as old roofs do.
void GableRoof(cairo_t* cr, double x0, double x1, double eaves, double top, double sag) {
    const double mid = (x0 + x1) / 2;
    cairo_move_to(cr, x0, eaves);
    cairo_curve_to(cr, x0 + (mid - x0) * 0.4, eaves - (eaves - top) * 0.45 + sag,
                   mid - (mid - x0) * 0.3, top + sag * 0.5, mid, top);
    cairo_curve_to(cr, mid + (x1 - mid) * 0.3, top + sag * 0.5, x1 - (x1 - mid) * 0.4,
                   eaves - (eaves - top) * 0.45 + sag, x1, eaves);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void Rect(cairo_t* cr, double x, double y, double w, double h) {
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

// A round tower with a witch-hat roof.
void Tower(cairo_t* cr, double x, double baseY, double width, double wallTop, double spireTop,
           Details* details) {
    Rect(cr, x - width / 2, wallTop, width, baseY - wallTop);
    cairo_move_to(cr, x - width * 0.68, wallTop + 2);
    cairo_curve_to(cr, x - width * 0.3, wallTop - 4, x - width * 0.08,
                   spireTop + (wallTop - spireTop) * 0.4, x, spireTop);
    cairo_curve_to(cr, x + width * 0.08, spireTop + (wallTop - spireTop) * 0.4, x + width * 0.3,
                   wallTop - 4, x + width * 0.68, wallTop + 2);
    cairo_close_path(cr);
    cairo_fill(cr);
    AddEdge(details, x - width * 0.68, wallTop + 2, x, spireTop);
    AddEdge(details, x - width / 2, wallTop + 4, x - width / 2, baseY);
}

}  // namespace

// ---------------------------------------------------------------------------
// Vegetation

void DeadTree(cairo_t* cr, Rng& rng, double x, double baseY, double height, double lean,
              int depth) {
    const double trunk = height * 0.085;
    // Flared foot and roots.
    cairo_move_to(cr, x - trunk * 1.6, baseY + 2);
    cairo_curve_to(cr, x - trunk * 0.7, baseY - trunk * 0.3, x - trunk * 0.5, baseY - trunk,
                   x - trunk * 0.45, baseY - trunk * 2.2);
    cairo_line_to(cr, x + trunk * 0.45, baseY - trunk * 2.2);
    cairo_curve_to(cr, x + trunk * 0.5, baseY - trunk, x + trunk * 0.7, baseY - trunk * 0.3,
                   x + trunk * 1.7, baseY + 2);
    cairo_close_path(cr);
    cairo_fill(cr);
    Limb limb;
    Branch(cr, rng, x, baseY - trunk, kUp + lean, height * 0.4, trunk, depth, limb);
}

void OverhangBranch(cairo_t* cr, Rng& rng, double x, double y, double angle, double length,
                    double width, int depth) {
    Limb limb;
    limb.lift = 0.02;
    limb.gnarl = 0.25;
    limb.spread = 0.5;
    Branch(cr, rng, x, y, angle, length * 0.45, width, depth, limb);
}

void LeafyTree(cairo_t* cr, Rng& rng, double x, double baseY, double height) {
    const double trunk = height * 0.1;
    Limb limb;
    limb.gnarl = 0.22;
    limb.spread = 0.8;
    Branch(cr, rng, x, baseY, kUp, height * 0.35, trunk, 2, limb);
    // The crown: clumps of foliage, each with a leafy, noisy outline.
    const double cx = x, cy = baseY - height * 0.62, rx = height * 0.4, ry = height * 0.3;
    const uint64_t seed = rng.Next();
    for (int i = 0; i < 11; ++i) {
        const double a = rng.Range(0, 2 * M_PI), d = std::sqrt(rng.Uniform()) * 0.8;
        const double px = cx + std::cos(a) * rx * d, py = cy + std::sin(a) * ry * d;
        const double r = height * rng.Range(0.13, 0.2);
        constexpr int kPoints = 120;
        const double lobes = std::round(std::max(5.0, r / 4)), phase = rng.Range(0, M_PI);
        for (int k = 0; k <= kPoints; ++k) {
            const double t = 2 * M_PI * k / kPoints;
            // Scalloped lobes of leaves on a slowly wandering outline.
            const double bump =
                0.8 + 0.25 * ValueNoise(std::cos(t) * 1.5 + i * 7, std::sin(t) * 1.5, seed) +
                0.12 * std::abs(std::sin(t * lobes / 2 + phase));
            const double vx = px + std::cos(t) * r * bump, vy = py + std::sin(t) * r * bump;
            if (k == 0) {
                cairo_move_to(cr, vx, vy);
            } else {
                cairo_line_to(cr, vx, vy);
            }
        }
        cairo_close_path(cr);
        cairo_fill(cr);
    }
}

void Pine(cairo_t* cr, Rng& rng, double x, double baseY, double height, double width) {
    Rect(cr, x - width * 0.05, baseY - height * 0.15, width * 0.1, height * 0.16);
    // One ragged outline: down the left side from branch tip to notch, back up
    // the right; the tips droop a little below their notches.
    const int tiers = std::max(5, int(height / 18));
    const double top = baseY - height, bottom = baseY - height * 0.1;
    std::vector<double> tipX(tiers), tipY(tiers), notchX(tiers), notchY(tiers);
    for (int side : {-1, 1}) {
        for (int t = 0; t < tiers; ++t) {
            const double f = (t + 1.0) / tiers;
            const double y = top + (bottom - top) * f;
            const double half = width / 2 * (0.15 + 0.85 * f) * rng.Range(0.8, 1.1);
            tipX[t] = x + side * half;
            tipY[t] = y + rng.Range(0, height * 0.03);
            notchX[t] = x + side * half * rng.Range(0.35, 0.55);
            notchY[t] = y - (bottom - top) / tiers * rng.Range(0.25, 0.45);
        }
        if (side < 0) {
            cairo_move_to(cr, x + rng.Range(-1, 1), top - height * 0.02);
            for (int t = 0; t < tiers; ++t) {
                cairo_line_to(cr, notchX[t], notchY[t]);
                cairo_line_to(cr, tipX[t], tipY[t]);
            }
        } else {
            cairo_line_to(cr, x, bottom + height * 0.02);
            for (int t = tiers - 1; t >= 0; --t) {
                cairo_line_to(cr, tipX[t], tipY[t]);
                cairo_line_to(cr, notchX[t], notchY[t]);
            }
        }
    }
    cairo_close_path(cr);
    cairo_fill(cr);
}

void Bush(cairo_t* cr, Rng& rng, double x, double baseY, double width, double height) {
    const int lumps = std::max(3, int(width / height * 3));
    for (int i = 0; i < lumps; ++i) {
        const double f = (i + 0.5) / lumps;
        const double r = height * rng.Range(0.35, 0.55) * (1 - std::abs(f - 0.5) * 0.8);
        Circle(cr, x - width / 2 + width * f, baseY - r * 0.9, r);
    }
    cairo_rectangle(cr, x - width / 2, baseY - height * 0.25, width, height * 0.25 + 1);
    cairo_fill(cr);
}

void Grass(cairo_t* cr, Rng& rng, double x0, double x1, double y, double height, double density) {
    for (double bx = x0; bx < x1; bx += rng.Range(0.5, 1.5) / density) {
        const double h = height * rng.Range(0.4, 1.1), lean = rng.Range(-0.5, 0.5) * h,
                     w = rng.Range(0.8, 2.0);
        cairo_move_to(cr, bx - w, y + 1);
        cairo_curve_to(cr, bx - w * 0.5, y - h * 0.5, bx + lean * 0.5, y - h * 0.8, bx + lean,
                       y - h);
        cairo_curve_to(cr, bx + lean * 0.5 + w * 0.3, y - h * 0.8, bx + w * 0.5, y - h * 0.5,
                       bx + w, y + 1);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
}

void Reeds(cairo_t* cr, Rng& rng, double x0, double x1, double y, double height, int count) {
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < count; ++i) {
        const double bx = rng.Range(x0, x1), h = height * rng.Range(0.5, 1.0),
                     lean = rng.Range(-0.25, 0.25) * h;
        cairo_set_line_width(cr, rng.Range(1.0, 2.2));
        cairo_move_to(cr, bx, y);
        cairo_curve_to(cr, bx, y - h * 0.5, bx + lean * 0.4, y - h * 0.8, bx + lean, y - h);
        cairo_stroke(cr);
        if (rng.Chance(0.45)) {
            // A bulrush head just under the tip.
            const double hx = bx + lean * 0.85, hy = y - h * 0.86;
            cairo_save(cr);
            cairo_translate(cr, hx, hy);
            cairo_rotate(cr, std::atan2(lean, h));
            cairo_scale(cr, 1, 4);
            cairo_arc(cr, 0, 0, h * 0.012 + 1.3, 0, 2 * M_PI);
            cairo_restore(cr);
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
}

// ---------------------------------------------------------------------------
// Graves and ground

void Grave(cairo_t* cr, GraveKind kind, double x, double baseY, double width, double height,
           double tiltDegrees) {
    cairo_save(cr);
    cairo_translate(cr, x, baseY);
    cairo_rotate(cr, tiltDegrees * M_PI / 180);
    const double w = width, h = height;
    switch (kind) {
        case GraveKind::Slab:
            cairo_move_to(cr, -w / 2, 2);
            cairo_line_to(cr, -w / 2, -h + w / 2);
            cairo_arc(cr, 0, -h + w / 2, w / 2, M_PI, 2 * M_PI);
            cairo_line_to(cr, w / 2, 2);
            cairo_close_path(cr);
            break;
        case GraveKind::Cross:
            cairo_rectangle(cr, -w * 0.14, -h, w * 0.28, h + 2);
            cairo_rectangle(cr, -w / 2, -h * 0.78, w, w * 0.26);
            cairo_rectangle(cr, -w * 0.3, -h * 0.12, w * 0.6, h * 0.12 + 2);
            break;
        case GraveKind::Obelisk:
            cairo_rectangle(cr, -w / 2, -h * 0.14, w, h * 0.14 + 2);
            cairo_move_to(cr, -w * 0.32, -h * 0.14);
            cairo_line_to(cr, -w * 0.22, -h * 0.86);
            cairo_line_to(cr, 0, -h);
            cairo_line_to(cr, w * 0.22, -h * 0.86);
            cairo_line_to(cr, w * 0.32, -h * 0.14);
            cairo_close_path(cr);
            break;
        case GraveKind::Pointed:
            cairo_move_to(cr, -w / 2, 2);
            cairo_line_to(cr, -w / 2, -h * 0.7);
            cairo_curve_to(cr, -w / 2, -h * 0.86, -w * 0.2, -h * 0.94, 0, -h);
            cairo_curve_to(cr, w * 0.2, -h * 0.94, w / 2, -h * 0.86, w / 2, -h * 0.7);
            cairo_line_to(cr, w / 2, 2);
            cairo_close_path(cr);
            break;
    }
    cairo_fill(cr);
    cairo_restore(cr);
}

void Graves(cairo_t* cr, Rng& rng, double x0, double x1, double baseY, double size, int count) {
    for (int i = 0; i < count; ++i) {
        const double x = x0 + (x1 - x0) * (i + rng.Range(0.2, 0.8)) / count;
        const auto kind = static_cast<GraveKind>(rng.Int(0, 3));
        const double s = size * rng.Range(0.75, 1.2);
        const double width = kind == GraveKind::Obelisk ? s * 0.4 : s * rng.Range(0.5, 0.7);
        const double height = kind == GraveKind::Obelisk ? s * 1.5 : s;
        Grave(cr, kind, x, baseY + rng.Range(-2, 3), width, height, rng.Range(-9, 9));
        // A low mound in front.
        cairo_save(cr);
        cairo_translate(cr, x, baseY + 2);
        cairo_scale(cr, s * 0.55, s * 0.09);
        cairo_arc(cr, 0, 0, 1, M_PI, 2 * M_PI);
        cairo_restore(cr);
        cairo_fill(cr);
    }
}

double RidgeY(uint64_t seed, double x, double baseY, double amplitude, double scale) {
    return baseY - amplitude * (FractalNoise(x / scale, 0.37, seed, 4, 0.45) - 0.5) * 2.2;
}

void Ridge(cairo_t* cr, uint64_t seed, double x0, double x1, double baseY, double amplitude,
           double scale, double bottom) {
    cairo_move_to(cr, x0 - 2, bottom);
    for (double x = x0 - 2; x <= x1 + 4; x += 4)
        cairo_line_to(cr, x, RidgeY(seed, x, baseY, amplitude, scale));
    cairo_line_to(cr, x1 + 4, bottom);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void IronFence(cairo_t* cr, Rng& rng, double x0, double x1, double baseY, double height,
               double spacing) {
    Rect(cr, x0, baseY - height * 0.82, x1 - x0, height * 0.05);
    Rect(cr, x0, baseY - height * 0.2, x1 - x0, height * 0.05);
    int n = 0;
    for (double x = x0 + spacing / 2; x < x1; x += spacing, ++n) {
        const bool post = n % 6 == 0;
        const double w = post ? height * 0.08 : height * 0.035;
        const double h = post ? height * 1.05 : height * rng.Range(0.94, 1.0);
        cairo_save(cr);
        cairo_translate(cr, x, baseY);
        cairo_rotate(cr, rng.Range(-0.04, 0.04));
        Rect(cr, -w / 2, -h, w, h + 2);
        if (post) {
            Circle(cr, 0, -h - w * 0.6, w * 0.75);
            cairo_fill(cr);
        } else {
            // Spear tip.
            cairo_move_to(cr, -w * 1.6, -h + 1);
            cairo_line_to(cr, 0, -h - height * 0.1);
            cairo_line_to(cr, w * 1.6, -h + 1);
            cairo_close_path(cr);
            cairo_fill(cr);
        }
        cairo_restore(cr);
    }
}

void WoodFence(cairo_t* cr, Rng& rng, double x0, double x1, double baseY, double height) {
    cairo_save(cr);
    cairo_move_to(cr, x0, baseY - height * 0.68);
    cairo_line_to(cr, x1, baseY - height * 0.66 + rng.Range(-3, 3));
    cairo_line_to(cr, x1, baseY - height * 0.58);
    cairo_line_to(cr, x0, baseY - height * 0.6);
    cairo_close_path(cr);
    cairo_fill(cr);
    Rect(cr, x0, baseY - height * 0.3, x1 - x0, height * 0.08);
    const double spacing = height * 0.32;
    for (double x = x0 + spacing / 2; x < x1; x += spacing * rng.Range(0.9, 1.15)) {
        if (rng.Chance(0.1)) continue;  // a missing picket
        const double w = height * 0.14, h = height * rng.Range(0.85, 1.05);
        cairo_save(cr);
        cairo_translate(cr, x, baseY);
        cairo_rotate(cr, rng.Range(-0.09, 0.09));
        cairo_move_to(cr, -w / 2, 2);
        cairo_line_to(cr, -w / 2, -h + w * 0.5);
        cairo_line_to(cr, 0, -h);
        cairo_line_to(cr, w / 2, -h + w * 0.5);
        cairo_line_to(cr, w / 2, 2);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    cairo_restore(cr);
}

// ---------------------------------------------------------------------------
// Buildings

void Cottage(cairo_t* cr, Rng& rng, double x, double baseY, double width, double height,
             Details* details) {
    const double wall = height * 0.5, left = x - width / 2, right = x + width / 2,
                 eaves = baseY - wall;
    Rect(cr, left, eaves, width, wall + 1);
    Rect(cr, x + width * 0.18, baseY - height * 0.98, width * 0.11, height * 0.4);  // chimney
    GableRoof(cr, left - width * 0.08, right + width * 0.08, eaves + 2, baseY - height,
              rng.Range(2, 6));
    AddEdge(details, left - width * 0.08, eaves + 2, x, baseY - height);
    AddEdge(details, left, eaves + 3, left, baseY);
    const double ww = width * 0.17, wh = wall * 0.38;
    AddWindow(details, left + width * 0.14, eaves + wall * 0.22, ww, wh, false, rng.Chance(0.8));
    AddWindow(details, right - width * 0.14 - ww, eaves + wall * 0.22, ww, wh, false,
              rng.Chance(0.8));
    AddWindow(details, x - ww * 0.4, baseY - height * 0.78, ww * 0.8, wh * 0.8, true,
              rng.Chance(0.6));
}

void Church(cairo_t* cr, Rng& rng, double x, double baseY, double width, double height,
            Details* details) {
    const double towerW = width * 0.22, towerX = x - width / 2 + towerW / 2;
    const double naveLeft = towerX, naveRight = x + width / 2, naveTop = baseY - height * 0.34;
    Rect(cr, naveLeft, naveTop, naveRight - naveLeft, height * 0.34 + 1);
    GableRoof(cr, naveLeft, naveRight + width * 0.03, naveTop + 2, baseY - height * 0.52,
              rng.Range(0, 3));
    const double towerTop = baseY - height * 0.62;
    Rect(cr, towerX - towerW / 2, towerTop, towerW, height * 0.62 + 1);
    cairo_move_to(cr, towerX - towerW * 0.62, towerTop + 1);
    cairo_line_to(cr, towerX, baseY - height * 0.94);
    cairo_line_to(cr, towerX + towerW * 0.62, towerTop + 1);
    cairo_close_path(cr);
    cairo_fill(cr);
    // The cross on the spire.
    Rect(cr, towerX - 1.5, baseY - height, 3, height * 0.08);
    Rect(cr, towerX - height * 0.025, baseY - height * 0.975, height * 0.05, 3);
    AddEdge(details, towerX - towerW * 0.62, towerTop + 1, towerX, baseY - height * 0.94);
    AddEdge(details, towerX - towerW / 2, towerTop + 2, towerX - towerW / 2, baseY);
    AddWindow(details, towerX - towerW * 0.18, towerTop + height * 0.06, towerW * 0.36,
              height * 0.1, true);
    const double ww = width * 0.07;
    for (int i = 0; i < 3; ++i) {
        const double wx = naveLeft + towerW * 0.8 + i * (naveRight - naveLeft - towerW) / 3.2;
        AddWindow(details, wx, naveTop + height * 0.08, ww, height * 0.16, true, rng.Chance(0.75));
    }
}

void Manor(cairo_t* cr, Rng& rng, double x, double baseY, double width, double height,
           Details* details) {
    const double w = width, h = height;
    // Central hall with a steep roof and a little spire.
    const double hallLeft = x - w * 0.28, hallRight = x + w * 0.22, hallTop = baseY - h * 0.46;
    Rect(cr, hallLeft, hallTop, hallRight - hallLeft, h * 0.46 + 1);
    GableRoof(cr, hallLeft - w * 0.03, hallRight + w * 0.03, hallTop + 2, baseY - h * 0.78,
              rng.Range(0, 4));
    const double spireX = x - w * 0.03;
    cairo_move_to(cr, spireX - w * 0.025, baseY - h * 0.74);
    cairo_line_to(cr, spireX, baseY - h * 0.97);
    cairo_line_to(cr, spireX + w * 0.025, baseY - h * 0.74);
    cairo_close_path(cr);
    cairo_fill(cr);
    Rect(cr, spireX - 1, baseY - h, 2, h * 0.05);
    // Chimneys.
    Rect(cr, hallLeft + w * 0.07, baseY - h * 0.78, w * 0.035, h * 0.16);
    Rect(cr, hallRight - w * 0.1, baseY - h * 0.74, w * 0.035, h * 0.14);
    // Lower east wing.
    const double wingTop = baseY - h * 0.32;
    Rect(cr, hallRight - 2, wingTop, w * 0.22, h * 0.32 + 1);
    GableRoof(cr, hallRight - 4, hallRight + w * 0.24, wingTop + 2, baseY - h * 0.5,
              rng.Range(1, 5));
    // Towers: a tall one on the west, a squat one on the east.
    Tower(cr, x - w * 0.36, baseY, w * 0.14, baseY - h * 0.6, baseY - h * 0.92, details);
    Tower(cr, x + w * 0.43, baseY, w * 0.11, baseY - h * 0.4, baseY - h * 0.62, details);
    AddEdge(details, hallLeft - w * 0.03, hallTop + 2, x - w * 0.03, baseY - h * 0.78);
    AddEdge(details, hallRight - 4, wingTop + 2, hallRight + w * 0.1, baseY - h * 0.5);
    // Windows: two storeys of the hall, the wing and the towers.
    const double ww = w * 0.045, wh = h * 0.085;
    for (int floor = 0; floor < 2; ++floor) {
        for (int i = 0; i < 4; ++i) {
            const double wx =
                hallLeft + w * 0.05 + i * (hallRight - hallLeft - w * 0.1) / 3.0 - ww / 2;
            AddWindow(details, wx, hallTop + h * 0.06 + floor * h * 0.18, ww, wh, floor == 0,
                      rng.Chance(0.6));
        }
    }
    AddWindow(details, hallRight + w * 0.06, wingTop + h * 0.08, ww, wh, false, rng.Chance(0.7));
    AddWindow(details, hallRight + w * 0.14, wingTop + h * 0.08, ww, wh, false, rng.Chance(0.5));
    AddWindow(details, x - w * 0.36 - ww / 2, baseY - h * 0.52, ww, wh, true);
    AddWindow(details, x + w * 0.43 - ww / 2, baseY - h * 0.34, ww, wh * 0.9, true,
              rng.Chance(0.5));
    AddWindow(details, x - w * 0.03 - ww * 0.4, baseY - h * 0.66, ww * 0.8, wh * 0.8,
              true);  // attic
}

void Windmill(cairo_t* cr, Rng& rng, double x, double baseY, double height, double sailAngle,
              bool broken, Details* details) {
    const double h = height, bottomW = h * 0.34, topW = h * 0.2, towerTop = baseY - h * 0.62;
    AddEdge(details, x - bottomW / 2 + 1, baseY, x - topW / 2 + 1, towerTop + 3);
    // Weatherboards catch the light in bands.
    for (int i = 1; i < 6; ++i) {
        const double y = towerTop + (baseY - towerTop) * i / 6.0, f = double(i) / 6;
        const double half = (topW + (bottomW - topW) * f) / 2;
        AddEdge(details, x - half + 2, y, x - half * 0.3, y + 1);
    }
    AddWindow(details, x - h * 0.025, towerTop + h * 0.12, h * 0.05, h * 0.07, true, false);
    AddWindow(details, x - h * 0.04, baseY - h * 0.14, h * 0.08, h * 0.14, true, false);
    cairo_move_to(cr, x - bottomW / 2, baseY + 1);
    cairo_line_to(cr, x - topW / 2, towerTop);
    cairo_line_to(cr, x + topW / 2, towerTop);
    cairo_line_to(cr, x + bottomW / 2, baseY + 1);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Cap.
    cairo_move_to(cr, x - topW * 0.62, towerTop + 2);
    cairo_curve_to(cr, x - topW * 0.6, towerTop - h * 0.12, x + topW * 0.6, towerTop - h * 0.12,
                   x + topW * 0.62, towerTop + 2);
    cairo_close_path(cr);
    cairo_fill(cr);
    const double hubX = x, hubY = towerTop - h * 0.04, sail = h * 0.52;
    Circle(cr, hubX, hubY, h * 0.025);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int arm = 0; arm < 4; ++arm) {
        const bool snapped = broken && arm == 1;
        const double a = sailAngle + arm * M_PI / 2 + (snapped ? 0.5 : 0);
        const double length = snapped ? sail * 0.55 : sail * rng.Range(0.95, 1.0);
        cairo_save(cr);
        cairo_translate(cr, hubX, hubY);
        cairo_rotate(cr, a);
        cairo_set_line_width(cr, h * 0.018);
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, length, 0);
        cairo_stroke(cr);
        // The lattice of the sail on one side of the spar.
        const double sw = h * 0.085;
        cairo_set_line_width(cr, h * 0.007);
        const double from = length * 0.22;
        cairo_rectangle(cr, from, 0, length - from, sw);
        for (double t = from; t <= length; t += (length - from) / 7) {
            if (snapped && t > length * 0.7) break;
            cairo_move_to(cr, t, 0);
            cairo_line_to(cr, t, sw);
        }
        cairo_move_to(cr, from, sw / 2);
        cairo_line_to(cr, length, sw / 2);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    cairo_restore(cr);
}

void Crypt(cairo_t* cr, double x, double baseY, double width, double height, Details* details) {
    const double w = width, h = height;
    // Steps.
    Rect(cr, x - w * 0.56, baseY - h * 0.06, w * 1.12, h * 0.06 + 1);
    Rect(cr, x - w * 0.52, baseY - h * 0.11, w * 1.04, h * 0.06);
    // Body, entablature and pediment.
    const double bodyTop = baseY - h * 0.66;
    Rect(cr, x - w * 0.46, bodyTop, w * 0.92, h * 0.56);
    Rect(cr, x - w * 0.52, bodyTop - h * 0.07, w * 1.04, h * 0.08);
    cairo_move_to(cr, x - w * 0.55, bodyTop - h * 0.06);
    cairo_line_to(cr, x, baseY - h * 0.94);
    cairo_line_to(cr, x + w * 0.55, bodyTop - h * 0.06);
    cairo_close_path(cr);
    cairo_fill(cr);
    // An urn on the apex.
    Circle(cr, x, baseY - h * 0.965, h * 0.035);
    cairo_fill(cr);
    Rect(cr, x - h * 0.02, baseY - h * 0.95, h * 0.04, h * 0.03);
    AddEdge(details, x - w * 0.55, bodyTop - h * 0.06, x, baseY - h * 0.94);
    AddEdge(details, x - w * 0.52, bodyTop - h * 0.065, x + w * 0.52, bodyTop - h * 0.065);
    // Four columns in front of a shadowed wall: the recesses between them are
    // darker, their lit sides catch the moon.
    const double columnW = w * 0.1;
    for (int i = 0; i < 4; ++i) {
        const double cx = x - w * 0.38 + i * w * 0.76 / 3;
        AddEdge(details, cx - columnW / 2, bodyTop + 2, cx - columnW / 2, baseY - h * 0.11);
        if (details && i < 3) {
            const double next = x - w * 0.38 + (i + 1) * w * 0.76 / 3;
            details->recesses.push_back(
                {cx + columnW / 2, bodyTop + h * 0.03, next - cx - columnW, h * 0.52});
        }
    }
    if (details)
        details->windows.push_back(
            {x - w * 0.12, baseY - h * 0.46, w * 0.24, h * 0.35, true, true, true});
}

void Well(cairo_t* cr, double x, double baseY, double width) {
    const double w = width, wallH = w * 0.42;
    Rect(cr, x - w / 2, baseY - wallH, w, wallH + 1);
    cairo_save(cr);
    cairo_translate(cr, x, baseY - wallH);
    cairo_scale(cr, w / 2, w * 0.12);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_fill(cr);
    Rect(cr, x - w * 0.46, baseY - w * 1.15, w * 0.06, w * 0.75);
    Rect(cr, x + w * 0.4, baseY - w * 1.15, w * 0.06, w * 0.75);
    cairo_move_to(cr, x - w * 0.62, baseY - w * 1.08);
    cairo_line_to(cr, x, baseY - w * 1.42);
    cairo_line_to(cr, x + w * 0.62, baseY - w * 1.08);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Rope and bucket.
    Rect(cr, x - 0.75, baseY - w * 1.1, 1.5, w * 0.4);
    cairo_move_to(cr, x - w * 0.08, baseY - w * 0.72);
    cairo_line_to(cr, x + w * 0.08, baseY - w * 0.72);
    cairo_line_to(cr, x + w * 0.06, baseY - w * 0.6);
    cairo_line_to(cr, x - w * 0.06, baseY - w * 0.6);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void Signpost(cairo_t* cr, Rng& rng, double x, double baseY, double height) {
    const double h = height;
    Rect(cr, x - h * 0.03, baseY - h, h * 0.06, h + 1);
    for (int i = 0; i < 3; ++i) {
        const double y = baseY - h * (0.9 - i * 0.2), dir = (i % 2 == 0) ? 1 : -1,
                     len = h * rng.Range(0.35, 0.5);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, rng.Range(-0.15, 0.15));
        cairo_move_to(cr, -dir * h * 0.06, -h * 0.05);
        cairo_line_to(cr, dir * len, -h * 0.05);
        cairo_line_to(cr, dir * (len + h * 0.06), 0);
        cairo_line_to(cr, dir * len, h * 0.05);
        cairo_line_to(cr, -dir * h * 0.06, h * 0.05);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_restore(cr);
    }
}

void LampPost(cairo_t* cr, double x, double baseY, double height) {
    const double h = height;
    Rect(cr, x - h * 0.025, baseY - h, h * 0.05, h + 1);
    Rect(cr, x - h * 0.05, baseY - h * 0.06, h * 0.1, h * 0.06 + 1);
    // A crook holding the lantern out to the right.
    cairo_save(cr);
    cairo_set_line_width(cr, h * 0.03);
    cairo_move_to(cr, x, baseY - h * 0.97);
    cairo_curve_to(cr, x + h * 0.05, baseY - h * 1.04, x + h * 0.18, baseY - h * 1.04, x + h * 0.2,
                   baseY - h * 0.94);
    cairo_stroke(cr);
    cairo_restore(cr);
    // The lantern's cap and frame (the flame is lit separately at x + 0.2 h, baseY - 0.8 h).
    cairo_move_to(cr, x + h * 0.14, baseY - h * 0.88);
    cairo_line_to(cr, x + h * 0.2, baseY - h * 0.93);
    cairo_line_to(cr, x + h * 0.26, baseY - h * 0.88);
    cairo_close_path(cr);
    cairo_fill(cr);
    Rect(cr, x + h * 0.15, baseY - h * 0.72, h * 0.1, h * 0.025);
}

void RuinedWall(cairo_t* cr, Rng& rng, double x0, double x1, double baseY, double height,
                Details* details) {
    cairo_save(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_move_to(cr, x0, baseY + 1);
    const int steps = std::max(4, int((x1 - x0) / 14));
    for (int i = 0; i <= steps; ++i) {
        const double x = x0 + (x1 - x0) * i / steps;
        const double profile =
            std::sin(M_PI * i / steps);  // tallest in the middle, crumbled at the ends
        cairo_line_to(cr, x,
                      baseY - height * (0.35 + 0.65 * profile) + rng.Range(0, height * 0.15));
        cairo_line_to(cr, x + (x1 - x0) / steps * 0.5,
                      baseY - height * (0.35 + 0.65 * profile) + rng.Range(0, height * 0.15));
    }
    cairo_line_to(cr, x1, baseY + 1);
    cairo_close_path(cr);
    // Arched openings through which the sky shows.
    const int arches = std::max(1, int((x1 - x0) / (height * 0.8)));
    for (int i = 0; i < arches; ++i) {
        const double aw = (x1 - x0) / arches * 0.42, ax = x0 + (x1 - x0) * (i + 0.5) / arches;
        const double top = baseY - height * 0.55;
        cairo_new_sub_path(cr);
        cairo_move_to(cr, ax - aw / 2, baseY - height * 0.12);
        cairo_line_to(cr, ax - aw / 2, top + aw / 2);
        cairo_arc(cr, ax, top + aw / 2, aw / 2, M_PI, 2 * M_PI);
        cairo_line_to(cr, ax + aw / 2, baseY - height * 0.12);
        cairo_close_path(cr);
        AddEdge(details, ax - aw / 2, top + aw / 2, ax - aw / 2, baseY - height * 0.12);
    }
    cairo_fill(cr);
    cairo_restore(cr);
}

void Scarecrow(cairo_t* cr, double x, double baseY, double height) {
    const double h = height;
    Rect(cr, x - h * 0.025, baseY - h * 0.8, h * 0.05, h * 0.8 + 1);
    Rect(cr, x - h * 0.34, baseY - h * 0.66, h * 0.68, h * 0.04);
    // Ragged coat hanging from the arms.
    cairo_move_to(cr, x - h * 0.3, baseY - h * 0.66);
    cairo_line_to(cr, x + h * 0.3, baseY - h * 0.66);
    cairo_line_to(cr, x + h * 0.2, baseY - h * 0.55);
    cairo_line_to(cr, x + h * 0.16, baseY - h * 0.32);
    cairo_line_to(cr, x + h * 0.1, baseY - h * 0.36);
    cairo_line_to(cr, x + h * 0.05, baseY - h * 0.3);
    cairo_line_to(cr, x - h * 0.04, baseY - h * 0.35);
    cairo_line_to(cr, x - h * 0.12, baseY - h * 0.3);
    cairo_line_to(cr, x - h * 0.17, baseY - h * 0.36);
    cairo_line_to(cr, x - h * 0.2, baseY - h * 0.55);
    cairo_close_path(cr);
    cairo_fill(cr);
    Circle(cr, x, baseY - h * 0.76, h * 0.08);
    cairo_fill(cr);
    // A floppy pointed hat.
    cairo_move_to(cr, x - h * 0.17, baseY - h * 0.8);
    cairo_line_to(cr, x + h * 0.17, baseY - h * 0.81);
    cairo_line_to(cr, x + h * 0.05, baseY - h * 0.86);
    cairo_curve_to(cr, x + h * 0.04, baseY - h * 0.95, x + h * 0.1, baseY - h * 0.98, x + h * 0.16,
                   baseY - h * 0.96);
    cairo_curve_to(cr, x + h * 0.05, baseY - h * 1.02, x - h * 0.05, baseY - h * 0.96, x - h * 0.06,
                   baseY - h * 0.86);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void Cat(cairo_t* cr, double x, double baseY, double height) {
    const double h = height;
    // Body and haunch.
    cairo_move_to(cr, x - h * 0.28, baseY);
    cairo_curve_to(cr, x - h * 0.36, baseY - h * 0.3, x - h * 0.2, baseY - h * 0.55, x + h * 0.05,
                   baseY - h * 0.62);
    cairo_curve_to(cr, x + h * 0.2, baseY - h * 0.5, x + h * 0.18, baseY - h * 0.2, x + h * 0.22,
                   baseY);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Head with ears.
    Circle(cr, x + h * 0.17, baseY - h * 0.78, h * 0.15);
    cairo_fill(cr);
    for (double ear : {0.07, 0.24}) {
        cairo_move_to(cr, x + h * (ear - 0.06), baseY - h * 0.84);
        cairo_line_to(cr, x + h * (ear + 0.01), baseY - h * 1.0);
        cairo_line_to(cr, x + h * (ear + 0.07), baseY - h * 0.86);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
    // The tail curling round the feet.
    cairo_save(cr);
    cairo_set_line_width(cr, h * 0.07);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x - h * 0.24, baseY - h * 0.04);
    cairo_curve_to(cr, x - h * 0.5, baseY - h * 0.02, x - h * 0.55, baseY - h * 0.3, x - h * 0.42,
                   baseY - h * 0.42);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Bat(cairo_t* cr, double x, double y, double span, double flap) {
    const double s = span / 2, lift = flap * s * 0.5;
    cairo_move_to(cr, x, y - s * 0.12);
    for (int side : {1, -1}) {
        cairo_move_to(cr, x, y - s * 0.1);
        cairo_curve_to(cr, x + side * s * 0.4, y - s * 0.3 - lift, x + side * s * 0.8,
                       y - s * 0.35 - lift, x + side * s, y - s * 0.2 - lift);
        cairo_curve_to(cr, x + side * s * 0.85, y - s * 0.05 - lift * 0.5, x + side * s * 0.75,
                       y + s * 0.02, x + side * s * 0.62, y + s * 0.08 - lift * 0.3);
        cairo_curve_to(cr, x + side * s * 0.55, y - s * 0.02, x + side * s * 0.4, y,
                       x + side * s * 0.32, y + s * 0.08);
        cairo_curve_to(cr, x + side * s * 0.25, y - s * 0.02, x + side * s * 0.1, y, x,
                       y + s * 0.12);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
    Circle(cr, x, y - s * 0.02, s * 0.11);
    cairo_fill(cr);
    for (int side : {1, -1}) {
        cairo_move_to(cr, x + side * s * 0.03, y - s * 0.1);
        cairo_line_to(cr, x + side * s * 0.1, y - s * 0.24);
        cairo_line_to(cr, x + side * s * 0.11, y - s * 0.06);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
}

void Bird(cairo_t* cr, double x, double y, double span) {
    const double s = span / 2;
    cairo_move_to(cr, x - s, y - s * 0.25);
    cairo_curve_to(cr, x - s * 0.6, y - s * 0.45, x - s * 0.25, y - s * 0.3, x, y);
    cairo_curve_to(cr, x + s * 0.25, y - s * 0.3, x + s * 0.6, y - s * 0.45, x + s, y - s * 0.25);
    cairo_curve_to(cr, x + s * 0.6, y - s * 0.25, x + s * 0.25, y - s * 0.1, x, y + s * 0.12);
    cairo_curve_to(cr, x - s * 0.25, y - s * 0.1, x - s * 0.6, y - s * 0.25, x - s, y - s * 0.25);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void Fountain(cairo_t* cr, double x, double baseY, double width) {
    const double w = width;
    // A wide basin on the ground, a stout pedestal, a shallow upper bowl and
    // a little finial the water springs from.
    cairo_move_to(cr, x - w / 2, baseY - w * 0.16);
    cairo_curve_to(cr, x - w * 0.2, baseY - w * 0.2, x + w * 0.2, baseY - w * 0.2, x + w / 2,
                   baseY - w * 0.16);
    cairo_line_to(cr, x + w * 0.46, baseY + 1);
    cairo_line_to(cr, x - w * 0.46, baseY + 1);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_move_to(cr, x - w * 0.08, baseY - w * 0.16);
    cairo_curve_to(cr, x - w * 0.05, baseY - w * 0.3, x - w * 0.09, baseY - w * 0.42, x - w * 0.05,
                   baseY - w * 0.5);
    cairo_line_to(cr, x + w * 0.05, baseY - w * 0.5);
    cairo_curve_to(cr, x + w * 0.09, baseY - w * 0.42, x + w * 0.05, baseY - w * 0.3, x + w * 0.08,
                   baseY - w * 0.16);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_move_to(cr, x - w * 0.3, baseY - w * 0.56);
    cairo_curve_to(cr, x - w * 0.22, baseY - w * 0.44, x + w * 0.22, baseY - w * 0.44, x + w * 0.3,
                   baseY - w * 0.56);
    cairo_close_path(cr);
    cairo_fill(cr);
    Rect(cr, x - w * 0.025, baseY - w * 0.66, w * 0.05, w * 0.11);
    Circle(cr, x, baseY - w * 0.67, w * 0.035);
    cairo_fill(cr);
}

void Hedge(cairo_t* cr, Rng& rng, double x0, double x1, double baseY, double height) {
    cairo_move_to(cr, x0, baseY + 1);
    cairo_line_to(cr, x0, baseY - height * 0.85);
    for (double x = x0; x < x1; x += height * 0.25) {
        cairo_curve_to(cr, x + height * 0.06, baseY - height * rng.Range(0.95, 1.08),
                       x + height * 0.19, baseY - height * rng.Range(0.95, 1.08),
                       std::min(x1, x + height * 0.25), baseY - height * rng.Range(0.88, 0.95));
    }
    cairo_line_to(cr, x1, baseY + 1);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void GatePillar(cairo_t* cr, double x, double baseY, double width, double height, bool ball) {
    const double w = width, h = height;
    Rect(cr, x - w / 2, baseY - h, w, h + 1);
    Rect(cr, x - w * 0.62, baseY - h - w * 0.18, w * 1.24, w * 0.2);
    Rect(cr, x - w * 0.62, baseY - h * 0.12, w * 1.24, h * 0.12 + 1);
    if (!ball) return;
    Rect(cr, x - w * 0.2, baseY - h - w * 0.35, w * 0.4, w * 0.2);
    Circle(cr, x, baseY - h - w * 0.6, w * 0.3);
    cairo_fill(cr);
}

}  // namespace asset::scenes
