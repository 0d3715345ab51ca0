#include "core/views/MonthView.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/calendar/HebrewCalendar.h"
#include "core/common/DateFormat.h"
#include "core/common/Date.h"
#include "core/solar/Location.h"
#include "core/views/CalendarTimes.h"
#include "core/views/ColorScheme.h"

namespace varnel {
namespace {

constexpr const char* kHeaders[kMonthCols] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Shabbat"};

// "00".."30": the day's offset from the first of the month.
std::string OffsetDigits(int offset) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", offset);
    return buf;
}

// The month's times from the one year's days the inputs hold.
std::vector<FeastTime> MonthTimesFromTable(const MonthInputs& in, const PlacedHolyDays& table, Date last) {
    TimesInputs t;
    t.candleMinutes = in.candleMinutes;
    t.sunOf = in.sunOf;
    t.depressionOf = in.depressionOf;
    t.occasionOf = [&table](Date d) {
        std::vector<const HolyDayRecord*> onDate;
        for (const HolyDayRecord& h : table)
            if (h.date == d) onDate.push_back(&h);
        return OccasionOf(d, onDate);
    };
    return FeastTimesBetween(in.firstDay, last, t);
}

}  // namespace

MonthCell MonthCellOf(Date firstDay, int day) {
    const int w = firstDay.Weekday() - 1;  // Sunday = 0
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
            cell->date.reset();
            cell->alignment = CellAlignment::LeftTop;
        }
    view.dayLabelVisible.fill(false);
    for (int c = 0; c < kMonthCols; ++c) {
        g.SetText(0, c, kHeaders[c]);
        g.SetAlignment(0, c, CellAlignment::CenterCenter);
    }
    g.Touch();
}

std::string MonthTitle(Date firstDay, Date lastDay) {
    const HebrewDate first = HebrewDateOf(firstDay);
    const HebrewDate last = HebrewDateOf(lastDay);
    std::string months = HebrewMonthName(first.year, first.month);
    const std::string& lastName = HebrewMonthName(last.year, last.month);
    if (lastName != months) months += "-" + lastName;
    std::string years = std::to_string(first.year);
    if (last.year != first.year) years += "-" + std::to_string(last.year);
    return months + " " + years + " / " + MonthYearText(firstDay);
}

void ComposeMonth(const MonthInputs& in, MonthViewModel& view) {
    static const PlacedHolyDays kNoHolyDays{};
    MonthData month;
    const PlacedHolyDays& holyDays = in.holyDays ? *in.holyDays : kNoHolyDays;
    CollectMonthData(in.firstDay, holyDays, in.parashot, month, in.omer);
    const int dayCount = in.dayCount < 0 ? 0 : (in.dayCount > 31 ? 31 : in.dayCount);
    std::vector<FeastTime> ownTimes;
    if (!in.times && dayCount > 0) ownTimes = MonthTimesFromTable(in, holyDays, in.firstDay + (dayCount - 1));
    month.times = in.times ? &*in.times : &ownTimes;
    view.lastStartOfMonth = in.firstDay;

    ClearMonthGrid(view);
    Grid& g = view.grid;
    DayTexts texts;
    static const std::vector<PersonalDay> kNoPersonalDays;
    const std::vector<PersonalDay>& personal = in.personal ? *in.personal : kNoPersonalDays;
    auto nextPersonal = std::lower_bound(personal.begin(), personal.end(), in.firstDay,
                                         [](const PersonalDay& p, Date d) { return p.date < d; });
    for (int i = 0; i < dayCount; ++i) {
        const Date date = in.firstDay + i;
        const MonthCell at = MonthCellOf(in.firstDay, i + 1);
        GridCell* cell = g.MutableCell(at.row, at.col);
        if (!cell) continue;
        const bool shabbat = at.col == 6;
        cell->background = shabbat ? in.shabbatColor : kWhiteColor;
        cell->foreground = shabbat ? kWhiteColor : kBlackColor;
        view.dayLabelCells[static_cast<size_t>(i + 1)] = at;
        view.dayLabelVisible[static_cast<size_t>(i + 1)] = true;

        const SunDay sun = in.sunOf ? in.sunOf(date) : SunDay{};
        DayFacts facts = FactsOfDay(date, month, sun);
        const auto dayStart = nextPersonal;
        while (nextPersonal != personal.end() && nextPersonal->date == date) ++nextPersonal;
        facts.personal = std::span<const PersonalDay>(dayStart, nextPersonal);
        ComposeDayTexts(facts, in.city, texts, in.shabbatTimesOnHolyDays);
        cell->text = std::move(texts.cell);
        cell->data = std::move(texts.details);
        cell->date = date;
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

MonthInputs MonthInputsFor(const ViewState& state, const YearCalendar& year, const Place& place) {
    MonthInputs in;
    in.firstDay = state.currentDate;
    in.dayCount = state.currentMonthDays;
    in.holyDays = &year.holyDays;
    in.omer = year.rules.omer;
    in.parashot = &year.parashot;
    in.city = place.name;
    in.holyDayColor = state.holyDayColor;
    in.shabbatColor = state.shabbatColor;
    in.floatDetails = state.floatDetails;
    in.shabbatTimesOnHolyDays = state.shabbatTimesOnHolyDays;
    in.personal = &year.personal;
    in.candleMinutes = state.candleMinutes;
    in.sunOf = [&place](Date date) { return SunOn(date, place); };
    in.depressionOf = [&place](Date date, double degrees, bool morning) {
        return SunBelowHorizon(date, place, degrees, morning);
    };
    return in;
}

void ComposeMonth(const ViewState& state, CalendarSource& source, MonthViewModel& view) {
    const int year = state.Year();
    // The year is built before the times ask for its holy days, so they are
    // not placed apart first; the times ask a neighbouring year for its holy
    // days only, and the year is asked for again after them.
    source.Year(year);
    std::vector<FeastTime> times =
        FeastTimesOf(source, state.currentDate, state.currentMonthEnd, state.candleMinutes);
    MonthInputs in = MonthInputsFor(state, source.Year(year), source.PlaceIn(year));
    in.times = std::move(times);
    ComposeMonth(in, view);
}

std::string MonthCellData(const GridCell& cell, Date firstDay) {
    if (!cell.date) return cell.data;
    std::string data = OffsetDigits(*cell.date - firstDay);
    data += cell.data;
    return data;
}

}  // namespace varnel
