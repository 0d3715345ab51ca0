// "varnel cities": the built-in places with their coordinates and zones.
#include <cmath>
#include <cstdio>
#include <iostream>

#include "cli/CommandLine.h"
#include "core/common/Json.h"
#include "core/solar/Location.h"
#include "core/solar/SunCalculator.h"

namespace varnel::cli {
namespace {

// The table keeps longitudes positive west and zones as hours behind UTC;
// people read them the other way round.
double EastLongitude(const CityEntry& c) { return -c.longitude; }
double UtcOffsetHours(const CityEntry& c) { return c.timeZone == 0 ? 0.0 : -c.timeZone; }

std::string UtcOffsetText(double hours) {
    const int minutes = static_cast<int>(std::lround(std::fabs(hours) * 60));
    char text[32];
    std::snprintf(text, sizeof text, "UTC%c%02d:%02d", hours < 0 ? '-' : '+', minutes / 60, minutes % 60);
    return text;
}

}  // namespace

int RunCities(const Context& context) {
    if (context.json) {
        JsonWriter w;
        w.BeginArray();
        for (int i = 0; i < kCityCount; ++i) {
            const CityEntry& c = *CityAt(i);
            w.BeginObject()
                .Key("name").String(c.name)
                .Key("latitude").Number(c.latitude)
                .Key("longitude").Number(EastLongitude(c))
                .Key("utcoffset").Number(UtcOffsetHours(c))
                .Key("zone").String(IanaZoneOfCity(i))
                .EndObject();
        }
        w.EndArray();
        std::cout << w.Text() << "\n";
        return 0;
    }
    for (int i = 0; i < kCityCount; ++i) {
        const CityEntry& c = *CityAt(i);
        char coordinates[48];
        std::snprintf(coordinates, sizeof coordinates, "%8.3f %9.3f", c.latitude, EastLongitude(c));
        std::string name(c.name);
        if (name.size() < 26) name.resize(26, ' ');
        std::cout << name << " " << coordinates << "  " << UtcOffsetText(UtcOffsetHours(c)) << "  "
                  << IanaZoneOfCity(i) << "\n";
    }
    return 0;
}

}  // namespace varnel::cli
