// Calendar date and time, and its formatting by letter patterns.
#pragma once

#include <memory>
#include <string>

class TDateTime;
using TDateTimePtr = std::shared_ptr<TDateTime>;

class TDateTime {
  public:
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;

    static TDateTimePtr Create();
    void Set_DateCurrent();
    void Set_TimeCurrent();
    void Set_DateTimeCurrent();
    // Runs of equal letters are replaced: YYYY/YY year, M/MM month, D/DD day,
    // H/HH hour, N/NN minute, S/SS second; other runs are copied.
    std::string Get_String(const std::string& pattern) const;
    std::string Get_String_Parser(const std::string& pattern, char letter, size_t position,
                                  int runLength) const;
    static std::string Get_String_Parser_Formater(int value, int digits);
};

// The date as "08 Dec 2026" and the time as "10:35:12" (24-hour), as the
// engine's date and time texts read.
std::string CurrentDateText();
std::string CurrentTimeText();
