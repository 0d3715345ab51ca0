#pragma once
// An export (a month's portions, a year's feasts) as steps that a driver
// performs against a calendar, at once (a file) or one request at a time (a
// server): open the calendar, find the items of the export's days, write every
// wanted item (in place of the export's earlier item of the same UID, if any),
// and only when every write succeeded delete the export's items no longer
// wanted; then finish. So a failure leaves each item's day with its earlier
// item or its new one.
#include <string>
#include <vector>

#include "core/appointments/CalendarBackend.h"
#include "core/appointments/ExportReport.h"
#include "core/common/Date.h"

namespace varnel {

inline constexpr const char* kActionStarting = "Starting calendar services...";
inline constexpr const char* kActionChecking = "Checking for previous export...";
inline constexpr const char* kActionExportingItem = "Exporting portion names and text...";

// What one export replaces: its own items (by UID and mark) of these days.
struct ExportScope {
    ExportKind kind = kPortionExport;
    Date first, last;
    std::string itemAction = kActionExportingItem;  // the progress window's line while writing
    std::string itemNoun = "portion";               // "5 portions written"
    std::string rangeItems = "the month's items";   // what a failure of the whole range names
};

// The portions' export of a month.
ExportScope PortionExportScope(Date firstOfMonth);

class ExportJob {
public:
    enum class Step { Open, Find, Write, Delete, Finish, Done };

    ExportJob(std::string calendar, ExportScope scope, std::vector<CalendarItem> items);

    Step Current() const { return step_; }
    const ExportScope& Scope() const { return scope_; }
    Date First() const { return scope_.first; }
    Date Last() const { return scope_.last; }
    // Write: the item, and the export's earlier item it replaces (null: a new one).
    const CalendarItem& Item() const { return writes_[next_].item; }
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
        CalendarItem item;
        int replaced = -1;  // index into found_
    };
    void Plan(const std::vector<CalendarEntry>& items);
    void Advance();

    Date ShownDate(const CalendarEntry& e) const;

    Step step_ = Step::Open;
    ExportScope scope_;
    std::vector<CalendarItem> wanted_;
    std::vector<CalendarEntry> found_;
    std::vector<Write> writes_;
    std::vector<CalendarEntry> obsolete_;
    size_t next_ = 0;
    ExportReport report_;
};

// Performs the job's current step on a calendar that answers at once.
void PerformStep(CalendarBackend& calendar, ExportJob& job);

}  // namespace varnel
