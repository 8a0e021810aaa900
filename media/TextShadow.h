// The drop shadow all text drawing shares, and the text helpers that work
// with any font: line splitting, word wrapping and engine-font text.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

extern float TextShadowX;      // 1.0
extern float TextShadowY;      // 1.0
extern float TextShadowAlpha;  // 0.5
extern float TextAlpha;        // 1.0: the alpha text drawing returns to after a shadow pass

void SetTextShadow(float x, float y, float alpha);

// Saves the text shadow and TextAlpha and puts them back when it leaves
// scope, as DrawStateGuard does for the drawing state.
class TextShadowGuard {
  public:
    TextShadowGuard()
        : x_(TextShadowX), y_(TextShadowY), alpha_(TextShadowAlpha), textAlpha_(TextAlpha) {}
    ~TextShadowGuard() {
        SetTextShadow(x_, y_, alpha_);
        TextAlpha = textAlpha_;
    }
    TextShadowGuard(const TextShadowGuard&) = delete;
    TextShadowGuard& operator=(const TextShadowGuard&) = delete;

  private:
    float x_, y_, alpha_, textAlpha_;
};

// Lines split at line feeds; a carriage return before a line feed is dropped.
std::vector<std::string> SplitLines(const std::string& text);

// Width of a text in some font, in unscaled pixels.
using TextMeasure = std::function<double(const std::string&)>;
// Word wrapping: an empty line stays one empty line; double spaces become
// single (one pass); words join the current line while its width times scale
// stays within maxWidth; a word wider than that stands alone; an empty word
// (two spaces still in a row) ends the line there.
std::vector<std::string> WordWrapLinesMeasured(const std::vector<std::string>& lines,
                                               double maxWidth, const TextMeasure& measure,
                                               double scale);

class TBitmapFont;
// The same wrapping measured in a bitmap font, or in the engine's built-in
// font when font is null.
std::vector<std::string> WordWrapLines(const std::vector<std::string>& lines, double maxWidth,
                                       const std::shared_ptr<TBitmapFont>& font, double scale);

// Text in the engine's built-in font: alignment 0 left, 1 centred, 2 right;
// with shadow a shadow pass first; snap rounds the position to whole pixels.
void DrawImageFontText(const std::string& text, float x, float y, int shadow, int alignment,
                       int snap);
double ImageFontTextWidth(const std::string& text);
double ImageFontTextHeight(const std::string& text);
