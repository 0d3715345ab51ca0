// The year and day panels, the dialogs and the cell note as the main window
// uses them, under the offscreen platform.

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "core/calendar/HebrewCalendar.h"
#include "core/calendar/HolyDays.h"
#include "core/views/ColorScheme.h"
#include "gui/views/DayPanel.h"
#include "core/views/ViewState.h"
#include "gui/views/YearPanel.h"
#include "gui/views/ColorsDialog.h"
#include "gui/views/GoToDateDialog.h"
#include "gui/solar/LocationDialog.h"
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include "WindowFixture.h"

namespace varnel {
namespace {

// Answers the date dialog the next call opens with a day.
void AnswerDateDialog(QDate day) {
    WhenModal<GoToDateDialog>([day](GoToDateDialog& d) {
        d.findChild<QCalendarWidget*>("calDate")->setSelectedDate(day);
        d.accept();
    });
}

class WiredViews : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        if (!HasFatalFailure()) Start();
    }
    YearPanel* Year() const { return window_->Year(); }
    DayPanel* Day() const { return window_->Day(); }
};

TEST_F(WiredViews, StartUpShowsTheSplash) {
    MainWindow window;
    window.show();
    ASSERT_TRUE(StartUp(window));
    ASSERT_NE(OpenSplash(), nullptr);
    EXPECT_EQ(OpenSplash()->Timer()->interval(), 2000);
    window.findChild<QAction*>("mAbout")->trigger();  // the splash's own rules are the dialogs' tests
    EXPECT_EQ(OpenSplash()->Timer()->interval(), 5000);
    OpenSplash()->close();
    FlushDeletes();
}

TEST_F(WiredViews, YearViewShowsTheYearAndNextYearFromDecember) {
    ShowMonth(2025, 12);
    window_->ShowView(MainWindow::View::Year);
    EXPECT_EQ(window_->CurrentView(), MainWindow::View::Year);
    EXPECT_EQ(Year()->Year(), 2025);
    EXPECT_EQ(Year()->Title()->text(), "2025");
    EXPECT_EQ(Year()->MonthLabel(11)->text(), "December 2025");
    EXPECT_EQ(Year()->Title()->palette().color(QPalette::Window), QColor(100, 179, 217));

    Year()->findChild<QPushButton*>("cmdNextYear")->click();
    EXPECT_EQ(Year()->Year(), 2026);
    EXPECT_EQ(Year()->Title()->text(), "2026");
    EXPECT_EQ(window_->State().currentDate, Date(2026, 1, 1));
    EXPECT_EQ(window_->State().currentMonthEnd, Date(2026, 1, 31));
    EXPECT_EQ(window_->State().currentMonthDays, 31);
    // The holy days are placed for the new year: Yom Kippur 5787, 21 September 2026, is painted.
    const YearCell kippur = YearCellOf(2026, 9, 21);
    EXPECT_EQ(Year()->Model().grids[8].Cell(kippur.row, kippur.col).background, window_->State().holyDayColor);

    Year()->findChild<QPushButton*>("cmdPreviousYear")->click();
    Year()->findChild<QPushButton*>("cmdPreviousYear")->click();
    EXPECT_EQ(Year()->Year(), 2024);
    EXPECT_EQ(window_->State().currentDate, Date(2024, 1, 1));
    EXPECT_EQ(window_->CurrentView(), MainWindow::View::Year);
}

TEST_F(WiredViews, YearClickRendersTheMonthBehindAndDoubleClickOpensTheDay) {
    ShowMonth(2026, 1);
    window_->ShowView(MainWindow::View::Year);
    const YearCell cell = YearCellOf(2026, 3, 17);
    GridWidget* march = Year()->MonthGrid(2);
    ClickCell(march, cell.row, cell.col);
    EXPECT_EQ(window_->CurrentView(), MainWindow::View::Year);
    EXPECT_EQ(window_->State().currentDate, Date(2026, 3, 1));
    EXPECT_EQ(window_->Month()->Model().lastStartOfMonth, Date(2026, 3, 1));
    EXPECT_EQ(Selected(), std::pair(cell.row, cell.col));
    // The selected cell addresses the same day in the month grid.
    EXPECT_EQ(window_->Month()->Model().grid.Cell(cell.row, cell.col).date, Date(2026, 3, 17));

    ClickCell(march, cell.row, cell.col, true);
    EXPECT_EQ(window_->CurrentView(), MainWindow::View::Day);
    EXPECT_TRUE(window_->ViewAction(MainWindow::View::Day)->isChecked());
    EXPECT_EQ(Day()->Title()->text(), "Adar 28, 5786 - Tuesday 03/17/2026");
    EXPECT_EQ(Day()->Model().grid.Cell(0, 0).text, "Adar 28");
}

