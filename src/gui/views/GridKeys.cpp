#include "gui/views/GridKeys.h"

#include <QKeyEvent>

#include "core/views/GridNavigation.h"
#include "gui/views/GridWidget.h"

namespace varnel {

GridKeys::GridKeys(GridWidget* grid, std::function<bool(int row, int col)> selectable)
    : QObject(grid), grid_(grid), selectable_(std::move(selectable)) {
    grid_->setFocusPolicy(Qt::StrongFocus);
    grid_->SetSelectionShown(true);
    grid_->installEventFilter(this);
}

void GridKeys::SetTabCell(int row, int col) {
    tabRow_ = row;
    tabCol_ = col;
}

bool GridKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched != grid_ || event->type() != QEvent::KeyPress || !grid_->Model())
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    int dRow = 0, dCol = 0;
    switch (key->key()) {
        case Qt::Key_Left: dCol = -1; break;
        case Qt::Key_Right: dCol = 1; break;
        case Qt::Key_Up: dRow = -1; break;
        case Qt::Key_Down: dRow = 1; break;
        case Qt::Key_Tab:
            if (tabRow_ < 0 || (grid_->Row() == tabRow_ && grid_->Col() == tabCol_)) return false;
            grid_->Select(tabRow_, tabCol_);
            emit SelectionMoved();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (selectable_(grid_->Row(), grid_->Col())) emit Activated();
            return true;
        case Qt::Key_Space:
            if (grid_->Model()->Cell(grid_->Row(), grid_->Col()).check == CheckState::None) return false;
            grid_->EditCell();
            emit CheckToggled();
            return true;
        default: return false;
    }
    const Grid& model = *grid_->Model();
    GridPosition from{grid_->Row(), grid_->Col()};
    // From a cell outside the allowed ones (nothing chosen yet, or the
    // "Floating info" switch) any arrow lands on the first allowed cell.
    if (!selectable_(from.row, from.col)) {
        const GridPosition first = StepSelection(model.Rows(), model.Cols(), {0, -1}, 0, 1, selectable_);
        if (selectable_(first.row, first.col)) {
            from = first;
            dRow = dCol = 0;
        }
    }
    const GridPosition to = StepSelection(model.Rows(), model.Cols(), from, dRow, dCol, selectable_);
    if (to.row != grid_->Row() || to.col != grid_->Col()) {
        grid_->Select(to.row, to.col);
        emit SelectionMoved();
    }
    return true;
}

}  // namespace varnel
