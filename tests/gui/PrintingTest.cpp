// The printouts on paper: documents laid out, written as PDF and read back
// with poppler's pdftotext and pdfinfo; the preview window's buttons and zoom
// modes; printing without a printer; and the Shabbat sunsets across a clock
// change that falls on a Saturday, found in the time-zone database.

#include <QAbstractButton>
#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QTimeZone>

#include "WindowFixture.h"
#include "core/common/DateFormat.h"
#include "core/common/Json.h"
#include "core/printing/ArialWidths.h"
#include "core/printing/Printouts.h"
#include "core/solar/Location.h"
#include "core/views/DayView.h"
#include "core/views/CalendarSource.h"
#include "core/views/MonthView.h"
#include "core/views/YearView.h"
#include "core/views/ViewState.h"
#include "gui/printing/CompileProgress.h"
#include "gui/printing/PrintCalendarDialog.h"
#include "gui/printing/DocumentLayout.h"
#include "gui/printing/DocumentOutput.h"
#include "gui/printing/FontMeasure.h"
#include "gui/printing/PrintPreviewDialog.h"

namespace varnel {
namespace {

QString RunTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(20000) || p.exitCode() != 0) return QStringLiteral("(%1 failed)").arg(program);
    return QString::fromUtf8(p.readAllStandardOutput());
}

class PrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        ASSERT_TRUE(dir.isValid());
    }
    // Lays the document out, writes it as a PDF and returns pdftotext's text of page `page` (0 = all).
    QString PdfText(const Document& doc, int page = 0, QString* info = nullptr) {
        const QString path = dir.filePath(QStringLiteral("out%1.pdf").arg(++files));
        QString error;
        EXPECT_TRUE(WritePdf(DocumentLayout(doc), path, &error)) << error.toStdString();
        if (info) *info = RunTool(QStringLiteral("pdfinfo"), {path});
        QStringList args = {QStringLiteral("-layout")};
        if (page > 0) args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
        return RunTool(QStringLiteral("pdftotext"), args << path << QStringLiteral("-"));
    }
    static std::vector<ShabbatRow> Rows(int n) {
        std::vector<ShabbatRow> rows;
        for (int k = 1; k <= n; ++k)
            rows.push_back({Date(), "0" + std::to_string(k) + "/0" + std::to_string(k), "Nisan 1 7:00 PM to Nisan 2 7:01 PM",
                            "Tzav", "Isaiah 43:21; 44:23 \xD7\xA9\xD7\x91\xD7\xAA", {}});
        return rows;
    }
    QTemporaryDir dir;
    int files = 0;
};

