#include "core/printing/Table.h"

#include <algorithm>

namespace varnel {

FontStyle Table::FontOf(const TableCell& cell) const {
    FontStyle f = font;
    if (cell.style.fontName) f.name = *cell.style.fontName;
    if (cell.style.fontSize) f.size = *cell.style.fontSize;
    if (cell.style.bold) f.bold = *cell.style.bold;
    if (cell.style.italic) f.italic = *cell.style.italic;
    return f;
}

HAlign Table::AlignOf(int row, int col) const {
    if (row >= 0 && row < static_cast<int>(rows.size()) && col >= 0 &&
        col < static_cast<int>(rows[row].cells.size()) && rows[row].cells[col].style.align)
        return *rows[row].cells[col].style.align;
    if (col >= 0 && col < static_cast<int>(columns.size())) return columns[col].align;
    return HAlign::Left;
}

TableBuilder::TableBuilder(std::vector<TableColumn> columns, const FontStyle& font) {
    if (columns.size() > kMaxTableCols) columns.resize(kMaxTableCols);
    table_.columns = std::move(columns);
    table_.font = font;
    table_.rows[0].cells.resize(table_.columns.size());
}

TableBuilder& TableBuilder::Header(const std::vector<std::string>& texts) {
    table_.hasHeader = true;
    std::vector<TableCell>& cells = table_.rows[0].cells;
    for (size_t c = 0; c < texts.size() && c < cells.size(); ++c) cells[c].text = texts[c];
    return *this;
}

TableBuilder& TableBuilder::AddRow(std::vector<std::string> texts) {
    if (BodyRows() >= kMaxTableRows) return *this;
    TableRow& row = table_.rows.emplace_back();
    row.cells.resize(table_.columns.size());
    for (size_t c = 0; c < texts.size() && c < row.cells.size(); ++c) row.cells[c].text = std::move(texts[c]);
    return *this;
}

TableBuilder& TableBuilder::SetColumnCount(int cols) {
    cols = std::clamp(cols, 0, kMaxTableCols);
    table_.columns.resize(static_cast<size_t>(cols));
    for (TableRow& row : table_.rows) row.cells.resize(static_cast<size_t>(cols));
    return *this;
}

TableBuilder& TableBuilder::SetRowCount(int rows) {
    rows = std::clamp(rows, 0, kMaxTableRows);
    table_.rows.resize(static_cast<size_t>(rows) + 1);
    for (TableRow& row : table_.rows) row.cells.resize(table_.columns.size());
    return *this;
}

TableBuilder& TableBuilder::SetHasHeader(bool on) {
    table_.hasHeader = on;
    return *this;
}

TableBuilder& TableBuilder::SetFitColumns(bool on) {
    table_.fitColumns = on;
    return *this;
}

template <class F>
TableBuilder& TableBuilder::ForEachCell(CellRange range, F&& f) {
    const int rows = static_cast<int>(table_.rows.size());
    const int cols = static_cast<int>(table_.columns.size());
    const int r0 = range.row < 0 ? 0 : range.row, r1 = range.row < 0 ? rows - 1 : range.row;
    const int c0 = range.col < 0 ? 0 : range.col - 1, c1 = range.col < 0 ? cols - 1 : range.col - 1;
    for (int r = std::max(r0, 0); r <= r1 && r < rows; ++r)
        for (int c = std::max(c0, 0); c <= c1 && c < cols; ++c) f(table_.rows[r].cells[c]);
    return *this;
}

// Row settings take the range's row, or every row; its column does not matter.
template <class F>
TableBuilder& TableBuilder::ForEachRow(CellRange range, F&& f) {
    for (int r = 0; r < static_cast<int>(table_.rows.size()); ++r)
        if (range.row < 0 || range.row == r) f(table_.rows[r]);
    return *this;
}

TableBuilder& TableBuilder::SetColumnWidth(CellRange range, int twips) {
    twips = std::clamp(twips, 0, 1440 * 100);
    for (int c = 0; c < Columns(); ++c)
        if (range.col < 0 || range.col == c + 1) {
            table_.columns[c].width = twips;
            table_.columns[c].stretch = false;
        }
    return *this;
}

TableBuilder& TableBuilder::SetRowHeight(CellRange range, int twips) {
    twips = std::clamp(twips, 0, 1440 * 100);
    return ForEachRow(range, [&](TableRow& row) { row.height = twips; });
}
TableBuilder& TableBuilder::SetRowHeightFixed(CellRange range, bool fixed) {
    return ForEachRow(range, [&](TableRow& row) { row.fixedHeight = fixed; });
}
TableBuilder& TableBuilder::SetText(CellRange range, std::string_view text) {
    return ForEachCell(range, [&](TableCell& cell) { cell.text = text; });
}
TableBuilder& TableBuilder::SetCorner(CellRange range, std::string_view text) {
    return ForEachCell(range, [&](TableCell& cell) { cell.corner = text; });
}
TableBuilder& TableBuilder::SetAlign(CellRange range, HAlign align) {
    return ForEachCell(range, [&](TableCell& cell) { cell.style.align = align; });
}
TableBuilder& TableBuilder::SetVAlign(CellRange range, VAlign align) {
    return ForEachCell(range, [&](TableCell& cell) { cell.style.valign = align; });
}
TableBuilder& TableBuilder::SetBackground(CellRange range, Color color) {
    return ForEachCell(range, [&](TableCell& cell) { cell.style.background = color; });
}
TableBuilder& TableBuilder::SetForeground(CellRange range, Color color) {
    return ForEachCell(range, [&](TableCell& cell) { cell.style.foreground = color; });
}
TableBuilder& TableBuilder::SetFontName(CellRange range, std::string_view name) {
    return ForEachCell(range, [&](TableCell& cell) { cell.style.fontName = std::string(name); });
}
TableBuilder& TableBuilder::SetFontSize(CellRange range, double points) {
    if (!(points > 0 && points < 1000)) return *this;
    return ForEachCell(range, [&](TableCell& cell) { cell.style.fontSize = points; });
}
TableBuilder& TableBuilder::SetBold(CellRange range, bool on) {
    return ForEachCell(range, [&](TableCell& cell) { cell.style.bold = on; });
}
TableBuilder& TableBuilder::SetItalic(CellRange range, bool on) {
    return ForEachCell(range, [&](TableCell& cell) { cell.style.italic = on; });
}
TableBuilder& TableBuilder::SetColSpan(CellRange range, int span) {
    return ForEachCell(range, [&](TableCell& cell) { cell.colSpan = std::clamp(span, 1, kMaxTableCols); });
}

const TableCell* TableBuilder::Cell(int row, int col) const {
    if (row < 0 || row >= static_cast<int>(table_.rows.size()) || col < 1 || col > Columns()) return nullptr;
    return &table_.rows[row].cells[col - 1];
}

}  // namespace varnel
