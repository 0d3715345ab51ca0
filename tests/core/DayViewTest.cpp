#include <gtest/gtest.h>

#include "HebrewOracles.h"
#include "core/calendar/HebrewCalendar.h"
#include "core/common/Date.h"
#include "core/common/Json.h"
#include "core/views/DayView.h"
#include "core/views/MonthView.h"

namespace varnel {
namespace {

// A month grid as the month view leaves it: each day cell carries its date and
// its text as data; other cells are empty.
Grid MonthGrid(Date first, const std::string& text) {
    Grid g(7, 7);
    const int w = first.Weekday() - 1;
    const int days = DaysInMonth(first.Year(), first.Month());
    for (int i = 0; i < days; ++i) {
        GridCell* cell = g.MutableCell(1 + (w + i) / 7, (w + i) % 7);
        cell->data = text;
        cell->date = first + i;
    }
    return g;
}

// The cell of a day of the month.
void CellOf(Date first, int day, int& row, int& col) {
    const int w = first.Weekday() - 1;
    row = 1 + (w + day - 1) / 7;
    col = (w + day - 1) % 7;
}

// The feast dates of a Hebrew year from libhdate (months 1 Tishrei .. 7 Nisan, 9 Sivan).
int32_t HdateFeast(int hebrewYear, Feast feast) {
    int t1 = 0, t2 = 0;
    switch (feast) {
        case Feast::RoshHashanah: return hdate_hdate_to_jd(1, 1, hebrewYear, &t1, &t2);
        case Feast::YomKippur: return hdate_hdate_to_jd(10, 1, hebrewYear, &t1, &t2);
        case Feast::Sukkot: return hdate_hdate_to_jd(15, 1, hebrewYear, &t1, &t2);
        case Feast::Pesach: return hdate_hdate_to_jd(15, 7, hebrewYear, &t1, &t2);
        case Feast::Shavuot: return hdate_hdate_to_jd(6, 9, hebrewYear, &t1, &t2);
    }
    return 0;
}

// The countdown against libhdate, with ICU as a second opinion on each year's
// new-year day. The groups are the Hebrew years from the next 1 Tishrei after
// the date. When 1 Tishrei of the date's common year has passed, the first
// group counts its autumn feasts from the next common year (so that year's
// autumn is listed twice) and its Pesach and Shavuot from the coming spring.
TEST(DayView, CountdownAgainstLibhdateAndIcu) {
    testing::IcuOracle icu;
    int checked = 0, repeated = 0;
    for (Date date = Date(1900, 1, 3); date < Date(2200, 1, 1); date += 5) {
        const int32_t today = DateToJulianDay(date);
        const int year = date.Year();
        const int firstYear = testing::HdateOf(GregorianToJulianDay(year, 1, 1, 1)).year + 1;  // starts in autumn
        const bool passed = HdateFeast(firstYear, Feast::RoshHashanah) <= today;
        // Hebrew year of each row.
        std::vector<int> years;
        for (int k = 0; k < 8; ++k)
            for (int f = 0; f < 5; ++f)
                years.push_back(!passed ? firstYear + k : k > 0 ? firstYear + k : f < 3 ? firstYear + 1 : firstYear);
        bool oraclesAgree = true;
        for (int h = firstYear; h <= firstYear + 8; ++h) oraclesAgree &= icu.NewYear(h) == HdateFeast(h, Feast::RoshHashanah);
        if (!oraclesAgree) continue;

        const std::vector<FeastDate> got = FeastCountdown(date);
        ASSERT_EQ(got.size(), 40u);
        for (size_t i = 0; i < got.size(); ++i) {
            const Feast feast = static_cast<Feast>(i % 5);
            ASSERT_EQ(got[i].feast, feast);
            ASSERT_EQ(got[i].hebrewYear, years[i]) << "date " << IsoDate(date) << " row " << i;
            ASSERT_EQ(got[i].dayNumber, HdateFeast(years[i], feast)) << "date " << IsoDate(date) << " row " << i;
            ASSERT_EQ(got[i].daysAway, got[i].dayNumber - today);
            ASSERT_GT(got[i].daysAway, 0);  // every feast listed lies ahead
        }
        ++checked;
        repeated += passed ? 1 : 0;
    }
    EXPECT_GT(checked, 20000);
    EXPECT_GT(repeated, 5000);
}

TEST(DayView, TitleLinesAndCountdownRows) {
    const Date first = Date(2025, 9, 1);
    const Grid month = MonthGrid(first, "Elul 8\r\n  Second line  \r\nThird\r\n");
    int row = 0, col = 0;
    CellOf(first, 23, row, col);
    DayViewModel m;
    ShowDay(month, first, row, col, 9000, m);
    EXPECT_EQ(m.day, Date(2025, 9, 23));
    EXPECT_EQ(m.title, "Tishrei 1, 5786 - Tuesday 09/23/2025");
    EXPECT_EQ(m.grid.Cell(0, 0).text, "Elul 8");
    EXPECT_EQ(m.grid.Cell(0, 1).text + "|" + m.grid.Cell(1, 1).text + "|" + m.grid.Cell(2, 1).text, "|Second line|Third");
    EXPECT_EQ(m.grid.Cell(3, 0).text + m.grid.Cell(4, 0).text, "");
    EXPECT_EQ(m.grid.Cell(5, 0).text, "Rosh Hashanah in year 5787 is:");
    EXPECT_EQ(m.grid.Cell(5, 1).text, std::to_string(Date(2026, 9, 12) - *m.day) + " days away");
    EXPECT_EQ(m.grid.Cell(6, 0).text, "Yom Kippur in year 5787 is:");
    EXPECT_EQ(m.grid.Cell(8, 0).text, "Pesach in year 5786 is:");
    EXPECT_EQ(m.lastRow, 5 + 39);
    EXPECT_EQ(m.grid.Cell(45, 0).text, "");
}

// A cell without a day selects the first of the month; a day's cell selects that day.
TEST(DayView, AnEmptyCellSelectsTheFirstOfTheMonth) {
    const Date first = Date(2025, 10, 1);  // a Wednesday: row 1, column 3
    const Grid month = MonthGrid(first, "text");
    const struct {
        int row, col;  // asked
        int day;       // shown, at its own cell
    } cases[] = {{1, 0, 1}, {0, -1, 1}, {6, 6, 1}, {57, -9, 1}, {5, 5, 31}};  // before the 1st, none, check box, outside
    for (const auto& c : cases) {
        DayViewModel m;
        int row = c.row, col = c.col;
        ShowDay(month, first, row, col, 9000, m);
        const MonthCell at = MonthCellOf(first, c.day);
        EXPECT_EQ(m.day, first + (c.day - 1)) << c.row << "," << c.col;
        if (c.row <= 1 || c.day == 31) {  // the selection moves to the day shown
            EXPECT_EQ(std::pair(row, col), std::pair(at.row, at.col)) << c.row << "," << c.col;
        }
        if (c.row == 1) {
            EXPECT_EQ(m.title, "Tishrei 9, 5786 - Wednesday 10/01/2025");
        }
    }
}

// A day of one line (here none: a month never rendered) starts the countdown at row 3.
TEST(DayView, AMonthNeverRenderedShowsItsFirstDay) {
    const Grid empty;
    DayViewModel m;
    int row = 3, col = 2;
    ShowDay(empty, Date(2026, 2, 1), row, col, 9000, m);
    EXPECT_EQ(m.day, Date(2026, 2, 1));
    EXPECT_EQ(m.grid.Cell(0, 0).text + m.grid.Cell(1, 0).text + m.grid.Cell(2, 1).text, "");
    EXPECT_EQ(m.grid.Cell(3, 0).text, "Rosh Hashanah in year 5787 is:");
}

TEST(DayView, TheLastYearsOfTheCalendarDoNotFail) {
    const Date first = Date(9999, 12, 1);
    const Grid month = MonthGrid(first, "x");
    int row = 5, col = 5;
    DayViewModel m;
    ShowDay(month, first, row, col, 9000, m);
    EXPECT_EQ(m.grid.Cell(3, 0).text.rfind("Rosh Hashanah in year ", 0), 0u);
    EXPECT_EQ(m.lastRow, 42);
}

}  // namespace
}  // namespace varnel
