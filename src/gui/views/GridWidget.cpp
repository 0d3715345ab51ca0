#include "gui/views/GridWidget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QFontMetrics>
#include <QTextLayout>
#include <cmath>

namespace varnel {
namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kTextPadX = 4;
constexpr int kTextPadY = 2;

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

// Draws text wrapped at word boundaries from the top left of rect, making the
// lines that start above clearTop (from rect's top) no wider than clearWidth,
// so they stay clear of a label in the cell's top right corner. A first word
// too wide for that room starts below the label instead.
void DrawTextBesideCorner(QPainter& painter, const QRect& rect, const QString& text, int clearWidth, int clearTop) {
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    const QFontMetrics metrics(painter.font(), painter.device());
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

}  // namespace

GridWidget::GridWidget(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    cellFont_ = font();
    headerFont_ = font();
    cornerFont_ = font();
}

void GridWidget::SetGrid(Grid* grid) {
    grid_ = grid;
    update();
}

void GridWidget::Refresh() { update(); }

void GridWidget::SetFixedRows(int rows) { fixedRows_ = rows < 0 ? 0 : rows; }
void GridWidget::SetCellFont(const QFont& font) { cellFont_ = font; }
void GridWidget::SetHeaderFont(const QFont& font) { headerFont_ = font; }

void GridWidget::SetCornerLabels(std::vector<CornerLabel> labels) { cornerLabels_ = std::move(labels); }

void GridWidget::SetCornerLabelStyle(const QFont& font, const QColor& color, int insetTwips) {
    cornerFont_ = font;
    cornerColor_ = color;
    cornerInset_ = insetTwips;
}

void GridWidget::Select(int row, int col) {
    row_ = row;
    col_ = col;
}

void GridWidget::EditCell() {
    if (!grid_) return;
    GridCell* cell = grid_->MutableCell(row_, col_);
    if (!cell || cell->check == CheckState::None) return;
    cell->check = cell->check == CheckState::Checked ? CheckState::Unchecked : CheckState::Checked;
    update(CellRect(row_, col_));
}

int GridWidget::TwipsToPixelsX(int twips) const { return Scale(twips, logicalDpiX(), kTwipsPerInch); }
int GridWidget::TwipsToPixelsY(int twips) const { return Scale(twips, logicalDpiY(), kTwipsPerInch); }
int GridWidget::PixelsToTwipsX(int pixels) const { return Scale(pixels, kTwipsPerInch, logicalDpiX()); }
int GridWidget::PixelsToTwipsY(int pixels) const { return Scale(pixels, kTwipsPerInch, logicalDpiY()); }

void GridWidget::UpdateEdges() const {
    colEdges_.clear();
    rowEdges_.clear();
    if (!grid_) return;
    // Converting the running sums keeps rounding from piling up across cells.
    colEdges_.reserve(static_cast<size_t>(grid_->Cols()) + 1);
    for (int c = 0; c <= grid_->Cols(); ++c) colEdges_.push_back(TwipsToPixelsX(grid_->ColPos(c)));
    rowEdges_.reserve(static_cast<size_t>(grid_->Rows()) + 1);
    for (int r = 0; r <= grid_->Rows(); ++r) rowEdges_.push_back(TwipsToPixelsY(grid_->RowPos(r)));
}

QRect GridWidget::CellRect(int row, int col) const {
    if (!grid_ || row < 0 || col < 0 || row >= grid_->Rows() || col >= grid_->Cols()) return {};
    const int left = TwipsToPixelsX(grid_->ColPos(col));
    const int right = TwipsToPixelsX(grid_->ColPos(col + 1));
    const int top = TwipsToPixelsY(grid_->RowPos(row));
    const int bottom = TwipsToPixelsY(grid_->RowPos(row + 1));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

bool GridWidget::CellAt(const QPoint& point, int& row, int& col) const {
    row = -1;
    col = -1;
    if (!grid_) return false;
    UpdateEdges();
    for (int c = 0; c < grid_->Cols(); ++c)
        if (point.x() >= colEdges_[static_cast<size_t>(c)] && point.x() < colEdges_[static_cast<size_t>(c) + 1]) col = c;
    for (int r = 0; r < grid_->Rows(); ++r)
        if (point.y() >= rowEdges_[static_cast<size_t>(r)] && point.y() < rowEdges_[static_cast<size_t>(r) + 1]) row = r;
    if (row < 0 || col < 0) {
        row = col = -1;
        return false;
    }
    return true;
}

QColor GridWidget::ShadowColor() const { return palette().color(QPalette::Dark); }

QColor GridWidget::ToQColor(Color c, const QColor& fallback) const {
    if (c == kNoColor) return fallback;
    if (c == kShadowColor) return ShadowColor();
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

void GridWidget::PaintCell(QPainter& painter, int row, int col, const QRect& rect) const {
    const GridCell& cell = grid_->Cell(row, col);
    const bool fixed = row < fixedRows_;
    const QPalette& pal = palette();
    painter.fillRect(rect, ToQColor(cell.background, fixed ? pal.color(QPalette::Button) : pal.color(QPalette::Base)));

    // Grid lines on the right and bottom edges.
    painter.setPen(fixed ? pal.color(QPalette::Mid) : QColor(176, 176, 176));
    painter.drawLine(rect.topRight(), rect.bottomRight());
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());

    QRect textRect = rect.adjusted(kTextPadX, kTextPadY, -kTextPadX, -kTextPadY);
    if (cell.check != CheckState::None) {
        QStyleOptionButton box;
        const int size = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this);
        box.rect = QRect(textRect.left(), rect.center().y() - size / 2, size, size);
        box.state = QStyle::State_Enabled | (cell.check == CheckState::Checked ? QStyle::State_On : QStyle::State_Off);
        box.palette = pal;
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, &painter, this);
        textRect.setLeft(box.rect.right() + kTextPadX + 2);
    }
    if (cell.text.empty()) return;
    CellAlignment alignment = cell.alignment;
    if (grid_->HasColumnsAlignment() && alignment == CellAlignment::LeftTop) alignment = grid_->ColumnsAlignment();
    painter.setFont(fixed ? headerFont_ : cellFont_);
    painter.setPen(ToQColor(cell.foreground, fixed ? pal.color(QPalette::ButtonText) : pal.color(QPalette::Text)));
    if (alignment == CellAlignment::LeftTop && HasCornerLabel(row, col)) {
        // Lines beside the corner label end where the label begins.
        const int labelLeft = rect.right() + 1 - TwipsToPixelsX(cornerInset_);
        const int clearWidth = qMax(1, labelLeft - kTextPadX - textRect.left());
        const int clearTop = rect.top() + QFontMetrics(cornerFont_, this).ascent() - textRect.top();
        DrawTextBesideCorner(painter, textRect, DisplayText(cell.text), clearWidth, clearTop);
        return;
    }
    painter.drawText(textRect, AlignmentFlags(alignment) | Qt::TextWordWrap, DisplayText(cell.text));
}

