// Personal dates: yahrzeits against Debian's hebcal over twenty years,
// Hebrew birthdays against the rules worked by hand (dates converted by ICU),
// and the dates.dat file keeping what it does not change.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <set>

#include "HebrewOracles.h"
#include "TempFolder.h"
#include "core/common/Files.h"
#include "core/common/Json.h"
#include "core/personal/HebrewAnniversary.h"
#include "core/personal/PersonalDays.h"
#include "core/views/MonthView.h"
#include "core/views/YearView.h"
#include "CommandLines.h"

namespace varnel {
namespace {

using testing::TempFolder;

constexpr int kCheshvan = 2, kKislev = 3, kShvat = 5, kAdarI = 6, kAdarII = 7;

// The daytime common date of a Hebrew date.
Date DateOf(int year, int month, int day) { return JulianDayToDate(HebrewToJulianDay(year, month, day)); }

// Every yahrzeit hebcal -Y gives for the deaths over the common years first..first+years-1.
std::map<std::string, std::set<std::string>> HebcalYahrzeits(const std::vector<HebrewDate>& deaths, int first, int years) {
    TempFolder dir;
    std::string file;
    for (size_t i = 0; i < deaths.size(); ++i) {
        const YearMonthDay d = DateOf(deaths[i].year, deaths[i].month, deaths[i].day).Parts();
        file += std::to_string(d.month) + " " + std::to_string(d.day) + " " + std::to_string(d.year) + " death" +
                std::to_string(i) + "\n";
    }
    const std::string command = "hebcal -Y " + dir.Write("deaths.txt", file) + " -h -x -g --no-modern --years " +
                                std::to_string(years) + " " + std::to_string(first);
    std::map<std::string, std::set<std::string>> found;
    testing::ForEachCommandLine(command, [&](const std::string& line) {
        char date[16], name[64];
        if (std::sscanf(line.c_str(), "%15s %63s", date, name) == 2 && std::string(name).rfind("death", 0) == 0)
            found[name].insert(date);
    });
    return found;
}

TEST(Yahrzeit, AgreesWithHebcalOnEverySpecialDayAndASampleOfOrdinaryOnes) {
    std::vector<HebrewDate> deaths;
    // Deaths before the range, in every kind of year: 30 Cheshvan and 30 Kislev
    // (the next year's month long or short), Adar II, Adar of a common year,
    // 30 Adar I, and the days around them.
    for (int y = 5740; y <= 5769; ++y) {
        const HebrewDate candidates[] = {{y, kCheshvan, 30}, {y, kCheshvan, 29}, {y, kKislev, 30}, {y, kKislev, 29},
                                         {y, kAdarI, 30},    {y, kAdarI, 29},    {y, kAdarI, 1},   {y, kAdarII, 1},
                                         {y, kAdarII, 14},   {y, kAdarII, 29},   {y, kShvat, 30},  {y, 1, 1},
                                         {y, -6, 15},        {y, -1, 29},        {y, -2, 9}};
        for (HebrewDate d : candidates) {
            if (d.month < 0) d.month += HebrewLeapYear(y) ? 14 : 13;
            if (IsHebrewDate(d)) deaths.push_back(d);
        }
    }
    // And ordinary days: every 37th day over those years.
    for (int32_t n = HebrewToJulianDay(5740, 1, 1); n < HebrewToJulianDay(5770, 1, 1); n += 37) {
        HebrewDate d;
        JulianDayToHebrew(n, d.year, d.month, d.day);
        deaths.push_back(d);
    }
    const auto hebcal = HebcalYahrzeits(deaths, 2010, 20);
    ASSERT_FALSE(hebcal.empty()) << "hebcal gave nothing";
    int compared = 0;
    for (size_t i = 0; i < deaths.size(); ++i) {
        std::set<std::string> ours;
        for (int year = 2010; year < 2030; ++year)
            for (const Anniversary& a : AnniversariesIn(deaths[i], AnniversaryRule::Yahrzeit, year)) ours.insert(IsoDate(a.date));
        const auto theirs = hebcal.find("death" + std::to_string(i));
        EXPECT_EQ(ours, theirs == hebcal.end() ? std::set<std::string>{} : theirs->second)
            << "death on " << HebrewDateText(deaths[i]);
        compared += static_cast<int>(ours.size());
    }
    EXPECT_GT(compared, 20 * 400);
}

TEST(Yahrzeit, TheFirstComesAYearAfterTheDeathAndCountsOn) {
    const HebrewDate death{5785, kAdarI, 10};  // 10 Adar of a common year
    EXPECT_TRUE(AnniversariesIn(death, AnniversaryRule::Yahrzeit, 2025).empty());
    const std::vector<Anniversary> first = AnniversariesIn(death, AnniversaryRule::Yahrzeit, 2026);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].count, 1);
    EXPECT_EQ(first[0].hebrewYear, 5786);
    EXPECT_EQ(AnniversariesIn(death, AnniversaryRule::Yahrzeit, 2036)[0].count, 11);
}

