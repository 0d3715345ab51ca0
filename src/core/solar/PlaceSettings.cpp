#include "core/solar/PlaceSettings.h"

#include <charconv>
#include <cmath>

#include "core/common/Profile.h"
#include "core/solar/ZoneClock.h"

namespace varnel {

std::optional<double> ParseDegrees(std::string_view text, double limit) {
    text = TrimmedView(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
        std::fabs(value) > limit)
        return std::nullopt;
    return value;
}

std::string DegreesText(double degrees) {
    // The shortest decimals that read back the same, never an exponent ("90", not "9e+01").
    char text[400];
    const auto [end, error] = std::to_chars(text, text + sizeof text, degrees, std::chars_format::fixed);
    return error == std::errc() ? std::string(text, end) : std::string();
}

std::string CoordinatesName(double latitude, double longitude) {
    return DegreesText(latitude) + ", " + DegreesText(longitude);
}

std::optional<SunAlgorithm> ParseSunAlgorithm(std::string_view text) {
    text = TrimmedView(text);
    if (text == "classic") return SunAlgorithm::Classic;
    if (text == "precise") return SunAlgorithm::Precise;
    return std::nullopt;
}

std::string_view SunAlgorithmName(SunAlgorithm sun) { return sun == SunAlgorithm::Precise ? "precise" : "classic"; }

PlaceChoice ChoiceOfSettings(const PlaceSettingTexts& texts) {
    const std::string_view name = TrimmedView(texts.location);
    PlaceChoice choice = ChoiceOfCity(name.empty() ? std::string_view(kDefaultCity) : name);
    if (FindCity(choice.name) < 0) {
        const std::optional<double> latitude = ParseDegrees(texts.latitude, 90);
        const std::optional<double> longitude = ParseDegrees(texts.longitude, 180);
        const std::string zone(TrimmedView(texts.zone));
        if (latitude && longitude && IsKnownZone(zone)) {
            choice.custom = true;
            choice.latitude = *latitude;
            choice.longitude = *longitude;
            choice.zone = zone;
        }
    }
    // Versions before wrote "UseSystemDaylight" = -1 at every close whether or
    // not the user chose the system's rules, so that key cannot tell a choice
    // from the old default, which showed places an hour off on a computer in
    // another zone: the place's own clock is taken unless "system" is stored.
    choice.systemDaylight = TrimmedView(texts.daylightRules) == "system";
    choice.sun = ParseSunAlgorithm(texts.sunAlgorithm).value_or(SunAlgorithm::Classic);
    return choice;
}

PlaceChoice PlaceOfSettings(const UserSettings& settings) {
    PlaceSettingTexts texts;
    texts.location = settings.Location();
    texts.latitude = settings.Text(setting::kLocationLatitude, "");
    texts.longitude = settings.Text(setting::kLocationLongitude, "");
    texts.zone = settings.Text(setting::kLocationZone, "");
    texts.daylightRules = settings.Text(setting::kDaylightRules, "");
    texts.sunAlgorithm = settings.Text(setting::kSunAlgorithm, "");
    return ChoiceOfSettings(texts);
}

PlaceSettingTexts SettingsOfChoice(const PlaceChoice& choice) {
    PlaceSettingTexts texts;
    texts.location = choice.name;
    const CityEntry* row = choice.custom ? nullptr : CityAt(FindCity(choice.name));
    const double latitude = row ? row->latitude : choice.latitude;
    const double longitude = row ? -row->longitude : choice.longitude;
    if (row || choice.custom) {
        texts.latitude = DegreesText(latitude);
        texts.longitude = DegreesText(longitude == 0 ? 0 : longitude);
        texts.zone = ZoneOfChoice(choice);
    }
    texts.daylightRules = choice.systemDaylight ? "system" : "place";
    texts.sunAlgorithm = SunAlgorithmName(choice.sun);
    return texts;
}

}  // namespace varnel
