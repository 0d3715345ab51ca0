#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "core/appointments/ExportToCalendar.h"
#include "core/appointments/FeastItems.h"
#include "core/appointments/IcsFileCalendar.h"
#include "core/appointments/ShabbatLines.h"
#include "core/calendar/YearCalendar.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/views/CalendarSource.h"

namespace varnel {
namespace {

class Silent : public ExportProgress {
public:
    void SetAction(const std::string&) override {}
    void SetDetail(const std::string&) override {}
};

std::vector<ShabbatLine> August2024() {
    return BuildMonthShabbatLines(Date(2024, 8, 1), BuildYear(2024, LoadCalendarData(VARNEL_SOURCE_DATA)).parashot);
}

// A user's file of `events` timed events spread over four years.
std::string UserCalendar(int events) {
    std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Someone//EN\r\n";
    for (int i = 0; i < events; ++i) {
        const YearMonthDay d = (Date(2022, 1, 1) + i * 1461 / events).Parts();
        char line[320];
        std::snprintf(line, sizeof line,
                      "BEGIN:VEVENT\r\nUID:event-%d@me\r\nDTSTAMP:20220101T000000Z\r\n"
                      "DTSTART:%04d%02d%02dT090000Z\r\nDTEND:%04d%02d%02dT100000Z\r\nSUMMARY:Meeting %d\r\n"
                      "DESCRIPTION:Notes of meeting %d\\, with a longer text to read\r\nEND:VEVENT\r\n",
                      i, d.year, d.month, d.day, d.year, d.month, d.day, i, i);
        text += line;
    }
    return text + "END:VCALENDAR\r\n";
}

// A month exported into an iCalendar file that already holds `range(0)`
// events of the user's and the portions of an earlier export.
void BM_ExportMonthToIcsFile(benchmark::State& state) {
    const auto lines = August2024();
    const std::string path = (std::filesystem::temp_directory_path() / "varnel-bench-portions.ics").string();
    WriteFileAtomically(path, UserCalendar(static_cast<int>(state.range(0))));
    Silent progress;
    for (auto _ : state) {
        IcsFileCalendar calendar(path, kPortionExport);
        const ExportReport report = ExportToCalendar(calendar, Date(2024, 8, 1), lines, VARNEL_SOURCE_DATA, progress);
        if (!report.Complete()) state.SkipWithError(ExportSummary(report).c_str());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ExportMonthToIcsFile)->Arg(0)->Arg(1000)->Unit(benchmark::kMillisecond);

// A common year's holy days with their times (Charlotte) made and written into
// an empty iCalendar file, as export-feasts --times does after reading the data.
void BM_ExportFeastYearToEmptyIcsFile(benchmark::State& state) {
    const CalendarData data = LoadCalendarData(VARNEL_SOURCE_DATA);
    const std::string path = (std::filesystem::temp_directory_path() / "varnel-bench-feasts.ics").string();
    Silent progress;
    for (auto _ : state) {
        std::filesystem::remove(path);
        CalendarSource source(data);
        IcsFileCalendar calendar(path, kFeastExport);
        const ExportReport report =
            RunExport(calendar, FeastExportScope(2026), FeastYearItems(source, 2026, {true, false, 18}), progress);
        if (!report.Complete()) state.SkipWithError(ExportSummary(report).c_str());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ExportFeastYearToEmptyIcsFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnel
