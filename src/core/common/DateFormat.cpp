#include "core/common/DateFormat.h"

#include <array>
#include <cmath>

namespace varnel {
namespace {

const std::array<std::string, 13> kMonths = {"",     "January", "February",  "March",   "April",    "May",     "June",
                                             "July", "August",  "September", "October", "November", "December"};
const std::array<std::string, 8> kWeekdays = {"",          "Sunday",   "Monday", "Tuesday",
                                              "Wednesday", "Thursday", "Friday", "Saturday"};
const std::string kEmpty;

std::string TwoDigits(int v) {
    if (v >= 0 && v < 10) return {'0', static_cast<char>('0' + v)};
    return std::to_string(v);
}

std::string ShortName(const std::string& name) { return name.substr(0, 3); }

}  // namespace

const std::string& MonthName(int month) { return month >= 1 && month <= 12 ? kMonths[month] : kEmpty; }
const std::string& WeekdayName(int weekday) { return weekday >= 1 && weekday <= 7 ? kWeekdays[weekday] : kEmpty; }

std::string MonthYearText(Date date) {
    const YearMonthDay d = date.Parts();
    return MonthName(d.month) + " " + std::to_string(d.year);
}

std::string LongDateText(Date date) { return WeekdayName(date.Weekday()) + ", " + MonthDayYearText(date); }

std::string NoteDateText(Date date) {
    const YearMonthDay d = date.Parts();
    return WeekdayName(date.Weekday()) + ", " + MonthName(d.month) + ", " + std::to_string(d.day) + ", " +
           std::to_string(d.year);
}

std::string WeekdayMonthDayText(Date date) {
    return WeekdayName(date.Weekday()) + ", " + MonthName(date.Month()) + " " + std::to_string(date.Day());
}

std::string MonthDayYearText(Date date) {
    const YearMonthDay d = date.Parts();
    return MonthName(d.month) + " " + std::to_string(d.day) + ", " + std::to_string(d.year);
}

std::string WeekdayNumericDateText(Date date) {
    const YearMonthDay d = date.Parts();
    return WeekdayName(date.Weekday()) + " " + TwoDigits(d.month) + "/" + TwoDigits(d.day) + "/" + std::to_string(d.year);
}

std::string ShortWeekdayDateText(Date date) {
    const YearMonthDay d = date.Parts();
    return ShortName(WeekdayName(date.Weekday())) + " " + ShortName(MonthName(d.month)) + " " + TwoDigits(d.day);
}

std::string IsoWeekdayText(Date date) {
    const YearMonthDay d = date.Parts();
    return std::to_string(d.year) + "-" + TwoDigits(d.month) + "-" + TwoDigits(d.day) + " " +
           ShortName(WeekdayName(date.Weekday()));
}

std::string MonthDayNumbersText(Date date) {
    const YearMonthDay d = date.Parts();
    return TwoDigits(d.month) + "/" + TwoDigits(d.day);
}

std::string ShortNumericDateText(Date date) {
    const YearMonthDay d = date.Parts();
    return std::to_string(d.month) + "-" + TwoDigits(d.day) + "-" + std::to_string(d.year);
}

ClockTime SplitDateTime(double dateTime) {
    ClockTime t;
    // Beyond the calendar's years there is no clock time to show.
    static const double kFirst = Date(kMinYear, 1, 1).Serial() - 1.0;
    static const double kLast = Date(kMaxYear, 12, 31).Serial() + 1.0;
    if (!std::isfinite(dateTime) || dateTime < kFirst || dateTime > kLast) return t;
    // Round to the second first so 10:59:59.7 reads 11:00:00, carrying into the date.
    const double totalSeconds = std::round(dateTime * 86400.0);
    const double days = std::floor(totalSeconds / 86400.0);
    const int secondsOfDay = static_cast<int>(totalSeconds - days * 86400.0);
    t.date = Date::FromSerial(static_cast<int32_t>(days));
    t.hour = secondsOfDay / 3600;
    t.minute = secondsOfDay / 60 % 60;
    t.second = secondsOfDay % 60;
    return t;
}

std::string ClockText(double dateTime) {
    const ClockTime t = SplitDateTime(dateTime);
    const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    // "h:mm AM", written in place: the days' details ask for hundreds.
    char text[8];
    size_t n = 0;
    if (hour12 >= 10) text[n++] = '1';
    text[n++] = static_cast<char>('0' + hour12 % 10);
    text[n++] = ':';
    text[n++] = static_cast<char>('0' + t.minute / 10);
    text[n++] = static_cast<char>('0' + t.minute % 10);
    text[n++] = ' ';
    text[n++] = t.hour < 12 ? 'A' : 'P';
    text[n++] = 'M';
    return std::string(text, n);
}

std::string PrintStampText(double dateTime) {
    const ClockTime t = SplitDateTime(dateTime);
    const YearMonthDay d = t.date.Parts();
    return TwoDigits(d.month) + "/" + TwoDigits(d.day) + "/" + TwoDigits(d.year % 100) + "-" + TwoDigits(t.hour) +
           TwoDigits(t.minute);
}

}  // namespace varnel
