#include "cli/CommandLine.h"
#include "cli/TextOut.h"
#include "cli/ReadingsJson.h"
#include "core/calendar/YearCalendar.h"
#include "core/common/Files.h"
#include "core/common/DateFormat.h"
#include "core/common/Date.h"
#include "core/common/Json.h"

namespace varnel::cli {

namespace {

void PrintJson(const ParashahTable& parashot) {
    JsonWriter w;
    w.BeginArray();
    for (int i = 1; i <= kParashotEntries; ++i) {
        const ParashahRecord& r = parashot[i];
        w.BeginObject()
            .Key("entry").Int(i)
            .Key("date").Date(r.date)
            .Key("parashah").String(r.parashah)
            .Key("english").String(r.english);
        WriteReadings(w, r).EndObject();
    }
    w.EndArray();
    out << w.Text() << "\n";
}

// One line per entry: number, date, portion, then its Torah and Haftarah.
void PrintText(const ParashahTable& parashot) {
    for (int i = 1; i <= kParashotEntries; ++i) {
        const ParashahRecord& r = parashot[i];
        std::string line = std::to_string(i);
        line.insert(0, 3 - line.size(), ' ');
        line += "  ";
        // The cycle opening a year-1 table starts in the autumn of year 0, before
        // the range of the date formats, so the date is composed here.
        line += r.date ? IsoDate(*r.date) + " " + WeekdayName(r.date->Weekday()).substr(0, 3)
                            : std::string("(no date)");
        line += "  " + r.parashah;
        if (!r.english.empty()) line += " " + r.english;
        if (!r.torah.empty()) line += "  Torah: " + r.torah;
        if (!r.haftarah.empty()) line += "  Haftarah: " + r.haftarah;
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << "\n";
    }
}

}  // namespace

int RunParashot(const Context& context) {
    const int year = ParseYear(context.args[0]);
    const CalendarData data = UseDataFolder(context);
    RequireDataFiles(data, {kHolyDayFile, kParashahFile});
    const YearCalendar calendar = BuildYear(year, data);
    if (context.json) PrintJson(calendar.parashot);
    else PrintText(calendar.parashot);
    return 0;
}

}  // namespace varnel::cli
