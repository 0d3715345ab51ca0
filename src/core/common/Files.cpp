#include "core/common/Files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>


namespace varnel {
namespace {

WriteStepHook writeStepHook = nullptr;

bool StepDone(WriteStep step) { return !writeStepHook || writeStepHook(step); }

std::string& FolderStorage() {
    static std::string folder = ".";
    return folder;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    void Reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    // Closes now and reports whether the close (which can report a late write error) succeeded.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

FileRead Failed(FileStatus status, int error = 0) { return FileRead{status, error}; }

// Opens a regular file for reading without blocking (a FIFO would otherwise
// wait for a writer) and without touching devices: the kind is checked first.
FileRead OpenRegular(const std::string& path, FileDescriptor& fd, struct stat& st) {
    if (path.empty()) return Failed(FileStatus::Missing);
    struct stat link;
    if (::lstat(path.c_str(), &link) != 0)
        return errno == ENOENT || errno == ENOTDIR ? Failed(FileStatus::Missing) : Failed(FileStatus::Unreadable, errno);
    if (::stat(path.c_str(), &st) != 0) {
        if (S_ISLNK(link.st_mode) && errno == ENOENT) return Failed(FileStatus::DanglingLink);
        return Failed(FileStatus::Unreadable, errno);
    }
    if (!S_ISREG(st.st_mode)) return Failed(FileStatus::NotRegular);
    fd.Reset(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) return Failed(FileStatus::Unreadable, errno);
    // The path may have been swapped between the test and the open.
    if (::fstat(fd.get(), &st) != 0) return Failed(FileStatus::Unreadable, errno);
    if (!S_ISREG(st.st_mode)) return Failed(FileStatus::NotRegular);
    return {};
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const std::string parent = std::filesystem::path(path).parent_path().string();
    return parent.empty() ? "." : parent;
}

// Makes a rename durable: without this a power cut can bring back the old name.
void SyncFolder(const std::string& folder) {
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

// Renames without replacing an existing target; falls back to a hard link on
// file systems that know no RENAME_NOREPLACE.
bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    ::unlink(from.c_str());
    return true;
}

}  // namespace

FileRead ReadRegularFile(const std::string& path, std::string& text, size_t limit) {
    text.clear();
    FileDescriptor fd;
    struct stat st;
    const FileRead opened = OpenRegular(path, fd, st);
    if (!opened.ok()) return opened;
    if (st.st_size < 0 || static_cast<unsigned long long>(st.st_size) > limit) return Failed(FileStatus::TooLarge);
    text.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            text.clear();
            return Failed(FileStatus::Unreadable, error);
        }
        // The file may have grown since it was measured.
        if (text.size() + static_cast<size_t>(n) > limit) {
            text.clear();
            return Failed(FileStatus::TooLarge);
        }
        text.append(buffer, static_cast<size_t>(n));
    }
    return {};
}

std::string DescribeFileRead(const FileRead& read, const std::string& path) {
    switch (read.status) {
        case FileStatus::Ok: return "it can be read";
        case FileStatus::Missing: return "it does not exist";
        case FileStatus::DanglingLink: {
            std::error_code ec;
            const std::string target = std::filesystem::read_symlink(path, ec).string();
            return "it is a link to " + (ec ? std::string("a file") : "\"" + target + "\"") +
                   ", which does not exist; the link is left as it is";
        }
        case FileStatus::NotRegular: return "it is not a regular file";
        case FileStatus::TooLarge: return "it is larger than " + std::to_string(kDataFileSizeLimit >> 20) + " MB";
        case FileStatus::Unreadable: return std::string("it cannot be read (") + std::strerror(read.error) + ")";
    }
    return "it cannot be read";
}

bool FileExists(const std::string& path) {
    FileDescriptor fd;
    struct stat st;
    return OpenRegular(path, fd, st).ok();
}

bool PathIsMissing(const std::string& path) {
    struct stat st;
    return !path.empty() && ::lstat(path.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

bool ReadWholeFile(const std::string& path, std::string& text) { return ReadRegularFile(path, text).ok(); }

bool WriteFileAtomically(const std::string& path, const std::string& text, bool replace) {
    if (path.empty()) return false;
    std::string target = path;
    struct stat st;
    bool exists = ::lstat(path.c_str(), &st) == 0;
    if (exists && S_ISLNK(st.st_mode)) {
        // Write where the link points, keeping the link; a dangling link stays as it is.
        char* real = ::realpath(path.c_str(), nullptr);
        if (!real) return false;
        target = real;
        std::free(real);
        exists = ::stat(target.c_str(), &st) == 0;
    }
    if (exists && (!replace || !S_ISREG(st.st_mode))) return false;

    std::string temp;
    FileDescriptor fd;
    for (int attempt = 0; attempt < 100 && fd.get() < 0; ++attempt) {
        temp = target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        // O_EXCL and O_NOFOLLOW: a file or link planted at the name is never opened.
        fd.Reset(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (fd.get() < 0 && errno != EEXIST) return false;
    }
    if (fd.get() < 0) return false;
    if (exists) ::fchmod(fd.get(), st.st_mode & 07777);  // keep the file's permissions
    bool ok = StepDone(WriteStep::TempCreated) && WriteAll(fd.get(), text) && StepDone(WriteStep::TempWritten) &&
              ::fsync(fd.get()) == 0 && StepDone(WriteStep::TempSynced);
    ok = fd.Close() && ok;
    if (ok) ok = replace ? ::rename(temp.c_str(), target.c_str()) == 0 : RenameNoReplace(temp, target);
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // The new text is in place: a failure from here on can only lose durability.
    StepDone(WriteStep::Renamed);
    SyncFolder(FolderOf(target));
    StepDone(WriteStep::FolderSynced);
    return true;
}

void SetWriteStepHook(WriteStepHook hook) { writeStepHook = hook; }
bool WriteStepDone(WriteStep step) { return StepDone(step); }

bool CopyFileOver(const std::string& from, const std::string& to) {
    std::string text;
    return ReadWholeFile(from, text) && WriteFileAtomically(to, text);
}

std::string BackupPathOf(const std::string& datPath) {
    std::string backup = datPath;
    const size_t dot = backup.find_last_of('.');
    const size_t slash = backup.find_last_of("/\\");
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) backup.erase(dot);
    return backup + ".bak";
}

bool RestoreFromBackup(const std::string& datPath) {
    // Only a file that is not there at all is restored: an unreadable file or a
    // dangling link may hold or point to the user's own records.
    if (!PathIsMissing(datPath)) return FileExists(datPath);
    std::string text;
    if (ReadWholeFile(BackupPathOf(datPath), text)) WriteFileAtomically(datPath, text, /*replace=*/false);
    return FileExists(datPath);
}

const std::string& ProgramFolder() { return FolderStorage(); }
void SetProgramFolder(const std::string& folder) { FolderStorage() = folder.empty() ? "." : folder; }

std::string PathIn(const std::string& folder, const std::string& name) {
    return (std::filesystem::path(folder) / name).string();
}

}  // namespace varnel
