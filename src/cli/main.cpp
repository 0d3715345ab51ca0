// varnel: the command line. Text and JSON commands run here, on the plain
// core; the window, printing and the exports are handed to the desktop program.
#include <string_view>

#include "cli/CommandParser.h"
#include "cli/ThisMonth.h"
#include "cli/WindowProgram.h"

int main(int argc, char** argv) {
    const int status = varnel::cli::RunCommandLine(
        argc, argv, [argv](std::string_view, const varnel::cli::Context&) { return varnel::RunWindowProgram(argv); });
    if (status >= 0) return status;
    // No command: the window, or this month printed when there is no display
    // (the parser has installed the data folder).
    if (varnel::HasDisplay()) return varnel::RunWindowProgram(argv);
    varnel::PrintThisMonth();
    return 0;
}
