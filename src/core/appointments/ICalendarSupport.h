#pragma once
// libical helpers shared by the iCalendar sources of this folder.
#include <libical/ical.h>

#include <optional>
#include <string>

#include "core/appointments/ExportIdentity.h"
#include "core/appointments/CalendarItem.h"

namespace varnel {

inline constexpr const char* kProductId = "-//Varnel//Varnel calendar export//EN";

// An empty VCALENDAR with VERSION and our PRODID.
icalcomponent* NewICalendar();
// Null when the item's date lies beyond what iCalendar dates can hold here.
// The event carries the item's UID and the export's mark; an all-day item
// lasts its day, a timed one is a moment on its zone's clock (TZID) or in UTC;
// a reminder is a VALARM.
icalcomponent* NewExportEvent(const ExportKind& kind, const CalendarItem& item);
// libical keeps dates up to the year 3000 only.
inline constexpr int kLastICalendarYear = 3000;
inline constexpr const char* kDateTooLate = "libical cannot write dates after the year 3000";
// The VCALENDAR of a text, or null when the text is not one iCalendar object.
icalcomponent* ParseICalendar(const std::string& text);
std::string ComponentText(icalcomponent* component);
std::string EventSummary(icalcomponent* event);
// Whether a VEVENT is the export's, the user's, or the user's with one of the export's UIDs.
Ownership EventOwnership(icalcomponent* event, const ExportKind& kind);
// The calendar date DTSTART falls on (its own local date for a date-time); 0 when absent.
std::optional<Date> EventStartDate(icalcomponent* event);

}  // namespace varnel
