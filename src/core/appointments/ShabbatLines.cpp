#include "core/appointments/ShabbatLines.h"

#include "core/common/Date.h"

namespace varnel {

namespace {
constexpr size_t kKeptEntries = 8;

ShabbatPortion PortionOf(const ParashahRecord& r) { return {r.parashah, r.torah, r.haftarah, r.brithadashah}; }
}  // namespace

std::string ShabbatLine::Name() const {
    std::string name;
    for (const ShabbatPortion& p : portions) {
        if (&p != &portions.front()) name += '/';
        name += p.name;
    }
    return name;
}

std::vector<ShabbatLine> BuildMonthShabbatLines(Date firstOfMonth, const ParashahTable& parashot) {
    const YearMonthDay shown = firstOfMonth.Parts();
    std::vector<const ParashahRecord*> kept;
    for (int i = 1; i <= kParashotEntries && kept.size() < kKeptEntries; ++i) {
        const ParashahRecord& r = parashot[i];
        if (r.date && r.date->IsInMonth(shown.year, shown.month)) kept.push_back(&r);
    }
    std::vector<ShabbatLine> lines;
    const Date last = firstOfMonth + DaysInMonth(shown.year, shown.month) - 1;
    for (Date day = firstOfMonth; day <= last && lines.size() < kShabbatSlots; ++day) {
        if (day.Weekday() != 7) continue;
        // The entries are matched to the Saturday by their date, so an entry
        // standing out of date order in the table cannot shift the others.
        ShabbatLine& line = lines.emplace_back();
        line.date = day;
        for (const ParashahRecord* r : kept)
            if (r->date == day && line.portions.size() < 2) line.portions.push_back(PortionOf(*r));
    }
    return lines;
}

}  // namespace varnel
