#pragma once
// The user's settings as the desktop program stores them, read without Qt:
// the INI files that QSettings keeps on Unix (~/.config/Varnel/Varnel.conf).
// A value is looked up as QSettings looks it up: in the user's file of the
// application, then the user's file of the organisation, then the same two
// under each system folder ($XDG_CONFIG_DIRS, else /etc/xdg). Keys match with
// their case ("Settings/Location"); the last line of a key wins.
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace varnel {

// A stored value as QSettings reads it back.
struct SettingValue {
    enum class Kind {
        Text,     // a text value ("a" or "\"a, b\"")
        List,     // unquoted commas split the value into items
        Invalid,  // "@Invalid()"
        Other,    // a value of another type ("@Rect(...)", "@Variant(...)"): no text
    };
    Kind kind = Kind::Text;
    std::string text;                // the text (Kind::Text), UTF-8
    std::vector<std::string> items;  // the items (Kind::List)

    // The value as a text, the way a QVariant converts to one: a list of one
    // item is that item, any other list, an invalid value or another type is
    // empty.
    std::string Text() const;
};

class SettingsFile {
public:
    static SettingsFile Parse(std::string_view text);
    // A missing or unreadable file holds no values.
    static SettingsFile Read(const std::string& path);
    const SettingValue* Find(std::string_view key) const;

private:
    std::unordered_map<std::string, SettingValue> values_;
};

// The files a QSettings of this organisation and application reads, in the
// order it looks in them.
std::vector<std::string> SettingsFilePaths(std::string_view organization, std::string_view application);

class StoredSettings {
public:
    static StoredSettings Read(std::string_view organization, std::string_view application);
    std::optional<SettingValue> Find(std::string_view key) const;
    void Add(SettingsFile file) { files_.push_back(std::move(file)); }

private:
    std::vector<SettingsFile> files_;
};

}  // namespace varnel
