// The settings of the master table and every rule of "WindowPos", checked
// through a private settings folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "core/solar/Location.h"
#include "core/views/ColorScheme.h"
#include "gui/common/Settings.h"
#include "core/views/ViewState.h"
#include "GuiTestSupport.h"

namespace varnel {
namespace {

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        ASSERT_TRUE(folder_.isValid());
        UseSettingsFolder(folder_.path());
    }
    static void Put(const char* key, const QString& value) { WriteSetting(key, value); }
    QTemporaryDir folder_;
};

// A 1440 x 900 pixel screen at 96 DPI, in twips.
constexpr int kScreenW = 21600;
constexpr int kScreenH = 13500;

TEST(WindowPosRules, FormatIsTwentyFiveCharacters) {
    WindowPos pos{1200, 450, 9135, 7185, kWindowStateMaximized};
    EXPECT_EQ(FormatWindowPos(pos), "01200,00450,09135,07185,2");
    std::string value;
    ASSERT_TRUE(WindowPosToSave(false, false, -30, -1, 13500, 10200, value));
    EXPECT_EQ(value, "00000,00000,13500,10200,0");
    EXPECT_EQ(value.size(), 25u);
    // Sizes past five digits are cut so the fields stay where the reader looks.
    ASSERT_TRUE(WindowPosToSave(false, true, 100, 100, 123456, 200, value));
    EXPECT_EQ(value, "00100,00100,99999,00200,2");
    value = "unchanged";
    EXPECT_FALSE(WindowPosToSave(true, false, 1, 2, 3, 4, value));
    EXPECT_EQ(value, "unchanged");
}

TEST(WindowPosRules, EmptyCentresAtDesignSize) {
    const WindowPlacement at = PlaceWindow("", kScreenW, kScreenH, 0, 0, 13500, 10201);
    EXPECT_EQ(at.left, (kScreenW - 13500) / 2);
    EXPECT_EQ(at.top, (kScreenH - 10201) / 2);  // whole twips, rounded down
    EXPECT_EQ(at.width, 13500);
    EXPECT_EQ(at.height, 10201);
    EXPECT_FALSE(at.maximized);
}

TEST(WindowPosRules, RestoresAndClamps) {
    WindowPlacement at = PlaceWindow("01200,00450,09000,07000,0", kScreenW, kScreenH, 5, 6, 13500, 10200);
    EXPECT_EQ(at.left, 1200);
    EXPECT_EQ(at.top, 450);
    EXPECT_EQ(at.width, 9000);
    EXPECT_EQ(at.height, 7000);
    // Too wide or too high for the screen: the fallback size.
    at = PlaceWindow("00000,00000,21601,13501,0", kScreenW, kScreenH, 5, 6, 13500, 10200);
    EXPECT_EQ(at.width, 9135);
    EXPECT_EQ(at.height, 7185);
    at = PlaceWindow("00000,00000,21600,13500,0", kScreenW, kScreenH, 5, 6, 13500, 10200);
    EXPECT_EQ(at.width, 21600);
    EXPECT_EQ(at.height, 13500);
    // Negative left and top become 0; negative sizes the fallback.
    at = PlaceWindow("-0100,-0050,-0001,-0001,0", kScreenW, kScreenH, 5, 6, 13500, 10200);
    EXPECT_EQ(at.left, 0);
    EXPECT_EQ(at.top, 0);
    EXPECT_EQ(at.width, 9135);
    EXPECT_EQ(at.height, 7185);
    // A corner within 200 twips of the far edges keeps the design position on that axis;
    // one just inside is moved back until a third of the window is on the screen.
    at = PlaceWindow("21400,13299,09000,07000,0", kScreenW, kScreenH, 5, 6, 13500, 10200);
    EXPECT_EQ(at.left, 5);
    EXPECT_EQ(at.top, kScreenH - 7000 / 3);
    at = PlaceWindow("21399,13300,09000,07000,0", kScreenW, kScreenH, 5, 6, 13500, 10200);
    EXPECT_EQ(at.left, kScreenW - 9000 / 3);
    EXPECT_EQ(at.top, 6);
    at = PlaceWindow("12600,06500,09000,07000,0", kScreenW, kScreenH, 5, 6, 13500, 10200);
    EXPECT_EQ(at.left, 12600);  // wholly on the screen: where it was
    EXPECT_EQ(at.top, 6500);
    // A field that is not a number reads as 0; the state "2" maximizes.
    at = PlaceWindow("abcde,00450,09000,07000,2", kScreenW, kScreenH, 5, 6, 13500, 10200);
    EXPECT_EQ(at.left, 0);
    EXPECT_EQ(at.top, 450);
    EXPECT_TRUE(at.maximized);
    EXPECT_FALSE(PlaceWindow("00000,00000,09000,07000,1", kScreenW, kScreenH, 0, 0, 1, 1).maximized);
}

