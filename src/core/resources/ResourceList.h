#pragma once
// The user's resource list: for each feast, files and web addresses with the
// text shown for them, kept in "resources.dat" (one profile section per feast:
// "count", then "1fileurl", "1description", "2fileurl", ...). A missing file is
// restored from "resources.bak" before every read and every save.
#include <functional>
#include <string>
#include <vector>

#include "core/common/Profile.h"

namespace varnel {

inline constexpr const char* kResourceFile = "resources.dat";

struct ResourceEntry {
    std::string fileurl;
    std::string description;
    bool operator==(const ResourceEntry&) const = default;
};

// Reads the resource file whole: its paths and addresses are never cut.
ProfileFile ReadResourceFile(const std::string& datPath);
// The entries 1..count of a feast's section; entries without a file or address
// are skipped, and keys beyond "count" are never read.
std::vector<ResourceEntry> ResourceListIn(const ProfileFile& file, const std::string& feast);
std::vector<ResourceEntry> ReadResourceList(const std::string& datPath, const std::string& feast);

// Writes a feast's list as entries 1..k and "count" = k in one replacement of
// the file. Entries whose description is blank are left out. Line breaks in a
// value are stored as blanks, so no value can start a section or a key of its
// own. Returns false when the file could not be written.
// Keys of entries beyond the new count are removed. error, when given, gets the reason of a failure.
bool SaveResourceList(const std::string& datPath, const std::string& feast, const std::vector<ResourceEntry>& entries,
                      std::string* error = nullptr);

// Changes a feast's list as it stands in the file at the moment of the change,
// under the file's lock, so two changes at once both land. change returns false
// with a reason to give up (nothing is written).
using ResourceListChange = std::function<bool(std::vector<ResourceEntry>& entries, std::string& error)>;
bool UpdateResourceList(const std::string& datPath, const std::string& feast, const ResourceListChange& change,
                        std::string* error = nullptr);

// The entries a save keeps: those whose description is not blank.
std::vector<ResourceEntry> EntriesToSave(const std::vector<ResourceEntry>& entries);

}  // namespace varnel
