#pragma once
// A month of the calendar as the calendar page prints it: rendered like the
// month view from a calendar source and a view state, with the inputs of its
// Shabbat rows. The state is the caller's copy, so printing or exporting a
// month never moves the window's displayed month.
#include "core/printing/CalendarDocument.h"
#include "core/views/CalendarSource.h"
#include "core/views/ViewState.h"

namespace varnel {

// The month of state.currentDate; theme, size and picture are left for the
// caller. The inputs hold their own grid, so a copy prints the same month.
CalendarPageInputs PrintedMonth(CalendarSource& source, const ViewState& state);

}  // namespace varnel
