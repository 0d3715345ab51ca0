#include "core/solar/Location.h"

#include <array>

#include "core/common/Date.h"

namespace varnel {

DaylightDecision ApplyDaylightRule(const DaylightYear& rules, Date date) {
    bool inPeriod = false;
    for (const DaylightPeriod& p : rules.periods) inPeriod = inPeriod || (date > p.after && date < p.before);
    const bool daylight = inPeriod && rules.bias != 0;
    return {daylight, daylight ? &rules.daylightName : &rules.standardName};
}

Place PlaceNamed(std::string_view name, bool systemDaylight) {
    Place place;
    place.cityIndex = FindCity(name);
    // A name found under a former spelling shows as the table spells it now.
    place.name = place.cityIndex >= 0 ? std::string(CityAt(place.cityIndex)->name) : std::string(name);
    place.systemDaylight = systemDaylight;
    return place;
}

SunDay SunOn(Date date, const Place& place) {
    SunSite site = CitySite(place.cityIndex);
    const DaylightDecision decision = ApplyDaylightRule(place.daylight, date);
    site.daylightSaving = decision.daylight;
    const SunTimes sun = SunOn(date, site);
    return {sun.sunrise, sun.solarNoon, sun.sunset, sun.rises, decision.daylight, *decision.zoneName};
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

DaylightYear DaylightYearOf(const ZoneYear& zone, int year) {
    DaylightYear rules{year, zone.standardName, zone.daylightName, zone.daylightBias, {}};
    // A period in force at either end of the year runs on past it.
    Date start = Date(year, 1, 1) - 1;
    bool daylight = zone.daylightAtNewYear;
    for (const Date day : zone.changes) {
        if (daylight) rules.periods.push_back({start, day});
        else start = day - 1;  // the first day of daylight time counts as daylight
        daylight = !daylight;
    }
    if (daylight) rules.periods.push_back({start, Date(year + 1, 1, 1)});
    return rules;
}

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
