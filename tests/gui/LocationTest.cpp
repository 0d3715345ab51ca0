// The place settings in the settings file, and the location dialog.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <ctime>
#include <utility>
#include <vector>

#include "core/common/Date.h"
#include "core/common/Json.h"
#include "core/solar/Location.h"
#include "gui/common/Settings.h"
#include "gui/solar/LocationDialog.h"
#include "GuiTestSupport.h"

namespace varnel {
namespace {

// Every test starts from Charlotte, the system's rules, January 2027 and a
// private settings folder, and gives back the system zone it found.
class LocationFixture : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        ASSERT_TRUE(folder_.isValid());
        UseSettingsFolder(folder_.path());
    }
    static void UseZone(const char* tz) { ScopedTimeZone::Set(tz); }
    static QSettings Store() { return QSettings(QStringLiteral("Varnel"), QStringLiteral("Varnel")); }
    // The dialog opened on the place as the window would.
    std::unique_ptr<LocationDialog> Dialog(Date shown = Date(2027, 1, 1)) const {
        PlaceChoice choice = ChoiceOfCity(city);
        choice.name = city;
        choice.systemDaylight = systemDaylight;
        return std::make_unique<LocationDialog>(nullptr, choice, shown);
    }

    std::string city = kDefaultCity;
    bool systemDaylight = true;

    QTemporaryDir folder_;
    ScopedTimeZone systemZone_;
};

using LocationSettingsTest = LocationFixture;

TEST_F(LocationSettingsTest, LocationIsTrimmedAndBlankGivesCharlotte) {
    EXPECT_EQ(ReadLocationSetting(), "Charlotte, NC");  // nothing stored yet
    for (const char* blank : {"", "   ", "\t "}) {
        Store().setValue("Settings/Location", QString::fromLatin1(blank));
        EXPECT_EQ(ReadLocationSetting(), "Charlotte, NC") << '"' << blank << '"';
    }
    Store().setValue("Settings/Location", "  Tokyo, Japan  ");
    EXPECT_EQ(ReadLocationSetting(), "Tokyo, Japan");
    // Written into the file by hand without quotes, the comma splits the value.
    QFile raw(Store().fileName());
    ASSERT_TRUE(raw.open(QIODevice::WriteOnly | QIODevice::Truncate));
    raw.write("[Settings]\nLocation =   Sydney, Australia \n");
    raw.close();
    EXPECT_EQ(ReadLocationSetting(), "Sydney, Australia");
    // A hand-edited name is kept as it stands; the place then computes as 0/0/0.
    Store().setValue("Settings/Location", "Atlantis");
    EXPECT_EQ(ReadLocationSetting(), "Atlantis");
}

TEST_F(LocationSettingsTest, RoundTripOfEveryKey) {
    // Nothing stored: Charlotte on its own clock, the classic sun. A file of an
    // earlier version, with its "UseSystemDaylight", reads the same.
    Store().setValue("Settings/UseSystemDaylight", "-1");
    PlaceChoice read = ReadLocationSettings();
    EXPECT_EQ(read.name, "Charlotte, NC");
    EXPECT_FALSE(read.systemDaylight);
    EXPECT_EQ(read.sun, SunAlgorithm::Classic);

    PlaceChoice toronto;
    toronto.name = "Toronto, Ontario, Canada";
    toronto.custom = true;
    toronto.latitude = 43.70011;
    toronto.longitude = -79.4163;
    toronto.zone = "America/Toronto";
    toronto.systemDaylight = true;
    toronto.sun = SunAlgorithm::Precise;
    {
        SettingsBatch batch;
        WriteLocationSettings(toronto, batch);
    }
    EXPECT_EQ(Store().value("Settings/Location").toString(), "Toronto, Ontario, Canada");
    EXPECT_EQ(Store().value("Settings/LocationLatitude").toString(), "43.70011");
    EXPECT_EQ(Store().value("Settings/LocationLongitude").toString(), "-79.4163");
    EXPECT_EQ(Store().value("Settings/LocationZone").toString(), "America/Toronto");
    EXPECT_EQ(Store().value("Settings/DaylightRules").toString(), "system");
    EXPECT_EQ(Store().value("Settings/SunAlgorithm").toString(), "precise");
    EXPECT_EQ(ReadLocationSettings(), toronto);
}

