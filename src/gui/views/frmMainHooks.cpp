// The main window's hooks into the year and day views, the dialogs, the cell
// note, the splash window and the print, export and resource commands. Each
// does nothing, or the least that keeps the window consistent, until the part
// of the program behind it is built.
#include <QLabel>
#include <QVBoxLayout>

#include "gui/appointments/ExportMonthToCalendar.h"
#include "gui/resources/frmFeastResources.h"
#include "gui/views/DayPanel.h"
#include "gui/views/GridWidget.h"
#include "gui/views/MonthPanel.h"
#include "core/views/MonthView.h"
#include "gui/views/YearPanel.h"
#include "gui/views/frmFlexNote.h"
#include "gui/views/frmMain.h"
#include "gui/views/frmSplash.h"
#include "gui/printing/PrintCommands.h"
#include "gui/printing/YearExportCommand.h"
#include "core/printing/PrintCalMonth.h"
#include "gui/printing/frmPrintCal.h"

namespace varnel {

void frmMain::BuildDayAndYearPanels() {
    auto* year = new varnel::YearPanel(state_, *source_, this);
    connect(year, &varnel::YearPanel::MonthRenderRequested, this, &frmMain::ShowCalendar);
    connect(year, &varnel::YearPanel::MonthViewRequested, this, [this] { ViewToggle(View::Month)->setChecked(true); });
    connect(year, &varnel::YearPanel::DayViewRequested, this, [this] { ViewToggle(View::Day)->setChecked(true); });
    connect(year, &varnel::YearPanel::YearShown, this, &frmMain::UpdateWindowTitle);
    yearPanel_ = year;
    dayPanel_ = new varnel::DayPanel(state_, this);
}

// Fills the year panel for a common year.
void frmMain::ShowYear(int year) { static_cast<varnel::YearPanel*>(yearPanel_)->ShowYear(year); }

// Fills the day panel for the selected cell of the month grid. The year
// buttons move the displayed month without rendering it, so a grid left from
// another month is rendered first: the day's lines must belong to the day in
// the title.
void frmMain::ShowDay() {
    if (month_->Model().lastStartOfMonth != state_.currentDate) ShowCalendar();
    static_cast<varnel::DayPanel*>(dayPanel_)->ShowDay(month_->Model().grid);
}

// The floating note beside a month-grid cell.
void frmMain::ShowCellNote(const QString& text, int row, int col) {
    frmFlexNote& note = FlexNote(this);
    note.SetNoteText(text);
    note.ShowNote(*month_->Grid(), row, col);
}
void frmMain::CloseCellNote() { CloseFlexNote(); }

// The splash window at start-up (closes itself) and as the about box.
void frmMain::ShowSplash() { varnel::ShowSplash(this); }
void frmMain::ShowAbout() { varnel::ShowAbout(this); }

// The titles of the year and day panels take the Shabbat colour with the month title's.
void frmMain::ApplyPanelTitleColors() {
    static_cast<varnel::YearPanel*>(yearPanel_)->ApplyTitleColors();
    static_cast<varnel::DayPanel*>(dayPanel_)->ApplyTitleColors();
}

void frmMain::PrintCurrentView() {
    if (CurrentView() == View::Month)
        return ShowPrintCalDialog(this, PrintCalMonth{&month_->Model().grid, month_->Model().title, state_.currentDate,
                                         state_.currentMonthEnd, ShabbatInputsFor(*source_, state_)});
    varnel::PrintCurrentView(this, {static_cast<int>(CurrentView()), &static_cast<varnel::DayPanel*>(dayPanel_)->Model(),
                                    &static_cast<varnel::YearPanel*>(yearPanel_)->Model(), ShabbatInputsFor(*source_, state_),
                                    MonthTitle(state_.currentDate, state_.currentMonthEnd)});
}
void frmMain::PrintShabbatHours() {
    varnel::PrintShabbatHours(this, ShabbatInputsFor(*source_, state_), MonthTitle(state_.currentDate, state_.currentMonthEnd));
}
// The year view is filled for the displayed common year; the displayed month stays.
void frmMain::ExportYearToHtml() {
    ShowYear(state_.Year());
    varnel::ExportYearToHtml(this, static_cast<varnel::YearPanel*>(yearPanel_)->Model(), *source_, state_);
}
void frmMain::ExportMonthToOutlook() {
    ExportMonthToCalendar(this, state_.currentDate, source_->Year(state_.Year()).parashot);
}
void frmMain::OpenFeastResources() {
    ShowFeastResources(this, source_->Year(state_.Year()).holyDays, source_->Data().folder);
}

}  // namespace varnel
