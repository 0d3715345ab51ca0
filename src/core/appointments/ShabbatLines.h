#pragma once
// The month's Shabbatot with their portions, one line per Saturday, as the
// calendar export reads them: "date<TAB>name<TAB>readings", the date a whole
// day count, joined portions as "first/second" with six readings.
#include <cstdint>
#include <string>
#include <vector>

#include "core/calendar/Parashot.h"

namespace varnel {

// One line per Saturday of the month that begins on firstOfMonth, in date order.
std::vector<std::string> BuildMonthShabbatLines(int32_t firstOfMonth, const ParashahTable& parashot);

// A line taken apart again.
struct ShabbatLine {
    int32_t date = 0;
    std::string name;                   // "first" or "first/second"
    std::vector<std::string> readings;  // torah|haftarah|brithadashah[|torah|haftarah|brithadashah]
};
bool ParseShabbatLine(const std::string& line, ShabbatLine& out);

}  // namespace varnel
