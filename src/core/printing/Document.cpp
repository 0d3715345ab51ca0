#include "core/printing/Document.h"

#include <algorithm>

namespace varnel {

namespace {
constexpr int kMaxTableCols = 256;
constexpr int kMaxTableRows = 100000;
}  // namespace

PageSetup PageSetupFor(PaperSize paper) {
    PageSetup page;
    page.paper = paper;
    switch (paper) {
    case PaperSize::A4: page.paperWidth = 11906; page.paperHeight = 16838; break;
    case PaperSize::A5: page.paperWidth = 8391; page.paperHeight = 11906; break;
    case PaperSize::Letter:
    case PaperSize::Custom: page.paperWidth = 12240; page.paperHeight = 15840; break;
    }
    return page;
}

std::optional<PaperSize> PaperFromCode(int code) {
    switch (code) {
    case 1: return PaperSize::Letter;
    case 9: return PaperSize::A4;
    case 11: return PaperSize::A5;
    default: return std::nullopt;
    }
}

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
    if (col >= 0 && col < static_cast<int>(columns.size())) return columns[col].format.align;
    return HAlign::Left;
}

PageBand SplitBand(std::string_view text, const FontStyle& font) {
    PageBand band;
    band.font = font;
    std::vector<std::string> parts = SplitColumns(text);
    if (!parts.empty()) band.left = std::move(parts[0]);
    if (parts.size() > 1) band.center = std::move(parts[1]);
    // A right part holding "|" keeps it: only the first two separate parts.
    for (size_t i = 2; i < parts.size(); ++i) band.right += (i > 2 ? "|" : "") + parts[i];
    return band;
}

std::string WithPageNumber(std::string_view part, int page) {
    std::string out;
    const std::string number = std::to_string(page);
    for (size_t i = 0; i < part.size(); ++i) {
        if (part[i] == '%' && i + 1 < part.size() && part[i + 1] == 'd') {
            out += number;
            ++i;
        } else {
            out += part[i];
        }
    }
    return out;
}

void Document::StartDoc() {
    blocks_.clear();
    open_.reset();
    header_ = PageBand{};
    footer_ = PageBand{};
    header_.font = footer_.font = bandFont_;
    started_ = true;
    ended_ = false;
}

void Document::EndDoc() {
    if (open_) EndTable();
    ended_ = true;
}

void Document::SetPaper(PaperSize paper) {
    const PageSetup sized = PageSetupFor(paper);
    page_.paper = paper;
    page_.paperWidth = sized.paperWidth;
    page_.paperHeight = sized.paperHeight;
}

void Document::SetMargins(int left, int top, int right, int bottom) {
    // Margins never leave less than an inch of paper between them.
    const auto clampPair = [](int& a, int& b, int paper) {
        a = std::max(0, a);
        b = std::max(0, b);
        if (a + b > paper - 1440) a = b = std::max(0, (paper - 1440) / 2);
    };
    clampPair(left, right, page_.paperWidth);
    clampPair(top, bottom, page_.paperHeight);
    page_.marginLeft = left;
    page_.marginTop = top;
    page_.marginRight = right;
    page_.marginBottom = bottom;
}

void Document::SetBandFont(const FontStyle& font) {
    bandFont_ = font;
    header_.font = footer_.font = font;
}

void Document::SetHeader(std::string_view text) { header_ = SplitBand(text, bandFont_); }
void Document::SetFooter(std::string_view text) { footer_ = SplitBand(text, bandFont_); }

void Document::AddParagraph(std::string text, HAlign align) {
    blocks_.emplace_back(Paragraph{std::move(text), font_, align});
}

void Document::DrawPicture(std::string path, Box box, PictureFit fit) {
    blocks_.emplace_back(Picture{std::move(path), box, fit});
}

void Document::DrawTextBox(std::string text, Box box) {
    blocks_.emplace_back(TextBox{std::move(text), box, font_});
}

void Document::DrawGrid(const Grid& grid) { blocks_.emplace_back(GridPicture{grid, font_}); }

