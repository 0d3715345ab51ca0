#pragma once
// The times the feasts are kept by, from the place's sun: candle-lighting
// before every Shabbat and day of rest, Havdalah when they end, and the
// beginning and end of the fasts. Each time is dated on the common day on
// whose evening (or, for a minor fast, morning) it falls.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar/HolyDays.h"
#include "core/common/Date.h"
#include "core/solar/Location.h"

namespace varnel {

inline constexpr int kDefaultCandleMinutes = 18;
inline constexpr int kMaxCandleMinutes = 90;
inline constexpr double kDawnDepression = 16.1;  // degrees below the horizon at dawn
inline constexpr double kNightfallDelay = 0.0291;  // nightfall, about 42 minutes after sunset, as a day fraction

// In the order the cell prefers them when a day has more than one.
enum class TimeKind { Candles, FastBegins, Havdalah, FastEnds };

struct FeastTime {
    Date date;
    TimeKind kind = TimeKind::Candles;
    std::optional<double> at;  // the place's local date-time; none when the sun gives none
    std::string_view reason;   // why there is none
    std::string occasion;      // "Shabbat" or the holy day's name
};

// What the times need to know of a day (copied: the tables it came from may
// be rebuilt while the next days are asked for).
struct DayOccasion {
    bool shabbat = false;
    bool rest = false;
    std::string restName;  // the day of rest on it
    std::string fastName;  // the fast on it, or empty
    bool Kept() const { return shabbat || rest; }
};

// The occasion of a day from the holy days dated on it.
DayOccasion OccasionOf(Date date, const std::vector<const HolyDayRecord*>& holyDays);
// Yom Kippur and Tisha B'Av begin at sunset the evening before; the other
// fasts (Tzom Gedaliah, Asarah B'Tevet, Ta'anit Esther, Shiva Asar B'Tammuz) at dawn.
bool IsFast(std::string_view name);
bool BeginsTheEveningBefore(std::string_view name);

struct TimesInputs {
    std::function<DayOccasion(Date)> occasionOf;
    std::function<SunDay(Date)> sunOf;
    // The sun a number of degrees below the horizon (dawn when morning).
    std::function<SunDepression(Date, double degrees, bool morning)> depressionOf;
    int candleMinutes = kDefaultCandleMinutes;
};

// Every time dated first..last, in date order and, within a day, as they
// follow one another.
std::vector<FeastTime> FeastTimesBetween(Date first, Date last, const TimesInputs& in);

// The candle-lighting minutes kept by custom in a place, if it has one
// (Jerusalem 40, Haifa 30).
std::optional<int> CustomCandleMinutes(std::string_view placeName);

}  // namespace varnel
