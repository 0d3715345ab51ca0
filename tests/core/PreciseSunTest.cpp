// The precise sun against an independent calculation, NOAA's solar
// calculator (Meeus' sun of lower precision, iterated to the event, written
// here from its published formulas), and the places where the sun does not
// set or rise.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <tuple>
#include <vector>
#include <numbers>
#include <optional>

#include "core/common/Json.h"
#include "core/solar/Location.h"
#include "core/solar/PreciseSun.h"

namespace varnel {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

struct NoaaSun {
    double declination;     // degrees
    double equationOfTime;  // minutes
};

NoaaSun NoaaSunAt(double julianDay) {
    const double t = (julianDay - 2451545.0) / 36525.0;
    const double l0 = std::fmod(280.46646 + t * (36000.76983 + t * 0.0003032), 360.0);
    const double m = 357.52911 + t * (35999.05029 - 0.0001537 * t);
    const double e = 0.016708634 - t * (0.000042037 + 0.0000001267 * t);
    const double c = std::sin(m * kDeg) * (1.914602 - t * (0.004817 + 0.000014 * t)) +
                     std::sin(2 * m * kDeg) * (0.019993 - 0.000101 * t) + std::sin(3 * m * kDeg) * 0.000289;
    const double omega = 125.04 - 1934.136 * t;
    const double lambda = l0 + c - 0.00569 - 0.00478 * std::sin(omega * kDeg);
    const double eps0 = 23.0 + (26.0 + (21.448 - t * (46.815 + t * (0.00059 - t * 0.001813))) / 60.0) / 60.0;
    const double eps = eps0 + 0.00256 * std::cos(omega * kDeg);
    const double y = std::pow(std::tan(eps * kDeg / 2), 2);
    const double eot = 4.0 / kDeg *
                       (y * std::sin(2 * l0 * kDeg) - 2 * e * std::sin(m * kDeg) +
                        4 * e * y * std::sin(m * kDeg) * std::cos(2 * l0 * kDeg) - 0.5 * y * y * std::sin(4 * l0 * kDeg) -
                        1.25 * e * e * std::sin(2 * m * kDeg));
    return {std::asin(std::sin(eps * kDeg) * std::sin(lambda * kDeg)) / kDeg, eot};
}

// The altitude of NOAA's sun (degrees) at a time in minutes after 00:00 UTC of a date.
double NoaaAltitude(Date date, double latitude, double longitudeEast, double minutes) {
    const NoaaSun sun = NoaaSunAt(date.Serial() + 2415018.5 + minutes / 1440.0);
    const double hourAngle = (minutes + sun.equationOfTime + 4.0 * longitudeEast) / 4.0 - 180.0;
    return std::asin(std::sin(latitude * kDeg) * std::sin(sun.declination * kDeg) +
                     std::cos(latitude * kDeg) * std::cos(sun.declination * kDeg) * std::cos(hourAngle * kDeg)) / kDeg;
}

// Sunrise (+1) or sunset (-1) of a date in minutes after 00:00 UTC, the sun
// taken again at each estimate until it settles; none when it does not cross.
std::optional<double> NoaaEvent(Date date, double latitude, double longitudeEast, int rising) {
    const double julianDay0 = date.Serial() + 2415018.5;
    double minutes = 720.0 - 4.0 * longitudeEast - rising * 360.0;
    for (int pass = 0; pass < 6; ++pass) {
        const NoaaSun sun = NoaaSunAt(julianDay0 + minutes / 1440.0);
        const double x = std::cos(90.833 * kDeg) / (std::cos(latitude * kDeg) * std::cos(sun.declination * kDeg)) -
                         std::tan(latitude * kDeg) * std::tan(sun.declination * kDeg);
        if (x <= -1 || x >= 1) {
            return std::nullopt;
        }
        minutes = 720.0 - 4.0 * (longitudeEast + rising * std::acos(x) / kDeg) - sun.equationOfTime;
    }
    return minutes;
}

TEST(PreciseSun, WithinAMinuteOfNoaaUpTo66Degrees) {
    int compared = 0, grazing = 0;
    double worst = 0, worstOff = 0;
    // Day by day, every place: the places share the day's ephemeris.
    for (Date d = Date(2026, 1, 3); d.Year() <= 2027; d += 5)
        for (double latitude = -66; latitude <= 66; latitude += 6)
            for (double longitudeEast : {-170.0, -77.0, 0.0, 35.2, 151.2}) {
                const SunEventsUtc ours = PreciseSunEventsOn(d, SunSite{latitude, -longitudeEast, 0, false});
                for (const int rising : {+1, -1}) {
                    const std::optional<double>& mine = rising > 0 ? ours.sunrise : ours.sunset;
                    const std::optional<double> noaa = NoaaEvent(d, latitude, longitudeEast, rising);
                    SCOPED_TRACE(std::to_string(latitude) + " " + std::to_string(longitudeEast) + " " + IsoDate(d));
                    // Where the sun dips under the line for a few minutes around
                    // midnight, NOAA's method (the sun taken at a first estimate
                    // hours away) finds no crossing; there NOAA's sun must be
                    // on the line at our time.
                    if (mine && !noaa) {
                        const double off = std::fabs(NoaaAltitude(d, latitude, longitudeEast, *mine) + 0.833);
                        EXPECT_LT(off, 0.002) << rising << " at " << *mine;
                        worstOff = std::max(worstOff, off);
                        ++grazing;
                        continue;
                    }
                    ASSERT_EQ(mine.has_value(), noaa.has_value()) << rising;
                    if (!mine) continue;
                    EXPECT_NEAR(*mine, *noaa, 1.0);
                    worst = std::max(worst, std::fabs(*mine - *noaa));
                    ++compared;
                }
            }
    EXPECT_GT(compared, 10000);
    EXPECT_LE(grazing, 10);
    std::printf("%d sunrises and sunsets compared, worst %.2f minutes; %d grazing, where NOAA's sun is %.4f degrees "
                "off the line at most\n", compared, worst, grazing, worstOff);
}

// Every latitude and longitude, both suns: numbers or an absent time with
// its reason, which agrees with where the sun is at noon; nothing invented.
TEST(PreciseSun, EveryPlaceOnEarthGivesTimesOrSaysWhy) {
    int absent = 0;
    for (Date d : {Date(1, 1, 1), Date(2027, 3, 20), Date(2027, 6, 21), Date(2027, 9, 23), Date(2027, 12, 21),
                   Date(2027, 5, 1), Date(2027, 11, 1), Date(9999, 12, 31)})
        for (double latitude = -90; latitude <= 90; latitude += 2.5)
            for (double longitudeEast = -180; longitudeEast <= 180; longitudeEast += 45) {
                const SunSite site{latitude, -longitudeEast, 0, false};
                SCOPED_TRACE(std::to_string(latitude) + " " + std::to_string(longitudeEast) + " " + IsoDate(d));
                for (const SunEventsUtc& e : {PreciseSunEventsOn(d, site), SunEventsOn(d, site)}) {
                    ASSERT_TRUE(std::isfinite(e.solarNoon));
                    ASSERT_LT(std::fabs(e.solarNoon - (720 - 4 * longitudeEast)), 20);
                    if (e.sunrise && e.sunset) {
                        EXPECT_TRUE(e.absence.empty());
                        EXPECT_LT(*e.sunrise, e.solarNoon);
                        EXPECT_LT(e.solarNoon, *e.sunset);
                        continue;
                    }
                    ++absent;
                    // A day with neither: the sun is up at noon exactly when it does not set.
                    const bool up = NoaaAltitude(d, latitude, longitudeEast, e.solarNoon) > -0.833;
                    if (!e.sunrise && !e.sunset && std::fabs(NoaaAltitude(d, latitude, longitudeEast, e.solarNoon) + 0.833) > 0.05)
                        EXPECT_EQ(e.absence, up ? kSunDoesNotSet : kSunDoesNotRise);
                    else EXPECT_EQ(e.absence, e.sunset ? kSunDoesNotRise : kSunDoesNotSet);
                }
            }
    EXPECT_GT(absent, 200);
    // Nothing for what is not a place or a day of the calendar.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const SunSite& bad : {SunSite{nan, 0, 0, false}, SunSite{45, nan, 0, false}}) {
        const SunEventsUtc e = PreciseSunEventsOn(Date(2027, 6, 1), bad);
        EXPECT_FALSE(e.sunrise || e.sunset);
    }
    EXPECT_FALSE(PreciseSunEventsOn(kLastDate + 1, SunSite{}).sunset);
    EXPECT_EQ(PreciseSunBelowHorizonUtc(Date(2027, 6, 1), SunSite{45, 0, 0, false}, nan, true).reach, SunReach::StaysBelow);
}

