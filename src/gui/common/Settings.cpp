#include "gui/common/Settings.h"

#include <QSettings>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "core/calendar/HolyDays.h"
#include "core/solar/Location.h"

namespace varnel {
namespace {

QSettings Store() { return QSettings(QLatin1String(kSettingsOrganization), QLatin1String(kSettingsApplication)); }
QString KeyPath(std::string_view key) {
    return QLatin1String(kSettingsGroup) + QLatin1Char('/') + QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

SettingValue ValueOf(const QVariant& stored) {
    SettingValue value;
    if (!stored.isValid()) value.kind = SettingValue::Kind::Invalid;
    else if (stored.typeId() == QMetaType::QStringList) {
        value.kind = SettingValue::Kind::List;
        for (const QString& item : stored.toStringList()) value.items.push_back(item.toStdString());
    } else if (stored.typeId() == QMetaType::QString || stored.typeId() == QMetaType::QByteArray)
        value.text = stored.toString().toStdString();
    else value.kind = SettingValue::Kind::Other;
    return value;
}

// Characters [first, first + count) of a text, 1-based, like Mid$: short texts give less.
std::string Mid(const std::string& s, size_t first, size_t count) {
    if (first < 1 || first > s.size()) return {};
    return s.substr(first - 1, count);
}

}  // namespace

UserSettings QtUserSettings() {
    // One QSettings for all the keys a reader asks.
    auto store = std::make_shared<const QSettings>(QLatin1String(kSettingsOrganization), QLatin1String(kSettingsApplication));
    return UserSettings([store](std::string_view key) -> std::optional<SettingValue> {
        const QString path = KeyPath(key);
        if (!store->contains(path)) return std::nullopt;
        return ValueOf(store->value(path));
    });
}

QVariant ReadSettingValue(const char* key, const QString& defaultValue) {
    return Store().value(KeyPath(key), defaultValue);
}

QString ReadSetting(const char* key, const QString& defaultValue) { return ReadSettingValue(key, defaultValue).toString(); }

void WriteSetting(const char* key, const QString& value) { Store().setValue(KeyPath(key), value); }

int ReadIntSetting(const char* key, int defaultValue) { return QtUserSettings().Int(key, defaultValue); }

void WriteIntSetting(const char* key, int value) { WriteSetting(key, QString::number(value)); }

SettingsBatch::SettingsBatch()
    : store_(std::make_unique<QSettings>(QLatin1String(kSettingsOrganization), QLatin1String(kSettingsApplication))) {}
SettingsBatch::~SettingsBatch() = default;
// A value the file already holds is not written again: a batch with nothing
// new leaves the file untouched.
void SettingsBatch::Write(const char* key, const QString& value) {
    const QString path = KeyPath(key);
    const QVariant stored = store_->value(path);
    if (stored.typeId() == QMetaType::QString && stored.toString() == value) return;
    store_->setValue(path, value);
}
void SettingsBatch::WriteInt(const char* key, int value) { Write(key, QString::number(value)); }

bool ReadFloatDetailsSetting() { return QtUserSettings().FloatDetails(); }

int ReadColorSchemeSetting() { return QtUserSettings().ColorScheme(); }

bool ReadShabbatTimesOnHolyDaysSetting() { return QtUserSettings().ShabbatTimesOnHolyDays(); }

int ReadCandleMinutesSetting() { return QtUserSettings().CandleMinutes(); }
HolyDayRules ReadHolyDayRulesSetting() { return HolyDayRulesOf(QtUserSettings()); }

void WriteHolyDayRulesSetting(const HolyDayRules& rules, SettingsBatch& batch) {
    batch.Write(setting::kOmerReckoning, QString::fromLatin1(OmerReckoningName(rules.omer)));
    batch.WriteInt(setting::kModernDays, rules.modernDays ? 1 : 0);
    batch.Write(setting::kSchedule, QString::fromLatin1(ScheduleChoiceName(rules.schedule)));
}

std::string FormatWindowPos(const WindowPos& pos) {
    const auto field = [](int v) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%05d", v);
        return std::string(buf);
    };
    return field(pos.left) + "," + field(pos.top) + "," + field(pos.width) + "," + field(pos.height) + "," +
           std::to_string(pos.state);
}

WindowPlacement PlaceWindow(const std::string& windowPos, int screenWidth, int screenHeight, int designLeft,
                            int designTop, int designWidth, int designHeight) {
    WindowPlacement at{designLeft, designTop, designWidth, designHeight, false};
    const auto centred = [&] {
        at.left = (screenWidth - designWidth) / 2;
        at.top = (screenHeight - designHeight) / 2;
        return at;
    };
    if (windowPos.empty()) return centred();
    int left = LeadingNumber(Mid(windowPos, 1, 5));
    int top = LeadingNumber(Mid(windowPos, 7, 5));
    int width = LeadingNumber(Mid(windowPos, 13, 5));
    int height = LeadingNumber(Mid(windowPos, 19, 5));
    const int state = LeadingNumber(windowPos.substr(windowPos.size() - 1));
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    if (width < 0 || width > screenWidth) width = kFallbackWindowWidth;
    if (height < 0 || height > screenHeight) height = kFallbackWindowHeight;
    // "abc", "0" or zeros: no size to restore, as if nothing had been saved.
    if (width < kMinimumWindowWidth || height < kMinimumWindowHeight) return centred();
    if (left < screenWidth - kScreenEdgeMargin) at.left = left;
    if (top < screenHeight - kScreenEdgeMargin) at.top = top;
    at.width = width;
    at.height = height;
    // A corner just inside the far edges would leave a sliver on the screen.
    at.left = std::max(0, std::min(at.left, screenWidth - width / 3));
    at.top = std::max(0, std::min(at.top, screenHeight - height / 3));
    // A window is never restored minimized: only "2" is a state to restore.
    at.maximized = state == kWindowStateMaximized;
    return at;
}

bool WindowPosToSave(bool minimized, bool maximized, int left, int top, int width, int height, std::string& value) {
    if (minimized) return false;
    // Five digits per field keep the fields where the reader looks for them.
    const auto fit = [](int v) { return v < 0 ? 0 : (v > 99999 ? 99999 : v); };
    WindowPos pos;
    pos.left = fit(left);
    pos.top = fit(top);
    pos.width = fit(width);
    pos.height = fit(height);
    pos.state = maximized ? kWindowStateMaximized : kWindowStateNormal;
    value = FormatWindowPos(pos);
    return true;
}

std::string ReadLocationSetting() { return QtUserSettings().Location(); }

void WriteLocationSetting(const std::string& city) { WriteSetting(setting::kLocation, QString::fromStdString(city)); }

PlaceChoice ReadLocationSettings() { return PlaceOfSettings(QtUserSettings()); }

void WriteLocationSettings(const PlaceChoice& choice, SettingsBatch& batch) {
    const PlaceSettingTexts texts = SettingsOfChoice(choice);
    const auto write = [&](const char* key, const std::string& value) {
        batch.Write(key, QString::fromStdString(value));
    };
    write(setting::kLocation, texts.location);
    write(setting::kLocationLatitude, texts.latitude);
    write(setting::kLocationLongitude, texts.longitude);
    write(setting::kLocationZone, texts.zone);
    write(setting::kDaylightRules, texts.daylightRules);
    write(setting::kSunAlgorithm, texts.sunAlgorithm);
}

}  // namespace varnel
