#include "gui/printing/DocumentLayout.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <map>

#include "core/printing/PageFit.h"
#include "gui/printing/FontMeasure.h"

namespace varnel {

namespace {

constexpr double kBandGap = 120;   // between a band and the body, at most
constexpr double kBandEdge = 144;  // the paper's edge kept clear of the bands, at most
constexpr double kFrameWidth = 10;  // cell borders, half a point
const QColor kBorder(96, 96, 96);
const QColor kGridLine(160, 160, 160);
const QColor kHeaderFill(224, 224, 224);
const QColor kShadow(160, 160, 160);  // the button-shadow colour on paper

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int HFlag(HAlign a) {
    switch (a) {
    case HAlign::Center: return Qt::AlignHCenter;
    case HAlign::Right: return Qt::AlignRight;
    case HAlign::Left: break;
    }
    return Qt::AlignLeft;
}

// Cell insets for a font: 0.3 of its size across (20 to 60 twips), half that down.
double PadX(double points) { return std::clamp(points * 20 * 0.3, 20.0, 60.0); }

// Where lines of a given height start down a box of another, by alignment.
double VOffset(VAlign a, double room, double height) {
    const double spare = std::max(0.0, room - height);
    return a == VAlign::Center ? spare / 2 : a == VAlign::Bottom ? spare : 0;
}

}  // namespace

QFont DocumentLayout::ToQFont(const FontStyle& style) { return FontMeasure::ToQFont(style); }

QColor DocumentLayout::ToQColor(Color c, const QColor& fallback) {
    if (c == kNoColor) return fallback;
    if (c == kShadowColor) return kShadow;
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

class DocumentLayout::Builder {
public:
    Builder(const Document& doc, DocumentLayout& out, const DocumentEvents& events)
        : doc_(doc), out_(out), events_(events) {
        const PageSetup& s = doc.Page();
        bodyTop_ = s.marginTop;
        bodyBottom_ = std::max<double>(s.paperHeight - s.marginBottom, bodyTop_ + 720);
        contentLeft_ = s.marginLeft;
        contentWidth_ = std::max<double>(s.paperWidth - s.marginLeft - s.marginRight, 720);
    }

    void Run() {
        if (events_.started) events_.started();
        NewPage();
        for (const Block& block : doc_.Blocks()) std::visit([this](const auto& b) { Place(b); }, block);
        for (size_t i = 0; i < out_.pages_.size(); ++i) DrawBands(out_.pages_[i], static_cast<int>(i) + 1);
        if (events_.ended) events_.ended();
    }

private:
    Page& Current() { return out_.pages_.back(); }
    static void AddFill(Page& page, const QRectF& rect, const QColor& color) {
        Item item;
        item.rect = rect;
        item.color = color;
        page.items.push_back(std::move(item));
    }
    static void AddFrame(Page& page, const QRectF& rect) {
        Item item;
        item.kind = Item::Kind::Frame;
        item.rect = rect;
        page.items.push_back(std::move(item));
    }
    static void AddText(Page& page, const QRectF& rect, const QString& text, const QFont& font, int flags,
                        const QColor& color) {
        Item item;
        item.kind = Item::Kind::Text;
        item.rect = rect;
        item.text = text;
        item.font = font;
        item.flags = flags;
        item.color = color;
        page.items.push_back(std::move(item));
    }

    // The lines of a fitted text from a box's top-left corner, each in a box
    // as wide as the room it was fitted to, aligned within it.
    void AddLines(Page& page, double left, double top, const FittedText& fitted, FontStyle style, int align,
                  const QColor& color) {
        style.size = fitted.size;
        const QFont font = ToQFont(style);
        const double height = measure_.LineHeight(style);
        for (const FittedLine& line : fitted.lines)
            if (!line.text.empty())
                AddText(page, QRectF(left, top + line.top, line.room, height), ToQString(line.text), font,
                        align | Qt::AlignTop | Qt::TextSingleLine, color);
    }

    FittedText Fit(const std::string& text, const FontStyle& font, double width, double height, bool grow,
                   double cornerWidth = 0, double cornerHeight = 0) {
        FitRequest request;
        request.size = font.size;
        request.floor = doc_.FitFloor();
        request.width = std::max(1.0, width);
        request.height = height;
        request.grow = grow;
        request.cornerWidth = cornerWidth;
        request.cornerHeight = cornerHeight;
        return FitText(text, request, measure_.For(font));
    }

    void NewPage() {
        out_.pages_.emplace_back();
        y_ = bodyTop_;
        column_ = 0;
        columnsTop_ = bodyTop_;
        if (events_.newPage) events_.newPage(static_cast<int>(out_.pages_.size()));
    }

    double FrameWidth() const {
        return columns_ <= 1 ? contentWidth_ : std::max(360.0, (contentWidth_ - (columns_ - 1) * spacing_) / columns_);
    }
    double FrameLeft() const { return contentLeft_ + column_ * (FrameWidth() + spacing_); }
    double FrameTop() const { return columns_ > 1 ? columnsTop_ : bodyTop_; }
    bool AtFrameTop() const { return y_ <= FrameTop() + 1; }
    bool Fits(double height) const { return AtFrameTop() || y_ + height <= bodyBottom_ + 0.5; }

    // No room left here: the next newspaper column, else a new page.
    void Advance() {
        if (column_ + 1 < columns_) {
            ++column_;
            y_ = columnsTop_;
        } else {
            const int columns = columns_;
            NewPage();
            columns_ = columns;
        }
    }

    // Where the next block starts across, from the frame's left, and how wide
    // it may be. Kept as an offset so a block that moves on to the next column
    // or page keeps its place in the frame.
    std::pair<double, double> TakeX() {
        double offset = 0, width = FrameWidth();
        if (nextX_) {
            offset = std::clamp(*nextX_ - FrameLeft(), 0.0, std::max(0.0, width - 720));
            width -= offset;
            nextX_.reset();
        }
        return {offset, width};
    }

    void Place(const Paragraph& p) {
        const auto [offset, width] = TakeX();
        const FittedText fitted = Fit(p.text, p.font, width, 0, true);
        FontStyle sized = p.font;
        sized.size = fitted.size;
        const double height = measure_.LineHeight(sized);
        for (const FittedLine& line : fitted.lines) {
            if (!Fits(height)) Advance();
            FittedText one{fitted.size, {{line.text, 0, line.room}}, height, fitted.shortened};
            AddLines(Current(), FrameLeft() + offset, y_, one, p.font, HFlag(p.align), Qt::black);
            y_ += height;
        }
    }

    // Left edges of a table's columns from its left (and the right edge last):
    // set widths stay, the others share what is left of the frame, and a table
    // wider than its frame is narrowed to it.
    static std::vector<double> ColumnEdges(const Table& t, double frame) {
        const size_t cols = t.columns.size();
        std::vector<double> w(cols, 0.0);
        double fixed = 0;
        int open = 0;
        for (size_t c = 0; c < cols; ++c) {
            const TableColumn& f = t.columns[c];
            if (f.width > 0 && !f.stretch) fixed += w[c] = f.width;
            else ++open;
        }
        const double share = open > 0 ? std::max(frame - fixed, 360.0 * open) / open : 0;
        double total = 0;
        for (double& x : w) total += x = x > 0 ? x : share;
        const double narrow = total > frame + 1 ? frame / total : 1.0;
        std::vector<double> edges(cols + 1, 0.0);
        for (size_t c = 0; c < cols; ++c) edges[c + 1] = edges[c] + w[c] * narrow;
        return edges;
    }

    // A cell's text fitted to its box, the corner kept free.
    struct FittedCell {
        size_t col = 0;
        double left = 0, width = 0;
        FontStyle font;
        double padX = 0, padY = 0;
        double cornerWidth = 0, cornerHeight = 0;
        FittedText text;
    };

    // Column widths that let each column hold its longest word, where the
    // table allows it: first at the texts' own sizes, else at the floor.
    std::vector<double> FitColumnEdges(const Table& t, std::vector<double> edges) {
        const size_t cols = t.columns.size();
        std::vector<double> widths(cols);
        for (size_t c = 0; c < cols; ++c) widths[c] = edges[c + 1] - edges[c];
        const auto needs = [&](bool atFloor) {
            std::vector<double> need(cols, 0.0);
            for (const TableRow& row : t.rows)
                for (size_t c = 0; c < cols && c < row.cells.size(); ++c) {
                    const TableCell& cell = row.cells[c];
                    if (cell.colSpan > 1 || cell.text.empty()) continue;
                    const FontStyle font = t.FontOf(cell);
                    const double size = atFloor ? std::min(font.size, doc_.FitFloor()) : font.size;
                    need[c] = std::max(need[c], WidestWord(cell.text, size, measure_.For(font)) + 2 * PadX(font.size));
                }
            return need;
        };
        std::vector<double> need = needs(false);
        std::vector<double> fitted = BalanceColumns(widths, need);
        for (size_t c = 0; c < cols; ++c)
            if (fitted[c] + 0.5 < need[c]) {
                need = needs(true);
                fitted = BalanceColumns(widths, need);
                break;
            }
        // Then the rows as low as the widths can make them.
        std::vector<std::vector<MeasuredText>> cells;
        std::vector<double> pads(cols, 0.0);
        for (const TableRow& row : t.rows) {
            auto& measured = cells.emplace_back();
            for (size_t c = 0; c < cols && c < row.cells.size(); ++c) {
                const FontStyle font = t.FontOf(row.cells[c]);
                pads[c] = std::max(pads[c], 2 * PadX(font.size));
                measured.push_back(row.cells[c].colSpan > 1 ? MeasuredText{}
                                                            : MeasureText(row.cells[c].text, font.size, measure_.For(font)));
            }
        }
        for (size_t c = 0; c < cols; ++c) need[c] = std::min(need[c], fitted[c]);
        fitted = ShapeColumns(fitted, need, cells, pads);
        for (size_t c = 0; c < cols; ++c) edges[c + 1] = edges[c] + fitted[c];
        return edges;
    }

    // The cells of a row fitted to their boxes, and the row's height: a row
    // grows to its tallest text unless its height is fixed.
    std::vector<FittedCell> FitRow(const Table& t, const TableRow& row, const std::vector<double>& edges, double shrink,
                                   double& height) {
        const size_t cols = t.columns.size();
        const bool fixed = row.fixedHeight && row.height > 0;
        const auto fitAll = [&](double rowHeight) {
            std::vector<FittedCell> cells;
            for (size_t c = 0; c < cols && c < row.cells.size();) {
                const TableCell& cell = row.cells[c];
                const size_t end = std::min(cols, c + static_cast<size_t>(std::max(1, cell.colSpan)));
                FittedCell f;
                f.col = c;
                f.left = edges[c];
                f.width = edges[end] - edges[c];
                f.font = t.FontOf(cell);
                f.font.size = std::max(std::min(f.font.size, doc_.FitFloor()), f.font.size - shrink);
                f.padX = PadX(f.font.size);
                f.padY = f.padX / 2;
                if (!cell.corner.empty()) {
                    const TextMeasure m = measure_.For(f.font);
                    // Two spaces between the corner and the text beside it.
                    f.cornerWidth = m.width(cell.corner + "  ", f.font.size);
                    f.cornerHeight = m.lineHeight(f.font.size);
                }
                f.text = Fit(cell.text, f.font, f.width - 2 * f.padX, rowHeight > 0 ? std::max(1.0, rowHeight - 2 * f.padY) : 0,
                             !fixed, f.cornerWidth, f.cornerHeight);
                cells.push_back(std::move(f));
                c = end;
            }
            return cells;
        };
        std::vector<FittedCell> cells = fitAll(row.height);
        height = row.height;
        if (fixed) return cells;
        for (const FittedCell& f : cells) height = std::max(height, std::max(f.text.height, f.cornerHeight) + 2 * f.padY);
        // A row grown past its set height gives every cell the room it now has.
        if (row.height > 0 && height > row.height + 0.5) cells = fitAll(height);
        return cells;
    }

    void Place(const Table& t) {
        const size_t cols = t.columns.size();
        if (cols == 0 || t.rows.empty()) return;
        // Plain variables: clang before 16 cannot capture structured bindings in a lambda.
        const std::pair<double, double> taken = TakeX();
        const double offset = taken.first, frame = taken.second;
        std::vector<double> edges = ColumnEdges(t, frame);
        if (t.fitColumns) edges = FitColumnEdges(t, edges);
        const auto drawRow = [&](size_t r, const std::vector<FittedCell>& cells, double h) {
            const double left = FrameLeft() + offset;
            for (const FittedCell& f : cells) {
                const TableCell& cell = t.rows[r].cells[f.col];
                const QRectF rect(left + f.left, y_, f.width, h);
                if (cell.style.background != kNoColor)
                    AddFill(Current(), rect, ToQColor(cell.style.background, Qt::white));
                AddFrame(Current(), rect);
                const QColor color = ToQColor(cell.style.foreground, Qt::black);
                const double innerTop = y_ + f.padY, innerHeight = h - 2 * f.padY;
                if (!cell.corner.empty())
                    AddText(Current(), QRectF(rect.right() - f.padX - f.cornerWidth, innerTop, f.cornerWidth, f.cornerHeight),
                            ToQString(cell.corner), ToQFont(f.font), Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine,
                            color);
                if (cell.text.empty()) continue;
                // Lines beside a corner start at the top, whatever the alignment.
                const double down = cell.corner.empty() ? VOffset(cell.style.valign, innerHeight, f.text.height) : 0;
                AddLines(Current(), rect.left() + f.padX, innerTop + down, f.text, f.font,
                         HFlag(t.AlignOf(static_cast<int>(r), static_cast<int>(f.col))), color);
            }
            y_ += h;
        };
        // Every row fitted; when a text had to step down, the whole table
        // steps down as far, so its cells keep one size.
        std::vector<std::vector<FittedCell>> rows(t.rows.size());
        std::vector<double> heights(t.rows.size(), 0.0);
        const auto fitRows = [&](double shrink) {
            double needed = 0;
            for (size_t r = t.hasHeader ? 0 : 1; r < t.rows.size(); ++r) {
                rows[r] = FitRow(t, t.rows[r], edges, shrink, heights[r]);
                for (const FittedCell& f : rows[r]) needed = std::max(needed, f.font.size - f.text.size);
            }
            return needed;
        };
        if (const double shrink = fitRows(0); shrink > 0) fitRows(shrink);
        if (t.hasHeader) {
            // The header stays with the first body row.
            if (!Fits(heights[0] + (t.rows.size() > 1 ? heights[1] : 0))) Advance();
            drawRow(0, rows[0], heights[0]);
        }
        for (size_t r = 1; r < t.rows.size(); ++r) {
            if (!Fits(heights[r])) {
                Advance();
                if (t.hasHeader) drawRow(0, rows[0], heights[0]);
            }
            drawRow(r, rows[r], heights[r]);
        }
    }

    void Place(const Picture& p) {
        auto it = images_.find(p.path);
        if (it == images_.end()) {
            auto image = std::make_shared<QImage>(QString::fromStdString(p.path));
            it = images_.emplace(p.path, image->isNull() ? nullptr : image).first;
        }
        if (!it->second || p.box.width <= 0 || p.box.height <= 0) return;
        QRectF rect(p.box.left, p.box.top, p.box.width, p.box.height);
        if (p.fit == PictureFit::Zoom) {
            QSizeF size = QSizeF(it->second->size()).scaled(rect.size(), Qt::KeepAspectRatio);
            rect = QRectF(rect.center().x() - size.width() / 2, rect.center().y() - size.height() / 2, size.width(),
                          size.height());
        }
        Item item;
        item.kind = Item::Kind::Image;
        item.rect = rect;
        item.image = it->second;
        Current().items.push_back(std::move(item));
    }

    void Place(const TextBox& b) {
        const double width = std::max(b.box.width, 1), height = std::max(b.box.height, 1);
        AddLines(Current(), b.box.left, b.box.top, Fit(b.text, b.font, width, height, false), b.font, Qt::AlignLeft,
                 Qt::black);
    }

    void Place(const GridPicture& g) {
        const Grid& grid = g.grid;
        if (grid.Rows() == 0 || grid.Cols() == 0 || grid.TotalWidth() <= 0) return;
        const auto [offset, width] = TakeX();
        const double scale = std::min(1.0, width / grid.TotalWidth());
        const double height = grid.TotalHeight() * scale;
        if (!Fits(height)) Advance();
        const double x0 = FrameLeft() + offset;
        FontStyle scaled = g.font;
        scaled.size *= scale;
        FontStyle headerFont = scaled;
        headerFont.bold = true;
        for (int r = 0; r < grid.Rows(); ++r)
            for (int c = 0; c < grid.Cols(); ++c) {
                const GridCell& cell = grid.Cell(r, c);
                const QRectF rect(x0 + grid.ColPos(c) * scale, y_ + grid.RowPos(r) * scale, grid.ColWidth(c) * scale,
                                  grid.RowHeight(r) * scale);
                if (rect.width() <= 0 || rect.height() <= 0) continue;
                const QColor fill = ToQColor(cell.background, r == 0 ? kHeaderFill : QColor());
                if (fill.isValid()) AddFill(Current(), rect, fill);
                if (cell.text.empty()) continue;
                const CellAlignment a = grid.HasColumnsAlignment() && cell.alignment == CellAlignment::LeftTop
                                            ? grid.ColumnsAlignment()
                                            : cell.alignment;
                const double pad = 15 * scale;
                const FontStyle& font = r == 0 ? headerFont : scaled;
                const FittedText fitted = Fit(cell.text, font, rect.width() - 2 * pad, rect.height(), false);
                const double down =
                    VOffset(a == CellAlignment::LeftTop ? VAlign::Top : VAlign::Center, rect.height(), fitted.height);
                AddLines(Current(), rect.left() + pad, rect.top() + down, fitted, font,
                         a == CellAlignment::CenterCenter ? Qt::AlignHCenter : Qt::AlignLeft,
                         ToQColor(cell.foreground, Qt::black));
            }
        // Grid lines over the fills, then the outer frame.
        for (int c = 1; c < grid.Cols(); ++c) {
            const double x = x0 + grid.ColPos(c) * scale;
            AddFill(Current(), QRectF(x - 2, y_, 4, height), kGridLine);
        }
        for (int r = 1; r < grid.Rows(); ++r) {
            const double y = y_ + grid.RowPos(r) * scale;
            AddFill(Current(), QRectF(x0, y - 2, grid.TotalWidth() * scale, 4), kGridLine);
        }
        AddFrame(Current(), QRectF(x0, y_, grid.TotalWidth() * scale, height));
        y_ += height;
    }

    void Place(const Position& p) {
        if (p.left) nextX_ = *p.left;
        if (p.top) y_ = *p.top;
        y_ = std::clamp(y_ + p.moveDown, 0.0, static_cast<double>(doc_.Page().paperHeight));
    }

    void Place(const Columns& c) {
        columns_ = std::max(1, c.count);
        spacing_ = c.spacing;
        column_ = 0;
        columnsTop_ = y_;
    }

    void Place(const ColumnSelect& s) {
        if (columns_ <= 1) return;  // no newspaper columns to move between
        column_ = std::clamp(s.index, 1, columns_) - 1;
        y_ = columnsTop_;
    }

    void Place(const PageBreak&) {
        const int columns = columns_;
        NewPage();
        columns_ = columns;
    }

    // A band in the margin: the header just above the body, the footer just
    // below it, between the body and a strip along the paper's edge.
    void DrawBand(Page& page, const PageBand& band, int number, bool header) {
        const std::array<std::string, 3> parts = {WithPageNumber(band.left, number), WithPageNumber(band.center, number),
                                                  WithPageNumber(band.right, number)};
        if (parts[0].empty() && parts[1].empty() && parts[2].empty()) return;
        const PageSetup& s = doc_.Page();
        const double margin = header ? s.marginTop : s.marginBottom;
        const double gap = std::min(kBandGap, margin / 5), edge = std::min(kBandEdge, margin / 4);
        const double room = std::max(1.0, margin - gap - edge);
        const FittedBand fitted = FitBand(parts, band.font.size, doc_.FitFloor(), contentWidth_, room,
                                          measure_.For(band.font));
        FontStyle sized = band.font;
        sized.size = fitted.size;
        const QFont font = ToQFont(sized);
        const double lineHeight = measure_.LineHeight(sized);
        double used = 0;
        for (const BandLine& line : fitted.lines) used = std::max(used, line.top + lineHeight);
        const double top = header ? std::max(edge, s.marginTop - gap - used) : s.paperHeight - s.marginBottom + gap;
        const int align[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
        for (const BandLine& line : fitted.lines)
            AddText(page, QRectF(contentLeft_ + line.left, top + line.top, line.width, lineHeight), ToQString(line.text),
                    font, align[line.part] | Qt::AlignTop | Qt::TextSingleLine, Qt::black);
    }

    void DrawBands(Page& page, int number) {
        DrawBand(page, doc_.Header(), number, true);
        DrawBand(page, doc_.Footer(), number, false);
    }

    const Document& doc_;
    DocumentLayout& out_;
    const DocumentEvents& events_;
    double bodyTop_ = 0, bodyBottom_ = 0, contentLeft_ = 0, contentWidth_ = 0;
    double y_ = 0;
    int columns_ = 1;
    double spacing_ = 0;
    int column_ = 0;
    double columnsTop_ = 0;
    std::optional<double> nextX_;
    std::map<std::string, std::shared_ptr<const QImage>> images_;
    FontMeasure measure_;
};

DocumentLayout::DocumentLayout(const Document& document, const DocumentEvents& events) : setup_(document.Page()) {
    Builder(document, *this, events).Run();
}

void DocumentLayout::PaintPage(QPainter& painter, int index) const {
    if (index < 0 || index >= PageCount()) return;
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    for (const Item& item : pages_[static_cast<size_t>(index)].items) {
        switch (item.kind) {
        case Item::Kind::Fill: painter.fillRect(item.rect, item.color); break;
        case Item::Kind::Frame:
            painter.setPen(QPen(kBorder, kFrameWidth));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(item.rect);
            break;
        case Item::Kind::Text:
            painter.setFont(item.font);
            painter.setPen(item.color);
            painter.drawText(item.rect, item.flags, item.text);
            break;
        case Item::Kind::Image:
            if (item.image) painter.drawImage(item.rect, *item.image);
            break;
        }
    }
    painter.restore();
}

QStringList DocumentLayout::PageTexts(int index) const {
    QStringList texts;
    if (index < 0 || index >= PageCount()) return texts;
    for (const Item& item : pages_[static_cast<size_t>(index)].items)
        if (item.kind == Item::Kind::Text) texts << item.text;
    return texts;
}

}  // namespace varnel
