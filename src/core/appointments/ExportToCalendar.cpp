#include "core/appointments/ExportToCalendar.h"

#include "core/appointments/ReadingTexts.h"

namespace varnel {

std::vector<PortionAppointment> PortionItems(const std::vector<ShabbatLine>& lines, const std::string& readingFolder) {
    std::vector<PortionAppointment> items;
    const ReadingTexts texts = LoadReadingTexts(readingFolder);
    for (const ShabbatLine& line : lines) {
        PortionAppointment item;
        if (BuildPortionAppointment(line, texts, item)) items.push_back(std::move(item));
    }
    return items;
}

ExportReport ExportToCalendar(CalendarBackend& calendar, Date firstOfMonth, const std::vector<ShabbatLine>& lines,
                              const std::string& readingFolder, ExportProgress& progress) {
    ExportJob job(calendar.Name(), firstOfMonth, PortionItems(lines, readingFolder));
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
