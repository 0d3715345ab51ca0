#include <cstdio>
#include <iostream>

#include "app/CommandLine.h"
#include "core/calendar/CalendarState.h"
#include "core/common/DateFormat.h"
#include "core/common/DateSerial.h"
#include "core/common/Json.h"
#include "core/solar/Location.h"
#include "gui/solar/LocationSettings.h"
#include "gui/solar/SystemTimeZone.h"

namespace varnel::cli {
namespace {

std::string ClockText(const ClockTime& t) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
}

// "HH:MM:SS", or the full date and time when the time falls on another date.
std::string JsonTime(double dateTime, int32_t date) {
    const ClockTime t = SplitDateTime(dateTime);
    return t.date == date ? ClockText(t) : IsoDate(t.date) + "T" + ClockText(t);
}

std::string LocalTime(double dateTime, int32_t date) {
    std::string text = FormatDateTime(dateTime, "h:mm AMPM");
    const int32_t day = SplitDateTime(dateTime).date;
    if (day != date) text += FormatDate(day, " (dddd, mmmm d)");
    return text;
}

}  // namespace

int RunSun(const Context& context) {
    const int32_t date = ParseDate(OneArgument(context, "DATE (YYYY-MM-DD)"));
    CurrentCity = ResolveCity(context);
    UseSystemDaylight = ReadUseSystemDaylightSetting();
    CurrentDate = DateSerial(YearOf(date), MonthOf(date), 1);
    LoadTimeZoneRules();

    clsSunrise& sun = Sun();
    sun.SetCity(CurrentCity);
    const std::string& zone = ApplyDaylightRule(date);
    sun.SetDateDay(date);
    sun.CalculateSun();

    if (context.json) {
        JsonWriter w;
        w.BeginObject()
            .Key("city").String(CurrentCity)
            .Key("date").Date(date)
            .Key("sunrise").String(JsonTime(sun.Sunrise(), date))
            .Key("solarnoon").String(JsonTime(sun.SolarNoon(), date))
            .Key("sunset").String(JsonTime(sun.Sunset(), date))
            .Key("daylight").Bool(sun.DaySavings())
            .Key("zone").String(zone)
            .EndObject();
        std::cout << w.Text() << "\n";
    } else {
        std::cout << CurrentCity << ", " << FormatDate(date, "dddd, mmmm d, yyyy") << "\n"
                  << "Sunrise     " << LocalTime(sun.Sunrise(), date) << "\n"
                  << "Solar noon  " << LocalTime(sun.SolarNoon(), date) << "\n"
                  << "Sunset      " << LocalTime(sun.Sunset(), date) << "\n"
                  << (sun.DaySavings() ? "Daylight time" : "Standard time")
                  << (zone.empty() ? "" : " (" + zone + ")") << "\n";
    }
    return 0;
}

}  // namespace varnel::cli
