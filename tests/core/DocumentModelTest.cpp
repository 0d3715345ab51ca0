// The document model: table formats and bodies, the settings of a table, its
// cells and rows, the header and footer bands, and the Shabbat table's body.
#include <gtest/gtest.h>

#include "core/printing/Document.h"
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
    EXPECT_EQ(ParseLength(".3in"), 432);
    EXPECT_EQ(ParseLength("0.25in"), 360);
    EXPECT_EQ(ParseLength("0.2in"), 288);
    EXPECT_EQ(ParseLength("750"), 750);
    EXPECT_EQ(ParseLength("10pt"), 200);
    EXPECT_EQ(ParseLength("2.54cm"), 1440);
    EXPECT_FALSE(ParseLength(""));
    EXPECT_FALSE(ParseLength("in"));
    EXPECT_FALSE(ParseLength("3furlongs"));
    EXPECT_FALSE(ParseLength("99999999999999in"));
    EXPECT_EQ(ShortestNumber(2340 / 4.0), "585");
    EXPECT_EQ(ShortestNumber(2341 / 4.0), "585.25");
    EXPECT_EQ(ShortestNumber(2341 * 1.4), "3277.4");
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
    doc.SetCellBackColor(CellRange::Row(0), RGB(255, 255, 0));
    doc.SetCellFontName(CellRange::Table(), "Arial");
    doc.SetCellFontSize(CellRange::Table(), 8);
    doc.SetCellBold(CellRange::Table(), false);
    doc.SetCellAlignCode(CellRange::Cell(2, 3), 7);
    doc.SetCellColSpan(CellRange::Cell(1, 1), 2);
    doc.SetRowHeight(CellRange::Row(1), 500);
    doc.SetCellText(CellRange::Cell(9, 9), "outside");  // ignored
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
    doc.SetTableCols(21);
    doc.SetTableRows(32);
    doc.SetCellText(CellRange::Cell(32, 21), "last");
    doc.SetColWidth(CellRange::Table(), 400);
    EXPECT_EQ(doc.Cell(32, 21)->text, "last");
    doc.EndTable();
    const Table& grid = std::get<Table>(doc.Blocks()[1]);
    EXPECT_FALSE(grid.hasHeader);
    EXPECT_EQ(grid.columns[20].format.width, 400);
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
    EXPECT_EQ(PageSetupFor(PaperSize::Letter).paperWidth - 2 * 1440, 9360);
    doc.SetMargins(9000, 0, 9000, 0);  // no room left: the margins give way
    EXPECT_GE(doc.ContentWidth(), 1440);
    doc.AddParagraph("x");
    doc.StartDoc();
    EXPECT_TRUE(doc.Blocks().empty());
    EXPECT_TRUE(doc.Footer().center.empty());
}

TEST(ShabbatTable, EmptySlotsAreDroppedAndSemicolonsBecomeCommas) {
    ShabbatSlots slotRows;
    slotRows[1] = "01/06\tTevet 6 4:58 PM to Tevet 7 5:00 PM\tVayechi\tAnd he lived Gen 47:28-50:26; Ex 1 1 Ki 2:1-12";
    slotRows[2] = "01/13\tt\tShemot\tr";
    slotRows[3] = "01/20\tt\tVa'era\tr";
    slotRows[4] = "01/27\tt\tBo\tr";
    EXPECT_EQ(ShabbatTableBody(slotRows),
              "01/06|Tevet 6 4:58 PM to Tevet 7 5:00 PM|Vayechi|And he lived Gen 47:28-50:26, Ex 1 1 Ki 2:1-12;"
              "01/13|t|Shemot|r;01/20|t|Va'era|r;01/27|t|Bo|r;");
    EXPECT_EQ(SplitBody(ShabbatTableBody(slotRows)).size(), 4u);
    slotRows[5] = "01/31\tt\tp\tr";
    EXPECT_EQ(SplitBody(ShabbatTableBody(slotRows)).size(), 5u);
    slotRows[6] = "02/07\tt\tp\tr";
    EXPECT_EQ(SplitBody(ShabbatTableBody(slotRows)).size(), 6u);
    EXPECT_EQ(ShabbatTableBody(ShabbatSlots{}), "");
}

}  // namespace
}  // namespace varnel
