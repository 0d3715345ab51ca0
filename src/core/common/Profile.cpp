#include "core/common/Profile.h"

#include "core/common/Utf8.h"

#include <cstdint>
#include <functional>

#include "core/common/FileUpdate.h"
#include "core/common/Files.h"
#include "core/common/TextDecoding.h"

namespace varnel {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A section of more keys is read through an index of them; a shorter one is walked.
constexpr size_t kWalkedEntries = 32;


std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// "[name]" -> name; false when the line is no section header.
bool SectionHeader(std::string_view line, std::string& name) {
    const std::string_view t = TrimmedView(line);
    if (t.empty() || t.front() != '[') return false;
    const size_t close = t.find(']');
    name = TrimBlanks(t.substr(1, (close == std::string_view::npos ? t.size() : close) - 1));
    return true;
}

// "key=value" -> key and raw value; false for other lines and comments.
bool KeyLine(std::string_view line, std::string& key, std::string_view& value) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    key = TrimBlanks(line.substr(0, eq));
    if (key.empty() || key.front() == ';') return false;
    value = line.substr(eq + 1);
    return true;
}

std::string OneLine(std::string_view value) {
    std::string s(value);
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

struct KeyChange {
    std::string key;           // as it is to be written
    const std::string* value;  // null removes the key
};

// Rewrites a profile text: sets (or, with a null value, removes) keys of one
// section. The first line of each key is replaced in place; keys new to the
// section follow its last non-blank line; a missing section is appended.
std::string Rewrite(const std::string& text, std::string_view section, const std::vector<KeyChange>& changes) {
    const bool crlf = text.find("\r\n") != std::string::npos;
    const std::string eol = crlf ? "\r\n" : "\n";
    const std::string lowSection = ToLowerAscii(section);
    std::unordered_map<std::string, size_t> byKey;  // lower-cased key -> its first change
    std::vector<bool> done(changes.size(), false);
    size_t addedSize = 0;
    for (size_t i = 0; i < changes.size(); ++i) {
        if (!byKey.emplace(ToLowerAscii(changes[i].key), i).second) done[i] = true;  // the first change of a key wins
        addedSize += changes[i].key.size() + (changes[i].value ? changes[i].value->size() : 0) + 3;
    }
    auto keyLine = [&](const KeyChange& c) { return c.key + "=" + *c.value + eol; };
    auto remaining = [&]() {
        std::string add;
        for (size_t i = 0; i < changes.size(); ++i) {
            if (done[i]) continue;
            if (changes[i].value) add += keyLine(changes[i]);
            done[i] = true;
        }
        return add;
    };

    std::string out;
    out.reserve(text.size() + addedSize + section.size() + 8);
    bool inTarget = false, sectionSeen = false;
    size_t lastContentEnd = std::string::npos;  // end of the target section's last non-blank line in out

    auto finishSection = [&]() {
        if (inTarget) out.insert(lastContentEnd, remaining());
        inTarget = false;
    };

    for (std::string_view line : SplitLines(text)) {
        std::string name;
        if (SectionHeader(line, name)) {
            finishSection();
            if (!sectionSeen && ToLowerAscii(name) == lowSection) inTarget = sectionSeen = true;
            out.append(line);
            out += eol;
            if (inTarget) lastContentEnd = out.size();
            continue;
        }
        std::string k;
        std::string_view v;
        if (inTarget && KeyLine(line, k, v)) {
            const auto it = byKey.find(ToLowerAscii(k));
            if (it != byKey.end() && !done[it->second]) {
                const KeyChange& change = changes[it->second];
                if (change.value) {
                    out += keyLine(change);
                    lastContentEnd = out.size();
                }
                done[it->second] = true;
                continue;
            }
        }
        out.append(line);
        out += eol;
        if (inTarget && !TrimBlanks(line).empty()) lastContentEnd = out.size();
    }
    finishSection();
    if (!sectionSeen) {
        const std::string add = remaining();
        if (!add.empty()) {
            if (!out.empty() && !out.ends_with(eol)) out += eol;
            out += "[" + std::string(section) + "]" + eol + add;
        }
    }
    return out;
}

// Applies a rewrite to a profile file under the update's lock and check. The
// file is decoded first (a UTF-16 file is written back as UTF-8); a file that
// exists but cannot be read is never replaced, and an unchanged text is not written.
bool RewriteFile(const std::string& path, const std::function<std::string(const std::string&)>& rewrite,
                 std::string* error = nullptr) {
    std::string why;
    const bool ok = UpdateFile(path, [&](const std::string& current, std::string& updated, std::string&) {
        const std::string decoded = DecodeText(current);
        updated = rewrite(decoded);
        if (updated == decoded) updated = current;
        return true;
    }, why);
    if (!ok && error) *error = why;
    return ok;
}

}  // namespace

