#include "core/views/MonthView.h"

#include <cmath>
#include <cstdio>

#include "core/calendar/CalendarState.h"
#include "core/calendar/HebrewCalendar.h"
#include "core/common/DateFormat.h"
#include "core/common/DateSerial.h"
#include "core/solar/Location.h"
#include "core/views/ColorScheme.h"
#include "core/views/ViewState.h"

namespace varnel {
namespace {

constexpr const char* kHeaders[kMonthCols] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Shabbat"};

// "00".."30": the day's offset from the first of the month.
std::string OffsetDigits(int offset) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", offset);
    return buf;
}

// Blanks only: the details keep their closing line break.
std::string TrimSpaces(std::string_view s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const size_t last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

}  // namespace

MonthCell MonthCellOf(int32_t firstDay, int day) {
    const int w = Weekday(firstDay) - 1;  // Sunday = 0
    const int slot = w + day - 1;
    return {1 + slot / 7, slot % 7};
}

void SizeMonthGrid(MonthViewModel& view, int width, int height) {
    view.gridWidth = width;
    view.gridHeight = height;
    Grid& g = view.grid;
    g.SetColWidth(-1, static_cast<int>(std::lround(width / 7.0)));
    g.SetRowHeight(-1, static_cast<int>(std::lround((height - kMonthHeaderHeight) / 6.0)));
    g.SetRowHeight(0, kMonthHeaderHeight);
}

void ClearMonthGrid(MonthViewModel& view) {
    Grid& g = view.grid;
    if (g.Rows() != kMonthRows || g.Cols() != kMonthCols) g.Resize(kMonthRows, kMonthCols);
    SizeMonthGrid(view, view.gridWidth, view.gridHeight);
    for (int r = 1; r < kMonthRows; ++r)
        for (int c = 0; c < kMonthCols; ++c) {
            GridCell* cell = g.MutableCell(r, c);
            cell->background = kShadowColor;
            cell->foreground = kWhiteColor;
            cell->text.clear();
            cell->data.clear();
            cell->alignment = CellAlignment::LeftTop;
        }
    view.dayLabelVisible.fill(false);
    for (int c = 0; c < kMonthCols; ++c) {
        g.SetText(0, c, kHeaders[c]);
        g.SetAlignment(0, c, CellAlignment::CenterCenter);
    }
    g.Touch();
}

std::string MonthTitle(int32_t firstDay, int32_t lastDay) {
    const HebrewDate first = HebrewDateOf(firstDay);
    const HebrewDate last = HebrewDateOf(lastDay);
    std::string months = HebrewMonthName(first.year, first.month);
    const std::string& lastName = HebrewMonthName(last.year, last.month);
    if (lastName != months) months += "-" + lastName;
    std::string years = std::to_string(first.year);
    if (last.year != first.year) years += "-" + std::to_string(last.year);
    return months + " " + years + " / " + FormatDate(firstDay, "mmmm yyyy");
}

void ComposeMonth(const MonthInputs& in, MonthViewModel& view) {
    static const HolyDayTable kNoHolyDays{};
    static const ParashahTable kNoPortions{};
    MonthData month;
    CollectMonthData(in.firstDay, in.holyDays ? *in.holyDays : kNoHolyDays, in.parashot ? *in.parashot : kNoPortions,
                     month);
    view.lastStartOfMonth = in.firstDay;

    ClearMonthGrid(view);
    Grid& g = view.grid;
    DayTexts texts;
    const int dayCount = in.dayCount < 0 ? 0 : (in.dayCount > 31 ? 31 : in.dayCount);
    for (int i = 0; i < dayCount; ++i) {
        const int32_t date = in.firstDay + i;
        const MonthCell at = MonthCellOf(in.firstDay, i + 1);
        GridCell* cell = g.MutableCell(at.row, at.col);
        if (!cell) continue;
        const bool shabbat = at.col == 6;
        cell->background = shabbat ? in.shabbatColor : kWhiteColor;
        cell->foreground = shabbat ? kWhiteColor : kBlackColor;
        view.dayLabelCells[static_cast<size_t>(i + 1)] = at;
        view.dayLabelVisible[static_cast<size_t>(i + 1)] = true;

        const SunDay sun = in.sunOf ? in.sunOf(date) : SunDay{};
        ComposeDay(date, sun, in.city, month, texts);
        cell->text = std::move(texts.cell);
        cell->data = OffsetDigits(i);
        cell->data += texts.details;
        if (texts.holyDay) {
            cell->background = in.holyDayColor;
            cell->foreground = kBlackColor;
        }
    }

    view.title = dayCount > 0 ? MonthTitle(in.firstDay, in.firstDay + dayCount - 1) : std::string();

    g.SetCheck(kFloatInfoRow, kFloatInfoCol, in.floatDetails ? CheckState::Checked : CheckState::Unchecked);
    g.SetText(kFloatInfoRow, kFloatInfoCol, kFloatInfoText);
    g.SetAlignment(kFloatInfoRow, kFloatInfoCol, CellAlignment::LeftCenter);
    g.Touch();
}

void ShowCalendar(MonthViewModel& view) {
    clsSunrise& sun = Sun();
    sun.SetCity(CurrentCity);
    MonthInputs in;
    in.firstDay = CurrentDate;
    in.dayCount = CurrentMonthDays;
    in.holyDays = &HolyDays;
    in.parashot = &Parashot;
    in.city = CurrentCity;
    in.holyDayColor = HolyDayColor;
    in.shabbatColor = ShabbatColor;
    in.floatDetails = FloatDetails;
    in.sunOf = [&sun](int32_t date) {
        sun.SetDateDay(date);
        SunDay day;
        day.zoneName = ApplyDaylightRule(date);
        sun.CalculateSun();
        day.sunrise = sun.Sunrise();
        day.sunset = sun.Sunset();
        return day;
    };
    ComposeMonth(in, view);
}

int DayOffsetOfCell(const Grid& grid, int row, int col) {
    const std::string& data = grid.Cell(row, col).data;
    if (data.size() < 2 || data[0] < '0' || data[0] > '9' || data[1] < '0' || data[1] > '9') return -1;
    return (data[0] - '0') * 10 + (data[1] - '0');
}

HoverResult NoteTracker::PointerMoved(const Grid& grid, int32_t firstDay, int row, int col, bool buttonHeld) {
    hover_ = {row, col};
    HoverResult result;
    if (row < 1 || buttonHeld) return result;
    const std::string& data = grid.Cell(row, col).data;
    const std::string details = data.size() > 2 ? TrimSpaces(std::string_view(data).substr(2)) : std::string();
    if (details.empty()) {
        result.action = HoverResult::Action::Close;
        return result;
    }
    if (hover_ == lastShown_ || (hover_.row == lastShown_.row && hover_.col == lastShown_.col + 1)) return result;
    const int offset = DayOffsetOfCell(grid, row, col);
    result.action = HoverResult::Action::Show;
    result.text = FormatDate(firstDay + (offset < 0 ? 0 : offset), "dddd, mmmm, d, yyyy") + kLineBreak + details;
    result.closePrevious = !(lastShown_ == NoteCell{-1, -1});
    lastShown_ = hover_;
    return result;
}

}  // namespace varnel
