#include "core/calendar/HolyDays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "HebrewOracles.h"
#include "PlacedDays.h"
#include "TempFolder.h"
#include "core/calendar/HebrewCalendar.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/common/Json.h"

namespace varnel {
namespace {

using testing::DateOfRecord;
using testing::TempFolder;

constexpr int kSunday = 1, kSaturday = 7;

// The Hebrew date of a calendar date by libhdate, months in our year order.
testing::IcuHebrew OracleHebrew(Date date) { return testing::HdateOf(DateToJulianDay(date)); }

// A record's stored month in year order for a Hebrew year.
int YearOrderMonth(int storedMonth, int hebrewYear) {
    return storedMonth < 0 ? storedMonth + (HebrewLeapYear(hebrewYear) ? 14 : 13) : storedMonth;
}

HolyDayTable LoadShipped() {
    HolyDayTable table;
    LoadHolyDays(PathIn(VARNEL_SOURCE_DATA, "holydays.dat"), table);
    return table;
}

int FindRecord(const HolyDayTable& t, const std::string& name, int daynumber = -1) {
    for (int i = 1; i <= kHolyDayCount; ++i)
        if (t[i].name == name && (daynumber < 0 || t[i].daynumber == daynumber)) return i;
    return 0;
}

TEST(HolyDayData, ShippedFileHasTheNamesTheEngineLooksFor) {
    const HolyDayTable t = LoadShipped();
    for (const char* name : {"Yom T'ruah (Rosh Hashanah)", "Shabbat Pesach", "Shavuot Shabbat (day 1)",
                             "Shavuot Shabbat (day 2)", "Shabbat Sukkot", "Shemini Atzeret", "Shabbat Hanukkah (1st)",
                             "Shabbat Hanukkah (2nd)", "Shavuot", "Ta'anit Esther", "Yom Kippur", "Shabbat HaGadol",
                             "Shabbat T'shuvah", "Birkurim", "Tzom Gedaliah", "Shiva Asar B'Tammuz", "Tisha B'Av",
                             "Asarah B'Tevet", "Purim"})
        EXPECT_NE(FindRecord(t, name), 0) << name;
    for (int i = 1; i <= kHolyDayCount; ++i) {
        if (t[i].name.empty()) continue;
        EXPECT_FALSE(t[i].englishname.empty()) << i;
        EXPECT_FALSE(t[i].description.empty()) << i;
        EXPECT_FALSE(t[i].biblereference.empty()) << i;
    }
    std::string dat, bak;
    ReadWholeFile(PathIn(VARNEL_SOURCE_DATA, "holydays.dat"), dat);
    ReadWholeFile(PathIn(VARNEL_SOURCE_DATA, "holydays.bak"), bak);
    EXPECT_EQ(dat, bak);
}

// The rule-placed days hebcal does not name, in every year 1900..2199, checked
// against libhdate's Hebrew dates.
TEST(HolyDayPlacement, FestivalShabbatotAndFirstFruits1900To2199) {
    const HolyDayTable t = LoadShipped();
    for (int year = 1900; year <= 2199 && !HasFailure(); ++year) {
        SCOPED_TRACE(year);
        int sukkotShabbatot = 0;
        for (const HolyDayRecord& d : PlaceHolyDays(t, year)) {
            const auto h = OracleHebrew(*d.date);
            EXPECT_EQ(d.hebrewyear, std::to_string(h.year));
            const int nisan = YearOrderMonth(-6, h.year);
            if (d.name == "Shabbat Pesach") {
                EXPECT_EQ(d.date->Weekday(), kSaturday);
                EXPECT_TRUE(h.month == nisan && h.day >= 15 && h.day <= 21) << h.day;
            } else if (d.name == "Birkurim") {
                EXPECT_EQ(d.date->Weekday(), kSunday);
                EXPECT_TRUE(h.month == nisan && h.day >= 16 && h.day <= 22) << h.day;
            } else if (d.name == "Shabbat Sukkot") {
                ++sukkotShabbatot;
                EXPECT_EQ(d.date->Weekday(), kSaturday);
                EXPECT_TRUE(h.month == 1 && h.day >= 16 && h.day <= 21) << h.day;
            }
        }
        // Sukkot that begins on a Shabbat has no other Shabbat.
        const Date sukkot = JulianDayToDate(HebrewDateUntilDecember(year, 1, 15, 1));
        EXPECT_EQ(sukkotShabbatot, sukkot.Weekday() == kSaturday ? 0 : 1);
    }
}

// A common year shows every day dated in it, whichever Hebrew year gives it.
TEST(HolyDayPlacement, WorkedYears) {
    const HolyDayTable t = LoadShipped();
    const auto datesOf = [](const PlacedHolyDays& days, const std::string& name) {
        std::vector<Date> dates;
        for (const HolyDayRecord& d : days)
            if (d.name == name) dates.push_back(*d.date);
        return dates;
    };
    // January 2028 keeps the eighth day of Hanukkah 5788 (Saturday 1 January,
    // 2 Tevet) and Asarah B'Tevet (Sunday 9 January); December brings 5789's.
    const PlacedHolyDays y2028 = PlaceHolyDays(t, 2028);
    EXPECT_EQ(datesOf(y2028, "Asarah B'Tevet"), (std::vector<Date>{Date(2028, 1, 9), Date(2028, 12, 28)}));
    const std::vector<Date> hanukkah = datesOf(y2028, "Hanukkah");
    ASSERT_EQ(hanukkah.size(), 9u);
    EXPECT_EQ(hanukkah[0], Date(2028, 12, 13));  // table order: day 1 of 5789 first ...
    EXPECT_EQ(hanukkah[7], Date(2028, 1, 1));    // ... then the two eighth days, by date
    EXPECT_EQ(hanukkah[8], Date(2028, 12, 20));
    // 10 Tevet 5784 was 22 December 2023 and 10 Tevet 5785 10 January 2025: 2024 has none.
    EXPECT_TRUE(datesOf(PlaceHolyDays(t, 2024), "Asarah B'Tevet").empty());
    // 2026: 15 Tishrei 5787 is a Saturday (26 September 2026): no separate Shabbat of Sukkot.
    EXPECT_TRUE(datesOf(PlaceHolyDays(t, 2026), "Shabbat Sukkot").empty());
    // Adar I has 30 days in 5787: Rosh Chodesh Adar II is two days; Purim Katan only in a leap year.
    const PlacedHolyDays y2027 = PlaceHolyDays(t, 2027);
    EXPECT_EQ(datesOf(y2027, "Rosh Chodesh Adar II"), (std::vector<Date>{Date(2027, 3, 9), Date(2027, 3, 10)}));
    EXPECT_EQ(datesOf(y2027, "Purim Katan"), std::vector<Date>{Date(2027, 2, 21)});
    EXPECT_TRUE(datesOf(y2028, "Purim Katan").empty());
    // The modern days only when asked for.
    EXPECT_EQ(datesOf(y2027, "Yom HaAtzmaut"), std::vector<Date>{Date(2027, 5, 12)});
    EXPECT_TRUE(datesOf(PlaceHolyDays(t, 2027, {OmerReckoning::Sabbath, false, false}), "Yom HaAtzmaut").empty());
    // Shavuot: the Saturday and Sunday after seven weeks from the Sabbath in Pesach,
    // or 6 Sivan (and 7 Sivan outside Israel).
    EXPECT_EQ(datesOf(y2027, "Shavuot"), (std::vector<Date>{Date(2027, 6, 12), Date(2027, 6, 13)}));
    EXPECT_EQ(datesOf(PlaceHolyDays(t, 2027, {OmerReckoning::Nisan16, true, false}), "Shavuot"),
              (std::vector<Date>{Date(2027, 6, 11), Date(2027, 6, 12)}));
    EXPECT_EQ(datesOf(PlaceHolyDays(t, 2027, {OmerReckoning::Nisan16, true, true}), "Shavuot"),
              std::vector<Date>{Date(2027, 6, 11)});
    EXPECT_EQ(datesOf(PlaceHolyDays(t, 2027, {OmerReckoning::Nisan16, true, false}), "Birkurim"),
              std::vector<Date>{Date(2027, 4, 23)});
}

// A small table written for the test.
const char* kSmallTable =
    "[HolyDay1]\nname=Sukkot\ndaynumber=1\nhebrewmonth=1\nhebrewday=15\n"
    "[HolyDay2]\nname=Sukkot\ndaynumber=2\nhebrewmonth=1\nhebrewday=99\n"
    "[HolyDay3]\nname=Sukkot\ndaynumber=3\nhebrewmonth=1\nhebrewday=99\n"
    "[HolyDay4]\nname=\ndaynumber=1\nhebrewmonth=1\nhebrewday=1\ntorah=not read\n"
    "[HolyDay5]\nname=Pesach\ndaynumber=0\nhebrewmonth=-6\nhebrewday=15th day\n"
    "[HolyDay6]\nname=Pesach\ndaynumber=two\nhebrewmonth=-6\nhebrewday=21\n"
    "[HolyDay7]\nname=Shemini Atzeret\ndaynumber=3\nhebrewmonth=1\nhebrewday=22\n"
    "[HolyDay7]\nname=Duplicate\n"
    "[HolyDay8]\nname=Odd\nhebrewmonth=x\nhebrewday=\n"
    "[HolyDay100]\nname=Beyond the table\nhebrewmonth=1\nhebrewday=1\n";

// One date's days are the year's days on that date, in the year's order and
// with the same names, under either schedule and reckoning (the times of a
// month's last day look at the next year's first day so).
TEST(HolyDayPlacement, OneDateGivesTheYearsDaysOnIt) {
    const HolyDayTable t = LoadShipped();
    HolyDayRules israel;
    israel.israel = true;
    israel.omer = OmerReckoning::Nisan16;
    for (const HolyDayRules& rules : {HolyDayRules{}, israel}) {
        for (int year : {2027, 2030}) {
            const PlacedHolyDays all = PlaceHolyDays(t, year, rules);
            int found = 0;
            for (Date d(year, 1, 1); d.Year() == year; ++d) {
                std::vector<std::string> expected;
                for (const HolyDayRecord& h : all)
                    if (h.date == d) expected.push_back(h.name + "/" + std::to_string(h.daynumber) + "/" + h.hebrewyear);
                std::vector<std::string> on;
                for (const HolyDayRecord& h : PlaceHolyDaysOn(t, d, rules))
                    on.push_back(h.name + "/" + std::to_string(h.daynumber) + "/" + h.hebrewyear);
                EXPECT_EQ(on, expected) << IsoDate(d);
                found += static_cast<int>(on.size());
            }
            EXPECT_EQ(found, static_cast<int>(all.size())) << year;
        }
    }
}

TEST(HolyDayTableFile, LoadsWhatItCanAndNeverChangesTheFile) {
    TempFolder dir;
    const std::string path = dir.Write("holydays.dat", kSmallTable);
    HolyDayTable t;
    LoadHolyDays(path, t);
    EXPECT_EQ(t[4].name, "");
    EXPECT_EQ(t[4].torah, "");  // nothing is read from a section without a name
    EXPECT_EQ(t[6].daynumber, 0);
    EXPECT_EQ(t[7].name, "Shemini Atzeret");
    for (int i = 9; i <= kHolyDayCount; ++i) EXPECT_EQ(t[i].name, "");

    const PlacedHolyDays days = PlaceHolyDays(t, 2025);
    // Sukkot 5786 began on 7 October 2025, three consecutive days.
    EXPECT_EQ(DateOfRecord(days, 1), Date(2025, 10, 7));
    EXPECT_EQ(DateOfRecord(days, 2), Date(2025, 10, 8));
    EXPECT_EQ(DateOfRecord(days, 3), Date(2025, 10, 9));
    EXPECT_EQ(DateOfRecord(days, 4), std::nullopt);  // an empty record is shown on no day
    // "15th day" reads as 15; the second Pesach record has daynumber 0 ("two"), so it is
    // placed by its own Hebrew date; a run's first record with a different name likewise.
    EXPECT_EQ(DateOfRecord(days, 5), Date(2025, 4, 13));
    EXPECT_EQ(DateOfRecord(days, 6), Date(2025, 4, 19));
    EXPECT_EQ(DateOfRecord(days, 7), Date(2025, 10, 14));
    EXPECT_EQ(days.back().hebrewyear, "5786");
    // Month and day that are not numbers would land on a wrong date: the record is skipped.
    EXPECT_EQ(t[8].name, "");
    EXPECT_EQ(DateOfRecord(days, 8), std::nullopt);
    EXPECT_EQ(dir.Read("holydays.dat"), kSmallTable);
}

TEST(HolyDayPlacement, AnEmptySectionEndsARunOfFeastDays) {
    TempFolder dir;
    const std::string path = dir.Write("holydays.dat",
                                       "[HolyDay1]\nname=Sukkot\ndaynumber=1\nhebrewmonth=1\nhebrewday=15\n"
                                       "[HolyDay2]\nname=\n"
                                       "[HolyDay3]\nname=Sukkot\ndaynumber=2\nhebrewmonth=1\nhebrewday=17\n");
    HolyDayTable t;
    LoadHolyDays(path, t);
    const PlacedHolyDays days = PlaceHolyDays(t, 2025);
    EXPECT_EQ(DateOfRecord(days, 1), Date(2025, 10, 7));  // 15 Tishrei 5786
    EXPECT_EQ(DateOfRecord(days, 2), std::nullopt);
    // Not the day after the empty record (which has no date): its own 17 Tishrei.
    EXPECT_EQ(DateOfRecord(days, 3), Date(2025, 10, 9));
}

TEST(HolyDayPlacement, TheDayAfterARecordWithoutADateHasNone) {
    // In 2026 15 Tishrei is a Shabbat: "Shabbat Sukkot" has no date, and the
    // records placed as the day after it must not land on 31 December 1899.
    TempFolder dir;
    const std::string path = dir.Write("holydays.dat",
                                       "[HolyDay1]\nname=Sukkot\ndaynumber=1\nhebrewmonth=1\nhebrewday=15\n"
                                       "[HolyDay2]\nname=Shabbat Sukkot\nhebrewday=S\n"
                                       "[HolyDay3]\nname=Sukkot\ndaynumber=2\n"
                                       "[HolyDay4]\nname=Shavuot\ndaynumber=2\nhebrewday=S\n");
    HolyDayTable t;
    LoadHolyDays(path, t);
    const PlacedHolyDays y2026 = PlaceHolyDays(t, 2026);
    EXPECT_EQ(DateOfRecord(y2026, 1), Date(2026, 9, 26));
    for (int i : {2, 3, 4}) EXPECT_EQ(DateOfRecord(y2026, i), std::nullopt) << i;
    // A year with a Shabbat of Sukkot: the run follows it.
    const PlacedHolyDays y2025 = PlaceHolyDays(t, 2025);
    EXPECT_EQ(DateOfRecord(y2025, 2), Date(2025, 10, 11));
    EXPECT_EQ(DateOfRecord(y2025, 3), Date(2025, 10, 12));
    EXPECT_EQ(DateOfRecord(y2025, 4), Date(2025, 10, 13));
}

TEST(HolyDayTableFile, BothFilesMissingGiveAnEmptyTable) {
    TempFolder dir;
    HolyDayTable t;
    t[1].name = "stale";
    LoadHolyDays(dir.File("holydays.dat"), t);
    for (int i = 1; i <= kHolyDayCount; ++i) EXPECT_EQ(t[i].name, "");
    EXPECT_TRUE(PlaceHolyDays(t, 2026).empty());
}

TEST(HolyDayTableFile, JunkAndHugeLinesDoNotStopTheReading) {
    TempFolder dir;
    std::string text = "[HolyDay1]\nname=" + std::string(2 << 20, 'n') +
                       "\nhebrewmonth=1\nhebrewday=1\ndescription=\x01\x02\xFF\xC3\n";
    for (int i = 0; i < 2000; ++i) text += static_cast<char>(i % 251);
    text += "\n[HolyDay2]\nname=Purim\nhebrewmonth=-7\nhebrewday=14\n";
    const std::string path = dir.Write("holydays.dat", text);
    HolyDayTable t;
    LoadHolyDays(path, t);
    EXPECT_EQ(dir.Read("holydays.dat"), text);
    EXPECT_EQ(t[2].name, "Purim");
    EXPECT_EQ(DateOfRecord(PlaceHolyDays(t, 2026), 2), Date(2026, 3, 3));
    // The ends of the range: every day placed lies in its year.
    const HolyDayTable shipped = LoadShipped();
    for (int year : {1, 2, 1582, 1583, 9999})
        for (const HolyDayRecord& d : PlaceHolyDays(shipped, year)) EXPECT_EQ(d.date->Year(), year) << d.name;
}

TEST(HolyDayTableFile, LeadingNumbersReadLikeTheSystemsVal) {
    const std::pair<const char*, int> cases[] = {{"-6", -6}, {"  15th", 15}, {"S", 0}, {"", 0},
                                                 {"2.5", 2}, {"3.5", 4}, {"99999999999999999999", 0}};
    for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(text), value) << text;
}

}  // namespace
}  // namespace varnel
