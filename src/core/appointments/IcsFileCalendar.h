#pragma once
// An iCalendar file as the export's calendar. The file is edited, not
// rewritten: its text is kept as it stands and only the export's own VEVENT
// blocks are taken out or added before END:VCALENDAR, so everything of the
// user's stays byte for byte. The file is locked from Open to Finish, and
// Finish writes only when the file is still as read; when another program
// changed it meanwhile, the same edit is made again on the new text. A file
// whose structure cannot be split safely is refused with the reason.
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/appointments/CalendarBackend.h"
#include "core/appointments/ICalendarText.h"

namespace varnel {

class FileUpdate;

class IcsFileCalendar : public CalendarBackend {
public:
    // The file as the given export sees it: only that export's items are its own.
    IcsFileCalendar(std::string path, const ExportKind& kind);
    ~IcsFileCalendar() override;
    IcsFileCalendar(const IcsFileCalendar&) = delete;
    IcsFileCalendar& operator=(const IcsFileCalendar&) = delete;

    std::string Name() const override { return path_; }
    bool Open(std::string& error) override;
    bool FindItems(Date first, Date last, std::vector<CalendarEntry>& items, std::string& error) override;
    bool DeleteItem(const CalendarEntry& item, std::string& error) override;
    bool AddItem(const CalendarItem& item, std::string& error) override;
    bool Finish(std::string& error) override;

private:
    bool Load(std::string& error);
    bool Write(std::string& error);
    // The loaded text without the removed items of ours and with the added ones.
    bool Edited(std::string& text, std::string& error) const;

    std::string path_;
    ExportKind kind_;
    std::unique_ptr<FileUpdate> file_;
    std::string text_;
    ICalendarLayout layout_;
    std::set<std::string> removedUids_;                      // items of ours to take out
    std::vector<std::pair<std::string, std::string>> added_;  // UID and text of each new item
    std::vector<std::pair<std::string, std::string>> zones_;  // TZID and VTIMEZONE the new items use
    bool opened_ = false;
};

// "Export/portions.ics" in a data folder.
std::string DefaultIcsPath(const std::string& dataFolder);

}  // namespace varnel
