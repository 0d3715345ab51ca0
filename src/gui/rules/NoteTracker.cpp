#include "gui/rules/NoteTracker.h"

#include "core/common/DateFormat.h"
#include "core/common/Profile.h"
#include "core/views/DayDetails.h"

namespace varnel {

HoverResult NoteTracker::PointerMoved(const Grid& grid, Date firstDay, int row, int col, bool buttonHeld) {
    hover_ = {row, col};
    HoverResult result;
    if (row < 1 || buttonHeld) return result;
    const GridCell& cell = grid.Cell(row, col);
    // Blanks only: the details keep their closing line break.
    const std::string details = TrimBlanks(cell.data, " ");
    if (details.empty()) {
        result.action = HoverResult::Action::Close;
        return result;
    }
    if (hover_ == lastShown_ || (hover_.row == lastShown_.row && hover_.col == lastShown_.col + 1)) return result;
    result.action = HoverResult::Action::Show;
    result.text = NoteDateText(cell.date.value_or(firstDay)) + kLineBreak + details;
    result.closePrevious = !(lastShown_ == NoteCell{-1, -1});
    lastShown_ = hover_;
    return result;
}

}  // namespace varnel
