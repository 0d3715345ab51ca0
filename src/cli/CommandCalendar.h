#pragma once
// What a command renders with, built from its options the way the window
// builds its own at start-up: the data folder's calendar, the place, and a
// view state holding the settings' colours and switch.
#include "cli/CommandLine.h"
#include "core/views/CalendarSource.h"
#include "core/views/DayView.h"
#include "core/views/MonthView.h"
#include "core/views/ViewState.h"
#include "core/views/YearView.h"

namespace varnel {

struct CommandCalendar {
    CommandCalendar(CalendarData&& data, const PlaceChoice& place);
    ViewState state;
    CalendarSource source;
};

// For a command: installs the data folder, reads the holy-day file and takes
// the place of --city (else the "Location" setting) with the settings'
// daylight source, colour scheme and floating-details switch. The view state
// shows the month of the given date. The calendar is kept until the program
// ends, so that a command leaves without first freeing the thousands of
// texts it read (a tenth of a month's work); opening another replaces it.
CommandCalendar* OpenCommandCalendar(const cli::Context& context, Date shown);
// The same without command options, for the desktop program's start without a display.
CommandCalendar* OpenSettingsCalendar(Date shown);

// Renders the state's month as the month view does.
void RenderMonth(CommandCalendar& calendar, MonthViewModel& view);
// The day view of a date (in the state's month), selected as a click on its cell does.
void RenderDay(CommandCalendar& calendar, Date date, DayViewModel& day);
// The year view of a common year.
void RenderYear(CommandCalendar& calendar, int year, YearViewModel& view);

}  // namespace varnel
