// A single-line text input with a flashing cursor: the name entry.
//
// Typed characters come from the frame's character ring (GetChar): code
// points composed by the system's text input, so dead keys and input
// methods work, and Backspace, Enter and Escape as the characters 8, 13 and
// 27. One character is taken per logic step. `Text` is UTF-8 and
// `MaxLength` counts characters. While active the framework's own keys are
// blocked (Game->BlockKeys). Nothing here fails: unwanted characters are
// ignored, and sounds play only when there is a typing sound and a channel
// pool.
#pragma once

#include <memory>
#include <string>

#include "engine/Image.h"
#include "media/BitmapFont.h"
#include "media/Color.h"
#include "media/Sound.h"

class TTextInput;
using TTextInputPtr = std::shared_ptr<TTextInput>;

class TTextInput {
  public:
    std::string Text;
    int MaxLength = 10;     // characters
    int MaxPixelWidth = 0;  // 0 = no limit
    int CurrentChar = 1;    // 1-based typing position: characters of Text + 1
    int Active = 0;
    int Done = 0;
    int ForceDraw = 0;  // draw even when inactive
    int X = 0, Y = 0;
    TColorPtr TextCol;
    TShadowPtr TextShadow = TShadow::Create();
    TColorPtr DotCol, CursorCol;
    int CursorYOffset = 0;
    ImagePtr Font;  // engine image font; the built-in font draws
    TBitmapFontPtr BitmapFont;
    int DrawDots = 0;
    int DrawUnderscore = 1;
    float CursorFlashCounter = 0;
    int CursorFlashSpeed = 0;  // steps
    int CursorOn = 1;
    int AllowEscToAbort = 1;
    int AllowNull = 1;           // Enter accepts an empty or blank text
    std::string BannedChars;     // UTF-8; each character in it is refused
    int AllowEuropeanChars = 0;  // codes up to 175
    int AllowExtendedChars = 0;  // every code from 32 up
    int NumbersOnly = 0;
    TGameSoundPtr TypingSound;
    int PlayTypingSoundOnEnter = 1;
    float OffsetX = 0, OffsetY = 0;  // drawing shift (the owner's slide)
    int ClearTextOnEscape = 0;
    int UppercaseFirstCharAsTyped = 0;

    // Stores the fonts, the text and the place, sets the colours (white
    // text, grey dots, cyan cursor) and a 250 ms flash, then Reset.
    void Init(const ImagePtr& font, const std::string& text, int x, int y,
              const TBitmapFontPtr& bitmapFont = nullptr);
    // Active again: typing starts, framework keys blocked, keys flushed.
    void Reset();
    void SetCursorFlashSpeed(int ms);
    // 1 when Enter accepted the text, -1 when Escape aborted, 0 otherwise.
    int Manage();
    // Inactive and done; framework keys back, keys and mouse flushed.
    void Finish();
    void PlayTypingSound();
    // Bans the 15 characters no file name may hold (replacing BannedChars);
    // owners append further characters afterwards.
    void MakeCharsFileNameSafe();
    // Pixel width of Text + s in the input's font.
    int GetWidth(const std::string& s);
    void Draw();

  private:
    bool IsBanned(int code) const;
    bool Accepts(int code) const;
    void EraseLastChar();
    void AddChar(int code);
    void ManageCursorFlash();
    void DrawPiece(const std::string& piece, float x, float y, bool shadow);
    int PieceWidth(const std::string& piece) const;
};
