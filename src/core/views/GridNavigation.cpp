#include "core/views/GridNavigation.h"

namespace varnel {

GridPosition StepSelection(int rows, int cols, GridPosition from, int dRow, int dCol,
                           const std::function<bool(int row, int col)>& selectable) {
    if (rows <= 0 || cols <= 0 || (dRow == 0 && dCol == 0)) return from;
    int row = from.row;
    int col = from.col;
    for (int steps = 0; steps < rows * cols; ++steps) {
        if (dCol != 0) {
            col += dCol;
            if (col < 0) {
                col = cols - 1;
                --row;
            } else if (col >= cols) {
                col = 0;
                ++row;
            }
        }
        row += dRow;
        if (row < 0 || row >= rows) return from;
        if (selectable(row, col)) return {row, col};
    }
    return from;
}

}  // namespace varnel
