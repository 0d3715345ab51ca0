#include "core/views/CalendarTimes.h"

#include <algorithm>

namespace varnel {

DayOccasion OccasionOn(CalendarSource& source, Date date) {
    return OccasionOf(date, source.HolyDaysOn(date));
}

std::vector<FeastTime> FeastTimesOf(CalendarSource& source, Date first, Date last, int candleMinutes) {
    TimesInputs in;
    in.candleMinutes = candleMinutes;
    in.occasionOf = [&source](Date d) { return OccasionOn(source, d); };
    in.sunOf = [&source](Date d) { return SunOn(d, source.PlaceIn(d.Year())); };
    in.depressionOf = [&source](Date d, double degrees, bool morning) {
        return SunBelowHorizon(d, source.PlaceIn(d.Year()), degrees, morning);
    };
    return FeastTimesBetween(first, last, in);
}

std::vector<const FeastTime*> TimesOn(const std::vector<FeastTime>& times, Date date) {
    std::vector<const FeastTime*> out;
    const auto from = std::lower_bound(times.begin(), times.end(), date,
                                       [](const FeastTime& t, Date d) { return t.date < d; });
    for (auto it = from; it != times.end() && it->date == date; ++it) out.push_back(&*it);
    return out;
}

}  // namespace varnel
