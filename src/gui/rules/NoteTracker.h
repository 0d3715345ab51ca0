#pragma once
// The hover bookkeeping of the floating details over the month grid: which
// cell's note shows, and what a pointer move onto a cell asks for.
#include <string>

#include "core/common/Date.h"
#include "core/views/Grid.h"

namespace varnel {

struct NoteCell {
    int row = 0;
    int col = 0;
    bool operator==(const NoteCell&) const = default;
};

struct HoverResult {
    enum class Action { None, Close, Show } action = Action::None;
    std::string text;  // for Show: the day's date, a line break, its details
    bool closePrevious = false;  // for Show: a note was shown before
};

class NoteTracker {
public:
    // A pointer move onto (row, col) while "Floating info" is checked.
    HoverResult PointerMoved(const Grid& grid, Date firstDay, int row, int col, bool buttonHeld);
    NoteCell LastShown() const { return lastShown_; }
    NoteCell Hover() const { return hover_; }

private:
    NoteCell lastShown_{0, 0};
    NoteCell hover_{0, 0};
};

}  // namespace varnel
