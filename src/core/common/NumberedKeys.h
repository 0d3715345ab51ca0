#pragma once
// Lists kept in one profile section as numbered keys ("count", then "1name",
// "1note", "2name", ...): the entry numbers that are really there, found from
// the keys themselves, so a damaged "count" of billions costs nothing.
#include <cstddef>
#include <limits>
#include <span>
#include <string_view>
#include <vector>

#include "core/common/Profile.h"

namespace varnel {

// The numbers n from 1 to `last` of the section's "<n><suffix>" keys (any of
// the suffixes, ASCII case ignored), ascending, each once.
std::vector<size_t> NumberedKeys(const ProfileFile& file, std::string_view section,
                                 std::span<const std::string_view> suffixes,
                                 size_t last = std::numeric_limits<size_t>::max());
// "count" as a non-negative number; anything else counts as no entries.
size_t ProfileCount(const std::string& text);

}  // namespace varnel
