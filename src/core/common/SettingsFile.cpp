#include "core/common/SettingsFile.h"

#include <cstdlib>
#include <filesystem>

#include "core/common/Files.h"
#include "core/common/Profile.h"
#include "core/common/Utf8.h"

namespace varnel {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Appends UTF-16 code units given by escapes; a surrogate pair written as two
// escapes makes one character, a lone surrogate the replacement character.
class EscapedUnits {
public:
    explicit EscapedUnits(std::string& out) : out_(out) {}
    void Add(unsigned unit) {
        unit &= 0xFFFF;
        if (high_ && unit >= 0xDC00 && unit <= 0xDFFF) {
            AppendUtf8(out_, 0x10000 + ((high_ - 0xD800) << 10) + (unit - 0xDC00));
            high_ = 0;
            return;
        }
        Flush();
        if (unit >= 0xD800 && unit <= 0xDBFF) high_ = unit;
        else AppendUtf8(out_, unit >= 0xDC00 && unit <= 0xDFFF ? 0xFFFD : unit);
    }
    void Flush() {
        if (high_) AppendUtf8(out_, 0xFFFD);
        high_ = 0;
    }

private:
    std::string& out_;
    unsigned high_ = 0;
};

// The characters a backslash gives.
char SimpleEscape(char c) {
    switch (c) {
    case 'a': return '\a';
    case 'b': return '\b';
    case 'f': return '\f';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    case 'v': return '\v';
    case '"': case '?': case '\'': case '\\': return c;
    default: return 0;
    }
}

// A value's text as written after "=": quotes keep blanks and commas, unquoted
// commas split it into a list, escapes give their characters, and blanks
// around an unquoted item are dropped.
struct UnescapedValue {
    std::string text;
    std::vector<std::string> items;
    bool isList = false;
};

UnescapedValue Unescape(std::string_view raw) {
    UnescapedValue v;
    std::string& cur = v.text;
    EscapedUnits units(cur);
    bool inQuotes = false, quoted = false;
    bool cutShort = false;   // an escape cut by the end of the text keeps every blank
    size_t i = 0, keep = 0;  // blanks before `keep` (escaped ones too) are never dropped
    const auto skipBlanks = [&] {
        while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t')) ++i;
        keep = cur.size();
    };
    const auto chopTrailing = [&] {
        while (cur.size() > keep && (cur.back() == ' ' || cur.back() == '\t')) cur.pop_back();
    };
    skipBlanks();
    while (i < raw.size()) {
        const char c = raw[i];
        if (c == '\\') {
            if (++i >= raw.size()) {
                cutShort = true;
                break;
            }
            const char e = raw[i++];
            if (const char simple = SimpleEscape(e)) {
                units.Flush();
                cur += simple;
                keep = cur.size();
                continue;
            }
            if (e == 'x' || (e >= '0' && e <= '7')) {
                const bool hex = e == 'x';
                unsigned value = hex ? 0 : static_cast<unsigned>(e - '0');
                bool any = !hex;
                for (; i < raw.size(); ++i) {
                    const int d = hex ? HexValue(raw[i]) : (raw[i] >= '0' && raw[i] <= '7' ? raw[i] - '0' : -1);
                    if (d < 0) break;
                    value = (value << (hex ? 4 : 3)) + static_cast<unsigned>(d);
                    any = true;
                }
                if (any) units.Add(value);
                if (i >= raw.size()) {
                    cutShort = true;
                    break;
                }
            } else if (e == '\n' || e == '\r') {  // a line continued
                if (i < raw.size() && (raw[i] == '\n' || raw[i] == '\r') && raw[i] != e) ++i;
            }
            keep = cur.size();
            continue;
        }
        units.Flush();
        if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) skipBlanks();
        } else if (c == ',' && !inQuotes) {
            if (!quoted) chopTrailing();
            v.isList = true;
            v.items.push_back(std::move(cur));
            cur.clear();
            quoted = false;
            ++i;
            skipBlanks();
        } else {
            cur += c;
            ++i;
        }
    }
    units.Flush();
    if (!quoted && !cutShort) chopTrailing();
    if (v.isList) v.items.push_back(std::move(cur));
    return v;
}

