// A text cursor for lines of debug text in the engine's built-in font: print
// a line, move down a line gap. Draws only; no state beyond its place.
#pragma once

#include <string>

class TTextCursor {
  public:
    int x = 0, y = 0;
    int linegap = 20;
    int Shadow = 0;  // 1: each line with the text shadow

    void Init(int atX, int atY, int lineGap);
    void NewLine();
    void Output(const std::string& text);
    // Output, then NewLine.
    void OutputNL(const std::string& text);
};
