#pragma once
// The feasts' times at the chosen place, from the years a calendar source
// builds: what the month view, the printouts, the times command and the
// feasts' export all list.
#include <vector>

#include "core/times/FeastTimes.h"
#include "core/views/CalendarSource.h"

namespace varnel {

// The holy days dated on a day, from the days its common year holds.
DayOccasion OccasionOn(CalendarSource& source, Date date);

// The times dated first..last, each day's sun on the clock of its own year.
std::vector<FeastTime> FeastTimesOf(CalendarSource& source, Date first, Date last, int candleMinutes);

// The times of one date out of a list in date order.
std::vector<const FeastTime*> TimesOn(const std::vector<FeastTime>& times, Date date);

}  // namespace varnel
