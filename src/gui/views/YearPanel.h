#pragma once
// The year view's panel: the year title with the previous and next year
// buttons, twelve month names acting as buttons and twelve week grids. A click
// on a day selects it and renders its month behind the year view; a
// double-click opens it in the day view.
#include <QWidget>
#include <array>

#include "core/views/CalendarSource.h"
#include "core/views/ViewState.h"
#include "core/views/YearView.h"

class QLabel;
class QPushButton;

namespace varnel {

class GridWidget;

class YearPanel : public QWidget {
    Q_OBJECT
public:
    // The panel reads and moves the window's state and draws the years of its source.
    YearPanel(ViewState& state, CalendarSource& source, QWidget* parent = nullptr);

    // Fills the panel for a common year (1..9999) and repaints once.
    void ShowYear(int year);
    // The year in the title; 0 before the first fill.
    int Year() const { return model_.year; }
    void NextYear();
    void PreviousYear();
    void ApplyTitleColors();

    const YearViewModel& Model() const { return model_; }
    GridWidget* MonthGrid(int month) const { return grids_[static_cast<size_t>(month)]; }
    QLabel* MonthLabel(int month) const { return labels_[static_cast<size_t>(month)]; }
    QLabel* Title() const { return title_; }

signals:
    // The state now holds the month to render behind the year view.
    void MonthRenderRequested();
    // Switch to the month view (a month name was clicked).
    void MonthViewRequested();
    // Switch to the day view for the selected cell.
    void DayViewRequested();
    // A year was drawn (by the window or the panel's own year buttons).
    void YearShown();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayOut();
    void MarkToday();
    void MoveToYear(int year);
    bool SelectMonth(int month);
    void GridClicked(int month);
    void GridDoubleClicked(int month);
    void GridPointerMoved(int month, Qt::MouseButtons buttons);

    ViewState& state_;
    CalendarSource& source_;
    YearViewModel model_;
    QLabel* title_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    std::array<QLabel*, 12> labels_{};
    std::array<GridWidget*, 12> grids_{};
    // The cell under the pointer and the cell of the last note, kept apart from the month view's.
    int hoverRow_ = 0;
    int hoverCol_ = 0;
};

}  // namespace varnel
