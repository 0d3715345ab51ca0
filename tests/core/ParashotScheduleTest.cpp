// The portion schedule beyond the Saturdays the oracle test checks, and the
// data file's restore and re-read.
#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <string>
#include <vector>

#include "core/calendar/FestivalReadings.h"
#include "core/calendar/YearCalendar.h"
#include "core/calendar/HebrewCalendar.h"
#include "core/calendar/Parashot.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/common/Profile.h"
#include "TempFolder.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;

const std::string& SourceFile() {
    static const std::string path = PathIn(VARNEL_SOURCE_DATA, kParashahFile);
    return path;
}

// The entries' parashah texts on a date, in table order.
std::vector<std::string> NamesOn(const ParashahTable& t, Date date) {
    std::vector<std::string> names;
    for (int i = 1; i <= kParashotEntries; ++i)
        if (t[i].date == date) names.push_back(t[i].parashah);
    return names;
}

int IndexOf(const ParashahTable& t, const std::string& name, Date date) {
    for (int i = 1; i <= kParashotEntries; ++i)
        if (t[i].parashah == name && t[i].date == date) return i;
    return 0;
}

using Names = std::vector<std::string>;

class ParashotSchedule : public ::testing::Test {
protected:
    ParashahTable table;
    void Schedule(int year) { ScheduleParashot(SourceFile(), year, table); }
};

// Which portion each Saturday reads is the oracle test's; what it cannot see:
// the cycle's start in the autumn before, the English names, V'Zot HaBerachah
// left for Simchat Torah, and the readings an inserted festival carries.
TEST_F(ParashotSchedule, WhatTheSaturdayOracleLeavesOpen) {
    Schedule(2024);
    EXPECT_EQ(table[1].parashah, "Bereshit");
    EXPECT_EQ(table[1].date, Date(2023, 10, 14));
    EXPECT_EQ(table[1].english, "\"In the beginning\"");
    for (int i = 1; i <= kParashotEntries; ++i)
        EXPECT_FALSE(table[i].parashah == "V'Zot HaBerachah" && table[i].date.has_value()) << "entry " << i;
    // Pesach 2018 began on a Saturday: the inserted festival carries the readings
    // of the entry before it until the special readings replace them.
    Schedule(2018);
    const int pesach = IndexOf(table, "Shabbat Pesach", Date(2018, 3, 31));
    ASSERT_GT(pesach, 1);
    EXPECT_EQ(table[pesach].torah, table[pesach - 1].torah);
}

class ParashotDataFile : public ::testing::Test {
protected:
    testing::TempFolder dir;
    ParashahTable table;
    std::string Dat() const { return dir.File("parashot.dat"); }
};

TEST_F(ParashotDataFile, BothFilesMissingGiveDatedButEmptyEntries) {
    ScheduleParashot(Dat(), 2026, table);
    EXPECT_FALSE(fs::exists(Dat()));
    EXPECT_EQ(table[1].date, Date(2025, 10, 18));
    EXPECT_EQ(table[1].parashah, "");
    EXPECT_EQ(table[1].torah, "");
    EXPECT_EQ(table[1].english, "");
    EXPECT_EQ(NamesOn(table, Date(2026, 3, 14)), (Names{"", ""}));
    EXPECT_EQ(NamesOn(table, Date(2026, 5, 23)), Names{"Shavuot Shabbat (day 2)"});
    EXPECT_EQ(NamesOn(table, Date(2026, 12, 26)), Names{""});
}

TEST_F(ParashotDataFile, MissingFileIsRestoredFromBackupAndEditsTakeEffectAtTheNextCall) {
    fs::copy_file(SourceFile(), dir.File("parashot.bak"));
    ScheduleParashot(Dat(), 2026, table);
    ASSERT_TRUE(fs::exists(Dat()));
    EXPECT_EQ(table[1].parashah, "Bereshit");
    ASSERT_TRUE(WriteProfileString("Parashah1", "parashah", "Bereishit", Dat()));
    ASSERT_TRUE(WriteProfileString("Parashah1", "english", "", Dat()));
    ScheduleParashot(Dat(), 2026, table);
    EXPECT_EQ(table[1].parashah, "Bereishit");
    EXPECT_EQ(table[1].english, "");  // an empty English name gets no quotes
}

TEST_F(ParashotDataFile, AYearOfTheDataFolderIsCompleteAndCached) {
    fs::copy_file(SourceFile(), dir.File("parashot.bak"));
    fs::copy_file(fs::path(VARNEL_SOURCE_DATA) / "holydays.dat", dir.File("holydays.dat"));
    const CalendarData data = LoadCalendarData(dir.Path());
    YearCache years(data);
    const YearCalendar& y2027 = years.Year(2027);
    EXPECT_TRUE(fs::exists(Dat()));  // restored from its backup
    EXPECT_EQ(y2027.year, 2027);
    // Shabbat Pesach 2027 (24 April) carries its festival readings, whatever path asked for the year.
    const auto pesach = std::find_if(y2027.parashot.begin(), y2027.parashot.end(),
                                     [](const ParashahRecord& p) { return p.date == Date(2027, 4, 24); });
    ASSERT_NE(pesach, y2027.parashot.end());
    EXPECT_EQ(pesach->english, kSpecialReading);
    EXPECT_EQ(&years.Year(2027), &y2027);  // cached
    years.Year(2026);
    years.Year(2028);
    EXPECT_EQ(&years.Year(2027), &y2027);  // three years fit
    years.Year(2029);
    years.Year(2030);
    years.Year(2031);
    EXPECT_EQ(years.Year(2027).year, 2027);  // rebuilt after it was dropped
    EXPECT_EQ(BuildYear(0, data).year, 0);
    EXPECT_EQ(BuildYear(10000, data).year, 0);
}

TEST(ParashotRange, YearsAtTheEdgesOfTheCalendarScheduleWithoutFault) {
    ParashahTable table;
    for (int year : {1, 2, 1582, 1583, 9998, 9999}) {
        ScheduleParashot(SourceFile(), year, table);
        int dated = 0;
        for (int i = 1; i <= kParashotEntries; ++i) {
            if (!table[i].date) continue;
            ++dated;
            const int y = table[i].date->Year();  // the cycle opens in the autumn before
            EXPECT_TRUE(y == year || y == year - 1) << year << " entry " << i;
            EXPECT_EQ(table[i].date->Weekday(), 7) << year << " entry " << i;
        }
        EXPECT_GT(dated, 50) << year;
    }
}

}  // namespace
}  // namespace varnel
