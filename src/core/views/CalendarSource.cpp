#include "core/views/CalendarSource.h"

namespace varnel {

CalendarSource::CalendarSource(CalendarData data, DaylightRules rules)
    : data_(std::move(data)), years_(data_), rules_(std::move(rules)) {}

const Place& CalendarSource::PlaceIn(int year) {
    const auto [at, added] = places_.try_emplace(year);
    if (added) {
        at->second = PlaceNamed(name_, systemDaylight_);
        if (rules_) at->second.daylight = rules_(at->second, year);
    }
    return at->second;
}

void CalendarSource::SetData(CalendarData data) {
    data_ = std::move(data);
    years_.Clear();
}

bool CalendarSource::SetPlace(const std::string& name, bool systemDaylight) {
    if (name == name_ && systemDaylight == systemDaylight_) return false;
    name_ = name;
    systemDaylight_ = systemDaylight;
    places_.clear();
    return true;
}

}  // namespace varnel
