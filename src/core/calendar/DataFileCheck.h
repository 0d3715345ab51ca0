#pragma once
// The state of a data folder's holy-day and portion files, read once at start
// so that the window and the command line can say what went wrong.
#include <string>

#include "core/common/DataFileReport.h"

namespace varnel {

enum class DataFiles { HolyDays, HolyDaysAndPortions };

// Reads the data files of the folder as the loaders do (restoring a missing
// one from its backup) and reports every problem met.
DataFileReport CheckDataFiles(const std::string& folder, DataFiles files = DataFiles::HolyDaysAndPortions);

}  // namespace varnel
