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
