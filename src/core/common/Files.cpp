#include "core/common/Files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "core/common/PendingEvents.h"

namespace varnel {
namespace {
std::string& FolderStorage() {
    static std::string folder = ".";
    return folder;
}
}  // namespace

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    return in.good();
}

bool ReadWholeFile(const std::string& path, std::string& text) {
    text.clear();
    std::error_code ec;
    if (path.empty() || std::filesystem::is_directory(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = std::move(buffer).str();
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& text) {
    const std::string temp = path + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            out.close();
            std::remove(temp.c_str());
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

bool CopyFileOver(const std::string& from, const std::string& to) {
    std::string text;
    return ReadWholeFile(from, text) && WriteFileAtomically(to, text);
}

bool RestoreFromBackup(const std::string& datPath) {
    if (FileExists(datPath)) return true;
    std::string backup = datPath;
    const size_t dot = backup.find_last_of('.');
    const size_t slash = backup.find_last_of("/\\");
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) backup.erase(dot);
    backup += ".bak";
    if (FileExists(backup)) CopyFileOver(backup, datPath);
    LetPendingEventsRun();
    return FileExists(datPath);
}

const std::string& ProgramFolder() { return FolderStorage(); }
void SetProgramFolder(const std::string& folder) { FolderStorage() = folder.empty() ? "." : folder; }

std::string PathIn(const std::string& folder, const std::string& name) {
    return (std::filesystem::path(folder) / name).string();
}

}  // namespace varnel
