#include "core/solar/SunCalculator.h"

#include <array>
#include <cmath>
#include <ctime>

#include "core/common/Date.h"
#include "core/common/Profile.h"

namespace varnel {
namespace {

// Coordinates are decimal degrees exactly as the table has always listed them.
// The names are stored in the "Location" setting; the names the table once
// carried garbled still find their rows (kFormerNames). New Delhi is the one
// half-hour zone.
constexpr std::array<CityEntry, kCityCount> kCities = {{
    {"Albuquerque, NM", 106.39, 35.05, 7},
    {"Anchorage, AK", 149.54, 61.13, 9},
    {"Atlanta, GA", 84.23, 33.44, 5},
    {"Boston, MA", 71.03, 42.21, 5},
    {"Boulder, CO", 105.237, 40.125, 7},
    {"Charlotte, NC", 80.8, 35.13, 5},
    {"Chicago, IL", 87.39, 41.51, 6},
    {"Dallas, TX", 96.47, 32.46, 6},
    {"Denver, CO", 104.59, 39.44, 7},
    {"Detroit, MI", 83.03, 42.2, 5},
    {"Honolulu, HI", 157.51, 21.18, 10},
    {"Indianapolis, IN", 86.09, 39.46, 5},
    {"Kansas City, MO", 94.34, 39.05, 6},
    {"Los Angeles, CA", 118.14, 34.03, 8},
    {"Miami, FL", 80.11, 25.46, 5},
    {"Minneapolis, MN", 93.15, 44.58, 6},
    {"New Orleans, LA", 90.04, 29.57, 6},
    {"New York City, NY", 74.01, 40.43, 5},
    {"Oklahoma City, OK", 97.3, 35.28, 6},
    {"Pensacola, FL", 87.3, 30.41, 6},
    {"Philadelphia, PA", 75.09, 39.57, 5},
    {"Phoenix, AZ", 112.04, 33.26, 7},
    {"Saint Louis, MO", 90.11, 38.37, 6},
    {"San Francisco, CA", 122.25, 37.46, 8},
    {"San Jose, CA", 121.86, 37.21, 8},
    {"Stroudsburg, PA", 75.24, 40.98, 5},
    {"Seattle, WA", 122.19, 47.36, 8},
    {"Spokane, WA", 117.53, 47.62, 8},
    {"Washington DC", 77.02, 38.53, 5},
    {"Winnsboro, TX", 95.27, 32.91, 6},
    {"Beijing, China", -116.25, 39.55, -8},
    {"Berlin, Germany", -13.3, 52.33, -1},
    {"Buenos Aires, Argentina", 58.27, -34.36, 3},
    {"Cairo, Egypt", -31.22, 30.06, -2},
    {"Cape Town, South Africa", -18.22, -33.55, -2},
    {"Caracas, Venezuela", 66.56, 10.3, 4},
    {"Helsinki, Finland", -24.58, 60.1, -2},
    {"Jerusalem, Israel", -35.14, 31.46, -2},
    {"Hong Kong, China", -114.1, 22.15, -8},
    {"London, England", 0.1, 51.3, 0},
    {"Mexico City, Mexico", 99.09, 19.24, 6},
    {"Moscow, Russia", -37.35, 55.45, -3},
    {"New Delhi, India", -77.12, 28.36, -5.5},
    {"Ottawa, Canada", 75.42, 45.25, 5},
    {"Paris, France", -2.2, 48.52, -1},
    {"Rio de Janeiro, Brazil", 43.14, -22.54, 3},
    {"Riyadh, Saudi Arabia", -46.43, 24.38, -3},
    {"Rome, Italy", -12.29, 41.54, -1},
    {"Sydney, Australia", -151.13, -33.52, -10},
    {"Tokyo, Japan", -139.46, 35.42, -9},
    {"Zurich, Switzerland", -8.32, 47.23, -1},
}};

// Names saved by earlier versions, with the row each one now has.
struct FormerName {
    std::string_view name;
    int index;
};
constexpr std::array<FormerName, 4> kFormerNames = {{
    {"Caracas, Venezula", 35},
    {"Honolulu, HA", 10},
    {"Minneapolis, nMonth", 15},
    {"San Fransisco, CA", 23},
}};

// The constant the calculation has always used; changing it moves times by
// fractions of a second.
constexpr double kPi = 3.1415926535;
constexpr double kDegrees = 180.0 / kPi;
constexpr double kRadians = kPi / 180.0;
// The zenith of sunrise and sunset: refraction and the sun's radius included.
const double kCosZenith = std::cos(90.833 * kRadians);


char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

// Fractional year, in radians, at hour h of day-of-year n (1 = 1 January).
double FractionalYear(double n, double h) { return 2.0 * kPi / 365.0 * (n - 1.0 + h / 24.0); }

double EquationOfTimeMinutes(double g) {
    return 229.18 * (0.000075 + 0.001868 * std::cos(g) - 0.032077 * std::sin(g) - 0.014615 * std::cos(2 * g) -
                     0.040849 * std::sin(2 * g));
}

double DeclinationRadians(double g) {
    return 0.006918 - 0.399912 * std::cos(g) + 0.070257 * std::sin(g) - 0.006758 * std::cos(2 * g) +
           0.000907 * std::sin(2 * g);
}

// Hour angle of the sun at a zenith distance (the horizon's by default);
// none when the sun stays above or below it all day.
struct HorizonAngle {
    double radians = 0;
    bool crosses = false;
    bool staysAbove = false;  // when it does not cross
};
HorizonAngle HourAngle(double latitudeRadians, double declination, double cosZenith = kCosZenith) {
    const double x = cosZenith / (std::cos(latitudeRadians) * std::cos(declination)) -
                     std::tan(latitudeRadians) * std::tan(declination);
    if (!(x > -1.0 && x < 1.0)) return {0.0, false, !(x > -1.0)};
    return {std::acos(x), true, false};
}

// Minutes after 00:00 UTC of an event with hour angle a (radians) at longitude w (degrees west).
double EventMinutes(double w, double a, double equationOfTime) { return 720.0 + 4.0 * (w - a * kDegrees) - equationOfTime; }

struct HorizonEvent {
    double minutes = 0;
    bool crosses = false;
    bool staysAbove = false;
};

// Two passes: the first estimates the hour of the event, the second recomputes
// the sun's position at that hour. `firstDay` is the day-of-year whose start
// the first pass uses; `sign` is +1 for sunrise and -1 for sunset.
HorizonEvent HorizonEventMinutes(double n, double firstDay, double latitudeRadians, double w, double sign,
                                 double cosZenith = kCosZenith) {
    double g = FractionalYear(firstDay, 0.0);
    double t = EventMinutes(w, sign * HourAngle(latitudeRadians, DeclinationRadians(g), cosZenith).radians,
                            EquationOfTimeMinutes(g));
    g = FractionalYear(n, std::nearbyint(t / 60.0));
    const HorizonAngle angle = HourAngle(latitudeRadians, DeclinationRadians(g), cosZenith);
    t = EventMinutes(w, sign * angle.radians, EquationOfTimeMinutes(g));
    return {std::isfinite(t) ? t : 0.0, angle.crosses, angle.staysAbove};
}

// The horizon formula breaks down at the pole itself.
double ClampedLatitude(double latitude) {
    if (latitude >= -90.0 && latitude < -89.8) return -89.8;
    if (latitude > 89.8 && latitude <= 90.0) return 89.8;
    return latitude;
}

}  // namespace

double NowDateTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
    return Date(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday).Serial() + seconds / 86400.0;
}

