// The main window's hooks into the year and day views, the dialogs, the cell
// note, the splash window and the print, export and resource commands. Each
// does nothing, or the least that keeps the window consistent, until the part
// of the program behind it is built.
#include <QLabel>
#include <QVBoxLayout>

#include "gui/appointments/ExportMonthToCalendar.h"
#include "gui/resources/FeastResourcesDialog.h"
#include "gui/views/DayPanel.h"
#include "gui/views/GridWidget.h"
#include "gui/views/MonthPanel.h"
#include "core/views/MonthView.h"
#include "gui/views/YearPanel.h"
#include "gui/views/FloatingNote.h"
#include "gui/views/MainWindow.h"
#include "gui/views/SplashWindow.h"
#include "gui/printing/PrintCommands.h"
#include "gui/printing/YearExportCommand.h"
#include "core/printing/CalendarDocument.h"
#include "gui/printing/PrintCalendarDialog.h"

namespace varnel {

void MainWindow::BuildDayAndYearPanels() {
    auto* year = new varnel::YearPanel(state_, *source_, this);
    connect(year, &varnel::YearPanel::MonthRenderRequested, this, &MainWindow::ShowCalendar);
    connect(year, &varnel::YearPanel::MonthViewRequested, this, [this] { ViewToggle(View::Month)->setChecked(true); });
    connect(year, &varnel::YearPanel::DayViewRequested, this, [this] { ViewToggle(View::Day)->setChecked(true); });
    connect(year, &varnel::YearPanel::YearShown, this, &MainWindow::UpdateWindowTitle);
    yearPanel_ = year;
    dayPanel_ = new varnel::DayPanel(state_, this);
}

// Fills the year panel for a common year.
void MainWindow::ShowYear(int year) { static_cast<varnel::YearPanel*>(yearPanel_)->ShowYear(year); }

// Fills the day panel for the selected cell of the month grid. The year
// buttons move the displayed month without rendering it, so a grid left from
// another month is rendered first: the day's lines must belong to the day in
// the title.
void MainWindow::ShowDay() {
    if (month_->Model().lastStartOfMonth != state_.currentDate) ShowCalendar();
    static_cast<varnel::DayPanel*>(dayPanel_)->ShowDay(month_->Model().grid);
}

// The floating note beside a month-grid cell.
void MainWindow::ShowCellNote(const QString& text, int row, int col) {
    FloatingNote& note = FlexNote(this);
    note.SetNoteText(text);
    note.ShowNote(*month_->Grid(), row, col);
}
void MainWindow::CloseCellNote() { CloseFlexNote(); }

// The splash window at start-up (closes itself) and as the about box.
void MainWindow::ShowSplash() { varnel::ShowSplash(this); }
void MainWindow::ShowAbout() { varnel::ShowAbout(this); }

// The titles of the year and day panels take the Shabbat colour with the month title's.
void MainWindow::ApplyPanelTitleColors() {
    static_cast<varnel::YearPanel*>(yearPanel_)->ApplyTitleColors();
    static_cast<varnel::DayPanel*>(dayPanel_)->ApplyTitleColors();
}

void MainWindow::PrintCurrentView() {
    if (CurrentView() == View::Month) {
        CalendarPageInputs month;
        month.monthGrid = month_->Model().grid;
        month.title = month_->Model().title;
        month.firstDay = state_.currentDate;
        month.lastDay = state_.currentMonthEnd;
        month.shabbat = ShabbatInputsFor(*source_, state_);
        return ShowPrintCalDialog(this, month);
    }
    varnel::PrintCurrentView(this, {static_cast<int>(CurrentView()), &static_cast<varnel::DayPanel*>(dayPanel_)->Model(),
                                    &static_cast<varnel::YearPanel*>(yearPanel_)->Model(), ShabbatInputsFor(*source_, state_),
                                    MonthTitle(state_.currentDate, state_.currentMonthEnd)});
}
void MainWindow::PrintShabbatHours() {
    varnel::PrintShabbatHours(this, ShabbatInputsFor(*source_, state_), MonthTitle(state_.currentDate, state_.currentMonthEnd));
}
// The year view is filled for the displayed common year; the displayed month stays.
void MainWindow::ExportYearToHtml() {
    ShowYear(state_.Year());
    varnel::ExportYearToHtml(this, static_cast<varnel::YearPanel*>(yearPanel_)->Model(), *source_, state_);
}
void MainWindow::ExportMonthPortions() {
    ExportMonthToCalendar(this, state_.currentDate, source_->Year(state_.Year()).parashot);
}
void MainWindow::OpenFeastResources() {
    ShowFeastResources(this, source_->Year(state_.Year()).holyDays, source_->Data().folder);
}

}  // namespace varnel
