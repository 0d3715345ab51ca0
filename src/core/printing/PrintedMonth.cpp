#include "core/printing/PrintedMonth.h"

namespace varnel {

void BuildPrintedMonth(CalendarSource& source, const ViewState& state, PrintedMonth& out) {
    const int year = state.Year();
    // The month first: its sun holds the place by reference, which the Shabbat
    // inputs' look-up of the year before may replace.
    ComposeMonth(MonthInputsFor(state, source.Year(year), source.PlaceIn(year)), out.view);
    out.page.monthGrid = &out.view.grid;
    out.page.title = out.view.title;
    out.page.firstDay = state.currentDate;
    out.page.lastDay = state.currentMonthEnd;
    out.page.shabbat = ShabbatInputsFor(source, state);
}

}  // namespace varnel
