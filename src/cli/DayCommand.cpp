#include <algorithm>

#include "cli/CommandCalendar.h"
#include "cli/CommandLine.h"
#include "cli/TextOut.h"
#include "core/common/Date.h"
#include "core/common/Json.h"
#include "core/views/DayView.h"
#include "core/views/MonthView.h"

namespace varnel {
namespace {

std::string DayViewText(const DayViewModel& day) {
    size_t first = 0;
    for (int r = 0; r <= day.lastRow; ++r) first = std::max(first, day.grid.Cell(r, 0).text.size());
    std::string text = day.title + "\n";
    for (int r = 0; r <= day.lastRow; ++r) {
        std::string line = day.grid.Cell(r, 0).text;
        const std::string& second = day.grid.Cell(r, 1).text;
        if (!second.empty()) line += std::string(first - line.size() + 2, ' ') + second;
        text += line + "\n";
    }
    return text;
}

std::string DayViewJson(const DayViewModel& day) {
    JsonWriter w;
    w.BeginObject().Key("title").String(day.title).Key("rows").BeginArray();
    for (int r = 0; r <= day.lastRow; ++r)
        w.BeginArray().String(day.grid.Cell(r, 0).text).String(day.grid.Cell(r, 1).text).EndArray();
    w.EndArray().EndObject();
    return w.Text();
}

}  // namespace

namespace cli {

int RunDay(const Context& context) {
    const Date date = ParseDate(context.args[0]);
    const auto calendar = OpenCommandCalendar(context, date);
    DayViewModel day;
    RenderDay(*calendar, date, day);
    cli::out << (context.json ? DayViewJson(day) + "\n" : DayViewText(day));
    return 0;
}

}  // namespace cli
}  // namespace varnel
