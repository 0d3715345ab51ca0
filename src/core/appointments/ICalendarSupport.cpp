#include "core/appointments/ICalendarSupport.h"

#include <ctime>

#include "core/common/DateSerial.h"

namespace varnel {

namespace {
icaltimetype DateValue(int32_t serial) {
    const YearMonthDay d = SplitDate(serial);
    icaltimetype t = icaltime_null_date();
    t.year = d.year;
    t.month = d.month;
    t.day = d.day;
    t.is_date = 1;
    return t;
}

// iCalendar text breaks lines with a bare line feed (escaped as "\n").
std::string LineFeeds(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}
}  // namespace

icalcomponent* NewICalendar() {
    icalcomponent* calendar = icalcomponent_new(ICAL_VCALENDAR_COMPONENT);
    icalcomponent_add_property(calendar, icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar, icalproperty_new_prodid(kProductId));
    return calendar;
}

icalcomponent* NewPortionEvent(const PortionAppointment& item) {
    if (YearOf(item.date + 1) > kLastICalendarYear) return nullptr;
    icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(event, icalproperty_new_uid(item.uid.c_str()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(icaltime_from_timet_with_zone(std::time(nullptr), 0, icaltimezone_get_utc_timezone())));
    icalcomponent_add_property(event, icalproperty_new_summary(item.subject.c_str()));
    icalcomponent_add_property(event, icalproperty_new_dtstart(DateValue(item.date)));
    icalcomponent_add_property(event, icalproperty_new_dtend(DateValue(item.date + 1)));
    icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_OPAQUE));
    if (!item.body.empty())
        icalcomponent_add_property(event, icalproperty_new_description(LineFeeds(item.body).c_str()));
    if (!item.location.empty())
        icalcomponent_add_property(event, icalproperty_new_location(LineFeeds(item.location).c_str()));
    return event;
}

icalcomponent* ParseICalendar(const std::string& text) {
    if (text.find("BEGIN:VCALENDAR") == std::string::npos) return nullptr;
    icalcomponent* root = icalparser_parse_string(text.c_str());
    if (!root) return nullptr;
    if (icalcomponent_isa(root) != ICAL_VCALENDAR_COMPONENT) {
        icalcomponent_free(root);  // several calendars in one text, or none
        return nullptr;
    }
    return root;
}

std::string ComponentText(icalcomponent* component) {
    char* text = icalcomponent_as_ical_string_r(component);
    std::string out = text ? text : "";
    icalmemory_free_buffer(text);
    return out;
}

std::string EventSummary(icalcomponent* event) {
    const char* summary = icalcomponent_get_summary(event);
    return summary ? summary : "";
}

int32_t EventStartDate(icalcomponent* event) {
    icalproperty* p = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    if (!p) return 0;
    const icaltimetype t = icalproperty_get_dtstart(p);
    if (icaltime_is_null_time(t) || !IsValidDate(t.year, t.month, t.day)) return 0;
    return DateSerial(t.year, t.month, t.day);
}

}  // namespace varnel
