#include "core/calendar/HebrewCalendar.h"

#include <array>
#include <limits>


namespace varnel {
namespace {

constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int kMaxHebrewYear = std::numeric_limits<int16_t>::max();
constexpr int32_t kReformDayNumber = 2299161;  // 15 October 1582

bool Fits32(int64_t v) { return v >= kInt32Min && v <= kInt32Max; }

int64_t ComputeElapsedDays(int64_t y) {
    const int64_t months = 235 * ((y - 1) / 19) + 12 * ((y - 1) % 19) + (7 * ((y - 1) % 19) + 1) / 19;
    const int64_t parts = 204 + 793 * (months % 1080);
    const int64_t hours = 5 + 12 * months + 793 * (months / 1080) + parts / 1080;
    int64_t day = 1 + 29 * months + hours / 24;
    const int64_t conjunction = 1080 * (hours % 24) + parts % 1080;
    if (conjunction >= 19440 || (day % 7 == 2 && conjunction >= 9924 && !HebrewLeapYear(static_cast<int>(y))) ||
        (day % 7 == 1 && conjunction >= 16789 && HebrewLeapYear(static_cast<int>(y - 1)))) {
        ++day;
    }
    const int64_t weekday = day % 7;
    if (weekday == 0 || weekday == 3 || weekday == 5) ++day;
    return day;
}

// Every conversion of a date asks for the same two or three years several
// times over: the last years asked are kept, each thread its own.
int64_t ElapsedDays64(int64_t y) {
    struct Known {
        int64_t year = std::numeric_limits<int64_t>::min();
        int64_t days = 0;
    };
    thread_local std::array<Known, 8> known;
    Known& slot = known[static_cast<uint64_t>(y) % known.size()];
    if (slot.year != y) slot = {y, ComputeElapsedDays(y)};
    return slot.days;
}

// Month length in the leap-year layout, given the year's kind and length.
int MonthLength(bool leap, int yearLength, int month) {
    if (!leap && month > 6) ++month;
    switch (month) {
        case 2: return yearLength % 10 == 5 ? 30 : 29;
        case 3: return yearLength % 10 == 3 ? 29 : 30;
        case 6: return leap ? 30 : 29;
        case 4: case 7: case 9: case 11: case 13: return 29;
        default: return 30;
    }
}

}  // namespace

bool HebrewLeapYear(int year) { return ((7 * static_cast<int64_t>(year) + 1) % 19) < 7; }

int32_t HebrewElapsedDays(int year) {
    const int64_t d = ElapsedDays64(year);
    return Fits32(d) ? static_cast<int32_t>(d) : 0;
}

int DaysInHebrewYear(int year) {
    return static_cast<int>(ElapsedDays64(static_cast<int64_t>(year) + 1) - ElapsedDays64(year));
}

bool LongCheshvan(int year) { return DaysInHebrewYear(year) % 10 == 5; }
bool ShortKislev(int year) { return DaysInHebrewYear(year) % 10 == 3; }

int DaysInHebrewMonth(int year, int month) {
    // Only Cheshvan and Kislev depend on the year's length.
    const bool leap = HebrewLeapYear(year);
    const int mapped = !leap && month > 6 ? month + 1 : month;
    const int yearLength = (mapped == 2 || mapped == 3) ? DaysInHebrewYear(year) : 0;
    return MonthLength(leap, yearLength, month);
}

const std::string& HebrewMonthName(int year, int month) {
    static const std::array<std::string, 14> kNames = {"",      "Tishrei", "Cheshvan", "Kislev", "Tevet",
                                                       "Shvat", "Adar I",  "Adar II",  "Nisan",  "Iyar",
                                                       "Sivan", "Tamuz",   "Av",       "Elul"};
    static const std::string kAdar = "Adar";
    const bool leap = HebrewLeapYear(year);
    if (month < 1) return kNames[0];
    const int mapped = !leap && month > 6 ? month + 1 : month;
    if (mapped > 13) return kNames[0];
    if (mapped == 6 && !leap) return kAdar;
    return kNames[mapped];
}

int32_t HebrewToJulianDay(int year, int month, int day) {
    const bool leap = HebrewLeapYear(year);
    if (month < 0) month += leap ? 14 : 13;
    int64_t n = ElapsedDays64(year);
    const int yearLength = DaysInHebrewYear(year);
    const int regular = month - 1 < 13 ? month - 1 : 13;
    for (int i = 1; i <= regular; ++i) n += MonthLength(leap, yearLength, i);
    if (month - 1 > 13) n += 30LL * (month - 1 - 13);  // months beyond the year count 30 days
    n += static_cast<int64_t>(day) - 1 + kHebrewEpoch;
    return Fits32(n) ? static_cast<int32_t>(n) : 0;
}

void JulianDayToHebrew(int32_t dayNumber, int& year, int& month, int& day) {
    year = month = day = 0;
    if (dayNumber <= kHebrewEpoch) return;
    const int64_t k = static_cast<int64_t>(dayNumber) - kHebrewEpoch;
    // The year of the last date converted, with the first day of each of its
    // months: the dates of a month or a year mostly fall in one Hebrew year.
    struct YearLayout {
        int64_t year = 0;  // none yet
        int64_t first = 0, end = 0;  // elapsed days at its start and at the next year's
        std::array<int64_t, 14> monthStart{};  // days from its start to month m's first day, [m - 1]
    };
    thread_local YearLayout last;
    if (last.year == 0 || k < last.first || k >= last.end) {
        // Start from an estimate that is never too small (mean year 35975351/98496 days).
        int64_t y = k * 98496 / 35975351 + 2;
        if (y > kMaxHebrewYear + 1) return;  // beyond the 16-bit year: no Hebrew date
        while (ElapsedDays64(y) > k) --y;
        if (y < 1 || y > kMaxHebrewYear) return;
        const bool leap = HebrewLeapYear(static_cast<int>(y));
        const int yearLength = DaysInHebrewYear(static_cast<int>(y));
        last.year = y;
        last.first = ElapsedDays64(y);
        last.end = last.first + yearLength;
        for (int m = 1; m <= 13; ++m) last.monthStart[m] = last.monthStart[m - 1] + MonthLength(leap, yearLength, m);
    }
    const int64_t r = k - last.first;
    int m = 1;
    while (m <= 13 && r >= last.monthStart[m]) ++m;
    year = static_cast<int>(last.year);
    month = m;
    day = static_cast<int>(r - last.monthStart[m - 1]) + 1;
}

int32_t GregorianToJulianDay(int year, int month, int day, int selector) {
    const int64_t y = year, m = month, d = day;
    const bool gregorian =
        selector == kGregorianSelector && (y > 1582 || (y == 1582 && (m > 10 || (m == 10 && d >= 15))));
    int64_t n;
    if (gregorian) {
        n = (1461 * (y + 4800 + (m - 14) / 12)) / 4 + (367 * (m - 2 - 12 * ((m - 14) / 12))) / 12 -
            (3 * ((y + 4900 + (m - 14) / 12) / 100)) / 4 + d - 32075;
    } else {
        n = 367 * y - (7 * (y + 5001 + (m - 9) / 7)) / 4 + (275 * m) / 9 + d + 1729777;
    }
    return Fits32(n) ? static_cast<int32_t>(n) : 0;
}

void JulianDayToGregorian(int32_t dayNumber, int& year, int& month, int& day) {
    const int64_t n = dayNumber;
    if (n >= kReformDayNumber) {
        int64_t l = n + 68569;
        const int64_t nn = (4 * l) / 146097;
        l = l - (146097 * nn + 3) / 4;
        const int64_t i = (4000 * (l + 1)) / 1461001;
        l = l - (1461 * i) / 4 + 31;
        const int64_t j = (80 * l) / 2447;
        day = static_cast<int>(l - (2447 * j) / 80);
        l = j / 11;
        month = static_cast<int>(j + 2 - 12 * l);
        year = static_cast<int>(100 * (nn - 49) + i + l);
    } else {
        const int64_t c = n + 1402;
        const int64_t k1 = (c - 1) / 1461;
        const int64_t l = c - 1461 * k1;
        const int64_t k2 = (l - 1) / 365 - l / 1461;
        const int64_t i = l - 365 * k2 + 30;
        const int64_t j = (80 * i) / 2447;
        day = static_cast<int>(i - (2447 * j) / 80);
        const int64_t k3 = j / 11;
        month = static_cast<int>(j + 2 - 12 * k3);
        year = static_cast<int>(4 * k1 + k2 + k3 - 4716);
    }
}

Date JulianDayToDate(int32_t dayNumber) {
    if (dayNumber == 0) return Date();
    int y = 0, m = 0, d = 0;
    JulianDayToGregorian(dayNumber, y, m, d);
    return Date(y, m, d);
}

void GregorianToHebrew(int& year, int& month, int& day) {
    const int32_t n = GregorianToJulianDay(year, month, day, kGregorianSelector);
    JulianDayToHebrew(n, year, month, day);
}

int32_t HebrewDateFromJanuary(int year, int hebrewMonth, int hebrewDay, int selector) {
    const int32_t first = GregorianToJulianDay(year, 1, 1, selector);
    int hy = 0, hm = 0, hd = 0;
    JulianDayToHebrew(first, hy, hm, hd);
    int32_t r = HebrewToJulianDay(hy, hebrewMonth, hebrewDay);
    if (r < first) r = HebrewToJulianDay(hy + 1, hebrewMonth, hebrewDay);
    return r;
}

int32_t HebrewDateUntilDecember(int year, int hebrewMonth, int hebrewDay, int selector) {
    const int32_t last = GregorianToJulianDay(year, 12, 31, selector);
    int hy = 0, hm = 0, hd = 0;
    JulianDayToHebrew(last, hy, hm, hd);
    int32_t r = HebrewToJulianDay(hy, hebrewMonth, hebrewDay);
    if (r > last) r = HebrewToJulianDay(hy - 1, hebrewMonth, hebrewDay);
    return r;
}

int32_t DateToJulianDay(Date date) {
    const YearMonthDay ymd = date.Parts();
    return GregorianToJulianDay(ymd.year, ymd.month, ymd.day, kGregorianSelector);
}

HebrewDate HebrewDateOf(Date date) {
    HebrewDate h;
    JulianDayToHebrew(DateToJulianDay(date), h.year, h.month, h.day);
    return h;
}

}  // namespace varnel