void Document::SetCurrentX(int left) { blocks_.emplace_back(Position{left, std::nullopt, 0}); }
void Document::SetCurrentY(int top) { blocks_.emplace_back(Position{std::nullopt, top, 0}); }
void Document::MoveDown(int twips) { blocks_.emplace_back(Position{std::nullopt, std::nullopt, twips}); }

void Document::SetColumns(int count, int spacing) {
    blocks_.emplace_back(Columns{std::clamp(count, 1, 12), std::max(0, spacing)});
}

void Document::SelectColumn(int index) { blocks_.emplace_back(ColumnSelect{std::max(1, index)}); }
void Document::NewPage() { blocks_.emplace_back(PageBreak{}); }

void Document::StartTable() {
    if (open_) EndTable();
    open_.emplace();
    open_->font = font_;
    open_->rows.resize(1);  // the header row's place
}

Table& Document::OpenTable() {
    if (!open_) StartTable();
    return *open_;
}

namespace {

void FitRow(TableRow& row, size_t cols) { row.cells.resize(cols); }

}  // namespace

void Document::AddTable(std::string_view format, std::string_view header, std::string_view body) {
    std::vector<std::vector<std::string>> rows = SplitBody(body);
    // A "|" inside a text would push the rest of its row past the format's
    // last column; that text stays in the last column rather than being lost.
    const size_t formatCols = format.empty() ? 0 : ParseTableFormat(format).size();
    for (auto& row : rows)
        if (formatCols > 0 && row.size() > formatCols) {
            for (size_t c = formatCols; c < row.size(); ++c) row[formatCols - 1] += "|" + row[c];
            row.resize(formatCols);
        }
    // Columns by rows, the form AddTableArray takes.
    size_t cols = 0;
    for (const auto& r : rows) cols = std::max(cols, r.size());
    std::vector<std::vector<std::string>> byColumn(cols, std::vector<std::string>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c) byColumn[c][r] = std::move(rows[r][c]);
    AddTableArray(format, header, byColumn);
}

void Document::AddTableArray(std::string_view format, std::string_view header,
                             const std::vector<std::vector<std::string>>& body) {
    Table& table = OpenTable();
    std::vector<ColumnFormat> formats = ParseTableFormat(format);
    std::vector<std::string> headerCells = SplitColumns(header);
    // Without a format the header or body gives the columns.
    size_t cols = formats.size();
    if (format.empty()) cols = std::max({size_t{1}, headerCells.size(), body.size()});
    if (!header.empty()) cols = std::max(cols, headerCells.size());
    cols = std::min<size_t>(cols, kMaxTableCols);
    formats.resize(cols);
    table.columns.clear();
    for (const ColumnFormat& f : formats) table.columns.push_back(TableColumn{f});

    size_t bodyRows = 0;
    for (size_t c = 0; c < body.size() && c < cols; ++c) bodyRows = std::max(bodyRows, body[c].size());
    bodyRows = std::min<size_t>(bodyRows, kMaxTableRows);
    table.rows.assign(bodyRows + 1, TableRow{});
    for (TableRow& row : table.rows) FitRow(row, cols);
    table.hasHeader = !header.empty();
    if (table.hasHeader)
        for (size_t c = 0; c < headerCells.size() && c < cols; ++c) table.rows[0].cells[c].text = headerCells[c];
    for (size_t c = 0; c < body.size() && c < cols; ++c)
        for (size_t r = 0; r < body[c].size() && r < bodyRows; ++r) table.rows[r + 1].cells[c].text = body[c][r];
}

void Document::EndTable() {
    if (!open_) return;
    blocks_.emplace_back(std::move(*open_));
    open_.reset();
}

int Document::TableRows() const { return open_ ? open_->BodyRows() : 0; }
int Document::TableCols() const { return open_ ? static_cast<int>(open_->columns.size()) : 0; }

void Document::SetTableCols(int cols) {
    Table& table = OpenTable();
    cols = std::clamp(cols, 0, kMaxTableCols);
    table.columns.resize(cols);
    for (TableRow& row : table.rows) FitRow(row, cols);
}

void Document::SetTableRows(int rows) {
    Table& table = OpenTable();
    rows = std::clamp(rows, 0, kMaxTableRows);
    table.rows.resize(rows + 1);
    for (TableRow& row : table.rows) FitRow(row, table.columns.size());
}

