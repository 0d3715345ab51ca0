#include "gui/printing/DocumentLayout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <map>

namespace varnel {

namespace {

constexpr double kPadX = 60;       // cell text inset, left and right
constexpr double kPadY = 30;       // cell text inset, top and bottom
constexpr double kBandGap = 120;   // between a band and the body
constexpr double kFrameWidth = 10;  // cell borders, half a point
const QColor kBorder(96, 96, 96);
const QColor kGridLine(160, 160, 160);
const QColor kHeaderFill(224, 224, 224);
const QColor kShadow(160, 160, 160);  // the button-shadow colour on paper

QString ToQString(const std::string& text) {
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

int HFlag(HAlign a) {
    switch (a) {
    case HAlign::Center: return Qt::AlignHCenter;
    case HAlign::Right: return Qt::AlignRight;
    case HAlign::Left: break;
    }
    return Qt::AlignLeft;
}

int VFlag(VAlign a) {
    switch (a) {
    case VAlign::Center: return Qt::AlignVCenter;
    case VAlign::Bottom: return Qt::AlignBottom;
    case VAlign::Top: break;
    }
    return Qt::AlignTop;
}

// Height of a text wrapped into a width; an empty text is one line high.
double TextHeight(const QFont& font, const QString& text, double width) {
    const QFontMetricsF fm(font);
    if (text.isEmpty()) return fm.height();
    return fm.boundingRect(QRectF(0, 0, std::max(width, 1.0), 1e7), Qt::TextWordWrap, text).height();
}

}  // namespace

QFont DocumentLayout::ToQFont(const FontStyle& style) {
    QFont font(QString::fromStdString(style.name.empty() ? std::string("Arial") : style.name));
    font.setPixelSize(std::max(1, static_cast<int>(style.size * 20 + 0.5)));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

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
        const QFont font = ToQFont(p.font);
        const auto [offset, width] = TakeX();
        for (const QString& line : ToQString(p.text).split(QLatin1Char('\n'))) {
            const double h = TextHeight(font, line, width);
            if (!Fits(h)) Advance();
            AddText(Current(), QRectF(FrameLeft() + offset, y_, width, h), line, font,
                    HFlag(p.align) | Qt::AlignTop | Qt::TextWordWrap, Qt::black);
            y_ += h;
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

    void Place(const Table& t) {
        const size_t cols = t.columns.size();
        if (cols == 0 || t.rows.empty()) return;
        // Plain variables: clang before 16 cannot capture structured bindings in a lambda.
        const std::pair<double, double> taken = TakeX();
        const double offset = taken.first, frame = taken.second;
        const std::vector<double> edges = ColumnEdges(t, frame);
        // Cells of a row, a spanning cell covering the ones after it.
        const auto forEachCell = [&](const TableRow& row, auto&& f) {
            for (size_t c = 0; c < cols && c < row.cells.size();) {
                const size_t end = std::min(cols, c + static_cast<size_t>(std::max(1, row.cells[c].colSpan)));
                f(row.cells[c], c, edges[c], edges[end] - edges[c]);
                c = end;
            }
        };
        const auto rowHeight = [&](size_t r) {
            double h = t.rows[r].height;
            if (t.rows[r].fixedHeight && h > 0) return h;  // exact: text that does not fit is cut
            forEachCell(t.rows[r], [&](const TableCell& cell, size_t, double, double width) {
                const double text = TextHeight(ToQFont(t.FontOf(cell)), ToQString(cell.text), width - 2 * kPadX);
                h = std::max(h, text + 2 * kPadY);
            });
            return h;
        };
        const auto drawRow = [&](size_t r, double h) {
            const double left = FrameLeft() + offset;
            forEachCell(t.rows[r], [&](const TableCell& cell, size_t c, double x, double width) {
                const QRectF rect(left + x, y_, width, h);
                if (cell.style.background != kNoColor)
                    AddFill(Current(), rect, ToQColor(cell.style.background, Qt::white));
                AddFrame(Current(), rect);
                if (cell.text.empty()) return;
                const int flags = HFlag(t.AlignOf(static_cast<int>(r), static_cast<int>(c))) |
                                  VFlag(cell.style.valign) | Qt::TextWordWrap;
                AddText(Current(), rect.adjusted(kPadX, kPadY, -kPadX, -kPadY), ToQString(cell.text),
                        ToQFont(t.FontOf(cell)), flags, ToQColor(cell.style.foreground, Qt::black));
            });
            y_ += h;
        };
        const double headerH = t.hasHeader ? rowHeight(0) : 0;
        if (t.hasHeader) {
            // The header stays with the first body row.
            if (!Fits(headerH + (t.rows.size() > 1 ? rowHeight(1) : 0))) Advance();
            drawRow(0, headerH);
        }
        for (size_t r = 1; r < t.rows.size(); ++r) {
            const double h = rowHeight(r);
            if (!Fits(h)) {
                Advance();
                if (t.hasHeader) drawRow(0, headerH);
            }
            drawRow(r, h);
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
        AddText(Current(), QRectF(b.box.left, b.box.top, std::max(b.box.width, 1), std::max(b.box.height, 1)),
                ToQString(b.text), ToQFont(b.font),
                Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Qt::black);
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
        const QFont cellFont = ToQFont(scaled);
        QFont headerFont = cellFont;
        headerFont.setBold(true);
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
                const int flags = a == CellAlignment::CenterCenter ? Qt::AlignCenter
                                  : a == CellAlignment::LeftCenter ? (Qt::AlignLeft | Qt::AlignVCenter)
                                                                   : (Qt::AlignLeft | Qt::AlignTop);
                const double pad = 15 * scale;
                AddText(Current(), rect.adjusted(pad, 0, -pad, 0), ToQString(cell.text),
                        r == 0 ? headerFont : cellFont, flags | Qt::TextWordWrap,
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

    void DrawBand(Page& page, const PageBand& band, int number, bool header) {
        const QFont font = ToQFont(band.font);
        const QString parts[3] = {ToQString(WithPageNumber(band.left, number)),
                                  ToQString(WithPageNumber(band.center, number)),
                                  ToQString(WithPageNumber(band.right, number))};
        const int align[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
        const PageSetup& s = doc_.Page();
        for (int i = 0; i < 3; ++i) {
            if (parts[i].isEmpty()) continue;
            const double h = TextHeight(font, parts[i], contentWidth_);
            const double top = header ? std::max(0.0, s.marginTop - kBandGap - h)
                                      : std::min<double>(s.paperHeight - s.marginBottom + kBandGap, s.paperHeight - h);
            AddText(page, QRectF(contentLeft_, top, contentWidth_, h), parts[i], font,
                    align[i] | Qt::AlignTop | Qt::TextWordWrap, Qt::black);
        }
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
