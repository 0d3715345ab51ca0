// The calculator against an almanac-grade reference: libnova's rise and set
// search over the VSOP87 sun. libnova 0.16 gives the sun's longitude on the
// J2000 ecliptic but treats it as the equinox of date, which puts its own
// solar rise and set about 1.5 minutes late in the 2020s; the reference here
// refers the longitude to the equinox of date (general precession) and adds
// nutation and aberration before the search.
#include <gtest/gtest.h>
#include <libnova/libnova.h>

#include <algorithm>
#include <cmath>
#include <cctype>
#include <numbers>
#include <string>

#include "core/common/Date.h"
#include "core/solar/SunCalculator.h"

namespace varnel {
namespace {

constexpr double kJulianDayOfSerialZero = 2415018.5;  // 30 December 1899, 0h
constexpr double kSunHorizon = -0.8333;               // refraction and semi-diameter

void ApparentSunOfDate(double julianDay, ln_equ_posn* position) {
    ln_helio_posn geometric;
    ln_get_solar_geom_coords(julianDay, &geometric);
    ln_nutation nutation;
    ln_get_nutation(julianDay, &nutation);
    const double t = (julianDay - 2451545.0) / 36525.0;
    const double precessionArcsec = 5029.0966 * t + 1.11113 * t * t;
    const double aberrationArcsec = -20.4898 / geometric.R;
    ln_lnlat_posn ecliptic;
    ecliptic.lng = geometric.L + (precessionArcsec + aberrationArcsec) / 3600.0 + nutation.longitude;
    ecliptic.lat = geometric.B;
    ln_get_equ_from_ecl(&ecliptic, julianDay, position);
}

// The reference event nearest to a local time of ours (a search starting
// half a day before it finds the next event after the start).
struct Reference {
    bool crossesHorizon;
    double rise, set, transit;  // Julian days, UT
};

Reference ReferenceNear(double utcJulianDay, double latitude, double longitudeWest) {
    ln_lnlat_posn observer{-longitudeWest, latitude};
    ln_rst_time rst{};
    const int status = ln_get_body_rst_horizon(utcJulianDay - 0.5, &observer, ApparentSunOfDate, kSunHorizon, &rst);
    return {status == 0, rst.rise, rst.set, rst.transit};
}

double UtcJulianDay(const SunSite& site, double localTime) {
    return localTime + site.timeZone / 24.0 - (site.daylightSaving ? 1.0 / 24.0 : 0.0) + kJulianDayOfSerialZero;
}

TEST(SunriseAccuracy, ReferenceMatchesAWorkedExample) {
    // The apparent sun of 13 October 1992, 0h TD, worked to full precision:
    // right ascension 198.378178, declination -7.783871 degrees.
    ln_equ_posn sun;
    ApparentSunOfDate(2448908.5, &sun);
    EXPECT_NEAR(sun.ra, 198.378178, 0.001);
    EXPECT_NEAR(sun.dec, -7.783871, 0.001);
}

// Two minutes wherever the approximation can hold it. Its error is that of
// the equation of time (under a minute, the same everywhere) plus that of
// the declination, which moves the horizon crossing by a multiple of the
// tangent of the latitude. Measured over this leap cycle on the 1st and 15th
// of every month: 1.9 minutes at 35 degrees, 2.7 at Seattle, 3.1 at Berlin,
// 4.1 at Helsinki and 4.3 at Anchorage (61 degrees).
double AllowedMinutes(double latitude) {
    return std::max(2.0, 0.8 + 2.0 * std::tan(std::fabs(latitude) * std::numbers::pi / 180.0));
}

// One test per place, so that a failure names it.
class SunriseAccuracyAt : public ::testing::TestWithParam<int> {};

TEST_P(SunriseAccuracyAt, TwiceAMonthAgainstTheReference) {
    const SunSite site = CitySite(GetParam());
    const double allowed = AllowedMinutes(site.latitude);
    double largest = 0, total = 0;
    int count = 0;
    for (int year = 2026; year <= 2029; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day : {1, 15}) {
                const SunTimes sun = SunOn(Date(year, month, day), site);
                const double rise = UtcJulianDay(site, sun.sunrise);
                const double set = UtcJulianDay(site, sun.sunset);
                const double noon = UtcJulianDay(site, sun.solarNoon);
                const Reference atRise = ReferenceNear(rise, site.latitude, site.longitude);
                const Reference atSet = ReferenceNear(set, site.latitude, site.longitude);
                const Reference atNoon = ReferenceNear(noon, site.latitude, site.longitude);
                ASSERT_TRUE(sun.rises && atRise.crossesHorizon && atSet.crossesHorizon);
                const double riseError = std::fabs(rise - atRise.rise) * 1440.0;
                const double setError = std::fabs(set - atSet.set) * 1440.0;
                SCOPED_TRACE(std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day));
                EXPECT_LE(riseError, allowed);
                EXPECT_LE(setError, allowed);
                EXPECT_LE(std::fabs(noon - atNoon.transit) * 1440.0, 1.0);
                largest = std::max({largest, riseError, setError});
                total += riseError + setError;
                count += 2;
            }
        }
    }
    // No systematic offset hides under the bound: the errors fall on both sides of the reference.
    EXPECT_LT(total / count, allowed / 2);
    RecordProperty("largest_rise_set_minutes", std::to_string(largest));
}

INSTANTIATE_TEST_SUITE_P(EveryPlace, SunriseAccuracyAt, ::testing::Range(0, kCityCount),
                         [](const auto& info) {
                             std::string name(CityName(info.param));
                             std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(
                                 static_cast<unsigned char>(c)); }, '_');
                             return name;
                         });

TEST(SunriseAccuracy, PolarDayAndNightFallBackToSolarNoon) {
    for (double latitude : {75.0, 80.0, 89.9, -75.0, -85.0}) {
        for (int month : {6, 12}) {
            SunSite site = CitySite(FindCity("London, England"));
            site.latitude = latitude;
            const Date day(2027, month, 21);
            const SunTimes sun = SunOn(day, site);
            // The reference agrees that the sun stays above or below the horizon.
            EXPECT_FALSE(ReferenceNear(UtcJulianDay(site, sun.solarNoon), latitude, site.longitude).crossesHorizon)
                << latitude << " " << month;
            EXPECT_FALSE(sun.rises) << latitude << " " << month;
            EXPECT_NEAR(sun.sunrise, sun.solarNoon, 2.0 / 1440.0) << latitude << " " << month;
            EXPECT_NEAR(sun.sunset, sun.solarNoon, 2.0 / 1440.0) << latitude << " " << month;
            EXPECT_NEAR(sun.solarNoon, day.Serial() + 0.5, 20.0 / 1440.0);
        }
    }
}

}  // namespace
}  // namespace varnel
