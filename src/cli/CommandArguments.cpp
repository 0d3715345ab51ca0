#include "cli/CommandArguments.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <initializer_list>

#include "core/common/Date.h"
#include "core/common/MessageText.h"

namespace varnel::cli {

std::string Quoted(const std::string& text) { return "'" + EscapeForMessage(text) + "'"; }

namespace {
// Digits everywhere but at the dash positions (sscanf alone would take "+024" or " 1").
bool DigitsAndDashes(const std::string& text, std::initializer_list<size_t> dashes) {
    for (size_t i = 0; i < text.size(); ++i) {
        const bool dash = std::find(dashes.begin(), dashes.end(), i) != dashes.end();
        if (dash ? text[i] != '-' : !std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    }
    return true;
}
}  // namespace

Date ParseDate(const std::string& text) {
    int y = 0, m = 0, d = 0;
    char extra = 0;
    if (text.size() != 10 || !DigitsAndDashes(text, {4, 7}) ||
        std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &extra) != 3)
        throw UsageError("malformed date " + Quoted(text) + " (expected YYYY-MM-DD)");
    if (y < kMinYear || y > kMaxYear) throw UsageError("year outside 1..9999 in " + Quoted(text));
    if (!IsValidDate(y, m, d)) throw UsageError("no such date " + Quoted(text));
    return Date(y, m, d);
}

int ParseYear(const std::string& text) {
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError("malformed year " + Quoted(text) + " (expected 1..9999)");
    const int y = std::stoi(text);
    if (y < kMinYear || y > kMaxYear) throw UsageError("year outside 1..9999: " + Quoted(text));
    return y;
}

void ParseMonth(const std::string& text, int& year, int& month) {
    char extra = 0;
    if (text.size() != 7 || !DigitsAndDashes(text, {4}) ||
        std::sscanf(text.c_str(), "%4d-%2d%c", &year, &month, &extra) != 2)
        throw UsageError("malformed month " + Quoted(text) + " (expected YYYY-MM)");
    if (year < kMinYear || year > kMaxYear) throw UsageError("year outside 1..9999 in " + Quoted(text));
    if (month < 1 || month > 12) throw UsageError("no such month " + Quoted(text));
}

// The folder must exist and the file, when there, must be a file we may replace.
void CheckWritable(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path file = fs::absolute(path, error);
    const fs::path folder = file.parent_path();
    if (!fs::is_directory(folder, error)) throw UsageError("no such folder for " + Quoted(path));
    const bool exists = fs::exists(file, error);
    if (exists && !fs::is_regular_file(file, error)) throw UsageError("cannot write " + Quoted(path) + ": it is not a file");
    // No permission is a problem of the file system, not of the command line.
    if (exists && access(file.c_str(), W_OK) != 0) throw DataError("cannot write " + Quoted(path) + " (Permission denied)");
    if (access(folder.c_str(), W_OK) != 0)
        throw DataError("cannot write in the folder of " + Quoted(path) + " (Permission denied)");
}

}  // namespace varnel::cli
