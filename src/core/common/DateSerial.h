#pragma once
// Calendar dates as whole-day serials: 0 = 30 December 1899, the proleptic
// Gregorian calendar on both sides (the system's date type). The supported
// range is 1 January 1 to 31 December 9999.
#include <cstdint>

namespace varnel {

struct YearMonthDay {
    int year = 0;
    int month = 0;
    int day = 0;
};

inline constexpr int kMinYear = 1;
inline constexpr int kMaxYear = 9999;
// Serials of 1 January 1 and 31 December 9999.
inline constexpr int32_t kMinSerial = -693593;
inline constexpr int32_t kMaxSerial = 2958465;

// Days in a month of the proleptic Gregorian calendar; 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day);
// Serial of a date. Like the system's DateSerial, month and day may run over
// (month 13 is January of the next year, day 0 the last day of the month before).
int32_t DateSerial(int year, int month, int day);
YearMonthDay SplitDate(int32_t serial);
int YearOf(int32_t serial);
int MonthOf(int32_t serial);
int DayOf(int32_t serial);
// 1 = Sunday ... 7 = Saturday.
int Weekday(int32_t serial);
inline constexpr int kSunday = 1;
inline constexpr int kThursday = 5;
inline constexpr int kFriday = 6;
inline constexpr int kSaturday = 7;
// The Saturday on or after a date (the date itself when it is one).
inline int32_t SaturdayOnOrAfter(int32_t serial) { return serial + (kSaturday - Weekday(serial)); }
// Whether a date (0: none) falls in a month of a common year.
bool IsInMonth(int32_t serial, int year, int month);
// 1 for 1 January.
int DayOfYear(int32_t serial);
bool IsInSupportedRange(int32_t serial);
// Today's date from the system clock, local time.
int32_t Today();

}  // namespace varnel
