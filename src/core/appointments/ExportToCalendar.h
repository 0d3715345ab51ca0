#pragma once
// Writing an export's items into a calendar that answers at once (ExportJob
// says in which order), with the progress window told of each step. Every
// step's outcome is reported; nothing fails silently.
#include <string>
#include <vector>

#include "core/appointments/CalendarBackend.h"
#include "core/appointments/ExportJob.h"
#include "core/appointments/ExportReport.h"
#include "core/appointments/ShabbatLines.h"
#include "core/common/Date.h"

namespace varnel {

// What the progress window shows; Cancelled() is asked before each change.
class ExportProgress {
public:
    virtual ~ExportProgress() = default;
    virtual void SetAction(const std::string& text) = 0;
    virtual void SetDetail(const std::string& text) = 0;
    virtual bool Cancelled() { return false; }
};

// The items of the month's lines (from BuildMonthShabbatLines); readingFolder
// holds torah.dat and haftarah.dat.
std::vector<CalendarItem> PortionItems(const std::vector<ShabbatLine>& lines, const std::string& readingFolder);

ExportReport RunExport(CalendarBackend& calendar, ExportScope scope, std::vector<CalendarItem> items,
                       ExportProgress& progress);
// The month's Shabbat portions.
ExportReport ExportToCalendar(CalendarBackend& calendar, Date firstOfMonth, const std::vector<ShabbatLine>& lines,
                              const std::string& readingFolder, ExportProgress& progress);

}  // namespace varnel
