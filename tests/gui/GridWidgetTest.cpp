// The widget that draws grid models: twips to pixels with the screen's DPI,
// the cell under a point, the check-box edit, and one paint per month rendering.

#include <QImage>
#include <QPainter>
#include <QEvent>

#include "gui/views/GridPainter.h"
#include "core/views/ViewState.h"
#include "WindowFixture.h"

namespace varnel {
namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

TEST(GridWidget, SizesInTwipsFollowTheScreenDpi) {
    EnsureApplication();
    Grid grid(3, 4);
    grid.SetColWidth(-1, 1500);
    grid.SetColWidth(2, 3000);
    grid.SetRowHeight(-1, 720);
    GridWidget widget;
    widget.SetGrid(&grid);
    widget.resize(800, 400);
    const double perTwip = widget.logicalDpiX() / 1440.0;
    EXPECT_EQ(widget.TwipsToPixelsX(1440), widget.logicalDpiX());
    EXPECT_EQ(widget.PixelsToTwipsY(widget.logicalDpiY()), 1440);
    const QRect wide = widget.CellRect(1, 2);
    EXPECT_NEAR(wide.left(), 3000 * perTwip, 1);
    EXPECT_NEAR(wide.width(), 3000 * perTwip, 1);
    EXPECT_NEAR(wide.top(), 720 * widget.logicalDpiY() / 1440.0, 1);

    int row = 0, col = 0;
    ASSERT_TRUE(widget.CellAt(wide.center(), row, col));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(col, 2);
    // Right of the last column and below the last row there is no cell.
    EXPECT_FALSE(widget.CellAt(QPoint(widget.CellRect(0, 3).right() + 2, 1), row, col));
    EXPECT_EQ(row, -1);
    EXPECT_FALSE(widget.CellAt(QPoint(1, widget.CellRect(2, 0).bottom() + 2), row, col));
    EXPECT_FALSE(widget.CellAt(QPoint(-1, 5), row, col));
}

TEST(GridWidget, EditingTogglesOnlyACheckBoxCell) {
    EnsureApplication();
    Grid grid(2, 2);
    grid.SetText(1, 1, "Floating info");
    grid.SetData(1, 1, "kept");
    grid.SetBackground(1, 1, kShadowColor);
    grid.SetCheck(1, 1, CheckState::Checked);
    grid.SetText(0, 0, "plain");
    GridWidget widget;
    widget.SetGrid(&grid);
    widget.Select(1, 1);
    widget.EditCell();
    EXPECT_EQ(grid.Cell(1, 1).check, CheckState::Unchecked);
    EXPECT_EQ(grid.Cell(1, 1).text, "Floating info");
    EXPECT_EQ(grid.Cell(1, 1).data, "kept");
    EXPECT_EQ(grid.Cell(1, 1).background, kShadowColor);
    widget.EditCell();
    EXPECT_EQ(grid.Cell(1, 1).check, CheckState::Checked);
    widget.Select(0, 0);
    widget.EditCell();
    EXPECT_EQ(grid.Cell(0, 0).check, CheckState::None);
    widget.Select(5, 5);  // outside the grid: nothing to edit
    widget.EditCell();
    widget.SetGrid(nullptr);
    widget.EditCell();
}

using GridInWindow = WindowFixture;

TEST_F(GridInWindow, AMonthRenderingPaintsTheGridOnce) {
    MainWindow& window = Start();
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();

    PaintCounter counter;
    window.Month()->Grid()->installEventFilter(&counter);
    window.ShowMonthOf(Date(2026, 4, 1));
    window.ShowCalendar();
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
    EXPECT_EQ(window.Month()->Model().lastStartOfMonth, Date(2026, 4, 1));
    window.Month()->Grid()->removeEventFilter(&counter);
}

// The painter lays a model out by twips at the device's resolution: at 300
// dots an inch, a column of 1440 twips is 300 pixels wide, wherever it is drawn.
TEST(GridPainter, CellsLandWhereTheirTwipsSayAtAnyResolution) {
    EnsureApplication();
    Grid grid(2, 2);
    grid.SetColWidth(-1, 1440);
    grid.SetRowHeight(-1, 720);
    grid.SetBackground(0, 0, RGB(255, 0, 0));
    grid.SetBackground(0, 1, RGB(0, 0, 255));
    grid.SetBackground(1, 0, kShadowColor);
    grid.SetBackground(1, 1, RGB(0, 128, 0));
    QImage image(800, 400, QImage::Format_RGB32);
    image.setDotsPerMeterX(11811);  // 300 dots an inch
    image.setDotsPerMeterY(11811);
    image.fill(Qt::white);
    QPainter painter(&image);
    GridStyle style;
    style.palette.setColor(QPalette::Dark, QColor(10, 20, 30));
    const TwipsScale scale = TwipsScale::Of(image);
    ASSERT_EQ(scale.ToPixelsX(1440), 300);
    PaintGrid(painter, QPoint(50, 20), grid, style, scale, image.rect());
    painter.end();
    EXPECT_EQ(image.pixelColor(50 + 150, 20 + 75), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(50 + 450, 20 + 75), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(50 + 150, 20 + 225), QColor(10, 20, 30));  // the shadow colour of the palette
    EXPECT_EQ(image.pixelColor(50 + 450, 20 + 225), QColor(0, 128, 0));
    EXPECT_EQ(image.pixelColor(50 + 650, 20 + 75), QColor(Qt::white));  // right of the grid: untouched
    EXPECT_EQ(GridEdges::Of(grid, scale).Cell(1, 1), QRect(300, 150, 300, 150));
}

}  // namespace
}  // namespace varnel
