#include "core/common/UserSettings.h"

#include <charconv>
#include <memory>

#include "core/calendar/HolyDays.h"
#include "core/common/Utf8.h"
#include "core/solar/Location.h"

namespace varnel {
namespace {

bool IsSpace(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

}  // namespace

std::string TrimSpaces(std::string_view text) {
    size_t first = 0, last = text.size();
    while (first < last) {
        const Utf8Char c = DecodeUtf8(text, first);
        if (c.length == 0 || !IsSpace(c.codePoint)) break;
        first += c.length;
    }
    while (last > first) {
        size_t start = last - 1;  // the start of the last character
        while (start > first && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
        const Utf8Char c = DecodeUtf8(text, start);
        if (c.length != last - start || !IsSpace(c.codePoint)) break;
        last = start;
    }
    return std::string(text.substr(first, last - first));
}

UserSettings UserSettings::FromSettingsFiles() {
    auto files = std::make_shared<StoredSettings>(StoredSettings::Read(kSettingsOrganization, kSettingsApplication));
    return UserSettings([files](std::string_view key) {
        return files->Find(std::string(kSettingsGroup) + "/" + std::string(key));
    });
}

std::string UserSettings::Text(std::string_view key, std::string_view defaultValue) const {
    const std::optional<SettingValue> value = Value(key);
    return value ? value->Text() : std::string(defaultValue);
}

int UserSettings::Int(std::string_view key, int defaultValue) const {
    const std::optional<SettingValue> value = Value(key);
    if (!value || value->kind == SettingValue::Kind::Invalid) return defaultValue;
    return LeadingNumber(value->Text());
}

std::string UserSettings::Location() const {
    const std::optional<SettingValue> stored = Value(setting::kLocation);
    if (!stored) return kDefaultCity;
    std::string text;
    if (stored->kind == SettingValue::Kind::List) {
        for (size_t i = 0; i < stored->items.size(); ++i) text += (i ? ", " : "") + stored->items[i];
    } else {
        text = stored->Text();
    }
    text = TrimSpaces(text);
    return text.empty() ? std::string(kDefaultCity) : text;
}

int UserSettings::CandleMinutes() const {
    constexpr int kDefault = 18, kMost = 90;
    const int minutes = Int(setting::kCandleMinutes, kDefault);
    return minutes < 0 || minutes > kMost ? kDefault : minutes;
}

}  // namespace varnel
