#include "gui/views/GridWidget.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace varnel {

GridWidget::GridWidget(QWidget* parent) : QWidget(parent) {
    static const bool accessible = (QAccessible::installFactory(AccessibleGrid), true);
    (void)accessible;
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    style_.cellFont = font();
    style_.headerFont = font();
    style_.cornerFont = font();
}

void GridWidget::SetGrid(Grid* grid) {
    grid_ = grid;
    update();
}

void GridWidget::Refresh() {
    update();
    // A new fill (another month) changes what the focused cell holds.
    if (grid_ && grid_->Revision() != reportedRevision_) ReportFocusedCell();
}

CellSpeech GridWidget::SpeechAt(int row, int col) const {
    if (!grid_) return {};
    return speech_ ? speech_(*grid_, row, col) : SpeechOfCell(grid_->Cell(row, col));
}

void GridWidget::ReportFocusedCell() {
    if (!grid_) return;
    reportedRevision_ = grid_->Revision();
    if (!selectionShown_ || !hasFocus() || !QAccessible::isActive()) return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(row_ * grid_->Cols() + col_);
    QAccessible::updateAccessibility(&event);
}

void GridWidget::SetFixedRows(int rows) { style_.fixedRows = rows < 0 ? 0 : rows; }
void GridWidget::SetCellFont(const QFont& font) { style_.cellFont = font; }
void GridWidget::SetHeaderFont(const QFont& font) { style_.headerFont = font; }

void GridWidget::SetCornerLabels(std::vector<CornerLabel> labels) { style_.cornerLabels = std::move(labels); }

void GridWidget::SetCornerLabelStyle(const QFont& font, const QColor& color, int insetTwips) {
    style_.cornerFont = font;
    style_.cornerColor = color;
    style_.cornerInsetTwips = insetTwips;
}

GridStyle GridWidget::Style() const {
    GridStyle style = style_;
    style.palette = palette();
    style.style = this->style();
    style.widget = this;
    if (selectionShown_ && row_ >= style_.fixedRows) {
        style.selectedRow = row_;
        style.selectedCol = col_;
        style.focused = hasFocus();
    }
    return style;
}

void GridWidget::PrepareFonts() const {
    // A measure of a digit loads each font and the shaper's tables for it.
    for (const QFont* font : {&style_.cellFont, &style_.headerFont, &style_.cornerFont})
        QFontMetrics(*font, this).horizontalAdvance(QLatin1Char('0'));
}

void GridWidget::Select(int row, int col) {
    const bool moved = row != row_ || col != col_;
    if (selectionShown_ && moved) update();
    row_ = row;
    col_ = col;
    if (moved) ReportFocusedCell();
}

void GridWidget::SetTodayCell(int row, int col) {
    if (row == style_.todayRow && col == style_.todayCol) return;
    style_.todayRow = row;
    style_.todayCol = col;
    update();
}

void GridWidget::SetSelectionShown(bool shown) {
    selectionShown_ = shown;
    update();
}

void GridWidget::EditCell() {
    if (!grid_) return;
    GridCell* cell = grid_->MutableCell(row_, col_);
    if (!cell || cell->check == CheckState::None) return;
    cell->check = cell->check == CheckState::Checked ? CheckState::Unchecked : CheckState::Checked;
    update(CellRect(row_, col_));
}

int GridWidget::TwipsToPixelsX(int twips) const { return Scale().ToPixelsX(twips); }
int GridWidget::TwipsToPixelsY(int twips) const { return Scale().ToPixelsY(twips); }
int GridWidget::PixelsToTwipsX(int pixels) const { return Scale().ToTwipsX(pixels); }
int GridWidget::PixelsToTwipsY(int pixels) const { return Scale().ToTwipsY(pixels); }

QRect GridWidget::CellRect(int row, int col) const {
    if (!grid_) return {};
    return GridEdges::Of(*grid_, Scale()).Cell(row, col);
}

bool GridWidget::CellAt(const QPoint& point, int& row, int& col) const {
    row = -1;
    col = -1;
    if (!grid_) return false;
    const GridEdges edges = GridEdges::Of(*grid_, Scale());
    for (int c = 0; c < grid_->Cols(); ++c)
        if (point.x() >= edges.cols[static_cast<size_t>(c)] && point.x() < edges.cols[static_cast<size_t>(c) + 1]) col = c;
    for (int r = 0; r < grid_->Rows(); ++r)
        if (point.y() >= edges.rows[static_cast<size_t>(r)] && point.y() < edges.rows[static_cast<size_t>(r) + 1]) row = r;
    if (row < 0 || col < 0) {
        row = col = -1;
        return false;
    }
    return true;
}

QColor GridWidget::ShadowColor() const { return palette().color(QPalette::Dark); }

void GridWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Mid));
    if (grid_) PaintGrid(painter, QPoint(0, 0), *grid_, Style(), Scale(), event->rect());
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

void GridWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (selectionShown_) update();
    // Qt reports the grid itself as focused after this handler; the cell
    // follows, so a screen reader ends on the cell.
    QMetaObject::invokeMethod(this, &GridWidget::ReportFocusedCell, Qt::QueuedConnection);
}

void GridWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    if (selectionShown_) update();
}

void GridWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit Resized();
}

}  // namespace varnel
