#include "core/printing/RtfWriter.h"

#include "core/common/Utf8.h"
#include "core/printing/ArialWidths.h"
#include "core/printing/TextFlow.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace varnel {
namespace {

// The next code point of a UTF-8 text; a byte that starts no valid sequence
// stands for itself as Latin-1, so no text is lost.
char32_t NextCodePoint(std::string_view s, size_t& i) {
    const Utf8Char next = DecodeUtf8(s, i);
    if (next.length == 0) return static_cast<unsigned char>(s[i++]);
    i += next.length;
    return next.codePoint;
}

void AppendUnicode(std::string& out, unsigned unit) {
    out += "\\u" + std::to_string(static_cast<int16_t>(static_cast<uint16_t>(unit))) + "?";
}

std::string Hex(const std::string& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2 + bytes.size() / 64 + 1);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto v = static_cast<unsigned char>(bytes[i]);
        out += kDigits[v >> 4];
        out += kDigits[v & 15];
        if (i % 64 == 63) out += '\n';
    }
    return out;
}

const char* AlignWord(HAlign a) {
    switch (a) {
    case HAlign::Center: return "\\qc";
    case HAlign::Right: return "\\qr";
    default: return "\\ql";
    }
}

// Widths are estimated from Arial's; the word processor's own font may run a little wider.
constexpr double kMeasureMargin = 0.97;

class Writer {
public:
    Writer(const Document& doc, const PictureLoader& load) : doc_(doc), load_(load) {}

    std::string Run() {
        const PageSetup& page = doc_.Page();
        flowTop_ = page.marginTop;
        for (const Block& block : doc_.Blocks()) std::visit([this](const auto& b) { Add(b); }, block);

        std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
        for (const auto& [name, index] : fonts_)
            out += "{\\f" + std::to_string(index) + "\\fswiss\\fcharset0 " + EscapeRtf(name) + ";}";
        out += "}\n{\\colortbl;";
        for (Color c : colors_)
            out += "\\red" + std::to_string(RedOf(c)) + "\\green" + std::to_string(GreenOf(c)) + "\\blue" +
                   std::to_string(BlueOf(c)) + ";";
        out += "}\n";
        out += "\\paperw" + std::to_string(page.paperWidth) + "\\paperh" + std::to_string(page.paperHeight) +
               "\\margl" + std::to_string(page.marginLeft) + "\\margr" + std::to_string(page.marginRight) +
               "\\margt" + std::to_string(page.marginTop) + "\\margb" + std::to_string(page.marginBottom) + "\n";
        out += Band("header", doc_.Header());
        out += Band("footer", doc_.Footer());
        out += body_;
        out += "}\n";
        return out;
    }

private:
    int FontIndex(const std::string& name) {
        const auto it = fonts_.find(name);
        if (it != fonts_.end()) return it->second;
        const int index = static_cast<int>(fonts_.size());
        fonts_.emplace(name, index);
        return index;
    }
    // Colour table index; 0 is the automatic colour.
    int ColorIndex(Color c) {
        if (c == kNoColor) return 0;
        if (c == kShadowColor) c = RGB(128, 128, 128);
        const auto it = std::find(colors_.begin(), colors_.end(), c);
        if (it != colors_.end()) return static_cast<int>(it - colors_.begin()) + 1;
        colors_.push_back(c);
        return static_cast<int>(colors_.size());
    }

    // A run carries its font, size, weight and colour for every script: the
    // complex scripts (Hebrew, Arabic) read the associated properties after
    // \rtlch, Latin text the plain ones after \ltrch, and the high-ANSI and
    // double-byte (east-Asian) ranges name their font after \hich and \dbch
    // before \loch starts the text. A word processor given only \f, \fs and
    // \b prints the other scripts at its default size and weight.
    std::string Run(const FontStyle& f, Color foreground, std::string_view text) {
        const std::string font = std::to_string(FontIndex(f.name));
        const std::string size = std::to_string(static_cast<int>(f.size * 2 + 0.5));
        const std::string color = std::to_string(ColorIndex(foreground));
        const std::string associated = "\\af" + font + "\\afs" + size + (f.bold ? "\\ab" : "\\ab0") +
                                       (f.italic ? "\\ai" : "\\ai0");
        std::string out = "{\\rtlch\\fcs1" + associated + "\\acf" + color + "\\ltrch\\fcs0\\f" + font + "\\fs" +
                          size + (f.bold ? "\\b" : "\\b0") + (f.italic ? "\\i" : "\\i0") + "\\cf" + color +
                          "\\hich" + associated + "\\dbch" + associated + "\\loch\\f" + font + " ";
        out += EscapeRtf(text);
        out += "}";
        return out;
    }

