// The resource list through the profile file it lives in: what a save writes,
// what a read gives back, and values that try to break the file's lines.
#include "core/resources/ResourceList.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "ResourcePrint.h"
#include "TempFolder.h"
#include "core/common/Profile.h"
#include "core/resources/ResourceRows.h"

namespace varnel {
namespace {

using testing::TempFolder;

class ResourceFile : public ::testing::Test {
protected:
    std::string Dat() const { return dir_.File("resources.dat"); }
    std::vector<ResourceEntry> Read(const std::string& feast) const { return ReadResourceList(Dat(), feast); }
    std::string Raw(const std::string& feast, const std::string& key) const {
        return ProfileFile::Read(Dat(), kWholeProfileValues).Get(feast, key);
    }
    TempFolder dir_;
};

TEST_F(ResourceFile, AFeastWithoutASectionShowsOneEmptyRow) {
    dir_.Write("resources.dat", "[Purim]\ncount=1\n1fileurl=a.pdf\n1description=a\n");
    EXPECT_TRUE(Read("Pesach").empty());
    EXPECT_EQ(RowsOfEntries(Read("Pesach")), std::vector<ResourceRow>{ResourceRow{}});
    EXPECT_EQ(Read("PURIM"), (std::vector<ResourceEntry>{{"a.pdf", "a"}}));  // sections match without regard to case
}

TEST_F(ResourceFile, RemovingTheOnlyEntryWritesCountZeroAndComesBackEmpty) {
    ASSERT_TRUE(SaveResourceList(Dat(), "Pesach", {{"/home/u/seder.pdf", "Seder"}}));
    EXPECT_EQ(Raw("Pesach", "count"), "1");

    std::vector<ResourceRow> rows = RowsOfEntries(Read("Pesach"));
    ASSERT_EQ(rows.size(), 2u);
    RemoveRow(rows, 0);
    EXPECT_EQ(rows, std::vector<ResourceRow>{ResourceRow{}});
    ASSERT_TRUE(SaveResourceList(Dat(), "Pesach", EntriesOfRows(rows)));  // switching to another feast saves
    EXPECT_EQ(Raw("Pesach", "count"), "0");
    EXPECT_EQ(RowsOfEntries(Read("Pesach")), std::vector<ResourceRow>{ResourceRow{}});
}

TEST_F(ResourceFile, RowsWithoutADescriptionAreNotSavedAndNoKeyOfARemovedEntryStays) {
    ASSERT_TRUE(SaveResourceList(Dat(), "Sukkot", {{"a", "A"}, {"b", "B"}, {"c", "C"}}));
    ASSERT_TRUE(SaveResourceList(Dat(), "Sukkot", {{"https://example.org/x", "  "}, {"c", "C"}, {"", ""}}));
    EXPECT_EQ(Raw("Sukkot", "count"), "1");
    EXPECT_EQ(Read("Sukkot"), (std::vector<ResourceEntry>{{"c", "C"}}));
    // Nothing of the longer list's entries 2 and 3 is left beyond "count".
    for (const char* key : {"2fileurl", "2description", "3fileurl", "3description"}) EXPECT_EQ(Raw("Sukkot", key), "") << key;
}

TEST_F(ResourceFile, EntriesWithoutAFileAreSkippedAndABrokenCountReadsNothingOrIsBounded) {
    dir_.Write("resources.dat",
               "[A]\ncount=3\n1fileurl=\n1description=orphan\n2fileurl=x\n2description=X\n"
               "[B]\ncount=4000000000\n1fileurl=y\n1description=Y\n3999999999fileurl=far\n3999999999description=F\n"
               "[C]\ncount=-2\n1fileurl=z\n1description=Z\n"
               "[D]\ncount=many\n1fileurl=w\n1description=W\n");
    EXPECT_EQ(Read("A"), (std::vector<ResourceEntry>{{"x", "X"}}));
    // A count of billions is bounded by the keys present: nothing is sized or walked by it.
    const std::vector<ResourceEntry> b = Read("B");
    EXPECT_EQ(b, (std::vector<ResourceEntry>{{"y", "Y"}, {"far", "F"}}));
    EXPECT_LE(b.capacity(), 8u);
    EXPECT_TRUE(Read("C").empty());
    EXPECT_TRUE(Read("D").empty());
}

TEST_F(ResourceFile, HostileValuesStayOnTheirOwnLineAndChangeNothingElse) {
    ASSERT_TRUE(SaveResourceList(Dat(), "Pesach", {{"/home/u/haggadah.pdf", "Haggadah"}}));
    ASSERT_TRUE(SaveResourceList(Dat(), "Purim", {{"/home/u/megillah.pdf", "Megillah"}}));
    const std::string before = dir_.Read("resources.dat");

    const std::vector<ResourceEntry> hostile = {
        {"x\r\n[Pesach]\r\ncount=9", "a\n1fileurl=/bin/evil\n[Purim]"},
        {"[Pesach]", "count=9"},
        {"https://example.org/?q=a=b&c=[d]", "; not a comment"},
    };
    ASSERT_TRUE(SaveResourceList(Dat(), "Sukkot", hostile));
    EXPECT_EQ(Read("Sukkot"), (std::vector<ResourceEntry>{{"x  [Pesach]  count=9", "a 1fileurl=/bin/evil [Purim]"},
                                                          {"[Pesach]", "count=9"},
                                                          {"https://example.org/?q=a=b&c=[d]", "; not a comment"}}));
    EXPECT_EQ(Read("Pesach"), (std::vector<ResourceEntry>{{"/home/u/haggadah.pdf", "Haggadah"}}));
    EXPECT_EQ(Read("Purim"), (std::vector<ResourceEntry>{{"/home/u/megillah.pdf", "Megillah"}}));
    const ProfileFile file = ProfileFile::Read(Dat());
    EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"Pesach", "Purim", "Sukkot"}));
    EXPECT_EQ(file.KeysOf("Sukkot").size(), 7u);
    // The other sections' lines are exactly as they were.
    EXPECT_EQ(dir_.Read("resources.dat").substr(0, before.size()), before);
}

