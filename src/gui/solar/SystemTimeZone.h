#pragma once
// Loads the zone fields of the displayed year from the time-zone database:
// the system's zone (honouring TZ), or the selected place's own zone when
// UseSystemDaylight is off.
#include "core/solar/Location.h"

class QTimeZone;

namespace varnel {

// Sets the zone fields for the year of CurrentDate. A zone Qt cannot load
// leaves them as they were.
void LoadTimeZoneRules();

// The system's single yearly rule of a zone: its first changes to and from
// daylight time in the year. A year without daylight time has bias 0.
DaylightRule SystemDaylightRule(const QTimeZone& zone, int year);
// What a zone does in a year, from all its changes of daylight time.
ZoneYear ZoneYearOf(const QTimeZone& zone, int year);

}  // namespace varnel
