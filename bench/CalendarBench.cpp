#include <benchmark/benchmark.h>

#include "core/calendar/HebrewCalendar.h"
#include "core/calendar/HolyDays.h"
#include "core/common/Files.h"

namespace varnel {
namespace {

void BM_JulianDayToHebrew(benchmark::State& state) {
    int32_t n = GregorianToJulianDay(2026, 1, 1, 1);
    for (auto _ : state) {
        int y, m, d;
        JulianDayToHebrew(n, y, m, d);
        benchmark::DoNotOptimize(y + m + d);
        if (++n > 2470000) n = 2440000;
    }
}
BENCHMARK(BM_JulianDayToHebrew);

void BM_LoadAndPlaceHolyDays(benchmark::State& state) {
    const std::string path = PathIn(VARNEL_SOURCE_DATA, "holydays.dat");
    HolyDayTable table;
    for (auto _ : state) {
        LoadHolyDays(path, table);
        benchmark::DoNotOptimize(PlaceHolyDays(table, 2026).size());
    }
}
BENCHMARK(BM_LoadAndPlaceHolyDays)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varnel