TEST_F(PrintingTest, ShabbatPrintoutOnLetterAndA4ReadsBack) {
    for (PaperSize paper : {PaperSize::Letter, PaperSize::A4}) {
        Document doc;
        doc.SetPaper(paper);
        ComposeShabbatDocument(Rows(4), "Adar II-Nisan 5784 / April 2024", Date(2024, 4, 1).Serial() + 0.5, doc);
        QString info;
        const QString text = PdfText(doc, 0, &info);
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << info.toStdString();
        EXPECT_TRUE(info.contains(paper == PaperSize::A4 ? QStringLiteral("(A4)") : QStringLiteral("(letter)")))
            << info.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Shabbat details for Adar II-Nisan 5784 / April 2024")));
        for (const char* word : {"Date", "Hours", "Parashah", "Passages", "04/04", "Tzav"})
            EXPECT_TRUE(text.contains(QLatin1String(word))) << word;
        // ";" prints as ","; UTF-8 comes through whole.
        EXPECT_TRUE(text.contains(QStringLiteral("Isaiah 43:21, 44:23"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QString::fromUtf8("\xD7\xA9\xD7\x91\xD7\xAA")));
        EXPECT_TRUE(text.contains(QStringLiteral("Varnel * Copyright")));
        // The footer names the month where the day printout names the day.
        EXPECT_TRUE(text.contains(QRegularExpression(
            QStringLiteral("\\(Adar II-Nisan 5784 / April 2024 - Printed: 04/01/24-1200\\)\\s+Page 1"))))
            << text.toStdString();
        EXPECT_EQ(text.count(QStringLiteral("Tzav")), 4);
    }
}

TEST_F(PrintingTest, LongTableRunsOnWithItsHeaderOnEveryPage) {
    Document doc;
    doc.SetBandFont({"Arial", 8, false, false});
    doc.StartDoc();
    doc.SetFooter("||Page %d");
    std::string body;
    for (int r = 1; r <= 150; ++r) body += "row " + std::to_string(r) + "|some text that is long enough to wrap inside its narrow cell " + std::to_string(r) + ";";
    doc.StartTable();
    doc.AddTable("<1500|<2000", "Heading One|Heading Two", body);
    doc.EndTable();
    doc.EndDoc();
    // The progress window follows the layout page by page and closes at the end.
    QWidget owner;
    QStringList shown;
    CompileProgress progress(&owner);
    const DocumentEvents report = progress.Events();
    const auto look = [&] {
        const auto* window = owner.findChild<QLabel*>(QStringLiteral("lblCompiling"));
        shown << (window && window->isVisible() ? window->text() : QStringLiteral("closed"));
    };
    const DocumentLayout layout(doc, {[&] { report.started(); look(); }, [&](int page) { report.newPage(page); look(); },
                                      [&] { report.ended(); look(); }});
    ASSERT_GE(layout.PageCount(), 3);
    ASSERT_EQ(shown.size(), layout.PageCount() + 2);
    EXPECT_EQ(shown.front(), QStringLiteral("Compiling document... please wait..."));
    EXPECT_EQ(shown[1], QStringLiteral("Compiling document... page 1"));
    EXPECT_EQ(shown[layout.PageCount()], QStringLiteral("Compiling document... page %1").arg(layout.PageCount()));
    EXPECT_EQ(shown.back(), QStringLiteral("closed"));
    QString info;
    const QString all = PdfText(doc, 0, &info);
    EXPECT_TRUE(info.contains(QStringLiteral("Pages:           %1").arg(layout.PageCount()))) << info.toStdString();
    for (int r = 1; r <= 150; ++r) EXPECT_EQ(all.count(QStringLiteral("row %1 ").arg(r)), 1) << r;
    for (int p = 1; p <= layout.PageCount(); ++p) {
        const QString text = PdfText(doc, p);
        EXPECT_EQ(text.count(QStringLiteral("Heading One")), 1) << "page " << p;
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1").arg(p))) << "page " << p;
    }
}

// The rectangles a layout gave the texts and pictures of page 0.
std::vector<DocumentLayout::Item> ItemsOf(const DocumentLayout& layout, DocumentLayout::Item::Kind kind) {
    std::vector<DocumentLayout::Item> items;
    for (const auto& item : layout.PageAt(0).items)
        if (item.kind == kind) items.push_back(item);
    return items;
}

TEST_F(PrintingTest, WideTablesNarrowSpansCoverCellsAndBoxesStayInPlace) {
    Document doc;  // Letter, 1-inch margins: 9360 twips between them
    doc.StartDoc();
    // The Shabbat table's columns add up to 4.25 q, wider than the 9360 twips; they are narrowed to fit.
    TableBuilder table(ShabbatTableColumns(9360), doc.Font());
    table.AddRow({"a", "b", "c", "d"}).AddRow({"wide"}).SetColSpan(CellRange::Cell(2, 1), 4);
    doc.AddTable(std::move(table).Take());
    const QString picture = dir.filePath(QStringLiteral("p.png"));
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(picture));
    doc.DrawPicture(picture.toStdString(), {1440, 8000, 2000, 2000});
    doc.DrawPicture(dir.filePath(QStringLiteral("missing.png")).toStdString(), {1440, 8000, 2000, 2000});
    doc.DrawTextBox("31", {5000, 9000, 1000, 1000});
    doc.EndDoc();
    const DocumentLayout layout(doc);
    const auto texts = ItemsOf(layout, DocumentLayout::Item::Kind::Text);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_NEAR(texts[3].rect.right() + 60, 1440 + 9360, 1);  // "d" ends at the right margin
    EXPECT_NEAR(texts[4].rect.width() + 120, 9360, 1);        // "wide" spans the four columns
    EXPECT_EQ(texts[5].rect.topLeft(), QPointF(5000, 9000));  // one line of its box
    EXPECT_EQ(texts[5].rect.width(), 1000);
    const auto pictures = ItemsOf(layout, DocumentLayout::Item::Kind::Image);
    ASSERT_EQ(pictures.size(), 1u);  // the missing file draws nothing
    EXPECT_EQ(pictures[0].rect, QRectF(1440, 8500, 2000, 1000));  // zoomed into the box, centred
}

