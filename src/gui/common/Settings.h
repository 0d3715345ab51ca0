#pragma once
// The per-user settings of the master table, kept with QSettings under
// organisation and application "Varnel", group "Settings", read by the core's
// rules (UserSettings); and the rules of the "WindowPos" value.
#include <QString>
#include <QVariant>
#include <memory>
#include <string>

#include "core/calendar/FeastRules.h"
#include "core/common/UserSettings.h"
#include "core/solar/PlaceSettings.h"

class QSettings;

namespace varnel {

// The settings as QSettings reads them, for the core's readers.
UserSettings QtUserSettings();

QString ReadSetting(const char* key, const QString& defaultValue);
// The stored value as it is (a text edited in by hand may read as a list).
QVariant ReadSettingValue(const char* key, const QString& defaultValue);
void WriteSetting(const char* key, const QString& value);

// Settings written together through one QSettings: the file and its lock are
// written once, when the batch ends, however many keys it holds, and not at
// all when every value is the one the file holds.
class SettingsBatch {
public:
    SettingsBatch();
    ~SettingsBatch();
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;
    void Write(const char* key, const QString& value);
    void WriteInt(const char* key, int value);

private:
    std::unique_ptr<QSettings> store_;
};
// A decimal setting; a value that is not a number reads as its leading number
// (0 when there is none), a missing one as the default.
int ReadIntSetting(const char* key, int defaultValue);
void WriteIntSetting(const char* key, int value);

// "FloatDetails" (-1 / 0, default -1) and "ColorScheme" (0..3, default 0).
bool ReadFloatDetailsSetting();
int ReadColorSchemeSetting();
// "ShabbatTimesOnHolyDays" (-1 or 1 / 0, default 0).
bool ReadShabbatTimesOnHolyDaysSetting();
int ReadCandleMinutesSetting();
// "OmerReckoning" ("sabbath", the default, or "nisan16"), "ModernDays" (1, the
// default, or 0) and "Schedule" ("auto", the default, "diaspora" or "israel");
// anything else reads as the default.
HolyDayRules ReadHolyDayRulesSetting();
void WriteHolyDayRulesSetting(const HolyDayRules& rules, SettingsBatch& batch);

// "WindowPos": left, top, width and height in whole twips as "00000", then the
// state ("0" normal, "2" maximized), comma-separated: 25 characters.
inline constexpr int kWindowStateNormal = 0;
inline constexpr int kWindowStateMinimized = 1;
inline constexpr int kWindowStateMaximized = 2;
inline constexpr int kFallbackWindowWidth = 9135;   // twips, for a width the screen cannot hold
inline constexpr int kFallbackWindowHeight = 7185;
inline constexpr int kScreenEdgeMargin = 200;
// A restored size below this (200 x 150 pixels at 96 DPI) shows nothing of use:
// the value is taken as empty.
inline constexpr int kMinimumWindowWidth = 3000;
inline constexpr int kMinimumWindowHeight = 2250;

struct WindowPos {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int state = kWindowStateNormal;
};
std::string FormatWindowPos(const WindowPos& pos);

// Where a window goes at start, from "WindowPos", the screen's size and the
// window's design rectangle (all twips). Left and top that would put the
// window's corner within 200 twips of the screen's far edges keep the design
// position; an empty value, or one that gives no usable size, centres the
// window at its design size. A window is moved back until at least a third of
// its width and height, title bar included, is on the screen.
struct WindowPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool maximized = false;
};
WindowPlacement PlaceWindow(const std::string& windowPos, int screenWidth, int screenHeight, int designLeft,
                            int designTop, int designWidth, int designHeight);

// What shut-down writes, or nothing when the window is minimized.
bool WindowPosToSave(bool minimized, bool maximized, int left, int top, int width, int height, std::string& value);

// The place and daylight-rule settings.
// "Location" trimmed; empty or blank gives "Charlotte, NC".
std::string ReadLocationSetting();
void WriteLocationSetting(const std::string& city);

// The chosen place with its coordinates, zone, daylight source and sun (the
// keys and how they read: core/solar/PlaceSettings.h).
PlaceChoice ReadLocationSettings();
void WriteLocationSettings(const PlaceChoice& choice, SettingsBatch& batch);

}  // namespace varnel
