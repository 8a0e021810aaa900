#include "engine/Strings.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

size_t SkipBlanks(const std::string& s, size_t pos) {
    while (pos < s.size() && IsBlank(s[pos]))
        ++pos;
    return pos;
}

// Reads an optional sign at pos; returns true for '-'.
bool ReadSign(const std::string& s, size_t& pos) {
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) return s[pos++] == '-';
    return false;
}

size_t SkipDigits(const std::string& s, size_t pos) {
    while (pos < s.size() && IsDigit(s[pos]))
        ++pos;
    return pos;
}

// Expected length of a UTF-8 sequence from its first byte, with the allowed
// range of the second byte (which rules out overlong forms, surrogates and
// code points above 0x10FFFF). 0 when the byte cannot start a sequence.
int SequenceLength(unsigned char lead, unsigned char& secondMin, unsigned char& secondMax) {
    secondMin = 0x80;
    secondMax = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (lead == 0xE0) secondMin = 0xA0;
        if (lead == 0xED) secondMax = 0x9F;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (lead == 0xF0) secondMin = 0x90;
        if (lead == 0xF4) secondMax = 0x8F;
        return 4;
    }
    return 0;
}

// Position of the leading significant digit relative to the decimal point,
// exponent included: positive for values of 1 and more. Only used to tell a
// too-large number from a too-small one, so precision does not matter.
int64_t DecimalMagnitude(const std::string& s, size_t intStart, size_t intEnd, size_t fracEnd,
                         int exponent) {
    for (size_t i = intStart; i < intEnd; ++i) {
        if (s[i] != '0') return static_cast<int64_t>(intEnd - i) + exponent;
    }
    for (size_t i = intEnd + 1; i < fracEnd; ++i) {
        if (s[i] != '0') return -static_cast<int64_t>(i - intEnd - 1) + exponent;
    }
    return 0;
}

}  // namespace

std::string Left(const std::string& s, int count) {
    if (count <= 0) return std::string();
    return s.substr(0, static_cast<size_t>(count));
}

std::string Right(const std::string& s, int count) {
    if (count <= 0) return std::string();
    size_t n = static_cast<size_t>(count);
    return n >= s.size() ? s : s.substr(s.size() - n);
}

// The part of [start1, start1 + count) that lies inside the string, so a
// start before the first character shortens the result instead of failing.
std::string Mid(const std::string& s, int start1, int count) {
    int64_t first = static_cast<int64_t>(start1) - 1;
    int64_t last = count < 0 ? static_cast<int64_t>(s.size()) : first + count;
    if (first < 0) first = 0;
    if (last > static_cast<int64_t>(s.size())) last = static_cast<int64_t>(s.size());
    if (first >= last) return std::string();
    return s.substr(static_cast<size_t>(first), static_cast<size_t>(last - first));
}

// An empty needle is never found: callers loop "while Instr(...)", and a
// match of nothing would never advance.
int Instr(const std::string& s, const std::string& needle, int start1) {
    if (needle.empty()) return 0;
    size_t from = start1 > 1 ? static_cast<size_t>(start1) - 1 : 0;
    if (from >= s.size()) return 0;
    size_t at = s.find(needle, from);
    return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

std::string Replace(const std::string& s, const std::string& from, const std::string& to) {
    if (from.empty()) return s;
    std::string result;
    size_t pos = 0;
    for (size_t at; (at = s.find(from, pos)) != std::string::npos; pos = at + from.size()) {
        result.append(s, pos, at - pos);
        result += to;
    }
    result.append(s, pos, std::string::npos);
    return result;
}

std::string Upper(const std::string& s) {
    std::string result = s;
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

std::string Lower(const std::string& s) {
    std::string result = s;
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return result;
}

std::string Trim(const std::string& s) {
    size_t first = SkipBlanks(s, 0);
    size_t last = s.size();
    while (last > first && IsBlank(s[last - 1]))
        --last;
    return s.substr(first, last - first);
}

int UpperCodePoint(int code) {
    if (code >= 'a' && code <= 'z') return code - 'a' + 'A';
    // Latin-1: a grave to thorn, except the division sign. Sharp s and y with
    // diaeresis have no upper case in Latin-1.
    constexpr int kDivisionSign = 0xF7;
    if (code >= 0xE0 && code <= 0xFE && code != kDivisionSign) return code - 0x20;
    return code;
}

std::string UpperFirstChar(const std::string& s) {
    size_t pos = 0;
    const int code = NextCodePoint(s, pos);
    if (s.empty() || (code >= 0x80 && pos == 1)) return s;  // empty, or a malformed byte
    return Chr(UpperCodePoint(code)) + s.substr(pos);
}

std::vector<std::string> Split(const std::string& s, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = s.find(separator, start)) != std::string::npos; start = at + 1) {
        parts.push_back(s.substr(start, at - start));
    }
    parts.push_back(s.substr(start));
    return parts;
}

