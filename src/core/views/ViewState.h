#pragma once
// The main window's state as a value: the displayed month and its bounds, the
// colour scheme and its two colours, the selected grid cell and the
// floating-details switch. The window owns one; the command line builds its
// own from its options; printouts and exports read the one they are given.
#include <cstdint>

#include "core/common/Date.h"
#include "core/views/Grid.h"

namespace varnel {

struct ViewState {
    Date currentDate = Date(2000, 1, 1);  // first day of the displayed month
    Date currentMonthEnd = Date(2000, 1, 31);
    int16_t currentMonthDays = 31;
    bool floatDetails = true;  // hovering a day of the month view floats its details
    bool shabbatTimesOnHolyDays = false;  // candle and Havdalah lines on holy-day Fridays and Saturdays
    int candleMinutes = 18;  // candle-lighting before sunset
    int16_t colorScheme = 0;   // 0..3; anything else paints black
    Color holyDayColor = 0;
    Color shabbatColor = 0;
    int selectedRow = 0;  // the grid cell last clicked in the month or year view
    int selectedCol = 0;

    ViewState();

    int Year() const { return currentDate.Year(); }
    // Brings the month's end and day count in line with currentDate, which must
    // be the first of a month: 32 days on, back to that month's first, less a day.
    void ApplyMonthBounds();
    // Shows the month holding the date (clamped to the supported range).
    void ShowMonthOf(Date date);
    // The month after or before the displayed one; false at the ends of the range.
    bool NextMonth();
    bool PreviousMonth();
    // Sets the scheme and its colours.
    void SelectColorScheme(int scheme);
};

}  // namespace varnel