std::string RewriteProfileText(std::string_view text, std::string_view section, std::string_view key,
                               const std::string* value) {
    return Rewrite(std::string(text), section, {{std::string(key), value}});
}

std::string_view TrimmedView(std::string_view s, std::string_view blanks) {
    if (blanks == kBlankCharacters) return TrimmedView(s);
    const size_t b = s.find_first_not_of(blanks);
    if (b == std::string_view::npos) return {};
    return s.substr(b, s.find_last_not_of(blanks) - b + 1);
}

std::string_view FirstCharacters(std::string_view s, size_t n) {
    if (n >= s.size()) return s;  // never more characters than bytes
    size_t pos = 0, count = 0;
    while (pos < s.size() && count < n) {
        // A truncated or malformed sequence counts byte by byte.
        const size_t len = Utf8SequenceLength(s, pos);
        pos += len == 0 ? 1 : len;
        ++count;
    }
    return s.substr(0, pos);
}

std::string CutToCharacters(std::string_view s, size_t n) { return std::string(FirstCharacters(s, n)); }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

std::string ToLowerAscii(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

ProfileFile ProfileFile::Read(const std::string& path, size_t valueLimit) {
    std::string text;
    if (!ReadWholeFile(path, text)) return {};
    return Parse(DecodeText(text), valueLimit);
}

ProfileFile ProfileFile::Parse(std::string_view source, size_t valueLimit) {
    ProfileFile f;
    f.text_ = std::make_shared<const std::string>(source);
    const std::string_view text = *f.text_;
    Section* current = nullptr;
    // A bit for each key of the current section by its length and end
    // letters: a key whose bit is set already is compared with the others.
    uint64_t keyBits = 0;
    // Every section header has a '[': room for them all, so no section moves.
    size_t brackets = 0;
    for (size_t at = text.find('['); at != std::string_view::npos; at = text.find('[', at + 1)) ++brackets;
    f.sections_.reserve(brackets);
    f.firstByName_.reserve(brackets);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::string_view trimmed = TrimmedView(line);
        if (!trimmed.empty() && trimmed.front() == '[') {
            if (current) f.IndexIfLong(*current);
            const size_t close = trimmed.find(']');
            const std::string_view name =
                TrimmedView(trimmed.substr(1, (close == std::string_view::npos ? trimmed.size() : close) - 1));
            f.sections_.push_back(Section{name, f.entries_.size(), 0, false, {}});
            keyBits = 0;
            f.firstByName_.emplace(ToLowerAscii(name), f.sections_.size() - 1);
            current = &f.sections_.back();
            continue;
        }
        const size_t eq = line.find('=');
        if (!current || eq == std::string_view::npos) continue;
        const std::string_view key = TrimmedView(line.substr(0, eq));
        if (key.empty() || key.front() == ';') continue;
        std::string_view value = TrimmedView(line.substr(eq + 1));
        // Never more characters than bytes: only a longer value needs counting.
        if (valueLimit < value.size()) value = TrimmedView(FirstCharacters(value, valueLimit));
        const uint64_t bit = uint64_t{1} << ((key.size() * 7 + static_cast<unsigned char>(LowerAscii(key.front())) * 3 +
                                              static_cast<unsigned char>(LowerAscii(key.back()))) & 63);
        // Only a walked section needs to know (its index keeps the first of a
        // key): past that length the search would make a long section quadratic.
        if ((keyBits & bit) != 0 && !current->repeatsKey && current->count < kWalkedEntries) {
            for (size_t i = current->first; i < f.entries_.size() && !current->repeatsKey; ++i)
                current->repeatsKey = EqualIgnoringAsciiCase(f.entries_[i].key, key);
        }
        keyBits |= bit;
        f.entries_.push_back({key, value});
        ++current->count;
    }
    if (current) f.IndexIfLong(*current);
    return f;
}

void ProfileFile::IndexIfLong(Section& section) {
    if (section.count <= kWalkedEntries) return;
    section.index.reserve(section.count);
    for (size_t i = 0; i < section.count; ++i)
        section.index.try_emplace(ToLowerAscii(entries_[section.first + i].key), section.first + i);
}

