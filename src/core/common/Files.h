#pragma once
// File helpers of the data folder: existence tests, whole-file reads, atomic
// writes and the restoring of a missing data file from its ".bak" copy.
#include <string>

namespace varnel {

// True when the file can be opened for reading.
bool FileExists(const std::string& path);
bool ReadWholeFile(const std::string& path, std::string& text);
// Writes a temporary file beside the target, then renames it over the target,
// so a crash never leaves a torn file.
bool WriteFileAtomically(const std::string& path, const std::string& text);
bool CopyFileOver(const std::string& from, const std::string& to);
// When "name.dat" cannot be opened, copies "name.bak" onto it (and lets pending
// window events run). Returns whether the data file can be opened afterwards.
bool RestoreFromBackup(const std::string& datPath);

// The folder that holds the data files (set once at start-up).
const std::string& ProgramFolder();
void SetProgramFolder(const std::string& folder);
// folder + separator + name.
std::string PathIn(const std::string& folder, const std::string& name);
inline std::string DataPath(const std::string& name) { return PathIn(ProgramFolder(), name); }

}  // namespace varnel
