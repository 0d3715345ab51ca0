#pragma once
// The special readings of festival Shabbatot and of the Shabbatot of Hanukkah,
// copied onto the scheduled portions from the matching holy-day records.
#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"

namespace varnel {

inline constexpr const char* kSpecialReading = "Special reading";

// Works on the portions scheduled for a common year, with the holy-day
// records that hold the readings.
void ApplySpecialReadings(int year, const HolyDayTable& holydays, ParashahTable& parashot);

}  // namespace varnel
