#include "core/calendar/DataFileCheck.h"

namespace varnel {

DataFileReport CheckDataFiles(const std::string& folder, DataFiles files) {
    return LoadCalendarData(folder, files).report;
}

}  // namespace varnel
