#include "core/views/DayView.h"

#include <algorithm>
#include <string_view>

#include "core/calendar/FeastRules.h"
#include "core/calendar/HebrewCalendar.h"
#include "core/common/DateFormat.h"
#include "core/common/Date.h"
#include "core/common/Profile.h"

namespace varnel {
namespace {

struct FeastRule {
    int month;  // Tishrei = 1; negative months count back from Elul
    int day;
};
constexpr std::array<FeastRule, kFeastCount> kFeastRules = {{{1, 1}, {1, 10}, {1, 15}, {-6, 15}, {-4, 6}}};

// The day number of a feast in a Hebrew year; Shavuot as the reckoning places it.
int32_t FeastIn(int hebrewYear, Feast feast, OmerReckoning omer) {
    if (feast == Feast::Shavuot) return DateToJulianDay(ShavuotDaysOf(hebrewYear, HolyDayRules{omer}).front());
    const FeastRule& rule = kFeastRules[static_cast<size_t>(feast)];
    return HebrewToJulianDay(hebrewYear, rule.month, rule.day);
}

int HebrewYearOf(int32_t dayNumber) {
    int y = 0, m = 0, d = 0;
    JulianDayToHebrew(dayNumber, y, m, d);
    return y;
}

// The lines of a day's text, each trimmed of blanks.
std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (true) {
        const size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(TrimBlanks(line));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return lines;
}

}  // namespace

const std::string& FeastLabel(Feast feast) {
    static const std::array<std::string, kFeastCount> labels = {
        "Rosh Hashanah in year ", "Yom Kippur in year ", "Sukkot in year ", "Pesach in year ", "Shavuot in year "};
    return labels[static_cast<size_t>(feast)];
}

std::vector<FeastDate> FeastCountdown(Date date, OmerReckoning omer) {
    std::vector<FeastDate> out;
    out.reserve(kCountdownYears * kFeastCount);
    const int32_t today = DateToJulianDay(date);
    const int year = HebrewYearOf(today);
    for (int f = 0; f < kFeastCount; ++f) {
        const Feast feast = static_cast<Feast>(f);
        // The first Hebrew year whose feast is still to come, then the years after it.
        const int first = FeastIn(year, feast, omer) >= today ? year : year + 1;
        for (int k = 0; k < kCountdownYears; ++k) {
            const int32_t n = FeastIn(first + k, feast, omer);
            out.push_back({feast, n, first + k, n - today});
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const FeastDate& a, const FeastDate& b) { return a.dayNumber < b.dayNumber; });
    return out;
}

void ShowDay(const Grid& monthGrid, Date currentDate, int& selectedRow, int& selectedCol, int gridWidth,
             DayViewModel& model, OmerReckoning omer) {
    model.grid.Resize(0, 0);
    model.grid.Resize(kDayGridRows, 2);
    model.grid.SetColWidth(0, std::max(0, gridWidth / 3 - 400));
    model.grid.SetColWidth(1, std::max(0, gridWidth * 2 / 3));
    model.grid.SetRowHeight(-1, kDayRowHeight);
    model.lastRow = -1;

    if (selectedRow == 0) selectedRow = 1;
    if (selectedCol == -1) selectedCol = 0;

    const std::optional<Date> picked = monthGrid.Cell(selectedRow, selectedCol).date;
    const int offset = picked ? *picked - currentDate : 0;
    if (offset == 0) {
        selectedRow = 1;
        selectedCol = currentDate.Weekday() - 1;
    }
    const Date day = currentDate + offset;
    if (!currentDate.IsInSupportedRange() || !day.IsInSupportedRange()) return;
    model.day = day;

    const HebrewDate h = HebrewDateOf(day);
    model.title = HebrewMonthName(h.year, h.month) + " " + std::to_string(h.day) + ", " + std::to_string(h.year) +
                  " - " + WeekdayNumericDateText(day);

    const std::string& text = monthGrid.Cell(selectedRow, selectedCol).data;
    const std::vector<std::string> lines = SplitLines(TrimBlanks(text));
    const int countdownRows = kCountdownYears * kFeastCount;
    const int needed = static_cast<int>(lines.size()) + 2 + countdownRows;
    if (needed > model.grid.Rows()) model.grid.Resize(needed, 2);

    int row = 0;
    for (const std::string& line : lines) {
        model.grid.SetText(row, row == 0 ? 0 : 1, line);
        if (!line.empty()) model.lastRow = row;
        ++row;
    }
    row = static_cast<int>(lines.size()) - 1 + 3;  // two empty rows after the last line
    for (const FeastDate& f : FeastCountdown(day, omer)) {
        model.grid.SetText(row, 0, FeastLabel(f.feast) + std::to_string(f.hebrewYear) + " is:");
        model.grid.SetText(row, 1, std::to_string(f.daysAway) + " days away");
        model.lastRow = row;
        ++row;
    }
    model.grid.Touch();
}

}  // namespace varnel
