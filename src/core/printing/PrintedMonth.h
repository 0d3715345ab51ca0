#pragma once
// A month of the calendar as the calendar page prints it: rendered like the
// month view from a calendar source and a view state, with the inputs of its
// Shabbat rows. The state is the caller's copy, so printing or exporting a
// month never moves the window's displayed month.
#include "core/printing/CalendarDocument.h"
#include "core/views/CalendarSource.h"
#include "core/views/MonthView.h"
#include "core/views/ViewState.h"

namespace varnel {

struct PrintedMonth {
    MonthViewModel view;
    CalendarPageInputs page;  // points into view: keep the two together
};

// The month of state.currentDate; theme, size and picture are left for the caller.
void BuildPrintedMonth(CalendarSource& source, const ViewState& state, PrintedMonth& out);

}  // namespace varnel