TEST(WindowPosRules, AValueWithoutAUsableSizeIsTakenAsEmpty) {
    const WindowPlacement empty = PlaceWindow("", kScreenW, kScreenH, 5, 6, 13500, 10200);
    for (const char* value : {"abc", "0", "1", "00000,00000,00000,00000,0", "01200,00450,xxxxx,07000,2",
                              "01200,00450,09000,00100,0", "01200,00450,02999,07000,0"}) {
        const WindowPlacement at = PlaceWindow(value, kScreenW, kScreenH, 5, 6, 13500, 10200);
        EXPECT_EQ(at.left, empty.left) << value;
        EXPECT_EQ(at.top, empty.top) << value;
        EXPECT_EQ(at.width, 13500) << value;
        EXPECT_EQ(at.height, 10200) << value;
        EXPECT_FALSE(at.maximized) << value;
    }
    const WindowPlacement smallest = PlaceWindow("00000,00000,03000,02250,0", kScreenW, kScreenH, 5, 6, 13500, 10200);
    EXPECT_EQ(smallest.width, 3000);
    EXPECT_EQ(smallest.height, 2250);
}

TEST_F(SettingsStore, DefaultsOfTheMasterTable) {
    EXPECT_EQ(ReadSetting(setting::kWindowPos, QString()), QString());
    EXPECT_TRUE(ReadFloatDetailsSetting());
    EXPECT_EQ(ReadColorSchemeSetting(), 0);
    EXPECT_EQ(ReadLocationSetting(), "Charlotte, NC");
}

TEST_F(SettingsStore, StoredValuesReadBack) {
    Put(setting::kFloatDetails, "0");
    Put(setting::kColorScheme, "3");
    Put(setting::kLocation, "  Jerusalem, Israel ");
    EXPECT_FALSE(ReadFloatDetailsSetting());
    EXPECT_EQ(ReadColorSchemeSetting(), 3);
    EXPECT_EQ(ReadLocationSetting(), "Jerusalem, Israel");
    Put(setting::kLocation, "    ");
    EXPECT_EQ(ReadLocationSetting(), "Charlotte, NC");
    Put(setting::kColorScheme, "2x");
    EXPECT_EQ(ReadColorSchemeSetting(), 2);
    Put(setting::kFloatDetails, "junk");
    EXPECT_FALSE(ReadFloatDetailsSetting());  // not a number: 0
    // The keys live in group "Settings" of organisation and application "Varnel".
    QSettings raw(QStringLiteral("Varnel"), QStringLiteral("Varnel"));
    EXPECT_EQ(raw.value("Settings/ColorScheme").toString(), "2x");
}

TEST_F(SettingsStore, ColorSchemeOutsideTheTableGivesBlack) {
    Put(setting::kColorScheme, "7");
    ViewState state;
    state.SelectColorScheme(ReadColorSchemeSetting());
    EXPECT_EQ(state.colorScheme, 7);
    EXPECT_EQ(state.holyDayColor, RGB(0, 0, 0));
    EXPECT_EQ(state.shabbatColor, RGB(0, 0, 0));
    state.SelectColorScheme(0);
    EXPECT_EQ(state.holyDayColor, RGB(237, 187, 253));
    EXPECT_EQ(state.shabbatColor, RGB(100, 179, 217));
}

}  // namespace
}  // namespace varnel
