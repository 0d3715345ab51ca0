#pragma once
// Writing the month's Shabbat portions into a calendar: the items an earlier
// export put into the month are deleted, then one all-day item per Shabbat is
// added. Every step's outcome is reported; nothing fails silently.
#include <cstdint>
#include <string>
#include <vector>

#include "core/appointments/CalendarBackend.h"
#include "core/appointments/ShabbatLines.h"

namespace varnel {

// What the progress window shows; Cancelled() is asked between two items.
class ExportProgress {
public:
    virtual ~ExportProgress() = default;
    virtual void SetAction(const std::string& text) = 0;
    virtual void SetDetail(const std::string& text) = 0;
    virtual bool Cancelled() { return false; }
};

struct ExportedItem {
    int32_t date = 0;
    std::string subject;
};

struct FailedItem {
    int32_t date = 0;
    std::string subject;
    std::string what;  // "delete" or "write"
    std::string reason;
};

struct ExportReport {
    std::string calendar;
    std::string openError;  // set when the calendar could not be used at all
    std::vector<ExportedItem> deleted;
    std::vector<ExportedItem> written;
    std::vector<FailedItem> failed;
    // Items of the user that carry the UID of one of the month's Shabbatot
    // (date: that Shabbat): left as they are, and ours is not written beside them.
    std::vector<ExportedItem> userHeld;
    bool cancelled = false;
    // True only when the calendar opened and every item was deleted and written.
    bool Complete() const { return openError.empty() && failed.empty() && !cancelled; }
};

inline constexpr const char* kActionStarting = "Starting calendar services...";
inline constexpr const char* kActionChecking = "Checking for previous export...";
inline constexpr const char* kActionExporting = "Exporting current month's parashot to the calendar...";
inline constexpr const char* kActionExportingItem = "Exporting portion names and text...";

// lines: from BuildMonthShabbatLines; readingFolder holds torah.dat and haftarah.dat.
ExportReport ExportToCalendar(CalendarBackend& calendar, int32_t firstOfMonth, const std::vector<ShabbatLine>& lines,
                              const std::string& readingFolder, ExportProgress& progress);

inline constexpr const char* kUserHoldsUid =
    "an item the export did not make carries this Shabbat's UID; it was left as it is";

// Step 4: deletes the month's items the export made (found by UID and mark,
// never by title), and notes the user's items that carry one of our UIDs.
void DeletePreviousExport(CalendarBackend& calendar, int32_t firstOfMonth, ExportProgress& progress,
                          ExportReport& report);

// Writes one item, recording it as written or failed (failed without trying
// when a user's item holds its UID).
bool AddPortionAppointment(CalendarBackend& calendar, const PortionAppointment& item, ExportReport& report);

// The closing message: what was written, what failed and why.
std::string ExportSummary(const ExportReport& report);

}  // namespace varnel
