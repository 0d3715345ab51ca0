#include "gui/solar/LocationSettings.h"

#include <QSettings>

#include "core/solar/Location.h"

namespace varnel {
namespace {

constexpr const char* kLocationKey = "Settings/Location";
constexpr const char* kUseSystemDaylightKey = "Settings/UseSystemDaylight";

QSettings Store() { return QSettings(QStringLiteral("Varnel"), QStringLiteral("Varnel")); }

}  // namespace

std::string ReadLocationSetting() {
    const QVariant stored = Store().value(kLocationKey, QString::fromLatin1(kDefaultCity));
    // A name edited into the settings file by hand without quotes reads back
    // as a list split at its comma; every place name has ", " there.
    const QString value = (stored.typeId() == QMetaType::QStringList ? stored.toStringList().join(QStringLiteral(", "))
                                                                      : stored.toString())
                              .trimmed();
    return value.isEmpty() ? std::string(kDefaultCity) : value.toStdString();
}

void WriteLocationSetting(const std::string& city) { Store().setValue(kLocationKey, QString::fromStdString(city)); }

bool ReadUseSystemDaylightSetting() {
    bool ok = false;
    const int value = Store().value(kUseSystemDaylightKey, QStringLiteral("-1")).toString().trimmed().toInt(&ok);
    return !ok || value != 0;
}

void WriteUseSystemDaylightSetting(bool on) {
    Store().setValue(kUseSystemDaylightKey, on ? QStringLiteral("-1") : QStringLiteral("0"));
}

void LoadLocationSettings() {
    CurrentCity = ReadLocationSetting();
    UseSystemDaylight = ReadUseSystemDaylightSetting();
}

void SaveLocationSettings() {
    WriteLocationSetting(CurrentCity);
    WriteUseSystemDaylightSetting(UseSystemDaylight);
}

}  // namespace varnel