size_t ArgumentCount(std::string_view s) {  // "@Rect(1 2 3 4)" -> 4
    const size_t open = s.find('(');
    size_t count = 1;
    for (size_t i = open + 1; i + 1 < s.size(); ++i) count += s[i] == ' ';
    return count;
}

// A text value with QSettings' type marks: "@Invalid()", "@String(...)",
// "@ByteArray(...)", geometry and streamed types, "@@" for a leading "@".
SettingValue TypedValue(std::string text) {
    SettingValue v;
    if (!text.starts_with('@')) {
        v.text = std::move(text);
        return v;
    }
    const std::string_view s = text;
    if (s.ends_with(')')) {
        const auto inner = [&](size_t prefix) { return std::string(s.substr(prefix, s.size() - prefix - 1)); };
        if (s.starts_with("@ByteArray(")) {
            v.text = inner(11);
            return v;
        }
        if (s.starts_with("@String(")) {
            v.text = inner(8);
            return v;
        }
        if (s == "@Invalid()") {
            v.kind = SettingValue::Kind::Invalid;
            return v;
        }
        if (s.starts_with("@Variant(") || s.starts_with("@DateTime(") ||
            (s.starts_with("@Rect(") && ArgumentCount(s) == 4) ||
            ((s.starts_with("@Size(") || s.starts_with("@Point(")) && ArgumentCount(s) == 2)) {
            v.kind = SettingValue::Kind::Other;
            return v;
        }
    }
    v.text = s.starts_with("@@") ? text.substr(1) : std::move(text);
    return v;
}

SettingValue ListValue(std::vector<std::string> items) {
    SettingValue v;
    v.kind = SettingValue::Kind::List;
    for (std::string& item : items) {
        if (!item.starts_with('@')) continue;
        // An item with a type mark makes a list of typed values, which has no text.
        if (!item.starts_with("@@")) return SettingValue{SettingValue::Kind::Other, {}, {}};
        item.erase(0, 1);
    }
    v.items = std::move(items);
    return v;
}

// A section or key name: "\" stands for "/", "%XX" and "%UXXXX" for a character.
std::string UnescapedKey(std::string_view key) {
    std::string out;
    for (size_t i = 0; i < key.size();) {
        if (key[i] == '\\') {
            out += '/';
            ++i;
            continue;
        }
        if (key[i] == '%' && i + 1 < key.size()) {
            const bool wide = key[i + 1] == 'U';
            const size_t first = i + 1 + (wide ? 1 : 0), digits = wide ? 4 : 2;
            unsigned value = 0;
            bool ok = first + digits <= key.size();
            for (size_t d = 0; ok && d < digits; ++d) {
                const int h = HexValue(key[first + d]);
                ok = h >= 0;
                value = value * 16 + static_cast<unsigned>(h);
            }
            if (ok) {
                AppendUtf8(out, value);
                i = first + digits;
                continue;
            }
        }
        out += key[i++];
    }
    return out;
}

// The logical lines of a settings file: a newline inside quotes or after a
// backslash continues the line, ";" outside quotes starts a comment.
struct IniLine {
    std::string_view text;
    size_t equals = std::string_view::npos;  // the first "=" outside quotes
};

