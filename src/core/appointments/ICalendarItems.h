#pragma once
// iCalendar (RFC 5545) text of the export's items and the reading of other
// calendars' events, through libical. Both calendar back ends use these.
#include <cstdint>
#include <string>
#include <vector>

#include "core/appointments/CalendarBackend.h"

namespace varnel {

// A VCALENDAR holding the one VEVENT of an item (and the VTIMEZONE of a timed
// item's zone); empty when the item's date cannot be written.
std::string ICalendarObjectText(const ExportKind& kind, const CalendarItem& item);

// The events of an iCalendar text: uid as the id, summary, start date and
// whether the export made them.
// Returns false when the text is not iCalendar.
bool ReadICalendarEvents(const std::string& text, const ExportKind& kind, std::vector<CalendarEntry>& events);

}  // namespace varnel
