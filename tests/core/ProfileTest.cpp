#include "core/common/Profile.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

#include "TempFolder.h"
#include "core/common/Files.h"

namespace varnel {
namespace {

using testing::TempFolder;

TEST(Profile, ReadsSectionsAndKeysWithoutRegardToCaseFirstMatchWins) {
    const ProfileFile f = ProfileFile::Parse(
        "; a comment\r\n[HolyDay1]\r\nName =  Purim  \r\nname=second\r\n[holyday1]\r\nextra=x\r\n"
        "[Other]\r\nkey=a=b\r\n");
    EXPECT_EQ(f.Get("HOLYDAY1", "NAME"), "Purim");
    EXPECT_EQ(f.Get("holyday1", "extra"), "");  // a later duplicate section is never read
    EXPECT_EQ(f.Get("Other", "key"), "a=b");
    EXPECT_EQ(f.Get("Missing", "key"), "");
    EXPECT_EQ(f.Get("Other", "missing"), "");

    // A reader taking many keys of a section gets the same first matches
    // in whatever order it asks, repeated keys or not.
    const ProfileFile g = ProfileFile::Parse("[A]\nx=1\ny=2\nX=3\nz=4\n[B]\nx=1\ny=2\nz=3\n");
    for (const char* name : {"A", "B"}) {
        const ProfileFile::SectionReader reader = g.SectionOf(name);
        EXPECT_EQ(reader.Get("z"), name == std::string("A") ? "4" : "3");
        EXPECT_EQ(reader.Get("y"), "2");
        EXPECT_EQ(reader.Get("x"), "1");
        EXPECT_EQ(reader.Get("Z"), name == std::string("A") ? "4" : "3");
        EXPECT_EQ(reader.Get("w"), "");
        EXPECT_EQ(reader.Get("X"), "1");
    }
}

TEST(Profile, CutsValuesTo99CharactersAndTrims) {
    const std::string longValue(150, 'x');
    const ProfileFile f = ProfileFile::Parse("[S]\nk=" + longValue + "\nu=" + std::string(98, 'a') + "\xC3\xA9z\n" +
                                             "t=" + std::string(98, 'b') + " tail\n");
    EXPECT_EQ(f.Get("S", "k"), std::string(99, 'x'));
    EXPECT_EQ(f.Get("S", "u"), std::string(98, 'a') + "\xC3\xA9");  // a two-byte character is one of 99
    EXPECT_EQ(f.Get("S", "t"), std::string(98, 'b'));                // cut, then trimmed again
}

// The blanks trimmed are the C library's white space, every other byte is kept.
TEST(Profile, TrimsExactlyTheWhiteSpaceBytes) {
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const std::string text = std::string(2, c) + "x y" + std::string(2, c);
        EXPECT_EQ(TrimmedView(text), std::isspace(b) ? "x y" : text) << "byte " << b;
        EXPECT_EQ(TrimmedView(std::string(3, c)), std::isspace(b) ? "" : std::string(3, c)) << "byte " << b;
    }
}

TEST(Profile, SurvivesJunk) {
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 37) % 256);
    const std::string megabyteLine(3 << 20, 'q');
    const ProfileFile f =
        ProfileFile::Parse(junk + "\n[S]\nbig=" + megabyteLine + "\nbad=\xFF\xFE\x80ok\n" + junk + "\n[T]\nk=v");
    EXPECT_EQ(f.Get("S", "big").size(), 99u);
    EXPECT_EQ(f.Get("S", "bad"), "\xFF\xFE\x80ok");
    EXPECT_EQ(f.Get("T", "k"), "v");
}

TEST(Profile, WritesKeepOtherLinesAndCreateWhatIsMissing) {
    TempFolder dir;
    const std::string path = dir.Write("r.dat", "; keep me\r\n[Pesach]\r\nFile1=a.txt\r\n\r\n[Purim]\r\nFile1=b.txt\r\n");
    ASSERT_TRUE(WriteProfileString("pesach", "file1", "c.txt", path));
    ASSERT_TRUE(WriteProfileString("Pesach", "File2", "d\r\ne.txt", path));
    ASSERT_TRUE(WriteProfileString("Sukkot", "File1", "f.txt", path));
    EXPECT_EQ(dir.Read("r.dat"),
              "; keep me\r\n[Pesach]\r\nfile1=c.txt\r\nFile2=d  e.txt\r\n\r\n[Purim]\r\nFile1=b.txt\r\n"
              "[Sukkot]\r\nFile1=f.txt\r\n");
    EXPECT_EQ(GetProfileString("PESACH", "FILE2", path), "d  e.txt");

    ASSERT_TRUE(WriteProfileString("New", "k", "v", dir.File("fresh.ini")));
    EXPECT_EQ(dir.Read("fresh.ini"), "[New]\nk=v\n");
    ASSERT_TRUE(DeleteProfileKey("Purim", "file1", path));
    EXPECT_EQ(GetProfileString("Purim", "File1", path), "");

    // Nothing is left beside the file, and a folder that cannot be written reports failure.
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) files += entry.is_regular_file();
    EXPECT_EQ(files, 2u);
    EXPECT_FALSE(WriteProfileString("S", "k", "v", dir.File("no/such/folder/x.ini")));
}

}  // namespace
}  // namespace varnel
