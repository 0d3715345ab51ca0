#pragma once
// Hebrew calendar arithmetic: day numbers (Julian Day Numbers of civil days),
// the common calendar (Julian up to 14 October 1582, Gregorian from 15 October
// 1582), and the Hebrew calendar with its molad rule and postponements.
//
// Hebrew months are numbered from Tishrei = 1 in year order (in a leap year 6 is
// Adar I and 7 Adar II). As inputs to HebrewToJulianDay and the operations built
// on it, months may also be counted back from Elul: -1 Elul ... -6 Nisan,
// -7 Adar (Adar II in a leap year).
//
// Nothing here throws or loops without bound; inputs outside the calendar give
// the documented fallbacks (Hebrew date 0/0/0, a month of 30 days, an empty name).
#include <cstdint>
#include <string>

#include "core/common/Date.h"

namespace varnel {

inline constexpr int32_t kHebrewEpoch = 347997;  // day number before 1 Tishrei of year 1
inline constexpr int kGregorianSelector = 1;

struct HebrewDate {
    int year = 0;
    int month = 0;  // year order
    int day = 0;
};

bool HebrewLeapYear(int year);
int32_t HebrewElapsedDays(int year);
int DaysInHebrewYear(int year);
bool LongCheshvan(int year);
bool ShortKislev(int year);
int DaysInHebrewMonth(int year, int month);
const std::string& HebrewMonthName(int year, int month);

int32_t HebrewToJulianDay(int year, int month, int day);
void JulianDayToHebrew(int32_t dayNumber, int& year, int& month, int& day);
int32_t GregorianToJulianDay(int year, int month, int day, int selector);
void JulianDayToGregorian(int32_t dayNumber, int& year, int& month, int& day);
// The date of a day number (Julian before the reform, Gregorian from it); 0
// gives the serial epoch.
Date JulianDayToDate(int32_t dayNumber);
// Replaces a common date by the Hebrew year, year-order month and day.
void GregorianToHebrew(int& year, int& month, int& day);
// First occurrence of a Hebrew month/day on or after 1 January of the common year.
int32_t HebrewDateFromJanuary(int year, int hebrewMonth, int hebrewDay, int selector);
// Last occurrence of a Hebrew month/day on or before 31 December of the common year.
int32_t HebrewDateUntilDecember(int year, int hebrewMonth, int hebrewDay, int selector);

// The day number of a date, its year, month and day read through the
// Gregorian selector (so Julian before the reform), and its Hebrew date.
int32_t DateToJulianDay(Date date);
HebrewDate HebrewDateOf(Date date);

}  // namespace varnel
