#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/common/Date.h"
#include "core/solar/Location.h"

namespace varnel {
namespace {

constexpr TransitionRule kSecondSundayOfMarch{3, 0, 2};
constexpr TransitionRule kFirstSundayOfNovember{11, 0, 1};
constexpr TransitionRule kLastSundayOfMarch{3, 0, 5};
constexpr TransitionRule kLastSundayOfOctober{10, 0, 5};

DaylightRule UnitedStatesRule() {
    DaylightRule rule;
    rule.standardName = "Eastern Standard Time";
    rule.daylightName = "Eastern Daylight Time";
    rule.daylightBias = -60;
    rule.daylightDate = kSecondSundayOfMarch;
    rule.standardDate = kFirstSundayOfNovember;
    return rule;
}

// The rules the checks below apply, as the year last loaded.
DaylightYear rules;

bool IsDaylight(Date date) {
    const DaylightDecision decision = ApplyDaylightRule(rules, date);
    EXPECT_EQ(decision.zoneName, decision.daylight ? &rules.daylightName : &rules.standardName);
    return decision.daylight;
}

int CountDaylightDays(int year) {
    int count = 0;
    for (Date d = Date(year, 1, 1); d <= Date(year, 12, 31); ++d) count += IsDaylight(d);
    return count;
}

// The change days are the formulas' below; the day of the change to daylight
// time counts as daylight, the day back as standard (14 March to 6 November 2027).
TEST(DaylightRule, UnitedStatesYear2027) {
    rules = DaylightYearOf(UnitedStatesRule(), 2027);
    EXPECT_FALSE(IsDaylight(Date(2027, 3, 13)));
    EXPECT_FALSE(IsDaylight(Date(2027, 11, 7)));
    EXPECT_EQ(*ApplyDaylightRule(rules, Date(2027, 7, 4)).zoneName, "Eastern Daylight Time");
    EXPECT_EQ(*ApplyDaylightRule(rules, Date(2027, 12, 25)).zoneName, "Eastern Standard Time");
    EXPECT_EQ(CountDaylightDays(2027), 238);
}

TEST(DaylightRule, TransitionDaysAgainstPublishedFormulas) {
    // The published closed forms for 1900-2099 (integer division): European
    // summer time from the last Sunday of March, 31 - (5y/4 + 4) mod 7, to
    // that of October, 31 - (5y/4 + 1) mod 7; United States daylight time
    // since 2007 from March 14 - (5y/4 + 1) mod 7 to November 7 - (5y/4 + 1) mod 7.
    for (int y = 1900; y <= 2099; ++y) {
        EXPECT_EQ(TransitionDay(y, kLastSundayOfMarch), Date(y, 3, 31 - (5 * y / 4 + 4) % 7)) << y;
        EXPECT_EQ(TransitionDay(y, kLastSundayOfOctober), Date(y, 10, 31 - (5 * y / 4 + 1) % 7)) << y;
        EXPECT_EQ(TransitionDay(y, kSecondSundayOfMarch), Date(y, 3, 14 - (5 * y / 4 + 1) % 7)) << y;
        EXPECT_EQ(TransitionDay(y, kFirstSundayOfNovember), Date(y, 11, 7 - (5 * y / 4 + 1) % 7)) << y;
    }
}

TEST(DaylightRule, RulesNamingNoDayGiveNone) {
    EXPECT_EQ(TransitionDay(2027, {0, 0, 1}), std::nullopt);
    EXPECT_EQ(TransitionDay(2027, {13, 0, 1}), std::nullopt);
    EXPECT_EQ(TransitionDay(2027, {3, 7, 1}), std::nullopt);
    EXPECT_EQ(TransitionDay(2027, {3, -1, 1}), std::nullopt);
    EXPECT_EQ(TransitionDay(2027, {3, 0, 0}), std::nullopt);
    EXPECT_EQ(TransitionDay(2027, {3, 0, 6}), std::nullopt);
    EXPECT_EQ(TransitionDay(0, kLastSundayOfMarch), std::nullopt);
    EXPECT_EQ(TransitionDay(10000, kLastSundayOfMarch), std::nullopt);
    EXPECT_NE(TransitionDay(9999, kLastSundayOfOctober), std::nullopt);
    // A zone whose rule lacks either change has no daylight day.
    DaylightRule rule = UnitedStatesRule();
    rule.standardDate = {};
    rules = DaylightYearOf(rule, 2027);
    EXPECT_EQ(CountDaylightDays(2027), 0);
    EXPECT_EQ(CountDaylightDays(1900), 0);
}

TEST(DaylightRule, RuleOfEveryDayRebuildsThatDay) {
    for (int year : {2024, 2027}) {
        std::set<int> occurrences;
        for (Date d = Date(year, 1, 1); d <= Date(year, 12, 31); ++d) {
            const TransitionRule rule = RuleOfDay(d);
            ASSERT_EQ(TransitionDay(year, rule), d);
            occurrences.insert(rule.occurrence);
        }
        EXPECT_EQ(occurrences, (std::set<int>{1, 2, 3, 4, 5}));
    }
}

// Each place's zone is checked against the time-zone database with the place settings.
TEST(DaylightRule, OnlyPlacesOfTheTableHaveAZone) {
    EXPECT_TRUE(IanaZoneOfCity(-1).empty());
    EXPECT_TRUE(IanaZoneOfCity(kCityCount).empty());
    EXPECT_EQ(IanaZoneOfCity(37), "Asia/Jerusalem");
}

}  // namespace
}  // namespace varnel