using LocationDialogTest = LocationFixture;

struct DialogControls {
    QLabel* caption;
    QLabel* current;
    QListWidget* list;
    QLabel* oldCity;
    QCheckBox* useSystem;
    QPushButton* ok;
    QPushButton* cancel;
};

DialogControls Find(LocationDialog& dialog) {
    return {dialog.findChild<QLabel*>("lblCaption"),     dialog.findChild<QLabel*>("lblCurrent"),
            dialog.findChild<QListWidget*>("lstLocations"), dialog.findChild<QLabel*>("lblOldCity"),
            dialog.findChild<QCheckBox*>("chkUseSystemDaylight"), dialog.findChild<QPushButton*>("cmdOK"),
            dialog.findChild<QPushButton*>("cmdCancel")};
}

TEST_F(LocationDialogTest, ShowsTheCurrentSettingsAndEveryPlace) {
    UseZone("America/New_York");
    const auto dialog = Dialog();
    const DialogControls c = Find(*dialog);
    ASSERT_TRUE(c.caption && c.current && c.list && c.oldCity && c.useSystem && c.ok && c.cancel);
    EXPECT_TRUE(c.useSystem->isChecked());
    EXPECT_EQ(c.oldCity->text(), "Charlotte, NC");
    EXPECT_EQ(c.current->text(), "Charlotte, NC\nLatitude:35.13 Longitude:80.8\nEastern Standard Time");
    ASSERT_EQ(c.list->count(), 51);
    EXPECT_EQ(c.list->item(0)->text(), "Albuquerque, NM");
    EXPECT_EQ(c.list->item(50)->text(), "Zurich, Switzerland");
    EXPECT_EQ(c.list->currentRow(), 5);
    EXPECT_EQ(dialog->Choice().name, "Charlotte, NC");  // opening changes nothing
}

TEST_F(LocationDialogTest, CancelGivesNothingAndOkTheLastClick) {
    UseZone("America/New_York");
    {
        const auto dialog = Dialog();
        const DialogControls c = Find(*dialog);
        c.list->setCurrentRow(37);
        EXPECT_EQ(c.current->text().section('\n', 0, 1), "Jerusalem, Israel\nLatitude:31.46 Longitude:-35.14");
        c.list->setCurrentRow(48);
        c.useSystem->setChecked(false);
        c.cancel->click();
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
    }
    const auto dialog = Dialog();
    const DialogControls c = Find(*dialog);
    c.list->setCurrentRow(37);
    c.list->setCurrentRow(42);
    EXPECT_EQ(c.current->text().section('\n', 1, 1), "Latitude:28.36 Longitude:-77.12");
    c.ok->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Choice().name, "New Delhi, India");
    EXPECT_TRUE(dialog->Choice().systemDaylight);
}

TEST_F(LocationDialogTest, PlaceRulesFollowTheClickedPlace) {
    UseZone("UTC");
    const auto dialog = Dialog(Date(2027, 7, 1));
    const DialogControls c = Find(*dialog);
    c.useSystem->setChecked(false);
    EXPECT_EQ(c.current->text().section('\n', 2), "Eastern Daylight Time");
    c.list->setCurrentRow(48);  // Sydney, in its winter
    EXPECT_EQ(c.current->text().section('\n', 2), "Australian Eastern Standard Time");
    c.ok->click();
    EXPECT_FALSE(dialog->Choice().systemDaylight);
    EXPECT_EQ(dialog->Choice().name, "Sydney, Australia");
}

