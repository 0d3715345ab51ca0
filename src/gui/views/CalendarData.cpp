#include "gui/views/CalendarData.h"

#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"
#include "core/calendar/FestivalReadings.h"
#include "gui/solar/SystemTimeZone.h"

namespace varnel {

void RebuildCalendarData(CalendarTrigger trigger) {
    switch (trigger) {
        case CalendarTrigger::StartUp:
            LoadTimeZoneRules();
            ScheduleParashot();
            LoadHolyDays();
            ApplySpecialReadings();
            PlaceHolyDays();
            break;
        case CalendarTrigger::MonthChange:
        case CalendarTrigger::GoToDateMonthDay:
            LoadTimeZoneRules();
            PlaceHolyDays();
            ScheduleParashot();
            ApplySpecialReadings();
            break;
        case CalendarTrigger::GoToDateYear:
            LoadTimeZoneRules();
            ScheduleParashot();
            ApplySpecialReadings();
            PlaceHolyDays();
            break;
        case CalendarTrigger::YearChange:
            ScheduleParashot();
            PlaceHolyDays();
            break;
    }
}

}  // namespace varnel