// Surrogate halves are refused like out-of-range values: they are not
// characters and would make the text invalid UTF-8.
std::string Chr(int code) {
    if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::string();
    auto byte = [](int value) { return static_cast<char>(value); };
    if (code < 0x80) return std::string(1, byte(code));
    if (code < 0x800) return {byte(0xC0 | (code >> 6)), byte(0x80 | (code & 0x3F))};
    if (code < 0x10000) {
        return {byte(0xE0 | (code >> 12)), byte(0x80 | ((code >> 6) & 0x3F)),
                byte(0x80 | (code & 0x3F))};
    }
    return {byte(0xF0 | (code >> 18)), byte(0x80 | ((code >> 12) & 0x3F)),
            byte(0x80 | ((code >> 6) & 0x3F)), byte(0x80 | (code & 0x3F))};
}

int Asc(const std::string& s) {
    size_t pos = 0;
    return NextCodePoint(s, pos);
}

int NextCodePoint(const std::string& s, size_t& pos) {
    if (pos >= s.size()) return 0;
    unsigned char lead = static_cast<unsigned char>(s[pos]);
    unsigned char secondMin, secondMax;
    int length = SequenceLength(lead, secondMin, secondMax);
    if (length == 0 || pos + static_cast<size_t>(length) > s.size()) {
        ++pos;
        return lead;
    }
    unsigned char second = static_cast<unsigned char>(s[pos + 1]);
    bool valid = second >= secondMin && second <= secondMax;
    for (int i = 2; valid && i < length; ++i) {
        valid = IsContinuation(static_cast<unsigned char>(s[pos + static_cast<size_t>(i)]));
    }
    if (!valid) {
        ++pos;
        return lead;
    }
    int code = lead & (0xFF >> (length + 1));
    for (int i = 1; i < length; ++i) {
        code = (code << 6) | (static_cast<unsigned char>(s[pos + static_cast<size_t>(i)]) & 0x3F);
    }
    pos += static_cast<size_t>(length);
    return code;
}

namespace {

// The next code point, or -1 for a malformed byte (which is skipped).
int NextStrictCodePoint(const std::string& s, size_t& pos) {
    const size_t start = pos;
    const int code = NextCodePoint(s, pos);
    // Only a malformed byte of 0x80 or above is read as one byte on its own.
    return code >= 0x80 && pos - start == 1 ? -1 : code;
}

}  // namespace

int CharCount(const std::string& s) {
    int count = 0;
    for (size_t pos = 0; pos < s.size(); ++count)
        NextCodePoint(s, pos);
    return count;
}

std::string LeftChars(const std::string& s, int count) {
    size_t pos = 0;
    for (int i = 0; i < count && pos < s.size(); ++i)
        NextCodePoint(s, pos);
    return s.substr(0, pos);
}

bool IsValidUtf8(const std::string& s) {
    for (size_t pos = 0; pos < s.size();) {
        if (NextStrictCodePoint(s, pos) < 0) return false;
    }
    return true;
}

