#pragma once
// What launching an entry opens: an existing file (with its associated
// program), a program the user may execute (started directly), a web address
// (in the browser), or nothing.
#include <string>

namespace varnel {

enum class ResourceKind { Nothing, File, Program, WebAddress };

struct ResourceTarget {
    ResourceKind kind = ResourceKind::Nothing;
    std::string target;  // the path, or the web address to open
};

// An existing file comes first; otherwise text holding "http://", "https://"
// or "www." is a web address, taken from there to the first blank ("www."
// addresses get "https://").
ResourceTarget ClassifyResource(const std::string& fileurl);

// Why an entry that ClassifyResource finds nothing to open cannot be opened,
// in a sentence for the user; empty for an empty entry, which is skipped.
std::string WhyNothingToOpen(const std::string& fileurl);

// A regular file the user may execute.
bool IsExecutableFile(const std::string& path);

}  // namespace varnel
