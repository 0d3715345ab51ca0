#include "core/printing/CalendarDocument.h"

#include <algorithm>

#include "core/common/DateFormat.h"
#include "core/common/Date.h"
#include "core/common/Profile.h"
#include "core/printing/Printouts.h"

namespace varnel {
namespace {

constexpr const char* kFont = "Arial";
const std::vector<std::string> kWeekdayHeader{"S", "M", "T", "W", "T", "F", "S"};

void TitleTable(const CalendarPageMetrics& m, const ThemeColors& colors, const std::string& title, Document& doc) {
    TableBuilder table({{0, HAlign::Center}}, doc.Font());
    const CellRange all = CellRange::Table();
    table.AddRow({title})
        .SetColumnWidth(all, m.tableWidth)
        .SetRowHeight(all, m.titleRowHeight)
        .SetVAlign(all, VAlign::Center)
        .SetBackground(all, colors.light)
        .SetFontName(all, kFont)
        .SetBold(all, true)
        .SetFontSize(all, m.titleFontSize);
    doc.AddTable(std::move(table).Take());
}

void MonthTable(const MonthCells& cells, const CalendarPageInputs& in, const CalendarPageMetrics& m,
                const ThemeColors& colors, Document& doc) {
    const WeekGrid weeks = BuildWeekGrid(in.firstDay, in.lastDay);
    TableBuilder table(std::vector<TableColumn>(7), doc.Font());
    table.Header(kWeekdayHeader);
    // The week grid's day numbers stand in the cells' top right corners, the
    // cells' texts flowing around them; a week grows when its texts need it.
    for (size_t w = 0; w < weeks.weeks.size(); ++w) {
        table.AddRow({});
        for (size_t c = 0; c < 7; ++c)
            if (const int day = weeks.weeks[w][c]; day > 0)
                table.SetCorner(CellRange::Cell(static_cast<int>(w) + 1, static_cast<int>(c) + 1), std::to_string(day));
    }
    const CellRange all = CellRange::Table();
    table.SetColumnWidth(all, m.columnWidth)
        .SetRowHeight(all, m.dayRowHeight)
        .SetAlign(all, HAlign::Left)
        .SetVAlign(all, VAlign::Top)
        .SetFontName(all, kFont)
        .SetFontSize(all, m.tableFontSize);
    const CellRange header = CellRange::Row(0);
    table.SetVAlign(header, VAlign::Center)
        .SetRowHeight(header, m.headerRowHeight)
        .SetBold(header, true)
        .SetItalic(header, false)
        .SetBackground(header, colors.light);

    const int dayCount = in.lastDay - in.firstDay + 1;
    for (int d = 1; d <= 31 && d <= dayCount; ++d) {
        const MonthCellEntry& entry = cells[static_cast<size_t>(d)];
        if (TrimBlanks(entry.text).empty()) continue;
        const DayTablePos at = DayTableCell(weeks.firstColumn, d);
        const CellRange cell = CellRange::Cell(at.row, at.col);
        table.SetText(cell, entry.text);
        // Under "No theme" nothing is coloured, whatever the screen shows.
        if (in.theme != kThemeNone) table.SetForeground(cell, entry.foreground).SetBackground(cell, entry.background);
        else table.SetForeground(cell, RGB(0, 0, 0));
    }
    for (const DayTablePos& blank : BlankCells(in.firstDay, in.lastDay)) {
        const CellRange cell = CellRange::Cell(blank.row, blank.col);
        table.SetBackground(cell, colors.dark).SetForeground(cell, colors.blankText);
    }
    doc.AddTable(std::move(table).Take());
}

void ShabbatTable(const std::vector<ShabbatRow>& shabbat, const CalendarPageMetrics& m, const ThemeColors& colors,
                  Document& doc) {
    std::vector<TableColumn> columns;
    for (const int width : m.shabbatWidths) columns.push_back({std::max(0, width)});
    TableBuilder table(std::move(columns), doc.Font());
    table.Header(m.shabbatHeader);
    AddShabbatTableRows(shabbat, table);
    table.SetFitColumns(true)
        .SetBackground(CellRange::Row(0), colors.light)
        .SetFontName(CellRange::Table(), kFont)
        .SetBold(CellRange::Table(), false)
        .SetFontSize(CellRange::Table(), m.tableFontSize);
    doc.AddTable(std::move(table).Take());
}

}  // namespace

std::string CalendarFooter(double printedAt) {
    return "|" + FooterNotice() + "|\r\n\r\n(Printed: " + PrintStampText(printedAt) + ")";
}

void ComposeCalendarDocument(const CalendarPageInputs& in, Document& doc) {
    MonthCells cells;
    CollectMonthCells(in.monthGrid, in.firstDay, cells);
    RenderCalendarDocument(cells, ShabbatRowsOf(in.shabbat), in, doc);
}

void RenderCalendarDocument(const MonthCells& cells, const std::vector<ShabbatRow>& shabbat, const CalendarPageInputs& in,
                            Document& doc) {
    const ThemeColors colors = ThemeColorsOf(in.theme);
    const bool pocket = in.size == CalendarSize::Pocket;
    doc.StartDoc();
    if (pocket) {
        doc.SetPaper(PaperSize::A5);
        doc.SetMargins(kPocketMargin, kPocketMargin, kPocketMargin, kPocketBottomMargin);
        doc.SetCurrentY(doc.MarginTop());
    }

    if (!pocket && in.printPicture) {
        const int height = PictureHeight(doc.PageHeight());
        const int width = doc.PageWidth() - 2 * doc.MarginLeft();
        doc.DrawPicture(in.picturePath, Box{doc.MarginLeft(), doc.MarginTop(), width, height}, PictureFit::Zoom);
        doc.SetCurrentX(doc.MarginLeft());
        doc.SetCurrentY(doc.MarginTop() + height + kPictureGap);
    }
    const CalendarPageMetrics m = CalendarMetrics(in.size, doc.PageWidth(), doc.MarginLeft());

    doc.SetFont(FontStyle{kFont, 6, true, false});
    doc.SetFitFloor(kCalendarFitFloor);
    doc.SetFooter(CalendarFooter(in.printedAt));

    TitleTable(m, colors, in.title, doc);
    MonthTable(cells, in, m, colors, doc);
    doc.MoveDown(kShabbatTableGap);
    ShabbatTable(shabbat, m, colors, doc);

    doc.EndDoc();
}

}  // namespace varnel
