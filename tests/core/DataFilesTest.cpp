// The data files and their backups: what is restored, what is read around and
// left alone, what is refused, and what the report says about each.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "PlacedDays.h"
#include "TempFolder.h"
#include "core/calendar/DataFileCheck.h"
#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"
#include "core/common/DataFile.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/common/Profile.h"
#include "core/common/TextDecoding.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using Level = DataFileProblem::Level;

const std::string kPurim = "[HolyDay1]\r\nname=Purim\r\nhebrewmonth=-7\r\nhebrewday=14\r\n";
const std::string kPesach = "[HolyDay1]\nname=Pesach\nhebrewmonth=-6\nhebrewday=15\n";

struct Loaded {
    HolyDayTable table;
    DataFileReport report;
};

Loaded Load(const TempFolder& dir) {
    Loaded l;
    LoadHolyDays(dir.File("holydays.dat"), l.table, l.report);
    return l;
}

// Runs fn in a child process as an ordinary user (nobody when the tests run as
// root, who may read any file), so that permissions hold; returns its status.
int AsOrdinaryUser(const std::function<int()>& fn) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(90);
        ::_exit(fn());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

void GiveToOrdinaryUser(const std::string& path) {
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    }
}

TEST(DataFiles, AnUnreadableDataFileIsNeverOverwrittenByItsBackup) {
    TempFolder dir;
    dir.Write("holydays.dat", kPesach);
    dir.Write("holydays.bak", kPurim);
    GiveToOrdinaryUser(dir.Path());
    GiveToOrdinaryUser(dir.File("holydays.dat"));
    ::chmod(dir.File("holydays.dat").c_str(), 0);
    const int status = AsOrdinaryUser([&] {
        const Loaded l = Load(dir);
        const bool readBackup = l.table[1].name == "Purim";
        const bool warned = l.report.problems.size() == 1 && l.report.problems[0].level == Level::Warning &&
                            l.report.Text().find("Permission denied") != std::string::npos;
        // The profile writer refuses too, rather than start the file afresh.
        const bool refused = !WriteProfileString("HolyDay1", "name", "x", dir.File("holydays.dat"));
        return readBackup && warned && refused ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    ::chmod(dir.File("holydays.dat").c_str(), 0644);
    EXPECT_EQ(dir.Read("holydays.dat"), kPesach);
}

TEST(DataFiles, LinksAreFollowedForReadingAndNeverReplaced) {
    TempFolder dir;
    dir.Write("holydays.bak", kPurim);
    // A link to a file on a drive that is not mounted now.
    fs::create_symlink(dir.File("unmounted/holydays.dat"), dir.File("holydays.dat"));
    Loaded l = Load(dir);
    EXPECT_EQ(l.table[1].name, "Purim");
    EXPECT_TRUE(fs::is_symlink(dir.File("holydays.dat")));
    ASSERT_EQ(l.report.problems.size(), 1u);
    EXPECT_NE(l.report.Text().find("unmounted/holydays.dat"), std::string::npos) << l.report.Text();
    EXPECT_FALSE(RestoreFromBackup(dir.File("holydays.dat")));
    EXPECT_FALSE(WriteProfileString("HolyDay1", "name", "x", dir.File("holydays.dat")));
    EXPECT_TRUE(fs::is_symlink(dir.File("holydays.dat")));

    // A working link is read, and a write goes to its target, keeping the link.
    fs::remove(dir.File("holydays.dat"));
    fs::create_directory(dir.File("elsewhere"));
    dir.Write("elsewhere/mine.dat", kPesach);
    fs::create_symlink(dir.File("elsewhere/mine.dat"), dir.File("holydays.dat"));
    l = Load(dir);
    EXPECT_EQ(l.table[1].name, "Pesach");
    EXPECT_TRUE(l.report.Empty());
    ASSERT_TRUE(WriteProfileString("HolyDay1", "englishname", "Passover", dir.File("holydays.dat")));
    EXPECT_TRUE(fs::is_symlink(dir.File("holydays.dat")));
    EXPECT_NE(dir.Read("elsewhere/mine.dat").find("englishname=Passover"), std::string::npos);
}

TEST(DataFiles, TheTemporaryFileOfAWriteIsNeverOpenedThroughAPlantedLink) {
    TempFolder dir;
    const std::string victim = dir.Write("victim", "precious");
    const std::string target = dir.Write("resources.dat", "[Pesach]\nFile1=a\n");
    // Links planted at the first temporary names this process would use.
    for (int attempt = 0; attempt < 10; ++attempt)
        fs::create_symlink(victim, target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(attempt));
    ASSERT_TRUE(WriteProfileString("Pesach", "File2", "b", target));
    EXPECT_EQ(dir.Read("victim"), "precious");
    EXPECT_EQ(dir.Read("resources.dat"), "[Pesach]\nFile1=a\nFile2=b\n");
    // The file keeps its permissions across the replacement.
    ::chmod(target.c_str(), 0600);
    ASSERT_TRUE(WriteProfileString("Pesach", "File3", "c", target));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::mask, fs::perms::owner_read | fs::perms::owner_write);
}

TEST(DataFiles, OnlyRegularFilesOfAReasonableSizeAreRead) {
    TempFolder dir;
    dir.Write("holydays.bak", kPurim);
    std::string text;
    // A FIFO would block an ordinary open until a writer comes; /dev/zero never ends.
    ASSERT_EQ(::mkfifo(dir.File("holydays.dat").c_str(), 0600), 0);
    EXPECT_EQ(ReadRegularFile(dir.File("holydays.dat"), text).status, FileStatus::NotRegular);
    Loaded l = Load(dir);
    EXPECT_EQ(l.table[1].name, "Purim");
    EXPECT_NE(l.report.Text().find("not a regular file"), std::string::npos);
    EXPECT_FALSE(WriteProfileString("HolyDay1", "name", "x", dir.File("holydays.dat")));
    fs::remove(dir.File("holydays.dat"));

    fs::create_symlink("/dev/zero", dir.File("holydays.dat"));
    EXPECT_EQ(ReadRegularFile(dir.File("holydays.dat"), text).status, FileStatus::NotRegular);
    EXPECT_EQ(Load(dir).table[1].name, "Purim");
    fs::remove(dir.File("holydays.dat"));

    fs::create_directory(dir.File("holydays.dat"));
    EXPECT_FALSE(FileExists(dir.File("holydays.dat")));
    EXPECT_FALSE(RestoreFromBackup(dir.File("holydays.dat")));
    EXPECT_TRUE(fs::is_directory(dir.File("holydays.dat")));
    fs::remove(dir.File("holydays.dat"));

    const std::string big = dir.Write("holydays.dat", kPesach);
    fs::resize_file(big, kDataFileSizeLimit + 1);  // sparse: no real disk use
    EXPECT_EQ(ReadRegularFile(big, text).status, FileStatus::TooLarge);
    l = Load(dir);
    EXPECT_EQ(l.table[1].name, "Purim");
    EXPECT_NE(l.report.Text().find("larger than 8 MB"), std::string::npos);
    EXPECT_EQ(fs::file_size(big), kDataFileSizeLimit + 1);
    fs::resize_file(big, kDataFileSizeLimit);
    EXPECT_TRUE(ReadRegularFile(big, text).ok());
}

TEST(DataFiles, AnUnusableDataFileIsReadAroundThroughItsBackupAndLeftAsItIs) {
    std::string random;
    for (int i = 0; i < 2500; ++i) random += static_cast<char>((i * 7919 + 13) % 256);
    std::string utf16;  // UTF-16 without a byte-order mark
    for (char c : kPesach) utf16 += std::string{c, '\0'};
    const std::pair<const char*, std::string> cases[] = {
        {"is empty", ""},
        {"holds no holy days", random},
        {"holds no holy days", utf16},
        {"holds no holy days", kPesach.substr(0, 14)},  // cut short in its first record
        {"holds no holy days", "[Other]\nname=x\n"},
    };
    for (const auto& [reason, content] : cases) {
        TempFolder dir;
        dir.Write("holydays.dat", content);
        dir.Write("holydays.bak", kPurim);
        const Loaded l = Load(dir);
        EXPECT_EQ(l.table[1].name, "Purim") << reason;
        EXPECT_EQ(dir.Read("holydays.dat"), content) << reason;
        ASSERT_EQ(l.report.problems.size(), 1u) << reason;
        EXPECT_EQ(l.report.problems[0].level, Level::Warning);
        EXPECT_NE(l.report.Text().find(reason), std::string::npos) << l.report.Text();
        EXPECT_NE(l.report.Text().find("holydays.bak is read instead"), std::string::npos);

        // Without a usable backup the report says that nothing could be read.
        dir.Write("holydays.bak", content);
        const Loaded none = Load(dir);
        EXPECT_EQ(none.table[1].name, "");
        EXPECT_TRUE(none.report.HasErrors()) << reason;
        EXPECT_NE(none.report.Text().find("shows no holy days"), std::string::npos);
    }
}

TEST(DataFiles, AMissingFileIsRestoredOnceOrReadFromTheBackupInAReadOnlyFolder) {
    TempFolder dir;
    dir.Write("holydays.bak", kPurim);
    DataFileReport report = CheckDataFiles(dir.Path());
    EXPECT_EQ(dir.Read("holydays.dat"), kPurim);
    // The restore is noted; the portion file, absent in both forms, is left to
    // the callers' own message about files missing from the folder.
    ASSERT_EQ(report.problems.size(), 1u) << report.Text();
    EXPECT_EQ(report.problems[0].level, Level::Notice);
    EXPECT_TRUE(Load(dir).report.Empty());  // restored: nothing more to say

    TempFolder readOnly;
    readOnly.Write("holydays.bak", kPurim);
    GiveToOrdinaryUser(readOnly.Path());
    ::chmod(readOnly.Path().c_str(), 0555);
    const int status = AsOrdinaryUser([&] {
        const Loaded l = Load(readOnly);
        return l.table[1].name == "Purim" && l.report.problems.size() == 1 &&
                       l.report.problems[0].level == Level::Warning && !fs::exists(readOnly.File("holydays.dat"))
                   ? 0
                   : 1;
    });
    EXPECT_EQ(status, 0);
    ::chmod(readOnly.Path().c_str(), 0755);
}

TEST(DataFiles, Utf16WithAByteOrderMarkIsReadAsSuch) {
    const std::string text = "[HolyDay1]\r\nname=Sh\xC4\x81vu\xC3\xB4t \xF0\x9F\x8C\xBE\r\nhebrewmonth=-4\r\nhebrewday=6\r\n";
    const std::u16string units = u"[HolyDay1]\r\nname=Sh\u0101vu\u00F4t \U0001F33E\r\nhebrewmonth=-4\r\nhebrewday=6\r\n";
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (char16_t u : units) {
        le += {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
        be += {static_cast<char>(u >> 8), static_cast<char>(u & 0xFF)};
    }
    EXPECT_EQ(DecodeText(le), text);
    EXPECT_EQ(DecodeText(be), text);
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF" + text), text);
    // A lone surrogate and a cut-off last unit become replacement characters.
    EXPECT_EQ(DecodeText(std::string("\xFF\xFE\x00\xD8\x41", 5)), "\xEF\xBF\xBD\xEF\xBF\xBD");

    TempFolder dir;
    dir.Write("holydays.dat", le);
    const Loaded l = Load(dir);
    EXPECT_TRUE(l.report.Empty());
    EXPECT_EQ(l.table[1].name, "Sh\xC4\x81vu\xC3\xB4t \xF0\x9F\x8C\xBE");
    EXPECT_EQ(testing::DateOfRecord(PlaceHolyDays(l.table, 2026), 1), Date(2026, 5, 22));  // 6 Sivan 5786
}

TEST(DataFiles, RecordsOutsideTheCalendarAreSkippedWithOneWarningEach) {
    TempFolder dir;
    dir.Write("holydays.dat",
              "[HolyDay1]\nname=Wrapped\nhebrewmonth=-2147483649\nhebrewday=1\n"
              "[HolyDay2]\nname=Far\nhebrewmonth=-999999999\nhebrewday=3\n"
              "[HolyDay3]\nname=Fourteenth\nhebrewmonth=14\nhebrewday=1\n"
              "[HolyDay4]\nname=Day 31\nhebrewmonth=1\nhebrewday=31\n"
              "[HolyDay5]\nname=Day 0\x1b[2J\nhebrewmonth=1\nhebrewday=0\n"
              "[HolyDay6]\nname=Sukkot\ndaynumber=1\nhebrewmonth=1\nhebrewday=15\n"
              "[HolyDay7]\nname=Sukkot\ndaynumber=2\n"  // a following day needs no date of its own
              "[HolyDay8]\nname=Shabbat Sukkot\nhebrewday=S\n"
              "[HolyDay9]\nname=Elul\nhebrewmonth=-1\nhebrewday=30\n"
              "[HolyDay10]\nname=Esc\x1b[31m\nhebrewmonth=13\x07\nhebrewday=30\n");
    Loaded l = Load(dir);
    ASSERT_EQ(l.report.problems.size(), 5u) << l.report.Text();
    for (const DataFileProblem& p : l.report.problems) EXPECT_EQ(p.level, Level::Warning);
    EXPECT_NE(l.report.problems[0].text.find("[HolyDay1] \"Wrapped\": hebrewmonth \"-2147483649\""),
              std::string::npos)
        << l.report.problems[0].text;
    // The name is echoed with its terminal escape made harmless.
    EXPECT_NE(l.report.problems[4].text.find("[HolyDay5] \"Day 0\\x1B[2J\": hebrewday \"0\""), std::string::npos)
        << l.report.problems[4].text;
    EXPECT_EQ(l.report.Text().find('\x1b'), std::string::npos);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(l.table[i].name, "") << i;
    const PlacedHolyDays days = PlaceHolyDays(l.table, 2025);
    EXPECT_EQ(testing::DateOfRecord(days, 6), Date(2025, 10, 7));  // 15 Tishrei 5786
    EXPECT_EQ(testing::DateOfRecord(days, 7), Date(2025, 10, 8));
    EXPECT_EQ(testing::DateOfRecord(days, 8), Date(2025, 10, 11));
    EXPECT_NE(testing::DateOfRecord(days, 9), std::nullopt);
    EXPECT_EQ(l.table[10].name, "Esc\x1b[31m");  // in range: kept as written
    for (const HolyDayRecord& d : days) EXPECT_TRUE(d.date->IsInSupportedRange()) << d.record;
}

TEST(DataFiles, ThePortionFileIsReadAroundLikeTheHolyDays) {
    TempFolder dir;
    dir.Write("parashot.dat", std::string(100, '\0'));
    dir.Write("parashot.bak", "[Parashah1]\nparashah=Bereshit\n");
    ParashahTable t;
    DataFileReport report;
    ScheduleParashot(dir.File("parashot.dat"), 2026, t, report);
    EXPECT_EQ(t[1].parashah, "Bereshit");
    EXPECT_EQ(t[1].date, Date(2025, 10, 18));
    EXPECT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(dir.Read("parashot.dat"), std::string(100, '\0'));
}

}  // namespace
}  // namespace varnel
