#pragma once
// The measures, colours and working tables of the printed calendar page: the
// month's day cells read back from the month grid, the week grid that is the
// month table's body, the sizes of the page-sized and pocket-sized formats,
// the Shabbat table's format and body.
// All lengths are twips.
#include <array>
#include <string>
#include <vector>

#include "core/common/Date.h"
#include "core/views/Grid.h"

namespace varnel {

enum class CalendarSize { Page = 0, Pocket = 1 };

// The themes of the dialog's "Calendar theme" frame.
inline constexpr int kThemeWinter = 0;
inline constexpr int kThemeSummer = 1;
inline constexpr int kThemeNone = 2;

struct ThemeColors {
    Color light;      // title and weekday header background
    Color dark;       // background of the blank cells before and after the month
    Color blankText;  // text colour of the blank cells
};
// A number that names no theme gets Winter's colours, like a first start.
ThemeColors ThemeColorsOf(int theme);

// Day d (1..31) of the month as the month grid shows it; days the month does
// not have stay empty.
struct MonthCellEntry {
    std::string text;
    Color foreground = kNoColor;
    Color background = kNoColor;
};
using MonthCells = std::array<MonthCellEntry, 32>;  // index 0 unused

// Walks the 42 cells of the month grid from the first day's cell, row by row,
// and takes each cell with text (other than the "Floating info" switch) as the
// next day.
void CollectMonthCells(const Grid& monthGrid, Date firstDay, MonthCells& cells);

// The month table's body: one row of seven columns (Sunday first) per week,
// each entry the day of the month that falls there or 0.
struct WeekGrid {
    std::vector<std::array<int, 7>> weeks;
    int firstWeek = 0;    // where the first day sits
    int firstColumn = 0;  // 0 = Sunday
};
WeekGrid BuildWeekGrid(Date firstDay, Date lastDay);

// The sizes of one format on one paper.
struct CalendarPageMetrics {
    int tableWidth = 0;     // W
    int columnWidth = 0;    // C
    int dayRowHeight = 0;   // H
    int titleRowHeight = 0;
    int headerRowHeight = 0;
    int titleFontSize = 0;  // points
    int tableFontSize = 0;  // month table, Shabbat table and day numbers
    std::array<int, 4> shabbatWidths{};
    std::vector<std::string> shabbatHeader;
};

inline constexpr int kPictureGap = 250;       // between the picture and the title
inline constexpr int kShabbatTableGap = 100;  // between the month and Shabbat tables
// Text on either format steps down to 5 points before it is shortened.
inline constexpr double kCalendarFitFloor = 5;
// Pocket-sized: A5, narrow margins, the table a third of the page wide.
inline constexpr int kPocketMargin = 300;
inline constexpr int kPocketBottomMargin = 500;

CalendarPageMetrics CalendarMetrics(CalendarSize size, double pageWidth, int leftMargin);

// Picture height of the page-sized format: a fifth of the page.
int PictureHeight(double pageHeight);

// Table cells (row 1 = first week, column 1 = Sunday) shaded as blanks: the
// days of the first week before the first day and those of the last week
// after the last day.
struct DayTablePos {
    int row = 0;
    int col = 0;
    bool operator==(const DayTablePos&) const = default;
};
std::vector<DayTablePos> BlankCells(Date firstDay, Date lastDay);

// The table cell of day d (1-based) in a month whose first day falls on
// column firstColumn (0 = Sunday).
DayTablePos DayTableCell(int firstColumn, int day);

}  // namespace varnel
