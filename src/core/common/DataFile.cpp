#include "core/common/DataFile.h"

#include <filesystem>

#include "core/common/Files.h"
#include "core/common/TextDecoding.h"

namespace varnel {
namespace {

using Level = DataFileProblem::Level;

struct Attempt {
    bool usable = false;
    std::string reason;  // why it cannot be used
    std::string bytes;   // as read, for a restore
    ProfileFile profile;
};

bool HoldsRecords(const ProfileFile& profile, const DataFileShape& shape) {
    const std::string prefix = shape.sectionPrefix;
    for (int i = 1; i <= shape.records; ++i)
        if (!profile.Get(prefix + std::to_string(i), shape.nameKey).empty()) return true;
    return false;
}

Attempt TryRead(const std::string& path, const DataFileShape& shape) {
    Attempt a;
    const FileRead read = ReadRegularFile(path, a.bytes);
    if (!read.ok()) {
        a.reason = DescribeFileRead(read, path);
        return a;
    }
    const std::string text = DecodeText(a.bytes);
    // Random bytes, UTF-16 without a byte-order mark or a file cut short before
    // its first record all hold no record.
    if (TrimBlanks(text).empty()) {
        a.reason = "it is empty";
    } else {
        a.profile = ProfileFile::Parse(text);
        a.usable = HoldsRecords(a.profile, shape);
        if (!a.usable) a.reason = std::string("it holds no ") + shape.contents;
    }
    return a;
}

std::string NameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

DataFileContents ReadDataFile(const std::string& datPath, const DataFileShape& shape, DataFileReport& report) {
    const std::string backupPath = BackupPathOf(datPath);
    const std::string dat = NameOf(datPath);
    const std::string bak = NameOf(backupPath);

    std::string datReason;
    if (PathIsMissing(datPath)) {
        datReason = "it does not exist";
    } else {
        Attempt own = TryRead(datPath, shape);
        if (own.usable) return {std::move(own.profile), dat};
        datReason = own.reason;
    }

    // Neither file there at all: the folder lacks them, which the callers say
    // themselves, naming the folder.
    if (PathIsMissing(datPath) && PathIsMissing(backupPath)) return {.profile = {}, .fileName = {}, .absent = true};
    Attempt backup = TryRead(backupPath, shape);
    if (!backup.usable) {
        report.Add(Level::Error, dat,
                   "Neither " + dat + " (" + datReason + ") nor " + bak + " (" + backup.reason + ") can be used: " +
                       shape.whenUnusable + ".");
        return {};
    }
    if (!PathIsMissing(datPath)) {
        report.Add(Level::Warning, dat,
                   dat + " cannot be used (" + datReason + "); " + bak + " is read instead and " + dat +
                       " is left as it is.");
    } else if (WriteFileAtomically(datPath, backup.bytes, /*replace=*/false)) {
        report.Add(Level::Notice, dat, dat + " was missing and has been restored from " + bak + ".");
        return {std::move(backup.profile), dat};
    } else {
        report.Add(Level::Warning, dat,
                   dat + " is missing and cannot be restored in its folder; " + bak + " is read instead.");
    }
    return {std::move(backup.profile), bak};
}

}  // namespace varnel
