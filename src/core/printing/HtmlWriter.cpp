#include "core/printing/HtmlWriter.h"

#include "core/printing/TextFlow.h"

#include <cstdio>

#include "core/views/Grid.h"

namespace varnel {
namespace {

// Twips as CSS points (20 twips to the point), in their shortest form.
std::string Pt(int twips) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%gpt", twips / 20.0);
    return buf;
}

std::string CssColor(Color c) {
    if (c == kShadowColor) return "#808080";
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", RedOf(c), GreenOf(c), BlueOf(c));
    return buf;
}

const char* AlignName(HAlign a) {
    switch (a) {
    case HAlign::Center: return "center";
    case HAlign::Right: return "right";
    default: return "left";
    }
}
const char* VAlignName(VAlign a) {
    switch (a) {
    case VAlign::Center: return "middle";
    case VAlign::Bottom: return "bottom";
    default: return "top";
    }
}

std::string FontCss(const FontStyle& f) {
    char size[32];
    std::snprintf(size, sizeof size, "%gpt", f.size);
    std::string css = "font-family:'" + EscapeHtml(f.name) + "',sans-serif;font-size:" + size;
    css += f.bold ? ";font-weight:bold" : ";font-weight:normal";
    css += f.italic ? ";font-style:italic" : ";font-style:normal";
    return css;
}

// Escaped text with its line breaks ("\r\n" or "\n") as <br>.
std::string TextHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 16);
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\n') continue;
        size_t end = i;
        if (end > start && text[end - 1] == '\r') --end;
        out += EscapeHtml(text.substr(start, end - start));
        if (i < text.size()) out += "<br>";
        start = i + 1;
    }
    return out;
}

int LineCount(std::string_view text) {
    int lines = 1;
    for (char c : text) lines += c == '\n';
    return lines;
}

// Twips a line of a font takes, to follow where the flow stands.
int LineTwips(const FontStyle& f) { return static_cast<int>(f.size * 20 * 1.2 + 0.5); }

class Writer {
public:
    Writer(const Document& doc, const HtmlOptions& options) : doc_(doc), options_(options) {}

    std::string Run() {
        const PageSetup& page = doc_.Page();
        out_ += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
        out_ += EscapeHtml(options_.title);
        out_ += "</title>\n<style>\n"
                "body{margin:0;background:#f0f0f0}\n"
                ".page{position:relative;box-sizing:border-box;background:#fff;margin:12pt auto;";
        out_ += "width:" + Pt(page.paperWidth) + ";min-height:" + Pt(page.paperHeight) + ";padding:" +
                Pt(page.marginTop) + " " + Pt(page.marginRight) + " " + Pt(page.marginBottom) + " " +
                Pt(page.marginLeft) + "}\n";
        out_ +=
            // Columns widen to their longest word rather than break or hide it.
            "table.doc{border-collapse:collapse;table-layout:auto}\n"
            "table.doc td,table.doc th{border:0.5pt solid #000;padding:1pt 2pt;overflow-wrap:normal;"
            "word-break:normal;hyphens:none}\n"
            ".corner{float:right;margin-left:2pt}\n"
            ".box{position:absolute;margin:0;white-space:pre}\n"
            ".band{position:absolute;display:flex;justify-content:space-between;align-items:flex-start}\n"
            ".band div{flex:1}\n"
            "p.doc{margin:0}\n"
            "</style>\n</head>\n<body>\n<div class=\"page\">\n";
        Band(doc_.Header(), true);
        flowTop_ = page.marginTop;
        for (const Block& block : doc_.Blocks()) std::visit([this](const auto& b) { Add(b); }, block);
        Band(doc_.Footer(), false);
        out_ += "</div>\n</body>\n</html>\n";
        return std::move(out_);
    }

private:
    // Header and footer sit in the margins, out of the flow, as on paper.
    void Band(const PageBand& band, bool header) {
        if (band.left.empty() && band.center.empty() && band.right.empty()) return;
        const PageSetup& page = doc_.Page();
        out_ += "<div class=\"band\" style=\"" + FontCss(band.font) + ";left:" + Pt(page.marginLeft) +
                ";right:" + Pt(page.marginRight) + ";" + (header ? "top:" : "bottom:") +
                Pt((header ? page.marginTop : page.marginBottom) / 4) + "\">";
        const std::string* parts[] = {&band.left, &band.center, &band.right};
        const char* aligns[] = {"left", "center", "right"};
        for (int i = 0; i < 3; ++i) {
            out_ += "<div style=\"text-align:";
            out_ += aligns[i];
            out_ += "\">" + TextHtml(WithPageNumber(*parts[i], 1)) + "</div>";
        }
        out_ += "</div>\n";
    }

    // Blank space in the flow.
    void Blank(int twips) {
        if (twips > 0) out_ += "<div style=\"height:" + Pt(twips) + "\"></div>\n";
    }

    void Add(const Paragraph& p) {
        out_ += "<p class=\"doc\" style=\"" + FontCss(p.font) + ";text-align:" + AlignName(p.align) + "\">" +
                TextHtml(p.text) + "</p>\n";
        flowTop_ += LineTwips(p.font) * LineCount(p.text);
    }

