#include "ui/TextCursor.h"

#include "media/TextShadow.h"

void TTextCursor::Init(int atX, int atY, int lineGap) {
    x = atX;
    y = atY;
    linegap = lineGap;
}

void TTextCursor::NewLine() {
    y += linegap;
}

void TTextCursor::Output(const std::string& text) {
    DrawImageFontText(text, static_cast<float>(x), static_cast<float>(y), Shadow, 0, 0);
}

void TTextCursor::OutputNL(const std::string& text) {
    Output(text);
    NewLine();
}
