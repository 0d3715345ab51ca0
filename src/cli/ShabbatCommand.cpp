// "varnel shabbat YYYY-MM": the month's Shabbat rows as the printouts hold them.

#include "cli/CommandCalendar.h"
#include "cli/CommandLine.h"
#include "cli/TextOut.h"
#include "core/common/Date.h"
#include "core/common/Json.h"
#include "core/printing/ShabbatRows.h"

namespace varnel::cli {

int RunShabbat(const Context& context) {
    const std::string& text = context.args[0];
    int year = 0, month = 0;
    ParseMonth(text, year, month);
    const auto calendar = OpenCommandCalendar(context, Date(year, month, 1));
    const std::vector<ShabbatRow> rows = ShabbatRowsOf(ShabbatInputsFor(calendar->source, calendar->state));
    if (context.json) {
        JsonWriter w;
        w.BeginObject().Key("month").String(text).Key("rows").BeginArray();
        for (const ShabbatRow& row : rows)
            w.BeginObject()
                .Key("saturday").Date(row.saturday)
                .Key("date").String(row.date)
                .Key("times").String(row.times)
                .Key("portion").String(row.portion)
                .Key("readings").String(row.readings)
                .Key("feasttimes").String(row.FeastTimesText())
                .EndObject();
        w.EndArray().EndObject();
        out << w.Text() << "\n";
        return 0;
    }
    const ViewState& state = calendar->state;
    out << "Shabbat details for " << MonthTitle(state.currentDate, state.currentMonthEnd) << "\n";
    for (const ShabbatRow& row : rows) out << row.Joined() << "\n";
    return 0;
}

}  // namespace varnel::cli