    void Add(const Table& t) {
        int width = 0;
        bool allWidths = true;
        for (const TableColumn& c : t.columns) {
            width += c.width;
            allWidths = allWidths && c.width > 0 && !c.stretch;
        }
        out_ += "<table class=\"doc\" style=\"" + FontCss(t.font) + ";width:" +
                (allWidths ? Pt(width) : std::string("100%")) + "\">\n<colgroup>";
        for (const TableColumn& c : t.columns) {
            if (c.width > 0 && !c.stretch) out_ += "<col style=\"width:" + Pt(c.width) + "\">";
            else out_ += "<col>";
        }
        out_ += "</colgroup>\n";
        for (size_t r = t.hasHeader ? 0 : 1; r < t.rows.size(); ++r) {
            if (r == 0) out_ += "<thead>\n";
            if (r == 1) out_ += "<tbody>\n";
            Row(t, static_cast<int>(r));
            if (r == 0) out_ += "</thead>\n";
        }
        if (t.rows.size() > 1) out_ += "</tbody>\n";
        out_ += "</table>\n";
    }

    void Row(const Table& t, int r) {
        const TableRow& row = t.rows[static_cast<size_t>(r)];
        int lines = 1;
        double size = t.font.size;
        for (const TableCell& cell : row.cells) {
            lines = std::max(lines, LineCount(cell.text));
            size = std::max(size, t.FontOf(cell).size);
        }
        const int natural = static_cast<int>(size * 20 * 1.2 + 0.5) * lines + 40;
        flowTop_ += std::max(row.height, natural);
        out_ += row.height > 0 ? "<tr style=\"height:" + Pt(row.height) + "\">\n" : std::string("<tr>\n");
        for (size_t c = 0; c < row.cells.size();) {
            const TableCell& cell = row.cells[c];
            const int span = std::max(1, std::min<int>(cell.colSpan, static_cast<int>(row.cells.size() - c)));
            const bool header = r == 0;
            out_ += header ? "<th scope=\"col\"" : "<td";
            if (span > 1) out_ += " colspan=\"" + std::to_string(span) + "\"";
            out_ += " style=\"" + FontCss(t.FontOf(cell)) + ";text-align:" +
                    AlignName(t.AlignOf(r, static_cast<int>(c))) + ";vertical-align:" +
                    VAlignName(cell.style.valign);
            if (cell.style.background != kNoColor) out_ += ";background:" + CssColor(cell.style.background);
            if (cell.style.foreground != kNoColor) out_ += ";color:" + CssColor(cell.style.foreground);
            out_ += "\">";
            if (!cell.corner.empty()) out_ += "<span class=\"corner\">" + EscapeHtml(cell.corner) + "</span>";
            out_ += TextHtml(cell.text) + (header ? "</th>\n" : "</td>\n");
            c += static_cast<size_t>(span);
        }
        out_ += "</tr>\n";
    }

    // Pictures and text boxes stand where the page puts them, out of the flow.
    void Add(const Picture& p) {
        const std::string href = options_.pictureHref ? options_.pictureHref(p.path) : std::string();
        if (href.empty()) return;  // the box stays empty
        out_ += "<img class=\"box\" alt=\"\" src=\"" + EscapeHtml(href) + "\" style=\"left:" + Pt(p.box.left) +
                ";top:" + Pt(p.box.top) + ";width:" + Pt(p.box.width) + ";height:" + Pt(p.box.height) +
                ";object-fit:" + (p.fit == PictureFit::Zoom ? "contain" : "fill") + "\">\n";
    }

    void Add(const TextBox& b) {
        out_ += "<div class=\"box\" style=\"" + FontCss(b.font) + ";left:" + Pt(b.box.left) + ";top:" +
                Pt(b.box.top) + ";width:" + Pt(b.box.width) + ";height:" + Pt(b.box.height) + "\">" +
                TextHtml(b.text) + "</div>\n";
    }

    void Add(const GridPicture& g) {
        const Grid& grid = g.grid;
        out_ += "<table class=\"doc\" style=\"" + FontCss(g.font) + ";width:" + Pt(grid.TotalWidth()) +
                "\">\n<colgroup>";
        for (int c = 0; c < grid.Cols(); ++c) out_ += "<col style=\"width:" + Pt(grid.ColWidth(c)) + "\">";
        out_ += "</colgroup>\n";
        for (int r = 0; r < grid.Rows(); ++r) {
            out_ += "<tr style=\"height:" + Pt(grid.RowHeight(r)) + "\">\n";
            for (int c = 0; c < grid.Cols(); ++c) {
                const GridCell& cell = grid.Cell(r, c);
                out_ += r == 0 ? "<th scope=\"col\" style=\"text-align:" : "<td style=\"text-align:";
                out_ += cell.alignment == CellAlignment::CenterCenter ? "center" : "left";
                out_ += ";vertical-align:";
                out_ += cell.alignment == CellAlignment::LeftTop ? "top" : "middle";
                if (cell.background != kNoColor) out_ += ";background:" + CssColor(cell.background);
                if (cell.foreground != kNoColor) out_ += ";color:" + CssColor(cell.foreground);
                out_ += "\">" + TextHtml(cell.text) + (r == 0 ? "</th>\n" : "</td>\n");
            }
            out_ += "</tr>\n";
        }
        out_ += "</table>\n";
        flowTop_ += grid.TotalHeight();
    }

    void Add(const Position& p) { Blank(SpaceForPosition(p, flowTop_)); }

    void Add(const Columns&) {}
    void Add(const ColumnSelect&) {}
    void Add(const PageBreak&) { out_ += "<div style=\"break-after:page\"></div>\n"; }

    const Document& doc_;
    const HtmlOptions& options_;
    std::string out_;
    int flowTop_ = 0;
};

}  // namespace

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string WriteHtml(const Document& doc, const HtmlOptions& options) { return Writer(doc, options).Run(); }

}  // namespace varnel