const CityEntry* CityAt(int index) {
    if (index < 0 || index >= kCityCount) return nullptr;
    return &kCities[static_cast<size_t>(index)];
}

std::string_view CityName(int index) {
    const CityEntry* row = CityAt(index);
    return row ? row->name : kBadCityName;
}

int FindCity(std::string_view name) {
    const std::string_view wanted = TrimmedView(name);
    for (int i = 0; i < kCityCount; ++i)
        if (EqualsIgnoringCase(TrimmedView(kCities[static_cast<size_t>(i)].name), wanted)) return i;
    for (const FormerName& former : kFormerNames)
        if (EqualsIgnoringCase(former.name, wanted)) return former.index;
    return -1;
}

SunSite CitySite(int index) {
    const CityEntry* row = CityAt(index);
    if (!row) return {};
    return {row->latitude, row->longitude, row->timeZone, false};
}

std::string_view SunAbsence(bool rises, bool sets, bool upAtNoon) {
    if (!sets && (rises || upAtNoon)) return kSunDoesNotSet;
    if (!rises || !sets) return kSunDoesNotRise;
    return {};
}

SunEventsUtc SunEventsOn(Date date, const SunSite& site) {
    if (!date.IsInSupportedRange()) return {};
    const double w = site.longitude;
    const double l = ClampedLatitude(site.latitude) * kRadians;
    const double n = date.DayOfYear();

    const HorizonEvent rise = HorizonEventMinutes(n, n, l, w, +1.0);
    double noon = 720.0 + 4.0 * w - EquationOfTimeMinutes(FractionalYear(n, std::nearbyint(12.0 + w / 15.0)));
    if (!std::isfinite(noon)) noon = 0.0;
    // Sunset's first estimate starts from the next day's beginning.
    const HorizonEvent set = HorizonEventMinutes(n, n + 1.0, l, w, -1.0);
    SunEventsUtc events;
    if (rise.crosses) events.sunrise = rise.minutes;
    events.solarNoon = noon;
    if (set.crosses) events.sunset = set.minutes;
    events.absence = SunAbsence(rise.crosses, set.crosses, set.crosses || set.staysAbove);
    return events;
}

