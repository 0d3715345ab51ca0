#include "core/views/DayFacts.h"

#include "core/common/Date.h"

namespace varnel {
namespace {


const HolyDayRecord* HolyDayOf(Date date, const MonthData& month) {
    const int day = date - month.firstDay + 1;
    if (day < 1 || day > 31) return nullptr;
    const HolyDayRecord* holy = month.holyDays[static_cast<size_t>(day - 1)];
    return holy && !holy->name.empty() ? holy : nullptr;
}

// The portions a Saturday reads, and how many turns it uses from `turn` on.
struct SaturdayPortions {
    const ParashahRecord* portion = nullptr;
    const ParashahRecord* joined = nullptr;
    int used = 0;
};

SaturdayPortions PortionsOfSaturday(Date date, bool holyDay, const MonthData& month, int turn) {
    SaturdayPortions s;
    if (turn >= month.portionCount) return s;
    const ParashahRecord* p = month.portions[static_cast<size_t>(turn)];
    s.used = 1;
    // A holy day names its own readings unless the portion is really dated that day.
    if (holyDay && p->date != date) return s;
    s.portion = p;
    // A portion joined to this one shares its date and is read the same day,
    // so the next Saturday does not inherit it.
    if (turn + 1 < month.portionCount && month.portions[static_cast<size_t>(turn + 1)]->date == p->date) {
        s.joined = month.portions[static_cast<size_t>(turn + 1)];
        s.used = 2;
    }
    return s;
}

}  // namespace

void CollectMonthData(Date firstDay, const PlacedHolyDays& holyDays, const ParashahTable* parashot,
                      MonthData& month, OmerReckoning omer) {
    month = MonthData{};
    const YearMonthDay ymd = firstDay.Parts();
    month.year = ymd.year;
    month.month = ymd.month;
    month.firstDay = firstDay;
    month.omer = omer;

    const auto inMonth = [&](std::optional<Date> date) { return date && date->IsInMonth(ymd.year, ymd.month); };
    for (const HolyDayRecord& h : holyDays) {
        if (!inMonth(h.date)) continue;
        const HolyDayRecord*& slot = month.holyDays[static_cast<size_t>(h.date->Day() - 1)];
        if (!slot || TakesTheDay(h, *slot)) slot = &h;
    }
    if (!parashot) return;
    for (int i = 1; i <= kParashotEntries && month.portionCount < kMaxMonthPortions; ++i) {
        const ParashahRecord& p = (*parashot)[static_cast<size_t>(i)];
        if (inMonth(p.date)) month.portions[static_cast<size_t>(month.portionCount++)] = &p;
    }
}

DayFacts FactsOfDay(Date date, const MonthData& month, const SunDay& sun) {
    DayFacts f;
    f.date = date;
    f.hebrew = HebrewDateOf(date);
    f.weekday = date.Weekday();
    f.holyDay = HolyDayOf(date, month);
    f.sun = sun;
    f.omerDay = OmerDayOf(date, month.omer);
    if (month.times)
        for (const FeastTime& t : *month.times)
            if (t.date == date) f.times.push_back(t);
    if (f.weekday != kSaturday) return f;

    // The month's Saturdays take the portions by position: replay the earlier ones.
    int turn = 0;
    const Date firstSaturday = month.firstDay.SaturdayOnOrAfter();
    for (Date d = firstSaturday; d < date; d += 7)
        turn += PortionsOfSaturday(d, HolyDayOf(d, month) != nullptr, month, turn).used;
    const SaturdayPortions today = PortionsOfSaturday(date, f.holyDay != nullptr, month, turn);
    f.portion = today.portion;
    f.joinedPortion = today.joined;
    return f;
}

}  // namespace varnel
