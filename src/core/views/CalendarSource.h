#pragma once
// Where the views take their years and places from: the loaded data, the
// most recent common years built from it, and the chosen place with the
// daylight rules of each year asked for. The zone database is reached through
// a function, so the core stays free of the system's zone library.
#include <functional>
#include <map>
#include <string>

#include "core/calendar/YearCalendar.h"
#include "core/solar/Location.h"

namespace varnel {

class CalendarSource {
public:
    // The daylight rules of a common year for a place.
    using DaylightRules = std::function<DaylightYear(const Place& place, int year)>;

    CalendarSource(CalendarData data, DaylightRules rules);
    CalendarSource(const CalendarSource&) = delete;
    CalendarSource& operator=(const CalendarSource&) = delete;

    const CalendarData& Data() const { return data_; }
    // Replaces the data (the holy-day file read at start-up); every year is built anew.
    void SetData(CalendarData data);
    // The complete calendar of a common year, however the view got there.
    const YearCalendar& Year(int year) { return years_.Year(year); }
    // The chosen place with the daylight rules of a common year; the reference
    // holds until the place changes.
    const Place& PlaceIn(int year);

    const std::string& PlaceName() const { return name_; }
    bool SystemDaylight() const { return systemDaylight_; }
    // Chooses another place or daylight source; true when either changed.
    bool SetPlace(const std::string& name, bool systemDaylight);

private:
    CalendarData data_;
    YearCache years_;
    DaylightRules rules_;
    std::string name_ = kDefaultCity;
    bool systemDaylight_ = true;
    // A year's rules are a few hundred bytes: every year asked for is kept.
    std::map<int, Place> places_;
};

}  // namespace varnel
