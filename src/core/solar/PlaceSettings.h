#pragma once
// The place settings as the stored texts give them, read and written without
// Qt, and the checks of coordinates and zones typed by a user.
#include <optional>
#include <string>
#include <string_view>

#include "core/common/UserSettings.h"
#include "core/solar/Location.h"

namespace varnel {

namespace setting {
inline constexpr const char* kLocationLatitude = "LocationLatitude";    // degrees north
inline constexpr const char* kLocationLongitude = "LocationLongitude";  // degrees east
inline constexpr const char* kLocationZone = "LocationZone";            // IANA zone
inline constexpr const char* kDaylightRules = "DaylightRules";          // "place" (default) or "system"
inline constexpr const char* kSunAlgorithm = "SunAlgorithm";            // "classic" (default) or "precise"
}  // namespace setting

// The stored texts of the place settings; an absent key is an empty text.
struct PlaceSettingTexts {
    std::string location;  // already trimmed; empty gives "Charlotte, NC"
    std::string latitude;
    std::string longitude;
    std::string zone;
    std::string daylightRules;
    std::string sunAlgorithm;
};

// A name of the built-in table (former spellings too) is that place; any
// other name is a place of its own when the three coordinates are stored
// and sound, else it computes at latitude 0, longitude 0, UTC as before.
// "DaylightRules" is "system" for the system's rules, anything else the
// place's own clock; the former "UseSystemDaylight" is not read (below).
PlaceChoice ChoiceOfSettings(const PlaceSettingTexts& texts);
// The same from the user's settings.
PlaceChoice PlaceOfSettings(const UserSettings& settings);
PlaceSettingTexts SettingsOfChoice(const PlaceChoice& choice);

std::optional<SunAlgorithm> ParseSunAlgorithm(std::string_view text);
std::string_view SunAlgorithmName(SunAlgorithm sun);

// Decimal degrees, the whole text a number within the bounds; else nothing.
std::optional<double> ParseDegrees(std::string_view text, double limit);
// Coordinates as text: the shortest decimal that reads back the same.
std::string DegreesText(double degrees);
// The name a place given by coordinates shows: "39.29, -76.612".
std::string CoordinatesName(double latitude, double longitude);

}  // namespace varnel
