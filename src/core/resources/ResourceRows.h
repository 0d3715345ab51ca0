#pragma once
// The rows of the resource window: the entries of the chosen feast, each with
// its launch tick, always followed by one empty row where a new entry goes.
#include <string>
#include <vector>

#include "core/resources/ResourceList.h"

namespace varnel {

struct ResourceRow {
    bool launch = false;
    std::string fileurl;
    std::string description;
    bool operator==(const ResourceRow&) const = default;
};

// The entries as unticked rows, then the empty row.
std::vector<ResourceRow> RowsOfEntries(const std::vector<ResourceEntry>& entries);
// The rows' files and addresses with their descriptions (the empty row included).
std::vector<ResourceEntry> EntriesOfRows(const std::vector<ResourceRow>& rows);

// True when the last row is empty; otherwise appends one.
void EnsureEmptyLastRow(std::vector<ResourceRow>& rows);
// Removes one row (the file itself is never touched) and keeps the empty last row.
void RemoveRow(std::vector<ResourceRow>& rows, size_t index);

// A drop of files (full paths) and text: the empty rows go, each file is added
// with its name, lower-cased, as the description, the text (when not blank and
// not merely the dropped files again) with its lower-cased form as the
// description, then the empty row.
void DropOnRows(std::vector<ResourceRow>& rows, const std::vector<std::string>& files, const std::string& text);

// The part of a path after its last folder separator.
std::string FileNameOf(const std::string& path);

}  // namespace varnel
