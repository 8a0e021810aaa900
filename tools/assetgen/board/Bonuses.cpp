// The bonus pieces: six bombs in a plain and an upgraded form (the upgrade is
// gilded and glows), garlic, the money bag and the spinning coin. Each piece
// is drawn as flat shapes with lit gradients, then embossed, outlined and
// given a soft shadow, so they sit on the board like the gems.
#include <algorithm>
#include <cmath>

#include "Board.h"
#include "assetkit/Random.h"

namespace board {
namespace {

using asset::style::Rgb8;

constexpr int kPiece = 72;
constexpr double kMid = kPiece / 2.0;

// Materials: light, mid and dark tones.
struct Material {
    Rgb light, mid, dark;
};
constexpr Material kPumpkinSkin{Rgb8(0xFFB04A), Rgb8(0xF07A1A), Rgb8(0x9C3A08)};
constexpr Material kIron{Rgb8(0x9096AC), Rgb8(0x4A4C5A), Rgb8(0x24242E)};
constexpr Material kGilt{Rgb8(0xFFF2A8), Rgb8(0xE8B530), Rgb8(0x8A5410)};
constexpr Material kWood{Rgb8(0xC08A56), Rgb8(0x7A5233), Rgb8(0x3E2614)};
constexpr Material kStone{Rgb8(0xB8BECC), Rgb8(0x7C8294), Rgb8(0x40444F)};
constexpr Material kWax{Rgb8(0xFFFBEE), Rgb8(0xF2E8D0), Rgb8(0xB4A484)};
constexpr Material kBurlap{Rgb8(0xD0A070), Rgb8(0x9A6A3E), Rgb8(0x55341C)};
constexpr Material kGarlicSkin{Rgb8(0xFFFFFA), Rgb8(0xF0E8E0), Rgb8(0xB8A8B8)};
constexpr Material kStem{Rgb8(0x9AB060), Rgb8(0x5E7434), Rgb8(0x2C3A16)};

// Fills the current path with a gradient lit from the top left of the box.
void FillLit(cairo_t* cr, double x0, double y0, double x1, double y1, const Material& m) {
    cairo_pattern_t* pattern = LitGradient(x0, y0, x1, y1, m.light, m.mid, m.dark);
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

// Round objects: a radial gradient whose bright spot sits up and to the left.
void FillRound(cairo_t* cr, double cx, double cy, double radius, const Material& m) {
    cairo_pattern_t* pattern = cairo_pattern_create_radial(cx - radius * 0.35, cy - radius * 0.4,
                                                           radius * 0.1, cx, cy, radius * 1.1);
    AddStop(pattern, 0, m.light);
    AddStop(pattern, 0.5, m.mid);
    AddStop(pattern, 1, m.dark);
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

// Across a cylinder: bright on the left third, shaded on the right.
void FillCylinder(cairo_t* cr, double x0, double x1, const Material& m) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(x0, 0, x1, 0);
    AddStop(pattern, 0, m.mid);
    AddStop(pattern, 0.28, m.light);
    AddStop(pattern, 0.7, m.mid);
    AddStop(pattern, 1, m.dark);
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

// A disc with a second disc bitten out of it.
void FillCrescent(cairo_t* cr, Point centre, double radius, Point bite, double biteRadius,
                  Rgb colour) {
    cairo_push_group(cr);
    cairo_arc(cr, centre.x, centre.y, radius, 0, 2 * M_PI);
    SetColour(cr, colour);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
    cairo_arc(cr, bite.x, bite.y, biteRadius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
}

// A flame standing on (x, y), `height` tall, leaning by `lean` radians:
// a soft glow, then red-orange, yellow and a white core.
void Flame(Sheet& sheet, double x, double y, double height, double width, double lean,
           double heat) {
    auto shape = [&](cairo_t* cr, double scale) {
        const double h = height * scale, w = width * scale;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, lean);
        cairo_move_to(cr, 0, -h);
        cairo_curve_to(cr, w * 0.25, -h * 0.62, w * 0.62, -h * 0.45, w * 0.5, -h * 0.15);
        cairo_curve_to(cr, w * 0.42, h * 0.08, w * 0.18, h * 0.14, 0, h * 0.14);
        cairo_curve_to(cr, -w * 0.18, h * 0.14, -w * 0.42, h * 0.08, -w * 0.5, -h * 0.15);
        cairo_curve_to(cr, -w * 0.62, -h * 0.45, -w * 0.1, -h * 0.6, 0, -h);
        cairo_close_path(cr);
        cairo_restore(cr);
    };
    Sheet glow = sheet.Blank();
    cairo_t* cr = glow.Begin();
    shape(cr, 1.25);
    SetColour(cr, Rgb8(0xFF9A30), 0.55 * heat);
    cairo_fill(cr);
    glow.Blur(height * 0.25);
    sheet.Draw(glow);

    Sheet fire = sheet.Blank();
    cr = fire.Begin();
    shape(cr, 1.0);
    SetColour(cr, Rgb8(0xF25A14));
    cairo_fill(cr);
    fire.Blur(0.4);
    sheet.Draw(fire);
    fire = sheet.Blank();
    cr = fire.Begin();
    cairo_translate(cr, std::sin(lean) * height * 0.08, std::cos(lean) * height * 0.04);
    shape(cr, 0.74);
    SetColour(cr, Rgb8(0xFFB62E));
    cairo_fill(cr);
    shape(cr, 0.46);
    SetColour(cr, Rgb8(0xFFF0A0));
    cairo_fill(cr);
    shape(cr, 0.24);
    SetColour(cr, kWhite);
    cairo_fill(cr);
    fire.Blur(0.35);
    sheet.Draw(fire);
}

void OutlinePiece(Sheet& piece) {
    piece.Outline(1.4, kOutline, 0.95);
}

// The finishing shared by every piece: a soft shadow, and for the upgraded
// ones a strong aura and sparkles (placed clear of the piece's own shape).
constexpr double kAuraMargin = 6.0;  // px of transparent margin round an aura

void FinishPiece(Sheet& piece, bool upgraded, Rgb aura,
                 const std::vector<Point>& sparkles = {{12, 14}, {61, 25}, {57, 60}}) {
    piece.DropShadow(1.4, 2.6, 2.0, 0.5);
    if (!upgraded) return;
    piece.GlowUnder(4.5, aura, 1.0);
    piece.GlowUnder(2.0, Mix(aura, kWhite, 0.5), 0.8);
    // The aura dies away inside the frame: a glow cut by the picture's edge
    // would show a hard square around the piece on the board.
    piece.FadeTowardsEdges(kAuraMargin);
    cairo_t* cr = piece.Begin();
    for (size_t i = 0; i < sparkles.size(); ++i) {
        Glint(cr, sparkles[i].x, sparkles[i].y, i % 2 ? 4.5 : 5.5, i % 2 ? Rgb8(0xFFF4C0) : kWhite,
              0.95);
    }
}

// ---------------------------------------------------------------------------
// Pumpkin

void PumpkinBody(Sheet& body) {
    cairo_t* cr = body.Begin();
    struct Rib {
        double x, rx, ry;
    };
    // Outer ribs first so the middle one sits in front.
    const Rib ribs[] = {
        {20, 14, 19}, {52, 14, 19}, {27.5, 13, 21.5}, {44.5, 13, 21.5}, {36, 12, 22.5}};
    for (const Rib& rib : ribs) {
        EllipsePath(cr, rib.x, 44, rib.rx, rib.ry);
        cairo_path_t* path = cairo_copy_path(cr);
        FillRound(cr, rib.x, 44, rib.ry, kPumpkinSkin);
        cairo_append_path(cr, path);
        cairo_path_destroy(path);
        cairo_set_line_width(cr, 1.0);
        SetColour(cr, Rgb8(0x8A3006), 0.55);
        cairo_stroke(cr);
    }
    body.Emboss(3.5, 0.7, 0.8);
}

void PumpkinStem(Sheet& piece, bool upgraded) {
    Sheet stem = piece.Blank();
    cairo_t* cr = stem.Begin();
    cairo_move_to(cr, 32, 25);
    cairo_curve_to(cr, 32, 18, 34, 12, 39, 8);
    cairo_line_to(cr, 43, 11);
    cairo_curve_to(cr, 39.5, 14, 39, 19, 40, 25);
    cairo_close_path(cr);
    FillLit(cr, 32, 8, 43, 25, upgraded ? kGilt : kStem);
    // A curled leaf to the right of the stem.
    cairo_move_to(cr, 40, 22);
    cairo_curve_to(cr, 46, 14, 55, 14, 58, 19);
    cairo_curve_to(cr, 52, 19, 48, 23, 40, 24);
    cairo_close_path(cr);
    FillLit(cr, 40, 14, 58, 24,
            upgraded ? kGilt : Material{Rgb8(0xA8D070), Rgb8(0x5E9A34), Rgb8(0x2E5418)});
    stem.Emboss(1.5, 0.8, 0.6);
    piece.Draw(stem);
}

// The carved face: the rind's cut edge at the top left, the lit inside
// showing through lower right.
void PumpkinFace(Sheet& piece, bool upgraded) {
    auto face = [](cairo_t* cr) {
        for (int side = -1; side <= 1; side += 2) {
            cairo_move_to(cr, 36 + side * 4, 42);
            cairo_line_to(cr, 36 + side * 14.5, 42);
            cairo_line_to(cr, 36 + side * 8.5, 32);
            cairo_close_path(cr);
        }
        cairo_move_to(cr, 33.5, 48);
        cairo_line_to(cr, 38.5, 48);
        cairo_line_to(cr, 36, 44.5);
        cairo_close_path(cr);
        // Grin with two teeth.
        cairo_move_to(cr, 21, 50);
        cairo_curve_to(cr, 28, 53, 44, 53, 51, 50);
        cairo_curve_to(cr, 48, 59, 42, 62, 36, 62);
        cairo_curve_to(cr, 30, 62, 24, 59, 21, 50);
        cairo_close_path(cr);
    };
    auto teeth = [](cairo_t* cr) {
        cairo_rectangle(cr, 28.5, 51, 4, 4.5);
        cairo_rectangle(cr, 39.5, 51, 4, 4.5);
        cairo_rectangle(cr, 33.5, 58, 5, 5);
    };
    Sheet cut = piece.Blank();
    cairo_t* cr = cut.Begin();
    face(cr);
    SetColour(cr, Rgb8(0x8A3208));
    cairo_fill(cr);
    cairo_save(cr);
    face(cr);
    cairo_clip(cr);
    cairo_translate(cr, 1.2, 1.4);
    face(cr);
    cairo_pattern_t* light = cairo_pattern_create_radial(36, 48, 2, 36, 48, 20);
    AddStop(light, 0, upgraded ? kWhite : Rgb8(0xFFF4B0));
    AddStop(light, 0.5, upgraded ? Rgb8(0xFFF08A) : Rgb8(0xFFCC40));
    AddStop(light, 1, upgraded ? Rgb8(0xFFB030) : Rgb8(0xF08A1E));
    cairo_set_source(cr, light);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
    cairo_restore(cr);
    // Teeth keep the pumpkin's skin colour, shaded from above.
    teeth(cr);
    SetColour(cr, Rgb8(0xE06A14));
    cairo_fill(cr);
    piece.Draw(cut);
    // The glow spills over the face.
    Sheet spill = piece.Blank();
    cr = spill.Begin();
    face(cr);
    SetColour(cr, Rgb8(0xFFD060), upgraded ? 0.9 : 0.5);
    cairo_fill(cr);
    spill.Blur(upgraded ? 3.0 : 2.0);
    piece.Draw(spill, 0, 0, 1.0, CAIRO_OPERATOR_ADD);
}

void DrawPumpkin(Sheet& piece, bool upgraded) {
    Sheet body = piece.Blank();
    PumpkinBody(body);
    piece.Draw(body);
    PumpkinStem(piece, upgraded);
    if (upgraded) {
        // A gilded tendril curling from the stem.
        cairo_t* cr = piece.Begin();
        cairo_move_to(cr, 33, 22);
        cairo_curve_to(cr, 27, 20, 22, 16, 24, 11);
        cairo_curve_to(cr, 25.5, 7.5, 30, 8, 29.5, 11.5);
        cairo_curve_to(cr, 29, 13.5, 26.5, 13, 27, 11.5);
        cairo_set_line_width(cr, 1.6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        SetColour(cr, Rgb8(0xFFD860));
        cairo_stroke(cr);
    }
    PumpkinFace(piece, upgraded);
    cairo_t* cr = piece.Begin();
    SoftEllipse(cr, 24, 33, 6, 3, -35, kWhite, 0.55);
    OutlinePiece(piece);
    FinishPiece(piece, upgraded, Rgb8(0xFF9A20));
}

// ---------------------------------------------------------------------------
// Lantern (clears a row: its light spreads sideways)

// The lantern is drawn narrow and widened about its middle.
void WidenLantern(cairo_t* cr) {
    cairo_translate(cr, kMid, 0);
    cairo_scale(cr, 1.3, 1);
    cairo_translate(cr, -kMid, 0);
}

void LanternFrame(Sheet& frame, const Material& metal) {
    cairo_t* cr = frame.Begin();
    WidenLantern(cr);
    // Hanging ring.
    cairo_arc(cr, kMid, 8.5, 4.2, 0, 2 * M_PI);
    cairo_set_line_width(cr, 2.2);
    SetColour(cr, metal.mid);
    cairo_stroke(cr);
    // Roof with a finial.
    cairo_move_to(cr, 22, 22);
    cairo_line_to(cr, 50, 22);
    cairo_line_to(cr, 42, 13);
    cairo_line_to(cr, 30, 13);
    cairo_close_path(cr);
    FillLit(cr, 22, 12, 50, 22, metal);
    RoundedRectangle(cr, 20, 21, 32, 4, 1.5);
    FillLit(cr, 20, 21, 52, 25, metal);
    // Pillars at the corners and a middle bar.
    for (double x : {23.0, 46.0}) {
        cairo_rectangle(cr, x, 24, 3, 28);
        FillCylinder(cr, x, x + 3, metal);
    }
    // Base.
    RoundedRectangle(cr, 20, 51, 32, 4, 1.5);
    FillLit(cr, 20, 51, 52, 55, metal);
    cairo_move_to(cr, 24, 55);
    cairo_line_to(cr, 48, 55);
    cairo_line_to(cr, 44, 60);
    cairo_line_to(cr, 28, 60);
    cairo_close_path(cr);
    FillLit(cr, 24, 55, 48, 60, metal);
    frame.Emboss(1.2, 0.8, 0.6);
}

void DrawLantern(Sheet& piece, bool upgraded) {
    // Light spreading left and right announces the row it clears.
    cairo_t* cr = piece.Begin();
    SoftEllipse(cr, kMid, 38, upgraded ? 30 : 28, upgraded ? 7 : 5, 0, Rgb8(0xFFD870),
                upgraded ? 0.9 : 0.55);
    // Glass with the warm light inside.
    Sheet glass = piece.Blank();
    cr = glass.Begin();
    WidenLantern(cr);
    cairo_rectangle(cr, 25, 24, 22, 28);
    cairo_pattern_t* light = cairo_pattern_create_radial(kMid, 36, 2, kMid, 38, 17);
    AddStop(light, 0, Rgb8(0xFFF8D0));
    AddStop(light, 0.45, Rgb8(0xFFC850));
    AddStop(light, 1, Rgb8(0xC86A1C));
    cairo_set_source(cr, light);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
    // Candle stub.
    cairo_rectangle(cr, 33, 41, 6, 11);
    FillCylinder(cr, 33, 39, kWax);
    // Reflections on the panes.
    cairo_move_to(cr, 27, 26);
    cairo_line_to(cr, 30, 26);
    cairo_line_to(cr, 27, 38);
    cairo_close_path(cr);
    SetColour(cr, kWhite, 0.5);
    cairo_fill(cr);
    piece.Draw(glass);
    Flame(piece, kMid, 41, 11, 6, 0, upgraded ? 1.0 : 0.7);
    Sheet frame = piece.Blank();
    LanternFrame(frame, upgraded ? kGilt : kIron);
    piece.Draw(frame);
    OutlinePiece(piece);
    FinishPiece(piece, upgraded, Rgb8(0xFFC040));
    if (upgraded) {
        cr = piece.Begin();
        SoftEllipse(cr, kMid, 38, 36, 3, 0, kWhite, 0.7);
    }
}

// ---------------------------------------------------------------------------
// Candle (clears a column: its flame reaches up)

void CandleWax(Sheet& body) {
    cairo_t* cr = body.Begin();
    // Wax with a melted, dripping top edge.
    cairo_move_to(cr, 27, 62);
    cairo_line_to(cr, 27, 31);
    cairo_curve_to(cr, 27, 28, 29, 27, 31, 28);
    cairo_curve_to(cr, 32, 33, 31.5, 38, 33, 38);
    cairo_curve_to(cr, 34.5, 38, 34, 31, 36, 29);
    cairo_curve_to(cr, 39, 27, 41, 28, 42, 30);
    cairo_curve_to(cr, 43, 35, 42.5, 43, 44, 43);
    cairo_curve_to(cr, 45.5, 43, 45, 33, 45, 31);
    cairo_line_to(cr, 45, 62);
    cairo_close_path(cr);
    FillCylinder(cr, 27, 45, kWax);
    // The pool of wax on top, and the wick.
    EllipsePath(cr, 36, 29.5, 8.5, 2.6);
    SetColour(cr, Rgb8(0xFFF6DC));
    cairo_fill(cr);
    cairo_move_to(cr, 36, 29);
    cairo_line_to(cr, 36, 24);
    cairo_set_line_width(cr, 1.2);
    SetColour(cr, Rgb8(0x3A2A20));
    cairo_stroke(cr);
    body.Emboss(2.0, 0.5, 0.5);
}

// A dish with a finger ring.
void CandleHolder(Sheet& holder, const Material& metal) {
    cairo_t* cr = holder.Begin();
    cairo_arc(cr, 50, 60, 4.5, 0, 2 * M_PI);
    cairo_set_line_width(cr, 2.2);
    SetColour(cr, metal.mid);
    cairo_stroke(cr);
    EllipsePath(cr, kMid, 61, 16, 4.5);
    FillLit(cr, 20, 56, 52, 66, metal);
    EllipsePath(cr, kMid, 60, 11, 2.6);
    SetColour(cr, metal.dark, 0.8);
    cairo_fill(cr);
    holder.Emboss(1.5, 0.8, 0.5);
}

void DrawCandle(Sheet& piece, bool upgraded) {
    cairo_t* cr = piece.Begin();
    if (upgraded) SoftEllipse(cr, kMid, 32, 5, 27, 0, Rgb8(0xFFE080), 0.8);
    Sheet holder = piece.Blank();
    CandleHolder(holder, upgraded ? kGilt : kIron);
    piece.Draw(holder);
    Sheet body = piece.Blank();
    CandleWax(body);
    piece.Draw(body);
    OutlinePiece(piece);
    // The flame glows; it gets no outline.
    Flame(piece, kMid, 24, upgraded ? 22 : 17, upgraded ? 11 : 9, 0, upgraded ? 1.0 : 0.8);
    FinishPiece(piece, upgraded, Rgb8(0xFFC040), {{14, 20}, {58, 14}, {59, 44}});
}

// ---------------------------------------------------------------------------
// Gravestone (clears a cross)

void StonePath(cairo_t* cr) {
    cairo_move_to(cr, 17, 58);
    cairo_line_to(cr, 17, 26);
    cairo_curve_to(cr, 17, 13, 26, 7, 36, 7);
    cairo_curve_to(cr, 46, 7, 55, 13, 55, 26);
    cairo_line_to(cr, 55, 58);
    cairo_close_path(cr);
}

void CrossPath(cairo_t* cr) {
    cairo_rectangle(cr, 33, 16, 6, 30);
    cairo_rectangle(cr, 25, 23, 22, 6);
}

void Grass(cairo_t* cr, asset::Rng& rng) {
    for (int i = 0; i < 16; ++i) {
        const double x = 13 + i * 3 + rng.Range(-1, 1), h = rng.Range(4, 9),
                     lean = rng.Range(-2.5, 2.5);
        cairo_move_to(cr, x - 1.4, 62);
        cairo_curve_to(cr, x - 1, 62 - h * 0.4, x + lean * 0.3, 62 - h * 0.7, x + lean, 62 - h);
        cairo_curve_to(cr, x + lean * 0.3 + 0.6, 62 - h * 0.6, x + 1, 62 - h * 0.3, x + 1.4, 62);
        cairo_close_path(cr);
        SetColour(cr, Mix(Rgb8(0x3E6A2A), Rgb8(0x8CBA4E), rng.Uniform()));
        cairo_fill(cr);
    }
}

// The cross cut into the stone: a dark groove whose lower-right wall
// catches the light, or glowing gold when upgraded.
void EngravedCross(cairo_t* cr, bool glowing) {
    CrossPath(cr);
    SetColour(cr, Rgb8(0x3A3E4A));
    cairo_fill(cr);
    cairo_save(cr);
    CrossPath(cr);
    cairo_clip(cr);
    cairo_translate(cr, 1.0, 1.0);
    CrossPath(cr);
    if (glowing) {
        cairo_pattern_t* shine = cairo_pattern_create_radial(36, 28, 1, 36, 28, 18);
        AddStop(shine, 0, kWhite);
        AddStop(shine, 0.5, Rgb8(0xFFE48A));
        AddStop(shine, 1, Rgb8(0xE8A830));
        cairo_set_source(cr, shine);
        cairo_fill(cr);
        cairo_pattern_destroy(shine);
    } else {
        SetColour(cr, Rgb8(0x6A7080));
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

// A crack and a patch of moss on the shoulder.
void Weathering(cairo_t* cr, asset::Rng& rng) {
    cairo_move_to(cr, 51, 36);
    cairo_line_to(cr, 47.5, 40);
    cairo_line_to(cr, 49, 44);
    cairo_line_to(cr, 45.5, 49);
    cairo_set_line_width(cr, 0.9);
    SetColour(cr, Rgb8(0x30343E), 0.85);
    cairo_stroke(cr);
    for (int i = 0; i < 10; ++i) {
        const double a = rng.Range(M_PI * 1.05, M_PI * 1.45);
        cairo_arc(cr, 36 + 19 * std::cos(a) + rng.Range(-1.5, 1.5),
                  26 + 19 * std::sin(a) + rng.Range(-1.5, 1.5), rng.Range(1.6, 3.0), 0, 2 * M_PI);
        SetColour(cr, Mix(Rgb8(0x3F6A2C), Rgb8(0x8CBA4E), rng.Uniform()), 0.95);
        cairo_fill(cr);
    }
}

void DrawGrave(Sheet& piece, bool upgraded) {
    asset::Rng rng(asset::SeedOf("grave grass"));
    Sheet stone = piece.Blank();
    cairo_t* cr = stone.Begin();
    // Earth mound, then the stone.
    EllipsePath(cr, kMid, 60, 25, 6);
    FillLit(cr, 11, 54, 61, 66, Material{Rgb8(0x8A6A48), Rgb8(0x5A4030), Rgb8(0x2E2018)});
    StonePath(cr);
    FillLit(cr, 17, 7, 55, 58, kStone);
    stone.Emboss(3.0, 0.9, 0.8);
    cr = stone.Begin();
    EngravedCross(cr, upgraded);
    Weathering(cr, rng);
    if (upgraded) {
        StonePath(cr);
        cairo_set_line_width(cr, 2.0);
        SetColour(cr, Rgb8(0xFFD860));
        cairo_stroke(cr);
    }
    Grass(cr, rng);
    piece.Draw(stone);
    if (upgraded) {
        Sheet halo = piece.Blank();
        cr = halo.Begin();
        CrossPath(cr);
        SetColour(cr, Rgb8(0xFFD050));
        cairo_fill(cr);
        halo.Blur(3.0);
        piece.Draw(halo, 0, 0, 1.0, CAIRO_OPERATOR_ADD);
    }
    cr = piece.Begin();
    SoftEllipse(cr, 27, 17, 6, 3, -40, kWhite, 0.5);
    OutlinePiece(piece);
    FinishPiece(piece, upgraded, Rgb8(0xFFD060));
}

// ---------------------------------------------------------------------------
// Torch (clears the diagonals: it leans)

void DrawTorch(Sheet& piece, bool upgraded) {
    const double lean = 0.62;  // towards the upper right
    const Point base{22, 66};
    constexpr double kHead = 42;  // distance from the base to the top of the wrapping
    Sheet torch = piece.Blank();
    cairo_t* cr = torch.Begin();
    cairo_translate(cr, base.x, base.y);
    cairo_rotate(cr, lean);
    // Handle, wider towards the head.
    cairo_move_to(cr, -3.2, 0);
    cairo_line_to(cr, -4.6, -31);
    cairo_line_to(cr, 4.6, -31);
    cairo_line_to(cr, 3.2, 0);
    cairo_close_path(cr);
    FillCylinder(cr, -4.6, 4.6, kWood);
    // Pitch-soaked wrapping in a cup.
    cairo_move_to(cr, -7.5, -30);
    cairo_curve_to(cr, -9, -35, -8.5, -39, -7, -kHead);
    cairo_line_to(cr, 7, -kHead);
    cairo_curve_to(cr, 8.5, -39, 9, -35, 7.5, -30);
    cairo_close_path(cr);
    FillCylinder(cr, -9, 9, Material{Rgb8(0x6A5040), Rgb8(0x3E2C22), Rgb8(0x1E1612)});
    // Bands binding the head.
    for (double y : {-30.0, -23.0}) {
        RoundedRectangle(cr, -6.2, y - 2.2, 12.4, 4.4, 1.5);
        FillCylinder(cr, -6.2, 6.2, upgraded ? kGilt : kIron);
    }
    torch.Emboss(1.5, 0.7, 0.5);
    OutlinePiece(torch);
    piece.Draw(torch);
    // Flame above the head, leaning with the torch.
    const double headX = base.x + std::sin(lean) * kHead, headY = base.y - std::cos(lean) * kHead;
    // Two smaller tongues either side of the main flame make it wild.
    Flame(piece, headX - 4, headY + 2, upgraded ? 15 : 12, 9, lean * 0.2, 0.6);
    Flame(piece, headX + 4, headY + 4, upgraded ? 16 : 13, 9, lean * 1.3, 0.6);
    Flame(piece, headX, headY + 3, upgraded ? 26 : 22, upgraded ? 19 : 17, lean * 0.7,
          upgraded ? 1.0 : 0.85);
    if (upgraded) {
        cr = piece.Begin();
        asset::Rng rng(asset::SeedOf("torch sparks"));
        for (int i = 0; i < 7; ++i) {
            const double x = headX + rng.Range(-6, 10), y = headY - rng.Range(8, 24);
            cairo_arc(cr, x, y, rng.Range(0.8, 1.5), 0, 2 * M_PI);
            SetColour(cr, Rgb8(0xFFE890));
            cairo_fill(cr);
        }
    }
    FinishPiece(piece, upgraded, Rgb8(0xFF9A30), {{14, 22}, {58, 52}});
}

// ---------------------------------------------------------------------------
// Well (clears the cross and the diagonals)

void WellStones(cairo_t* cr) {
    // Front wall: three courses of staggered stones.
    for (int row = 0; row < 3; ++row) {
        const double y = 44 + row * 6;
        const double offset = row % 2 ? 5 : 0;
        for (double x = 14 - offset; x < 58; x += 10) {
            const double x0 = std::max(14.0, x), x1 = std::min(58.0, x + 9.4);
            RoundedRectangle(cr, x0, y, x1 - x0, 5.4, 1.6);
            FillLit(cr, x0, y, x1, y + 5.4, kStone);
        }
    }
}

void WellWinch(cairo_t* cr) {
    // Posts and the winch bar.
    for (double x : {17.0, 51.0}) {
        cairo_rectangle(cr, x, 16, 4, 28);
        FillCylinder(cr, x, x + 4, kWood);
    }
    cairo_rectangle(cr, 19, 24, 34, 2.6);
    FillLit(cr, 19, 24, 53, 27, kWood);
    // Rope and bucket.
    cairo_move_to(cr, 36, 26);
    cairo_line_to(cr, 36, 32);
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, Rgb8(0xD8C090));
    cairo_stroke(cr);
    cairo_move_to(cr, 31.5, 32);
    cairo_line_to(cr, 40.5, 32);
    cairo_line_to(cr, 39.5, 39);
    cairo_line_to(cr, 32.5, 39);
    cairo_close_path(cr);
    FillCylinder(cr, 31.5, 40.5, kWood);
}

void WellRoof(cairo_t* cr, const Material& trim) {
    cairo_move_to(cr, 8, 19);
    cairo_line_to(cr, 36, 5);
    cairo_line_to(cr, 64, 19);
    cairo_line_to(cr, 58, 20);
    cairo_line_to(cr, 36, 10);
    cairo_line_to(cr, 14, 20);
    cairo_close_path(cr);
    FillLit(cr, 8, 5, 64, 20, trim);
    cairo_move_to(cr, 14, 19);
    cairo_line_to(cr, 36, 9);
    cairo_line_to(cr, 58, 19);
    cairo_close_path(cr);
    FillLit(cr, 14, 9, 58, 19, Material{Rgb8(0x9A5A44), Rgb8(0x6A3428), Rgb8(0x3A1A16)});
}

void WellShaft(cairo_t* cr, bool shining) {
    // Rim, wall and foot.
    EllipsePath(cr, kMid, 43, 22.5, 6);
    FillLit(cr, 13, 37, 59, 49, kStone);
    cairo_rectangle(cr, 13.5, 43, 45, 19);
    FillLit(cr, 13, 43, 59, 62, Material{Rgb8(0x5A606E), Rgb8(0x3C404C), Rgb8(0x24262E)});
    WellStones(cr);
    EllipsePath(cr, kMid, 62, 22.5, 3, 0, M_PI);
    FillLit(cr, 13, 59, 59, 65, kStone);
    // The water, dark or shining.
    EllipsePath(cr, kMid, 43, 18, 3.6);
    const Material water = shining ? Material{kWhite, Rgb8(0x9EEBFF), Rgb8(0x3AA8E0)}
                                   : Material{Rgb8(0x4A6EA0), Rgb8(0x203458), Rgb8(0x101828)};
    FillLit(cr, 18, 39, 54, 47, water);
}

void DrawWell(Sheet& piece, bool upgraded) {
    Sheet well = piece.Blank();
    cairo_t* cr = well.Begin();
    WellWinch(cr);
    WellRoof(cr, upgraded ? kGilt : kWood);
    WellShaft(cr, upgraded);
    well.Emboss(1.6, 0.8, 0.6);
    piece.Draw(well);
    if (upgraded) {
        // Light rising out of the water.
        Sheet shine = piece.Blank();
        cr = shine.Begin();
        SoftEllipse(cr, kMid, 36, 16, 12, 0, Rgb8(0x9EEBFF), 0.9);
        shine.Blur(1.0);
        piece.Draw(shine, 0, 0, 1.0, CAIRO_OPERATOR_ADD);
    }
    cr = piece.Begin();
    SoftEllipse(cr, 24, 11, 6, 2, -27, kWhite, 0.5);
    OutlinePiece(piece);
    FinishPiece(piece, upgraded, Rgb8(0x80D8FF));
}

}  // namespace

Canvas BombPiece(Bomb bomb, bool upgraded) {
    Sheet piece(kPiece, kPiece);
    switch (bomb) {
        case Bomb::Pumpkin:
            DrawPumpkin(piece, upgraded);
            break;
        case Bomb::Lantern:
            DrawLantern(piece, upgraded);
            break;
        case Bomb::Candle:
            DrawCandle(piece, upgraded);
            break;
        case Bomb::Grave:
            DrawGrave(piece, upgraded);
            break;
        case Bomb::Torch:
            DrawTorch(piece, upgraded);
            break;
        case Bomb::Well:
            DrawWell(piece, upgraded);
            break;
    }
    return piece.Final();
}

// ---------------------------------------------------------------------------
// Garlic

Canvas GarlicPiece() {
    Sheet piece(kPiece, kPiece);
    Sheet bulb = piece.Blank();
    cairo_t* cr = bulb.Begin();
    auto outline = [](cairo_t* c) {
        cairo_move_to(c, 36, 10);
        cairo_curve_to(c, 38, 18, 44, 22, 52, 28);
        cairo_curve_to(c, 62, 36, 60, 54, 48, 59);
        cairo_curve_to(c, 42, 62, 30, 62, 24, 59);
        cairo_curve_to(c, 12, 54, 10, 36, 20, 28);
        cairo_curve_to(c, 28, 22, 34, 18, 36, 10);
        cairo_close_path(c);
    };
    outline(cr);
    FillRound(cr, 36, 42, 26, kGarlicSkin);
    // Clove ridges and the purple streaks between them.
    cairo_save(cr);
    outline(cr);
    cairo_clip(cr);
    for (double x : {24.0, 31.0, 41.0, 48.0}) {
        const double bow = (x - 36) * 0.5;
        cairo_move_to(cr, 36 + (x - 36) * 0.15, 16);
        cairo_curve_to(cr, x + bow, 30, x + bow, 50, x, 62);
        cairo_set_line_width(cr, 1.0);
        SetColour(cr, Rgb8(0xA08AA8), 0.8);
        cairo_stroke(cr);
        cairo_move_to(cr, 36 + (x - 36) * 0.15, 20);
        cairo_curve_to(cr, x + bow + 1.5, 32, x + bow + 1.5, 46, x + 0.8, 56);
        cairo_set_line_width(cr, 1.6);
        SetColour(cr, Rgb8(0xB478C8), 0.45);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    // Roots.
    for (int i = -3; i <= 3; ++i) {
        cairo_move_to(cr, 36 + i * 1.8, 60);
        cairo_line_to(cr, 36 + i * 3.2, 65 + (i % 2 ? 0 : 1));
    }
    cairo_set_line_width(cr, 1.1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, Rgb8(0xC8B090));
    cairo_stroke(cr);
    // The dry neck, twisted.
    cairo_move_to(cr, 33, 14);
    cairo_curve_to(cr, 33, 9, 35, 6, 38, 3);
    cairo_line_to(cr, 40, 5);
    cairo_curve_to(cr, 38, 8, 38.5, 10, 39, 14);
    cairo_close_path(cr);
    FillLit(cr, 33, 3, 40, 14, Material{Rgb8(0xF0E0C0), Rgb8(0xC8B088), Rgb8(0x8A7050)});
    bulb.Emboss(3.0, 0.6, 0.7);
    bulb.RimLight(1.4, 1.4, Rgb8(0xE8D8FF), 0.7);
    piece.Draw(bulb);
    cr = piece.Begin();
    SoftEllipse(cr, 26, 34, 6, 3.5, -40, kWhite, 0.75);
    Glint(cr, 24, 31, 5, kWhite, 0.9);
    OutlinePiece(piece);
    FinishPiece(piece, false, kWhite);
    // A pale holy glow: the mega bomb.
    piece.GlowUnder(4.0, Rgb8(0xD8C8FF), 0.9);
    return piece.Final();
}

// ---------------------------------------------------------------------------
// Money bag

namespace {

// Coins spilling over the mouth of the bag, each tilted.
void SpillingCoins(cairo_t* cr) {
    struct Tilted {
        double x, y, degrees;
    };
    for (const Tilted& coin : {Tilted{28, 13, -25}, Tilted{44, 12, 20}, Tilted{36, 8, -5}}) {
        cairo_save(cr);
        cairo_translate(cr, coin.x, coin.y);
        cairo_rotate(cr, coin.degrees * M_PI / 180);
        cairo_scale(cr, 6.5, 3.6);
        cairo_arc(cr, 0, 0.35, 1, 0, 2 * M_PI);
        SetColour(cr, kGilt.dark);
        cairo_fill(cr);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        FillLit(cr, coin.x - 6, coin.y - 4, coin.x + 6, coin.y + 4, kGilt);
    }
}

void Sack(cairo_t* cr) {
    cairo_move_to(cr, 29, 24);
    cairo_curve_to(cr, 14, 32, 9, 48, 14, 56);
    cairo_curve_to(cr, 20, 64, 52, 64, 58, 56);
    cairo_curve_to(cr, 63, 48, 58, 32, 43, 24);
    cairo_close_path(cr);
    FillRound(cr, 36, 44, 24, kBurlap);
    // Ruffled top above the tie.
    cairo_move_to(cr, 30, 24);
    cairo_curve_to(cr, 24, 20, 20, 15, 24, 12);
    cairo_curve_to(cr, 27, 15, 29, 13, 31, 16);
    cairo_curve_to(cr, 33, 12, 39, 12, 41, 16);
    cairo_curve_to(cr, 43, 13, 45, 15, 48, 12);
    cairo_curve_to(cr, 52, 15, 48, 20, 42, 24);
    cairo_close_path(cr);
    FillLit(cr, 20, 12, 52, 24, kBurlap);
}

// The gold cord round the neck and a coin stamped with a crescent moon.
void CordAndStamp(cairo_t* cr) {
    RoundedRectangle(cr, 27, 21.5, 18, 4.4, 2.2);
    FillLit(cr, 27, 21, 45, 26, kGilt);
    cairo_move_to(cr, 42, 25);
    cairo_curve_to(cr, 46, 30, 44, 34, 47, 37);
    cairo_set_line_width(cr, 1.8);
    SetColour(cr, kGilt.mid);
    cairo_stroke(cr);
    cairo_arc(cr, 36, 45, 9, 0, 2 * M_PI);
    FillLit(cr, 27, 36, 45, 54, kGilt);
    FillCrescent(cr, {35, 45}, 5.8, {38, 42.6}, 4.8, Rgb8(0x9A6012));
}

}  // namespace

Canvas MoneyBagPiece() {
    Sheet piece(kPiece, kPiece);
    Sheet bag = piece.Blank();
    cairo_t* cr = bag.Begin();
    SpillingCoins(cr);
    Sack(cr);
    bag.Grain(1.6, 0.14, "burlap");
    bag.Emboss(3.0, 0.6, 0.8);
    cr = bag.Begin();
    CordAndStamp(cr);
    bag.Emboss(1.0, 0.5, 0.3);
    piece.Draw(bag);
    cr = piece.Begin();
    SoftEllipse(cr, 24, 38, 5, 3, -45, kWhite, 0.45);
    Glint(cr, 31, 40, 4, kWhite, 0.95);
    OutlinePiece(piece);
    FinishPiece(piece, false, kWhite);
    return piece.Final();
}

// ---------------------------------------------------------------------------
// Coin

namespace {

constexpr int kCoinCell = 80;
constexpr double kCoinRadius = 27;
constexpr double kCoinThickness = 6;
constexpr int kCoinFrames = 12;  // a full turn, 30 degrees a frame

// The coin's face, full width, centred in a cell-sized sheet.
Sheet CoinFace() {
    Sheet face(kCoinCell, kCoinCell);
    const double c = kCoinCell / 2.0;
    cairo_t* cr = face.Begin();
    cairo_arc(cr, c, c, kCoinRadius, 0, 2 * M_PI);
    FillLit(cr, c - kCoinRadius, c - kCoinRadius, c + kCoinRadius, c + kCoinRadius, kGilt);
    // Raised rim: a ring lit on the opposite side from the field.
    cairo_arc(cr, c, c, kCoinRadius - 4.5, 0, 2 * M_PI);
    cairo_pattern_t* field =
        LitGradient(c - 22, c - 22, c + 22, c + 22, Rgb8(0xC8901E), Rgb8(0xE8B530), kGilt.light);
    cairo_set_source(cr, field);
    cairo_fill(cr);
    cairo_pattern_destroy(field);
    // Milled dots around the rim.
    for (int i = 0; i < 28; ++i) {
        const double a = 2 * M_PI * i / 28;
        cairo_arc(cr, c + (kCoinRadius - 2.3) * std::cos(a), c + (kCoinRadius - 2.3) * std::sin(a),
                  0.8, 0, 2 * M_PI);
        SetColour(cr, kGilt.dark, 0.5);
        cairo_fill(cr);
    }
    face.Emboss(2.0, 0.9, 0.7);
    // Relief: a crescent moon and a star.
    Sheet relief = face.Blank();
    cr = relief.Begin();
    FillCrescent(cr, {c - 3, c + 1}, 13, {c + 3, c - 3}, 11, Rgb8(0xF6C842));
    SetColour(cr, Rgb8(0xF6C842));
    StarPath(cr, c + 7, c - 7, 5, 5.5, 2.4, 0);
    cairo_fill(cr);
    relief.Emboss(1.4, 1.0, 0.9);
    face.Draw(relief);
    return face;
}

Canvas CoinFrame(const Sheet& face, double angle) {
    Sheet frame(kCoinCell, kCoinCell);
    const double c = kCoinCell / 2.0;
    const double width = std::cos(angle);
    const double squeeze = std::abs(width);
    // The face towards the viewer sits half the coin's thickness off the
    // axis; the rim is the face swept back to the far face.
    const double faceX = c + kCoinThickness / 2 * std::sin(angle) * (width < 0 ? -1 : 1);
    const double backX = 2 * c - faceX;
    cairo_t* cr = frame.Begin();
    if (std::abs(faceX - backX) > 0.2) {
        cairo_save(cr);
        cairo_rectangle(cr, std::min(faceX, backX), c - kCoinRadius, std::abs(faceX - backX),
                        2 * kCoinRadius);
        for (int step = 0; step <= 10 && squeeze > 0.01; ++step) {
            cairo_save(cr);
            cairo_translate(cr, backX + (faceX - backX) * step / 10.0, c);
            cairo_scale(cr, squeeze, 1);
            cairo_new_sub_path(cr);
            cairo_arc(cr, 0, 0, kCoinRadius, 0, 2 * M_PI);
            cairo_restore(cr);
        }
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        cairo_clip(cr);
        // Lit along its middle like a cylinder, darker top and bottom.
        cairo_pattern_t* metal =
            cairo_pattern_create_linear(0, c - kCoinRadius, 0, c + kCoinRadius);
        AddStop(metal, 0, kGilt.dark);
        AddStop(metal, 0.28, kGilt.mid);
        AddStop(metal, 0.42, kGilt.light);
        AddStop(metal, 0.68, kGilt.mid);
        AddStop(metal, 1, Scale(kGilt.dark, 0.75));
        cairo_set_source(cr, metal);
        cairo_paint(cr);
        cairo_pattern_destroy(metal);
        // Milling: fine grooves across the rim.
        cairo_set_line_width(cr, 0.7);
        SetColour(cr, kGilt.dark, 0.6);
        for (double y = c - kCoinRadius + 1.5; y < c + kCoinRadius; y += 2.2) {
            cairo_move_to(cr, c - kCoinRadius, y);
            cairo_line_to(cr, c + kCoinRadius, y);
        }
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    // The face, squeezed horizontally; the back shows the relief mirrored.
    if (squeeze > 0.02) {
        const Canvas& big = face.Pixels();
        cairo_save(cr);
        cairo_translate(cr, faceX, c);
        cairo_scale(cr, squeeze * (width < 0 ? -1 : 1), 1);
        cairo_translate(cr, -c, -c);
        cairo_scale(cr, 1.0 / face.Factor(), 1.0 / face.Factor());
        cairo_set_source_surface(cr, const_cast<Canvas&>(big).Surface(), 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
        // A face turned from the viewer catches less light.
        cairo_save(cr);
        cairo_translate(cr, faceX, c);
        cairo_scale(cr, squeeze, 1);
        cairo_arc(cr, 0, 0, kCoinRadius, 0, 2 * M_PI);
        cairo_restore(cr);
        SetColour(cr, kShadow, 0.3 * (1 - squeeze));
        cairo_fill(cr);
    }
    // A glint that sweeps across as the coin turns, brightest edge-on.
    const double sweep = faceX - kCoinRadius * 0.45 * std::sin(angle) * std::max(squeeze, 0.15);
    Glint(cr, sweep, c - 14, 5 + 4 * (1 - squeeze), kWhite, 0.75 + 0.2 * (1 - squeeze));
    frame.Outline(1.2, Rgb8(0x4A2A06), 0.95);
    frame.DropShadow(1.2, 2.4, 1.8, 0.45);
    return frame.Final();
}

}  // namespace

Canvas CoinStrip() {
    const Sheet face = CoinFace();
    std::vector<Canvas> frames;
    // The last frame faces front, as the flying coin uses it; frames 2 and
    // 8 are edge-on.
    for (int i = 1; i <= kCoinFrames; ++i)
        frames.push_back(CoinFrame(face, 2 * M_PI * i / kCoinFrames));
    return asset::Strip(frames, kCoinCell, kCoinCell, kCoinFrames);
}

}  // namespace board
