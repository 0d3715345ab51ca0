#include "core/views/ViewState.h"

#include "core/views/ColorScheme.h"

namespace varnel {

ViewState::ViewState() { SelectColorScheme(0); }

void ViewState::ApplyMonthBounds() {
    // Kept inside the supported range so a first of December 9999 still has an end.
    const Date later = currentDate + 32;
    const YearMonthDay ymd = (later > kLastDate ? kLastDate : later).Parts();
    currentMonthEnd = later > kLastDate ? kLastDate : Date(ymd.year, ymd.month, 1) - 1;
    currentMonthDays = static_cast<int16_t>(currentMonthEnd - currentDate + 1);
}

void ViewState::ShowMonthOf(Date date) {
    if (date < kFirstDate) date = kFirstDate;
    if (date > kLastDate) date = kLastDate;
    const YearMonthDay ymd = date.Parts();
    currentDate = Date(ymd.year, ymd.month, 1);
    ApplyMonthBounds();
}

bool ViewState::NextMonth() {
    if (currentMonthEnd >= kLastDate) return false;  // nothing after December 9999
    currentDate = currentMonthEnd + 1;
    ApplyMonthBounds();
    return true;
}

bool ViewState::PreviousMonth() {
    if (currentDate <= kFirstDate) return false;  // nothing before January of year 1
    currentMonthEnd = currentDate - 1;
    const YearMonthDay ymd = currentMonthEnd.Parts();
    currentDate = Date(ymd.year, ymd.month, 1);
    currentMonthDays = static_cast<int16_t>(currentMonthEnd - currentDate + 1);
    return true;
}

void ViewState::SelectColorScheme(int scheme) {
    colorScheme = static_cast<int16_t>(scheme >= INT16_MIN && scheme <= INT16_MAX ? scheme : -1);
    holyDayColor = SchemeHolyDayColor(colorScheme);
    shabbatColor = SchemeShabbatColor(colorScheme);
}

}  // namespace varnel
