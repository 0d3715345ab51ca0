#pragma once
// Where the views take their years and places from: the loaded data, the
// most recent common years built from it, and the chosen place with the
// clock it keeps in each year asked for.
#include <map>
#include <string>

#include "core/calendar/YearCalendar.h"
#include "core/solar/Location.h"

namespace varnel {

// The rules with their schedule settled for a place: `auto` keeps Israel's
// for a place in Israel's zone.
HolyDayRules RulesAt(HolyDayRules rules, const PlaceChoice& place);

class CalendarSource {
public:
    // The data moved in once (a command's), or copied (a worker's own).
    explicit CalendarSource(CalendarData&& data);
    explicit CalendarSource(const CalendarData& data) : CalendarSource(CalendarData(data)) {}
    CalendarSource(const CalendarSource&) = delete;
    CalendarSource& operator=(const CalendarSource&) = delete;

    const CalendarData& Data() const { return data_; }
    // Replaces the data (the holy-day file read at start-up); every year is built anew.
    void SetData(CalendarData data);
    // Replaces the personal dates only (after the user changed them); every year is built anew.
    void SetPersonalDates(PersonalDates dates);
    // Changes the rules the years are placed by, their schedule settled for
    // the chosen place; every year is built anew when they changed.
    void SetRules(const HolyDayRules& rules);
    // The complete calendar of a common year, however the view got there.
    const YearCalendar& Year(int year) { return years_.Year(year); }
    // The holy days of a common year, without building the rest of it.
    const PlacedHolyDays& HolyDays(int year) { return years_.HolyDays(year); }
    // The holy days on one date, valid until the source changes or builds another year.
    std::vector<const HolyDayRecord*> HolyDaysOn(Date date) { return years_.HolyDaysOn(date); }
    // The chosen place with the daylight rules of a common year; the reference
    // holds until the place changes.
    const Place& PlaceIn(int year);

    const PlaceChoice& Choice() const { return choice_; }
    const std::string& PlaceName() const { return choice_.name; }
    // Chooses another place, daylight source or sun; true when anything
    // changed. The schedule of the rules is settled for it again.
    bool SetPlace(const PlaceChoice& choice);

private:
    CalendarData data_;
    YearCache years_;
    PlaceChoice choice_;
    // A year's clock is a few hundred bytes: every year asked for is kept.
    std::map<int, Place> places_;
};

}  // namespace varnel
