#include "cli/CommandTable.h"

#include <algorithm>

#include "cli/CommandLine.h"

namespace varnel::cli {

namespace {
const Option kPaper{"--paper", "a4|letter|a5", "print: the paper (default: the locale's)"};
}  // namespace

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"cities", "[--search TEXT]",
         "the built-in places with their coordinates, UTC offsets and zones, or the world list's places matching TEXT",
         RunCities, {0, 0}, false, {{"--search", "TEXT"}}},
        {"convert", "DATE", "the Hebrew date of a common date (YYYY-MM-DD)", RunConvert,
         {1, 1, "missing DATE (YYYY-MM-DD)"}},
        {"dates", "[YEAR] [--add NAME (--date YYYY-MM-DD [--after-sunset] | --hebrew \"D Month YYYY\") [--kind KIND] "
                  "[--note TEXT] | --remove N]",
         "the personal dates (birthdays, anniversaries, yahrzeits), or their days in a common year; --add and "
         "--remove change the list",
         RunDates, {0, 1}, false,
         {{"--add", "NAME"}, {"--date", "YYYY-MM-DD"}, {"--hebrew", "\"D Month YYYY\""}, {"--after-sunset"},
          {"--kind", "birthday|anniversary|yahrzeit|other"}, {"--note", "TEXT"}, {"--remove", "N"}}},
        {"day", "DATE", "the day view: title, the day's lines and the feast countdown", RunDay, {1, 1, "missing DATE"},
         true},
        {"export-portions", "YYYY-MM --to TARGET [--user NAME]",
         "the month's Shabbat portions into an .ics file or a CalDAV calendar URL", nullptr,
         {1, 1, "missing YYYY-MM"}, true, {{"--to", "TARGET"}, {"--user", "NAME"}}},
        {"export-feasts", "YEAR --to TARGET [--user NAME] [--times] [--personal]",
         "the year's holy days (with --times the candle-lighting, Havdalah and fast times, with --personal the "
         "personal dates) into an .ics file or a CalDAV calendar URL; a rerun replaces the earlier export's items",
         nullptr, {1, 1, "missing YEAR"}, true, {{"--to", "TARGET"}, {"--user", "NAME"}, {"--times"}, {"--personal"}}},
        {"holydays", "YEAR", "the holy-day table as placed for a common year", RunHolyDays, {1, 1, "missing YEAR"},
         true},
        {"month", "YYYY-MM", "the month view: title and every day's cell", RunMonth, {1, 1, "missing YYYY-MM"}, true},
        {"parashot", "YEAR", "the portion table as scheduled for a common year, special readings applied", RunParashot,
         {1, 1, "missing YEAR"}, true},
        {"print", "VIEW ARG --output FILE [--paper a4|letter|a5] [--dpi N]",
         "a printout (day DATE, year YEAR, shabbat YYYY-MM) as PDF or PNG; month YYYY-MM, the calendar page, "
         "also as HTML or RTF (--size page|pocket, --theme winter|summer|none, --picture FILE or --no-picture)",
         nullptr,
         {2, 2, "print needs a view and its argument (day DATE, year YEAR, shabbat YYYY-MM)"},
         true,
         {{"--output", "FILE", "print: the file written, .pdf or .png"},
          {"--dpi", "N", "print: the resolution of a .png (default 150)"},
          kPaper,
          {"--size", "page|pocket"},
          {"--theme", "winter|summer|none"},
          {"--picture", "FILE"},
          {"--no-picture"}},
         {{"month", {2, 2, "missing YYYY-MM"}, nullptr}}},
        {"export-year", "YEAR [--dir DIR]",
         "the year's linked HTML pages (default: Export/HTML/YEAR in the data folder); prints the index", nullptr,
         {1, 1, "missing YEAR"}, true, {{"--dir", "DIR"}, kPaper}},
        {"resources", "[FEAST] [--add TARGET [--description TEXT] | --remove N]",
         "the feasts with their resource counts, or one feast's resources; --add and --remove change its list",
         RunResources, {0, 1}, false, {{"--add", "TARGET"}, {"--description", "TEXT"}, {"--remove", "N"}}},
        {"shabbat", "YYYY-MM", "the month's Shabbat rows: hours, portion and readings", RunShabbat,
         {1, 1, "missing YYYY-MM"}, true},
        {"sun", "DATE", "sunrise, solar noon and sunset for the place, with the daylight decision", RunSun,
         {1, 1, "missing DATE (YYYY-MM-DD)"}, true},
        {"times", "YYYY-MM", "the month's candle-lighting, Havdalah and fast times in date order", RunTimes,
         {1, 1, "missing YYYY-MM"}, true},
        {"year", "YEAR", "the year view: title, month labels and twelve month grids", RunYear, {1, 1, "missing YEAR"},
         true},
    };
    return commands;
}

