// A place's own clock and the system's rules, both read from the zone
// database through the C library, and the place settings as stored texts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/common/DateFormat.h"
#include "core/common/Json.h"
#include "core/solar/Location.h"
#include "core/solar/PlaceSettings.h"
#include "core/solar/ZoneClock.h"
#include "EnvSetting.h"

namespace varnel {
namespace {

using testing::SystemZone;

PlaceChoice Choice(std::string_view city, bool systemDaylight = false) {
    PlaceChoice choice = ChoiceOfCity(city);
    choice.systemDaylight = systemDaylight;
    return choice;
}

// The sun of a day; its zone name lives as long as the place, kept till the next call.
SunDay Sun(const PlaceChoice& choice, Date date) {
    static Place place;
    place = PlaceInYear(choice, date.Year());
    return SunOn(date, place);
}

TEST(PlaceClock, TheWorkedExampleWhateverTheSystemZone) {
    // Charlotte's sunset on 4 July 2026 is 8:40 PM Eastern Daylight Time, on
    // any computer; the system's rules give it only when the system is Eastern.
    for (const char* tz : {"UTC", "Asia/Tokyo", "America/New_York"}) {
        const SystemZone zone(tz);
        const SunDay sun = Sun(Choice("Charlotte, NC"), Date(2026, 7, 4));
        EXPECT_EQ(ClockText(*sun.sunset), "8:40 PM") << tz;
        EXPECT_EQ(sun.zoneName, "Eastern Daylight Time") << tz;
        EXPECT_TRUE(sun.daylight);
    }
    const SystemZone utc("UTC");
    const SunDay system = Sun(Choice("Charlotte, NC", true), Date(2026, 7, 4));
    EXPECT_EQ(ClockText(*system.sunset), "7:40 PM");
    EXPECT_FALSE(system.daylight);
}

TEST(PlaceClock, EachPlaceFollowsItsOwnRule) {
    const struct {
        const char* city;
        std::vector<std::pair<Date, bool>> days;  // a day and whether it keeps daylight time
    } cases[] = {
        // Sydney's summer runs across the new year: standard time from 4 April to 3 October 2027.
        {"Sydney, Australia",
         {{Date(2027, 1, 15), true}, {Date(2027, 4, 3), true}, {Date(2027, 4, 4), false},
          {Date(2027, 7, 1), false}, {Date(2027, 10, 2), false}, {Date(2027, 10, 3), true}}},
        // Israel: from the Friday before the last Sunday of March to the last Sunday of October.
        {"  jerusalem, israel ",
         {{Date(2027, 3, 25), false}, {Date(2027, 3, 26), true}, {Date(2027, 10, 30), true},
          {Date(2027, 10, 31), false}}},
        // Egypt's summer of 2014 was broken by a pause: 15 May to 26 June, 31 July to 25 September.
        {"Cairo, Egypt",
         {{Date(2014, 5, 1), false}, {Date(2014, 6, 15), true}, {Date(2014, 7, 15), false},
          {Date(2014, 8, 15), true}, {Date(2014, 10, 15), false}, {Date(2015, 7, 15), false}}},
        {"Phoenix, AZ", {{Date(2027, 7, 1), false}}},
        {"Atlantis", {{Date(2027, 7, 1), false}}},
        // The zone's rule runs on past the database's last listed change.
        {"New York City, NY", {{Date(2100, 7, 1), true}, {Date(9999, 7, 1), true}, {Date(9999, 12, 1), false}}},
    };
    for (const char* tz : {"UTC", "America/New_York"}) {
        const SystemZone zone(tz);
        for (const auto& c : cases)
            for (const auto& [date, daylight] : c.days)
                EXPECT_EQ(Sun(Choice(c.city), date).daylight, daylight) << c.city << " " << IsoDate(date) << " " << tz;
    }
}

TEST(PlaceClock, EveryBuiltInZoneKeepsTheTablesStandardOffset) {
    for (int i = 0; i < kCityCount; ++i) {
        const ZoneClock clock = ZoneClock::ForYear(IanaZoneOfCity(i), 2027);
        ASSERT_TRUE(clock.Valid()) << IanaZoneOfCity(i);
        for (const Date d : {Date(2027, 1, 15), Date(2027, 7, 15)})
            EXPECT_EQ(clock.StandardOffsetAt(UtcSecondsOfSerial(d.Serial())), -CityAt(i)->timeZone * 3600)
                << CityAt(i)->name;
    }
}

TEST(PlaceClock, NamesAndTheClockAroundAChange) {
    // New York springs forward at 2:00 on 8 March 2026 (07:00 UTC).
    const ZoneClock clock = ZoneClock::ForYear("America/New_York", 2026);
    const int64_t change = UtcSecondsOfSerial(Date(2026, 3, 8).Serial() + 7.0 / 24);
    EXPECT_EQ(clock.At(change - 1).offsetSeconds, -5 * 3600);
    EXPECT_EQ(clock.At(change).offsetSeconds, -4 * 3600);
    EXPECT_EQ(clock.At(change).name, "Eastern Daylight Time");
    EXPECT_EQ(clock.StandardOffsetAt(change), -5 * 3600);
    // Before standard time the zone's first standard time is carried back.
    EXPECT_EQ(ZoneClock::ForYear("America/New_York", 1800).At(UtcSecondsOfSerial(Date(1800, 7, 1).Serial())).name,
              "Eastern Standard Time");
    // Ireland marks its winter as the exception; summer is still its daylight time.
    EXPECT_TRUE(Sun([] {
        PlaceChoice dublin;
        dublin.custom = true;
        dublin.latitude = 53.35;
        dublin.longitude = -6.26;
        dublin.zone = "Europe/Dublin";
        return dublin;
    }(), Date(2026, 7, 1)).daylight);
    EXPECT_EQ(ZoneSpanName("Asia/Dubai", {0, 4 * 3600, false, "+04", ""}), "Gulf Standard Time");
    EXPECT_EQ(ZoneSpanName("Nowhere/Town", {0, 4 * 3600, false, "+04", ""}), "UTC+04");
}

TEST(PlaceClock, OnlyZonesOfTheDatabaseAreKnown) {
    EXPECT_TRUE(IsKnownZone("Europe/Oslo"));
    EXPECT_TRUE(IsKnownZone("Arctic/Longyearbyen"));
    for (const char* bad : {"", "Mars/Base", "../../etc/passwd", "/etc/localtime", "EST5EDT,M3.2.0,M11.1.0", "Europe"})
        EXPECT_FALSE(IsKnownZone(bad)) << bad;
    EXPECT_FALSE(ZoneClock::ForYear("Mars/Base", 2026).Valid());
    // An unknown zone computes on UTC.
    PlaceChoice lost;
    lost.custom = true;
    lost.zone = "Mars/Base";
    EXPECT_EQ(Sun(lost, Date(2026, 7, 1)).zoneName, "UTC");
}

TEST(SystemRules, NewYorkGivesTheUnitedStatesRule) {
    const SystemZone zone("America/New_York");
    DaylightYear rules = LoadTimeZoneRules(2027);
    ASSERT_EQ(rules.periods.size(), 1u);
    EXPECT_EQ(rules.periods[0].after, Date(2027, 3, 13));
    EXPECT_EQ(rules.periods[0].before, Date(2027, 11, 7));
    EXPECT_EQ(rules.bias, -60);
    EXPECT_EQ(rules.standardName, "Eastern Standard Time");
    EXPECT_EQ(rules.daylightName, "Eastern Daylight Time");
    rules = LoadTimeZoneRules(2026);
    EXPECT_EQ(rules.periods.at(0).after, Date(2026, 3, 7));
    EXPECT_EQ(rules.periods.at(0).before, Date(2026, 11, 1));
    EXPECT_EQ(LoadTimeZoneRules(9999).periods.at(0).after, Date(9999, 3, 13));  // the rule runs on
    EXPECT_EQ(LoadTimeZoneRules(1850).bias, 0);  // before daylight time existed
    EXPECT_STREQ(std::getenv("TZ"), "America/New_York");  // a reading puts TZ back
}

TEST(SystemRules, ZonesWithoutDaylightOrAcrossTheNewYear) {
    for (const char* tz : {"UTC", "Asia/Tokyo"}) {
        const SystemZone zone(tz);
        EXPECT_EQ(LoadTimeZoneRules(2027).bias, 0) << tz;
    }
    // A summer across the new year gives the system's single rule no daylight day.
    const SystemZone sydney("Australia/Sydney");
    const DaylightYear rules = LoadTimeZoneRules(2027);
    EXPECT_EQ(rules.periods.at(0).after, Date(2027, 10, 2));
    EXPECT_EQ(rules.periods.at(0).before, Date(2027, 4, 4));
    EXPECT_FALSE(ApplyDaylightRule(rules, Date(2027, 1, 15)).daylight);
    // A rule rather than a zone name: the C library applies it from 1970 on.
    const SystemZone posix("CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(LoadTimeZoneRules(1).bias, 0);
    for (int year : {1970, 2027, 9999}) {
        const DaylightYear y = LoadTimeZoneRules(year);
        ASSERT_EQ(y.periods.size(), 1u) << year;
        EXPECT_EQ(y.daylightName, "CEST");
        EXPECT_EQ(y.periods[0].after, *TransitionDay(year, {3, 0, 5}) - 1) << year;
    }
}

TEST(PlaceSettingTexts, OldAndNewSettingsRead) {
    PlaceSettingTexts texts;
    texts.location = "Caracas, Venezula";  // stored by earlier versions
    texts.daylightRules = "";
    EXPECT_EQ(ChoiceOfSettings(texts).name, "Caracas, Venezuela");
    EXPECT_FALSE(ChoiceOfSettings(texts).systemDaylight);
    texts.daylightRules = "system";
    texts.sunAlgorithm = "precise";
    EXPECT_TRUE(ChoiceOfSettings(texts).systemDaylight);
    EXPECT_EQ(ChoiceOfSettings(texts).sun, SunAlgorithm::Precise);
    texts.sunAlgorithm = "fast";
    EXPECT_EQ(ChoiceOfSettings(texts).sun, SunAlgorithm::Classic);

    PlaceChoice baltimore;
    baltimore.name = "Baltimore, Maryland, United States";
    baltimore.custom = true;
    baltimore.latitude = 39.29038;
    baltimore.longitude = -76.61219;
    baltimore.zone = "America/New_York";
    EXPECT_EQ(ChoiceOfSettings(SettingsOfChoice(baltimore)), baltimore);
    PlaceSettingTexts stored = SettingsOfChoice(baltimore);
    EXPECT_EQ(stored.longitude, "-76.61219");
    // Coordinates that do not read, or an unknown zone, leave a name of its own at 0/0/UTC.
    for (auto broken : {std::pair{"91", "America/New_York"}, std::pair{"39.3x", "America/New_York"},
                        std::pair{"39.3", "Mars/Base"}}) {
        stored.latitude = broken.first;
        stored.zone = broken.second;
        EXPECT_FALSE(ChoiceOfSettings(stored).custom) << broken.first << broken.second;
    }
    // A built-in name is its row, whatever coordinates are stored beside it.
    stored = SettingsOfChoice(baltimore);
    stored.location = "Jerusalem, Israel";
    EXPECT_FALSE(ChoiceOfSettings(stored).custom);
    EXPECT_TRUE(IsIsraelZone(ZoneOfChoice(ChoiceOfSettings(stored))));
    EXPECT_FALSE(IsIsraelZone(ZoneOfChoice(baltimore)));
    EXPECT_EQ(SettingsOfChoice(ChoiceOfSettings(stored)).longitude, "35.14");
}

}  // namespace
}  // namespace varnel