    std::string Band(const char* word, const PageBand& band) {
        if (band.left.empty() && band.center.empty() && band.right.empty()) return {};
        std::string out = std::string("{\\") + word + "\n";
        const std::string* parts[] = {&band.left, &band.center, &band.right};
        const HAlign aligns[] = {HAlign::Left, HAlign::Center, HAlign::Right};
        for (int i = 0; i < 3; ++i) {
            if (parts[i]->empty()) continue;
            out += std::string("\\pard\\plain") + AlignWord(aligns[i]) + " " +
                   Run(band.font, kNoColor, WithPageNumber(*parts[i], 1)) + "\\par\n";
        }
        out += "}\n";
        return out;
    }

    // Blank space in the flow: an empty paragraph exactly this high.
    void Blank(int twips) {
        if (twips > 0) body_ += "\\pard\\plain\\sl-" + std::to_string(twips) + "\\slmult0{\\fs2 }\\par\n";
    }

    void Add(const Paragraph& p) {
        body_ += std::string("\\pard\\plain") + AlignWord(p.align) + " " + Run(p.font, kNoColor, p.text) + "\\par\n";
        int lines = 1;
        for (char c : p.text) lines += c == '\n';
        flowTop_ += static_cast<int>(p.font.size * 24) * lines;
    }

    void Add(const Table& t) {
        // Columns without a width share what is left of the text width.
        const int content = std::max(1, doc_.ContentWidth());
        int fixed = 0, open = 0;
        for (const TableColumn& c : t.columns) {
            if (c.width > 0 && !c.stretch) fixed += c.width;
            else ++open;
        }
        const int share = open ? std::max(300, (content - fixed) / open) : 0;
        std::vector<int> rights;
        int x = 0;
        for (const TableColumn& c : t.columns) {
            x += c.width > 0 && !c.stretch ? c.width : share;
            rights.push_back(x);
        }
        for (size_t r = t.hasHeader ? 0 : 1; r < t.rows.size(); ++r) Row(t, static_cast<int>(r), rights);
        body_ += "\\pard\\plain\n";
    }

    void Row(const Table& t, int r, const std::vector<int>& rights) {
        const TableRow& row = t.rows[static_cast<size_t>(r)];
        // The cells' insets: a fifth of the smallest font across, 1 to 2 points.
        double smallest = 1000;
        for (const TableCell& cell : row.cells) smallest = std::min(smallest, t.FontOf(cell).size);
        const int gap = std::clamp(static_cast<int>(smallest * 4), 20, 40);
        std::string defs = "\\trowd\\trgaph" + std::to_string(gap) + "\\trleft0";
        if (r == 0) defs += "\\trhdr";
        if (row.height > 0) defs += "\\trrh" + std::to_string(row.height);
        std::string cells;
        int lines = 1;
        for (size_t c = 0; c < row.cells.size();) {
            const TableCell& cell = row.cells[c];
            const size_t span = std::clamp<size_t>(static_cast<size_t>(std::max(1, cell.colSpan)), 1, row.cells.size() - c);
            if (cell.style.valign == VAlign::Center) defs += "\\clvertalc";
            else if (cell.style.valign == VAlign::Bottom) defs += "\\clvertalb";
            for (const char* side : {"t", "l", "b", "r"}) defs += std::string("\\clbrdr") + side + "\\brdrs\\brdrw10";
            if (cell.style.background != kNoColor)
                defs += "\\clcbpat" + std::to_string(ColorIndex(cell.style.background)) + "\\clshdng0";
            defs += "\\cellx" + std::to_string(rights[c + span - 1]);
            // The corner's text stands on a line of its own at the right, above the cell's text.
            if (!cell.corner.empty())
                cells += "\\pard\\plain\\intbl\\qr " + Run(t.FontOf(cell), cell.style.foreground, cell.corner) + "\\par\n";
            // A word wider than its cell would be broken inside by the word
            // processor: it is shortened by the printed page's rules instead.
            const FontStyle font = t.FontOf(cell);
            const int room = rights[c + span - 1] - (c > 0 ? rights[c - 1] : 0) - 2 * gap;
            const std::string text =
                ShortenWideWords(cell.text, room * kMeasureMargin, font.size, ArialMeasure(font.bold));
            cells += std::string("\\pard\\plain\\intbl") + AlignWord(t.AlignOf(r, static_cast<int>(c))) + " " +
                     Run(font, cell.style.foreground, text) + "\\cell\n";
            lines = std::max(lines, 1 + static_cast<int>(std::count(cell.text.begin(), cell.text.end(), '\n')));
            c += span;
        }
        body_ += defs + "\n" + cells + "\\row\n";
        flowTop_ += std::max(row.height, static_cast<int>(t.font.size * 24) * lines + 60);
    }

