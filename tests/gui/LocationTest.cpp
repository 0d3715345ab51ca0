// The place settings, the zone rules read from the time-zone database under
// several TZ values, and the location dialog.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimeZone>
#include <ctime>
#include <utility>
#include <vector>

#include "core/common/Date.h"
#include "core/common/Json.h"
#include "core/solar/Location.h"
#include "gui/common/Settings.h"
#include "gui/solar/SystemTimeZone.h"
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
    // The rules of the year for the place, as the window loads them.
    void Load() { rules = LoadTimeZoneRules(PlaceNamed(city, systemDaylight), year); }
    bool IsDaylight(Date date) const { return ApplyDaylightRule(rules, date).daylight; }
    bool IsDaylight(int y, int m, int d) const { return IsDaylight(Date(y, m, d)); }
    const std::string& ZoneOn(Date date) const { return *ApplyDaylightRule(rules, date).zoneName; }
    // The dialog opened on the place as the window would.
    std::unique_ptr<LocationDialog> Dialog(Date shown = Date(2027, 1, 1)) const {
        return std::make_unique<LocationDialog>(nullptr, LocationChoice{city, systemDaylight}, shown);
    }

    std::string city = kDefaultCity;
    bool systemDaylight = true;
    int year = 2027;
    DaylightYear rules;

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

TEST_F(LocationSettingsTest, RoundTripOfBothKeys) {
    EXPECT_TRUE(ReadUseSystemDaylightSetting());  // default "-1"
    WriteLocationSettings({"Jerusalem, Israel", false});
    EXPECT_EQ(Store().value("Settings/Location").toString(), "Jerusalem, Israel");
    EXPECT_EQ(Store().value("Settings/UseSystemDaylight").toString(), "0");
    const LocationChoice read = ReadLocationSettings();
    EXPECT_EQ(read.city, "Jerusalem, Israel");
    EXPECT_FALSE(read.systemDaylight);
    WriteUseSystemDaylightSetting(true);
    EXPECT_EQ(Store().value("Settings/UseSystemDaylight").toString(), "-1");
    // Anything but a readable zero leaves the system's rules on.
    for (const char* value : {"1", "junk", ""}) {
        Store().setValue("Settings/UseSystemDaylight", value);
        EXPECT_TRUE(ReadUseSystemDaylightSetting()) << value;
    }
    Store().setValue("Settings/UseSystemDaylight", " 0 ");
    EXPECT_FALSE(ReadUseSystemDaylightSetting());
}

using SystemZoneTest = LocationFixture;

TEST_F(SystemZoneTest, NewYorkGivesTheUnitedStatesRule) {
    UseZone("America/New_York");
    Load();
    EXPECT_EQ(rules.periods.at(0).after, Date(2027, 3, 13));
    EXPECT_EQ(rules.periods.at(0).before, Date(2027, 11, 7));
    EXPECT_NE(rules.bias, 0);
    EXPECT_EQ(rules.standardName, "Eastern Standard Time");
    EXPECT_EQ(rules.daylightName, "Eastern Daylight Time");
    EXPECT_TRUE(IsDaylight(2027, 3, 14));
    EXPECT_FALSE(IsDaylight(2027, 11, 7));
    // The rules are those of the year asked for: 2026's second Sunday of March is the 8th.
    year = 2026;
    Load();
    EXPECT_EQ(rules.periods.at(0).after, Date(2026, 3, 7));
    EXPECT_EQ(rules.periods.at(0).before, Date(2026, 11, 1));
}

TEST_F(SystemZoneTest, ZonesWithoutDaylightTimeGiveOnlyStandardDays) {
    for (const char* tz : {"UTC", "Asia/Tokyo"}) {
        UseZone("America/New_York");
        Load();
        ASSERT_NE(rules.bias, 0);
        UseZone(tz);
        Load();
        EXPECT_EQ(rules.bias, 0) << tz;
        for (int month = 1; month <= 12; ++month) EXPECT_FALSE(IsDaylight(2027, month, 15)) << tz << " " << month;
        EXPECT_EQ(ZoneOn(Date(2027, 7, 1)), rules.standardName);
    }
}

TEST_F(SystemZoneTest, SouthernSystemZoneSpansTheNewYearSoAllDaysAreStandard) {
    UseZone("Australia/Sydney");
    Load();
    EXPECT_NE(rules.bias, 0);
    EXPECT_EQ(rules.periods.at(0).after, Date(2027, 10, 2));
    EXPECT_EQ(rules.periods.at(0).before, Date(2027, 4, 4));
    EXPECT_FALSE(IsDaylight(2027, 1, 15));
    EXPECT_FALSE(IsDaylight(2027, 12, 15));
}

TEST_F(SystemZoneTest, FarYearsLoadWithoutHarm) {
    UseZone("America/New_York");
    for (int year : {1, 1850, 9999}) {
        this->year = year;
        Load();
    }
    EXPECT_EQ(rules.periods.at(0).after, Date(9999, 3, 13));  // the zone's rule runs on
    year = 1850;
    Load();
    EXPECT_EQ(rules.bias, 0);  // before daylight time existed
}

using PlaceZoneTest = LocationFixture;