bool NextLine(std::string_view data, size_t& pos, IniLine& line) {
    while (true) {
        while (pos < data.size() && IsBlank(data[pos])) ++pos;
        if (pos >= data.size()) return false;
        if (data[pos] == ';') {  // a comment line
            while (pos < data.size() && data[pos] != '\n' && data[pos] != '\r') ++pos;
            continue;
        }
        break;
    }
    const size_t start = pos;
    bool inQuotes = false;
    line.equals = std::string_view::npos;
    while (pos < data.size()) {
        const char c = data[pos];
        if (c == '=' && !inQuotes && line.equals == std::string_view::npos) line.equals = pos - start;
        else if ((c == '\n' || c == '\r' || c == ';') && !inQuotes) break;
        else if (c == '"') inQuotes = !inQuotes;
        else if (c == '\\' && pos + 1 < data.size()) {
            ++pos;
            if (pos + 1 < data.size() && ((data[pos] == '\n' && data[pos + 1] == '\r') || (data[pos] == '\r' && data[pos + 1] == '\n')))
                ++pos;
        }
        ++pos;
    }
    line.text = data.substr(start, pos - start);
    return true;
}

}  // namespace

std::string SettingValue::Text() const {
    if (kind == Kind::Text) return text;
    if (kind == Kind::List && items.size() == 1) return items.front();
    return {};
}

SettingsFile SettingsFile::Parse(std::string_view data) {
    SettingsFile file;
    if (data.starts_with("\xEF\xBB\xBF")) data.remove_prefix(3);
    std::string section;  // "Name/", or empty for [General]
    size_t pos = 0;
    IniLine line;
    while (NextLine(data, pos, line)) {
        if (line.text.starts_with('[')) {
            const size_t close = line.text.find(']');
            const std::string_view name = Trimmed(line.text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
            if (name.size() == 7 && ToLowerAscii(name) == "general") section.clear();
            else if (name.size() == 8 && ToLowerAscii(name) == "%general") section = std::string(name.substr(1)) + "/";
            else section = UnescapedKey(name) + "/";
            continue;
        }
        if (line.equals == std::string_view::npos) continue;
        UnescapedValue raw = Unescape(line.text.substr(line.equals + 1));
        file.values_[section + UnescapedKey(Trimmed(line.text.substr(0, line.equals)))] =
            raw.isList ? ListValue(std::move(raw.items)) : TypedValue(std::move(raw.text));
    }
    return file;
}

SettingsFile SettingsFile::Read(const std::string& path) {
    std::string text;
    if (!ReadWholeFile(path, text)) return {};
    return Parse(text);
}

const SettingValue* SettingsFile::Find(std::string_view key) const {
    const auto it = values_.find(std::string(key));
    return it == values_.end() ? nullptr : &it->second;
}

std::vector<std::string> SettingsFilePaths(std::string_view organization, std::string_view application) {
    const auto env = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    };
    const auto absolute = [](std::string path) {
        if (!path.empty() && path.front() != '/') {
            std::error_code error;
            path = std::filesystem::current_path(error).string() + "/" + path;
        }
        return path;
    };
    std::string userFolder = env("XDG_CONFIG_HOME");
    userFolder = userFolder.empty() ? env("HOME") + "/.config" : absolute(userFolder);
    std::vector<std::string> systemFolders;
    const std::string dirs = env("XDG_CONFIG_DIRS");
    for (size_t start = 0; start <= dirs.size();) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        if (end > start) systemFolders.push_back(absolute(dirs.substr(start, end - start)));
        start = end + 1;
    }
    if (systemFolders.empty()) systemFolders.push_back("/etc/xdg");

    const std::string appFile = "/" + std::string(organization) + "/" + std::string(application) + ".conf";
    const std::string orgFile = "/" + std::string(organization) + ".conf";
    std::vector<std::string> paths{userFolder + appFile, userFolder + orgFile};
    for (const std::string& folder : systemFolders) paths.push_back(folder + appFile);
    for (const std::string& folder : systemFolders) paths.push_back(folder + orgFile);
    return paths;
}

StoredSettings StoredSettings::Read(std::string_view organization, std::string_view application) {
    StoredSettings settings;
    for (const std::string& path : SettingsFilePaths(organization, application)) settings.Add(SettingsFile::Read(path));
    return settings;
}

std::optional<SettingValue> StoredSettings::Find(std::string_view key) const {
    for (const SettingsFile& file : files_)
        if (const SettingValue* value = file.Find(key)) return *value;
    return std::nullopt;
}

}  // namespace varnel
