#pragma once
// The keyboard of a calendar grid: the arrow keys move the selection over the
// cells a predicate allows, Enter opens the selected cell, Space toggles a
// check-box cell. Installed on a grid widget, which it makes a tab stop.
#include <QObject>
#include <functional>

namespace varnel {

class GridWidget;

class GridKeys : public QObject {
    Q_OBJECT
public:
    GridKeys(GridWidget* grid, std::function<bool(int row, int col)> selectable);
    // A cell outside the arrows' reach that Tab visits before leaving the grid
    // (the month view's "Floating info" switch).
    void SetTabCell(int row, int col);

signals:
    void SelectionMoved();
    void Activated();
    void CheckToggled();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GridWidget* grid_;
    std::function<bool(int row, int col)> selectable_;
    int tabRow_ = -1;
    int tabCol_ = -1;
};

}  // namespace varnel
