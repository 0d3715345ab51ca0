#pragma once
// An iCalendar file's text split where the export may change it, without
// parsing or writing anything else again: the user's own content stays byte
// for byte as their program wrote it (folding, line ends, order, unknown
// components, values no parser understands). Names are matched without
// regard to case, as iCalendar wants.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

struct EventBlock {
    size_t begin = 0;  // where its BEGIN:VEVENT line starts
    size_t end = 0;    // past the line end of its END:VEVENT line
    std::string uid;   // the unfolded value of its own UID line; empty when none
};

struct ICalendarLayout {
    std::vector<EventBlock> events;  // the VEVENTs directly inside the calendar, in file order
    std::vector<std::string> zones;  // the TZIDs of its VTIMEZONEs
    size_t calendarEnd = 0;          // where the END:VCALENDAR line starts: new events go before it
    std::string lineEnd = "\r\n";    // how the file ends its lines
};

// False, with the reason as the end of a sentence, when the text cannot be
// split safely: no calendar or several, a BEGIN without END or an END without
// BEGIN, or text outside the calendar.
bool SplitICalendarText(std::string_view text, ICalendarLayout& layout, std::string& why);

}  // namespace varnel
