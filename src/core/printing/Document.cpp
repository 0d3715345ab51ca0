#include "core/printing/Document.h"

#include <algorithm>

namespace varnel {

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
    fitFloor_ = kDefaultFitFloor;
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

void Document::AddTable(Table table) {
    if (open_) EndTable();
    blocks_.emplace_back(std::move(table));
}

void Document::StartTable() {
    if (open_) EndTable();
    open_.emplace(std::vector<TableColumn>{}, font_);
}

TableBuilder& Document::OpenTable() {
    if (!open_) StartTable();
    return *open_;
}

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
    std::vector<TableColumn> columns = ParseTableFormat(format);
    const std::vector<std::string> headerCells = SplitColumns(header);
    // Without a format the header or body gives the columns.
    size_t cols = columns.size();
    if (format.empty()) cols = std::max({size_t{1}, headerCells.size(), body.size()});
    if (!header.empty()) cols = std::max(cols, headerCells.size());
    columns.resize(std::min<size_t>(cols, kMaxTableCols));
    // The table replaces what the open one held; its font stays the one it started with.
    const FontStyle font = OpenTable().Font();
    TableBuilder& table = open_.emplace(std::move(columns), font);
    if (!header.empty()) table.Header(headerCells);

    size_t bodyRows = 0;
    for (size_t c = 0; c < body.size() && c < cols; ++c) bodyRows = std::max(bodyRows, body[c].size());
    bodyRows = std::min<size_t>(bodyRows, kMaxTableRows);
    std::vector<std::string> texts(cols);
    for (size_t r = 0; r < bodyRows; ++r) {
        for (size_t c = 0; c < cols; ++c) texts[c] = c < body.size() && r < body[c].size() ? body[c][r] : std::string();
        table.AddRow(texts);
    }
}

void Document::EndTable() {
    if (!open_) return;
    blocks_.emplace_back(std::move(*open_).Take());
    open_.reset();
}

int Document::TableRows() const { return open_ ? open_->BodyRows() : 0; }
int Document::TableCols() const { return open_ ? open_->Columns() : 0; }

void Document::SetCellAlignCode(CellRange range, int code) {
    TableBuilder& table = OpenTable();
    if (code == 7) {
        table.SetVAlign(range, VAlign::Center);
        return;
    }
    if (code < 0 || code > 8) return;
    static constexpr HAlign kH[] = {HAlign::Left, HAlign::Center, HAlign::Right};
    static constexpr VAlign kV[] = {VAlign::Top, VAlign::Center, VAlign::Bottom};
    table.SetAlign(range, kH[code / 3]);
    table.SetVAlign(range, kV[code % 3]);
}

const TableCell* Document::Cell(int row, int col) const { return open_ ? open_->Cell(row, col) : nullptr; }

}  // namespace varnel
