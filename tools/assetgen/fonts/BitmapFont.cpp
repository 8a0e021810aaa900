#include "BitmapFont.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "Lettering.h"

namespace asset::fonts {

namespace {

constexpr int kPadding = 2;  // transparent pixels between glyphs, so filtering never bleeds
constexpr int kMaxPage = 4096;
constexpr int kNoBreakSpace = 160;

// The face and its fallback, the fallback sized so its capitals match.
class FontFaces {
  public:
    explicit FontFaces(const FontRecipe& recipe)
        : main_(recipe.face, recipe.size), fallback_(MatchedFallback(recipe, main_)) {}

    struct Glyph {
        const SizedFont* font = nullptr;
        unsigned long index = 0;
        cairo_text_extents_t extents{};
        bool blank = true;
    };

    Glyph Find(int code) const {
        // A face without a no-break space draws it as its space.
        if (code == kNoBreakSpace && !main_.GlyphIndex(code)) code = ' ';
        const SizedFont* font = &main_;
        unsigned long index = main_.GlyphIndex(code);
        if (!index && fallback_) {
            font = fallback_.get();
            index = fallback_->GlyphIndex(code);
        }
        if (!index) throw std::runtime_error("no glyph for character " + std::to_string(code));
        Glyph glyph{font, index, font->Extents(index), false};
        glyph.blank = glyph.extents.width <= 0 || glyph.extents.height <= 0;
        return glyph;
    }

    const SizedFont& Main() const { return main_; }

  private:
    static std::unique_ptr<SizedFont> MatchedFallback(const FontRecipe& recipe,
                                                      const SizedFont& main) {
        if (recipe.fallbackFace.empty()) return nullptr;
        const SizedFont probe(recipe.fallbackFace, recipe.size);
        const double size = recipe.size * main.CapHeight() / probe.CapHeight();
        return std::make_unique<SizedFont>(recipe.fallbackFace, size);
    }

