#include "core/appointments/ShabbatLines.h"

#include "core/common/DateSerial.h"

namespace varnel {

namespace {
constexpr size_t kKeptEntries = 8;

std::string Readings(const ParashahRecord& r) { return r.torah + "|" + r.haftarah + "|" + r.brithadashah; }
}  // namespace

std::vector<std::string> BuildMonthShabbatLines(int32_t firstOfMonth, const ParashahTable& parashot) {
    const YearMonthDay shown = SplitDate(firstOfMonth);
    std::vector<const ParashahRecord*> kept;
    for (int i = 1; i <= kParashotEntries && kept.size() < kKeptEntries; ++i) {
        const ParashahRecord& r = parashot[i];
        if (r.date == 0) continue;
        const YearMonthDay d = SplitDate(r.date);
        if (d.year == shown.year && d.month == shown.month) kept.push_back(&r);
    }
    std::vector<std::string> lines;
    const int32_t last = firstOfMonth + DaysInMonth(shown.year, shown.month) - 1;
    for (int32_t day = firstOfMonth; day <= last && lines.size() < kShabbatSlots; ++day) {
        if (Weekday(day) != 7) continue;
        // The entries are matched to the Saturday by their date, so an entry
        // standing out of date order in the table cannot shift the others.
        const ParashahRecord* first = nullptr;
        const ParashahRecord* second = nullptr;
        for (const ParashahRecord* r : kept) {
            if (r->date != day) continue;
            if (!first) first = r;
            else if (!second) second = r;
        }
        std::string line = std::to_string(day) + "\t";
        if (!first) line += "\t||";
        else if (!second) line += first->parashah + "\t" + Readings(*first);
        else line += first->parashah + "/" + second->parashah + "\t" + Readings(*first) + "|" + Readings(*second);
        lines.push_back(std::move(line));
    }
    return lines;
}

bool ParseShabbatLine(const std::string& line, ShabbatLine& out) {
    const size_t tab1 = line.find('\t');
    if (tab1 == std::string::npos) return false;
    const size_t tab2 = line.find('\t', tab1 + 1);
    if (tab2 == std::string::npos) return false;
    try {
        size_t used = 0;
        out.date = static_cast<int32_t>(std::stol(line.substr(0, tab1), &used));
        if (used != tab1) return false;
    } catch (const std::exception&) {
        return false;
    }
    out.name = line.substr(tab1 + 1, tab2 - tab1 - 1);
    out.readings.clear();
    size_t start = tab2 + 1;
    while (true) {
        const size_t bar = line.find('|', start);
        out.readings.push_back(line.substr(start, bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return true;
}

}  // namespace varnel
