// The feasts' export beside the portions': each knows only its own items,
// its UIDs carry a tag per item of a day, and its timed items go with a
// VTIMEZONE that changes the clock when the zone's rules do.
#include <gtest/gtest.h>

#include "core/appointments/ExportIdentity.h"
#include "core/appointments/ICalendarItems.h"
#include "core/appointments/ICalendarZone.h"
#include "core/common/Date.h"

namespace varnel {
namespace {

TEST(ExportIdentity, EachExportOwnsOnlyItsOwnItems) {
    const Date day(2026, 9, 20);
    EXPECT_EQ(ExportUid(kFeastExport, day, "candles"), "varnel-feast-20260920-candles@varnel");
    EXPECT_EQ(DateOfExportUid(kFeastExport, "VARNEL-FEAST-20260920-YOM-KIPPUR@varnel"), day);
    EXPECT_EQ(DateOfExportUid(kFeastExport, "varnel-feast-20260920@varnel"), day);
    for (const char* bad : {"varnel-feast-20260920-@varnel", "varnel-feast-20260920x@varnel",
                            "varnel-feast-20260920-a b@varnel", "varnel-feast-20260931-candles@varnel"})
        EXPECT_EQ(DateOfExportUid(kFeastExport, bad), std::nullopt) << bad;
    // A Shabbat's UID never carries a tag.
    EXPECT_EQ(DateOfPortionUid("varnel-portion-20260919-x@varnel"), std::nullopt);

    CalendarItem feast;
    feast.date = day;
    feast.uid = ExportUid(kFeastExport, day, "yom-kippur");
    feast.subject = "Yom Kippur";
    CalendarItem portion = feast;
    portion.uid = PortionUid(Date(2026, 9, 19));
    std::string text = ICalendarObjectText(kFeastExport, feast);
    const std::string second = ICalendarObjectText(kPortionExport, portion);
    text.insert(text.rfind("END:VCALENDAR"), second.substr(second.find("BEGIN:VEVENT"), second.find("END:VCALENDAR") - second.find("BEGIN:VEVENT")));
    for (const ExportKind* kind : {&kFeastExport, &kPortionExport}) {
        std::vector<CalendarEntry> events;
        ASSERT_TRUE(ReadICalendarEvents(text, *kind, events));
        ASSERT_EQ(events.size(), 2u);
        EXPECT_EQ(events[0].owner, kind == &kFeastExport ? Ownership::Ours : Ownership::User);
        EXPECT_EQ(events[1].owner, kind == &kPortionExport ? Ownership::Ours : Ownership::User);
    }
    // A user's copy of one of our items, mark and all, under the other export's mark.
    std::string copied = ICalendarObjectText(kPortionExport, feast);
    std::vector<CalendarEntry> events;
    ASSERT_TRUE(ReadICalendarEvents(copied, kFeastExport, events));
    EXPECT_EQ(events.at(0).owner, Ownership::UserWithOurUid);
}

// The US rules of 2026: daylight time from 8 March 2:00 to 1 November 2:00.
TEST(ICalendarZone, ObservancesFollowTheZonesChanges) {
    const std::string york = ICalendarZoneText(ZoneClock::ForYear("America/New_York", 2026));
    EXPECT_EQ(york.rfind("BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\n", 0), 0u);
    EXPECT_NE(york.find("BEGIN:DAYLIGHT\r\nDTSTART:20260308T020000\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\n"
                        "TZNAME:EDT\r\nEND:DAYLIGHT\r\n"),
              std::string::npos);
    EXPECT_NE(york.find("BEGIN:STANDARD\r\nDTSTART:20261101T020000\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\n"),
              std::string::npos);
    // Jerusalem's own rule: the Friday before the last Sunday of March, at 2:00.
    EXPECT_NE(ICalendarZoneText(ZoneClock::ForYear("Asia/Jerusalem", 2026)).find("DTSTART:20260327T020000\r\n"),
              std::string::npos);
    const std::string kolkata = ICalendarZoneText(ZoneClock::ForYear("Asia/Kolkata", 2026));
    EXPECT_EQ(kolkata.find("BEGIN:DAYLIGHT"), std::string::npos);
    EXPECT_NE(kolkata.find("TZOFFSETTO:+0530\r\n"), std::string::npos);
    EXPECT_EQ(ICalendarZoneText(ZoneClock::ForYear("Nowhere/Atlantis", 2026)), "");
}

}  // namespace
}  // namespace varnel
