#include "core/printing/PrintedMonth.h"

#include "core/views/MonthView.h"

namespace varnel {

CalendarPageInputs PrintedMonth(CalendarSource& source, const ViewState& state) {
    MonthViewModel view;
    ComposeMonth(state, source, view);
    CalendarPageInputs page;
    page.monthGrid = std::move(view.grid);
    page.title = std::move(view.title);
    page.firstDay = state.currentDate;
    page.lastDay = state.currentMonthEnd;
    page.shabbat = ShabbatInputsFor(source, state);
    return page;
}

}  // namespace varnel
