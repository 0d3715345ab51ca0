// What a user of the window meets beyond the views themselves: the month
// redrawn for a new place, the cell note closed with its month or by Escape,
// today framed and the selection shown, the keyboard over the grids, the
// window's title, a restored window kept on the screen, and a warning for
// missing data files.

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QtTest/QTest>

#include "core/views/MonthView.h"
#include "core/views/YearView.h"
#include "gui/common/Settings.h"
#include "gui/views/DayPanel.h"
#include "gui/views/YearPanel.h"
#include "WindowFixture.h"

namespace varnel {
namespace {

class Comforts : public WindowFixture {
protected:
    MainWindow& Start() { return WindowFixture::Start(QSize(1000, 760)); }

    // The window on January 2027 with the floating note open over the 31st.
    MainWindow& StartWithNoteOnJanuary31(MonthCell& jan31) {
        MainWindow& window = Start();
        window.State().floatDetails = true;
        ShowMonth(2027, 1);
        jan31 = MonthCellOf(Date(2027, 1, 1), 31);
        HoverCell(window.Month()->Grid(), jan31.row, jan31.col);
        return window;
    }
};

TEST_F(Comforts, ANewPlaceRedrawsTheShownMonthAtOnce) {
    WriteSetting(setting::kLocation, "Charlotte, NC");
    MainWindow& window = Start();
    ShowMonth(2026, 7);
    const std::string charlotte = DayCell(3).text;  // Friday 3 July: candle-lighting
    ASSERT_NE(charlotte.find("Shabbat Candles"), std::string::npos);
    WhenModal<QDialog>([](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>("lstLocations");
        list->setCurrentItem(list->findItems("Hong Kong, China", Qt::MatchExactly).value(0));
        dialog.findChild<QPushButton*>("cmdOK")->click();
    });
    window.OpenLocationSettings();
    EXPECT_NE(DayCell(3).text, charlotte);
    EXPECT_NE(DayCell(3).data.find("(Hong Kong, China - "), std::string::npos);
    EXPECT_EQ(window.Month()->Model().lastStartOfMonth, Date(2026, 7, 1));
}

TEST_F(Comforts, TheNoteGoesWithItsMonthAndWithEscape) {
    MonthCell jan31;
    MainWindow& window = StartWithNoteOnJanuary31(jan31);
    GridWidget* grid = window.Month()->Grid();
    ASSERT_NE(OpenFlexNote(), nullptr);
    EXPECT_TRUE(OpenFlexNote()->NoteText().startsWith("Sunday, January, 31, 2027\n"));
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(window.State().currentDate, Date(2026, 12, 1));
    EXPECT_EQ(OpenFlexNote(), nullptr);

    // Escape closes the note wherever the focus is in the window.
    int day = 9;
    for (const char* focus : {"vsFlex", "cmdNextMonth", "cmdPreviousMonth"}) {
        const MonthCell cell = MonthCellOf(Date(2026, 12, 1), day);
        day += 7;  // a note does not open on the right neighbour of the last one
        HoverCell(grid, cell.row, cell.col);
        ASSERT_NE(OpenFlexNote(), nullptr) << focus;
        auto* widget = window.findChild<QWidget*>(focus);
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Escape);
        EXPECT_EQ(OpenFlexNote(), nullptr) << focus;
        FlushDeletes();
    }
}

// The note never stays over a dialog or another window: it closes when the
// main window loses the focus, and a window in the background shows none.
TEST_F(Comforts, TheNoteHidesWhenADialogOpensOrTheWindowLosesTheFocus) {
    MonthCell jan31;
    MainWindow& window = StartWithNoteOnJanuary31(jan31);
    GridWidget* grid = window.Month()->Grid();
    ASSERT_NE(OpenFlexNote(), nullptr);
    bool noteWhileDialog = true;
    WhenModal<QDialog>([&](QDialog& dialog) {
        noteWhileDialog = !Settle([] { return OpenFlexNote() == nullptr; });
        dialog.reject();
    });
    window.ChooseColorScheme();
    EXPECT_FALSE(noteWhileDialog);

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    HoverCell(grid, jan31.row - 1, jan31.col);
    ASSERT_NE(OpenFlexNote(), nullptr);
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(Settle([] { return OpenFlexNote() == nullptr; }));
    FlushDeletes();
    HoverCell(grid, jan31.row - 2, jan31.col);  // the pointer over the window in the background
    EXPECT_EQ(OpenFlexNote(), nullptr);
}

TEST_F(Comforts, TodayIsFramedInTheMonthAndYearViewsAndChosenForTheDayView) {
    MainWindow& window = Start();
    const Date today = Today();
    const YearMonthDay t = today.Parts();
    // The window opens on today's month with today selected.
    const MonthCell at = MonthCellOf(Date(t.year, t.month, 1), t.day);
    GridStyle style = window.Month()->Grid()->Style();
    EXPECT_EQ(std::tuple(style.todayRow, style.todayCol, style.selectedRow, style.selectedCol),
              std::tuple(at.row, at.col, at.row, at.col));
    window.ShowView(MainWindow::View::Day);
    EXPECT_NE(window.Day()->Title()->text().toStdString().find(std::to_string(t.year)),
              std::string::npos);
    EXPECT_EQ(Selected(), std::pair(at.row, at.col));

    // Another month has no frame; clicking a day selects it visibly.
    window.ShowView(MainWindow::View::Month);
    ShowMonth(t.year == 9999 ? 9998 : t.year + 1, t.month);
    EXPECT_EQ(window.Month()->Grid()->Style().todayRow, -1);

    window.ShowView(MainWindow::View::Year);
    ShowMonth(t.year, t.month);
    window.ShowView(MainWindow::View::Year);
    auto* year = window.Year();
    const YearCell cell = YearCellOf(t.year, t.month, t.day);
    for (int m = 0; m < 12; ++m) {
        style = year->MonthGrid(m)->Style();
        EXPECT_EQ(std::pair(style.todayRow, style.todayCol), m == cell.month ? std::pair(cell.row, cell.col) : std::pair(-1, -1));
    }
}

TEST_F(Comforts, ArrowsEnterAndTabDriveTheMonthGrid) {
    MainWindow& window = Start();
    ShowMonth(2026, 2);  // starts on a Sunday
    GridWidget* grid = window.Month()->Grid();
    const Date first = Date(2026, 2, 1);
    grid->setFocus();
    ASSERT_TRUE(grid->hasFocus());
    const MonthCell feb7 = MonthCellOf(first, 7);
    grid->Select(feb7.row, feb7.col);
    QTest::keyClick(grid, Qt::Key_Right);  // Saturday to the next Sunday
    const MonthCell feb8 = MonthCellOf(first, 8);
    EXPECT_EQ(Selected(), std::pair(feb8.row, feb8.col));
    QTest::keyClick(grid, Qt::Key_Down);
    const MonthCell feb15 = MonthCellOf(first, 15);
    EXPECT_EQ(Selected(), std::pair(feb15.row, feb15.col));
    EXPECT_TRUE(grid->Style().focused);  // the focus shows on the selected cell
    EXPECT_EQ(grid->Style().selectedRow, feb15.row);

    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(window.CurrentView(), MainWindow::View::Day);
    EXPECT_TRUE(window.Day()->Title()->text().endsWith("02/15/2026"));

    window.ShowView(MainWindow::View::Month);
    grid->setFocus();
    const bool floating = window.State().floatDetails;
    QTest::keyClick(grid, Qt::Key_Tab);  // onto "Floating info"
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->Row(), kFloatInfoRow);
    EXPECT_EQ(grid->Col(), kFloatInfoCol);
    QTest::keyClick(grid, Qt::Key_Space);
    EXPECT_EQ(window.State().floatDetails, !floating);
    QTest::keyClick(grid, Qt::Key_Tab);  // on to ">>>"
    EXPECT_EQ(QApplication::focusWidget(), window.Month()->findChild<QPushButton*>("cmdNextMonth"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(window.State().currentDate, Date(2026, 3, 1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), window.Month()->findChild<QPushButton*>("cmdPreviousMonth"));
}

TEST_F(Comforts, ArrowsAndEnterInAYearGrid) {
    MainWindow& window = Start();
    ShowMonth(2026, 1);
    window.ShowView(MainWindow::View::Year);
    auto* year = window.Year();
    GridWidget* march = year->MonthGrid(2);
    march->setFocus();
    QTest::keyClick(march, Qt::Key_Right);  // from nothing chosen: the first of March
    const YearCell first = YearCellOf(2026, 3, 1);
    EXPECT_EQ(std::pair(march->Row(), march->Col()), std::pair(first.row, first.col));
    EXPECT_EQ(window.State().currentDate, Date(2026, 3, 1));
    QTest::keyClick(march, Qt::Key_Down);
    const YearCell eighth = YearCellOf(2026, 3, 8);
    EXPECT_EQ(window.State().selectedRow, eighth.row);
    QTest::keyClick(march, Qt::Key_Enter);
    EXPECT_EQ(window.CurrentView(), MainWindow::View::Day);
    EXPECT_TRUE(window.Day()->Title()->text().endsWith("03/08/2026"));
}

TEST_F(Comforts, TheTitleNamesTheViewAndWhatItShows) {
    MainWindow& window = Start();
    ShowMonth(2026, 12);
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("December 2026 \u2014 Varnel"));
    window.ShowView(MainWindow::View::Year);
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("2026 \u2014 Varnel"));
    window.Year()->NextYear();
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("2027 \u2014 Varnel"));
    window.ShowView(MainWindow::View::Day);
    const QString day = window.Day()->Title()->text();
    ASSERT_FALSE(day.isEmpty());
    EXPECT_EQ(window.windowTitle(), day + QString::fromUtf8(" \u2014 Varnel"));
}

