#pragma once
// The month view as plain data: the 7 x 7 week grid of the displayed month
// (header row, one cell per day with its texts and colours, the "Floating info"
// switch in the last cell), its title, the day-number labels and the month of
// the last rendering. Widgets draw it; printing and the exports read it back.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/calendar/HolyDays.h"
#include "core/calendar/Parashot.h"
#include "core/views/DayDetails.h"
#include "core/views/Grid.h"

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
MonthCell MonthCellOf(int32_t firstDay, int day);

struct MonthViewModel {
    Grid grid{kMonthRows, kMonthCols};  // vsFlex
    std::string title;                  // lblMonthYear
    int32_t lastStartOfMonth = 0;       // lblTheLastStartOfMonth: the month last rendered
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
    int32_t firstDay = 0;  // a first of month
    int dayCount = 0;
    const HolyDayTable* holyDays = nullptr;
    const ParashahTable* parashot = nullptr;
    std::string_view city;
    std::function<SunDay(int32_t date)> sunOf;
    Color holyDayColor = 0;
    Color shabbatColor = 0;
    bool floatDetails = true;
};

// Renders a month into the model.
void ComposeMonth(const MonthInputs& in, MonthViewModel& view);

// Renders the displayed month (CurrentDate, CurrentMonthDays) from the
// program's state: HolyDays, Parashot, the shared Sun at CurrentCity with the
// daylight rule, the colour scheme and FloatDetails.
void ShowCalendar(MonthViewModel& view);

// "Elul-Tishrei 5766-5767 / September 2006".
std::string MonthTitle(int32_t firstDay, int32_t lastDay);

// The month's data string offset ("00".."30") of a day cell, or -1 when the
// cell holds no day.
int DayOffsetOfCell(const Grid& grid, int row, int col);

// The hover bookkeeping of the floating details: which cell's note shows.
struct NoteCell {
    int row = 0;
    int col = 0;
    bool operator==(const NoteCell&) const = default;
};
struct HoverResult {
    enum class Action { None, Close, Show } action = Action::None;
    std::string text;  // for Show: the day's date, a line break, its details
    bool closePrevious = false;  // for Show: a note was shown before
};
class NoteTracker {
public:
    // A pointer move onto (row, col) while "Floating info" is checked.
    HoverResult PointerMoved(const Grid& grid, int32_t firstDay, int row, int col, bool buttonHeld);
    NoteCell LastShown() const { return lastShown_; }
    NoteCell Hover() const { return hover_; }

private:
    NoteCell lastShown_{0, 0};
    NoteCell hover_{0, 0};
};

}  // namespace varnel
