#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/common/DateSerial.h"
#include "core/solar/Location.h"
#include "core/solar/SunCalculator.h"

namespace varnel {
namespace {

constexpr double kMinute = 1.0 / 1440.0;

struct SunTimes {
    double rise, noon, set;
};

SunTimes Compute(SunCalculator& sun, double dateDay) {
    sun.SetDateDay(dateDay);
    sun.CalculateSun();
    return {sun.Sunrise(), sun.SolarNoon(), sun.Sunset()};
}

void ExpectSame(const SunTimes& a, const SunTimes& b) {
    EXPECT_DOUBLE_EQ(a.rise, b.rise);
    EXPECT_DOUBLE_EQ(a.noon, b.noon);
    EXPECT_DOUBLE_EQ(a.set, b.set);
}

void ExpectPlace(const SunCalculator& sun, double latitude, double longitude, double zone) {
    EXPECT_DOUBLE_EQ(sun.Latitude(), latitude);
    EXPECT_DOUBLE_EQ(sun.Longitude(), longitude);
    EXPECT_DOUBLE_EQ(sun.TimeZone(), zone);
    EXPECT_FALSE(sun.DaySavings());
}

TEST(SunriseCities, TableNamesAndBounds) {
    SunCalculator sun;
    EXPECT_EQ(sun.CityCount(), 51);
    EXPECT_EQ(sun.CityName(0), "Albuquerque, NM");
    EXPECT_EQ(sun.CityName(5), "Charlotte, NC");
    EXPECT_EQ(sun.CityName(10), "Honolulu, HI");
    EXPECT_EQ(sun.CityName(15), "Minneapolis, MN");
    EXPECT_EQ(sun.CityName(23), "San Francisco, CA");
    // Settings saved with the names the table once had still find their rows.
    EXPECT_EQ(SunCalculator::FindCity("Honolulu, HA"), 10);
    EXPECT_EQ(SunCalculator::FindCity(" minneapolis, nmonth "), 15);
    EXPECT_EQ(SunCalculator::FindCity("San Fransisco, CA"), 23);
    EXPECT_EQ(PlaceNamed("San Fransisco, CA", true).name, "San Francisco, CA");
    EXPECT_EQ(sun.CityName(35), "Caracas, Venezula");
    EXPECT_EQ(sun.CityName(50), "Zurich, Switzerland");
    EXPECT_EQ(sun.CityName(51), "(Error)");
    EXPECT_EQ(sun.CityName(-1), "(Error)");
    EXPECT_EQ(sun.CityName(std::numeric_limits<int>::min()), "(Error)");
    for (int i = 0; i < sun.CityCount(); ++i) EXPECT_EQ(SunCalculator::FindCity(sun.CityName(i)), i) << i;
}

TEST(SunriseCities, SelectingByNameIgnoresCaseAndSurroundingBlanks) {
    SunCalculator sun;
    sun.SetCity("  charlotte, nc \t");
    ExpectPlace(sun, 35.13, 80.8, 5);
    sun.SetCity("JERUSALEM, ISRAEL");
    ExpectPlace(sun, 31.46, -35.14, -2);
    // The city part alone, inner blanks changed, or nothing at all match no row.
    for (const char* name : {"Charlotte", "Charlotte,NC", "Charlotte,  NC", "", "   "}) {
        sun.SetCity("Sydney, Australia");
        sun.SetCity(name);
        ExpectPlace(sun, 0, 0, 0);
    }
}

TEST(SunriseCities, NewDelhiKeepsItsHalfHour) {
    SunCalculator sun;
    sun.SetCity("New Delhi, India");
    EXPECT_DOUBLE_EQ(sun.TimeZone(), -5.5);
    const SunTimes india = Compute(sun, DateSerial(2027, 6, 1));
    sun.SetTimeZone(-6);
    const SunTimes wholeHour = Compute(sun, DateSerial(2027, 6, 1));
    EXPECT_NEAR(wholeHour.rise - india.rise, 30 * kMinute, 1e-9);
}

TEST(SunriseCalculation, LatitudeIsClampedNearThePolesOnly) {
    SunCalculator sun;
    sun.SetCity(5);
    // Near the equinox the hour angle at 89.8 degrees is not zero, so the clamp shows.
    const double day = DateSerial(2027, 9, 25);
    sun.SetLatitude(89.8);
    const SunTimes clamped = Compute(sun, day);
    ASSERT_GT(std::fabs(clamped.set - clamped.rise), 10 * kMinute);
    for (double latitude : {89.9, 90.0}) {
        sun.SetLatitude(latitude);
        ExpectSame(Compute(sun, day), clamped);
        EXPECT_DOUBLE_EQ(sun.Latitude(), latitude);  // the field itself is kept
    }
    sun.SetLatitude(-89.8);
    const SunTimes south = Compute(sun, DateSerial(2027, 3, 18));
    for (double latitude : {-90.0, -89.95}) {
        sun.SetLatitude(latitude);
        ExpectSame(Compute(sun, DateSerial(2027, 3, 18)), south);
    }
    // Outside -90..90 nothing is clamped: 90.5 computes differently from 89.8
    // on some day of the year.
    bool differs = false;
    for (int32_t d = DateSerial(2027, 1, 1); d <= DateSerial(2027, 12, 31) && !differs; ++d) {
        sun.SetLatitude(89.8);
        const SunTimes a = Compute(sun, d);
        sun.SetLatitude(90.5);
        const SunTimes b = Compute(sun, d);
        differs = a.rise != b.rise || a.set != b.set;
    }
    EXPECT_TRUE(differs);
}

TEST(SunriseCalculation, TimesFarFromTheZoneMeridianMoveToTheNeighbouringDate) {
    SunCalculator sun;
    sun.SetCity("Beijing, China");
    const int32_t day = DateSerial(2027, 6, 21);
    sun.SetTimeZone(0);  // Beijing's sunrise is the evening before in UTC
    Compute(sun, day);
    EXPECT_EQ(static_cast<int32_t>(std::floor(sun.Sunrise())), day - 1);
    EXPECT_EQ(static_cast<int32_t>(std::floor(sun.SolarNoon())), day);
    sun.SetCity("Honolulu, HI");
    sun.SetTimeZone(0);  // and Honolulu's sunset the next morning
    Compute(sun, day);
    EXPECT_EQ(static_cast<int32_t>(std::floor(sun.Sunset())), day + 1);
}

TEST(SunriseCalculation, ResultsStayInOrderAndOnTheirDay) {
    SunCalculator sun;
    for (int city = 0; city < sun.CityCount(); ++city) {
        sun.SetCity(city);
        for (int32_t d = DateSerial(2027, 1, 1); d <= DateSerial(2027, 12, 31); d += 7) {
            const SunTimes t = Compute(sun, d);
            ASSERT_LT(t.rise, t.noon) << sun.CityName(city) << " " << d;
            ASSERT_LT(t.noon, t.set) << sun.CityName(city) << " " << d;
            // Every place's own zone keeps its solar noon within 90 minutes of 12:00.
            ASSERT_NEAR(t.noon - d, 0.5, 90 * kMinute) << sun.CityName(city);
        }
    }
}

TEST(SunriseCalculation, BadValuesNeverThrowOrYieldNonNumbers) {
    SunCalculator sun;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double latitude : {nan, inf, -inf, 1e300, 270.0, -1000.0}) {
        sun.SetCity(5);
        sun.SetLatitude(latitude);
        const SunTimes t = Compute(sun, DateSerial(2027, 6, 1));
        EXPECT_TRUE(std::isfinite(t.rise) && std::isfinite(t.noon) && std::isfinite(t.set)) << latitude;
    }
    for (double longitude : {nan, inf}) {
        sun.SetCity(5);
        sun.SetLongitude(longitude);
        sun.SetTimeZone(nan);
        const SunTimes t = Compute(sun, DateSerial(2027, 6, 1));
        EXPECT_TRUE(std::isfinite(t.rise) && std::isfinite(t.noon) && std::isfinite(t.set));
    }
    // A day the calendar cannot hold computes nothing.
    sun.SetCity(5);
    for (double day : {nan, inf, -1e12, 1e12}) {
        const SunTimes t = Compute(sun, day);
        EXPECT_EQ(t.rise, 0.0);
        EXPECT_EQ(t.set, 0.0);
    }
    // The ends of the calendar still compute.
    const SunTimes first = Compute(sun, kMinSerial);
    const SunTimes last = Compute(sun, kMaxSerial + 0.5);
    EXPECT_LT(first.rise, first.set);
    EXPECT_LT(last.rise, last.set);
}

}  // namespace
}  // namespace varnel
