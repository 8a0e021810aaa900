#include "media/BitmapFont.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "engine/Graphics.h"
#include "engine/Strings.h"
#include "frame/ErrorReport.h"
#include "media/TextShadow.h"

int AutoDrawOffset = 1;
int AccurateHeight = 1;
int HeightAverageMinusOne = 0;

namespace {

constexpr int kSpace = 32;
constexpr int kLastCodePoint = 0x10FFFF;
constexpr double kSpaceVerticalAdvance = 0.75;

bool BeginsWith(const std::string& line, const std::string& lowerPrefix) {
    return Lower(Left(line, static_cast<int>(lowerPrefix.size()))) == lowerPrefix;
}

// Leading blanks, an optional sign and a digit (or a point and a digit).
bool StartsWithNumber(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    if (i < s.size() && s[i] == '.') ++i;
    return i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]));
}

// The `count` characters after the first occurrence of tag (the rest of the
// line for kWholeNumber), when they start with a number; nothing when the tag
// is missing or the line is cut short.
constexpr size_t kWholeNumber = std::string::npos;
std::optional<std::string> FieldText(const std::string& line, const std::string& tag,
                                     size_t count) {
    const size_t at = line.find(tag);
    if (at == std::string::npos) return std::nullopt;
    std::string field = line.substr(at + tag.size(), count);
    if (!StartsWithNumber(field)) return std::nullopt;
    return field;
}

std::optional<int> IntField(const std::string& line, const std::string& tag, size_t count) {
    const auto field = FieldText(line, tag, count);
    if (!field) return std::nullopt;
    return ToInt(*field);
}

double FieldOr(const std::string& line, const std::string& tag, size_t count, double fallback) {
    const auto field = FieldText(line, tag, count);
    return field ? ToDouble(*field) : fallback;
}

long long NextPowerOfTwo(double value) {
    long long power = 1;
    while (power < value && power < (1LL << 30))
        power *= 2;
    return power;
}

// Pages load without the automatic mid handle, whatever happens while loading.
class NoAutoMidHandle {
  public:
    NoAutoMidHandle() : was_(AutoMidHandleEnabled()) { AutoMidHandle(false); }
    ~NoAutoMidHandle() { AutoMidHandle(was_); }
    NoAutoMidHandle(const NoAutoMidHandle&) = delete;
    NoAutoMidHandle& operator=(const NoAutoMidHandle&) = delete;

  private:
    bool was_;
};

struct GlyphLine {
    int id, x, y, w, h, xOffset, yOffset, xAdvance;
};

// Fields are read in fixed columns, except the id: character codes run to
// seven digits.
std::optional<GlyphLine> ParseGlyphLine(const std::string& line) {
    const auto id = IntField(line, "id=", kWholeNumber);
    const auto x = IntField(line, "x=", 4);
    const auto y = IntField(line, "y=", 4);
    const auto w = IntField(line, "width=", 3);
    const auto h = IntField(line, "height=", 3);
    const auto xOffset = IntField(line, "xoffset=", 3);
    const auto yOffset = IntField(line, "yoffset=", 3);
    const auto xAdvance = IntField(line, "xadvance=", 3);
    if (!id || !x || !y || !w || !h || !xOffset || !yOffset || !xAdvance) return std::nullopt;
    return GlyphLine{*id, *x, *y, *w, *h, *xOffset, *yOffset, *xAdvance};
}

// A glyph must lie on the page; ids must be character codes, sizes and
// advances must be positive.
bool GlyphFitsPage(const GlyphLine& glyph, const TImage& page) {
    if (glyph.id <= 0 || glyph.id > kLastCodePoint || glyph.x < 0 || glyph.y < 0) return false;
    if (glyph.w < 0 || glyph.h < 0 || glyph.xAdvance < 0) return false;
    return glyph.x + glyph.w <= page.Width() && glyph.y + glyph.h <= page.Height();
}

}  // namespace

TBitmapFont::TBitmapFont()
    : ID(DEFAULT_ARRAY_SIZE),
      width(DEFAULT_ARRAY_SIZE),
      height(DEFAULT_ARRAY_SIZE),
      xAdvance(DEFAULT_ARRAY_SIZE),
      xOffset(DEFAULT_ARRAY_SIZE),
      yOffset(DEFAULT_ARRAY_SIZE),
      xPos(DEFAULT_ARRAY_SIZE),
      yPos(DEFAULT_ARRAY_SIZE) {}

// ---- loading ----

