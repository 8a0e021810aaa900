#include "screens/ScrollingText.h"

#include <algorithm>

#include "engine/Graphics.h"
#include "frame/Globals.h"
#include "media/TextShadow.h"

TScrollingTextPtr TScrollingText::Create(const std::string& text, const TBitmapFontPtr& font,
                                         float x, float y, int linesOnScreen, int lineGap,
                                         int width, float scrollSpeed) {
    auto scroller = std::make_shared<TScrollingText>();
    scroller->_font = font;
    scroller->_x = x;
    scroller->_y = y;
    scroller->_linesOnScreen = std::max(linesOnScreen, 1);
    scroller->_lineGap = std::max(lineGap, 1);
    scroller->_width = width;
    scroller->_scrollSpeed = scrollSpeed;
    scroller->_InitText(text);
    scroller->bodyColor = TColor::Create(255, 255, 50);
    scroller->headerColor = TColor::Create(255, 255, 255);
    scroller->_currentLine = 0;
    scroller->_currentScrollPos = static_cast<float>(scroller->_lineGap - 1);
    return scroller;
}

void TScrollingText::_InitText(const std::string& text) {
    // A window of empty lines after the text: the end scrolls fully away
    // before the start comes back.
    const std::string padded = text + std::string(static_cast<size_t>(_linesOnScreen), '\n');
    _textArray = WordWrapLines(SplitLines(padded), _width, _font, 1.0);
    if (_textArray.empty()) _textArray.emplace_back();
}

void TScrollingText::Logic() {
    _currentScrollPos += _scrollSpeed * Delta;
    while (_currentScrollPos >= static_cast<float>(_lineGap)) {
        _currentScrollPos -= static_cast<float>(_lineGap);
        if (++_currentLine >= static_cast<int>(_textArray.size())) _currentLine = 0;
    }
}

float TScrollingText::_CalcFade(float y) const {
    float alpha;
    if (y < _y + fadeRange) {
        alpha = (y - _y) / fadeRange;
    } else {
        const int bottom =
            static_cast<int>(_y + static_cast<float>((_linesOnScreen - 1) * _lineGap));
        alpha = 1 - (y - (static_cast<float>(bottom) - fadeRange)) / fadeRange;
    }
    return std::clamp(alpha, 0.0f, 1.0f);
}

void TScrollingText::Draw() const {
    if (!_font || _textArray.empty()) return;
    const DrawStateGuard restore;
    const int count = static_cast<int>(_textArray.size());
    float y = _y - _currentScrollPos;
    for (int i = 0; i < _linesOnScreen; ++i, y += static_cast<float>(_lineGap)) {
        const std::string& line = _textArray[static_cast<size_t>((_currentLine + i) % count)];
        const bool header = !line.empty() && line[0] == HEADER_MARK;
        const TColorPtr& colour = header ? headerColor : bodyColor;
        if (colour) SetColor(colour->R, colour->G, colour->B);
        SetAlpha(_CalcFade(y));
        _font->DrawAligned(header ? line.substr(1) : line, _x, y, 1);
    }
}

void TScrollingText::Kill() {
    _textArray.clear();
    _font.reset();
}
