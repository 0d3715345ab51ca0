// The Hanukkah Haftarot against libhdate's holy days: from November to
// January of every common year 1900..2199, a Saturday that is a day of Hanukkah
// carries the Haftarah of the first or second Shabbat of the feast, and no
// other Saturday does.
#include <gtest/gtest.h>
#include <hdate.h>

#include <string>

#include "core/calendar/HebrewCalendar.h"
#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"
#include "core/calendar/FestivalReadings.h"
#include "core/common/Date.h"
#include "core/common/Files.h"

namespace varnel {
namespace {

constexpr int kHdateChanukah = 9;
const std::string kFirstHaftarah = "Zechariah 2:14-4:7";
const std::string kSecondHaftarah = "1 Kings 7:40-50";

bool IsHanukkah(Date date) {
    hdate_struct h;
    hdate_set_jd(&h, DateToJulianDay(date));
    return hdate_get_holyday(&h, 1) == kHdateChanukah;
}

std::string Expected(Date saturday) {
    if (!IsHanukkah(saturday)) return "(weekly)";
    return IsHanukkah(saturday - 7) ? kSecondHaftarah : kFirstHaftarah;
}

std::string Scheduled(const ParashahTable& table, Date saturday) {
    for (int i = 1; i <= kParashotEntries; ++i) {
        if (table[i].date != saturday) continue;
        const std::string& h = table[i].haftarah;
        return h == kFirstHaftarah || h == kSecondHaftarah ? h : "(weekly)";
    }
    return "(nothing)";
}

TEST(SpecialReadingsOracle, HanukkahShabbatotOf1900To2199) {
    HolyDayTable holydays;
    LoadHolyDays(PathIn(VARNEL_SOURCE_DATA, "holydays.dat"), holydays);
    ParashahTable table;
    int hanukkahShabbatot = 0, mismatches = 0;
    for (int year = 1900; year <= 2199; ++year) {
        ScheduleParashot(PathIn(VARNEL_SOURCE_DATA, kParashahFile), year, table);
        ApplySpecialReadings(holydays, table);
        Date s = Date(year, 1, 1);
        s += 7 - s.Weekday();
        for (; s.Year() == year; s += 7) {
            const int month = s.Month();
            if (month != 1 && month < 11) continue;
            const std::string expected = Expected(s);
            if (expected != "(weekly)") ++hanukkahShabbatot;
            const std::string actual = Scheduled(table, s);
            if (expected != actual && ++mismatches <= 20)
                ADD_FAILURE() << year << "-" << month << "-" << s.Day() << ": expected " << expected << ", got "
                              << actual;
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(hanukkahShabbatot, 300);
}

}  // namespace
}  // namespace varnel
