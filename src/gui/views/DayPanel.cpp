#include "gui/views/DayPanel.h"

#include <QFontMetrics>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

#include "gui/views/GridWidget.h"
#include "gui/views/TitleColors.h"
#include "core/views/ViewState.h"

namespace varnel {
namespace {

constexpr int kTitleHeight = 375;    // twips: the grid is this much less high than the panel
constexpr int kColumnPadding = 240;  // twips around a column's longest text

}  // namespace

DayPanel::DayPanel(ViewState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setObjectName(QStringLiteral("picDay"));

    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("lblDay"));
    title_->setAlignment(Qt::AlignCenter);
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    title_->setFont(titleFont);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("picDayScroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(false);
    grid_ = new GridWidget;
    grid_->setObjectName(QStringLiteral("vsFlexDay"));
    grid_->SetGrid(&model_.grid);
    grid_->SetCellFont(grid_->font());
    model_.grid.Resize(kDayGridRows, 2);
    model_.grid.SetRowHeight(-1, kDayRowHeight);
    scroll_->setWidget(grid_);
    ApplyTitleColors();
}

void DayPanel::ApplyTitleColors() {
    SetTitleColors(title_, state_.shabbatColor);
}

void DayPanel::ShowDay(const Grid& monthGrid, OmerReckoning omer) {
    varnel::ShowDay(monthGrid, state_.currentDate, state_.selectedRow, state_.selectedCol,
                    grid_->PixelsToTwipsX(scroll_->viewport()->width()), model_, omer);
    title_->setText(QString::fromStdString(model_.title));
    grid_->setAccessibleName(title_->text());
    scroll_->setAccessibleName(title_->text());
    FitColumns();
    FitGridHeight();
    scroll_->verticalScrollBar()->setValue(0);
    grid_->Refresh();
}

void DayPanel::FitColumns() {
    const QFontMetrics metrics(grid_->font());
    for (int c = 0; c < 2; ++c) {
        int widest = 0;
        for (int r = 0; r <= model_.lastRow; ++r) {
            const std::string& text = model_.grid.Cell(r, c).text;
            if (!text.empty()) widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(text)));
        }
        if (widest > 0) model_.grid.SetColWidth(c, grid_->PixelsToTwipsX(widest) + kColumnPadding);
    }
}

// The grid widget is as large as its columns and the rows in use, so the scroll area scrolls them.
void DayPanel::FitGridHeight() {
    const int rows = std::max(model_.lastRow + 1, 1);
    grid_->resize(grid_->TwipsToPixelsX(model_.grid.TotalWidth()), grid_->TwipsToPixelsY(model_.grid.RowPos(rows)));
}

void DayPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void DayPanel::LayOut() {
    const int band = grid_->TwipsToPixelsY(kTitleHeight);
    title_->setGeometry(0, 0, width(), band);
    scroll_->setGeometry(0, band, width(), std::max(0, height() - band));
    FitGridHeight();
}

}  // namespace varnel
