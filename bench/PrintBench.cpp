// The printouts composed, laid out and written as PDF, and the preview window
// shown with its first page drawn.
#include <benchmark/benchmark.h>

#include <QPrintPreviewWidget>
#include <QTemporaryDir>

#include "BenchApplication.h"
#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"
#include "core/common/DateSerial.h"
#include "core/common/Files.h"
#include "core/printing/Printouts.h"
#include "core/solar/clsSunrise.h"
#include "core/views/DayView.h"
#include "core/views/MonthView.h"
#include "core/views/YearView.h"
#include "gui/printing/DocumentLayout.h"
#include "gui/printing/DocumentOutput.h"
#include "gui/printing/frmPrintPreview.h"

namespace varnel {
namespace {

constexpr int kYear = 2024;

struct PrintData {
    HolyDayTable holyDays;
    ParashahTable parashot;
    clsSunrise sun;
    QTemporaryDir dir;
    PrintData() {
        LoadHolyDays(PathIn(VARNEL_SOURCE_DATA, "holydays.dat"), holyDays);
        PlaceHolyDays(holyDays, kYear);
        ScheduleParashot(PathIn(VARNEL_SOURCE_DATA, kParashahFile), kYear, parashot);
        sun.SetCity("Charlotte, NC");
    }
    std::function<SunDay(int32_t)> SunOf() {
        return [this](int32_t d) {
            sun.SetDateDay(d);
            sun.CalculateSun();
            return SunDay{sun.Sunrise(), sun.Sunset(), {}};
        };
    }
    ShabbatInputs August() { return {DateSerial(kYear, 8, 1), 31, &parashot, SunOf()}; }
};

PrintData& Data() {
    static PrintData data;
    return data;
}

void WriteAsPdf(benchmark::State& state, const Document& doc) {
    const DocumentLayout layout(doc);
    if (!WritePdf(layout, Data().dir.filePath(QStringLiteral("bench.pdf")))) state.SkipWithError("PDF not written");
}

void BM_ShabbatPrintoutToPdf(benchmark::State& state) {
    EnsureApplication();
    for (auto _ : state) {
        Document doc;
        ComposeShabbatDocument(BuildShabbatRows(Data().August()), "Tamuz-Av 5784 / August 2024", 45000.5, doc);
        WriteAsPdf(state, doc);
    }
}
BENCHMARK(BM_ShabbatPrintoutToPdf)->Unit(benchmark::kMillisecond);

void BM_DayPrintoutToPdf(benchmark::State& state) {
    EnsureApplication();
    MonthViewModel month;
    MonthInputs in;
    in.firstDay = DateSerial(kYear, 4, 1);
    in.dayCount = 30;
    in.holyDays = &Data().holyDays;
    in.parashot = &Data().parashot;
    in.city = "Charlotte, NC";
    in.sunOf = Data().SunOf();
    ComposeMonth(in, month);
    for (auto _ : state) {
        const MonthCell cell = MonthCellOf(in.firstDay, 27);
        int row = cell.row, col = cell.col;
        DayViewModel day;
        ShowDay(month.grid, in.firstDay, row, col, 12600, day);
        Document doc;
        ComposeDayDocument(day, 45000.5, doc);
        WriteAsPdf(state, doc);
    }
}
BENCHMARK(BM_DayPrintoutToPdf)->Unit(benchmark::kMillisecond);

void BM_YearPrintoutToPdf(benchmark::State& state) {
    EnsureApplication();
    for (auto _ : state) {
        YearViewModel year;
        ShowYear(kYear, Data().holyDays, RGB(255, 128, 255), RGB(0, 128, 255), year);
        Document doc;
        ComposeYearDocument(year, doc);
        WriteAsPdf(state, doc);
    }
}
BENCHMARK(BM_YearPrintoutToPdf)->Unit(benchmark::kMillisecond);

// From the click to the preview on screen with its page drawn.
void BM_PreviewShown(benchmark::State& state) {
    EnsureApplication();
    for (auto _ : state) {
        Document doc;
        ComposeShabbatDocument(BuildShabbatRows(Data().August()), "Tamuz-Av 5784 / August 2024", 45000.5, doc);
        frmPrintPreview preview(nullptr, doc, QStringLiteral("bench"));
        preview.show();
        while (preview.Preview()->pageCount() < 1) QApplication::processEvents();
        QApplication::processEvents();
        preview.close();
    }
}
BENCHMARK(BM_PreviewShown)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnel
