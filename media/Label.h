// A font with its colour, shadow and inverse colour (TFont), and a
// positioned, optionally word-wrapped text that uses them (TLabel). Without a
// bitmap font both fall back to the engine's built-in font.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/Image.h"
#include "media/BitmapFont.h"
#include "media/Color.h"

class TFont;
using TFontPtr = std::shared_ptr<TFont>;

class TFont {
  public:
    virtual ~TFont() = default;

    // ---- fields, in declaration order ----
    TBitmapFontPtr BitmapFont;
    TColorPtr Color;
    int FixedWidth = 0;
    ImagePtr ImageFont;  // engine image font; none: the built-in font
    TColorPtr InverseColor;
    std::string Name;
    TShadowPtr Shadow;
    float H = 0;          // line height
    double OldScale = 1;  // ScaleFactor saved by ApplyScale

    // Colour (and alpha) of the font, its shadow as the text shadow, and
    // TextAlpha = the colour's alpha when it has both.
    void Apply();
    void ApplyCustomColor(const TColorPtr& colour);
    void ApplyInverse();
    // Scales the text: the drawing scale for the engine font, the ScaleFactor
    // of a bitmap font. RestoreScale undoes it.
    void ApplyScale(double scale);
    virtual float CalcHeight();
    static TFontPtr Create(const ImagePtr& imageFont, const TColorPtr& colour,
                           const TShadowPtr& shadow, int fixedWidth,
                           const TBitmapFontPtr& bitmapFont,
                           const TColorPtr& inverseColour = nullptr, const std::string& name = "");
    void Kill();
    void Init(const ImagePtr& imageFont, const TColorPtr& colour, const TShadowPtr& shadow,
              int fixedWidth, const TBitmapFontPtr& bitmapFont,
              const TColorPtr& inverseColour = nullptr, const std::string& name = "");
    void RestoreScale();
};

class TLabel;
using TLabelPtr = std::shared_ptr<TLabel>;

class TLabel : public TFont {
  public:
    // ---- fields, in declaration order (after TFont's) ----
    float Alpha = 1.0f;
    int CentreVertically = 0;
    int LineGap = 0;     // 0: from the font
    float Rotation = 0;  // degrees
    float Scale = 1.0f;
    float X = 0, Y = 0;
    int RoundCoords = 1;  // 1: round on both axes; 0: RoundXCoord and RoundYCoord decide
    int RoundXCoord = 0, RoundYCoord = 0;
    int Visible = 1;
    float W = 0;        // unscaled width
    int Alignment = 0;  // 0 left, 1 centred, 2 right, 3 centred both ways
    float CurvatureHeight = 0, CurvatureWidth = 0;
    std::string Text;
    std::vector<std::string> TextArray;  // wrapped lines
    int TotalLines = 0;
    int WordWrap = 0;  // wrap width in pixels, 0 = no wrapping

    // Scales the label down so its width fits maxWidth.
    void AutoScale(float maxWidth);
    void CalcSize();
    // W = the unscaled width of Text; returns it times Scale.
    float CalcWidth();
    int CalcLineGap();
    void CalcWordWrappedHeight();
    // Height times Scale: the font's line height, or every wrapped line.
    float CalcHeight() override;
    // A label in opaque white (in the given font, the engine font without one).
    static TLabelPtr CreateSpecial(const std::string& text, float x, float y, int alignment,
                                   int wordWrap = 0, int centreVertically = 0,
                                   const TBitmapFontPtr& font = nullptr);
    // Draws at (offsetX + X, offsetY + Y); useColour applies the label's
    // colour. Wrapped lines follow each other LineGap x Scale apart, and
    // CentreVertically lifts the whole block (one line or all) by half its height.
    void Draw(float offsetX = 0, float offsetY = 0, int useColour = 1);
    void DrawTextLine(const std::string& text, float x, float y, int useColour);
    // Wraps Text into TextArray at WordWrap pixels; call again after
    // changing Text, the font, Scale or WordWrap.
    void PreCalcWordWrap();
    void SetCurvature(float curvatureWidth, float curvatureHeight);
    void SetLineGap(int gap);

  private:
    // Half the label's height in screen pixels when it is centred vertically.
    float CentringLift() const;
    void DrawWrappedLines(float x, float y, int useColour);
    void DrawEngineFontLine(const std::string& text, float x, float y);
};
