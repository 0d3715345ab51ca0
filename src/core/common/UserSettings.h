#pragma once
// The per-user settings of the master table (group "Settings"): their keys,
// defaults and how a stored text reads. The window reads them through
// QSettings and the command line from the settings file itself; both give
// the values to these readers, so a value means the same to both.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/SettingsFile.h"

namespace varnel {

namespace setting {
inline constexpr const char* kWindowPos = "WindowPos";
inline constexpr const char* kLocation = "Location";
inline constexpr const char* kFloatDetails = "FloatDetails";
inline constexpr const char* kColorScheme = "ColorScheme";
inline constexpr const char* kCalendarPicture = "CalendarPicture";
inline constexpr const char* kIncludeDetail = "IncludeDetail";
inline constexpr const char* kPrintGraphic = "PrintGraphic";
inline constexpr const char* kCalendarTheme = "CalendarTheme";
inline constexpr const char* kShabbatTimesOnHolyDays = "ShabbatTimesOnHolyDays";
inline constexpr const char* kCandleMinutes = "CandleMinutes";
inline constexpr const char* kOmerReckoning = "OmerReckoning";
inline constexpr const char* kModernDays = "ModernDays";
inline constexpr const char* kSchedule = "Schedule";
}  // namespace setting

inline constexpr const char* kSettingsOrganization = "Varnel";
inline constexpr const char* kSettingsApplication = "Varnel";
inline constexpr const char* kSettingsGroup = "Settings";

class UserSettings {
public:
    // The stored value of a key of the group, or none.
    using Lookup = std::function<std::optional<SettingValue>(std::string_view key)>;
    explicit UserSettings(Lookup lookup) : lookup_(std::move(lookup)) {}
    // The desktop program's settings files, read once.
    static UserSettings FromSettingsFiles();

    std::optional<SettingValue> Value(std::string_view key) const { return lookup_(key); }
    // A stored text, or the default when the key is missing.
    std::string Text(std::string_view key, std::string_view defaultValue) const;
    // A decimal setting; a value that is not a number reads as its leading
    // number (0 when there is none), a missing one as the default.
    int Int(std::string_view key, int defaultValue) const;

    // "Location" trimmed; missing, empty or blank gives "Charlotte, NC". A name
    // edited in by hand without quotes reads as a list split at its comma; its
    // items are joined again with ", ".
    std::string Location() const;
    // "FloatDetails" (-1 / 0, default -1), "ColorScheme" (0..3, default 0),
    // "ShabbatTimesOnHolyDays" (-1 or 1 / 0, default 0).
    bool FloatDetails() const { return Int(setting::kFloatDetails, -1) != 0; }
    int ColorScheme() const { return Int(setting::kColorScheme, 0); }
    bool ShabbatTimesOnHolyDays() const { return Int(setting::kShabbatTimesOnHolyDays, 0) != 0; }
    // "CandleMinutes": candles this many minutes before sunset, 0..90; the
    // default 18 for a missing value or one outside that range.
    int CandleMinutes() const;

private:
    Lookup lookup_;
};

// Trims white space at both ends as a QString is trimmed: ASCII blanks and
// the Unicode spaces and separators.
std::string TrimSpaces(std::string_view text);

}  // namespace varnel
