// The printed calendar page: the week grid, blank-cell shading and day numbers
// of months that start on Sunday or Friday, the themes, the pocket format, the
// Shabbat table; and the HTML and RTF writers on the composed page.
#include <gtest/gtest.h>

#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"
#include "core/common/DateFormat.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/printing/CalendarDocument.h"
#include "core/printing/HtmlWriter.h"
#include "core/printing/RtfWriter.h"
#include "core/printing/YearExport.h"
#include "core/views/MonthView.h"

namespace varnel {
namespace {

SunDay FixedSun(Date d) {
    SunDay s;
    s.sunrise = d.Serial() + 0.25;
    s.sunset = d.Serial() + 0.75;
    return s;
}

class CalendarPageTest : public ::testing::Test {
protected:
    HolyDayTable table;
    PlacedHolyDays holyDays;
    ParashahTable parashot;
    MonthViewModel view;
    Document doc;

    // The month rendered as the month view renders it, and the page inputs.
    CalendarPageInputs Month(int year, int month, int theme = kThemeWinter,
                             CalendarSize size = CalendarSize::Page, bool picture = false) {
        LoadHolyDays(PathIn(VARNEL_SOURCE_DATA, "holydays.dat"), table);
        holyDays = PlaceHolyDays(table, year);
        ScheduleParashot(PathIn(VARNEL_SOURCE_DATA, "parashot.dat"), year, parashot);
        MonthInputs in;
        in.firstDay = Date(year, month, 1);
        in.dayCount = DaysInMonth(year, month);
        in.holyDays = &holyDays;
        in.parashot = &parashot;
        in.city = "Charlotte, NC";
        in.sunOf = FixedSun;
        in.holyDayColor = RGB(255, 255, 0);
        in.shabbatColor = RGB(0, 0, 128);
        ComposeMonth(in, view);
        CalendarPageInputs page;
        page.monthGrid = view.grid;
        page.title = view.title;
        page.firstDay = in.firstDay;
        page.lastDay = in.firstDay + in.dayCount - 1;
        page.shabbat = ShabbatInputs{in.firstDay, in.dayCount, &parashot, FixedSun, {}};
        page.theme = theme;
        page.size = size;
        page.printPicture = picture;
        page.picturePath = "/nonexistent/picture.jpg";
        page.printedAt = Date(2026, 12, 7).Serial() + 0.5;
        doc.SetPage(PageSetupFor(PaperSize::Letter));
        ComposeCalendarDocument(page, doc);
        return page;
    }

