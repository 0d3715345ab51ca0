// Special readings of festival and Hanukkah Shabbatot, with the shipped data.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/calendar/FestivalReadings.h"
#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/common/Json.h"

namespace varnel {
namespace {

class SpecialReadings : public ::testing::Test {
protected:
    HolyDayTable holydays;
    ParashahTable table;
    void SetUp() override { LoadHolyDays(PathIn(VARNEL_SOURCE_DATA, "holydays.dat"), holydays); }
    void Schedule(int year) { ScheduleParashot(PathIn(VARNEL_SOURCE_DATA, kParashahFile), year, table); }
    void Apply() { ApplySpecialReadings(holydays, table); }
    const ParashahRecord& On(Date date) {
        for (int i = 1; i <= kParashotEntries; ++i)
            if (table[i].date == date) return table[i];
        static const ParashahRecord none;
        ADD_FAILURE() << "no entry on " << IsoDate(date);
        return none;
    }
    HolyDayRecord& HolyDay(const std::string& name) {
        for (int i = 1; i <= kHolyDayCount; ++i)
            if (holydays[i].name == name) return holydays[i];
        throw std::runtime_error("no holy day " + name);
    }
};

TEST_F(SpecialReadings, HanukkahBeginningOnSaturdayHasTwoShabbatot) {
    Schedule(2026);  // 25 Kislev 5787 is Saturday 5 December 2026
    const ParashahRecord vayeshev = On(Date(2026, 12, 5));
    Apply();
    const ParashahRecord& first = On(Date(2026, 12, 5));
    // The Torah stays the week's own; only the Haftarot change.
    EXPECT_EQ(first.parashah, "Vayeshev");
    EXPECT_EQ(first.english, vayeshev.english);
    EXPECT_EQ(first.torah, vayeshev.torah);
    EXPECT_EQ(first.messianic, vayeshev.messianic);
    EXPECT_EQ(first.brithadashah, vayeshev.brithadashah);
    EXPECT_EQ(first.haftarah, "Zechariah 2:14-4:7");
    EXPECT_EQ(first.sephardic, "Zechariah 2:14-4:7");
    // Which Saturdays take the two Hanukkah Haftarot is the oracle test's; after them the week's own.
    EXPECT_EQ(On(Date(2026, 12, 19)).haftarah, "Ezekiel 37:15-28");
}

TEST_F(SpecialReadings, HanukkahBeginningOnFridayLeavesTheNinthDayItsOwnHaftarah) {
    Schedule(2020);  // 25 Kislev 5781 is Friday 11 December 2020; the feast ends Friday 18
    Apply();
    // The Saturday after the one Shabbat is the ninth day: Miketz with its own Haftarah.
    EXPECT_EQ(On(Date(2020, 12, 19)).parashah, "Miketz");
    EXPECT_EQ(On(Date(2020, 12, 19)).haftarah, "1 Kings 3:15-4:1");
    EXPECT_EQ(On(Date(2020, 12, 19)).sephardic, "1 Kings 3:15-4:1");
}

TEST_F(SpecialReadings, FestivalShabbatotTakeTheHolyDayReadings) {
    Schedule(2024);
    Apply();
    const ParashahRecord& kippur = On(Date(2024, 10, 12));
    EXPECT_EQ(kippur.parashah, "Yom Kippur");
    EXPECT_EQ(kippur.english, kSpecialReading);
    EXPECT_EQ(kippur.torah, "Leviticus 16:1-34; Numbers 29:7-11");
    EXPECT_EQ(kippur.haftarah, "Isaiah 57:14-58:14");
    EXPECT_EQ(kippur.messianic, "Jonah 1:1-4:11; Micah 7:18-20");
    EXPECT_EQ(kippur.brithadashah, "Hebrews 9:11-28");
    EXPECT_EQ(On(Date(2024, 10, 19)).torah, "Exodus 33:12-34:26; Numbers 29:17-22");
    EXPECT_EQ(On(Date(2024, 4, 27)).haftarah, "Ezekiel 37:1-14");
    // Weekly entries are untouched.
    EXPECT_EQ(On(Date(2024, 10, 5)).english, "\"Listen\"");

    Schedule(2026);
    Apply();
    EXPECT_EQ(On(Date(2026, 5, 23)).torah, "Deuteronomy 14:22-16:17; Numbers 28:26-31");
    EXPECT_EQ(On(Date(2026, 9, 12)).torah, "Genesis 21:1-34; Numbers 29:1-6");  // the first day's record
    EXPECT_EQ(On(Date(2026, 10, 3)).haftarah, "1 Kings 8:54-9:1");
}

TEST_F(SpecialReadings, FestivalWithoutHolyDayRecordKeepsWhatTheScheduleGave) {
    HolyDay("Yom Kippur").name = "Day of Atonement";
    Schedule(2024);
    Apply();
    const ParashahRecord& kippur = On(Date(2024, 10, 12));
    EXPECT_EQ(kippur.parashah, "Yom Kippur");
    EXPECT_EQ(kippur.english, "\"Listen\"");
    EXPECT_EQ(kippur.torah, "Deuteronomy 32:1-52");
}

TEST_F(SpecialReadings, WeeklyPortionKeepsEachReadingIndependently) {
    HolyDayRecord& sukkot = HolyDay("Shabbat Sukkot");
    sukkot.haftarah = kWeeklyPortion;
    HolyDayRecord& hanukkah = HolyDay("Shabbat Hanukkah (1st)");
    hanukkah.sephardic = "";
    Schedule(2024);
    Apply();
    const ParashahRecord& festival = On(Date(2024, 10, 19));
    EXPECT_EQ(festival.english, kSpecialReading);
    EXPECT_EQ(festival.torah, sukkot.torah);
    EXPECT_EQ(festival.haftarah, "2 Samuel 22:1-51");  // the copied entry's own
    // A special Haftarah without a Sephardic one leaves the Sephardic as it was.
    EXPECT_EQ(On(Date(2024, 12, 28)).haftarah, "Zechariah 2:14-4:7");
    EXPECT_EQ(On(Date(2024, 12, 28)).sephardic, "1 Kings 3:15-4:1");
}

}  // namespace
}  // namespace varnel
