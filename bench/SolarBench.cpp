#include <benchmark/benchmark.h>

#include "core/common/Date.h"
#include "core/solar/Location.h"
#include "core/solar/SunCalculator.h"

namespace varnel {
namespace {

void BM_CalculateSun(benchmark::State& state) {
    const SunSite charlotte = CitySite(FindCity("Charlotte, NC"));
    Date day = Date(2027, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(*SunOn(day, charlotte).sunset);
        if (++day > Date(2027, 12, 31)) day = Date(2027, 1, 1);
    }
}
BENCHMARK(BM_CalculateSun);

// The daylight decision for each day of 2027 in turn, over and over.
void DecideEveryDayOf2027(benchmark::State& state, const DaylightYear& rules) {
    Date day = Date(2027, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ApplyDaylightRule(rules, day).daylight);
        if (++day > Date(2027, 12, 31)) day = Date(2027, 1, 1);
    }
}

void BM_ApplyDaylightRule(benchmark::State& state) {
    DaylightRule rule;
    rule.standardName = "Eastern Standard Time";
    rule.daylightName = "Eastern Daylight Time";
    rule.daylightBias = -60;
    rule.daylightDate = {3, 0, 2};
    rule.standardDate = {11, 0, 1};
    DecideEveryDayOf2027(state, DaylightYearOf(rule, 2027));
}
BENCHMARK(BM_ApplyDaylightRule);

// Reading a place's clock for a year from the zone database.
void BM_ZoneClockOfAYear(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ZoneClock::ForYear("Australia/Sydney", 2027).Spans().size());
}
BENCHMARK(BM_ZoneClockOfAYear);

// What the month view does for each day: the sun of the date at the place,
// on the place's own clock; by the classic (0) or the precise sun (1).
void BM_DayOfTheMonthView(benchmark::State& state) {
    PlaceChoice zurich = ChoiceOfCity("Zurich, Switzerland");
    zurich.sun = state.range(0) ? SunAlgorithm::Precise : SunAlgorithm::Classic;
    const Place place = PlaceInYear(zurich, 2027);
    Date day = Date(2027, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(*SunOn(day, place).sunrise);
        if (++day > Date(2027, 12, 31)) day = Date(2027, 1, 1);
    }
}
BENCHMARK(BM_DayOfTheMonthView)->Arg(0)->Arg(1);

}  // namespace
}  // namespace varnel
