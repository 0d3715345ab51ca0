// The main window under the offscreen platform: start-up, menus and toolbar,
// month navigation across a year boundary with the data rebuilt, view
// switching, the "Floating info" switch, and the settings of a whole run.

#include <QAction>
#include <QFile>
#include <QSettings>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>
#include <tuple>
#include <QtTest/QTest>

#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"
#include "core/solar/Location.h"
#include "core/views/ColorScheme.h"
#include "gui/common/Settings.h"
#include "gui/views/DayPanel.h"
#include "gui/views/YearPanel.h"
#include "core/views/ViewState.h"
#include "WindowFixture.h"

namespace varnel {
namespace {

// Whether the year the window shows places the named holy day in that year.
bool HolyDayIn(MainWindow& window, const char* name, int year) {
    for (const HolyDayRecord& day : window.Calendar().Year(window.State().Year()).holyDays)
        if (day.name == name) return day.date->Year() == year;
    return false;
}

using MainWindowTest = WindowFixture;

TEST_F(MainWindowTest, StartsOnThisMonthWithTheYearBuilt) {
    MainWindow* window = &Start();
    const YearMonthDay today = Today().Parts();
    EXPECT_EQ(window->State().currentDate, Date(today.year, today.month, 1));
    EXPECT_EQ(window->State().currentMonthEnd, Date(today.year, today.month + 1, 1) - 1);
    EXPECT_EQ(window->State().currentMonthDays, DaysInMonth(today.year, today.month));
    EXPECT_FALSE(window->StartTimer()->isActive());  // (the title: the comforts' tests)
    EXPECT_EQ(window->CurrentView(), MainWindow::View::Month);
    EXPECT_TRUE(window->ViewAction(MainWindow::View::Month)->isChecked());

    const MonthViewModel& view = window->Month()->Model();
    EXPECT_EQ(view.lastStartOfMonth, window->State().currentDate);
    EXPECT_EQ(view.title, MonthTitle(window->State().currentDate, window->State().currentMonthEnd));
    EXPECT_EQ(window->Month()->Title()->text().toStdString(), view.title);
    EXPECT_EQ(window->findChild<QLabel*>("lblTheLastStartOfMonth")->text().toInt(), window->State().currentDate.Serial());
    EXPECT_EQ(DayCell(1).date, window->State().currentDate);
    EXPECT_NE(DayCell(1).data.find("(Charlotte, NC - "), std::string::npos);
    EXPECT_TRUE(HolyDayIn(*window, "Yom Kippur", today.year));
    // Portions are scheduled for this year: every Saturday of the month names one.
    int saturdays = 0;
    for (int d = 1; d <= window->State().currentMonthDays; ++d)
        if ((window->State().currentDate + d - 1).Weekday() == 7) {
            ++saturdays;
            EXPECT_NE(DayCell(d).data.find("-----------------------"), std::string::npos) << d;
        }
    EXPECT_GE(saturdays, 4);
    // The day-number labels sit on the days' cells.
    const auto& labels = window->Month()->Grid()->CornerLabels();
    ASSERT_EQ(static_cast<int>(labels.size()), window->State().currentMonthDays);
    EXPECT_EQ(labels.back().text.toInt(), window->State().currentMonthDays);
}

TEST_F(MainWindowTest, MenusAndToolbar) {
    MainWindow window;
    const auto item = [&](const char* name) { return window.findChild<QAction*>(name); };
    const struct {
        const char* name;
        const char* caption;
        bool shown;
    } items[] = {
        {"mPrintView", "&Print current view", true},
        {"mPrintShabbat", "Print &Shabbat hours and parashot for displayed month", true},
        {"mPrintParashot", "Print Parashot for displayed Hebrew y&ear", false},
        {"mPrintFeasts", "Print &Feast schedule", false},
        {"mExportHtml", "Export current common year to &HTML documents", true},
        {"mExit", "E&xit", true},
        {"mViewDay", "&Day", true},
        {"mViewMonth", "&Month", true},
        {"mViewYear", "&Year", true},
        {"mGoToCommonDate", "Go to &Common date...", true},
        {"mGoToHebrewDate", "Go to &Hebrew date...", false},
        {"mNextMonth", "&Next Month", true},
        {"mPreviousMonth", "&Previous month", true},
        {"mColorScheme", "&Color scheme", true},
        {"mDateRules", "&Date rules", false},
        {"mLocation", "Location settings", true},
        {"mFeastResources", "Feast &Resources", true},
        {"mCommonDateInfo", "&Common date information", false},
        {"mHebrewDateInfo", "&Hebrew date information", false},
        {"mHelpIndex", "&Help index", true},
        {"mAbout", "&About Varnel", true},
    };
    for (const auto& i : items) {
        QAction* a = item(i.name);
        ASSERT_NE(a, nullptr) << i.name;
        EXPECT_EQ(a->text().toStdString(), i.caption);
        EXPECT_EQ(a->isVisible(), i.shown) << i.name;
        if (!i.shown) {
            EXPECT_FALSE(a->isEnabled()) << i.name;
        }
    }
    EXPECT_FALSE(item("mHelpIndex")->isEnabled());
    EXPECT_TRUE(item("mViewMonth")->isChecked());
    QStringList menus;
    for (QAction* m : window.menuBar()->actions()) menus << m->text();
    EXPECT_EQ(menus, QStringList({"&File", "&View", "Date selection", "&Settings", "Feast &Planning", "&Help"}));

    // The menu item and the toolbar button of a view are one action.
    const std::tuple<MainWindow::View, const char*, const char*> buttons[] = {
        {MainWindow::View::Day, "ssrDayView", "Day view"},
        {MainWindow::View::Month, "ssrMonthView", "Month view"},
        {MainWindow::View::Year, "ssrYearView", "Year view"}};
    for (const auto& [view, name, text] : buttons) {
        const auto* button = window.findChild<QToolButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->defaultAction(), window.ViewAction(view));
        EXPECT_EQ(button->text(), text);
    }
    EXPECT_TRUE(window.CommandButton(1)->isVisible());
    for (int i : {0, 3, 9}) EXPECT_TRUE(window.CommandButton(i)->text().isEmpty());
    EXPECT_EQ(window.CommandButton(10), nullptr);
    EXPECT_TRUE(window.StartTimer()->isActive());  // enabled at creation, fires after the show
}

// Once the window has painted, the start-up prepares what shows nothing; the
// splash opens and the month fills only when the timer fires. The day and year
// panels are built when first shown.
TEST_F(MainWindowTest, StartUpIsPreparedWhileTheTimerWaits) {
    MainWindow window;
    window.StartTimer()->start(3'600'000);  // fired below, not by the clock, however slow the machine
    DataFileReport read;
    int reads = 0;
    QObject::connect(&window, &MainWindow::DataFilesRead, [&](const DataFileReport& report) { read = report, ++reads; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(Settle([&] { return reads == 1; }));
    EXPECT_TRUE(read.Empty());
    EXPECT_TRUE(window.StartTimer()->isActive());
    EXPECT_FALSE(window.StartedUp());
    EXPECT_EQ(OpenSplash(), nullptr);
    EXPECT_FALSE(window.findChild<SplashWindow*>()->isVisible());
    EXPECT_TRUE(window.Month()->Model().title.empty());
    EXPECT_EQ(window.findChild<YearPanel*>(), nullptr);
    EXPECT_EQ(window.findChild<DayPanel*>(), nullptr);

    EXPECT_TRUE(StartUp(window));
    EXPECT_EQ(reads, 1);  // the files are read once
    ASSERT_NE(OpenSplash(), nullptr);
    EXPECT_EQ(OpenSplash(), window.findChild<SplashWindow*>());
    EXPECT_TRUE(OpenSplash()->isVisible());
    EXPECT_FALSE(window.Month()->Model().title.empty());
    OpenSplash()->close();

    window.ShowView(MainWindow::View::Year);
    ASSERT_NE(window.findChild<YearPanel*>(), nullptr);
    EXPECT_EQ(window.Year()->geometry(), window.Month()->geometry());
    EXPECT_EQ(window.Year()->Title()->text(), QString::number(window.State().Year()));
    window.ShowView(MainWindow::View::Day);
    ASSERT_NE(window.findChild<DayPanel*>(), nullptr);
    EXPECT_FALSE(window.Day()->Title()->text().isEmpty());
    FlushDeletes();
}

TEST_F(MainWindowTest, NextAndPreviousMonthAcrossTheYearBoundary) {
    MainWindow* window = &Start();
    window->ShowMonthOf(Date(2026, 12, 15));
    window->ShowCalendar();
    // The data still describe the year of start-up; December 2026 needs 2026's.
    window->findChild<QAction*>("mPreviousMonth")->trigger();  // November 2026
    window->NextMonth();                                       // back to December, same year: no rebuild
    EXPECT_EQ(window->State().currentDate, Date(2026, 12, 1));
    window->ShowMonthOf(Date(2026, 12, 1));

    window->findChild<QAction*>("mNextMonth")->trigger();
    EXPECT_EQ(window->State().currentDate, Date(2027, 1, 1));
    EXPECT_EQ(window->State().currentMonthEnd, Date(2027, 1, 31));
    EXPECT_EQ(window->State().currentMonthDays, 31);
    EXPECT_TRUE(HolyDayIn(*window, "Purim", 2027));
    bool portionIn2027 = false;
    for (const ParashahRecord& p : window->Calendar().Year(2027).parashot) portionIn2027 |= p.date && p.date->Year() == 2027;
    EXPECT_TRUE(portionIn2027);
    const MonthViewModel& view = window->Month()->Model();
    EXPECT_EQ(view.lastStartOfMonth, Date(2027, 1, 1));
    EXPECT_EQ(view.title, "Tevet-Shvat 5787 / January 2027");  // (the days' texts: the month model's tests)

    window->PreviousMonth();
    EXPECT_EQ(window->State().currentDate, Date(2026, 12, 1));
    EXPECT_EQ(window->State().currentMonthDays, 31);
    EXPECT_TRUE(HolyDayIn(*window, "Purim", 2026));
    EXPECT_EQ(view.title, "Kislev-Tevet 5787 / December 2026");
}

TEST_F(MainWindowTest, NextAndPreviousMonthActOnlyInTheMonthView) {
    MainWindow* window = &Start();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));  // shortcuts go to the active window
    ShowMonth(2026, 12);
    QTest::keyClick(window, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(window->State().currentDate, Date(2027, 1, 1));
    QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(window->State().currentDate, Date(2026, 12, 1));
    // The toolbar's button and the menu's item check one action.
    QTest::mouseClick(window->findChild<QToolButton*>("ssrYearView"), Qt::LeftButton);
    EXPECT_EQ(window->CurrentView(), MainWindow::View::Year);
    EXPECT_TRUE(window->findChild<QAction*>("mViewYear")->isChecked());
    EXPECT_FALSE(window->findChild<QAction*>("mViewMonth")->isChecked());
    window->findChild<QAction*>("mNextMonth")->trigger();
    EXPECT_EQ(window->State().currentDate, Date(2026, 12, 1));
    window->ViewAction(MainWindow::View::Day)->setChecked(true);
    EXPECT_EQ(window->CurrentView(), MainWindow::View::Day);
    QTest::keyClick(window, Qt::Key_N, Qt::ControlModifier);
    window->findChild<QAction*>("mPreviousMonth")->trigger();
    EXPECT_EQ(window->State().currentDate, Date(2026, 12, 1));
    window->ViewAction(MainWindow::View::Month)->setChecked(true);
    window->findChild<QAction*>("mNextMonth")->trigger();
    EXPECT_EQ(window->State().currentDate, Date(2027, 1, 1));
}

TEST_F(MainWindowTest, MonthViewRendersAgainOnlyWhenTheMonthChanged) {
    MainWindow* window = &Start();
    ShowMonth(2026, 3);
    window->ShowView(MainWindow::View::Year);
    // Something else moved CurrentDate meanwhile (the year view does).
    window->ShowMonthOf(Date(2026, 4, 1));
    window->ViewAction(MainWindow::View::Month)->setChecked(true);
    EXPECT_EQ(window->Month()->Model().lastStartOfMonth, Date(2026, 4, 1));
    EXPECT_EQ(window->Month()->Model().title, "Nisan-Iyar 5786 / April 2026");
    EXPECT_TRUE(window->findChild<QAction*>("mViewMonth")->isChecked());
}

// A click selects; the "Floating info" cell switches the notes off and on.
// (A double click opening the day is the wired views' test.)
TEST_F(MainWindowTest, NotesFloatOnlyWhileFloatingInfoIsChecked) {
    MainWindow* window = &Start();
    window->State().floatDetails = true;
    ShowMonth(2026, 7);
    GridWidget* grid = window->Month()->Grid();
    grid->resize(700, 600);
    QStringList shown;
    int closed = 0;
    QObject::connect(window->Month(), &MonthPanel::NoteShowRequested,
                     [&](const QString& text, int, int) { shown << text; });
    QObject::connect(window->Month(), &MonthPanel::NoteCloseRequested, [&] { ++closed; });
    HoverCell(grid, 2, 2);  // Tuesday 7 July 2026
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith("Tuesday, July, 7, 2026\r\nTamuz 22\r\n"));
    // A click closes the note but leaves the bookkeeping: the same cell stays quiet.
    const int closedBefore = closed;
    ClickCell(grid, 2, 2);
    EXPECT_GT(closed, closedBefore);
    EXPECT_EQ(Selected(), std::pair(2, 2));
    HoverCell(grid, 2, 2);
    EXPECT_EQ(shown.size(), 1);
    // Switched off, no new note appears.
    ClickCell(grid, 6, 6);
    ASSERT_FALSE(window->State().floatDetails);
    EXPECT_EQ(window->Month()->Model().grid.Cell(6, 6).check, CheckState::Unchecked);
    HoverCell(grid, 4, 4);
    EXPECT_EQ(shown.size(), 1);
    ClickCell(grid, 6, 6);
    EXPECT_TRUE(window->State().floatDetails);
    HoverCell(grid, 4, 4);
    EXPECT_EQ(shown.size(), 2);
}

TEST_F(MainWindowTest, ColorSchemeAndFloatDetailsComeFromTheSettings) {
    WriteSetting(setting::kColorScheme, "7");
    WriteSetting(setting::kFloatDetails, "0");
    WriteSetting(setting::kLocation, "   ");
    MainWindow* window = &Start();
    EXPECT_EQ(window->Calendar().PlaceName(), "Charlotte, NC");
    EXPECT_EQ(window->State().holyDayColor, RGB(0, 0, 0));
    EXPECT_EQ(window->State().shabbatColor, RGB(0, 0, 0));
    EXPECT_EQ(window->Month()->Model().grid.Cell(6, 6).check, CheckState::Unchecked);
    for (int d = 1; d <= window->State().currentMonthDays; ++d)
        if ((window->State().currentDate + d - 1).Weekday() == 7) {
            EXPECT_EQ(DayCell(d).background, RGB(0, 0, 0));
        }
    window->close();
    EXPECT_EQ(ReadSetting(setting::kColorScheme, ""), "7");
    EXPECT_EQ(ReadSetting(setting::kFloatDetails, ""), "0");
    EXPECT_EQ(ReadSetting(setting::kLocation, ""), "Charlotte, NC");
    EXPECT_EQ(ReadSetting(setting::kCandleMinutes, ""), "18");
}

// Closing with every setting as the file holds it leaves the file as it is
// (a note written in by hand stays); a changed setting writes it again.
TEST_F(MainWindowTest, SettingsFileIsRewrittenOnlyForAChange) {
    MainWindow().close();
    const QString path = QSettings("Varnel", "Varnel").fileName();
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("; a note kept by hand\n");
    }
    const auto read = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    };
    const std::string kept = read();
    MainWindow().close();
    EXPECT_EQ(read(), kept);
    MainWindow window;
    window.State().SelectColorScheme(2);
    window.close();
    EXPECT_EQ(read().find("a note kept by hand"), std::string::npos);
    EXPECT_EQ(ReadSetting(setting::kColorScheme, ""), "2");
}

