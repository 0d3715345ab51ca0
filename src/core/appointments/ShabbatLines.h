#pragma once
// The month's Shabbatot with the portions read on each, as the calendar
// export takes them: one line per Saturday, in date order.
#include <string>
#include <vector>

#include "core/calendar/Parashot.h"
#include "core/common/Date.h"

namespace varnel {

struct ShabbatPortion {
    std::string name;
    std::string torah;
    std::string haftarah;
    std::string brithadashah;
};

struct ShabbatLine {
    Date date;
    // None on a Saturday without a portion, two when they are read together.
    std::vector<ShabbatPortion> portions;

    // "first" or "first/second"; empty without a portion.
    std::string Name() const;
};

// One line per Saturday of the month that begins on firstOfMonth, in date order.
std::vector<ShabbatLine> BuildMonthShabbatLines(Date firstOfMonth, const ParashahTable& parashot);

}  // namespace varnel
