#pragma once
// The texts of the days of the month grid, rendered from the day's facts: the
// short cell text (Hebrew date, holy day or weekly portion, candle-lighting and
// Havdalah times, the count of the Omer) and the details text kept in the
// cell's data (readings, sunrise and sunset, the proportional hour and the
// times of the daily prayers).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/calendar/FestivalReadings.h"
#include "core/views/DayFacts.h"

namespace varnel {

inline constexpr const char* kLineBreak = "\r\n";
inline constexpr const char* kReadingsRule = "-----------------------";
struct DayTexts {
    std::string cell;     // shown in the day's cell
    std::string details;  // the cell's data: readings, sun and prayer times
    bool holyDay = false; // painted in the holy-day colour
};

// Renders the texts of one day from its facts. The cell shows one of the day's
// times (candles first, then the fast's beginning, Havdalah, the fast's end);
// a holy day leaves out Shabbat's own candles and Havdalah unless
// shabbatTimesOnHolyDays asks for them. The details list every time.
void ComposeDayTexts(const DayFacts& facts, std::string_view city, DayTexts& out,
                     bool shabbatTimesOnHolyDays = false);

// Pieces, exposed for the day view and the printouts.
// "Proportional hour: ..." through the earliest Ma'ariv, each line ended by a
// line break; a day without a sunrise or a sunset has none of them.
std::string DailyPrayerText(const SunDay& sun);
// "Sunrise: ... - Sunset: ...", a line break, "(city - zone)"; a missing time
// is "none" with the reason.
std::string SunLine(const SunDay& sun, std::string_view city);
// The Omer line of a day of the count (1..49) after the given number of line
// breaks, or empty for day 0.
std::string OmerText(int omerDay, int lineBreaks);

// "h:mm AMPM" of a date-time.
std::string TimeText(double dateTime);

}  // namespace varnel
