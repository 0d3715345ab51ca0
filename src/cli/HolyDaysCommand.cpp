#include "cli/CommandCalendar.h"
#include "cli/CommandLine.h"
#include "cli/TextOut.h"
#include "cli/ReadingsJson.h"
#include "core/common/Files.h"
#include "core/calendar/HebrewCalendar.h"
#include "core/calendar/HolyDays.h"
#include "core/common/DateFormat.h"
#include "core/common/Date.h"
#include "core/common/Json.h"

namespace varnel::cli {

namespace {

// The days of the year in table order; a named record that gives no day this
// year stands once, undated, where its days would be.
std::vector<HolyDayRecord> Listing(const HolyDayTable& table, PlacedHolyDays days) {
    std::vector<HolyDayRecord> listed;
    listed.reserve(days.size() + kHolyDayCount);
    size_t next = 0;
    for (int i = 1; i <= kHolyDayCount; ++i) {
        if (table[i].name.empty()) continue;
        const size_t before = listed.size();
        for (; next < days.size() && days[next].record == i; ++next) listed.push_back(std::move(days[next]));
        if (listed.size() == before) {
            HolyDayRecord undated = table[i];
            undated.record = i;
            undated.hebrewyear = "0";
            listed.push_back(std::move(undated));
        }
    }
    return listed;
}

}  // namespace

int RunHolyDays(const Context& context) {
    const int year = ParseYear(context.args[0]);
    const CalendarData data = UseDataFolder(context, DataFiles::HolyDays);
    RequireDataFiles(data, {kHolyDayFile});
    const std::vector<HolyDayRecord> listed = Listing(data.holyDays, PlaceHolyDays(data.holyDays, year, data.rules));
    if (context.json) {
        JsonWriter w;
        w.BeginArray();
        for (const HolyDayRecord& r : listed) {
            w.BeginObject()
                .Key("record").Int(r.record)
                .Key("name").String(r.name)
                .Key("englishname").String(r.englishname)
                .Key("biblereference").String(r.biblereference)
                .Key("description").String(r.description)
                .Key("daynumber").Int(r.daynumber)
                .Key("hebrewmonthday").String(r.hebrewmonthday)
                .Key("hebrewmonth").String(r.hebrewmonth)
                .Key("hebrewday").String(r.hebrewday)
                .Key("hebrewyear").String(r.hebrewyear)
                .Key("date").Date(r.date)
                .Key("onthisday").String(r.onthisday);
            WriteReadings(w, r).EndObject();
        }
        w.EndArray();
        out << w.Text() << "\n";
        return 0;
    }
    for (const HolyDayRecord& r : listed) {
        std::string when = "(not this year)";
        if (r.date && r.date->IsInSupportedRange()) {
            const HebrewDate h = HebrewDateOf(*r.date);
            when = IsoWeekdayText(*r.date) + "  " + std::to_string(h.day) + " " +
                   HebrewMonthName(h.year, h.month) + " " + std::to_string(h.year);
        }
        std::string number = std::to_string(r.record);
        out << std::string(3 - number.size(), ' ') << number << "  " << when << "  " << r.name << "\n";
    }
    return 0;
}

}  // namespace varnel::cli
