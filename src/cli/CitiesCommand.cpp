// "varnel cities": the built-in places with their coordinates and zones, or
// the places of the world list that match a text.
#include <cmath>
#include <cstdio>

#include "cli/CommandLine.h"
#include "cli/TextOut.h"
#include "core/common/Json.h"
#include "core/solar/Location.h"
#include "core/solar/SunCalculator.h"
#include "core/solar/WorldPlaces.h"

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

int SearchWorld(const Context& context, const std::string& text) {
    const WorldPlaces& world = WorldPlaces::Shared();
    if (!world.LoadError().empty()) throw DataError(world.LoadError());
    const std::vector<const WorldPlace*> found = world.Search(text);
    if (context.json) {
        JsonWriter w;
        w.BeginArray();
        for (const WorldPlace* p : found)
            w.BeginObject()
                .Key("name").String(p->name)
                .Key("region").String(p->region)
                .Key("country").String(p->country)
                .Key("latitude").Number(p->latitude)
                .Key("longitude").Number(p->longitude)
                .Key("zone").String(p->zone)
                .EndObject();
        out << w.EndArray().Text() << "\n";
        return 0;
    }
    for (const WorldPlace* p : found) {
        char coordinates[48];
        std::snprintf(coordinates, sizeof coordinates, "%8.3f %9.3f", p->latitude, p->longitude);
        out << FullName(*p) << "  " << coordinates << "  " << p->zone << "\n";
    }
    if (found.empty()) err << "varnel: no place of the world list matches " << Quoted(text) << "\n";
    return 0;
}

}  // namespace

int RunCities(const Context& context) {
    if (HasOption(context, "--search")) return SearchWorld(context, OptionValue(context, "--search"));
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
        out << w.Text() << "\n";
        return 0;
    }
    for (int i = 0; i < kCityCount; ++i) {
        const CityEntry& c = *CityAt(i);
        char coordinates[48];
        std::snprintf(coordinates, sizeof coordinates, "%8.3f %9.3f", c.latitude, EastLongitude(c));
        std::string name(c.name);
        if (name.size() < 26) name.resize(26, ' ');
        out << name << " " << coordinates << "  " << UtcOffsetText(UtcOffsetHours(c)) << "  "
                  << IanaZoneOfCity(i) << "\n";
    }
    return 0;
}

}  // namespace varnel::cli