TEST_F(Comforts, ShabbatTimesItemFollowsTheSettingAndRedraws) {
    WriteSetting(setting::kShabbatTimesOnHolyDays, "1");
    MainWindow& window = Start();
    auto* item = window.findChild<QAction*>("mShabbatTimesOnHolyDays");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isChecked());
    ShowMonth(2026, 12);
    EXPECT_NE(DayCell(11).text.find("Shabbat Candles: "), std::string::npos);  // Hanukkah's Friday
    item->trigger();
    EXPECT_EQ(DayCell(11).text.find("Candles"), std::string::npos);
    window.close();
    EXPECT_EQ(ReadIntSetting(setting::kShabbatTimesOnHolyDays, -5), 0);
}

TEST_F(Comforts, OmerAndModernDayItemsFollowTheSettingsAndReplaceTheYear) {
    WriteSetting(setting::kOmerReckoning, "nisan16");
    WriteSetting(setting::kModernDays, "0");
    MainWindow& window = Start();
    auto* sabbath = window.findChild<QAction*>("mOmerSabbath");
    auto* nisan16 = window.findChild<QAction*>("mOmerNisan16");
    auto* modern = window.findChild<QAction*>("mModernDays");
    ASSERT_TRUE(sabbath && nisan16 && modern);
    EXPECT_TRUE(nisan16->isChecked());
    EXPECT_FALSE(sabbath->isChecked());
    EXPECT_FALSE(modern->isChecked());
    // May 2027: 6 Sivan is Friday 11 June from 16 Nisan; Yom HaAtzmaut (12 May) hidden.
    ShowMonth(2027, 6);
    EXPECT_NE(DayCell(11).text.find("Shavuot"), std::string::npos);
    sabbath->trigger();
    EXPECT_EQ(DayCell(11).text.find("Shavuot"), std::string::npos);
    EXPECT_NE(DayCell(12).text.find("Shavuot day 1"), std::string::npos);
    modern->trigger();
    ShowMonth(2027, 5);
    EXPECT_NE(DayCell(12).text.find("Yom HaAtzmaut"), std::string::npos);
    window.close();
    EXPECT_EQ(ReadSetting(setting::kOmerReckoning, "none"), "sabbath");
    EXPECT_EQ(ReadIntSetting(setting::kModernDays, -5), 1);
}

