// Bitmap fonts: a texture page of glyphs and the text description of where
// each glyph lies (the fixed-column ".fnt" text layout of bitmap font
// generators). Drawn with alignment, scaling, an optional drop shadow,
// per-character colours, a curved baseline, rotation and vertical text.
//
// Text is UTF-8. Character codes below 256 index the glyph arrays directly;
// codes of 256 and above are stored from index 256 upward in load order and
// found through FindChar. Index 0 is the empty glyph: characters without a
// glyph draw nothing and take no room.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/Image.h"
#include "media/Color.h"

// Framework switches for every bitmap font.
extern int AutoDrawOffset;         // 1: after loading, DrawOffsetY = -Int(yOffset of "A")
extern int AccurateHeight;         // 1: StringHeight means StringHeightAccurate
extern int HeightAverageMinusOne;  // 1: the average height (AccurateHeight 0) is one pixel less

class TBitmapFont;
using TBitmapFontPtr = std::shared_ptr<TBitmapFont>;

class TBitmapFont {
  public:
    static constexpr int FIRST_EXTRA_INDEX = 256;
    static constexpr int DEFAULT_ARRAY_SIZE = 406;
    static constexpr int ARRAY_GROWTH = 100;

    // ---- fields, in declaration order ----
    double CharGap = 0;             // extra space after every glyph's advance
    int ChangeHandle = 0;           // draw glyphs around a moving handle (rotated text)
    float CurvatureAngle = 180.0f;  // degrees of the sine arc over CurvatureWidth
    int DrawOffsetY = 0;            // added to every glyph's y offset
    double HandleX = 0, HandleY = 0;
    double ScaleFactor = 1.0;  // every width, height, offset and advance is multiplied by it
    std::string TestString = "ABCXYZ";  // measures the line height
    int ArraySize = DEFAULT_ARRAY_SIZE;
    float CurvatureHeight = 0, CurvatureWidth = 0;  // 0 = straight baseline
    std::vector<int> ID;
    ImagePtr Image;
    int NumChars = 0;       // glyphs read
    int NumExtraChars = 0;  // glyphs with codes of 256 and above
    double TextureH = 0, TextureW = 0;
    std::vector<double> width, height, xAdvance, xOffset, yOffset, xPos, yPos;

    TBitmapFont();

    // Reads path + ".png" (the page) and path + ".fnt". yAdjust is added to
    // every glyph's y offset; spare is unused. A missing page or description,
    // or a description without a single glyph, is a fatal error; damaged
    // lines of the description are skipped.
    static TBitmapFontPtr Create(const std::string& path, int flags = DEFAULT_IMAGE_FLAGS,
                                 int spare = 0, int yAdjust = 0);
    void CalcDrawOffsetY();
    // The drawing scale that makes text fit maxWidth (1 when it fits).
    double CalcReducedScale(const std::string& text, double maxWidth) const;
    // Page memory estimate in bytes (power-of-two texture, 4 bytes a pixel).
    long long CalcVRAM() const;
    void ClearCurvature();
    // Draws every character of the text (no length limit). A shadow pass
    // (shadow = 1) draws in black at TextShadowAlpha x TextAlpha, offset by
    // the text shadow, and leaves the running handle as it found it so the
    // normal pass that follows starts from the same place.
    void Draw(const std::string& text, float x, float y, int centre = 0, int right = 0,
              int roundX = 0, int roundY = 0, int shadow = 0, int vCentre = 0, int vertical = 0,
              const std::vector<TColorPtr>& colours = {});
    // Alignment 0 left, 1 centred, 2 right, 3 centred both ways; other values draw nothing.
    void DrawAligned(const std::string& text, float x, float y, int alignment, int roundX = 0,
                     int roundY = 0, int shadow = 0, const std::vector<TColorPtr>& colours = {});
    void DrawAlignedWithShadow(const std::string& text, float x, float y, int alignment,
                               int roundX = 0, int roundY = 0);
    // Lines stacked lineGap apart (0: the font's line height), each shifted
    // along the current rotation so the block stays upright.
    void DrawStringArray(const std::vector<std::string>& lines, float x, float y, int centre,
                         int right, int roundX, int roundY, int shadow, int lineGap, int vCentre);
    void ExpandArrays();
    // Index of a glyph with a code of 256 or above; 0 (the empty glyph) when absent.
    int FindChar(int code) const;
    void Kill();
    void Precache();
    void ResetHandle();
    void SetCurvature(float curvatureWidth, float curvatureHeight);
    double StringHeight(const std::string& text) const;
    double StringHeightAccurate(const std::string& text) const;
    double StringHeightVertical(const std::string& text) const;
    double StringWidth(const std::string& text) const;
    // The longest prefix (whole characters) whose width is at most maxWidth x ScaleFactor.
    std::string TruncateString(const std::string& text, double maxWidth) const;

    // Glyph index of a character code: direct below 256, FindChar above,
    // 0 when the font has no such glyph.
    int GlyphIndex(int code) const;

  private:
    bool ReadDescription(const std::string& fntPath, int yAdjust);
    void ReadGlyphLine(const std::string& line, int yAdjust);
    int NextExtraIndex();
    double StringHeightAverage(const std::string& text) const;
    // Offset of the curved baseline for a character centred p pixels along the arc.
    double CurvatureOffsetAt(double p) const;
    void MoveAlignmentIntoHandle(double textWidth, int centre, int right, int vCentre, float sx);
};