TBitmapFontPtr TBitmapFont::Create(const std::string& path, int flags, int /*spare*/, int yAdjust) {
    auto font = std::make_shared<TBitmapFont>();
    {
        const NoAutoMidHandle glyphsFromTheCorner;
        font->Image = LoadImageOrFail(path + ".png", flags);
    }
    if (!font->Image) return nullptr;
    font->Image->SetHandle(0, 0);
    if (!font->ReadDescription(path + ".fnt", yAdjust)) return nullptr;
    // An empty or foreign file reads as a font that draws nothing at all.
    if (font->NumChars == 0) {
        ReportError("Error loading file " + path + ".fnt (no glyphs)", 1);
        return nullptr;
    }
    if (AutoDrawOffset) font->CalcDrawOffsetY();
    return font;
}

bool TBitmapFont::ReadDescription(const std::string& fntPath, int yAdjust) {
    StreamPtr stream = ReadFileOrFail(fntPath);
    if (!stream) return false;
    std::string bytes(static_cast<size_t>(std::max<int64_t>(stream->Size(), 0)), '\0');
    bytes.resize(stream->ReadBytes(bytes.data(), bytes.size()));
    const std::vector<std::string> lines = SplitLines(bytes);
    size_t next = 0;
    auto take = [&]() -> std::string { return next < lines.size() ? lines[next++] : ""; };

    // The scale line is optional, but the first line is consumed either way.
    const std::string first = take();
    ScaleFactor = BeginsWith(first, "scalef") ? FieldOr(Lower(first), "scalef=", 4, 1.0) : 1.0;
    if (ScaleFactor <= 0) ScaleFactor = 1.0;

    std::string common = take();
    if (BeginsWith(common, "info")) common = take();
    TextureW = FieldOr(common, "scaleW=", 4, 0);
    TextureH = FieldOr(common, "scaleH=", 4, 0);

    std::string line = take();
    if (BeginsWith(line, "page")) line = take();
    if (BeginsWith(line, "chars")) line = take();
    while (true) {
        if (BeginsWith(line, "kerning")) break;
        ReadGlyphLine(line, yAdjust);
        if (next >= lines.size()) break;
        line = take();
    }
    return true;
}

void TBitmapFont::ReadGlyphLine(const std::string& line, int yAdjust) {
    const auto glyph = ParseGlyphLine(line);
    if (!glyph || !GlyphFitsPage(*glyph, *Image)) return;
    int index = glyph->id;
    if (index >= FIRST_EXTRA_INDEX) {
        index = FindChar(glyph->id);
        if (index == 0) index = NextExtraIndex();
    }
    ID[index] = glyph->id;
    xPos[index] = glyph->x;
    yPos[index] = glyph->y;
    width[index] = glyph->w;
    height[index] = glyph->h;
    xOffset[index] = glyph->xOffset;
    yOffset[index] = glyph->yOffset + yAdjust;
    xAdvance[index] = glyph->xAdvance;
    ++NumChars;
}

int TBitmapFont::NextExtraIndex() {
    const int index = FIRST_EXTRA_INDEX + NumExtraChars;
    if (index >= ArraySize) ExpandArrays();
    ++NumExtraChars;
    return index;
}

void TBitmapFont::ExpandArrays() {
    ArraySize += ARRAY_GROWTH;
    const size_t size = static_cast<size_t>(ArraySize);
    ID.resize(size);
    for (auto* array : {&width, &height, &xAdvance, &xOffset, &yOffset, &xPos, &yPos})
        array->resize(size);
}

void TBitmapFont::CalcDrawOffsetY() {
    DrawOffsetY = -TruncToInt(yOffset['A']);
}

int TBitmapFont::FindChar(int code) const {
    for (int index = FIRST_EXTRA_INDEX; index < FIRST_EXTRA_INDEX + NumExtraChars; ++index) {
        if (ID[index] == code) return index;
    }
    return 0;
}

int TBitmapFont::GlyphIndex(int code) const {
    if (code <= 0) return 0;
    if (code >= FIRST_EXTRA_INDEX) return FindChar(code);
    return ID[code] == code ? code : 0;
}

void TBitmapFont::Kill() {
    Image = nullptr;
}

void TBitmapFont::Precache() {
    if (Image) Image->PrepareAllFrames();
}

void TBitmapFont::ResetHandle() {
    ChangeHandle = 0;
    HandleX = 0;
    HandleY = 0;
    if (Image) Image->SetHandle(0, 0);
}

void TBitmapFont::SetCurvature(float curvatureWidth, float curvatureHeight) {
    CurvatureWidth = curvatureWidth;
    CurvatureHeight = curvatureHeight;
}

void TBitmapFont::ClearCurvature() {
    SetCurvature(0, 0);
}

// ---- measuring ----

double TBitmapFont::StringWidth(const std::string& text) const {
    double sum = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        const int index = GlyphIndex(NextCodePoint(text, pos));
        if (index != 0) sum += xAdvance[index] + CharGap;
    }
    if (sum > 0) sum -= CharGap;
    return sum * ScaleFactor;
}

