// "varnel export-portions YYYY-MM --to TARGET [--user NAME]": the month's
// Shabbat portions into an iCalendar file or a CalDAV calendar. Exit 0 when
// everything was written, 1 when the calendar failed, 2 for bad arguments.
#include "app/CalendarExportCommand.h"
#include "app/WindowCommands.h"
#include "core/appointments/ExportToCalendar.h"
#include "core/appointments/ShabbatLines.h"
#include "core/calendar/YearCalendar.h"
#include "core/common/Files.h"

namespace varnel::cli {

int RunExportPortions(const Context& context) {
    int year = 0, month = 0;
    ParseMonth(context.args[0], year, month);
    const CalendarTarget target = CommandCalendarTarget(context);
    const CalendarData data = UseDataFolder(context);
    RequireDataFiles(data, {kHolyDayFile, kParashahFile});
    const Date first = Date(year, month, 1);
    const ParashahTable parashot = BuildYear(year, data).parashot;
    return RunCalendarExport(context, target, PortionExportScope(first),
                             PortionItems(BuildMonthShabbatLines(first, parashot), ProgramFolder()));
}

}  // namespace varnel::cli