TEST_F(PlaceZoneTest, EachPlaceFollowsItsOwnRuleWhateverTheSystemZone) {
    const struct {
        const char* city;
        int year;
        std::vector<std::pair<Date, bool>> days;  // a day and whether it keeps daylight time
    } cases[] = {
        // Sydney's summer runs across the new year: standard time from the first Sunday of April
        // to the first Sunday of October.
        {"Sydney, Australia", 2027,
         {{Date(2027, 1, 15), true}, {Date(2027, 4, 3), true}, {Date(2027, 4, 4), false},
          {Date(2027, 7, 1), false}, {Date(2027, 10, 2), false}, {Date(2027, 10, 3), true},
          {Date(2027, 12, 31), true}}},
        // Israel: from the Friday before the last Sunday of March to the last Sunday of October.
        {"  jerusalem, israel ", 2027,
         {{Date(2027, 3, 25), false}, {Date(2027, 3, 26), true}, {Date(2027, 10, 30), true},
          {Date(2027, 10, 31), false}}},
        // Egypt kept summer time from 15 May to 26 June and again from 31 July to
        // 25 September 2014, each change at midnight.
        {"Cairo, Egypt", 2014,
         {{Date(2014, 5, 1), false}, {Date(2014, 6, 15), true}, {Date(2014, 7, 15), false},
          {Date(2014, 8, 15), true}, {Date(2014, 9, 24), true}, {Date(2014, 10, 15), false}}},
        {"Cairo, Egypt", 2015, {}},  // none that year
        {"Phoenix, AZ", 2027, {}}, {"Tokyo, Japan", 2027, {}}, {"Honolulu, HA", 2027, {}}, {"Atlantis", 2027, {}},
    };
    systemDaylight = false;
    for (const char* tz : {"UTC", "America/New_York"}) {
        UseZone(tz);
        for (const auto& c : cases) {
            city = c.city;
            year = c.year;
            Load();
            for (const auto& [date, daylight] : c.days) EXPECT_EQ(IsDaylight(date), daylight) << c.city << " " << IsoDate(date);
            if (c.days.empty()) {
                for (int month = 1; month <= 12; ++month) EXPECT_FALSE(IsDaylight(Date(year, month, 15)));
            }
        }
    }
}

TEST_F(PlaceZoneTest, EveryPlaceZoneMatchesTheTablesStandardOffset) {
    const QDateTime january(QDate(2027, 1, 15), QTime(12, 0), Qt::UTC);
    const QDateTime july(QDate(2027, 7, 15), QTime(12, 0), Qt::UTC);
    for (int i = 0; i < kCityCount; ++i) {
        const std::string_view id = IanaZoneOfCity(i);
        const QTimeZone zone(QByteArray(id.data(), static_cast<qsizetype>(id.size())));
        ASSERT_TRUE(zone.isValid()) << id;
        const double table = CityAt(i)->timeZone;
        EXPECT_EQ(zone.standardTimeOffset(january), -table * 3600) << CityAt(i)->name;
        EXPECT_EQ(zone.standardTimeOffset(july), -table * 3600) << CityAt(i)->name;
    }
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
    EXPECT_EQ(dialog->Choice().city, "Charlotte, NC");  // opening changes nothing
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
    EXPECT_EQ(dialog->Choice().city, "New Delhi, India");
    EXPECT_TRUE(dialog->Choice().systemDaylight);
}

TEST_F(LocationDialogTest, PlaceRulesFollowTheClickedPlace) {
    UseZone("UTC");
    const auto dialog = Dialog(Date(2027, 7, 1));
    const DialogControls c = Find(*dialog);
    c.useSystem->setChecked(false);
    EXPECT_EQ(c.current->text().section('\n', 2), "Eastern Daylight Time");
    c.list->setCurrentRow(48);  // Sydney, in its winter
    city = "Sydney, Australia";
    systemDaylight = false;
    Load();
    EXPECT_EQ(c.current->text().section('\n', 2), QString::fromStdString(rules.standardName));
    EXPECT_NE(rules.standardName.find("Australian"), std::string::npos);
    c.ok->click();
    EXPECT_FALSE(dialog->Choice().systemDaylight);
    EXPECT_EQ(dialog->Choice().city, "Sydney, Australia");
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
    EXPECT_EQ(dialog->Choice().city, "Charlotte, NC");
    EXPECT_TRUE(c.current->text().startsWith("Charlotte, NC\n"));
}

TEST_F(LocationDialogTest, OpensModallyAndEscapeCancels) {
    const LocationChoice charlotte{"Charlotte, NC", true};
    for (const bool ok : {false, true}) {
        WhenModal<LocationDialog>([ok](LocationDialog& dialog) {
            dialog.findChild<QListWidget*>("lstLocations")->setCurrentRow(0);
            if (ok) dialog.findChild<QPushButton*>("cmdOK")->click();
            else dialog.reject();  // what Escape and the close box do
        });
        const std::optional<LocationChoice> chosen = ShowLocationDialog(nullptr, charlotte, Date(2027, 1, 1));
        EXPECT_EQ(chosen.has_value(), ok);
        if (chosen) { EXPECT_EQ(chosen->city, "Albuquerque, NM"); }
    }
}

}  // namespace
}  // namespace varnel
