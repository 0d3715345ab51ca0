#include "core/resources/ResourceList.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "core/common/Files.h"

namespace varnel {
namespace {

// "count" as a non-negative number; anything else counts as no entries.
size_t ParseCount(const std::string& text) {
    long long n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end == text.data() || n <= 0) return 0;
    return static_cast<size_t>(n);
}

// The highest n of the section's "<n>fileurl" keys: no entry lies beyond it.
size_t HighestEntryKey(const ProfileFile& file, const std::string& feast) {
    size_t highest = 0;
    for (const std::string& key : file.KeysOf(feast)) {
        size_t n = 0;
        const auto [end, ec] = std::from_chars(key.data(), key.data() + key.size(), n);
        if (ec == std::errc() && ToLowerAscii(std::string_view(end, key.data() + key.size() - end)) == "fileurl")
            highest = std::max(highest, n);
    }
    return highest;
}

}  // namespace

ProfileFile ReadResourceFile(const std::string& datPath) {
    RestoreFromBackup(datPath);
    return ProfileFile::Read(datPath, kWholeProfileValues);
}

std::vector<ResourceEntry> ResourceListIn(const ProfileFile& file, const std::string& feast) {
    // A damaged "count" of billions must not walk billions of missing keys.
    const size_t count = std::min(ParseCount(file.Get(feast, "count")), HighestEntryKey(file, feast));
    std::vector<ResourceEntry> entries;
    entries.reserve(count);
    for (size_t n = 1; n <= count; ++n) {
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
        for (size_t n = k + 1; n <= HighestEntryKey(file, feast); ++n) {
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
