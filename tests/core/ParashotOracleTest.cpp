// The schedule against two independent sources of the diaspora reading
// calendar, over every Saturday of every common year 1900..2199: libhdate's
// portion of the week, and a walk over the Shabbatot of each cycle that reads
// the portions in order, joined as the traditional table of year kinds says.
//
// libhdate numbers the portions 1..54 in cycle order, 55..61 the joined pairs
// and 0 a festival Shabbat. On a Saturday Shemini Atzeret its diaspora answer
// is 54, the Israeli one: the diaspora reads the festival portion that day and
// V'Zot HaBerachah on Simchat Torah, the Sunday after; the oracle below counts
// that Saturday as the festival.
#include <gtest/gtest.h>
#include <hdate.h>

#include <map>
#include <string>
#include <vector>

#include "core/calendar/HebrewCalendar.h"
#include "core/calendar/Parashot.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/common/Json.h"
#include "core/common/Profile.h"
#include "PortionJoins.h"

namespace varnel {
namespace {

constexpr int kJoinedPairs[][2] = {{22, 23}, {27, 28}, {29, 30}, {32, 33}, {39, 40}, {42, 43}, {51, 52}};

// The festival read on a Shabbat, from its Hebrew date (libhdate's months:
// 1 Tishrei, 7 Nisan, 9 Sivan in every year).
std::string FestivalOf(const hdate_struct& h) {
    const int m = h.hd_mon, d = h.hd_day;
    if (m == 1 && d == 1) return kYomTruahShabbat;
    if (m == 1 && d == 10) return kYomKippurShabbat;
    if (m == 1 && d == 15) return kSukkotShabbat;
    if (m == 1 && d >= 16 && d <= 21) return kShabbatSukkot;
    if (m == 1 && d == 22) return kSheminiAtzeret;
    if (m == 7 && d == 22) return kLastDayOfPesachShabbat;
    if (m == 7 && d >= 15 && d <= 21) return kShabbatPesach;
    if (m == 9 && d == 6) return kShavuotShabbatDay1;
    if (m == 9 && d == 7) return kShavuotShabbatDay2;
    return "(no festival on " + std::to_string(d) + "/" + std::to_string(m) + ")";
}

std::string OracleReading(Date saturday) {
    hdate_struct h;
    hdate_set_jd(&h, DateToJulianDay(saturday));
    const int p = hdate_get_parasha(&h, 1);
    if (p == 0 || (p == 54 && h.hd_mon == 1 && h.hd_day == 22)) return FestivalOf(h);
    if (p >= 1 && p <= 53) return std::to_string(p);
    if (p >= 55 && p <= 61) {
        const int* pair = kJoinedPairs[p - 55];
        return std::to_string(pair[0]) + "+" + std::to_string(pair[1]);
    }
    return "(libhdate " + std::to_string(p) + ")";
}

// The entries dated that Saturday, in table order: portions by number,
// festivals by name.
std::string ScheduledReading(const ParashahTable& table, const std::map<std::string, int>& numberOf,
                             Date saturday) {
    std::string text;
    for (int i = 1; i <= kParashotEntries; ++i) {
        if (table[i].date != saturday) continue;
        if (!text.empty()) text += "+";
        const auto it = numberOf.find(table[i].parashah);
        text += it != numberOf.end() ? std::to_string(it->second) : table[i].parashah;
    }
    return text.empty() ? "(nothing)" : text;
}

// The readings of every Saturday of one cycle: from the Shabbat after Simchat
// Torah of Hebrew year hy to the last one before Simchat Torah of hy + 1, the
// festival Shabbatot by their Hebrew dates and the other Shabbatot taking the
// portions in order, two at a time where the year's kind joins them. Every
// Hebrew date comes from libhdate, not from the program's arithmetic.
void WalkCycle(int hy, std::map<Date, std::string>& readings) {
    hdate_struct h;
    hdate_set_hdate(&h, 1, 1, hy);
    const int newYear = h.hd_jd;
    const testing::YearKind kind{(newYear + 1) % 7 + 1, h.hd_size_of_year};
    const auto& table = testing::JoinedPortionsByYearKind();
    ASSERT_TRUE(table.count(kind)) << "no kind of year for " << hy;
    const testing::PortionPairs& joins = table.at(kind);
    hdate_set_hdate(&h, 23, 1, hy + 1);
    const int end = h.hd_jd;
    int next = 1;
    int first = newYear + 23;  // the day after Simchat Torah
    while ((first + 1) % 7 != 6) ++first;  // Julian Day + 1 counts weekdays from Sunday = 0
    for (int jd = first; jd < end; jd += 7) {
        hdate_set_jd(&h, jd);
        const bool festival = (h.hd_mon == 1 && (h.hd_day == 1 || h.hd_day == 10 || (h.hd_day >= 15 && h.hd_day <= 22))) ||
                              (h.hd_mon == 7 && h.hd_day >= 15 && h.hd_day <= 22) ||
                              (h.hd_mon == 9 && (h.hd_day == 6 || h.hd_day == 7));
        std::string reading;
        if (festival) {
            reading = FestivalOf(h);
        } else if (joins.count({next, next + 1})) {
            reading = std::to_string(next) + "+" + std::to_string(next + 1);
            next += 2;
        } else {
            reading = std::to_string(next++);
        }
        readings[JulianDayToDate(jd)] = reading;
    }
    // The cycle's Shabbatot hold portions 1 to 53; 54 waits for Simchat Torah.
    EXPECT_EQ(next, 54) << "Hebrew year " << hy;
}

// The shipped schedule of every common year 1900..2199, built once.
const std::vector<ParashahTable>& Schedules() {
    static const std::vector<ParashahTable> tables = [] {
        std::vector<ParashahTable> all(300);
        for (int year = 1900; year <= 2199; ++year)
            ScheduleParashot(PathIn(VARNEL_SOURCE_DATA, kParashahFile), year, all[static_cast<size_t>(year - 1900)]);
        return all;
    }();
    return tables;
}

const std::map<std::string, int>& NumberOfPortion() {
    static const std::map<std::string, int> numbers = [] {
        std::map<std::string, int> byName;
        const ProfileFile file = ProfileFile::Read(PathIn(VARNEL_SOURCE_DATA, kParashahFile));
        for (int p = 1; p <= kPortionCount; ++p) byName[file.Get("Parashah" + std::to_string(p), "parashah")] = p;
        return byName;
    }();
    return numbers;
}

const std::map<Date, std::string>& WalkedReadings() {
    static const std::map<Date, std::string> readings = [] {
        std::map<Date, std::string> all;
        for (int hy = 5660; hy <= 5960; ++hy) WalkCycle(hy, all);
        return all;
    }();
    return readings;
}

// The kind of the Hebrew year whose cycle of readings holds a Saturday: the
// cycle starts after Simchat Torah, 23 Tishrei.
testing::YearKind CycleKindOf(Date saturday) {
    hdate_struct h;
    hdate_set_jd(&h, DateToJulianDay(saturday));
    const int hy = h.hd_mon == 1 && h.hd_day <= 23 ? h.hd_year - 1 : h.hd_year;
    hdate_set_hdate(&h, 1, 1, hy);
    return {(h.hd_jd + 1) % 7 + 1, h.hd_size_of_year};
}

// Calls visit(saturday, scheduled reading) for every Saturday of 1900..2199.
template <typename Visit>
void ForEverySaturday(Visit visit) {
    for (int year = 1900; year <= 2199; ++year) {
        const ParashahTable& table = Schedules()[static_cast<size_t>(year - 1900)];
        for (Date s = Date(year, 1, 1) + (7 - Date(year, 1, 1).Weekday()); s.Year() == year; s += 7)
            visit(s, ScheduledReading(table, NumberOfPortion(), s));
    }
}

TEST(ParashotSchedules, EverySaturdayOf1900To2199FallsInACycleOfAKnownKindAndEntriesStandInDateOrder) {
    ASSERT_EQ(NumberOfPortion().size(), static_cast<size_t>(kPortionCount)) << "portion names must be distinct";
    int saturdays = 0;
    ForEverySaturday([&](Date s, const std::string&) {
        ++saturdays;
        EXPECT_EQ(testing::JoinedPortionsByYearKind().count(CycleKindOf(s)), 1u) << IsoDate(s);
    });
    EXPECT_EQ(saturdays, 15653);
    for (int year = 1900; year <= 2199; ++year) {
        // A joined portion never follows a later date.
        const ParashahTable& table = Schedules()[static_cast<size_t>(year - 1900)];
        for (int i = 2; i <= kParashotEntries && table[i].date; ++i)
            EXPECT_GE(table[i].date, table[i - 1].date) << "year " << year << " entry " << i;
    }
}

// Every Saturday of 1900..2199 against libhdate and against the walk of its
// cycle, one test per kind of year, so that a failure names the kind.
class ParashotOracle : public ::testing::TestWithParam<testing::YearKind> {};

TEST_P(ParashotOracle, EverySaturdayMatchesLibhdateAndTheTraditionalTable) {
    int saturdays = 0, mismatches = 0;
    ForEverySaturday([&](Date s, const std::string& scheduled) {
        if (CycleKindOf(s) != GetParam()) return;
        ++saturdays;
        const auto walked = WalkedReadings().find(s);
        for (const std::string& expected :
             {OracleReading(s), walked != WalkedReadings().end() ? walked->second : std::string("(no cycle)")})
            if (expected != scheduled && ++mismatches <= 20)
                ADD_FAILURE() << "Saturday " << s.Parts().year << "-" << s.Parts().month << "-"
                              << s.Parts().day << ": expected " << expected
                              << ", scheduled " << scheduled;
    });
    EXPECT_GT(saturdays, 0);
    EXPECT_EQ(mismatches, 0);
}

std::vector<testing::YearKind> EveryKind() {
    std::vector<testing::YearKind> kinds;
    for (const auto& entry : testing::JoinedPortionsByYearKind()) kinds.push_back(entry.first);
    return kinds;
}

std::string KindName(const ::testing::TestParamInfo<testing::YearKind>& info) {
    static const char* const kDays[] = {"", "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    return std::string("NewYearOn") + kDays[info.param.first] + "_" + std::to_string(info.param.second) + "Days";
}

INSTANTIATE_TEST_SUITE_P(EveryKindOfYear, ParashotOracle, ::testing::ValuesIn(EveryKind()), KindName);

}  // namespace
}  // namespace varnel
