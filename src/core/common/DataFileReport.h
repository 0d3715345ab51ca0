#pragma once
// What went wrong with the data files, as a plain value: the window shows it
// once at start, the command line writes it to standard error (and fails when
// a file gave no data at all).
#include <string>
#include <vector>

namespace varnel {

struct DataFileProblem {
    enum class Level {
        Notice,   // repaired: a missing file was restored from its backup
        Warning,  // read around: the backup was read instead, a record was skipped
        Error,    // no usable data: neither the file nor its backup could be read
    };
    Level level = Level::Warning;
    std::string file;  // the file's name, "holydays.dat"
    std::string text;  // one sentence, starting with the file's name
};

struct DataFileReport {
    std::vector<DataFileProblem> problems;

    void Add(DataFileProblem::Level level, std::string file, std::string text);
    void Append(const DataFileReport& other);
    bool Empty() const { return problems.empty(); }
    // True when a data file gave no data at all.
    bool HasErrors() const;
    // True when something needs the user's attention (more than a notice).
    bool NeedsAttention() const;
    // The sentences, one per line.
    std::string Text() const;
};

}  // namespace varnel