// The widths the RTF writer estimates agree with the installed Arial (or its
// metric twin, Liberation Sans) as the page layout measures it.
TEST(ArialWidths, AgreeWithTheInstalledFont) {
    EnsureApplication();
    FontMeasure installed;
    for (const bool bold : {false, true}) {
        const TextMeasure qt = installed.For({"Arial", 5, bold, false}), table = ArialMeasure(bold);
        for (const char* text : {"Tishrei 29", "Shabbat Candles: 5:49 PM", "Yom T'ruah (Rosh Hashanah) day 1",
                                 "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz 0123456789 ;:,.-/!?"})
            EXPECT_NEAR(table.width(text, 5), qt.width(text, 5), qt.width(text, 5) * 0.015) << text << (bold ? " bold" : "");
    }
}

TEST_F(PrintingTest, DayAndYearPrintoutsReadBack) {
    DayViewModel day;
    day.title = "Nisan 19, 5784 - Saturday 04/27/2024";
    day.grid.Resize(5, 2);
    day.grid.SetText(1, 1, "Shabbat Pesach");
    day.grid.SetText(3, 0, "Pesach in year 5785 is:");
    day.grid.SetText(3, 1, "351 days away");
    Document doc;
    ComposeDayDocument(day, Date(2024, 4, 27).Serial(), doc);
    const Table& t = std::get<Table>(doc.Blocks()[0]);
    EXPECT_EQ(t.BodyRows(), 2);  // the rows with both cells empty are left out
    EXPECT_EQ(t.columns[0].width, 4680);
    EXPECT_EQ(t.columns[0].align, HAlign::Right);
    QString text = PdfText(doc);
    EXPECT_TRUE(text.contains(QStringLiteral("Pesach in year 5785 is:")));
    EXPECT_TRUE(text.contains(QStringLiteral("(Nisan 19, 5784 - Saturday 04/27/2024 - Printed: 04/27/24-0000)")));

    YearViewModel year;
    ShowYear(2026, PlacedHolyDays{}, RGB(255, 0, 255), RGB(0, 0, 255), year);
    Document yearDoc;
    yearDoc.SetPaper(PaperSize::A4);
    ComposeYearDocument(year, yearDoc);
    QString info;
    text = PdfText(yearDoc, 0, &info);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << info.toStdString();
    for (const char* month : {"January 2026", "April 2026", "December 2026"})
        EXPECT_TRUE(text.contains(QLatin1String(month))) << month;
    // Newspaper columns: January, February and March head the three columns, side by side.
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("January 2026\\s+February 2026\\s+March 2026"))))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("October 2026\\s+November 2026\\s+December 2026"))));
}

