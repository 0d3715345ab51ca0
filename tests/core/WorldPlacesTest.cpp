// The world list read from libgeonames, its search, and the places it gives.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "core/common/DateFormat.h"
#include "core/solar/Location.h"
#include "core/solar/WorldPlaces.h"
#include "core/solar/ZoneClock.h"

namespace varnel {
namespace {

const WorldPlaces& World() {
    const WorldPlaces& world = WorldPlaces::Shared();
    EXPECT_EQ(world.LoadError(), "");
    return world;
}

TEST(WorldPlaces, TheWholeListWithZonesTheDatabaseKnows) {
    const WorldPlaces& world = World();
    ASSERT_GT(world.Size(), 20000u);
    std::set<std::string_view> zones;
    for (size_t i = 0; i < world.Size(); ++i) {
        const WorldPlace& p = world.At(i);
        ASSERT_FALSE(p.name.empty());
        ASSERT_LE(std::abs(p.latitude), 90.0) << p.name;
        ASSERT_LE(std::abs(p.longitude), 180.0) << p.name;
        zones.insert(p.zone);
    }
    for (std::string_view zone : zones) EXPECT_TRUE(IsKnownZone(zone)) << zone;
}

TEST(WorldPlaces, SearchAsAUserTypes) {
    const WorldPlaces& world = World();
    const auto first = [&](std::string_view text) {
        const auto found = world.Search(text, 1);
        return found.empty() ? std::string() : FullName(*found.front());
    };
    // The most populous place whose name the text begins comes first.
    EXPECT_EQ(first("Balt"), "Baltimore, Maryland, United States of America");
    EXPECT_EQ(first("  BALTIMORE "), "Baltimore, Maryland, United States of America");
    EXPECT_EQ(first("tromso"), "Tromsø, Troms og Finnmark, Norway");  // marks ignored
    EXPECT_EQ(first("Tromsø"), "Tromsø, Troms og Finnmark, Norway");
    EXPECT_EQ(first("Portland, Maine"), "Portland, State of Maine, United States of America");
    EXPECT_EQ(first("Portland, State of M"), "Portland, State of Maine, United States of America");
    EXPECT_EQ(first("toronto, canada"), "Toronto, Ontario, Canada");
    EXPECT_EQ(first("Xyzzy"), "");
    EXPECT_TRUE(world.Search("").empty());
    EXPECT_TRUE(world.Search(" , ").empty());
    EXPECT_EQ(world.Search("S", 50).size(), 50u);
    // A whole name: several Portlands, one Baltimore.
    EXPECT_GE(world.Named("Portland").size(), 2u);
    EXPECT_EQ(world.Named("Baltimore").size(), 1u);
    EXPECT_TRUE(world.Named("Baltimor").empty());
}

TEST(WorldPlaces, AChosenPlaceKeepsItsZonesClock) {
    const auto found = World().Named("Melbourne, Victoria");
    ASSERT_EQ(found.size(), 1u);
    const PlaceChoice melbourne = ChoiceOfWorldPlace(*found.front());
    EXPECT_TRUE(melbourne.custom);
    EXPECT_EQ(melbourne.zone, "Australia/Melbourne");
    const Place place = PlaceInYear(melbourne, 2026);
    const SunDay summer = SunOn(Date(2026, 1, 15), place);
    EXPECT_TRUE(summer.daylight);
    EXPECT_EQ(summer.zoneName, "Australian Eastern Daylight Time");
    // Melbourne's midsummer sunset falls after 8:30 PM on its daylight clock.
    EXPECT_GT(*summer.sunset - std::floor(*summer.sunset), (20.5 / 24));
}

TEST(WorldPlaces, FoldingKeepsWhatItCannotFold) {
    EXPECT_EQ(FoldForSearch("ÀÉÎõüÇñßØ"), "aeioucnso");
    EXPECT_EQ(FoldForSearch("Tel Aviv"), "tel aviv");
    EXPECT_EQ(FoldForSearch("Москва"), "Москва");  // outside Latin: kept as it is
    EXPECT_EQ(FoldForSearch("\xC3"), "\xC3");       // a cut sequence is kept, not read past
}

}  // namespace
}  // namespace varnel
