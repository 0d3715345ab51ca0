#pragma once
// The feasts' export of a common year: every holy day as an all-day item and,
// when asked, the feasts' times (candle-lighting, Havdalah, the fasts'
// beginnings and ends) as timed items on the place's clock, and the personal
// dates as all-day items with a reminder the evening before.
#include <vector>

#include "core/appointments/CalendarItem.h"
#include "core/appointments/ExportJob.h"
#include "core/views/CalendarSource.h"

namespace varnel {

struct FeastExportChoices {
    bool times = false;
    bool personal = false;
    int candleMinutes = 18;
};

// The reminder of a personal date: at 6 PM the evening before its day.
inline constexpr int kPersonalReminderMinutes = 6 * 60;

// The year's items, in date order; none for a year outside 1..9999.
std::vector<CalendarItem> FeastYearItems(CalendarSource& source, int year, const FeastExportChoices& choices);

// The feasts' export of a year: the export's items of the whole year are its to replace.
ExportScope FeastExportScope(int year);

}  // namespace varnel
