#include "views/CalendarData.h"

#include "calendar/HolyDays.h"
#include "calendar/Parashot.h"
#include "calendar/FestivalReadings.h"
#include "solar/SystemTimeZone.h"

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