double TBitmapFont::StringHeightAccurate(const std::string& text) const {
    double tallest = 0;
    bool any = false;
    size_t pos = 0;
    while (pos < text.size()) {
        const int index = GlyphIndex(NextCodePoint(text, pos));
        if (index == 0) continue;
        const double bottom = height[index] + yOffset[index] + DrawOffsetY;
        tallest = any ? std::max(tallest, bottom) : bottom;
        any = true;
    }
    return tallest * ScaleFactor;
}

double TBitmapFont::StringHeightAverage(const std::string& text) const {
    double total = 0;
    int counted = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        const int index = GlyphIndex(NextCodePoint(text, pos));
        if (index == 0 || height[index] <= 0) continue;
        total += height[index];
        ++counted;
    }
    if (counted == 0) return 0;
    double average = total / counted;
    if (HeightAverageMinusOne) average -= 1;
    return average * ScaleFactor;
}

double TBitmapFont::StringHeight(const std::string& text) const {
    return AccurateHeight ? StringHeightAccurate(text) : StringHeightAverage(text);
}

double TBitmapFont::StringHeightVertical(const std::string& text) const {
    double total = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        const int code = NextCodePoint(text, pos);
        const int index = GlyphIndex(code);
        if (index == 0) continue;
        total += code == kSpace ? xAdvance[index] * kSpaceVerticalAdvance : height[index];
    }
    return total * ScaleFactor;
}

double TBitmapFont::CalcReducedScale(const std::string& text, double maxWidth) const {
    const double w = StringWidth(text);
    return w > maxWidth ? maxWidth / w : 1.0;
}

std::string TBitmapFont::TruncateString(const std::string& text, double maxWidth) const {
    const double limit = maxWidth * ScaleFactor;
    double sum = 0;
    size_t kept = 0, pos = 0;
    while (pos < text.size()) {
        const int index = GlyphIndex(NextCodePoint(text, pos));
        if (index != 0) {
            const double next = sum + xAdvance[index] + CharGap;
            // The width of the prefix has no gap after its last character.
            if ((next - CharGap) * ScaleFactor > limit) break;
            sum = next;
        }
        kept = pos;
    }
    return text.substr(0, kept);
}

long long TBitmapFont::CalcVRAM() const {
    const double w = Image ? Image->Width() : TextureW;
    const double h = Image ? Image->Height() : TextureH;
    return NextPowerOfTwo(w) * 4 * NextPowerOfTwo(h);
}

double TBitmapFont::CurvatureOffsetAt(double p) const {
    return Sin(p / CurvatureWidth * CurvatureAngle) * CurvatureHeight;
}

// ---- drawing ----

void TBitmapFont::MoveAlignmentIntoHandle(double textWidth, int centre, int right, int vCentre,
                                          float sx) {
    if (centre) HandleX += textWidth / 2;
    if (right) HandleX += textWidth * sx;
    if (vCentre) HandleY += StringHeight(TestString) / 2;
    HandleX += HandleX - HandleX * ScaleFactor;
    HandleY += HandleY - HandleY * ScaleFactor;
}

namespace {

// Width of a run whose advances (each with its gap) add up to sum.
double RunWidth(double sum, double gap, double scaleFactor) {
    return sum > 0 ? (sum - gap) * scaleFactor : 0;
}

}  // namespace

