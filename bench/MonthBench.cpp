// The month view: rendering a month (model alone, and model with the widget's
// paint), and the next month across a year boundary with the year's data
// rebuilt. The process's start-up to the painted month is timed by
// bench/startup_time.sh.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/solar/Location.h"
#include "gui/views/GridWidget.h"
#include "gui/views/MonthPanel.h"
#include "core/views/MonthView.h"
#include "core/views/ViewState.h"
#include "gui/views/MainWindow.h"
#include "BenchApplication.h"

namespace varnel {
namespace {

// The calendar of the data folder for Charlotte, as the start-up builds it.
struct Calendar {
    CalendarSource source{LoadCalendarData(VARNEL_SOURCE_DATA)};
    ViewState state;
    explicit Calendar(int year, int month) { state.ShowMonthOf(Date(year, month, 1)); }
};

// A shown main window with its settings kept away from the user's.
struct Window {
    QTemporaryDir settings;
    std::unique_ptr<MainWindow> main;
    Window() {
        EnsureApplication();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        SetProgramFolder(VARNEL_SOURCE_DATA);
        main = std::make_unique<MainWindow>();
        main->resize(1000, 760);
        main->show();
        main->RunStartUp();
        QCoreApplication::processEvents();
    }
};

void BM_ShowCalendarModel(benchmark::State& state) {
    EnsureApplication();  // the daylight rules come from Qt's zone data
    Calendar c(2026, 12);
    MonthViewModel view;
    for (auto _ : state) {
        ComposeMonth(c.state, c.source, view);
        benchmark::DoNotOptimize(view.grid.Cell(3, 3).data.size());
    }
}
BENCHMARK(BM_ShowCalendarModel)->Unit(benchmark::kMicrosecond);

// Each month of eight years in turn, so that no day's sun is kept from an
// earlier rendering: the classic (0) and the precise sun (1).
void BM_ShowAnotherMonthBySun(benchmark::State& state) {
    EnsureApplication();
    Calendar c(2026, 6);
    PlaceChoice place = ChoiceOfCity(kDefaultCity);
    place.sun = state.range(0) ? SunAlgorithm::Precise : SunAlgorithm::Classic;
    c.source.SetPlace(place);
    MonthViewModel view;
    int months = 0;
    for (auto _ : state) {
        c.state.ShowMonthOf(Date(2026 + months / 12, months % 12 + 1, 1));
        months = (months + 1) % 96;
        ComposeMonth(c.state, c.source, view);
        benchmark::DoNotOptimize(view.grid.Cell(3, 3).data.size());
    }
}
BENCHMARK(BM_ShowAnotherMonthBySun)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ShowCalendarWithWidget(benchmark::State& state) {
    Window w;
    w.main->ShowMonthOf(Date(2026, 12, 1));
    GridWidget* grid = w.main->Month()->Grid();
    for (auto _ : state) {
        w.main->ShowCalendar();
        grid->repaint();  // the one paint of the rendering, done now
    }
}
BENCHMARK(BM_ShowCalendarWithWidget)->Unit(benchmark::kMicrosecond);

// Into January 2027 and back, the two years kept by the window's cache.
void BM_NextMonthAcrossYearBoundary(benchmark::State& state) {
    Window w;
    GridWidget* grid = w.main->Month()->Grid();
    for (auto _ : state) {
        state.PauseTiming();
        w.main->ShowMonthOf(Date(2026, 12, 1));
        state.ResumeTiming();
        w.main->NextMonth();
        grid->repaint();
    }
    if (w.main->State().currentDate != Date(2027, 1, 1)) state.SkipWithError("did not reach January 2027");
}
BENCHMARK(BM_NextMonthAcrossYearBoundary)->Unit(benchmark::kMicrosecond);

// Into a year not built yet: the portion file read, the portions scheduled,
// the readings applied, the holy days placed, the zone rules loaded.
void BM_NextMonthIntoANewYear(benchmark::State& state) {
    Window w;
    GridWidget* grid = w.main->Month()->Grid();
    for (auto _ : state) {
        state.PauseTiming();
        w.main->ShowMonthOf(Date(2026, 12, 1));
        w.main->Calendar().SetData(w.main->Calendar().Data());
        w.main->Calendar().SetPlace(ChoiceOfCity(""));
        w.main->Calendar().SetPlace(ChoiceOfCity(kDefaultCity));
        state.ResumeTiming();
        w.main->NextMonth();
        grid->repaint();
    }
}
BENCHMARK(BM_NextMonthIntoANewYear)->Unit(benchmark::kMicrosecond);

// The three views in turn, each shown and painted, as the toolbar switches them.
void BM_SwitchViews(benchmark::State& state) {
    Window w;
    w.main->ShowMonthOf(Date(2026, 12, 1));
    w.main->ShowCalendar();
    QWidget* panels = w.main->centralWidget();
    for (auto _ : state) {
        for (MainWindow::View view : {MainWindow::View::Year, MainWindow::View::Day, MainWindow::View::Month}) {
            w.main->ShowView(view);
            panels->repaint();
        }
    }
}
BENCHMARK(BM_SwitchViews)->Unit(benchmark::kMicrosecond);

// The day or the year view shown and painted for the first time in a fresh
// window, its panel built then (1: day, 3: year).
void BM_FirstShowingOfView(benchmark::State& state) {
    const auto view = static_cast<MainWindow::View>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto w = std::make_unique<Window>();
        QWidget* panels = w->main->centralWidget();
        state.ResumeTiming();
        w->main->ShowView(view);
        panels->repaint();
        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstShowingOfView)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace varnel
