#pragma once
// The year view as plain data: the year title, the twelve month labels and the
// twelve 7 x 7 week grids with the day numbers coloured like the month view.
#include <array>
#include <cstdint>
#include <string>

#include "core/calendar/HolyDays.h"
#include "core/personal/PersonalDays.h"
#include "core/views/Grid.h"

namespace varnel {

inline constexpr int kYearHeaderHeight = 215;  // the "S M T W T F S" row

struct YearViewModel {
    int year = 0;                           // the year in the title; 0 before the first fill
    std::string title;                      // lblYear
    std::array<std::string, 12> monthLabels;  // lblMonthName(0..11)
    std::array<Grid, 12> grids;             // January .. December
    // Size of every month grid, kept by the layout so a fill sizes the cells to it.
    int gridWidth = 2100;
    int gridHeight = 1500;
};

// A day with a personal date shows this mark after its number, and the
// personal dates' lines as the cell's data.
inline constexpr const char* kPersonalDayMark = "\xE2\x80\xA2";  // a bullet, U+2022

// Fills the title, labels and grids for a common year. A year outside 1..9999
// leaves the model as it was.
void ShowYear(int16_t year, const PlacedHolyDays& holyDays, Color holyDayColor, Color shabbatColor,
              YearViewModel& model, const std::vector<PersonalDay>* personal = nullptr);

// Column widths and row heights of one month grid for its size.
void SizeYearGrid(Grid& grid, int width, int height);

// Which month grid and cell hold a date of the shown year: the same placement
// as the month view, so a selected cell addresses the same day in the month grid.
struct YearCell {
    int month = 0;  // 0..11
    int row = 0;
    int col = 0;
};
YearCell YearCellOf(int year, int month, int day);

}  // namespace varnel
