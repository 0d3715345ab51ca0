#include "cli/CommandLine.h"
#include "cli/TextOut.h"
#include "core/calendar/HebrewCalendar.h"
#include "core/common/DateFormat.h"
#include "core/common/Date.h"
#include "core/common/Json.h"

namespace varnel::cli {

int RunConvert(const Context& context) {
    const Date date = ParseDate(context.args[0]);
    const int32_t dayNumber = DateToJulianDay(date);
    const HebrewDate h = HebrewDateOf(date);
    const std::string& monthName = HebrewMonthName(h.year, h.month);
    if (context.json) {
        JsonWriter w;
        w.BeginObject()
            .Key("date").Date(date)
            .Key("weekday").Int(date.Weekday())
            .Key("daynumber").Int(dayNumber)
            .Key("hebrew").BeginObject()
            .Key("year").Int(h.year)
            .Key("month").Int(h.month)
            .Key("day").Int(h.day)
            .Key("monthname").String(monthName)
            .EndObject()
            .EndObject();
        out << w.Text() << "\n";
    } else {
        out << LongDateText(date) << " = " << h.day << " " << monthName << " " << h.year
                  << " (day number " << dayNumber << ")\n";
    }
    return 0;
}

}  // namespace varnel::cli