    SizedFont main_;
    std::unique_ptr<SizedFont> fallback_;
};

// The glyph's cell relative to the pen on the baseline: ink plus the look's reach.
struct Cell {
    int left = 0, top = 0, width = 1, height = 1;
};

Cell CellOf(const FontFaces::Glyph& glyph, const Reach& reach) {
    if (glyph.blank) return {0, -1, 1, 1};  // one transparent pixel ending on the baseline
    const cairo_text_extents_t& e = glyph.extents;
    const int x0 = static_cast<int>(std::floor(e.x_bearing)),
              y0 = static_cast<int>(std::floor(e.y_bearing));
    const int x1 = static_cast<int>(std::ceil(e.x_bearing + e.width));
    const int y1 = static_cast<int>(std::ceil(e.y_bearing + e.height));
    return {x0 - reach.left, y0 - reach.top, x1 - x0 + reach.left + reach.right,
            y1 - y0 + reach.top + reach.bottom};
}

// Shelf packing of cells, tallest first, into a page `width` wide; returns
// the height used.
int PackShelves(std::vector<GlyphBox>& glyphs, int width) {
    std::vector<GlyphBox*> order;
    for (GlyphBox& glyph : glyphs)
        order.push_back(&glyph);
    std::stable_sort(order.begin(), order.end(), [](const GlyphBox* a, const GlyphBox* b) {
        return a->height != b->height ? a->height > b->height : a->width > b->width;
    });
    int x = kPadding, y = kPadding, shelf = 0;
    for (GlyphBox* glyph : order) {
        if (x + glyph->width + kPadding > width) {
            x = kPadding;
            y += shelf + kPadding;
            shelf = 0;
        }
        if (glyph->width + 2 * kPadding > width) return kMaxPage * 2;
        glyph->x = x;
        glyph->y = y;
        x += glyph->width + kPadding;
        shelf = std::max(shelf, glyph->height);
    }
    return y + shelf + kPadding;
}

// Picks the power-of-two width that gives the smallest, squarest page; the
// height is only what the shelves use (rounded to 4), since empty rows cost
// encoding time and memory for nothing.
void PackPage(FontLayout& layout) {
    int bestArea = 0, bestWidth = 0;
    for (int width = 64; width <= kMaxPage; width *= 2) {
        const int height = PackShelves(layout.glyphs, width);
        if (height > kMaxPage || height > width * 2) continue;
        const int area = width * height;
        if (!bestArea || area < bestArea * 0.9) {
            bestArea = area;
            bestWidth = width;
        }
    }
    if (!bestArea) throw std::runtime_error("glyphs do not fit one page");
    layout.pageWidth = bestWidth;
    layout.pageHeight = (PackShelves(layout.glyphs, bestWidth) + 3) / 4 * 4;
}

bool StartsWithNoCase(const std::string& line, const char* prefix) {
    for (size_t i = 0; prefix[i]; ++i) {
        if (i >= line.size() || std::tolower(static_cast<unsigned char>(line[i])) != prefix[i])
            return false;
    }
    return true;
}

// The game's field: `width` characters after the first occurrence of the
// tag; the number ends at the first character that is not part of it.
double FieldOf(const std::string& line, const std::string& tag, size_t width) {
    const size_t at = line.find(tag);
    if (at == std::string::npos) return 0;
    const std::string chars = line.substr(at + tag.size(), width);
    size_t end = 0;
    if (end < chars.size() && (chars[end] == '-' || chars[end] == '+')) ++end;
    while (end < chars.size() &&
           (std::isdigit(static_cast<unsigned char>(chars[end])) || chars[end] == '.'))
        ++end;
    return end ? std::atof(chars.substr(0, end).c_str()) : 0;
}

int IntField(const std::string& line, const std::string& tag, size_t width) {
    return static_cast<int>(FieldOf(line, tag, width));
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool SameGlyph(const GlyphBox& a, const GlyphBox& b) {
    return a.code == b.code && a.x == b.x && a.y == b.y && a.width == b.width &&
           a.height == b.height && a.xOffset == b.xOffset && a.yOffset == b.yOffset &&
           a.xAdvance == b.xAdvance;
}

void CheckReadsBack(const std::string& text, const FontLayout& layout) {
    for (const std::string& line : LinesOf(text)) {
        if (line.size() >= 256) throw std::runtime_error("font description line too long");
    }
    ReadFont read;
    if (!ReadFontLikeTheGame(text, read) || read.pageWidth != layout.pageWidth ||
        read.pageHeight != layout.pageHeight || read.glyphs.size() != layout.glyphs.size()) {
        throw std::runtime_error("font description does not read back");
    }
    for (size_t i = 0; i < read.glyphs.size(); ++i) {
        if (!SameGlyph(read.glyphs[i], layout.glyphs[i])) {
            throw std::runtime_error("glyph " + std::to_string(layout.glyphs[i].code) +
                                     " does not read back");
        }
    }
}

std::string FamilyName(const FontRecipe& recipe) {
    const size_t dot = recipe.face.find_last_of('.');
    return recipe.face.substr(0, dot);
}

}  // namespace

std::vector<int> FontCharacters() {
    std::vector<int> codes;
    for (int code = 32; code <= 126; ++code)
        codes.push_back(code);
    for (int code = 160; code <= 255; ++code)
        codes.push_back(code);
    return codes;
}

FontLayout LayOutFont(const FontRecipe& recipe) {
    const FontFaces faces(recipe);
    const Reach reach = ReachOf(recipe.look);
    FontLayout layout;
    std::vector<Cell> cells;
    int base = static_cast<int>(std::ceil(faces.Main().Ascent()));
    for (int code : FontCharacters()) {
        const FontFaces::Glyph glyph = faces.Find(code);
        const Cell cell = CellOf(glyph, reach);
        base = std::max(base, -cell.top);  // no glyph reaches above the line's top
        cells.push_back(cell);
        GlyphBox box;
        box.code = code;
        box.width = cell.width;
        box.height = cell.height;
        box.xOffset = cell.left;
        box.xAdvance = static_cast<int>(std::lround(glyph.extents.x_advance + recipe.tracking));
        layout.glyphs.push_back(box);
    }
    for (size_t i = 0; i < cells.size(); ++i)
        layout.glyphs[i].yOffset = base + cells[i].top;
    layout.base = base;
    layout.lineHeight = base + static_cast<int>(std::ceil(faces.Main().Descent())) + reach.bottom;
    PackPage(layout);
    return layout;
}

Canvas RenderFontPage(const FontRecipe& recipe, const FontLayout& layout) {
    const FontFaces faces(recipe);
    const double capHeight = faces.Main().CapHeight();
    Canvas page(layout.pageWidth, layout.pageHeight);
    for (const GlyphBox& box : layout.glyphs) {
        const FontFaces::Glyph glyph = faces.Find(box.code);
        if (glyph.blank) continue;
        // The pen sits on the baseline, left of the cell by its x offset.
        const double penX = -box.xOffset, penY = layout.base - box.yOffset;
        Canvas cell(box.width, box.height);
        const PathTracer trace = [&](cairo_t* cr) {
            cairo_glyph_t one{glyph.index, penX, penY};
            cairo_set_scaled_font(cr, glyph.font->Scaled());
            cairo_glyph_path(cr, &one, 1);
        };
        PaintText(cell, trace, recipe.look, penY - capHeight, penY);
        page.Draw(cell, box.x, box.y);
    }
    return page;
}

std::string DescribeFont(const FontRecipe& recipe, const FontLayout& layout) {
    char line[256];
    std::string text;
    std::snprintf(
        line, sizeof line,
        "info face=\"%s\" size=%d bold=0 italic=0 charset=\"\" unicode=0 stretchH=100 smooth=1 "
        "aa=1 padding=0,0,0,0 spacing=%d,%d\n",
        FamilyName(recipe).c_str(), static_cast<int>(std::lround(recipe.size)), kPadding, kPadding);
    text += line;
    std::snprintf(line, sizeof line,
                  "common lineHeight=%-4d base=%-4d scaleW=%-4d scaleH=%-4d pages=1 packed=0\n",
                  layout.lineHeight, layout.base, layout.pageWidth, layout.pageHeight);
    text += line;
    text += "page id=0 file=\"" + recipe.name + ".png\"\n";
    text += "chars count=" + std::to_string(layout.glyphs.size()) + "\n";
    for (const GlyphBox& g : layout.glyphs) {
        std::snprintf(line, sizeof line,
                      "char id=%-5d x=%-4d y=%-4d width=%-3d height=%-3d xoffset=%-3d yoffset=%-3d "
                      "xadvance=%-3d page=0  chnl=15\n",
                      g.code, g.x, g.y, g.width, g.height, g.xOffset, g.yOffset, g.xAdvance);
        text += line;
    }
    CheckReadsBack(text, layout);
    return text;
}

bool ReadFontLikeTheGame(const std::string& text, ReadFont& out) {
    const std::vector<std::string> lines = LinesOf(text);
    size_t next = 0;
    out = ReadFont{};
    if (next < lines.size() && StartsWithNoCase(lines[next], "scalef")) {
        const std::string& line = lines[next];
        out.scale = line.find("scaleF=") != std::string::npos ? FieldOf(line, "scaleF=", 4)
                                                              : FieldOf(line, "ScaleF=", 4);
    }
    ++next;  // the first line is consumed either way
    if (next < lines.size() && StartsWithNoCase(lines[next], "info")) ++next;
    if (next >= lines.size()) return false;
    out.pageWidth = IntField(lines[next], "scaleW=", 4);
    out.pageHeight = IntField(lines[next], "scaleH=", 4);
    ++next;
    if (next < lines.size() && StartsWithNoCase(lines[next], "page")) {
        ++next;
        if (next < lines.size() && StartsWithNoCase(lines[next], "chars")) ++next;
    }
    for (; next < lines.size() && !StartsWithNoCase(lines[next], "kerning"); ++next) {
        const std::string& line = lines[next];
        GlyphBox glyph;
        glyph.code = IntField(line, "id=", 5);
        if (glyph.code <= 0) continue;
        glyph.x = IntField(line, "x=", 4);
        glyph.y = IntField(line, "y=", 4);
        glyph.width = IntField(line, "width=", 3);
        glyph.height = IntField(line, "height=", 3);
        glyph.xOffset = IntField(line, "xoffset=", 3);
        glyph.yOffset = IntField(line, "yoffset=", 3);
        glyph.xAdvance = IntField(line, "xadvance=", 3);
        out.glyphs.push_back(glyph);
    }
    return true;
}

}  // namespace asset::fonts
