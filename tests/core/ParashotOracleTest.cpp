// The schedule against libhdate's diaspora reading calendar: every Saturday of
// every common year 1900..2199 must carry the same portion, joined pair or
// festival.
//
// libhdate numbers the portions 1..54 in cycle order, 55..61 the joined pairs
// and 0 a festival Shabbat. Checked against hebcal over the same years, it
// agrees on every Saturday but one kind: on a Saturday Shemini Atzeret it
// reports 54, which the diaspora reads on Simchat Torah, the day after; the
// oracle below counts that Saturday as a festival.
#include <gtest/gtest.h>
#include <hdate.h>

#include <climits>
#include <map>
#include <string>

#include "calendar/HebrewCalendar.h"
#include "calendar/Parashot.h"
#include "common/DateSerial.h"
#include "common/Files.h"
#include "common/Profile.h"

namespace varnel {
namespace {

constexpr int kJoinedPairs[][2] = {{22, 23}, {27, 28}, {29, 30}, {32, 33}, {39, 40}, {42, 43}, {51, 52}};

// The festival read on a Shabbat, from its Hebrew date (libhdate's months:
// 1 Tishrei, 7 Nisan, 9 Sivan in every year).
std::string FestivalOf(const hdate_struct& h) {
    const int m = h.hd_mon, d = h.hd_day;
    if (m == 1 && d == 1) return kYomTruahShabbat;
    if (m == 1 && d == 10) return kYomKippurShabbat;
    if (m == 1 && d >= 15 && d <= 21) return kShabbatSukkot;
    if (m == 1 && d == 22) return kSheminiAtzeret;
    if (m == 7 && d >= 15 && d <= 22) return kShabbatPesach;
    if (m == 9 && d == 6) return kShavuotShabbatDay1;
    if (m == 9 && d == 7) return kShavuotShabbatDay2;
    return "(no festival on " + std::to_string(d) + "/" + std::to_string(m) + ")";
}

std::string OracleReading(int32_t saturday) {
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
                             int32_t saturday) {
    std::string text;
    for (int i = 1; i <= kParashotEntries; ++i) {
        if (table[i].date != saturday) continue;
        if (!text.empty()) text += "+";
        const auto it = numberOf.find(table[i].parashah);
        text += it != numberOf.end() ? std::to_string(it->second) : table[i].parashah;
    }
    return text.empty() ? "(nothing)" : text;
}

TEST(ParashotOracle, EverySaturdayOf1900To2199MatchesTheDiasporaCalendar) {
    const std::string path = PathIn(VARNEL_SOURCE_DATA, kParashahFile);
    const ProfileFile file = ProfileFile::Read(path);
    std::map<std::string, int> numberOf;
    for (int p = 1; p <= kPortionCount; ++p) numberOf[file.Get("Parashah" + std::to_string(p), "parashah")] = p;
    ASSERT_EQ(numberOf.size(), static_cast<size_t>(kPortionCount)) << "portion names must be distinct";

    ParashahTable table;
    int saturdays = 0, mismatches = 0;
    for (int year = 1900; year <= 2199; ++year) {
        ScheduleParashot(path, year, table);
        int32_t s = DateSerial(year, 1, 1);
        s += (7 - Weekday(s));
        for (; YearOf(s) == year; s += 7) {
            ++saturdays;
            const std::string expected = OracleReading(s);
            const std::string actual = ScheduledReading(table, numberOf, s);
            if (expected != actual && ++mismatches <= 20)
                ADD_FAILURE() << "Saturday " << SplitDate(s).year << "-" << SplitDate(s).month << "-"
                              << SplitDate(s).day << ": expected " << expected << ", scheduled " << actual;
        }
        // Dated entries stand in date order (a joined portion never follows a later date).
        int32_t previous = INT32_MIN;
        for (int i = 1; i <= kParashotEntries && table[i].date != 0; ++i) {
            EXPECT_GE(table[i].date, previous) << "year " << year << " entry " << i;
            previous = table[i].date;
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(saturdays, 15653);
}

}  // namespace
}  // namespace varnel
