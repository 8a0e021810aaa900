#include "media/Label.h"

#include "engine/Graphics.h"
#include "engine/Strings.h"
#include "media/TextShadow.h"

namespace {

// What the engine font measures its line height with.
const char* const kEngineTestString = "ABCXYZ";

// Applying a shadowed colour sets TextAlpha; later text must not inherit it.
class TextAlphaGuard {
  public:
    TextAlphaGuard() : saved_(TextAlpha) {}
    ~TextAlphaGuard() { TextAlpha = saved_; }
    TextAlphaGuard(const TextAlphaGuard&) = delete;
    TextAlphaGuard& operator=(const TextAlphaGuard&) = delete;

  private:
    float saved_;
};

}  // namespace

// ---- TFont ----

void TFont::Apply() {
    ApplyCustomColor(Color);
}

void TFont::ApplyCustomColor(const TColorPtr& colour) {
    if (colour) colour->Apply();
    if (Shadow) {
        Shadow->ApplyToText();
        if (colour) TextAlpha = colour->Alpha;
    }
    // The engine draws its text in the one built-in font, so ImageFont needs
    // no selecting here.
}

void TFont::ApplyInverse() {
    if (InverseColor) InverseColor->Apply();
}

void TFont::ApplyScale(double scale) {
    if (!BitmapFont) {
        SetScale(static_cast<float>(scale), static_cast<float>(scale));
        return;
    }
    OldScale = BitmapFont->ScaleFactor;
    BitmapFont->ScaleFactor = scale;
}

void TFont::RestoreScale() {
    if (!BitmapFont) {
        SetScale(1, 1);
        return;
    }
    BitmapFont->ScaleFactor = OldScale;
}

float TFont::CalcHeight() {
    H = static_cast<float>(BitmapFont ? BitmapFont->StringHeight(BitmapFont->TestString)
                                      : ImageFontTextHeight(kEngineTestString));
    return H;
}

TFontPtr TFont::Create(const ImagePtr& imageFont, const TColorPtr& colour, const TShadowPtr& shadow,
                       int fixedWidth, const TBitmapFontPtr& bitmapFont,
                       const TColorPtr& inverseColour, const std::string& name) {
    auto font = std::make_shared<TFont>();
    font->Init(imageFont, colour, shadow, fixedWidth, bitmapFont, inverseColour, name);
    return font;
}

void TFont::Init(const ImagePtr& imageFont, const TColorPtr& colour, const TShadowPtr& shadow,
                 int fixedWidth, const TBitmapFontPtr& bitmapFont, const TColorPtr& inverseColour,
                 const std::string& name) {
    ImageFont = imageFont;
    Color = colour;
    Shadow = shadow;
    FixedWidth = fixedWidth;
    BitmapFont = bitmapFont;
    InverseColor = inverseColour;
    Name = name;
    CalcHeight();
}

void TFont::Kill() {
    BitmapFont = nullptr;
    ImageFont = nullptr;
    Color = nullptr;
    InverseColor = nullptr;
    Shadow = nullptr;
}

// ---- TLabel: measuring ----

float TLabel::CalcWidth() {
    W = static_cast<float>(BitmapFont ? BitmapFont->StringWidth(Text) : ImageFontTextWidth(Text));
    return W * Scale;
}

void TLabel::AutoScale(float maxWidth) {
    if (CalcWidth() > maxWidth && W > 0) Scale = maxWidth / W;
}

void TLabel::CalcSize() {
    CalcWidth();
    CalcHeight();
}

int TLabel::CalcLineGap() {
    if (BitmapFont) return TruncToInt(BitmapFont->StringHeight(BitmapFont->TestString));
    return TruncToInt(ImageFontTextHeight(kEngineTestString));
}

void TLabel::CalcWordWrappedHeight() {
    H = static_cast<float>(TotalLines * LineGap);
}

float TLabel::CalcHeight() {
    if (!WordWrap) return TFont::CalcHeight() * Scale;
    if (TotalLines > 0) CalcWordWrappedHeight();
    return H * Scale;
}

void TLabel::SetLineGap(int gap) {
    LineGap = gap;
    CalcHeight();
}

void TLabel::SetCurvature(float curvatureWidth, float curvatureHeight) {
    CurvatureWidth = curvatureWidth;
    CurvatureHeight = curvatureHeight;
}

void TLabel::PreCalcWordWrap() {
    TextArray = WordWrapLines(SplitLines(Text), WordWrap, BitmapFont, Scale);
    TotalLines = static_cast<int>(TextArray.size());
    if (LineGap == 0) LineGap = CalcLineGap();
    CalcWordWrappedHeight();
}

