// The settings of the master table and every rule of "WindowPos", checked
// through a private settings folder.
#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include <tuple>

#include "gui/common/Settings.h"
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
    // Design position (5, 6) and size 13500 x 10200; the fallback size is 9135 x 7185.
    const struct {
        const char* value;
        WindowPlacement expected;
    } cases[] = {
        {"01200,00450,09000,07000,0", {1200, 450, 9000, 7000, false}},
        // Too wide or too high for the screen: the fallback size; just fitting: kept.
        {"00000,00000,21601,13501,0", {0, 0, 9135, 7185, false}},
        {"00000,00000,21600,13500,0", {0, 0, 21600, 13500, false}},
        // Negative left and top become 0; negative sizes the fallback.
        {"-0100,-0050,-0001,-0001,0", {0, 0, 9135, 7185, false}},
        // A corner within 200 twips of the far edges keeps the design position on that axis;
        // one just inside is moved back until a third of the window is on the screen.
        {"21400,13299,09000,07000,0", {5, kScreenH - 7000 / 3, 9000, 7000, false}},
        {"21399,13300,09000,07000,0", {kScreenW - 9000 / 3, 6, 9000, 7000, false}},
        {"12600,06500,09000,07000,0", {12600, 6500, 9000, 7000, false}},  // wholly on the screen
        // A field that is not a number reads as 0; the state "2" maximizes, "1" does not.
        {"abcde,00450,09000,07000,2", {0, 450, 9000, 7000, true}},
        {"00000,00000,09000,07000,1", {0, 0, 9000, 7000, false}},
    };
    for (const auto& c : cases) {
        const WindowPlacement at = PlaceWindow(c.value, kScreenW, kScreenH, 5, 6, 13500, 10200);
        EXPECT_EQ(std::tie(at.left, at.top, at.width, at.height, at.maximized),
                  std::tie(c.expected.left, c.expected.top, c.expected.width, c.expected.height, c.expected.maximized))
            << c.value;
    }
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

TEST_F(SettingsStore, DefaultsAndStoredValuesOfTheMasterTable) {
    EXPECT_EQ(ReadSetting(setting::kWindowPos, QString()), QString());
    EXPECT_TRUE(ReadFloatDetailsSetting());
    EXPECT_EQ(ReadColorSchemeSetting(), 0);
    WriteSetting(setting::kFloatDetails, "0");
    EXPECT_FALSE(ReadFloatDetailsSetting());
    WriteSetting(setting::kColorScheme, "2x");
    EXPECT_EQ(ReadColorSchemeSetting(), 2);
    WriteSetting(setting::kFloatDetails, "junk");
    EXPECT_FALSE(ReadFloatDetailsSetting());  // not a number: 0
    // The keys live in group "Settings" of organisation and application "Varnel".
    QSettings raw(QStringLiteral("Varnel"), QStringLiteral("Varnel"));
    EXPECT_EQ(raw.value("Settings/ColorScheme").toString(), "2x");
}

}  // namespace
}  // namespace varnel
