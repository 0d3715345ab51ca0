// The portion schedule: the worked years, the festival insertions and the order
// of the table's entries (every Saturday against the oracles is the oracle
// test's), and the data file's restore and re-read.
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

TEST_F(ParashotSchedule, WorkedYear2024LeapCycle) {
    Schedule(2024);
    EXPECT_EQ(table[1].parashah, "Bereshit");
    EXPECT_EQ(table[1].date, Date(2023, 10, 14));
    EXPECT_EQ(table[1].english, "\"In the beginning\"");
    EXPECT_EQ(NamesOn(table, Date(2024, 4, 27)), Names{"Shabbat Pesach"});
    EXPECT_EQ(NamesOn(table, Date(2024, 8, 3)), (Names{"Matot", "Masei"}));
    EXPECT_EQ(NamesOn(table, Date(2024, 9, 28)), (Names{"Nitzavim", "Vayelech"}));
    EXPECT_EQ(NamesOn(table, Date(2024, 10, 5)), Names{"Ha'azinu"});
    // Yom Kippur on a Saturday: no weekly portion, and V'Zot HaBerachah waits for Simchat Torah.
    EXPECT_EQ(NamesOn(table, Date(2024, 10, 12)), Names{"Yom Kippur"});
    EXPECT_EQ(NamesOn(table, Date(2024, 10, 19)), Names{"Shabbat Sukkot"});
    EXPECT_EQ(NamesOn(table, Date(2024, 10, 26)), Names{"Bereshit"});
    EXPECT_EQ(NamesOn(table, Date(2024, 12, 28)), Names{"Miketz"});
    for (int i = 1; i <= kParashotEntries; ++i)
        EXPECT_FALSE(table[i].parashah == "V'Zot HaBerachah" && table[i].date.has_value()) << "entry " << i;
}

TEST_F(ParashotSchedule, WorkedYear2026SecondDayOfShavuotAndSaturdayNewYear) {
    Schedule(2026);
    EXPECT_EQ(NamesOn(table, Date(2026, 3, 14)), (Names{"Vayakhel", "Pekudei"}));
    EXPECT_EQ(NamesOn(table, Date(2026, 5, 23)), Names{"Shavuot Shabbat (day 2)"});
    EXPECT_EQ(NamesOn(table, Date(2026, 6, 27)), (Names{"Chukat", "Balak"}));
    EXPECT_EQ(NamesOn(table, Date(2026, 9, 5)), (Names{"Nitzavim", "Vayelech"}));
    EXPECT_EQ(NamesOn(table, Date(2026, 9, 12)), Names{"Yom T'ruah"});
    EXPECT_EQ(NamesOn(table, Date(2026, 9, 19)), Names{"Ha'azinu"});
    EXPECT_EQ(NamesOn(table, Date(2026, 10, 3)), Names{"Shemini Atzeret"});
    EXPECT_EQ(NamesOn(table, Date(2026, 10, 10)), Names{"Bereshit"});
    // Vayelech stands before the new year's record in the table, not only in date.
    EXPECT_LT(IndexOf(table, "Vayelech", Date(2026, 9, 5)), IndexOf(table, "Yom T'ruah", Date(2026, 9, 12)));
}

TEST_F(ParashotSchedule, LeapCycleBeforeSaturdayNewYearJoinsVayelechToTheShabbatBefore) {
    Schedule(2000);  // 5760: a leap year; 5761 begins on Saturday 30 September 2000
    EXPECT_EQ(NamesOn(table, Date(2000, 9, 23)), (Names{"Nitzavim", "Vayelech"}));
    EXPECT_EQ(NamesOn(table, Date(2000, 9, 30)), Names{"Yom T'ruah"});
    EXPECT_EQ(NamesOn(table, Date(2000, 10, 7)), Names{"Ha'azinu"});
    EXPECT_LT(IndexOf(table, "Vayelech", Date(2000, 9, 23)), IndexOf(table, "Yom T'ruah", Date(2000, 9, 30)));
}

TEST_F(ParashotSchedule, PesachBeginningOnSaturdayGivesTwoPesachShabbatot) {
    Schedule(2018);
    EXPECT_EQ(NamesOn(table, Date(2018, 3, 24)), Names{"Tzav"});
    EXPECT_EQ(NamesOn(table, Date(2018, 3, 31)), Names{"Shabbat Pesach"});
    EXPECT_EQ(NamesOn(table, Date(2018, 4, 7)), Names{"Shabbat Pesach"});
    EXPECT_EQ(NamesOn(table, Date(2018, 4, 14)), Names{"Shemini"});
    // An inserted festival carries the readings of the entry before it until
    // the special readings replace them.
    const int pesach = IndexOf(table, "Shabbat Pesach", Date(2018, 3, 31));
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
