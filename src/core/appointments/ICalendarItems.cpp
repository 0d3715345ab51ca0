#include "core/appointments/ICalendarItems.h"

#include <libical/ical.h>

#include "core/appointments/ICalendarSupport.h"

namespace varnel {

std::string ICalendarObjectText(const ExportKind& kind, const CalendarItem& item) {
    icalcomponent* event = NewExportEvent(kind, item);
    if (!event) return {};
    icalcomponent* calendar = NewICalendar();
    if (item.start && !item.start->zoneComponent.empty())
        if (icalcomponent* zone = icalparser_parse_string(item.start->zoneComponent.c_str()))
            icalcomponent_add_component(calendar, zone);
    icalcomponent_add_component(calendar, event);
    std::string text = ComponentText(calendar);
    icalcomponent_free(calendar);
    return text;
}

bool ReadICalendarEvents(const std::string& text, const ExportKind& kind, std::vector<CalendarEntry>& events) {
    icalcomponent* root = ParseICalendar(text);
    if (!root) return false;
    for (icalcomponent* e = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
        const char* uid = icalcomponent_get_uid(e);
        events.push_back({uid ? uid : "", EventSummary(e), EventStartDate(e), uid ? uid : "", EventOwnership(e, kind)});
    }
    icalcomponent_free(root);
    return true;
}

}  // namespace varnel