// After the year buttons CurrentDate is 1 January of another year while the
// month grid still holds the month rendered before: the day view must show the
// texts of the day in its title, not those of the old month's cell.
TEST_F(WiredViews, DayViewAfterTheYearButtonsShowsTheDayOfItsTitle) {
    ShowMonth(2026, 3);
    const MonthCell cell = MonthCellOf(window_->State().currentDate, 17);
    window_->State().selectedRow = cell.row;
    window_->State().selectedCol = cell.col;
    window_->ShowView(MainWindow::View::Year);
    Year()->findChild<QPushButton*>("cmdNextYear")->click();
    ASSERT_EQ(window_->State().currentDate, Date(2027, 1, 1));
    window_->ShowView(MainWindow::View::Day);
    const DayViewModel& day = Day()->Model();
    ASSERT_TRUE(day.day);
    const YearMonthDay shown = day.day->Parts();
    EXPECT_EQ(shown.year, 2027);
    EXPECT_EQ(shown.month, 1);
    const HebrewDate h = HebrewDateOf(*day.day);
    EXPECT_EQ(day.grid.Cell(0, 0).text, HebrewMonthName(h.year, h.month) + " " + std::to_string(h.day));
    EXPECT_EQ(window_->Month()->Model().lastStartOfMonth, Date(2027, 1, 1));
}

// The year view's buttons lead to a month with the same complete year as the
// date dialog does: the festival readings applied and that year's daylight rules.
TEST_F(WiredViews, YearButtonsAndTheDateDialogShowTheSameCompleteYear) {
    const ScopedTimeZone newYork("America/New_York");
    PlaceChoice systemRules = ChoiceOfCity("Charlotte, NC");
    systemRules.systemDaylight = true;
    window_->Calendar().SetPlace(systemRules);
    const auto byYearButtons = [&](int month) {
        ShowMonth(2026, 1);
        window_->ShowView(MainWindow::View::Year);
        Year()->findChild<QPushButton*>("cmdNextYear")->click();
        QLabel* name = Year()->MonthLabel(month - 1);
        Click(name, QPoint(3, 3));
        EXPECT_EQ(window_->Month()->Model().lastStartOfMonth, Date(2027, month, 1));
        return window_->Month()->Model().grid;
    };
    const auto byDateDialog = [&](int month) {
        ShowMonth(2026, 1);
        AnswerDateDialog(QDate(2027, month, 1));
        window_->GoToCommonDate();
        return window_->Month()->Model().grid;
    };
    const auto cellOf = [](const Grid& grid, int month, int day) {
        const MonthCell at = MonthCellOf(Date(2027, month, 1), day);
        return grid.Cell(at.row, at.col);
    };
    // Shabbat Pesach, 24 April 2027, reads its festival portion.
    const GridCell pesach = cellOf(byYearButtons(4), 4, 24);
    EXPECT_NE(pesach.data.find("Special reading for Shabbat Pesach"), std::string::npos) << pesach.data;
    EXPECT_EQ(cellOf(byDateDialog(4), 4, 24).data, pesach.data);
    // Friday 2 July 2027 in Charlotte is in daylight time.
    const GridCell friday = cellOf(byYearButtons(7), 7, 2);
    EXPECT_NE(friday.text.find("Shabbat Candles: 8:22 PM"), std::string::npos) << friday.text;
    EXPECT_EQ(cellOf(byDateDialog(7), 7, 2).text, friday.text);
}

TEST_F(WiredViews, MonthNameOpensThatMonthUnlessReleasedOutsideIt) {
    ShowMonth(2026, 1);
    window_->ShowView(MainWindow::View::Year);
    QLabel* june = Year()->MonthLabel(5);
    Mouse(june, QEvent::MouseButtonPress, QPoint(3, 3));
    Mouse(june, QEvent::MouseButtonRelease, QPoint(june->width() + 40, june->height() + 40));
    EXPECT_EQ(window_->CurrentView(), MainWindow::View::Year);
    EXPECT_EQ(window_->State().currentDate, Date(2026, 1, 1));
    Click(june, QPoint(3, 3));
    EXPECT_EQ(window_->CurrentView(), MainWindow::View::Month);
    EXPECT_EQ(window_->State().currentDate, Date(2026, 6, 1));
    EXPECT_EQ(window_->Month()->Model().lastStartOfMonth, Date(2026, 6, 1));
}

