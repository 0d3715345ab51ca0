#pragma once
// Reading the placed days of a year by the table record they come from.
#include <optional>

#include "core/calendar/HolyDays.h"

namespace varnel::testing {

// The first day a record gives in the year, or none.
inline std::optional<Date> DateOfRecord(const PlacedHolyDays& days, int record) {
    for (const HolyDayRecord& d : days)
        if (d.record == record) return d.date;
    return std::nullopt;
}

}  // namespace varnel::testing
