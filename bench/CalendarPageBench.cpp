// The calendar page composed from a rendered month and written as PDF, HTML
// and RTF, and a whole common year exported as linked HTML pages.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "BenchApplication.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/printing/HtmlWriter.h"
#include "core/printing/RtfWriter.h"
#include "core/printing/YearExport.h"
#include "core/views/YearView.h"
#include "core/printing/PrintedMonth.h"
#include "core/views/CalendarSource.h"
#include "gui/printing/CalendarExport.h"
#include "gui/printing/DocumentLayout.h"

namespace varnel {
namespace {

struct PageData {
    QTemporaryDir dir;
    CalendarSource source{LoadCalendarData(VARNEL_SOURCE_DATA)};
    ViewState state;
    CalendarPageInputs month;
    PageData() {
        state.ShowMonthOf(Date(2026, 4, 1));
        month = PrintedMonth(source, state);
        month.picturePath = PathIn(VARNEL_SOURCE_DATA, "Images/templemount.jpg");
    }
    Document Compose() {
        Document doc;
        doc.SetPaper(PaperSize::Letter);
        ComposeCalendarDocument(month, doc);
        return doc;
    }
};

PageData& Data() {
    static PageData data;
    return data;
}

// Composes the page and writes it as a file of one kind, each iteration.
void WritePage(benchmark::State& state, CalendarFileKind kind, const char* name) {
    EnsureApplication();
    const QString path = Data().dir.filePath(QString::fromLatin1(name));
    for (auto _ : state) {
        QString error;
        if (!ExportCalendarFile(Data().Compose(), kind, path, QStringLiteral("April"), &error))
            state.SkipWithError("page not written");
    }
}
void BM_CalendarPageToPdf(benchmark::State& state) { WritePage(state, CalendarFileKind::Pdf, "page.pdf"); }
void BM_CalendarPageToHtml(benchmark::State& state) { WritePage(state, CalendarFileKind::Html, "page.htm"); }
void BM_CalendarPageToRtf(benchmark::State& state) { WritePage(state, CalendarFileKind::Rtf, "page.rtf"); }
BENCHMARK(BM_CalendarPageToPdf)->Unit(benchmark::kMillisecond);

// The layout alone, done while the wait pointer shows: no progress window is needed.
void BM_CalendarPageLayout(benchmark::State& state) {
    EnsureApplication();
    const Document doc = Data().Compose();
    for (auto _ : state) {
        const DocumentLayout layout(doc);
        benchmark::DoNotOptimize(layout.PageCount());
    }
}
BENCHMARK(BM_CalendarPageLayout)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalendarPageToHtml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalendarPageToRtf)->Unit(benchmark::kMillisecond);

void BM_YearToHtml(benchmark::State& state) {
    EnsureApplication();
    PageData& data = Data();
    YearViewModel view;
    ShowYear(2026, data.source.Year(2026).holyDays, data.state.holyDayColor, data.state.shabbatColor, view);
    ViewState monthState = data.state;
    for (auto _ : state) {
        YearExport in;
        in.year = &view;
        in.folder = Data().dir.filePath(QStringLiteral("year")).toStdString();
        in.page = PageSetupFor(PaperSize::Letter);
        in.monthPage = [&](int m) {
            monthState.ShowMonthOf(Date(2026, m, 1));
            return PrintedMonth(data.source, monthState);
        };
        std::string error;
        if (ExportYearToHtml(in, error).empty()) state.SkipWithError(error.c_str());
    }
}
BENCHMARK(BM_YearToHtml)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnel
