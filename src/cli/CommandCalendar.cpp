#include "cli/CommandCalendar.h"

#include <utility>

#include "core/common/Files.h"
#include "core/solar/PlaceSettings.h"

namespace varnel {
namespace {

CommandCalendar* Open(CalendarData&& data, const PlaceChoice& place, Date shown) {
    // Reachable from here to the end, so no leak checker counts it lost.
    static CommandCalendar* kept = nullptr;
    delete std::exchange(kept, nullptr);
    CommandCalendar* calendar = kept = new CommandCalendar(std::move(data), place);
    calendar->state.ShowMonthOf(shown);
    const UserSettings& settings = cli::CommandSettings();
    calendar->state.floatDetails = settings.FloatDetails();
    calendar->state.SelectColorScheme(settings.ColorScheme());
    calendar->state.shabbatTimesOnHolyDays = settings.ShabbatTimesOnHolyDays();
    calendar->state.candleMinutes = settings.CandleMinutes();
    return calendar;
}

}  // namespace

CommandCalendar::CommandCalendar(CalendarData&& data, const PlaceChoice& place) : source(std::move(data)) {
    source.SetPlace(place);
}

CommandCalendar* OpenCommandCalendar(const cli::Context& context, Date shown) {
    const PlaceChoice place = cli::ResolvePlace(context);
    cli::RequireSun(place);
    CalendarData data = cli::UseDataFolder(context);
    cli::RequireDataFiles(data, {kHolyDayFile, kParashahFile});
    return Open(std::move(data), place, shown);
}

CommandCalendar* OpenSettingsCalendar(Date shown) {
    CalendarData data = LoadCalendarData(ProgramFolder());
    data.rules = HolyDayRulesOf(cli::CommandSettings());
    return Open(std::move(data), PlaceOfSettings(cli::CommandSettings()), shown);
}

void RenderMonth(CommandCalendar& calendar, MonthViewModel& view) {
    ComposeMonth(calendar.state, calendar.source, view);
}

void RenderDay(CommandCalendar& calendar, Date date, DayViewModel& day) {
    // Width given to the day grid before its columns fit their texts (twips).
    constexpr int kDayGridWidth = 12600;
    ViewState& state = calendar.state;
    MonthViewModel month;
    RenderMonth(calendar, month);
    const MonthCell cell = MonthCellOf(state.currentDate, date.Day());
    state.selectedRow = cell.row;
    state.selectedCol = cell.col;
    ShowDay(month.grid, state.currentDate, state.selectedRow, state.selectedCol, kDayGridWidth, day,
            calendar.source.Data().rules.omer);
}

void RenderYear(CommandCalendar& calendar, int year, YearViewModel& view) {
    const ViewState& state = calendar.state;
    const YearCalendar& built = calendar.source.Year(year);
    ShowYear(static_cast<int16_t>(year), built.holyDays, state.holyDayColor, state.shabbatColor, view, &built.personal);
}

}  // namespace varnel
