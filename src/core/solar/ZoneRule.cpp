#include "core/solar/ZoneRule.h"

#include <algorithm>
#include <cctype>

namespace varnel {
namespace {

constexpr int64_t kDay = 86400;

// The day of an instant, counted from 1970-01-01, rounding down.
int64_t DayOf(int64_t utc) { return utc >= 0 ? utc / kDay : -((-utc + kDay - 1) / kDay); }

bool IsLeap(int64_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

constexpr int kDaysBeforeMonth[2][13] = {{0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
                                         {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366}};

// A run of digits, capped so no count overflows; false when there is none.
bool ReadNumber(std::string_view& text, int& value) {
    size_t n = 0;
    value = 0;
    while (n < text.size() && std::isdigit(static_cast<unsigned char>(text[n]))) {
        value = std::min(value * 10 + (text[n] - '0'), 65535);
        ++n;
    }
    text.remove_prefix(n);
    return n > 0;
}

// hh[:mm[:ss]]; the parts not given are 0.
bool ReadClockTime(std::string_view& text, int& hours, int& minutes, int& seconds) {
    minutes = seconds = 0;
    if (!ReadNumber(text, hours)) return false;
    for (int* part : {&minutes, &seconds}) {
        if (text.size() < 2 || text[0] != ':' || !std::isdigit(static_cast<unsigned char>(text[1]))) break;
        text.remove_prefix(1);
        ReadNumber(text, *part);
    }
    return true;
}

// "EST", or "<+0330>" quoted for names with signs and digits.
bool ReadName(std::string_view& text, std::string& name) {
    size_t n = 0;
    if (!text.empty() && text[0] == '<') {
        n = 1;
        while (n < text.size() && (std::isalnum(static_cast<unsigned char>(text[n])) || text[n] == '+' || text[n] == '-'))
            ++n;
        if (n >= text.size() || text[n] != '>' || n < 4) return false;
        name = std::string(text.substr(1, n - 1));
        text.remove_prefix(n + 1);
        return true;
    }
    while (n < text.size() && std::isalpha(static_cast<unsigned char>(text[n]))) ++n;
    if (n < 3) return false;
    name = std::string(text.substr(0, n));
    text.remove_prefix(n);
    return true;
}

// [+-]hh[:mm[:ss]], hours west of Greenwich; returns local time minus UTC.
bool ReadOffset(std::string_view& text, int& offset) {
    int sign = -1;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        sign = text[0] == '-' ? 1 : -1;
        text.remove_prefix(1);
    }
    int h = 0, m = 0, s = 0;
    if (!ReadClockTime(text, h, m, s)) return false;
    offset = sign * (std::min(h, 24) * 3600 + std::min(m, 59) * 60 + std::min(s, 59));
    return true;
}

}  // namespace

int64_t DaysOfCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int64_t YearOfDays(int64_t days) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;  // 0 = March
    return yearOfEra + era * 400 + (monthIndex >= 10);
}

bool ZoneRule::ParseChange(std::string_view& text, Change& change) {
    if (!text.empty() && text[0] == ',') text.remove_prefix(1);
    if (text.empty()) return false;
    if (text[0] == 'M') {
        text.remove_prefix(1);
        if (!ReadNumber(text, change.month) || text.empty() || text[0] != '.') return false;
        text.remove_prefix(1);
        if (!ReadNumber(text, change.week) || text.empty() || text[0] != '.') return false;
        text.remove_prefix(1);
        if (!ReadNumber(text, change.day)) return false;
        change.kind = Change::kMonthWeek;
        if (change.month < 1 || change.month > 12 || change.week < 1 || change.week > 5 || change.day > 6) return false;
    } else {
        change.kind = text[0] == 'J' ? Change::kJulian : Change::kDayOfYear;
        if (change.kind == Change::kJulian) text.remove_prefix(1);
        if (!ReadNumber(text, change.day) || change.day > 365 || (change.kind == Change::kJulian && change.day == 0)) return false;
    }
    change.seconds = 2 * 3600;
    if (!text.empty() && text[0] == '/') {
        text.remove_prefix(1);
        const bool negative = !text.empty() && text[0] == '-';
        if (negative || (!text.empty() && text[0] == '+')) text.remove_prefix(1);
        int h = 0, m = 0, s = 0;
        if (!ReadClockTime(text, h, m, s)) return false;
        change.seconds = (negative ? -1 : 1) * (h * 3600 + m * 60 + s);
    }
    return true;
}

std::optional<ZoneRule> ZoneRule::Parse(std::string_view text) {
    ZoneRule rule;
    if (!ReadName(text, rule.standard_.abbreviation) || !ReadOffset(text, rule.standard_.offsetSeconds))
        return std::nullopt;
    if (text.empty()) {
        rule.daylight_ = rule.standard_;
        return rule;
    }
    if (!ReadName(text, rule.daylight_.abbreviation)) return std::nullopt;
    rule.daylight_.daylight = rule.hasDaylight_ = true;
    if (text.empty() || text[0] == ',') rule.daylight_.offsetSeconds = rule.standard_.offsetSeconds + 3600;
    else if (!ReadOffset(text, rule.daylight_.offsetSeconds)) return std::nullopt;
    if (text.empty() || text == ",") {
        rule.start_ = {Change::kMonthWeek, 3, 2, 0, 2 * 3600};
        rule.end_ = {Change::kMonthWeek, 11, 1, 0, 2 * 3600};
        return rule;
    }
    if (!ParseChange(text, rule.start_) || !ParseChange(text, rule.end_)) return std::nullopt;
    return rule;
}

std::string ZoneRule::LeadingName(std::string_view text) {
    std::string name;
    return ReadName(text, name) ? name : std::string();
}

int64_t ZoneRule::ChangeInstant(const Change& change, int64_t year, int offset) const {
    int64_t days = year > 1970 ? DaysOfCivil(year, 1, 1) : 0;
    const bool leap = IsLeap(year);
    switch (change.kind) {
    case Change::kJulian:
        days += change.day - 1 + (change.day >= 60 && leap);
        break;
    case Change::kDayOfYear:
        days += change.day;
        break;
    case Change::kMonthWeek: {
        days += kDaysBeforeMonth[leap][change.month - 1];
        // Zeller's congruence: the weekday of the month's first day.
        const int64_t m1 = (change.month + 9) % 12 + 1;
        const int64_t y0 = change.month <= 2 ? year - 1 : year;
        const int64_t y1 = y0 / 100, y2 = y0 % 100;
        int64_t weekday = ((26 * m1 - 2) / 10 + 1 + y2 + y2 / 4 + y1 / 4 - 2 * y1) % 7;
        if (weekday < 0) weekday += 7;
        int64_t d = change.day - weekday;
        if (d < 0) d += 7;
        const int length = kDaysBeforeMonth[leap][change.month] - kDaysBeforeMonth[leap][change.month - 1];
        for (int i = 1; i < change.week && d + 7 < length; ++i) d += 7;
        days += d;
        break;
    }
    }
    return days * kDay + change.seconds - offset;
}

std::pair<int64_t, int64_t> ZoneRule::ChangesOf(int64_t year) const {
    return {ChangeInstant(start_, year, standard_.offsetSeconds), ChangeInstant(end_, year, daylight_.offsetSeconds)};
}

const LocalClock& ZoneRule::At(int64_t utc) const {
    if (!hasDaylight_) return standard_;
    const auto [start, end] = ChangesOf(YearOfDays(DayOf(utc)));
    // A start after the end is a southern summer, across the new year.
    const bool daylight = start > end ? (utc < end || utc >= start) : (utc >= start && utc < end);
    return daylight ? daylight_ : standard_;
}

void ZoneRule::ChangesBetween(int64_t from, int64_t to, std::vector<int64_t>& out) const {
    if (!hasDaylight_ || from > to) return;
    for (int64_t year = YearOfDays(DayOf(from)), last = YearOfDays(DayOf(to)); year <= last; ++year) {
        const auto [start, end] = ChangesOf(year);
        for (const int64_t t : {DaysOfCivil(year, 1, 1) * kDay, start, end})
            if (t >= from && t <= to) out.push_back(t);
    }
}

}  // namespace varnel
