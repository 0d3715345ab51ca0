#include "core/common/DateSerial.h"

#include <ctime>

namespace varnel {
namespace {

// Days from 1970-01-01 to a proleptic Gregorian date (H. Hinnant's algorithm),
// exact for any year that fits in an int.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

YearMonthDay CivilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = yoe + era * 400;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

constexpr int64_t kSerialEpochFromUnix = 25569;  // 1970-01-01 is serial 25569

bool IsLeap(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

}  // namespace

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) {
    return year >= kMinYear && year <= kMaxYear && day >= 1 && day <= DaysInMonth(year, month);
}

int32_t DateSerial(int year, int month, int day) {
    // Normalise month overflow first, then let the day run over freely.
    int64_t y = year;
    int64_t m = static_cast<int64_t>(month) - 1;
    y += m >= 0 ? m / 12 : (m - 11) / 12;
    m = ((m % 12) + 12) % 12 + 1;
    const int64_t serial = DaysFromCivil(y, m, 1) + kSerialEpochFromUnix + (static_cast<int64_t>(day) - 1);
    if (serial < INT32_MIN) return INT32_MIN;
    if (serial > INT32_MAX) return INT32_MAX;
    return static_cast<int32_t>(serial);
}

YearMonthDay SplitDate(int32_t serial) { return CivilFromDays(static_cast<int64_t>(serial) - kSerialEpochFromUnix); }

int YearOf(int32_t serial) { return SplitDate(serial).year; }
int MonthOf(int32_t serial) { return SplitDate(serial).month; }
int DayOf(int32_t serial) { return SplitDate(serial).day; }

int Weekday(int32_t serial) {
    // Serial 0 (30 December 1899) was a Saturday.
    int64_t r = (static_cast<int64_t>(serial) + 6) % 7;
    if (r < 0) r += 7;
    return static_cast<int>(r) + 1;
}

int DayOfYear(int32_t serial) { return static_cast<int>(serial - DateSerial(YearOf(serial), 1, 1)) + 1; }

bool IsInSupportedRange(int32_t serial) { return serial >= kMinSerial && serial <= kMaxSerial; }

int32_t Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DateSerial(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

bool IsInMonth(int32_t serial, int year, int month) {
    if (serial == 0) return false;
    const YearMonthDay d = SplitDate(serial);
    return d.year == year && d.month == month;
}

}  // namespace varnel
