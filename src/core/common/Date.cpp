#include "core/common/Date.h"

#include <algorithm>
#include <ctime>
#include <limits>

namespace varnel {

Date::Date(int year, int month, int day) {
    using namespace std::chrono;
    // Carry whole years out of the month first; chrono's year holds ±32767.
    const int64_t months = static_cast<int64_t>(year) * 12 + (static_cast<int64_t>(month) - 1);
    const int64_t y = std::clamp<int64_t>(months >= 0 ? months / 12 : (months - 11) / 12, -32767, 32767);
    const auto m = static_cast<unsigned>(months - (months >= 0 ? months / 12 : (months - 11) / 12) * 12 + 1);
    const sys_days first{std::chrono::year{static_cast<int>(y)} / std::chrono::month{m} / 1};
    const int64_t serial = first.time_since_epoch().count() + kUnixEpoch + (static_cast<int64_t>(day) - 1);
    days_ = static_cast<int32_t>(std::clamp<int64_t>(serial, std::numeric_limits<int32_t>::min(),
                                                     std::numeric_limits<int32_t>::max()));
}

YearMonthDay Date::Parts() const {
    const std::chrono::year_month_day ymd{SysDays()};
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

int Date::DayOfYear() const { return *this - Date(Year(), 1, 1) + 1; }

bool Date::IsInSupportedRange() const { return *this >= kFirstDate && *this <= kLastDate; }

bool Date::IsInMonth(int year, int month) const {
    const YearMonthDay d = Parts();
    return d.year == year && d.month == month;
}

int DaysInMonth(int year, int month) {
    if (month < 1 || month > 12) return 0;
    using namespace std::chrono;
    const year_month_day_last last{std::chrono::year{std::clamp(year, -32767, 32767)} / std::chrono::month{static_cast<unsigned>(month)} / std::chrono::last};
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

bool IsValidDate(int year, int month, int day) {
    return year >= kMinYear && year <= kMaxYear && day >= 1 && day <= DaysInMonth(year, month);
}

Date Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Date(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace varnel
