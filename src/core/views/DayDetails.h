#pragma once
// The texts of the days of the month grid: the short cell text (Hebrew date,
// holy day or weekly portion, candle-lighting and Havdalah times, the count of
// the Omer) and the details text kept in the cell's data (readings, sunrise
// and sunset, the proportional hour and the times of the daily prayers).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"
#include "core/calendar/FestivalReadings.h"

namespace varnel {

inline constexpr const char* kLineBreak = "\r\n";
inline constexpr const char* kReadingsRule = "-----------------------";
inline constexpr int kMaxMonthPortions = 8;

// What the texts need of the month, gathered once before its days.
struct MonthData {
    int year = 0;          // common year of the month
    int month = 0;         // 1..12
    int32_t pesach = 0;    // 15 Nisan of the year (calendar date)
    int32_t shavuot = 0;   // 6 Sivan of the year
    // The holy day of each day of the month (index day - 1); the later table
    // record wins when two fall on one day.
    std::array<const HolyDayRecord*, 31> holyDays{};
    // The month's portions in table order, at most eight; the cursor counts
    // those the Saturdays have used.
    std::array<const ParashahRecord*, kMaxMonthPortions> portions{};
    int portionCount = 0;
    int portionCursor = 0;
};

// Gathers the month that starts on firstDay. Only records dated in this very
// month of this very common year count.
void CollectMonthData(int32_t firstDay, const HolyDayTable& holyDays, const ParashahTable& parashot,
                      MonthData& month);

// The sun of one day for one place.
struct SunDay {
    double sunrise = 0;  // date-times: serial plus the fraction of the day
    double sunset = 0;
    std::string_view zoneName;
};

struct DayTexts {
    std::string cell;     // shown in the day's cell
    std::string details;  // the cell's data after its two offset digits
    bool holyDay = false; // painted in the holy-day colour
};

// Composes the texts of one day of the month (date = first day + offset),
// moving the month's portion cursor over the portions its Saturday uses.
void ComposeDay(int32_t date, const SunDay& sun, std::string_view city, MonthData& month, DayTexts& out);

// Pieces, exposed for the day view and the printouts.
// "Proportional hour: ..." through the earliest Ma'ariv, each line ended by a line break.
std::string DailyPrayerText(double sunrise, double sunset);
// "Sunrise: ... - Sunset: ...", a line break, "(city - zone)".
std::string SunLine(const SunDay& sun, std::string_view city);
// The Omer line after the given number of line breaks, or empty outside the count.
std::string OmerText(int32_t date, int32_t pesach, int32_t shavuot, int lineBreaks);

// "h:mm AMPM" of a date-time.
std::string TimeText(double dateTime);

inline constexpr double kCandleLead = 0.0125;    // 18 minutes before sunset
inline constexpr double kHavdalahDelay = 0.0291; // about 42 minutes after sunset
inline constexpr double kEarliestMaarivDelay = 0.05;  // 72 minutes after sunset

}  // namespace varnel
