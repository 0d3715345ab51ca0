#pragma once
// The special readings of a Shabbat, copied onto the scheduled portions from
// the holy-day records that hold them: a festival's own readings in place of
// the week's, and the maftir and Haftarah of the special Shabbatot (Shabbat
// Shuva, Hanukkah, the four parashiyot, HaGadol, Chazon, Nachamu, Rosh Chodesh
// and Machar Chodesh) beside the week's portion. Each entry is decided by its
// own date, so a Saturday reads the same in every table that holds it.
#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"

namespace varnel {

inline constexpr const char* kSpecialReading = "Special reading";
inline constexpr const char* kShavuotReading = "Shavuot reading";

// The schedule says whose festival readings apply: in Israel Shemini Atzeret
// is also Simchat Torah and reads its portion.
void ApplySpecialReadings(const HolyDayTable& holydays, ParashahTable& parashot,
                          ReadingSchedule schedule = ReadingSchedule::Diaspora);

// The synagogue reads Shavuot on 6 and 7 Sivan whatever the reckoning of the
// Omer: a Shabbat whose Shavuot readings are not that day of the feast under
// the reckoning in force is named "Shavuot reading", not as the holy day.
void NameShavuotReadings(ParashahTable& parashot, const HolyDayRules& rules);

}  // namespace varnel
