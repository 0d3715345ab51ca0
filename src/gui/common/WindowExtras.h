#pragma once
// What the window opens only when asked: printing, the HTML export and the
// calendar exports. They are built into a module of their own, varnel-extras,
// with the libraries only they use (Qt's printing and network, the key store,
// libical), so the window starts without loading them; the module is opened
// the first time one of them is used.
#include <QWidget>
#include <string>

#include "core/calendar/Parashot.h"
#include "core/common/Date.h"


namespace varnel {

class CalendarSource;
struct CalendarData;
struct CalendarPageInputs;
struct PlaceChoice;
struct PrintViews;
struct ShabbatInputs;
struct ViewState;
struct YearViewModel;

struct WindowExtras {
    void (*printMonth)(QWidget* owner, const CalendarPageInputs& month);
    void (*printCurrentView)(QWidget* owner, const PrintViews& views);
    void (*printShabbatHours)(QWidget* owner, const ShabbatInputs& month, const std::string& monthTitle);
    void (*exportYearToHtml)(QWidget* owner, const YearViewModel& yearView, CalendarSource& source, const ViewState& state);
    void (*exportMonthToCalendar)(QWidget* owner, Date firstOfMonth, const ParashahTable& parashot);
    void (*exportFeastsToCalendar)(QWidget* owner, int year, const CalendarData& data, const PlaceChoice& place,
                                   int candleMinutes);
};

// An entry point of the module (opened once, from the folder of the running
// program), or null with `why` saying what failed.
void* ExtrasEntry(const char* name, std::string& why);
// The window's extras; when the module cannot be opened, says so in a message
// box over the owner and gives null.
const WindowExtras* WindowExtrasFor(QWidget* owner);

}  // namespace varnel
