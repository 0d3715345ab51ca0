#include <array>
#include <cstdlib>

#include "cli/CommandCalendar.h"
#include "cli/CommandLine.h"
#include "cli/TextOut.h"
#include "core/calendar/HolyDays.h"
#include "core/common/Date.h"
#include "core/common/Json.h"
#include "core/views/YearView.h"

namespace varnel {
namespace {

// A month as a small calendar: each day right-aligned, "*" after a holy day.
// Holy days are read from the table, not from the cell colours, which cannot
// tell them from Shabbat when a scheme number outside the table makes both black.
std::string MonthText(int year, int month, const std::string& label, const Grid& grid, const PlacedHolyDays& holyDays) {
    std::array<bool, 32> holy{};
    for (const HolyDayRecord& day : holyDays) {
        const std::optional<Date> date = day.date;
        if (!date) continue;
        const YearMonthDay ymd = date->Parts();
        if (ymd.year == year && ymd.month == month) holy[static_cast<size_t>(ymd.day)] = true;
    }
    std::string text = label + "\n";
    for (int r = 0; r < grid.Rows(); ++r) {
        std::string line;
        for (int c = 0; c < grid.Cols(); ++c) {
            const GridCell& cell = grid.Cell(r, c);
            std::string field = cell.text;
            // Padded by characters: a personal date's mark is one character of three bytes.
            const size_t width = field.size() - (field.find(kPersonalDayMark) == std::string::npos ? 0 : 2);
            field.insert(0, width < 3 ? 3 - width : 0, ' ');
            const int day = r > 0 && !cell.text.empty() ? std::atoi(cell.text.c_str()) : 0;
            const bool marked = day > 0 && day < 32 && holy[static_cast<size_t>(day)];
            line += field + (marked ? "*" : " ");
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        if (!line.empty()) text += line + "\n";
    }
    return text;
}

std::string YearViewText(const YearViewModel& year, const PlacedHolyDays& holyDays) {
    std::string text = year.title + "\n";
    for (size_t m = 0; m < year.grids.size(); ++m)
        text += "\n" + MonthText(year.year, static_cast<int>(m) + 1, year.monthLabels[m], year.grids[m], holyDays);
    text += "\n* holy day\n";
    return text;
}

std::string YearViewJson(const YearViewModel& year) {
    JsonWriter w;
    const auto color = [&w](Color c) {
        if (c == kNoColor) w.Null();
        else w.String(ColorText(c));
    };
    w.BeginObject().Key("title").String(year.title).Key("months").BeginArray();
    for (size_t m = 0; m < year.grids.size(); ++m) {
        const Grid& grid = year.grids[m];
        w.BeginObject().Key("label").String(year.monthLabels[m]).Key("grid").BeginArray();
        for (int r = 0; r < grid.Rows(); ++r) {
            w.BeginArray();
            for (int c = 0; c < grid.Cols(); ++c) {
                const GridCell& cell = grid.Cell(r, c);
                w.BeginObject().Key("text").String(cell.text).Key("background");
                color(cell.background);
                w.Key("foreground");
                color(cell.foreground);
                w.EndObject();
            }
            w.EndArray();
        }
        w.EndArray().EndObject();
    }
    w.EndArray().EndObject();
    return w.Text();
}

}  // namespace

namespace cli {

int RunYear(const Context& context) {
    const int year = ParseYear(context.args[0]);
    const auto calendar = OpenCommandCalendar(context, Date(year, 1, 1));
    const PlacedHolyDays& holyDays = calendar->source.Year(year).holyDays;
    YearViewModel view;
    RenderYear(*calendar, year, view);
    cli::out << (context.json ? YearViewJson(view) + "\n" : YearViewText(view, holyDays));
    return 0;
}

}  // namespace cli
}  // namespace varnel
