#pragma once
// The month view printed on standard output: "varnel month YYYY-MM" and the
// desktop program's start without a display both use it.
#include <string>

namespace varnel {

struct MonthViewModel;

// Builds the year's calendar data for the month (as the window does at
// start-up) and renders it with the settings' place, colours and switch.
void RenderMonth(int year, int month, MonthViewModel& view);

// The model as text (title, then one line per day) or as one JSON document.
std::string MonthViewText(const MonthViewModel& view);
std::string MonthViewJson(const MonthViewModel& view);

}  // namespace varnel
