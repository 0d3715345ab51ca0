#include "app/WindowCommands.h"

#include <string>

#include "cli/CommandLine.h"

namespace varnel::cli {

int RunWindowCommand(std::string_view name, const Context& context) {
    if (name == "print") return RunPrint(context);
    if (name == "print month") return RunPrintMonth(context);
    if (name == "export-year") return RunExportYear(context);
    if (name == "export-portions") return RunExportPortions(context);
    if (name == "export-feasts") return RunExportFeasts(context);
    throw DataError("no such command here: " + std::string(name));
}

}  // namespace varnel::cli

// The module's entry point for the commands varnel-gui runs without a window.
extern "C" __attribute__((visibility("default"))) int varnel_run_window_command(std::string_view name,
                                                                               const varnel::cli::Context& context) {
    return varnel::cli::RunWindowCommand(name, context);
}
