// The month's portions as calendar items: the Shabbat lines of worked months,
// the passage look-up, the item texts of single and joined portions, the
// iCalendar file back end with a user's own events, and the reading texts
// shipped in data/ (every reference found, exactly its verses).
#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "core/appointments/CalendarAddress.h"
#include "core/appointments/ExportToCalendar.h"
#include "core/appointments/ICalendarItems.h"
#include "core/appointments/IcsFileCalendar.h"
#include "core/appointments/PortionAppointment.h"
#include "core/appointments/ReadingTexts.h"
#include "core/appointments/ShabbatLines.h"
#include "core/calendar/YearCalendar.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "TempFolder.h"

namespace varnel {
namespace {

using testing::TempFolder;
namespace fs = std::filesystem;

ParashahTable YearTable(int year) {
    static const CalendarData data = LoadCalendarData(VARNEL_SOURCE_DATA);
    return BuildYear(year, data).parashot;
}

std::vector<ShabbatLine> MonthLines(int year, int month) {
    return BuildMonthShabbatLines(Date(year, month, 1), YearTable(year));
}

class NoProgress : public ExportProgress {
public:
    void SetAction(const std::string& t) override { actions.push_back(t); }
    void SetDetail(const std::string&) override {}
    bool Cancelled() override { return ++asked > cancelAfter; }
    std::vector<std::string> actions;
    int asked = 0;
    int cancelAfter = 1000;
};

TEST(ShabbatLines, WorkedMonthsPairSaturdaysWithTheirPortions) {
    // August 2024: 42 and 43 share 3 August.
    auto aug = MonthLines(2024, 8);
    ASSERT_EQ(aug.size(), 5u);
    EXPECT_EQ(aug[0].date, Date(2024, 8, 3));
    EXPECT_EQ(aug[0].Name(), "Matot/Masei");
    ASSERT_EQ(aug[0].portions.size(), 2u);
    EXPECT_EQ(aug[0].portions[0].torah, "Numbers 30:2-32:42");
    EXPECT_EQ(aug[0].portions[1].torah, "Numbers 33:1-36:13");
    // February 2026 has four Saturdays: four lines, no blank slots. (Which
    // portion each Saturday reads is the schedule's oracle test.)
    EXPECT_EQ(MonthLines(2026, 2).size(), 4u);
}

TEST(ShabbatLines, ASaturdayWithoutPortionGivesNoItem) {
    ParashahTable empty;
    const auto lines = BuildMonthShabbatLines(Date(2026, 2, 1), empty);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].date, Date(2026, 2, 7));
    EXPECT_TRUE(lines[0].portions.empty());
    CalendarItem item;
    EXPECT_FALSE(BuildPortionAppointment(lines[0], {}, item));
    EXPECT_FALSE(BuildPortionAppointment({Date::FromSerial(45000), {{" ", "T", "H", "B"}}}, {}, item));
}

TEST(ReadingTexts, MatchesOnlyWholeReferencesWherePassagesBegin) {
    const std::string text =
        "Leviticus 23:1-44 all forty-four|Leviticus 23:1-4 the first four, see Genesis 1:1-5 below|"
        "Genesis 1:1-5 creation|Exodus 1:1 unterminated";
    EXPECT_EQ(FindPassage(text, "Leviticus 23:1-4"), "Leviticus 23:1-4 the first four, see Genesis 1:1-5 below");
    EXPECT_EQ(FindPassage(text, "Leviticus 23:1-44"), "Leviticus 23:1-44 all forty-four");
    EXPECT_EQ(FindPassage(text, "Genesis 1:1-5"), "Genesis 1:1-5 creation");
    EXPECT_EQ(FindPassage(text, "Exodus 1:1"), "");  // no "|" ends it
    EXPECT_EQ(FindPassage(text, "Genesis 1:1"), "");
    EXPECT_EQ(FindPassage(text, ""), "");
    // A portion with a maftir: the longest known runs of its parts, in order.
    const std::string joined = "Genesis 1:1-5; Leviticus 23:1-4 two|Genesis 1:1-5 creation|Leviticus 23:1-4 four|";
    EXPECT_EQ(ReadingText(joined, "Genesis 1:1-5; Leviticus 23:1-4"), "Genesis 1:1-5; Leviticus 23:1-4 two");
    EXPECT_EQ(ReadingText(joined, "Genesis 1:1-5; Exodus 1:1; Leviticus 23:1-4"),
              "Genesis 1:1-5 creation Leviticus 23:1-4 four");
    EXPECT_EQ(ReadingText(joined, ""), "");
}

