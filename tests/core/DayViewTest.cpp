#include <gtest/gtest.h>

#include <algorithm>
#include <set>

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
// new-year day: each feast's next eight occurrences from the date on (the date
// itself included), one a Hebrew year, all in date order.
TEST(DayView, CountdownAgainstLibhdateAndIcu) {
    testing::IcuOracle icu;
    int checked = 0;
    for (Date date = Date(1900, 1, 3); date < Date(2200, 1, 1); date += 5) {
        const int32_t today = DateToJulianDay(date);
        const int thisYear = testing::HdateOf(today).year;
        bool oraclesAgree = true;
        for (int h = thisYear; h <= thisYear + 9; ++h) oraclesAgree &= icu.NewYear(h) == HdateFeast(h, Feast::RoshHashanah);
        if (!oraclesAgree) continue;
        std::vector<std::pair<int32_t, int>> expected;  // day number, Hebrew year
        for (int f = 0; f < kFeastCount; ++f) {
            const Feast feast = static_cast<Feast>(f);
            int h = HdateFeast(thisYear, feast) >= today ? thisYear : thisYear + 1;
            for (int k = 0; k < kCountdownYears; ++k, ++h) expected.emplace_back(HdateFeast(h, feast), h);
        }
        std::sort(expected.begin(), expected.end());
        const std::vector<FeastDate> got = FeastCountdown(date, OmerReckoning::Nisan16);
        ASSERT_EQ(got.size(), expected.size());
        for (size_t i = 0; i < got.size(); ++i) {
            ASSERT_EQ(got[i].dayNumber, expected[i].first) << "date " << IsoDate(date) << " row " << i;
            ASSERT_EQ(got[i].hebrewYear, expected[i].second) << "date " << IsoDate(date) << " row " << i;
            ASSERT_EQ(got[i].daysAway, got[i].dayNumber - today);
        }
        ++checked;
    }
    EXPECT_GT(checked, 20000);
}

TEST(DayView, CountdownStartsAtTheNearestFeastAndListsEachYearOnce) {
    // 17 April 2027: Pesach 5787 is five days away.
    const std::vector<FeastDate> april = FeastCountdown(Date(2027, 4, 17));
    EXPECT_EQ(april[0].feast, Feast::Pesach);
    EXPECT_EQ(april[0].hebrewYear, 5787);
    EXPECT_EQ(april[0].daysAway, 5);
    // Shavuot as each reckoning places it: the Saturday after seven weeks from
    // the Sabbath in Pesach (12 June 2027), or 6 Sivan (11 June).
    EXPECT_EQ(april[1].feast, Feast::Shavuot);
    EXPECT_EQ(april[1].daysAway, Date(2027, 6, 12) - Date(2027, 4, 17));
    EXPECT_EQ(FeastCountdown(Date(2027, 4, 17), OmerReckoning::Nisan16)[1].daysAway, Date(2027, 6, 11) - Date(2027, 4, 17));
    // 19 December 2026: each feast of each Hebrew year once; the feast of the day itself counts.
    std::set<std::pair<int, int>> seen;
    for (const FeastDate& f : FeastCountdown(Date(2026, 12, 19)))
        EXPECT_TRUE(seen.emplace(static_cast<int>(f.feast), f.hebrewYear).second) << f.hebrewYear;
    EXPECT_EQ(FeastCountdown(Date(2026, 9, 12))[0].daysAway, 0);
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
    // 23 September 2025 is Rosh Hashanah 5786 itself: the countdown starts there.
    EXPECT_EQ(m.grid.Cell(5, 0).text, "Rosh Hashanah in year 5786 is:");
    EXPECT_EQ(m.grid.Cell(5, 1).text, "0 days away");
    EXPECT_EQ(m.grid.Cell(6, 0).text, "Yom Kippur in year 5786 is:");
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
    EXPECT_EQ(m.grid.Cell(3, 0).text, "Pesach in year 5786 is:");
}

TEST(DayView, TheLastYearsOfTheCalendarDoNotFail) {
    const Date first = Date(9999, 12, 1);
    const Grid month = MonthGrid(first, "x");
    int row = 5, col = 5;
    DayViewModel m;
    ShowDay(month, first, row, col, 9000, m);
    EXPECT_EQ(m.grid.Cell(3, 0).text.rfind("Pesach in year ", 0), 0u);
    EXPECT_EQ(m.lastRow, 42);
}

}  // namespace
}  // namespace varnel
