#pragma once
// The print document: what a printout or the calendar page is made of, recorded
// as plain data. Callers compose it with the operations below in reading order
// (start the document, set fonts, header and footer, add paragraphs and tables,
// end the document); the document never draws. A Qt layout lays it out on
// pages of a printer, a PDF or an image, and text writers turn it into HTML or
// RTF, so every style (fonts, colours, alignments, sizes) is kept here, per
// block and per table cell, as the caller set it.
//
// Lengths are twips (1/1440 inch). Texts are UTF-8.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/printing/FontStyle.h"
#include "core/printing/Table.h"
#include "core/printing/TableFormat.h"
#include "core/views/Grid.h"

namespace varnel {

enum class PaperSize { Letter, A4, A5, Custom };

inline constexpr double kDefaultFitFloor = 6;  // points

// Paper and margins. Width and height are those of the paper in portrait.
struct PageSetup {
    PaperSize paper = PaperSize::Letter;
    int paperWidth = 12240;
    int paperHeight = 15840;
    int marginLeft = 1440;
    int marginTop = 1440;
    int marginRight = 1440;
    int marginBottom = 1440;
};
// Paper dimensions in twips: Letter 12240 x 15840, A4 11906 x 16838, A5 8391 x 11906.
PageSetup PageSetupFor(PaperSize paper);
// The paper code the print control understood: 1 Letter, 9 A4, 11 A5.
std::optional<PaperSize> PaperFromCode(int code);

struct Paragraph {
    std::string text;  // "\r\n" or "\n" break lines
    FontStyle font;
    HAlign align = HAlign::Left;
};

// A box given in page coordinates (from the paper's top-left corner).
struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

enum class PictureFit {
    Stretch,  // fill the box
    Zoom,     // keep the proportions, the whole picture in the box, centred (placement code 10)
};

struct Picture {
    std::string path;  // a picture file; one that cannot be read leaves the box empty
    Box box;
    PictureFit fit = PictureFit::Zoom;
};

struct TextBox {
    std::string text;
    Box box;
    FontStyle font;
};

// A grid model drawn at the current position with its own column widths and
// row heights, cell texts and colours; wider than the column it is scaled down.
struct GridPicture {
    Grid grid;
    FontStyle font;
};

// The flow's position. An absolute top is measured from the paper's top edge
// on the current page; a left from the paper's left edge.
struct Position {
    std::optional<int> left;
    std::optional<int> top;
    int moveDown = 0;  // added to the top after it is set
};

// The page is cut into `count` newspaper columns `spacing` twips apart; a
// count of 1 ends the columns.
struct Columns {
    int count = 1;
    int spacing = 0;
};
// Content continues at the top of column `index` (1-based) of the current page.
struct ColumnSelect {
    int index = 1;
};
struct PageBreak {};

using Block = std::variant<Paragraph, Table, Picture, TextBox, GridPicture, Position, Columns, ColumnSelect, PageBreak>;

// A header or footer: left, centre and right parts as written with "|" between
// them; "%d" stands for the page number.
struct PageBand {
    std::string left;
    std::string center;
    std::string right;
    FontStyle font;
};
// Splits "left|centre|right" (missing parts are empty).
PageBand SplitBand(std::string_view text, const FontStyle& font);
// A band part with "%d" replaced by the page number.
std::string WithPageNumber(std::string_view part, int page);

class Document {
public:
    // Document: starting clears the content and the bands and sets the fit
    // floor back to its default (the page set-up and fonts stay as set).
    void StartDoc();
    void EndDoc();
    bool Started() const { return started_; }
    bool Ended() const { return ended_; }

    // Page set-up.
    const PageSetup& Page() const { return page_; }
    void SetPage(const PageSetup& page) { page_ = page; }
    void SetPaper(PaperSize paper);
    int PageWidth() const { return page_.paperWidth; }
    int PageHeight() const { return page_.paperHeight; }
    void SetMargins(int left, int top, int right, int bottom);
    int MarginLeft() const { return page_.marginLeft; }
    int MarginTop() const { return page_.marginTop; }
    int MarginRight() const { return page_.marginRight; }
    int MarginBottom() const { return page_.marginBottom; }
    // Width between the left and right margins.
    int ContentWidth() const { return page_.paperWidth - page_.marginLeft - page_.marginRight; }

    // Fonts: the document font applies to what is added after it is set.
    void SetFont(const FontStyle& font) { font_ = font; }
    const FontStyle& Font() const { return font_; }
    void SetBandFont(const FontStyle& font);
    const FontStyle& BandFont() const { return bandFont_; }
    // The smallest size (points) text steps down to before it is shortened.
    void SetFitFloor(double points) { fitFloor_ = points; }
    double FitFloor() const { return fitFloor_; }

    // Header and footer ("left|centre|right", "%d" for the page number).
    void SetHeader(std::string_view text);
    void SetFooter(std::string_view text);
    const PageBand& Header() const { return header_; }
    const PageBand& Footer() const { return footer_; }

    // Flow content.
    void AddParagraph(std::string text, HAlign align = HAlign::Left);
    void DrawPicture(std::string path, Box box, PictureFit fit = PictureFit::Zoom);
    void DrawTextBox(std::string text, Box box);
    void DrawGrid(const Grid& grid);
    void SetCurrentX(int left);
    void SetCurrentY(int top);
    void MoveDown(int twips);
    void SetColumns(int count, int spacing);
    void SelectColumn(int index);
    void NewPage();

    // A finished table, at the current position.
    void AddTable(Table table);

    // The print control's table interface, for tables given as text. Between
    // StartTable and EndTable one table is composed: AddTable (or
    // AddTableArray) gives its columns, header and body, the settings below
    // change it, EndTable puts it into the document.
    void StartTable();
    // Format and header as in ParseTableFormat / SplitColumns; body rows split
    // at ";" and cells at "|" (cells past the format's last column stay in
    // it, "|" and all). An empty header means no header row.
    void AddTable(std::string_view format, std::string_view header, std::string_view body);
    // The body as columns by rows: body[c][r] is body row r + 1 of column c + 1.
    // Columns beyond the format are left out.
    void AddTableArray(std::string_view format, std::string_view header,
                       const std::vector<std::vector<std::string>>& body);
    void EndTable();
    bool InTable() const { return open_.has_value(); }
    // The open table's settings; a setting outside StartTable..EndTable starts a table.
    TableBuilder& OpenTable();

    int TableRows() const;  // body rows of the open table
    int TableCols() const;
    // Alignment code: 0 top left; 7 vertically centred, horizontally as its
    // column; other codes 0..8 run left/centre/right by code / 3 and
    // top/centre/bottom by code % 3.
    void SetCellAlignCode(CellRange range, int code);
    // Reads back a cell of the open table (nullptr outside it).
    const TableCell* Cell(int row, int col) const;

    const std::vector<Block>& Blocks() const { return blocks_; }

private:

    PageSetup page_;
    FontStyle font_;
    FontStyle bandFont_;
    double fitFloor_ = kDefaultFitFloor;
    PageBand header_;
    PageBand footer_;
    std::vector<Block> blocks_;
    std::optional<TableBuilder> open_;
    bool started_ = false;
    bool ended_ = false;
};

}  // namespace varnel
