#pragma once
// The commands that need Qt, run by the desktop program when the command line
// hands them over.
#include <string_view>

#include "cli/CommandParser.h"

namespace varnel::cli {

int RunPrint(const Context& context);
int RunPrintMonth(const Context& context);
int RunExportYear(const Context& context);
int RunExportPortions(const Context& context);
int RunExportFeasts(const Context& context);

// Runs the named command ("print", "print month", "export-year", "export-portions",
// "export-feasts").
int RunWindowCommand(std::string_view name, const Context& context);

}  // namespace varnel::cli
