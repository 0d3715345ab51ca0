#pragma once
// Private-profile (INI) files: "[Section]" headers followed by "key=value" lines.
// Sections and keys match without regard to case and the first match wins; a
// value comes back trimmed and cut to 99 characters, a missing file, section or
// key reads empty. Writes keep every other line and replace the file atomically,
// under a lock and only when no other writer changed the file since it was read.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace varnel {

inline constexpr size_t kProfileValueLimit = 99;
// For files whose values must come back whole (the user's resource list).
inline constexpr size_t kWholeProfileValues = std::string::npos;

// A whole profile file parsed once, for readers that look up many keys.
class ProfileFile {
public:
    ProfileFile() = default;
    // Values are cut to valueLimit characters after trimming.
    static ProfileFile Read(const std::string& path, size_t valueLimit = kProfileValueLimit);
    static ProfileFile Parse(std::string_view text, size_t valueLimit = kProfileValueLimit);

    std::string Get(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;
    // Section names in file order (duplicates included), as written.
    std::vector<std::string> SectionNames() const;
    // Keys of the first section of that name, in file order.
    std::vector<std::string> KeysOf(std::string_view section) const;

private:
    struct Section;

public:
    // One section found once, for a reader that takes many of its keys; valid
    // while the file it came from lives. A missing section reads empty.
    class SectionReader {
    public:
        std::string Get(std::string_view key) const;

    private:
        friend class ProfileFile;
        SectionReader(const ProfileFile& file, const Section* section) : file_(&file), section_(section) {}
        const ProfileFile* file_;
        const Section* section_;
        // Where the walk of a section without a repeated key starts: after
        // the entry found last, as the keys are mostly asked in file order.
        mutable size_t next_ = 0;
    };
    SectionReader SectionOf(std::string_view section) const { return SectionReader(*this, Find(section)); }

private:
    struct Entry {
        std::string_view key;    // as written
        std::string_view value;  // trimmed and cut
    };
    struct Section {
        std::string_view name;  // as written
        // Its entries, in file order: entries_[first, first + count).
        size_t first = 0, count = 0;
        bool repeatsKey = false;  // two entries share a key (in any case): the first is the one read
        // Lower-cased key -> its first entry, for a section too long to walk
        // (a resource list of thousands); a short one is walked.
        std::unordered_map<std::string, size_t> index;
    };
    const Section* Find(std::string_view section) const;
    void IndexIfLong(Section& section);

    // The text the sections look into, shared by copies so its views stay valid.
    std::shared_ptr<const std::string> text_;
    // Every section's entries in one block, so a file of many short sections
    // is read without a growing list for each.
    std::vector<Entry> entries_;
    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> firstByName_;  // lower-cased name -> first section
};

// Reads one value; the file is read for every call.
std::string GetProfileString(std::string_view section, std::string_view key, const std::string& path);
// Writes one value, creating file, section and key as needed. Line breaks in the
// value become blanks. Returns false when the file could not be written.
bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path);
// Writes several keys of one section in a single rewrite of the file, in the
// order given (keys new to the section are appended in that order).
bool WriteProfileStrings(std::string_view section,
                         const std::vector<std::pair<std::string, std::string>>& keyValues,
                         const std::string& path);
// The changes of one section's keys (a value of nullopt removes the key),
// decided from the file's text as it is when the change is made.
using ProfileKeyChanges =
    std::function<std::vector<std::pair<std::string, std::optional<std::string>>>(const std::string& text)>;
// A read-change-write of one section under a lock, redone when another writer
// changed the file in between. error, when given, receives the reason of a failure.
bool UpdateProfileKeys(const std::string& path, std::string_view section, const ProfileKeyChanges& changes,
                       std::string* error = nullptr);
// Removes one key; a missing key or file is not an error. A file that exists
// but cannot be read (or is no regular file) is never replaced by these writes.
bool DeleteProfileKey(std::string_view section, std::string_view key, const std::string& path);

// The text of a profile file with one key set to value (or, with value null,
// removed), every other line kept.
std::string RewriteProfileText(std::string_view text, std::string_view section, std::string_view key,
                               const std::string* value);

// Trims blanks, tabs and line-break characters (or the given characters) at both ends.
inline constexpr std::string_view kBlankCharacters = " \t\r\n\v\f";
// Every line of a file is trimmed so: a plain test of each end's byte.
inline std::string_view TrimmedView(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    size_t b = 0, e = s.size();
    while (b < e && blank(s[b])) ++b;
    while (e > b && blank(s[e - 1])) --e;
    return s.substr(b, e - b);
}
std::string_view TrimmedView(std::string_view s, std::string_view blanks);
inline std::string TrimBlanks(std::string_view s) { return std::string(TrimmedView(s)); }
inline std::string TrimBlanks(std::string_view s, std::string_view blanks) { return std::string(TrimmedView(s, blanks)); }
// Cuts a UTF-8 text to at most n characters (an invalid byte counts as one).
std::string CutToCharacters(std::string_view s, size_t n);
std::string_view FirstCharacters(std::string_view s, size_t n);
std::string ToLowerAscii(std::string_view s);
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace varnel
