#pragma once
// Reads a year's daylight rules from the time-zone database: the system's
// zone (honouring TZ), or the place's own zone when it does not use the system's.
#include <QTimeZone>

#include "core/solar/Location.h"

namespace varnel {

// The daylight rules of a common year for a place. A zone Qt cannot load
// gives rules without daylight time.
DaylightYear LoadTimeZoneRules(const Place& place, int year);
// The named place with its daylight rules for a year.
Place PlaceForYear(std::string_view name, bool systemDaylight, int year);

// The system's single yearly rule of a zone: its first changes to and from
// daylight time in the year. A year without daylight time has bias 0.
DaylightRule SystemDaylightRule(const QTimeZone& zone, int year);
// What a zone does in a year, from all its changes of daylight time.
ZoneYear ZoneYearOf(const QTimeZone& zone, int year);

}  // namespace varnel
