#pragma once
// Places and their daylight rules as values, and the sun of a day at a place.
//
// The offset from UTC always comes from the place's row in the city table;
// only whether daylight time applies on a date comes from the zone rules of
// the year, read from the zone database (which needs Qt) once per year and
// applied date by date (ApplyDaylightRule).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/Date.h"
#include "core/solar/SunCalculator.h"

namespace varnel {

inline constexpr const char* kDefaultCity = "Charlotte, NC";

// Days d with after < d < before are daylight time.
struct DaylightPeriod {
    Date after;
    Date before;
};

// The daylight rules of one common year, the system's or a place's own, as
// the days on which daylight time applies and the names of the two times.
struct DaylightYear {
    int year = 0;
    std::string standardName;
    std::string daylightName;
    int bias = 0;  // minutes; only zero or not matters
    // The system's single rule gives at most one period; a place's own zone
    // may give several (a summer across the new year, or one broken by a pause).
    std::vector<DaylightPeriod> periods;
};

// Whether a date is daylight time under a year's rules, and the zone name to
// show. The first day of daylight time counts as daylight, the day of the
// return to standard time as standard.
struct DaylightDecision {
    bool daylight = false;
    const std::string* zoneName = nullptr;
};
DaylightDecision ApplyDaylightRule(const DaylightYear& rules, Date date);

// A place as the views use it in one common year: its name as chosen, its row
// of the built-in table (-1 when the name is none of them: latitude, longitude
// and zone 0), and that year's daylight rules.
struct Place {
    std::string name = kDefaultCity;
    int cityIndex = -1;
    bool systemDaylight = true;  // the system's rules rather than the place's own zone
    DaylightYear daylight;
};

// A place of the given name (its row looked up) with no daylight rules yet.
Place PlaceNamed(std::string_view name, bool systemDaylight = true);

// The sun of one day at one place, on the clock the place keeps that day,
// and the zone name shown beside its times.
struct SunDay {
    double sunrise = 0;
    double solarNoon = 0;
    double sunset = 0;
    bool rises = false;
    bool daylight = false;
    std::string_view zoneName;
};
SunDay SunOn(Date date, const Place& place);

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
    int daylightBias = 0;         // minutes; 0 for a zone without daylight time
    TransitionRule daylightDate;  // the change to daylight time
    TransitionRule standardDate;  // the change back to standard time
};

// The day of a transition rule in a year; none when the rule names no month.
std::optional<Date> TransitionDay(int year, const TransitionRule& rule);
// The rule that yields exactly this day in its year (occurrence 5 when it is
// the month's last such weekday).
TransitionRule RuleOfDay(Date day);

// The rules of a year from the system's rule. A period that spans the new
// year gives no daylight day, as the system's single rule implies.
DaylightYear DaylightYearOf(const DaylightRule& rule, int year);

// What a place's own zone does in one year, from its real transitions. A
// transition's day is its date on the clock in force before it.
struct ZoneYear {
    std::string standardName;
    std::string daylightName;
    int daylightBias = 0;            // minutes; 0 when the year has no daylight time
    bool daylightAtNewYear = false;  // daylight time in force as the year begins
    // The days, in order, on which the clock changes between standard and
    // daylight time; each change flips the state the year began with.
    std::vector<Date> changes;
};

// The rules of a year from a place's own zone: every daylight period of it.
DaylightYear DaylightYearOf(const ZoneYear& zone, int year);

// The IANA zone of a built-in place (by table index); empty outside the table.
std::string_view IanaZoneOfCity(int index);

}  // namespace varnel
