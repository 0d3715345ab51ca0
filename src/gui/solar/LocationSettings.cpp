#include "gui/solar/LocationSettings.h"

#include <QStringList>

#include "core/solar/Location.h"
#include "gui/common/Settings.h"

namespace varnel {

std::string ReadLocationSetting() {
    const QVariant stored = ReadSettingValue(setting::kLocation, QString::fromLatin1(kDefaultCity));
    // A name edited into the settings file by hand without quotes reads back
    // as a list split at its comma; every place name has ", " there.
    const QString value = (stored.typeId() == QMetaType::QStringList ? stored.toStringList().join(QStringLiteral(", "))
                                                                      : stored.toString())
                              .trimmed();
    return value.isEmpty() ? std::string(kDefaultCity) : value.toStdString();
}

void WriteLocationSetting(const std::string& city) { WriteSetting(setting::kLocation, QString::fromStdString(city)); }

bool ReadUseSystemDaylightSetting() {
    bool ok = false;
    const int value = ReadSetting(setting::kUseSystemDaylight, QStringLiteral("-1")).trimmed().toInt(&ok);
    return !ok || value != 0;
}

void WriteUseSystemDaylightSetting(bool on) {
    WriteSetting(setting::kUseSystemDaylight, on ? QStringLiteral("-1") : QStringLiteral("0"));
}

LocationChoice ReadLocationSettings() { return {ReadLocationSetting(), ReadUseSystemDaylightSetting()}; }

void WriteLocationSettings(const LocationChoice& choice) {
    WriteLocationSetting(choice.city);
    WriteUseSystemDaylightSetting(choice.systemDaylight);
}

}  // namespace varnel
