#include "core/views/CalendarSource.h"

namespace varnel {

CalendarSource::CalendarSource(CalendarData data, DaylightRules rules)
    : data_(std::move(data)), years_(data_), rules_(std::move(rules)) {}

const Place& CalendarSource::PlaceIn(int year) {
    for (size_t i = 0; i < kPlaceSlots; ++i)
        if (placeYears_[i] == year && year != 0) return places_[i];
    const size_t slot = nextPlaceSlot_;
    nextPlaceSlot_ = (nextPlaceSlot_ + 1) % kPlaceSlots;
    places_[slot] = PlaceNamed(name_, systemDaylight_);
    if (rules_) places_[slot].daylight = rules_(places_[slot], year);
    placeYears_[slot] = year;
    return places_[slot];
}

void CalendarSource::SetData(CalendarData data) {
    data_ = std::move(data);
    years_.Clear();
}

bool CalendarSource::SetPlace(const std::string& name, bool systemDaylight) {
    if (name == name_ && systemDaylight == systemDaylight_) return false;
    name_ = name;
    systemDaylight_ = systemDaylight;
    placeYears_ = {};
    return true;
}

}  // namespace varnel