TEST_F(WiredViews, GoToDateShowsTheMonthAndTheShownMonthDoesNothing) {
    ShowMonth(2026, 1);
    AnswerDateDialog(QDate(2026, 3, 17));
    window_->GoToCommonDate();
    EXPECT_EQ(window_->State().currentDate, Date(2026, 3, 1));
    EXPECT_EQ(window_->State().currentMonthEnd, Date(2026, 3, 31));
    EXPECT_EQ(window_->Month()->Model().lastStartOfMonth, Date(2026, 3, 1));
    EXPECT_EQ(window_->Month()->Model().title.substr(window_->Month()->Model().title.size() - 10), "March 2026");

    const uint64_t revision = window_->Month()->Model().grid.Revision();
    AnswerDateDialog(QDate(2026, 3, 30));
    window_->GoToCommonDate();
    EXPECT_EQ(window_->State().currentDate, Date(2026, 3, 1));
    EXPECT_EQ(window_->Month()->Model().grid.Revision(), revision);

    // From the day view it ends in the month view.
    window_->ShowView(MainWindow::View::Day);
    AnswerDateDialog(QDate(2027, 1, 5));
    window_->GoToCommonDate();
    EXPECT_EQ(window_->CurrentView(), MainWindow::View::Month);
    EXPECT_EQ(window_->Month()->Model().lastStartOfMonth, Date(2027, 1, 1));
}

// Typing a name searches the world list; the chosen place's times and zone
// are the month's at once.
TEST_F(WiredViews, SearchingTheWorldForBaltimoreGivesTheMonthItsTimes) {
    ShowMonth(2026, 7);
    WhenModal<LocationDialog>([](LocationDialog& d) {
        QTest::keyClicks(d.findChild<QLineEdit*>("txtSearch"), "Balt");
        QListWidget* list = d.findChild<QListWidget*>("lstLocations");
        const QList<QListWidgetItem*> found = list->findItems("Baltimore, Maryland", Qt::MatchStartsWith);
        ASSERT_EQ(found.size(), 1);
        EXPECT_EQ(list->row(found.front()), 0);  // the largest place of that beginning comes first
        list->setCurrentItem(found.front());
        d.accept();
    });
    window_->OpenLocationSettings();
    EXPECT_EQ(window_->Calendar().Choice().name, "Baltimore, Maryland, United States of America");
    const MonthViewModel& view = window_->Month()->Model();
    const MonthCell july4 = MonthCellOf(view.lastStartOfMonth, 4);
    const std::string& details = view.grid.Cell(july4.row, july4.col).data;
    // Baltimore's sunset on 4 July 2026 by the classic sun, on Eastern Daylight Time.
    EXPECT_NE(details.find("Sunset: 8:35 PM"), std::string::npos) << details;
    EXPECT_NE(details.find("(Baltimore, Maryland, United States of America - Eastern Daylight Time)"), std::string::npos)
        << details;
}

// The precise sun chosen beside a place of the midnight sun: the month says
// why its days have no sunset and no candle-lighting.
TEST_F(WiredViews, LongyearbyenInJuneWithThePreciseSunHasNoSunset) {
    ShowMonth(2026, 6);
    WhenModal<LocationDialog>([](LocationDialog& d) {
        QTest::keyClicks(d.findChild<QLineEdit*>("txtSearch"), "Longyearbyen");
        d.findChild<QListWidget*>("lstLocations")->setCurrentRow(0);
        d.findChild<QComboBox*>("cboSunAlgorithm")->setCurrentIndex(1);
        d.accept();
    });
    window_->OpenLocationSettings();
    EXPECT_EQ(window_->Calendar().Choice().sun, SunAlgorithm::Precise);
    const MonthViewModel& view = window_->Month()->Model();
    const MonthCell friday = MonthCellOf(view.lastStartOfMonth, 19);
    const GridCell& cell = view.grid.Cell(friday.row, friday.col);
    EXPECT_NE(cell.text.find("Shabbat Candles: none (the sun does not set)"), std::string::npos) << cell.text;
    EXPECT_NE(cell.data.find("Sunrise: none - Sunset: none (the sun does not set)"), std::string::npos) << cell.data;
    EXPECT_NE(cell.data.find("Proportional hour: none (the sun does not set)"), std::string::npos) << cell.data;
}

TEST_F(WiredViews, ColourSchemeRendersOnlyWhenItChanges) {
    window_->State().SelectColorScheme(0);
    ShowMonth(2026, 3);
    const uint64_t revision = window_->Month()->Model().grid.Revision();
    WhenModal<ColorsDialog>([](ColorsDialog& d) { d.accept(); });
    window_->ChooseColorScheme();
    EXPECT_EQ(window_->State().colorScheme, 0);
    EXPECT_EQ(window_->Month()->Model().grid.Revision(), revision);

    WhenModal<ColorsDialog>([](ColorsDialog& d) {
        d.findChild<QRadioButton*>("optScheme3")->setChecked(true);
        d.accept();
    });
    window_->ChooseColorScheme();
    EXPECT_EQ(window_->State().colorScheme, 3);
    const MonthViewModel& view = window_->Month()->Model();
    EXPECT_NE(view.grid.Revision(), revision);
    const MonthCell shabbat = MonthCellOf(view.lastStartOfMonth, 21);  // 21 March 2026, a Saturday
    EXPECT_EQ(view.grid.Cell(shabbat.row, shabbat.col).background, RGB(192, 64, 0));
    const MonthCell purim = MonthCellOf(view.lastStartOfMonth, 3);  // Purim, 14 Adar 5786
    EXPECT_EQ(view.grid.Cell(purim.row, purim.col).background, RGB(255, 255, 128));
}

