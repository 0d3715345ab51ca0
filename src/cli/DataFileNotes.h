#pragma once
#include <string>

#include "core/common/DataFileReport.h"

namespace varnel::cli {

// Writes each warning met reading the data files to standard error, once.
// Returns the errors (a data file that gave no data at all), one per line, or
// an empty text.
std::string SayDataFileProblems(const DataFileReport& report);

}  // namespace varnel::cli
