// The entry point of the varnel-extras module: the window's printing and
// exports. Built into the module, and into the tests, which link it whole.
#include <QWidget>

#include "core/printing/CalendarDocument.h"
#include "gui/appointments/CalendarExports.h"
#include "gui/common/WindowExtras.h"
#include "gui/printing/PrintCalendarDialog.h"
#include "gui/printing/PrintCommands.h"
#include "gui/printing/YearExportCommand.h"

extern "C" __attribute__((visibility("default"))) const varnel::WindowExtras* varnel_window_extras() {
    using namespace varnel;
    static const WindowExtras table{
        &ShowPrintCalDialog,
        &PrintCurrentView,
        &PrintShabbatHours,
        [](QWidget* owner, const YearViewModel& yearView, CalendarSource& source, const ViewState& state) {
            ExportYearToHtml(owner, yearView, source, state);
        },
        [](QWidget* owner, Date firstOfMonth, const ParashahTable& parashot) {
            ExportMonthToCalendar(owner, firstOfMonth, parashot);
        },
        [](QWidget* owner, int year, const CalendarData& data, const PlaceChoice& place, int candleMinutes) {
            ExportFeastsToCalendar(owner, year, data, place, candleMinutes);
        },
    };
    return &table;
}
