#pragma once
// What the headless commands share: the parsed command line, its errors, the
// parsers of the argument forms, the data folder and the place.
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/calendar/DataFileCheck.h"
#include "core/printing/Document.h"

namespace varnel::cli {

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A data file the command needs is missing: exit 1 with the message.
struct DataError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Context {
    std::vector<std::string> args;  // positional arguments after the command
    bool json = false;
    std::string city;  // empty: the "Location" setting
    std::string dataDir;
    std::vector<std::pair<std::string, std::string>> options;  // the command's own options, in order; "" for a flag
};

// Parsers of the argument forms; they throw UsageError with a one-line text.
int32_t ParseDate(const std::string& text);  // YYYY-MM-DD
int ParseYear(const std::string& text);      // 1..9999
void ParseMonth(const std::string& text, int& year, int& month);  // YYYY-MM
// --paper (a4, letter, a5; empty: the locale's) and --dpi (30..1200; empty: 150).
PaperSize ParsePaper(const std::string& text);
int ParseDpi(const std::string& text);
// An output file's folder must exist and take files, and the file, when there,
// must be one we may replace.
void CheckWritable(const std::string& path);
// The value of one of the command's options (the last one given), or "";
// whether it was given at all.
std::string OptionValue(const Context& context, std::string_view name);
bool HasOption(const Context& context, std::string_view name);
// An argument echoed in a message: quoted, control characters escaped, cut to
// about 60 characters, so that a message stays one short line.
std::string Quoted(const std::string& text);

// Resolves and installs the data folder for a command, and says what is wrong
// with its data files (throws DataError when one gives no data at all).
void UseDataFolder(const Context& context, DataFiles files = DataFiles::HolyDaysAndPortions);
// Throws DataError naming the first of these data files the installed folder
// lacks (with its backup).
void RequireDataFiles(const std::vector<std::string>& names);

// The place of a command: --city (a name of the built-in table or a unique
// beginning of one, any case; throws UsageError naming the candidates when
// it is unknown or ambiguous),
// else the "Location" setting, else "Charlotte, NC".
std::string ResolveCity(const Context& context);

// Commands, one file each; each is run with the count of arguments its table
// entry asks for.
int RunCities(const Context& context);
int RunConvert(const Context& context);
int RunDay(const Context& context);
int RunExportPortions(const Context& context);
int RunHolyDays(const Context& context);
int RunMonth(const Context& context);
int RunParashot(const Context& context);
int RunPrint(const Context& context);
int RunPrintMonth(const Context& context);
int RunExportYear(const Context& context);
int RunShabbat(const Context& context);
int RunSun(const Context& context);
int RunYear(const Context& context);
int RunResources(const Context& context);

}  // namespace varnel::cli
