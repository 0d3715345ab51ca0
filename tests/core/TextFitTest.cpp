// Fitting texts to their boxes with a monospaced measure whose arithmetic is
// checked by hand: every character is half its size wide (10 twips per point),
// a line is 20 twips per point high.
#include <gtest/gtest.h>

#include "core/printing/PageFit.h"
#include "core/printing/TextFit.h"

namespace varnel {
namespace {

size_t Chars(std::string_view s) {
    size_t n = 0;
    for (const char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

const TextMeasure kMono{[](std::string_view s, double pt) { return static_cast<double>(Chars(s)) * pt * 10; },
                        [](double pt) { return pt * 20; }};

std::vector<std::string> Lines(const FittedText& f) {
    std::vector<std::string> out;
    for (const FittedLine& l : f.lines) out.push_back(l.text);
    return out;
}

FittedText Fit(std::string_view text, double width, double height, bool grow = false, double cornerWidth = 0,
               double cornerHeight = 0) {
    FitRequest r;
    r.size = 6;
    r.floor = 5;
    r.width = width;
    r.height = height;
    r.grow = grow;
    r.cornerWidth = cornerWidth;
    r.cornerHeight = cornerHeight;
    return FitText(text, r, kMono);
}

using V = std::vector<std::string>;

TEST(TextFit, WrapsAtSpacesAndAfterJoinedNamesOnlyThenStepsDown) {
    // 6 pt: 60 twips a character, 600 twips hold ten.
    FittedText f = Fit("Matot/Masei 10/02/26 ab", 600, 0);
    EXPECT_EQ(f.size, 6);
    EXPECT_EQ(Lines(f), (V{"Matot/", "Masei", "10/02/26", "ab"}));
    EXPECT_EQ(f.lines[3].top, 360);
    EXPECT_FALSE(f.shortened);
    // Two lines of "Shabbat Candles:" take 240 twips at 6 pt, 220 at 5.5.
    f = Fit("Shabbat Candles:", 500, 230);
    EXPECT_EQ(f.size, 5.5);
    EXPECT_EQ(Lines(f), (V{"Shabbat", "Candles:"}));
    // A word too wide at the floor grows no wider: it is cut, with an ellipsis.
    f = Fit("Thessalonians 4:13", 400, 0, true);
    EXPECT_EQ(f.size, 5);
    EXPECT_EQ(Lines(f), (V{"Thessal\xE2\x80\xA6", "4:13"}));
    EXPECT_TRUE(f.shortened);
}

TEST(TextFit, AtTheFloorAJoinedPairKeepsItsFirstNameThenLinesEndInAnEllipsis) {
    // Three lines of room at 5 pt, seven characters across: the pair gives a
    // line back, "Havdalah:" is cut, and the line after it is left out.
    FittedText f = Fit("Iyar 1\nTazria/Metzora\nHavdalah: 7:40 PM", 350, 300);
    EXPECT_EQ(Lines(f), (V{"Iyar 1", "Tazria", "Havdal\xE2\x80\xA6"}));
    EXPECT_EQ(f.size, 5);
    EXPECT_TRUE(f.shortened);
    // Growing, the pair wraps after its "/" and the row takes every line; blank spacer lines go.
    f = Fit("Iyar 1\nTazria/Metzora\n\n7:40 PM", 400, 100, true);
    EXPECT_EQ(Lines(f), (V{"Iyar 1", "Tazria/", "Metzora", "7:40 PM"}));
    EXPECT_EQ(f.height, 400);
    EXPECT_FALSE(f.shortened);
    // Of three joined names the first stays; a date's "/" joins no names.
    EXPECT_EQ(Lines(Fit("A/BBBBBBBBBBBB/C 10/02", 600, 0, true)), (V{"A 10/02"}));
}

TEST(TextFit, WritersShortenOnlyTheWordsWiderThanTheirCell) {
    // 5 pt: 50 twips a character, 300 twips hold six.
    EXPECT_EQ(ShortenWideWords("Tishrei 29\r\nTazria/Metzora\nMatot/Masei 5:49 PM", 300, 5, kMono),
              "Tishr\xE2\x80\xA6 29\nTazria\nMatot/Masei 5:49 PM");
}

TEST(TextFit, TheCornerStaysFree) {
    // A 2-character corner (120 twips) beside the first 120 twips of a 600-wide box.
    FittedText f = Fit("Iyar 2 Count day", 600, 0, false, 120, 120);
    EXPECT_EQ(Lines(f), (V{"Iyar 2", "Count day"}));
    EXPECT_EQ(f.lines[0].room, 480);
    EXPECT_EQ(f.lines[1].room, 600);
    // "Iyar 2 Count" holds in 720 but not beside the corner: it starts below it, unbroken.
    f = Fit("Iyar 2 Count", 720, 0, false, 120, 120);
    EXPECT_EQ(Lines(f), (V{"Iyar 2 Count"}));
    EXPECT_EQ(f.lines[0].top, 120);
    // So does a word too long for the line beside the corner.
    f = Fit("Shabbatot", 600, 0, false, 120, 120);
    EXPECT_EQ(f.lines[0].top, 120);
}

TEST(TextFit, EllipsisCutsBetweenCharactersNeverInsideOne) {
    // Hebrew with vowel points: a point stays with its letter.
    const std::string pointed = "\xD7\xA9\xD6\xB8\xD7\x91\xD6\xBC\xD6\xB8\xD7\xAA";  // shin qamats bet dagesh qamats tav
    EXPECT_EQ(WithEllipsis(pointed, 3 * 50, 5, kMono), "\xD7\xA9\xD6\xB8\xE2\x80\xA6");
    EXPECT_EQ(WithEllipsis(pointed, 5 * 50, 5, kMono), "\xD7\xA9\xD6\xB8\xE2\x80\xA6");
    EXPECT_EQ(WithEllipsis(pointed, 6 * 50, 5, kMono), "\xD7\xA9\xD6\xB8\xD7\x91\xD6\xBC\xD6\xB8\xE2\x80\xA6");
    EXPECT_EQ(WithEllipsis("abc", 10, 5, kMono), "\xE2\x80\xA6");
    EXPECT_EQ(WithEllipsis("ab cd", 4 * 50, 5, kMono), "ab\xE2\x80\xA6");
}

TEST(PageFit, BandPartsLeaveEachOtherRoom) {
    const std::array<std::string, 3> parts = {"", "Varnel", "\r\n\r\n(Printed)"};
    // At 10 pt both fit on their own lines in 1000 twips across, 600 down.
    FittedBand band = FitBand(parts, 10, 5, 1000, 600, kMono);
    EXPECT_EQ(band.size, 10);
    ASSERT_EQ(band.lines.size(), 2u);
    EXPECT_EQ(band.lines[1].top, 400);
    // In 250 twips down the blank lines go, and the size steps down until the
    // centre (950 + 30 s) and the right part (1900 - 90 s) are a space (10 s)
    // apart: below 7.3 points.
    band = FitBand(parts, 10, 5, 1900, 250, kMono);
    ASSERT_EQ(band.lines.size(), 2u);
    EXPECT_EQ(band.lines[1].top, 0);
    EXPECT_EQ(band.size, 7);
    // Nothing fits at the floor: thirds of the width, each part shortened in its own.
    band = FitBand({"left part text", "centre", "right part"}, 10, 5, 900, 100, kMono);
    EXPECT_EQ(band.size, 5);
    for (const BandLine& line : band.lines) {
        EXPECT_EQ(line.width, 300);
        EXPECT_EQ(line.left, 300 * line.part);
        EXPECT_LE(kMono.width(line.text, 5), 300);
    }
}

TEST(PageFit, ColumnsTradeWidthForTheirLongestWordAndLowerRows) {
    const std::vector<double> balanced = BalanceColumns({300, 1000, 700}, {400, 300, 300});
    EXPECT_DOUBLE_EQ(balanced[0], 400);  // 100 taken from the 1100 to spare, 7 : 4
    EXPECT_DOUBLE_EQ(balanced[1], 1000 - 700.0 / 11);
    EXPECT_DOUBLE_EQ(balanced[2], 700 - 400.0 / 11);
    EXPECT_EQ(BalanceColumns({300, 1000}, {200, 300}), (std::vector<double>{300, 1000}));
    // A long text beside a short one: the long one's column widens until the row is as low as it gets.
    const std::vector<std::vector<MeasuredText>> cells = {
        {MeasureText("ab", 5, kMono), MeasureText("one two three four five six seven eight", 5, kMono)}};
    const std::vector<double> shaped = ShapeColumns({1000, 1000}, {50, 250}, cells, {0, 0});
    EXPECT_DOUBLE_EQ(shaped[0], 50);  // the 1950 twips the long text takes on one line
    EXPECT_DOUBLE_EQ(shaped[1], 1950);
    EXPECT_EQ(LineCount(cells[0][1], shaped[1]), 1);
}

}  // namespace
}  // namespace varnel
