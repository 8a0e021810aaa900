// The newspaper of the intro: the front page that tells how the story
// begins. Shown spinning in and then enlarged, so its print stays legible.
#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "Backdrop.h"
#include "Scenes.h"

namespace asset::scenes {

namespace {

using namespace style;

constexpr int kWidth = 520, kHeight = 380, kMargin = 10;
constexpr double kPaperW = kWidth - 2 * kMargin, kPaperH = kHeight - 2 * kMargin;
const Rgb kPaper = Rgb8(0xEFE4C8), kAged = Rgb8(0xC9AE7E), kPrint = Rgb8(0x2A2026);

constexpr const char* kHeadFace = "DejaVuSerifCondensed-Bold.ttf";
constexpr const char* kBodyFace = "DejaVuSerif.ttf";
constexpr const char* kItalicFace = "DejaVuSerif-Italic.ttf";

const char* const kStory =
    "Every lantern, candle and pumpkin lamp in Hollowmere went dark at the stroke of midnight on "
    "Friday. "
    "Villagers woke to a hollow as black as ink, save for an eerie green glow above the old crypt "
    "on the hill. "
    "\"The spirits have taken our lights,\" says the old lady who keeps the cottage at the edge of "
    "the village. "
    "\"Somebody brave must find them and bring them home before the mist swallows us all.\" "
    "Stray lights have been seen drifting over the marsh, in the old orchard and among the graves "
    "of the "
    "churchyard. Our correspondent heard a scream from the empty mill and met a crow with eyes "
    "like lamps. "
    "The manor, shut up these hundred years, has lit a single window.";

void UseFont(cairo_t* cr, const char* face, double size) {
    cairo_set_font_face(cr, FontFace(face));
    cairo_set_font_size(cr, size);
}

double TextWidth(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

void Centred(cairo_t* cr, const std::string& text, double cx, double baseline) {
    cairo_move_to(cr, cx - TextWidth(cr, text) / 2, baseline);
    cairo_show_text(cr, text.c_str());
}

// Flows words into lines of `width`, justified, continuing into the next
// column when one is full; returns how many words were set.
size_t SetColumn(cairo_t* cr, const std::vector<std::string>& words, size_t first, double x,
                 double y, double width, double bottom, double leading) {
    size_t i = first;
    for (double baseline = y; baseline <= bottom && i < words.size(); baseline += leading) {
        std::vector<std::string> line;
        double used = 0;
        const double space = TextWidth(cr, " ");
        while (i < words.size()) {
            const double w = TextWidth(cr, words[i]);
            if (!line.empty() && used + space + w > width) break;
            used += (line.empty() ? 0 : space) + w;
            line.push_back(words[i++]);
        }
        const bool last = i >= words.size();
        const double gap =
            line.size() > 1 && !last ? (width - used) / (line.size() - 1) + space : space;
        double pen = x;
        for (const std::string& word : line) {
            cairo_move_to(cr, pen, baseline);
            cairo_show_text(cr, word.c_str());
            pen += TextWidth(cr, word) + gap;
        }
    }
    return i;
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

void Rule(cairo_t* cr, double x0, double x1, double y, double width) {
    cairo_set_line_width(cr, width);
    cairo_move_to(cr, x0, y);
    cairo_line_to(cr, x1, y);
    cairo_stroke(cr);
}

// The sheet: aged paper with a slightly ragged edge, a fold and foxing.
void Paper(Canvas& canvas) {
    Rng rng(SeedOf("newspaper edge"));
    cairo_t* cr = canvas.Cr();
    auto outline = [&](double inset) {
        const double x0 = kMargin + inset, y0 = kMargin + inset, x1 = kWidth - kMargin - inset,
                     y1 = kHeight - kMargin - inset;
        cairo_move_to(cr, x0, y0);
        for (double x = x0; x < x1; x += 12)
            cairo_line_to(cr, x, y0 + rng.Range(-0.8, 0.8));
        for (double y = y0; y < y1; y += 12)
            cairo_line_to(cr, x1 + rng.Range(-0.8, 0.8), y);
        for (double x = x1; x > x0; x -= 12)
            cairo_line_to(cr, x, y1 + rng.Range(-0.8, 0.8));
        for (double y = y1; y > y0; y -= 12)
            cairo_line_to(cr, x0 + rng.Range(-0.8, 0.8), y);
        cairo_close_path(cr);
    };
    // A soft shadow under the sheet.
    PaintSoftRect(canvas, kMargin + 3, kMargin + 5, kPaperW, kPaperH, 4, 10, kMidnight, 0.55);
    outline(0);
    cairo_pattern_t* light = cairo_pattern_create_linear(0, 0, kWidth, kHeight);
    cairo_pattern_add_color_stop_rgb(light, 0, kPaper.r, kPaper.g, kPaper.b);
    const Rgb shade = Mix(kPaper, kAged, 0.55);
    cairo_pattern_add_color_stop_rgb(light, 1, shade.r, shade.g, shade.b);
    cairo_set_source(cr, light);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
    // Foxing and yellowed edges.
    const Field stains = NoiseField(kWidth, kHeight, 60, SeedOf("newspaper stains"), 4);
    canvas.Flush();
    for (int y = kMargin; y < kHeight - kMargin; ++y) {
        uint32_t* row = canvas.Row(y);
        for (int x = kMargin; x < kWidth - kMargin; ++x) {
            if ((row[x] >> 24) < 200) continue;
            const double edge = std::min(std::min(x - kMargin, kWidth - kMargin - x),
                                         std::min(y - kMargin, kHeight - kMargin - y));
            const double age = 0.45 * (1 - SmoothStep(0, 26, edge)) +
                               0.25 * SmoothStep(0.55, 0.8, stains.At(x, y));
            BlendOver(row[x], kAged, age);
        }
    }
    canvas.MarkDirty();
    // The fold across the middle: a lit edge and a shaded one.
    cairo_set_line_width(cr, 1.5);
    SetColor(cr, kBone, 0.6);
    cairo_move_to(cr, kMargin, kHeight / 2.0 - 1);
    cairo_line_to(cr, kWidth - kMargin, kHeight / 2.0 - 1);
    cairo_stroke(cr);
    SetColor(cr, kAged, 0.7);
    cairo_move_to(cr, kMargin, kHeight / 2.0 + 1);
    cairo_line_to(cr, kWidth - kMargin, kHeight / 2.0 + 1);
    cairo_stroke(cr);
}

// An engraving of the crypt glowing on its hill, in ink hatching.
void Engraving(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    SetColor(cr, kPrint, 0.12);
    cairo_paint(cr);
    // Sky hatching, denser towards the top.
    cairo_set_line_width(cr, 0.6);
    SetColor(cr, kPrint, 0.55);
    for (double hy = y + 2; hy < y + h * 0.6; hy += 2.2 + (hy - y) * 0.05) {
        cairo_move_to(cr, x, hy);
        cairo_line_to(cr, x + w, hy);
    }
    cairo_stroke(cr);
    // The glow: paper showing through around the crypt.
    cairo_pattern_t* glow = cairo_pattern_create_radial(x + w * 0.55, y + h * 0.5, 2, x + w * 0.55,
                                                        y + h * 0.5, h * 0.5);
    cairo_pattern_add_color_stop_rgba(glow, 0, kPaper.r, kPaper.g, kPaper.b, 1);
    cairo_pattern_add_color_stop_rgba(glow, 1, kPaper.r, kPaper.g, kPaper.b, 0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);
    // Hill, trees and the crypt in solid ink.
    SetColor(cr, kPrint);
    Rng rng(SeedOf("newspaper engraving"));
    Ridge(cr, SeedOf("newspaper hill"), x, x + w, y + h * 0.78, h * 0.06, 80, y + h + 2);
    Crypt(cr, x + w * 0.55, y + h * 0.76, w * 0.22, h * 0.42, nullptr);
    Pine(cr, rng, x + w * 0.12, y + h * 0.8, h * 0.5, h * 0.2);
    Pine(cr, rng, x + w * 0.22, y + h * 0.78, h * 0.38, h * 0.16);
    DeadTree(cr, rng, x + w * 0.88, y + h * 0.8, h * 0.6, -0.1, 5);
    // The crypt's door, lit.
    SetColor(cr, kPaper);
    cairo_rectangle(cr, x + w * 0.535, y + h * 0.58, w * 0.04, h * 0.15);
    cairo_fill(cr);
    cairo_restore(cr);
    SetColor(cr, kPrint);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, x, y, w, h);
    cairo_stroke(cr);
}

}  // namespace

Canvas Newspaper() {
    Canvas canvas(kWidth, kHeight);
    Paper(canvas);
    cairo_t* cr = canvas.Cr();
    const double left = kMargin + 16, right = kWidth - kMargin - 16, cx = kWidth / 2.0;
    SetColor(cr, kPrint);

    UseFont(cr, kHeadFace, 36);
    Centred(cr, "The Hollowmere Gazette", cx, 58);
    Rule(cr, left, right, 22, 1);
    Rule(cr, left, right, 67, 2);
    UseFont(cr, kItalicFace, 8.5);
    cairo_move_to(cr, left, 78);
    cairo_show_text(cr, "Vol. XIII, No. 13");
    Centred(cr, "Friday the Thirteenth, October", cx, 78);
    const std::string price = "One Penny";
    cairo_move_to(cr, right - TextWidth(cr, price), 78);
    cairo_show_text(cr, price.c_str());
    Rule(cr, left, right, 83, 0.8);

    // The headline as large as fits the width of the page.
    const std::string headline = "LIGHTS GO OUT IN THE HOLLOW!";
    UseFont(cr, kHeadFace, 31);
    UseFont(cr, kHeadFace, std::min(31.0, 31 * (right - left) / TextWidth(cr, headline)));
    Centred(cr, headline, cx, 116);
    UseFont(cr, kItalicFace, 11.5);
    Centred(cr, "Strange green glow seen at the old crypt. Village calls for a ghost-hunter.", cx,
            134);
    Rule(cr, left, right, 142, 0.8);

    // The engraving on the left, the story in two columns on the right.
    const double pictureW = 190, pictureH = 128, top = 152;
    Engraving(cr, left, top, pictureW, pictureH);
    SetColor(cr, kPrint);
    UseFont(cr, kItalicFace, 7.5);
    Centred(cr, "The old crypt on Hollow Hill, Friday night.", left + pictureW / 2,
            top + pictureH + 11);

    UseFont(cr, kBodyFace, 8);
    const std::vector<std::string> words = Words(kStory);
    const double gutter = 10, columnsLeft = left + pictureW + 12;
    const double columnW = (right - columnsLeft - gutter) / 2;
    const size_t set =
        SetColumn(cr, words, 0, columnsLeft, top + 7, columnW, kHeight - kMargin - 62, 10.5);
    SetColumn(cr, words, set, columnsLeft + columnW + gutter, top + 7, columnW,
              kHeight - kMargin - 62, 10.5);
    cairo_set_line_width(cr, 0.6);
    cairo_move_to(cr, columnsLeft + columnW + gutter / 2, top);
    cairo_line_to(cr, columnsLeft + columnW + gutter / 2, kHeight - kMargin - 58);
    cairo_stroke(cr);

    // The notice at the foot of the page.
    const double boxTop = kHeight - kMargin - 50;
    cairo_set_line_width(cr, 1.2);
    cairo_rectangle(cr, left, boxTop, right - left, 38);
    cairo_stroke(cr);
    UseFont(cr, kHeadFace, 14);
    Centred(cr, "WANTED: ONE BRAVE GHOST-HUNTER", cx, boxTop + 17);
    UseFont(cr, kItalicFace, 8.5);
    Centred(cr, "Apply to the old lady in the cottage at the edge of the village. Bring a lantern.",
            cx, boxTop + 31);
    return canvas;
}

}  // namespace asset::scenes
