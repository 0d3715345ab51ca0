#include "gui/views/GridPainter.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextLayout>
#include <cmath>

namespace varnel {
namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kTextPadX = 4;
constexpr int kTextPadY = 2;
const QColor kTodayFrameColor(200, 30, 30);

int Scale(int value, int numerator, int denominator) {
    if (denominator <= 0) return value;
    return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

int AlignmentFlags(CellAlignment a) {
    switch (a) {
        case CellAlignment::LeftCenter: return Qt::AlignLeft | Qt::AlignVCenter;
        case CellAlignment::CenterCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
        case CellAlignment::LeftTop: break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

// Cell texts break lines with CR LF; Qt wants LF alone.
QString DisplayText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.remove(QLatin1Char('\r'));
    return s;
}

// The fonts' metrics on the device, resolved once for all the cells of one painting.
struct CellPainting {
    CellPainting(const GridStyle& style, QPaintDevice* device)
        : cellMetrics(style.cellFont, device),
          headerMetrics(style.headerFont, device),
          cornerMetrics(style.cornerFont, device) {}
    QFontMetrics cellMetrics;
    QFontMetrics headerMetrics;
    QFontMetricsF cornerMetrics;
};

// Draws text wrapped at word boundaries from the top left of rect, making the
// lines that start above clearTop (from rect's top) no wider than clearWidth,
// so they stay clear of a label in the cell's top right corner. A first word
// too wide for that room starts below the label instead.
void DrawTextBesideCorner(QPainter& painter, const QFontMetrics& metrics, const QRect& rect, const QString& text,
                          int clearWidth, int clearTop) {
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    qreal y = 0;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        if (y >= rect.height()) break;
        if (y < clearTop && metrics.horizontalAdvance(paragraph.section(QLatin1Char(' '), 0, 0)) > clearWidth)
            y = clearTop;
        QTextLayout layout(paragraph, painter.font(), painter.device());
        layout.setTextOption(option);
        layout.beginLayout();
        qreal lineY = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(y + lineY < clearTop ? clearWidth : rect.width());
            line.setPosition(QPointF(0, lineY));
            lineY += line.height();
        }
        layout.endLayout();
        layout.draw(&painter, QPointF(rect.left(), rect.top() + y));
        y += lineY;
    }
}

bool HasCornerLabel(const GridStyle& style, int row, int col) {
    for (const CornerLabel& label : style.cornerLabels)
        if (label.row == row && label.col == col) return true;
    return false;
}

void PaintCheckBox(QPainter& painter, const GridStyle& style, const QRect& box, bool checked) {
    if (style.style) {
        QStyleOptionButton option;
        option.rect = box;
        option.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
        option.palette = style.palette;
        style.style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, style.widget);
        return;
    }
    painter.setPen(style.palette.color(QPalette::Text));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (checked) {
        painter.drawLine(box.topLeft() + QPoint(2, box.height() / 2), box.center() + QPoint(0, box.height() / 4));
        painter.drawLine(box.center() + QPoint(0, box.height() / 4), box.topRight() + QPoint(-2, 2));
    }
}

void PaintCell(QPainter& painter, CellPainting& shared, const Grid& grid, const GridStyle& style,
               const TwipsScale& scale, int row, int col, const QRect& rect) {
    const GridCell& cell = grid.Cell(row, col);
    const bool fixed = row < style.fixedRows;
    const QPalette& pal = style.palette;
    painter.fillRect(rect, ToQColor(cell.background, fixed ? pal.color(QPalette::Button) : pal.color(QPalette::Base), pal));

    // Grid lines on the right and bottom edges, one pixel wide: filled, they
    // take the raster's plain fill rather than its line drawing.
    const QColor line = fixed ? pal.color(QPalette::Mid) : QColor(176, 176, 176);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), line);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), line);

    QRect textRect = rect.adjusted(kTextPadX, kTextPadY, -kTextPadX, -kTextPadY);
    if (cell.check != CheckState::None) {
        const int size = style.style ? style.style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, style.widget)
                                     : shared.cellMetrics.height();
        const QRect box(textRect.left(), rect.center().y() - size / 2, size, size);
        PaintCheckBox(painter, style, box, cell.check == CheckState::Checked);
        textRect.setLeft(box.right() + kTextPadX + 2);
    }
    if (cell.text.empty()) return;
    CellAlignment alignment = cell.alignment;
    if (grid.HasColumnsAlignment() && alignment == CellAlignment::LeftTop) alignment = grid.ColumnsAlignment();
    painter.setFont(fixed ? style.headerFont : style.cellFont);
    painter.setPen(ToQColor(cell.foreground, fixed ? pal.color(QPalette::ButtonText) : pal.color(QPalette::Text), pal));
    if (alignment == CellAlignment::LeftTop && HasCornerLabel(style, row, col)) {
        // Lines beside the corner label end where the label begins.
        const int labelLeft = rect.right() + 1 - scale.ToPixelsX(style.cornerInsetTwips);
        const int clearWidth = qMax(1, labelLeft - kTextPadX - textRect.left());
        const int clearTop = rect.top() + qRound(shared.cornerMetrics.ascent()) - textRect.top();
        DrawTextBesideCorner(painter, fixed ? shared.headerMetrics : shared.cellMetrics, textRect, DisplayText(cell.text),
                             clearWidth, clearTop);
        return;
    }
    painter.drawText(textRect, AlignmentFlags(alignment) | Qt::TextWordWrap, DisplayText(cell.text));
}

