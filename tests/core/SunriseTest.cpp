#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/common/Date.h"
#include "core/solar/Location.h"
#include "core/solar/SunCalculator.h"

namespace varnel {
namespace {

constexpr double kMinute = 1.0 / 1440.0;

void ExpectSame(const SunTimes& a, const SunTimes& b) {
    EXPECT_EQ(a.sunrise, b.sunrise);
    EXPECT_DOUBLE_EQ(a.solarNoon, b.solarNoon);
    EXPECT_EQ(a.sunset, b.sunset);
}

void ExpectPlace(const SunSite& site, double latitude, double longitude, double zone) {
    EXPECT_DOUBLE_EQ(site.latitude, latitude);
    EXPECT_DOUBLE_EQ(site.longitude, longitude);
    EXPECT_DOUBLE_EQ(site.timeZone, zone);
    EXPECT_FALSE(site.daylightSaving);
}

SunSite WithLatitude(SunSite site, double latitude) {
    site.latitude = latitude;
    return site;
}

TEST(SunriseCities, TableNamesAndBounds) {
    EXPECT_EQ(kCityCount, 51);
    EXPECT_EQ(CityName(0), "Albuquerque, NM");
    EXPECT_EQ(CityName(5), "Charlotte, NC");
    // Settings saved with the names the table once had still find their rows.
    EXPECT_EQ(CityName(FindCity("Honolulu, HA")), "Honolulu, HI");
    EXPECT_EQ(CityName(FindCity(" minneapolis, nmonth ")), "Minneapolis, MN");
    EXPECT_EQ(CityName(FindCity("San Fransisco, CA")), "San Francisco, CA");
    EXPECT_EQ(ChoiceOfCity("San Fransisco, CA").name, "San Francisco, CA");
    EXPECT_EQ(ChoiceOfCity("Caracas, Venezula").name, "Caracas, Venezuela");
    EXPECT_EQ(CityName(35), "Caracas, Venezuela");
    EXPECT_EQ(CityName(50), "Zurich, Switzerland");
    for (int outside : {51, -1, std::numeric_limits<int>::min()}) EXPECT_EQ(CityName(outside), "(Error)");
    for (int i = 0; i < kCityCount; ++i) EXPECT_EQ(FindCity(CityName(i)), i) << i;
}

TEST(SunriseCities, SelectingByNameIgnoresCaseAndSurroundingBlanks) {
    ExpectPlace(CitySite(FindCity("  charlotte, nc \t")), 35.13, 80.8, 5);
    ExpectPlace(CitySite(FindCity("JERUSALEM, ISRAEL")), 31.46, -35.14, -2);
    // The city part alone, inner blanks changed, or nothing at all match no row.
    for (const char* name : {"Charlotte", "Charlotte,NC", "Charlotte,  NC", "", "   "})
        ExpectPlace(CitySite(FindCity(name)), 0, 0, 0);
}

TEST(SunriseCities, NewDelhiKeepsItsHalfHour) {
    SunSite delhi = CitySite(FindCity("New Delhi, India"));
    EXPECT_DOUBLE_EQ(delhi.timeZone, -5.5);
    const SunTimes india = SunOn(Date(2027, 6, 1), delhi);
    delhi.timeZone = -6;
    const SunTimes wholeHour = SunOn(Date(2027, 6, 1), delhi);
    EXPECT_NEAR(*wholeHour.sunrise - *india.sunrise, 30 * kMinute, 1e-9);
}

TEST(SunriseCalculation, LatitudeIsClampedNearThePolesOnly) {
    const SunSite charlotte = CitySite(5);
    // Near the equinox the hour angle at 89.8 degrees is not zero, so the clamp shows.
    const Date day(2027, 9, 25);
    const SunTimes clamped = SunOn(day, WithLatitude(charlotte, 89.8));
    ASSERT_GT(std::fabs(*clamped.sunset - *clamped.sunrise), 10 * kMinute);
    for (double latitude : {89.9, 90.0}) ExpectSame(SunOn(day, WithLatitude(charlotte, latitude)), clamped);
    const SunTimes south = SunOn(Date(2027, 3, 18), WithLatitude(charlotte, -89.8));
    for (double latitude : {-90.0, -89.95})
        ExpectSame(SunOn(Date(2027, 3, 18), WithLatitude(charlotte, latitude)), south);
    // Outside -90..90 nothing is clamped: 90.5 computes differently from 89.8
    // on some day of the year.
    bool differs = false;
    for (Date d(2027, 1, 1); d <= Date(2027, 12, 31) && !differs; ++d) {
        const SunTimes a = SunOn(d, WithLatitude(charlotte, 89.8));
        const SunTimes b = SunOn(d, WithLatitude(charlotte, 90.5));
        differs = a.sunrise != b.sunrise || a.sunset != b.sunset;
    }
    EXPECT_TRUE(differs);
}

TEST(SunriseCalculation, TimesFarFromTheZoneMeridianMoveToTheNeighbouringDate) {
    const Date day(2027, 6, 21);
    SunSite beijing = CitySite(FindCity("Beijing, China"));
    beijing.timeZone = 0;  // Beijing's sunrise is the evening before in UTC
    const SunTimes east = SunOn(day, beijing);
    EXPECT_EQ(std::floor(*east.sunrise), (day - 1).Serial());
    EXPECT_EQ(std::floor(east.solarNoon), day.Serial());
    SunSite honolulu = CitySite(FindCity("Honolulu, HI"));
    honolulu.timeZone = 0;  // and Honolulu's sunset the next morning
    EXPECT_EQ(std::floor(*SunOn(day, honolulu).sunset), (day + 1).Serial());
}

TEST(SunriseCalculation, BadValuesNeverThrowOrYieldNonNumbers) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const auto finite = [](const SunTimes& t) {
        return std::isfinite(t.sunrise.value_or(0)) && std::isfinite(t.solarNoon) && std::isfinite(t.sunset.value_or(0));
    };
    for (double latitude : {nan, inf, -inf, 1e300, 270.0, -1000.0})
        EXPECT_TRUE(finite(SunOn(Date(2027, 6, 1), WithLatitude(CitySite(5), latitude)))) << latitude;
    for (double longitude : {nan, inf})
        EXPECT_TRUE(finite(SunOn(Date(2027, 6, 1), SunSite{35.13, longitude, nan, false})));
    // A day the calendar cannot hold computes nothing.
    for (Date day : {kFirstDate - 1, kLastDate + 1, Date::FromSerial(INT32_MIN), Date::FromSerial(INT32_MAX)}) {
        const SunTimes t = SunOn(day, CitySite(5));
        EXPECT_FALSE(t.sunrise);
        EXPECT_FALSE(t.sunset);
    }
    // The ends of the calendar still compute.
    const SunTimes first = SunOn(kFirstDate, CitySite(5));
    const SunTimes last = SunOn(kLastDate, CitySite(5));
    EXPECT_LT(*first.sunrise, *first.sunset);
    EXPECT_LT(*last.sunrise, *last.sunset);
}

}  // namespace
}  // namespace varnel
