#pragma once
// The feasts a resource list can belong to: the holy days of the table, one
// entry per feast (the later days of a multi-day feast and most days placed
// from a Shabbat are left out).
#include <string>
#include <vector>

#include "core/calendar/HolyDays.h"

namespace varnel {

inline constexpr const char* kSelectFeastPrompt = "--Select Feast/Holy Day--";

// Names in table order, each once (compared without regard to case, as the
// sections of the resource file are).
std::vector<std::string> FeastNames(const HolyDayTable& table);

// The feast of the list with this name (without regard to case); empty when none.
std::string FindFeast(const std::vector<std::string>& feasts, const std::string& name);

}  // namespace varnel
