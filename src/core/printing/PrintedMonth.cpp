#include "core/printing/PrintedMonth.h"

namespace varnel {

void BuildPrintedMonth(CalendarSource& source, const ViewState& state, PrintedMonth& out) {
    ComposeMonth(state, source, out.view);
    out.page.monthGrid = &out.view.grid;
    out.page.title = out.view.title;
    out.page.firstDay = state.currentDate;
    out.page.lastDay = state.currentMonthEnd;
    out.page.shabbat = ShabbatInputsFor(source, state);
}

}  // namespace varnel
