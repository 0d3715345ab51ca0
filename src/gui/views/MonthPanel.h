#pragma once
// The month view's panel: the title over the week grid, the previous and next
// month buttons, the day-number labels, and the grid's mouse handling (select,
// open the day, the "Floating info" switch and the hover notes).
#include <QFont>
#include <QWidget>

#include "core/views/CalendarSource.h"
#include "core/views/MonthView.h"
#include "gui/rules/NoteTracker.h"

class QLabel;
class QPushButton;

namespace varnel {

class GridWidget;

class MonthPanel : public QWidget {
    Q_OBJECT
public:
    // The panel reads and changes the window's state and draws the years of its source.
    MonthPanel(ViewState& state, CalendarSource& source, QWidget* parent = nullptr);

    MonthViewModel& Model() { return model_; }
    const MonthViewModel& Model() const { return model_; }
    GridWidget* Grid() const { return grid_; }
    QLabel* Title() const { return title_; }
    NoteTracker& Notes() { return notes_; }

    // Renders the displayed month into the model and repaints once.
    void ShowCalendar();
    // The title's background follows the Shabbat colour.
    void ApplyTitleColors();

signals:
    void NextMonthRequested();
    void PreviousMonthRequested();
    void DayDoubleClicked();
    // The cell note: show this text beside a cell, or close it.
    void NoteShowRequested(const QString& text, int row, int col);
    void NoteCloseRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();
    void SizeGridToHost();
    void UpdateDayLabels();
    void FitTitle();
    void GridClicked();
    void GridButtonPressed(Qt::MouseButton button);
    void GridPointerMoved(Qt::MouseButtons buttons);
    void KeyMovedSelection();
    void MarkToday(bool monthChanged);

    ViewState& state_;
    CalendarSource& source_;
    MonthViewModel model_;
    NoteTracker notes_;
    QFont titleFont_;
    QLabel* title_ = nullptr;
    QLabel* lastStartOfMonth_ = nullptr;  // hidden: the serial of the month last rendered
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QWidget* host_ = nullptr;
    GridWidget* grid_ = nullptr;
};

}  // namespace varnel
