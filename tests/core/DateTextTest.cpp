#include <gtest/gtest.h>

#include "core/common/DateFormat.h"
#include "core/common/DateSerial.h"

namespace varnel {
namespace {

TEST(DateSerial, KnownDates) {
    EXPECT_EQ(DateSerial(1899, 12, 30), 0);
    EXPECT_EQ(DateSerial(1900, 1, 1), 2);
    EXPECT_EQ(DateSerial(2024, 10, 3), 45568);
    EXPECT_EQ(DateSerial(1, 1, 1), kMinSerial);
    EXPECT_EQ(DateSerial(9999, 12, 31), kMaxSerial);
    EXPECT_EQ(Weekday(0), 7);                          // Saturday
    EXPECT_EQ(Weekday(DateSerial(2024, 10, 3)), 5);    // Thursday
    EXPECT_EQ(Weekday(DateSerial(1, 1, 1)), 2);        // Monday (proleptic Gregorian)
    EXPECT_EQ(DateSerial(2024, 13, 1), DateSerial(2025, 1, 1));
    EXPECT_EQ(DateSerial(2024, 3, 0), DateSerial(2024, 2, 29));
    EXPECT_EQ(DateSerial(2024, 0, 1), DateSerial(2023, 12, 1));
    EXPECT_EQ(DayOfYear(DateSerial(2024, 12, 31)), 366);
    for (int32_t s = kMinSerial; s <= kMaxSerial; s += 101) {
        const YearMonthDay d = SplitDate(s);
        ASSERT_TRUE(IsValidDate(d.year, d.month, d.day)) << s;
        ASSERT_EQ(DateSerial(d.year, d.month, d.day), s);
    }
}

TEST(DateFormat, PatternsOfTheViews) {
    const int32_t d = DateSerial(2026, 3, 7);
    EXPECT_EQ(FormatDate(d, "mmmm yyyy"), "March 2026");
    EXPECT_EQ(FormatDate(d, "dddd, mmmm, d, yyyy"), "Saturday, March, 7, 2026");
    EXPECT_EQ(FormatDate(d, "dddd mm/dd/yyyy"), "Saturday 03/07/2026");
    EXPECT_EQ(FormatDate(d, "ddd mmm d"), "Sat Mar 7");
    EXPECT_EQ(FormatDateTime(d + 18.0 / 24 + 5.0 / 1440, "h:mm AMPM"), "6:05 PM");
    EXPECT_EQ(FormatDateTime(d + 0.5 / 24, "h:mm AMPM"), "12:30 AM");
    EXPECT_EQ(FormatDateTime(d + 12.0 / 24, "h:mm AMPM"), "12:00 PM");
    EXPECT_EQ(FormatDateTime(d + 7.5 / 24 + 9.0 / 86400, "hh:mm:ss"), "07:30:09");
    EXPECT_EQ(FormatDate(d, "\"Day\" d"), "Day 7");
    EXPECT_EQ(MonthName(13), "");
    EXPECT_EQ(WeekdayName(0), "");
}

TEST(DateFormat, RoundsToTheSecondAcrossMidnight) {
    const ClockTime t = SplitDateTime(DateSerial(2026, 1, 1) + 1.0 - 0.2 / 86400);
    EXPECT_EQ(t.date, DateSerial(2026, 1, 2));
    EXPECT_EQ(t.hour, 0);
    const ClockTime before = SplitDateTime(DateSerial(2026, 1, 1) - 0.25);
    EXPECT_EQ(before.date, DateSerial(2025, 12, 31));
    EXPECT_EQ(before.hour, 18);
}

}  // namespace
}  // namespace varnel
