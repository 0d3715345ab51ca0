// The main window under the offscreen platform: start-up, menus and toolbar,
// month navigation across a year boundary with the data rebuilt, view
// switching, the "Floating info" switch, and the settings of a whole run.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <tuple>
#include <QtTest/QTest>

#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/solar/Location.h"
#include "core/views/ColorScheme.h"
#include "gui/views/GridWidget.h"
#include "gui/views/MonthPanel.h"
#include "gui/common/Settings.h"
#include "core/views/ViewState.h"
#include "gui/views/MainWindow.h"
#include "gui/views/SplashWindow.h"
#include "GuiTestSupport.h"
#include "WindowFixture.h"

namespace varnel {
namespace {

// Whether the year the window shows places the named holy day in that year.
bool HolyDayIn(MainWindow& window, const char* name, int year) {
    const HolyDayTable& holyDays = window.Calendar().Year(window.State().Year()).holyDays;
    for (int i = 1; i <= kHolyDayCount; ++i)
        if (holyDays[i].name == name && holyDays[i].date) return holyDays[i].date->Year() == year;
    return false;
}

class MainWindowTest : public WindowFixture {
protected:
    // A window that has run its start-up.
    std::unique_ptr<MainWindow> Started() {
        auto window = std::make_unique<MainWindow>();
        window->show();
        EXPECT_TRUE(StartUp(*window));
        return window;
    }
};

const GridCell& DayCell(const MonthViewModel& view, int day) {
    const MonthCell at = MonthCellOf(view.lastStartOfMonth, day);
    return view.grid.Cell(at.row, at.col);
}

TEST_F(MainWindowTest, StartsOnThisMonthWithTheYearBuilt) {
    auto window = Started();
    const YearMonthDay today = Today().Parts();
    EXPECT_EQ(window->State().currentDate, Date(today.year, today.month, 1));
    EXPECT_EQ(window->State().currentMonthEnd, Date(today.year, today.month + 1, 1) - 1);
    EXPECT_EQ(window->State().currentMonthDays, DaysInMonth(today.year, today.month));
    EXPECT_TRUE(window->windowTitle().endsWith(QString::fromUtf8(" %1 \u2014 Varnel").arg(today.year)));
    EXPECT_FALSE(window->StartTimer()->isActive());
    EXPECT_EQ(window->StartTimer()->interval(), 55);
    EXPECT_EQ(window->CurrentView(), MainWindow::View::Month);
    EXPECT_TRUE(window->ViewAction(MainWindow::View::Month)->isChecked());

    const MonthViewModel& view = window->Month()->Model();
    EXPECT_EQ(view.lastStartOfMonth, window->State().currentDate);
    EXPECT_EQ(view.title, MonthTitle(window->State().currentDate, window->State().currentMonthEnd));
    EXPECT_EQ(window->Month()->Title()->text().toStdString(), view.title);
    EXPECT_EQ(window->findChild<QLabel*>("lblTheLastStartOfMonth")->text().toInt(), window->State().currentDate.Serial());
    EXPECT_EQ(DayCell(view, 1).date, window->State().currentDate);
    EXPECT_NE(DayCell(view, 1).data.find("(Charlotte, NC - "), std::string::npos);
    EXPECT_TRUE(HolyDayIn(*window, "Yom Kippur", today.year));
    // Portions are scheduled for this year: every Saturday of the month names one.
    int saturdays = 0;
    for (int d = 1; d <= window->State().currentMonthDays; ++d)
        if ((window->State().currentDate + d - 1).Weekday() == 7) {
            ++saturdays;
            EXPECT_NE(DayCell(view, d).data.find("-----------------------"), std::string::npos) << d;
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
    EXPECT_EQ(item("mGoToCommonDate")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F1));
    EXPECT_EQ(item("mGoToHebrewDate")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F2));
    EXPECT_EQ(item("mNextMonth")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(item("mPreviousMonth")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
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
    EXPECT_EQ(window.CommandButton(1)->text(), "Print current view");
    EXPECT_EQ(window.CommandButton(2)->text(), "Export to calendar");
    EXPECT_TRUE(window.CommandButton(1)->isVisible());
    for (int i : {0, 3, 9}) EXPECT_TRUE(window.CommandButton(i)->text().isEmpty());
    EXPECT_EQ(window.CommandButton(10), nullptr);
    EXPECT_TRUE(window.StartTimer()->isActive());  // enabled at creation, fires after the show
}

TEST_F(MainWindowTest, NextAndPreviousMonthAcrossTheYearBoundary) {
    auto window = Started();
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
    EXPECT_EQ(view.title, "Tevet-Shvat 5787 / January 2027");
    // Saturday 2 January 2027 reads Shemot, the week after Vayechi.
    EXPECT_NE(DayCell(view, 2).text.find("\r\nShemot\r\n"), std::string::npos);

    window->PreviousMonth();
    EXPECT_EQ(window->State().currentDate, Date(2026, 12, 1));
    EXPECT_EQ(window->State().currentMonthDays, 31);
    EXPECT_TRUE(HolyDayIn(*window, "Purim", 2026));
    EXPECT_EQ(view.title, "Kislev-Tevet 5787 / December 2026");
    // 5 December 2026 is 25 Kislev, the first day of Hanukkah.
    EXPECT_NE(DayCell(view, 5).text.find("Hanukkah day 1"), std::string::npos);
}

TEST_F(MainWindowTest, NextMonthShortcutActsOnlyInTheMonthView) {
    auto window = Started();
    window->ShowMonthOf(Date(2026, 5, 1));
    window->ShowCalendar();
    QTest::mouseClick(window->findChild<QToolButton*>("ssrYearView"), Qt::LeftButton);
    EXPECT_EQ(window->CurrentView(), MainWindow::View::Year);
    EXPECT_TRUE(window->ViewAction(MainWindow::View::Year)->isChecked());
    EXPECT_TRUE(window->findChild<QAction*>("mViewYear")->isChecked());
    EXPECT_FALSE(window->findChild<QAction*>("mViewMonth")->isChecked());
    window->findChild<QAction*>("mNextMonth")->trigger();
    window->findChild<QAction*>("mPreviousMonth")->trigger();
    EXPECT_EQ(window->State().currentDate, Date(2026, 5, 1));
    window->ViewAction(MainWindow::View::Day)->setChecked(true);
    EXPECT_EQ(window->CurrentView(), MainWindow::View::Day);
    window->findChild<QAction*>("mNextMonth")->trigger();
    EXPECT_EQ(window->State().currentDate, Date(2026, 5, 1));
    window->ViewAction(MainWindow::View::Month)->setChecked(true);
    window->findChild<QAction*>("mNextMonth")->trigger();
    EXPECT_EQ(window->State().currentDate, Date(2026, 6, 1));
}

TEST_F(MainWindowTest, CtrlNAndCtrlPKeysMoveTheMonthOnlyInTheMonthView) {
    auto window = Started();
    if (SplashWindow* splash = OpenSplash()) splash->close();  // it holds the focus for its two seconds
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));  // shortcuts go to the active window
    window->ShowMonthOf(Date(2026, 12, 1));
    window->ShowCalendar();
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(window->State().currentDate, Date(2027, 1, 1));
    EXPECT_EQ(window->Month()->Model().title, "Tevet-Shvat 5787 / January 2027");
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(window->State().currentDate, Date(2026, 12, 1));
    window->ShowView(MainWindow::View::Day);
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(window->State().currentDate, Date(2026, 12, 1));
}

TEST_F(MainWindowTest, MonthViewRendersAgainOnlyWhenTheMonthChanged) {
    auto window = Started();
    window->ShowMonthOf(Date(2026, 3, 1));
    window->ShowCalendar();
    window->ShowView(MainWindow::View::Year);
    // Something else moved CurrentDate meanwhile (the year view does).
    window->ShowMonthOf(Date(2026, 4, 1));
    window->ViewAction(MainWindow::View::Month)->setChecked(true);
    EXPECT_EQ(window->Month()->Model().lastStartOfMonth, Date(2026, 4, 1));
    EXPECT_EQ(window->Month()->Model().title, "Nisan-Iyar 5786 / April 2026");
    EXPECT_TRUE(window->findChild<QAction*>("mViewMonth")->isChecked());
}

TEST_F(MainWindowTest, ClicksSelectAndTheFloatingInfoCellToggles) {
    auto window = Started();
    window->ShowMonthOf(Date(2026, 2, 1));
    window->ShowCalendar();
    GridWidget* grid = window->Month()->Grid();
    grid->resize(700, 600);
    const auto press = [&](int row, int col, bool doubleClick = false) {
        const QPointF at = grid->CellRect(row, col).center();
        QMouseEvent down(QEvent::MouseButtonPress, at, grid->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(grid, &down);
        QMouseEvent up(QEvent::MouseButtonRelease, at, grid->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
        QCoreApplication::sendEvent(grid, &up);
        if (doubleClick) {
            QMouseEvent twice(QEvent::MouseButtonDblClick, at, grid->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(grid, &twice);
        }
    };
    press(2, 3);
    EXPECT_EQ(window->State().selectedRow, 2);
    EXPECT_EQ(window->State().selectedCol, 3);

    window->State().floatDetails = true;
    window->ShowCalendar();
    press(6, 6);
    EXPECT_FALSE(window->State().floatDetails);
    EXPECT_EQ(window->Month()->Model().grid.Cell(6, 6).check, CheckState::Unchecked);
    press(6, 6);
    EXPECT_TRUE(window->State().floatDetails);

    press(3, 1, true);
    EXPECT_EQ(window->CurrentView(), MainWindow::View::Day);
    EXPECT_TRUE(window->ViewAction(MainWindow::View::Day)->isChecked());
    EXPECT_EQ(window->State().selectedRow, 3);
    EXPECT_EQ(window->State().selectedCol, 1);
}

TEST_F(MainWindowTest, NotesFloatOnlyWhileFloatingInfoIsChecked) {
    auto window = Started();
    window->State().floatDetails = true;
    window->ShowMonthOf(Date(2026, 7, 1));
    window->ShowCalendar();
    GridWidget* grid = window->Month()->Grid();
    grid->resize(700, 600);
    QStringList shown;
    int closed = 0;
    QObject::connect(window->Month(), &MonthPanel::NoteShowRequested,
                     [&](const QString& text, int, int) { shown << text; });
    QObject::connect(window->Month(), &MonthPanel::NoteCloseRequested, [&] { ++closed; });
    const auto send = [&](QEvent::Type type, int row, int col, Qt::MouseButton button, Qt::MouseButtons held) {
        const QPointF at = grid->CellRect(row, col).center();
        QMouseEvent event(type, at, grid->mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(grid, &event);
    };
    const auto move = [&](int row, int col) { send(QEvent::MouseMove, row, col, Qt::NoButton, Qt::NoButton); };
    const auto click = [&](int row, int col) {
        send(QEvent::MouseButtonPress, row, col, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, row, col, Qt::LeftButton, Qt::NoButton);
    };

    move(2, 2);  // Tuesday 7 July 2026
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith("Tuesday, July, 7, 2026\r\nTamuz 22\r\n"));
    move(2, 3);  // the cell to its right keeps the note
    EXPECT_EQ(shown.size(), 1);
    // A click closes the note but leaves the bookkeeping: the same cell stays quiet.
    const int closedBefore = closed;
    click(2, 2);
    EXPECT_GT(closed, closedBefore);
    move(2, 2);
    EXPECT_EQ(shown.size(), 1);
    // Switched off, no new note appears.
    click(6, 6);
    ASSERT_FALSE(window->State().floatDetails);
    move(4, 4);
    EXPECT_EQ(shown.size(), 1);
    click(6, 6);
    move(4, 4);
    EXPECT_EQ(shown.size(), 2);
}

TEST_F(MainWindowTest, ColorSchemeAndFloatDetailsComeFromTheSettings) {
    WriteSetting(setting::kColorScheme, "7");
    WriteSetting(setting::kFloatDetails, "0");
    WriteSetting(setting::kLocation, "   ");
    auto window = Started();
    EXPECT_EQ(window->Calendar().PlaceName(), "Charlotte, NC");
    EXPECT_EQ(window->State().holyDayColor, RGB(0, 0, 0));
    EXPECT_EQ(window->State().shabbatColor, RGB(0, 0, 0));
    EXPECT_EQ(window->Month()->Model().grid.Cell(6, 6).check, CheckState::Unchecked);
    const MonthViewModel& view = window->Month()->Model();
    for (int d = 1; d <= window->State().currentMonthDays; ++d)
        if ((window->State().currentDate + d - 1).Weekday() == 7) {
            EXPECT_EQ(DayCell(view, d).background, RGB(0, 0, 0));
        }
    window->close();
    EXPECT_EQ(ReadSetting(setting::kColorScheme, ""), "7");
    EXPECT_EQ(ReadSetting(setting::kFloatDetails, ""), "0");
    EXPECT_EQ(ReadSetting(setting::kLocation, ""), "Charlotte, NC");
}

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
    // A width wider than the screen comes back as 9135 twips.
    WriteSetting(setting::kWindowPos, "00000,00000,99999,07000,0");
    {
        MainWindow window;
        EXPECT_NEAR(window.width(), 9135 / tpp, 1);
    }
    // Garbage opens at the design size, centred, and what is saved back is that.
    WriteSetting(setting::kWindowPos, "00000,00000,00000,00000,0");
    QSize design;
    {
        MainWindow window;
        design = window.size();
        EXPECT_GT(design.width(), 600);
        EXPECT_NEAR(window.x(), (screen->geometry().width() - window.width()) / 2, 1);
        window.close();
    }
    const std::string fixed = ReadSetting(setting::kWindowPos, "").toStdString();
    EXPECT_NEAR(std::stoi(fixed.substr(12, 5)), design.width() * tpp, 1);
}

}  // namespace
}  // namespace varnel
