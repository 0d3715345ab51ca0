#pragma once
// Changing a file that another program, or another run of this one, may be
// changing at the same time. The read-change-write holds an advisory lock
// (flock on the file's folder, so a file that does not exist yet is covered
// and no lock file is left behind), and just before the new text goes in,
// the file is checked to be still as it was read (identity, size, time and a
// hash of its bytes); if not, the caller reads again and redoes its change.
//
// The file system is respected: a file the user could not write is never
// replaced, its owner and mode are kept, and a file with other hard links (or
// one whose owner a replacement could not keep) is overwritten in place,
// through its own inode, once the new text is complete and synced in a
// temporary copy beside it.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <sys/types.h>

#include "core/common/Files.h"

namespace varnel {

// How often a change is redone when another writer got in between.
inline constexpr int kUpdateAttempts = 5;

class FileUpdate {
public:
    // Takes the lock, waiting a bounded time for another holder.
    explicit FileUpdate(std::string path);
    ~FileUpdate();
    FileUpdate(const FileUpdate&) = delete;
    FileUpdate& operator=(const FileUpdate&) = delete;

    // The file whole; Missing is no failure (the file will be created).
    FileRead Read(std::string& text, size_t limit = kDataFileSizeLimit);

    enum class Outcome { Written, Changed, Failed };
    // Puts text in place of what the last Read returned. Changed: the file is
    // no longer as read (nothing was written; read and change again).
    Outcome Write(const std::string& text, std::string& error);

private:
    struct Snapshot {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        uint64_t hash = 0;
    };
    bool StillAsRead(const std::string& target) const;

    std::string path_;
    int lockFd_ = -1;
    Snapshot read_;
};

// change: the current text (empty for a missing file) to the new one, or
// false with a reason to give up. A file that exists but cannot be read is
// never replaced. Redone up to kUpdateAttempts times against other writers.
using TextChange = std::function<bool(const std::string& current, std::string& updated, std::string& error)>;
bool UpdateFile(const std::string& path, const TextChange& change, std::string& error);

}  // namespace varnel
