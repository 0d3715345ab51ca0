#pragma once
// The texts of dates and clock times that the program shows, one function per
// form. A date-time is a date serial whose fraction is the time of day (the
// sun's times and the printing stamp come in this form).
#include <string>

#include "core/common/Date.h"

namespace varnel {

// "January" .. "December"; empty outside 1..12.
const std::string& MonthName(int month);
// "Sunday" .. "Saturday" for 1..7; empty otherwise.
const std::string& WeekdayName(int weekday);

std::string MonthYearText(Date date);           // "March 2026"
std::string LongDateText(Date date);            // "Saturday, March 7, 2026"
std::string NoteDateText(Date date);            // "Saturday, March, 7, 2026"
std::string WeekdayMonthDayText(Date date);     // "Saturday, March 7"
std::string MonthDayYearText(Date date);        // "March 7, 2026"
std::string WeekdayNumericDateText(Date date);  // "Saturday 03/07/2026"
std::string ShortWeekdayDateText(Date date);    // "Sat Mar 07"
std::string IsoWeekdayText(Date date);          // "2026-03-07 Sat" (the year unpadded)
std::string MonthDayNumbersText(Date date);     // "03/07"
std::string ShortNumericDateText(Date date);    // "3-07-2026"

// The clock time of a date-time, split into whole units (rounded to the second).
struct ClockTime {
    Date date;
    int hour = 0;
    int minute = 0;
    int second = 0;
};
ClockTime SplitDateTime(double dateTime);

std::string ClockText(double dateTime);         // "6:05 PM"
std::string PrintStampText(double dateTime);    // "03/07/26-1805"

}  // namespace varnel
