#include "core/calendar/YearCalendar.h"

#include <algorithm>

#include "core/calendar/FestivalReadings.h"
#include "core/calendar/HebrewCalendar.h"
#include "core/common/Date.h"
#include "core/common/Files.h"

namespace varnel {

CalendarData LoadCalendarData(const std::string& folder, DataFiles files) {
    CalendarData data;
    data.folder = folder;
    if (!LoadHolyDays(PathIn(folder, kHolyDayFile), data.holyDays, data.report)) data.absentFiles.push_back(kHolyDayFile);
    if (files == DataFiles::HolyDaysAndPortions && !LoadPortions(PathIn(folder, kParashahFile), data.portions, data.report))
        data.absentFiles.push_back(kParashahFile);
    data.personal = LoadPersonalDates(PathIn(folder, kPersonalDatesFile));
    return data;
}

YearCalendar BuildYear(int year, const CalendarData& data) {
    YearCalendar calendar;
    if (year < kMinYear || year > kMaxYear) return calendar;
    calendar.year = year;
    calendar.rules = data.rules;
    calendar.parashot = data.portions;
    const ReadingSchedule schedule = data.rules.israel ? ReadingSchedule::Israel : ReadingSchedule::Diaspora;
    ScheduleLoadedPortions(year, calendar.parashot, schedule);
    ApplySpecialReadings(data.holyDays, calendar.parashot, schedule);
    NameShavuotReadings(calendar.parashot, data.rules);
    calendar.holyDays = PlaceHolyDays(data.holyDays, year, data.rules);
    calendar.personal = PersonalDaysIn(data.personal.dates, year);
    return calendar;
}

bool IsShavuotDay(const YearCalendar& calendar, Date date) {
    const std::vector<Date> days = ShavuotDaysOf(HebrewDateOf(date).year, calendar.rules);
    return std::find(days.begin(), days.end(), date) != days.end();
}

const YearCalendar& YearCache::Year(int year) {
    ++clock_;
    size_t oldest = 0;
    for (size_t i = 0; i < kSlots; ++i) {
        if (years_[i].year == year && year != 0) {
            lastUse_[i] = clock_;
            return years_[i];
        }
        if (lastUse_[i] < lastUse_[oldest]) oldest = i;
    }
    years_[oldest] = BuildYear(year, *data_);
    lastUse_[oldest] = clock_;
    return years_[oldest];
}

const PlacedHolyDays& YearCache::HolyDays(int year) {
    for (const YearCalendar& built : years_)
        if (built.year == year && year != 0) return built.holyDays;
    if (placed_[0].year != year || year == 0) {
        std::swap(placed_[0], placed_[1]);  // the most recent first
        if (placed_[0].year != year || year == 0)
            placed_[0] = {year, PlaceHolyDays(data_->holyDays, year, data_->rules)};
    }
    return placed_[0].days;
}

std::vector<const HolyDayRecord*> YearCache::HolyDaysOn(Date date) {
    const int year = date.Year();
    const PlacedHolyDays* days = nullptr;
    for (const YearCalendar& built : years_)
        if (built.year == year && year != 0) days = &built.holyDays;
    for (const PlacedYear& placed : placed_)
        if (!days && placed.year == year && year != 0) days = &placed.days;
    if (!days) {
        if (placedDate_ != date) {
            placedOnDate_ = PlaceHolyDaysOn(data_->holyDays, date, data_->rules);
            placedDate_ = date;
        }
        days = &placedOnDate_;
    }
    std::vector<const HolyDayRecord*> on;
    for (const HolyDayRecord& h : *days)
        if (h.date == date) on.push_back(&h);
    return on;
}

void YearCache::Clear() {
    years_ = {};
    lastUse_ = {};
    placed_ = {};
    placedDate_.reset();
    placedOnDate_.clear();
}

}  // namespace varnel
