#pragma once
// The headless command line: "varnel COMMAND [options]" prints to standard
// output; a bad argument exits 2 with a one-line message on standard error,
// a file or data problem 1.

#include <functional>
#include <string_view>

namespace varnel::cli {

struct Context;

// Runs a command that has no run in the table, by its name ("print",
// "print month", "export-year"), once its arguments were checked.
using HandOver = std::function<int(std::string_view name, const Context& context)>;

// Returns -1 when argv names no command (the desktop program should start,
// on the data folder now set: the one --data-dir gives, else the usual one),
// else the process exit status.
int RunCommandLine(int argc, char** argv, const HandOver& handOver);

}  // namespace varnel::cli
