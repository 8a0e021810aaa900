// Fonts from Debian's packages at a pixel size, glyph lookup with a fallback
// face for characters a decorative face lacks, and single lines of text laid
// out for baking into pictures.
#pragma once

#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

#include "TextLook.h"
#include "assetkit/Canvas.h"

namespace asset::fonts {

// A face at a size, with unhinted outlines and fractional metrics so the
// shapes are the designer's, not the hinter's.
class SizedFont {
  public:
    SizedFont(const std::string& fileName, double pixelSize);
    ~SizedFont();
    SizedFont(const SizedFont&) = delete;
    SizedFont& operator=(const SizedFont&) = delete;

    cairo_scaled_font_t* Scaled() const { return font_; }
    double Size() const { return size_; }
    // Glyph index of a Unicode code point; 0 when the face has none.
    unsigned long GlyphIndex(unsigned codePoint) const;
    cairo_text_extents_t Extents(unsigned long glyph) const;
    double Ascent() const;
    double Descent() const;
    // Height of the capital H: the band that fill gradients span.
    double CapHeight() const;
    // Horizontal kerning adjustment between two glyphs, in pixels.
    double Kerning(unsigned long left, unsigned long right) const;

  private:
    double size_;
    cairo_scaled_font_t* font_ = nullptr;
};

// A line of text (ASCII or Latin-1 bytes) as positioned glyphs from the pen
// at (0, 0), with kerning and extra tracking between letters.
std::vector<cairo_glyph_t> LayOutLine(const SizedFont& font, const std::string& text,
                                      double tracking = 0);
// Ink bounds of laid-out glyphs: x, y, width, height.
cairo_text_extents_t InkOf(const SizedFont& font, const std::vector<cairo_glyph_t>& glyphs);

// A picture holding one line of text in a look, cropped to what the look
// paints plus `margin` pixels on every side. With a `heightSample`, the
// height also spans that text's ink, so a family of pictures (the score
// numerals) shares one height and baseline.
Canvas TextPicture(const SizedFont& font, const std::string& text, const TextLook& look,
                   double tracking = 0, int margin = 2, const std::string& heightSample = "");

}  // namespace asset::fonts