TEST(ReadingTexts, AMissingTorahFileIsCopiedFromItsBackupWhichStays) {
    TempFolder folder;
    folder.Write("torah.bak", "Genesis 1:1-5 text|");
    const ReadingTexts texts = LoadReadingTexts(folder.Path());
    EXPECT_EQ(texts.torah, "Genesis 1:1-5 text|");
    EXPECT_EQ(texts.haftarah, "");
    EXPECT_TRUE(FileExists(folder.File("torah.dat")));
    EXPECT_TRUE(FileExists(folder.File("torah.bak")));
}

TEST(PortionAppointment, JoinedPortionCarriesBothPassagesAndReferences) {
    ShabbatLine line{Date(2024, 8, 3), {{"Matot", "T1", "H1", "B1"}, {"Masei", "T2", "H2", "B2"}}};
    ReadingTexts texts{"T1 first torah|T2 second torah|", "H1 first haftarah|H2 second haftarah|"};
    CalendarItem item;
    ASSERT_TRUE(BuildPortionAppointment(line, texts, item));
    EXPECT_EQ(item.subject, "\xC2\xABMatot/Masei\xC2\xBB");
    EXPECT_EQ(DateOfPortionUid(item.uid), Date(2024, 8, 3));
    EXPECT_EQ(item.body, "Matot T1 first torah\r\nMasei T2 second torah\r\nH1 first haftarah\r\n\r\nH2 second haftarah");
    EXPECT_EQ(item.location, "T1 H1; T2 H2");
    EXPECT_EQ(item.uid, "varnel-portion-20240803@varnel");
    // Unfound passages leave the name and the line break: a body is still written.
    line = {Date::FromSerial(45000), {{"Bereshit", "X", "Y", "Z"}}};
    ASSERT_TRUE(BuildPortionAppointment(line, texts, item));
    EXPECT_EQ(item.body, "Bereshit \r\n");
}

// The user's own calendar: a recurring event, one in a time zone with X-
// properties, an unmarked event in the month and a marked one in another month.
const char* kUserCalendar =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Someone//Their Calendar//EN\r\nX-WR-CALNAME:Mine\r\n"
    "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\nBEGIN:STANDARD\r\nDTSTART:19701101T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nEND:STANDARD\r\n"
    "BEGIN:DAYLIGHT\r\nDTSTART:19700308T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\n"
    "TZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n"
    "BEGIN:VEVENT\r\nUID:weekly@me\r\nDTSTAMP:20260101T000000Z\r\nDTSTART;TZID=America/New_York:20260105T090000\r\n"
    "RRULE:FREQ=WEEKLY\r\nSUMMARY:Standup\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:dentist@me\r\nDTSTAMP:20260101T000000Z\r\nDTSTART;TZID=America/New_York:20260212T140000\r\n"
    "SUMMARY:Dentist\r\nX-MY-FLAG:keep me\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:march@me\r\nDTSTAMP:20260101T000000Z\r\nDTSTART;VALUE=DATE:20260307\r\n"
    "SUMMARY:\xC2\xABMy own note\xC2\xBB\r\nEND:VEVENT\r\n"
    "END:VCALENDAR\r\n";

std::vector<CalendarEntry> EventsOf(const std::string& text) {
    std::vector<CalendarEntry> events;
    EXPECT_TRUE(ReadICalendarEvents(text, kPortionExport, events));
    return events;
}

TEST(IcsFileCalendar, ExportingTwiceKeepsOneSetAndEverythingElse) {
    TempFolder folder;
    const std::string path = folder.Write("mine.ics", kUserCalendar);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    // The second export goes through a link to the file: the file is changed, the link stays.
    const std::string link = folder.File("link.ics");
    fs::create_symlink(path, link);
    const Date feb = Date(2026, 2, 1);
    const auto lines = BuildMonthShabbatLines(feb, YearTable(2026));
    for (int run = 0; run < 2; ++run) {
        IcsFileCalendar calendar(run == 0 ? path : link, kPortionExport);
        NoProgress progress;
        const ExportReport report = ExportToCalendar(calendar, feb, lines, VARNEL_SOURCE_DATA, progress);
        EXPECT_TRUE(report.Complete()) << ExportSummary(report);
        EXPECT_EQ(report.written.size(), 4u);
        EXPECT_TRUE(report.deleted.empty());
        for (const ExportedItem& w : report.written) EXPECT_EQ(w.replaced, run == 1);
    }
    const std::string text = folder.Read("mine.ics");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(folder.Read("link.ics"), text);
    EXPECT_EQ(EventsOf(text).size(), 7u);  // the user's three, byte for byte: the file edit's tests
    EXPECT_EQ(text.find("BEGIN:VALARM"), std::string::npos);
    EXPECT_NE(text.find("UID:varnel-portion-20260207@varnel\r\n"), std::string::npos);
    EXPECT_NE(text.find("DTSTART;VALUE=DATE:20260207\r\nDTEND;VALUE=DATE:20260208\r\nTRANSP:OPAQUE\r\n"),
              std::string::npos);
}

