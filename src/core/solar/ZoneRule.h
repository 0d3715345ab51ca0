#pragma once
// A zone's rule in the POSIX TZ form ("EST5EDT,M3.2.0,M11.1.0",
// "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0"): the clock a zone file carries on
// past its last listed change, or a TZ variable that names no file.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

// One of a zone's clocks: its offset, whether it is daylight time, its abbreviation.
struct LocalClock {
    int offsetSeconds = 0;  // local time minus UTC
    bool daylight = false;
    std::string abbreviation;
};

class ZoneRule {
public:
    // Nothing when the text is not a rule. A daylight time named without
    // its changes keeps those of the United States since 2007.
    static std::optional<ZoneRule> Parse(std::string_view text);
    // The name a text that is not a rule starts with ("Nowhere" of
    // "Nowhere/Land"), the C library's name for its UTC; else empty.
    static std::string LeadingName(std::string_view text);
    // The clock at an instant. The changes are those of the instant's UTC
    // year, as the C library reckons them (before 1970 it counts the days
    // from 1970, so a rule of daylight time keeps one clock all those years).
    const LocalClock& At(int64_t utc) const;
    // Appends every instant in [from, to] at which the clock may change.
    void ChangesBetween(int64_t from, int64_t to, std::vector<int64_t>& out) const;

private:
    // A change: a day of the year (Jn counts 1..365 skipping 29 February,
    // n counts 0..365, Mm.w.d is weekday d of week w of month m, 5 = the
    // last) and a time of that day on the clock it ends, which may pass 24
    // hours or be negative.
    struct Change {
        enum Kind { kJulian, kDayOfYear, kMonthWeek } kind = kMonthWeek;
        int month = 0, week = 0, day = 0;
        int seconds = 2 * 3600;
    };
    static bool ParseChange(std::string_view& text, Change& change);
    // The instants daylight time starts and ends in a UTC year.
    std::pair<int64_t, int64_t> ChangesOf(int64_t year) const;
    int64_t ChangeInstant(const Change& change, int64_t year, int offset) const;

    LocalClock standard_;
    LocalClock daylight_;
    bool hasDaylight_ = false;
    Change start_, end_;
};

// Days since 1970-01-01 of a proleptic Gregorian date, and the year of a day.
int64_t DaysOfCivil(int64_t year, int month, int day);
int64_t YearOfDays(int64_t days);

}  // namespace varnel