TLabelPtr TLabel::CreateSpecial(const std::string& text, float x, float y, int alignment,
                                int wordWrap, int centreVertically, const TBitmapFontPtr& font) {
    auto label = std::make_shared<TLabel>();
    label->Text = text;
    label->X = x;
    label->Y = y;
    label->Alignment = alignment;
    label->WordWrap = wordWrap;
    label->CentreVertically = centreVertically;
    label->BitmapFont = font;
    label->Color = TColor::Create(255, 255, 255, 1.0f);
    if (wordWrap) label->PreCalcWordWrap();
    label->CalcSize();
    return label;
}

// ---- TLabel: drawing ----

void TLabel::Draw(float offsetX, float offsetY, int useColour) {
    if (!Visible) return;
    const DrawStateGuard restore;
    const TextAlphaGuard restoreTextAlpha;
    if (Scale != 1) {
        float scaleX = 1, scaleY = 1;
        GetScale(scaleX, scaleY);
        SetScale(scaleX * Scale, scaleY * Scale);
    }
    float alpha = Alpha;
    if (useColour && Color) {
        Apply();
        alpha *= Color->Alpha;
    }
    if (alpha != 1) SetAlpha(alpha);
    const bool rotated = Rotation != 0 && BitmapFont;
    if (rotated) {
        SetRotation(Rotation);
        BitmapFont->ChangeHandle = 1;
    }
    if (WordWrap && TotalLines == 0 && !Text.empty()) PreCalcWordWrap();
    if (H == 0) CalcHeight();

    const float x = offsetX + X, y = offsetY + Y;
    if (WordWrap && rotated) {
        // The line array centres itself vertically.
        if (Shadow) Shadow->ApplyToText();
        const int round = RoundCoords == 1;
        BitmapFont->DrawStringArray(TextArray, x, y, 1, 0, round || RoundXCoord,
                                    round || RoundYCoord, Shadow ? 1 : 0, LineGap, 1);
    } else if (WordWrap) {
        DrawWrappedLines(x, y - CentringLift(), useColour);
    } else {
        DrawTextLine(Text, x, y - CentringLift(), useColour);
    }
    if (rotated) BitmapFont->ResetHandle();
}

float TLabel::CentringLift() const {
    if (!CentreVertically) return 0;
    float scaleX = 1, scaleY = 1;
    GetScale(scaleX, scaleY);
    return H / 2 * scaleY;
}

void TLabel::DrawWrappedLines(float x, float y, int useColour) {
    for (const std::string& line : TextArray) {
        DrawTextLine(line, x, y, useColour);
        y += LineGap * Scale;
    }
}

void TLabel::DrawTextLine(const std::string& text, float x, float y, int useColour) {
    const float alpha = GetAlpha();
    const float oldTextAlpha = TextAlpha;
    if (Shadow) {
        Shadow->ApplyToText();
        // The caller's own colour (useColour 0) is not overridden either.
        if (useColour) ApplyInverse();
        // The normal pass after the shadow returns to the label's own alpha.
        SetAlpha(alpha);
        TextAlpha = alpha;
    }
    if (!BitmapFont) {
        DrawEngineFontLine(text, x, y);
        TextAlpha = oldTextAlpha;
        return;
    }
    const int roundX = RoundCoords == 1 ? 1 : RoundXCoord;
    const int roundY = RoundCoords == 1 ? 1 : RoundYCoord;
    const float fontCurveWidth = BitmapFont->CurvatureWidth;
    const float fontCurveHeight = BitmapFont->CurvatureHeight;
    BitmapFont->SetCurvature(CurvatureWidth, CurvatureHeight);
    if (Shadow) {
        BitmapFont->DrawAlignedWithShadow(text, x, y, Alignment, roundX, roundY);
    } else {
        BitmapFont->DrawAligned(text, x, y, Alignment, roundX, roundY);
    }
    BitmapFont->SetCurvature(fontCurveWidth, fontCurveHeight);
    TextAlpha = oldTextAlpha;
}

void TLabel::DrawEngineFontLine(const std::string& text, float x, float y) {
    int alignment = Alignment;
    if (alignment == 3) {
        float scaleX = 1, scaleY = 1;
        GetScale(scaleX, scaleY);
        y -= static_cast<float>(ImageFontTextHeight(text) / 2) * scaleY;
        alignment = 1;
    }
    if (alignment < 0 || alignment > 2) return;
    const int snap = RoundCoords == 1 || RoundXCoord || RoundYCoord;
    DrawImageFontText(text, x, y, Shadow ? 1 : 0, alignment, snap);
}
