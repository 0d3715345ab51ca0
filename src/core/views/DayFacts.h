#pragma once
// The facts of one day of a month before they become text: its Hebrew date,
// its holy day, the portion or portions read on it, the sun's times, the
// candle-lighting and Havdalah times and the day of the Omer. The cell and
// details texts, the JSON, the printouts and the calendar items are all
// rendered from these.
#include <array>
#include <span>
#include <vector>

#include "core/calendar/HebrewCalendar.h"
#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"
#include "core/personal/PersonalDays.h"
#include "core/solar/Location.h"
#include "core/times/FeastTimes.h"

namespace varnel {

inline constexpr int kMaxMonthPortions = 8;

// What the facts need of the month, gathered once before its days.
struct MonthData {
    int year = 0;          // common year of the month
    int month = 0;         // 1..12
    Date firstDay;         // its first day
    OmerReckoning omer = OmerReckoning::Sabbath;
    // The holy day of each day of the month (index day - 1): of two on one
    // day, the one TakesTheDay gives.
    std::array<const HolyDayRecord*, 31> holyDays{};
    // The month's portions in table order, at most eight. The month's
    // Saturdays take them in turn, by position.
    std::array<const ParashahRecord*, kMaxMonthPortions> portions{};
    int portionCount = 0;
    // The month's feast times in date order (candles, Havdalah, fasts).
    const std::vector<FeastTime>* times = nullptr;
};

// Gathers the month that starts on firstDay. Only days dated in this very
// month of this very common year count; without portions (null) the
// Saturdays show none.
void CollectMonthData(Date firstDay, const PlacedHolyDays& holyDays, const ParashahTable* parashot,
                      MonthData& month, OmerReckoning omer = OmerReckoning::Sabbath);

inline constexpr double kEarliestMaarivDelay = 0.05;  // 72 minutes after sunset

struct DayFacts {
    Date date;
    HebrewDate hebrew;
    int weekday = 0;  // 1 = Sunday .. 7 = Saturday
    // The day's holy day (a record with a name), or nullptr.
    const HolyDayRecord* holyDay = nullptr;
    // On a Saturday, the portion its turn gives and a portion joined to it
    // (read the same day). A holy-day Saturday shows its turn's portion only
    // when the portion is dated that day, but uses up the turn either way.
    const ParashahRecord* portion = nullptr;
    const ParashahRecord* joinedPortion = nullptr;
    SunDay sun;
    // Candle-lighting, Havdalah and the fasts' times dated on this day, in
    // the order they follow one another.
    std::vector<FeastTime> times;
    int omerDay = 0;            // 1..49 on the evenings of the count, else 0
    std::span<const PersonalDay> personal;  // the user's personal dates on this day
};

// The facts of one date of the month (the Saturdays before it in the month
// decide which portion is its turn).
DayFacts FactsOfDay(Date date, const MonthData& month, const SunDay& sun);

}  // namespace varnel
