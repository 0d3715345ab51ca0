#include "core/resources/ResourceRows.h"

#include <algorithm>

#include "core/common/Profile.h"

namespace varnel {
namespace {

bool IsEmptyRow(const ResourceRow& r) { return TrimBlanks(r.fileurl).empty() && TrimBlanks(r.description).empty(); }

// Line breaks become blanks: a value is stored on one line.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return TrimBlanks(text);
}

// A file manager offers the dropped files as text too ("file:///..." or the
// paths, one a line); that text adds nothing.
bool NamesOnlyTheFiles(const std::string& text, const std::vector<std::string>& files) {
    if (files.empty()) return false;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = TrimBlanks(std::string_view(text).substr(start, end - start));
        if (!line.empty()) {
            const bool known = std::any_of(files.begin(), files.end(), [&](const std::string& f) {
                return line == f || line == "file://" + f;
            });
            if (!known) return false;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace

std::vector<ResourceRow> RowsOfEntries(const std::vector<ResourceEntry>& entries) {
    std::vector<ResourceRow> rows;
    rows.reserve(entries.size() + 1);
    for (const ResourceEntry& e : entries) rows.push_back({false, e.fileurl, e.description});
    rows.emplace_back();
    return rows;
}

std::vector<ResourceEntry> EntriesOfRows(const std::vector<ResourceRow>& rows) {
    std::vector<ResourceEntry> entries;
    entries.reserve(rows.size());
    for (const ResourceRow& r : rows) entries.push_back({r.fileurl, r.description});
    return entries;
}

void EnsureEmptyLastRow(std::vector<ResourceRow>& rows) {
    if (rows.empty() || !IsEmptyRow(rows.back())) rows.emplace_back();
}

void RemoveRow(std::vector<ResourceRow>& rows, size_t index) {
    if (index < rows.size()) rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
    rows.emplace_back();
    // Removing a row before the empty last one must not leave two of them.
    while (rows.size() > 1 && IsEmptyRow(rows.back()) && IsEmptyRow(rows[rows.size() - 2])) rows.pop_back();
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void DropOnRows(std::vector<ResourceRow>& rows, const std::vector<std::string>& files, const std::string& text) {
    // Only rows with nothing in them go: an entry below a row the user
    // emptied is kept.
    std::erase_if(rows, IsEmptyRow);
    for (const std::string& f : files) {
        const std::string path = OneLine(f);
        if (!path.empty()) rows.push_back({false, path, ToLowerAscii(FileNameOf(path))});
    }
    const std::string dropped = OneLine(text);
    if (!dropped.empty() && !NamesOnlyTheFiles(text, files)) rows.push_back({false, dropped, ToLowerAscii(dropped)});
    rows.emplace_back();
}

}  // namespace varnel