// The selected cell is tinted with the palette's highlight and edged with it;
// today's cell gets a frame of its own colour along its edges, inside the
// text's padding so no text is covered; the focus a dotted line inside both.
void PaintMarks(QPainter& painter, const QPoint& origin, const GridEdges& edges, const GridStyle& style) {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    const QRect selected = edges.Cell(style.selectedRow, style.selectedCol).translated(origin);
    if (!selected.isEmpty()) {
        QColor tint = style.palette.color(QPalette::Highlight);
        tint.setAlpha(60);
        painter.fillRect(selected, tint);
        painter.setPen(QPen(style.palette.color(QPalette::Highlight), 2));
        painter.drawRect(selected.adjusted(1, 1, -1, -1));
    }
    const QRect today = edges.Cell(style.todayRow, style.todayCol).translated(origin);
    if (!today.isEmpty()) {
        painter.setPen(QPen(kTodayFrameColor, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(today.adjusted(1, 1, -2, -2));
    }
    if (style.focused && !selected.isEmpty()) {
        painter.setPen(QPen(style.palette.color(QPalette::Text), 1, Qt::DotLine));
        painter.drawRect(selected.adjusted(3, 3, -4, -4));
    }
    painter.restore();
}

}  // namespace

TwipsScale TwipsScale::Of(const QPaintDevice& device) { return {device.logicalDpiX(), device.logicalDpiY()}; }
int TwipsScale::ToPixelsX(int twips) const { return Scale(twips, dpiX, kTwipsPerInch); }
int TwipsScale::ToPixelsY(int twips) const { return Scale(twips, dpiY, kTwipsPerInch); }
int TwipsScale::ToTwipsX(int pixels) const { return Scale(pixels, kTwipsPerInch, dpiX); }
int TwipsScale::ToTwipsY(int pixels) const { return Scale(pixels, kTwipsPerInch, dpiY); }

QColor ToQColor(Color c, const QColor& fallback, const QPalette& palette) {
    if (c == kNoColor) return fallback;
    if (c == kShadowColor) return palette.color(QPalette::Dark);
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

GridEdges GridEdges::Of(const Grid& grid, const TwipsScale& scale) {
    // Converting the running sums keeps rounding from piling up across cells.
    GridEdges edges;
    edges.cols.reserve(static_cast<size_t>(grid.Cols()) + 1);
    for (int c = 0; c <= grid.Cols(); ++c) edges.cols.push_back(scale.ToPixelsX(grid.ColPos(c)));
    edges.rows.reserve(static_cast<size_t>(grid.Rows()) + 1);
    for (int r = 0; r <= grid.Rows(); ++r) edges.rows.push_back(scale.ToPixelsY(grid.RowPos(r)));
    return edges;
}

QRect GridEdges::Cell(int row, int col) const {
    if (row < 0 || col < 0 || static_cast<size_t>(row) + 1 >= rows.size() || static_cast<size_t>(col) + 1 >= cols.size())
        return {};
    return QRect(QPoint(cols[static_cast<size_t>(col)], rows[static_cast<size_t>(row)]),
                 QPoint(cols[static_cast<size_t>(col) + 1] - 1, rows[static_cast<size_t>(row) + 1] - 1));
}

void PaintGrid(QPainter& painter, const QPoint& origin, const Grid& grid, const GridStyle& style,
               const TwipsScale& scale, const QRect& exposed) {
    const GridEdges edges = GridEdges::Of(grid, scale);
    CellPainting shared(style, painter.device());
    // Each cell is drawn inside its own rectangle: one clip replaces the last.
    painter.save();
    for (int r = 0; r < grid.Rows(); ++r)
        for (int c = 0; c < grid.Cols(); ++c) {
            const QRect rect = edges.Cell(r, c).translated(origin);
            if (rect.isEmpty() || !rect.intersects(exposed)) continue;
            painter.setClipRect(rect);
            PaintCell(painter, shared, grid, style, scale, r, c, rect);
        }
    painter.restore();
    PaintMarks(painter, origin, edges, style);
    if (style.cornerLabels.empty()) return;
    painter.setFont(style.cornerFont);
    painter.setPen(style.cornerColor);
    const int inset = scale.ToPixelsX(style.cornerInsetTwips);
    for (const CornerLabel& label : style.cornerLabels) {
        const QRect cell = edges.Cell(label.row, label.col).translated(origin);
        if (cell.isEmpty()) continue;
        // One line from the top left: drawn from its baseline, without a text layout.
        painter.drawText(QPointF(cell.right() + 1 - inset, cell.top() + shared.cornerMetrics.ascent()), label.text);
    }
}

}  // namespace varnel