bool GridWidget::HasCornerLabel(int row, int col) const {
    for (const CornerLabel& label : cornerLabels_)
        if (label.row == row && label.col == col) return true;
    return false;
}

void GridWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Mid));
    if (!grid_) return;
    UpdateEdges();
    for (int r = 0; r < grid_->Rows(); ++r) {
        const int top = rowEdges_[static_cast<size_t>(r)];
        const int bottom = rowEdges_[static_cast<size_t>(r) + 1];
        if (bottom <= event->rect().top() || top > event->rect().bottom()) continue;
        for (int c = 0; c < grid_->Cols(); ++c) {
            const QRect rect(QPoint(colEdges_[static_cast<size_t>(c)], top),
                             QPoint(colEdges_[static_cast<size_t>(c) + 1] - 1, bottom - 1));
            if (rect.isEmpty() || !rect.intersects(event->rect())) continue;
            painter.save();
            painter.setClipRect(rect);
            PaintCell(painter, r, c, rect);
            painter.restore();
        }
    }
    if (cornerLabels_.empty()) return;
    painter.setFont(cornerFont_);
    painter.setPen(cornerColor_);
    const int inset = TwipsToPixelsX(cornerInset_);
    for (const CornerLabel& label : cornerLabels_) {
        const QRect cell = CellRect(label.row, label.col);
        if (cell.isEmpty()) continue;
        const QRect at(cell.right() + 1 - inset, cell.top(), inset, cell.height());
        painter.drawText(at, Qt::AlignLeft | Qt::AlignTop, label.text);
    }
}

void GridWidget::TrackPointer(const QPoint& point) {
    int row = -1, col = -1;
    CellAt(point, row, col);
    mouseRow_ = row;
    mouseCol_ = col;
}

void GridWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    TrackPointer(p);
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        if (mouseRow_ >= 0) Select(mouseRow_, mouseCol_);
    }
    emit ButtonPressed(event->button(), event->modifiers(), p.x(), p.y());
}

void GridWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    if (rect().contains(event->position().toPoint())) emit Clicked();
}

void GridWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    TrackPointer(p);
    if (event->button() != Qt::LeftButton) return;
    if (mouseRow_ >= 0) Select(mouseRow_, mouseCol_);
    emit DoubleClicked();
}

void GridWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    TrackPointer(p);
    emit PointerMoved(event->buttons(), event->modifiers(), p.x(), p.y());
}

void GridWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit Resized();
}

}  // namespace varnel
