#include "cli/MonthCommand.h"

#include "cli/CommandCalendar.h"
#include "cli/CommandLine.h"
#include "cli/TextOut.h"
#include "core/common/DateFormat.h"
#include "core/common/Date.h"
#include "core/common/Json.h"
#include "core/views/ColorScheme.h"
#include "core/views/MonthView.h"

namespace varnel {
namespace {

// A cell's lines joined on one line of output.
std::string OneLine(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') continue;
        if (text[i] == '\n') {
            // Runs of empty lines (before the Omer count) become one separator.
            if (!out.empty() && (out.size() < 3 || out.compare(out.size() - 3, 3, " | ") != 0)) out += " | ";
            continue;
        }
        out += text[i];
    }
    return out;
}

}  // namespace

std::string MonthViewText(const MonthViewModel& view, Color holyDayColor) {
    std::string text = view.title + "\n";
    for (int r = 1; r < kMonthRows; ++r)
        for (int c = 0; c < kMonthCols; ++c) {
            const GridCell& cell = view.grid.Cell(r, c);
            if (!cell.date) continue;
            std::string line = ShortWeekdayDateText(*cell.date) + "  " + OneLine(cell.text);
            if (cell.background == holyDayColor && cell.foreground == kBlackColor) line += "  [holy day]";
            text += line + "\n";
        }
    const GridCell& switchCell = view.grid.Cell(kFloatInfoRow, kFloatInfoCol);
    text += std::string(kFloatInfoText) + ": " + (switchCell.check == CheckState::Checked ? "on" : "off") + "\n";
    return text;
}

std::string MonthViewJson(const MonthViewModel& view) {
    JsonWriter w;
    w.BeginObject().Key("title").String(view.title).Key("first").Date(view.lastStartOfMonth).Key("grid").BeginArray();
    const auto color = [&w](Color c) {
        if (c == kNoColor) w.Null();
        else w.String(ColorText(c));
    };
    for (int r = 0; r < kMonthRows; ++r) {
        w.BeginArray();
        for (int c = 0; c < kMonthCols; ++c) {
            const GridCell& cell = view.grid.Cell(r, c);
            w.BeginObject().Key("text").String(cell.text).Key("data").String(MonthCellData(cell, view.lastStartOfMonth)).Key("background");
            color(cell.background);
            w.Key("foreground");
            color(cell.foreground);
            w.Key("checked");
            if (cell.check == CheckState::None) w.Null();
            else w.Bool(cell.check == CheckState::Checked);
            w.EndObject();
        }
        w.EndArray();
    }
    w.EndArray().EndObject();
    return w.Text();
}

namespace cli {

int RunMonth(const Context& context) {
    int year = 0, month = 0;
    ParseMonth(context.args[0], year, month);
    const auto calendar = OpenCommandCalendar(context, Date(year, month, 1));
    MonthViewModel view;
    RenderMonth(*calendar, view);
    cli::out << (context.json ? MonthViewJson(view) + "\n" : MonthViewText(view, calendar->state.holyDayColor));
    return 0;
}

}  // namespace cli
}  // namespace varnel
