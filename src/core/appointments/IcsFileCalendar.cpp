#include "core/appointments/IcsFileCalendar.h"

#include <filesystem>

#include "core/appointments/ICalendarSupport.h"
#include "core/common/Files.h"

namespace varnel {

namespace {
// Items are addressed by their position among the VEVENTs at FindItems time;
// deleting leaves a placeholder so the positions of the others stay valid.
constexpr const char* kIdPrefix = "#";
}  // namespace

IcsFileCalendar::IcsFileCalendar(std::string path) : path_(std::move(path)) {}

IcsFileCalendar::~IcsFileCalendar() {
    if (calendar_) icalcomponent_free(calendar_);
}

std::string DefaultIcsPath(const std::string& dataFolder) { return PathIn(PathIn(dataFolder, "Export"), "portions.ics"); }

bool IcsFileCalendar::Open(std::string& error) {
    if (calendar_) icalcomponent_free(calendar_);
    calendar_ = nullptr;
    changed_ = false;
    std::error_code ec;
    if (std::filesystem::is_directory(path_, ec)) {
        error = "it is a folder, not a file";
        return false;
    }
    if (!std::filesystem::exists(path_, ec)) {
        calendar_ = NewICalendar();
        return true;
    }
    std::string text;
    if (!ReadWholeFile(path_, text)) {
        error = "the file cannot be read";
        return false;
    }
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        calendar_ = NewICalendar();
        return true;
    }
    calendar_ = ParseICalendar(text);
    if (!calendar_) {
        error = "the file is not an iCalendar file (it was left untouched)";
        return false;
    }
    return true;
}

icalcomponent* IcsFileCalendar::Event(const std::string& id) const {
    if (!calendar_ || id.rfind(kIdPrefix, 0) != 0) return nullptr;
    size_t wanted = 0;
    try {
        wanted = std::stoul(id.substr(1));
    } catch (const std::exception&) {
        return nullptr;
    }
    size_t n = 0;
    for (icalcomponent* e = icalcomponent_get_first_component(calendar_, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar_, ICAL_VEVENT_COMPONENT), ++n)
        if (n == wanted) return e;
    return nullptr;
}

bool IcsFileCalendar::FindItems(Date first, Date last, std::vector<CalendarEntry>& items, std::string& error) {
    items.clear();
    if (!calendar_) {
        error = "the calendar is not open";
        return false;
    }
    size_t n = 0;
    for (icalcomponent* e = icalcomponent_get_first_component(calendar_, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar_, ICAL_VEVENT_COMPONENT), ++n) {
        const std::optional<Date> start = EventStartDate(e);
        const char* uid = icalcomponent_get_uid(e);
        const std::optional<Date> shabbat = uid ? DateOfPortionUid(uid) : std::nullopt;
        if ((start && *start >= first && *start <= last) || (shabbat && *shabbat >= first && *shabbat <= last))
            items.push_back({kIdPrefix + std::to_string(n), EventSummary(e), start, uid ? uid : "", EventOwnership(e)});
    }
    return true;
}

bool IcsFileCalendar::DeleteItem(const CalendarEntry& item, std::string& error) {
    icalcomponent* event = Event(item.id);
    if (!event) {
        error = "the item is no longer in the file";
        return false;
    }
    // An emptied VEVENT keeps the positions; it is dropped when the file is written.
    while (icalproperty* p = icalcomponent_get_first_property(event, ICAL_ANY_PROPERTY)) {
        icalcomponent_remove_property(event, p);
        icalproperty_free(p);
    }
    while (icalcomponent* c = icalcomponent_get_first_component(event, ICAL_ANY_COMPONENT)) {
        icalcomponent_remove_component(event, c);
        icalcomponent_free(c);
    }
    changed_ = true;
    return true;
}

bool IcsFileCalendar::AddItem(const PortionAppointment& item, std::string& error) {
    if (!calendar_) {
        error = "the calendar is not open";
        return false;
    }
    icalcomponent* event = NewPortionEvent(item);
    if (!event) {
        error = kDateTooLate;
        return false;
    }
    icalcomponent_add_component(calendar_, event);
    changed_ = true;
    return true;
}

bool IcsFileCalendar::Finish(std::string& error) {
    if (!calendar_) {
        error = "the calendar is not open";
        return false;
    }
    if (!changed_) return true;
    for (icalcomponent* e = icalcomponent_get_first_component(calendar_, ICAL_VEVENT_COMPONENT); e;) {
        icalcomponent* next = icalcomponent_get_next_component(calendar_, ICAL_VEVENT_COMPONENT);
        if (!icalcomponent_get_first_property(e, ICAL_ANY_PROPERTY)) {
            icalcomponent_remove_component(calendar_, e);
            icalcomponent_free(e);
        }
        e = next;
    }
    // A link is followed, so the file it points to is the one replaced; the
    // replacement keeps the old file's permissions (a private calendar stays private).
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target = path_;
    const bool existed = fs::exists(target, ec);
    if (existed) target = fs::canonical(target, ec);
    const fs::perms perms = existed ? fs::status(target, ec).permissions() : fs::perms::unknown;
    if (!target.parent_path().empty()) fs::create_directories(target.parent_path(), ec);
    if (!WriteFileAtomically(target.string(), ComponentText(calendar_))) {
        error = "the file cannot be written";
        return false;
    }
    if (perms != fs::perms::unknown) fs::permissions(target, perms, ec);
    changed_ = false;
    return true;
}

}  // namespace varnel
