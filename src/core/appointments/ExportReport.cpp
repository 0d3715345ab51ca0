#include "core/appointments/ExportReport.h"

#include <algorithm>

#include "core/common/DateFormat.h"

namespace varnel {

namespace {
std::string Plural(size_t n, const char* word) { return std::to_string(n) + " " + word + (n == 1 ? "" : "s"); }

std::string Named(const ExportReport& report, const std::string& subject, Date date) {
    return subject.empty() ? report.rangeItems : subject + " of " + MonthDayYearText(date);
}
}  // namespace

std::string ExportSummary(const ExportReport& report) {
    if (!report.openError.empty())
        return "Unable to use the calendar " + report.calendar + ": " + report.openError + "\nNothing was written.";
    std::string text;
    if (report.cancelled) text = "The export was " + (report.stopReason.empty() ? std::string("cancelled") : report.stopReason) + ". ";
    else if (report.failed.empty()) text = "The export is complete. ";
    else text = "The export is incomplete. ";
    const auto replaced = std::count_if(report.written.begin(), report.written.end(),
                                        [](const ExportedItem& i) { return i.replaced; });
    text += Plural(report.written.size(), report.itemNoun.c_str()) + " written";
    if (replaced > 0) text += " (" + std::to_string(replaced) + " in place of the earlier export's)";
    text += ", " + Plural(report.deleted.size(), "earlier item") + " deleted in " + report.calendar + ".";
    for (const FailedItem& f : report.failed)
        text += "\nCould not " + f.what + " " + Named(report, f.subject, f.date) + ": " + f.reason;
    if (!report.kept.empty()) {
        text += "\nThe earlier export's item stays for";
        for (size_t i = 0; i < report.kept.size(); ++i)
            text += (i ? ", " : " ") + Named(report, report.kept[i].subject, report.kept[i].date);
        text += ".";
    }
    return text;
}

}  // namespace varnel
