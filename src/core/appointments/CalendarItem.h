#pragma once
// One item an export writes into the user's calendar: an all-day item (a
// Shabbat's portions, a holy day, a personal date) or a timed one (candle-
// lighting, Havdalah, a fast's beginning or end). The export knows it again
// by its UID and the mark of the export that made it (ExportIdentity.h).
#include <cstdint>
#include <optional>
#include <string>

#include "core/common/Date.h"

namespace varnel {

// When a timed item starts: its minute on the local clock of `date`, and the
// same instant in UTC. With a zone the item is written on that zone's clock
// and `zoneComponent` (the zone's VTIMEZONE) goes with it; without one, in UTC.
struct ItemStart {
    int localMinute = 0;  // minutes after local midnight
    int64_t utcSeconds = 0;
    std::string zone;           // IANA id, or empty
    std::string zoneComponent;  // "BEGIN:VTIMEZONE...END:VTIMEZONE\r\n"
};

struct CalendarItem {
    Date date;         // the day of an all-day item, or the local day a timed one starts on
    std::string uid;   // the same for the same day and thing on every export
    std::string subject;
    std::string body;      // empty: not set
    std::string location;  // empty: not set
    std::optional<ItemStart> start;  // none: an all-day item
    // Minutes before the item's start at which a reminder (VALARM) goes off; none: no reminder.
    std::optional<int> reminderMinutes;
};

}  // namespace varnel