    template <class T>
    std::vector<const T*> All() const {
        std::vector<const T*> out;
        for (const Block& b : doc.Blocks())
            if (const T* t = std::get_if<T>(&b)) out.push_back(t);
        return out;
    }
    const Table& MonthTable() const { return *All<Table>().at(1); }
    const Table& ShabbatTable() const { return *All<Table>().at(2); }
    // Body cells shaded with a colour.
    std::vector<std::pair<int, int>> Shaded(Color c) const {
        std::vector<std::pair<int, int>> out;
        const Table& t = MonthTable();
        for (int r = 1; r <= t.BodyRows(); ++r)
            for (int col = 1; col <= 7; ++col)
                if (t.rows[r].cells[col - 1].style.background == c) out.emplace_back(r, col);
        return out;
    }
};

TEST_F(CalendarPageTest, MonthStartingOnSundayAndEndingOnShabbatHasNoBlankCells) {
    Month(2026, 2);  // 1 February 2026 is a Sunday, the 28th a Saturday
    const Table& t = MonthTable();
    EXPECT_EQ(t.BodyRows(), 4);
    EXPECT_TRUE(Shaded(RGB(128, 128, 255)).empty());
    EXPECT_EQ(t.rows[0].cells[0].text, "S");
    EXPECT_EQ(t.rows[0].cells[0].style.background, RGB(192, 192, 255));
    // Day cells carry the grid's texts and colours: the 1st in column 1, Shabbat the 7th.
    EXPECT_EQ(t.rows[1].cells[0].text, view.grid.Cell(1, 0).text);
    EXPECT_EQ(t.rows[1].cells[6].style.background, RGB(0, 0, 128));
    EXPECT_EQ(t.rows[1].cells[6].style.foreground, RGB(255, 255, 255));
}

TEST_F(CalendarPageTest, ThirtyOneDaysFromFridayNeedSixWeeksAndFollowThem) {
    Month(2027, 1);  // 1 January 2027 is a Friday, the 31st a Sunday
    const Table& t = MonthTable();
    ASSERT_EQ(t.BodyRows(), 6);
    const std::vector<std::pair<int, int>> blanks = {{1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5},
                                                     {6, 2}, {6, 3}, {6, 4}, {6, 5}, {6, 6}, {6, 7}};
    EXPECT_EQ(Shaded(RGB(128, 128, 255)), blanks);
    EXPECT_EQ(t.rows[1].cells[0].style.foreground, RGB(255, 255, 255));
    EXPECT_EQ(t.rows[6].cells[0].text, view.grid.Cell(6, 0).text);  // the 31st
    EXPECT_EQ(t.rows[1].cells[5].text, view.grid.Cell(1, 5).text);  // the 1st

    // Day numbers stand in the corners of their cells, the 1st on Friday, the 31st on the sixth Sunday.
    EXPECT_EQ(t.rows[1].cells[5].corner, "1");
    EXPECT_EQ(t.rows[3].cells[0].corner, "10");
    EXPECT_EQ(t.rows[6].cells[0].corner, "31");
    EXPECT_EQ(t.rows[6].cells[1].corner, "");
    EXPECT_TRUE(All<TextBox>().empty());
    EXPECT_EQ(t.FontOf(t.rows[6].cells[0]).size, 6);
    EXPECT_TRUE(t.FontOf(t.rows[6].cells[0]).bold);
}

TEST_F(CalendarPageTest, NoThemeColoursNothing) {
    Month(2026, 4, kThemeNone);  // Pesach: holy-day cells coloured on screen
    for (const Table* t : All<Table>())
        for (const TableRow& row : t->rows)
            for (const TableCell& cell : row.cells) {
                EXPECT_TRUE(cell.style.background == kNoColor || cell.style.background == RGB(255, 255, 255));
                EXPECT_TRUE(cell.style.foreground == kNoColor || cell.style.foreground == RGB(0, 0, 0));
            }
    Month(2026, 4, kThemeSummer);
    EXPECT_EQ(MonthTable().rows[0].cells[3].style.background, RGB(255, 255, 128));
    EXPECT_EQ(MonthTable().rows[1].cells[0].style.background, RGB(192, 192, 0));  // 1 April is a Wednesday
    EXPECT_EQ(MonthTable().rows[1].cells[3].style.background, RGB(255, 255, 0));  // Pesach, the holy-day colour
}

TEST_F(CalendarPageTest, PictureComesFirstAndTheTablesFollowIt) {
    Month(2026, 3, kThemeWinter, CalendarSize::Page, true);
    ASSERT_EQ(All<Picture>().size(), 1u);
    const Picture& pic = *All<Picture>()[0];
    EXPECT_EQ(pic.box.height, 15840 / 5);
    EXPECT_EQ(pic.box.width, 12240 - 2 * 1440);
    EXPECT_EQ(pic.fit, PictureFit::Zoom);
    ASSERT_EQ(All<Position>().size(), 3u);  // left margin, below the picture, the gap before the Shabbat table
    EXPECT_EQ(All<Position>()[1]->top, 1440 + 15840 / 5 + 250);
    EXPECT_EQ(doc.FitFloor(), 5);
    Month(2026, 3, kThemeWinter, CalendarSize::Page, false);
    EXPECT_TRUE(All<Picture>().empty());
    EXPECT_EQ(ShabbatTable().columns[3].width, 9360 - 5150);
    EXPECT_TRUE(ShabbatTable().fitColumns);
    EXPECT_FALSE(MonthTable().fitColumns);  // the weeks keep seven equal columns
}

TEST_F(CalendarPageTest, PocketIsAThirdOfA5WithoutPicture) {
    Month(2026, 3, kThemeWinter, CalendarSize::Pocket, true);
    EXPECT_TRUE(All<Picture>().empty());
    EXPECT_EQ(doc.Page().paper, PaperSize::A5);
    const int w = RoundHalfEven(8391 / 3.0), c = RoundHalfEven(w / 7.0);
    EXPECT_EQ(MonthTable().columns[0].width, c);
    EXPECT_EQ(MonthTable().rows[1].height, RoundHalfEven(c * 0.8));
    EXPECT_EQ(ShabbatTable().rows[0].cells[0].text, "Shab.");
    // The Shabbat columns fit the narrow table, the details keeping a quarter.
    int sum = 0;
    for (const TableColumn& col : ShabbatTable().columns) sum += col.width;
    EXPECT_EQ(sum, w);
    EXPECT_GE(ShabbatTable().columns[3].width, w / 4);
    EXPECT_EQ(MonthTable().FontOf(MonthTable().rows[1].cells[0]).size, 5);
}

TEST_F(CalendarPageTest, HtmlKeepsTablesColoursAndEscapes) {
    CalendarPageInputs page = Month(2026, 4);
    page.title = "A <b> & \"quoted\" 'title'";
    ComposeCalendarDocument(page, doc);
    HtmlOptions options;
    options.title = page.title;
    options.pictureHref = [](const std::string&) { return std::string("pic.jpg"); };
    const std::string html = WriteHtml(doc, options);
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(html.find("A &lt;b&gt; &amp; &quot;quoted&quot; &#39;title&#39;"), std::string::npos);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    // The charset and the three tables are read back by an HTML parser in the command-line tests.
    EXPECT_NE(html.find("background:#c0c0ff"), std::string::npos);  // Winter's light colour
    EXPECT_NE(html.find("background:#ffff00"), std::string::npos);  // the holy days
    EXPECT_NE(html.find("<col style=\"width:66.85pt\">"), std::string::npos);  // 1337 twips
    EXPECT_NE(html.find("Pesach"), std::string::npos);
    EXPECT_NE(html.find("Printed: 12/07/26-1200"), std::string::npos);
    EXPECT_EQ(html.find("<img"), std::string::npos);  // no picture asked for
}

TEST(RtfText, EscapesAndUnicode) {
    EXPECT_EQ(EscapeRtf("a\\b{c}d"), "a\\\\b\\{c\\}d");
    EXPECT_EQ(EscapeRtf("line\r\nnext"), "line\\line next");
    EXPECT_EQ(EscapeRtf("\xef\xbf\xbd"), "\\u-3?");               // U+FFFD as a signed 16-bit number
    EXPECT_EQ(EscapeRtf("\xf0\x9f\x95\x8e"), "\\u-10179?\\u-8882?");  // U+1F54E as a surrogate pair
}

TEST_F(CalendarPageTest, RtfHasTheTablesColoursAndAnEmbeddedPicture) {
    Month(2026, 4, kThemeWinter, CalendarSize::Page, true);
    const PictureLoader loader = [](const std::string&, PictureFile& out) {
        out.kind = PictureFile::Kind::Png;
        out.bytes = std::string("\x89PNG", 4);
        out.width = 300;
        out.height = 100;
        return true;
    };
    const std::string rtf = WriteRtf(doc, loader);
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(rtf.find("\\red192\\green192\\blue255;"), std::string::npos);
    EXPECT_NE(rtf.find("\\pngblip\\picw300\\pich100\\picwgoal9360\\pichgoal3120\n89504e47}"), std::string::npos);
    // The rows (title, header, 5 weeks, Shabbat header, 4 Shabbatot) are counted by unrtf in the command-line tests.
    EXPECT_NE(rtf.find("\\trhdr"), std::string::npos);
    EXPECT_NE(rtf.find("\\cellx1337"), std::string::npos);
    EXPECT_NE(rtf.find("\\paperw12240\\paperh15840"), std::string::npos);
    // On the pocket page no word is wider than its cell: words are shortened as on paper.
    Month(2027, 10, kThemeWinter, CalendarSize::Pocket);
    const std::string pocket = WriteRtf(doc, loader);
    EXPECT_NE(pocket.find(" Tishrei 28\\line Shab\\u8230? Can\\u8230? 5:42 PM}"), std::string::npos)
        << "Shabbat Candles: at 5 pt in a 400-twip cell";
    Month(2026, 4, kThemeWinter, CalendarSize::Page, true);
    // Without a readable picture its space stays: a spacer of the box's height.
    const std::string empty = WriteRtf(doc, [](const std::string&, PictureFile&) { return false; });
    EXPECT_NE(empty.find("\\sl-3168\\slmult0"), std::string::npos);
}

TEST(YearIndexLinks, FirstCaptionOfALineLinksToItsPage) {
    YearViewModel year;
    year.year = 2026;
    year.title = "2026";
    for (int m = 1; m <= 12; ++m) year.monthLabels[static_cast<size_t>(m - 1)] = MonthName(m) + " 2026";
    EXPECT_EQ(MonthFileName(2026, 9), "September2026");
    const std::string linked = LinkMonthNamesInText("x March 2026 and January 2026\n<td>May 2026</td>\nnone\n", year);
    EXPECT_EQ(linked,
              "x March 2026 and <a href=\"January2026.htm\">January 2026</a>\n"
              "<td><a href=\"May2026.htm\">May 2026</a></td>\nnone\n");
}

}  // namespace
}  // namespace varnel
