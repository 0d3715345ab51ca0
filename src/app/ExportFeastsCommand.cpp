// "varnel export-feasts YEAR --to TARGET [--user NAME] [--times] [--personal]":
// the holy days of a common year (with --times the candle-lighting, Havdalah
// and fast times at the place, with --personal the personal dates) into an
// iCalendar file or a CalDAV calendar; a rerun replaces the export's items of
// that year and nothing else.
#include "app/CalendarExportCommand.h"
#include "app/WindowCommands.h"
#include "cli/CommandCalendar.h"
#include "core/appointments/FeastItems.h"

namespace varnel::cli {

int RunExportFeasts(const Context& context) {
    const int year = ParseYear(context.args[0]);
    const CalendarTarget target = CommandCalendarTarget(context);
    const auto calendar = OpenCommandCalendar(context, Date(year, 1, 1));
    const FeastExportChoices choices{HasOption(context, "--times"), HasOption(context, "--personal"),
                                     calendar->state.candleMinutes};
    return RunCalendarExport(context, target, FeastExportScope(year), FeastYearItems(calendar->source, year, choices));
}

}  // namespace varnel::cli
