#include <gtest/gtest.h>

#include <cstdint>

#include "core/common/Date.h"
#include "core/common/DateFormat.h"
#include "core/common/Json.h"

namespace varnel {
namespace {

TEST(Date, KnownDatesAndTheStoredSerial) {
    EXPECT_EQ(Date(1899, 12, 30).Serial(), 0);
    EXPECT_EQ(Date(1900, 1, 1).Serial(), 2);
    EXPECT_EQ(Date(2024, 10, 3).Serial(), 45568);
    EXPECT_EQ(kFirstDate, Date(1, 1, 1));
    EXPECT_EQ(kLastDate, Date(9999, 12, 31));
    EXPECT_EQ(Date(1, 1, 1).Weekday(), kMonday);  // proleptic Gregorian
    // Months and days run over as in date arithmetic.
    EXPECT_EQ(Date(2024, 13, 1), Date(2025, 1, 1));
    EXPECT_EQ(Date(2024, 3, 0), Date(2024, 2, 29));
    EXPECT_EQ(Date(2024, 0, 1), Date(2023, 12, 1));
    EXPECT_EQ(Date(2024, -13, 1), Date(2022, 11, 1));
    EXPECT_EQ(Date(2024, 12, 31).DayOfYear(), 366);
    EXPECT_EQ(Date(2026, 3, 4).SaturdayOnOrAfter(), Date(2026, 3, 7));
    EXPECT_EQ(Date(2026, 3, 7).SaturdayOnOrAfter(), Date(2026, 3, 7));
    EXPECT_EQ(Date(2025, 1, 1) - Date(2024, 1, 1), 366);
    EXPECT_FALSE((kFirstDate - 1).IsInSupportedRange());
    EXPECT_FALSE((kLastDate + 1).IsInSupportedRange());
    for (Date d = kFirstDate; d <= kLastDate; d += 101) {
        const YearMonthDay ymd = d.Parts();
        ASSERT_TRUE(IsValidDate(ymd.year, ymd.month, ymd.day)) << d.Serial();
        ASSERT_EQ(Date(ymd.year, ymd.month, ymd.day), d);
        ASSERT_EQ(Date::FromSerial(d.Serial()), d);
    }
}

TEST(DateFormat, TheFormsTheProgramShows) {
    const Date d(2026, 3, 7);
    EXPECT_EQ(MonthYearText(d), "March 2026");
    EXPECT_EQ(LongDateText(d), "Saturday, March 7, 2026");
    EXPECT_EQ(NoteDateText(d), "Saturday, March, 7, 2026");
    EXPECT_EQ(WeekdayMonthDayText(d), "Saturday, March 7");
    EXPECT_EQ(MonthDayYearText(d), "March 7, 2026");
    EXPECT_EQ(WeekdayNumericDateText(d), "Saturday 03/07/2026");
    EXPECT_EQ(ShortWeekdayDateText(d), "Sat Mar 07");
    EXPECT_EQ(IsoWeekdayText(d), "2026-03-07 Sat");
    EXPECT_EQ(IsoWeekdayText(Date(999, 1, 2)), "999-01-02 Wed");
    EXPECT_EQ(IsoDate(Date(999, 1, 2)), "0999-01-02");
    EXPECT_EQ(MonthDayNumbersText(d), "03/07");
    EXPECT_EQ(ShortNumericDateText(d), "3-07-2026");
    const double at = d.Serial();
    EXPECT_EQ(ClockText(at + 18.0 / 24 + 5.0 / 1440), "6:05 PM");
    EXPECT_EQ(ClockText(at + 0.5 / 24), "12:30 AM");
    EXPECT_EQ(ClockText(at + 12.0 / 24), "12:00 PM");
    EXPECT_EQ(PrintStampText(Date(2007, 3, 7).Serial() + 7.5 / 24 + 9.0 / 86400), "03/07/07-0730");
    EXPECT_EQ(MonthName(13), "");
    EXPECT_EQ(WeekdayName(0), "");
}

TEST(DateFormat, RoundsToTheSecondAcrossMidnight) {
    const ClockTime t = SplitDateTime(Date(2026, 1, 1).Serial() + 1.0 - 0.2 / 86400);
    EXPECT_EQ(t.date, Date(2026, 1, 2));
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(ClockText(Date(2026, 1, 1).Serial() + 0.5 - 0.4 / 86400), "12:00 PM");
    const ClockTime before = SplitDateTime(Date(2026, 1, 1).Serial() - 0.25);
    EXPECT_EQ(before.date, Date(2025, 12, 31));
    EXPECT_EQ(before.hour, 18);
}

}  // namespace
}  // namespace varnel
