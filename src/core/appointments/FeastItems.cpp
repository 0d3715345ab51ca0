#include "core/appointments/FeastItems.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "core/appointments/ExportIdentity.h"
#include "core/appointments/ICalendarZone.h"
#include "core/common/DateFormat.h"
#include "core/personal/PersonalDays.h"
#include "core/times/TimesText.h"
#include "core/views/CalendarTimes.h"

namespace varnel {
namespace {

constexpr const char* kCRLF = "\r\n";

// "sukkot-3", "yom-t-ruah": lower-case letters and digits, runs of anything else one hyphen.
std::string Slug(std::string_view text) {
    std::string slug;
    for (const char c : text) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) slug += c;
        else if (c >= 'A' && c <= 'Z') slug += static_cast<char>(c - 'A' + 'a');
        else if (!slug.empty() && slug.back() != '-') slug += '-';
    }
    while (!slug.empty() && slug.back() == '-') slug.pop_back();
    return slug;
}

// A short fixed digest of a text of any script (FNV-1a), for the UID of a name.
std::string Digest(std::string_view text) {
    uint32_t h = 2166136261u;
    for (const char c : text) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    char hex[12];
    std::snprintf(hex, sizeof hex, "%08x", h);
    return hex;
}

// The day's text, then its readings, one a line.
std::string Description(const HolyDayRecord& h) {
    std::string d;
    const auto line = [&d](const char* label, const std::string& value) {
        if (value.find_first_not_of(" \t\r\n") == std::string::npos) return;
        if (!d.empty()) d += kCRLF;
        d += label + value;
    };
    line("", h.englishname);
    line("", h.description);
    line("", h.onthisday);
    line("Reference: ", h.biblereference);
    line("Torah: ", h.torah);
    line("Haftarah: ", h.haftarah);
    line("Sephardic: ", h.sephardic);
    line("Messianic: ", h.messianic);
    line("Brit Hadashah: ", h.brithadashah);
    return d;
}

// A UID not yet used in this export: a second item of one day and name gets "-2".
std::string UniqueUid(std::set<std::string>& used, Date date, const std::string& tag) {
    std::string uid = ExportUid(kFeastExport, date, tag);
    for (int n = 2; !used.insert(uid).second; ++n) uid = ExportUid(kFeastExport, date, tag + "-" + std::to_string(n));
    return uid;
}

void AddHolyDays(CalendarSource& source, int year, std::set<std::string>& used, std::vector<CalendarItem>& out) {
    for (const HolyDayRecord& h : source.Year(year).holyDays) {
        if (h.name.empty() || !h.date || h.date->Year() != year) continue;
        CalendarItem item;
        item.date = *h.date;
        // "Sukkot day 3", as the day's details title it.
        const std::string day = h.daynumber != 0 ? " day " + std::to_string(h.daynumber) : std::string();
        const std::string slug = Slug(h.name + day);
        item.uid = UniqueUid(used, item.date, slug.empty() ? "day-" + Digest(h.name + day) : slug);
        item.subject = h.name + day;
        item.body = Description(h);
        out.push_back(std::move(item));
    }
}

// The UTC instant of a local minute on the place's clock.
int64_t UtcOf(const Place& place, Date date, int localMinute) {
    const int64_t local = UtcSecondsOfSerial(date.Serial()) + localMinute * 60;
    if (place.systemDaylight) {
        const bool daylight = ApplyDaylightRule(place.daylight, date).daylight;
        return local + static_cast<int64_t>(place.site.timeZone * 3600) - (daylight ? 3600 : 0);
    }
    const int64_t guess = local - place.clock.At(local).offsetSeconds;
    return local - place.clock.At(guess).offsetSeconds;
}

void AddTimes(CalendarSource& source, int year, int candleMinutes, std::set<std::string>& used,
              std::vector<CalendarItem>& out) {
    const std::vector<FeastTime> times = FeastTimesOf(source, Date(year, 1, 1), Date(year, 12, 31), candleMinutes);
    const Place& place = source.PlaceIn(year);
    // On the place's own clock its zone goes with the items; on the system's rules the instants go in UTC.
    const bool zoned = !place.systemDaylight && IsKnownZone(place.zone);
    const std::string zoneText = zoned ? ICalendarZoneText(place.clock) : std::string();
    for (const FeastTime& t : times) {
        if (!t.at) continue;  // the sun gives no such time that day
        const ClockTime clock = SplitDateTime(*t.at);
        CalendarItem item;
        item.date = clock.date;
        item.uid = UniqueUid(used, t.date, std::string(TimeKindKey(t.kind)));
        item.subject = std::string(TimeKindLabel(t.kind)) + ": " + t.occasion;
        ItemStart start;
        start.localMinute = clock.hour * 60 + clock.minute;
        start.utcSeconds = UtcOf(place, clock.date, start.localMinute);
        if (zoned) {
            start.zone = place.zone;
            start.zoneComponent = zoneText;
        }
        item.start = std::move(start);
        out.push_back(std::move(item));
    }
}

void AddPersonalDays(CalendarSource& source, int year, std::set<std::string>& used, std::vector<CalendarItem>& out) {
    for (const PersonalDay& p : source.Year(year).personal) {
        CalendarItem item;
        item.date = p.date;
        item.uid = UniqueUid(used, p.date, "personal-" + KindName(p.kind) + "-" + Digest(p.name));
        item.subject = PersonalDayLine(p);
        item.body = PersonalDayDetails(p, kCRLF);
        item.reminderMinutes = kPersonalReminderMinutes;
        out.push_back(std::move(item));
    }
}

}  // namespace

std::vector<CalendarItem> FeastYearItems(CalendarSource& source, int year, const FeastExportChoices& choices) {
    std::vector<CalendarItem> items;
    if (year < kMinYear || year > kMaxYear) return items;
    std::set<std::string> used;
    AddHolyDays(source, year, used, items);
    if (choices.times) AddTimes(source, year, choices.candleMinutes, used, items);
    if (choices.personal) AddPersonalDays(source, year, used, items);
    std::stable_sort(items.begin(), items.end(), [](const CalendarItem& a, const CalendarItem& b) {
        if (a.date != b.date) return a.date < b.date;
        return (a.start ? a.start->localMinute : -1) < (b.start ? b.start->localMinute : -1);
    });
    return items;
}

ExportScope FeastExportScope(int year) {
    ExportScope scope;
    scope.kind = kFeastExport;
    scope.first = Date(year, 1, 1);
    scope.last = Date(year, 12, 31);
    scope.itemAction = "Exporting holy days and times...";
    scope.itemNoun = "item";
    scope.rangeItems = "the year's items";
    return scope;
}

}  // namespace varnel
