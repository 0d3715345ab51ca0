#include <benchmark/benchmark.h>

#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"
#include "core/calendar/FestivalReadings.h"
#include "core/common/Files.h"

namespace varnel {
namespace {

// What a change of the shown year costs: the portion file read and scheduled,
// then the special readings applied from the loaded holy days.
void BM_ScheduleParashot(benchmark::State& state) {
    const std::string path = PathIn(VARNEL_SOURCE_DATA, kParashahFile);
    ParashahTable table;
    int year = 2000;
    for (auto _ : state) {
        ScheduleParashot(path, year, table);
        benchmark::DoNotOptimize(table[1].date);
        if (++year > 2100) year = 2000;
    }
}
BENCHMARK(BM_ScheduleParashot)->Unit(benchmark::kMicrosecond);

void BM_ApplySpecialReadings(benchmark::State& state) {
    HolyDayTable holydays;
    LoadHolyDays(PathIn(VARNEL_SOURCE_DATA, "holydays.dat"), holydays);
    ParashahTable table;
    ScheduleParashot(PathIn(VARNEL_SOURCE_DATA, kParashahFile), 2026, table);
    for (auto _ : state) {
        ParashahTable applied = table;
        ApplySpecialReadings(holydays, applied);
        benchmark::DoNotOptimize(applied[1].haftarah.data());
    }
}
BENCHMARK(BM_ApplySpecialReadings)->Unit(benchmark::kMicrosecond);

void BM_ScheduleAndApply(benchmark::State& state) {
    const std::string path = PathIn(VARNEL_SOURCE_DATA, kParashahFile);
    HolyDayTable holydays;
    LoadHolyDays(PathIn(VARNEL_SOURCE_DATA, "holydays.dat"), holydays);
    ParashahTable table;
    int year = 2000;
    for (auto _ : state) {
        ScheduleParashot(path, year, table);
        ApplySpecialReadings(holydays, table);
        benchmark::DoNotOptimize(table[1].date);
        if (++year > 2100) year = 2000;
    }
}
BENCHMARK(BM_ScheduleAndApply)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varnel
