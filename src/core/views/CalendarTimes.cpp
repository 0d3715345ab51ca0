#include "core/views/CalendarTimes.h"

#include <algorithm>

namespace varnel {

DayOccasion OccasionOn(CalendarSource& source, Date date) {
    std::vector<const HolyDayRecord*> onDate;
    const int year = date.Year();
    // One year at a time: asking for the next may rebuild the cache's slot of this one.
    DayOccasion o;
    for (const int y : {year, year + 1}) {
        if (y > kMaxYear) continue;
        onDate.clear();
        for (const HolyDayRecord& h : source.Year(y).holyDays)
            if (h.date == date) onDate.push_back(&h);
        const DayOccasion part = OccasionOf(date, onDate);
        o.shabbat = part.shabbat;
        if (part.rest && !o.rest) {
            o.rest = true;
            o.restName = part.restName;
        }
        if (o.fastName.empty()) o.fastName = part.fastName;
    }
    return o;
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
