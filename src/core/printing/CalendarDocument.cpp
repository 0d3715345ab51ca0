#include "core/printing/CalendarDocument.h"

#include "core/common/DateFormat.h"
#include "core/common/DateSerial.h"
#include "core/common/Profile.h"

namespace varnel {
namespace {

constexpr const char* kFont = "Arial";
constexpr const char* kWeekdayHeader = "S|M|T|W|T|F|S";
constexpr const char* kCopyright = "Copyright \u00A9 2026 The Varnel developers";

void TitleTable(const CalendarPageMetrics& m, const ThemeColors& colors, const std::string& title, Document& doc) {
    doc.StartTable();
    doc.AddTable("+^", "", "");
    doc.SetTableRows(1);
    doc.SetCellText(CellRange::Cell(1, 1), title);  // set whole: a title never splits at "|" or ";"
    doc.SetColWidth(CellRange::Table(), m.tableWidth);
    doc.SetRowHeight(CellRange::Table(), m.titleRowHeight);
    doc.SetCellAlignCode(CellRange::Table(), 7);
    doc.SetCellBackColor(CellRange::Table(), colors.light);
    doc.SetCellFontName(CellRange::Table(), kFont);
    doc.SetCellBold(CellRange::Table(), true);
    doc.SetCellFontSize(CellRange::Table(), m.titleFontSize);
    doc.EndTable();
}

void MonthTable(const MonthCells& cells, const CalendarPageInputs& in, const CalendarPageMetrics& m,
                const ThemeColors& colors, Document& doc) {
    const WeekGrid weeks = BuildWeekGrid(in.firstDay, in.lastDay);
    // Columns by rows, each entry a day number or empty.
    std::vector<std::vector<std::string>> body(7, std::vector<std::string>(weeks.weeks.size()));
    for (size_t w = 0; w < weeks.weeks.size(); ++w)
        for (size_t c = 0; c < 7; ++c)
            if (weeks.weeks[w][c] > 0) body[c][w] = std::to_string(weeks.weeks[w][c]);

    doc.StartTable();
    doc.AddTableArray("||||||", kWeekdayHeader, body);
    const CellRange all = CellRange::Table();
    doc.SetColWidth(all, m.columnWidth);
    doc.SetRowHeight(all, m.dayRowHeight);
    // The day numbers are drawn at fixed places, so the weeks keep their height.
    doc.SetRowHeightFixed(all, true);
    doc.SetCellAlignCode(all, 0);
    doc.SetCellFontName(all, kFont);
    doc.SetCellFontSize(all, m.tableFontSize);
    const CellRange header = CellRange::Row(0);
    doc.SetCellAlignCode(header, 7);
    doc.SetRowHeight(header, m.headerRowHeight);
    doc.SetCellBold(header, true);
    doc.SetCellItalic(header, false);
    doc.SetCellBackColor(header, colors.light);

    const int dayCount = in.lastDay - in.firstDay + 1;
    for (int d = 1; d <= 31 && d <= dayCount; ++d) {
        const MonthCellEntry& entry = cells[static_cast<size_t>(d)];
        if (TrimBlanks(entry.text).empty()) continue;
        const DayTablePos at = DayTableCell(weeks.firstColumn, d);
        const CellRange cell = CellRange::Cell(at.row, at.col);
        doc.SetCellText(cell, entry.text);
        // Under "No theme" nothing is coloured, whatever the screen shows.
        if (in.theme != kThemeNone) {
            doc.SetCellForeColor(cell, entry.foreground);
            doc.SetCellBackColor(cell, entry.background);
        } else {
            doc.SetCellForeColor(cell, RGB(0, 0, 0));
        }
    }
    for (const DayTablePos& blank : BlankCells(in.firstDay, in.lastDay)) {
        doc.SetCellBackColor(CellRange::Cell(blank.row, blank.col), colors.dark);
        doc.SetCellForeColor(CellRange::Cell(blank.row, blank.col), colors.blankText);
    }
    doc.EndTable();
}

void ShabbatTable(const ShabbatSlots& shabbat, const CalendarPageMetrics& m, const ThemeColors& colors,
                  Document& doc) {
    doc.StartTable();
    doc.AddTable(CalendarShabbatFormat(m.shabbatWidths), m.shabbatHeader, ShabbatTableBody(shabbat));
    doc.SetCellBackColor(CellRange::Row(0), colors.light);
    doc.SetCellFontName(CellRange::Table(), kFont);
    doc.SetCellBold(CellRange::Table(), false);
    doc.SetCellFontSize(CellRange::Table(), m.tableFontSize);
    doc.EndTable();
}

}  // namespace

std::string CalendarFooter(double printedAt) {
    return std::string("|Varnel * ") + kCopyright + "|\r\n\r\n(Printed: " + FormatDateTime(printedAt, "mm/dd/yy-hhnn") +
           ")";
}

void ComposeCalendarDocument(const CalendarPageInputs& in, Document& doc) {
    MonthCells cells;
    static const Grid kEmptyGrid;
    CollectMonthCells(in.monthGrid ? *in.monthGrid : kEmptyGrid, in.firstDay, cells);
    RenderCalendarDocument(cells, BuildShabbatRows(in.shabbat), in, doc);
}

void RenderCalendarDocument(const MonthCells& cells, const ShabbatSlots& shabbat, const CalendarPageInputs& in,
                            Document& doc) {
    const ThemeColors colors = ThemeColorsOf(in.theme);
    const bool pocket = in.size == CalendarSize::Pocket;
    doc.StartDoc();
    if (pocket) {
        doc.SetPaper(PaperSize::A5);
        doc.SetMargins(kPocketMargin, kPocketMargin, kPocketMargin, kPocketBottomMargin);
        doc.SetCurrentY(doc.MarginTop());
    }

    int pictureBlock = 0;
    if (!pocket && in.printPicture) {
        const int height = PictureHeight(doc.PageHeight());
        const int width = doc.PageWidth() - 2 * doc.MarginLeft();
        doc.DrawPicture(in.picturePath, Box{doc.MarginLeft(), doc.MarginTop(), width, height}, PictureFit::Zoom);
        doc.SetCurrentX(doc.MarginLeft());
        doc.SetCurrentY(doc.MarginTop() + height + kPictureGap);
        pictureBlock = height + kPictureGap;
    }
    const CalendarPageMetrics m = CalendarMetrics(in.size, doc.PageWidth(), doc.MarginLeft(), pictureBlock);

    doc.SetFont(FontStyle{kFont, 6, true, false});
    doc.SetFooter(CalendarFooter(in.printedAt));

    TitleTable(m, colors, in.title, doc);
    MonthTable(cells, in, m, colors, doc);
    doc.MoveDown(kShabbatTableGap);
    ShabbatTable(shabbat, m, colors, doc);

    doc.SetFont(FontStyle{kFont, static_cast<double>(m.tableFontSize), true, false});
    for (const DayNumberBox& box :
         DayNumberBoxes(in.firstDay, in.lastDay - in.firstDay + 1, m, doc.MarginLeft(), doc.MarginTop()))
        doc.DrawTextBox(std::to_string(box.day), Box{box.left, box.top, kDayNumberBox, kDayNumberBox});
    doc.EndDoc();
}

}  // namespace varnel
