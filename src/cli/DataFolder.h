#pragma once
#include <string>

namespace varnel {
// The folder of the running executable.
std::string ExecutableFolder();
// The data folder: the one given, else the executable's folder when it holds
// the holy-day file or its backup, else the per-user data folder, seeded with
// the installed data files that are missing there.
std::string ResolveDataFolder(const std::string& given);
}  // namespace varnel
