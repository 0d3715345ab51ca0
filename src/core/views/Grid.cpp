#include "core/views/Grid.h"

#include <cstdio>

namespace varnel {

std::string ColorText(Color c) {
    if (c == kNoColor) return {};
    if (c == kShadowColor) return "shadow";
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", RedOf(c), GreenOf(c), BlueOf(c));
    return buf;
}

void Grid::Resize(int rows, int cols) {
    rows = rows < 0 ? 0 : rows;
    cols = cols < 0 ? 0 : cols;
    if (rows == rows_ && cols == cols_) {  // the views refill grids of the same shape
        ++revision_;
        return;
    }
    std::vector<GridCell> cells(static_cast<size_t>(rows) * static_cast<size_t>(cols));
    for (int r = 0; r < rows && r < rows_; ++r)
        for (int c = 0; c < cols && c < cols_; ++c)
            cells[static_cast<size_t>(r) * cols + c] = std::move(cells_[static_cast<size_t>(r) * cols_ + c]);
    cells_ = std::move(cells);
    colWidths_.resize(static_cast<size_t>(cols), kDefaultColWidth);
    rowHeights_.resize(static_cast<size_t>(rows), kDefaultRowHeight);
    rows_ = rows;
    cols_ = cols;
    ++revision_;
}

void Grid::Clear() {
    for (GridCell& cell : cells_) cell = GridCell{};
    ++revision_;
}

const GridCell& Grid::Cell(int row, int col) const {
    static const GridCell kEmpty;
    return InRange(row, col) ? cells_[static_cast<size_t>(row) * cols_ + col] : kEmpty;
}

GridCell* Grid::MutableCell(int row, int col) {
    return InRange(row, col) ? &cells_[static_cast<size_t>(row) * cols_ + col] : nullptr;
}

void Grid::SetText(int row, int col, std::string text) {
    if (GridCell* c = MutableCell(row, col)) c->text = std::move(text);
}
void Grid::SetData(int row, int col, std::string data) {
    if (GridCell* c = MutableCell(row, col)) c->data = std::move(data);
}
void Grid::SetBackground(int row, int col, Color color) {
    if (GridCell* c = MutableCell(row, col)) c->background = color;
}
void Grid::SetForeground(int row, int col, Color color) {
    if (GridCell* c = MutableCell(row, col)) c->foreground = color;
}
void Grid::SetAlignment(int row, int col, CellAlignment a) {
    if (GridCell* c = MutableCell(row, col)) c->alignment = a;
}
void Grid::SetCheck(int row, int col, CheckState s) {
    if (GridCell* c = MutableCell(row, col)) c->check = s;
}

void Grid::SetColWidth(int col, int twips) {
    if (col == -1) {
        for (int& w : colWidths_) w = twips;
    } else if (col >= 0 && col < cols_) {
        colWidths_[static_cast<size_t>(col)] = twips;
    }
}

void Grid::SetRowHeight(int row, int twips) {
    if (row == -1) {
        for (int& h : rowHeights_) h = twips;
    } else if (row >= 0 && row < rows_) {
        rowHeights_[static_cast<size_t>(row)] = twips;
    }
}

int Grid::ColWidth(int col) const { return col >= 0 && col < cols_ ? colWidths_[static_cast<size_t>(col)] : 0; }
int Grid::RowHeight(int row) const { return row >= 0 && row < rows_ ? rowHeights_[static_cast<size_t>(row)] : 0; }

int Grid::ColPos(int col) const {
    int x = 0;
    for (int c = 0; c < col && c < cols_; ++c) x += colWidths_[static_cast<size_t>(c)];
    return x;
}

int Grid::RowPos(int row) const {
    int y = 0;
    for (int r = 0; r < row && r < rows_; ++r) y += rowHeights_[static_cast<size_t>(r)];
    return y;
}

}  // namespace varnel
