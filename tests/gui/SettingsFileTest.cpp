// The command line reads the settings file without Qt: what it reads must be
// what QSettings reads, for the values QSettings writes and for files edited
// by hand.
#include <gtest/gtest.h>

#include <QSettings>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "GuiTestSupport.h"
#include "core/common/SettingsFile.h"
#include "core/common/UserSettings.h"
#include "core/solar/PlaceSettings.h"
#include "gui/common/Settings.h"

namespace varnel {
namespace {

std::string Describe(const std::optional<SettingValue>& v) {
    if (!v) return "missing";
    switch (v->kind) {
    case SettingValue::Kind::Text: return "text[" + v->text + "]";
    case SettingValue::Kind::Invalid: return "invalid";
    case SettingValue::Kind::Other: return "other";
    case SettingValue::Kind::List: break;
    }
    std::string s = "list";
    for (const std::string& item : v->items) s += "[" + item + "]";
    return s;
}

class SettingsFileReader : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        ASSERT_TRUE(folder_.isValid());
        UseSettingsFolder(folder_.path());
        hadConfig_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        oldConfig_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", folder_.path().toUtf8());
        qputenv("XDG_CONFIG_DIRS", (folder_.path() + "/system").toUtf8());
    }
    void TearDown() override {
        if (hadConfig_) qputenv("XDG_CONFIG_HOME", oldConfig_);
        else qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_CONFIG_DIRS");
    }
    QString AppFile() const { return folder_.path() + "/Varnel/Varnel.conf"; }
    void WriteText(const QString& path, const QByteArray& text) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    // Every key QSettings finds reads the same through the core's reader.
    void ExpectSameAsQt() {
        const UserSettings qt = QtUserSettings();
        const UserSettings file = UserSettings::FromSettingsFiles();
        QSettings store(QStringLiteral("Varnel"), QStringLiteral("Varnel"));
        store.beginGroup(QStringLiteral("Settings"));
        const QStringList keys = store.allKeys();
        ASSERT_FALSE(keys.isEmpty());
        for (const QString& key : keys) {
            const std::string k = key.toStdString();
            EXPECT_EQ(Describe(file.Value(k)), Describe(qt.Value(k))) << k;
            EXPECT_EQ(file.Int(k, 77), qt.Int(k, 77)) << k;
        }
        EXPECT_EQ(file.Location(), qt.Location());
        EXPECT_EQ(PlaceOfSettings(file), PlaceOfSettings(qt));
    }

    QTemporaryDir folder_;
    bool hadConfig_ = false;
    QByteArray oldConfig_;
};

TEST_F(SettingsFileReader, ReadsBackWhatQSettingsWrites) {
    {
        QSettings store(QStringLiteral("Varnel"), QStringLiteral("Varnel"));
        const QStringList texts = {
            "Charlotte, NC", "  padded  ", "quote \" back\\slash", "semi;colon=equals", "tab\there\nline\r",
            QString::fromUtf8("Z\u00fcrich \u05d9\u05e8\u05d5\u05e9\u05dc\u05d9\u05dd \U0001F600"),
            "@at start", "@@two", "", QString("ctl\x01") + "23", QString("nul") + QChar(0) + "inside", "-1", "trail "};
        for (int i = 0; i < texts.size(); ++i) store.setValue(QString("Settings/Text%1").arg(i), texts[i]);
        store.setValue("Settings/List", QStringList{"x, y", " z ", "@one", ""});
        store.setValue(QString::fromUtf8("Settings/Key with space and \u00fc"), "odd key");
        store.setValue("Settings/Location", QString::fromUtf8("\u00a0 Jerusalem, Israel\u3000"));
        store.setValue("Settings/DaylightRules", " system ");
        store.setValue("Settings/LocationZone", "Asia/Tokyo");
    }
    ExpectSameAsQt();
}

TEST_F(SettingsFileReader, ReadsHandEditedFilesAsQSettingsDoes) {
    WriteText(AppFile(),
              "\xEF\xBB\xBF; edited by hand\n"
              "[Settings]\n"
              "Location=Jerusalem, Israel\n"
              "Quoted=\"Hong Kong, China\"  ; a comment\n"
              "Spaces=   padded value   \r\n"
              "Escapes=a\\tb\\x41\\101\\\"q\\\" \\x5d9\\x5e8z\n"
              "Continued=first \\\n second\n"
              "Empty=\n"
              "Invalid=@Invalid()\n"
              "Rect=@Rect(1 2 3 4)\n"
              "BadRect=@Rect(1 2)\n"
              "AtAt=@@home\n"
              "Str=@String(x, y)\n"
              "Bytes=@ByteArray(raw)\n"
              "Mixed=one, @two\n"
              "Case=1\n"
              "case=2\n"
              "Dup=first\n"
              "Dup=second\n"
              "NoEquals\n"
              "Quote\"d=k\"ey=v\n"
              "Key%20With%U00fcSpace=ks\n"
              "Cut=a\\\n"
              "[settings]\n"
              "Other=lower-case section\n"
              "[Settings]\n"
              "Late=again\n"
              "UseSystemDaylight= 0x0\n"
              "[General]\n"
              "Root=r\n");
    ExpectSameAsQt();
    // The user's file first, then the organisation's, then the system's.
    WriteText(folder_.path() + "/Varnel.conf", "[Settings]\nColorScheme=2\nLocation=Boston, MA\n");
    WriteText(folder_.path() + "/system/Varnel/Varnel.conf", "[Settings]\nFloatDetails=0\nColorScheme=3\n");
    const UserSettings file = UserSettings::FromSettingsFiles();
    EXPECT_EQ(file.ColorScheme(), 2);
    EXPECT_FALSE(file.FloatDetails());
    EXPECT_EQ(file.Location(), "Jerusalem, Israel");
    EXPECT_EQ(file.ColorScheme(), QtUserSettings().ColorScheme());
    EXPECT_EQ(file.FloatDetails(), QtUserSettings().FloatDetails());
}

TEST_F(SettingsFileReader, MissingOrBlankValuesGiveTheDefaults) {
    const UserSettings none = UserSettings::FromSettingsFiles();
    EXPECT_EQ(none.Location(), "Charlotte, NC");
    EXPECT_FALSE(PlaceOfSettings(none).systemDaylight);
    EXPECT_TRUE(none.FloatDetails());
    WriteText(AppFile(), "[Settings]\nLocation=\" \"\nDaylightRules=no\nFloatDetails=@Invalid()\n");
    const UserSettings blank = UserSettings::FromSettingsFiles();
    EXPECT_EQ(blank.Location(), "Charlotte, NC");
    EXPECT_FALSE(PlaceOfSettings(blank).systemDaylight);
    EXPECT_TRUE(blank.FloatDetails());
    ExpectSameAsQt();
}

}  // namespace
}  // namespace varnel