TEST_F(ResourceFile, LongPathsAndAddressesComeBackWhole) {
    std::string path = "/home/u";
    while (path.size() < 500) path += "/Fe\xC3\xA4st folder";
    const std::string address = "https://example.org/" + std::string(480, 'p') + "?x=1";
    const std::string description(300, 'd');
    ASSERT_TRUE(SaveResourceList(Dat(), "Shavuot", {{path, description}, {address, "link"}}));
    EXPECT_EQ(Read("Shavuot"), (std::vector<ResourceEntry>{{path, description}, {address, "link"}}));
}

TEST_F(ResourceFile, AMissingFileIsRestoredFromItsBackupBeforeReadAndSave) {
    const std::string backup = "; shipped\n[Purim]\ncount=1\n1fileurl=https://example.org/purim\n1description=Purim\n";
    dir_.Write("resources.bak", backup);
    EXPECT_EQ(Read("Purim"), (std::vector<ResourceEntry>{{"https://example.org/purim", "Purim"}}));
    EXPECT_EQ(dir_.Read("resources.dat"), backup);

    std::filesystem::remove(Dat());
    ASSERT_TRUE(SaveResourceList(Dat(), "Pesach", {{"p", "P"}}));
    EXPECT_EQ(Read("Purim").size(), 1u);  // the save started from the backup
    EXPECT_EQ(Read("Pesach"), (std::vector<ResourceEntry>{{"p", "P"}}));
    EXPECT_EQ(dir_.Read("resources.bak"), backup);
}

TEST_F(ResourceFile, ASaveThatCannotWriteSaysSoAndLeavesTheFileAsItWas) {
    EXPECT_FALSE(SaveResourceList(dir_.File("gone/resources.dat"), "Pesach", {{"p", "P"}}));
    std::filesystem::create_directory(Dat());  // the name is taken by a folder
    EXPECT_FALSE(SaveResourceList(Dat(), "Pesach", {{"p", "P"}}));
    EXPECT_TRUE(std::filesystem::is_empty(Dat()));
    size_t left = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.Path())) left += entry.is_regular_file();
    EXPECT_EQ(left, 0u);  // no temporary file left behind
}

TEST(Profile, WritesManyKeysOfASectionInOnePass) {
    TempFolder dir;
    const std::string path = dir.Write("p.ini", "; top\r\n[A]\r\nk1=old\r\nkeep=1\r\n\r\n[B]\r\nx=y\r\n");
    ASSERT_TRUE(WriteProfileStrings("a", {{"K1", "new"}, {"k2", "two\nlines"}, {"k1", "ignored"}}, path));
    ASSERT_TRUE(WriteProfileStrings("C", {{"z", "1"}}, path));
    EXPECT_EQ(dir.Read("p.ini"), "; top\r\n[A]\r\nK1=new\r\nkeep=1\r\nk2=two lines\r\n\r\n[B]\r\nx=y\r\n[C]\r\nz=1\r\n");
    EXPECT_FALSE(WriteProfileStrings("A", {{" ", "v"}}, path));
    EXPECT_FALSE(WriteProfileStrings("", {{"k", "v"}}, path));
}

}  // namespace
}  // namespace varnel
