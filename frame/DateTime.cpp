#include "frame/DateTime.h"

#include <array>
#include <cstdio>

#include "engine/Clock.h"
#include "engine/Strings.h"

namespace {

const std::array<const char*, 12> kMonthNames = {"January",   "February", "March",    "April",
                                                 "May",       "June",     "July",     "August",
                                                 "September", "October",  "November", "December"};
const std::array<const char*, 7> kWeekdayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
const char* const kMonthAbbreviations = "JANFEBMARAPRMAYJUNJULAUGSEPOCTNOVDEC";

std::string MonthName(int month) {
    return month >= 1 && month <= 12 ? kMonthNames[month - 1] : "";
}

// 0 = Sunday; Sakamoto's method for the Gregorian calendar.
int WeekdayOf(int year, int month, int day) {
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 1 || month > 12) return 0;
    if (month < 3) year -= 1;
    const int sum = year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day;
    return ((sum % 7) + 7) % 7;
}

std::string TwoDigits(int value) {
    return TDateTime::Get_String_Parser_Formater(value, 2);
}

bool IsFieldLetter(char letter) {
    return letter == 'Y' || letter == 'M' || letter == 'D' || letter == 'H' || letter == 'N' ||
           letter == 'S';
}

// A field letter in run length 1 (the plain number) or 2 (two digits).
std::string NumberRun(int value, int runLength) {
    if (runLength == 1) return FromInt(value);
    if (runLength == 2) return TwoDigits(value);
    return "";
}

}  // namespace

std::string CurrentDateText() {
    const DateTime now = CurrentDateTime();
    std::string month = "???";
    if (now.month >= 1 && now.month <= 12) month = MonthName(now.month).substr(0, 3);
    return TwoDigits(now.day) + " " + month + " " +
           TDateTime::Get_String_Parser_Formater(now.year, 4);
}

std::string CurrentTimeText() {
    const DateTime now = CurrentDateTime();
    return TwoDigits(now.hour) + ":" + TwoDigits(now.minute) + ":" + TwoDigits(now.second);
}

TDateTimePtr TDateTime::Create() {
    return std::make_shared<TDateTime>();
}

void TDateTime::Set_DateCurrent() {
    const std::string text = CurrentDateText();
    Day = ToInt(Mid(text, 1, 2));
    Month = Instr(kMonthAbbreviations, Upper(Mid(text, 4, 3))) / 3 + 1;
    Year = ToInt(Right(text, 4));
}

void TDateTime::Set_TimeCurrent() {
    const std::string text = CurrentTimeText();
    Hour = ToInt(Mid(text, 1, 2));
    Minute = ToInt(Mid(text, 4, 2));
    Second = ToInt(Mid(text, 7, 2));
}

void TDateTime::Set_DateTimeCurrent() {
    Set_DateCurrent();
    Set_TimeCurrent();
}

std::string TDateTime::Get_String(const std::string& pattern) const {
    std::string out;
    size_t position = 0;
    while (position < pattern.size()) {
        const char letter = pattern[position];
        size_t end = position + 1;
        while (end < pattern.size() && pattern[end] == letter)
            ++end;
        out += Get_String_Parser(pattern, letter, position, static_cast<int>(end - position));
        position = end;
    }
    return out;
}

std::string TDateTime::Get_String_Parser(const std::string& pattern, char letter, size_t position,
                                         int runLength) const {
    if (!IsFieldLetter(letter)) return pattern.substr(position, static_cast<size_t>(runLength));
    switch (letter) {
        case 'Y':
            if (runLength == 4) return Get_String_Parser_Formater(Year, 4);
            return runLength == 2 ? TwoDigits(Year) : "";
        case 'M':
            // Month names for three and four letters.
            if (runLength == 3) return MonthName(Month).substr(0, 3);
            if (runLength == 4) return MonthName(Month);
            return NumberRun(Month, runLength);
        case 'D':
            // Weekday names for three and four letters.
            if (runLength == 3)
                return std::string(kWeekdayNames[WeekdayOf(Year, Month, Day)]).substr(0, 3);
            if (runLength == 4) return kWeekdayNames[WeekdayOf(Year, Month, Day)];
            return NumberRun(Day, runLength);
        case 'H':
            return NumberRun(Hour, runLength);
        case 'N':
            return NumberRun(Minute, runLength);
        default:
            return NumberRun(Second, runLength);
    }
}

std::string TDateTime::Get_String_Parser_Formater(int value, int digits) {
    const std::string text = FromInt(value);
    const int length = static_cast<int>(text.size());
    if (length >= digits) return Right(text, digits);
    return std::string(static_cast<size_t>(digits - length), '0') + text;
}