// The placement rules (sizes too large, values that are no size) are the
// settings tests'; here the window saves and restores through them.
TEST_F(MainWindowTest, WindowPositionRoundTrip) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const double tpp = 1440.0 / screen->logicalDotsPerInchX();
    {
        // First run: centred at the design size.
        MainWindow window;
        const QRect area = screen->geometry();
        EXPECT_NEAR(window.x(), (area.width() - window.width()) / 2, 1);
        EXPECT_NEAR(window.y(), (area.height() - window.height()) / 2, 1);
        window.move(40, 30);
        window.resize(500, 400);
        window.close();
    }
    const std::string saved = ReadSetting(setting::kWindowPos, "").toStdString();
    ASSERT_EQ(saved.size(), 25u);
    EXPECT_NEAR(std::stoi(saved.substr(0, 5)), 40 * tpp, 1);
    EXPECT_NEAR(std::stoi(saved.substr(12, 5)), 500 * tpp, 1);
    EXPECT_EQ(saved.back(), '0');
    {
        MainWindow window;
        EXPECT_EQ(window.pos(), QPoint(40, 30));
        EXPECT_EQ(window.size(), QSize(500, 400));
        // Minimized at close: the saved position stays.
        window.show();
        window.setWindowState(Qt::WindowMinimized);
        window.move(90, 90);
        window.close();
    }
    EXPECT_EQ(ReadSetting(setting::kWindowPos, "").toStdString(), saved);
    {
        MainWindow window;
        window.show();
        window.setWindowState(Qt::WindowMaximized);
        window.close();
    }
    EXPECT_EQ(ReadSetting(setting::kWindowPos, "").toStdString().back(), '2');
    {
        MainWindow window;
        EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    }
    // Garbage opens at the design size, and what is saved back is that size.
    WriteSetting(setting::kWindowPos, "00000,00000,00000,00000,0");
    int design = 0;
    {
        MainWindow window;
        design = window.width();
        window.close();
    }
    EXPECT_GT(design, 600);
    EXPECT_NEAR(std::stoi(ReadSetting(setting::kWindowPos, "").toStdString().substr(12, 5)), design * tpp, 1);
}

}  // namespace
}  // namespace varnel
