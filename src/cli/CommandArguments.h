#pragma once
// The argument forms of the command line; each parser throws UsageError with
// a one-line text.
#include <stdexcept>
#include <string>

#include "core/common/Date.h"

namespace varnel::cli {

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The work failed on a file, a server or the data (a missing data file, no
// permission, no space): exit 1 with the message.
struct DataError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

Date ParseDate(const std::string& text);  // YYYY-MM-DD
int ParseYear(const std::string& text);      // 1..9999
void ParseMonth(const std::string& text, int& year, int& month);  // YYYY-MM
// An output file's folder must exist and take files, and the file, when there,
// must be one we may replace.
void CheckWritable(const std::string& path);
// An argument echoed in a message: quoted, control characters escaped, cut to
// about 60 characters, so that a message stays one short line.
std::string Quoted(const std::string& text);

}  // namespace varnel::cli
