// One tip panel (TDynamicTip) and one bouncing arrow (TTipArrow): their fades,
// time limits, the click that closes a panel, and their drawing.
#include <algorithm>
#include <cmath>

#include "engine/Graphics.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"
#include "frame/Timing.h"
#include "media/TextShadow.h"
#include "play/Tutorial.h"

namespace {

// The bounce: a sine counter over the lower half turn, one pass in 180 steps.
constexpr float kBounceFrom = 90, kBounceTo = 270;

int Steps(int ms) {
    return ms > 0 ? static_cast<int>(Game->CalcAnimLength(static_cast<float>(ms))) : 0;
}

// The font's own colour at the tip's alpha.
void ApplyFont(const TFont& font, float alpha) {
    if (font.Color) {
        SetColor(font.Color->R, font.Color->G, font.Color->B);
    } else {
        SetColor(255, 255, 255);
    }
    SetAlpha(alpha);
    TextAlpha = alpha;
}

}  // namespace

// ---------------------------------------------------------------- fading

void TTipFade::SetFade(int fade, float inSpeed, float outSpeed) {
    _fade = fade;
    _fadeInSpeed = inSpeed;
    _fadeOutSpeed = outSpeed;
    _fadeIn = 1;
    _fadeLevel = 0;
}

void TTipFade::Hide() {
    visible = 0;
}

int TTipFade::StartFadeOut() {
    if (_fade) {
        if (_fadeIn) {
            _fadeIn = 0;
            _fadeLevel = 1;
        }
        return 0;
    }
    Hide();
    return 1;
}

int TTipFade::FadeAndTimeStep() {
    if (_fade) {
        if (_fadeIn) {
            _fadeLevel = std::min(1.0f, _fadeLevel + _fadeInSpeed * Delta);
        } else {
            _fadeLevel -= _fadeOutSpeed * Delta;
            if (_fadeLevel <= 0) {
                _fadeLevel = 0;
                Hide();
                return 1;
            }
        }
    }
    if (_timeLimit > 0 && _timeLimitCounter < static_cast<float>(_timeLimit)) {
        _timeLimitCounter += Delta;
        if (_timeLimitCounter >= static_cast<float>(_timeLimit)) {
            _timeLimitCounter = static_cast<float>(_timeLimit);
            if (StartFadeOut()) return 1;
        }
    }
    return 0;
}

// ---------------------------------------------------------------- the arrow

TTipArrowPtr TTipArrow::Create(const TGameImagePtr& image, float x, float y, int timeLimitMs) {
    auto arrow = std::make_shared<TTipArrow>();
    arrow->_image = image;
    arrow->x = x;
    arrow->y = y;
    arrow->visible = 1;
    arrow->_timeLimit = Steps(timeLimitMs);
    return arrow;
}

void TTipArrow::SetBounce(int range, float speed, int directionX, int directionY) {
    _bounceCounter = TSineCounter::Create(kBounceFrom, kBounceTo, speed, 0);
    _bounceCounter->SetCounter(kBounceFrom);
    _bounceRange = range;
    _bounceSpeed = speed;
    _bounceDirectionX = directionX;
    _bounceDirectionY = directionY;
}

void TTipArrow::SetFont(const TFontPtr& font, float scale) {
    _font = font;
    _fontScale = scale;
}

void TTipArrow::SetText(const std::string& text, int maxWidth, int xOffset, int yOffset) {
    _text = text;
    _textXOffset = xOffset;
    _textYOffset = yOffset;
    if (maxWidth <= 0 || !_font || !_font->BitmapFont || text.empty()) return;
    const double width = _font->BitmapFont->StringWidth(text) * _fontScale;
    if (width > maxWidth) _fontScale *= static_cast<float>(maxWidth / width);
}

int TTipArrow::Logic() {
    if (!visible) return 1;
    if (FadeAndTimeStep()) return 1;
    if (_bounceCounter) _bounceCounter->Manage();
    return 0;
}

void TTipArrow::Kill() {
    visible = 0;
    _bounceCounter.reset();
    _image.reset();
    _font.reset();
}

float TTipArrow::BounceOffset() const {
    if (!_bounceCounter) return 0;
    return static_cast<float>(_bounceRange) * (1 - std::fabs(_bounceCounter->ratio));
}

void TTipArrow::Draw() const {
    if (!visible || !_image) return;
    const DrawStateGuard restore;
    const TextShadowGuard restoreText;
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    const float alpha = DrawAlpha();
    SetAlpha(alpha);
    const float b = BounceOffset();
    const float ox = b * static_cast<float>(_bounceDirectionX);
    const float oy = b * static_cast<float>(_bounceDirectionY);
    _image->Draw(x + ox, y + oy, 0, nullptr);
    if (_text.empty() || !_font || !_font->BitmapFont) return;
    ApplyFont(*_font, alpha);
    SetScale(_fontScale, _fontScale);
    const bool bouncesX = _bounceCounter && _bounceDirectionX != 0;
    const bool bouncesY = _bounceCounter && _bounceDirectionY != 0;
    _font->BitmapFont->DrawAligned(_text, x + static_cast<float>(_textXOffset) + ox,
                                   y + static_cast<float>(_textYOffset) + oy, 3, !bouncesX,
                                   !bouncesY);
}

