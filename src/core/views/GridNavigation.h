#pragma once
// Moving a grid's selection with the arrow keys: one step in a direction,
// passing over the cells that cannot be selected (headers, empty cells).
#include <functional>

namespace varnel {

struct GridPosition {
    int row = 0;
    int col = 0;
};

// The next selectable cell from `from` one step of (dRow, dCol) at a time. Left
// and right continue onto the row before or after, so a week row's ends lead to
// the neighbouring week; up and down stay in the column. When no selectable
// cell lies that way the position stays where it was.
GridPosition StepSelection(int rows, int cols, GridPosition from, int dRow, int dCol,
                           const std::function<bool(int row, int col)>& selectable);

}  // namespace varnel