TEST(CalendarAddress, OnlyHttpReachesAServerAndNoPasswordIsRepeated) {
    struct Case {
        const char* text;
        AddressKind kind;
        const char* shown;
    };
    const Case cases[] = {
        {"portions.ics", AddressKind::File, "portions.ics"},
        {"notes:2026.ics", AddressKind::File, "notes:2026.ics"},  // a file name with a colon
        {"c://x.ics", AddressKind::File, "c://x.ics"},
        {"https://cal.example/u/home/", AddressKind::Server, "https://cal.example/u/home/"},
        {"HTTP://127.0.0.1:5232/u/", AddressKind::Server, "http://127.0.0.1:5232/u/"},
        {"webcal://host/cal/x.ics", AddressKind::Webcal, "webcal://host/cal/x.ics"},
        {"ftp://bob:pw@host/cal/", AddressKind::OtherScheme, "ftp://host/cal/"},
        {"file:///tmp/x.ics", AddressKind::OtherScheme, "file:///tmp/x.ics"},
        {"http://bob:pw@host/", AddressKind::UserInfo, "http://host/"},
        {"https://bob@host/cal?x=a@b", AddressKind::UserInfo, "https://host/cal?x=a@b"},
    };
    for (const Case& c : cases) {
        const CalendarAddress a = ClassifyCalendarAddress(c.text);
        EXPECT_EQ(a.kind, c.kind) << c.text;
        EXPECT_EQ(a.shown, c.shown) << c.text;
        const std::string refusal = AddressRefusal(a);
        EXPECT_EQ(refusal.empty(), c.kind == AddressKind::File || c.kind == AddressKind::Server) << c.text;
        EXPECT_EQ(refusal.find("pw"), std::string::npos) << refusal;
        EXPECT_EQ(refusal.find("bob"), std::string::npos) << refusal;
    }
    EXPECT_EQ(ClassifyCalendarAddress("webcal://host/cal/x.ics").suggestion, "https://host/cal/x.ics");
}

// Ours is what carries our UID and mark, or exactly what the export wrote
// before it marked its items; never what merely starts with a guillemet.
TEST(ExportIdentity, ItemsAreKnownByUidAndMarkNotByTitle) {
    CalendarItem terumah;
    terumah.date = Date(2026, 2, 7);
    terumah.uid = PortionUid(terumah.date);
    terumah.subject = "\xC2\xABTerumah\xC2\xBB";
    const std::string ours = ICalendarObjectText(kPortionExport, terumah);
    EXPECT_NE(ours.find("X-VARNEL-EXPORT:portions\r\n"), std::string::npos);
    const std::string legacy = "BEGIN:VEVENT\r\nUID:varnel-portion-20260214@varnel\r\nDTSTAMP:20250101T000000Z\r\n"
                               "SUMMARY:\xC2\xABTetzaveh\xC2\xBB\r\nDTSTART;VALUE=DATE:20260214\r\n"
                               "DTEND;VALUE=DATE:20260215\r\nTRANSP:OPAQUE\r\nEND:VEVENT\r\n";
    std::string text = "begin:vcalendar\r\nversion:2.0\r\n" + ours.substr(ours.find("BEGIN:VEVENT"));
    text.erase(text.rfind("END:VCALENDAR"));
    text += legacy;
    // The same, with a reminder the user added: theirs now.
    text += std::string(legacy).insert(legacy.find("END:VEVENT"), "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT1H\r\nEND:VALARM\r\n");
    text += "begin:vevent\r\nuid:VARNEL-PORTION-20260221@VARNEL\r\nsummary:Mine\r\ndtstart;value=date:20260221\r\nend:vevent\r\n";
    text += "BEGIN:VEVENT\r\nUID:note@me\r\nSUMMARY:\xC2\xABMy note\xC2\xBB\r\nX-VARNEL-EXPORT:portions\r\n"
            "DTSTART;VALUE=DATE:20260207\r\nRRULE:FREQ=WEEKLY\r\nEND:VEVENT\r\nend:vcalendar\r\n";
    const std::vector<CalendarEntry> events = EventsOf(text);
    ASSERT_EQ(events.size(), 5u);
    const Ownership expected[] = {Ownership::Ours, Ownership::Ours, Ownership::UserWithOurUid, Ownership::UserWithOurUid,
                                  Ownership::User};
    for (size_t i = 0; i < events.size(); ++i) EXPECT_EQ(events[i].owner, expected[i]) << events[i].uid;
    EXPECT_EQ(DateOfPortionUid("varnel-portion-20260230@varnel"), std::nullopt);
    EXPECT_EQ(DateOfPortionUid("varnel-portion-2026021@varnel"), std::nullopt);
    EXPECT_EQ(DateOfPortionUid(PortionUid(Date(9999, 12, 25))), Date(9999, 12, 25));
}