// The far north and south on their own clocks: Tromsø's midnight sun and
// polar night, Longyearbyen's summer without night, Fairbanks' short
// December day, the poles.
TEST(PreciseSun, TheFarNorthAndSouth) {
    std::vector<Place> places;  // a day's zone name is its place's
    places.reserve(16);
    const auto day = [&](double latitude, double longitude, const char* zone, Date date) {
        PlaceChoice choice;
        choice.custom = true;
        choice.latitude = latitude;
        choice.longitude = longitude;
        choice.zone = zone;
        choice.sun = SunAlgorithm::Precise;
        const Place& place = places.emplace_back(PlaceInYear(choice, date.Year()));
        return std::pair{SunOn(date, place), SunBelowHorizon(date, place, 16.1, true)};
    };
    const auto [tromsoJune, tromsoDawn] = day(69.6496, 18.956, "Europe/Oslo", Date(2026, 6, 21));
    EXPECT_FALSE(tromsoJune.sunrise || tromsoJune.sunset);
    EXPECT_EQ(tromsoJune.absence, "The sun does not set");
    EXPECT_EQ(tromsoDawn.reach, SunReach::StaysAbove);
    const auto [tromsoDecember, tromsoNight] = day(69.6496, 18.956, "Europe/Oslo", Date(2026, 12, 21));
    EXPECT_FALSE(tromsoDecember.sunrise || tromsoDecember.sunset);
    EXPECT_EQ(tromsoDecember.absence, "The sun does not rise");
    // Even at midwinter noon the sun comes within 16.1 degrees of the horizon there.
    EXPECT_EQ(tromsoNight.reach, SunReach::Crosses);
    // Tromsø's first sunset after the midnight sun, on the 25th of July, comes
    // after midnight on its clock; that day the sun had not risen, being up.
    const auto [tromsoJuly, unused] = day(69.6496, 18.956, "Europe/Oslo", Date(2026, 7, 25));
    ASSERT_TRUE(tromsoJuly.sunset && !tromsoJuly.sunrise);
    EXPECT_EQ(tromsoJuly.absence, "The sun does not rise");
    EXPECT_NEAR(*tromsoJuly.sunset - Date(2026, 7, 26).Serial(), 0.6 / 24, 0.3 / 24);
    const auto [longyearbyen, longyearbyenDawn] = day(78.2232, 15.6267, "Arctic/Longyearbyen", Date(2026, 8, 1));
    EXPECT_EQ(longyearbyen.absence, "The sun does not set");
    const auto [fairbanks, fairbanksDawn] = day(64.8378, -147.7164, "America/Anchorage", Date(2026, 12, 21));
    ASSERT_TRUE(fairbanks.sunrise && fairbanks.sunset);
    // Under four hours of sun, around 1 PM on Alaska's clock.
    EXPECT_NEAR((*fairbanks.sunset - *fairbanks.sunrise) * 24, 3.7, 0.2);
    EXPECT_NEAR(fairbanks.solarNoon - Date(2026, 12, 21).Serial(), 12.9 / 24, 0.1 / 24);
    EXPECT_EQ(fairbanks.zoneName, "Alaska Standard Time");
    for (const auto& [latitude, month, why] : {std::tuple{90.0, 6, "The sun does not set"}, {90.0, 12, "The sun does not rise"},
                                               {-90.0, 6, "The sun does not rise"}, {-90.0, 12, "The sun does not set"}}) {
        const auto [pole, poleDawn] = day(latitude, 0, "UTC", Date(2026, month, 21));
        EXPECT_FALSE(pole.sunrise || pole.sunset) << latitude << " " << month;
        EXPECT_EQ(pole.absence, why) << latitude << " " << month;
        EXPECT_NE(poleDawn.reach, SunReach::Crosses);
    }
}

}  // namespace
}  // namespace varnel
