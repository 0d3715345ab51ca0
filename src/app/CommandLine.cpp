#include "app/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <initializer_list>
#include <iostream>
#include <sstream>
#include <string_view>

#include "app/DataFileNotes.h"
#include "app/DataFolder.h"
#include "core/calendar/DataFiles.h"
#include "core/common/DateSerial.h"
#include "core/common/Files.h"
#include "core/solar/CitySearch.h"
#include "core/common/MessageText.h"
#include "core/solar/SunCalculator.h"
#include "gui/common/Settings.h"

namespace varnel::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"cities", "", "the built-in places with their coordinates, UTC offsets and zones", RunCities},
        {"convert", "DATE", "the Hebrew date of a common date (YYYY-MM-DD)", RunConvert},
        {"day", "DATE", "the day view: title, the day's lines and the feast countdown", RunDay},
        {"export-portions", "YYYY-MM --to TARGET [--user NAME]",
         "the month's Shabbat portions into an .ics file or a CalDAV calendar URL", RunExportPortions,
         {"--to", "--user"}},
        {"holydays", "YEAR", "the holy-day table as placed for a common year", RunHolyDays},
        {"month", "YYYY-MM", "the month view: title and every day's cell", RunMonth},
        {"parashot", "YEAR", "the portion table as scheduled for a common year, special readings applied", RunParashot},
        {"print", "VIEW ARG --output FILE [--paper a4|letter|a5] [--dpi N]",
         "a printout (day DATE, year YEAR, shabbat YYYY-MM) as PDF or PNG; month YYYY-MM, the calendar page, "
         "also as HTML or RTF (--size page|pocket, --theme winter|summer|none, --picture FILE or --no-picture)",
         RunPrint, {"--output", "--dpi", "--paper", "--size", "--theme", "--picture"}},
        {"export-year", "YEAR [--dir DIR]",
         "the year's linked HTML pages (default: Export/HTML/YEAR in the data folder); prints the index", RunExportYear,
         {"--dir", "--paper"}},
        {"resources", "[FEAST] [--add TARGET [--description TEXT] | --remove N]",
         "the feasts with their resource counts, or one feast's resources; --add and --remove change its list",
         RunResources, {"--add", "--description", "--remove"}},
        {"shabbat", "YYYY-MM", "the month's Shabbat rows: hours, portion and readings", RunShabbat},
        {"sun", "DATE", "sunrise, solar noon and sunset for the place, with the daylight decision", RunSun},
        {"year", "YEAR", "the year view: title, month labels and twelve month grids", RunYear},
    };
    return commands;
}

const Command* FindCommand(const std::string& name) {
    for (const Command& c : Commands())
        if (name == c.name) return &c;
    return nullptr;
}

namespace {
bool TakesOption(const std::string& commandName, const std::string& option) {
    const Command* c = FindCommand(commandName);
    return c && std::find(c->options.begin(), c->options.end(), option) != c->options.end();
}
}  // namespace

std::string HelpText() {
    std::string text =
        "Usage: varnel [COMMAND [ARGUMENTS] [OPTIONS]]\n"
        "Without a command the desktop program starts (without a display it prints this month).\n\n"
        "Commands:\n";
    for (const Command& c : Commands()) {
        std::string head = std::string("  ") + c.name + " " + c.synopsis;
        // A synopsis too long for the column puts its summary on the next line, aligned.
        if (head.size() < 24) head.resize(24, ' ');
        else head += "\n" + std::string(24, ' ');
        text += head + " " + c.summary + "\n";
    }
    text +=
        "\nOptions:\n"
        "  --data-dir DIR          the folder of the data files\n"
        "  --city NAME             a place of the built-in table (default: the Location setting)\n"
        "  --json                  machine-readable output\n"
        "  --output FILE           print: the file written, .pdf or .png\n"
        "  --dpi N                 print: the resolution of a .png (default 150)\n"
        "  --paper a4|letter|a5    print: the paper (default: the locale's)\n"
        "  --help                  this text; COMMAND --help for one command\n"
        "  --version               the program's version\n";
    return text;
}

std::string Quoted(const std::string& text) { return "'" + EscapeForMessage(text) + "'"; }

