#include "core/appointments/ExportToCalendar.h"

#include "core/appointments/ReadingTexts.h"
#include "core/appointments/ShabbatLines.h"
#include "core/common/DateFormat.h"
#include "core/common/DateSerial.h"

namespace varnel {

namespace {
int32_t LastOfMonth(int32_t firstOfMonth) {
    const YearMonthDay d = SplitDate(firstOfMonth);
    return firstOfMonth + DaysInMonth(d.year, d.month) - 1;
}

std::string Plural(size_t n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}
}  // namespace

void DeletePreviousExport(CalendarBackend& calendar, int32_t firstOfMonth, ExportProgress& progress,
                          ExportReport& report) {
    progress.SetAction(kActionChecking);
    const int32_t last = LastOfMonth(firstOfMonth);
    std::vector<CalendarEntry> items;
    std::string error;
    if (!calendar.FindItems(firstOfMonth, last, items, error)) {
        report.failed.push_back({firstOfMonth, "", "find", error});
        return;
    }
    for (const CalendarEntry& item : items) {
        if (item.owner == Ownership::UserWithOurUid) {
            const int32_t shabbat = DateOfPortionUid(item.uid);
            if (shabbat >= firstOfMonth && shabbat <= last) report.userHeld.push_back({shabbat, item.subject});
            continue;
        }
        if (item.start < firstOfMonth || item.start > last || item.owner != Ownership::Ours) continue;
        if (progress.Cancelled()) {
            report.cancelled = true;
            return;
        }
        progress.SetAction("Deleting " + item.subject + ": " + FormatDate(item.start, "m-dd-yyyy"));
        if (calendar.DeleteItem(item, error)) report.deleted.push_back({item.start, item.subject});
        else report.failed.push_back({item.start, item.subject, "delete", error});
    }
}

bool AddPortionAppointment(CalendarBackend& calendar, const PortionAppointment& item, ExportReport& report) {
    for (const ExportedItem& held : report.userHeld)
        if (held.date == item.date) {
            // Writing ours beside it would give two items one UID.
            report.failed.push_back({item.date, item.subject, "write", kUserHoldsUid});
            return false;
        }
    std::string error;
    if (calendar.AddItem(item, error)) {
        report.written.push_back({item.date, item.subject});
        return true;
    }
    report.failed.push_back({item.date, item.subject, "write", error});
    return false;
}

ExportReport ExportToCalendar(CalendarBackend& calendar, int32_t firstOfMonth, const std::vector<ShabbatLine>& lines,
                              const std::string& readingFolder, ExportProgress& progress) {
    ExportReport report;
    report.calendar = calendar.Name();
    progress.SetAction(kActionStarting);
    if (!calendar.Open(report.openError)) {
        if (report.openError.empty()) report.openError = "the calendar could not be opened";
        return report;
    }
    DeletePreviousExport(calendar, firstOfMonth, progress, report);
    if (!report.cancelled) {
        progress.SetAction(kActionExporting);
        progress.SetDetail("");
        const ReadingTexts texts = LoadReadingTexts(readingFolder);
        for (const ShabbatLine& line : lines) {
            PortionAppointment item;
            if (!BuildPortionAppointment(line, texts, item)) continue;
            if (progress.Cancelled()) {
                report.cancelled = true;
                break;
            }
            progress.SetAction(kActionExportingItem);
            progress.SetDetail(FormatDate(item.date, "mmmm d, yyyy"));
            AddPortionAppointment(calendar, item, report);
        }
    }
    std::string error;
    if (!calendar.Finish(error)) {
        // Nothing of this run reached the calendar.
        for (const ExportedItem& w : report.written) report.failed.push_back({w.date, w.subject, "write", error});
        for (const ExportedItem& d : report.deleted) report.failed.push_back({d.date, d.subject, "delete", error});
        report.written.clear();
        report.deleted.clear();
        if (report.failed.empty()) report.failed.push_back({firstOfMonth, "", "write", error});
    }
    return report;
}

std::string ExportSummary(const ExportReport& report) {
    if (!report.openError.empty())
        return "Unable to use the calendar " + report.calendar + ": " + report.openError + "\nNothing was written.";
    std::string text;
    if (report.cancelled) text = "The export was cancelled. ";
    else if (report.failed.empty()) text = "The export is complete. ";
    else text = "The export is incomplete. ";
    text += Plural(report.written.size(), "portion") + " written, " + Plural(report.deleted.size(), "earlier item") +
            " deleted in " + report.calendar + ".";
    for (const FailedItem& f : report.failed) {
        text += "\nCould not " + f.what + " ";
        text += f.subject.empty() ? std::string("the month's items") : f.subject + " of " + FormatDate(f.date, "mmmm d, yyyy");
        text += ": " + f.reason;
    }
    return text;
}

}  // namespace varnel
