// String and number helpers with the semantics the game text, the settings
// and the level files rely on. Strings are UTF-8; positions are byte
// positions, 1-based where the name says so.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

std::string Left(const std::string& s, int count);
std::string Right(const std::string& s, int count);
// count < 0 means "to the end".
std::string Mid(const std::string& s, int start1, int count = -1);
// 1-based position of needle at or after start1, 0 when absent.
int Instr(const std::string& s, const std::string& needle, int start1 = 1);
std::string Replace(const std::string& s, const std::string& from, const std::string& to);
std::string Upper(const std::string& s);  // ASCII letters only
std::string Lower(const std::string& s);
std::string Trim(const std::string& s);
// s with its first character in upper case: ASCII and Latin-1 letters
// ("\xC3\xA9mile" becomes "\xC3\x89mile"); other text is left as it is.
std::string UpperFirstChar(const std::string& s);
// The upper-case code point of an ASCII or Latin-1 letter, else code itself.
int UpperCodePoint(int code);  // spaces, tabs, CR, LF and other controls
std::vector<std::string> Split(const std::string& s, char separator);

// UTF-8 encoding of one code point; code points above 0x10FFFF give "".
std::string Chr(int code);
// Code point of the first character, 0 for an empty string.
int Asc(const std::string& s);
// Decodes the code point at byte offset pos and advances pos; malformed bytes
// decode as themselves (Latin-1), so no input is ever skipped or fatal.
int NextCodePoint(const std::string& s, size_t& pos);
// Characters (code points) in s, a malformed byte counting as one, as
// NextCodePoint reads it.
int CharCount(const std::string& s);
// The first count characters of s (all of it when it has fewer).
std::string LeftChars(const std::string& s, int count);
// Whether s is well-formed UTF-8 (no stray, overlong or surrogate bytes).
bool IsValidUtf8(const std::string& s);
// One byte per character (Latin-1, as the settings file holds names) to
// UTF-8, and back. Utf8ToLatin1 gives false, leaving latin1 untouched, when
// s is not valid UTF-8 or holds a character above U+00FF.
std::string Latin1ToUtf8(const std::string& latin1);
bool Utf8ToLatin1(const std::string& s, std::string& latin1);

// Leading blanks, an optional sign, then digits; anything else stops the
// number. Text that does not start with a number gives 0. Out-of-range
// values saturate.
int ToInt(const std::string& s);
double ToDouble(const std::string& s);
std::string FromInt(int64_t value);
// Six decimals, like the settings and debug output of the original tools:
// 0.5 -> "0.500000".
std::string FromFloat(double value);

// Int of a float: truncation toward zero, saturating at the Int range.
int TruncToInt(double value);
// Floor(x + 0.5)
int Nearest(double value);

// Trigonometry in degrees.
double Sin(double degrees);
double Cos(double degrees);
double Tan(double degrees);
double ASin(double value);  // result in degrees
double ACos(double value);
double ATan(double value);
double ATan2(double y, double x);
