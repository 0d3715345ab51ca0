#pragma once
// What an export did to the calendar, item by item, and the closing message.
#include <string>
#include <vector>

#include "core/common/Date.h"

namespace varnel {

struct ExportedItem {
    Date date;
    std::string subject;
    bool replaced = false;  // written in place of the export's earlier item
};

struct FailedItem {
    Date date;
    std::string subject;
    std::string what;  // "find", "write", "delete" or "use"
    std::string reason;
};

struct ExportReport {
    std::string calendar;
    std::string itemNoun = "portion";              // "5 portions written"
    std::string rangeItems = "the month's items";  // a failure of no one item names these
    std::string openError;  // set when the calendar could not be used at all
    std::vector<ExportedItem> deleted;
    std::vector<ExportedItem> written;
    std::vector<ExportedItem> kept;  // earlier items left in place because the export stopped or failed
    std::vector<FailedItem> failed;
    // Items of the user that carry the UID of one of the export's items
    // (date: that item's): left as they are, and ours is not written beside them.
    std::vector<ExportedItem> userHeld;
    bool cancelled = false;
    std::string stopReason;  // why the export stopped early: cancelled, or the deadline
    // True only when the calendar opened and every item was deleted and written.
    bool Complete() const { return openError.empty() && failed.empty() && !cancelled; }
};

inline constexpr const char* kUserHoldsUid =
    "an item the export did not make carries this item's UID; it was left as it is";

// The closing message: what was written, what failed and why, and which
// earlier items stay.
std::string ExportSummary(const ExportReport& report);

}  // namespace varnel
