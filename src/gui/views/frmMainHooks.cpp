// The main window's hooks into the year and day views, the dialogs, the cell
// note, the splash window and the print, export and resource commands. Each
// does nothing, or the least that keeps the window consistent, until the part
// of the program behind it is built.
#include <QLabel>
#include <QVBoxLayout>

#include "core/calendar/CalendarState.h"
#include "gui/views/DayPanel.h"
#include "gui/views/GridWidget.h"
#include "gui/views/MonthPanel.h"
#include "core/views/MonthView.h"
#include "gui/views/YearPanel.h"
#include "gui/views/frmColors.h"
#include "gui/views/frmFlexNote.h"
#include "gui/views/frmGoToDate.h"
#include "gui/views/frmMain.h"
#include "gui/views/frmSplash.h"

namespace varnel {

void frmMain::BuildDayAndYearPanels() {
    auto* year = new varnel::YearPanel(this);
    connect(year, &varnel::YearPanel::MonthRenderRequested, this, &frmMain::ShowCalendar);
    connect(year, &varnel::YearPanel::MonthViewRequested, this, [this] { ViewToggle(View::Month)->setChecked(true); });
    connect(year, &varnel::YearPanel::DayViewRequested, this, [this] { ViewToggle(View::Day)->setChecked(true); });
    yearPanel_ = year;
    dayPanel_ = new varnel::DayPanel(this);
}

// Fills the year panel for a common year.
void frmMain::ShowYear(int year) { static_cast<varnel::YearPanel*>(yearPanel_)->ShowYear(year); }

// Fills the day panel for SelectedRow / SelectedCol of the month grid. The
// year buttons move CurrentDate without rendering the month, so a grid left
// from another month is rendered first: the day's lines must belong to the
// day in the title.
void frmMain::ShowDay() {
    if (month_->Model().lastStartOfMonth != CurrentDate) ShowCalendar();
    static_cast<varnel::DayPanel*>(dayPanel_)->ShowDay(month_->Model().grid);
}

// Opens the go-to-date dialog modally; it may set CurrentDate to a first of month.
void frmMain::OpenGoToDateDialog() { ShowGoToDateDialog(this); }

// Opens the colour-scheme dialog modally; it may change ColorScheme and the colours.
void frmMain::OpenColorsDialog() { ShowColorsDialog(this); }

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

void frmMain::PrintCurrentView() {}
void frmMain::PrintShabbatHours() {}
void frmMain::ExportYearToHtml() {}
void frmMain::ExportMonthToOutlook() {}
void frmMain::OpenFeastResources() {}

}  // namespace varnel
