#include <iostream>

#include "cli/CommandLine.h"
#include "cli/ReadingsJson.h"
#include "core/common/Files.h"
#include "core/calendar/HebrewCalendar.h"
#include "core/calendar/HolyDays.h"
#include "core/common/DateFormat.h"
#include "core/common/Date.h"
#include "core/common/Json.h"

namespace varnel::cli {

int RunHolyDays(const Context& context) {
    const int year = ParseYear(context.args[0]);
    HolyDayTable holyDays = UseDataFolder(context, DataFiles::HolyDays).holyDays;
    RequireDataFiles({kHolyDayFile});
    PlaceHolyDays(holyDays, year);
    if (context.json) {
        JsonWriter w;
        w.BeginArray();
        for (int i = 1; i <= kHolyDayCount; ++i) {
            const HolyDayRecord& r = holyDays[i];
            w.BeginObject()
                .Key("record").Int(i)
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
        std::cout << w.Text() << "\n";
        return 0;
    }
    for (int i = 1; i <= kHolyDayCount; ++i) {
        const HolyDayRecord& r = holyDays[i];
        if (r.name.empty()) continue;
        std::string when = "(not this year)";
        if (r.date && r.date->IsInSupportedRange()) {
            const HebrewDate h = HebrewDateOf(*r.date);
            when = IsoWeekdayText(*r.date) + "  " + std::to_string(h.day) + " " +
                   HebrewMonthName(h.year, h.month) + " " + std::to_string(h.year);
        }
        std::string number = std::to_string(i);
        std::cout << std::string(3 - number.size(), ' ') << number << "  " << when << "  " << r.name << "\n";
    }
    return 0;
}

}  // namespace varnel::cli
