#pragma once
// The day view's panel: the title with the day's Hebrew and common dates over
// a two-column grid of the day's lines and the feast countdown, scrolled when
// it is taller than the panel.
#include <QWidget>

#include "core/views/DayView.h"
#include "core/views/ViewState.h"

class QLabel;
class QScrollArea;

namespace varnel {

class GridWidget;

class DayPanel : public QWidget {
    Q_OBJECT
public:
    // The panel reads and updates the window's state (the selected cell).
    explicit DayPanel(ViewState& state, QWidget* parent = nullptr);

    // Fills the panel for SelectedRow / SelectedCol of the month grid, which
    // holds the month starting on CurrentDate.
    // The day of the selected cell of a month grid rendered for the state's month.
    void ShowDay(const Grid& monthGrid, OmerReckoning omer = OmerReckoning::Sabbath);
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

    ViewState& state_;
    DayViewModel model_;
    QLabel* title_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    GridWidget* grid_ = nullptr;
};

}  // namespace varnel
