#pragma once
// The VTIMEZONE of a zone as its clock runs in one year: an observance for
// each change of the clock, so a calendar reads the items of the year on the
// clock the place keeps, without relying on the reader's own zone database.
#include <string>

#include "core/solar/ZoneClock.h"

namespace varnel {

// "BEGIN:VTIMEZONE\r\nTZID:<id>\r\n...END:VTIMEZONE\r\n"; empty for a clock
// that is not Valid().
std::string ICalendarZoneText(const ZoneClock& clock);

}  // namespace varnel