TEST(IcsFileCalendar, RefusesWhatIsNotICalendarAndLeavesItUntouched) {
    TempFolder folder;
    NoProgress progress;  // other texts than a calendar: the file edit's tests
    IcsFileCalendar folderAsFile(folder.Path(), kPortionExport);
    std::string error;
    EXPECT_FALSE(folderAsFile.Open(error));
    // Dates libical cannot write are reported as failures, never written as zeros.
    for (const int year : {3000, 3001}) {
        const Date dec = Date(year, 12, 1);
        IcsFileCalendar late(folder.File("late.ics"), kPortionExport);
        const ExportReport r = ExportToCalendar(late, dec, BuildMonthShabbatLines(dec, YearTable(year)), VARNEL_SOURCE_DATA, progress);
        EXPECT_EQ(r.Complete(), year == 3000) << ExportSummary(r);
        EXPECT_EQ(r.written.empty(), year == 3001);
    }
    EXPECT_EQ(folder.Read("late.ics").find("00000000"), std::string::npos);
}

TEST(IcsFileCalendar, CancelStopsBetweenItemsAndTheFileStaysValid) {
    TempFolder folder;
    const Date feb = Date(2026, 2, 1);
    IcsFileCalendar calendar(folder.File("Export/portions.ics"), kPortionExport);
    NoProgress progress;
    progress.cancelAfter = 2;  // two items written, then the user cancels
    const ExportReport report =
        ExportToCalendar(calendar, feb, BuildMonthShabbatLines(feb, YearTable(2026)), VARNEL_SOURCE_DATA, progress);
    EXPECT_TRUE(report.cancelled);
    EXPECT_FALSE(report.Complete());
    EXPECT_EQ(report.written.size(), 2u);
    EXPECT_EQ(EventsOf(folder.Read("Export/portions.ics")).size(), 2u);
    EXPECT_NE(ExportSummary(report).find("cancelled"), std::string::npos);
}

// Every reference of the data finds its passage, and the passage holds the
// verses of the reference, numbered as the reference numbers them.
TEST(ReadingTextData, EveryReferenceFindsExactlyItsVerses) {
    const ReadingTexts texts = LoadReadingTexts(VARNEL_SOURCE_DATA);
    const std::regex range(R"(^(.+?) (\d+):(\d+)(?:-(?:(\d+):)?(\d+))?$)");
    const std::regex marker(R"(\((\d+):(\d+)\))");
    int checked = 0;
    for (const char* file : {kParashahFile, kHolyDayFile}) {
        std::ifstream in(PathIn(VARNEL_SOURCE_DATA, file));
        for (std::string row; std::getline(in, row);) {
            const bool torah = row.rfind("torah=", 0) == 0 || row.rfind("maftir=", 0) == 0;
            if (!torah && row.rfind("haftarah=", 0) != 0) continue;
            const std::string ref = row.substr(row.find('=') + 1);
            if (ref.empty() || ref == kWeeklyPortion) continue;
            const std::string_view passage = FindPassage(torah ? texts.torah : texts.haftarah, ref);
            ASSERT_GT(passage.size(), ref.size() + 20) << ref;
            std::vector<std::pair<int, int>> found;
            const std::string body(passage.substr(ref.size()));
            for (std::sregex_iterator m(body.begin(), body.end(), marker), end; m != end; ++m)
                found.emplace_back(std::stoi((*m)[1]), std::stoi((*m)[2]));
            size_t at = 0;
            for (size_t start = 0; start < ref.size();) {
                size_t semi = ref.find("; ", start);
                const std::string part = ref.substr(start, semi == std::string::npos ? std::string::npos : semi - start);
                start = semi == std::string::npos ? ref.size() : semi + 2;
                std::smatch m;
                ASSERT_TRUE(std::regex_match(part, m, range)) << part;
                const std::pair<int, int> first{std::stoi(m[2]), std::stoi(m[3])};
                const std::pair<int, int> last{m[4].matched ? std::stoi(m[4]) : first.first,
                                               m[5].matched ? std::stoi(m[5]) : first.second};
                ASSERT_LT(at, found.size()) << ref;
                EXPECT_EQ(found[at], first) << ref;
                // Verses follow one another; a chapter ends only to start the next at verse 1.
                for (; at + 1 < found.size() && found[at] != last; ++at) {
                    const auto [c, v] = found[at];
                    const auto next = found[at + 1];
                    EXPECT_TRUE(next == std::make_pair(c, v + 1) || next == std::make_pair(c + 1, 1)) << ref << " " << c << ":" << v;
                }
                EXPECT_EQ(found[at], last) << ref;
                ++at;
            }
            EXPECT_EQ(at, found.size()) << ref;
            ++checked;
        }
    }
    EXPECT_GT(checked, 150);
}