    // The picture stands in the flow, fitted into its box, with the box's height.
    void Add(const Picture& p) {
        PictureFile file;
        if (!load_ || !load_(p.path, file) || file.width <= 0 || file.height <= 0) {
            Blank(p.box.height);
            flowTop_ += p.box.height;
            return;
        }
        int w = p.box.width, h = p.box.height;
        if (p.fit == PictureFit::Zoom) {
            const double scale = std::min(static_cast<double>(p.box.width) / file.width,
                                          static_cast<double>(p.box.height) / file.height);
            w = static_cast<int>(file.width * scale);
            h = static_cast<int>(file.height * scale);
        }
        body_ += "\\pard\\plain\\qc\\sl-" + std::to_string(p.box.height) + "\\slmult0{\\pict";
        body_ += file.kind == PictureFile::Kind::Png ? "\\pngblip" : "\\jpegblip";
        body_ += "\\picw" + std::to_string(file.width) + "\\pich" + std::to_string(file.height) + "\\picwgoal" +
                 std::to_string(w) + "\\pichgoal" + std::to_string(h) + "\n" + Hex(file.bytes) + "}\\par\n";
        flowTop_ += p.box.height;
    }

    // A text box is a shape on the page, in front of the text.
    void Add(const TextBox& b) {
        body_ += "{\\shp{\\*\\shpinst\\shpleft" + std::to_string(b.box.left) + "\\shptop" + std::to_string(b.box.top) +
                 "\\shpright" + std::to_string(b.box.left + b.box.width) + "\\shpbottom" +
                 std::to_string(b.box.top + b.box.height) +
                 "\\shpbxpage\\shpbxignore\\shpbypage\\shpbyignore\\shpwr3\\shpwrk0\\shpfblwtxt0\\shpz0"
                 "{\\sp{\\sn shapeType}{\\sv 202}}{\\sp{\\sn fLine}{\\sv 0}}{\\sp{\\sn fFilled}{\\sv 0}}"
                 "{\\sp{\\sn dxTextLeft}{\\sv 0}}{\\sp{\\sn dyTextTop}{\\sv 0}}"
                 "{\\shptxt\\pard\\plain " +
                 Run(b.font, kNoColor, b.text) + "\\par}}}\n";
    }

    void Add(const GridPicture& g) {
        const Grid& grid = g.grid;
        int x = 0;
        std::vector<int> rights;
        for (int c = 0; c < grid.Cols(); ++c) rights.push_back(x += grid.ColWidth(c));
        for (int r = 0; r < grid.Rows(); ++r) {
            std::string defs = "\\trowd\\trgaph40\\trleft0\\trrh" + std::to_string(grid.RowHeight(r));
            std::string cells;
            for (int c = 0; c < grid.Cols(); ++c) {
                const GridCell& cell = grid.Cell(r, c);
                for (const char* side : {"t", "l", "b", "r"}) defs += std::string("\\clbrdr") + side + "\\brdrs\\brdrw10";
                if (cell.background != kNoColor)
                    defs += "\\clcbpat" + std::to_string(ColorIndex(cell.background)) + "\\clshdng0";
                defs += "\\cellx" + std::to_string(rights[static_cast<size_t>(c)]);
                cells += std::string("\\pard\\plain\\intbl") +
                         (cell.alignment == CellAlignment::CenterCenter ? "\\qc" : "\\ql") + " " +
                         Run(g.font, cell.foreground, cell.text) + "\\cell\n";
            }
            body_ += defs + "\n" + cells + "\\row\n";
        }
        body_ += "\\pard\\plain\n";
        flowTop_ += grid.TotalHeight();
    }

    void Add(const Position& p) { Blank(SpaceForPosition(p, flowTop_)); }
    void Add(const Columns&) {}
    void Add(const ColumnSelect&) {}
    void Add(const PageBreak&) { body_ += "\\page\n"; }

    const Document& doc_;
    const PictureLoader& load_;
    std::map<std::string, int> fonts_;
    std::vector<Color> colors_;
    std::string body_;
    int flowTop_ = 0;
};

}  // namespace

std::string EscapeRtf(std::string_view s) {
    std::string out;
    out.reserve(s.size() + 8);
    for (size_t i = 0; i < s.size();) {
        const char c = s[i];
        if (c == '\r') {
            ++i;
            continue;
        }
        if (c == '\n') {
            out += "\\line ";
            ++i;
            continue;
        }
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += c;
            ++i;
            continue;
        }
        if (c == '\t') {
            out += "\\tab ";
            ++i;
            continue;
        }
        if (static_cast<unsigned char>(c) < 0x80) {
            if (static_cast<unsigned char>(c) >= 0x20) out += c;
            ++i;
            continue;
        }
        const char32_t cp = NextCodePoint(s, i);
        if (cp >= 0x10000) {  // a surrogate pair
            const char32_t v = cp - 0x10000;
            AppendUnicode(out, 0xD800 + static_cast<unsigned>(v >> 10));
            AppendUnicode(out, 0xDC00 + static_cast<unsigned>(v & 0x3FF));
        } else {
            AppendUnicode(out, static_cast<unsigned>(cp));
        }
    }
    return out;
}

std::string WriteRtf(const Document& doc, const PictureLoader& loadPicture) {
    return Writer(doc, loadPicture).Run();
}

}  // namespace varnel