// ---------------------------------------------------------------- the panel

TDynamicTipPtr TDynamicTip::Create(const TGameImagePtr& image, float x, float y,
                                   int headerDrawWidth, int textDrawWidth, int timeLimitMs,
                                   int closeable) {
    auto tip = std::make_shared<TDynamicTip>();
    tip->_image = image;
    tip->x = x;
    tip->y = y;
    tip->visible = 1;
    tip->_headerDrawWidth = headerDrawWidth;
    tip->_textDrawWidth = textDrawWidth;
    tip->_timeLimit = Steps(timeLimitMs);
    tip->_closeable = closeable;
    return tip;
}

void TDynamicTip::SetFont(const TFontPtr& font, float scale) {
    _font = font;
    _fontScale = scale;
}

void TDynamicTip::SetHeaderFont(const TFontPtr& font, float scale) {
    _headerFont = font;
    _headerFontScale = scale;
}

void TDynamicTip::SetHeaderText(const std::string& text, int yOffset) {
    _headerText = text;
    _headerTextYOffset = yOffset;
}

void TDynamicTip::SetText(const std::string& text, int lineGap, int yOffset) {
    _text = text;
    _lineGap = lineGap;
    _textYOffset = yOffset;
    const float scale = _fontScale > 0 ? _fontScale : 1.0f;
    const int width = static_cast<int>(static_cast<float>(_textDrawWidth) / scale);
    _textWrapped = WordWrapLines(SplitLines(text), width, _font ? _font->BitmapFont : nullptr, 1.0);
}

bool TDynamicTip::Contains(float px, float py) const {
    if (!_image) return false;
    return px >= x && px < x + static_cast<float>(_image->w) && py >= y &&
           py < y + static_cast<float>(_image->h);
}

int TDynamicTip::Logic() {
    if (!visible) return 1;
    TMousePointer& mouse = *Game->Mouse;
    if (Contains(static_cast<float>(mouse.x), static_cast<float>(mouse.y)) && mouse.GetMh(1)) {
        mouse.ClearButtons();
        if (_closeable && StartFadeOut()) return 1;
    }
    return FadeAndTimeStep();
}

int TDynamicTip::StartFadeOut() {
    if (_fade) {
        if (_fadeIn) {
            _fadeIn = 0;
            _fadeLevel = 1;
            if (associatedArrow) associatedArrow->StartFadeOut();
        }
        return 0;
    }
    Hide();
    return 1;
}

void TDynamicTip::Hide() {
    visible = 0;
    if (associatedArrow) associatedArrow->Hide();
}

void TDynamicTip::Kill() {
    visible = 0;
    associatedArrow.reset();
    _image.reset();
    _font.reset();
    _headerFont.reset();
    _textWrapped.clear();
}

void TDynamicTip::Draw() const {
    if (!visible || !_image) return;
    const DrawStateGuard restore;
    const TextShadowGuard restoreText;
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    const float alpha = DrawAlpha();
    SetAlpha(alpha);
    _image->Draw(x, y, 0, nullptr);
    const float middle = x + static_cast<float>(_image->w) / 2;
    if (!_headerText.empty() && _headerFont && _headerFont->BitmapFont) {
        const DrawStateGuard restoreScale;
        const TBitmapFont& font = *_headerFont->BitmapFont;
        ApplyFont(*_headerFont, alpha);
        const float scale =
            static_cast<float>(font.CalcReducedScale(_headerText, _headerDrawWidth)) *
            _headerFontScale;
        SetScale(scale, scale);
        if (_headerFont->Shadow)
            SetTextShadow(_headerFont->Shadow->X, _headerFont->Shadow->Y,
                          _headerFont->Shadow->Alpha);
        _headerFont->BitmapFont->DrawAligned(_headerText, middle,
                                             y + static_cast<float>(_headerTextYOffset), 3, 1, 1,
                                             _headerFont->Shadow ? 1 : 0);
    }
    if (_textWrapped.empty() || !_font || !_font->BitmapFont) return;
    ApplyFont(*_font, alpha);
    SetScale(_fontScale, _fontScale);
    float top = y + static_cast<float>(_textYOffset);
    if (_headerText.empty()) {
        const float block = static_cast<float>(_lineGap) * static_cast<float>(_textWrapped.size());
        top = y + static_cast<float>(_image->h) / 2 + static_cast<float>(_textYOffset) - block / 2;
    }
    _font->BitmapFont->DrawStringArray(_textWrapped, middle, top, 1, 0, 1, 1, 0, _lineGap, 0);
}
