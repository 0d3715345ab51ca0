#include "core/views/YearView.h"

#include <algorithm>

#include "core/common/DateFormat.h"
#include "core/common/Date.h"

namespace varnel {
namespace {

constexpr const char* kWeekLetters[7] = {"S", "M", "T", "W", "T", "F", "S"};
constexpr Color kWhite = RGB(255, 255, 255);
constexpr Color kBlack = RGB(0, 0, 0);

// Day numbers as texts, built once: the fill writes 365 of them per year.
const std::string& DayNumberText(int day) {
    static const std::array<std::string, 32> texts = [] {
        std::array<std::string, 32> t;
        for (int d = 1; d < 32; ++d) t[static_cast<size_t>(d)] = std::to_string(d);
        return t;
    }();
    return texts[static_cast<size_t>(std::clamp(day, 0, 31))];
}

void FillMonth(int year, int month, const PlacedHolyDays& holyDays, Color holyDayColor, Color shabbatColor,
               const YearViewModel& model, Grid& grid, std::string& label, const std::vector<PersonalDay>& personal) {
    const Date first = Date(year, month, 1);
    const Date last = Date(year, month + 1, 1) - 1;
    const int dayCount = static_cast<int>(last - first + 1);
    label = MonthYearText(first);

    grid.Resize(7, 7);
    grid.Clear();
    grid.SetColumnsAlignment(CellAlignment::CenterCenter);
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 7; ++c) {
            GridCell* cell = grid.MutableCell(r, c);
            cell->alignment = CellAlignment::CenterCenter;
            if (r == 0) {
                cell->text = kWeekLetters[c];
            } else {
                cell->background = kShadowColor;
                cell->foreground = kWhite;
            }
        }
    SizeYearGrid(grid, model.gridWidth, model.gridHeight);

    std::array<bool, 31> holy{};
    for (const HolyDayRecord& day : holyDays) {
        if (!day.date || *day.date < first || *day.date > last) continue;
        holy[static_cast<size_t>(*day.date - first)] = true;
    }

    const int w = first.Weekday() - 1;
    for (int d = 1; d <= dayCount; ++d) {
        const int row = 1 + (w + d - 1) / 7;
        const int col = (w + d - 1) % 7;
        GridCell* cell = grid.MutableCell(row, col);
        if (!cell) continue;
        cell->text = DayNumberText(d);
        if (holy[static_cast<size_t>(d - 1)]) {
            cell->background = holyDayColor;
            cell->foreground = kBlack;
        } else if (col == 6) {
            cell->background = shabbatColor;
            cell->foreground = kWhite;
        } else {
            cell->background = kWhite;
            cell->foreground = kBlack;
        }
    }
    for (const PersonalDay& p : personal) {
        if (p.date < first || p.date > last) continue;
        const int slot = w + (p.date - first);
        GridCell* cell = grid.MutableCell(1 + slot / 7, slot % 7);
        if (!cell) continue;
        if (cell->data.empty()) cell->text += kPersonalDayMark;
        else cell->data += "\r\n";
        cell->data += PersonalDayLine(p);
    }
    grid.Touch();
}

}  // namespace

void SizeYearGrid(Grid& grid, int width, int height) {
    grid.SetColWidth(-1, std::max(0, width / 7));
    grid.SetRowHeight(-1, std::max(0, (height - kYearHeaderHeight) / 6));
    grid.SetRowHeight(0, kYearHeaderHeight);
}

void ShowYear(int16_t year, const PlacedHolyDays& holyDays, Color holyDayColor, Color shabbatColor,
              YearViewModel& model, const std::vector<PersonalDay>* personal) {
    static const std::vector<PersonalDay> kNone;
    if (year < kMinYear || year > kMaxYear) return;
    model.year = year;
    model.title = std::to_string(year);
    for (int m = 0; m < 12; ++m)
        FillMonth(year, m + 1, holyDays, holyDayColor, shabbatColor, model, model.grids[static_cast<size_t>(m)],
                  model.monthLabels[static_cast<size_t>(m)], personal ? *personal : kNone);
}

YearCell YearCellOf(int year, int month, int day) {
    const int w = Date(year, month, 1).Weekday() - 1;
    return {month - 1, 1 + (w + day - 1) / 7, (w + day - 1) % 7};
}

}  // namespace varnel
