#pragma once
// Texts of dates and times in the patterns the views use, after the system's
// Format function: "mmmm yyyy", "dddd, mmmm, d, yyyy", "dddd mm/dd/yyyy",
// "h:mm AMPM", "hh:mm:ss" ...
//
// Tokens: d dd ddd dddd, m mm mmm mmmm (minutes when right after an hour token
// or right before a seconds token), yy yyyy, h hh, n nn, s ss, AMPM / AM/PM.
// Everything else is copied as it stands; text in double quotes is literal.
#include <cstdint>
#include <string>

namespace varnel {

// "January" .. "December"; empty outside 1..12.
const std::string& MonthName(int month);
// "Sunday" .. "Saturday" for 1..7; empty otherwise.
const std::string& WeekdayName(int weekday);

// A date-time is a calendar serial whose fraction is the time of day.
std::string FormatDateTime(double dateTime, const std::string& pattern);
inline std::string FormatDate(int32_t serial, const std::string& pattern) {
    return FormatDateTime(static_cast<double>(serial), pattern);
}

// The clock time of a date-time, split into whole units (rounded to the second).
struct ClockTime {
    int32_t date = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};
ClockTime SplitDateTime(double dateTime);

}  // namespace varnel
