#include "core/views/ViewState.h"

#include "core/views/ColorScheme.h"

namespace varnel {

ViewState::ViewState() { SelectColorScheme(0); }

void ViewState::ApplyMonthBounds() {
    // Kept inside the supported range so a first of December 9999 still has an end.
    const int32_t later = currentDate + 32;
    const YearMonthDay ymd = SplitDate(later > kMaxSerial ? kMaxSerial : later);
    currentMonthEnd = later > kMaxSerial ? kMaxSerial : DateSerial(ymd.year, ymd.month, 1) - 1;
    currentMonthDays = static_cast<int16_t>(currentMonthEnd - currentDate + 1);
}

void ViewState::ShowMonthOf(int32_t date) {
    if (date < kMinSerial) date = kMinSerial;
    if (date > kMaxSerial) date = kMaxSerial;
    const YearMonthDay ymd = SplitDate(date);
    currentDate = DateSerial(ymd.year, ymd.month, 1);
    ApplyMonthBounds();
}

bool ViewState::NextMonth() {
    if (currentMonthEnd >= kMaxSerial) return false;  // nothing after December 9999
    currentDate = currentMonthEnd + 1;
    ApplyMonthBounds();
    return true;
}

bool ViewState::PreviousMonth() {
    if (currentDate <= kMinSerial) return false;  // nothing before January of year 1
    currentMonthEnd = currentDate - 1;
    const YearMonthDay ymd = SplitDate(currentMonthEnd);
    currentDate = DateSerial(ymd.year, ymd.month, 1);
    currentMonthDays = static_cast<int16_t>(currentMonthEnd - currentDate + 1);
    return true;
}

void ViewState::SelectColorScheme(int scheme) {
    colorScheme = static_cast<int16_t>(scheme >= INT16_MIN && scheme <= INT16_MAX ? scheme : -1);
    holyDayColor = SchemeHolyDayColor(colorScheme);
    shabbatColor = SchemeShabbatColor(colorScheme);
}

}  // namespace varnel
