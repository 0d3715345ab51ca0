#pragma once
// What the headless commands share: the parsed command line, the argument
// forms, the data folder and the place.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/CommandArguments.h"
#include "core/calendar/FeastRules.h"
#include "core/calendar/YearCalendar.h"
#include "core/common/UserSettings.h"
#include "core/solar/Location.h"

namespace varnel::cli {

struct Context {
    std::vector<std::string> args;  // positional arguments after the command
    bool json = false;
    std::string city;  // empty: the "Location" setting
    std::string latitude, longitude, zone;  // any place, all three given together
    std::string sun;  // "classic" or "precise"; empty: the "SunAlgorithm" setting
    std::string dataDir;
    std::optional<OmerReckoning> omer;  // --omer; none: the "OmerReckoning" setting
    std::optional<ScheduleChoice> schedule;  // --schedule; none: the "Schedule" setting
    std::vector<std::pair<std::string, std::string>> options;  // the command's own options, in order; "" for a flag
};

// The value of one of the command's options (the last one given), or "";
// whether it was given at all.
std::string OptionValue(const Context& context, std::string_view name);
bool HasOption(const Context& context, std::string_view name);
// Resolves and installs the data folder for a command, reads its data files
// once and says what is wrong with them (throws DataError when one gives no
// data at all).
CalendarData UseDataFolder(const Context& context, DataFiles files = DataFiles::HolyDaysAndPortions);
// The rules a command places its holy days by: the settings, with --omer and
// --schedule over them; an automatic schedule is Israel's for a place (the
// command's, else the settings') in Israel. UseDataFolder's data carry them.
HolyDayRules ResolveHolyDayRules(const Context& context);
// Throws DataError naming the first of these data files that the folder read
// into the data lacked, with its backup.
void RequireDataFiles(const CalendarData& data, const std::vector<std::string>& names);

// The user's settings, read from the settings files once.
const UserSettings& CommandSettings();

// The first place option given (--city, --lat, --lon, --zone or --sun), or nullptr.
const char* PlaceOptionGiven(const Context& context);
// The place of a command: --lat, --lon and --zone together (any place), or
// --city (a name of the built-in table or a unique beginning of one, any
// case; throws UsageError naming the candidates when it is unknown or
// ambiguous), else the place settings; with the settings' daylight source, and
// the sun's algorithm of --sun or the settings.
PlaceChoice ResolvePlace(const Context& context);
// For a command that gives the sun's times: throws DataError when the place
// asks for the precise sun and its library is not installed.
void RequireSun(const PlaceChoice& place);

// Commands, one file each; each is run with the count of arguments its table
// entry asks for. Printing and the exports need Qt: the desktop program runs
// them (app/WindowCommands.h).
int RunCities(const Context& context);
int RunConvert(const Context& context);
int RunDates(const Context& context);
int RunDay(const Context& context);
int RunHolyDays(const Context& context);
int RunMonth(const Context& context);
int RunParashot(const Context& context);
int RunShabbat(const Context& context);
int RunSun(const Context& context);
int RunTimes(const Context& context);
int RunYear(const Context& context);
int RunResources(const Context& context);

}  // namespace varnel::cli
