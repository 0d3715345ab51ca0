#include "cli/WindowProgram.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "cli/DataFolder.h"
#include "cli/TextOut.h"

namespace varnel {
namespace {

// Beside this program first (the build tree, a portable copy), then the
// helper folder relative to it (a moved prefix), then the configured one.
std::string WindowProgramPath() {
    const std::string folder = ExecutableFolder();
    std::vector<std::string> candidates{folder + "/varnel-gui"};
#ifdef VARNEL_LIBEXECDIR_FROM_BIN
    candidates.push_back(folder + "/" VARNEL_LIBEXECDIR_FROM_BIN "/varnel-gui");
#endif
#ifdef VARNEL_INSTALL_LIBEXECDIR
    candidates.push_back(VARNEL_INSTALL_LIBEXECDIR "/varnel-gui");
#endif
    for (const std::string& path : candidates)
        if (access(path.c_str(), X_OK) == 0) return path;
    return candidates.back();
}

}  // namespace

int RunWindowProgram(char** argv) {
    const std::string path = WindowProgramPath();
    cli::out.Flush();
    execv(path.c_str(), argv);
    cli::err << "varnel: cannot start " << path << ": " << std::strerror(errno) << "\n";
    return 1;
}

}  // namespace varnel
