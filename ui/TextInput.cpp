#include "ui/TextInput.h"

#include "engine/Graphics.h"
#include "engine/Keys.h"
#include "engine/Strings.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/ProfileName.h"
#include "media/TextShadow.h"

namespace {
// Character codes; Backspace, Enter and Escape type their own key codes.
constexpr int kFirstPrintable = 32;
constexpr int kLastAscii = 126;
constexpr int kLastEuropean = 175;
}  // namespace

// ---------------------------------------------------------------- set-up

void TTextInput::Init(const ImagePtr& font, const std::string& text, int x, int y,
                      const TBitmapFontPtr& bitmapFont) {
    Font = font;
    BitmapFont = bitmapFont;
    Text = text;
    CurrentChar = CharCount(Text) + 1;
    X = x;
    Y = y;
    TextCol = TColor::Create(255, 255, 255, 1.0f);
    DotCol = TColor::Create(150, 150, 150, 1.0f);
    CursorCol = TColor::Create(0, 255, 255, 1.0f);
    SetCursorFlashSpeed(250);
    Reset();
}

void TTextInput::Reset() {
    Active = 1;
    Done = 0;
    Game->BlockKeys = 1;
    FlushKeys();
}

void TTextInput::Finish() {
    Active = 0;
    Done = 1;
    Game->BlockKeys = 0;
    FlushAll();
}

void TTextInput::SetCursorFlashSpeed(int ms) {
    CursorFlashSpeed = static_cast<int>(Game->CalcAnimLength(static_cast<float>(ms)));
    CursorFlashCounter = 0;
    CursorOn = 1;
}

void TTextInput::MakeCharsFileNameSafe() {
    BannedChars = std::string(kFileNameUnsafeChars);
}

void TTextInput::PlayTypingSound() {
    PlaySound(TypingSound);
}

// ---------------------------------------------------------------- typing

bool TTextInput::IsBanned(int code) const {
    const std::string character = Chr(code);
    return !character.empty() && BannedChars.find(character) != std::string::npos;
}

bool TTextInput::Accepts(int code) const {
    if (code < kFirstPrintable) return false;
    return code <= kLastAscii || (AllowEuropeanChars && code <= kLastEuropean) ||
           AllowExtendedChars == 1;
}

void TTextInput::EraseLastChar() {
    if (CurrentChar <= 1) return;
    --CurrentChar;
    PlayTypingSound();
    Text = LeftChars(Text, CurrentChar - 1);
}

void TTextInput::AddChar(int code) {
    if (UppercaseFirstCharAsTyped && CurrentChar == 1) code = UpperCodePoint(code);
    const std::string character = Chr(code);
    if (character.empty() || MaxLength < CurrentChar) return;
    if (MaxPixelWidth != 0 && MaxPixelWidth < GetWidth(character)) return;
    Text += character;
    ++CurrentChar;
    PlayTypingSound();
}

int TTextInput::Manage() {
    if (!Active) return 0;
    // The owner may have set Text itself: the typing position follows it.
    CurrentChar = CharCount(Text) + 1;
    int c = GetChar();
    if (IsBanned(c)) c = 0;
    if (c == Key::Backspace) EraseLastChar();
    // A numbers-only field still lets Escape abort.
    if (NumbersOnly && c != Key::Enter && c != Key::Escape && !(c >= '0' && c <= '9')) c = 0;
    if (Accepts(c)) AddChar(c);
    if (c == Key::Enter) {
        if (PlayTypingSoundOnEnter) PlayTypingSound();
        if (AllowNull || !Trim(Text).empty()) {
            Finish();
            return 1;
        }
        FlushAll();
    }
    if (c == Key::Escape && AllowEscToAbort) {
        if (ClearTextOnEscape) {
            Text.clear();
            CurrentChar = 1;
        }
        Finish();
        return -1;
    }
    ManageCursorFlash();
    return 0;
}

void TTextInput::ManageCursorFlash() {
    CursorFlashCounter += Delta;
    if (CursorFlashCounter < CursorFlashSpeed) return;
    CursorOn = !CursorOn;
    CursorFlashCounter = 0;
}

// ---------------------------------------------------------------- measuring and drawing

int TTextInput::PieceWidth(const std::string& piece) const {
    return TruncToInt(BitmapFont ? BitmapFont->StringWidth(piece) : ImageFontTextWidth(piece));
}

int TTextInput::GetWidth(const std::string& s) {
    return PieceWidth(Text + s);
}

void TTextInput::DrawPiece(const std::string& piece, float x, float y, bool shadow) {
    if (!BitmapFont) {
        DrawImageFontText(piece, x, y, shadow ? 1 : 0, 0, 1);
    } else if (shadow) {
        BitmapFont->DrawAlignedWithShadow(piece, x, y, 0, 1, 1);
    } else {
        BitmapFont->DrawAligned(piece, x, y, 0, 1, 1);
    }
}

void TTextInput::Draw() {
    if (!Active && !ForceDraw) return;
    const DrawStateGuard restore;
    const TextShadowGuard restoreShadow;
    SetBlend(ALPHABLEND);
    const float x = X + OffsetX, y = Y + OffsetY;
    if (TextCol) TextCol->Apply();
    if (TextShadow) {
        TextShadow->ApplyToText();
        TextAlpha = TextCol ? TextCol->Alpha : 1.0f;
    }
    DrawPiece(Text, x, y, TextShadow != nullptr);

    float cursorX = x + GetWidth("");
    int shown = CharCount(Text);
    if (DrawUnderscore && shown < MaxLength) {
        if (CursorOn) {
            if (CursorCol) CursorCol->Apply();
            DrawPiece("_", cursorX, y + CursorYOffset, false);
        }
        cursorX += PieceWidth("_");
        ++shown;
    }
    if (DrawDots && shown < MaxLength) {
        if (DotCol) DotCol->Apply();
        DrawPiece(std::string(static_cast<size_t>(MaxLength - shown), '.'), cursorX, y, false);
    }
}
