#include <gtest/gtest.h>

#include <chrono>

#include "HebrewOracles.h"
#include "core/calendar/HebrewCalendar.h"
#include "core/calendar/HolyDays.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/views/YearView.h"

namespace varnel {
namespace {

constexpr Color kHoly = RGB(255, 255, 128);
constexpr Color kShabbat = RGB(192, 64, 0);
constexpr Color kWhite = RGB(255, 255, 255);
constexpr Color kBlack = RGB(0, 0, 0);

// Finds the cell showing a day number in a month grid; false if none or several.
bool FindDay(const Grid& g, int day, int& row, int& col) {
    int found = 0;
    const std::string text = std::to_string(day);
    for (int r = 1; r < 7; ++r)
        for (int c = 0; c < 7; ++c)
            if (g.Cell(r, c).text == text) {
                row = r;
                col = c;
                ++found;
            }
    return found == 1;
}

// Day placement and Shabbat colouring against the standard library's calendar
// over two centuries: every day exactly once, in its weekday's column, the
// weeks in order, and no day cells beyond the month's last day (29 February
// in 2000 and every fourth year, not in 1900 or 2100).
TEST(YearView, DaysSitInTheirWeekdayColumnsOverTwoCenturies) {
    using namespace std::chrono;
    PlacedHolyDays none;
    YearViewModel model;
    for (int y = 1900; y <= 2100; ++y) {
        ShowYear(static_cast<int16_t>(y), none, kHoly, kShabbat, model);
        ASSERT_EQ(model.title, std::to_string(y));
        for (int m = 1; m <= 12; ++m) {
            const Grid& g = model.grids[static_cast<size_t>(m - 1)];
            ASSERT_EQ(g.Rows(), 7);
            ASSERT_EQ(g.Cols(), 7);
            const unsigned last = static_cast<unsigned>((year(y) / month(m) / std::chrono::last).day());
            int dayCells = 0;
            for (int r = 1; r < 7; ++r)
                for (int c = 0; c < 7; ++c) dayCells += g.Cell(r, c).text.empty() ? 0 : 1;
            ASSERT_EQ(dayCells, static_cast<int>(last)) << y << "-" << m;
            int previousRow = 1;
            for (unsigned d = 1; d <= last; ++d) {
                int row = 0, col = 0;
                ASSERT_TRUE(FindDay(g, static_cast<int>(d), row, col)) << y << "-" << m << "-" << d;
                const unsigned weekday = year_month_weekday(sys_days(year(y) / month(m) / day(d))).weekday().c_encoding();
                ASSERT_EQ(col, static_cast<int>(weekday)) << y << "-" << m << "-" << d;
                ASSERT_TRUE(row == previousRow || (row == previousRow + 1 && col == 0));
                previousRow = row;
                const GridCell& cell = g.Cell(row, col);
                ASSERT_EQ(cell.background, col == 6 ? kShabbat : kWhite);
                ASSERT_EQ(cell.foreground, col == 6 ? kWhite : kBlack);
            }
        }
    }
}

TEST(YearView, YearStartingOnShabbat) {
    PlacedHolyDays none;
    YearViewModel model;
    ShowYear(2022, none, kHoly, kShabbat, model);  // 1 January 2022 was a Saturday
    const Grid& jan = model.grids[0];
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(jan.Cell(1, c).text, "");
        EXPECT_EQ(jan.Cell(1, c).background, kShadowColor);
        EXPECT_EQ(jan.Cell(1, c).foreground, kWhite);
    }
    EXPECT_EQ(jan.Cell(6, 2).background, kShadowColor);  // after the 31st
    EXPECT_EQ(model.monthLabels[0], "January 2022");
    EXPECT_EQ(model.monthLabels[11], "December 2022");
    const char* letters[7] = {"S", "M", "T", "W", "T", "F", "S"};
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(jan.Cell(0, c).text, letters[c]);
        EXPECT_EQ(jan.Cell(0, c).alignment, CellAlignment::CenterCenter);
    }
    EXPECT_EQ(jan.ColumnsAlignment(), CellAlignment::CenterCenter);
}

TEST(YearView, HolyDaysPaintOnlyTheirOwnMonthOfTheShownYear) {
    PlacedHolyDays table(4);
    table[0].name = "Placed nowhere";  // no date
    table[1].name = "Shabbat feast";
    table[1].date = Date(2026, 3, 7);  // a Saturday
    table[2].name = "Last year's December";
    table[2].date = Date(2025, 12, 20);
    table[3].name = "Next year's January";
    table[3].date = Date(2027, 1, 3);
    YearViewModel model;
    ShowYear(2026, table, kHoly, kShabbat, model);
    int holyCells = 0;
    for (const Grid& g : model.grids)
        for (int r = 1; r < 7; ++r)
            for (int c = 0; c < 7; ++c) holyCells += g.Cell(r, c).background == kHoly ? 1 : 0;
    EXPECT_EQ(holyCells, 1);
    int row = 0, col = 0;
    ASSERT_TRUE(FindDay(model.grids[2], 7, row, col));
    EXPECT_EQ(col, 6);
    EXPECT_EQ(model.grids[2].Cell(row, col).background, kHoly);  // holy day over Shabbat
    EXPECT_EQ(model.grids[2].Cell(row, col).foreground, kBlack);
    ASSERT_TRUE(FindDay(model.grids[11], 20, row, col));
    EXPECT_EQ(model.grids[11].Cell(row, col).background, kWhite);
    ASSERT_TRUE(FindDay(model.grids[0], 3, row, col));
    EXPECT_EQ(model.grids[0].Cell(row, col).background, kShabbat);  // 3 January 2026, a Saturday
}

TEST(YearView, YearOutsideTheCalendarLeavesTheModel) {
    PlacedHolyDays none;
    YearViewModel model;
    ShowYear(2026, none, kHoly, kShabbat, model);
    for (int outside : {0, -5, 10000}) ShowYear(static_cast<int16_t>(outside), none, kHoly, kShabbat, model);
    EXPECT_EQ(model.year, 2026);
    EXPECT_EQ(model.title, "2026");
    ShowYear(1, none, kHoly, kShabbat, model);
    EXPECT_EQ(model.year, 1);
    EXPECT_EQ(model.grids[0].Cell(1, 1).text, "1");  // 1 January 1, a Monday
    ShowYear(9999, none, kHoly, kShabbat, model);
    EXPECT_EQ(model.monthLabels[11], "December 9999");
}

}  // namespace
}  // namespace varnel
