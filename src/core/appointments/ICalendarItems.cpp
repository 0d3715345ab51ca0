#include "core/appointments/ICalendarItems.h"

#include <libical/ical.h>

#include "core/appointments/ICalendarSupport.h"

namespace varnel {

std::string ICalendarObjectText(const PortionAppointment& item) {
    icalcomponent* event = NewPortionEvent(item);
    if (!event) return {};
    icalcomponent* calendar = NewICalendar();
    icalcomponent_add_component(calendar, event);
    std::string text = ComponentText(calendar);
    icalcomponent_free(calendar);
    return text;
}

bool ReadICalendarEvents(const std::string& text, std::vector<CalendarEntry>& events) {
    icalcomponent* root = ParseICalendar(text);
    if (!root) return false;
    for (icalcomponent* e = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
        const char* uid = icalcomponent_get_uid(e);
        events.push_back({uid ? uid : "", EventSummary(e), EventStartDate(e), uid ? uid : "", EventOwnership(e)});
    }
    icalcomponent_free(root);
    return true;
}

}  // namespace varnel
