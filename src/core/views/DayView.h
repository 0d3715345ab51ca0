#pragma once
// The day view as plain data: the title with the Hebrew and common dates of
// the selected day, the day's lines from the month grid over two columns, and
// a countdown to the five great feasts of the coming eight Hebrew years.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/calendar/FeastRules.h"
#include "core/common/Date.h"
#include "core/views/Grid.h"

namespace varnel {

inline constexpr int kDayGridRows = 150;
inline constexpr int kDayRowHeight = 300;
inline constexpr int kCountdownYears = 8;

struct DayViewModel {
    std::optional<Date> day;  // the date shown
    std::string title;  // lblDay
    Grid grid;          // vsFlexDay: two columns
    int lastRow = -1;   // last row with text
};

// The feasts of the countdown, in the order each Hebrew year lists them.
enum class Feast { RoshHashanah = 0, YomKippur, Sukkot, Pesach, Shavuot };
inline constexpr int kFeastCount = 5;
const std::string& FeastLabel(Feast feast);  // "Rosh Hashanah in year " ...

struct FeastDate {
    Feast feast = Feast::RoshHashanah;
    int32_t dayNumber = 0;  // Julian Day Number of the feast
    int hebrewYear = 0;
    int daysAway = 0;
};
// The next eight occurrences of each of the five feasts from a date on (the
// date itself included), one per Hebrew year, in date order; Shavuot as the
// reckoning places it.
std::vector<FeastDate> FeastCountdown(Date date, OmerReckoning omer = OmerReckoning::Sabbath);

// Fills the model for the month-grid cell (selectedRow, selectedCol) of the
// month that starts on currentDate. A row of 0 becomes 1 and a column of -1
// becomes 0; a cell that holds no day (or the first of the month) selects the
// cell of the first of the month. gridWidth (twips) gives the first sizing of
// the columns before they are fitted to their contents.
void ShowDay(const Grid& monthGrid, Date currentDate, int& selectedRow, int& selectedCol, int gridWidth,
             DayViewModel& model, OmerReckoning omer = OmerReckoning::Sabbath);

}  // namespace varnel
