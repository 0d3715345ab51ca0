// The export edits the user's .ics instead of rewriting it: everything outside
// its own items comes back byte for byte, whatever libical would make of it;
// items are known by UID and mark, never by title; a file that cannot be split
// safely is refused; and the read-change-write survives another writer and
// keeps hard links and owners.
#include <gtest/gtest.h>

#include <filesystem>
#include <fcntl.h>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

#include "core/appointments/ExportToCalendar.h"
#include "core/appointments/ICalendarItems.h"
#include "core/appointments/IcsFileCalendar.h"
#include "core/appointments/ShabbatLines.h"
#include "core/calendar/YearCalendar.h"
#include "core/common/Date.h"
#include "core/common/FileUpdate.h"
#include "TempFolder.h"

namespace varnel {
namespace {

using testing::TempFolder;
namespace fs = std::filesystem;

class Quiet : public ExportProgress {
public:
    void SetAction(const std::string&) override {}
    void SetDetail(const std::string&) override {}
};

ExportReport ExportFebruary2026(const std::string& path) {
    static const CalendarData data = LoadCalendarData(VARNEL_SOURCE_DATA);
    const Date feb(2026, 2, 1);
    IcsFileCalendar calendar(path, kPortionExport);
    Quiet progress;
    return ExportToCalendar(calendar, feb, BuildMonthShabbatLines(feb, BuildYear(2026, data).parashot),
                            VARNEL_SOURCE_DATA, progress);
}

// What libical does not give back as written: an unknown component, VLOCATION
// and PARTICIPANT inside an event, folding, escapes in X- values, a value it
// cannot parse, lower-case names, a « title on a weekly series in the month, a
// user's item holding our UID, and an item the export wrote before it marked them.
const char* kRichCalendar =
    "BEGIN:VCALENDAR\n"
    "VERSION:2.0\n"
    "PRODID:-//Someone//Theirs//EN\n"
    "X-WR-CALNAME:Mine\\, with a comma\n"
    "BEGIN:X-MY-THING\nX-FOO:bar\nEND:X-MY-THING\n"
    "BEGIN:VEVENT\nUID:meeting@me\nDTSTAMP:20260101T000000Z\nDTSTART:20260210T090000Z\n"
    "SUMMARY:A long summary that was folded\n  over two lines\n"
    "X-ESCAPED:a\\,b\\;c\\\\d\nDTEND:not-a-date\n"
    "BEGIN:VLOCATION\nUID:loc1\nNAME:Room 5\nEND:VLOCATION\n"
    "BEGIN:PARTICIPANT\nUID:p1\nPARTICIPANT-TYPE:ACTIVE\nEND:PARTICIPANT\nEND:VEVENT\n"
    "BEGIN:VEVENT\nUID:walk@me\nDTSTART;VALUE=DATE:20260207\nRRULE:FREQ=WEEKLY\n"
    "summary:\xC2\xABShabbat walk\xC2\xBB\nEND:VEVENT\n"
    "begin:vevent\nuid:varnel-portion-20260214@varnel\nsummary:My own copy\ndtstart;value=date:20260214\nend:vevent\n"
    "BEGIN:VEVENT\nUID:varnel-portion-20260221@varnel\nDTSTAMP:20250101T000000Z\nSUMMARY:\xC2\xABOld\xC2\xBB\n"
    "DTSTART;VALUE=DATE:20260221\nDTEND;VALUE=DATE:20260222\nTRANSP:OPAQUE\nEND:VEVENT\n"
    "END:VCALENDAR\n";

// The text without the export's items, found by their mark, with the line end given.
std::string WithoutOurs(const std::string& text) {
    static const std::regex ours("BEGIN:VEVENT\r?\n(?:(?!END:VEVENT)[^])*?X-VARNEL-EXPORT:portions\r?\n[^]*?END:VEVENT\r?\n");
    return std::regex_replace(text, ours, "");
}

TEST(IcsFileEdit, EverythingOutsideOurItemsComesBackByteForByte) {
    for (const bool crlf : {false, true}) {
        std::string user = kRichCalendar;
        if (crlf) user = std::regex_replace(user, std::regex("\n"), "\r\n");
        const std::string legacy = crlf ? "BEGIN:VEVENT\r\nUID:varnel-portion-20260221" : "BEGIN:VEVENT\nUID:varnel-portion-20260221";
        const std::string userWithoutLegacy =
            user.substr(0, user.find(legacy)) + user.substr(user.find(crlf ? "END:VCALENDAR\r\n" : "END:VCALENDAR\n"));
        TempFolder folder;
        const std::string path = folder.Write("mine.ics", user);
        for (int run = 0; run < 2; ++run) {
            const ExportReport report = ExportFebruary2026(path);
            EXPECT_EQ(report.written.size(), 3u) << ExportSummary(report);
            ASSERT_EQ(report.failed.size(), 1u);                    // the 14th: the user's copy holds its UID
            EXPECT_EQ(report.failed[0].date, Date(2026, 2, 14));
            EXPECT_FALSE(report.Complete());
            const std::string text = folder.Read("mine.ics");
            EXPECT_EQ(WithoutOurs(text), userWithoutLegacy) << "crlf " << crlf << " run " << run;
            EXPECT_EQ(text.find('\r') != std::string::npos, crlf);
            std::vector<CalendarEntry> events;
            ASSERT_TRUE(ReadICalendarEvents(text, kPortionExport, events));
            std::vector<Date> ours;
            for (const CalendarEntry& e : events)
                if (e.owner == Ownership::Ours && e.start) ours.push_back(*e.start);
            EXPECT_EQ(ours, (std::vector<Date>{Date(2026, 2, 7), Date(2026, 2, 21), Date(2026, 2, 28)}));
        }
    }
}

TEST(IcsFileEdit, AFileThatCannotBeSplitSafelyIsRefusedAndLeftAlone) {
    const std::pair<const char*, const char*> cases[] = {
        {"just my notes\n", "line 1 stands outside the calendar"},
        {"BEGIN:VCARD\nFN:Someone\nEND:VCARD\n", "begins \"vcard\" outside the calendar"},
        {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:x\r\nEND:VCALENDAR\r\n", "line 4 ends \"vcalendar\" where \"vevent\" of line 2 is open"},
        {"BEGIN:VCALENDAR\nEND:VCALENDAR\nBEGIN:VCALENDAR\nEND:VCALENDAR\n", "more than one calendar"},
        {"BEGIN:VCALENDAR\nEND:VCALENDAR\nX-STRAY:1\n", "line 3 stands outside the calendar"},
        {"BEGIN:VCALENDAR\nBEGIN:VEVENT\n", "\"vevent\" of line 2 is never ended"},
        {"BEGIN:VCALENDAR\rVERSION:2.0\rEND:VCALENDAR\r", "outside the calendar"},  // bare CR line ends
    };
    TempFolder folder;
    for (const auto& [text, why] : cases) {
        const std::string path = folder.Write("odd.ics", text);
        const ExportReport report = ExportFebruary2026(path);
        EXPECT_NE(report.openError.find(why), std::string::npos) << report.openError;
        EXPECT_EQ(folder.Read("odd.ics"), text);
    }
    // A lower-case calendar is a calendar.
    EXPECT_TRUE(ExportFebruary2026(folder.Write("lower.ics", "begin:vcalendar\nversion:2.0\nend:vcalendar\n")).Complete());
    // Larger than the limit: the message names it.
    const std::string big = folder.Write("big.ics", std::string(kDataFileSizeLimit + 1, 'x'));
    EXPECT_NE(ExportFebruary2026(big).openError.find("larger than 8 MB"), std::string::npos);
}

TEST(FileUpdate, AnotherWriterBetweenReadAndWriteIsNeverOverwritten) {
    TempFolder folder;
    const std::string path = folder.Write("list.txt", "a\n");
    std::string error;
    int calls = 0;
    // The first time, another program appends while we change: our change is redone on its text.
    EXPECT_TRUE(UpdateFile(path, [&](const std::string& now, std::string& out, std::string&) {
        if (++calls == 1) folder.Write("list.txt", now + "theirs\n");
        out = now + "ours\n";
        return true;
    }, error)) << error;
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(folder.Read("list.txt"), "a\ntheirs\nours\n");
    // A writer that never stops: we give up, and its text stays.
    EXPECT_FALSE(UpdateFile(path, [&](const std::string& now, std::string& out, std::string&) {
        folder.Write("list.txt", now + "x");
        out = "ours";
        return true;
    }, error));
    EXPECT_NE(error.find("another program kept changing it"), std::string::npos);
    EXPECT_EQ(folder.Read("list.txt").find("ours"), folder.Read("list.txt").rfind("ours"));
    // Same size, same second: only the bytes tell.
    FileUpdate update(path);
    std::string text;
    ASSERT_TRUE(update.Read(text).ok());
    struct stat before;
    ::stat(path.c_str(), &before);
    std::string swapped = text;
    swapped[0] = swapped[0] == 'a' ? 'b' : 'a';
    folder.Write("list.txt", swapped);
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
    EXPECT_EQ(update.Write("mine", error), FileUpdate::Outcome::Changed);
    EXPECT_EQ(folder.Read("list.txt"), swapped);
}

TEST(FileUpdate, HardLinksOwnersAndModesAreKept) {
    TempFolder folder;
    const std::string path = folder.Write("mine.ics", "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n");
    const std::string other = folder.File("other-name.ics");
    fs::create_hard_link(path, other);
    ::chmod(path.c_str(), 0640);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);  // another user's file, which root may change
    }
    struct stat before;
    ::stat(path.c_str(), &before);
    EXPECT_TRUE(ExportFebruary2026(path).Complete());
    struct stat after;
    ::stat(path.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);  // written through its own inode
    EXPECT_EQ(after.st_nlink, 2u);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(folder.Read("other-name.ics"), folder.Read("mine.ics"));
    EXPECT_NE(folder.Read("other-name.ics").find("X-VARNEL-EXPORT:portions"), std::string::npos);
    for (const fs::directory_entry& e : fs::directory_iterator(folder.Path()))
        EXPECT_EQ(e.path().filename().string().find(".tmp-"), std::string::npos);  // no copy left behind
}

}  // namespace
}  // namespace varnel
