#include "core/views/ViewState.h"

#include "core/calendar/CalendarState.h"
#include "core/common/DateSerial.h"
#include "core/views/ColorScheme.h"

namespace varnel {

int32_t CurrentMonthEnd = DateSerial(2000, 1, 31);
int16_t CurrentMonthDays = 31;
bool FloatDetails = true;
int16_t ColorScheme = 0;
Color HolyDayColor = SchemeHolyDayColor(0);
Color ShabbatColor = SchemeShabbatColor(0);
int32_t SelectedRow = 0;
int32_t SelectedCol = 0;

void ApplyMonthBounds() {
    // Kept inside the supported range so a first of December 9999 still has an end.
    const int32_t later = CurrentDate + 32;
    const YearMonthDay ymd = SplitDate(later > kMaxSerial ? kMaxSerial : later);
    const int32_t end = later > kMaxSerial ? kMaxSerial : DateSerial(ymd.year, ymd.month, 1) - 1;
    CurrentMonthEnd = end;
    CurrentMonthDays = static_cast<int16_t>(CurrentMonthEnd - CurrentDate + 1);
}

void ShowMonthOf(int32_t date) {
    if (date < kMinSerial) date = kMinSerial;
    if (date > kMaxSerial) date = kMaxSerial;
    const YearMonthDay ymd = SplitDate(date);
    CurrentDate = DateSerial(ymd.year, ymd.month, 1);
    ApplyMonthBounds();
}

void SelectColorScheme(int scheme) {
    ColorScheme = static_cast<int16_t>(scheme);
    HolyDayColor = SchemeHolyDayColor(scheme);
    ShabbatColor = SchemeShabbatColor(scheme);
}

}  // namespace varnel
