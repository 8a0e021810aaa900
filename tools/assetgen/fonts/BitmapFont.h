// Bitmap fonts for the game: every printable Latin-1 glyph rasterised in a
// look, packed onto one page, and described in the text ".fnt" layout with
// the fixed column widths the game's reader expects.
#pragma once

#include <string>
#include <vector>

#include "TextLook.h"
#include "assetkit/Canvas.h"

namespace asset::fonts {

struct FontRecipe {
    std::string name;          // also the page's file name: <name>.png
    std::string face;          // font file from a Debian package
    std::string fallbackFace;  // for characters the face lacks
    double size = 24;          // em in pixels
    double tracking = 0;       // extra advance, so baked outlines do not collide
    TextLook look;
};

// Where one glyph lies on the page and how it is placed against the pen.
struct GlyphBox {
    int code = 0;
    int x = 0, y = 0, width = 0, height = 0;
    int xOffset = 0, yOffset = 0, xAdvance = 0;
};

struct FontLayout {
    int pageWidth = 0, pageHeight = 0;
    int lineHeight = 0, base = 0;
    std::vector<GlyphBox> glyphs;
};

// The character codes every font carries: 32..126 and 160..255.
std::vector<int> FontCharacters();

// Metrics and packing only (no pixels), so the description is cheap.
FontLayout LayOutFont(const FontRecipe& recipe);
Canvas RenderFontPage(const FontRecipe& recipe, const FontLayout& layout);
// The ".fnt" text; throws when the game's reading rules would not give back
// exactly these glyphs.
std::string DescribeFont(const FontRecipe& recipe, const FontLayout& layout);

// Reads a ".fnt" text the way the game does: fixed-width fields after each
// tag, each number ending at its first non-number character. Returns false
// when the text lacks the common line.
struct ReadFont {
    double scale = 1;
    int pageWidth = 0, pageHeight = 0;
    std::vector<GlyphBox> glyphs;
};
bool ReadFontLikeTheGame(const std::string& text, ReadFont& out);

}  // namespace asset::fonts
