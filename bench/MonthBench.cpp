// The month view: rendering a month (model alone, and model with the widget's
// paint), and the next month across a year boundary with the year's data
// rebuilt. The process's start-up to the painted month is timed by
// bench/startup_time.sh.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "core/calendar/CalendarState.h"
#include "core/common/DateSerial.h"
#include "core/common/Files.h"
#include "core/solar/Location.h"
#include "gui/views/CalendarData.h"
#include "gui/views/GridWidget.h"
#include "gui/views/MonthPanel.h"
#include "core/views/MonthView.h"
#include "core/views/ViewState.h"
#include "gui/views/frmMain.h"
#include "BenchApplication.h"

namespace varnel {
namespace {

// The program's state for a month, as the start-up leaves it.
void BuildYearOf(int year, int month) {
    SetProgramFolder(VARNEL_SOURCE_DATA);
    CurrentCity = kDefaultCity;
    ShowMonthOf(DateSerial(year, month, 1));
    RebuildCalendarData(CalendarTrigger::StartUp);
}

// A shown main window with its settings kept away from the user's.
struct Window {
    QTemporaryDir settings;
    std::unique_ptr<frmMain> main;
    Window() {
        EnsureApplication();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        main = std::make_unique<frmMain>();
        main->resize(1000, 760);
        main->show();
        QCoreApplication::processEvents();
    }
};

void BM_ShowCalendarModel(benchmark::State& state) {
    EnsureApplication();  // the daylight rules come from Qt's zone data
    BuildYearOf(2026, 12);
    MonthViewModel view;
    for (auto _ : state) {
        ShowCalendar(view);
        benchmark::DoNotOptimize(view.grid.Cell(3, 3).data.size());
    }
}
BENCHMARK(BM_ShowCalendarModel)->Unit(benchmark::kMicrosecond);

void BM_ShowCalendarWithWidget(benchmark::State& state) {
    Window w;
    BuildYearOf(2026, 12);
    GridWidget* grid = w.main->Month()->Grid();
    for (auto _ : state) {
        w.main->ShowCalendar();
        grid->repaint();  // the one paint of the rendering, done now
    }
}
BENCHMARK(BM_ShowCalendarWithWidget)->Unit(benchmark::kMicrosecond);

void BM_NextMonthAcrossYearBoundary(benchmark::State& state) {
    Window w;
    BuildYearOf(2026, 12);
    GridWidget* grid = w.main->Month()->Grid();
    for (auto _ : state) {
        state.PauseTiming();
        ShowMonthOf(DateSerial(2026, 12, 1));
        RebuildCalendarData(CalendarTrigger::MonthChange);
        state.ResumeTiming();
        w.main->NextMonth();  // into January 2027: zone rules, holy days, portions, readings, render
        grid->repaint();
    }
    if (CurrentDate != DateSerial(2027, 1, 1)) state.SkipWithError("did not reach January 2027");
}
BENCHMARK(BM_NextMonthAcrossYearBoundary)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varnel
