#pragma once
// The day view's panel: the title with the day's Hebrew and common dates over
// a two-column grid of the day's lines and the feast countdown, scrolled when
// it is taller than the panel.
#include <QWidget>

#include "core/views/DayView.h"

class QLabel;
class QScrollArea;

namespace varnel {

class GridWidget;

class DayPanel : public QWidget {
    Q_OBJECT
public:
    explicit DayPanel(QWidget* parent = nullptr);

    // Fills the panel for SelectedRow / SelectedCol of the month grid, which
    // holds the month starting on CurrentDate.
    void ShowDay(const Grid& monthGrid);
    void ApplyTitleColors();

    const DayViewModel& Model() const { return model_; }
    QLabel* Title() const { return title_; }
    GridWidget* DayGrid() const { return grid_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();
    // Both columns as wide as their longest text.
    void FitColumns();
    void FitGridHeight();

    DayViewModel model_;
    QLabel* title_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    GridWidget* grid_ = nullptr;
};

}  // namespace varnel
