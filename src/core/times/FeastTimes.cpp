#include "core/times/FeastTimes.h"

#include <array>
#include <cmath>

#include "core/common/Profile.h"

namespace varnel {
namespace {

constexpr std::string_view kNoDawnDepth = "The sun does not go 16.1\u00b0 below the horizon";
constexpr std::string_view kNoDawnHeight = "The sun does not come within 16.1\u00b0 of the horizon";
constexpr std::string_view kShabbat = "Shabbat";

struct Moment {
    std::optional<double> at;
    std::string_view reason;
};

Moment SunsetOf(const SunDay& sun, double offset) {
    if (!sun.sunset) return {std::nullopt, sun.absence};
    return {*sun.sunset + offset, {}};
}

Moment DawnOf(Date date, const TimesInputs& in) {
    if (!in.depressionOf) return {std::nullopt, kSunDoesNotRise};
    const SunDepression dawn = in.depressionOf(date, kDawnDepression, true);
    switch (dawn.reach) {
        case SunReach::Crosses: return {dawn.dateTime, {}};
        case SunReach::StaysAbove: return {std::nullopt, kNoDawnDepth};
        case SunReach::StaysBelow: break;
    }
    return {std::nullopt, kNoDawnHeight};
}

// The name a kept day's times go by: its holy day's, else Shabbat.
std::string OccasionName(const DayOccasion& o) { return o.rest ? o.restName : std::string(kShabbat); }

// The times of one day, from it and the days either side.
class DayTimes {
public:
    DayTimes(Date date, const TimesInputs& in, std::vector<FeastTime>& out) : date_(date), in_(in), out_(out) {}

    void Add(const DayOccasion& today, const DayOccasion& tomorrow) {
        const SunDay sun = in_.sunOf ? in_.sunOf(date_) : SunDay{};
        const double candleLead = in_.candleMinutes / 1440.0;
        if (!today.fastName.empty() && !BeginsTheEveningBefore(today.fastName))
            Push(TimeKind::FastBegins, DawnOf(date_, in_), today.fastName);
        if (tomorrow.Kept()) {
            // No fire is kindled before a kept day ends, except that a feast
            // day on a Friday lights Shabbat's candles before sunset.
            const bool afterNightfall = today.Kept() && !(date_.Weekday() == kFriday && tomorrow.shabbat);
            Push(TimeKind::Candles, SunsetOf(sun, afterNightfall ? kNightfallDelay : -candleLead), OccasionName(tomorrow));
        }
        if (BeginsTheEveningBefore(tomorrow.fastName)) Push(TimeKind::FastBegins, SunsetOf(sun, 0.0), tomorrow.fastName);
        if (today.Kept() && !tomorrow.Kept()) Push(TimeKind::Havdalah, SunsetOf(sun, kNightfallDelay), OccasionName(today));
        if (!today.fastName.empty()) Push(TimeKind::FastEnds, SunsetOf(sun, kNightfallDelay), today.fastName);
    }

private:
    void Push(TimeKind kind, const Moment& m, std::string occasion) {
        out_.push_back({date_, kind, m.at, m.at ? std::string_view() : m.reason, std::move(occasion)});
    }

    Date date_;
    const TimesInputs& in_;
    std::vector<FeastTime>& out_;
};

}  // namespace

bool IsFast(std::string_view name) {
    static constexpr std::array<std::string_view, 6> kFasts = {
        "Yom Kippur", "Tisha B'Av", "Tzom Gedaliah", "Asarah B'Tevet", "Ta'anit Esther", "Shiva Asar B'Tammuz"};
    for (std::string_view f : kFasts)
        if (f == name) return true;
    return false;
}

bool BeginsTheEveningBefore(std::string_view name) { return name == "Yom Kippur" || name == "Tisha B'Av"; }

DayOccasion OccasionOf(Date date, const std::vector<const HolyDayRecord*>& holyDays) {
    DayOccasion o;
    o.shabbat = date.Weekday() == kSaturday;
    for (const HolyDayRecord* h : holyDays) {
        if (!h || h->name.empty()) continue;
        if (h->restDay && !o.rest) {
            o.rest = true;
            o.restName = h->name;
        }
        if (IsFast(h->name) && o.fastName.empty()) o.fastName = h->name;
    }
    return o;
}

std::vector<FeastTime> FeastTimesBetween(Date first, Date last, const TimesInputs& in) {
    std::vector<FeastTime> out;
    if (!first.IsInSupportedRange() || !last.IsInSupportedRange() || last < first) return out;
    const auto occasion = [&](Date d) {
        return in.occasionOf && d.IsInSupportedRange() ? in.occasionOf(d) : DayOccasion{};
    };
    DayOccasion today = occasion(first);
    for (Date d = first; d <= last; ++d) {
        const DayOccasion tomorrow = occasion(d + 1);
        DayTimes(d, in, out).Add(today, tomorrow);
        today = tomorrow;
    }
    return out;
}

std::optional<int> CustomCandleMinutes(std::string_view placeName) {
    const std::string name = TrimBlanks(placeName);
    const auto startsWith = [&](std::string_view city) {
        return name.size() >= city.size() && std::string_view(name).substr(0, city.size()) == city &&
               (name.size() == city.size() || name[city.size()] == ',');
    };
    if (startsWith("Jerusalem")) return 40;
    if (startsWith("Haifa")) return 30;
    return std::nullopt;
}

}  // namespace varnel
