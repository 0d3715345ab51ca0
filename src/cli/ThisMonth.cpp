#include "cli/ThisMonth.h"

#include <cstdlib>

#include "cli/CommandCalendar.h"
#include "cli/MonthCommand.h"
#include "cli/TextOut.h"
#include "core/calendar/HebrewCalendar.h"
#include "core/common/Date.h"
#include "core/common/DateFormat.h"
#include "core/views/MonthView.h"

namespace varnel {

bool HasDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (display && *display) || (wayland && *wayland);
}

void PrintThisMonth() {
    const Date date = Today();
    const HebrewDate hebrew = HebrewDateOf(date);
    cli::out << "Today: " << LongDateText(date) << " = " << hebrew.day << " "
              << HebrewMonthName(hebrew.year, hebrew.month) << " " << hebrew.year << "\n\n";
    const auto calendar = OpenSettingsCalendar(date);
    MonthViewModel view;
    RenderMonth(*calendar, view);
    cli::out << MonthViewText(view, calendar->state.holyDayColor);
}

}  // namespace varnel
