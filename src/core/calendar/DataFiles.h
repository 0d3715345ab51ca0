#pragma once
// Which of the calendar's data files a folder lacks. A file counts as present
// when it or its ".bak" copy (which the readers restore it from) can be read.
#include <string>
#include <vector>

namespace varnel {

// The names among `names` ("holydays.dat", ...) that the folder has in neither form.
std::vector<std::string> MissingDataFiles(const std::string& folder, const std::vector<std::string>& names);
// The holy-day and portion files, both of which every calendar view needs.
std::vector<std::string> MissingCalendarFiles(const std::string& folder);
// "holydays.dat (nor holydays.bak) was not found in FOLDER".
std::string MissingFileMessage(const std::string& folder, const std::string& name);

}  // namespace varnel
