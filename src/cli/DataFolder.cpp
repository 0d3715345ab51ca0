#include "cli/DataFolder.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace varnel {
namespace {

bool HoldsHolyDays(const std::string& folder) {
    std::error_code error;
    return fs::exists(folder + "/holydays.dat", error) || fs::exists(folder + "/holydays.bak", error);
}

// The shipped data files of an installed program: relative to the executable
// first (bin/ or the helper's libexec folder), so that a moved prefix still
// finds its own data, then the prefix the build was made for.
std::string InstalledDataFolder(const std::string& exeFolder) {
    std::vector<std::string> candidates;
#ifdef VARNEL_DATADIR_FROM_BIN
    candidates.push_back(exeFolder + "/" VARNEL_DATADIR_FROM_BIN);
#endif
#ifdef VARNEL_DATADIR_FROM_LIBEXEC
    candidates.push_back(exeFolder + "/" VARNEL_DATADIR_FROM_LIBEXEC);
#endif
#ifdef VARNEL_INSTALL_DATADIR
    candidates.push_back(VARNEL_INSTALL_DATADIR);
#endif
    for (const std::string& candidate : candidates) {
        std::error_code error;
        const fs::path folder = fs::canonical(candidate, error);
        if (!error && HoldsHolyDays(folder.string())) return folder.string();
    }
    return {};
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// ~/.local/share/Varnel (XDG_DATA_HOME honoured).
std::string UserDataFolder() {
    std::string base = Environment("XDG_DATA_HOME");
    if (base.empty()) base = Environment("HOME") + "/.local/share";
    return base + "/Varnel";
}

bool MakeFolders(const std::string& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    return fs::is_directory(folder, error);
}

// Renames without ever replacing a file of the new name.
bool RenameNew(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without that rename: a hard link fails as well when the name is taken.
    if (link(from.c_str(), to.c_str()) != 0) return false;
    unlink(from.c_str());
    return true;
}

// Copies one shipped file into the user's folder unless a file (or a link, even a
// dangling one) of that name is already there. The copy is made under a temporary
// name and renamed, and the rename never replaces a file: a user's file is never
// overwritten, and an interrupted start leaves no torn data file.
void SeedFile(const fs::path& source, const fs::path& target) {
    std::error_code error;
    if (fs::exists(fs::symlink_status(target, error))) return;
    if (!MakeFolders(target.parent_path().string())) return;
    const fs::path partial = target.string() + ".seeding";
    fs::remove(partial, error);
    if (!fs::copy_file(source, partial, error)) return;
    fs::permissions(partial, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, error);
    if (!RenameNew(partial.string(), target.string())) fs::remove(partial, error);
}

// Seeds the user's folder with every installed file it lacks, sub-folders
// (the pictures) included.
void SeedUserFolder(const std::string& installed, const std::string& userFolder) {
    std::error_code error;
    for (fs::recursive_directory_iterator it(installed, error), end; !error && it != end; it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        SeedFile(it->path(), fs::path(userFolder) / fs::relative(it->path(), installed, error));
    }
}

}  // namespace

std::string ExecutableFolder() {
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : exe.parent_path().string();
}

std::string ResolveDataFolder(const std::string& given) {
    if (!given.empty()) return given;
    const std::string exeFolder = ExecutableFolder();
    if (HoldsHolyDays(exeFolder)) return exeFolder;

    const std::string userFolder = UserDataFolder();
    const std::string installed = InstalledDataFolder(exeFolder);
    if (installed.empty()) {
        MakeFolders(userFolder);
        return userFolder;
    }
    if (MakeFolders(userFolder)) SeedUserFolder(installed, userFolder);
    // A home that cannot be written (full, read-only) must not hide the calendar:
    // the installed files are read in place then.
    if (!HoldsHolyDays(userFolder)) return installed;
    return userFolder;
}

}  // namespace varnel
