// The feast list, the window's rows (drops, removal) and what launching an
// entry would open.
#include <gtest/gtest.h>

#include <filesystem>

#include "ResourcePrint.h"
#include "TempFolder.h"
#include "core/calendar/YearCalendar.h"
#include "core/resources/FeastList.h"
#include "core/resources/ResourceRows.h"
#include "core/resources/ResourceTarget.h"

namespace varnel {
namespace {

using testing::TempFolder;

HolyDayRecord Day(const char* name, int daynumber, const char* hebrewday = "10") {
    HolyDayRecord r;
    r.name = name;
    r.daynumber = static_cast<int16_t>(daynumber);
    r.hebrewday = hebrewday;
    return r;
}

TEST(FeastList, KeepsFirstDaysErevOnDayOneAndOnlyTheNamedShabbatDays) {
    HolyDayTable table;
    const std::vector<HolyDayRecord> days = {
        Day("Erev Pesach", 0),   Day("Erev Sukkot", 1),      Day("Sukkot", 1),          Day("Sukkot", 2),
        Day("Purim", 0),         Day("Shabbat Sukkot", 0, "S"), Day("Birkurim", 0, "s"), Day("Shavuot", 1, "S"),
        Day("Shavuot", 2, "S"),  Day("", 0),                 Day("PURIM", 0),           Day("Odd]Name", 0),
        Day("Shabbat HaGadol", 0, "S"), Day("Long Feast", 3), Day("Shabbat T'shuvah", 0, "S"),
    };
    for (size_t i = 0; i < days.size(); ++i) table[i + 1] = days[i];
    EXPECT_EQ(FeastNames(table), (std::vector<std::string>{"Erev Sukkot", "Sukkot", "Purim", "Birkurim", "Shavuot",
                                                           "Shabbat HaGadol", "Shabbat T'shuvah"}));
}

TEST(FeastList, TheShippedHolyDaysGiveTheseFeasts) {
    const std::vector<std::string> feasts = FeastNames(LoadCalendarData(VARNEL_SOURCE_DATA).holyDays);
    EXPECT_EQ(feasts, (std::vector<std::string>{
                          "Yom T'ruah (Rosh Hashanah)", "Tzom Gedaliah", "Shabbat T'shuvah", "Yom Kippur", "Sukkot",
                          "Shemini Atzeret", "Simchat Torah", "Hanukkah", "Asarah B'Tevet", "Ta'anit Esther", "Purim",
                          "Shushan Purim", "Shabbat HaGadol", "Pesach", "Hag HaMatzot", "Birkurim", "Shavuot",
                          "Shiva Asar B'Tammuz", "Tisha B'Av", "Shabbat Shekalim", "Shabbat Zachor", "Shabbat Parah",
                          "Shabbat HaChodesh", "Shabbat Chazon", "Shabbat Nachamu", "Rosh Chodesh", "Tu BiShvat",
                          "Purim Katan", "Pesach Sheni", "Yom HaShoah", "Yom HaZikaron", "Yom HaAtzmaut",
                          "Lag BaOmer", "Yom Yerushalayim"}));
    EXPECT_EQ(FindFeast(feasts, " tisha b'av "), "Tisha B'Av");
    EXPECT_EQ(FindFeast(feasts, "Shabbat Sukkot"), "");
}

TEST(ResourceRows, ADropOfTwoFilesAndATextKeepsEntriesAndEndsInOneEmptyRow) {
    std::vector<ResourceRow> rows = {{true, "/a/keep.pdf", "keep"}, {}, {false, "/b/also.pdf", "also"}, {}};
    DropOnRows(rows, {"/home/u/Seder Plate.JPG", "/home/u/Songs/Dayenu.ogg"}, "  https://Example.org/Pesach/Story  ");
    EXPECT_EQ(rows, (std::vector<ResourceRow>{{true, "/a/keep.pdf", "keep"},
                                              {false, "/b/also.pdf", "also"},
                                              {false, "/home/u/Seder Plate.JPG", "seder plate.jpg"},
                                              {false, "/home/u/Songs/Dayenu.ogg", "dayenu.ogg"},
                                              {false, "https://Example.org/Pesach/Story", "https://example.org/pesach/story"},
                                              {}}));
    // A file manager's text naming the same files adds nothing more.
    std::vector<ResourceRow> again = {{}};
    DropOnRows(again, {"/x/a.txt", "/x/b.txt"}, "file:///x/a.txt\r\n/x/b.txt\r\n");
    EXPECT_EQ(again.size(), 3u);
    EXPECT_EQ(again[1].description, "b.txt");
}

TEST(ResourceRows, RemovingARowKeepsOneEmptyRowAtTheEnd) {
    std::vector<ResourceRow> rows = RowsOfEntries({{"a", "A"}, {"b", "B"}});
    RemoveRow(rows, 0);
    EXPECT_EQ(rows, (std::vector<ResourceRow>{{false, "b", "B"}, {}}));
    RemoveRow(rows, 1);  // the empty row itself
    EXPECT_EQ(rows, (std::vector<ResourceRow>{{false, "b", "B"}, {}}));
    RemoveRow(rows, 7);  // no such row
    EXPECT_EQ(rows.size(), 2u);
}

TEST(ResourceTarget, FilesProgramsAndWebAddresses) {
    TempFolder dir;
    const std::string document = dir.Write("Notes.PDF", "%PDF");
    const std::string setup = dir.Write("SETUP.EXE", "MZ");
    const std::string script = dir.Write("count-omer", "#!/bin/sh\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);

    EXPECT_EQ(ClassifyResource("  " + document + " ").kind, ResourceKind::File);
    EXPECT_EQ(ClassifyResource(document).target, document);
    // The executable is what the user may execute, whatever its name ends in.
    EXPECT_EQ(ClassifyResource(setup).kind, ResourceKind::File);
    EXPECT_EQ(ClassifyResource(script).kind, ResourceKind::Program);
    EXPECT_EQ(ClassifyResource(dir.Path()).kind, ResourceKind::Nothing);  // a folder

    const auto web = [](const std::string& text) {
        const ResourceTarget t = ClassifyResource(text);
        return t.kind == ResourceKind::WebAddress ? t.target : "(none: " + t.target + ")";
    };
    EXPECT_EQ(web("http://example.org/A"), "http://example.org/A");
    EXPECT_EQ(web("HTTPS://Example.org/Feasts?x=1"), "HTTPS://Example.org/Feasts?x=1");
    EXPECT_EQ(web("www.example.org/Pesach"), "https://www.example.org/Pesach");
    EXPECT_EQ(web("see https://example.org/a and more"), "https://example.org/a");
    EXPECT_EQ(ClassifyResource("ftp://example.org/a").kind, ResourceKind::Nothing);
    EXPECT_EQ(ClassifyResource("/no/such/file.exe").kind, ResourceKind::Nothing);
    EXPECT_EQ(ClassifyResource("").kind, ResourceKind::Nothing);

    // What the user is told when nothing opens; an empty entry is skipped silently.
    EXPECT_EQ(WhyNothingToOpen(" /no/such/file.exe "), "The file '/no/such/file.exe' does not exist or cannot be read.");
    EXPECT_EQ(WhyNothingToOpen(dir.Path()), "'" + dir.Path() + "' is a folder, not a file.");
    EXPECT_EQ(WhyNothingToOpen("ftp://example.org/a"),
              "'ftp://example.org/a' is not a web address that can be opened (one with http:// or https://).");
    EXPECT_EQ(WhyNothingToOpen("seder songs"),
              "'seder songs' is neither an existing file nor a web address (one with http://, https:// or www.).");
    EXPECT_EQ(WhyNothingToOpen("  "), "");
}

}  // namespace
}  // namespace varnel
