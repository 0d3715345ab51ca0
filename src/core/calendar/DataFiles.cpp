#include "core/calendar/DataFiles.h"

#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"
#include "core/common/Files.h"

namespace varnel {
namespace {

std::string BackupName(const std::string& name) {
    const size_t dot = name.rfind('.');
    return (dot == std::string::npos ? name : name.substr(0, dot)) + ".bak";
}

}  // namespace

std::vector<std::string> MissingDataFiles(const std::string& folder, const std::vector<std::string>& names) {
    std::vector<std::string> missing;
    for (const std::string& name : names)
        if (!FileExists(PathIn(folder, name)) && !FileExists(PathIn(folder, BackupName(name))))
            missing.push_back(name);
    return missing;
}

std::vector<std::string> MissingCalendarFiles(const std::string& folder) {
    return MissingDataFiles(folder, {kHolyDayFile, kParashahFile});
}

std::string MissingFileMessage(const std::string& folder, const std::string& name) {
    return name + " (nor " + BackupName(name) + ") was not found in " + folder;
}

}  // namespace varnel
