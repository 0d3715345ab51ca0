#pragma once
// A civil date of the proleptic Gregorian calendar, as a value: whole days,
// arithmetic in days, comparisons, its year, month, day and weekday. The
// supported range is 1 January 1 to 31 December 9999.
//
// Stored files and the window's hidden day field keep a date as a serial
// (0 = 30 December 1899); Serial() and FromSerial() convert at that boundary
// and nowhere else. "No date" is std::optional<Date>, never a magic value.
#include <chrono>
#include <compare>
#include <cstdint>

namespace varnel {

struct YearMonthDay {
    int year = 0;
    int month = 0;
    int day = 0;
};

inline constexpr int kMinYear = 1;
inline constexpr int kMaxYear = 9999;

// Weekdays as the calendar counts them: 1 = Sunday ... 7 = Saturday.
inline constexpr int kSunday = 1;
inline constexpr int kMonday = 2;
inline constexpr int kTuesday = 3;
inline constexpr int kThursday = 5;
inline constexpr int kFriday = 6;
inline constexpr int kSaturday = 7;

class Date {
public:
    // 30 December 1899, the serial epoch; a placeholder until a real date is set.
    constexpr Date() = default;
    // Month and day may run over, as in date arithmetic: month 13 is January
    // of the next year, day 0 the last day of the month before.
    Date(int year, int month, int day);
    constexpr explicit Date(std::chrono::sys_days day) : days_(static_cast<int32_t>(day.time_since_epoch().count()) + kUnixEpoch) {}

    static constexpr Date FromSerial(int32_t serial) { return Date(Raw{serial}); }
    constexpr int32_t Serial() const { return days_; }
    constexpr std::chrono::sys_days SysDays() const { return std::chrono::sys_days{std::chrono::days{days_ - kUnixEpoch}}; }

    YearMonthDay Parts() const;
    int Year() const { return Parts().year; }
    int Month() const { return Parts().month; }
    int Day() const { return Parts().day; }
    // 1 = Sunday ... 7 = Saturday.
    int Weekday() const { return static_cast<int>(std::chrono::weekday{SysDays()}.c_encoding()) + 1; }
    // 1 for 1 January.
    int DayOfYear() const;
    bool IsInMonth(int year, int month) const;
    // The Saturday on or after this date (the date itself when it is one).
    Date SaturdayOnOrAfter() const { return *this + (kSaturday - Weekday()); }
    bool IsInSupportedRange() const;

    constexpr Date operator+(int days) const { return Date(Raw{days_ + days}); }
    // A fraction of a day is a time, not a date: write Serial() + fraction.
    Date operator+(double) const = delete;
    Date operator-(double) const = delete;
    constexpr Date operator-(int days) const { return Date(Raw{days_ - days}); }
    constexpr int operator-(Date other) const { return days_ - other.days_; }
    constexpr Date& operator+=(int days) { days_ += days; return *this; }
    constexpr Date& operator-=(int days) { days_ -= days; return *this; }
    constexpr Date& operator++() { ++days_; return *this; }
    constexpr Date& operator--() { --days_; return *this; }
    constexpr auto operator<=>(const Date&) const = default;

private:
    struct Raw {
        int32_t days;
    };
    constexpr explicit Date(Raw raw) : days_(raw.days) {}

    static constexpr int32_t kUnixEpoch = 25569;  // 1 January 1970
    int32_t days_ = 0;
};

// 1 January 1 and 31 December 9999.
inline constexpr Date kFirstDate = Date::FromSerial(-693593);
inline constexpr Date kLastDate = Date::FromSerial(2958465);

// Days in a month of the proleptic Gregorian calendar; 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day);
// Today's date from the system clock, local time.
Date Today();

}  // namespace varnel
