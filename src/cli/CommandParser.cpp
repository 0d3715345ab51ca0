#include "cli/CommandParser.h"

#include <cctype>
#include <filesystem>
#include <string_view>

#include "cli/CommandLine.h"
#include "cli/CommandTable.h"
#include "cli/DataFolder.h"
#include "cli/TextOut.h"
#include "core/common/Files.h"

namespace varnel::cli {

namespace {

const CommonOption* FindCommonOption(std::string_view name) {
    for (const CommonOption& o : CommonOptions())
        if (o.option.name == name) return &o;
    return nullptr;
}

// "-x" and "--x" are options; "-" and a dash before a digit ("-1") are arguments.
bool LooksLikeOption(const std::string& a) {
    return a.size() > 1 && a[0] == '-' && !std::isdigit(static_cast<unsigned char>(a[1]));
}

// Checks the count of positional arguments against the table and runs the
// command, or the view its first argument names.
int RunWithArguments(const Command& command, const Context& context, const HandOver& handOver) {
    const View* view = nullptr;
    for (const View& v : command.views)
        if (!context.args.empty() && context.args[0] == v.name) view = &v;
    const Arguments& expected = view ? view->arguments : command.arguments;
    if (context.args.size() < expected.least) throw UsageError(std::string(expected.missing));
    if (context.args.size() > expected.most) throw UsageError("unexpected argument " + Quoted(context.args[expected.most]));
    if (const Run run = view ? view->run : command.run) return run(context);
    return handOver(view ? std::string(command.name) + " " + std::string(view->name) : std::string(command.name), context);
}

}  // namespace

int RunCommandLine(int argc, char** argv, const HandOver& handOver) {
    Context context;
    const Command* command = nullptr;
    std::string commandName;
    bool help = false;
    try {
        for (int i = 1; i < argc; ++i) {
            const std::string a = argv[i];
            auto value = [&](const Option& option) -> std::string {
                if (option.IsFlag()) return {};
                if (i + 1 >= argc) throw UsageError(std::string(option.name) + " needs a value");
                return argv[++i];
            };
            if (a == "--help" || a == "-h") help = true;
            else if (a == "--version") {
                out << "varnel " << VARNEL_VERSION << "\n";
                return 0;
            } else if (const CommonOption* common = FindCommonOption(a)) {
                common->store(context, value(common->option));
            } else if (const Option* own = command ? FindOption(command->options, a) : nullptr)
                context.options.emplace_back(a, value(*own));
            else if (LooksLikeOption(a)) throw UsageError("unknown option " + Quoted(a));
            else if (commandName.empty()) {
                commandName = a;
                command = FindCommand(a);
            } else context.args.push_back(a);
        }
        if (commandName.empty()) {
            if (help) {
                out << HelpText();
                return 0;
            }
            // The desktop program takes the data folder; other options mean
            // nothing to it: say so rather than drop them.
            if (context.json || !context.city.empty()) throw UsageError("--json and --city need a command (see varnel --help)");
            std::error_code ec;
            if (!context.dataDir.empty() && !std::filesystem::is_directory(context.dataDir, ec))
                throw DataError("no data folder " + Quoted(context.dataDir));
            SetProgramFolder(ResolveDataFolder(context.dataDir));
            return -1;
        }
        if (!command) throw UsageError("unknown command " + Quoted(commandName) + " (see varnel --help)");
        if (const char* given = PlaceOptionGiven(context); given && !command->usesPlace)
            throw UsageError(std::string(given) + " does not apply to " + commandName + ", which uses no place");
        if (help) {
            out << CommandHelpText(*command);
            return 0;
        }
        return RunWithArguments(*command, context, handOver);
    } catch (const UsageError& e) {
        err << "varnel: " << e.what() << "\n";
        return 2;
    } catch (const DataError& e) {
        // Each line of the message on its own, as a multi-line report reads.
        for (std::string_view rest = e.what(); !rest.empty();) {
            const size_t end = rest.find('\n');
            err << "varnel: " << rest.substr(0, end) << "\n";
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        }
        return 1;
    }
}

}  // namespace varnel::cli
