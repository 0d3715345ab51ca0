#include "core/common/FileUpdate.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace varnel {

namespace {
// A lock held longer than this is taken as a hung writer; the check before
// the rename still guards against it.
constexpr int kLockWaitMs = 10000;

uint64_t HashOf(std::string_view text) {
    uint64_t h = 1469598103934665603ull;  // FNV-1a
    for (const unsigned char c : text) h = (h ^ c) * 1099511628211ull;
    return h;
}

std::string FolderOf(const std::string& path) {
    const std::string parent = std::filesystem::path(path).parent_path().string();
    return parent.empty() ? "." : parent;
}

std::string Reason(int error) { return std::strerror(error); }

bool WriteAllAt(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::pwrite(fd, text.data() + done, text.size() - done, static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// The file a path names: a link is followed to the file it points to.
bool ResolveTarget(const std::string& path, std::string& target, std::string& error) {
    target = path;
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) {
        error = "it is a link to a file that does not exist; the link is left as it is";
        return false;
    }
    target = real;
    std::free(real);
    return true;
}
}  // namespace

FileUpdate::FileUpdate(std::string path) : path_(std::move(path)) {
    lockFd_ = ::open(FolderOf(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (lockFd_ < 0) return;  // no folder yet: the check before the rename still guards
    for (int waited = 0; ::flock(lockFd_, LOCK_EX | LOCK_NB) != 0; waited += 10) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= kLockWaitMs) {
            ::close(lockFd_);  // a file system without locks, or a hung holder
            lockFd_ = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

FileUpdate::~FileUpdate() {
    if (lockFd_ >= 0) ::close(lockFd_);  // closing releases the lock
}

FileRead FileUpdate::Read(std::string& text, size_t limit) {
    read_ = Snapshot();
    const FileRead result = ReadRegularFile(path_, text, limit);
    if (!result.ok()) return result;
    struct stat st;
    if (::stat(path_.c_str(), &st) == 0) {
        read_ = {true, st.st_dev, st.st_ino, st.st_size, st.st_mtim, HashOf(text)};
    }
    return result;
}

bool FileUpdate::StillAsRead(const std::string& target) const {
    struct stat st;
    if (::stat(target.c_str(), &st) != 0) return !read_.exists && errno == ENOENT;
    if (!read_.exists || st.st_dev != read_.device || st.st_ino != read_.inode || st.st_size != read_.size ||
        st.st_mtim.tv_sec != read_.modified.tv_sec || st.st_mtim.tv_nsec != read_.modified.tv_nsec)
        return false;
    // A writer within the same clock tick leaves size and time alone: compare the bytes.
    std::string now;
    return ReadRegularFile(target, now, static_cast<size_t>(read_.size)).ok() && HashOf(now) == read_.hash;
}

FileUpdate::Outcome FileUpdate::Write(const std::string& text, std::string& error) {
    std::string target;
    if (!ResolveTarget(path_, target, error)) return Outcome::Failed;
    struct stat st;
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists != read_.exists) return Outcome::Changed;
    if (exists && !S_ISREG(st.st_mode)) {
        error = "it is not a regular file";
        return Outcome::Failed;
    }
    // The folder may be writable while the file is not (0444, or another
    // user's): a rename would replace what the user was not allowed to change.
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        error = "you are not allowed to change it (" + Reason(errno) + "); it was left as it is";
        return Outcome::Failed;
    }
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        error = "no file can be made beside it (" + Reason(errno) + ")";
        return Outcome::Failed;
    }
    bool inPlace = false;
    if (exists) {
        ::fchmod(fd, st.st_mode & 07777);
        // Another owner (or group) cannot be given back by a replacement made by this
        // user; a hard link would be cut off. Both are written through the file's own inode.
        const bool ownerKept = (st.st_uid == ::geteuid() && st.st_gid == ::getegid()) || ::fchown(fd, st.st_uid, st.st_gid) == 0;
        inPlace = !ownerKept || st.st_nlink > 1;
    }
    bool ok = WriteStepDone(WriteStep::TempCreated) && WriteAllAt(fd, text) && WriteStepDone(WriteStep::TempWritten) &&
              ::fsync(fd) == 0 && WriteStepDone(WriteStep::TempSynced);
    int failure = ok ? 0 : (errno != 0 ? errno : EIO);
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    const auto dropTemp = [&] { ::unlink(temp.c_str()); };
    if (!ok) {
        dropTemp();
        error = "it cannot be written (" + Reason(failure) + ")";
        return Outcome::Failed;
    }
    if (!StillAsRead(target)) {
        dropTemp();
        return Outcome::Changed;
    }
    if (!inPlace) {
        // A file that was missing when read must still be missing: another writer may have created it.
        int renamed = exists ? ::rename(temp.c_str(), target.c_str())
                             : ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
        if (renamed != 0 && !exists && (errno == EINVAL || errno == ENOSYS)) renamed = ::link(temp.c_str(), target.c_str());
        if (renamed != 0) {
            const int why = errno;
            dropTemp();
            if (why == EEXIST) return Outcome::Changed;
            error = "it cannot be replaced (" + Reason(why) + ")";
            return Outcome::Failed;
        }
        if (!exists) dropTemp();  // after a link(); a no-op after the rename
        WriteStepDone(WriteStep::Renamed);
        const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
        WriteStepDone(WriteStep::FolderSynced);
        read_ = Snapshot();  // the next Write needs a new Read
        read_.exists = true;
        return Outcome::Written;
    }
    const int out = ::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    ok = out >= 0 && WriteAllAt(out, text) && ::ftruncate(out, static_cast<off_t>(text.size())) == 0 && ::fsync(out) == 0;
    failure = ok ? 0 : errno;
    if (out >= 0 && ::close(out) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        // The file may be half written: the complete new text stays in the copy.
        error = "it could not be overwritten (" + Reason(failure) + "); its new text is kept in " + temp;
        return Outcome::Failed;
    }
    dropTemp();
    return Outcome::Written;
}

bool UpdateFile(const std::string& path, const TextChange& change, std::string& error) {
    FileUpdate file(path);
    for (int attempt = 0; attempt < kUpdateAttempts; ++attempt) {
        std::string current;
        const FileRead read = file.Read(current);
        if (!read.ok() && read.status != FileStatus::Missing) {
            error = DescribeFileRead(read, path);
            return false;
        }
        std::string updated;
        if (!change(current, updated, error)) return false;
        if (read.ok() && updated == current) return true;
        switch (file.Write(updated, error)) {
            case FileUpdate::Outcome::Written: return true;
            case FileUpdate::Outcome::Failed: return false;
            case FileUpdate::Outcome::Changed: break;
        }
    }
    error = "another program kept changing it while it was being updated (" + std::to_string(kUpdateAttempts) +
            " tries); it was left as the other program wrote it";
    return false;
}

}  // namespace varnel
