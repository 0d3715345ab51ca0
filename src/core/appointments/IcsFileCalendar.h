#pragma once
// An iCalendar file as the export's calendar. The file is read whole on Open,
// changed in memory and written on Finish to a temporary file beside it that
// is then renamed over it; everything that is not one of the export's items
// is carried over unchanged. A file that is not iCalendar is refused.
#include <string>

#include "core/appointments/CalendarBackend.h"

typedef struct icalcomponent_impl icalcomponent;

namespace varnel {

class IcsFileCalendar : public CalendarBackend {
public:
    explicit IcsFileCalendar(std::string path);
    ~IcsFileCalendar() override;
    IcsFileCalendar(const IcsFileCalendar&) = delete;
    IcsFileCalendar& operator=(const IcsFileCalendar&) = delete;

    std::string Name() const override { return path_; }
    bool Open(std::string& error) override;
    bool FindItems(Date first, Date last, std::vector<CalendarEntry>& items, std::string& error) override;
    bool DeleteItem(const CalendarEntry& item, std::string& error) override;
    bool AddItem(const PortionAppointment& item, std::string& error) override;
    bool Finish(std::string& error) override;

private:
    icalcomponent* Event(const std::string& id) const;

    std::string path_;
    icalcomponent* calendar_ = nullptr;
    bool changed_ = false;
};

// "Export/portions.ics" in a data folder.
std::string DefaultIcsPath(const std::string& dataFolder);

}  // namespace varnel