void TBitmapFont::Draw(const std::string& text, float x, float y, int centre, int right, int roundX,
                       int roundY, int shadow, int vCentre, int vertical,
                       const std::vector<TColorPtr>& colours) {
    if (text.empty() || !Image) return;
    int red = 255, green = 255, blue = 255;
    const double handleX = HandleX, handleY = HandleY;
    if (shadow) {
        GetColor(red, green, blue);
        SetColor(0, 0, 0);
        SetAlpha(TextShadowAlpha * TextAlpha);
        x += TextShadowX;
        y += TextShadowY;
    }
    float sx = 1, sy = 1;
    GetScale(sx, sy);
    const double h = sx * ScaleFactor, l = sy * ScaleFactor;
    const double textWidth = StringWidth(text);
    if (!vertical && ChangeHandle) {
        MoveAlignmentIntoHandle(textWidth, centre, right, vCentre, sx);
    } else if (!vertical) {
        if (centre) x -= static_cast<float>(textWidth / 2 * sx);
        if (right) x -= static_cast<float>(textWidth * sx);
        if (vCentre) y -= static_cast<float>(StringHeight(TestString) / 2 * sy);
    }
    const bool curved = CurvatureHeight != 0 && CurvatureWidth != 0;
    double curveStart = 0;
    if (centre) curveStart = (CurvatureWidth - textWidth * sx) / 2;
    if (right) curveStart = CurvatureWidth - textWidth * sx;

    double advanceSum = 0;  // advances (with gaps) of the characters before this one
    size_t drawn = 0;       // glyphs drawn so far: the colours cycle over them
    size_t pos = 0;
    while (pos < text.size()) {
        const int code = NextCodePoint(text, pos);
        const int index = GlyphIndex(code);
        if (index == 0) continue;
        const double advance = xAdvance[index] + CharGap;
        double drawnW = width[index] * ScaleFactor, drawnH = height[index] * ScaleFactor;
        double gx = x, gy = y;
        if (!ChangeHandle) {
            gx = x + xOffset[index] * h;
            if (!vertical) gy = y + (yOffset[index] + DrawOffsetY) * l;
        }
        if (vertical && centre) gx -= drawnW / 2 * sx;
        if (vertical && right) gx -= drawnW * sx;
        if (curved) {
            const double before = RunWidth(advanceSum, CharGap, ScaleFactor) * sx;
            const double half = RunWidth(advance, CharGap, ScaleFactor) / 2 * sx;
            gy += CurvatureOffsetAt(before + half + curveStart);
        }
        if (roundX && h == 1.0) {
            gx = Nearest(gx);
            drawnW = Nearest(drawnW);
        }
        if (roundY && l == 1.0) {
            gy = Nearest(gy);
            drawnH = Nearest(drawnH);
        }
        if (!colours.empty() && !shadow) colours[drawn % colours.size()]->Apply();
        ++drawn;
        double hx = 0, hy = 0;
        if (ChangeHandle) {
            hx = HandleX - xOffset[index];
            hy = HandleY - yOffset[index] - DrawOffsetY;
        }
        DrawSubImageRect(*Image, static_cast<float>(gx), static_cast<float>(gy),
                         static_cast<float>(drawnW), static_cast<float>(drawnH),
                         static_cast<float>(xPos[index]), static_cast<float>(yPos[index]),
                         static_cast<float>(width[index]), static_cast<float>(height[index]),
                         static_cast<float>(hx), static_cast<float>(hy));
        advanceSum += advance;
        if (vertical) {
            y += static_cast<float>(code == kSpace ? h * advance * kSpaceVerticalAdvance
                                                   : height[index] * ScaleFactor * sy);
        } else if (ChangeHandle) {
            HandleX -= advance;
        } else {
            x += static_cast<float>(h * advance);
        }
    }
    if (shadow) {
        SetColor(red, green, blue);
        SetAlpha(TextAlpha);
        // The normal pass that follows starts from the same handle.
        HandleX = handleX;
        HandleY = handleY;
    }
}

void TBitmapFont::DrawAligned(const std::string& text, float x, float y, int alignment, int roundX,
                              int roundY, int shadow, const std::vector<TColorPtr>& colours) {
    switch (alignment) {
        case 0:
            Draw(text, x, y, 0, 0, roundX, roundY, shadow, 0, 0, colours);
            break;
        case 1:
            Draw(text, x, y, 1, 0, roundX, roundY, shadow, 0, 0, colours);
            break;
        case 2:
            Draw(text, x, y, 0, 1, roundX, roundY, shadow, 0, 0, colours);
            break;
        case 3:
            Draw(text, x, y, 1, 0, roundX, roundY, shadow, 1, 0, colours);
            break;
        default:
            break;
    }
}

void TBitmapFont::DrawAlignedWithShadow(const std::string& text, float x, float y, int alignment,
                                        int roundX, int roundY) {
    DrawAligned(text, x, y, alignment, roundX, roundY, 1);
    DrawAligned(text, x, y, alignment, roundX, roundY, 0);
}

void TBitmapFont::DrawStringArray(const std::vector<std::string>& lines, float x, float y,
                                  int centre, int right, int roundX, int roundY, int shadow,
                                  int lineGap, int vCentre) {
    const int gap = lineGap != 0 ? lineGap : TruncToInt(StringHeight(TestString));
    const double rotation = GetRotation();
    float lineY = y;
    if (vCentre) lineY -= static_cast<float>(Nearest(gap * static_cast<double>(lines.size()) / 2));
    for (const std::string& line : lines) {
        const float lineX = static_cast<float>(x - Tan(rotation) * (lineY - y));
        if (shadow) Draw(line, lineX, lineY, centre, right, roundX, roundY, 1);
        Draw(line, lineX, lineY, centre, right, roundX, roundY, 0);
        if (ChangeHandle) {
            ResetHandle();
            ChangeHandle = 1;
        }
        lineY += static_cast<float>(gap);
    }
}
