#include "core/personal/HebrewAnniversary.h"

namespace varnel {
namespace {

constexpr int kCheshvan = 2;
constexpr int kKislev = 3;
constexpr int kTevet = 4;
constexpr int kShvat = 5;
constexpr int kAdarI = 6;  // Adar I of a leap year, Adar of a common year
constexpr int kAdarII = 7;  // only in a leap year

// The month of another year that carries the same name: the months up to Adar
// keep their number, the months from Nisan on are counted back from Elul (so
// Nisan is Nisan whether or not either year is a leap year), and Adar II
// becomes the year's last Adar.
int SameMonthIn(const HebrewDate& original, int hebrewYear) {
    const bool leap = HebrewLeapYear(original.year);
    if (original.month <= kAdarI) return original.month;
    if (leap && original.month == kAdarII) return LastAdar(hebrewYear);
    return original.month - (leap ? 14 : 13);
}

// The day number of day `day` counted from the first of a month: a 30th in a
// month of 29 days runs on to the 1st of the next month.
int32_t DayOfMonth(int hebrewYear, int month, int day) { return HebrewToJulianDay(hebrewYear, month, 1) + day - 1; }

}  // namespace

int LastAdar(int hebrewYear) { return HebrewLeapYear(hebrewYear) ? kAdarII : kAdarI; }

bool IsHebrewDate(const HebrewDate& date) {
    const int months = HebrewLeapYear(date.year) ? 13 : 12;
    return date.year >= 1 && date.month >= 1 && date.month <= months && date.day >= 1 &&
           date.day <= DaysInHebrewMonth(date.year, date.month);
}

int32_t HebrewBirthdayIn(const HebrewDate& original, int hebrewYear) {
    if (!IsHebrewDate(original) || hebrewYear < 1) return 0;
    // Born in the year's last Adar (Adar of a common year, or Adar II): the
    // birthday is in the last Adar of every year, Adar II when there are two.
    if (original.month == LastAdar(original.year))
        return HebrewToJulianDay(hebrewYear, LastAdar(hebrewYear), original.day);
    // Otherwise the same month and day; a 30th that this year's month lacks
    // (Cheshvan, Kislev, Adar I) is the 1st of the next month.
    return DayOfMonth(hebrewYear, SameMonthIn(original, hebrewYear), original.day);
}

int32_t YahrzeitIn(const HebrewDate& death, int hebrewYear) {
    if (!IsHebrewDate(death) || hebrewYear < 1) return 0;
    // Died on 30 Cheshvan, and the first anniversary's Cheshvan had 29 days:
    // the yahrzeit is kept on the last day of Cheshvan every year (29 or 30).
    if (death.month == kCheshvan && death.day == 30 && !LongCheshvan(death.year + 1))
        return HebrewToJulianDay(hebrewYear, kKislev, 1) - 1;
    // Died on 30 Kislev, and the first anniversary's Kislev had 29 days: the
    // last day of Kislev every year.
    if (death.month == kKislev && death.day == 30 && ShortKislev(death.year + 1))
        return HebrewToJulianDay(hebrewYear, kTevet, 1) - 1;
    // Died in Adar II: the same day of the year's last Adar (Adar II, or the
    // one Adar of a common year).
    if (HebrewLeapYear(death.year) && death.month == kAdarII)
        return HebrewToJulianDay(hebrewYear, LastAdar(hebrewYear), death.day);
    // Died on 30 Adar I: in a common year, whose one Adar has 29 days, the
    // yahrzeit is 30 Shvat.
    if (death.month == kAdarI && death.day == 30 && !HebrewLeapYear(hebrewYear))
        return HebrewToJulianDay(hebrewYear, kShvat, 30);
    // Every other death, Adar of a common year included (kept in Adar I of a
    // leap year): the same month and day, a missing 30th running on to the 1st.
    return DayOfMonth(hebrewYear, SameMonthIn(death, hebrewYear), death.day);
}

std::vector<Anniversary> AnniversariesIn(const HebrewDate& original, AnniversaryRule rule, int commonYear) {
    std::vector<Anniversary> found;
    if (commonYear < kMinYear || commonYear > kMaxYear || !IsHebrewDate(original)) return found;
    const Date first(commonYear, 1, 1);
    const Date last(commonYear, 12, 31);
    // 1 January lies in one Hebrew year and 31 December in the next: each
    // gives its anniversary once, and each anniversary lies inside its year.
    const int firstHebrewYear = HebrewDateOf(first).year;
    for (int y = firstHebrewYear; y <= firstHebrewYear + 1; ++y) {
        if (y <= original.year) continue;
        const int32_t day = rule == AnniversaryRule::Yahrzeit ? YahrzeitIn(original, y) : HebrewBirthdayIn(original, y);
        if (day == 0) continue;
        const Date date = JulianDayToDate(day);
        if (date >= first && date <= last) found.push_back({date, y, y - original.year});
    }
    return found;
}

}  // namespace varnel
