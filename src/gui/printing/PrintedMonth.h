#pragma once
// The months of a common year as the calendar page needs them, built from the
// data files with the explicit table functions (holy days placed, portions
// scheduled, special readings applied) and rendered like the month view,
// without touching the window's displayed month.
#include <functional>
#include <memory>
#include <string>

#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"
#include "core/printing/CalendarDocument.h"
#include "core/views/DayDetails.h"
#include "core/views/MonthView.h"

namespace varnel {

struct PrintedYear {
    int year = 0;
    HolyDayTable holyDays;
    ParashahTable parashot;
    std::string city;
    std::function<SunDay(int32_t)> sunOf;
    Color holyDayColor = 0;
    Color shabbatColor = 0;
    bool floatDetails = true;
};

// Reads the data files of the data folder for a common year. The sun comes
// from the place's zone rules as loaded for that year.
std::unique_ptr<PrintedYear> BuildPrintedYear(int year, const std::string& city, int colorScheme, bool floatDetails);

// The sun at a place with each date's daylight decision, from the zone rules
// loaded for the displayed year.
std::function<SunDay(int32_t)> SunAtPlace(const std::string& city);

struct PrintedMonth {
    MonthViewModel view;
    CalendarPageInputs page;
};
// Renders month 1..12 of the year and fills the page inputs (title, bounds,
// Shabbat inputs); the options (theme, size, picture) are the caller's.
void BuildPrintedMonth(const PrintedYear& year, int month, PrintedMonth& out);

}  // namespace varnel
