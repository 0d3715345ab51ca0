// The main window's hooks into the year and day views, the dialogs, the cell
// note, the splash window and the print, export and resource commands. Each
// does nothing, or the least that keeps the window consistent, until the part
// of the program behind it is built.
#include <QLabel>
#include <QVBoxLayout>

#include "views/MonthPanel.h"
#include "views/frmMain.h"

namespace varnel {

void frmMain::BuildDayAndYearPanels() {
    yearPanel_ = new QWidget(this);
    yearPanel_->setObjectName("picYear");
    dayPanel_ = new QWidget(this);
    dayPanel_->setObjectName("picDay");
}

// Fills the year panel for a common year.
void frmMain::ShowYear(int /*year*/) {}

// Fills the day panel for SelectedRow / SelectedCol of the month grid.
void frmMain::ShowDay() {}

// Opens the go-to-date dialog modally; it may set CurrentDate to a first of month.
void frmMain::OpenGoToDateDialog() {}

// Opens the colour-scheme dialog modally; it may change ColorScheme and the colours.
void frmMain::OpenColorsDialog() {}

// The floating note beside a month-grid cell.
void frmMain::ShowCellNote(const QString& /*text*/, int /*row*/, int /*col*/) {}
void frmMain::CloseCellNote() {}

// The splash window at start-up (closes itself) and as the about box.
void frmMain::ShowSplash() {}
void frmMain::ShowAbout() {}

// The titles of the year and day panels take the Shabbat colour with the month title's.
void frmMain::ApplyPanelTitleColors() {}

void frmMain::PrintCurrentView() {}
void frmMain::PrintShabbatHours() {}
void frmMain::ExportYearToHtml() {}
void frmMain::ExportMonthToOutlook() {}
void frmMain::OpenFeastResources() {}

}  // namespace varnel
