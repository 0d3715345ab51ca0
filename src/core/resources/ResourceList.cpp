#include "core/resources/ResourceList.h"

#include <algorithm>
#include <utility>

#include "core/common/Files.h"
#include "core/common/NumberedKeys.h"

namespace varnel {
namespace {
// The key every entry has; its description may be missing.
constexpr std::string_view kEntryKey[] = {"fileurl"};
}  // namespace

ProfileFile ReadResourceFile(const std::string& datPath) {
    RestoreFromBackup(datPath);
    return ProfileFile::Read(datPath, kWholeProfileValues);
}

std::vector<ResourceEntry> ResourceListIn(const ProfileFile& file, const std::string& feast) {
    // Only the entries whose keys are there: a damaged "count" of billions walks nothing.
    std::vector<ResourceEntry> entries;
    for (const size_t n : NumberedKeys(file, feast, kEntryKey, ProfileCount(file.Get(feast, "count")))) {
        const std::string number = std::to_string(n);
        std::string fileurl = file.Get(feast, number + "fileurl");
        if (fileurl.empty()) continue;
        entries.push_back({std::move(fileurl), file.Get(feast, number + "description")});
    }
    return entries;
}

std::vector<ResourceEntry> ReadResourceList(const std::string& datPath, const std::string& feast) {
    return ResourceListIn(ReadResourceFile(datPath), feast);
}

std::vector<ResourceEntry> EntriesToSave(const std::vector<ResourceEntry>& entries) {
    std::vector<ResourceEntry> kept;
    for (const ResourceEntry& e : entries)
        if (!TrimBlanks(e.description).empty()) kept.push_back(e);
    return kept;
}

bool UpdateResourceList(const std::string& datPath, const std::string& feast, const ResourceListChange& change,
                        std::string* error) {
    RestoreFromBackup(datPath);
    std::string why;
    const bool ok = UpdateProfileKeys(datPath, feast, [&](const std::string& text) {
        const ProfileFile file = ProfileFile::Parse(text, kWholeProfileValues);
        std::vector<ResourceEntry> entries = ResourceListIn(file, feast);
        std::vector<std::pair<std::string, std::optional<std::string>>> keys;
        if (!change(entries, why)) return keys;  // nothing changes; the reason is kept
        size_t k = 0;
        for (const ResourceEntry& e : EntriesToSave(entries)) {
            const std::string number = std::to_string(++k);
            keys.emplace_back(number + "fileurl", e.fileurl);
            keys.emplace_back(number + "description", e.description);
        }
        keys.emplace_back("count", std::to_string(k));
        // Entries beyond the new count would come back if "count" were ever raised by hand.
        for (const size_t n : NumberedKeys(file, feast, kEntryKey)) {
            if (n <= k) continue;
            keys.emplace_back(std::to_string(n) + "fileurl", std::nullopt);
            keys.emplace_back(std::to_string(n) + "description", std::nullopt);
        }
        return keys;
    }, &why);
    if (error) *error = why;
    return ok && why.empty();
}

bool SaveResourceList(const std::string& datPath, const std::string& feast, const std::vector<ResourceEntry>& entries,
                      std::string* error) {
    return UpdateResourceList(datPath, feast, [&](std::vector<ResourceEntry>& list, std::string&) {
        list = entries;
        return true;
    }, error);
}

}  // namespace varnel