// The birthday rules, each case worked from the rule's words: where the
// birthday falls, as a Hebrew date that ICU turns into the day.
TEST(HebrewBirthday, FallsWhereTheRulesSayInEveryKindOfYear) {
    testing::IcuOracle icu;
    struct Case {
        HebrewDate born;
        int year;
        HebrewDate expected;
        const char* why;
    };
    ASSERT_TRUE(HebrewLeapYear(5784) && !HebrewLeapYear(5785) && !HebrewLeapYear(5786) && HebrewLeapYear(5787));
    ASSERT_TRUE(LongCheshvan(5785) && !LongCheshvan(5786) && ShortKislev(5787) == false);
    const Case cases[] = {
        {{5784, kAdarI, 12}, 5785, {5785, kAdarI, 12}, "Adar I in a common year: its one Adar"},
        {{5784, kAdarI, 12}, 5787, {5787, kAdarI, 12}, "Adar I in a leap year: Adar I"},
        {{5784, kAdarII, 12}, 5785, {5785, kAdarI, 12}, "Adar II in a common year: its one Adar"},
        {{5784, kAdarII, 12}, 5787, {5787, kAdarII, 12}, "Adar II in a leap year: Adar II"},
        {{5785, kAdarI, 14}, 5787, {5787, kAdarII, 14}, "Adar of a common year in a leap year: Adar II"},
        {{5785, kAdarI, 14}, 5786, {5786, kAdarI, 14}, "Adar of a common year in a common year: Adar"},
        {{5784, kAdarI, 30}, 5785, {5785, 7, 1}, "30 Adar I in a common year: 1 Nisan"},
        {{5785, kCheshvan, 30}, 5786, {5786, kKislev, 1}, "30 Cheshvan when Cheshvan has 29 days: 1 Kislev"},
        {{5785, kKislev, 30}, 5786, {5786, kKislev, 30}, "30 Kislev when Kislev has 30 days"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HebrewBirthdayIn(c.born, c.year), icu.DayNumberOf(c.expected.year, c.expected.month, c.expected.day))
            << c.why;
    }
    // 30 Kislev in a year whose Kislev has 29 days: 1 Tevet.
    int shortKislev = 5786;
    while (!ShortKislev(shortKislev)) ++shortKislev;
    EXPECT_EQ(HebrewBirthdayIn({5785, kKislev, 30}, shortKislev), icu.DayNumberOf(shortKislev, 4, 1));
}

TEST(PersonalDays, AreMarkedInTheMonthAndYearViewsWithTheirDetails) {
    std::string why;
    const PersonalDate grandfather = *ReadPersonalDate({"Abraham", "yahrzeit", "", "", "3 Adar II 5771", ""}, why);
    const PersonalDate child = *ReadPersonalDate({"Dina", "birthday", "2014-03-04", "1", "", "born at night"}, why);
    EXPECT_EQ(HebrewDateText(child.hebrew), "3 Adar II 5774");  // after sunset on 4 March: the next Hebrew day
    const std::vector<PersonalDay> days = PersonalDaysIn({grandfather, child}, 2026);
    ASSERT_EQ(days.size(), 2u);  // 2026 (5786) has one Adar: both on 3 Adar, 20 February 2026
    EXPECT_EQ(days[0].date, Date(2026, 2, 20));
    EXPECT_EQ(days[1].date, Date(2026, 2, 20));

    MonthInputs in;
    in.firstDay = Date(2026, 2, 1);
    in.dayCount = 28;
    in.personal = &days;
    MonthViewModel month;
    ComposeMonth(in, month);
    const MonthCell at = MonthCellOf(in.firstDay, 20);
    const GridCell& cell = month.grid.Cell(at.row, at.col);
    EXPECT_NE(cell.text.find("\r\nYahrzeit: Abraham\r\nDina's Hebrew birthday"), std::string::npos) << cell.text;
    EXPECT_NE(cell.data.find("15th yahrzeit (3 Adar II 5771)\r\nBegins at sunset the evening before"), std::string::npos);
    EXPECT_NE(cell.data.find("12th Hebrew birthday (3 Adar II 5774)\r\nborn at night"), std::string::npos);
    const MonthCell dayBefore = MonthCellOf(in.firstDay, 19);
    EXPECT_EQ(month.grid.Cell(dayBefore.row, dayBefore.col).text.find("Abraham"), std::string::npos);

    YearViewModel year;
    ShowYear(2026, PlacedHolyDays{}, 0, 0, year, &days);
    const YearCell y = YearCellOf(2026, 2, 20);
    EXPECT_EQ(year.grids[1].Cell(y.row, y.col).text, std::string("20") + kPersonalDayMark);
    EXPECT_EQ(year.grids[1].Cell(y.row, y.col).data, "Yahrzeit: Abraham\r\nDina's Hebrew birthday");
}

