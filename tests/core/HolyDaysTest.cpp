#include "core/calendar/HolyDays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "HebrewOracles.h"
#include "TempFolder.h"
#include "core/calendar/HebrewCalendar.h"
#include "core/common/Date.h"
#include "core/common/Files.h"

namespace varnel {
namespace {

using testing::TempFolder;

constexpr int kSunday = 1, kThursday = 5, kSaturday = 7;

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

// The shipped table placed in every year 1900..2199, built once.
const std::vector<HolyDayTable>& PlacedYears() {
    static const std::vector<HolyDayTable> years = [] {
        std::vector<HolyDayTable> placed;
        HolyDayTable t = LoadShipped();
        for (int year = 1900; year <= 2199; ++year) {
            PlaceHolyDays(t, year);
            placed.push_back(t);
        }
        return placed;
    }();
    return years;
}

// Checks record i of the table placed for a year against libhdate.
void CheckPlacement(const HolyDayTable& t, int i, int year) {
    const HolyDayRecord& r = t[i];
    const Date pesach = JulianDayToDate(HebrewDateFromJanuary(year, -6, 15, 1));
    if (!r.date) {
        // Undated: the Shabbat of Sukkot when Sukkot itself is the Shabbat, or a
        // Shabbat record of readings only.
        const Date sukkot = JulianDayToDate(HebrewDateUntilDecember(year, 1, 15, 1));
        EXPECT_TRUE(r.hebrewday == "S" && (r.name != "Shabbat Sukkot" || sukkot.Weekday() == kSaturday));
        if (r.name == "Shabbat Sukkot") { EXPECT_EQ(r.hebrewyear, "0"); }
        return;
    }
    const Date date = *r.date;
    const auto h = OracleHebrew(date);
    if (r.hebrewday == "S") {
        if (r.name == "Shabbat HaGadol") {
            EXPECT_EQ(date.Weekday(), kSaturday);
            EXPECT_TRUE(pesach - date >= 1 && pesach - date <= 7);
        } else if (r.name == "Shabbat T'shuvah") {
            EXPECT_EQ(date.Weekday(), kSaturday);
            EXPECT_EQ(h.month, 1);
            EXPECT_TRUE(h.day >= 3 && h.day <= 9);
            EXPECT_EQ(date.Year(), year);
        } else if (r.name == "Shabbat Pesach") {
            EXPECT_EQ(date.Weekday(), kSaturday);
            EXPECT_TRUE(date - pesach >= 0 && date - pesach <= 6);
        } else if (r.name == "Birkurim") {
            EXPECT_EQ(date.Weekday(), kSunday);
            EXPECT_TRUE(date - pesach >= 1 && date - pesach <= 7);
        } else if (r.name == "Shavuot") {
            // Fifty days counted from the morrow after the Shabbat of Pesach.
            const std::optional<Date> birkurim = t[FindRecord(t, "Birkurim")].date;
            ASSERT_TRUE(birkurim);
            EXPECT_EQ(date - *birkurim, r.daynumber == 2 ? 49 : 48);
        } else if (r.name == "Shabbat Sukkot") {
            const Date sukkot = JulianDayToDate(HebrewDateUntilDecember(year, 1, 15, 1));
            if (sukkot.Weekday() == kSaturday) {
                ADD_FAILURE() << "dated";
            } else {
                EXPECT_EQ(date.Weekday(), kSaturday);
                EXPECT_TRUE(date - sukkot >= 1 && date - sukkot <= 6);
            }
        } else {
            ADD_FAILURE() << "dated";  // readings only, never dated
        }
        EXPECT_EQ(r.hebrewyear, std::to_string(h.year));
        return;
    }
    if (i > 1 && r.daynumber > 1 && t[i - 1].name == r.name) {
        ASSERT_TRUE(t[i - 1].date);
        EXPECT_EQ(date, *t[i - 1].date + 1);
        return;
    }
    // Ordinary records: their own Hebrew date, unless a fast moved off the Shabbat.
    Date kept = date;
    if (r.name == "Ta'anit Esther" && date.Weekday() == kThursday && OracleHebrew(date).day != 13) {
        kept = date + 2;
        EXPECT_EQ(kept.Weekday(), kSaturday);
    } else if ((r.name == "Tzom Gedaliah" || r.name == "Shiva Asar B'Tammuz" || r.name == "Tisha B'Av") &&
               date.Weekday() == kSunday && OracleHebrew(date - 1).day == LeadingNumber(r.hebrewday)) {
        kept = date - 1;
        EXPECT_EQ(kept.Weekday(), kSaturday);
    } else if (r.name == "Tzom Gedaliah" || r.name == "Shiva Asar B'Tammuz" || r.name == "Tisha B'Av" ||
               r.name == "Ta'anit Esther") {
        EXPECT_NE(date.Weekday(), kSaturday) << "a fast on the Shabbat";
    }
    const auto k = OracleHebrew(kept);
    EXPECT_EQ(k.day, LeadingNumber(r.hebrewday));
    EXPECT_EQ(k.month, YearOrderMonth(LeadingNumber(r.hebrewmonth), k.year));
    EXPECT_EQ(r.hebrewyear, std::to_string(k.year));
    // The last occurrence up to 31 December: never later in the year, and the
    // next occurrence is beyond it.
    EXPECT_LE(kept.Year(), year);
    EXPECT_GE(kept.Year(), year - 1);
}

std::vector<std::string> ShippedFeasts() {
    std::vector<std::string> names;
    const HolyDayTable t = LoadShipped();
    for (int i = 1; i <= kHolyDayCount; ++i)
        if (!t[i].name.empty() && std::find(names.begin(), names.end(), t[i].name) == names.end())
            names.push_back(t[i].name);
    return names;
}

// Every dated record of the shipped table, placed in every year 1900..2199,
// lands on its true date, checked against libhdate: one test per feast.
class HolyDayOracle : public ::testing::TestWithParam<std::string> {};

TEST_P(HolyDayOracle, LandsOnItsTrueDate1900To2199) {
    for (int year = 1900; year <= 2199 && !HasFailure(); ++year) {
        const HolyDayTable& t = PlacedYears()[static_cast<size_t>(year - 1900)];
        for (int i = 1; i <= kHolyDayCount; ++i) {
            if (t[i].name != GetParam()) continue;
            SCOPED_TRACE("day " + std::to_string(t[i].daynumber) + " in " + std::to_string(year));
            CheckPlacement(t, i, year);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, HolyDayOracle, ::testing::ValuesIn(ShippedFeasts()), [](const auto& info) {
    std::string name = info.param;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
});

// What the per-feast oracle leaves open: which occurrence a year's table keeps.
TEST(HolyDayPlacement, WorkedYears) {
    HolyDayTable t = LoadShipped();
    PlaceHolyDays(t, 2024);
    EXPECT_EQ(t[FindRecord(t, "Yom T'ruah (Rosh Hashanah)", 1)].hebrewyear, "5785");
    // Hanukkah 5785 began on 26 December 2024 and its last days are in January 2025,
    // but the run starts from the last 25 Kislev up to 31 December.
    const int h1 = FindRecord(t, "Hanukkah", 1);
    EXPECT_EQ(t[h1].date, Date(2024, 12, 26));
    EXPECT_EQ(t[h1 + 7].date, Date(2025, 1, 2));
    // 10 Tevet 5785 (10 January 2025) lies after 31 December 2024: the table shows 10 Tevet 5784.
    EXPECT_EQ(t[FindRecord(t, "Asarah B'Tevet")].date, Date(2023, 12, 22));
    // 2026: 15 Tishrei 5787 is a Saturday (26 September 2026): no separate Shabbat of Sukkot.
    PlaceHolyDays(t, 2026);
    EXPECT_EQ(t[FindRecord(t, "Shabbat Sukkot")].date, std::nullopt);
    EXPECT_EQ(t[FindRecord(t, "Shabbat Sukkot")].hebrewyear, "0");
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

    PlaceHolyDays(t, 2025);
    // Sukkot 5786 began on 7 October 2025, three consecutive days.
    EXPECT_EQ(t[1].date, Date(2025, 10, 7));
    EXPECT_EQ(t[2].date, Date(2025, 10, 8));
    EXPECT_EQ(t[3].date, Date(2025, 10, 9));
    EXPECT_EQ(t[4].date, std::nullopt);  // an empty record is shown on no day
    // "15th day" reads as 15; the second Pesach record has daynumber 0 ("two"), so it is
    // placed by its own Hebrew date; a run's first record with a different name likewise.
    EXPECT_EQ(t[5].date, Date(2025, 4, 13));
    EXPECT_EQ(t[6].date, Date(2025, 4, 19));
    EXPECT_EQ(t[7].date, Date(2025, 10, 14));
    EXPECT_EQ(t[7].hebrewyear, "5786");
    // Month and day that are not numbers would land on a wrong date: the record is skipped.
    EXPECT_EQ(t[8].name, "");
    EXPECT_EQ(t[8].date, std::nullopt);
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
    PlaceHolyDays(t, 2025);
    EXPECT_EQ(t[1].date, Date(2025, 10, 7));  // 15 Tishrei 5786
    EXPECT_EQ(t[2].date, std::nullopt);
    // Not the day after the empty record (which has no date): its own 17 Tishrei.
    EXPECT_EQ(t[3].date, Date(2025, 10, 9));
    EXPECT_EQ(t[3].hebrewyear, "5786");
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
    PlaceHolyDays(t, 2026);
    EXPECT_EQ(t[1].date, Date(2026, 9, 26));
    for (int i : {2, 3, 4}) {
        EXPECT_EQ(t[i].date, std::nullopt) << i;
        EXPECT_EQ(t[i].hebrewyear, "0") << i;
    }
    PlaceHolyDays(t, 2025);  // a year with a Shabbat of Sukkot: the run follows it
    EXPECT_EQ(t[2].date, Date(2025, 10, 11));
    EXPECT_EQ(t[3].date, Date(2025, 10, 12));
    EXPECT_EQ(t[4].date, Date(2025, 10, 13));
}

TEST(HolyDayTableFile, BothFilesMissingGiveAnEmptyTable) {
    TempFolder dir;
    HolyDayTable t;
    t[1].name = "stale";
    LoadHolyDays(dir.File("holydays.dat"), t);
    PlaceHolyDays(t, 2026);
    for (int i = 1; i <= kHolyDayCount; ++i) {
        EXPECT_EQ(t[i].name, "");
        EXPECT_EQ(t[i].date, std::nullopt);
    }
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
    PlaceHolyDays(t, 2026);
    EXPECT_EQ(t[2].date, Date(2026, 3, 3));
    for (int year : {1, 2, 1582, 1583, 9999}) PlaceHolyDays(t, year);  // no crash at the ends of the range
}

TEST(HolyDayTableFile, LeadingNumbersReadLikeTheSystemsVal) {
    const std::pair<const char*, int> cases[] = {{"-6", -6}, {"  15th", 15}, {"S", 0}, {"", 0},
                                                 {"2.5", 2}, {"3.5", 4}, {"99999999999999999999", 0}};
    for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(text), value) << text;
}

}  // namespace
}  // namespace varnel
