#include "core/views/CalendarSource.h"

namespace varnel {

HolyDayRules RulesAt(HolyDayRules rules, const PlaceChoice& place) {
    SettleSchedule(rules, IsIsraelZone(ZoneOfChoice(place)));
    return rules;
}

CalendarSource::CalendarSource(CalendarData&& data) : data_(std::move(data)), years_(data_) {
    data_.rules = RulesAt(data_.rules, choice_);
}

const Place& CalendarSource::PlaceIn(int year) {
    const auto [at, added] = places_.try_emplace(year);
    if (added) at->second = PlaceInYear(choice_, year);
    return at->second;
}

void CalendarSource::SetData(CalendarData data) {
    data_ = std::move(data);
    data_.rules = RulesAt(data_.rules, choice_);
    years_.Clear();
}

void CalendarSource::SetRules(const HolyDayRules& rules) {
    const HolyDayRules settled = RulesAt(rules, choice_);
    if (settled == data_.rules) return;
    data_.rules = settled;
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
    const HolyDayRules settled = RulesAt(data_.rules, choice_);
    if (settled != data_.rules) {
        data_.rules = settled;
        years_.Clear();
    }
    return true;
}

}  // namespace varnel
