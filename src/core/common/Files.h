#pragma once
// File helpers of the data folder: existence tests, bounded reads of regular
// files, durable atomic writes and the restoring of a missing data file from
// its ".bak" copy.
#include <cstddef>
#include <string>

namespace varnel {

// Far above any real data file (the shipped ones are tens of kilobytes), low
// enough that a link to /dev/zero or a runaway file cannot eat the memory.
inline constexpr size_t kDataFileSizeLimit = 8u << 20;

enum class FileStatus {
    Ok,
    Missing,       // nothing at that path
    DanglingLink,  // a symbolic link whose target does not exist (an unmounted drive)
    NotRegular,    // a folder, FIFO, device or socket
    TooLarge,      // larger than the limit
    Unreadable,    // exists but cannot be opened or read (permissions, I/O error)
};

struct FileRead {
    FileStatus status = FileStatus::Ok;
    int error = 0;  // errno of an unreadable file
    bool ok() const { return status == FileStatus::Ok; }
};

// Reads a regular file (links followed) of at most `limit` bytes. Never blocks
// on a FIFO and never reads more than limit + 1 bytes.
FileRead ReadRegularFile(const std::string& path, std::string& text, size_t limit = kDataFileSizeLimit);
// Why a read failed, as the end of a sentence: "it does not exist",
// "it cannot be read (Permission denied)".
std::string DescribeFileRead(const FileRead& read, const std::string& path);

// True when the path is a regular file that can be opened for reading.
bool FileExists(const std::string& path);
// True only when nothing at all is at the path: not even a dangling link or an
// unreadable file.
bool PathIsMissing(const std::string& path);
bool ReadWholeFile(const std::string& path, std::string& text);

// Writes a temporary file beside the target (created exclusively, never
// through a link), syncs it, renames it over the target and syncs the folder,
// so that after a crash or power cut the target holds the old or the new text.
// A target that is a link is written at the link's destination; a dangling link
// is not replaced. With replace false the write fails when the target exists.
bool WriteFileAtomically(const std::string& path, const std::string& text, bool replace = true);

// The steps of WriteFileAtomically, in order. A test can stop the writer after
// any of them, as a crash would, or make that step fail, as a full disk would.
enum class WriteStep {
    TempCreated,   // the temporary file exists, still empty
    TempWritten,   // it holds the whole text
    TempSynced,    // its bytes are on the disk
    Renamed,       // it has replaced the target
    FolderSynced,  // the rename is on the disk
};
// Called after each step; returning false makes a step before the rename fail
// (later steps cannot undo it). Unset outside tests, where it costs one test of
// a pointer per step.
using WriteStepHook = bool (*)(WriteStep step);
void SetWriteStepHook(WriteStepHook hook);
// For the other writers of whole files (FileUpdate): false when the hook fails the step.
bool WriteStepDone(WriteStep step);
bool CopyFileOver(const std::string& from, const std::string& to);
// "name.dat" -> "name.bak".
std::string BackupPathOf(const std::string& datPath);
// When nothing exists at "name.dat", copies "name.bak" onto it. A data file that exists but cannot be read, or a dangling
// link, is never replaced. Returns whether the data file can be read afterwards.
bool RestoreFromBackup(const std::string& datPath);

// The folder that holds the data files (set once at start-up).
const std::string& ProgramFolder();
void SetProgramFolder(const std::string& folder);
// folder + separator + name.
std::string PathIn(const std::string& folder, const std::string& name);
inline std::string DataPath(const std::string& name) { return PathIn(ProgramFolder(), name); }

}  // namespace varnel