const ProfileFile::Section* ProfileFile::Find(std::string_view section) const {
    const auto it = firstByName_.find(ToLowerAscii(section));
    return it == firstByName_.end() ? nullptr : &sections_[it->second];
}

std::string ProfileFile::Get(std::string_view section, std::string_view key) const {
    return SectionOf(section).Get(key);
}

std::string ProfileFile::SectionReader::Get(std::string_view key) const {
    const Section* s = section_;
    if (!s || key.empty()) return {};
    const std::vector<Entry>& entries = file_->entries_;
    if (!s->index.empty()) {
        const auto it = s->index.find(ToLowerAscii(key));
        return it == s->index.end() ? std::string() : std::string(entries[it->second].value);
    }
    // Most keys of a walked section differ from the one asked for in length
    // or in their first letter, and the one that matches is mostly written
    // as it is asked for.
    const char first = LowerAscii(key.front());
    const auto matches = [&](const Entry& e) {
        return e.key.size() == key.size() && LowerAscii(e.key.front()) == first &&
               (e.key == key || EqualIgnoringAsciiCase(e.key, key));
    };
    if (s->repeatsKey) {
        for (size_t i = s->first, end = s->first + s->count; i < end; ++i)
            if (matches(entries[i])) return std::string(entries[i].value);
        return {};
    }
    // Each key is there once at most, so the walk may start anywhere.
    for (size_t n = 0, at = next_; n < s->count; ++n, ++at) {
        if (at >= s->count) at = 0;
        if (matches(entries[s->first + at])) {
            next_ = at + 1;
            return std::string(entries[s->first + at].value);
        }
    }
    return {};
}

bool ProfileFile::HasSection(std::string_view section) const { return Find(section) != nullptr; }

std::vector<std::string> ProfileFile::SectionNames() const {
    std::vector<std::string> names;
    names.reserve(sections_.size());
    for (const Section& s : sections_) names.emplace_back(s.name);
    return names;
}

std::vector<std::string> ProfileFile::KeysOf(std::string_view section) const {
    std::vector<std::string> keys;
    if (const Section* s = Find(section)) {
        keys.reserve(s->count);
        for (size_t i = s->first; i < s->first + s->count; ++i) keys.emplace_back(entries_[i].key);
    }
    return keys;
}

std::string GetProfileString(std::string_view section, std::string_view key, const std::string& path) {
    return ProfileFile::Read(path).Get(section, key);
}

bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path) {
    if (TrimBlanks(section).empty() || TrimBlanks(key).empty()) return false;
    const std::string v = OneLine(value);
    return RewriteFile(path, [&](const std::string& text) { return Rewrite(text, TrimBlanks(section), {{TrimBlanks(key), &v}}); });
}

bool WriteProfileStrings(std::string_view section,
                         const std::vector<std::pair<std::string, std::string>>& keyValues,
                         const std::string& path) {
    for (const auto& kv : keyValues)
        if (TrimBlanks(kv.first).empty()) return false;
    std::vector<std::pair<std::string, std::optional<std::string>>> keys(keyValues.begin(), keyValues.end());
    return UpdateProfileKeys(path, section, [&](const std::string&) { return keys; });
}

bool UpdateProfileKeys(const std::string& path, std::string_view section, const ProfileKeyChanges& changes,
                       std::string* error) {
    if (TrimBlanks(section).empty()) return false;
    return RewriteFile(path, [&](const std::string& text) {
        const auto keyValues = changes(text);
        std::vector<std::string> values;
        values.reserve(keyValues.size());
        for (const auto& [key, value] : keyValues) values.push_back(value ? OneLine(*value) : std::string());
        std::vector<KeyChange> list;
        list.reserve(keyValues.size());
        for (size_t i = 0; i < keyValues.size(); ++i) {
            if (TrimBlanks(keyValues[i].first).empty()) continue;
            list.push_back({TrimBlanks(keyValues[i].first), keyValues[i].second ? &values[i] : nullptr});
        }
        return Rewrite(text, TrimBlanks(section), list);
    }, error);
}

bool DeleteProfileKey(std::string_view section, std::string_view key, const std::string& path) {
    if (PathIsMissing(path)) return true;
    return RewriteFile(path, [&](const std::string& text) { return Rewrite(text, section, {{std::string(key), nullptr}}); });
}

}  // namespace varnel