TEST(ReadingTextData, VersesNumberedDifferentlyInEnglishAreMapped) {
    const ReadingTexts t = LoadReadingTexts(VARNEL_SOURCE_DATA);
    auto contains = [](std::string_view passage, const char* words) { return passage.find(words) != std::string_view::npos; };
    // Malachi 3:19-24 is 4:1-6 in English.
    const auto malachi = FindPassage(t.haftarah, "Malachi 3:4-24");
    EXPECT_TRUE(contains(malachi, "(3:19) \xE2\x80\x9C" "For behold, the day comes, burning like a furnace"));
    EXPECT_TRUE(contains(malachi, "(3:24) He will turn the hearts of the fathers"));
    // Numbers 25:19 opens the English 26:1; 30:1 is the English 29:40.
    const auto pinchas = FindPassage(t.torah, "Numbers 25:10-30:1");
    EXPECT_TRUE(contains(pinchas, "(25:19) After the plague"));
    EXPECT_TRUE(contains(pinchas, "(30:1) Moses told the children of Israel"));
    // Deuteronomy 13:1 is the English 12:32.
    EXPECT_TRUE(contains(FindPassage(t.torah, "Deuteronomy 11:26-16:17"), "(13:1) Whatever thing I command you"));
    // Hosea 14:2 is the English 14:1; Micah 5:6 the English 5:7.
    EXPECT_TRUE(contains(FindPassage(t.haftarah, "Hosea 14:2-10; Joel 2:15-27"), "(14:2) Israel, return to Yahweh"));
    EXPECT_TRUE(contains(FindPassage(t.haftarah, "Micah 5:6-6:8"), "(5:6) The remnant of Jacob"));
    // Genesis 32:1 is the English 31:55; Leviticus 5:26 the English 6:7; Exodus 22:24 the English 22:25.
    const auto vayetze = FindPassage(t.torah, "Genesis 28:10-32:3");
    EXPECT_TRUE(contains(vayetze, "(32:1) Early in the morning, Laban rose up"));
    EXPECT_TRUE(contains(vayetze, "(32:3) When he saw them, Jacob said"));
    EXPECT_TRUE(contains(FindPassage(t.torah, "Leviticus 1:1-5:26"), "(5:26) The priest shall make atonement for him"));
    EXPECT_TRUE(contains(FindPassage(t.torah, "Exodus 22:24-23:19; Numbers 28:19-25"), "(22:24) \xE2\x80\x9CIf you lend money"));
    // Isaiah 9:5 is the English 9:6; 1 Kings 5:26 the English 5:12.
    EXPECT_TRUE(contains(FindPassage(t.haftarah, "Isaiah 6:1-7:6; Isaiah 9:5-6"), "(9:5) For a child is born to us"));
    EXPECT_TRUE(contains(FindPassage(t.haftarah, "1 Kings 5:26-6:13"), "(5:26) Yahweh gave Solomon wisdom"));
    // The Torah file's backup is the same text.
    std::string backup;
    ASSERT_TRUE(ReadWholeFile(PathIn(VARNEL_SOURCE_DATA, "torah.bak"), backup));
    EXPECT_EQ(backup, t.torah);
}

}  // namespace
}  // namespace varnel