SunDepthUtc SunBelowHorizonUtc(Date date, const SunSite& site, double degrees, bool morning) {
    if (!date.IsInSupportedRange() || !std::isfinite(degrees)) return {};
    const double l = ClampedLatitude(site.latitude) * kRadians;
    const double n = date.DayOfYear();
    const double cosZenith = std::cos((90.0 + degrees) * kRadians);
    const HorizonEvent e = morning ? HorizonEventMinutes(n, n, l, site.longitude, +1.0, cosZenith)
                                   : HorizonEventMinutes(n, n + 1.0, l, site.longitude, -1.0, cosZenith);
    if (!e.crosses) return {0.0, e.staysAbove ? SunReach::StaysAbove : SunReach::StaysBelow};
    return {e.minutes, SunReach::Crosses};
}

SunDepression SunBelowHorizon(Date date, const SunSite& site, double degrees, bool morning) {
    const SunDepthUtc utc = SunBelowHorizonUtc(date, site, degrees, morning);
    if (utc.reach != SunReach::Crosses) return {0.0, utc.reach};
    return {LocalDateTime(date, utc.minutes, site.timeZone, site.daylightSaving ? 60.0 : 0.0), SunReach::Crosses};
}

double LocalDateTime(Date date, double utcMinutes, double standardHoursWest, double daylightMinutes) {
    double m = utcMinutes - 60.0 * standardHoursWest + daylightMinutes;
    if (!std::isfinite(m)) m = 0.0;
    return date.Serial() + m / 1440.0;
}

SunTimes SunOn(Date date, const SunSite& site) {
    if (!date.IsInSupportedRange()) return {};
    const SunEventsUtc utc = SunEventsOn(date, site);
    const double daylightMinutes = site.daylightSaving ? 60.0 : 0.0;
    const auto local = [&](double utcMinutes) { return LocalDateTime(date, utcMinutes, site.timeZone, daylightMinutes); };
    SunTimes times{std::nullopt, local(utc.solarNoon), std::nullopt, utc.absence};
    if (utc.sunrise) times.sunrise = local(*utc.sunrise);
    if (utc.sunset) times.sunset = local(*utc.sunset);
    return times;
}

}  // namespace varnel
