#include "core/solar/Location.h"

#include <array>
#include <cmath>

#include "core/common/Date.h"
#include "core/solar/PreciseSun.h"
#include "core/solar/WorldPlaces.h"

namespace varnel {

DaylightDecision ApplyDaylightRule(const DaylightYear& rules, Date date) {
    bool inPeriod = false;
    for (const DaylightPeriod& p : rules.periods) inPeriod = inPeriod || (date > p.after && date < p.before);
    const bool daylight = inPeriod && rules.bias != 0;
    return {daylight, daylight ? &rules.daylightName : &rules.standardName};
}

PlaceChoice ChoiceOfCity(std::string_view name) {
    PlaceChoice choice;
    const int index = FindCity(name);
    // A name found under a former spelling shows as the table spells it now.
    choice.name = index >= 0 ? std::string(CityAt(index)->name) : std::string(name);
    return choice;
}

PlaceChoice ChoiceOfWorldPlace(const WorldPlace& place) {
    PlaceChoice choice;
    choice.name = FullName(place);
    choice.custom = true;
    choice.latitude = place.latitude;
    choice.longitude = place.longitude;
    choice.zone = std::string(place.zone);
    return choice;
}

std::string ZoneOfChoice(const PlaceChoice& choice) {
    if (choice.custom) return choice.zone;
    return std::string(IanaZoneOfCity(FindCity(choice.name)));
}

bool IsIsraelZone(std::string_view zone) {
    return zone == "Asia/Jerusalem" || zone == "Asia/Tel_Aviv" || zone == "Israel";
}

Place PlaceInYear(const PlaceChoice& choice, int year) {
    Place place;
    place.name = choice.name;
    place.systemDaylight = choice.systemDaylight;
    place.sun = choice.sun;
    place.zone = ZoneOfChoice(choice);
    // An unknown zone keeps UTC, as an unknown name always has.
    place.clock = ZoneClock::ForYear(IsKnownZone(place.zone) ? place.zone : "UTC", year);
    if (choice.custom) {
        place.site = {choice.latitude, -choice.longitude, 0, false};
        // The system's rules add daylight time to the zone's standard time.
        const int64_t midYear = UtcSecondsOfSerial(Date(year, 7, 1).Serial());
        place.site.timeZone = -place.clock.StandardOffsetAt(midYear) / 3600.0;
    } else {
        place.cityIndex = FindCity(choice.name);
        place.site = CitySite(place.cityIndex);
    }
    if (place.systemDaylight) place.daylight = LoadTimeZoneRules(year);
    return place;
}

namespace {

// A time of the date given in UTC minutes on the place's own clock: on the
// offset in force at its instant.
double OnPlaceClock(Date date, const Place& place, double utcMinutes) {
    const ZoneSpan& span = place.clock.At(UtcSecondsOfSerial(date.Serial() + utcMinutes / 1440.0));
    const int standard = place.clock.StandardOffsetAt(span.startUtc);
    return LocalDateTime(date, utcMinutes, -standard / 3600.0, (span.offsetSeconds - standard) / 60.0);
}

// The clock a place keeps on a date: its own zone's, or its standard offset
// with the system's daylight rules; and the name of that clock's time.
struct DayClock {
    const Place& place;
    Date date;
    DaylightDecision decision;
    DayClock(const Place& p, Date d) : place(p), date(d) {
        if (place.systemDaylight) {
            decision = ApplyDaylightRule(place.daylight, date);
        } else {
            // The day is named by the place's clock at its noon.
            const ZoneSpan& noon = place.clock.At(UtcSecondsOfSerial(date.Serial() + 0.5 + place.site.longitude / 360.0));
            decision = {noon.daylight, &noon.name};
        }
    }
    double Local(double utcMinutes) const {
        if (place.systemDaylight)
            return LocalDateTime(date, utcMinutes, place.site.timeZone, decision.daylight ? 60.0 : 0.0);
        return OnPlaceClock(date, place, utcMinutes);
    }
};

}  // namespace

SunDay SunOn(Date date, const Place& place) {
    const SunEventsUtc utc =
        place.sun == SunAlgorithm::Precise ? PreciseSunEventsOn(date, place.site) : SunEventsOn(date, place.site);
    const DayClock clock(place, date);
    SunDay day;
    if (utc.sunrise) day.sunrise = clock.Local(*utc.sunrise);
    day.solarNoon = clock.Local(utc.solarNoon);
    if (utc.sunset) day.sunset = clock.Local(*utc.sunset);
    day.absence = utc.absence;
    day.daylight = clock.decision.daylight;
    if (clock.decision.zoneName) day.zoneName = *clock.decision.zoneName;
    return day;
}

SunDepression SunBelowHorizon(Date date, const Place& place, double degrees, bool morning) {
    const SunDepthUtc utc = place.sun == SunAlgorithm::Precise
                                ? PreciseSunBelowHorizonUtc(date, place.site, degrees, morning)
                                : SunBelowHorizonUtc(date, place.site, degrees, morning);
    if (utc.reach != SunReach::Crosses) return {0.0, utc.reach};
    return {DayClock(place, date).Local(utc.minutes), SunReach::Crosses};
}

std::optional<Date> TransitionDay(int year, const TransitionRule& rule) {
    if (year < kMinYear || year > kMaxYear || rule.month < 1 || rule.month > 12 || rule.weekday < 0 ||
        rule.weekday > 6 || rule.occurrence < 1 || rule.occurrence > 5)
        return std::nullopt;
    const Date first(year, rule.month, 1);
    const int firstWeekday = first.Weekday() - 1;
    int day = 1 + (rule.weekday - firstWeekday + 7) % 7 + 7 * (rule.occurrence - 1);
    // Occurrence 5 means the last such weekday, which may be the fourth.
    const int length = DaysInMonth(year, rule.month);
    while (day > length) day -= 7;
    return first + day - 1;
}

TransitionRule RuleOfDay(Date day) {
    const YearMonthDay ymd = day.Parts();
    TransitionRule rule;
    rule.month = ymd.month;
    rule.weekday = day.Weekday() - 1;
    rule.occurrence = ymd.day + 7 > DaysInMonth(ymd.year, ymd.month) ? 5 : (ymd.day - 1) / 7 + 1;
    return rule;
}

DaylightYear DaylightYearOf(const DaylightRule& rule, int year) {
    DaylightYear rules{year, rule.standardName, rule.daylightName, rule.daylightBias, {}};
    const std::optional<Date> start = TransitionDay(year, rule.daylightDate);
    const std::optional<Date> end = TransitionDay(year, rule.standardDate);
    // A rule missing either change has no daylight period at all.
    if (start && end) rules.periods.push_back({*start - 1, *end});
    return rules;
}

DaylightRule SystemDaylightRule(int year) {
    DaylightRule rule;
    const ZoneClock clock = ZoneClock::ForYear("", year);
    const std::vector<ZoneSpan>& spans = clock.Spans();
    for (size_t i = 0; i < spans.size(); ++i) {
        const ZoneSpan& s = spans[i];
        (s.daylight ? rule.daylightName : rule.standardName) = s.name;
        if (i == 0 || s.daylight == spans[i - 1].daylight) continue;
        // A change's day is its date on the clock in force before it.
        const double before = static_cast<double>(s.startUtc + spans[i - 1].offsetSeconds) / 86400.0;
        const Date day = Date::FromSerial(static_cast<int32_t>(std::floor(before)) + 25569);
        if (day.Year() != year) continue;
        TransitionRule& slot = s.daylight ? rule.daylightDate : rule.standardDate;
        if (slot.month != 0) continue;
        slot = RuleOfDay(day);
        if (s.daylight) rule.daylightBias = -(s.offsetSeconds - spans[i - 1].offsetSeconds) / 60;
    }
    return rule;
}

DaylightYear LoadTimeZoneRules(int year) { return DaylightYearOf(SystemDaylightRule(year), year); }

std::string_view IanaZoneOfCity(int index) {
    static constexpr std::array<std::string_view, kCityCount> kZones = {
        "America/Denver",                  // Albuquerque
        "America/Anchorage",               // Anchorage
        "America/New_York",                // Atlanta
        "America/New_York",                // Boston
        "America/Denver",                  // Boulder
        "America/New_York",                // Charlotte
        "America/Chicago",                 // Chicago
        "America/Chicago",                 // Dallas
        "America/Denver",                  // Denver
        "America/Detroit",                 // Detroit
        "Pacific/Honolulu",                // Honolulu
        "America/Indiana/Indianapolis",    // Indianapolis
        "America/Chicago",                 // Kansas City
        "America/Los_Angeles",             // Los Angeles
        "America/New_York",                // Miami
        "America/Chicago",                 // Minneapolis
        "America/Chicago",                 // New Orleans
        "America/New_York",                // New York City
        "America/Chicago",                 // Oklahoma City
        "America/Chicago",                 // Pensacola (Florida's western panhandle)
        "America/New_York",                // Philadelphia
        "America/Phoenix",                 // Phoenix
        "America/Chicago",                 // Saint Louis
        "America/Los_Angeles",             // San Francisco
        "America/Los_Angeles",             // San Jose
        "America/New_York",                // Stroudsburg
        "America/Los_Angeles",             // Seattle
        "America/Los_Angeles",             // Spokane
        "America/New_York",                // Washington
        "America/Chicago",                 // Winnsboro
        "Asia/Shanghai",                   // Beijing
        "Europe/Berlin",                   // Berlin
        "America/Argentina/Buenos_Aires",  // Buenos Aires
        "Africa/Cairo",                    // Cairo
        "Africa/Johannesburg",             // Cape Town
        "America/Caracas",                 // Caracas
        "Europe/Helsinki",                 // Helsinki
        "Asia/Jerusalem",                  // Jerusalem
        "Asia/Hong_Kong",                  // Hong Kong
        "Europe/London",                   // London
        "America/Mexico_City",             // Mexico City
        "Europe/Moscow",                   // Moscow
        "Asia/Kolkata",                    // New Delhi
        "America/Toronto",                 // Ottawa
        "Europe/Paris",                    // Paris
        "America/Sao_Paulo",               // Rio de Janeiro
        "Asia/Riyadh",                     // Riyadh
        "Europe/Rome",                     // Rome
        "Australia/Sydney",                // Sydney
        "Asia/Tokyo",                      // Tokyo
        "Europe/Zurich",                   // Zurich
    };
    if (index < 0 || index >= kCityCount) return {};
    return kZones[static_cast<size_t>(index)];
}

}  // namespace varnel
