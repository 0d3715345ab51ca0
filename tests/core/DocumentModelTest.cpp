// The document model: table formats and bodies, the settings of a table, its
// cells and rows, the header and footer bands, and the Shabbat table against
// its documented text form.
#include <gtest/gtest.h>

#include <cstdio>

#include "core/printing/Document.h"
#include "core/calendar/YearCalendar.h"
#include "core/common/Date.h"
#include "core/printing/Printouts.h"
#include "core/printing/ShabbatRows.h"

namespace varnel {
namespace {

TEST(TableFormat, AlignmentsWidthsAndDefaultColumns) {
    const auto cols = ParseTableFormat("<750|<3400|^1000|>4210");
    ASSERT_EQ(cols.size(), 4u);
    EXPECT_EQ(cols[0].width, 750);
    EXPECT_EQ(cols[2].align, HAlign::Center);
    EXPECT_EQ(cols[3].align, HAlign::Right);
    EXPECT_EQ(cols[3].width, 4210);

    const auto seven = ParseTableFormat("||||||");
    ASSERT_EQ(seven.size(), 7u);
    for (const auto& c : seven) {
        EXPECT_EQ(c.width, 0);
        EXPECT_EQ(c.align, HAlign::Left);
    }
    const auto title = ParseTableFormat("+^");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_TRUE(title[0].stretch);
    EXPECT_EQ(title[0].align, HAlign::Center);
    // Fractional widths written in their shortest form still parse.
    EXPECT_EQ(ParseTableFormat(">4680|<4680.5")[1].width, 4680);
}

TEST(TableFormat, LengthsWithUnitsAndBadInput) {
    const std::pair<const char*, int> lengths[] = {{".3in", 432}, {"0.25in", 360}, {"0.2in", 288},
                                                   {"750", 750},  {"10pt", 200},   {"2.54cm", 1440}};
    for (const auto& [text, twips] : lengths) EXPECT_EQ(ParseLength(text), twips) << text;
    for (const char* bad : {"", "in", "3furlongs", "99999999999999in"}) EXPECT_FALSE(ParseLength(bad)) << bad;
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
}

TEST(TableFormat, BodyRowsAndTrailingSeparator) {
    EXPECT_TRUE(SplitBody("").empty());
    const auto rows = SplitBody("a|b;c|d;");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][1], "d");
    // A row with fewer cells than the format keeps its place.
    EXPECT_EQ(SplitBody("a;;b").size(), 3u);
}

TEST(DocumentModel, TableFromTextKeepsHeaderBodyAndSettings) {
    Document doc;
    doc.StartDoc();
    doc.SetFont({"Arial", 10, true, false});
    doc.StartTable();
    doc.AddTable("<750|<3400|<1000|<4210", "Date|Hours|Parashah|Passages", "01/06|x|Vayechi|Gen 47:28;01/13|y|Shemot|Ex 1:1;");
    EXPECT_EQ(doc.TableRows(), 2);
    EXPECT_EQ(doc.TableCols(), 4);
    doc.OpenTable()
        .SetBackground(CellRange::Row(0), RGB(255, 255, 0))
        .SetFontName(CellRange::Table(), "Arial")
        .SetFontSize(CellRange::Table(), 8)
        .SetBold(CellRange::Table(), false)
        .SetColSpan(CellRange::Cell(1, 1), 2)
        .SetRowHeight(CellRange::Row(1), 500)
        .SetText(CellRange::Cell(9, 9), "outside");  // ignored
    doc.SetCellAlignCode(CellRange::Cell(2, 3), 7);
    doc.EndTable();
    doc.StartTable();
    doc.AddTable("<750|<3400|<1000|<4210", "Date|Hours|Parashah|Passages", "01/06|x|Vayechi|Gen 47:28 | Ex 1:1|2;01/13|y|Shemot|Ex 1:1;");
    EXPECT_EQ(doc.TableCols(), 4);
    EXPECT_EQ(doc.Cell(1, 4)->text, "Gen 47:28 | Ex 1:1|2");  // a "|" in a text keeps the text whole
    doc.EndTable();
    doc.EndDoc();

    ASSERT_EQ(doc.Blocks().size(), 2u);
    const Table& t = std::get<Table>(doc.Blocks()[0]);
    EXPECT_TRUE(t.hasHeader);
    EXPECT_EQ(t.rows[0].cells[2].text, "Parashah");
    EXPECT_EQ(t.rows[2].cells[2].text, "Shemot");
    EXPECT_EQ(t.rows[0].cells[0].style.background, RGB(255, 255, 0));
    EXPECT_EQ(t.rows[1].cells[0].style.background, kNoColor);
    const FontStyle f = t.FontOf(t.rows[1].cells[1]);
    EXPECT_EQ(f.size, 8);
    EXPECT_FALSE(f.bold);
    EXPECT_EQ(t.font.size, 10);  // the table's own font is the document's
    EXPECT_EQ(t.rows[2].cells[2].style.valign, VAlign::Center);
    EXPECT_EQ(t.AlignOf(2, 2), HAlign::Left);  // code 7 keeps the column's alignment
    EXPECT_EQ(t.rows[1].cells[0].colSpan, 2);
    EXPECT_EQ(t.rows[1].height, 500);
    EXPECT_EQ(t.rows[2].height, 0);
}

