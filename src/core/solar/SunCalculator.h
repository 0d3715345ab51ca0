#pragma once
// The solar calculator: local clock times of sunrise, solar noon and sunset
// for one site and one day, as a pure function, and the built-in table of 51
// places.
#include <optional>
#include <string_view>

#include "core/common/Date.h"

namespace varnel {

struct CityEntry {
    std::string_view name;
    double longitude;  // degrees, positive west
    double latitude;   // degrees, positive north
    double timeZone;   // standard-time hours behind UTC (positive west)
};

inline constexpr int kCityCount = 51;
inline constexpr std::string_view kBadCityName = "(Error)";

// The row at an index, or nullptr outside the table.
const CityEntry* CityAt(int index);
// The row's name, or "(Error)" for an index outside the table.
std::string_view CityName(int index);
// Index of the first row whose trimmed name matches, ignoring case and blanks
// around it (names saved under a former spelling included); -1 if none.
int FindCity(std::string_view name);

// Where the sun is seen from and which clock tells its times.
struct SunSite {
    double latitude = 0;   // degrees, positive north
    double longitude = 0;  // degrees, positive west
    double timeZone = 0;   // standard-time hours behind UTC (positive west)
    bool daylightSaving = false;
};
// A row of the table as a site on standard time; 0/0/0 outside the table.
SunSite CitySite(int index);

// Why a day has no sunrise or no sunset. A polar day has neither and "does
// not set"; a polar night has neither and "does not rise"; a day at their
// edges may lack one of the two.
inline constexpr std::string_view kSunDoesNotSet = "The sun does not set";
inline constexpr std::string_view kSunDoesNotRise = "The sun does not rise";
// The reason for the missing times, from which are there and whether the sun
// is up at its highest; empty when both are there.
std::string_view SunAbsence(bool rises, bool sets, bool upAtNoon);

// Local clock date-times (the date's serial plus the fraction of the day).
// A time far from the zone's meridian may fall on the day before or after.
// A sunrise or sunset that does not happen is absent, never replaced.
struct SunTimes {
    std::optional<double> sunrise;
    double solarNoon = 0;
    std::optional<double> sunset;
    std::string_view absence;  // why a time is missing (kSunDoesNotSet, kSunDoesNotRise)
};
// The sun's events of one day in minutes after 00:00 UTC of the date.
struct SunEventsUtc {
    std::optional<double> sunrise;
    double solarNoon = 0;
    std::optional<double> sunset;
    std::string_view absence;
};
SunEventsUtc SunEventsOn(Date date, const SunSite& site);
// A time of the date given in UTC minutes, on a clock of a standard offset
// (hours behind UTC) and a daylight offset (minutes).
double LocalDateTime(Date date, double utcMinutes, double standardHoursWest, double daylightMinutes);

// The sun of one day by the classic approximation; nothing for a date
// outside years 1..9999. Bad coordinates never throw and never yield a
// non-number.
SunTimes SunOn(Date date, const SunSite& site);

// When the sun's centre is a number of degrees below the horizon, in the
// morning or the evening: dawn and nightfall by the sun. Near the poles, and
// in summer at high latitudes, it may stay above or below that depth all day.
enum class SunReach { Crosses, StaysAbove, StaysBelow };
struct SunDepthUtc {
    double minutes = 0;  // after 00:00 UTC of the date
    SunReach reach = SunReach::StaysBelow;
};
SunDepthUtc SunBelowHorizonUtc(Date date, const SunSite& site, double degrees, bool morning);
// The same as a local date-time on the site's clock.
struct SunDepression {
    double dateTime = 0;
    SunReach reach = SunReach::StaysBelow;
};
SunDepression SunBelowHorizon(Date date, const SunSite& site, double degrees, bool morning);

// The current local date and time as a date serial with a fraction.
double NowDateTime();

}  // namespace varnel
