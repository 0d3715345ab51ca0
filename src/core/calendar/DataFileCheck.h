#pragma once
// The state of a data folder's holy-day and portion files, read once at start
// so that the window and the command line can say what went wrong.
#include <string>

#include "core/calendar/YearCalendar.h"
#include "core/common/DataFileReport.h"

namespace varnel {

// Reads the data files of the folder as the loaders do (restoring a missing
// one from its backup) and reports every problem met. A program that goes on
// to use the data takes LoadCalendarData's report instead of reading twice.
DataFileReport CheckDataFiles(const std::string& folder, DataFiles files = DataFiles::HolyDaysAndPortions);

}  // namespace varnel