TEST(DocumentModel, TableFromArrayAndCellByCell) {
    Document doc;
    doc.StartDoc();
    doc.StartTable();
    // Columns by rows; the eighth column is beyond the format and left out.
    std::vector<std::vector<std::string>> body(8, std::vector<std::string>(2));
    body[3][0] = "1";
    body[6][1] = "11";
    body[7][1] = "lost";
    doc.AddTableArray("||||||", "S|M|T|W|T|F|S", body);
    EXPECT_EQ(doc.TableCols(), 7);
    EXPECT_EQ(doc.TableRows(), 2);
    EXPECT_EQ(doc.Cell(1, 4)->text, "1");
    EXPECT_EQ(doc.Cell(2, 7)->text, "11");
    doc.EndTable();

    doc.StartTable();
    doc.OpenTable().SetColumnCount(21).SetRowCount(32).SetText(CellRange::Cell(32, 21), "last").SetColumnWidth(
        CellRange::Table(), 400);
    EXPECT_EQ(doc.Cell(32, 21)->text, "last");
    doc.EndTable();
    const Table& grid = std::get<Table>(doc.Blocks()[1]);
    EXPECT_FALSE(grid.hasHeader);
    EXPECT_EQ(grid.columns[20].width, 400);
}

TEST(DocumentModel, BandsPaperAndRestart) {
    Document doc;
    doc.SetPaper(PaperSize::A4);
    doc.SetBandFont({"Arial", 8, false, false});
    doc.StartDoc();
    doc.SetFooter("|Varnel * (c) Varnel|\r\n(x - Printed: 01/02/26-1200)   Page %d");
    EXPECT_EQ(doc.Footer().left, "");
    EXPECT_EQ(doc.Footer().center, "Varnel * (c) Varnel");
    EXPECT_EQ(WithPageNumber(doc.Footer().right, 12), "\r\n(x - Printed: 01/02/26-1200)   Page 12");
    EXPECT_EQ(doc.Footer().font.size, 8);
    EXPECT_EQ(doc.PageWidth(), 11906);
    doc.SetMargins(9000, 0, 9000, 0);  // no room left: the margins give way
    EXPECT_GE(doc.ContentWidth(), 1440);
    doc.AddParagraph("x");
    doc.StartDoc();
    EXPECT_TRUE(doc.Blocks().empty());
    EXPECT_TRUE(doc.Footer().center.empty());
}

// The printouts build their Shabbat tables cell by cell. The same table in
// its documented text form (format "<" q/4 "|<" 1.4q "|<" 0.6q "|<" 2q in
// shortest decimals; the six slots joined by line breaks, ";" as ",", tabs as
// "|", line breaks as ";", every ";;" removed), read through the print
// control's table interface, must give the same columns and texts.
TEST(ShabbatTable, CellByCellEqualsTheDocumentedTextForm) {
    const CalendarData data = LoadCalendarData(VARNEL_SOURCE_DATA);
    const auto shortest = [](double v) {
        char text[32];
        std::snprintf(text, sizeof text, "%.15g", v);
        return std::string(text);
    };
    std::vector<std::vector<ShabbatRow>> months;
    for (const int year : {2024, 2026}) {
        const ParashahTable parashot = BuildYear(year, data).parashot;
        for (int month = 1; month <= 12; ++month)
            months.push_back(ShabbatRowsOf({Date(year, month, 1), DaysInMonth(year, month), &parashot, nullptr, {}}));
    }
    // A reading with ";" and a month of seven rows, the seventh dropped.
    months.push_back(std::vector<ShabbatRow>(7, ShabbatRow{Date(), "01/06", "t", "Vayechi", "Gen 47:28; Ex 1", {}}));
    int checked = 0;
    for (const int margin : {1440, 1000, 777, 1234, 301})
        for (const std::vector<ShabbatRow>& rows : months) {
            Document typed;
            typed.SetMargins(margin, margin, margin, margin);
            ComposeShabbatDocument(rows, "", 0, typed);
            const Table& t = std::get<Table>(typed.Blocks()[0]);

            const double q = RoundHalfEven((typed.PageWidth() - 2.0 * margin) / 4);
            const std::string format = "<" + shortest(q / 4) + "|<" + shortest(q * 1.4) + "|<" + shortest(q * 0.6) +
                                       "|<" + shortest(2 * q);
            std::string slots;
            for (size_t k = 0; k < kShabbatSlots; ++k) {
                if (k < rows.size())
                    slots += rows[k].date + "\t" + rows[k].times + "\t" + rows[k].portion + "\t" + rows[k].readings;
                slots += "\n";
            }
            std::string body;
            for (char c : slots) body += c == ';' ? ',' : c == '\t' ? '|' : c == '\n' ? ';' : c;
            for (size_t at; (at = body.find(";;")) != std::string::npos;) body.erase(at, 2);
            Document text;
            text.SetFont(t.font);
            text.StartTable();
            text.AddTable(format, "Date|Hours|Parashah|Passages", body);
            text.EndTable();
            const Table& u = std::get<Table>(text.Blocks()[0]);

            ASSERT_EQ(t.columns.size(), u.columns.size());
            for (size_t c = 0; c < t.columns.size(); ++c) {
                EXPECT_EQ(t.columns[c].width, u.columns[c].width) << format;
                EXPECT_EQ(t.columns[c].align, u.columns[c].align);
            }
            EXPECT_EQ(t.hasHeader, u.hasHeader);
            ASSERT_EQ(t.rows.size(), u.rows.size()) << body;
            for (size_t r = 0; r < t.rows.size(); ++r)
                for (size_t c = 0; c < t.columns.size(); ++c)
                    EXPECT_EQ(t.rows[r].cells[c].text, u.rows[r].cells[c].text) << r << " " << c;
            ++checked;
        }
    EXPECT_EQ(checked, 5 * 25);
}

}  // namespace
}  // namespace varnel
