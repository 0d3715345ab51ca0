#pragma once
// Places and their daylight rules as values, and the sun of a day at a place.
//
// By default a place keeps its own zone's clock, daylight time included. The
// system's rules are the other choice: the offset then comes from the place's
// row in the city table (or its zone's standard time) and only whether
// daylight time applies on a date comes from the system's yearly rule,
// applied date by date (ApplyDaylightRule).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/Date.h"
#include "core/solar/SunCalculator.h"
#include "core/solar/ZoneClock.h"

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

enum class SunAlgorithm { Classic, Precise };

// What the user chose: a place of the built-in table by its name, or any
// place on Earth by its coordinates and zone; whose daylight rules apply;
// and how the sun is computed.
struct PlaceChoice {
    std::string name = kDefaultCity;
    // A place outside the built-in table: where it is and the zone it keeps.
    bool custom = false;
    double latitude = 0;   // degrees, north positive
    double longitude = 0;  // degrees, east positive
    std::string zone;      // IANA zone ("America/New_York")
    bool systemDaylight = false;  // the system's daylight rules rather than the place's own clock
    SunAlgorithm sun = SunAlgorithm::Classic;
    bool operator==(const PlaceChoice&) const = default;
};

// The choice for a name of the built-in table, former spellings included
// (a name that is none of them computes at latitude 0, longitude 0, UTC).
PlaceChoice ChoiceOfCity(std::string_view name);
struct WorldPlace;
// The choice of a place of the world list, named by its full name.
PlaceChoice ChoiceOfWorldPlace(const WorldPlace& place);
// The IANA zone the chosen place keeps ("" for an unknown name: UTC).
std::string ZoneOfChoice(const PlaceChoice& choice);
// Whether a zone is Israel's, under any of its names.
bool IsIsraelZone(std::string_view zone);

// A place as the views use it in one common year.
struct Place {
    std::string name = kDefaultCity;
    int cityIndex = -1;  // its row of the built-in table, or -1
    SunSite site;        // where it is; its standard offset for the system's rules
    std::string zone;
    bool systemDaylight = false;
    SunAlgorithm sun = SunAlgorithm::Classic;
    DaylightYear daylight;  // the system's rules of the year, when they apply
    ZoneClock clock;        // the place's own clock in the year, otherwise
};

// The chosen place in a common year, with the clock it keeps that year.
Place PlaceInYear(const PlaceChoice& choice, int year);

// The sun of one day at one place, on the clock the place keeps that day,
// and the zone name shown beside its times.
struct SunDay {
    std::optional<double> sunrise;  // absent when the sun does not rise that day
    double solarNoon = 0;
    std::optional<double> sunset;   // absent when it does not set
    std::string_view absence{};     // why one is absent ("The sun does not set")
    bool daylight = false;
    std::string_view zoneName{};
};
SunDay SunOn(Date date, const Place& place);
// The sun a number of degrees below the horizon at a place, on its clock.
SunDepression SunBelowHorizon(Date date, const Place& place, double degrees, bool morning);

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

// The system's own rule for a year, read from its zone.
DaylightRule SystemDaylightRule(int year);
// The system's rules of a common year as the days they make daylight time.
DaylightYear LoadTimeZoneRules(int year);

// The IANA zone of a built-in place (by table index); empty outside the table.
std::string_view IanaZoneOfCity(int index);

}  // namespace varnel
