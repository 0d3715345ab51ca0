#include "core/appointments/ICalendarSupport.h"

#include <algorithm>
#include <cctype>
#include <ctime>

#include "core/common/Date.h"
#include "core/common/Profile.h"

namespace varnel {

namespace {
icaltimetype DateValue(Date date) {
    const YearMonthDay d = date.Parts();
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

bool SameAsciiText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && ToLowerAscii(a) == ToLowerAscii(b);
}

std::string ExportMark(icalcomponent* event) {
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_X_PROPERTY)) {
        const char* name = icalproperty_get_x_name(p);
        const char* value = icalproperty_get_x(p);
        if (name && SameAsciiText(name, kExportProperty)) return value ? value : "";
    }
    return {};
}

std::optional<Date> DateOf(icalproperty* p, icaltimetype (*get)(const icalproperty*)) {
    if (!p) return std::nullopt;
    const icaltimetype t = get(p);
    if (!t.is_date || !IsValidDate(t.year, t.month, t.day)) return std::nullopt;
    return Date(t.year, t.month, t.day);
}

// Exactly what the export wrote before it marked its items: an all-day item on
// the Shabbat of its UID with these properties and nothing else.
bool HasLegacyShape(icalcomponent* event, Date uidDate) {
    if (icalcomponent_get_first_component(event, ICAL_ANY_COMPONENT)) return false;
    static constexpr icalproperty_kind kWritten[] = {ICAL_UID_PROPERTY,  ICAL_DTSTAMP_PROPERTY,    ICAL_SUMMARY_PROPERTY,
                                                     ICAL_DTSTART_PROPERTY, ICAL_DTEND_PROPERTY, ICAL_TRANSP_PROPERTY,
                                                     ICAL_DESCRIPTION_PROPERTY, ICAL_LOCATION_PROPERTY};
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_ANY_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_ANY_PROPERTY))
        if (std::find(std::begin(kWritten), std::end(kWritten), icalproperty_isa(p)) == std::end(kWritten)) return false;
    return DateOf(icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY), icalproperty_get_dtstart) == uidDate &&
           DateOf(icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY), icalproperty_get_dtend) == uidDate + 1;
}
}  // namespace

icalcomponent* NewICalendar() {
    icalcomponent* calendar = icalcomponent_new(ICAL_VCALENDAR_COMPONENT);
    icalcomponent_add_property(calendar, icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar, icalproperty_new_prodid(kProductId));
    return calendar;
}

icalcomponent* NewPortionEvent(const PortionAppointment& item) {
    if ((item.date + 1).Year() > kLastICalendarYear) return nullptr;
    icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(event, icalproperty_new_uid(item.uid.c_str()));
    icalproperty* mark = icalproperty_new_x(std::string(kPortionExport).c_str());
    icalproperty_set_x_name(mark, std::string(kExportProperty).c_str());
    icalcomponent_add_property(event, mark);
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
    // Names are case-insensitive: "begin:vcalendar" is a calendar too.
    constexpr std::string_view kBegin = "begin:vcalendar";
    const auto sameLetter = [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; };
    if (std::search(text.begin(), text.end(), kBegin.begin(), kBegin.end(), sameLetter) == text.end()) return nullptr;
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

Ownership EventOwnership(icalcomponent* event) {
    const char* uid = icalcomponent_get_uid(event);
    const std::optional<Date> uidDate = uid ? DateOfPortionUid(uid) : std::nullopt;
    if (!uidDate) return Ownership::User;
    const std::string mark = ExportMark(event);
    return OwnershipOf(uid, mark, mark.empty() && HasLegacyShape(event, *uidDate));
}

std::optional<Date> EventStartDate(icalcomponent* event) {
    icalproperty* p = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    if (!p) return std::nullopt;
    const icaltimetype t = icalproperty_get_dtstart(p);
    if (icaltime_is_null_time(t) || !IsValidDate(t.year, t.month, t.day)) return std::nullopt;
    return Date(t.year, t.month, t.day);
}

}  // namespace varnel
