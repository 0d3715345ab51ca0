#include "app/CommandLine.h"


#include "app/DataFileNotes.h"
#include "app/DataFolder.h"
#include "core/calendar/DataFiles.h"
#include "core/common/Files.h"
#include "core/solar/CitySearch.h"
#include "core/solar/SunCalculator.h"
#include "gui/common/Settings.h"

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

std::string ResolveCity(const Context& context) {
    if (context.city.empty()) return ReadLocationSetting();
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
