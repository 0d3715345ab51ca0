#pragma once
// Two independent oracles for the Hebrew arithmetic: ICU's Hebrew calendar and
// libhdate. ICU 72 misplaces Rosh Hashanah in a few dozen pairs of years (it
// postpones a Monday new year after a leap year where the molad is too early
// for that rule, e.g. 5807 / 1 October 2046, which libhdate and the printed
// calendars put on the Monday), so a day counts as known when both agree.
#include <hdate.h>
#include <unicode/calendar.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <cstdint>
#include <memory>
#include <stdexcept>

namespace varnel::testing {

struct IcuHebrew {
    int year, month, day;  // month in year order from Tishrei = 1, as the engine counts
};

class IcuOracle {
public:
    IcuOracle() {
        UErrorCode status = U_ZERO_ERROR;
        hebrew_.reset(icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(),
                                                    icu::Locale("en_US@calendar=hebrew"), status));
        if (U_FAILURE(status)) throw std::runtime_error("ICU Hebrew calendar unavailable");
    }

    // The Hebrew date of a Julian Day Number.
    IcuHebrew HebrewOf(int32_t dayNumber) {
        UErrorCode status = U_ZERO_ERROR;
        hebrew_->setTime(MillisOf(dayNumber), status);
        const int year = hebrew_->get(UCAL_YEAR, status);
        const int icuMonth = hebrew_->get(UCAL_MONTH, status);  // 0 Tishrei .. 5 Adar I, 6 Adar .. 12 Elul
        const int day = hebrew_->get(UCAL_DATE, status);
        const bool leap = ((7 * year + 1) % 19) < 7;
        const int month = leap || icuMonth < 5 ? icuMonth + 1 : icuMonth;
        return {year, month, day};
    }

    // The Julian Day Number of 1 Tishrei of a Hebrew year.
    int32_t NewYear(int hebrewYear) {
        UErrorCode status = U_ZERO_ERROR;
        hebrew_->clear();
        hebrew_->set(hebrewYear, 0, 1);
        const double ms = hebrew_->getTime(status);
        return DayNumberOf(ms);
    }

    // The Julian Day Number of a Hebrew date, the month in the engine's year order.
    int32_t DayNumberOf(int hebrewYear, int month, int day) {
        UErrorCode status = U_ZERO_ERROR;
        const bool leap = ((7 * hebrewYear + 1) % 19) < 7;
        hebrew_->clear();
        hebrew_->set(hebrewYear, leap || month < 6 ? month - 1 : month, day);
        return hebrew_->get(UCAL_JULIAN_DAY, status);
    }

    // Days in a Hebrew month and year as ICU counts them.
    int MonthLength(int hebrewYear, int month) {
        UErrorCode status = U_ZERO_ERROR;
        const bool leap = ((7 * hebrewYear + 1) % 19) < 7;
        hebrew_->clear();
        hebrew_->set(hebrewYear, leap || month < 6 ? month - 1 : month, 1);
        return hebrew_->getActualMaximum(UCAL_DATE, status);
    }

    static double MillisOf(int32_t dayNumber) { return (static_cast<double>(dayNumber) - 2440588.0) * 86400000.0; }
    static int32_t DayNumberOf(double ms) { return static_cast<int32_t>(ms / 86400000.0 + 2440588.0 + 0.5); }

private:
    std::unique_ptr<icu::Calendar> hebrew_;
};

// ICU's common calendar: Julian up to 4 October 1582, Gregorian from 15 October 1582.
class IcuCommonCalendar {
public:
    IcuCommonCalendar() {
        UErrorCode status = U_ZERO_ERROR;
        calendar_ = std::make_unique<icu::GregorianCalendar>(icu::TimeZone::getGMT()->clone(), status);
        if (U_FAILURE(status)) throw std::runtime_error("ICU Gregorian calendar unavailable");
    }
    int32_t DayNumberOf(int year, int month, int day) {
        UErrorCode status = U_ZERO_ERROR;
        calendar_->clear();
        calendar_->set(year, month - 1, day);
        return calendar_->get(UCAL_JULIAN_DAY, status);
    }
    void DateOf(int32_t dayNumber, int& year, int& month, int& day) {
        UErrorCode status = U_ZERO_ERROR;
        calendar_->clear();
        calendar_->set(UCAL_JULIAN_DAY, dayNumber);
        year = calendar_->get(UCAL_EXTENDED_YEAR, status);
        month = calendar_->get(UCAL_MONTH, status) + 1;
        day = calendar_->get(UCAL_DATE, status);
    }

private:
    std::unique_ptr<icu::GregorianCalendar> calendar_;
};

// libhdate numbers months 1..12 Tishrei..Elul and 13, 14 for Adar I and II.
inline IcuHebrew HdateOf(int32_t dayNumber) {
    int d = 0, m = 0, y = 0, tishrei1 = 0, nextTishrei1 = 0;
    hdate_jd_to_hdate(dayNumber, &d, &m, &y, &tishrei1, &nextTishrei1);
    const bool leap = ((7 * y + 1) % 19) < 7;
    int month = m;
    if (m == 13) month = 6;
    else if (m == 14) month = 7;
    else if (leap && m >= 7) month = m + 1;
    return {y, month, d};
}

inline bool operator==(const IcuHebrew& a, const IcuHebrew& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

}  // namespace varnel::testing
