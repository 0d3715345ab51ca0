#pragma once
// A change of one entry of a numbered list (the resource list, the personal
// dates) decided on the list as read and applied to the list as it is when
// written: the entry must still be the one that was read, so a change made by
// another program meanwhile is never overwritten or removed unseen.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

// Entry `index` (0-based) replaced by `with`, or removed when `with` is empty;
// false with the reason when the list no longer holds `asRead` there.
template <typename Entry>
bool ChangeEntryAsRead(std::vector<Entry>& list, size_t index, const Entry& asRead, const std::optional<Entry>& with,
                       std::string& why) {
    if (index >= list.size() || !(list[index] == asRead)) {
        why = "entry " + std::to_string(index + 1) + " was changed by another program meanwhile; nothing was " +
              (with ? "saved" : "removed");
        return false;
    }
    if (with) list[index] = *with;
    else list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

}  // namespace varnel
