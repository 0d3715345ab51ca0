#pragma once
// Draws any Grid model: cell texts wrapped as aligned, colours, check-box cells,
// column widths and row heights in twips converted with the screen's logical
// DPI, and labels pinned to the top right corner of cells. Forwards click,
// double-click, button press and pointer move with the cell under the pointer.
// The model is filled without the widget; Refresh repaints once afterwards.
#include <QFont>
#include <QColor>
#include <QString>
#include <QWidget>
#include <vector>

#include "core/views/Grid.h"

namespace varnel {

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
    void SetCellFont(const QFont& font);
    void SetHeaderFont(const QFont& font);

    // Labels on the top right corner of cells: their left edge is the cell's
    // right edge less the inset (twips), their top the cell's top.
    struct CornerLabel {
        int row = 0;
        int col = 0;
        QString text;
    };
    void SetCornerLabels(std::vector<CornerLabel> labels);
    void SetCornerLabelStyle(const QFont& font, const QColor& color, int insetTwips);
    const std::vector<CornerLabel>& CornerLabels() const { return cornerLabels_; }

    // The current cell (set by a press on a cell, or by Select).
    int Row() const { return row_; }
    int Col() const { return col_; }
    void Select(int row, int col);
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
    QColor ToQColor(Color c, const QColor& fallback) const;

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

private:
    void TrackPointer(const QPoint& point);
    void PaintCell(QPainter& painter, int row, int col, const QRect& rect) const;
    bool HasCornerLabel(int row, int col) const;
    // Pixel edges of every column and row, from the model's twips.
    void UpdateEdges() const;

    Grid* grid_ = nullptr;
    int fixedRows_ = 0;
    int row_ = 0;
    int col_ = 0;
    int mouseRow_ = -1;
    int mouseCol_ = -1;
    bool pressed_ = false;
    QFont cellFont_;
    QFont headerFont_;
    std::vector<CornerLabel> cornerLabels_;
    QFont cornerFont_;
    QColor cornerColor_ = Qt::black;
    int cornerInset_ = 0;
    mutable std::vector<int> colEdges_;
    mutable std::vector<int> rowEdges_;
};

}  // namespace varnel
