#pragma once
// The in-memory grid every calendar view computes into: rows and columns of
// cells with text, alignment, check state, colours and a hidden data string,
// plus column widths and row heights in twips. Widgets draw a Grid; printing
// and the exports read it back.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/common/Date.h"

namespace varnel {

// A colour as one 24-bit value, red in the low byte, green in the middle byte,
// blue in the high byte; kShadowColor stands for the system's button-shadow colour.
using Color = uint32_t;
inline constexpr Color kShadowColor = 0x80000010u;
inline constexpr Color kNoColor = 0xFFFFFFFFu;  // a cell without a colour of its own
constexpr Color RGB(int red, int green, int blue) {
    return static_cast<Color>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }
// "#rrggbb", or "shadow" for the system colour; empty for kNoColor.
std::string ColorText(Color c);

enum class CellAlignment { LeftTop = 0, LeftCenter = 1, CenterCenter = 4 };
enum class CheckState { None = 0, Checked = 1, Unchecked = 2 };

struct GridCell {
    std::string text;
    CellAlignment alignment = CellAlignment::LeftTop;
    CheckState check = CheckState::None;
    Color background = kNoColor;
    Color foreground = kNoColor;
    std::string data;
    std::optional<Date> date;  // the day a calendar cell shows
};

class Grid {
public:
    Grid() = default;
    Grid(int rows, int cols) { Resize(rows, cols); }

    int Rows() const { return rows_; }
    int Cols() const { return cols_; }
    // Keeps the cells that still fit; new cells are empty.
    void Resize(int rows, int cols);
    // Empties every cell (sizes stay).
    void Clear();

    // Out-of-range cells read as an empty cell and ignore writes.
    const GridCell& Cell(int row, int col) const;
    GridCell* MutableCell(int row, int col);
    void SetText(int row, int col, std::string text);
    void SetData(int row, int col, std::string data);
    void SetBackground(int row, int col, Color c);
    void SetForeground(int row, int col, Color c);
    void SetAlignment(int row, int col, CellAlignment a);
    void SetCheck(int row, int col, CheckState s);

    // Index -1 means all columns / rows. Sizes are in twips.
    void SetColWidth(int col, int twips);
    void SetRowHeight(int row, int twips);
    int ColWidth(int col) const;
    int RowHeight(int row) const;
    int ColPos(int col) const;  // left of a column, from the grid's left
    int RowPos(int row) const;  // top of a row, from the grid's top
    int TotalWidth() const { return ColPos(cols_); }
    int TotalHeight() const { return RowPos(rows_); }

    // Alignment given to every column (the year grids centre their numbers).
    void SetColumnsAlignment(CellAlignment a) { columnsAlignment_ = a; hasColumnsAlignment_ = true; }
    bool HasColumnsAlignment() const { return hasColumnsAlignment_; }
    CellAlignment ColumnsAlignment() const { return columnsAlignment_; }

    // Counts fills, so a drawing layer repaints once per rendering.
    uint64_t Revision() const { return revision_; }
    void Touch() { ++revision_; }

    static constexpr int kDefaultColWidth = 1200;
    static constexpr int kDefaultRowHeight = 300;

private:
    bool InRange(int row, int col) const { return row >= 0 && row < rows_ && col >= 0 && col < cols_; }
    int rows_ = 0;
    int cols_ = 0;
    std::vector<GridCell> cells_;
    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
    CellAlignment columnsAlignment_ = CellAlignment::LeftTop;
    bool hasColumnsAlignment_ = false;
    uint64_t revision_ = 0;
};

}  // namespace varnel
