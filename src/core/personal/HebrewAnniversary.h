#pragma once
// The days on which a Hebrew date comes back in later years: a birthday (or
// any anniversary kept by the Hebrew date) and a yahrzeit, the anniversary of
// a death. Both keep the month and day, but the calendar's months change
// length and number from year to year (Cheshvan and Kislev of 29 or 30 days,
// one Adar or two), and the two customs settle those years differently. The
// rules are the ones of Reingold and Dershowitz's "Calendrical Calculations",
// which the calendars of the field follow.
#include <cstdint>
#include <vector>

#include "core/calendar/HebrewCalendar.h"
#include "core/common/Date.h"

namespace varnel {

// The month of Adar that holds Purim: Adar II of a leap year, Adar of a common year.
int LastAdar(int hebrewYear);

// The day number of a birthday or anniversary of `original` in a later Hebrew
// year; 0 when the original date is no date of the calendar.
int32_t HebrewBirthdayIn(const HebrewDate& original, int hebrewYear);
// The day number of the yahrzeit of a death on `death` in a later Hebrew year;
// 0 when the date is no date of the calendar.
int32_t YahrzeitIn(const HebrewDate& death, int hebrewYear);

// Whether a Hebrew year, month (year order) and day name a day of the calendar.
bool IsHebrewDate(const HebrewDate& date);

enum class AnniversaryRule { Birthday, Yahrzeit };

struct Anniversary {
    Date date;
    int hebrewYear = 0;  // the Hebrew year it falls in
    int count = 0;       // 1 for the first anniversary (a year after the original date)
};
// The anniversaries that fall in a common year (1..9999), in date order: none
// before the first, a year after the original date; two when a short Hebrew
// year puts one at each end of the common year.
std::vector<Anniversary> AnniversariesIn(const HebrewDate& original, AnniversaryRule rule, int commonYear);

}  // namespace varnel
