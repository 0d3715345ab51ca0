#include "cli/CommandLine.h"

#include "cli/DataFileNotes.h"
#include "cli/DataFolder.h"
#include "core/calendar/DataFiles.h"
#include "core/common/Files.h"
#include "core/solar/CitySearch.h"
#include "core/solar/SunCalculator.h"

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

void UseDataFolder(const Context& context, DataFiles files) {
    SetProgramFolder(ResolveDataFolder(context.dataDir));
    if (const std::string errors = SayDataFileProblems(ProgramFolder(), files); !errors.empty()) throw DataError(errors);
}

void RequireDataFiles(const std::vector<std::string>& names) {
    const std::vector<std::string> missing = MissingDataFiles(ProgramFolder(), names);
    if (!missing.empty()) throw DataError(MissingFileMessage(ProgramFolder(), missing.front()));
}

namespace {
CalendarSource::DaylightRules& Rules() {
    static CalendarSource::DaylightRules rules;
    return rules;
}
}  // namespace

const UserSettings& CommandSettings() {
    static const UserSettings settings = UserSettings::FromSettingsFiles();
    return settings;
}

void SetDaylightRules(CalendarSource::DaylightRules rules) { Rules() = std::move(rules); }

const CalendarSource::DaylightRules& DaylightRules() { return Rules(); }

Place PlaceForYear(std::string_view name, bool systemDaylight, int year) {
    Place place = PlaceNamed(name, systemDaylight);
    place.daylight = Rules()(place, year);
    return place;
}

std::string ResolveCity(const Context& context) {
    if (context.city.empty()) return CommandSettings().Location();
    const CityMatches found = SearchCity(context.city);
    if (found.index >= 0) return std::string(CityAt(found.index)->name);
    if (found.matches.empty())
        throw UsageError("unknown city " + Quoted(context.city) + " (see varnel cities)");
    std::string candidates;
    for (int i : found.matches) {
        if (!candidates.empty()) candidates += "; ";
        candidates += CityAt(i)->name;
    }
    throw UsageError("ambiguous city " + Quoted(context.city) + ": " + candidates);
}

}  // namespace varnel::cli
