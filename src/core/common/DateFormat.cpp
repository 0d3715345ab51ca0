#include "core/common/DateFormat.h"

#include <array>
#include <cctype>
#include <cmath>

#include "core/common/DateSerial.h"

namespace varnel {
namespace {

const std::array<std::string, 13> kMonths = {"",     "January", "February",  "March",   "April",    "May",     "June",
                                             "July", "August",  "September", "October", "November", "December"};
const std::array<std::string, 8> kWeekdays = {"",          "Sunday",   "Monday", "Tuesday",
                                              "Wednesday", "Thursday", "Friday", "Saturday"};
const std::string kEmpty;

std::string TwoDigits(int v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

bool StartsWithNoCase(const std::string& s, size_t pos, const char* word) {
    for (size_t i = 0; word[i]; ++i) {
        if (pos + i >= s.size()) return false;
        if (std::tolower(static_cast<unsigned char>(s[pos + i])) != std::tolower(static_cast<unsigned char>(word[i])))
            return false;
    }
    return true;
}

size_t RunLength(const std::string& s, size_t pos, char c) {
    size_t n = 0;
    while (pos + n < s.size() && std::tolower(static_cast<unsigned char>(s[pos + n])) == c) ++n;
    return n;
}

// An "m" run means minutes when an hour token precedes it (ignoring separators)
// or a seconds token follows it.
bool MinutesContext(const std::string& p, size_t pos, size_t len) {
    for (size_t i = pos; i-- > 0;) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(p[i])));
        if (c == 'h') return true;
        if (std::isalpha(static_cast<unsigned char>(c))) break;
    }
    for (size_t i = pos + len; i < p.size(); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(p[i])));
        if (c == 's') return true;
        if (std::isalpha(static_cast<unsigned char>(c))) break;
    }
    return false;
}

}  // namespace

const std::string& MonthName(int month) { return month >= 1 && month <= 12 ? kMonths[month] : kEmpty; }
const std::string& WeekdayName(int weekday) { return weekday >= 1 && weekday <= 7 ? kWeekdays[weekday] : kEmpty; }

ClockTime SplitDateTime(double dateTime) {
    ClockTime t;
    if (!std::isfinite(dateTime) || dateTime < kMinSerial - 1.0 || dateTime > kMaxSerial + 1.0) return t;
    // Round to the second first so 10:59:59.7 reads 11:00:00, carrying into the date.
    const double totalSeconds = std::round(dateTime * 86400.0);
    const double days = std::floor(totalSeconds / 86400.0);
    int secondsOfDay = static_cast<int>(totalSeconds - days * 86400.0);
    t.date = static_cast<int32_t>(days);
    t.hour = secondsOfDay / 3600;
    t.minute = secondsOfDay / 60 % 60;
    t.second = secondsOfDay % 60;
    return t;
}

std::string FormatDateTime(double dateTime, const std::string& pattern) {
    const ClockTime t = SplitDateTime(dateTime);
    const YearMonthDay ymd = SplitDate(t.date);
    const bool hasAmPm = pattern.find("AMPM") != std::string::npos || pattern.find("AM/PM") != std::string::npos ||
                         pattern.find("am/pm") != std::string::npos;
    int hour12 = t.hour % 12;
    if (hour12 == 0) hour12 = 12;
    const int shownHour = hasAmPm ? hour12 : t.hour;

    std::string out;
    out.reserve(pattern.size() + 16);
    for (size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        if (c == '"') {
            const size_t close = pattern.find('"', i + 1);
            const size_t end = close == std::string::npos ? pattern.size() : close;
            out.append(pattern, i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        if (StartsWithNoCase(pattern, i, "AMPM")) {
            out += t.hour < 12 ? "AM" : "PM";
            i += 4;
            continue;
        }
        if (StartsWithNoCase(pattern, i, "AM/PM")) {
            const bool upper = pattern[i] == 'A';
            out += t.hour < 12 ? (upper ? "AM" : "am") : (upper ? "PM" : "pm");
            i += 5;
            continue;
        }
        const char lc = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const size_t n = (lc == 'd' || lc == 'm' || lc == 'y' || lc == 'h' || lc == 'n' || lc == 's')
                             ? RunLength(pattern, i, lc)
                             : 0;
        switch (lc) {
            case 'd':
                if (n == 1) out += std::to_string(ymd.day);
                else if (n == 2) out += TwoDigits(ymd.day);
                else if (n == 3) out += WeekdayName(Weekday(t.date)).substr(0, 3);
                else out += WeekdayName(Weekday(t.date));
                i += n;
                continue;
            case 'm':
                if (n <= 2 && MinutesContext(pattern, i, n)) {
                    out += n == 1 ? std::to_string(t.minute) : TwoDigits(t.minute);
                } else if (n == 1) {
                    out += std::to_string(ymd.month);
                } else if (n == 2) {
                    out += TwoDigits(ymd.month);
                } else if (n == 3) {
                    out += MonthName(ymd.month).substr(0, 3);
                } else {
                    out += MonthName(ymd.month);
                }
                i += n;
                continue;
            case 'y':
                if (n <= 2) {
                    out += TwoDigits(ymd.year % 100);
                } else {
                    out += std::to_string(ymd.year);
                }
                i += n;
                continue;
            case 'h':
                out += n == 1 ? std::to_string(shownHour) : TwoDigits(shownHour);
                i += n;
                continue;
            case 'n':
                out += n == 1 ? std::to_string(t.minute) : TwoDigits(t.minute);
                i += n;
                continue;
            case 's':
                out += n == 1 ? std::to_string(t.second) : TwoDigits(t.second);
                i += n;
                continue;
            default:
                out += c;
                ++i;
        }
    }
    return out;
}

}  // namespace varnel
