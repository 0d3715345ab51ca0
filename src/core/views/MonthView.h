#pragma once
// The month view as plain data: the 7 x 7 week grid of the displayed month
// (header row, one cell per day with its texts and colours, the "Floating info"
// switch in the last cell), its title, the day-number labels and the month of
// the last rendering. Widgets draw it; printing and the exports read it back.
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "core/calendar/YearCalendar.h"
#include "core/common/Date.h"
#include "core/views/CalendarSource.h"
#include "core/views/DayDetails.h"
#include "core/views/Grid.h"
#include "core/views/ViewState.h"
#include "core/times/FeastTimes.h"

namespace varnel {

inline constexpr int kMonthRows = 7;
inline constexpr int kMonthCols = 7;
inline constexpr int kMonthHeaderHeight = 215;  // twips
inline constexpr int kFloatInfoRow = 6;
inline constexpr int kFloatInfoCol = 6;
inline constexpr const char* kFloatInfoText = "Floating info";
inline constexpr int kDayLabelInset = 400;  // a day-number label's left, from its cell's right edge

// Design size of the month grid, used until a window lays it out (twips).
inline constexpr int kMonthGridDesignWidth = 12600;
inline constexpr int kMonthGridDesignHeight = 8615;

struct MonthCell {
    int row = 0;
    int col = 0;
};
// The cell of day d (1-based) of a month whose first day is firstDay.
MonthCell MonthCellOf(Date firstDay, int day);

struct MonthViewModel {
    Grid grid{kMonthRows, kMonthCols};  // vsFlex
    std::string title;                  // lblMonthYear
    Date lastStartOfMonth;              // lblTheLastStartOfMonth: the month last rendered
    // Day-number labels 1..31 (index 0 is never shown): the cell each one sits on.
    std::array<MonthCell, 32> dayLabelCells{};
    std::array<bool, 32> dayLabelVisible{};
    int gridWidth = kMonthGridDesignWidth;   // size the layout gave the grid (twips)
    int gridHeight = kMonthGridDesignHeight;
};

// Column widths and row heights for a grid size: seven equal columns, a header
// row of 215 twips and six equal week rows.
void SizeMonthGrid(MonthViewModel& view, int width, int height);

// Resets the grid: header texts, empty week cells in the button-shadow colour
// with white text, all day-number labels hidden.
void ClearMonthGrid(MonthViewModel& view);

// Everything one rendering needs; the sun of each day comes from a function so
// the place and the daylight rule stay with their owners.
struct MonthInputs {
    Date firstDay;  // a first of month
    int dayCount = 0;
    const PlacedHolyDays* holyDays = nullptr;
    OmerReckoning omer = OmerReckoning::Sabbath;
    const ParashahTable* parashot = nullptr;
    std::string_view city;
    std::function<SunDay(Date date)> sunOf;
    Color holyDayColor = 0;
    Color shabbatColor = 0;
    bool floatDetails = true;
    bool shabbatTimesOnHolyDays = false;  // candle and Havdalah lines on holy days too
    const std::vector<PersonalDay>* personal = nullptr;  // the year's personal dates, in date order
    int candleMinutes = kDefaultCandleMinutes;
    std::function<SunDepression(Date date, double degrees, bool morning)> depressionOf;
    // The month's feast times when the caller has them from every year's
    // table; else they come from holyDays and the sun above.
    std::optional<std::vector<FeastTime>> times;
};

// Renders a month into the model. Each day cell carries its date and, as its
// data, the day's details text.
void ComposeMonth(const MonthInputs& in, MonthViewModel& view);

// The inputs of the displayed month of a view state, from its year and place.
MonthInputs MonthInputsFor(const ViewState& state, const YearCalendar& year, const Place& place);
// Renders the state's displayed month from the year and place the source gives for it.
void ComposeMonth(const ViewState& state, CalendarSource& source, MonthViewModel& view);

// "Elul-Tishrei 5766-5767 / September 2006".
std::string MonthTitle(Date firstDay, Date lastDay);

// A cell's data as the month grid keeps it for readers of the grid: the day's
// offset from the first of the month as two digits ("00".."30"), then its
// details; empty for a cell without a day.
std::string MonthCellData(const GridCell& cell, Date firstDay);

}  // namespace varnel