namespace {
// The commands whose output depends on the place; --city is refused by the others.
bool UsesPlace(const Command& command) {
    static constexpr std::string_view kWithPlace[] = {"day", "export-year", "month", "print", "shabbat", "sun"};
    return std::find(std::begin(kWithPlace), std::end(kWithPlace), command.name) != std::end(kWithPlace);
}

// Digits everywhere but at the dash positions (sscanf alone would take "+024" or " 1").
bool DigitsAndDashes(const std::string& text, std::initializer_list<size_t> dashes) {
    for (size_t i = 0; i < text.size(); ++i) {
        const bool dash = std::find(dashes.begin(), dashes.end(), i) != dashes.end();
        if (dash ? text[i] != '-' : !std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    }
    return true;
}
}  // namespace

int32_t ParseDate(const std::string& text) {
    int y = 0, m = 0, d = 0;
    char extra = 0;
    if (text.size() != 10 || !DigitsAndDashes(text, {4, 7}) ||
        std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &extra) != 3)
        throw UsageError("malformed date " + Quoted(text) + " (expected YYYY-MM-DD)");
    if (y < kMinYear || y > kMaxYear) throw UsageError("year outside 1..9999 in " + Quoted(text));
    if (!IsValidDate(y, m, d)) throw UsageError("no such date " + Quoted(text));
    return DateSerial(y, m, d);
}

int ParseYear(const std::string& text) {
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError("malformed year " + Quoted(text) + " (expected 1..9999)");
    const int y = std::stoi(text);
    if (y < kMinYear || y > kMaxYear) throw UsageError("year outside 1..9999: " + Quoted(text));
    return y;
}

void ParseMonth(const std::string& text, int& year, int& month) {
    char extra = 0;
    if (text.size() != 7 || !DigitsAndDashes(text, {4}) ||
        std::sscanf(text.c_str(), "%4d-%2d%c", &year, &month, &extra) != 2)
        throw UsageError("malformed month " + Quoted(text) + " (expected YYYY-MM)");
    if (year < kMinYear || year > kMaxYear) throw UsageError("year outside 1..9999 in " + Quoted(text));
    if (month < 1 || month > 12) throw UsageError("no such month " + Quoted(text));
}

const std::string& OneArgument(const Context& context, const char* what) {
    if (context.args.empty()) throw UsageError(std::string("missing ") + what);
    if (context.args.size() > 1) throw UsageError("unexpected argument " + Quoted(context.args[1]));
    return context.args[0];
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
    if (found.index >= 0) return std::string(SunCalculator::CityAt(found.index)->name);
    if (found.matches.empty())
        throw UsageError("unknown city " + Quoted(context.city) + " (see varnel cities)");
    std::string candidates;
    for (int i : found.matches) {
        if (!candidates.empty()) candidates += "; ";
        candidates += SunCalculator::CityAt(i)->name;
    }
    throw UsageError("ambiguous city " + Quoted(context.city) + ": " + candidates);
}

int RunCommandLine(int argc, char** argv) {
    Context context;
    std::string commandName;
    bool help = false;
    try {
        for (int i = 1; i < argc; ++i) {
            const std::string a = argv[i];
            auto value = [&](const char* option) -> std::string {
                if (i + 1 >= argc) throw UsageError(std::string(option) + " needs a value");
                return argv[++i];
            };
            if (a == "--help" || a == "-h") help = true;
            else if (a == "--version") {
                std::cout << "varnel " << VARNEL_VERSION << "\n";
                return 0;
            } else if (a == "--json") context.json = true;
            else if (a == "--data-dir") context.dataDir = value("--data-dir");
            else if (a == "--city") context.city = value("--city");
            else if (a == "--no-picture" && commandName == "print") context.options.emplace_back(a, "");
            else if (TakesOption(commandName, a)) context.options.emplace_back(a, value(a.c_str()));
            else if (a.size() > 1 && a[0] == '-' && !(a.size() > 1 && std::isdigit(static_cast<unsigned char>(a[1]))))
                throw UsageError("unknown option " + Quoted(a));
            else if (commandName.empty()) commandName = a;
            else context.args.push_back(a);
        }
        if (commandName.empty()) {
            if (help) {
                std::cout << HelpText();
                return 0;
            }
            // Options mean nothing to the desktop program: say so rather than drop them.
            if (context.json || !context.dataDir.empty() || !context.city.empty() || !context.options.empty())
                throw UsageError("options need a command (see varnel --help)");
            return -1;
        }
        const Command* command = FindCommand(commandName);
        if (!command) throw UsageError("unknown command " + Quoted(commandName) + " (see varnel --help)");
        if (!context.city.empty() && !UsesPlace(*command))
            throw UsageError(std::string("--city does not apply to ") + command->name + ", which uses no place");
        if (help) {
            std::cout << "Usage: varnel " << command->name << " " << command->synopsis
                      << " [--json] [--data-dir DIR]" << (UsesPlace(*command) ? " [--city NAME]" : "") << "\n  "
                      << command->summary << "\n";
            return 0;
        }
        return command->run(context);
    } catch (const UsageError& e) {
        std::cerr << "varnel: " << e.what() << "\n";
        return 2;
    } catch (const DataError& e) {
        std::istringstream lines(e.what());
        for (std::string line; std::getline(lines, line);) std::cerr << "varnel: " << line << "\n";
        return 1;
    }
}

}  // namespace varnel::cli
