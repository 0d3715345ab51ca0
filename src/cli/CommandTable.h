#pragma once
// What every command accepts, in one table: its arguments, its options (and
// which of them are flags), whether it uses a place. The parser and both help
// texts read it; nothing about a command is said elsewhere.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::cli {

struct Context;

// A command's work. The commands that need Qt (printing, the exports) have
// none in the table: the command line hands them to the desktop program.
using Run = int (*)(const Context&);

struct Option {
    std::string_view name;       // "--output"
    std::string_view value = {};  // its value as the help names it ("FILE"); empty: a flag, which takes none
    std::string_view help = {};   // its line in "varnel --help", when it has one
    bool IsFlag() const { return value.empty(); }
};

// How many positional arguments are taken, and the message when too few are given.
struct Arguments {
    size_t least = 0;
    size_t most = 0;
    std::string_view missing = {};
};

// A first argument that leads to its own arguments and run ("print month").
struct View {
    std::string_view name;
    Arguments arguments;  // counted with the view's own name
    Run run;
};

struct Command {
    std::string_view name;
    std::string_view usage;  // arguments and options, for --help
    std::string_view summary;
    Run run;
    Arguments arguments;
    bool usesPlace = false;  // --city is refused by the commands without a place
    std::vector<Option> options = {};
    std::vector<View> views = {};
};

// The options every command takes, stored on the context rather than among its options.
struct CommonOption {
    Option option;
    void (*store)(Context& context, std::string value);
};

const std::vector<Command>& Commands();
const std::vector<CommonOption>& CommonOptions();
const Command* FindCommand(std::string_view name);
// The option of that name among these, or nullptr.
const Option* FindOption(const std::vector<Option>& options, std::string_view name);

std::string HelpText();
std::string CommandHelpText(const Command& command);

}  // namespace varnel::cli
