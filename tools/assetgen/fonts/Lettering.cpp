#include "Lettering.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace asset::fonts {

SizedFont::SizedFont(const std::string& fileName, double pixelSize) : size_(pixelSize) {
    cairo_matrix_t size, device;
    cairo_matrix_init_scale(&size, pixelSize, pixelSize);
    cairo_matrix_init_identity(&device);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    font_ = cairo_scaled_font_create(FontFace(fileName), &size, &device, options);
    cairo_font_options_destroy(options);
    if (cairo_scaled_font_status(font_) != CAIRO_STATUS_SUCCESS) {
        cairo_scaled_font_destroy(font_);
        throw std::runtime_error("cannot size font " + fileName);
    }
}

SizedFont::~SizedFont() {
    cairo_scaled_font_destroy(font_);
}

unsigned long SizedFont::GlyphIndex(unsigned codePoint) const {
    FT_Face face = cairo_ft_scaled_font_lock_face(font_);
    const unsigned long index = face ? FT_Get_Char_Index(face, codePoint) : 0;
    cairo_ft_scaled_font_unlock_face(font_);
    return index;
}

cairo_text_extents_t SizedFont::Extents(unsigned long glyph) const {
    cairo_glyph_t one{glyph, 0, 0};
    cairo_text_extents_t extents;
    cairo_scaled_font_glyph_extents(font_, &one, 1, &extents);
    return extents;
}

double SizedFont::Ascent() const {
    cairo_font_extents_t extents;
    cairo_scaled_font_extents(font_, &extents);
    return extents.ascent;
}

double SizedFont::Descent() const {
    cairo_font_extents_t extents;
    cairo_scaled_font_extents(font_, &extents);
    return extents.descent;
}

double SizedFont::CapHeight() const {
    return -Extents(GlyphIndex('H')).y_bearing;
}

double SizedFont::Kerning(unsigned long left, unsigned long right) const {
    FT_Face face = cairo_ft_scaled_font_lock_face(font_);
    double pixels = 0;
    FT_Vector delta{0, 0};
    if (face && FT_HAS_KERNING(face) &&
        FT_Get_Kerning(face, left, right, FT_KERNING_UNSCALED, &delta) == 0) {
        pixels = delta.x * size_ / face->units_per_EM;
    }
    cairo_ft_scaled_font_unlock_face(font_);
    return pixels;
}

std::vector<cairo_glyph_t> LayOutLine(const SizedFont& font, const std::string& text,
                                      double tracking) {
    std::vector<cairo_glyph_t> glyphs;
    double pen = 0;
    for (unsigned char byte : text) {
        const unsigned long index = font.GlyphIndex(byte);
        if (!glyphs.empty()) pen += tracking + font.Kerning(glyphs.back().index, index);
        glyphs.push_back({index, pen, 0});
        pen += font.Extents(index).x_advance;
    }
    return glyphs;
}

cairo_text_extents_t InkOf(const SizedFont& font, const std::vector<cairo_glyph_t>& glyphs) {
    cairo_text_extents_t extents;
    cairo_scaled_font_glyph_extents(font.Scaled(), glyphs.data(), static_cast<int>(glyphs.size()),
                                    &extents);
    return extents;
}

Canvas TextPicture(const SizedFont& font, const std::string& text, const TextLook& look,
                   double tracking, int margin, const std::string& heightSample) {
    const std::vector<cairo_glyph_t> glyphs = LayOutLine(font, text, tracking);
    cairo_text_extents_t ink = InkOf(font, glyphs);
    if (!heightSample.empty()) {
        const cairo_text_extents_t sample = InkOf(font, LayOutLine(font, heightSample));
        const double bottom =
            std::max(ink.y_bearing + ink.height, sample.y_bearing + sample.height);
        ink.y_bearing = std::min(ink.y_bearing, sample.y_bearing);
        ink.height = bottom - ink.y_bearing;
    }
    const Reach reach = ReachOf(look);
    const double left = std::floor(ink.x_bearing) - reach.left - margin;
    const double top = std::floor(ink.y_bearing) - reach.top - margin;
    const int width =
        static_cast<int>(std::ceil(ink.x_bearing + ink.width) + reach.right + margin - left);
    const int height =
        static_cast<int>(std::ceil(ink.y_bearing + ink.height) + reach.bottom + margin - top);
    Canvas picture(width, height);
    const PathTracer trace = [&](cairo_t* cr) {
        cairo_translate(cr, -left, -top);
        cairo_set_scaled_font(cr, font.Scaled());
        cairo_glyph_path(cr, glyphs.data(), static_cast<int>(glyphs.size()));
        cairo_identity_matrix(cr);
    };
    PaintText(picture, trace, look, -top - font.CapHeight(), -top);
    return picture;
}

}  // namespace asset::fonts
