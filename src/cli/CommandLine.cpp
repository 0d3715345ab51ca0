#include "cli/CommandLine.h"

#include <algorithm>

#include "cli/DataFileNotes.h"
#include "cli/DataFolder.h"
#include "core/calendar/DataFiles.h"
#include "core/common/Files.h"
#include "core/solar/CitySearch.h"
#include "core/solar/PlaceSettings.h"
#include "core/solar/PreciseSun.h"
#include "core/solar/WorldPlaces.h"
#include "core/solar/ZoneClock.h"
#include "core/solar/SunCalculator.h"
#include "core/views/CalendarSource.h"

namespace varnel::cli {

std::string OptionValue(const Context& context, std::string_view name) {
    std::string value;
    for (const auto& [option, given] : context.options)
        if (option == name) value = given;
    return value;
}

bool HasOption(const Context& context, std::string_view name) {
    for (const auto& entry : context.options)
        if (entry.first == name) return true;
    return false;
}

CalendarData UseDataFolder(const Context& context, DataFiles files) {
    SetProgramFolder(ResolveDataFolder(context.dataDir));
    CalendarData data = LoadCalendarData(ProgramFolder(), files);
    data.rules = ResolveHolyDayRules(context);
    if (const std::string errors = SayDataFileProblems(data.report); !errors.empty()) throw DataError(errors);
    return data;
}

HolyDayRules ResolveHolyDayRules(const Context& context) {
    HolyDayRules rules = HolyDayRulesOf(CommandSettings());
    if (context.omer) rules.omer = *context.omer;
    if (context.schedule) rules.schedule = *context.schedule;
    // Only an automatic schedule asks where the command is.
    return rules.schedule == ScheduleChoice::Auto ? RulesAt(rules, ResolvePlace(context)) : RulesAt(rules, PlaceChoice{});
}

void RequireDataFiles(const CalendarData& data, const std::vector<std::string>& names) {
    for (const std::string& name : names)
        if (std::find(data.absentFiles.begin(), data.absentFiles.end(), name) != data.absentFiles.end())
            throw DataError(MissingFileMessage(data.folder, name));
}

const UserSettings& CommandSettings() {
    static const UserSettings settings = UserSettings::FromSettingsFiles();
    return settings;
}

const char* PlaceOptionGiven(const Context& context) {
    if (!context.city.empty()) return "--city";
    if (!context.latitude.empty()) return "--lat";
    if (!context.longitude.empty()) return "--lon";
    if (!context.zone.empty()) return "--zone";
    if (!context.sun.empty()) return "--sun";
    return nullptr;
}

namespace {

PlaceChoice PlaceOfCoordinates(const Context& context) {
    if (!context.city.empty()) throw UsageError("give either --city or --lat, --lon and --zone");
    if (context.latitude.empty() || context.longitude.empty() || context.zone.empty())
        throw UsageError("a place by coordinates needs --lat, --lon and --zone together");
    const std::optional<double> latitude = ParseDegrees(context.latitude, 90);
    if (!latitude) throw UsageError("bad latitude " + Quoted(context.latitude) + " (decimal degrees -90..90, north positive)");
    const std::optional<double> longitude = ParseDegrees(context.longitude, 180);
    if (!longitude)
        throw UsageError("bad longitude " + Quoted(context.longitude) + " (decimal degrees -180..180, east positive)");
    if (!IsKnownZone(context.zone)) throw UsageError("unknown time zone " + Quoted(context.zone) + " (e.g. America/New_York)");
    PlaceChoice choice;
    choice.custom = true;
    choice.latitude = *latitude;
    choice.longitude = *longitude;
    choice.zone = context.zone;
    choice.name = CoordinatesName(*latitude, *longitude);
    return choice;
}

// A built-in place first (its name or a unique beginning of one), then the
// world list, where a whole name wins over names it begins.
PlaceChoice PlaceOfName(const Context& context) {
    const CityMatches found = SearchCity(context.city);
    if (found.index >= 0) return ChoiceOfCity(CityAt(found.index)->name);
    std::vector<std::string> candidates;
    for (int i : found.matches) candidates.emplace_back(CityAt(i)->name);
    if (candidates.empty()) {
        constexpr size_t kShown = 8;
        const WorldPlaces& world = WorldPlaces::Shared();
        std::vector<const WorldPlace*> places = world.Named(context.city);
        if (places.empty()) places = world.Search(context.city, kShown + 1);
        if (places.size() == 1) return ChoiceOfWorldPlace(*places.front());
        for (const WorldPlace* p : places) candidates.push_back(candidates.size() < kShown ? FullName(*p) : "...");
        if (candidates.size() > kShown) candidates.resize(kShown + 1);
        if (candidates.empty())
            throw UsageError("unknown city " + Quoted(context.city) + " (see varnel cities --search TEXT" +
                             (world.LoadError().empty() ? ")" : "; " + world.LoadError() + ")"));
    }
    std::string list;
    for (const std::string& c : candidates) list += (list.empty() ? "" : "; ") + c;
    throw UsageError("ambiguous city " + Quoted(context.city) + ": " + list);
}

}  // namespace

PlaceChoice ResolvePlace(const Context& context) {
    const PlaceChoice settings = PlaceOfSettings(CommandSettings());
    PlaceChoice choice = settings;
    if (!context.latitude.empty() || !context.longitude.empty() || !context.zone.empty())
        choice = PlaceOfCoordinates(context);
    else if (!context.city.empty())
        choice = PlaceOfName(context);
    choice.systemDaylight = settings.systemDaylight;
    choice.sun = settings.sun;
    if (!context.sun.empty()) {
        const std::optional<SunAlgorithm> sun = ParseSunAlgorithm(context.sun);
        if (!sun) throw UsageError("bad --sun " + Quoted(context.sun) + " (classic or precise)");
        choice.sun = *sun;
    }
    return choice;
}

void RequireSun(const PlaceChoice& place) {
    if (place.sun != SunAlgorithm::Precise) return;
    if (const std::string missing = PreciseSunMissing(); !missing.empty())
        throw DataError(missing + "; --sun classic gives the times without it");
}

}  // namespace varnel::cli
