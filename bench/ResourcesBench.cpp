#include <benchmark/benchmark.h>

#include <filesystem>

#include <QListWidget>

#include "BenchApplication.h"
#include "core/calendar/YearCalendar.h"
#include "core/common/Files.h"
#include "core/resources/FeastList.h"
#include "core/resources/ResourceList.h"
#include "gui/resources/FeastResourcesDialog.h"

namespace varnel {
namespace {

// A resource file of every feast with `entries` entries of long paths.
std::string FilledResourceFile(const std::string& folder, int entries) {
    std::filesystem::create_directories(folder);
    const std::string path = PathIn(folder, kResourceFile);
    std::filesystem::remove(path);
    for (const std::string& feast : FeastNames(LoadCalendarData(VARNEL_SOURCE_DATA).holyDays)) {
        std::vector<ResourceEntry> list;
        for (int i = 0; i < entries; ++i)
            list.push_back({"/home/user/Documents/Feasts/" + feast + "/resource number " + std::to_string(i) + ".pdf",
                            "Resource " + std::to_string(i) + " of " + feast});
        SaveResourceList(path, feast, list);
    }
    return path;
}

std::string BenchFolder() { return (std::filesystem::temp_directory_path() / "varnel-resources-bench").string(); }

// Choosing another feast: the shown list is saved, the chosen one read.
void BM_SwitchFeastSaveAndRead(benchmark::State& state) {
    const std::string path = FilledResourceFile(BenchFolder(), static_cast<int>(state.range(0)));
    const std::vector<ResourceEntry> shown = ReadResourceList(path, "Pesach");
    for (auto _ : state) {
        SaveResourceList(path, "Pesach", shown);
        benchmark::DoNotOptimize(ReadResourceList(path, "Sukkot").size());
    }
    std::filesystem::remove_all(BenchFolder());
}
BENCHMARK(BM_SwitchFeastSaveAndRead)->Arg(20)->Arg(200)->Unit(benchmark::kMicrosecond);

// The menu item: the year's holy days, the feast list and the window.
void BM_OpenFeastResourcesWindow(benchmark::State& state) {
    EnsureApplication();
    for (auto _ : state) {
        FeastResourcesDialog window(LoadCalendarData(VARNEL_SOURCE_DATA).holyDays, VARNEL_SOURCE_DATA);
        benchmark::DoNotOptimize(window.FeastList()->count());
    }
}
BENCHMARK(BM_OpenFeastResourcesWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varnel
