#include "core/appointments/ExportToCalendar.h"

#include "core/appointments/PortionAppointment.h"
#include "core/appointments/ReadingTexts.h"

namespace varnel {

std::vector<CalendarItem> PortionItems(const std::vector<ShabbatLine>& lines, const std::string& readingFolder) {
    std::vector<CalendarItem> items;
    const ReadingTexts texts = LoadReadingTexts(readingFolder);
    for (const ShabbatLine& line : lines) {
        CalendarItem item;
        if (BuildPortionAppointment(line, texts, item)) items.push_back(std::move(item));
    }
    return items;
}

ExportReport ExportToCalendar(CalendarBackend& calendar, Date firstOfMonth, const std::vector<ShabbatLine>& lines,
                              const std::string& readingFolder, ExportProgress& progress) {
    return RunExport(calendar, PortionExportScope(firstOfMonth), PortionItems(lines, readingFolder), progress);
}

ExportReport RunExport(CalendarBackend& calendar, ExportScope scope, std::vector<CalendarItem> items,
                       ExportProgress& progress) {
    ExportJob job(calendar.Name(), std::move(scope), std::move(items));
    using Step = ExportJob::Step;
    while (job.Current() != Step::Done) {
        if ((job.Current() == Step::Write || job.Current() == Step::Delete) && progress.Cancelled()) {
            job.Stop("cancelled");
            continue;
        }
        progress.SetAction(job.Action());
        progress.SetDetail(job.Detail());
        PerformStep(calendar, job);
    }
    return job.Report();
}

}  // namespace varnel
