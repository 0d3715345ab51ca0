#pragma once
// Reading one of the data files ("holydays.dat", "parashot.dat") with its
// backup: a missing file is restored from the backup; a file that cannot be
// used is left alone and the backup is read in its place; each problem is
// said once in the report.
#include <string>

#include "core/common/DataFileReport.h"
#include "core/common/Profile.h"

namespace varnel {

// What a usable data file holds: at least one record section prefix + 1..records
// with a non-empty value under nameKey.
struct DataFileShape {
    const char* sectionPrefix;  // "HolyDay"
    const char* nameKey;        // "name"
    int records;                // 49
    const char* contents;       // "holy days", for the messages
    const char* whenUnusable;   // what the user sees when neither file can be used
};

struct DataFileContents {
    ProfileFile profile;   // empty when neither file could be used
    std::string fileName;  // the file actually read, "holydays.bak" after a fallback
    bool absent = false;   // neither the file nor its backup is there (no problem is reported then)
};

DataFileContents ReadDataFile(const std::string& datPath, const DataFileShape& shape, DataFileReport& report);

}  // namespace varnel
