#pragma once
// The main window's running state that the views, printouts and exports read:
// the bounds of the displayed month, the colour pair, the selected cell and the
// floating-details switch. CurrentDate itself lives with the calendar engine.
#include <cstdint>

#include "core/views/Grid.h"

namespace varnel {

// Last day of the displayed month, and its number of days.
extern int32_t CurrentMonthEnd;
extern int16_t CurrentMonthDays;

// Whether hovering a day of the month view floats its details.
extern bool FloatDetails;

// The selected colour scheme (0..3; anything else paints black) and its colours.
extern int16_t ColorScheme;
extern Color HolyDayColor;
extern Color ShabbatColor;

// The grid cell last clicked in the month or year view.
extern int32_t SelectedRow;
extern int32_t SelectedCol;

// Brings CurrentMonthEnd and CurrentMonthDays in line with CurrentDate, which
// must be the first of a month: 32 days on, back to that month's first, less a day.
void ApplyMonthBounds();

// Sets ColorScheme, HolyDayColor and ShabbatColor.
void SelectColorScheme(int scheme);

// Sets CurrentDate to the first of the month holding the date, then the bounds.
void ShowMonthOf(int32_t date);

}  // namespace varnel