TEST_F(PrintingTest, PreviewButtonsZoomsPagesAndPrintWithoutPrinter) {
    Document doc;
    doc.StartDoc();
    doc.AddParagraph("first page");
    doc.NewPage();
    doc.AddParagraph("second page");
    doc.NewPage();
    doc.AddParagraph("third page");
    doc.EndDoc();
    PrintPreviewDialog preview(nullptr, doc, QStringLiteral("Test"));
    preview.show();
    EXPECT_EQ(preview.PageCount(), 3);
    ASSERT_TRUE(Settle([&] { return preview.Preview()->pageCount() == 3; }));

    auto* close = preview.findChild<QPushButton*>(QStringLiteral("cmdExit"));
    ASSERT_TRUE(close && preview.findChild<QPushButton*>(QStringLiteral("cmdPrint")) &&
                preview.findChild<QPushButton*>(QStringLiteral("cmdSavePdf")));

    const std::pair<PrintPreviewDialog::Zoom, QPrintPreviewWidget::ViewMode> modes[] = {
        {PrintPreviewDialog::Zoom::Thumbnail, QPrintPreviewWidget::AllPagesView},
        {PrintPreviewDialog::Zoom::TwoPages, QPrintPreviewWidget::FacingPagesView},
        {PrintPreviewDialog::Zoom::PageWidth, QPrintPreviewWidget::SinglePageView},
        {PrintPreviewDialog::Zoom::WholePage, QPrintPreviewWidget::SinglePageView}};
    for (const auto& [zoom, mode] : modes) {
        preview.ZoomAction(zoom)->trigger();
        EXPECT_EQ(preview.CurrentZoom(), zoom);
        EXPECT_EQ(preview.Preview()->viewMode(), mode);
    }
    EXPECT_EQ(preview.Preview()->zoomMode(), QPrintPreviewWidget::FitInView);
    preview.ZoomAction(PrintPreviewDialog::Zoom::PageWidth)->trigger();
    EXPECT_EQ(preview.Preview()->zoomMode(), QPrintPreviewWidget::FitToWidth);

    // The page is drawn: the widget shows dark text on its white page.
    preview.resize(800, 600);
    preview.SetZoom(PrintPreviewDialog::Zoom::PageWidth);
    const auto darkPixels = [&] {
        const QImage shot = preview.Preview()->grab().toImage();
        int dark = 0;
        for (int y = 0; y < shot.height(); y += 2)
            for (int x = 0; x < shot.width(); x += 2) dark += qGray(shot.pixel(x, y)) < 64;
        return dark;
    };
    EXPECT_TRUE(Settle([&] { return darkPixels() > 20; })) << darkPixels();

    preview.GoToPage(3);
    EXPECT_EQ(preview.CurrentPage(), 3);
    preview.GoToPage(9);
    EXPECT_EQ(preview.CurrentPage(), 3);

    // "Save as PDF": the file dialog, then every page in the file (".pdf" added to the name).
    const QString saved = dir.filePath(QStringLiteral("saved"));
    WhenModal<QFileDialog>([&](QFileDialog& dialog) {
        // The name typed into the dialog's own field, as a user does (selectFile
        // races the dialog's loading of the suggested name).
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(saved);
        QMetaObject::invokeMethod(&dialog, "accept");
    });
    preview.findChild<QPushButton*>(QStringLiteral("cmdSavePdf"))->click();
    EXPECT_TRUE(RunTool(QStringLiteral("pdfinfo"), {saved + QStringLiteral(".pdf")})
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))));

    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "a printer is installed here";
    QString shown;
    WhenModal<QMessageBox>([&](QMessageBox& box) {
        shown = box.text();
        box.button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(preview.PrintNow());
    EXPECT_TRUE(shown.contains(QStringLiteral("No printer is installed"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("PDF")));
    close->click();
    EXPECT_FALSE(preview.isVisible());
}

// Years in which a zone's clocks change around a weekend, from its transitions.
std::vector<int> WeekendChangeYears(const QTimeZone& zone) {
    std::vector<int> years;
    for (int year = 1995; year <= 2030; ++year)
        for (const auto& t : zone.transitions(QDateTime(QDate(year, 1, 1), QTime(0, 0), Qt::UTC),
                                              QDateTime(QDate(year, 12, 31), QTime(0, 0), Qt::UTC)))
            if (t.atUtc.addSecs(t.standardTimeOffset).date().dayOfWeek() >= 5) {
                years.push_back(year);
                break;
            }
    return years;
}

// A Saturday on which the daylight decision under the system zone TZ = id
// differs from the Friday's, with its year's place; 0 when there is none.
std::optional<Date> SaturdayChange(const char* id, Place& place) {
    qputenv("TZ", id);
    for (int year : WeekendChangeYears(QTimeZone(id))) {
        PlaceChoice systemRules;
        systemRules.systemDaylight = true;
        place = PlaceInYear(systemRules, year);
        for (Date d = Date(year, 1, 1) + (7 - Date(year, 1, 1).Weekday()); d.Year() == year; d += 7)
            if (ApplyDaylightRule(place.daylight, d).daylight != ApplyDaylightRule(place.daylight, d - 1).daylight)
                return d;
    }
    return std::nullopt;
}

TEST(ShabbatDaylight, ClockChangeOnSaturdayGivesSaturdaysSunsetOnSaturdaysClock) {
    EnsureApplication();
    const ScopedTimeZone systemZone;
    std::optional<Date> changed;
    Place place;
    for (const char* id : {"Asia/Gaza", "Asia/Hebron", "Asia/Tehran", "America/Santiago", "America/Asuncion"})
        if ((changed = SaturdayChange(id, place))) break;
    ASSERT_TRUE(changed) << "no zone with a Saturday change of clocks";
    const Date change = *changed;

    // The rows as the window and the command line build them.
    CalendarSource source(CalendarData{});
    PlaceChoice systemRules;
    systemRules.systemDaylight = true;
    source.SetPlace(systemRules);
    ViewState state;
    state.ShowMonthOf(change);
    const auto rows = ShabbatRowsOf(ShabbatInputsFor(source, state));
    const ShabbatRow* row = nullptr;
    for (const ShabbatRow& r : rows)
        if (r.saturday == change) row = &r;
    ASSERT_NE(row, nullptr);
    const std::string friday = ClockText(*SunOn(change - 1, place).sunset);
    const std::string saturday = ClockText(*SunOn(change, place).sunset);
    // With the Friday's decision Saturday's sunset would read an hour off.
    SunSite fridays = CitySite(FindCity(kDefaultCity));
    fridays.daylightSaving = ApplyDaylightRule(place.daylight, change - 1).daylight;
    EXPECT_NE(saturday, ClockText(*SunOn(change, fridays).sunset));
    EXPECT_NE(row->times.find(" " + friday + " to "), std::string::npos) << row->times;
    EXPECT_EQ(row->times.substr(row->times.size() - saturday.size()), saturday) << row->times;
}

using PrintMenu = WindowFixture;

TEST_F(PrintMenu, EveryPrintItemComposesAndNeverClaimsAPrintWithoutPrinter) {
    MainWindow& window = Start();
    ShowMonth(2024, 8);
    const bool noPrinter = QPrinterInfo::defaultPrinter().isNull();

    // Month view: the print dialog, whose preview shows the calendar page
    // with the month's Shabbat table.
    int pages = 0;
    QStringList texts;
    WhenModal<PrintCalendarDialog>([&](PrintCalendarDialog& dialog) {
        WhenModal<PrintPreviewDialog>([&](PrintPreviewDialog& preview) {
            pages = preview.PageCount();
            texts = preview.Layout().PageTexts(0);
            preview.close();
        });
        dialog.PrintPreview();
        dialog.reject();
    });
    window.findChild<QAction*>("mPrintView")->trigger();
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(texts.contains(QStringLiteral("Matot/Masei"))) << texts.join(QLatin1Char('|')).toStdString();

    // Year view: the twelve grids in the preview.
    window.ShowView(MainWindow::View::Year);
    WhenModal<PrintPreviewDialog>([&](PrintPreviewDialog& preview) {
        texts = preview.Layout().PageTexts(0);
        preview.close();
    });
    window.findChild<QAction*>("mPrintView")->trigger();
    EXPECT_TRUE(texts.contains(QStringLiteral("December 2024"))) << texts.join(QLatin1Char('|')).toStdString();

    if (!noPrinter) GTEST_SKIP() << "a printer is installed here";
    // Day view and Shabbat hours go to the printer: without one, the message.
    int messages = 0;
    const auto cancel = [&](QMessageBox& box) {
        messages += box.text().contains(QStringLiteral("No printer is installed"));
        box.button(QMessageBox::Cancel)->click();
    };
    window.ShowView(MainWindow::View::Day);
    WhenModal<QMessageBox>(cancel);
    window.findChild<QAction*>("mPrintView")->trigger();
    WhenModal<QMessageBox>(cancel);
    window.findChild<QAction*>("mPrintShabbat")->trigger();
    EXPECT_EQ(messages, 2);
}

}  // namespace
}  // namespace varnel
