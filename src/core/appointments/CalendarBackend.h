#pragma once
// What the export needs of a calendar: open it, find the items of a date
// range, add or replace one, delete one, and finish (write out what is held in memory).
// Each call returns false with a reason the user can read.
#include <optional>
#include <string>
#include <vector>

#include "core/appointments/ExportIdentity.h"
#include "core/appointments/CalendarItem.h"
#include "core/common/Date.h"

namespace varnel {

struct CalendarEntry {
    std::string id;  // the back end's handle of the item
    std::string subject;
    std::optional<Date> start;  // the date the item starts on; none when unreadable
    std::string uid;
    Ownership owner = Ownership::User;
};

class CalendarBackend {
public:
    virtual ~CalendarBackend() = default;
    // The calendar as the user knows it: a path or a URL.
    virtual std::string Name() const = 0;
    virtual bool Open(std::string& error) = 0;
    // Every item that starts on a date in first..last (a back end may leave
    // out items that carry none of our UIDs: the export never touches them).
    virtual bool FindItems(Date first, Date last, std::vector<CalendarEntry>& items, std::string& error) = 0;
    virtual bool DeleteItem(const CalendarEntry& item, std::string& error) = 0;
    virtual bool AddItem(const CalendarItem& item, std::string& error) = 0;
    // Puts item in the place of an earlier one; a back end that commits only
    // on Finish may delete and add.
    virtual bool ReplaceItem(const CalendarEntry& earlier, const CalendarItem& item, std::string& error) {
        return DeleteItem(earlier, error) && AddItem(item, error);
    }
    virtual bool Finish(std::string& error) = 0;
};

}  // namespace varnel
