#pragma once
// The month's Shabbatot as the printouts and the calendar page list them: one
// row per Saturday with its date, the hours of Shabbat (Friday's sunset to
// Saturday's, with their Hebrew dates) and its candle-lighting and Havdalah,
// the portion and its readings.
#include <functional>
#include <string>
#include <vector>

#include "core/calendar/Parashot.h"
#include "core/common/Date.h"
#include "core/printing/Table.h"
#include "core/solar/Location.h"
#include "core/times/FeastTimes.h"

namespace varnel {

struct ShabbatInputs {
    Date firstDay;  // a first of month
    int dayCount = 0;
    const ParashahTable* parashot = nullptr;
    // The sun of a date at the place, with that date's own daylight decision.
    std::function<SunDay(Date date)> sunOf;
    // The feasts' times from the Friday before the first day to the last day, in date order.
    std::vector<FeastTime> times;
};

class CalendarSource;
struct ViewState;

// The displayed month of a view state: its year's portions, and the sun at the
// chosen place with the daylight rules of each day's own year (the Friday
// before a 1 January Saturday belongs to the year before), and the times with
// the state's candle-lighting minutes.
ShabbatInputs ShabbatInputsFor(CalendarSource& source, const ViewState& state);

struct ShabbatRow {
    Date saturday;
    std::string date;      // "mm/dd"
    std::string times;     // "Kislev 3 4:58 PM to Kislev 4 4:59 PM"
    std::string portion;   // "Vayetze", or two joined portions "Matot/Masei"
    std::string readings;  // english, torah, haftarah, brithadashah, space-separated
    // Friday's candle-lighting and every time of the Saturday: "Candles: 4:40 PM", "Havdalah: 5:41 PM".
    std::vector<std::string> feastTimes;
    // Those in one line: "Candles: 4:40 PM, Havdalah: 5:41 PM".
    std::string FeastTimesText() const;
    // The fields joined by tabs, as the command line lists them: date, times,
    // portion, readings, feast times.
    std::string Joined() const;
};

// One row per Saturday of the month, in date order. Each Saturday shows the
// portion entries dated on it (two or more joined with "/"); a Saturday with
// none has an empty portion and readings of three spaces.
std::vector<ShabbatRow> ShabbatRowsOf(const ShabbatInputs& in);

// The rows as body rows of a printed Shabbat table (date, times with each
// feast time on a line of its own, portion, readings), each ";" printed as
// ","; rows after the sixth are dropped: no month has more.
void AddShabbatTableRows(const std::vector<ShabbatRow>& rows, TableBuilder& table);

}  // namespace varnel
