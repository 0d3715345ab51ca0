#pragma once
// The selected place and the daylight-saving state every time display shares.
//
// The offset from UTC always comes from the place's row in the city table;
// only whether daylight time applies on a date comes from the zone rules,
// loaded once per displayed year (LoadTimeZoneRules, which needs Qt) and
// applied date by date (ApplyDaylightRule).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/solar/clsSunrise.h"

namespace varnel {

inline constexpr const char* kDefaultCity = "Charlotte, NC";

// Name of the selected place, as stored in the "Location" setting.
extern std::string CurrentCity;
// The shared calculator, created on first use.
clsSunrise& Sun();

// The zone fields, describing the year of the last load.
extern std::string StandardZoneName;
extern std::string DaylightZoneName;
extern int32_t DaylightBias;   // minutes; only zero or not matters
extern int32_t DaylightStart;  // the day before the first day of daylight time
extern int32_t DaylightEnd;    // the first day of standard time after it
// Days d with after < d < before are daylight time.
struct DaylightPeriod {
    int32_t after;
    int32_t before;
};
// Set only when the rules are the place's own: then the daylight days are
// those of DaylightPeriods, which may be several in a year (a summer across
// the new year, or one broken by a pause) and DaylightStart and DaylightEnd
// are the bounds of the first of them.
extern bool DaylightFromPlace;
extern std::vector<DaylightPeriod> DaylightPeriods;

// Whether the daylight rules are the system's (true, the default) or those of
// the selected place's own zone.
extern bool UseSystemDaylight;

// Sets Sun().DaySavings for a date and returns the zone name to show. The
// first day of daylight time counts as daylight, the day of the return to
// standard time as standard.
const std::string& ApplyDaylightRule(int32_t date);

// A yearly transition in the system's form: the n-th weekday of a month.
struct TransitionRule {
    int month = 0;       // 1..12; 0 = no transition
    int weekday = 0;     // 0 = Sunday .. 6 = Saturday
    int occurrence = 0;  // 1..4, or 5 for the last such weekday of the month
};

// A zone's daylight rule as the system describes it for one year.
struct DaylightRule {
    std::string standardName;
    std::string daylightName;
    int32_t daylightBias = 0;     // minutes; 0 for a zone without daylight time
    TransitionRule daylightDate;  // the change to daylight time
    TransitionRule standardDate;  // the change back to standard time
};

// The day of a transition rule in a year; 0 when the rule names no month.
int32_t TransitionDay(int year, const TransitionRule& rule);
// The rule that yields exactly this day in its year (occurrence 5 when it is
// the month's last such weekday).
TransitionRule RuleOfDay(int32_t day);

// Sets the zone fields from the system's rule for a year. A period that spans
// the new year gives no daylight day, as the system's single rule implies.
void SetZoneFields(const DaylightRule& rule, int year);

// What a place's own zone does in one year, from its real transitions. A
// transition's day is its date on the clock in force before it.
struct ZoneYear {
    std::string standardName;
    std::string daylightName;
    int32_t daylightBias = 0;        // minutes; 0 when the year has no daylight time
    bool daylightAtNewYear = false;  // daylight time in force as the year begins
    // The days, in order, on which the clock changes between standard and
    // daylight time; each change flips the state the year began with.
    std::vector<int32_t> changes;
};

// Sets the zone fields from a place's year: every daylight period of it.
void SetZoneFields(const ZoneYear& zone, int year);

// The IANA zone of a built-in place (by table index); empty outside the table.
std::string_view IanaZoneOfCity(int index);

}  // namespace varnel
