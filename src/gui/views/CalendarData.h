#pragma once
// Rebuilding the calendar data of the year of CurrentDate. Each trigger has
// its own order of calls; the holy-day file is read only at start-up, later
// triggers re-place the table already loaded.
namespace varnel {

enum class CalendarTrigger {
    StartUp,           // zone rules, portions, holy-day file, special readings, placement
    MonthChange,       // next or previous month into another common year
    GoToDateMonthDay,  // go to a date from the day or month view
    GoToDateYear,      // go to a date from the year view
    YearChange,        // next or previous year in the year view
};

void RebuildCalendarData(CalendarTrigger trigger);

}  // namespace varnel