void Document::SetTableHasHeader(bool on) { OpenTable().hasHeader = on; }

template <class F>
void Document::ForEachCell(CellRange range, F&& f) {
    Table& table = OpenTable();
    const int rows = static_cast<int>(table.rows.size());
    const int cols = static_cast<int>(table.columns.size());
    const int r0 = range.row < 0 ? 0 : range.row, r1 = range.row < 0 ? rows - 1 : range.row;
    const int c0 = range.col < 0 ? 0 : range.col - 1, c1 = range.col < 0 ? cols - 1 : range.col - 1;
    for (int r = std::max(r0, 0); r <= r1 && r < rows; ++r)
        for (int c = std::max(c0, 0); c <= c1 && c < cols; ++c) f(table.rows[r].cells[c]);
}

void Document::SetRowHeight(CellRange range, int twips) {
    Table& table = OpenTable();
    twips = std::clamp(twips, 0, 1440 * 100);
    for (int r = 0; r < static_cast<int>(table.rows.size()); ++r)
        if (range.row < 0 || range.row == r) table.rows[r].height = twips;
}

void Document::SetRowHeightFixed(CellRange range, bool fixed) {
    Table& table = OpenTable();
    for (int r = 0; r < static_cast<int>(table.rows.size()); ++r)
        if (range.row < 0 || range.row == r) table.rows[r].fixedHeight = fixed;
}

void Document::SetColWidth(CellRange range, int twips) {
    Table& table = OpenTable();
    twips = std::clamp(twips, 0, 1440 * 100);
    for (int c = 0; c < static_cast<int>(table.columns.size()); ++c)
        if (range.col < 0 || range.col == c + 1) {
            table.columns[c].format.width = twips;
            table.columns[c].format.stretch = false;
        }
}

void Document::SetCellText(CellRange range, std::string_view text) {
    ForEachCell(range, [&](TableCell& cell) { cell.text = text; });
}

void Document::SetCellAlignCode(CellRange range, int code) {
    ForEachCell(range, [&](TableCell& cell) {
        if (code == 7) {
            cell.style.valign = VAlign::Center;
            return;
        }
        if (code < 0 || code > 8) return;
        static constexpr HAlign kH[] = {HAlign::Left, HAlign::Center, HAlign::Right};
        static constexpr VAlign kV[] = {VAlign::Top, VAlign::Center, VAlign::Bottom};
        cell.style.align = kH[code / 3];
        cell.style.valign = kV[code % 3];
    });
}

void Document::SetCellAlign(CellRange range, HAlign align) {
    ForEachCell(range, [&](TableCell& cell) { cell.style.align = align; });
}
void Document::SetCellBackColor(CellRange range, Color color) {
    ForEachCell(range, [&](TableCell& cell) { cell.style.background = color; });
}
void Document::SetCellForeColor(CellRange range, Color color) {
    ForEachCell(range, [&](TableCell& cell) { cell.style.foreground = color; });
}
void Document::SetCellFontName(CellRange range, std::string_view name) {
    ForEachCell(range, [&](TableCell& cell) { cell.style.fontName = std::string(name); });
}
void Document::SetCellFontSize(CellRange range, double points) {
    if (!(points > 0 && points < 1000)) return;
    ForEachCell(range, [&](TableCell& cell) { cell.style.fontSize = points; });
}
void Document::SetCellBold(CellRange range, bool on) {
    ForEachCell(range, [&](TableCell& cell) { cell.style.bold = on; });
}
void Document::SetCellItalic(CellRange range, bool on) {
    ForEachCell(range, [&](TableCell& cell) { cell.style.italic = on; });
}
void Document::SetCellColSpan(CellRange range, int span) {
    ForEachCell(range, [&](TableCell& cell) { cell.colSpan = std::clamp(span, 1, kMaxTableCols); });
}

const TableCell* Document::Cell(int row, int col) const {
    if (!open_ || row < 0 || row >= static_cast<int>(open_->rows.size()) || col < 1 ||
        col > static_cast<int>(open_->columns.size()))
        return nullptr;
    return &open_->rows[row].cells[col - 1];
}

}  // namespace varnel