TEST_F(LocationDialogTest, StoredNamesOutsideTheTable) {
    city = "Atlantis";
    EXPECT_EQ(Find(*Dialog()).current->text().section('\n', 0, 1), "Atlantis\nLatitude:0 Longitude:0");
    EXPECT_EQ(Find(*Dialog()).list->currentRow(), -1);
    city = "charlotte, nc";  // edited by hand, still a match; a click on its row takes the table's name
    const auto dialog = Dialog();
    const DialogControls c = Find(*dialog);
    ASSERT_EQ(c.list->currentRow(), 5);
    EXPECT_TRUE(c.current->text().startsWith("charlotte, nc\nLatitude:35.13 Longitude:80.8"));
    emit c.list->itemClicked(c.list->item(5));
    EXPECT_EQ(dialog->Choice().name, "Charlotte, NC");
    EXPECT_TRUE(c.current->text().startsWith("Charlotte, NC\n"));
}

TEST_F(LocationDialogTest, SearchAndCoordinatesTypedIn) {
    UseZone("UTC");
    systemDaylight = false;
    const auto dialog = Dialog(Date(2027, 7, 1));
    QLineEdit* search = dialog->findChild<QLineEdit*>("txtSearch");
    QListWidget* list = dialog->findChild<QListWidget*>("lstLocations");
    // The built-in places that the text begins come first, under their names.
    search->setText("bo");
    ASSERT_GE(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), "Boston, MA");
    EXPECT_EQ(list->item(1)->text(), "Boulder, CO");
    search->setText("tromso");
    ASSERT_GE(list->count(), 1);
    list->setCurrentRow(0);
    EXPECT_EQ(dialog->Choice().name, "Tromsø, Troms og Finnmark, Norway");
    EXPECT_EQ(dialog->findChild<QLineEdit*>("txtZone")->text(), "Europe/Oslo");
    search->clear();
    EXPECT_EQ(list->count(), 51);

    // A place no list holds: bad values are said and change nothing.
    const auto type = [&](const char* lat, const char* lon, const char* zone) {
        dialog->findChild<QLineEdit*>("txtLatitude")->setText(lat);
        dialog->findChild<QLineEdit*>("txtLongitude")->setText(lon);
        dialog->findChild<QLineEdit*>("txtZone")->setText(zone);
        dialog->findChild<QPushButton*>("cmdUseCoordinates")->click();
        return dialog->findChild<QLabel*>("lblCoordinatesNote")->text();
    };
    EXPECT_TRUE(type("95", "0", "UTC").contains("latitude"));
    EXPECT_TRUE(type("45", "east", "UTC").contains("longitude"));
    EXPECT_TRUE(type("45", "10", "Nowhere/Town").contains("zone"));
    EXPECT_EQ(dialog->Choice().name, "Tromsø, Troms og Finnmark, Norway");
    EXPECT_EQ(type("-77.85", "166.67", "Antarctica/McMurdo"), "");
    EXPECT_EQ(dialog->Choice().name, "-77.85, 166.67");
    EXPECT_EQ(dialog->Choice().zone, "Antarctica/McMurdo");
    EXPECT_EQ(dialog->findChild<QLabel*>("lblCurrent")->text().section('\n', 2), "New Zealand Standard Time");
}

TEST_F(LocationDialogTest, OpensModallyAndEscapeCancels) {
    const PlaceChoice charlotte = ChoiceOfCity("Charlotte, NC");
    for (const bool ok : {false, true}) {
        WhenModal<LocationDialog>([ok](LocationDialog& dialog) {
            dialog.findChild<QListWidget*>("lstLocations")->setCurrentRow(0);
            if (ok) dialog.findChild<QPushButton*>("cmdOK")->click();
            else dialog.reject();  // what Escape and the close box do
        });
        const std::optional<PlaceChoice> chosen = ShowLocationDialog(nullptr, charlotte, Date(2027, 1, 1));
        EXPECT_EQ(chosen.has_value(), ok);
        if (chosen) { EXPECT_EQ(chosen->name, "Albuquerque, NM"); }
    }
}

}  // namespace
}  // namespace varnel