TEST_F(WiredViews, HoverShowsTheNoteAndClickOrYearViewClosesIt) {
    ShowMonth(2026, 3);
    window_->State().floatDetails = true;
    GridWidget* grid = window_->Month()->Grid();
    const MonthCell day10 = MonthCellOf(window_->State().currentDate, 10);
    const MonthCell day12 = MonthCellOf(window_->State().currentDate, 12);
    HoverCell(grid, day10.row, day10.col);
    ASSERT_NE(OpenFlexNote(), nullptr);
    EXPECT_TRUE(OpenFlexNote()->isVisible());
    EXPECT_TRUE(OpenFlexNote()->NoteText().startsWith("Tuesday, March, 10, 2026\n"));
    EXPECT_EQ(OpenFlexNote()->NoteRow(), day10.row);
    EXPECT_EQ(OpenFlexNote()->NoteCol(), day10.col);

    HoverCell(grid, day12.row, day12.col);
    ASSERT_NE(OpenFlexNote(), nullptr);
    EXPECT_TRUE(OpenFlexNote()->NoteText().startsWith("Thursday, March, 12, 2026\n"));

    ClickCell(grid, day12.row, day12.col);
    EXPECT_EQ(OpenFlexNote(), nullptr);

    HoverCell(grid, day10.row, day10.col);
    ASSERT_NE(OpenFlexNote(), nullptr);
    window_->ShowView(MainWindow::View::Year);
    EXPECT_EQ(OpenFlexNote(), nullptr);

    // Moving over a year grid's days closes a note left open.
    window_->ShowView(MainWindow::View::Month);
    HoverCell(grid, day12.row, day12.col);
    ASSERT_NE(OpenFlexNote(), nullptr);
    GridWidget* january = Year()->MonthGrid(0);
    HoverCell(january, 2, 2);
    EXPECT_EQ(OpenFlexNote(), nullptr);

    // Over the header row, or with a button held, the note stays; a click on a year cell closes it.
    window_->ShowView(MainWindow::View::Month);
    HoverCell(grid, day10.row, day10.col);
    ASSERT_NE(OpenFlexNote(), nullptr);
    HoverCell(january, 0, 3);
    EXPECT_NE(OpenFlexNote(), nullptr);
    Mouse(january, QEvent::MouseMove, january->CellRect(3, 3).center(), Qt::LeftButton);
    EXPECT_NE(OpenFlexNote(), nullptr);
    ClickCell(january, 3, 3);
    EXPECT_EQ(OpenFlexNote(), nullptr);

    // Closing the main window closes the note.
    window_->ShowView(MainWindow::View::Month);
    const MonthCell day20 = MonthCellOf(window_->State().currentDate, 20);
    HoverCell(grid, day20.row, day20.col);
    ASSERT_NE(OpenFlexNote(), nullptr);
    window_->close();
    EXPECT_EQ(OpenFlexNote(), nullptr);
}

TEST_F(WiredViews, MonthDoubleClickOpensTheDayWithItsCountdown) {
    ShowMonth(2025, 10);
    GridWidget* grid = window_->Month()->Grid();
    const MonthCell cell = MonthCellOf(window_->State().currentDate, 2);  // Yom Kippur 5786
    ClickCell(grid, cell.row, cell.col, true);
    EXPECT_EQ(window_->CurrentView(), MainWindow::View::Day);
    EXPECT_EQ(Day()->Title()->text(), "Tishrei 10, 5786 - Thursday 10/02/2025");
    const DayViewModel& day = Day()->Model();
    EXPECT_EQ(day.grid.Cell(0, 0).text, "Tishrei 10");
    EXPECT_NE(day.grid.Cell(1, 1).text.find("Yom Kippur"), std::string::npos);
    int countdown = 0;
    for (int r = 0; r <= day.lastRow; ++r) countdown += day.grid.Cell(r, 0).text.rfind("Rosh Hashanah in year ", 0) == 0;
    EXPECT_EQ(countdown, 8);
    // The columns fit their texts: nothing is wrapped.
    EXPECT_GT(day.grid.ColWidth(1), day.grid.ColWidth(0));
    EXPECT_GE(Day()->DayGrid()->height(), Day()->DayGrid()->TwipsToPixelsY(day.grid.RowPos(day.lastRow + 1)) - 1);
}

}  // namespace
}  // namespace varnel
