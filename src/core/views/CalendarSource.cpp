#include "core/views/CalendarSource.h"

namespace varnel {

CalendarSource::CalendarSource(CalendarData data) : data_(std::move(data)), years_(data_) {}

const Place& CalendarSource::PlaceIn(int year) {
    const auto [at, added] = places_.try_emplace(year);
    if (added) at->second = PlaceInYear(choice_, year);
    return at->second;
}

void CalendarSource::SetData(CalendarData data) {
    data_ = std::move(data);
    years_.Clear();
}

void CalendarSource::SetRules(const HolyDayRules& rules) {
    if (rules == data_.rules) return;
    data_.rules = rules;
    years_.Clear();
}

void CalendarSource::SetPersonalDates(PersonalDates dates) {
    data_.personal = std::move(dates);
    years_.Clear();
}

bool CalendarSource::SetPlace(const PlaceChoice& choice) {
    if (choice == choice_) return false;
    choice_ = choice;
    places_.clear();
    return true;
}

}  // namespace varnel
