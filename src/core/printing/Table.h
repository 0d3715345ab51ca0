#pragma once
// A table of the print document and the builder that composes it: columns
// with a width and an alignment, an optional header row, body rows of cells,
// and the style of any range of cells. Lengths are twips.
#include <optional>
#include <string>
#include <vector>

#include "core/printing/FontStyle.h"
#include "core/views/Grid.h"

namespace varnel {

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Center, Bottom };

struct TableColumn {
    int width = 0;         // 0: no width given (the layout shares what is left)
    HAlign align = HAlign::Left;
    bool stretch = false;  // takes the width left over
};

// What a table cell looks like. Unset fields fall back to the column's
// alignment and the table's font; colours kNoColor mean none (black text,
// no fill).
struct CellStyle {
    std::optional<HAlign> align;
    VAlign valign = VAlign::Top;
    Color background = kNoColor;
    Color foreground = kNoColor;
    std::optional<std::string> fontName;
    std::optional<double> fontSize;
    std::optional<bool> bold;
    std::optional<bool> italic;
};

struct TableCell {
    std::string text;
    std::string corner;  // set at the top right in the cell's font (a day number); the text keeps clear of it
    CellStyle style;
    int colSpan = 1;  // > 1: the cell covers the next colSpan - 1 cells of its row
};

struct TableRow {
    int height = 0;  // 0 = as high as its text. A set height is a minimum,
    bool fixedHeight = false;  // or, when fixed, exact: text that does not fit is shortened.
    std::vector<TableCell> cells;
};

// Row 0 is the header row when hasHeader is set (repeated at the top of every
// page the table runs onto); body rows follow.
struct Table {
    std::vector<TableColumn> columns;
    std::vector<TableRow> rows{1};  // rows[0] is the header row even when hasHeader is false (then unused)
    bool hasHeader = false;
    // Columns may trade width so that each holds its longest word (the sum
    // stays); otherwise every column keeps the width it was given.
    bool fitColumns = false;
    FontStyle font;  // the document font when the table was started
    int BodyRows() const { return static_cast<int>(rows.size()) - 1; }
    // The font a cell is drawn in: the table's, with the cell's own settings over it.
    FontStyle FontOf(const TableCell& cell) const;
    // The horizontal alignment of a cell: its own, else its column's.
    HAlign AlignOf(int row, int col) const;
};

// A range of a table's cells: row 0 is the header row, body rows and columns
// count from 1; -1 stands for every row or column.
struct CellRange {
    int row = -1;
    int col = -1;
    static CellRange Table() { return {-1, -1}; }
    static CellRange Row(int row) { return {row, -1}; }
    static CellRange Column(int col) { return {-1, col}; }
    static CellRange Cell(int row, int col) { return {row, col}; }
};

inline constexpr int kMaxTableCols = 256;
inline constexpr int kMaxTableRows = 100000;

class TableBuilder {
public:
    TableBuilder(std::vector<TableColumn> columns, const FontStyle& font);

    // The header row's texts; texts past the last column are left out.
    TableBuilder& Header(const std::vector<std::string>& texts);
    // A body row; texts past the last column are left out, missing ones are empty.
    TableBuilder& AddRow(std::vector<std::string> texts);
    // Growing adds empty columns or body rows; shrinking drops them.
    TableBuilder& SetColumnCount(int cols);
    TableBuilder& SetRowCount(int rows);
    TableBuilder& SetHasHeader(bool on);
    TableBuilder& SetFitColumns(bool on);

    // A set width takes the column out of the stretching.
    TableBuilder& SetColumnWidth(CellRange range, int twips);
    TableBuilder& SetRowHeight(CellRange range, int twips);
    TableBuilder& SetRowHeightFixed(CellRange range, bool fixed);
    TableBuilder& SetText(CellRange range, std::string_view text);
    TableBuilder& SetCorner(CellRange range, std::string_view text);
    TableBuilder& SetAlign(CellRange range, HAlign align);
    TableBuilder& SetVAlign(CellRange range, VAlign align);
    TableBuilder& SetBackground(CellRange range, Color color);
    TableBuilder& SetForeground(CellRange range, Color color);
    TableBuilder& SetFontName(CellRange range, std::string_view name);
    TableBuilder& SetFontSize(CellRange range, double points);
    TableBuilder& SetBold(CellRange range, bool on);
    TableBuilder& SetItalic(CellRange range, bool on);
    TableBuilder& SetColSpan(CellRange range, int span);

    int BodyRows() const { return table_.BodyRows(); }
    int Columns() const { return static_cast<int>(table_.columns.size()); }
    // A cell by its table position (nullptr outside the table).
    const TableCell* Cell(int row, int col) const;
    const FontStyle& Font() const { return table_.font; }

    Table Take() && { return std::move(table_); }

private:
    template <class F>
    TableBuilder& ForEachCell(CellRange range, F&& f);
    template <class F>
    TableBuilder& ForEachRow(CellRange range, F&& f);

    Table table_;
};

}  // namespace varnel
