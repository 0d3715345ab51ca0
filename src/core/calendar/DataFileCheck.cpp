#include "core/calendar/DataFileCheck.h"

#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"
#include "core/common/Files.h"

namespace varnel {

DataFileReport CheckDataFiles(const std::string& folder, DataFiles files) {
    DataFileReport report;
    HolyDayTable holyDays;
    LoadHolyDays(PathIn(folder, kHolyDayFile), holyDays, report);
    if (files == DataFiles::HolyDaysAndPortions) {
        ParashahTable portions;
        LoadPortions(PathIn(folder, kParashahFile), portions, report);
    }
    return report;
}

}  // namespace varnel
