#include <benchmark/benchmark.h>

#include <QLineEdit>
#include <QListWidget>
#include <string>

#include "BenchApplication.h"
#include "core/solar/WorldPlaces.h"
#include "gui/solar/LocationDialog.h"

namespace varnel {
namespace {

// Each keystroke of a search over the whole list, as the location dialog
// runs it (at most 200 rows shown): "B", "Ba", ... "Baltimore", then the
// short texts that match the most.
void BM_WorldSearchKeystroke(benchmark::State& state) {
    const WorldPlaces& world = WorldPlaces::Shared();
    const std::string typed = "Baltimore";
    size_t length = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(world.Search(std::string_view(typed).substr(0, length), 200).size());
        length = length % typed.size() + 1;
    }
    state.counters["places"] = static_cast<double>(world.Size());
    state.counters["list_bytes"] = static_cast<double>(world.MemoryBytes());
}
BENCHMARK(BM_WorldSearchKeystroke);

// A text no name begins: every name is looked at and nothing stops early.
void BM_WorldSearchNoMatch(benchmark::State& state) {
    const WorldPlaces& world = WorldPlaces::Shared();
    for (auto _ : state) benchmark::DoNotOptimize(world.Search("Qqq, Nowhere", 200).size());
}
BENCHMARK(BM_WorldSearchNoMatch);

// A keystroke in the dialog itself: the search and the list's rows refilled
// ("S" and "Sa" fill the most rows: built-in places and 200 of the world).
void BM_LocationDialogKeystroke(benchmark::State& state) {
    EnsureApplication();
    LocationDialog dialog(nullptr, PlaceChoice{}, Date(2026, 7, 1));
    auto* search = dialog.findChild<QLineEdit*>("txtSearch");
    const QString typed = state.range(0) ? QStringLiteral("Baltimore") : QStringLiteral("Sa");
    qsizetype length = 1;
    for (auto _ : state) {
        search->setText(typed.left(length));
        length = length % typed.size() + 1;
    }
    state.counters["rows"] = dialog.findChild<QListWidget*>("lstLocations")->count();
}
BENCHMARK(BM_LocationDialogKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnel
