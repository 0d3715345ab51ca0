#pragma once
// The calendar of one common year as a value: the holy days placed on its
// dates and the weekly portions scheduled over its Shabbatot with their
// special readings. Views, printouts and exports each build or borrow the
// years they need; nothing here touches shared state.
#include <array>
#include <optional>
#include <string>

#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"
#include "core/personal/PersonalDays.h"

namespace varnel {

enum class DataFiles { HolyDays, HolyDaysAndPortions };

// What the data folder gives once at start-up: the holy-day table and the
// portions as read (before placement and schedule), and every problem met
// reading them. Each year is built from these; no file is read again.
struct CalendarData {
    std::string folder;
    HolyDayTable holyDays{};
    ParashahTable portions{};
    DataFileReport report;
    // The files asked for ("holydays.dat", ...) that are there in neither form:
    // no problem is reported for them, as a caller may do without the file.
    std::vector<std::string> absentFiles;
    // The user's personal dates (dates.dat), and the entries skipped with the reason.
    PersonalDates personal;
    HolyDayRules rules;  // the reckoning of the Omer and the optional days, from the caller's settings
};

// Reads the holy-day file of a data folder and, unless only the holy days are
// asked for, the portion file (each restored from its backup when missing),
// and the personal dates.
CalendarData LoadCalendarData(const std::string& folder, DataFiles files = DataFiles::HolyDaysAndPortions);

struct YearCalendar {
    int year = 0;  // 0: not built
    HolyDayRules rules;
    PlacedHolyDays holyDays;  // every holy day dated in the year
    ParashahTable parashot{};
    std::vector<PersonalDay> personal;  // the personal dates' days of the year, in date order
};

// Whether a date is a day of Shavuot under the year's reckoning (the
// synagogue's 6 and 7 Sivan are not, under the Sabbath reckoning).
bool IsShavuotDay(const YearCalendar& calendar, Date date);

// Schedules the portions, applies the special readings and places the holy
// days for a common year (1..9999; another year gives an empty calendar).
YearCalendar BuildYear(int year, const CalendarData& data);

// The few most recently used years, so moving back and forth across a year
// boundary rebuilds nothing. The data must outlive the cache.
class YearCache {
public:
    explicit YearCache(const CalendarData& data) : data_(&data) {}
    const YearCalendar& Year(int year);
    // The holy days of a year: a built year's, else placed alone and kept
    // without scheduling the year's portions (the times of a month's last day
    // look at the next day, which can lie in the next year).
    const PlacedHolyDays& HolyDays(int year);
    // The holy days on one date: a built or placed year's, else only that
    // date's placed and kept (the times of a month's last day look at the
    // next day, which can lie in the next year).
    std::vector<const HolyDayRecord*> HolyDaysOn(Date date);
    // Forgets every year (after the data changed).
    void Clear();

private:
    static constexpr size_t kSlots = 3;
    const CalendarData* data_;
    std::array<YearCalendar, kSlots> years_{};
    std::array<unsigned, kSlots> lastUse_{};
    unsigned clock_ = 0;
    // Holy days placed for years not built: the two asked most recently.
    struct PlacedYear {
        int year = 0;
        PlacedHolyDays days;
    };
    std::array<PlacedYear, 2> placed_{};
    // The days of the last date asked for in a year neither built nor placed.
    std::optional<Date> placedDate_;
    PlacedHolyDays placedOnDate_;
};

}  // namespace varnel