const std::vector<CommonOption>& CommonOptions() {
    static const std::vector<CommonOption> options = {
        {{"--data-dir", "DIR", "the folder of the data files"},
         [](Context& c, std::string value) { c.dataDir = std::move(value); }},
        {{"--city", "NAME", "a built-in place, else a place of the world list (default: the Location setting)"},
         [](Context& c, std::string value) { c.city = std::move(value); }},
        {{"--lat", "DEG", "any place: its latitude in decimal degrees, north positive (with --lon and --zone)"},
         [](Context& c, std::string value) { c.latitude = std::move(value); }},
        {{"--lon", "DEG", "its longitude in decimal degrees, east positive"},
         [](Context& c, std::string value) { c.longitude = std::move(value); }},
        {{"--zone", "ZONE", "its time zone (America/New_York)"},
         [](Context& c, std::string value) { c.zone = std::move(value); }},
        {{"--sun", "classic|precise", "the sun's algorithm (default: the SunAlgorithm setting, else classic)"},
         [](Context& c, std::string value) { c.sun = std::move(value); }},
        {{"--json", "", "machine-readable output"}, [](Context& c, std::string) { c.json = true; }},
        {{"--omer", "sabbath|nisan16", "the count of the Omer and Shavuot (default: the OmerReckoning setting)"},
         [](Context& c, std::string value) {
             c.omer = ParseOmerReckoning(value);
             if (!c.omer) throw UsageError("--omer takes sabbath or nisan16, not " + Quoted(value));
         }},
        {{"--schedule", "israel|diaspora",
          "the festival days and portions kept in Israel or outside it (default: the Schedule setting; auto, "
          "its default, keeps Israel's at a place in Israel)"},
         [](Context& c, std::string value) {
             c.schedule = ParseScheduleChoice(value);
             if (!c.schedule) throw UsageError("--schedule takes israel, diaspora or auto, not " + Quoted(value));
         }},
    };
    return options;
}

const Command* FindCommand(std::string_view name) {
    for (const Command& c : Commands())
        if (name == c.name) return &c;
    return nullptr;
}

const Option* FindOption(const std::vector<Option>& options, std::string_view name) {
    const auto found = std::find_if(options.begin(), options.end(), [name](const Option& o) { return o.name == name; });
    return found == options.end() ? nullptr : &*found;
}

namespace {

// "  NAME VALUE" in a column of `width`, the text after it; a head too long
// for the column puts the text on the next line, aligned.
std::string HelpLine(std::string head, size_t width, std::string_view text) {
    head.insert(0, "  ");
    if (head.size() < width) head.resize(width, ' ');
    else head += "\n" + std::string(width, ' ');
    return head + " " + std::string(text) + "\n";
}

std::string OptionLine(const Option& o) {
    std::string head(o.name);
    if (!o.IsFlag()) head += " " + std::string(o.value);
    return HelpLine(head, 25, o.help);
}

}  // namespace

std::string HelpText() {
    std::string text =
        "Usage: varnel [COMMAND [ARGUMENTS] [OPTIONS]]\n"
        "Without a command the desktop program starts, on the --data-dir folder when given\n"
        "(without a display it prints this month).\n\n"
        "Commands:\n";
    for (const Command& c : Commands()) text += HelpLine(std::string(c.name) + " " + std::string(c.usage), 24, c.summary);
    text += "\nOptions:\n";
    for (const CommonOption& o : CommonOptions()) text += OptionLine(o.option);
    std::vector<std::string_view> listed;
    for (const Command& c : Commands())
        for (const Option& o : c.options)
            if (!o.help.empty() && std::find(listed.begin(), listed.end(), o.name) == listed.end()) {
                listed.push_back(o.name);
                text += OptionLine(o);
            }
    text += OptionLine({"--help", "", "this text; COMMAND --help for one command"});
    text += OptionLine({"--version", "", "the program's version"});
    text +=
        "\nExit status:\n"
        "  0  done\n"
        "  1  a file, server or data problem (no space, no permission, a calendar that cannot be\n"
        "     reached or was changed by another program meanwhile); the reason is on standard error\n"
        "  2  a bad command line (unknown command or option, malformed date, unsupported address)\n";
    return text;
}

std::string CommandHelpText(const Command& command) {
    return "Usage: varnel " + std::string(command.name) + " " + std::string(command.usage) +
           " [--json] [--data-dir DIR] [--omer sabbath|nisan16] [--schedule israel|diaspora]" +
           (command.usesPlace ? " [--city NAME | --lat DEG --lon DEG --zone ZONE] [--sun classic|precise]" : "") + "\n  " +
           std::string(command.summary) + "\n";
}

}  // namespace varnel::cli
