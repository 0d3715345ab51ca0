#pragma once
// The toolbar's "Export to calendar": asks for the calendar on first use, when
// Shift is held, or after the calendar could not be used; then writes the
// shown month's Shabbat portions into it with the progress window and closes
// with what was written and what failed.
#include <QWidget>
#include <cstdint>

#include "core/calendar/Parashot.h"

namespace varnel {

// firstOfMonth: the shown month's first day; parashot: that year's portion table.
void ExportMonthToCalendar(QWidget* owner, int32_t firstOfMonth, const ParashahTable& parashot);

}  // namespace varnel
