#pragma once
// Draws a Grid model on any paint device: the screen's widget, the print
// preview, a printer, a PDF or an image. Cell texts wrapped as aligned,
// colours, check-box cells, and labels pinned to the top right corner of
// cells; column widths and row heights in twips at the device's DPI.
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>
#include <vector>

#include "core/views/Grid.h"

class QPaintDevice;
class QPainter;
class QStyle;
class QWidget;

namespace varnel {

// Twips (1440 an inch) and pixels at a device's logical DPI: 15 twips a pixel at 96 DPI.
struct TwipsScale {
    int dpiX = 96;
    int dpiY = 96;
    static TwipsScale Of(const QPaintDevice& device);
    int ToPixelsX(int twips) const;
    int ToPixelsY(int twips) const;
    int ToTwipsX(int pixels) const;
    int ToTwipsY(int pixels) const;
};

// A model colour as a QColor: kNoColor gives the fallback, kShadowColor the
// palette's button shadow.
QColor ToQColor(Color c, const QColor& fallback, const QPalette& palette);

struct CornerLabel {
    int row = 0;
    int col = 0;
    QString text;
};

// How a grid is drawn beyond what its model holds.
struct GridStyle {
    int fixedRows = 0;  // rows drawn as headers where their cells have no colour of their own
    QFont cellFont;
    QFont headerFont;
    QFont cornerFont;
    QColor cornerColor = Qt::black;
    int cornerInsetTwips = 0;  // a corner label's left edge: the cell's right edge less this
    std::vector<CornerLabel> cornerLabels;
    QPalette palette;
    // The widget style and widget check boxes are drawn with; without one a
    // plain box is drawn (printing).
    const QStyle* style = nullptr;
    const QWidget* widget = nullptr;
    // Marks drawn on screen only (printouts leave them at -1): a frame round
    // today's cell, the selected cell, and the keyboard focus on that cell.
    int todayRow = -1;
    int todayCol = -1;
    int selectedRow = -1;
    int selectedCol = -1;
    bool focused = false;
};

// The pixel edges of every column and row of a model at a scale, from the grid's origin.
struct GridEdges {
    std::vector<int> cols;
    std::vector<int> rows;
    static GridEdges Of(const Grid& grid, const TwipsScale& scale);
    QRect Cell(int row, int col) const;
};

// Paints the model with its top left at origin; only cells meeting `exposed` are drawn.
void PaintGrid(QPainter& painter, const QPoint& origin, const Grid& grid, const GridStyle& style,
               const TwipsScale& scale, const QRect& exposed);

}  // namespace varnel