TEST_F(Comforts, ScheduleItemsFollowTheSettingAndReplaceTheYear) {
    WriteSetting(setting::kSchedule, "israel");
    MainWindow& window = Start();
    auto* automatic = window.findChild<QAction*>("mScheduleAuto");
    auto* diaspora = window.findChild<QAction*>("mScheduleDiaspora");
    auto* israel = window.findChild<QAction*>("mScheduleIsrael");
    ASSERT_TRUE(automatic && diaspora && israel);
    EXPECT_TRUE(israel->isChecked());
    // 29 April 2027, 22 Nisan: the eighth day of Hag HaMatzot, kept only outside Israel.
    ShowMonth(2027, 4);
    EXPECT_EQ(DayCell(29).text.find("Hag HaMatzot"), std::string::npos);
    diaspora->trigger();
    EXPECT_NE(DayCell(29).text.find("Hag HaMatzot"), std::string::npos);
    automatic->trigger();  // the default place is outside Israel
    EXPECT_NE(DayCell(29).text.find("Hag HaMatzot"), std::string::npos);
    window.close();
    EXPECT_EQ(ReadSetting(setting::kSchedule, "none"), "auto");
}

// A position saved under another scale factor may lie partly beyond this screen.
TEST_F(Comforts, ARestoredWindowStaysOnTheAvailableScreen) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect area = screen->availableGeometry();
    const double tpp = 1440.0 / screen->logicalDotsPerInchX();
    const auto twips = [&](int px) { return QString("%1").arg(static_cast<int>(px * tpp), 5, 10, QChar('0')); };
    // Its left edge inside the screen, its right edge well past it; too tall for it as well.
    WriteSetting(setting::kWindowPos, twips(area.width() * 3 / 4) + "," + twips(area.height() / 2) + "," +
                                          twips(area.width() * 2 / 3) + "," + twips(area.height() - 2) + ",0");
    MainWindow window;
    const QRect placed(window.pos(), window.size());
    EXPECT_TRUE(area.contains(placed)) << placed.x() << "," << placed.y() << " " << placed.width() << "x"
                                       << placed.height() << " in " << area.width() << "x" << area.height();
    EXPECT_NEAR(window.width(), area.width() * 2 / 3, 2);
}

TEST_F(Comforts, MissingDataFilesAreNamedOnceAtStart) {
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    SetProgramFolder(empty.path().toStdString());
    auto* box = WindowFixture::Start().findChild<QMessageBox*>("msgMissingDataFiles");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().contains("holydays.dat (nor holydays.bak) was not found in " + empty.path()));
    EXPECT_TRUE(box->text().contains("parashot.dat (nor parashot.bak)"));
    box->close();
    FlushDeletes();
    // The data folder with its files says nothing.
    SetProgramFolder(VARNEL_SOURCE_DATA);
    MainWindow& window = Start();
    EXPECT_EQ(window.findChild<QMessageBox*>("msgMissingDataFiles"), nullptr);
}

}  // namespace
}  // namespace varnel
