#include <cstdio>
#include <optional>

#include "cli/CommandLine.h"
#include "cli/TextOut.h"
#include "core/common/DateFormat.h"
#include "core/common/Date.h"
#include "core/common/Json.h"
#include "core/solar/Location.h"

namespace varnel::cli {
namespace {

std::string SecondsText(const ClockTime& t) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
}

// "HH:MM:SS", or the full date and time when the time falls on another date.
std::string JsonTime(double dateTime, Date date) {
    const ClockTime t = SplitDateTime(dateTime);
    return t.date == date ? SecondsText(t) : IsoDate(t.date) + "T" + SecondsText(t);
}

void JsonTimeOrNull(JsonWriter& w, const std::optional<double>& at, Date date) {
    if (at) w.String(JsonTime(*at, date));
    else w.Null();
}

std::string LocalTime(const std::optional<double>& dateTime, Date date) {
    if (!dateTime) return "none";
    std::string text = ClockText(*dateTime);
    const Date day = SplitDateTime(*dateTime).date;
    if (day != date) text += " (" + WeekdayMonthDayText(day) + ")";
    return text;
}

}  // namespace

int RunSun(const Context& context) {
    const Date date = ParseDate(context.args[0]);
    const PlaceChoice choice = ResolvePlace(context);
    RequireSun(choice);
    const Place place = PlaceInYear(choice, date.Year());
    const SunDay sun = SunOn(date, place);
    const std::string_view zone = sun.zoneName;

    if (context.json) {
        JsonWriter w;
        w.BeginObject().Key("city").String(place.name).Key("date").Date(date).Key("sunrise");
        JsonTimeOrNull(w, sun.sunrise, date);
        w.Key("solarnoon").String(JsonTime(sun.solarNoon, date)).Key("sunset");
        JsonTimeOrNull(w, sun.sunset, date);
        if (!sun.sunrise || !sun.sunset) w.Key("reason").String(sun.absence);
        w.Key("daylight").Bool(sun.daylight).Key("zone").String(zone).EndObject();
        out << w.Text() << "\n";
    } else {
        out << place.name << ", " << LongDateText(date) << "\n"
                  << "Sunrise     " << LocalTime(sun.sunrise, date) << "\n"
                  << "Solar noon  " << LocalTime(sun.solarNoon, date) << "\n"
                  << "Sunset      " << LocalTime(sun.sunset, date) << "\n";
        if (!sun.absence.empty()) out << sun.absence << "\n";
        out << (sun.daylight ? "Daylight time" : "Standard time")
                  << (zone.empty() ? std::string() : " (" + std::string(zone) + ")") << "\n";
    }
    return 0;
}

}  // namespace varnel::cli
