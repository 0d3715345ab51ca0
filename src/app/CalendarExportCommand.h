#pragma once
// What the exports' commands share: the calendar of --to and --user, checked
// before anything is read or created, and the run of an export in the
// application's event loop with its report printed as text or JSON.
#include <vector>

#include "cli/CommandLine.h"
#include "core/appointments/CalendarItem.h"
#include "core/appointments/ExportJob.h"
#include "gui/appointments/CalendarTarget.h"

namespace varnel::cli {

// Throws UsageError for a missing or unusable --to, or a server without --user.
CalendarTarget CommandCalendarTarget(const Context& context);

// Writes the items into the target (asking for a server's password on the
// terminal, or taking VARNEL_CALDAV_PASSWORD) and prints what was done, as
// text or JSON; 0 when everything was written, 1 otherwise. For a server each
// step is told on standard error as it begins, so a slow server is never silent.
int RunCalendarExport(const Context& context, const CalendarTarget& target, ExportScope scope,
                      std::vector<CalendarItem> items);

}  // namespace varnel::cli
