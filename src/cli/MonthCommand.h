#pragma once
// The month view printed on standard output: "varnel month YYYY-MM" and the
// desktop program's start without a display both use it.
#include <string>

#include "core/views/Grid.h"

namespace varnel {

struct MonthViewModel;

// The model as text (title, then one line per day, holy days in the given
// colour marked) or as one JSON document.
std::string MonthViewText(const MonthViewModel& view, Color holyDayColor);
std::string MonthViewJson(const MonthViewModel& view);

}  // namespace varnel
