#pragma once
// Shows any Grid model on screen through the grid painter, and forwards click,
// double-click, button press and pointer move with the cell under the pointer.
// The model is filled without the widget; Refresh repaints once afterwards.
#include <QFont>
#include <QColor>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "core/views/CellSpeech.h"
#include "core/views/Grid.h"
#include "gui/views/GridPainter.h"

class QAccessibleInterface;

namespace varnel {

// Qt's accessibility factory for the grid (GridAccessible.cpp), installed by
// the first grid made.
QAccessibleInterface* AccessibleGrid(const QString& className, QObject* object);

class GridWidget : public QWidget {
    Q_OBJECT
public:
    explicit GridWidget(QWidget* parent = nullptr);

    // The model drawn; not owned. Null draws nothing.
    void SetGrid(Grid* grid);
    Grid* Model() const { return grid_; }
    // Repaints after a fill of the model: one repaint per rendering.
    void Refresh();

    // Rows drawn as headers where their cells have no colour of their own.
    void SetFixedRows(int rows);
    int FixedRows() const { return style_.fixedRows; }
    void SetCellFont(const QFont& font);
    void SetHeaderFont(const QFont& font);

    // Labels on the top right corner of cells: their left edge is the cell's
    // right edge less the inset (twips), their top the cell's top.
    using CornerLabel = varnel::CornerLabel;
    void SetCornerLabels(std::vector<CornerLabel> labels);
    void SetCornerLabelStyle(const QFont& font, const QColor& color, int insetTwips);
    const std::vector<CornerLabel>& CornerLabels() const { return style_.cornerLabels; }

    // The current cell (set by a press on a cell, or by Select).
    int Row() const { return row_; }
    int Col() const { return col_; }
    void Select(int row, int col);
    // Screen marks: a frame round today's cell (-1: none) and, when shown, the
    // current cell as selected with the focus on it while the grid has the focus.
    void SetTodayCell(int row, int col);
    void SetSelectionShown(bool shown);
    bool SelectionShown() const { return selectionShown_; }

    // What a screen reader says for a cell (by default the cell's own date and
    // texts); the focused cell is reported to it as the selection moves.
    using SpeechOf = std::function<CellSpeech(const Grid& grid, int row, int col)>;
    void SetCellSpeech(SpeechOf speech) { speech_ = std::move(speech); }
    CellSpeech SpeechAt(int row, int col) const;
    // The cell under the pointer at the last press or move; -1 outside the cells.
    int MouseRow() const { return mouseRow_; }
    int MouseCol() const { return mouseCol_; }
    // Starts the edit of the current cell: on a check-box cell it toggles the box.
    void EditCell();

    // Twips and pixels with this screen's logical DPI (15 twips a pixel at 96 DPI).
    int TwipsToPixelsX(int twips) const;
    int TwipsToPixelsY(int twips) const;
    int PixelsToTwipsX(int pixels) const;
    int PixelsToTwipsY(int pixels) const;
    // The cell's rectangle in pixels, and the cell at a point (false outside the cells).
    QRect CellRect(int row, int col) const;
    bool CellAt(const QPoint& point, int& row, int& col) const;

    // The colour the model's kShadowColor stands for.
    QColor ShadowColor() const;
    // How the grid is drawn: fonts, fixed rows and corner labels with this widget's palette and style.
    GridStyle Style() const;
    // Looks up the fonts the cells and labels are drawn in, ahead of a first
    // painting that would otherwise wait for them.
    void PrepareFonts() const;

signals:
    void Clicked();
    void DoubleClicked();
    void ButtonPressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void PointerMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void Resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void TrackPointer(const QPoint& point);
    // Tells assistive technology which cell has the focus (when the grid has it).
    void ReportFocusedCell();
    TwipsScale Scale() const { return TwipsScale::Of(*this); }

    Grid* grid_ = nullptr;
    GridStyle style_;
    int row_ = 0;
    int col_ = 0;
    int mouseRow_ = -1;
    int mouseCol_ = -1;
    bool pressed_ = false;
    bool selectionShown_ = false;
    SpeechOf speech_;
    uint64_t reportedRevision_ = 0;  // the model's fill last reported to assistive technology
};

}  // namespace varnel
