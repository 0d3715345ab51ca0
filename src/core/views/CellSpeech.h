#pragma once
// What a screen reader says for a cell of a calendar grid: a name, read when
// the cell gets the focus, and a description, read after it. A day is named by
// its date followed by the texts its cell shows (Hebrew date, holy day,
// portion, times); its description is the day's full details.
#include <string>

#include "core/common/Date.h"
#include "core/views/Grid.h"

namespace varnel {

struct CellSpeech {
    std::string name;
    std::string description;
    bool operator==(const CellSpeech&) const = default;
};

// A cell of any grid: a day cell (one with a date) as above, any other cell
// by its text, its lines joined with ", ".
CellSpeech SpeechOfCell(const GridCell& cell);

// A day shown by its number only (the year view): its date, then what the
// grid marks it as ("holy day", "Shabbat"; empty for neither).
CellSpeech SpeechOfDay(Date date, const std::string& mark);

}  // namespace varnel
