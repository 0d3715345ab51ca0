// The window as assistive technology sees it: every control named, the month
// grid a table whose day cells read their date and texts, and the focus on
// the cell the arrow keys move to. (The same read over the desktop's
// accessibility bus, where the focus events travel, is tests/accessibility.)

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QtTest/QTest>

#include "core/calendar/YearCalendar.h"
#include "gui/appointments/CalendarTargetDialog.h"
#include "gui/resources/FeastResourcesDialog.h"
#include "gui/views/ColorsDialog.h"
#include "gui/views/DayPanel.h"
#include "gui/views/YearPanel.h"
#include "WindowFixture.h"

namespace varnel {
namespace {

// The controls of a window a user can reach (shown, and taking the focus or
// a click) that a screen reader would have no name for.
QStringList UnnamedControls(QWidget& window) {
    QStringList unnamed;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        const bool control = w->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton*>(w);
        if (!control || !w->isEnabled() || !w->isVisibleTo(&window) || w->window() != &window) continue;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        if (iface && iface->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << QString::fromLatin1(w->metaObject()->className()) + QStringLiteral(" ") + w->objectName();
    }
    return unnamed;
}

using Accessibility = WindowFixture;

TEST_F(Accessibility, DayCellsReadTheirDateAndTextsAndTheFocusFollowsTheArrows) {
    MainWindow& window = Start();
    ShowMonth(2026, 7);
    GridWidget* grid = window.Month()->Grid();
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
    ASSERT_TRUE(table && table->tableInterface());
    EXPECT_EQ(table->role(), QAccessible::Table);
    EXPECT_EQ(table->text(QAccessible::Name), window.Month()->Title()->text());

    // Friday 3 July 2026 is 18 Tammuz 5786 (hdate), the eve of Shabbat Pinchas.
    const MonthCell friday = MonthCellOf(Date(2026, 7, 1), 3);
    QAccessibleInterface* cell = table->tableInterface()->cellAt(friday.row, friday.col);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->role(), QAccessible::Cell);
    EXPECT_TRUE(cell->text(QAccessible::Name).startsWith("Friday, July 3, 2026: Tamuz 18, Shabbat Candles: "))
        << cell->text(QAccessible::Name).toStdString();
    EXPECT_TRUE(cell->text(QAccessible::Description).startsWith("Tamuz 18\nShabbat Candles: "));
    const QList<QAccessibleInterface*> header = cell->tableCellInterface()->columnHeaderCells();
    ASSERT_EQ(header.size(), 1);
    EXPECT_EQ(header.front()->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(header.front()->text(QAccessible::Name), "Fri");

    // The keyboard moves the focus from cell to cell, and each move is reported.
    grid->setFocus();
    grid->Select(friday.row, friday.col);
    QTest::keyClick(grid, Qt::Key_Right);
    ASSERT_NE(table->focusChild(), nullptr);
    const QString saturday = table->focusChild()->text(QAccessible::Name);
    EXPECT_TRUE(saturday.startsWith("Saturday, July 4, 2026: Tamuz 19, Pinchas, Havdalah: ")) << saturday.toStdString();
    EXPECT_TRUE(table->focusChild()->state().focused);
    EXPECT_FALSE(cell->state().focused);
    QTest::keyClick(grid, Qt::Key_Down);
    const QString next = table->focusChild()->text(QAccessible::Name);
    EXPECT_TRUE(next.startsWith("Saturday, July 11, 2026: Tamuz 26")) << next.toStdString();

    // The year view's days read their dates; a holy day says so.
    window.ShowView(MainWindow::View::Year);
    QAccessibleInterface* march = QAccessible::queryAccessibleInterface(window.Year()->MonthGrid(2));
    EXPECT_EQ(march->text(QAccessible::Name), "March 2026");
    const YearCell purim = YearCellOf(2026, 3, 3);  // 14 Adar 5786
    EXPECT_EQ(march->tableInterface()->cellAt(purim.row, purim.col)->text(QAccessible::Name), "Tuesday, March 3, 2026, holy day");
    const YearCell plain = YearCellOf(2026, 3, 10);
    EXPECT_EQ(march->tableInterface()->cellAt(plain.row, plain.col)->text(QAccessible::Name), "Tuesday, March 10, 2026");
}

TEST_F(Accessibility, EveryControlHasAName) {
    MainWindow& window = Start();
    for (MainWindow::View view : {MainWindow::View::Month, MainWindow::View::Year, MainWindow::View::Day}) {
        window.ShowView(view);
        EXPECT_EQ(UnnamedControls(window), QStringList()) << static_cast<int>(view);
    }
    ColorsDialog colors(&window, 0);
    EXPECT_EQ(UnnamedControls(colors), QStringList());
    CalendarTargetDialog target(CalendarTarget{"/tmp/a.ics", ""}, "the Shabbat portions of July 2026", &window);
    EXPECT_EQ(UnnamedControls(target), QStringList());
    FeastResourcesDialog resources(LoadCalendarData(VARNEL_SOURCE_DATA).holyDays, folder_.path().toStdString(), &window);
    EXPECT_EQ(UnnamedControls(resources), QStringList());
}

}  // namespace
}  // namespace varnel
