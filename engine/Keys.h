// Names of the virtual-key codes that key events carry and the key tables
// are indexed by. Letters and digits are their own upper-case characters
// ('A' to 'Z', '0' to '9'); everything else has a name here.
#pragma once

namespace Key {

constexpr int Backspace = 8;
constexpr int Tab = 9;
constexpr int Enter = 13;  // either Return key
constexpr int Pause = 19;
constexpr int CapsLock = 20;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int PrintScreen = 44;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int LeftSystem = 91;  // the keys with the system's logo
constexpr int RightSystem = 92;
constexpr int Menu = 93;
constexpr int Numpad0 = 96;  // Numpad1 to Numpad9 follow
constexpr int Numpad1 = 97;
constexpr int NumpadMultiply = 106;
constexpr int NumpadPlus = 107;
constexpr int NumpadMinus = 109;
constexpr int NumpadPeriod = 110;
constexpr int NumpadDivide = 111;
constexpr int F1 = 112;  // F2 to F12 follow
constexpr int F12 = 123;
constexpr int NumLock = 144;
constexpr int ScrollLock = 145;
constexpr int LeftShift = 160;
constexpr int RightShift = 161;
constexpr int LeftCtrl = 162;
constexpr int RightCtrl = 163;
constexpr int LeftAlt = 164;
constexpr int RightAlt = 165;
constexpr int Semicolon = 186;
constexpr int Equals = 187;
constexpr int Comma = 188;
constexpr int Minus = 189;
constexpr int Period = 190;
constexpr int Slash = 191;
constexpr int Backquote = 192;
constexpr int LeftBracket = 219;
constexpr int Backslash = 220;
constexpr int RightBracket = 221;
constexpr int Quote = 222;

// A game controller's buttons, as the key tables see them (the system's own
// codes for gamepad keys). The left stick reports its four directions as
// keys too: down once it leans far enough that way, up when it comes back.
constexpr int PadA = 195;
constexpr int PadB = 196;
constexpr int PadX = 197;
constexpr int PadY = 198;
constexpr int PadRightShoulder = 199;
constexpr int PadLeftShoulder = 200;
constexpr int PadUp = 203;
constexpr int PadDown = 204;
constexpr int PadLeft = 205;
constexpr int PadRight = 206;
constexpr int PadStart = 207;
constexpr int PadBack = 208;
constexpr int PadStickUp = 211;
constexpr int PadStickDown = 212;
constexpr int PadStickRight = 213;
constexpr int PadStickLeft = 214;

}  // namespace Key
