// The month's Shabbat rows: every month of 1900..2199 against libhdate's
// portion of the week, a worked row, and the sunset of each day on its own clock.
#include <gtest/gtest.h>
#include <hdate.h>

#include <functional>

#include "core/calendar/HebrewCalendar.h"
#include "core/calendar/Parashot.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/common/Profile.h"
#include "core/printing/ShabbatRows.h"

namespace varnel {
namespace {

// Sunset at 18:00 every day, 19:00 from a given day on (a clock change).
std::function<SunDay(Date)> SunsetSix(Date daylightFrom = kLastDate + 1) {
    return [daylightFrom](Date d) {
        SunDay s;
        s.sunrise = d.Serial() + 0.25;
        s.sunset = d.Serial() + (d >= daylightFrom ? 19.0 : 18.0) / 24;
        return s;
    };
}

class ShabbatRowsTest : public ::testing::Test {
protected:
    std::string path = PathIn(VARNEL_SOURCE_DATA, kParashahFile);
    ParashahTable table;
    std::vector<ShabbatRow> Month(int year, int month, std::function<SunDay(Date)> sun = SunsetSix()) {
        const Date first = Date(year, month, 1);
        return ShabbatRowsOf({first, DaysInMonth(year, month), &table, std::move(sun), {}});
    }
};

// libhdate's portion of a Saturday as names ("Matot/Masei"); festival
// Shabbatot (0) and Shemini Atzeret on a Saturday give "" (not compared).
std::string OracleNames(Date saturday, const std::vector<std::string>& names) {
    static constexpr int kPairs[][2] = {{22, 23}, {27, 28}, {29, 30}, {32, 33}, {39, 40}, {42, 43}, {51, 52}};
    hdate_struct h;
    hdate_set_jd(&h, DateToJulianDay(saturday));
    const int p = hdate_get_parasha(&h, 1);
    if (p == 0 || (p == 54 && h.hd_mon == 1 && h.hd_day == 22)) return "";
    if (p >= 1 && p <= 54) return names[p];
    if (p >= 55 && p <= 61) return names[kPairs[p - 55][0]] + "/" + names[kPairs[p - 55][1]];
    return "?";
}

TEST_F(ShabbatRowsTest, EveryMonthOf1900To2199ShowsThePortionReadOnEachSaturday) {
    std::vector<std::string> names(kPortionCount + 1);
    const ProfileFile file = ProfileFile::Read(path);
    for (int p = 1; p <= kPortionCount; ++p) names[p] = file.Get("Parashah" + std::to_string(p), "parashah");

    int mismatches = 0;
    for (int year = 1900; year <= 2199; ++year) {
        ScheduleParashot(path, year, table);
        for (int month = 1; month <= 12; ++month) {
            const auto rows = Month(year, month);
            int saturdays = 0;
            for (Date d = Date(year, month, 1); d.Month() == month; ++d) saturdays += d.Weekday() == 7;
            ASSERT_EQ(static_cast<int>(rows.size()), saturdays);
            for (const ShabbatRow& row : rows) {
                EXPECT_EQ(row.saturday.Weekday(), 7);
                const std::string expected = OracleNames(row.saturday, names);
                if (!expected.empty() && expected != row.portion && ++mismatches <= 10)
                    ADD_FAILURE() << year << "-" << month << " " << row.date << ": " << row.portion
                                  << ", libhdate " << expected;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(ShabbatRowsTest, RowFieldsJoinedPortionsAndEmptySaturdays) {
    ScheduleParashot(path, 2024, table);
    // 27 April 2024 is 19 Nisan 5784, Shabbat of Pesach.
    auto rows = Month(2024, 4);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[3].date, "04/27");
    EXPECT_EQ(rows[3].times, "Nisan 18 6:00 PM to Nisan 19 6:00 PM");
    EXPECT_EQ(rows[3].portion, kShabbatPesach);
    // August 2024 (Av-Elul) has five Saturdays; 3 August reads Matot and Masei together.
    rows = Month(2024, 8);
    ASSERT_EQ(rows.size(), 5u);
    const ParashahRecord* matot = nullptr;
    for (int e = 1; e <= kParashotEntries; ++e)
        if (table[e].parashah == "Matot") matot = &table[e];
    ASSERT_NE(matot, nullptr);
    EXPECT_EQ(rows[0].readings.rfind(matot->english + " " + matot->torah + " " + matot->haftarah + " " +
                                         matot->brithadashah + " ", 0), 0u);
    EXPECT_EQ(rows[0].Joined(), rows[0].date + "\t" + rows[0].times + "\t" + rows[0].portion + "\t" + rows[0].readings + "\t");
    // Without portion entries every Saturday keeps its row, with times only.
    table = ParashahTable{};
    rows = Month(2024, 8);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[4].portion, "");
    EXPECT_EQ(rows[4].readings, "   ");
    // A month outside the calendar's range gives no rows.
    EXPECT_TRUE(ShabbatRowsOf({kLastDate - 5, 31, &table, SunsetSix(), {}}).empty());
}

TEST_F(ShabbatRowsTest, SaturdaySunsetIsOnSaturdaysClock) {
    table = ParashahTable{};
    // Clocks change on Saturday 9 March 2024 (a zone that changes on Saturdays):
    // Friday's sunset on standard time, Saturday's on daylight time.
    const auto rows = Month(2024, 3, SunsetSix(Date(2024, 3, 9)));
    ASSERT_EQ(rows[1].date, "03/09");
    EXPECT_NE(rows[1].times.find("6:00 PM to "), std::string::npos);
    EXPECT_NE(rows[1].times.find("7:00 PM"), std::string::npos) << rows[1].times;
}

}  // namespace
}  // namespace varnel
