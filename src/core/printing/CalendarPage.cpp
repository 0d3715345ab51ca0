#include "core/printing/CalendarPage.h"

#include <cmath>

#include "core/common/Date.h"
#include "core/common/Profile.h"
#include "core/printing/TableFormat.h"
#include "core/views/MonthView.h"

namespace varnel {

ThemeColors ThemeColorsOf(int theme) {
    switch (theme) {
    case kThemeSummer: return {RGB(255, 255, 128), RGB(192, 192, 0), RGB(255, 255, 255)};
    case kThemeNone: return {RGB(255, 255, 255), RGB(255, 255, 255), RGB(0, 0, 0)};
    default: return {RGB(192, 192, 255), RGB(128, 128, 255), RGB(255, 255, 255)};
    }
}

void CollectMonthCells(const Grid& monthGrid, Date firstDay, MonthCells& cells) {
    cells.fill({});
    int column = firstDay.Weekday() - 1;
    int row = 1;
    int k = 0;
    for (int i = 0; i < 42 && k < 31; ++i) {
        if (++column == 8) {
            column = 1;
            ++row;
        }
        const GridCell& cell = monthGrid.Cell(row, column - 1);
        if (TrimBlanks(cell.text).empty() || cell.text == kFloatInfoText) continue;
        MonthCellEntry& entry = cells[static_cast<size_t>(++k)];
        entry.text = cell.text;
        entry.foreground = cell.foreground;
        entry.background = cell.background;
    }
}

WeekGrid BuildWeekGrid(Date firstDay, Date lastDay) {
    WeekGrid grid;
    int column = firstDay.Weekday() - 1;
    grid.firstColumn = column;
    grid.weeks.push_back({});
    for (Date d = firstDay; d <= lastDay; ++d) {
        if (column >= 7) {
            column = 0;
            grid.weeks.push_back({});
        }
        grid.weeks.back()[static_cast<size_t>(column)] = d.Day();
        ++column;
    }
    return grid;
}

namespace {

// The Shabbat table's first three columns keep their widths while the details
// column has a quarter of the table or more; a narrower table (the pocket
// format's third of A5 is one) shrinks them in proportion instead of giving
// the details a width of zero or less.
std::array<int, 4> FitShabbatWidths(std::array<int, 3> fixed, int tableWidth) {
    const int fixedSum = fixed[0] + fixed[1] + fixed[2];
    const int details = tableWidth - fixedSum;
    const int minDetails = tableWidth / 4;
    if (details >= minDetails) return {fixed[0], fixed[1], fixed[2], details};
    const double scale = static_cast<double>(tableWidth - minDetails) / fixedSum;
    std::array<int, 4> widths{};
    int used = 0;
    for (size_t i = 0; i < 3; ++i) used += widths[i] = RoundHalfEven(fixed[i] * scale);
    widths[3] = tableWidth - used;
    return widths;
}

constexpr int kInch = 1440;

}  // namespace

CalendarPageMetrics CalendarMetrics(CalendarSize size, double pageWidth, int leftMargin) {
    CalendarPageMetrics m;
    const bool pocket = size == CalendarSize::Pocket;
    m.tableWidth = pocket ? RoundHalfEven(pageWidth / 3) : RoundHalfEven(pageWidth - 2.0 * leftMargin);
    if (m.tableWidth < 7) m.tableWidth = 7;
    m.columnWidth = RoundHalfEven(m.tableWidth / 7.0);
    m.dayRowHeight = RoundHalfEven(m.columnWidth * (pocket ? 0.8 : 0.75));
    m.titleRowHeight = RoundHalfEven(kInch * (pocket ? 0.15 : 0.3));
    m.headerRowHeight = RoundHalfEven(kInch * (pocket ? 0.15 : 0.25));
    m.titleFontSize = pocket ? 5 : 8;
    m.tableFontSize = pocket ? 5 : 6;
    m.shabbatWidths = pocket ? FitShabbatWidths({450, 2200, 550}, m.tableWidth)
                             : FitShabbatWidths({750, 3400, 1000}, m.tableWidth);
    m.shabbatHeader = pocket ? std::vector<std::string>{"Shab.", "Times", "Para.", "Details"}
                             : std::vector<std::string>{"Shabbat", "Times", "Parashah", "Details"};
    return m;
}

int PictureHeight(double pageHeight) { return RoundHalfEven(pageHeight) / 5; }

DayTablePos DayTableCell(int firstColumn, int day) {
    const int slot = firstColumn + day - 1;
    return {1 + slot / 7, 1 + slot % 7};
}

std::vector<DayTablePos> BlankCells(Date firstDay, Date lastDay) {
    std::vector<DayTablePos> cells;
    const int leading = firstDay.Weekday() - 1;
    for (int col = 1; col <= leading; ++col) cells.push_back({1, col});
    const int lastRow = DayTableCell(leading, lastDay - firstDay + 1).row;
    for (int col = lastDay.Weekday() + 1; col <= 7; ++col) cells.push_back({lastRow, col});
    return cells;
}

}  // namespace varnel