TEST(PersonalDays, CountInOrdinalsAndRemindOfTheComingWeek) {
    const std::pair<int, const char*> ordinals[] = {{1, "1st"}, {2, "2nd"}, {3, "3rd"}, {4, "4th"}, {11, "11th"},
                                                    {12, "12th"}, {13, "13th"}, {21, "21st"}, {102, "102nd"}, {111, "111th"}};
    for (const auto& [n, text] : ordinals) EXPECT_EQ(Ordinal(n), text);
    std::string why;
    const std::vector<PersonalDate> dates = {*ReadPersonalDate({"Abraham", "yahrzeit", "", "", "3 Adar II 5771", ""}, why),
                                             *ReadPersonalDate({"Wedding", "anniversary", "2025-03-04", "", "", ""}, why)};
    EXPECT_EQ(PersonalReminder(dates, Date(2026, 2, 12)), "");  // 3 Adar is eight days away
    EXPECT_EQ(PersonalReminder(dates, Date(2026, 2, 13)),
              "Personal dates: Friday, February 20, Yahrzeit: Abraham (15th yahrzeit, from sunset the evening before)");
    EXPECT_EQ(PersonalReminder(dates, Date(2026, 2, 20)),
              "Personal dates: today, Yahrzeit: Abraham (15th yahrzeit, began at sunset yesterday); "
              "tomorrow, Anniversary: Wedding (1st anniversary)");
}

TEST(PersonalDatesFile, MalformedEntriesAreSkippedWithTheReasonAndKeptByEveryChange) {
    TempFolder dir;
    const std::string other = "; my notes\r\n[Other]\r\nkey = kept as written\r\n";
    const std::string dates = "[Dates]\r\ncount=4\r\n1name = Grandma\r\n1kind=Yahrzeit\r\n1date=1999-02-30\r\n"
                              "2name=Eli\r\n2kind=birthday\r\n2hebrew=30 Adar 5785\r\n"
                              "3name=Ruth\r\n3kind=friend\r\n3hebrew=1 Nisan 5780\r\n"
                              "4name=Noa\r\n4hebrew=12 Adar II 5784\r\n4note=twins\r\n";
    const std::string path = dir.Write("dates.dat", other + dates);
    const PersonalDates read = LoadPersonalDates(path);
    ASSERT_EQ(read.dates.size(), 1u);
    EXPECT_EQ(read.dates[0].name, "Noa");
    EXPECT_EQ(read.dates[0].kind, PersonalKind::Other);
    EXPECT_EQ(read.skipped, (std::vector<std::string>{
                                "entry 1 ('Grandma') is skipped: there is no day '1999-02-30' (years 1..9999)",
                                "entry 2 ('Eli') is skipped: Adar 5785 has no day 30 (it has 29)",
                                "entry 3 ('Ruth') is skipped: 'friend' is no kind (birthday, anniversary, yahrzeit or other)"}));

    // Adding and then removing an entry leaves the other sections byte for byte.
    ASSERT_TRUE(UpdatePersonalDates(path, [](std::vector<PersonalDateEntry>& e, std::string&) {
        e.insert(e.begin(), {"Sarah", "birthday", "", "", "1 Tishrei 5785", ""});
        return true;
    }));
    EXPECT_EQ(ReadPersonalDateEntries(path).size(), 5u);
    EXPECT_EQ(ReadPersonalDateEntries(path)[1].date, "1999-02-30");
    ASSERT_TRUE(UpdatePersonalDates(path, [](std::vector<PersonalDateEntry>& e, std::string&) {
        e.erase(e.begin());
        return true;
    }));
    std::string text;
    ASSERT_TRUE(ReadWholeFile(path, text));
    EXPECT_EQ(text.substr(0, other.size()), other);
    EXPECT_EQ(LoadPersonalDates(path).skipped, read.skipped);
    EXPECT_EQ(ReadPersonalDateEntries(path).size(), 4u);
    EXPECT_EQ(text.find("5name"), std::string::npos);  // no key of the removed fifth entry is left

    // A damaged count of billions walks and sizes nothing.
    dir.Write("far.dat", "[Dates]\ncount=2000000000\n1999999999name=Far\n1999999999hebrew=1 Nisan 5780\n");
    EXPECT_EQ(LoadPersonalDates(dir.File("far.dat")).dates.size(), 1u);
}

TEST(PersonalDatesFile, HebrewDatesReadInTheirCommonSpellingsAndAdarIsNamedInALeapYear) {
    std::string why;
    EXPECT_EQ(HebrewDateText(*ParseHebrewDate("  12  adar ii 5784 ", why)), "12 Adar II 5784");
    EXPECT_EQ(HebrewDateText(*ParseHebrewDate("1 Heshvan 5785", why)), "1 Cheshvan 5785");
    EXPECT_EQ(HebrewDateText(*ParseHebrewDate("9 Tammuz 5785", why)), "9 Tamuz 5785");
    EXPECT_FALSE(ParseHebrewDate("12 Adar 5784", why));
    EXPECT_EQ(why, "5784 has two months of Adar: say Adar I or Adar II in '12 Adar 5784'");
    EXPECT_FALSE(ParseHebrewDate("12 Adar II 5785", why));
    EXPECT_FALSE(ParseHebrewDate("30 Cheshvan 5786", why));  // a short Cheshvan
    EXPECT_FALSE(ParseHebrewDate("Adar 5785", why));
    EXPECT_FALSE(ParseHebrewDate("1 Tishrei 99999", why));
}

}  // namespace
}  // namespace varnel
