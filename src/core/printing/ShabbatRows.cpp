#include "core/printing/ShabbatRows.h"

#include "core/calendar/HebrewCalendar.h"
#include "core/common/DateFormat.h"
#include "core/common/Date.h"
#include "core/printing/TableFormat.h"
#include "core/times/TimesText.h"
#include "core/views/CalendarTimes.h"
#include "core/views/CalendarSource.h"
#include "core/views/ViewState.h"

namespace varnel {

namespace {

std::string Readings(const ParashahRecord& p) {
    return p.english + " " + p.torah + " " + p.haftarah + " " + p.brithadashah;
}

std::string HebrewDayAndSunset(Date date, const SunDay& sun) {
    const HebrewDate h = HebrewDateOf(date);
    return HebrewMonthName(h.year, h.month) + " " + std::to_string(h.day) + " " + TimeOrAbsence(sun.sunset, sun.absence);
}

}  // namespace

ShabbatInputs ShabbatInputsFor(CalendarSource& source, const ViewState& state) {
    const int year = state.Year();
    ShabbatInputs in;
    in.firstDay = state.currentDate;
    in.dayCount = state.currentMonthDays;
    in.parashot = &source.Year(year).parashot;
    const Place place = source.PlaceIn(year);
    const Date friday = state.currentDate - 1;
    // Only January's rows reach back into the year before, to its last Friday.
    const Place before = year > kMinYear && friday.Year() < year ? source.PlaceIn(year - 1) : place;
    in.sunOf = [place, before, year](Date date) { return SunOn(date, date.Year() < year ? before : place); };
    in.times = FeastTimesOf(source, friday.IsInSupportedRange() ? friday : state.currentDate, state.currentMonthEnd,
                            state.candleMinutes);
    return in;
}

std::string ShabbatRow::Joined() const {
    return date + "\t" + times + "\t" + portion + "\t" + readings + "\t" + FeastTimesText();
}

std::string ShabbatRow::FeastTimesText() const {
    std::string text;
    for (const std::string& t : feastTimes) text += (text.empty() ? "" : ", ") + t;
    return text;
}

namespace {
// Friday's candles (a fast of the Friday is the day's own) and whatever the Saturday holds.
std::vector<std::string> FeastTimesOfShabbat(const std::vector<FeastTime>& times, Date saturday) {
    std::vector<std::string> lines;
    for (Date d : {saturday - 1, saturday})
        for (const FeastTime* t : TimesOn(times, d)) {
            if (d != saturday && t->kind != TimeKind::Candles) continue;
            // A feast's own times name it: a Shabbat row may hold the eve of Rosh Hashanah.
            lines.push_back(t->occasion == "Shabbat" ? std::string(TimeKindLabel(t->kind)) + ": " + TimeValueText(*t)
                                                      : DetailsTimeLine(*t));
        }
    return lines;
}
}  // namespace

std::vector<ShabbatRow> ShabbatRowsOf(const ShabbatInputs& in) {
    std::vector<ShabbatRow> rows;
    if (in.dayCount <= 0 || !in.firstDay.IsInSupportedRange() || !(in.firstDay + in.dayCount - 1).IsInSupportedRange())
        return rows;
    const Date last = in.firstDay + in.dayCount - 1;
    for (Date d = in.firstDay; d <= last; ++d) {
        if (d.Weekday() != 7) continue;
        ShabbatRow row;
        row.saturday = d;
        row.date = MonthDayNumbersText(d);
        // Each day's own sun: where the clocks change between Friday and
        // Saturday, Saturday's sunset is on Saturday's clock.
        const SunDay friday = in.sunOf ? in.sunOf(d - 1) : SunDay{};
        const SunDay saturday = in.sunOf ? in.sunOf(d) : SunDay{};
        row.times = HebrewDayAndSunset(d - 1, friday) + " to " + HebrewDayAndSunset(d, saturday);
        row.feastTimes = FeastTimesOfShabbat(in.times, d);
        // The portions read on this Saturday are the entries dated on it, in
        // table order; pairing entries with Saturdays by position would shift
        // every later row after a Saturday without an entry.
        if (in.parashot)
            for (int e = 1; e <= kParashotEntries; ++e) {
                const ParashahRecord& p = (*in.parashot)[e];
                if (p.date != d) continue;
                row.portion += (row.portion.empty() ? "" : "/") + p.parashah;
                row.readings += (row.readings.empty() ? "" : " ") + Readings(p);
            }
        if (row.portion.empty() && row.readings.empty()) row.readings = "   ";
        rows.push_back(std::move(row));
    }
    return rows;
}

void AddShabbatTableRows(const std::vector<ShabbatRow>& rows, TableBuilder& table) {
    for (size_t k = 0; k < rows.size() && k < kShabbatSlots; ++k) {
        const ShabbatRow& row = rows[k];
        std::string times = row.times;
        for (const std::string& t : row.feastTimes) times += "\r\n" + t;
        table.AddRow({BodyText(row.date), BodyText(times), BodyText(row.portion), BodyText(row.readings)});
    }
}

}  // namespace varnel
