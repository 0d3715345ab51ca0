// "varnel times YYYY-MM": the month's candle-lighting, Havdalah and fast times.

#include "cli/CommandCalendar.h"
#include "cli/CommandLine.h"
#include "cli/TextOut.h"
#include "core/times/TimesText.h"
#include "core/views/CalendarTimes.h"

namespace varnel::cli {

int RunTimes(const Context& context) {
    int year = 0, month = 0;
    ParseMonth(context.args[0], year, month);
    const auto calendar = OpenCommandCalendar(context, Date(year, month, 1));
    const ViewState& state = calendar->state;
    const std::vector<FeastTime> times =
        FeastTimesOf(calendar->source, state.currentDate, state.currentMonthEnd, state.candleMinutes);
    if (context.json) out << TimesJson(times) << "\n";
    else out << TimesListing(times);
    return 0;
}

}  // namespace varnel::cli
