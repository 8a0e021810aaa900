// The small font built into the engine, for the debug overlay and the message
// box shown when nothing else can be drawn. Fixed cells, one bit a pixel.
#pragma once

#include <cstdint>

constexpr int BUILTIN_GLYPH_WIDTH = 8;
constexpr int BUILTIN_GLYPH_HEIGHT = 12;
constexpr int BUILTIN_FIRST_CODE = 32;  // space
constexpr int BUILTIN_LAST_CODE = 126;  // '~'

// BUILTIN_GLYPH_HEIGHT row bytes of the glyph for a character code, top row
// first, most significant bit = leftmost pixel. The rightmost column is always
// clear, so neighbouring glyphs never touch. Codes outside 32..126 give the
// glyph of '?'.
const uint8_t* BuiltinGlyph(int code);