std::string Latin1ToUtf8(const std::string& latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (const char byte : latin1)
        out += Chr(static_cast<unsigned char>(byte));
    return out;
}

bool Utf8ToLatin1(const std::string& s, std::string& latin1) {
    std::string out;
    out.reserve(s.size());
    for (size_t pos = 0; pos < s.size();) {
        const int code = NextStrictCodePoint(s, pos);
        if (code < 0 || code > 0xFF) return false;
        out += static_cast<char>(code);
    }
    latin1 = std::move(out);
    return true;
}

int ToInt(const std::string& s) {
    size_t pos = SkipBlanks(s, 0);
    bool negative = ReadSign(s, pos);
    // Accumulate as a negative number so that INT_MIN itself fits.
    int64_t value = 0;
    for (; pos < s.size() && IsDigit(s[pos]); ++pos) {
        value = value * 10 - (s[pos] - '0');
        if (value < INT_MIN) return negative ? INT_MIN : INT_MAX;
    }
    if (negative) return static_cast<int>(value);
    return value < -static_cast<int64_t>(INT_MAX) ? INT_MAX : static_cast<int>(-value);
}

// Accepts "1.5", "-.5", "2." and an exponent ("3e2" is 300). Values too large
// for a double saturate at +-DBL_MAX; values too small become 0.
double ToDouble(const std::string& s) {
    size_t pos = SkipBlanks(s, 0);
    bool negative = ReadSign(s, pos);
    size_t numberStart = pos;
    size_t intEnd = SkipDigits(s, pos);
    size_t end = intEnd;
    size_t fracEnd = intEnd;
    if (end < s.size() && s[end] == '.') fracEnd = SkipDigits(s, end + 1);
    bool hasDigits = intEnd > numberStart || fracEnd > intEnd + 1;
    if (!hasDigits) return 0.0;
    end = fracEnd;
    int exponent = 0;
    if (end < s.size() && (s[end] == 'e' || s[end] == 'E')) {
        size_t exponentStart = end + 1;
        size_t digits = exponentStart;
        if (digits < s.size() && (s[digits] == '+' || s[digits] == '-')) ++digits;
        size_t exponentEnd = SkipDigits(s, digits);
        if (exponentEnd > digits) {
            end = exponentEnd;
            exponent = ToInt(s.substr(exponentStart, exponentEnd - exponentStart));
        }
    }
    double value = 0.0;
    auto result = std::from_chars(s.data() + numberStart, s.data() + end, value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves value alone; tell overflow from underflow.
        bool huge = DecimalMagnitude(s, numberStart, intEnd, fracEnd, exponent) > 0;
        value = huge ? DBL_MAX : 0.0;
    }
    if (std::isinf(value)) value = DBL_MAX;
    return negative ? -value : value;
}

std::string FromInt(int64_t value) {
    return std::to_string(value);
}

std::string FromFloat(double value) {
    // to_chars ignores the locale, so the decimal point is always '.'.
    char buffer[400];
    auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    if (error != std::errc()) return std::string();
    return std::string(buffer, end);
}

int TruncToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(value);
}

int Nearest(double value) {
    return TruncToInt(std::floor(value + 0.5));
}

double Sin(double degrees) {
    return std::sin(degrees * kRadiansPerDegree);
}
double Cos(double degrees) {
    return std::cos(degrees * kRadiansPerDegree);
}
double Tan(double degrees) {
    return std::tan(degrees * kRadiansPerDegree);
}

// Inputs a rounding step outside -1..1 would otherwise give NaN.
double ASin(double value) {
    return std::asin(std::clamp(value, -1.0, 1.0)) * kDegreesPerRadian;
}
double ACos(double value) {
    return std::acos(std::clamp(value, -1.0, 1.0)) * kDegreesPerRadian;
}
double ATan(double value) {
    return std::atan(value) * kDegreesPerRadian;
}
double ATan2(double y, double x) {
    return std::atan2(y, x) * kDegreesPerRadian;
}
