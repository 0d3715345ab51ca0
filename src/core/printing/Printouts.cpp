#include "core/printing/Printouts.h"

#include <algorithm>

#include "core/common/DateFormat.h"
#include "core/common/ProgramNotice.h"
#include "core/common/Profile.h"
#include "core/printing/TableFormat.h"
#include "core/views/DayView.h"
#include "core/views/YearView.h"

namespace varnel {

namespace {

constexpr Color kYellow = RGB(255, 255, 0);
constexpr int kYearColumnSpacing = 288;  // a fifth of an inch between the year's columns

const FontStyle kDocumentFont{"Arial", 10, true, false};
const FontStyle kSmallBand{"Arial", 8, false, false};
const FontStyle kLargeBand{"Arial", 10, false, false};

Table Styled(TableBuilder& table) {
    table.SetBackground(CellRange::Row(0), kYellow)
        .SetFontName(CellRange::Table(), "Arial")
        .SetFontSize(CellRange::Table(), 8)
        .SetBold(CellRange::Table(), false);
    return std::move(table).Take();
}

int TableWidth(const Document& doc) { return RoundHalfEven(doc.PageWidth() - 2.0 * doc.MarginLeft()); }

}  // namespace

std::string FooterNotice() { return std::string(kProgramTitle) + " * " + std::string(kCopyrightNotice); }

std::string PrintedFooterPart(const std::string& title, double now) {
    return "\r\n(" + title + " - Printed: " + PrintStampText(now) + ")   Page %d";
}

void ComposeDayDocument(const DayViewModel& day, double now, Document& doc) {
    doc.SetBandFont(kSmallBand);
    doc.SetFont(kDocumentFont);
    doc.StartDoc();
    doc.SetHeader("|" + day.title + "|");
    doc.SetFooter("|" + FooterNotice() + "|" + PrintedFooterPart(day.title, now));
    const int half = RoundHalfEven(TableWidth(doc) / 2.0);
    TableBuilder table({{half, HAlign::Right}, {half, HAlign::Left}}, doc.Font());
    table.Header({"", ""});
    for (int r = 1; r < day.grid.Rows(); ++r) {
        const std::string& label = day.grid.Cell(r, 0).text;
        const std::string& text = day.grid.Cell(r, 1).text;
        if (TrimBlanks(label).empty() && TrimBlanks(text).empty()) continue;
        table.AddRow({BodyText(label), BodyText(text)});
    }
    doc.AddTable(Styled(table));
    doc.EndDoc();
}

void ComposeYearDocument(const YearViewModel& year, Document& doc) {
    doc.SetBandFont(kLargeBand);
    doc.SetFont(kDocumentFont);
    doc.StartDoc();
    doc.SetHeader("|" + year.title + "|");
    doc.SetColumns(3, kYearColumnSpacing);
    // Each grid is sized to its column, so it prints at the printer's resolution.
    const int columnWidth = (doc.ContentWidth() - 2 * kYearColumnSpacing) / 3;
    const int gridHeight = year.gridWidth > 0 ? columnWidth * year.gridHeight / year.gridWidth : columnWidth * 5 / 7;
    for (int c = 1; c <= 3; ++c) {
        doc.SelectColumn(c);
        for (int i = 0; i <= 3; ++i) {
            const size_t m = static_cast<size_t>(3 * i + c - 1);
            doc.AddParagraph(year.monthLabels[m]);
            Grid grid = year.grids[m];
            SizeYearGrid(grid, columnWidth, gridHeight);
            doc.DrawGrid(grid);
            doc.MoveDown(120);
        }
    }
    doc.SetFooter("|" + FooterNotice() + "|");
    doc.EndDoc();
}

std::vector<TableColumn> ShabbatTableColumns(int tableWidth) {
    const double q = RoundHalfEven(tableWidth / 4.0);
    std::vector<TableColumn> columns;
    for (const double width : {q / 4, q * 1.4, q * 0.6, 2 * q}) columns.push_back({std::max(0, RoundHalfEven(width))});
    return columns;
}

void ComposeShabbatDocument(const std::vector<ShabbatRow>& rows, const std::string& monthTitle, double now,
                            Document& doc) {
    doc.SetBandFont(kSmallBand);
    doc.SetFont(kDocumentFont);
    doc.StartDoc();
    doc.SetHeader("|Shabbat details for " + monthTitle + "|");
    doc.SetFooter("|" + FooterNotice() + "|" + PrintedFooterPart(monthTitle, now));
    TableBuilder table(ShabbatTableColumns(TableWidth(doc)), doc.Font());
    table.Header({"Date", "Hours", "Parashah", "Passages"}).SetFitColumns(true);
    AddShabbatTableRows(rows, table);
    doc.AddTable(Styled(table));
    doc.EndDoc();
}

}  // namespace varnel
