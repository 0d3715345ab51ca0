#pragma once
// The export of a month's portions as steps that a driver performs against a
// calendar, at once (a file) or one request at a time (a server): open the
// calendar, find the month's items, write every wanted item (in place of the
// export's earlier item for its Shabbat, if any), and only when every write
// succeeded delete the export's items no longer wanted; then finish. So a
// failure leaves each Shabbat with its earlier item or its new one.
#include <string>
#include <vector>

#include "core/appointments/CalendarBackend.h"
#include "core/appointments/ExportReport.h"
#include "core/common/Date.h"

namespace varnel {

inline constexpr const char* kActionStarting = "Starting calendar services...";
inline constexpr const char* kActionChecking = "Checking for previous export...";
inline constexpr const char* kActionExportingItem = "Exporting portion names and text...";

class ExportJob {
public:
    enum class Step { Open, Find, Write, Delete, Finish, Done };

    ExportJob(std::string calendar, Date firstOfMonth, std::vector<PortionAppointment> items);

    Step Current() const { return step_; }
    Date First() const { return first_; }
    Date Last() const { return last_; }
    // Write: the item, and the export's earlier item it replaces (null: a new one).
    const PortionAppointment& Item() const { return writes_[next_].item; }
    const CalendarEntry* Replaced() const;
    // Delete: the export's item no longer wanted.
    const CalendarEntry& Obsolete() const { return obsolete_[next_]; }
    // What the progress window shows for the current step.
    std::string Action() const;
    std::string Detail() const;

    // The outcome of the current step; an empty error means it succeeded.
    void Opened(const std::string& error);
    void Found(const std::vector<CalendarEntry>& items, const std::string& error);
    // Find: an item the calendar listed that the export will not touch, and why.
    void Refuse(Date date, const std::string& subject, const std::string& reason);
    void Done(const std::string& error);
    // Cancel or a deadline: no further change is made; a file still finishes,
    // so what was written stays consistent.
    void Stop(const std::string& reason);

    const ExportReport& Report() const { return report_; }

private:
    struct Write {
        PortionAppointment item;
        int replaced = -1;  // index into found_
    };
    void Plan(const std::vector<CalendarEntry>& items);
    void Advance();

    Step step_ = Step::Open;
    Date first_, last_;
    std::vector<PortionAppointment> wanted_;
    std::vector<CalendarEntry> found_;
    std::vector<Write> writes_;
    std::vector<CalendarEntry> obsolete_;
    size_t next_ = 0;
    bool stopped_ = false;
    ExportReport report_;
};

// Performs the job's current step on a calendar that answers at once.
void PerformStep(CalendarBackend& calendar, ExportJob& job);

}  // namespace varnel
