// Looking places up from what a user types, the arrow keys' steps over a
// month grid, and telling which data files a folder lacks.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "core/calendar/DataFiles.h"
#include "core/common/Date.h"
#include "core/solar/CitySearch.h"
#include "core/solar/SunCalculator.h"
#include "core/views/GridNavigation.h"
#include "core/views/MonthView.h"

namespace varnel {
namespace {

std::string NameOf(int index) { return std::string(CityAt(index)->name); }

TEST(CitySearch, UniquePrefixesAnyCaseAndFormerNames) {
    EXPECT_EQ(NameOf(SearchCity("jerusalem").index), "Jerusalem, Israel");
    EXPECT_EQ(NameOf(SearchCity("  new york ").index), "New York City, NY");
    EXPECT_EQ(NameOf(SearchCity("HONG").index), "Hong Kong, China");
    EXPECT_EQ(NameOf(SearchCity("San Fransisco, CA").index), "San Francisco, CA");
    // An exact name wins over the longer names it begins.
    EXPECT_EQ(NameOf(SearchCity("charlotte, nc").index), "Charlotte, NC");
}

TEST(CitySearch, AmbiguousAndUnknownTextsFindNoOnePlace) {
    const CityMatches san = SearchCity("san");
    EXPECT_EQ(san.index, -1);
    ASSERT_EQ(san.matches.size(), 2u);
    EXPECT_EQ(NameOf(san.matches[0]), "San Francisco, CA");
    EXPECT_EQ(NameOf(san.matches[1]), "San Jose, CA");
    EXPECT_EQ(SearchCity("new").matches.size(), 3u);  // New Orleans, New York City, New Delhi
    EXPECT_EQ(SearchCity("Atlantis").index, -1);
    EXPECT_TRUE(SearchCity("Atlantis").matches.empty());
    EXPECT_TRUE(SearchCity("   ").matches.empty());
}

TEST(GridNavigation, ArrowStepsOverTheDaysOfAMonth) {
    // February 2026 starts on a Sunday and fills four rows exactly.
    const Date first = Date(2026, 2, 1);
    const auto isDay = [&](int row, int col) {
        for (int d = 1; d <= 28; ++d) {
            const MonthCell at = MonthCellOf(first, d);
            if (at.row == row && at.col == col) return true;
        }
        return false;
    };
    const MonthCell feb7 = MonthCellOf(first, 7);
    const MonthCell feb8 = MonthCellOf(first, 8);
    // Left from a Sunday goes back to the Saturday before (right and down: the window's keyboard tests).
    const GridPosition left = StepSelection(7, 7, {feb8.row, feb8.col}, 0, -1, isDay);
    EXPECT_EQ(std::pair(left.row, left.col), std::pair(feb7.row, feb7.col));
    // Down keeps the weekday; past the last day, and up into the header, nothing moves.
    const MonthCell feb21 = MonthCellOf(first, 21), feb28 = MonthCellOf(first, 28), feb1 = MonthCellOf(first, 1);
    const GridPosition down = StepSelection(7, 7, {feb21.row, feb21.col}, 1, 0, isDay);
    EXPECT_EQ(std::pair(down.row, down.col), std::pair(feb28.row, feb28.col));
    const GridPosition stuck = StepSelection(7, 7, {feb28.row, feb28.col}, 1, 0, isDay);
    EXPECT_EQ(stuck.row, feb28.row);
    const GridPosition top = StepSelection(7, 7, {feb1.row, feb1.col}, -1, 0, isDay);
    EXPECT_EQ(top.row, feb1.row);
    const GridPosition before = StepSelection(7, 7, {feb1.row, feb1.col}, 0, -1, isDay);
    EXPECT_EQ(before.col, feb1.col);
}

TEST(DataFiles, AFileCountsWhenItOrItsBackupIsThere) {
    testing::TempFolder folder;
    const std::string dir = folder.Path();
    EXPECT_EQ(MissingCalendarFiles(dir), (std::vector<std::string>{"holydays.dat", "parashot.dat"}));
    folder.Write("holydays.bak", "[HolyDay1]\n");
    EXPECT_EQ(MissingCalendarFiles(dir), (std::vector<std::string>{"parashot.dat"}));
    folder.Write("parashot.dat", "[Parashah1]\n");
    EXPECT_TRUE(MissingCalendarFiles(dir).empty());
    EXPECT_EQ(MissingFileMessage(dir, "parashot.dat"), "parashot.dat (nor parashot.bak) was not found in " + dir);
}

}  // namespace
}  // namespace varnel
