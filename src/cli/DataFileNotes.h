#pragma once
#include <string>

#include "core/calendar/DataFileCheck.h"

namespace varnel::cli {

// Checks the data files of the folder and writes each warning to standard
// error, once. Returns the errors (a data file that gave no data at all), one
// per line, or an empty text.
std::string SayDataFileProblems(const std::string& folder, DataFiles files);

}  // namespace varnel::cli
