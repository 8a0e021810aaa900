// A text scrolling upwards in a window, forever: the lines are word-wrapped
// once, scroll by a fixed speed per logic step and come round again after a
// window's worth of empty lines; lines fade in at the top and out at the
// bottom. A line that starts with "*" is a header, drawn without its star in
// the header colour.
//
// Threading: the game's one thread; Logic once per logic step, Draw once per
// frame (drawing reads the scroll position, never moves it). Outputs: pixels
// only. Failure: without a font nothing is drawn; an empty text scrolls
// empty lines.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "media/BitmapFont.h"
#include "media/Color.h"

class TScrollingText;
using TScrollingTextPtr = std::shared_ptr<TScrollingText>;

class TScrollingText {
  public:
    static constexpr float DEFAULT_SCROLL_SPEED = 0.2f;  // pixels per logic step

    // ---- fields, in declaration order ----
    TColorPtr bodyColor;
    float fadeRange = 80;  // pixels over which lines fade at the top and bottom
    TColorPtr headerColor;
    int _currentLine = 0;         // the text line shown at the top
    float _currentScrollPos = 0;  // pixels scrolled within that line
    TBitmapFontPtr _font;
    int _lineGap = 0;  // pixels from line to line
    int _linesOnScreen = 0;
    float _scrollSpeed = DEFAULT_SCROLL_SPEED;
    std::vector<std::string> _textArray;  // the wrapped lines
    int _width = 0;                       // wrap width
    float _x = 0, _y = 0;                 // centre x and top y of the window

    // A scroller of the text in the font, centred on x with its window's
    // top at y, showing linesOnScreen lines lineGap apart, wrapped at width.
    static TScrollingTextPtr Create(const std::string& text, const TBitmapFontPtr& font, float x,
                                    float y, int linesOnScreen, int lineGap, int width,
                                    float scrollSpeed = DEFAULT_SCROLL_SPEED);
    void Draw() const;
    void Kill();
    void Logic();
    // The alpha of a line whose top is at y: rising over the window's first
    // fadeRange pixels, falling over the last, 0 to 1.
    float _CalcFade(float y) const;
    void _InitText(const std::string& text);

    // A line is a header when it starts with this.
    static constexpr char HEADER_MARK = '*';
};
