#pragma once
// The place and daylight-rule settings, kept with the user's other settings
// (organisation and application "Varnel", group "Settings").
#include <string>

namespace varnel {

// "Location" trimmed; empty or blank gives "Charlotte, NC".
std::string ReadLocationSetting();
void WriteLocationSetting(const std::string& city);
// "UseSystemDaylight": "-1" (the default) or "0"; any other number counts as on
// unless it is 0.
bool ReadUseSystemDaylightSetting();
void WriteUseSystemDaylightSetting(bool on);

// A place of the table and the source of its daylight rules.
struct LocationChoice {
    std::string city;
    bool systemDaylight = true;
};

LocationChoice ReadLocationSettings();
void WriteLocationSettings(const LocationChoice& choice);

}  // namespace varnel
