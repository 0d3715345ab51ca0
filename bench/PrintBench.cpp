// The printouts composed, laid out and written as PDF, and the preview window
// shown with its first page drawn.
#include <benchmark/benchmark.h>

#include <QPrintPreviewWidget>
#include <QTemporaryDir>

#include "BenchApplication.h"
#include "core/calendar/YearCalendar.h"
#include "core/common/Date.h"
#include "core/printing/Printouts.h"
#include "core/solar/Location.h"
#include "core/views/DayView.h"
#include "core/views/MonthView.h"
#include "core/views/YearView.h"
#include "gui/printing/DocumentLayout.h"
#include "gui/printing/DocumentOutput.h"
#include "gui/printing/PrintPreviewDialog.h"

namespace varnel {
namespace {

constexpr int kYear = 2024;

struct PrintData {
    YearCalendar calendar = BuildYear(kYear, LoadCalendarData(VARNEL_SOURCE_DATA));
    Place place = PlaceInYear(ChoiceOfCity(kDefaultCity), kYear);
    QTemporaryDir dir;
    std::function<SunDay(Date)> SunOn() {
        return [this](Date d) { return varnel::SunOn(d, place); };
    }
    ShabbatInputs August() { return {Date(kYear, 8, 1), 31, &calendar.parashot, SunOn(), {}}; }
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
        ComposeShabbatDocument(ShabbatRowsOf(Data().August()), "Tamuz-Av 5784 / August 2024", 45000.5, doc);
        WriteAsPdf(state, doc);
    }
}
BENCHMARK(BM_ShabbatPrintoutToPdf)->Unit(benchmark::kMillisecond);

void BM_DayPrintoutToPdf(benchmark::State& state) {
    EnsureApplication();
    MonthViewModel month;
    MonthInputs in;
    in.firstDay = Date(kYear, 4, 1);
    in.dayCount = 30;
    in.holyDays = &Data().calendar.holyDays;
    in.parashot = &Data().calendar.parashot;
    in.city = "Charlotte, NC";
    in.sunOf = Data().SunOn();
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
        ShowYear(kYear, Data().calendar.holyDays, RGB(255, 128, 255), RGB(0, 128, 255), year);
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
        ComposeShabbatDocument(ShabbatRowsOf(Data().August()), "Tamuz-Av 5784 / August 2024", 45000.5, doc);
        PrintPreviewDialog preview(nullptr, doc, QStringLiteral("bench"));
        preview.show();
        while (preview.Preview()->pageCount() < 1) QApplication::processEvents();
        QApplication::processEvents();
        preview.close();
    }
}
BENCHMARK(BM_PreviewShown)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnel
