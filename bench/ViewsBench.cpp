#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include "core/calendar/HolyDays.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/views/ColorScheme.h"
#include "gui/views/DayPanel.h"
#include "core/views/DayView.h"
#include "core/views/ViewState.h"
#include "gui/views/YearPanel.h"
#include "core/views/YearView.h"
#include "BenchApplication.h"

namespace varnel {
namespace {

PlacedHolyDays HolyDaysOf(int year) {
    static const HolyDayTable table = [] {
        HolyDayTable t;
        LoadHolyDays(PathIn(VARNEL_SOURCE_DATA, "holydays.dat"), t);
        return t;
    }();
    return PlaceHolyDays(table, year);
}

// A month grid whose days carry texts of the length the month view writes.
Grid MonthGridWithDetails(Date first) {
    Grid g(7, 7);
    const int w = first.Weekday() - 1;
    for (int i = 0; i < DaysInMonth(first.Year(), first.Month()); ++i) {
        GridCell* cell = g.MutableCell(1 + (w + i) / 7, (w + i) % 7);
        cell->date = first + i;
        cell->data = std::string(
                      "Adar 12\r\nShabbat Candles: 6:08 PM\r\n\r\nSunrise: 6:46 AM - Sunset: 6:26 PM\r\n"
                      "(Charlotte, NC - Eastern Standard Time)\r\nProportional hour: 58 minutes\r\nPrayer times:\r\n"
                      "Shacharit: from 6:46 AM to 10:40 AM\r\nMinchah: from 1:05 PM to 6:26 PM\r\n"
                      "Ma'ariv: after 4:59 PM*\r\n*If Minchah was prayed before 4:59 PM, otherwise earliest "
                      "Ma'ariv is 7:38 PM\r\n");
    }
    return g;
}

void BM_ShowYearModel(benchmark::State& state) {
    const PlacedHolyDays table = HolyDaysOf(2026);
    YearViewModel model;
    for (auto _ : state) {
        ShowYear(2026, table, SchemeHolyDayColor(0), SchemeShabbatColor(0), model);
        benchmark::DoNotOptimize(model.grids[11].Cell(5, 3).background);
    }
}
BENCHMARK(BM_ShowYearModel)->Unit(benchmark::kMicrosecond);

// The year panel filled and painted once, as the window shows it.
void BM_ShowYearWithWidgets(benchmark::State& state) {
    EnsureApplication();
    ViewState view;
    CalendarSource source(LoadCalendarData(VARNEL_SOURCE_DATA));
    YearPanel panel(view, source);
    panel.resize(1000, 700);
    QImage image(panel.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        panel.ShowYear(2026);
        panel.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_ShowYearWithWidgets)->Unit(benchmark::kMillisecond);

void BM_ShowDayModel(benchmark::State& state) {
    const Date first = Date(2026, 3, 1);
    const Grid month = MonthGridWithDetails(first);
    DayViewModel model;
    for (auto _ : state) {
        int row = 2, col = 5;
        ShowDay(month, first, row, col, 12600, model);
        benchmark::DoNotOptimize(model.lastRow);
    }
}
BENCHMARK(BM_ShowDayModel)->Unit(benchmark::kMicrosecond);

// The day panel filled, its columns fitted, and painted once.
void BM_ShowDayWithWidgets(benchmark::State& state) {
    EnsureApplication();
    ViewState view;
    view.ShowMonthOf(Date(2026, 3, 1));
    const Grid month = MonthGridWithDetails(view.currentDate);
    DayPanel panel(view);
    panel.resize(1000, 700);
    QImage image(panel.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.selectedRow = 2;
        view.selectedCol = 5;
        panel.ShowDay(month);
        panel.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_ShowDayWithWidgets)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnel
