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

namespace {
void AddStart(icalcomponent* event, const CalendarItem& item) {
    if (!item.start) {
        icalcomponent_add_property(event, icalproperty_new_dtstart(DateValue(item.date)));
        icalcomponent_add_property(event, icalproperty_new_dtend(DateValue(item.date + 1)));
        icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_OPAQUE));
        return;
    }
    // A moment: with no DTEND the event ends as it starts, and takes no time.
    const ItemStart& start = *item.start;
    if (start.zone.empty()) {
        icalcomponent_add_property(event, icalproperty_new_dtstart(icaltime_from_timet_with_zone(
                                              static_cast<time_t>(start.utcSeconds), 0, icaltimezone_get_utc_timezone())));
    } else {
        icaltimetype t = DateValue(item.date);
        t.is_date = 0;
        t.hour = start.localMinute / 60;
        t.minute = start.localMinute % 60;
        t.second = 0;
        icalproperty* p = icalproperty_new_dtstart(t);
        icalproperty_add_parameter(p, icalparameter_new_tzid(start.zone.c_str()));
        icalcomponent_add_property(event, p);
    }
    icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
}

void AddReminder(icalcomponent* event, const CalendarItem& item) {
    if (!item.reminderMinutes) return;
    icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(alarm, icalproperty_new_description(item.subject.c_str()));
    icaltriggertype trigger = icaltriggertype_from_int(0);
    trigger.duration = icaldurationtype_from_int(-60 * *item.reminderMinutes);
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_component(event, alarm);
}
}  // namespace

icalcomponent* NewExportEvent(const ExportKind& kind, const CalendarItem& item) {
    if ((item.date + 1).Year() > kLastICalendarYear) return nullptr;
    icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(event, icalproperty_new_uid(item.uid.c_str()));
    icalproperty* mark = icalproperty_new_x(std::string(kind.mark).c_str());
    icalproperty_set_x_name(mark, std::string(kExportProperty).c_str());
    icalcomponent_add_property(event, mark);
    icalcomponent_add_property(event, icalproperty_new_dtstamp(icaltime_from_timet_with_zone(std::time(nullptr), 0, icaltimezone_get_utc_timezone())));
    icalcomponent_add_property(event, icalproperty_new_summary(item.subject.c_str()));
    AddStart(event, item);
    if (!item.body.empty())
        icalcomponent_add_property(event, icalproperty_new_description(LineFeeds(item.body).c_str()));
    if (!item.location.empty())
        icalcomponent_add_property(event, icalproperty_new_location(LineFeeds(item.location).c_str()));
    AddReminder(event, item);
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

Ownership EventOwnership(icalcomponent* event, const ExportKind& kind) {
    const char* uid = icalcomponent_get_uid(event);
    const std::optional<Date> uidDate = uid ? DateOfExportUid(kind, uid) : std::nullopt;
    if (!uidDate) return Ownership::User;
    const std::string mark = ExportMark(event);
    // Only the portions were ever written without the mark.
    const bool legacy = mark.empty() && kind.mark == kPortionExport.mark && HasLegacyShape(event, *uidDate);
    return OwnershipOf(kind, uid, mark, legacy);
}

std::optional<Date> EventStartDate(icalcomponent* event) {
    icalproperty* p = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    if (!p) return std::nullopt;
    const icaltimetype t = icalproperty_get_dtstart(p);
    if (icaltime_is_null_time(t) || !IsValidDate(t.year, t.month, t.day)) return std::nullopt;
    return Date(t.year, t.month, t.day);
}

}  // namespace varnel
